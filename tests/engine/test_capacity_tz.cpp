// The t-z analysis and the load-settlement output.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "settlement.h"
#include "tz.h"
#include "whole_run.h"

using namespace engine;

namespace {

// 3 ft straight shaft, 10 ft long in ten segments, in one layer 0 to 30 ft whose unit side
// resistance is 0.275 tsf (3.8194 psi) everywhere; QB 50 tons.
TzInput shaft(int type = 2, Real Ec = 3600000)
{
    TzInput in;
    in.NROWS = 10;
    in.D = in.DBASE = 3;
    in.EcEntered = Ec;
    in.layers = {{type, 0, 30, 0.275f, 0.275f, 4.5f, 4.5f}};
    in.L = 10;
    in.QB = 50;
    for (int j = 1; j <= 10; ++j)
        in.side.push_back({static_cast<Real>(j), 0.275f});
    in.tipType = type;
    return in;
}

// 1 ft shaft 10 ft long as one segment in clay of 0.144 tsf = 2 psi; QB 10 tons, Ec 3.6e6 psi.
TzInput oneSegment()
{
    TzInput in;
    in.NROWS = 1;
    in.D = in.DBASE = 1;
    in.EcEntered = 3600000;
    in.layers = {{2, 0, 30, 0.144f, 0.144f, 1, 1}};
    in.L = 10;
    in.QB = 10;
    in.side = {{10, 0.144f}};
    in.tipType = 2;
    return in;
}

} // namespace

TEST(TzAnalysis, TipMovementsScaleWithTheDiameter)
{
    struct Case {
        const char *name;
        Real D, w13, w14, w15;
    };
    const Case cases[] = {{"60 in", 5, 0.6f, 1.5f, 3.0f}, {"40 in", 40 / 12.0f, 0.625f, 1.0f, 2.0f},
                          {"36 in", 3, 0.625f, 0.9f, 1.8f}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TzInput in = shaft();
        in.D = in.DBASE = c.D;
        const TzResult r = computeTz(in, 1);
        ASSERT_EQ(r.IERR, 0);
        EXPECT_NEAR(r.tipW15[0], 0.00001, 1e-9);
        EXPECT_NEAR(r.tipW15[11], 0.5, 1e-7);
        EXPECT_NEAR(r.tipW15[12], c.w13, 1e-5);
        EXPECT_NEAR(r.tipW15[13], c.w14, 1e-5);
        EXPECT_NEAR(r.tipW15[14], c.w15, 1e-5);
    }
}

TEST(TzAnalysis, IgnoredTopCarriesNoLoadButCompresses)
{
    TzInput in = shaft();
    in.TOPLENG = 10;
    const TzResult r = computeTz(in, 1);
    ASSERT_EQ(r.IERR, 0);
    // Tip at 1.8 in = 0.05 DT: the clay trend tip curve's 0.97 of 100000 lb.
    EXPECT_NEAR(r.tip[14], 97000, 0.5);
    EXPECT_NEAR(r.top[14], r.tip[14], 1e-3);
    const double AE = 3600000.0 * 0.7854 * 36 * 36;
    EXPECT_NEAR(r.topW[14], 1.8 + 120 * 97000 / AE, 1e-5);
}

TEST(TzAnalysis, SideTransferOfARigidShaft)
{
    struct Case {
        const char *name;
        int type, mode;
        double factor, tipFactor;
    };
    // Movement 1.8 in = 0.05 OD: clay past its last point (0.835, 1.02 ... ), sand between
    // 0.016 and 0.1 OD.
    const Case cases[] = {
        {"clay trend", 2, 1, 0.835, 0.97},
        {"clay upper bound", 2, 2, 0.92, 0.995},
        {"sand lower bound", 1, 3, 0.92 - 0.02 * 0.034 / 0.084, 0.95},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const TzResult r = computeTz(shaft(c.type, 1e12f), c.mode);
        ASSERT_EQ(r.IERR, 0);
        const double side = 120 * 3.1416 * 36 * 3.81944 * c.factor;
        EXPECT_NEAR(r.top[14], 100000 * c.tipFactor + side, 2.0);
        EXPECT_NEAR(r.topW[14], 1.8, 1e-4);
    }
}

TEST(TzAnalysis, SegmentMidpointOnTheIgnoredTopCarriesLoad)
{
    // LP = 600 in in 45 segments of 13.333 in: the midpoint of the fifth segment from the
    // top, 4.5 segments down, lies exactly on 12 TOPLENG = 60 in. It is not above the ignored
    // portion, so 41 segments carry side load; a midpoint reached by repeated subtraction
    // could land a hair above 60 in and drop the segment.
    struct Case {
        const char *name;
        Real TOPLENG;
        int carrying;
    };
    const Case cases[] = {{"midpoint on the boundary", 5, 41},
                          {"boundary a hair below it", 5.0001f, 40},
                          {"boundary mid-segment", 5.5f, 40},
                          {"no ignored portion", 0, 45}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TzInput in = shaft(2, 1e12f);
        in.NROWS = 45;
        in.L = 50;
        in.layers[0].bottom = 60;
        in.side.clear();
        for (int j = 1; j <= 45; ++j)
            in.side.push_back({static_cast<Real>(5 + j), 0.275f});
        in.TOPLENG = c.TOPLENG;
        const TzResult r = computeTz(in, 1);
        ASSERT_EQ(r.IERR, 0);
        // A rigid shaft moves 1.8 in everywhere, past the clay trend curve's last point.
        const double segment = 600.0 / 45 * 3.1416 * 36 * 3.81944 * 0.835;
        EXPECT_NEAR(r.top[14] - r.tip[14], c.carrying * segment, 1.0);
    }
}

TEST(TzAnalysis, TipBelowTheProfile)
{
    TzInput clay = shaft(2);
    clay.layers[0].bottom = 10;
    clay.L = 12;
    const TzResult r = computeTz(clay, 1);
    EXPECT_EQ(r.IERR, 4);
    EXPECT_NEAR(r.failX, 144, 1e-4);

    TzInput sand = shaft(1);
    sand.layers[0].bottom = 10;
    sand.L = 12;
    EXPECT_EQ(computeTz(sand, 1).IERR, 0) << "a sand tip checks no profile";

    SettlementTable table;
    std::ostringstream report, runtime, tz;
    ReportWriter rep(&report), run(&runtime);
    int IERR = 0;
    TZPILE(clay, 1, table, rep, run, &tz, IERR);
    EXPECT_EQ(IERR, 4);
    const std::string warning = "\n" + std::string(29, ' ') + "**** WARNING ****\n" +
                                "     THE VALUE OF X = 0.14E+03 IS BEYOND THE EXTENT OF THE INPUT STRENGTH CURVE\n";
    EXPECT_EQ(report.str(), warning);
    EXPECT_EQ(runtime.str(), warning);
    EXPECT_EQ(table.QTOP[14][0], 0) << "nothing copied";
}

TEST(TzAnalysis, ZeroThicknessLayerGetsATenthOfAnInch)
{
    TzInput in = shaft();
    in.layers = {{2, 0, 0, 0.275f, 0.275f, 4.5f, 4.5f}, {2, 0, 30, 0.275f, 0.275f, 4.5f, 4.5f}};
    const TzResult r = computeTz(in, 1);
    ASSERT_EQ(r.IERR, 0);
    ASSERT_EQ(r.curves.size(), 10u);
    EXPECT_NEAR(r.curves[4].depth, 0.1 - 0.01, 1e-6);
    EXPECT_NEAR(r.curves[5].depth, 0.1 + 12.01, 1e-5) << "the next layer starts at the moved bottom";
}

TEST(TzAnalysis, ReportBlockAndResultColumns)
{
    SettlementTable table;
    std::ostringstream report, runtime;
    ReportWriter rep(&report), run(&runtime);
    int IERR = 0;
    TZPILE(shaft(), 2, table, rep, run, nullptr, IERR);
    EXPECT_EQ(IERR, 0);
    const std::string head = "\n\n\n        RESULT FROM UPPER-BOUND LINE\n\n"
                             "        TOP  LOAD     TOP MOVEMENT       TIP LOAD      TIP  MOVEMENT\n"
                             "           ton             IN.              ton            IN.\n";
    EXPECT_EQ(report.str().rfind(head, 0), 0u);
    EXPECT_EQ(runtime.str(), " 15 10 0 10\n") << "free-format integers, each after one blank";
    // Upper bound fills columns 3 and 4; the tip at 1.8 in carries 0.995 of 50 tons.
    EXPECT_NEAR(table.QTOP[14][3], 49.75, 1e-3);
    EXPECT_NEAR(table.WTOP[14][3], 1.8, 1e-6);
    EXPECT_EQ(table.QTOP[14][0], 0);
}

TEST(TzAnalysis, SiCurveFileAndReport)
{
    // 3 ft shaft, 10 ft in one clay layer of 0.275 tsf = 3.81944 psi = 26.335 kPa; QB 50 tons.
    TzInput in;
    in.NROWS = 10;
    in.D = in.DBASE = 3;
    in.EcEntered = 3600000 * 6.894f;
    in.layers = {{2, 0, 30, 0.275f, 0.275f, 4.5f, 4.5f}};
    in.L = 10;
    in.QB = 50;
    for (int j = 1; j <= 10; ++j)
        in.side.push_back({static_cast<Real>(j), 0.275f});
    in.tipType = 2;
    in.si = true;
    SettlementTable table;
    std::ostringstream report, runtime, tz;
    ReportWriter rep(&report), run(&runtime);
    int IERR = 0;
    TZPILE(in, 1, table, rep, run, &tz, IERR);
    ASSERT_EQ(IERR, 0);
    const auto lines = wholerun::lines(tz.str());
    ASSERT_GT(lines.size(), 20u);
    EXPECT_EQ(lines[5], "        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT");
    EXPECT_EQ(lines[6], std::string(11, ' ') + "NO." + std::string(6, ' ') + "POINTS" + std::string(8, ' ') + " M." +
                            std::string(14, ' ') + "KPA" + std::string(13, ' ') + " M.");
    EXPECT_EQ(lines[7], "");
    // Curve 1 at 0 m; its second point 0.51 * 26.335 = 13.43 kPa at 0.036 in = 0.0009144 m.
    EXPECT_EQ(lines[8], "            1         10      0.0000E+00");
    EXPECT_EQ(lines[10], std::string(40, ' ') + "       0.1343E+02      0.9144E-03");
    // Curve 2 at a quarter of 360 in: 90 in = 2.286 m.
    EXPECT_EQ(lines[19], "            2         10      0.2286E+01");
    // Tip: 0.395 * 100000 lb * 4.448 / 1000 = 175.7 kN at 0.18 in = 0.004572 m.
    const std::string tip = tz.str().substr(tz.str().find("        TIP   LOAD"));
    EXPECT_EQ(tip.rfind("        TIP   LOAD        TIP MOVEMENT\n" + std::string(12, ' ') + "KN." +
                            std::string(15, ' ') + " M.\n\n" +
                            "        0.0000E+00         0.0000E+00\n        0.1757E+03         0.4572E-02\n",
                        0),
              0u);
    EXPECT_NE(report.str().find(std::string(11, ' ') + "KN." + std::string(13, ' ') + " M." + std::string(14, ' ') +
                                "KN." + std::string(12, ' ') + " M.\n"),
              std::string::npos);
    // Row 15: tip movement 1.8 in = 0.04572 m, tip load 0.97 * 100000 lb = 431.5 kN.
    EXPECT_NEAR(table.WTOP[14][1], 1.8 / 39.37, 1e-6);
    EXPECT_NEAR(table.QTOP[14][1], 97000 * 4.448 / 1000, 0.01);
}

TEST(TzAnalysis, CompressibleSegmentIteratesOnTheMidpointMovement)
{
    // AE = 3.6e6 * 0.7854 * 144 = 407151360 lb, DZ 120 in, midpoint 60 in between the curves
    // at 0 and 90 in (both 2 psi). The trend clay curve rises 0.51 * 2 psi over 0.012 in.
    struct Case {
        const char *name;
        int k;
        double top, topW;
    };
    const Case cases[] = {
        // W 0.005 in: QT = 0.395 * 0.005 / 0.06 * 20000 = 658.33 lb. WM 0.005 gives WMC
        // 0.0051679 (off by more than 0.0001), which gives 0.0051702: F = 85 * 0.0051679 =
        // 0.43927 psi, DQ = 120 * 3.1416 * 12 * F = 1987.20 lb, top 2645.54 lb, top movement
        // 0.005 + 120 * (658.33 + 993.60) / AE = 0.0054869 in.
        {"on the rising branch", 3, 2645.54, 0.0054869},
        // W 0.5 in: QT = (0.95 + 0.02 / 0.12) ... = 0.953333 * 20000 = 19066.67 lb; the curve is
        // past its last point (0.835 * 2 psi): DQ = 4523.904 * 1.67 = 7554.92 lb, top 26621.59,
        // top movement 0.5 + 120 * (19066.67 + 3777.46) / AE = 0.5067329 in.
        {"past the last point", 11, 26621.59, 0.5067329},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const TzResult r = computeTz(oneSegment(), 1);
        ASSERT_EQ(r.IERR, 0);
        EXPECT_NEAR(r.top[c.k], c.top, 0.05);
        EXPECT_NEAR(r.topW[c.k], c.topW, 2e-7);
    }
}

TEST(TzAnalysis, SideProfileIsHeldAtItsEnds)
{
    // One layer 0 to 16 ft: curves at 0, 48, 96, (96 + 191.99) / 2 and 191.99 in. Capacity rows at 6 ft (0.2
    // tsf) and 10 ft (0.4 tsf). Above the first row the first value, beyond the last the last,
    // between them linear (96 in: 0.3 tsf); the last curve keeps the layer's 0.1 tsf.
    TzInput in = oneSegment();
    in.layers = {{2, 0, 16, 0.1f, 0.1f, 1, 1}};
    in.side = {{6, 0.2f}, {10, 0.4f}};
    in.NROWS = 2;
    const TzResult r = computeTz(in, 1);
    ASSERT_EQ(r.IERR, 0);
    ASSERT_EQ(r.curves.size(), 5u);
    const double psi = 2000.0 / 144;
    const double expected[5] = {0.2 * psi, 0.2 * psi, 0.3 * psi, 0.4 * psi, 0.1 * psi};
    const double depths[5] = {0, 48, 96, 143.995, 191.99};
    for (int c = 0; c < 5; ++c) {
        SCOPED_TRACE(c + 1);
        EXPECT_NEAR(r.curves[c].depth, depths[c], 1e-4);
        EXPECT_NEAR(r.curves[c].TMAX, expected[c], 1e-4);
        EXPECT_NEAR(r.curves[c].t[9], 0.835 * expected[c], 1e-4);
    }
}

TEST(SettlementOutput, RecordsByCurveFamily)
{
    SettlementState s;
    for (int i = 0; i < 15; ++i)
        for (int c = 0; c < 6; ++c) {
            s.table.QTOP[i][c] = static_cast<Real>(100 * c + i);
            s.table.WTOP[i][c] = 0.5f;
        }
    std::ostringstream report, plot;
    ReportWriter rep(&report), plt(&plot);
    writeSettlementOutput(s, false, rep, plt);
    std::istringstream p(plot.str());
    std::string first;
    std::getline(p, first);
    EXPECT_EQ(first, "  0.000E+00  0.500E+00  0.100E+03  0.500E+00");
    const std::string records = plot.str();
    EXPECT_EQ(std::count(records.begin(), records.end(), '\n'), 15);
    const std::string head = "\n" + std::string(22, ' ') + "TOP  LOAD     TOP MOVEMENT     \n" + std::string(22, ' ') +
                             "   TONS             IN.       \n" + std::string(13, ' ') +
                             "       0.0000E+00       0.5000E+00\n";
    EXPECT_EQ(report.str().rfind(head, 0), 0u);

    s.MODE = 3;
    std::ostringstream report3, plot3;
    ReportWriter rep3(&report3), plt3(&plot3);
    writeSettlementOutput(s, false, rep3, plt3);
    EXPECT_EQ(report3.str(), "") << "the t-z analysis wrote its own tables";
    const std::string records3 = plot3.str();
    EXPECT_EQ(std::count(records3.begin(), records3.end(), '\n'), 45);
    EXPECT_NE(records3.find("  0.414E+03  0.500E+00  0.514E+03  0.500E+00\n"), std::string::npos) << "lower bound, row 15 ";
}

TEST(SettlementOutput, SiHeadingOfASocketTable)
{
    SettlementState s;
    s.table.QTOP[0][0] = 1234.6f;
    s.table.WTOP[0][0] = 0.00125f;
    std::ostringstream report, plot;
    ReportWriter rep(&report), plt(&plot);
    writeSettlementOutput(s, true, rep, plt);
    const std::string head = "\n" + std::string(22, ' ') + "TOP  LOAD     TOP MOVEMENT        \n" +
                             std::string(22, ' ') + "   kN              M             \n" + std::string(13, ' ') +
                             "       0.1235E+04       0.1250E-02\n";
    EXPECT_EQ(report.str().rfind(head, 0), 0u);
    EXPECT_EQ(plot.str().substr(0, 45), "  0.123E+04  0.125E-02  0.000E+00  0.000E+00\n");
}
