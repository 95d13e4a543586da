#include "ChangeLineNames.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "Messages.h"
#include "core/graph.h"

TfrmLineNames::TfrmLineNames(const QStringList &names, QWidget *parent) : QDialog(parent)
{
    setObjectName("frmLineNames");
    setWindowTitle("Legend");
    auto *label1 = new QLabel("Select line to modify:", this);
    lbLines = new QListWidget(this);
    lbLines->setObjectName("lbLines");
    lbLines->addItems(names);
    label1->setBuddy(lbLines);
    auto *label2 = new QLabel("Type new legend below:", this);
    edLine = new QLineEdit(this);
    edLine->setObjectName("edLine");
    edLine->installEventFilter(this);
    label2->setBuddy(edLine);

    // Enter in the edit box stores the name; it must not close the dialog.
    OKBtn = new QPushButton("&OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setAutoDefault(false);
    CancelBtn = new QPushButton("&Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(5);
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(5);
    layout->addWidget(label1);
    layout->addWidget(lbLines, 1);
    layout->addWidget(label2);
    layout->addWidget(edLine);
    layout->addLayout(buttons);
    setMinimumSize(195, 167);
    resize(300, 320);

    connect(lbLines, &QListWidget::currentRowChanged, this, &TfrmLineNames::lbLinesChange);
    connect(edLine, &QLineEdit::returnPressed, this, &TfrmLineNames::edLineExit);
    connect(OKBtn, &QPushButton::clicked, this, &TfrmLineNames::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    if (lbLines->count() > 0)
        lbLines->setCurrentRow(0);
    else
        edLine->setEnabled(false);
}

QStringList TfrmLineNames::names() const
{
    QStringList out;
    for (int i = 0; i < lbLines->count(); ++i)
        out << lbLines->item(i)->text();
    return out;
}

bool TfrmLineNames::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edLine && event->type() == QEvent::FocusOut)
        edLineExit();
    return QDialog::eventFilter(watched, event);
}

void TfrmLineNames::lbLinesChange()
{
    const int row = lbLines->currentRow();
    if (row < 0)
        return;
    edLine->setText(lbLines->item(row)->text());
    QPalette colours = edLine->palette();
    colours.setColor(QPalette::Text, paletteColor(row));
    edLine->setPalette(colours);
}

void TfrmLineNames::edLineExit()
{
    QListWidgetItem *item = lbLines->currentItem();
    // The message box takes the focus from the edit box; that is not a second exit.
    if (!item || m_storing)
        return;
    m_storing = true;
    if (edLine->text().isEmpty()) {
        showMessage(this, "The line must have a name!");
        edLine->setText(item->text());
    } else {
        item->setText(edLine->text());
    }
    m_storing = false;
}

void TfrmLineNames::OKBtnClick()
{
    edLineExit();
    accept();
}
