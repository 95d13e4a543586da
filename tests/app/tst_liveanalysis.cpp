#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

#include "core/liveanalysis.h"
#include "core/projectdata.h"
#include "core/resultgraphs.h"
#include "core/tzcurves.h"

namespace {

const QString kEngine = QString(TARNEL_BIN_DIR) + "/tarnel-engine";

QString fakeEngine()
{
    return QFINDTESTDATA("tst_liveanalysis_data/fake-engine.sh");
}

std::string exampleText(const QString &example, const QString &title = QString())
{
    TProjectTables tables;
    TProgramData project(tables);
    project.CreateFromFile(QString(TARNEL_EXAMPLES) + "/" + example + ".tnd", true);
    if (!title.isEmpty())
        project.Title = title;
    return project.WriteText();
}

bool alive(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) == 0;
}

QStringList listing(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// Every result and status line a TLiveAnalysis gives.
struct TRecorder {
    std::vector<TLiveResult> results;
    QStringList statuses;
    void attach(TLiveAnalysis &live)
    {
        QObject::connect(&live, &TLiveAnalysis::finished, &live, [this](const TLiveResult &r) { results.push_back(r); });
        QObject::connect(&live, &TLiveAnalysis::statusChanged, &live, [this](const QString &s) { statuses << s; });
    }
};

bool samePoints(const TGraphPlot &a, const TGraphPlot &b)
{
    if (a.Lines(0).LineCount() != b.Lines(0).LineCount())
        return false;
    for (int i = 0; i < a.Lines(0).LineCount(); ++i) {
        const auto &p = a.Lines(0).Line(i).Points, &q = b.Lines(0).Line(i).Points;
        if (p.size() != q.size())
            return false;
        for (size_t j = 0; j < p.size(); ++j)
            if (p[j].X != q[j].X || p[j].Y != q[j].Y)
                return false;
    }
    return true;
}

} // namespace

class TestLiveAnalysis : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo(fakeEngine()).isExecutable());
        QVERIFY(QFileInfo(kEngine).isExecutable());
        qputenv("TARNEL_REAL_ENGINE", kEngine.toLocal8Bit());
    }

    void statusTexts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("normal") << 0 << "Result 0: the run completed without warning";
        QTest::newRow("t-z curve left") << 4 << "Result 4: the t-z analysis stopped at a value beyond one of its input curves";
        QTest::newRow("another layer") << 3
                                       << "Result 3: \"NEED ANOTHER SOIL LAYER\": the profile ends above the shaft the "
                                          "design needs";
        QTest::newRow("malformed") << 10 << "Result 10: the project file is malformed, or holds a value no analysis can use";
        QTest::newRow("runner usage") << 64 << "Result 64: there may be errors";
    }
    void statusTexts()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(liveResultText(code), text);
        QCOMPARE(liveRunningText(), QString::fromUtf8("analysing…"));
    }

    // The program finds the runner beside itself in the build, and in bin/ when installed
    // (the program lives in lib/tarnel, the runner in bin).
    void engineLookup_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("found");
        QTest::newRow("build folder") << QStringList{"lib/tarnel/tarnel-engine", "bin/tarnel-engine"}
                                      << "lib/tarnel/tarnel-engine";
        QTest::newRow("installed") << QStringList{"bin/tarnel-engine"} << "bin/tarnel-engine";
        QTest::newRow("nowhere: named beside the program") << QStringList{} << "lib/tarnel/tarnel-engine";
    }
    void engineLookup()
    {
        QFETCH(QStringList, present);
        QFETCH(QString, found);
        QTemporaryDir root;
        QDir(root.path()).mkpath("lib/tarnel");
        QDir(root.path()).mkpath("bin");
        for (const QString &name : present) {
            QFile file(root.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        }
        QCOMPARE(findEngine(root.filePath("lib/tarnel")), root.filePath(found));
    }

    // A change while a run goes on kills it: only the newer run's result arrives, and the
    // old run's folder is gone.
    void newerRequestWins()
    {
        TLiveAnalysis live;
        live.setEnginePath(fakeEngine());
        TRecorder rec;
        rec.attach(live);
        const quint64 first = live.request(exampleText("stiff-clay", "sleep 0.8"), "pier");
        QVERIFY(live.isRunning());
        QTest::qWait(100);
        const QString firstFolder = QDir(live.folder()).filePath("run-1");
        QVERIFY(QFileInfo::exists(firstFolder + "/pier.tnd"));
        const quint64 second = live.request(exampleText("stiff-clay"), "pier");
        QCOMPARE(second, first + 1);
        QTRY_COMPARE_WITH_TIMEOUT(rec.results.size(), size_t(1), 10000);
        // Killed, not left to finish: its folder goes well before its 0.8 s are up.
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(firstFolder), 300);
        QTest::qWait(1200); // longer than the first run would have taken
        QCOMPARE(rec.results.size(), size_t(1));
        const TLiveResult &r = rec.results.front();
        QCOMPARE(r.request, second);
        QCOMPARE(r.outcome, TLiveOutcome::Finished);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.status, QString("Result 0: the run completed without warning"));
        QCOMPARE(rec.statuses, (QStringList{liveRunningText(), liveRunningText(), r.status}));
        QCOMPARE(r.projectPath, QDir(live.folder()).filePath("run-2/pier.tnd"));
        QVERIFY(QFileInfo::exists(r.plotPath));
        QVERIFY(QFileInfo::exists(r.tzDataPath));
        QVERIFY(!live.isRunning());

        // The next result's files replace these.
        live.request(exampleText("stiff-clay"), "pier");
        QTRY_COMPARE_WITH_TIMEOUT(rec.results.size(), size_t(2), 10000);
        QVERIFY(!QFileInfo::exists(r.plotPath));
        QVERIFY(QFileInfo::exists(rec.results.back().plotPath));
    }

    // A deactivation that stored nothing new starts nothing; a real change does, and so does
    // the same text again after a cancel.
    void unchangedTextRunsOnce()
    {
        TLiveAnalysis live;
        live.setEnginePath(kEngine);
        TRecorder rec;
        rec.attach(live);
        const std::string text = exampleText("uplift-sand-gravel");
        QCOMPARE(live.requestIfChanged(text), quint64(1));
        QCOMPARE(live.requestIfChanged(text), quint64(0));
        QTRY_COMPARE_WITH_TIMEOUT(rec.results.size(), size_t(1), 10000);
        QCOMPARE(live.requestIfChanged(text), quint64(0));
        QCOMPARE(live.requestIfChanged(exampleText("uplift-sand-gravel", "changed title")), quint64(2));
        live.cancel();
        QCOMPARE(live.requestIfChanged(exampleText("uplift-sand-gravel", "changed title")), quint64(3));
        QTRY_COMPARE_WITH_TIMEOUT(rec.results.size(), size_t(2), 10000);
        QCOMPARE(rec.results.back().request, quint64(3));
    }

    // A crash, a hang and a missing engine end with their own status line and no results;
    // the object goes on working afterwards.
    void failures_data()
    {
        QTest::addColumn<QByteArray>("project");
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("status");
        QTest::newRow("crash") << QByteArray("crash\n") << "fake" << int(TLiveOutcome::Crashed)
                               << "The analysis failed: the engine crashed";
        QTest::newRow("hang") << QByteArray("hang\n") << "fake" << int(TLiveOutcome::TimedOut)
                              << "The analysis took longer than 0.4 s and was stopped";
        QTest::newRow("no engine") << QByteArray("x\n") << "missing" << int(TLiveOutcome::NotStarted)
                                   << "The analysis could not start: ";
        QTest::newRow("engine refuses the file") << QByteArray("exit 10\n") << "fake" << int(TLiveOutcome::Finished)
                                                 << "Result 10: the project file is malformed";
    }
    void failures()
    {
        QFETCH(QByteArray, project);
        QFETCH(QString, engine);
        QFETCH(int, outcome);
        QFETCH(QString, status);
        QTemporaryDir scratch;
        const QString pidFile = scratch.filePath("pid");
        qputenv("TARNEL_FAKE_PID", pidFile.toLocal8Bit());
        TLiveAnalysis live;
        live.setEnginePath(engine == "fake" ? fakeEngine() : scratch.filePath("no-such-engine"));
        live.setTimeoutMs(400);
        TRecorder rec;
        rec.attach(live);
        live.request(project.toStdString());
        QVERIFY(rec.results.empty()); // never from inside the request
        QTRY_COMPARE_WITH_TIMEOUT(rec.results.size(), size_t(1), 10000);
        const TLiveResult r = rec.results.front();
        QCOMPARE(int(r.outcome), outcome);
        QVERIFY2(r.status.startsWith(status), qPrintable(r.status));
        QCOMPARE(live.statusText(), r.status);
        QVERIFY(r.plotPath.isEmpty() && r.tzDataPath.isEmpty());
        if (r.outcome == TLiveOutcome::TimedOut) {
            QVERIFY2(r.elapsedMs >= 400 && r.elapsedMs < 3000, qPrintable(QString::number(r.elapsedMs)));
            QFile pid(pidFile);
            QVERIFY(pid.open(QIODevice::ReadOnly));
            QVERIFY(!alive(pid.readAll().trimmed().toLongLong()));
        }
        if (r.outcome != TLiveOutcome::Finished)
            QCOMPARE(listing(live.folder()), QStringList());

        live.setEnginePath(kEngine);
        live.request(exampleText("belled-clay-shale"));
        QTRY_COMPARE_WITH_TIMEOUT(rec.results.size(), size_t(2), 10000);
        QCOMPARE(rec.results.back().code, 0);
        qunsetenv("TARNEL_FAKE_PID");
    }

    // Cancelling, and destroying the object, stop a run without a result.
    void cancelAndDestroy()
    {
        QTemporaryDir scratch;
        const QString pidFile = scratch.filePath("pid");
        qputenv("TARNEL_FAKE_PID", pidFile.toLocal8Bit());
        auto live = std::make_unique<TLiveAnalysis>();
        live->setEnginePath(fakeEngine());
        TRecorder rec;
        rec.attach(*live);
        live->request("hang\n");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pidFile).size() > 0, 5000);
        QFile pid(pidFile);
        QVERIFY(pid.open(QIODevice::ReadOnly));
        const qint64 first = pid.readAll().trimmed().toLongLong();
        pid.close();
        live->cancel();
        QVERIFY(!live->isRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!alive(first), 5000);

        QFile::remove(pidFile);
        live->request("hang\n");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pidFile).size() > 0, 5000);
        QVERIFY(pid.open(QIODevice::ReadOnly));
        const qint64 second = pid.readAll().trimmed().toLongLong();
        const QString folder = live->folder();
        QVERIFY(QFileInfo::exists(folder));
        live.reset();
        QVERIFY(!alive(second));
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(rec.results.empty());
        qunsetenv("TARNEL_FAKE_PID");
    }

    // The project's folder, and the program's current folder, stay as they were.
    void nothingBesideTheProject()
    {
        QTemporaryDir job;
        const QString path = job.filePath("pier.tnd");
        QVERIFY(QFile::copy(QString(TARNEL_EXAMPLES) + "/stiff-clay.tnd", path));
        TProjectTables tables;
        TProgramData project(tables);
        project.CreateFromFile(path, true);
        const QStringList before = listing(job.path());
        const QStringList here = listing(QDir::currentPath());

        TLiveAnalysis live;
        live.setEnginePath(kEngine);
        TRecorder rec;
        rec.attach(live);
        live.request(project.WriteText(), project.FileName);
        QTRY_COMPARE_WITH_TIMEOUT(rec.results.size(), size_t(1), 10000);
        const TLiveResult &r = rec.results.front();
        QCOMPARE(r.code, 0);
        QCOMPARE(listing(job.path()), before);
        QCOMPARE(listing(QDir::currentPath()), here);
        QVERIFY(r.plotPath.startsWith(live.folder() + "/"));
        QCOMPARE(QFileInfo(r.projectPath).fileName(), QString("pier.tnd"));
        QCOMPARE(QFileInfo(r.tzDataPath).dir(), QFileInfo(r.projectPath).dir());
    }

    // Each example analysed while editing gives the graphs that the runner's own files give.
    void examplesLoad_data()
    {
        QTest::addColumn<QString>("example");
        QTest::addColumn<bool>("tzCurves");
        QTest::newRow("stiff clay") << "stiff-clay" << true;
        QTest::newRow("layered sand, SI") << "layered-sand-si" << true;
        QTest::newRow("belled, clay over shale") << "belled-clay-shale" << true;
        QTest::newRow("uplift") << "uplift-sand-gravel" << true;
        QTest::newRow("gravel over shale") << "gravel-over-shale" << true;
        QTest::newRow("rock socket") << "rock-socket-igm" << false;
    }
    void examplesLoad()
    {
        QFETCH(QString, example);
        QFETCH(bool, tzCurves);
        TProjectTables tables;
        TProgramData project(tables);
        project.CreateFromFile(QString(TARNEL_EXAMPLES) + "/" + example + ".tnd", true);

        TLiveAnalysis live;
        live.setEnginePath(kEngine);
        TRecorder rec;
        rec.attach(live);
        live.request(project.WriteText(), example);
        QTRY_COMPARE_WITH_TIMEOUT(rec.results.size(), size_t(1), 10000);
        const TLiveResult &r = rec.results.front();
        QCOMPARE(r.code, 0);
        TResultGraphs graphs;
        TTzCurveGraphs tz;
        const TRunResultsLoad load = loadRunResults(r.plotPath, r.tzDataPath, project, graphs, tz);
        QVERIFY2(load.plotLoaded, load.failure.c_str());
        QCOMPARE(load.tzCurves, tzCurves);
        QCOMPARE(load.tipCurve, tzCurves);

        // The runner on the example file itself.
        QTemporaryDir dir;
        const QString copy = dir.filePath(example + ".tnd");
        QVERIFY(QFile::copy(QString(TARNEL_EXAMPLES) + "/" + example + ".tnd", copy));
        QProcess engine;
        engine.setStandardOutputFile(QProcess::nullDevice());
        engine.start(kEngine, {copy});
        QVERIFY(engine.waitForFinished(30000));
        TProjectTables refTables;
        TProgramData ref(refTables);
        ref.CreateFromFile(copy, true);
        TResultGraphs expected;
        QVERIFY(expected.LoadPlotFile(dir.filePath(example + ".tnp"), ref));
        for (int n = 1; n <= 12; ++n)
            QVERIFY2(samePoints(*graphs.graph(n), *expected.graph(n)), qPrintable(graphs.graph(n)->Caption));
        QCOMPARE(project.SettlementCurves, ref.SettlementCurves);
    }
};

QTEST_MAIN(TestLiveAnalysis)
#include "tst_liveanalysis.moc"
