#include "ExportDlg.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "Messages.h"
#include "core/graph.h"
#include "core/workbook.h"

TDlgExport::TDlgExport(const TPlots &graphs, const TAvailable &available, const QString &projectPath,
                       QWidget *parent)
    : QDialog(parent), m_graphs(graphs), m_available(available), m_projectPath(projectPath)
{
    setObjectName("DlgExport");
    setWindowTitle("Export to Excel");

    Label1 = new QLabel("An Excel instance (if available) will open. ", this);
    Label2 = new QLabel("Please wait until all the data has been exported to Excel.", this);
    Label3 = new QLabel("Please note that you need to save the excel file afterwards.", this);
    Label1->setObjectName("Label1");
    Label2->setObjectName("Label2");
    Label3->setObjectName("Label3");

    GroupBox1 = new QGroupBox("Available Plots", this);
    GroupBox1->setObjectName("GroupBox1");
    CheckListBoxPlots = new QListWidget(GroupBox1);
    CheckListBoxPlots->setObjectName("CheckListBoxPlots");
    CheckListBoxPlots->setSelectionMode(QAbstractItemView::NoSelection);
    auto *groupLayout = new QVBoxLayout(GroupBox1);
    groupLayout->addWidget(CheckListBoxPlots);

    BtnSelectAll = new QPushButton("Select All", this);
    BtnUnselectAll = new QPushButton("Unselect All", this);
    BtnGenerate = new QPushButton("Generate Excel File", this);
    BtnClose = new QPushButton("Close Window", this);
    BtnSelectAll->setObjectName("BtnSelectAll");
    BtnUnselectAll->setObjectName("BtnUnselectAll");
    BtnGenerate->setObjectName("BtnGenerate");
    BtnClose->setObjectName("BtnClose");
    BtnGenerate->setDefault(true);

    auto *selection = new QHBoxLayout;
    selection->addWidget(BtnSelectAll);
    selection->addWidget(BtnUnselectAll);
    selection->addStretch();
    auto *actions = new QHBoxLayout;
    actions->addStretch();
    actions->addWidget(BtnGenerate);
    actions->addWidget(BtnClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addWidget(GroupBox1, 1);
    layout->addLayout(selection);
    layout->addLayout(actions);

    connect(BtnSelectAll, &QPushButton::clicked, this, &TDlgExport::BtnSelectAllClick);
    connect(BtnUnselectAll, &QPushButton::clicked, this, &TDlgExport::BtnUnselectAllClick);
    connect(BtnGenerate, &QPushButton::clicked, this, &TDlgExport::BtnGenerateClick);
    connect(BtnClose, &QPushButton::clicked, this, &TDlgExport::BtnCloseClick);
    // Checking a row by hand updates the button too, so it never offers an empty export
    // nor refuses a chosen one.
    connect(CheckListBoxPlots, &QListWidget::itemChanged, this, [this] { CheckGenerateBtn(); });

    resize(480, 440);
    FormShow();
}

void TDlgExport::SetPlots(const TPlots &graphs, const TAvailable &available, const QString &projectPath)
{
    m_graphs = graphs;
    m_available = available;
    m_projectPath = projectPath;
    FormShow();
}

void TDlgExport::showEvent(QShowEvent *e)
{
    FormShow();
    QDialog::showEvent(e);
}

void TDlgExport::FormShow()
{
    const QSignalBlocker block(CheckListBoxPlots);
    CheckListBoxPlots->clear();
    for (int i = 0; i < kExportPlotCount; ++i) {
        const TGraphPlot *graph = m_graphs[size_t(i)];
        const bool available = m_available[size_t(i)] && graph;
        auto *item = new QListWidgetItem(graph ? graph->Caption : QString(), CheckListBoxPlots);
        item->setFlags(available ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable : Qt::ItemIsUserCheckable);
        item->setCheckState(available ? Qt::Checked : Qt::Unchecked);
    }
    CheckGenerateBtn();
}

int TDlgExport::GetNPlots() const
{
    int n = 0;
    for (int i = 0; i < CheckListBoxPlots->count(); ++i)
        if (CheckListBoxPlots->item(i)->checkState() == Qt::Checked)
            ++n;
    return n;
}

void TDlgExport::CheckGenerateBtn() { BtnGenerate->setEnabled(GetNPlots() > 0); }

void TDlgExport::checkAll(bool checked)
{
    {
        const QSignalBlocker block(CheckListBoxPlots);
        for (int i = 0; i < CheckListBoxPlots->count(); ++i) {
            QListWidgetItem *item = CheckListBoxPlots->item(i);
            if (item->flags() & Qt::ItemIsEnabled)
                item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        }
    }
    CheckListBoxPlots->viewport()->update();
    CheckGenerateBtn();
}

void TDlgExport::BtnSelectAllClick() { checkAll(true); }
void TDlgExport::BtnUnselectAllClick() { checkAll(false); }
void TDlgExport::BtnCloseClick() { reject(); }

QString TDlgExport::defaultWorkbookPath() const
{
    const QFileInfo project(m_projectPath.isEmpty() ? QString("NewTarnel.tnd") : m_projectPath);
    return QDir(project.absolutePath()).filePath(project.completeBaseName() + ".xlsx");
}

void TDlgExport::BtnGenerateClick()
{
    std::vector<const TGraphPlot *> chosen;
    for (int i = 0; i < CheckListBoxPlots->count(); ++i)
        if (CheckListBoxPlots->item(i)->checkState() == Qt::Checked && m_graphs[size_t(i)])
            chosen.push_back(m_graphs[size_t(i)]);
    if (chosen.empty())
        return;

    TFileDialogSpec spec{"Export to Excel", defaultWorkbookPath(), "Excel Workbook|*.xlsx", "xlsx", 1};
    QString path = ask().saveFileName(this, spec);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += ".xlsx";

    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        TWorkbook book;
        GenerateWorkbook(book, chosen);
        book.SaveAs(path);
    } catch (const std::exception &error) {
        QApplication::restoreOverrideCursor();
        showMessage(this, QString::fromLocal8Bit(error.what()));
        return;
    }
    QApplication::restoreOverrideCursor();
    if (!ask().openUrl(QUrl::fromLocalFile(path)))
        showMessage(this, "The workbook was written to " + QDir::toNativeSeparators(path) +
                              ", but no program is set up to open it.");
}
