#include "Main.h"

#include <QActionGroup>
#include <QKeySequence>
#include <QMdiArea>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "Messages.h"
#include "core/displayname.h"

#include <QFileInfo>

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent), m_mdi(new QMdiArea(this))
{
    setObjectName("MainForm");
    setCentralWidget(m_mdi);
    createMenus();
    createToolBar();
    setProjectFileName(kDefaultProjectName);
    resize(900, 650);
}

void TMainForm::openStartupProject(const QStringList &arguments)
{
    QString path = arguments.value(0);
    if (!path.isEmpty() && !path.contains('.'))
        path += ".tnd";
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        m_project.Create();
        setProjectFileName(m_project.FileName);
        return;
    }
    path = QFileInfo(path).absoluteFilePath();
    try {
        m_project.CreateFromFile(path, true);
    } catch (const std::exception &error) {
        showMessage(this, QString::fromStdString(error.what()));
    }
    setProjectFileName(m_project.FileName);
}

void TMainForm::setProjectFileName(const QString &fileName)
{
    m_projectFileName = fileName;
    setWindowTitle(mainCaption(fileName));
}

QAction *TMainForm::addItem(QMenu *menu, const char *objectName, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(objectName);
    return action;
}

void TMainForm::createMenus()
{
    QMenu *file = menuBar()->addMenu("&File");
    file->setObjectName("File1");
    addItem(file, "FileNew", "&New")->setShortcut(QKeySequence("Ctrl+N"));
    addItem(file, "FileOpen", "&Open...")->setShortcut(QKeySequence("Ctrl+O"));
    addItem(file, "FileSave", "&Save")->setShortcut(QKeySequence("Ctrl+S"));
    addItem(file, "FileSaveAs", "Save &As...");
    file->addSeparator();
    for (int k = 1; k <= 10; ++k) {
        QAction *recent = addItem(file, qPrintable(QString("RecentFile%1").arg(k)), QString());
        recent->setVisible(false);
    }
    QAction *exitSeparator = file->addSeparator();
    exitSeparator->setVisible(false);
    connect(addItem(file, "FileExit", "E&xit"), &QAction::triggered, this, &QWidget::close);

    QMenu *data = menuBar()->addMenu("Da&ta");
    data->setObjectName("Data1");
    addItem(data, "DataTitle", "&Title");
    QMenu *units = data->addMenu("&Units");
    units->setObjectName("OptionsUnits");
    auto *unitGroup = new QActionGroup(this);
    for (auto [name, caption, tag] : {std::tuple{"EnglishUnits", "&English Units (lbs, in)", 1},
                                      std::tuple{"SIUnits", "&SI Units (kN, m)", 2}}) {
        QAction *a = addItem(units, name, caption);
        a->setCheckable(true);
        a->setData(tag);
        unitGroup->addAction(a);
    }
    QMenu *method = data->addMenu("Design Method (ASD or LRFD)");
    method->setObjectName("DesignMethod1");
    addItem(method, "ASDAllowable1", "ASD (Allowable Stress Design)")->setData(2);
    addItem(method, "LRFDLoad1", "LRFD (Load Resistance Factor Design)")->setData(1);
    addItem(data, "PileProperties1", "&Drilled-Shaft Properties");
    addItem(data, "SoilLayerCoordinates1", "Soil &Layer Data");
    addItem(data, "SoilParameters1", "&Factor of Safety (Allowable Stress Design)");
    QMenu *modes = data->addMenu("&Computation Methods");
    modes->setObjectName("CompMethods");
    addItem(modes, "shaftlength", "Specify the shaft length");
    addItem(modes, "shaftload", "Specify the design load");
    addItem(data, "PrintingIncrements1", "&Water Table");
    addItem(data, "OptionsControl", "Control &Options...");

    QMenu *comp = menuBar()->addMenu("&Computation");
    comp->setObjectName("Computation1");
    addItem(comp, "CompRun", "&Run Analysis");
    addItem(comp, "CompInput", "Edit I&nput Text");
    addItem(comp, "CompKernel", "Edit &Processor-Run Notes");
    addItem(comp, "CompOutput", "Edit &Output Text");
    comp->addSeparator();
    addItem(comp, "ViewSoil", "&View Shaft Elevation");

    QMenu *graphics = menuBar()->addMenu("&Graphics");
    graphics->setObjectName("Graphics1");
    addItem(graphics, "mSkin", "Ultimate &Skin Friction vs Depth");
    addItem(graphics, "mTip", "Ultimate &Tip Resistance vs Depth");
    addItem(graphics, "mTotal", "Ultimate Total &Capacity vs Depth");
    graphics->addSeparator();
    addItem(graphics, "fsmSkin", "ASD/LRFD Skin Friction vs Depth ");
    addItem(graphics, "fsmTip", "ASD/LRFD Tip Resistance vs Depth ");
    addItem(graphics, "fsmTotal", "ASD/LRFD Total Capacity vs Depth");
    graphics->addSeparator();
    addItem(graphics, "mCombine", "C&ombined Plots vs Depth (ultimate)");
    addItem(graphics, "dCombine", "Combined Plots vs Depth (ASD/LRFD)");
    graphics->addSeparator();
    addItem(graphics, "mAxial", "Axial Load vs Settlement (averaged)");
    addItem(graphics, "AxialLoadvsSettlementupperbound1", "Axial Load vs Settlement (upper bound)");
    addItem(graphics, "AxialLoadvsSettlementlowerbound1", "Axial Load vs Settlement (lower bound)");
    addItem(graphics, "CombinedSettlement1", "Combined Plots of Load vs Settlement");
    graphics->addSeparator();
    addItem(graphics, "ExportExcel", "Export Plots to Excel")->setVisible(false);

    QMenu *window = menuBar()->addMenu("&Window");
    window->setObjectName("ArrangeMenu");
    connect(addItem(window, "Cascade1", "&Cascade"), &QAction::triggered, m_mdi, &QMdiArea::cascadeSubWindows);
    connect(addItem(window, "ArrangeIcons1", "&Arrange Icons"), &QAction::triggered, m_mdi,
            &QMdiArea::tileSubWindows);

    QMenu *help = menuBar()->addMenu("&Help");
    help->setObjectName("Help1");
    addItem(help, "HelpContents", "&Contents");
    addItem(help, "HelpUserManual", "&User's Manual");
    addItem(help, "HelpTechnicalManual", "&Technical Manual");
    help->addSeparator();
    addItem(help, "HelpAbout", "&About...");
    addItem(help, "HelpUpdate", "Check for &Updates...");
}

void TMainForm::createToolBar()
{
    QToolBar *bar = addToolBar("ToolBar1");
    bar->setObjectName("ToolBar1");
    bar->setIconSize(QSize(25, 25));
    struct Button {
        const char *name, *hint;
        bool enabled;
    };
    const Button buttons[] = {{"SpeedButton2", "New File", true},          {"SpeedButton1", "Open File", true},
                              {"SpeedButton3", "Save File", true},         {"SpeedButton4", "Run Data File", true},
                              {"SpeedButton7", "Soil layer Data", true},   {"SpeedButton5", "View Output", true},
                              {"SpeedButton6", "View Soil Profile", true}, {"SpeedButton8", "Combined Plot (Ultimate)", false},
                              {"SpeedButton9", "Combined Plot (LRFD/ASD)", false},
                              {"SpeedButton10", "Load vs. Settlement", false}};
    for (const Button &b : buttons) {
        QAction *a = bar->addAction(b.hint);
        a->setObjectName(b.name);
        a->setToolTip(b.hint);
        a->setEnabled(b.enabled);
    }
}
