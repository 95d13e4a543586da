#include <QtTest>

#include <sstream>

#include "core/ColumnTypes.h"
#include "core/plotcommand.h"
#include "core/projectdata.h"
#include "core/resultgraphs.h"

namespace {

// The plot file as a flat stream of numbers, walked by the layout of the file: the oracle
// the loaded graphs are compared with.
struct TPlotBlock {
    std::vector<std::array<double, 7>> rows;
    double table[3][15][2] = {}; // averaged, upper, lower: load and settlement
    bool bounds = false;
};

struct TPlotFileContent {
    int ndia = 0, npts = 0, nset = 0;
    std::vector<TPlotBlock> blocks;
    bool wholeFileUsed = false;
};

TPlotFileContent parsePlotFile(const QString &path)
{
    TPlotFileContent c;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return c;
    std::vector<double> t;
    for (const QByteArray &w : f.readAll().simplified().split(' '))
        t.push_back(w.toDouble());
    size_t pos = 0;
    auto next = [&] { return pos < t.size() ? t[pos++] : 0.0; };
    c.ndia = int(next());
    c.npts = int(next());
    c.nset = int(next());
    int rows = c.npts, indicator = c.nset;
    for (int i = 0; i < c.ndia; ++i) {
        TPlotBlock b;
        for (int j = 0; j < rows; ++j) {
            std::array<double, 7> row;
            for (double &v : row)
                v = next();
            b.rows.push_back(row);
        }
        b.bounds = indicator > 2;
        for (int k = 0; k < (b.bounds ? 3 : 1); ++k)
            for (int j = 0; j < 15; ++j) {
                b.table[k][j][0] = next();
                b.table[k][j][1] = next();
                next();
                next();
            }
        c.blocks.push_back(b);
        if (i < c.ndia - 1) {
            next();
            rows = int(next());
            indicator = int(next());
        }
    }
    c.wholeFileUsed = pos == t.size();
    return c;
}

void writeText(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

// A plot file in the engine's layout: rows of seven numbers from the row function, the
// averaged table (and the bound tables when the block's indicator is above 2) with load
// 10 * (table + 1) * j + block and settlement 0.01 * j.
QByteArray plotText(int ndia, int npts, const std::vector<int> &rows, const std::vector<int> &indicators,
                    const std::function<std::array<double, 7>(int block, int row)> &row)
{
    QByteArray out;
    auto num = [&](double v) { out += ' ' + QByteArray::number(v, 'E', 3); };
    out += ' ' + QByteArray::number(ndia) + ' ' + QByteArray::number(npts) + ' ' + QByteArray::number(indicators[0]) +
           '\n';
    for (int i = 0; i < ndia; ++i) {
        if (i > 0)
            out += ' ' + QByteArray::number(ndia) + ' ' + QByteArray::number(rows[size_t(i)]) + ' ' +
                   QByteArray::number(indicators[size_t(i)]) + '\n';
        for (int j = 0; j < rows[size_t(i)]; ++j) {
            const auto v = row(i, j);
            for (int k = 0; k < 5; ++k)
                num(v[size_t(k)]);
            out += '\n';
            num(v[5]);
            num(v[6]);
            out += '\n';
        }
        for (int t = 0; t < (indicators[size_t(i)] > 2 ? 3 : 1); ++t)
            for (int j = 1; j <= 15; ++j) {
                num(10.0 * (t + 1) * j + i);
                num(0.01 * j);
                num(0);
                num(0);
                out += '\n';
            }
    }
    return out;
}

std::array<double, 7> simpleRow(int block, int row)
{
    const double d = row;
    return {d, 1 + d + block, 2 + d + block, 3 + d + block, 4 + d + block, 5 + d + block, 6 + d + block};
}

struct TProjectSetup {
    int units = 1, designMethod = 2, loadType = 1, currentLayout = 1;
    double dstart = 3;
    std::vector<std::pair<int, double>> layers; // soil type code, bottom depth
};

} // namespace

class TestPlotFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_runs; // the examples, analysed by the engine
    QTemporaryDir m_scratch;

    QString runDir() const { return m_runs.path(); }
    QString examplePath(const QString &name) const { return m_runs.filePath(name + ".tnd"); }
    QString scratch(const QString &name) const { return m_scratch.filePath(name); }

    // A project of the given kind with its results from text; returns the plot file path.
    void setUp(TProgramData &project, const TProjectSetup &s)
    {
        project.Units = s.units;
        project.DesignMethod = s.designMethod;
        project.LoadType = s.loadType;
        project.CurrentLayout = s.currentLayout;
        project.ShaftData[sdDSTART] = s.dstart;
        project.layers().setRowCount(int(s.layers.size()));
        for (size_t k = 0; k < s.layers.size(); ++k) {
            project.layers().setInt(colSoilType, int(k), s.layers[k].first);
            project.layers().setFloat(colDepth, int(k), s.layers[k].second);
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_runs.isValid() && m_scratch.isValid());
        const QString engine = QStringLiteral(TARNEL_BIN_DIR) + "/tarnel-engine";
        QVERIFY2(QFileInfo::exists(engine), "build the tarnel-engine target first");
        const QDir examples(QStringLiteral(TARNEL_EXAMPLES));
        for (const QString &name : examples.entryList({"*.tnd"})) {
            const QString copy = m_runs.filePath(name);
            QVERIFY(QFile::copy(examples.filePath(name), copy));
            QProcess run;
            run.setWorkingDirectory(m_runs.path());
            run.start(engine, {copy});
            QVERIFY(run.waitForFinished(60000));
            QVERIFY2(run.exitCode() == 0, qPrintable(name));
        }
    }

    // Every example: every point of every graph equals the numbers in the file the engine
    // wrote, with the names, captions, settlement indicator and layer lines that go with it.
    void examples_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("diameters");
        QTest::addColumn<QString>("factoredSide");
        QTest::addColumn<QString>("combinedTip");
        QTest::newRow("belled clay over shale")
            << "belled-clay-shale" << QStringList{"Dia=4 ft", "Dia=4.5 ft", "Dia=5 ft"} << "Side Resistance/F.S. "
            << "  Tip Resistance";
        QTest::newRow("gravel over shale, LRFD")
            << "gravel-over-shale" << QStringList{"Dia=3 ft", "Dia=3.5 ft", "Dia=4 ft"} << "LRFD Side Resistance "
            << "  Tip Resistance";
        QTest::newRow("layered sand, SI") << "layered-sand-si" << QStringList{"Dia=0.9 m", "Dia=1.052 m", "Dia=1.204 m"}
                                          << "LRFD Side Resistance " << "  Tip Resistance";
        QTest::newRow("rock socket, nine diameters")
            << "rock-socket-igm"
            << QStringList{"Dia=4 ft", "Dia=4.5 ft", "Dia=5 ft", "Dia=5.5 ft", "Dia=6 ft", "Dia=6.5 ft", "Dia=7 ft",
                           "Dia=7.5 ft", "Dia=8 ft"}
            << "Side Resistance/F.S. " << "  Tip Resistance";
        QTest::newRow("stiff clay, short blocks")
            << "stiff-clay" << QStringList{"Dia=3 ft", "Dia=3.5 ft", "Dia=4 ft"} << "Side Resistance/F.S. "
            << "  Tip Resistance";
        QTest::newRow("uplift") << "uplift-sand-gravel" << QStringList{"Dia=2.5 ft", "Dia=3 ft"}
                                << "Side Resistance/F.S. " << "  Self-Weight";
    }
    void examples()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, diameters);
        QFETCH(QString, factoredSide);
        QFETCH(QString, combinedTip);
        TProjectTables tables;
        TProgramData project(tables);
        project.CreateFromFile(examplePath(name), true);
        const QString plot = m_runs.filePath(name + ".tnp");
        const TPlotFileContent file = parsePlotFile(plot);
        QVERIFY(file.wholeFileUsed);
        QCOMPARE(file.ndia, int(diameters.size()));

        TResultGraphs g;
        project.SettlementCurves = -7;
        std::string failure;
        QVERIFY2(g.LoadPlotFile(plot, project, &failure), failure.c_str());
        QCOMPARE(project.SettlementCurves, file.nset);
        const bool uplift = project.LoadType == 2;

        TGraphPlot *depth[6] = {&g.pltSkin, &g.pltTip, &g.pltTotal, &g.FSpltSkin, &g.FSpltTip, &g.FSpltTotal};
        for (TGraphPlot *graph : depth) {
            QCOMPARE(graph->Lines().LineCount(), file.ndia);
            QCOMPARE(graph->Lines().PointCount(), file.npts);
        }
        for (int i = 0; i < file.ndia; ++i) {
            const TPlotBlock &b = file.blocks[size_t(i)];
            for (int j = 0; j < file.npts; ++j) {
                // Rows past a short block repeat its last row.
                const auto &row = b.rows[size_t(std::min<int>(j, int(b.rows.size()) - 1))];
                for (int k = 0; k < 6; ++k) {
                    double x = row[size_t(k + 1)];
                    if (k == 4 && uplift)
                        x = row[2]; // the unfactored self-weight
                    if (k == 1 && j == file.npts - 1 && x < 1e-4)
                        x = 1e-5;
                    const TFloatPoint &p = depth[k]->Lines().Point(i, j);
                    QCOMPARE(p.Y, row[0]);
                    QCOMPARE(p.X, x);
                }
            }
            TGraphPlot *settle[3] = {&g.pltAxial, &g.pltUpper, &g.pltLower};
            for (int k = 0; k < 3; ++k) {
                QCOMPARE(settle[k]->Lines().Line(i).Points.size(), size_t(16));
                QCOMPARE(settle[k]->Lines().Point(i, 0).X, 0.0);
                QCOMPARE(settle[k]->Lines().Point(i, 0).Y, 0.0);
                for (int j = 1; j <= 15; ++j) {
                    const bool read = k == 0 || b.bounds;
                    QCOMPARE(settle[k]->Lines().Point(i, j).X, read ? b.table[k][j - 1][0] : 0.0);
                    QCOMPARE(settle[k]->Lines().Point(i, j).Y, read ? b.table[k][j - 1][1] : 0.0);
                }
            }
            for (TGraphPlot *graph : {&g.pltSkin, &g.FSpltTotal, &g.pltAxial, &g.pltUpper, &g.pltLower})
                QCOMPARE(graph->Lines().Line(i).DisplayName(), diameters[i]);
        }
        // The combined graphs copy the first diameter.
        for (int k = 0; k < 3; ++k)
            for (int j = 0; j < file.npts; ++j) {
                QCOMPARE(g.pltCombine.Lines().Point(k, j).X, depth[k]->Lines().Point(0, j).X);
                QCOMPARE(g.pltCombineD.Lines().Point(k, j).X, depth[3 + k]->Lines().Point(0, j).X);
                QCOMPARE(g.pltCombineD.Lines().Point(k, j).Y, depth[3 + k]->Lines().Point(0, j).Y);
            }
        QCOMPARE(g.pltCombinedSettle.Lines().Point(1, 15).X, g.pltUpper.Lines().Point(0, 15).X);
        QCOMPARE(g.pltCombine.Lines().Line(1).DisplayName(), combinedTip);
        QCOMPARE(g.pltCombineD.Lines().Line(1).DisplayName(), combinedTip);
        QCOMPARE(g.pltCombinedSettle.Lines().Line(0).DisplayName(), QString("  Trend (Averaged)"));
        QCOMPARE(g.pltLoad.Lines().LineCount(), 9);
        QCOMPARE(g.pltLoad.Lines().PointCount(), file.npts);

        QCOMPARE(g.FSpltSkin.XCaption, factoredSide);
        QCOMPARE(g.FSpltTip.XCaption,
                 uplift ? QString("Self-Weight") : project.DesignMethod == 1 ? "LRFD Tip Resistance " : "Tip Resistance/F.S. ");
        for (TGraphPlot *graph : g.all())
            QCOMPARE(graph->Units(), project.Units);
        QCOMPARE(g.pltSkin.AxisTitle(g.pltSkin.YCaption, g.pltSkin.YUnits),
                 project.Units == 2 ? QString("Depth (m)") : QString("Depth (ft)"));
        QCOMPARE(g.pltAxial.AxisTitle(g.pltAxial.YCaption, g.pltAxial.YUnits),
                 project.Units == 2 ? QString("Settlement (m)") : QString("Settlement (in)"));

        // Layer lines on the eight depth graphs, none on the settlement graphs.
        const TGridTable &layers = project.layers();
        for (TGraphPlot *graph : {&g.pltSkin, &g.pltTip, &g.pltTotal, &g.FSpltSkin, &g.FSpltTip, &g.FSpltTotal,
                                  &g.pltCombine, &g.pltCombineD}) {
            QCOMPARE(graph->Lines(1).LineCount(), layers.rowCount());
            for (int r = 0; r < layers.rowCount(); ++r)
                QCOMPARE(graph->Lines(1).Point(r, 0).Y, layers.floatValue(colDepth, r));
        }
        QCOMPARE(g.pltAxial.Lines(1).LineCount(), 0);
        QCOMPARE(g.pltCombinedSettle.Lines(1).LineCount(), 0);
    }

    void exampleValuesByHand()
    {
        TProjectTables tables;
        TProgramData project(tables);
        project.CreateFromFile(examplePath("stiff-clay"), true);
        TResultGraphs g;
        QVERIFY(g.LoadPlotFile(m_runs.filePath("stiff-clay.tnp"), project));
        // Row 3 of the first block: "0.900E+01 0.301E+01 0.415E+02 0.445E+02 0.150E+01 / 0.166E+02 0.181E+02".
        QCOMPARE(g.pltSkin.Lines().Point(0, 2).Y, 9.0);
        QCOMPARE(g.pltSkin.Lines().Point(0, 2).X, 3.01);
        QCOMPARE(g.pltTip.Lines().Point(0, 2).X, 41.5);
        QCOMPARE(g.pltTotal.Lines().Point(0, 2).X, 44.5);
        QCOMPARE(g.FSpltSkin.Lines().Point(0, 2).X, 1.5);
        QCOMPARE(g.FSpltTip.Lines().Point(0, 2).X, 16.6);
        QCOMPARE(g.FSpltTotal.Lines().Point(0, 2).X, 18.1);
        // The second block has 43 of the 50 rows: the last 7 points repeat row 43.
        const TLineSet &skin = g.pltSkin.Lines();
        for (int j = 43; j < 50; ++j) {
            QCOMPARE(skin.Point(1, j).X, skin.Point(1, 42).X);
            QCOMPARE(skin.Point(1, j).Y, skin.Point(1, 42).Y);
        }
        QVERIFY(skin.Point(1, 42).Y > skin.Point(1, 41).Y);

        // Rock socket: weak rock shows as weak rock with its own pattern.
        TProjectTables rockTables;
        TProgramData rock(rockTables);
        rock.CreateFromFile(examplePath("rock-socket-igm"), true);
        QVERIFY(g.LoadPlotFile(m_runs.filePath("rock-socket-igm.tnp"), rock));
        QCOMPARE(rock.SettlementCurves, 0);
        const TLineSet &layers = g.pltTotal.Lines(1);
        const QStringList names{" CLAY ", " SAND ", " WEAK ROCK ", " WEAK ROCK ", " ROCK "};
        const double fills[] = {1, 7, 10, 10, 9};
        const double bottoms[] = {15, 30, 45, 60, 110};
        QCOMPARE(layers.LineCount(), 5);
        for (int r = 0; r < 5; ++r) {
            QCOMPARE(layers.Line(r).DisplayName(), names[r]);
            QCOMPARE(layers.Point(r, 0).X, fills[r]);
            QCOMPARE(layers.Point(r, 0).Y, bottoms[r]);
        }
        // Resized from 3 lines of 50 points to 9 lines of 79; the first line's names follow.
        QCOMPARE(g.pltSkin.Lines().LineCount(), 9);
        QCOMPARE(g.pltSkin.Lines().PointCount(), 79);
        QCOMPARE(g.pltSkin.Lines().Line(0).DisplayName(), QString("Dia=4 ft"));
    }

    void layerLabels_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("label");
        QTest::addColumn<double>("fill");
        QTest::newRow("sand") << 1 << " SAND " << 7.0;
        QTest::newRow("clay") << 2 << " CLAY " << 1.0;
        QTest::newRow("shale") << 3 << " SHALE " << 8.0;
        QTest::newRow("strong rock, side or base") << 4 << " ROCK " << 9.0;
        QTest::newRow("decomposed rock or gravel") << 5 << " WEAK ROCK " << 10.0;
        QTest::newRow("weak rock") << 6 << " WEAK ROCK " << 10.0;
        QTest::newRow("strong rock, side and base") << 7 << " ROCK " << 9.0;
        QTest::newRow("gravelly sand") << 8 << " GW " << 11.0;
        QTest::newRow("gravel") << 9 << " GRAVEL " << 12.0;
    }
    void layerLabels()
    {
        QFETCH(int, type);
        QFETCH(QString, label);
        QFETCH(double, fill);
        TProjectTables tables;
        TProgramData project(tables);
        setUp(project, {1, 2, 1, 1, 3, {{2, 5}, {type, 12.5}}});
        TGraphPlot graph;
        TResultGraphs::AddLayersGraphPlot(graph, project.layers());
        QCOMPARE(graph.Lines(1).LineCount(), 0); // no curve point: no layers
        graph.Lines(0).SetLineCount(1);
        graph.Lines(0).SetPointCount(1);
        TResultGraphs::AddLayersGraphPlot(graph, project.layers());
        QCOMPARE(graph.Lines(1).LineCount(), 2);
        QCOMPARE(graph.Lines(1).Line(1).DisplayName(), label);
        QCOMPARE(graph.Lines(1).Point(1, 0).X, fill);
        QCOMPARE(graph.Lines(1).Point(1, 0).Y, 12.5);
    }

    // Files the engine would write in other situations, made here.
    void shortBlocksTipFloorAndBounds()
    {
        TProjectTables tables;
        TProgramData project(tables);
        setUp(project, {2, 1, 1, 1, 0.9, {{1, 10}}});
        const QString path = scratch("short.tnp");
        // Second block: 2 of 3 rows, its tip ending at 0; both blocks with bound tables.
        writeText(path, plotText(2, 3, {3, 2}, {3, 3}, [](int b, int r) {
                      auto v = simpleRow(b, r);
                      if (b == 1)
                          v[2] = r == 0 ? 5 : 0.00009;
                      return v;
                  }));
        TResultGraphs g;
        QVERIFY(g.LoadPlotFile(path, project));
        QCOMPARE(g.pltSkin.Lines().Point(1, 2).X, g.pltSkin.Lines().Point(1, 1).X);
        QCOMPARE(g.pltSkin.Lines().Point(1, 2).Y, 1.0);
        QCOMPARE(g.pltTip.Lines().Point(1, 2).X, 1e-5); // below 1e-4 at the end
        QCOMPARE(g.pltTip.Lines().Point(1, 1).X, 0.00009); // only the last point
        QCOMPARE(g.FSpltTip.Lines().Point(1, 2).X, 7.0); // repeats row 2 of the block
        QCOMPARE(g.pltUpper.Lines().Point(1, 15).X, 301.0);
        QCOMPARE(g.pltLower.Lines().Point(0, 1).X, 30.0);
        QCOMPARE(g.pltLower.Lines().Line(1).DisplayName(), QString("Dia=1.052 m"));

        // Then a run without bound tables: the bound graphs keep what they held.
        writeText(path, plotText(1, 2, {2}, {0}, simpleRow));
        QVERIFY(g.LoadPlotFile(path, project));
        QCOMPARE(project.SettlementCurves, 0);
        QCOMPARE(g.pltUpper.Lines().LineCount(), 1);
        QCOMPARE(g.pltUpper.Lines().Point(0, 15).X, 300.0);
        QCOMPARE(g.pltAxial.Lines().Point(0, 15).X, 150.0);
        QCOMPARE(g.pltSkin.Lines().PointCount(), 2);
    }

    void laterBlockIndicatorIsHonoured()
    {
        // The first diameter is tipped in rock (no bound tables), the second in soil: the
        // engine writes 45 settlement rows for the second.
        TProjectTables tables;
        TProgramData project(tables);
        setUp(project, {1, 2, 1, 1, 3, {}});
        const QString path = scratch("mixed.tnp");
        writeText(path, plotText(3, 2, {2, 2, 2}, {0, 3, 3}, simpleRow));
        TResultGraphs g;
        std::string failure;
        QVERIFY2(g.LoadPlotFile(path, project, &failure), failure.c_str());
        QCOMPARE(project.SettlementCurves, 0);
        QCOMPARE(g.pltAxial.Lines().Point(1, 15).X, 151.0);
        QCOMPARE(g.pltUpper.Lines().Point(1, 15).X, 301.0);
        QCOMPARE(g.pltLower.Lines().Point(2, 15).X, 452.0);
        QCOMPARE(g.pltUpper.Lines().Point(0, 15).X, 0.0);
        QCOMPARE(g.pltSkin.Lines().Point(2, 1).X, 4.0);
    }

    void olderFiveNumberRows()
    {
        TProjectTables tables;
        TProgramData project(tables);
        setUp(project, {1, 2, 1, 0, 3, {}});
        project.SideSafetyFactor = 2;
        project.BaseSafetyFactor = 4;
        const QString path = scratch("old.tnp");
        // depth, side, tip, total, one ignored number; then the averaged table.
        QByteArray text = "1 2 0\n0 0 0 0 9\n10 20 40 60 9\n";
        for (int j = 1; j <= 15; ++j)
            text += QByteArray::number(j) + " 0.1 0 0\n";
        writeText(path, text);
        TResultGraphs g;
        QVERIFY(g.LoadPlotFile(path, project));
        QCOMPARE(g.pltTotal.Lines().Point(0, 1).X, 60.0);
        QCOMPARE(g.FSpltSkin.Lines().Point(0, 1).X, 10.0);
        QCOMPARE(g.FSpltTip.Lines().Point(0, 1).X, 10.0);
        QCOMPARE(g.FSpltTotal.Lines().Point(0, 1).X, 20.0);
        project.LoadType = 2; // uplift: the tip (self-weight) is not factored
        QVERIFY(g.LoadPlotFile(path, project));
        QCOMPARE(g.FSpltTip.Lines().Point(0, 1).X, 40.0);
        QCOMPARE(g.FSpltTotal.Lines().Point(0, 1).X, 50.0);
        QCOMPARE(g.pltTip.XCaption, QString("Self-Weight"));
        QCOMPARE(g.pltCombine.Lines().Line(1).Name, QString("  Self-Weight"));
    }

    void malformedFiles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        const QString incomplete = "This file either invalid or incomplete.";
        const QByteArray good = plotText(2, 3, {3, 3}, {3, 3}, simpleRow);
        QTest::newRow("empty") << QByteArray() << incomplete;
        QTest::newRow("truncated after a row") << good.left(good.indexOf('\n', good.size() / 3) + 1) << incomplete;
        QTest::newRow("truncated inside a number") << good.left(good.indexOf("E+", good.size() / 2) - 2)
                                                   << incomplete;
        QTest::newRow("truncated in the last table") << good.left(good.size() - 20) << incomplete;
        QTest::newRow("real as diameter count") << QByteArray("2.5 3 3\n") + good.mid(good.indexOf('\n') + 1)
                                                << "Error on Line 1 Item 1\rAn integer was expected but not found.";
        QByteArray word = good;
        word.replace(word.indexOf("1.000E+00"), 9, "1.0O0E+00"); // a letter O for a zero
        QTest::newRow("word where a real belongs")
            << word << "Error on Line 2 Item 2\rA floating point number was expected but not found.";
        // The separator before the second block, on line 53 (a header, 6 row lines, 45 table lines).
        const qsizetype at = good.lastIndexOf(" 2 3 3\n");
        QVERIFY(good.left(at).count('\n') + 1 == 53);
        auto separator = [&](const QByteArray &replacement) {
            QByteArray text = good;
            return text.replace(at, 7, replacement);
        };
        QTest::newRow("real as row count") << separator(" 2 3.5 3\n")
                                           << "Error on Line 53 Item 2\rAn integer was expected but not found.";
        QTest::newRow("no diameters") << QByteArray("0 3 3\n")
                                      << "Error on Line 1 Item 1\rA number of shaft diameters from 1 to 1000 was "
                                         "expected but not found.";
        QTest::newRow("absurd diameter count")
            << QByteArray("2000000000 3 3\n") + good
            << "Error on Line 1 Item 1\rA number of shaft diameters from 1 to 1000 was expected but not found.";
        QTest::newRow("absurd row count") << QByteArray("1 2147483647 0\n") + good
                                          << "Error on Line 1 Item 2\rA number of rows from 1 to 100002 was "
                                             "expected but not found.";
        QTest::newRow("too many points for the diameters")
            << QByteArray("1000 1001 0\n") + good
            << "Error on Line 1 Item 2\rA number of rows from 1 to 1000 was expected but not found.";
        QTest::newRow("rows the file does not hold") << QByteArray("20 50000 3\n") + good << incomplete;
        QTest::newRow("block longer than the first")
            << separator(" 2 4 3\n") << "Error on Line 53 Item 2\rA number of rows from 1 to 3 was expected but not found.";
        QTest::newRow("block without rows")
            << separator(" 2 0 3\n") << "Error on Line 53 Item 2\rA number of rows from 1 to 3 was expected but not found.";
        QTest::newRow("negative row count")
            << separator(" 2 -1 3\n") << "Error on Line 53 Item 2\rA number of rows from 1 to 3 was expected but not found.";
    }
    void malformedFiles()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        TProjectTables tables;
        TProgramData project(tables);
        setUp(project, {1, 2, 1, 1, 3, {{2, 10}}});
        const QString path = scratch("bad.tnp");
        writeText(path, text);
        TResultGraphs g;
        std::string failure;
        QVERIFY(!g.LoadPlotFile(path, project, &failure));
        QCOMPARE(QString::fromStdString(failure), message);
        // Nothing was sized for counts the file cannot back.
        QVERIFY(g.pltSkin.Lines().LineCount() <= 1000);
        QVERIFY(g.pltSkin.Lines().PointCount() <= 1000);
    }

    void failedLoadKeepsWhatWasRead()
    {
        TProjectTables tables;
        TProgramData project(tables);
        setUp(project, {1, 2, 1, 1, 3, {{2, 10}}});
        const QString path = scratch("cut.tnp");
        const QByteArray good = plotText(2, 3, {3, 3}, {3, 3}, simpleRow);
        writeText(path, good.left(good.indexOf('\n', good.lastIndexOf(" 2 3 3\n") + 8) + 1));
        TResultGraphs g;
        std::string failure;
        QVERIFY(!g.LoadPlotFile(path, project, &failure));
        QCOMPARE(QString::fromStdString(failure), QString("This file either invalid or incomplete."));
        QCOMPARE(g.pltSkin.Lines().Point(0, 2).X, 3.0); // the first block is in
        QVERIFY(!g.LoadPlotFile(scratch("missing.tnp"), project, &failure));
        QVERIFY(QString::fromStdString(failure).startsWith("Cannot open file"));
    }

    void graphsByMenuOrder()
    {
        TResultGraphs g;
        QCOMPARE(g.graph(0), nullptr);
        QCOMPARE(g.graph(13), nullptr);
        QCOMPARE(g.graph(1), &g.pltSkin);
        QCOMPARE(g.graph(8), &g.pltCombineD);
        QCOMPARE(g.graph(12), &g.pltCombinedSettle);
        QCOMPARE(g.all().size(), size_t(13));
        QCOMPARE(g.pltCombine.Caption, QString("Combined Plots vs Depth (ultimate)"));
        QCOMPARE(g.FSpltSkin.Caption, QString("ASD/LRFD Skin Friction vs Depth"));
        QCOMPARE(g.pltTotal.Caption, QString("Ultimate Total Capacity vs Depth"));
        for (int n = 1; n <= 12; ++n) {
            QVERIFY(g.graph(n)->XOnTop);
            QCOMPARE(g.graph(n)->XUnits, QString("F2"));
            QCOMPARE(g.graph(n)->YUnits, n <= 8 ? QString("L2") : QString("L"));
        }
    }

    void plotCommand_data()
    {
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("graph");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("png") << "skin.png" << 1 << QByteArray("\x89PNG");
        QTest::newRow("bmp") << "combined.bmp" << 7 << QByteArray("BM");
        QTest::newRow("svg") << "settle.svg" << 12 << QByteArray("<?xml");
        QTest::newRow("pdf upper case") << "total.PDF" << 3 << QByteArray("%PDF");
    }
    void plotCommand()
    {
        QFETCH(QString, out);
        QFETCH(int, graph);
        QFETCH(QByteArray, magic);
        const QString path = scratch(out);
        std::ostringstream err;
        QCOMPARE(runPlotCommand({"--plot", QString::number(graph), examplePath("stiff-clay"), path}, err), 0);
        QCOMPARE(QString::fromStdString(err.str()), QString());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().startsWith(magic));
        if (out.endsWith(".png") || out.endsWith(".bmp")) {
            const QImage image(path);
            QCOMPARE(image.size(), QSize(900, 600)); // 6 x 4 inches at 150 pixels per inch
        }
    }

    void plotCommandSizeAndData()
    {
        std::ostringstream err;
        const QString png = scratch("large.png");
        QCOMPARE(runPlotCommand({"--plot", "9", examplePath("layered-sand-si"), png, "--size", "8x5", "--ppi", "100"},
                                err),
                 0);
        QCOMPARE(QImage(png).size(), QSize(800, 500));

        const QString csv = scratch("axial.csv");
        QCOMPARE(runPlotCommand({"--plot", "9", examplePath("layered-sand-si"), csv}, err), 0);
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 17);
        QCOMPARE(lines[0], QString("\"Dia=0.9 m\",,\"Dia=1.052 m\",,\"Dia=1.204 m\","));
        QCOMPARE(lines[1], QString("0,0,0,0,0,0"));
        TProjectTables tables;
        TProgramData project(tables);
        project.CreateFromFile(examplePath("layered-sand-si"), true);
        TResultGraphs g;
        QVERIFY(g.LoadPlotFile(m_runs.filePath("layered-sand-si.tnp"), project));
        for (int j = 0; j < 16; ++j) {
            const QStringList cells = lines[j + 1].split(',');
            QCOMPARE(cells.size(), 6);
            for (int i = 0; i < 3; ++i) { // the numbers read back exactly
                QCOMPARE(cells[2 * i].toDouble(), g.pltAxial.Lines().Point(i, j).X);
                QCOMPARE(cells[2 * i + 1].toDouble(), g.pltAxial.Lines().Point(i, j).Y);
            }
        }
    }

    void plotCommandRefusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("says");
        QTest::newRow("graph 0") << QStringList{"0", "@stiff-clay", "@x.png"} << 1 << "graph 0 is not one of 1 to 12";
        QTest::newRow("graph 13") << QStringList{"13", "@stiff-clay", "@x.png"} << 1 << "graph 13 is not one of 1 to 12";
        QTest::newRow("no results") << QStringList{"1", "#noresults", "@x.png"} << 1 << "has no results";
        QTest::newRow("unwritable") << QStringList{"1", "@stiff-clay", "/nonexistent-folder/x.png"} << 1
                                    << "cannot write /nonexistent-folder/x.png";
        QTest::newRow("unknown picture kind") << QStringList{"1", "@stiff-clay", "@x.gif"} << 1
                                              << "must end in .png, .bmp, .svg, .pdf or .csv";
        QTest::newRow("bound curves not run") << QStringList{"10", "@rock-socket-igm", "@x.png"} << 1
                                              << "graph 10 has no data";
        QTest::newRow("bad results") << QStringList{"1", "#badresults", "@x.png"} << 1
                                     << "cannot read the results";
        QTest::newRow("missing project") << QStringList{"1", "#missing", "@x.png"} << 1 << "cannot read the project";
        QTest::newRow("too few words") << QStringList{"1", "@stiff-clay"} << 2 << "usage: tarnel2012 --plot N";
        QTest::newRow("graph not a number") << QStringList{"one", "@stiff-clay", "@x.png"} << 2 << "usage:";
        QTest::newRow("bad size") << QStringList{"1", "@stiff-clay", "@x.png", "--size", "6by4"} << 2 << "--size 6by4";
    }
    void plotCommandRefusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, says);
        // A project without results, and one whose results are broken.
        const QString noResults = scratch("noresults.tnd");
        const QString badResults = scratch("badresults.tnd");
        QFile::remove(noResults);
        QFile::remove(badResults);
        QVERIFY(QFile::copy(examplePath("stiff-clay"), noResults));
        QVERIFY(QFile::copy(examplePath("stiff-clay"), badResults));
        writeText(scratch("badresults.tnp"), "3 50 3\n1 2\n");
        for (QString &a : arguments) {
            if (a.startsWith('@'))
                a = a.endsWith(".png") || a.endsWith(".gif") ? scratch(a.mid(1)) : examplePath(a.mid(1));
            else if (a.startsWith('#'))
                a = scratch(a.mid(1) + ".tnd");
        }
        std::ostringstream err;
        QCOMPARE(runPlotCommand(QStringList{"--plot"} + arguments, err), code);
        const QString text = QString::fromStdString(err.str());
        QVERIFY2(text.contains(says), qPrintable(text));
        QCOMPARE(text.count('\n'), 1); // one line
        QVERIFY(!text.contains('\r'));
        QVERIFY(!QFileInfo::exists(scratch("x.png")));
        QCOMPARE(runPlotCommand({"--resave"}, err), -1);
    }
};

QTEST_MAIN(TestPlotFile)
#include "tst_plotfile.moc"
