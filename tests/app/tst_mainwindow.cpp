#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTableView>
#include <QtTest>

#include "DataEdit.h"
#include "DataForm.h"
#include "Main.h"
#include "PileSide.h"
#include "Table.h"
#include "cPileProperties.h"
#include "core/displayname.h"
#include "main_form_input.h"
#include "scripted_ask.h"

namespace {

// What opening a menu does before it drops down.
void openMenu(TMainForm &form, const char *name)
{
    QMenu *menu = form.findChild<QMenu *>(name);
    Q_ASSERT(menu);
    emit menu->aboutToShow();
}

QString copyExample(const QTemporaryDir &dir, const QString &example, const QString &name)
{
    const QString path = dir.filePath(name);
    QFile::remove(path);
    if (!QFile::copy(QString(TARNEL_EXAMPLES "/") + example, path))
        qFatal("cannot copy %s", qPrintable(example));
    return path;
}

// A project with the engine's results beside it.
QString withResults(const QTemporaryDir &dir, const QString &name)
{
    const QString path = copyExample(dir, "stiff-clay.tnd", name);
    TScriptedAsk quiet;
    TMainForm runner;
    runner.setLibraryPath(TARNEL_BIN_DIR "/Tarnel2012_DLL.so");
    if (!runner.OpenFileName(path))
        qFatal("cannot open %s", qPrintable(path));
    item(runner, "CompRun")->trigger();
    if (!runner.ResultsLoaded())
        qFatal("no results for %s: %s", qPrintable(path), qPrintable(quiet.messages.join(" | ")));
    return path;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void captionOfNewProject()
    {
        TScriptedAsk ask;
        TMainForm form;
        QCOMPARE(form.windowTitle(), QString("TARNEL 2012.7.15 - NewTarnel"));
    }

    void menuCaptions()
    {
        TScriptedAsk ask;
        TMainForm form;
        QStringList captions;
        for (QAction *a : form.menuBar()->actions())
            captions << a->text();
        QCOMPARE(captions, (QStringList{"&File", "Da&ta", "&Computation", "&Graphics", "&Window", "&Help"}));
        auto *exportItem = form.findChild<QAction *>("ExportExcel");
        QVERIFY(exportItem);
        QVERIFY(exportItem->isVisible()); // the workbook is written without an outside program
        QCOMPARE(form.findChild<QAction *>("CombinedSettlement1")->text(),
                 QString("Combined Plots of Load vs Settlement"));
    }

    void helpOpensTheShippedManual()
    {
        TScriptedAsk ask;
        TMainForm form;
        QVERIFY(!form.findChild<QAction *>("HelpUpdate")); // nothing goes out to the network
        form.findChild<QAction *>("HelpContents")->trigger();
        QCOMPARE(int(ask.opened.size()), 1);
        QVERIFY(ask.opened[0].isLocalFile());
        QVERIFY(ask.opened[0].toLocalFile().endsWith("doc/manual/index.html"));
        QVERIFY(QFileInfo::exists(ask.opened[0].toLocalFile()));
        ask.openSucceeds = false;
        form.findChild<QAction *>("HelpUserManual")->trigger();
        QCOMPARE(ask.messages.size(), 1);
        QVERIFY(ask.messages[0].contains("getting-started.html"));
    }

    void viewCommandsOpenTheirOwnElevationView()
    {
        TScriptedAsk ask;
        TMainForm form;
        form.createStartupSideView();
        QCOMPARE(form.mdiArea()->subWindowList().size(), 1);
        auto *viewSoil = form.findChild<QAction *>("ViewSoil");
        viewSoil->trigger();
        QCOMPARE(form.mdiArea()->subWindowList().size(), 2);
        form.findChild<QAction *>("SpeedButton6")->trigger();
        QCOMPARE(form.mdiArea()->subWindowList().size(), 2);
        QMdiSubWindow *own = form.mdiArea()->activeSubWindow();
        QVERIFY(own && qobject_cast<TDlgSideView *>(own->widget()));
        own->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(form.mdiArea()->subWindowList().size(), 1);
        viewSoil->trigger();
        QCOMPARE(form.mdiArea()->subWindowList().size(), 2);
    }

    void startupArgumentOpensProjectWhenItExists()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        QVERIFY(QFile::copy(TARNEL_EXAMPLES "/stiff-clay.tnd", dir.filePath("job.tnd")));
        TMainForm form;
        form.openStartupProject({dir.filePath("job")});
        QCOMPARE(form.windowTitle(), QString("TARNEL 2012.7.15 - Job"));
        QCOMPARE(form.project().Title, QString("Pier 12 - stiff clay, design load 180 tons"));
        QCOMPARE(form.project().DesignMode, 1);
        QCOMPARE(form.recentCount(), 0);

        TMainForm fresh;
        fresh.openStartupProject({dir.filePath("other")});
        QCOMPARE(fresh.windowTitle(), QString("TARNEL 2012.7.15 - NewTarnel"));
        QCOMPARE(fresh.project().Title, QString("New Pile"));
    }

    void displayNames_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("one character") << "/jobs/a.tnd" << "a";
        QTest::newRow("upper-case extension") << "/jobs/myshaft.TND" << "Myshaft";
        QTest::newRow("other extension kept") << "data.txt" << "Data.txt";
        QTest::newRow("cut at first point") << "pier.v2.tnd" << "Pier";
    }
    void displayNames()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(projectDisplayName(path), name);
    }

    void recentFilesRotate()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        TMainForm form;
        form.show();
        QStringList paths;
        for (int k = 1; k <= 11; ++k)
            paths << copyExample(dir, "stiff-clay.tnd", QString("p%1.tnd").arg(k));
        for (int k = 0; k < 10; ++k)
            QVERIFY(form.OpenFileName(paths[k]));
        QCOMPARE(form.recentFiles()[0], paths[9]);
        QCOMPARE(form.recentFiles()[9], paths[0]);

        // The eleventh distinct file drops the oldest, in memory and in the settings.
        QVERIFY(form.OpenFileName(paths[10]));
        QCOMPARE(form.recentCount(), 10);
        QCOMPARE(form.recentFiles()[0], paths[10]);
        QCOMPARE(form.recentFiles()[9], paths[1]);
        QVERIFY(!std::count(form.recentFiles().begin(), form.recentFiles().end(), paths[0]));
        {
            QSettings stored(ask.settingsFile(), QSettings::IniFormat);
            QCOMPARE(stored.value("2012.7.15/File1").toString(), paths[10]);
            QCOMPARE(stored.value("2012.7.15/File10").toString(), paths[1]);
        }

        // A file already listed moves to the top; the ones above it move down by one.
        QVERIFY(form.OpenFileName(paths[5]));
        QCOMPARE(form.recentFiles()[0], paths[5]);
        QCOMPARE(form.recentFiles()[1], paths[10]);
        QCOMPARE(form.recentFiles()[5], paths[6]);
        QCOMPARE(form.recentFiles()[6], paths[4]);
        QCOMPARE(form.recentFiles()[9], paths[1]);

        // The first file again changes nothing, not even the settings.
        QFile::remove(ask.settingsFile());
        QVERIFY(form.OpenFileName(paths[5]));
        QCOMPARE(form.recentFiles()[1], paths[10]);
        QVERIFY(!QFile::exists(ask.settingsFile()));
    }

    void recentFilesReadAtFirstShowingAndListedWithoutCurrentFolder()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        const QString here = copyExample(dir, "stiff-clay.tnd", "here.tnd");
        {
            QSettings stored(ask.settingsFile(), QSettings::IniFormat);
            stored.setValue("2012.7.15/Word Processor", "kate --new");
            stored.setValue("2012.7.15/File1", here);
            stored.setValue("2012.7.15/File2", "/elsewhere/a&b.tnd");
        }
        QDir::setCurrent(dir.path());
        TMainForm form;
        QCOMPARE(form.editorCommand(), QString("kate --new"));
        QCOMPARE(form.recentCount(), 0);
        form.show();
        QCOMPARE(form.recentCount(), 2);
        openMenu(form, "File1");
        QCOMPARE(item(form, "RecentFile1")->text(), QString("1 here.tnd"));
        QCOMPARE(item(form, "RecentFile2")->text(), QString("2 /elsewhere/a&&b.tnd"));
        QVERIFY(item(form, "RecentFile2")->isVisible());
        QVERIFY(!item(form, "RecentFile3")->isVisible());

        // Choosing an entry opens it.
        item(form, "RecentFile1")->trigger();
        QCOMPARE(form.projectFileName(), here);
    }

    void faultyFileOpensWithWhatWasRead()
    {
        // A file that reads but stops early opens with the loader's message, so that it can
        // be put right and saved.
        TScriptedAsk ask;
        QTemporaryDir dir;
        const QString path = copyExample(dir, "stiff-clay.tnd", "cut.tnd");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray lines = file.readAll().split('\n').mid(0, 4).join('\n');
        file.resize(0);
        file.write(lines + "\n");
        file.close();
        TMainForm form;
        QVERIFY(form.OpenFileName(path));
        QCOMPARE(ask.messages.size(), 1);
        QCOMPARE(form.projectFileName(), path);
        QCOMPARE(form.project().Title, QString("Pier 12 - stiff clay, design load 180 tons"));
        QCOMPARE(form.windowTitle(), QString("TARNEL 2012.7.15 - Cut"));
    }

    void missingRecentFileKeepsTheProject()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        const QString good = copyExample(dir, "stiff-clay.tnd", "good.tnd");
        TMainForm form;
        form.show();
        QVERIFY(form.OpenFileName(good));
        QVERIFY(form.OpenFileName(copyExample(dir, "stiff-clay.tnd", "gone.tnd")));
        QFile::remove(dir.filePath("gone.tnd"));
        QVERIFY(form.OpenFileName(good));

        // Slot 1 now holds the missing file: the loader's message, the project as it was.
        openMenu(form, "File1");
        QVERIFY(item(form, "RecentFile2")->isVisible());
        item(form, "RecentFile2")->trigger();
        QCOMPARE(ask.messages.size(), 1);
        QVERIFY2(ask.messages[0].contains("gone.tnd"), qPrintable(ask.messages[0]));
        QCOMPARE(form.projectFileName(), good);
        QCOMPARE(form.project().Title, QString("Pier 12 - stiff clay, design load 180 tons"));
        QCOMPARE(form.project().layers().rowCount(), 3);
        QCOMPARE(form.windowTitle(), QString("TARNEL 2012.7.15 - Good"));
    }

    void cancelOnClosingKeepsTheProgramOpen()
    {
        TScriptedAsk ask;
        TMainForm form;
        form.show();
        form.tables().FormsModified = true;
        ask.answers = {QMessageBox::Cancel};
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QCOMPARE(ask.questions, QStringList{"Do you want to save any changes?"});

        // No closes without saving, and the settings are written on the way out.
        ask.answers = {QMessageBox::No};
        QVERIFY(form.close());
        QSettings stored(ask.settingsFile(), QSettings::IniFormat);
        QCOMPARE(stored.value("2012.7.15/Word Processor").toString(), QString("xdg-open"));
        QVERIFY(stored.contains("2012.7.15/File10"));
    }

    void yesWithFailingSaveKeepsTheProject()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        const QString path = copyExample(dir, "stiff-clay.tnd", "locked.tnd");
        TMainForm form;
        form.show();
        QVERIFY(form.OpenFileName(path));
        form.project().Title = "edited";
        form.tables().FormsModified = true;
        // A folder in place of the file: the save cannot replace it.
        QFile::remove(path);
        QVERIFY(QDir().mkpath(path));
        ask.answers = {QMessageBox::Yes};
        item(form, "FileNew")->trigger();
        QCOMPARE(ask.messages.size(), 1);
        QVERIFY2(ask.messages[0].contains("could not be saved"), qPrintable(ask.messages[0]));
        QCOMPARE(form.project().Title, QString("edited"));
        QCOMPARE(form.projectFileName(), path);

        // Yes, then a cancelled Save As of a new project, also keeps it.
        TMainForm fresh;
        fresh.show();
        fresh.project().Title = "never saved";
        fresh.tables().FormsModified = true;
        ask.answers = {QMessageBox::Yes};
        item(fresh, "FileNew")->trigger();
        QCOMPARE(fresh.project().Title, QString("never saved"));
    }

    void newWithCancelStillDisablesResultButtons()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        const QString path = withResults(dir, "job.tnd");
        TMainForm form;
        form.show();
        QVERIFY(form.OpenFileName(path));
        QVERIFY(form.ResultsLoaded());
        QVERIFY(item(form, "SpeedButton8")->isEnabled());
        form.tables().FormsModified = true;
        ask.answers = {QMessageBox::Cancel};
        item(form, "SpeedButton2")->trigger();
        QCOMPARE(form.projectFileName(), path);
        QVERIFY(!form.ResultsLoaded());
        for (const char *name : {"SpeedButton8", "SpeedButton9", "SpeedButton10"})
            QVERIFY(!item(form, name)->isEnabled());
    }

    void graphicsMenuFollowsResults()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        const QString path = copyExample(dir, "stiff-clay.tnd", "job.tnd");
        TMainForm form;
        form.show();
        QVERIFY(form.OpenFileName(path));
        openMenu(form, "Graphics1");
        QVERIFY(!item(form, "mSkin")->isEnabled());

        QVERIFY(form.OpenFileName(withResults(dir, "job.tnd")));
        QCOMPARE(form.project().SettlementCurves, 3);
        openMenu(form, "Graphics1");
        QVERIFY(item(form, "CombinedSettlement1")->isEnabled());
        form.project().SettlementCurves = 0;
        openMenu(form, "Graphics1");
        for (const char *name : {"mSkin", "mTip", "mTotal", "fsmSkin", "fsmTip", "fsmTotal", "mCombine", "dCombine",
                                 "mAxial"})
            QVERIFY2(item(form, name)->isEnabled(), name);
        for (const char *name : {"AxialLoadvsSettlementupperbound1", "AxialLoadvsSettlementlowerbound1",
                                 "CombinedSettlement1"})
            QVERIFY2(!item(form, name)->isEnabled(), name);

        // The plot file gone: nothing to show.
        QFile::remove(dir.filePath("job.tnp"));
        openMenu(form, "Graphics1");
        QVERIFY(!item(form, "mAxial")->isEnabled());
    }

    void designMethodShowsTheLrfdColumnsAndComments()
    {
        TScriptedAsk ask;
        TMainForm form;
        form.show();
        auto *table = qobject_cast<TTableForm *>(form.showLayerTable());
        QVERIFY(table);
        QVERIFY(table->grid()->isColumnHidden(colRFSide));
        QVERIFY(table->grid()->isColumnHidden(colRFTip));
        QVERIFY(!table->grid()->isColumnHidden(colMaxEnd));

        item(form, "LRFDLoad1")->trigger();
        QCOMPARE(form.project().DesignMethod, 1);
        QVERIFY(!table->grid()->isColumnHidden(colRFSide));
        QVERIFY(!table->grid()->isColumnHidden(colRFTip));
        QVERIFY(form.tables().layers().Comments.contains("LRFD Resistance Factors"));
        QVERIFY(table->findChild<QLabel *>("Comments")->text().contains("for for tip resistance"));
        openMenu(form, "Data1");
        QVERIFY(!item(form, "SoilParameters1")->isEnabled());
        openMenu(form, "DesignMethod1");
        QVERIFY(item(form, "LRFDLoad1")->isChecked());
        QVERIFY(!item(form, "ASDAllowable1")->isChecked());

        // A new row rebuilds the grid; the columns stay as the method wants them.
        table->addButton()->click();
        QVERIFY(!table->grid()->isColumnHidden(colRFSide));
        item(form, "ASDAllowable1")->trigger();
        QVERIFY(table->grid()->isColumnHidden(colRFTip));
        table->addButton()->click();
        QVERIFY(table->grid()->isColumnHidden(colRFTip));
        QCOMPARE(form.tables().layers().Comments, layerComments(2));
        openMenu(form, "Data1");
        QVERIFY(item(form, "SoilParameters1")->isEnabled());
    }

    void unitSwitchConvertsOnceAndRelabelsOpenForms()
    {
        TScriptedAsk ask;
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto *shaft = qobject_cast<TfrmShaftpeneta *>(form.showForm(TFormKind::ShaftProperties));
        QVERIFY(shaft);
        shaft->DataEdit1->setFocus();
        shaft->DataEdit1->setText("10");
        shaft->DataEdit2->setText("3");
        shaft->DataEdit7->setText("3600000");
        openMenu(form, "Data1"); // stores the open form
        QCOMPARE(form.project().ShaftData[sdDSTART], 10.0);

        item(form, "SIUnits")->trigger();
        QCOMPARE(form.project().Units, 2);
        QCOMPARE(shaft->DataEdit1->text(), QString("3.048"));
        QCOMPARE(shaft->DataEdit2->text(), QString("0.9144")); // not the binary product's 0.9144000000000001
        QCOMPARE(shaft->DataEdit1->labelText(), QString("Minimum Shaft Diameter, B, to be Considered (m)"));
        QVERIFY(shaft->DataEdit7->labelText().endsWith("(kN/m²)"));
        QVERIFY(form.tables().modified());

        item(form, "SIUnits")->trigger();
        QCOMPARE(form.project().ShaftData[sdDSTART], 3.048);
        openMenu(form, "OptionsUnits");
        QVERIFY(item(form, "SIUnits")->isChecked());
        item(form, "EnglishUnits")->trigger();
        QVERIFY(qAbs(shaft->DataEdit1->Number() - 10.0) < 1e-9);
        QCOMPARE(shaft->DataEdit1->labelText(), QString("Minimum Shaft Diameter, B, to be Considered (ft)"));
    }

    void windowMenuListsChildren()
    {
        TScriptedAsk ask;
        TMainForm form;
        form.show();
        openMenu(form, "ArrangeMenu");
        QVERIFY(!item(form, "WindowItem0")->isVisible());
        form.showForm(TFormKind::WaterTable);
        form.showForm(TFormKind::Title);
        form.showLayerTable();
        openMenu(form, "ArrangeMenu");
        QCOMPARE(item(form, "WindowItem0")->text(), QString("Water Table"));
        QCOMPARE(item(form, "WindowItem1")->text(), QString("Project Title"));
        QVERIFY(item(form, "WindowItem2")->isVisible());
        QVERIFY(!item(form, "WindowItem3")->isVisible());
        item(form, "WindowItem0")->trigger();
        QCOMPARE(form.mdiArea()->currentSubWindow()->windowTitle(), QString("Water Table"));

        // A new project closes them all; the windows are built anew on their next use.
        item(form, "FileNew")->trigger();
        QVERIFY(form.mdiArea()->subWindowList().isEmpty());
        QVERIFY(!form.form(TFormKind::WaterTable));
    }

    void computationMenuEnabledByTheFiles()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        const QString path = copyExample(dir, "stiff-clay.tnd", "job.tnd");
        TMainForm form;
        form.show();
        QVERIFY(form.OpenFileName(path));
        openMenu(form, "Computation1");
        QVERIFY(item(form, "CompInput")->isEnabled());
        QVERIFY(!item(form, "CompKernel")->isEnabled());
        QVERIFY(!item(form, "CompOutput")->isEnabled());
        QVERIFY(item(form, "CompRun")->isEnabled());
        QVERIFY(item(form, "ViewSoil")->isEnabled());

        // The editor gets the file as one argument after its own words.
        form.setEditorCommand("my-editor --line \"1 2\"");
        item(form, "CompInput")->trigger();
        QCOMPARE(ask.started.size(), size_t(1));
        QCOMPARE(ask.started[0], (QStringList{"my-editor", "--line", "1 2", path}));
        item(form, "SpeedButton5")->trigger();
        QCOMPARE(ask.started[1].last(), dir.filePath("job.tno"));

        ask.startSucceeds = false;
        item(form, "SpeedButton5")->trigger();
        QCOMPARE(ask.messages, QStringList{"An error occurred in running the Word Processor"});
    }

    void openDialogSecondFilterReadsTheOlderLayout()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        const QString path = copyExample(dir, "stiff-clay.tnd", "job.tnd");
        TMainForm form;
        form.show();
        ask.paths = {path};
        ask.openFilterIndex = 2;
        item(form, "FileOpen")->trigger();
        QCOMPARE(ask.dialogs.size(), size_t(1));
        QCOMPARE(ask.dialogs[0].title, QString("Open"));
        QCOMPARE(ask.dialogs[0].filter, QString("TARNEL 2012(*.tnd)|*.tnd|TARNEL 6.0(*.tnd)|*.tnd|All Files(*.*)|*.*"));
        QCOMPARE(ask.dialogs[0].defaultSuffix, QString("tnd"));
        QCOMPARE(form.project().CurrentLayout, 0);
        QCOMPARE(dialogFilters(ask.dialogs[0].filter),
                 (QStringList{"TARNEL 2012 (*.tnd)", "TARNEL 6.0 (*.tnd)", "All Files (*)"}));

        ask.paths = {dir.filePath("copy.tnd")};
        item(form, "FileSaveAs")->trigger();
        QCOMPARE(ask.dialogs[1].title, QString("Save Job As"));
        QCOMPARE(ask.dialogs[1].fileName, path);
        QCOMPARE(form.windowTitle(), QString("TARNEL 2012.7.15 - Copy"));
        QVERIFY(QFile::exists(dir.filePath("copy.tnd")));
    }

    void droppedFileIsOpenedWithoutRecording()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        const QString path = copyExample(dir, "stiff-clay.tnd", "dropped.tnd");
        TMainForm form;
        form.show();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &drop);
        QCOMPARE(form.projectFileName(), path);
        QCOMPARE(form.recentCount(), 0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
