#include "Main.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QProcess>
#include <QScopeGuard>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <clocale>
#include <cstdio>
#include <ctime>
#include <sstream>
#include <unistd.h>
#include <fstream>

#include "About.h"
#include "DataEdit.h"
#include "Messages.h"
#include "ExportDlg.h"
#include "Options.h"
#include "PileSide.h"
#include "PltData.h"
#include "PrintingIncrements.h"
#include "ShafLoad.h"
#include "SoilParams.h"
#include "Table.h"
#include "Title.h"
#include "cPileProperties.h"
#include "core/displayname.h"
#include "core/helpfiles.h"
#include "core/liveanalysis.h"
#include "dynlib.h"
#include "shaftlength.h"

namespace {

constexpr const char *kSettingsGroup = "2012.7.15";
constexpr const char *kLibraryFile = "Tarnel2012_DLL.so";
// The desktop's own program for a file of that kind.
constexpr const char *kDefaultEditor = "xdg-open";

// The twelve result graphs, then the t-z and q-w curves the last run used.
const char *const kGraphItems[kExportPlotCount] = {"mSkin",   "mTip",     "mTotal", "fsmSkin",
                                                   "fsmTip",  "fsmTotal", "mCombine", "dCombine",
                                                   "mAxial",  "AxialLoadvsSettlementupperbound1",
                                                   "AxialLoadvsSettlementlowerbound1", "CombinedSettlement1",
                                                   "mTzCurves", "mQwCurve"};
constexpr const char *kLiveSetting = "Analyse While Editing";
constexpr int kCombineIndex = 7, kCombineDIndex = 8, kAxialIndex = 9; // menu numbers, from 1

const QString kSandComments =
    "The user may optionally enter blow counts only in cases when the friction angle and Ko are not \r"
    "readily available.\rWhen both friction angles and blow counts are entered, the friction angles are used for\r"
    "computation if Ko is also entered; otherwise blow counts are used.\rIf the user intends to use Ko for "
    "side-friction computation, please leave Beta as zero. \rIf the user intends to use Beta coefficient for "
    "side-friction computation, please leave Ko as zero.\rIf the user designates zero values for both Ko and Beta, "
    "the program will internally generate Beta\rfor side-friction computation.";
const QString kClayComments =
    "The user may optionally enter blow counts only in cases the cohesion is not readily available.\rIf the user "
    "designates zero values for both Alpha factor and Nc,\rthe program will internally generate those values during "
    "computation.";

using TEngineEntry = int (*)(int);

/// The C library reads and writes numbers with "." while it lives, whatever the user's locale;
/// the engine formats with the C library. Only this process is affected.
class TNumericLocale {
public:
    TNumericLocale()
    {
        const char *current = std::setlocale(LC_NUMERIC, nullptr);
        m_saved = current ? current : "C";
        std::setlocale(LC_NUMERIC, "C");
    }
    ~TNumericLocale() { std::setlocale(LC_NUMERIC, m_saved.c_str()); }
    TNumericLocale(const TNumericLocale &) = delete;
    TNumericLocale &operator=(const TNumericLocale &) = delete;

private:
    std::string m_saved;
};

bool timingWanted()
{
    return qEnvironmentVariableIsSet("TARNEL_TIMING");
}

// Milliseconds since the process started, from the kernel's record of its start.
double msSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    unsigned long long startTicks = 0;
    for (int k = 3; k <= 22 && fields >> field; ++k)
        if (k == 22)
            startTicks = std::stoull(field);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
    return nowMs - double(startTicks) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}


TDataForm *dataFormOf(QMdiSubWindow *window)
{
    return window ? qobject_cast<TDataForm *>(window->widget()) : nullptr;
}

TTableForm *tableFormOf(QMdiSubWindow *window)
{
    return window ? qobject_cast<TTableForm *>(window->widget()) : nullptr;
}

} // namespace

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent), m_mdi(new QMdiArea(this))
{
    setObjectName("MainForm");
    setCentralWidget(m_mdi);
    m_mdi->setObjectName("MDIArea");
    m_mdi->installEventFilter(this);
    // Data windows keep their fixed size even while a graph window is maximized.
    m_mdi->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    m_libraryPath = QDir(QCoreApplication::applicationDirPath()).filePath(kLibraryFile);

    setAcceptDrops(true);
    readSettingsAtCreation();
    if (m_editorCommand.isEmpty())
        m_editorCommand = kDefaultEditor;
    createMenus();
    createToolBar();
    m_tables.OnCloseChildWindows = [this] { discardChildWindows(); };
    m_tables.OnUnitsChanged = [this] { refreshOpenForms(); };
    m_tables.layers().Comments = layerComments(2);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &TMainForm::SubWindowActivated);

    m_live = new TLiveAnalysis(this);
    StatusLive = new QLabel(this);
    StatusLive->setObjectName("StatusLive");
    statusBar()->addWidget(StatusLive, 1);
    connect(m_live, &TLiveAnalysis::statusChanged, StatusLive, &QLabel::setText);
    connect(m_live, &TLiveAnalysis::finished, this, &TMainForm::LiveAnalysisFinished);
    CompLive->setChecked(m_liveWanted);
    connect(CompLive, &QAction::toggled, this, &TMainForm::CompLiveClick);
    setCaption();
    resize(1280, 840);
}

TMainForm::~TMainForm()
{
    m_tables.OnCloseChildWindows = nullptr;
    m_tables.OnUnitsChanged = nullptr;
    m_closing = true;
    discardChildWindows();
}

// ---------------------------------------------------------------------------------------
// Settings

void TMainForm::readSettingsAtCreation()
{
    const auto settings = ask().settings();
    settings->beginGroup(kSettingsGroup);
    m_editorCommand = settings->value("Word Processor").toString();
    m_liveWanted = settings->value(kLiveSetting, false).toBool();
    m_recent.fill(QString());
}

void TMainForm::readSettingsAtFirstShow()
{
    const auto settings = ask().settings();
    if (!settings->childGroups().contains(kSettingsGroup))
        return;
    settings->beginGroup(kSettingsGroup);
    const QString editor = settings->value("Word Processor").toString();
    std::array<QString, 10> stored;
    for (int k = 0; k < 10; ++k)
        stored[size_t(k)] = settings->value(QString("File%1").arg(k + 1)).toString();
    if (settings->status() != QSettings::NoError) {
        // An unreadable store leaves no editor; the viewers fall back to the desktop's.
        m_editorCommand = kDefaultEditor;
        m_recent.fill(QString());
        return;
    }
    if (!editor.isEmpty())
        m_editorCommand = editor;
    m_recent = stored;
}

void TMainForm::UpdateRegistry()
{
    const auto settings = ask().settings();
    settings->beginGroup(kSettingsGroup);
    settings->setValue("Word Processor", m_editorCommand);
    settings->setValue(kLiveSetting, CompLive->isChecked());
    for (int k = 0; k < 10; ++k)
        settings->setValue(QString("File%1").arg(k + 1), m_recent[size_t(k)]);
    settings->endGroup();
    settings->sync(); // a store that cannot be written is ignored
}

int TMainForm::recentCount() const
{
    return int(std::count_if(m_recent.begin(), m_recent.end(), [](const QString &s) { return !s.isEmpty(); }));
}

void TMainForm::UpdatePrevFile(const QString &path)
{
    if (m_recent[0] == path)
        return;
    auto found = std::find(m_recent.begin() + 1, m_recent.end(), path);
    // Found in slot i: slots 0..i-1 move down; not found: the last slot drops out.
    auto last = found == m_recent.end() ? m_recent.end() - 1 : found;
    std::move_backward(m_recent.begin(), last, last + 1);
    m_recent[0] = path;
    UpdateRegistry();
}

// ---------------------------------------------------------------------------------------
// Menus and tool bar

QAction *TMainForm::addItem(QMenu *menu, const char *objectName, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(objectName);
    return a;
}

QAction *TMainForm::action(const char *objectName) const
{
    return findChild<QAction *>(objectName);
}

void TMainForm::createMenus()
{
    QMenu *file = menuBar()->addMenu("&File");
    m_fileMenu = file;
    file->setObjectName("File1");
    QAction *fileNew = addItem(file, "FileNew", "&New");
    fileNew->setShortcut(QKeySequence("Ctrl+N"));
    QAction *fileOpen = addItem(file, "FileOpen", "&Open...");
    fileOpen->setShortcut(QKeySequence("Ctrl+O"));
    QAction *fileSave = addItem(file, "FileSave", "&Save");
    fileSave->setShortcut(QKeySequence("Ctrl+S"));
    QAction *fileSaveAs = addItem(file, "FileSaveAs", "Save &As...");
    file->addSeparator();
    for (int k = 0; k < 10; ++k) {
        QAction *recent = addItem(file, qPrintable(QString("RecentFile%1").arg(k + 1)), QString());
        recent->setVisible(false);
        connect(recent, &QAction::triggered, this, [this, k] { MyFilePopupHandler(k); });
        m_recentItems[size_t(k)] = recent;
    }
    m_recentSeparator = file->addSeparator();
    m_recentSeparator->setVisible(false);
    QAction *fileExit = addItem(file, "FileExit", "E&xit");
    connect(file, &QMenu::aboutToShow, this, &TMainForm::File1Click);
    connect(fileNew, &QAction::triggered, this, &TMainForm::FileNewClick);
    connect(fileOpen, &QAction::triggered, this, &TMainForm::FileOpenClick);
    connect(fileSave, &QAction::triggered, this, [this] {
        if (CloseEditing())
            FileSave();
    });
    connect(fileSaveAs, &QAction::triggered, this, [this] {
        if (CloseEditing())
            FileSaveAs();
    });
    connect(fileExit, &QAction::triggered, this, &QWidget::close);

    QMenu *data = menuBar()->addMenu("Da&ta");
    data->setObjectName("Data1");
    connect(data, &QMenu::aboutToShow, this, &TMainForm::Data1Click);
    connect(addItem(data, "DataTitle", "&Title"), &QAction::triggered, this, [this] { showForm(TFormKind::Title); });
    QMenu *units = data->addMenu("&Units");
    units->setObjectName("OptionsUnits");
    connect(units, &QMenu::aboutToShow, this, &TMainForm::OptionsUnitsClick);
    auto *unitGroup = new QActionGroup(this);
    for (auto [name, caption, tag] : {std::tuple{"EnglishUnits", "&English Units (lbs, in)", 1},
                                      std::tuple{"SIUnits", "&SI Units (kN, m)", 2}}) {
        QAction *a = addItem(units, name, caption);
        a->setCheckable(true);
        a->setData(tag);
        unitGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, tag = tag] { UnitsClick(tag); });
    }
    QMenu *method = data->addMenu("Design Method (ASD or LRFD)");
    method->setObjectName("DesignMethod1");
    connect(method, &QMenu::aboutToShow, this, &TMainForm::DesignMethod1Click);
    for (auto [name, caption, tag] : {std::tuple{"ASDAllowable1", "ASD (Allowable Stress Design)", 2},
                                      std::tuple{"LRFDLoad1", "LRFD (Load Resistance Factor Design)", 1}}) {
        QAction *a = addItem(method, name, caption);
        a->setCheckable(true);
        a->setData(tag);
        connect(a, &QAction::triggered, this, [this, tag = tag] { DesignMethodClick(tag); });
    }
    connect(addItem(data, "PileProperties1", "&Drilled-Shaft Properties"), &QAction::triggered, this,
            [this] { showForm(TFormKind::ShaftProperties); });
    connect(addItem(data, "SoilLayerCoordinates1", "Soil &Layer Data"), &QAction::triggered, this,
            &TMainForm::showLayerTable);
    connect(addItem(data, "SoilParameters1", "&Factor of Safety (Allowable Stress Design)"), &QAction::triggered,
            this, [this] { showForm(TFormKind::SafetyFactor); });
    QMenu *modes = data->addMenu("&Computation Methods");
    modes->setObjectName("CompMethods");
    connect(modes, &QMenu::aboutToShow, this, &TMainForm::CompMethodsClick);
    QAction *byLength = addItem(modes, "shaftlength", "Specify the shaft length");
    QAction *byLoad = addItem(modes, "shaftload", "Specify the design load");
    byLength->setCheckable(true);
    byLoad->setCheckable(true);
    connect(byLength, &QAction::triggered, this, &TMainForm::shaftlengthClick);
    connect(byLoad, &QAction::triggered, this, &TMainForm::shaftloadClick);
    connect(addItem(data, "PrintingIncrements1", "&Water Table"), &QAction::triggered, this,
            [this] { showForm(TFormKind::WaterTable); });
    connect(addItem(data, "OptionsControl", "Control &Options..."), &QAction::triggered, this,
            [this] { showForm(TFormKind::Options); });

    QMenu *comp = menuBar()->addMenu("&Computation");
    comp->setObjectName("Computation1");
    connect(comp, &QMenu::aboutToShow, this, &TMainForm::Computation1Click);
    connect(addItem(comp, "CompRun", "&Run Analysis"), &QAction::triggered, this, &TMainForm::CompRunClick);
    CompLive = addItem(comp, "CompLive", "Analyse While Editing");
    CompLive->setCheckable(true);
    connect(addItem(comp, "CompInput", "Edit I&nput Text"), &QAction::triggered, this, &TMainForm::CompInputClick);
    connect(addItem(comp, "CompKernel", "Edit &Processor-Run Notes"), &QAction::triggered, this,
            &TMainForm::CompKernelClick);
    connect(addItem(comp, "CompOutput", "Edit &Output Text"), &QAction::triggered, this,
            &TMainForm::CompOutputClick);
    comp->addSeparator();
    connect(addItem(comp, "ViewSoil", "&View Shaft Elevation"), &QAction::triggered, this, &TMainForm::ViewSoilClick);

    QMenu *graphics = menuBar()->addMenu("&Graphics");
    graphics->setObjectName("Graphics1");
    connect(graphics, &QMenu::aboutToShow, this, &TMainForm::Graphics1Click);
    const QString captions[kExportPlotCount] = {"Ultimate &Skin Friction vs Depth",
                                  "Ultimate &Tip Resistance vs Depth",
                                  "Ultimate Total &Capacity vs Depth",
                                  "ASD/LRFD Skin Friction vs Depth ",
                                  "ASD/LRFD Tip Resistance vs Depth ",
                                  "ASD/LRFD Total Capacity vs Depth",
                                  "C&ombined Plots vs Depth (ultimate)",
                                  "Combined Plots vs Depth (ASD/LRFD)",
                                  "Axial Load vs Settlement (averaged)",
                                  "Axial Load vs Settlement (upper bound)",
                                  "Axial Load vs Settlement (lower bound)",
                                  "Combined Plots of Load vs Settlement",
                                  "t-&z Curves Used (last diameter)",
                                  "&q-w Curve Used (last diameter)"};
    for (int k = 0; k < kExportPlotCount; ++k) {
        connect(addItem(graphics, kGraphItems[k], captions[k]), &QAction::triggered, this, [this, k] { ShowGraph(k + 1); });
        if (k == 2 || k == 5 || k == 7 || k == 11 || k == 13)
            graphics->addSeparator();
    }
    // Visible: the program writes the workbook itself, no outside spreadsheet program needed.
    QAction *exportItem = addItem(graphics, "ExportExcel", "Export Plots to Excel");
    connect(exportItem, &QAction::triggered, this, &TMainForm::ExportExcelClick);

    QMenu *window = menuBar()->addMenu("&Window");
    m_windowMenu = window;
    window->setObjectName("ArrangeMenu");
    connect(window, &QMenu::aboutToShow, this, &TMainForm::ArrangeMenuClick);
    connect(addItem(window, "Cascade1", "&Cascade"), &QAction::triggered, this, &TMainForm::CascadeClick);
    connect(addItem(window, "ArrangeIcons1", "&Arrange Icons"), &QAction::triggered, this,
            &TMainForm::ArrangeIconsClick);
    m_windowSeparator = window->addSeparator();
    m_windowSeparator->setVisible(false);
    for (int k = 0; k < 50; ++k) {
        QAction *item = addItem(window, qPrintable(QString("WindowItem%1").arg(k)), QString());
        item->setVisible(false);
        item->setData(k);
        connect(item, &QAction::triggered, this, [this, item] { WindowItemClick(item->data().toInt()); });
        m_windowItems[size_t(k)] = item;
    }

    // The manual is shipped with the program; there is no update check, nothing goes out.
    QMenu *help = menuBar()->addMenu("&Help");
    help->setObjectName("Help1");
    connect(addItem(help, "HelpContents", "&Contents"), &QAction::triggered, this,
            [this] { HelpPageClick("index.html"); });
    connect(addItem(help, "HelpUserManual", "&User's Manual"), &QAction::triggered, this,
            [this] { HelpPageClick("getting-started.html"); });
    connect(addItem(help, "HelpTechnicalManual", "&Technical Manual"), &QAction::triggered, this,
            [this] { HelpPageClick("methods.html"); });
    help->addSeparator();
    connect(addItem(help, "HelpAbout", "&About"), &QAction::triggered, this, &TMainForm::HelpAboutClick);
}

void TMainForm::createToolBar()
{
    QToolBar *bar = addToolBar("ToolBar1");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setIconSize(QSize(25, 25));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    struct Button {
        const char *name, *hint, *icon;
        bool enabled;
    };
    const Button buttons[] = {{"SpeedButton2", "New File", "new", true},
                              {"SpeedButton1", "Open File", "open", true},
                              {"SpeedButton3", "Save File", "save", true},
                              {"SpeedButton4", "Run Data File", "run", true},
                              {"SpeedButton7", "Soil layer Data", "layers", true},
                              {"SpeedButton5", "View Output", "output", true},
                              {"SpeedButton6", "View Soil Profile", "profile", true},
                              {"SpeedButton8", "Combined Plot (Ultimate)", "combined", false},
                              {"SpeedButton9", "Combined Plot (LRFD/ASD)", "combinedd", false},
                              {"SpeedButton10", "Load vs. Settlement", "settlement", false}};
    for (const Button &b : buttons) {
        QAction *a = bar->addAction(QIcon(QString(":/pictures/%1.png").arg(b.icon)), b.hint);
        a->setObjectName(b.name);
        a->setToolTip(b.hint);
        a->setEnabled(b.enabled);
        if (QString(b.name) == "SpeedButton4" || QString(b.name) == "SpeedButton6")
            bar->addSeparator();
    }
    connect(action("SpeedButton2"), &QAction::triggered, this, &TMainForm::FileNewClick);
    connect(action("SpeedButton1"), &QAction::triggered, this, &TMainForm::FileOpenClick);
    connect(action("SpeedButton3"), &QAction::triggered, this, [this] {
        if (CloseEditing())
            FileSave();
    });
    connect(action("SpeedButton4"), &QAction::triggered, this, &TMainForm::CompRunClick);
    connect(action("SpeedButton7"), &QAction::triggered, this, &TMainForm::showLayerTable);
    connect(action("SpeedButton5"), &QAction::triggered, this, &TMainForm::CompOutputClick);
    connect(action("SpeedButton6"), &QAction::triggered, this, &TMainForm::ViewSoilClick);
    connect(action("SpeedButton8"), &QAction::triggered, this, [this] { ShowGraph(kCombineIndex); });
    connect(action("SpeedButton9"), &QAction::triggered, this, [this] { ShowGraph(kCombineDIndex); });
    connect(action("SpeedButton10"), &QAction::triggered, this, [this] { ShowGraph(kAxialIndex); });
}

// ---------------------------------------------------------------------------------------
// Menu opening

void TMainForm::File1Click()
{
    CloseEditing(false);
    const int count = recentCount();
    const QString folder = QDir::currentPath() + "/";
    for (int k = 0; k < 10; ++k) {
        QString path = m_recent[size_t(k)];
        const qsizetype at = path.indexOf(folder);
        if (at >= 0)
            path = path.mid(at + folder.size());
        m_recentItems[size_t(k)]->setText(QString("%1 %2").arg(k + 1).arg(menuText(path)));
        m_recentItems[size_t(k)]->setVisible(k < count);
    }
    m_recentSeparator->setVisible(count > 0);
}

void TMainForm::Data1Click()
{
    CloseEditing(false);
    action("SoilParameters1")->setEnabled(m_project.DesignMethod == 2);
}

void TMainForm::OptionsUnitsClick()
{
    action("EnglishUnits")->setChecked(m_project.Units == 1);
    action("SIUnits")->setChecked(m_project.Units == 2);
}

void TMainForm::UnitsClick(int units)
{
    CloseEditing(false);
    if (units != m_project.Units)
        m_tables.FormsModified = true;
    m_project.SetUnits(units);
    ProjectStored();
}

void TMainForm::DesignMethod1Click()
{
    action("LRFDLoad1")->setChecked(m_project.DesignMethod == 1);
    action("ASDAllowable1")->setChecked(m_project.DesignMethod == 2);
}

void TMainForm::DesignMethodClick(int method)
{
    CloseEditing(false);
    if (method != m_project.DesignMethod)
        m_tables.FormsModified = true;
    m_project.DesignMethod = method;
    applyDesignMethod(true);
    ProjectStored();
}

void TMainForm::applyDesignMethod(bool withComments)
{
    TGridTable &layers = m_tables.layers();
    if (withComments)
        layers.Comments = layerComments(m_project.DesignMethod);
    TTableForm *form = TTableForm::formOf(layers);
    if (!form)
        return;
    const bool lrfd = m_project.DesignMethod == 1;
    const bool shown = !form->grid()->isColumnHidden(colRFSide);
    form->grid()->setColumnHidden(colRFSide, !lrfd);
    form->grid()->setColumnHidden(colRFTip, !lrfd);
    // Two more columns: the open window widens to show them, as far as the frame allows.
    if (lrfd && !shown)
        if (auto *holder = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
            holder->resize(std::max(holder->width(), tableWindowWidth(form) + 12), holder->height());
    if (withComments)
        form->refreshComments();
}

void TMainForm::CompMethodsClick()
{
    action("shaftload")->setChecked(m_project.DesignMode == 1);
    action("shaftlength")->setChecked(m_project.DesignMode == 2);
}

void TMainForm::shaftlengthClick()
{
    if (m_project.DesignMode != 2)
        m_tables.FormsModified = true;
    m_project.DesignMode = 2;
    ProjectStored();
    if (QMdiSubWindow *load = m_forms[size_t(TFormKind::DesignLoad)]; load && !load->close())
        return;
    showForm(TFormKind::ShaftLength);
}

void TMainForm::shaftloadClick()
{
    if (m_project.DesignMode != 1)
        m_tables.FormsModified = true;
    m_project.DesignMode = 1;
    ProjectStored();
    if (QMdiSubWindow *length = m_forms[size_t(TFormKind::ShaftLength)]; length && !length->close())
        return;
    showForm(TFormKind::DesignLoad);
}

void TMainForm::Computation1Click()
{
    CloseEditing(false);
    action("CompInput")->setEnabled(QFileInfo::exists(m_project.FileName));
    action("CompKernel")->setEnabled(QFileInfo::exists(withExtension(".tnr")));
    action("CompOutput")->setEnabled(QFileInfo::exists(withExtension(".tno")));
}

void TMainForm::Graphics1Click()
{
    const std::array<bool, kExportPlotCount> available = availableGraphs();
    for (size_t k = 0; k < std::size(kGraphItems); ++k)
        action(kGraphItems[k])->setEnabled(available[k]);
    action("ExportExcel")->setEnabled(std::find(available.begin(), available.end(), true) != available.end());
}

void TMainForm::ArrangeMenuClick()
{
    const QList<QMdiSubWindow *> children = m_mdi->subWindowList(QMdiArea::CreationOrder);
    for (int k = 0; k < 50; ++k) {
        QAction *item = m_windowItems[size_t(k)];
        if (k < children.size()) {
            item->setText(menuText(children.at(k)->windowTitle()));
            item->setData(k);
            item->setVisible(true);
        } else {
            item->setVisible(false);
        }
    }
    m_windowSeparator->setVisible(!children.isEmpty());
}

void TMainForm::WindowItemClick(int tag)
{
    const QList<QMdiSubWindow *> children = m_mdi->subWindowList(QMdiArea::CreationOrder);
    if (tag < 0 || tag >= children.size())
        return;
    QMdiSubWindow *child = children.at(tag);
    if (child->isMinimized())
        child->showNormal();
    child->show();
    child->raise();
    m_mdi->setActiveSubWindow(child);
    SubWindowActivated(child);
}

void TMainForm::CascadeClick()
{
    // Each window steps down and right from the last with the size it has, held within the
    // frame; the area's own cascade would shrink the graphs to their smallest size.
    const int step = 26;
    const QSize room = m_mdi->viewport()->size();
    int k = 0;
    QMdiSubWindow *last = nullptr;
    for (QMdiSubWindow *child : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (!child->isVisible() || child->isMinimized())
            continue;
        if (child->isMaximized())
            child->showNormal();
        const QPoint at(k * step % std::max(step, room.width() / 2), k * step % std::max(step, room.height() / 2));
        QSize size = child->size();
        if (!child->widget() || !child->widget()->layout() ||
            child->widget()->layout()->sizeConstraint() != QLayout::SetFixedSize)
            size = size.boundedTo(room - QSize(at.x(), at.y()));
        child->setGeometry(QRect(at, size));
        child->raise();
        last = child;
        ++k;
    }
    if (last)
        m_mdi->setActiveSubWindow(last);
}

void TMainForm::ArrangeIconsClick()
{
    // Minimized windows line up along the bottom edge, left to right, as icons do.
    int x = 0;
    int y = m_mdi->viewport()->height();
    for (QMdiSubWindow *child : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (!child->isMinimized())
            continue;
        const QSize size = child->size();
        if (x > 0 && x + size.width() > m_mdi->viewport()->width()) {
            x = 0;
            y -= size.height();
        }
        child->move(x, y - size.height());
        x += size.width();
    }
}

// ---------------------------------------------------------------------------------------
// Child windows

TDataForm *TMainForm::form(TFormKind kind) const
{
    return dataFormOf(m_forms[size_t(kind)]);
}

TDataForm *TMainForm::showForm(TFormKind kind)
{
    QPointer<QMdiSubWindow> &slot = m_forms[size_t(kind)];
    if (!slot) {
        TDataForm *content = nullptr;
        switch (kind) {
        case TFormKind::Title: content = new TdlgTitle(m_project, m_tables); break;
        case TFormKind::Options: content = new TDlgOptions(m_project, m_tables, m_editorCommand); break;
        case TFormKind::ShaftProperties: content = new TfrmShaftpeneta(m_project, m_tables); break;
        case TFormKind::ShaftLength: content = new TfrmPenetration(m_project, m_tables); break;
        case TFormKind::DesignLoad: content = new TfrmDesignLoad(m_project, m_tables); break;
        case TFormKind::WaterTable: content = new TfrmWaterDepth(m_project, m_tables); break;
        case TFormKind::SafetyFactor: content = new TfrmSafetyFactor(m_project, m_tables); break;
        }
        content->setAttribute(Qt::WA_DeleteOnClose);
        // While analysing as the user edits, a finished entry is stored at once, so the
        // graphs follow each value rather than each change of window.
        for (TDataEdit *field : content->fields())
            connect(field, &TDataEdit::EntryAccepted, this, [this, content] {
                if (CompLive->isChecked() && content->FormDeactivate(false))
                    ProjectStored();
            });
        // The "created" flag clears at once: a window closing is not reused.
        connect(content, &TDataForm::Closed, this, [this, kind] {
            if (m_activeChild == m_forms[size_t(kind)])
                m_activeChild = nullptr;
            m_forms[size_t(kind)].clear();
        });
        // A fixed border: the window takes the size its fields need and keeps it.
        content->layout()->setSizeConstraint(QLayout::SetFixedSize);
        slot = m_mdi->addSubWindow(content, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        slot->setAttribute(Qt::WA_DeleteOnClose);
        slot->setWindowIcon(QIcon(":/pictures/form.png"));
        placeNewChild(slot);
    }
    QMdiSubWindow *window = slot;
    if (window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    m_mdi->setActiveSubWindow(window);
    SubWindowActivated(window);
    return dataFormOf(window);
}

QWidget *TMainForm::showLayerTable()
{
    TGridTable &layers = m_tables.layers();
    const bool fresh = TTableForm::formOf(layers) == nullptr;
    TTableForm *table = TTableForm::open(layers, m_mdi);
    applyDesignMethod(false);
    if (fresh) {
        adoptWindow(table);
        connect(table->grid()->model(), &QAbstractItemModel::modelReset, this, [this] { applyDesignMethod(false); });
    }
    if (auto *window = qobject_cast<QMdiSubWindow *>(table->parentWidget())) {
        if (window->isMinimized())
            window->showNormal();
        m_mdi->setActiveSubWindow(window);
        SubWindowActivated(window);
    }
    return table;
}

// The table windows make themselves top-level windows of the window they are given; they
// are taken into the frame before they reach the screen.
bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ChildAdded) {
        auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child());
        if (child && child->windowType() == Qt::Window) {
            child->setAttribute(Qt::WA_DontShowOnScreen);
            const TGridTable &layers = m_tables.layers();
            for (int row = 0; row < layers.rowCount(); ++row) {
                TGridTable &nested = layers.nested(colLayerData, row);
                if (nested.Identifier == 1)
                    nested.Comments = kSandComments;
                else if (nested.Identifier == 2)
                    nested.Comments = kClayComments;
            }
            QPointer<QWidget> guarded(child);
            QTimer::singleShot(0, this, [this, guarded] {
                if (guarded)
                    adoptWindow(guarded);
            });
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

int TMainForm::tableWindowWidth(TTableForm *table) const
{
    // Wide enough to show every column, as far as the frame allows.
    TGridView *grid = table->grid();
    int width = grid->verticalHeader()->width() + 2 * grid->frameWidth() + 40;
    for (int col = 0; col < grid->model()->columnCount(); ++col)
        if (!grid->isColumnHidden(col))
            width += grid->columnWidth(col);
    return std::min(width, std::max(200, m_mdi->viewport()->width() - 40));
}

void TMainForm::adoptWindow(QWidget *window)
{
    auto *holder = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    if ((holder && holder->widget() == window) || !window->testAttribute(Qt::WA_DontShowOnScreen))
        return;
    const bool wasShown = window->isVisible();
    const QSize size = window->size();
    window->hide();
    window->setAttribute(Qt::WA_DontShowOnScreen, false);
    QMdiSubWindow *sub = m_mdi->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(window->windowTitle());
    sub->setWindowIcon(QIcon(":/pictures/layers.png"));
    sub->installEventFilter(this);
    QSize wanted = size;
    if (auto *table = qobject_cast<TTableForm *>(window)) {
        wanted.setWidth(std::clamp(tableWindowWidth(table), size.width(), std::max(size.width(), m_mdi->viewport()->width() - 40)));
        QAbstractItemModel *model = table->grid()->model();
        for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            connect(model, signal, this, &TMainForm::ProjectStored);
        connect(model, &QAbstractItemModel::dataChanged, this, &TMainForm::ProjectStored);
    }
    sub->resize(wanted.expandedTo(sub->minimumSizeHint()) + QSize(12, 36));
    placeNewChild(sub);
    // A window that deletes itself takes its frame with it.
    connect(window, &QObject::destroyed, sub, &QObject::deleteLater);
    if (wasShown) {
        window->show();
        sub->show();
        m_mdi->setActiveSubWindow(sub);
        SubWindowActivated(sub);
    }
}

// New children open in a cascade from the top left corner, each one step further in.
void TMainForm::placeNewChild(QMdiSubWindow *child)
{
    const int step = 26;
    const int k = int(m_mdi->subWindowList().size() - 1) % 8;
    child->move(k * step, k * step);
}

void TMainForm::SubWindowActivated(QMdiSubWindow *window)
{
    // A modal box or another program taking the focus is no change of child.
    if (m_reactivating || (!window && !isActiveWindow()))
        return;
    QMdiSubWindow *previous = m_activeChild;
    if (previous == window)
        return;
    if (previous && previous->isVisible()) {
        bool stored = true;
        if (TDataForm *form = dataFormOf(previous))
            stored = form->FormDeactivate(true);
        else if (TTableForm *table = tableFormOf(previous); table && table->grid()->isEditing())
            stored = table->grid()->commitOpenEditor();
        if (!stored) {
            // The window keeps the user in it, in front, until the entry is put right.
            m_reactivating = true;
            m_mdi->setActiveSubWindow(previous);
            // The area raises the window it was activating once this returns.
            QTimer::singleShot(0, previous, [previous] { previous->raise(); });
            m_reactivating = false;
            return;
        }
        ProjectStored();
    }
    m_activeChild = window;
    if (TDataForm *form = dataFormOf(window))
        form->FormActivate();
}

bool TMainForm::CloseEditing(bool report)
{
    QMdiSubWindow *current = m_mdi->currentSubWindow();
    if (!current)
        return true;
    bool stored = true;
    if (TDataForm *form = dataFormOf(current))
        stored = form->FormDeactivate(report);
    else if (TTableForm *table = tableFormOf(current); table && table->grid()->isEditing())
        stored = table->grid()->commitOpenEditor();
    if (stored)
        ProjectStored();
    return stored;
}

void TMainForm::refreshOpenForms()
{
    for (const QPointer<QMdiSubWindow> &window : m_forms)
        if (TDataForm *form = dataFormOf(window))
            form->FormActivate();
}

void TMainForm::discardChildWindows()
{
    m_activeChild = nullptr;
    for (QMdiSubWindow *child : m_mdi->subWindowList())
        delete child;
    for (QPointer<QMdiSubWindow> &window : m_forms)
        window.clear();
}

// ---------------------------------------------------------------------------------------
// Files

void TMainForm::setCaption()
{
    setWindowTitle(mainCaption(m_project.FileName));
}

void TMainForm::setResultsLoaded(bool loaded)
{
    m_resultsLoaded = loaded;
    m_liveResults = false;
    for (const char *name : {"SpeedButton8", "SpeedButton9", "SpeedButton10"})
        action(name)->setEnabled(loaded);
}

QString TMainForm::withExtension(const char *extension) const
{
    const QFileInfo info(m_project.FileName);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf('.');
    const QString base = dot > 0 ? name.left(dot) : name;
    return info.dir().filePath(base + extension);
}

void TMainForm::openStartupProject(const QStringList &arguments)
{
    QString path = arguments.value(0);
    if (!path.isEmpty() && !path.contains('.'))
        path += ".tnd";
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        m_project.Create();
        setCaption();
        setResultsLoaded(false);
        applyDesignMethod(false);
        return;
    }
    OpenFileName(QFileInfo(path).absoluteFilePath(), true, false, true);
}

bool TMainForm::AskToSave()
{
    if (!m_tables.modified())
        return true;
    switch (ask().yesNoCancel(this, "Do you want to save any changes?")) {
    case QMessageBox::No:
        return true;
    case QMessageBox::Yes:
        // A save that failed or was cancelled keeps the project.
        return FileSave() && m_project.FileName != kDefaultProjectName;
    default:
        return false;
    }
}

void TMainForm::FileNewClick()
{
    if (!CloseEditing())
        return;
    if (AskToSave()) {
        m_project.Create();
        setCaption();
        m_tzGraphs.Clear();
        ProjectStored();
    }
    setResultsLoaded(false);
    applyDesignMethod(false);
}

void TMainForm::FileOpenClick()
{
    if (!CloseEditing() || !AskToSave())
        return;
    TFileDialogSpec spec{"Open", {}, "TARNEL 2012(*.tnd)|*.tnd|TARNEL 6.0(*.tnd)|*.tnd|All Files(*.*)|*.*", "tnd", 1};
    const QString path = ask().openFileName(this, spec);
    if (!path.isEmpty())
        OpenFileName(QFileInfo(path).absoluteFilePath(), spec.filterIndex != 2);
}

void TMainForm::MyFilePopupHandler(int slot)
{
    if (!CloseEditing() || !AskToSave())
        return;
    const QString path = m_recent[size_t(slot)];
    if (!path.isEmpty())
        OpenFileName(path);
}

bool TMainForm::OpenFileName(const QString &path, bool currentLayout, bool recordRecent, bool applyDesignMethod)
{
    // A file that cannot be read at all (gone, a folder, no permission) leaves the project on
    // screen whole instead of replacing it by an empty one. A file that reads but holds a
    // fault opens with what was read and the loader's message, so that it can be put right.
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        try {
            TProjectTables scratchTables;
            TProgramData scratch(scratchTables);
            scratch.CreateFromFile(path, currentLayout);
        } catch (const std::exception &error) {
            showMessage(this, QString::fromStdString(error.what()));
            return false;
        }
    }
    QDir::setCurrent(file.absolutePath());
    try {
        m_project.CreateFromFile(path, currentLayout);
    } catch (const std::exception &error) {
        showMessage(this, QString::fromStdString(error.what()));
    }
    setCaption();
    setResultsLoaded(false);
    loadTzCurves();
    const QString plot = withExtension(".tnp");
    if (QFileInfo::exists(plot))
        setResultsLoaded(LoadPlotFile(plot, false));
    ProjectStored();
    if (recordRecent)
        UpdatePrevFile(path);
    if (applyDesignMethod)
        this->applyDesignMethod(false);
    return true;
}

bool TMainForm::FileSave()
{
    if (m_project.FileName == kDefaultProjectName)
        return FileSaveAs();
    try {
        m_project.SaveToFile();
        return true;
    } catch (const std::exception &error) {
        showMessage(this, QString::fromStdString(error.what()));
        return false;
    }
}

bool TMainForm::FileSaveAs()
{
    TFileDialogSpec spec{"Save " + projectDisplayName(m_project.FileName) + " As", m_project.FileName,
                         "TARNEL 7.0(*.tnd)|*.tnd|All File(*.*)|*.*", "tnd", 1};
    const QString chosen = ask().saveFileName(this, spec);
    setResultsLoaded(false);
    if (chosen.isEmpty())
        return false;
    const QString previous = m_project.FileName;
    m_project.FileName = QFileInfo(chosen).absoluteFilePath();
    setCaption();
    try {
        m_project.SaveToFile();
        return true;
    } catch (const std::exception &error) {
        // Nothing was written there: the project keeps the name it had.
        m_project.FileName = previous;
        setCaption();
        showMessage(this, QString::fromStdString(error.what()));
        return false;
    }
}

// ---------------------------------------------------------------------------------------
// The run

void TMainForm::CompRunClick()
{
    if (!CloseEditing())
        return;
    // A late result of an analysis while editing must not overwrite this run's graphs.
    m_live->cancel();
    QElapsedTimer clock;
    clock.start();
    if (!FileSave() || m_project.FileName == kDefaultProjectName)
        return;

    const TNumericLocale numbers;
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    const QString project = QFileInfo(m_project.FileName).absoluteFilePath();
    QDir::setCurrent(QFileInfo(project).absolutePath());
    const QString handOff = QDir::current().filePath("names.dat");
    {
        QFile names(handOff);
        QByteArray text = QByteArray(kProgramVersion) + "\r\n";
        for (const char *extension : {"", ".tno", ".tnp", ".tnr"})
            text += QFile::encodeName(*extension ? withExtension(extension) : project) + "\r\n";
        if (!names.open(QIODevice::WriteOnly | QIODevice::Truncate) || names.write(text) != text.size()) {
            showMessage(this, QString("The file \"%1\" could not be written:\r%2").arg(handOff, names.errorString()));
            names.close();
            QFile::remove(handOff);
            return;
        }
    }
    // names.dat lives only while a run is under way, also when the run stops early.
    const auto removeHandOff = qScopeGuard([&] { QFile::remove(handOff); });

    if (m_library) {
        showMessage(this, "Attempt to reinitialize DLL");
        return;
    }
    TEngineEntry entry = nullptr;
    try {
        m_library = std::make_unique<TDynamicLibrary>();
        m_library->setLibraryName(QFile::encodeName(m_libraryPath).toStdString());
        m_library->Open();
        entry = reinterpret_cast<TEngineEntry>(m_library->GetEntry("_ITARNEL"));
    } catch (const EDLLError &) {
        m_library.reset();
        showMessage(this, "Attempt to initialize DLL failed");
        return;
    }
    if (!entry) {
        m_library.reset();
        showMessage(this, "Attempt to initialize DLL failed\r" + m_libraryPath + " has no entry _ITARNEL.");
        return;
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const qint64 engineStart = clock.elapsed();
    const int result = entry(15);
    const qint64 engineMs = clock.elapsed() - engineStart;
    QApplication::restoreOverrideCursor();

    showMessage(this, result != 0 ? "Computations are completed, but there may be errors.\rPlease, check output "
                                    "file for results or error messages."
                                  : "Computations are completed.\rPlease, check output file for results or error "
                                    "messages.");
    const qint64 loadStart = clock.elapsed();
    setResultsLoaded(false);
    loadTzCurves();
    const QString plot = withExtension(".tnp");
    if (QFileInfo::exists(plot))
        setResultsLoaded(LoadPlotFile(plot, true));
    if (timingWanted())
        std::fprintf(stderr, "run: engine %lld ms, results loaded %lld ms, total without the box %lld ms\n",
                     static_cast<long long>(engineMs), static_cast<long long>(clock.elapsed() - loadStart),
                     static_cast<long long>(engineStart + engineMs + clock.elapsed() - loadStart));
    m_library.reset();
}

bool TMainForm::LoadPlotFile(const QString &path, bool showErrors)
{
    std::string failure;
    const bool loaded = m_graphs.LoadPlotFile(path, m_project, &failure);
    if (!loaded && showErrors) {
        QString text = "An error occured in running the main program.";
        if (!failure.empty())
            text += "\r" + QString::fromStdString(failure);
        showMessage(this, text);
    }
    // Open graph windows keep their scale and show the new curves.
    refreshGraphWindows(false);
    return loaded;
}

void TMainForm::loadTzCurves()
{
    if (!m_tzGraphs.LoadForProject(m_project.FileName, m_project))
        m_tzGraphs.Clear();
}

void TMainForm::CompLiveClick(bool on)
{
    UpdateRegistry();
    if (on) {
        TProgramData copy(m_project); // writing applies the design-mode rule to what it writes
        m_live->request(copy.WriteText(), m_project.FileName);
    } else {
        m_live->cancel();
        StatusLive->clear();
    }
}

void TMainForm::ProjectStored()
{
    if (!CompLive->isChecked())
        return;
    TProgramData copy(m_project);
    m_live->requestIfChanged(copy.WriteText(), m_project.FileName);
}

void TMainForm::LiveAnalysisFinished(const TLiveResult &result)
{
    if (result.outcome != TLiveOutcome::Finished)
        return; // the status line says what happened; the graphs keep what they show
    const TRunResultsLoad load = loadRunResults(result.plotPath, result.tzDataPath, m_project, m_graphs, m_tzGraphs);
    if (load.plotLoaded) {
        setResultsLoaded(true);
        m_liveResults = true;
    }
    // The graphs follow the project as it is edited: open windows take the new scale.
    refreshGraphWindows(true);
}

void TMainForm::ShowGraph(int menuIndex)
{
    TGraphPlot *graph = menuIndex <= 12 ? m_graphs.graph(menuIndex) : m_tzGraphs.graph(menuIndex);
    if (graph)
        ::ShowGraph(*graph, m_mdi);
}

void TMainForm::refreshGraphWindows(bool rescale)
{
    std::vector<TGraphPlot *> graphs = m_graphs.all();
    for (TGraphPlot *graph : m_tzGraphs.all())
        graphs.push_back(graph);
    for (TGraphPlot *graph : graphs)
        if (auto *window = qobject_cast<TPlotForm *>(graph->Window.data()))
            window->DataChanged(rescale);
}

QMdiSubWindow *TMainForm::addSideView()
{
    auto *view = new TDlgSideView(m_project);
    QMdiSubWindow *child = m_mdi->addSubWindow(view);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->setWindowIcon(QIcon(":/pictures/profile.png"));
    placeNewChild(child);
    // Tall rather than wide: a shaft in its profile.
    child->resize(480, 640);
    child->show();
    return child;
}

void TMainForm::createStartupSideView()
{
    // Not the command's own window: the first "&View Shaft Elevation" opens another.
    addSideView();
}

void TMainForm::ViewSoilClick()
{
    if (!m_sideView)
        m_sideView = addSideView();
    m_sideView->showNormal();
    m_mdi->setActiveSubWindow(m_sideView);
}

std::array<bool, kExportPlotCount> TMainForm::availableGraphs() const
{
    // Results of an analysis while editing have no plot file beside the project.
    const bool plotFile = m_liveResults || QFileInfo::exists(withExtension(".tnp"));
    return availablePlots(m_resultsLoaded, plotFile, m_project.SettlementCurves, m_tzGraphs.HasCurves(),
                          m_tzGraphs.HasTipCurve());
}

void TMainForm::ExportExcelClick()
{
    TDlgExport::TPlots plots{};
    for (int k = 1; k <= kExportPlotCount; ++k)
        plots[size_t(k - 1)] = k <= 12 ? m_graphs.graph(k) : m_tzGraphs.graph(k);
    TDlgExport dialog(plots, availableGraphs(), m_project.FileName, this);
    ask().runDialog(&dialog);
}

void TMainForm::HelpPageClick(const QString &page)
{
    const THelpTarget target = helpTarget(manualIndexPath(), page);
    if (!target.message.isEmpty()) {
        showMessage(this, target.message);
        return;
    }
    if (!ask().openUrl(target.url))
        showMessage(this, browserFailedMessage(target.url));
}

void TMainForm::HelpAboutClick()
{
    TAboutBox box(this);
    ask().runDialog(&box);
}

void TMainForm::viewFile(const QString &path)
{
    // The path goes to the editor as one argument, so blanks or quotes in it need no quoting.
    QStringList arguments = QProcess::splitCommand(m_editorCommand);
    if (arguments.isEmpty()) {
        showMessage(this, "An error occurred in running the Word Processor");
        return;
    }
    const QString program = arguments.takeFirst();
    arguments << QFileInfo(path).absoluteFilePath();
    if (!ask().startDetached(program, arguments))
        showMessage(this, "An error occurred in running the Word Processor");
}

void TMainForm::CompInputClick()
{
    viewFile(m_project.FileName);
}

void TMainForm::CompKernelClick()
{
    viewFile(withExtension(".tnr"));
}

void TMainForm::CompOutputClick()
{
    viewFile(withExtension(".tno"));
}

// ---------------------------------------------------------------------------------------
// Window events

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_firstShown)
        return;
    m_firstShown = true;
    readSettingsAtFirstShow();
    setCaption();
    applyDesignMethod(false);
    if (timingWanted()) {
        QTimer::singleShot(0, this, [] {
            std::fprintf(stderr, "first window shown %.0f ms after the process started\n", msSinceProcessStart());
            if (qgetenv("TARNEL_TIMING") == "quit")
                QCoreApplication::exit(0);
        });
    }
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!CloseEditing() || !AskToSave()) {
        event->ignore();
        return;
    }
    UpdateRegistry();
    m_closing = true;
    discardChildWindows();
    event->accept();
}

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.constFirst().isLocalFile())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    if (urls.isEmpty() || !urls.constFirst().isLocalFile())
        return;
    const QString path = QFileInfo(urls.constFirst().toLocalFile()).absoluteFilePath();
    if (CloseEditing() && AskToSave())
        OpenFileName(path, true, false, false);
}
