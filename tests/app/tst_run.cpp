#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>
#include <cmath>
#include <dlfcn.h>

#include "DataEdit.h"
#include "DataForm.h"
#include "Main.h"
#include "PltData.h"
#include "core/liveanalysis.h"
#include "PrintingIncrements.h"
#include "Table.h"
#include "Title.h"
#include "cPileProperties.h"
#include "core/ColumnTypes.h"
#include "dynlib.h"
#include "main_form_input.h"
#include "scripted_ask.h"
#include "shaftlength.h"

namespace {

const QString kCompleted = "Computations are completed.\rPlease, check output file for results or error messages.";
const QString kEngine = TARNEL_BIN_DIR "/Tarnel2012_DLL.so";

TGridModel *modelOf(TTableForm *table)
{
    return qobject_cast<TGridModel *>(table->grid()->model());
}

void enterRow(TTableForm *table, int row, const QStringList &cells)
{
    for (int col = 0; col < cells.size(); ++col) {
        if (cells[col].isEmpty())
            continue;
        const QString refused = modelOf(table)->commitText(modelOf(table)->index(row, col), cells[col]);
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
    }
}

QString readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

// The project of the end-to-end run, as a user builds it from nothing: a 3 ft straight shaft,
// 40 ft long under compression, in 20 ft of clay over sand.
void buildTwoLayerProject(TMainForm &form)
{
    auto *title = qobject_cast<TdlgTitle *>(form.showForm(TFormKind::Title));
    typeAndEnter(title->Edit1, "Two layers from nothing");

    auto *shaft = qobject_cast<TfrmShaftpeneta *>(form.showForm(TFormKind::ShaftProperties));
    typeAndEnter(shaft->DataEdit1, "3");
    typeAndEnter(shaft->DataEdit2, "0");
    typeAndEnter(shaft->DataEdit5, "5");
    typeAndEnter(shaft->DataEdit6, "0");
    typeAndEnter(shaft->DataEdit7, "3600000");

    item(form, "shaftlength")->trigger();
    auto *length = qobject_cast<TfrmPenetration *>(form.form(TFormKind::ShaftLength));
    QVERIFY(length);
    typeAndEnter(length->DataEdit1, "40");

    auto *water = qobject_cast<TfrmWaterDepth *>(form.showForm(TFormKind::WaterTable));
    typeAndEnter(water->DataEdit1, "100");

    auto *table = qobject_cast<TTableForm *>(form.showLayerTable());
    QVERIFY(table);
    table->addButton()->click();
    QCOMPARE(form.project().layers().rowCount(), 2);
    auto *soil = qobject_cast<QComboBox *>(table->cellWidget(0, colSoilType));
    QVERIFY(soil);
    soil->setCurrentIndex(1);
    emit soil->activated(1); // clay
    enterRow(table, 0, {"", "20"});
    enterRow(table, 1, {"", "60"}); // sand, the default type

    const struct {
        int row;
        QStringList top, bottom;
    } layers[] = {{0, {"115", "1000", "", "", ""}, {"118", "1200", "", "", ""}},
                  {1, {"120", "32", "", "", ""}, {"125", "34", "", "", ""}}};
    for (const auto &layer : layers) {
        auto *open = qobject_cast<QPushButton *>(table->cellWidget(layer.row, colLayerData));
        QVERIFY(open);
        open->click();
        QCoreApplication::processEvents();
        TTableForm *nested = TTableForm::formOf(form.project().layers().nested(colLayerData, layer.row));
        QVERIFY(nested);
        QVERIFY(qobject_cast<QMdiSubWindow *>(nested->parentWidget()));
        enterRow(nested, 0, layer.top);
        enterRow(nested, 1, layer.bottom);
        nested->parentWidget()->close();
    }
}

/// Words of the capacity row at depthFt in the first block of the report's capacity table:
/// the line that starts with that depth.
QStringList reportRowAt(const QString &report, double depthFt)
{
    for (const QString &line : report.split('\n')) {
        const QStringList words = line.simplified().split(' ');
        bool ok = false;
        if (words.size() >= 4 && std::abs(words[0].toDouble(&ok) - depthFt) < 1e-6 && ok)
            return words;
    }
    return {};
}

/// A locale whose decimal separator is ",", built into folder when the system has none.
QByteArray commaLocale(const QString &folder)
{
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
        const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
        const bool there = std::setlocale(LC_NUMERIC, name) != nullptr;
        std::setlocale(LC_NUMERIC, saved.c_str());
        if (there)
            return name;
    }
    if (QProcess::execute("localedef", {"-i", "de_DE", "-f", "UTF-8", QDir(folder).filePath("de_DE.UTF-8")}) > 1)
        return {};
    qputenv("LOCPATH", QFile::encodeName(folder));
    return "de_DE.UTF-8";
}

const char *const kGraphItemNames[] = {"mSkin", "mTip", "mTotal", "fsmSkin", "fsmTip", "fsmTotal", "mCombine",
                                       "dCombine", "mAxial", "AxialLoadvsSettlementupperbound1",
                                       "AxialLoadvsSettlementlowerbound1", "CombinedSettlement1", "mTzCurves",
                                       "mQwCurve"};

int plotWindows(TMainForm &form)
{
    int n = 0;
    for (QMdiSubWindow *w : form.mdiArea()->subWindowList())
        n += qobject_cast<TPlotForm *>(w) != nullptr;
    return n;
}

} // namespace

class TestRun : public QObject {
    Q_OBJECT
private slots:
    void twoLayerProjectFromNothingRunsThroughTheEngine()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        TMainForm form;
        form.setLibraryPath(kEngine);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        buildTwoLayerProject(form);
        QVERIFY(form.tables().modified());

        const QString path = dir.filePath("twolayer.tnd");
        ask.paths = {path};
        item(form, "CompRun")->trigger();
        QVERIFY2(ask.messages == QStringList{kCompleted}, qPrintable(ask.messages.join(" | ")));
        QCOMPARE(form.projectFileName(), path);
        QCOMPARE(form.windowTitle(), QString("TARNEL 2012.7.15 - Twolayer"));
        QVERIFY(!form.tables().modified());
        QVERIFY(form.ResultsLoaded());
        for (const char *name : {"SpeedButton8", "SpeedButton9", "SpeedButton10"})
            QVERIFY(item(form, name)->isEnabled());
        QVERIFY(!QFile::exists(dir.filePath("names.dat")));
        QCOMPARE(QDir::currentPath(), dir.path());

        // What the forms stored reached the file and the engine.
        const QString saved = readAll(path);
        QVERIFY(saved.startsWith("Two layers from nothing\n1 \n2 1 1 1 1 2\n3 0 0 0 5 0 3600000\n2 100 40 "));
        const QString report = readAll(dir.filePath("twolayer.tno"));
        QVERIFY(report.contains("Two layers from nothing"));
        QVERIFY(QFile::exists(dir.filePath("twolayer.tnp")));
        QVERIFY(QFile::exists(dir.filePath("twolayer.tnr")));
        QVERIFY(!reportRowAt(report, 40).isEmpty());
        // The total-capacity graph's first point of the first diameter is the report's first
        // capacity row: length and QU.
        const QStringList firstRow = report.mid(report.indexOf("LENGTH  VOLUME")).split('\n').value(2).simplified().split(' ');
        QCOMPARE(firstRow.size(), 8);
        const TLineSet &total = form.graphs().graph(3)->Lines();
        QVERIFY(total.LineCount() >= 1);
        const auto &points = total.Line(0).Points;
        const auto first = std::find_if(points.begin(), points.end(), [](const TFloatPoint &p) { return p.X > 0; });
        QVERIFY(first != points.end());
        QCOMPARE(first->Y, firstRow[0].toDouble());
        QVERIFY2(std::abs(first->X - firstRow[4].toDouble()) < 0.05, qPrintable(QString::number(first->X)));
        QCOMPARE(form.project().SettlementCurves, 3); // the t-z families of a tip in soil

        // Every graph of the run opens in its window, the t-z and q-w curves of this run too.
        emit form.findChild<QMenu *>("Graphics1")->aboutToShow();
        for (const char *name : kGraphItemNames) {
            QVERIFY2(item(form, name)->isEnabled(), name);
            item(form, name)->trigger();
        }
        QCOMPARE(plotWindows(form), 14);

        // A second run loads the library afresh; the open windows show its curves.
        ask.messages.clear();
        item(form, "SpeedButton4")->trigger();
        QCOMPARE(ask.messages, QStringList{kCompleted});
        QVERIFY(!QFile::exists(dir.filePath("names.dat")));
        QCOMPARE(plotWindows(form), 14);

        openMenu(form);
        QVERIFY(item(form, "CompOutput")->isEnabled());
        QVERIFY(item(form, "CompKernel")->isEnabled());
    }

    void analysisWhileEditingFollowsStoredChanges()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        const QString path = dir.filePath("stiff-clay.tnd");
        QVERIFY(QFile::copy(TARNEL_EXAMPLES "/stiff-clay.tnd", path));
        TMainForm form;
        form.liveAnalysis().setEnginePath(TARNEL_BIN_DIR "/tarnel-engine");
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(form.OpenFileName(path));
        QVERIFY(!form.ResultsLoaded());
        QVERIFY(!item(form, "CompLive")->isChecked()); // off by default

        item(form, "CompLive")->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(form.ResultsLoaded(), 10000);
        auto *status = form.findChild<QLabel *>("StatusLive");
        QTRY_VERIFY(status->text().startsWith("Result 0"));
        QCOMPARE(form.graphs().pltSkin.Lines().Line(0).DisplayName(), QString("Dia=3 ft"));
        emit form.findChild<QMenu *>("Graphics1")->aboutToShow();
        QVERIFY(item(form, "mSkin")->isEnabled());
        QVERIFY(item(form, "mTzCurves")->isEnabled());
        item(form, "mSkin")->trigger();
        QCOMPARE(plotWindows(form), 1);

        // A finished entry in a data window is analysed at once.
        TDataForm *shaft = form.showForm(TFormKind::ShaftProperties);
        typeAndEnter(shaft->findChild<TDataEdit *>("DataEdit1"), "3.5");
        QTRY_COMPARE_WITH_TIMEOUT(form.graphs().pltSkin.Lines().Line(0).DisplayName(), QString("Dia=3.5 ft"), 10000);

        // Nothing was written beside the project, and the choice is remembered.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"stiff-clay.tnd"});
        QSettings settings(ask.settingsFile(), QSettings::IniFormat);
        QVERIFY(settings.value("2012.7.15/Analyse While Editing").toBool());
        item(form, "CompLive")->setChecked(false);
        QVERIFY(status->text().isEmpty());
        form.tables().clearModified();
        form.tables().FormsModified = false;
    }

    void missingLibraryChangesNothing()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        const QString path = dir.filePath("job.tnd");
        QVERIFY(QFile::copy(TARNEL_EXAMPLES "/stiff-clay.tnd", path));
        TMainForm form;
        form.setLibraryPath(kEngine);
        form.show();
        QVERIFY(form.OpenFileName(path));
        item(form, "CompRun")->trigger();
        QVERIFY(form.ResultsLoaded());
        QFile::remove(dir.filePath("job.tno"));
        ask.messages.clear();
        form.setLibraryPath(dir.filePath("Tarnel2012_DLL.so"));
        item(form, "CompRun")->trigger();
        QCOMPARE(ask.messages, QStringList{"Attempt to initialize DLL failed"});
        QVERIFY(form.ResultsLoaded());
        QVERIFY(item(form, "SpeedButton10")->isEnabled());
        QVERIFY(!QFile::exists(dir.filePath("names.dat")));
        QVERIFY(!QFile::exists(dir.filePath("job.tno")));
    }

    void libraryWithoutTheEntryIsNotCalled()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        const QString path = dir.filePath("job.tnd");
        QVERIFY(QFile::copy(TARNEL_EXAMPLES "/stiff-clay.tnd", path));
        Dl_info info{};
        QVERIFY(dladdr(reinterpret_cast<void *>(&::setlocale), &info) && info.dli_fname);
        TMainForm form;
        form.setLibraryPath(QString::fromLocal8Bit(info.dli_fname)); // a real library of other purpose
        form.show();
        QVERIFY(form.OpenFileName(path));
        item(form, "CompRun")->trigger();
        QCOMPARE(ask.messages.size(), 1);
        QVERIFY2(ask.messages[0].startsWith("Attempt to initialize DLL failed\r"), qPrintable(ask.messages[0]));
        QVERIFY(ask.messages[0].endsWith("has no entry _ITARNEL."));
        QVERIFY(!QFile::exists(dir.filePath("names.dat")));
        QVERIFY(!form.ResultsLoaded());
    }

    void failedSaveStopsBeforeTheHandOff()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        const QString path = dir.filePath("job.tnd");
        QVERIFY(QFile::copy(TARNEL_EXAMPLES "/stiff-clay.tnd", path));
        TMainForm form;
        form.setLibraryPath(kEngine);
        form.show();
        QVERIFY(form.OpenFileName(path));
        QFile::remove(path);
        QVERIFY(QDir().mkpath(path));
        item(form, "CompRun")->trigger();
        QCOMPARE(ask.messages.size(), 1);
        QVERIFY2(ask.messages[0].contains("could not be saved"), qPrintable(ask.messages[0]));
        QVERIFY(!QFile::exists(dir.filePath("names.dat")));
        QVERIFY(!QFile::exists(dir.filePath("job.tno")));
    }

    void cancelledSaveAsRunsNothing()
    {
        TScriptedAsk ask;
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        TMainForm form;
        form.setLibraryPath(kEngine);
        form.show();
        item(form, "CompRun")->trigger();
        QCOMPARE(ask.dialogs.size(), size_t(1));
        QCOMPARE(ask.dialogs[0].title, QString("Save NewTarnel As"));
        QVERIFY(ask.messages.isEmpty());
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }

    void commaLocaleRunsAsTheCLocale()
    {
        QTemporaryDir dir;
        const QByteArray comma = commaLocale(dir.path());
        if (comma.isEmpty())
            QSKIP("no locale with a decimal comma can be had here (package locales)");

        // The same project run under the C locale and under a locale with "," gives the same
        // plot data, and the user's locale is back afterwards.
        QString plots[2];
        for (int pass = 0; pass < 2; ++pass) {
            TScriptedAsk ask;
            const QString path = dir.filePath(QString("layered%1.tnd").arg(pass));
            QVERIFY(QFile::copy(TARNEL_EXAMPLES "/layered-sand-si.tnd", path));
            const std::string before = std::setlocale(LC_NUMERIC, nullptr);
            if (pass == 1) {
                QVERIFY(std::setlocale(LC_NUMERIC, comma.constData()));
                QCOMPARE(std::localeconv()->decimal_point, ",");
            }
            TMainForm form;
            form.setLibraryPath(kEngine);
            form.show();
            QVERIFY(form.OpenFileName(path));
            item(form, "CompRun")->trigger();
            QCOMPARE(ask.messages.size(), 1);
            QVERIFY(ask.messages[0].startsWith("Computations are completed"));
            if (pass == 1)
                QCOMPARE(std::localeconv()->decimal_point, ",");
            std::setlocale(LC_NUMERIC, before.c_str());
            plots[pass] = readAll(dir.filePath(QString("layered%1.tnp").arg(pass)));
            QVERIFY(!plots[pass].isEmpty());
            const QRegularExpression decimalComma("\\d,\\d");
            QVERIFY(!plots[pass].contains(decimalComma));
            // The project was written back with points too.
            QVERIFY(!readAll(path).contains(decimalComma));
        }
        QCOMPARE(plots[1], plots[0]);
    }

    void dynamicLibraryRaisesItsErrors()
    {
        TDynamicLibrary library("/nonexistent/Tarnel2012_DLL.so");
        QVERIFY_THROWS_EXCEPTION(EFileNotFoundError, library.Open());
        QVERIFY(!library.IsOpen());
        try {
            library.GetEntry("_ITARNEL");
            QFAIL("no error");
        } catch (const EDLLError &error) {
            QCOMPARE(QString(error.what()), QString("Library is not open"));
        }
        QTemporaryDir dir;
        QFile junk(dir.filePath("junk.so"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a library");
        junk.close();
        library.setLibraryName(junk.fileName().toStdString());
        QVERIFY_THROWS_EXCEPTION(EInitError, library.Open());
        QVERIFY(!library.LastError().empty());

        library.setLibraryName(kEngine.toStdString());
        library.Open();
        QVERIFY(library.IsOpen());
        QVERIFY(library.GetEntry("_ITARNEL"));
        QVERIFY(library.GetEntry("ITARNEL"));
        QVERIFY(!library.GetEntry("CAPACITY"));
        library.Close();
        QVERIFY(!library.IsOpen());
    }

private:
    static void openMenu(TMainForm &form)
    {
        emit form.findChild<QMenu *>("Computation1")->aboutToShow();
    }
};

QTEST_MAIN(TestRun)
#include "tst_run.moc"
