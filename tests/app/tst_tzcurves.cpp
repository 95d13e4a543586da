#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <minizip/unzip.h>

#include <cmath>
#include <sstream>

#include "core/exportgraphs.h"
#include "core/plotcommand.h"
#include "core/projectdata.h"
#include "core/resultgraphs.h"
#include "core/tzcurves.h"

namespace {

const QString kEngine = QString(TARNEL_BIN_DIR) + "/tarnel-engine";

// Runs the real engine on a copy of the example in dir; the copy's path.
QString analyseCopy(const QDir &dir, const QString &example, const QString &name = QString())
{
    const QString project = dir.filePath((name.isEmpty() ? example : name) + ".tnd");
    QFile::remove(project);
    if (!QFile::copy(QString(TARNEL_EXAMPLES) + "/" + example + ".tnd", project))
        return {};
    QProcess engine;
    engine.setStandardOutputFile(QProcess::nullDevice());
    engine.start(kEngine, {project});
    if (!engine.waitForFinished(30000) || engine.exitStatus() != QProcess::NormalExit || engine.exitCode() != 0)
        return {};
    return project;
}

// The file read by its fixed columns, apart from the loader's word splitting: curve lines
// (8 blanks, number in 5, points in 11, depth in 16), point lines (40 blanks, load transfer
// in 17, movement in 16), tip lines (load in 18, movement in 19).
struct TFileCurve {
    int number = 0;
    double depth = 0;
    std::vector<TFloatPoint> points; // (movement, load)
};
struct TFileData {
    std::vector<TFileCurve> curves;
    std::vector<TFloatPoint> tip;
};

double field(const QString &line, int from, int width)
{
    bool ok = false;
    const double v = line.mid(from, width).trimmed().toDouble(&ok);
    if (!ok)
        qWarning("not a number in columns %d..%d of: %s", from + 1, from + width, qPrintable(line));
    return v;
}

TFileData readByColumns(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QStringList lines = QString::fromLatin1(file.readAll()).split('\n');
    TFileData data;
    bool inTip = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.contains("TIP   LOAD")) {
            inTip = true;
            i += 2; // unit line and blank line
            continue;
        }
        if (line.trimmed().isEmpty() || line.trimmed() == "1")
            continue;
        if (inTip) {
            data.tip.push_back({field(line, 18, 19), field(line, 0, 18)});
        } else if (line.startsWith(QString(40, ' '))) {
            data.curves.back().points.push_back({field(line, 57, 16), field(line, 40, 17)});
        } else if (line.size() == 40) {
            data.curves.push_back({int(field(line, 8, 5)), field(line, 24, 16), {}});
        }
    }
    return data;
}

// A number as the engine writes it: "0.1285E+01" right-aligned in width.
QByteArray engineE(double v, int width)
{
    int exponent = 0;
    double mantissa = 0;
    if (v != 0) {
        exponent = int(std::floor(std::log10(std::abs(v)))) + 1;
        mantissa = std::round(v / std::pow(10.0, exponent) * 1e4) / 1e4;
        if (std::abs(mantissa) >= 1) {
            mantissa /= 10;
            ++exponent;
        }
    }
    const QString text = QString("%1E%2%3")
                             .arg(mantissa, 0, 'f', 4)
                             .arg(exponent < 0 ? '-' : '+')
                             .arg(std::abs(exponent), 2, 10, QChar('0'));
    return text.rightJustified(width).toLatin1();
}

QByteArray curveHeader(int number, int points, double depth)
{
    return QString("        %1%2").arg(number, 5).arg(points, 11).toLatin1() + engineE(depth, 16) + "\n";
}

QByteArray curveBlock(int number, int points, double depth)
{
    QByteArray out = curveHeader(number, points, depth);
    for (int p = 0; p < points; ++p)
        out += QByteArray(40, ' ') + engineE(1.5 * p, 17) + engineE(0.05 * p, 16) + "\n";
    return out;
}

// A file as the engine writes it: note, a table of `curves` curves of 10 points, and with
// `tip` the tip curve and the end line.
QByteArray tzText(int curves, bool tip, bool si = false)
{
    QByteArray out = "     NOTE: TZ CURVE DATA ARE AVAILABLE FOR SAND AND CLAY LAYERS ONLY.\n\n\n";
    if (curves == 0)
        return out;
    out += "\n\n        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT\n";
    out += si ? "           NO.      POINTS         M.              KPA              M.\n\n"
              : "           NO.      POINTS        IN.              PSI             IN.\n\n";
    for (int c = 1; c <= curves; ++c)
        out += curveBlock(c, 10, 12.0 * c);
    if (!tip)
        return out;
    out += "\n\n\n        TIP   LOAD        TIP MOVEMENT\n";
    out += si ? "            KN.                M.\n\n" : "            ton               IN.\n\n";
    for (int p = 0; p < 10; ++p)
        out += engineE(20.0 * p, 18) + engineE(0.24 * p, 19) + "\n";
    return out + "1\n";
}

void setModified(const QString &path, const QDateTime &time)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

void writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(text), text.size());
}

QByteArray zipEntry(const QString &path, const char *entry)
{
    QByteArray out;
    unzFile zip = unzOpen(QFile::encodeName(path).constData());
    if (!zip)
        return out;
    if (unzLocateFile(zip, entry, 0) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK) {
        char buffer[4096];
        int n = 0;
        while ((n = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0)
            out.append(buffer, n);
        unzCloseCurrentFile(zip);
    }
    unzClose(zip);
    return out;
}

} // namespace

class TestTzCurves : public QObject {
    Q_OBJECT
private slots:
    // Every soil example through the real engine: the graphs hold the file's numbers, one
    // line per curve named by number and depth, in the project's units.
    void examples_data()
    {
        QTest::addColumn<QString>("example");
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("secondName");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("yTitle");
        QTest::addColumn<QString>("xTitle");
        // Stiff clay: layer 1 from 0 to 15 ft, curve 2 halfway to its middle (45 in); the
        // last trial diameter is 4 ft, the first movement step 0.001 x 48 in.
        QTest::newRow("stiff clay") << "stiff-clay" << 1 << "Curve 2 at 3.75 ft" << "Lower-bound curves, diameter 4 ft"
                                    << "Unit Load Transfer (lbs/in^2)" << "Pile Movement (in)";
        // SI: depths and the diameter in m. Layer 1 ends at 4 m, which the engine rounds to
        // 13 ft (156 in), so curve 2 stands at 39 in = 0.99 m; diameter 0.9 m + 2 x 0.1524 m.
        QTest::newRow("layered sand, SI") << "layered-sand-si" << 2 << "Curve 2 at 0.99 m"
                                          << "Lower-bound curves, diameter 1.2 m" << "Unit Load Transfer (kN/m^2)"
                                          << "Pile Movement (m)";
        // Layer 1 ends at 30 ft, 12 ft and 12 ft in the next three.
        QTest::newRow("belled, clay over shale") << "belled-clay-shale" << 1 << "Curve 2 at 7.5 ft"
                                                 << "Lower-bound curves, diameter 5 ft"
                                                 << "Unit Load Transfer (lbs/in^2)" << "Pile Movement (in)";
        QTest::newRow("uplift, sand over gravel") << "uplift-sand-gravel" << 1 << "Curve 2 at 3 ft"
                                                  << "Lower-bound curves, diameter 3 ft"
                                                  << "Unit Load Transfer (lbs/in^2)" << "Pile Movement (in)";
        QTest::newRow("gravel over shale") << "gravel-over-shale" << 1 << "Curve 2 at 3 ft"
                                           << "Lower-bound curves, diameter 4 ft" << "Unit Load Transfer (lbs/in^2)"
                                           << "Pile Movement (in)";
    }
    void examples()
    {
        QFETCH(QString, example);
        QFETCH(int, units);
        QFETCH(QString, secondName);
        QFETCH(QString, title);
        QFETCH(QString, yTitle);
        QFETCH(QString, xTitle);
        QTemporaryDir dir;
        const QString path = analyseCopy(QDir(dir.path()), example);
        QVERIFY(!path.isEmpty());
        TProjectTables tables;
        TProgramData project(tables);
        project.CreateFromFile(path, true);

        TTzCurveGraphs graphs;
        std::string failure;
        QVERIFY2(graphs.LoadForProject(path, project, &failure), failure.c_str());
        const TFileData file = readByColumns(dir.filePath("TZDATA.DAT"));
        const TLineSet &curves = graphs.pltTzCurves.Lines(0);
        QCOMPARE(size_t(curves.LineCount()), file.curves.size());
        QCOMPARE(curves.LineCount(), 5 * project.layers().rowCount());
        for (int i = 0; i < curves.LineCount(); ++i) {
            const TLine &line = curves.Line(i);
            QCOMPARE(file.curves[size_t(i)].number, i + 1);
            QCOMPARE(line.Points.size(), size_t(10));
            for (size_t j = 0; j < line.Points.size(); ++j) {
                QCOMPARE(line.Points[j].X, file.curves[size_t(i)].points[j].X);
                QCOMPARE(line.Points[j].Y, file.curves[size_t(i)].points[j].Y);
            }
            QVERIFY2(line.Name.startsWith("Curve " + QString::number(i + 1) + " at "), qPrintable(line.Name));
            QVERIFY(line.Name.endsWith(units == 1 ? " ft" : " m"));
        }
        QCOMPARE(curves.Line(0).Name, units == 1 ? QString("Curve 1 at 0 ft") : QString("Curve 1 at 0 m"));
        QCOMPARE(curves.Line(1).Name, secondName);

        const TLineSet &tip = graphs.pltQwCurve.Lines(0);
        QCOMPARE(tip.LineCount(), 1);
        QCOMPARE(tip.Line(0).Points.size(), file.tip.size());
        QCOMPARE(file.tip.size(), size_t(10));
        for (size_t j = 0; j < file.tip.size(); ++j) {
            QCOMPARE(tip.Line(0).Points[j].X, file.tip[j].X);
            QCOMPARE(tip.Line(0).Points[j].Y, file.tip[j].Y);
        }
        QVERIFY(graphs.HasCurves());
        QVERIFY(graphs.HasTipCurve());

        const TGraphPlot &g = graphs.pltTzCurves;
        QCOMPARE(g.Units(), units);
        QCOMPARE(g.Title, title);
        QCOMPARE(g.Caption, QString("t-z Curves Used (last diameter)"));
        QCOMPARE(graphs.pltQwCurve.Caption, QString("q-w Curve Used (last diameter)"));
        QCOMPARE(g.AxisTitle(g.YCaption, g.YUnits), yTitle);
        QCOMPARE(g.AxisTitle(g.XCaption, g.XUnits), xTitle);
        const TGraphPlot &q = graphs.pltQwCurve;
        QCOMPARE(q.AxisTitle(q.YCaption, q.YUnits), units == 1 ? QString("Tip Load (tons)") : QString("Tip Load (kN)"));
        QVERIFY(!g.XOnTop && !q.XOnTop);
    }

    // TZDATA.DAT ends with the lower-bound run: in an all-clay profile every curve has the
    // clay lower-bound shape (loads 0.29 ... 0.75 of TMAX at movements 0.001 ... 0.02 of the
    // diameter) and the tip curve the clay lower-bound tip shape, which the title claims.
    void lowerBoundShape()
    {
        QTemporaryDir dir;
        const QString path = analyseCopy(QDir(dir.path()), "stiff-clay");
        QVERIFY(!path.isEmpty());
        TTzCurveGraphs graphs;
        QVERIFY(graphs.LoadTzDataFile(tzDataPathBeside(path)));
        const double load[10] = {0, 0.29, 0.52, 0.7, 0.84, 0.87, 0.89, 0.85, 0.8, 0.75};
        const double move[10] = {0, 0.001, 0.002, 0.003, 0.005, 0.006, 0.008, 0.012, 0.016, 0.02};
        const TLineSet &curves = graphs.pltTzCurves.Lines(0);
        for (int i = 0; i < curves.LineCount(); ++i) {
            const auto &p = curves.Line(i).Points;
            const double tmax = p[6].Y / 0.89;
            for (int j = 1; j < 10; ++j) {
                QVERIFY2(std::abs(p[j].Y / tmax - load[j]) < 1e-3, qPrintable(curves.Line(i).Name));
                QVERIFY(std::abs(p[j].X / 48 - move[j]) < 1e-6);
            }
        }
        const double tipLoad[10] = {0, 0.2, 0.37, 0.54, 0.77, 0.82, 0.9, 0.94, 0.97, 0.99};
        const auto &tip = graphs.pltQwCurve.Lines(0).Line(0).Points;
        for (int j = 1; j < 10; ++j)
            QVERIFY(std::abs(tip[j].Y / (tip[9].Y / 0.99) - tipLoad[j]) < 1e-3);
        QCOMPARE(tip[1].X, 0.24); // 0.005 x 48 in
    }

    // Files the engine can leave behind (stopped runs) and files it never writes.
    void malformed_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("curves");
        QTest::addColumn<int>("tipPoints");
        QTest::addColumn<QString>("message");
        QByteArray full = tzText(10, true);
        QTest::newRow("complete") << full << true << 10 << 10 << "";
        QByteArray crlf = full;
        crlf.replace("\n", "\r\n");
        QTest::newRow("CR LF line ends") << crlf << true << 10 << 10 << "";
        QTest::newRow("SI") << tzText(5, true, true) << true << 5 << 10 << "";
        QTest::newRow("note only: stopped before the curves (2)") << tzText(0, false) << true << 0 << 0 << "";
        QTest::newRow("no tip curve: stopped at the tip (4, 5)") << tzText(10, false) << true << 10 << 0 << "";
        QTest::newRow("empty file") << QByteArray() << false << 0 << 0 << "line 0: the note line";
        QTest::newRow("a report, not t-z data") << QByteArray("     =====\n  TARNEL for Windows\n") << false << 0 << 0
                                                << "line 1: the note line of a t-z data file was expected.";
        QByteArray mixed = full;
        mixed.replace("PSI", "KPA");
        QTest::newRow("mixed unit labels") << mixed << false << 0 << 0 << "line 7: units IN., PSI, IN. or M., KPA, M.";
        QByteArray tipUnits = full;
        tipUnits.replace("ton ", "KN. ");
        QTest::newRow("tip in kN in an English file") << tipUnits << false << 0 << 0 << "units ton and IN. were expected.";
        // Cut in the middle of curve 3, after two of its points.
        QTest::newRow("truncated in a curve") << full.left(full.indexOf(curveBlock(3, 10, 36)) + curveBlock(3, 2, 36).size())
                                              << false << 0 << 0 << "the file is incomplete";
        QTest::newRow("truncated in the tip curve") << full.chopped(2) << false << 0 << 0
                                                    << "the tip curve has no end line";
        QByteArray huge = tzText(1, false);
        huge.replace(curveBlock(1, 10, 12), curveHeader(1, 2147483647, 12));
        QTest::newRow("a count beyond any curve") << huge << false << 0 << 0
                                                  << "a number of points from 1 to 1000 was expected.";
        QByteArray order = full;
        order.replace(curveHeader(2, 10, 24), curveHeader(7, 10, 24));
        QTest::newRow("curves out of order") << order << false << 0 << 0 << "curve 2 was expected.";
        QByteArray word = full;
        word.replace("0.1500E+01", "0.15OOE+01");
        QTest::newRow("a word for a number") << word << false << 0 << 0 << "item 1 is not a number.";
        QByteArray nan = full;
        nan.replace("0.1500E+01", "nan");
        QTest::newRow("nan") << nan << false << 0 << 0 << "item 1 is not a number.";
        QByteArray fraction = full;
        fraction.replace("         10      0.1200E+02", "        9.5      0.1200E+02");
        QTest::newRow("fractional point count") << fraction << false << 0 << 0 << "item 2 is not a whole number.";
        QTest::newRow("text after the end line") << full + "     NOTE: TZ CURVE DATA\n" << false << 0 << 0
                                                 << "nothing was expected after the end line.";
    }
    void malformed()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, ok);
        QFETCH(int, curves);
        QFETCH(int, tipPoints);
        QFETCH(QString, message);
        TTzData data;
        std::string failure;
        QCOMPARE(readTzData(text, data, &failure), ok);
        if (!ok) {
            QVERIFY2(QString::fromStdString(failure).contains(message), failure.c_str());
            QVERIFY2(QString::fromStdString(failure).startsWith("TZDATA.DAT"), failure.c_str());
            return;
        }
        QCOMPARE(int(data.curves.size()), curves);
        QCOMPARE(int(data.tip.size()), tipPoints);
    }

    // A file that does not read leaves the graphs as they were; one without its tip curve
    // empties the q-w graph and says which run its curves are from.
    void failedLoadKeepsGraphs()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("TZDATA.DAT");
        writeFile(path, tzText(10, true));
        TTzCurveGraphs graphs;
        QVERIFY(graphs.LoadTzDataFile(path));
        QCOMPARE(graphs.pltTzCurves.Lines(0).LineCount(), 10);
        QCOMPARE(graphs.pltTzCurves.Lines(0).Line(3).Name, QString("Curve 4 at 4 ft"));
        QCOMPARE(graphs.pltTzCurves.Title, QString("Lower-bound curves, diameter 4.17 ft"));

        writeFile(path, tzText(10, true).left(900));
        std::string failure;
        QVERIFY(!graphs.LoadTzDataFile(path, &failure));
        QCOMPARE(graphs.pltTzCurves.Lines(0).LineCount(), 10);
        QCOMPARE(graphs.pltQwCurve.Lines(0).Line(0).Points.size(), size_t(10));

        writeFile(path, tzText(5, false));
        QVERIFY(graphs.LoadTzDataFile(path));
        QCOMPARE(graphs.pltTzCurves.Lines(0).LineCount(), 5);
        QVERIFY(graphs.HasCurves());
        QVERIFY(!graphs.HasTipCurve());
        QCOMPARE(graphs.pltTzCurves.Title, QString("Trend curves, diameter 4.17 ft (stopped before the tip curve)"));

        QVERIFY(!graphs.LoadTzDataFile(dir.filePath("none.dat"), &failure));
        QVERIFY2(QString::fromStdString(failure).startsWith("Cannot open"), failure.c_str());
    }

    void oversizedFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("TZDATA.DAT");
        QByteArray text = tzText(1, false);
        text += QByteArray(int(kMaxTzDataBytes), ' ');
        writeFile(path, text);
        TTzCurveGraphs graphs;
        std::string failure;
        QVERIFY(!graphs.LoadTzDataFile(path, &failure));
        QVERIFY2(QString::fromStdString(failure).contains("too large"), failure.c_str());
    }

    // Whose TZDATA.DAT is it: times in seconds after the project was saved.
    void lastRunRule_data()
    {
        QTest::addColumn<int>("plotAt");  // -1: no .tnp
        QTest::addColumn<double>("tzAt"); // negative: before the save; NaN: no file
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("reason");
        QTest::newRow("one run after the save") << 1 << 1.0 << true << "";
        QTest::newRow("curves within a run's 2 s clock step") << 1 << 2.9 << true << "";
        QTest::newRow("curves written at the save's second") << 0 << 0.0 << true << "";
        QTest::newRow("another project ran later") << 1 << 60.0 << false << "written by another run";
        QTest::newRow("curves of a run before the save") << 1 << -30.0 << false << "written by another run";
        QTest::newRow("project saved after its run") << -5 << -5.0 << false << "older than the project";
        QTest::newRow("no results") << -1000 << 1.0 << false << "has no results";
        QTest::newRow("tips in rock: no curves") << 1 << qQNaN() << false << "wrote no t-z curves";
    }
    void lastRunRule()
    {
        QFETCH(int, plotAt);
        QFETCH(double, tzAt);
        QFETCH(bool, accepted);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString project = dir.filePath("pier.tnd");
        const QDateTime saved = QDateTime::currentDateTime().addSecs(-3600);
        writeFile(project, "pier\n");
        setModified(project, saved);
        if (plotAt > -1000) {
            writeFile(dir.filePath("pier.tnp"), "1 1 0\n");
            setModified(dir.filePath("pier.tnp"), saved.addSecs(plotAt));
        }
        if (!std::isnan(tzAt)) {
            writeFile(dir.filePath("TZDATA.DAT"), tzText(5, true));
            setModified(dir.filePath("TZDATA.DAT"), saved.addMSecs(qint64(tzAt * 1000)));
        }
        std::string why;
        QCOMPARE(tzDataOfLastRun(project, &why), accepted);
        QVERIFY2(QString::fromStdString(why).contains(reason), why.c_str());
    }

    // Two projects in one folder: the one run last owns TZDATA.DAT. Runs a few ms apart pass
    // the time rule; the content (layer count, units) tells them apart.
    void otherProjectInFolder_data()
    {
        QTest::addColumn<QString>("later");
        QTest::addColumn<QString>("reason");
        QTest::newRow("fewer layers") << "belled-clay-shale" << "15";
        QTest::newRow("other units") << "layered-sand-si" << "unit system";
    }
    void otherProjectInFolder()
    {
        QFETCH(QString, later);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString first = analyseCopy(QDir(dir.path()), "stiff-clay");
        QVERIFY(!first.isEmpty());
        TProjectTables tables;
        TProgramData project(tables);
        project.CreateFromFile(first, true);
        TTzCurveGraphs graphs;
        QVERIFY(graphs.LoadForProject(first, project));

        const QString second = analyseCopy(QDir(dir.path()), later);
        QVERIFY(!second.isEmpty());
        std::string why;
        QVERIFY(!graphs.LoadForProject(first, project, &why));
        QVERIFY2(QString::fromStdString(why).contains(reason) || QString::fromStdString(why).contains("another run"),
                 why.c_str());
        QCOMPARE(graphs.pltTzCurves.Lines(0).LineCount(), 15); // unchanged

        TProjectTables otherTables;
        TProgramData other(otherTables);
        other.CreateFromFile(second, true);
        QVERIFY(graphs.LoadForProject(second, other, &why));
    }

    // A run that stopped early leaves the previous results standing, and the t-z graphs
    // follow what the run wrote.
    void runResultsAllOrNothing()
    {
        QTemporaryDir dir;
        const QString path = analyseCopy(QDir(dir.path()), "stiff-clay");
        QVERIFY(!path.isEmpty());
        TProjectTables tables;
        TProgramData project(tables);
        project.CreateFromFile(path, true);
        TResultGraphs graphs;
        TTzCurveGraphs tz;
        const QString plot = dir.filePath("stiff-clay.tnp");
        TRunResultsLoad load = loadRunResults(plot, tzDataPathBeside(path), project, graphs, tz);
        QVERIFY2(load.plotLoaded, load.failure.c_str());
        QVERIFY(load.tzCurves && load.tipCurve);
        const int settlement = project.SettlementCurves;
        const std::vector<TFloatPoint> axial = graphs.pltAxial.Lines(0).Line(1).Points;
        const size_t rows = graphs.pltSkin.Lines(0).Line(0).Points.size();

        // The first diameter's block and the second's start: as a run that stopped.
        QFile full(plot);
        QVERIFY(full.open(QIODevice::ReadOnly));
        const QByteArray text = full.readAll();
        const QString cut = dir.filePath("cut.tnp");
        writeFile(cut, text.left(text.size() * 2 / 3));
        project.SettlementCurves = settlement;
        load = loadRunResults(cut, QString(), project, graphs, tz);
        QVERIFY(!load.plotLoaded);
        QVERIFY2(load.failure == "This file either invalid or incomplete.", load.failure.c_str());
        QCOMPARE(project.SettlementCurves, settlement);
        QCOMPARE(graphs.pltSkin.Lines(0).Line(0).Points.size(), rows);
        const std::vector<TFloatPoint> &after = graphs.pltAxial.Lines(0).Line(1).Points;
        QCOMPARE(after.size(), axial.size());
        for (size_t j = 0; j < axial.size(); ++j)
            QVERIFY(after[j].X == axial[j].X && after[j].Y == axial[j].Y);
        QVERIFY(!load.tzCurves && !tz.HasCurves() && !tz.HasTipCurve());

        load = loadRunResults(QString(), QString(), project, graphs, tz);
        QVERIFY(!load.plotLoaded);
        QCOMPARE(load.failure, std::string("The run wrote no plot data file."));
    }

    // --plot 13 and 14: pictures and data of the curves used, or why there are none.
    void plotCommand_data()
    {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("graph");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("t-z curves, picture") << "stiff-clay" << "13" << "png" << 0 << "";
        QTest::newRow("q-w curve, data") << "layered-sand-si" << "14" << "csv" << 0 << "";
        QTest::newRow("tip in rock") << "rock-socket-igm" << "13" << "png" << 1 << "wrote no t-z curves";
        QTest::newRow("no graph 15") << "stiff-clay" << "15" << "png" << 1 << "is not one of 1 to 14";
    }
    void plotCommand()
    {
        QFETCH(QString, example);
        QFETCH(QString, graph);
        QFETCH(QString, extension);
        QFETCH(int, code);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = analyseCopy(QDir(dir.path()), example);
        QVERIFY(!path.isEmpty());
        const QString out = dir.filePath("graph." + extension);
        std::ostringstream err;
        QCOMPARE(runPlotCommand({"--plot", graph, path, out}, err), code);
        QVERIFY2(QString::fromStdString(err.str()).contains(message), err.str().c_str());
        QCOMPARE(QFile::exists(out), code == 0);
        if (code != 0)
            return;
        if (extension == "png") {
            const QImage image(out);
            QCOMPARE(image.size(), QSize(900, 600));
            return;
        }
        QFile csv(out);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList rows = QString::fromUtf8(csv.readAll()).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 11);
        QCOMPARE(rows[0], QString("\"Tip load\","));
        const TFileData file = readByColumns(dir.filePath("TZDATA.DAT"));
        QCOMPARE(rows[10].split(',')[0].toDouble(), file.tip[9].X);
        QCOMPARE(rows[10].split(',')[1].toDouble(), file.tip[9].Y);
    }

    // --export puts the two graphs after the twelve when the last run wrote t-z curves.
    void exportCommand_data()
    {
        QTest::addColumn<QString>("example");
        QTest::addColumn<int>("graphs");
        QTest::newRow("t-z tip") << "stiff-clay" << 14;
        QTest::newRow("rock tip") << "rock-socket-igm" << 9;
    }
    void exportCommand()
    {
        QFETCH(QString, example);
        QFETCH(int, graphs);
        QTemporaryDir dir;
        const QString path = analyseCopy(QDir(dir.path()), example);
        QVERIFY(!path.isEmpty());
        const QString out = dir.filePath("book.xlsx");
        std::ostringstream err;
        QCOMPARE(runExportCommand({"--export", path, out}, err), 0);
        QCOMPARE(err.str(), std::string());
        const QByteArray workbook = zipEntry(out, "xl/workbook.xml");
        QVERIFY(workbook.contains("name=\"Page_" + QByteArray::number(graphs) + "\""));
        QVERIFY(!workbook.contains("name=\"Page_" + QByteArray::number(graphs + 1) + "\""));
        const QByteArray strings = zipEntry(out, "xl/sharedStrings.xml");
        QCOMPARE(strings.contains("t-z Curves Used (last diameter)"), graphs == 14);
        QCOMPARE(strings.contains("Curve 15 at "), graphs == 14);
    }

    void exportAvailability_data()
    {
        QTest::addColumn<bool>("curves");
        QTest::addColumn<bool>("tip");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both") << true << true << "11111111111111";
        QTest::newRow("stopped at the tip") << true << false << "11111111111110";
        QTest::newRow("none") << false << false << "11111111111100";
    }
    void exportAvailability()
    {
        QFETCH(bool, curves);
        QFETCH(bool, tip);
        QFETCH(QString, expected);
        QString got;
        for (bool b : availablePlots(true, true, 1, curves, tip))
            got += b ? '1' : '0';
        QCOMPARE(got, expected);
        // The t-z items follow the t-z graphs alone: a run stopped at the tip (4, 5) has
        // curves to show though its plot data file does not load.
        QCOMPARE(availablePlots(false, false, 1, curves, tip)[12], curves);
    }
};

QTEST_MAIN(TestTzCurves)
#include "tst_tzcurves.moc"
