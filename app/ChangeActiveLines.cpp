#include "ChangeActiveLines.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kYes = " yes : ";
const QString kNo = " no  : ";
const QString kGap = "   ";

} // namespace

TfrmActiveLines::TfrmActiveLines(const std::vector<Row> &rows, QWidget *parent) : QDialog(parent)
{
    setObjectName("frmActiveLines");
    setWindowTitle("Active Curves");
    auto *label1 = new QLabel("Select Curve to Active/Desactive", this);
    lbLines = new QListWidget(this);
    lbLines->setObjectName("lbLines");
    lbLines->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The marks are padded to one width; a fixed-pitch face keeps the names in one column.
    lbLines->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (const Row &row : rows) {
        m_names.push_back(row.name);
        auto *item = new QListWidgetItem(lbLines);
        item->setData(Qt::UserRole, int(m_names.size()) - 1);
        setMark(item, row.active);
    }
    label1->setBuddy(lbLines);

    // Column heads over the mark and the name.
    auto *activeHead = new QLabel("Active :", this);
    auto *curveHead = new QLabel("Curve", this);
    const QFontMetrics fixed(lbLines->font());
    const int inset = lbLines->frameWidth() + style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lbLines) + 1;
    auto *heads = new QHBoxLayout;
    heads->setSpacing(0);
    heads->addSpacing(inset);
    activeHead->setFixedWidth(fixed.horizontalAdvance(kYes + kGap));
    heads->addWidget(activeHead);
    heads->addWidget(curveHead, 1);

    OKBtn = new QPushButton("&OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("&Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    ActivateAllBtn = new QPushButton("Activate All", this);
    ActivateAllBtn->setObjectName("ActivateAllBtn");
    DeactivateAllBtn = new QPushButton("Deactivate All", this);
    DeactivateAllBtn->setObjectName("DeactivateAllBtn");
    ToggleSelectedBtn = new QPushButton("Activate/Deactivate Selected", this);
    ToggleSelectedBtn->setObjectName("ToggleSelectedBtn");
    for (QPushButton *b : {CancelBtn, ActivateAllBtn, DeactivateAllBtn, ToggleSelectedBtn})
        b->setAutoDefault(false);

    auto *side = new QVBoxLayout;
    side->addWidget(ActivateAllBtn);
    side->addWidget(DeactivateAllBtn);
    side->addWidget(ToggleSelectedBtn);
    side->addStretch();
    side->addWidget(OKBtn);
    side->addWidget(CancelBtn);
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(label1);
    listColumn->addLayout(heads);
    listColumn->addWidget(lbLines, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(listColumn, 1);
    layout->addLayout(side);
    resize(460, 340);

    connect(lbLines, &QListWidget::itemDoubleClicked, this, &TfrmActiveLines::lbLinesDblClick);
    connect(ActivateAllBtn, &QPushButton::clicked, this, &TfrmActiveLines::ActivateAllBtnClick);
    connect(DeactivateAllBtn, &QPushButton::clicked, this, &TfrmActiveLines::DeactivateAllBtnClick);
    connect(ToggleSelectedBtn, &QPushButton::clicked, this, &TfrmActiveLines::ToggleSelectedBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QString TfrmActiveLines::rowText(bool active, const QString &name)
{
    return (active ? kYes : kNo) + kGap + name;
}

std::vector<bool> TfrmActiveLines::activeFlags() const
{
    std::vector<bool> flags;
    for (int i = 0; i < lbLines->count(); ++i)
        flags.push_back(marked(lbLines->item(i)));
    return flags;
}

void TfrmActiveLines::setMark(QListWidgetItem *item, bool active)
{
    item->setText(rowText(active, m_names.at(size_t(item->data(Qt::UserRole).toInt()))));
}

bool TfrmActiveLines::marked(const QListWidgetItem *item) const
{
    return item->text().startsWith(kYes);
}

void TfrmActiveLines::lbLinesDblClick(QListWidgetItem *item)
{
    if (item)
        setMark(item, !marked(item));
}

void TfrmActiveLines::ActivateAllBtnClick()
{
    for (int i = 0; i < lbLines->count(); ++i)
        setMark(lbLines->item(i), true);
}

void TfrmActiveLines::DeactivateAllBtnClick()
{
    for (int i = 0; i < lbLines->count(); ++i)
        setMark(lbLines->item(i), false);
}

void TfrmActiveLines::ToggleSelectedBtnClick()
{
    for (QListWidgetItem *item : lbLines->selectedItems())
        setMark(item, !marked(item));
}
