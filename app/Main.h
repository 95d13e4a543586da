#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

#include "core/projectdata.h"
#include "core/exportgraphs.h"
#include "core/resultgraphs.h"
#include "core/tzcurves.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class TDataForm;
class TDynamicLibrary;
class TLiveAnalysis;
class QLabel;
struct TLiveResult;

/// The lazily created data windows of the frame, one "created" flag each.
enum class TFormKind { Title, Options, ShaftProperties, ShaftLength, DesignLoad, WaterTable, SafetyFactor };

/// The program's frame: a multiple-document window that owns the one project, the layer
/// table, the editor command and the recent files, opens every other window, runs the
/// analysis through the engine library and never drops unsaved work without asking.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    TProgramData &project() { return m_project; }
    TProjectTables &tables() { return m_tables; }
    QString projectFileName() const { return m_project.FileName; }
    QMdiArea *mdiArea() const { return m_mdi; }

    /// The start-up rule for the command line: the first argument, with ".tnd" added when it
    /// has no ".", is opened when that file exists (results from its ".tnp" file, not recorded
    /// among the recent files); otherwise a new project is made.
    void openStartupProject(const QStringList &arguments);

    /// Opens a project file as "&Open..." and the recent files do. A file the loader refuses
    /// is reported and the current project stays as it was; false then.
    bool OpenFileName(const QString &path, bool currentLayout = true, bool recordRecent = true,
                      bool applyDesignMethod = true);

    /// The question before a project is dropped; true when the caller may go on.
    bool AskToSave();
    /// Saves in place, or asks for a name for a new project; false when nothing was saved.
    bool FileSave();
    bool FileSaveAs();
    /// Runs the analysis of the current project through the engine library.
    void CompRunClick();

    bool ResultsLoaded() const { return m_resultsLoaded; }
    /// Reads a plot data file into the result graphs; showErrors reports a malformed file.
    bool LoadPlotFile(const QString &path, bool showErrors);
    /// Shows the result graph of a Graphics menu item (1 to 12 in menu order, as
    /// TResultGraphs::graph counts them; 13 and 14 the t-z and q-w curves used).
    void ShowGraph(int menuIndex);
    TResultGraphs &graphs() { return m_graphs; }
    TTzCurveGraphs &tzGraphs() { return m_tzGraphs; }

    /// Analysis while editing; its engine path and time limit can be set for tests.
    TLiveAnalysis &liveAnalysis() { return *m_live; }
    /// A change was stored into the project: analysed at once while "Analyse While Editing"
    /// is checked (nothing is written beside the project).
    void ProjectStored();

    QString editorCommand() const { return m_editorCommand; }
    void setEditorCommand(const QString &command) { m_editorCommand = command; }
    /// Slot 0 is the most recent; empty texts are free slots.
    const std::array<QString, 10> &recentFiles() const { return m_recent; }
    int recentCount() const;
    /// Records a path as the most recent file and writes the settings.
    void UpdatePrevFile(const QString &path);

    /// The engine library; by default Tarnel2012_DLL.so in the program's folder.
    QString libraryPath() const { return m_libraryPath; }
    void setLibraryPath(const QString &path) { m_libraryPath = path; }

    /// The data window of a kind, or nullptr when it is not created.
    TDataForm *form(TFormKind kind) const;
    /// Creates the window on first use, then shows it and brings it to the front.
    TDataForm *showForm(TFormKind kind);
    /// The layer table's window, opened or brought to the front.
    QWidget *showLayerTable();

    /// Stores the values of the active data window (its deactivation); false when a field
    /// there refuses, which it reports when report is set.
    bool CloseEditing(bool report = true);

    /// The elevation view that start-up shows; the view commands open their own window.
    void createStartupSideView();
    /// The graphs of the export list (the twelve Graphics items, then the t-z and q-w curves
    /// used) as the menu enables them.
    std::array<bool, kExportPlotCount> availableGraphs() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus();
    void createToolBar();
    QAction *addItem(QMenu *menu, const char *objectName, const QString &caption);
    QAction *action(const char *objectName) const;

    void FileNewClick();
    void FileOpenClick();
    void MyFilePopupHandler(int slot);
    void File1Click();
    void Data1Click();
    void OptionsUnitsClick();
    void UnitsClick(int units);
    void DesignMethod1Click();
    void DesignMethodClick(int method);
    void CompMethodsClick();
    void shaftlengthClick();
    void shaftloadClick();
    void Computation1Click();
    void CompInputClick();
    void CompKernelClick();
    void CompOutputClick();
    void ViewSoilClick();
    void CompLiveClick(bool on);
    void LiveAnalysisFinished(const TLiveResult &result);
    /// Open graph windows show the graphs' new data; rescale takes the new data's scale.
    void refreshGraphWindows(bool rescale);
    /// The t-z and q-w curves of the project's last run, when the folder's TZDATA.DAT is its.
    void loadTzCurves();
    void Graphics1Click();
    void ExportExcelClick();
    void ArrangeMenuClick();
    void HelpPageClick(const QString &page);
    void HelpAboutClick();
    void CascadeClick();
    void ArrangeIconsClick();
    void WindowItemClick(int tag);
    void SubWindowActivated(QMdiSubWindow *window);

    void setCaption();
    void setResultsLoaded(bool loaded);
    /// Columns 5 and 6 (LRFD factors) shown under LRFD only; withComments also sets the
    /// layer table's comment text.
    void applyDesignMethod(bool withComments);
    void viewFile(const QString &path);
    void readSettingsAtCreation();
    void readSettingsAtFirstShow();
    void UpdateRegistry();
    /// Closes every child window without storing: the project they show is being replaced.
    void discardChildWindows();
    void refreshOpenForms();
    void adoptWindow(QWidget *window);
    void placeNewChild(QMdiSubWindow *child);
    QString withExtension(const char *extension) const;
    QMdiSubWindow *addSideView();
    /// The width that shows every visible column of a table window within the frame.
    int tableWindowWidth(class TTableForm *table) const;

    QMdiArea *m_mdi = nullptr;
    TProjectTables m_tables;
    TProgramData m_project{m_tables};
    TResultGraphs m_graphs;
    TTzCurveGraphs m_tzGraphs;
    QString m_editorCommand;
    std::array<QString, 10> m_recent;
    bool m_resultsLoaded = false;
    bool m_liveResults = false; // the loaded results are an analysis while editing
    bool m_liveWanted = false;  // the setting read at creation
    TLiveAnalysis *m_live = nullptr;
    QLabel *StatusLive = nullptr;
    QAction *CompLive = nullptr;
    bool m_firstShown = false;
    bool m_closing = false;
    QString m_libraryPath;
    std::unique_ptr<TDynamicLibrary> m_library; // only during a run
    std::array<QPointer<QMdiSubWindow>, 7> m_forms;
    QPointer<QMdiSubWindow> m_sideView; // the view commands' own window
    QPointer<QMdiSubWindow> m_activeChild;
    bool m_reactivating = false;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_windowMenu = nullptr;
    std::array<QAction *, 10> m_recentItems{};
    QAction *m_recentSeparator = nullptr;
    QAction *m_windowSeparator = nullptr;
    std::array<QAction *, 50> m_windowItems{};
};
