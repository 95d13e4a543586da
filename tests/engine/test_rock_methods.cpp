// Rock-socket and intermediate-geomaterial computations; expected values worked out from
// the published relations with a separate double-precision calculation.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "geomaterial.h"
#include "report.h"
#include "rock_tables.h"
#include "strong_rock.h"

using namespace engine;

namespace {

void expectClose(double actual, double expected, const char *what)
{
    EXPECT_NEAR(actual, expected, 2e-4 * std::max(1.0, std::fabs(expected))) << what;
}

// Clay over a one-layer socket: the socket head reaches its capacity at level 5.
StrongRockInput twoLayerSocket()
{
    StrongRockInput in;
    in.NL = 2;
    in.depth = {0, 10, 20};
    in.type = {0, 2, 7};
    in.ELtop = in.ELbottom = {0, 0, 50000};
    in.RQDtop = in.RQDbottom = {0, 0, 100};
    in.QSCUM = {0, 20, 320};
    in.BDS = 3;
    in.D = 3;
    in.Ec = 300000;
    in.QB = 500;
    return in;
}

WeakRockPoint roughSocket(Real wt)
{
    WeakRockPoint p;
    p.Ds = 3;
    p.qu = 41660;
    p.RQD = 100;
    p.slumpIn = 6.89f;
    p.deltaDeg = 30;
    p.ICOND = 1;
    p.EM0 = 20000;
    p.ZD = 40;
    p.ZS = 20;
    p.L = 20;
    p.Ec = 300000;
    p.wt = wt;
    return p;
}

void near(double got, double expected, const std::string &what)
{
    EXPECT_NEAR(got, expected, 3e-4 * std::max(1.0, std::fabs(expected))) << what;
}

struct RockRow {
    const char *name;
    int row; // 1..15
    double q1, w1, q2, w2;
};

void expectRows(const SettlementTable &t, const RockRow *rows, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        const RockRow &r = rows[i];
        SCOPED_TRACE(r.name);
        const int k = r.row - 1;
        near(t.QTOP[k][0], r.q1, "column 1 load");
        near(t.WTOP[k][0], r.w1, "column 1 movement");
        near(t.QTOP[k][1], r.q2, "column 2 load");
        near(t.WTOP[k][1], r.w2, "column 2 movement");
    }
}

// Sand and clay over a socket of two rock layers (types 4 and 7); Ec/Em between 10 and 50.
StrongRockInput sandClayOverTwoRockLayers()
{
    StrongRockInput in;
    in.NL = 4;
    in.depth = {0, 10, 20, 26, 32};
    in.type = {0, 1, 2, 4, 7};
    in.ELtop = {0, 0, 0, 8000, 9000};
    in.ELbottom = {0, 0, 0, 10000, 11000};
    in.RQDtop = {0, 0, 0, 60, 80};
    in.RQDbottom = {0, 0, 0, 70, 90};
    in.QSCUM = {0, 25, 75, 175, 300};
    in.BDS = 2.5f;
    in.DRATIO = 1.2f;
    in.D = 3;
    in.Ec = 300000;
    in.QB = 400;
    return in;
}

WeakSettlementInput smoothOpenSocket(bool english)
{
    WeakSettlementInput in;
    in.tip.Ds = 2.5f;
    in.tip.qu = 60000;
    in.tip.RQD = 60;
    in.tip.slumpIn = 6;
    in.tip.deltaDeg = 25;
    in.tip.ICOND = 4;
    in.tip.ZD = 45;
    in.tip.ZS = 15;
    in.tip.Ec = 400000;
    in.ELtip = 150000;
    in.QSabove = 40;
    in.QS = 300;
    in.english = english;
    return in;
}

} // namespace

TEST(RockTables, ReadingRules)
{
    struct Case {
        const char *name;
        Real got, expected;
    };
    Real fraction = -1;
    const Case cases[] = {
        {"RQD 100 gives the intact modulus", strongRockModulusRatio(100), 1.0f},
        {"RQD 95", strongRockModulusRatio(95), 0.85f},
        {"RQD 85 between 80 and 90", strongRockModulusRatio(85), 0.6f},
        {"LD 20 below Ec/Em 10", influenceFactor(25, 9.9f), 0.385f},
        {"LD 20 at Ec/Em 10", influenceFactor(20, 10), 0.365f},
        {"LD 3 below Ec/Em 10", influenceFactor(3, 5), 0.4175f},
        {"blend of I10 and I50", influenceFactor(1, 30), 0.475f},
        {"blend of I100 and I5000", influenceFactor(4, 2550), 0.2425f},
        {"above Ec/Em 5000", influenceFactor(10, 8000), 0.13f},
        {"strong-rock level 12", strongRockLevel(12), 0.015569560546875f},
        {"strong-rock level 15", strongRockLevel(15), 0.1f},
        {"weak-rock level 12", weakRockLevel(12), 0.0077847802734f},
        {"weak-rock level 13", weakRockLevel(13), 0.0125f},
        {"zc above the last curve, slump above the last point", concretePressureFactor(40, 10), 0.9f},
        {"alpha between curves 1 and 2", weakRockAlpha(1.5f, 10415), 0.27f},
        {"n past the last curve", limitingRatio(5000, 30), 0.0f},
        {"n between 3000 and 4000", limitingRatio(3500, 5), 0.4f},
        {"open joints at RQD 100", weakRockModulusRatio(100, true), 0.6f},
        {"closed joints below RQD 20", weakRockModulusRatio(5, false), 0.05f},
        {"joint factor at 0.6", jointFactor(0.6f), 0.84f},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(c.got, c.expected, 1e-5);
    }
    ASSERT_TRUE(sideTransferFraction(1, 1, 0.0015f, fraction));
    EXPECT_NEAR(fraction, 0.31, 1e-5) << "sand lower bound inside an interval";
    ASSERT_TRUE(sideTransferFraction(2, 2, 0.001f, fraction));
    EXPECT_NEAR(fraction, 0.74, 1e-4) << "a grid point starts the next interval";
    ASSERT_TRUE(sideTransferFraction(3, 1, 0.03f, fraction));
    EXPECT_NEAR(fraction, 0.75, 1e-5) << "beyond the grid: the last value";
    fraction = 0.5f;
    EXPECT_FALSE(sideTransferFraction(8, 1, 0.01f, fraction));
    EXPECT_EQ(fraction, 0.5f) << "no curve: the fraction is left as it was";
}

TEST(StrongRockSocket, OneLayerAboveTheSocket)
{
    SettlementTable t;
    const StrongRockResult r = SETROCK(twoLayerSocket(), t);
    ASSERT_TRUE(r.error.empty());
    EXPECT_TRUE(r.heading);
    EXPECT_FLOAT_EQ(r.Ds, 3);
    // LD 3.33, Ec/Em 6: IF 0.41; QULT 800 t; first level x = 0.00018.
    expectClose(t.WTOP[0][0], 0.00240326 * 12, "movement of level 1, in");
    expectClose(t.QTOP[0][0], 197.561 + 2.82736, "load of level 1: socket plus overburden, tons");
    for (int k = 0; k < 15; ++k) {
        EXPECT_EQ(t.WTOP[k][0], t.WTOP[k][1]) << "both columns hold the upper-bound pass, row " << k + 1;
        EXPECT_EQ(t.QTOP[k][0], t.QTOP[k][1]);
    }
    for (int k = 5; k < 15; ++k) {
        EXPECT_EQ(t.QTOP[k][0], t.QTOP[4][0]) << "capped levels repeat the capacity point, row " << k + 1;
        EXPECT_EQ(t.WTOP[k][0], t.WTOP[4][0]);
    }
    EXPECT_NEAR(t.QTOP[4][0], 800 + 11.449, 0.01) << "QULT plus the overburden side mobilised by the lower-bound movement";
}

TEST(StrongRockSocket, OverburdenWithoutSideCapacityAddsOnlyShortening)
{
    StrongRockInput in = twoLayerSocket();
    in.NL = 3;
    in.depth = {0, 10, 20, 30};
    in.type = {0, 1, 2, 7};
    in.ELtop = in.ELbottom = {0, 0, 0, 50000};
    in.RQDtop = in.RQDbottom = {0, 0, 0, 100};
    in.QSCUM = {0, 0, 0, 300};
    SettlementTable walked;
    ASSERT_TRUE(SETROCK(in, walked).error.empty());
    // The same socket with its overburden as one layer and no walk.
    StrongRockInput flat = twoLayerSocket();
    flat.depth = {0, 20, 30};
    flat.QSCUM = {0, 0, 300};
    SettlementTable single;
    ASSERT_TRUE(SETROCK(flat, single).error.empty());
    for (int k = 0; k < 15; ++k) {
        SCOPED_TRACE(k + 1);
        // Column 1 is rewritten by the upper-bound pass before its walk, which fills column 2.
        EXPECT_FLOAT_EQ(walked.WTOP[k][0], single.WTOP[k][0]);
        EXPECT_FLOAT_EQ(walked.QTOP[k][1], single.QTOP[k][1]);
        const double shortening = 20 * single.QTOP[k][1] / (0.7854 * 9 * 300000) * 12;
        expectClose(walked.WTOP[k][1], single.WTOP[k][1] + shortening, "socket head plus elastic shortening");
    }
}

TEST(StrongRockSocket, SiUnitsAndImpossibleInput)
{
    StrongRockInput in = twoLayerSocket();
    in.english = false;
    SettlementTable si;
    const StrongRockResult r = SETROCK(in, si);
    EXPECT_FALSE(r.heading) << "no heading in SI";
    expectClose(si.WTOP[0][0], 0.00240326 / 3.2808, "metres");
    expectClose(si.QTOP[0][0], (197.561 + 2.82736) * 8.896, "kN");

    in = twoLayerSocket();
    in.ELtop = in.ELbottom = {0, 0, 0};
    SettlementTable t;
    EXPECT_FALSE(SETROCK(in, t).error.empty()) << "zero rock modulus";
    in = twoLayerSocket();
    in.type = {0, 2, 2};
    EXPECT_FALSE(SETROCK(in, t).error.empty()) << "no rock layer";
}

TEST(StrongRockSocket, SocketOfNoLengthUsesTheTipLayer)
{
    StrongRockInput in = twoLayerSocket();
    in.depth = {0, 10, 10};
    in.RQDtop = {0, 0, 90};
    in.RQDbottom = {0, 0, 100};
    SettlementTable t;
    const StrongRockResult r = SETROCK(in, t);
    ASSERT_TRUE(r.error.empty());
    for (int k = 0; k < 15; ++k)
        EXPECT_TRUE(std::isfinite(t.WTOP[k][0]) && std::isfinite(t.QTOP[k][0]));
}

TEST(StrongRockSocket, WalkThroughSandAndClay)
{
    SettlementTable t;
    const StrongRockResult r = SETROCK(sandClayOverTwoRockLayers(), t);
    ASSERT_TRUE(r.error.empty());
    EXPECT_TRUE(r.heading);
    EXPECT_FLOAT_EQ(r.Ds, 3) << "the socket diameter is DRATIO times the tip layer's BDS";
    const RockRow rows[] = {
        {"level 1", 1, 24.75015157901912, 0.010100460499914959, 35.26031572180297, 0.013797132290437816},
        {"level 5", 5, 125.22604048210408, 0.051133581280819476, 160.21232380968246, 0.06818037889962561},
        {"level 9", 9, 587.4096768051584, 0.2588637552341486, 588.3906063435294, 0.32404216584720846},
        {"level 13, capped", 13, 700.0, 0.3157431530764451, 700.5573392147469, 0.39361837689130186},
        {"level 15, capped", 15, 700.0, 0.3157431530764451, 700.5573392147469, 0.39361837689130186},
    };
    expectRows(t, rows, std::size(rows));
}

TEST(StrongRockSocket, SiOutputConvertsBothColumns)
{
    StrongRockInput in = sandClayOverTwoRockLayers();
    in.english = false;
    SettlementTable t;
    const StrongRockResult r = SETROCK(in, t);
    ASSERT_TRUE(r.error.empty());
    EXPECT_FALSE(r.heading);
    const RockRow rows[] = {
        {"level 1, kN and m", 1, 220.1773484469541, 0.0002565548164044074, 313.6757686611592, 0.000350451421666408},
        {"level 15, kN and m", 15, 6227.200000000001, 0.008019973611020815, 6232.158089654389, 0.009998028349063793},
    };
    expectRows(t, rows, std::size(rows));
}

TEST(StrongRockSocket, GravelInsideTheSocketCountAndAboveItKeepsTheLastFraction)
{
    // Layer 2 is gravel: counted as rock (type above 3) with no modulus, and walked through
    // with the fractions of the layer below it.
    StrongRockInput in;
    in.NL = 4;
    in.depth = {0, 12, 18, 30, 40};
    in.type = {0, 2, 9, 1, 7};
    in.ELtop = in.ELbottom = {0, 0, 0, 0, 30000};
    in.RQDtop = in.RQDbottom = {0, 0, 0, 0, 95};
    in.QSCUM = {0, 30, 45, 90, 250};
    in.BDS = 3;
    in.D = 3;
    in.Ec = 200000;
    in.QB = 300;
    SettlementTable t;
    ASSERT_TRUE(SETROCK(in, t).error.empty());
    const RockRow rows[] = {
        {"level 1", 1, 18.085476518294413, 0.011560743915264352, 23.271785023154383, 0.014621114248976955},
        {"level 7", 7, 206.09398692001437, 0.13168409865980804, 214.91253346773308, 0.16297046034994883},
        {"level 15", 15, 550.0, 0.3901464763340299, 549.7459776182313, 0.4726435810829725},
    };
    expectRows(t, rows, std::size(rows));
}

TEST(StrongRockSocket, SocketOfNoLengthTakesTheTipLayersOwnMeans)
{
    // Tip at the rock top: TROCK 0, RQD (90 + 100) / 2 = 95 gives Em = 0.85 x 50000; LD 0, IF 1.1.
    StrongRockInput in;
    in.NL = 2;
    in.depth = {0, 10, 10};
    in.type = {0, 2, 7};
    in.ELtop = in.ELbottom = {0, 0, 50000};
    in.RQDtop = {0, 0, 90};
    in.RQDbottom = {0, 0, 100};
    in.QSCUM = {0, 20, 320};
    in.BDS = 3;
    in.D = 3;
    in.Ec = 300000;
    in.QB = 500;
    SettlementTable t;
    ASSERT_TRUE(SETROCK(in, t).error.empty());
    const RockRow rows[] = {
        {"level 1", 1, 63.5734495451073, 0.010021912632821725, 63.5734495451073, 0.010021912632821725},
        {"level 8, capped", 8, 812.5582512664404, 0.12809416291769232, 812.5582512664404, 0.12809416291769232},
        {"level 15, capped", 15, 812.5582512664404, 0.12809416291769232, 812.5582512664404, 0.12809416291769232},
    };
    expectRows(t, rows, std::size(rows));
}

TEST(WeakRock, RelationsOfARoughSocket)
{
    const WeakRockRelations r = weakRockRelations(roughSocket(0.0003f));
    ASSERT_TRUE(r.error.empty());
    expectClose(r.M, 0.721418, "M at zc 30 ft");
    expectClose(r.sigmaN, 3246.38, "sigma n");
    expectClose(r.alpha, 0.135324, "alpha");
    expectClose(r.fa, 20830, "fa = qu / 2 for rough joints");
    expectClose(r.nlim, 0.0779256, "nlim = sigma n / qu");
    expectClose(r.Omega, 2.410439, "Omega");
    expectClose(r.Gamma, 0.806251, "Gamma");
    expectClose(r.nr, 0.0274118, "nr");
    expectClose(r.qb, 6128.08, "qb below its cap");
    expectClose(r.SHEAR, 570.987, "side stress, nr below nlim");

    const WeakRockRelations far = weakRockRelations(roughSocket(0.15f));
    expectClose(far.s, 0.941566, "s beyond nlim");
    expectClose(far.qb, 2.5 * 41660, "qb capped at 2.5 qu");
}

TEST(WeakRock, SmoothOpenJointsAndTheStep)
{
    WeakRockPoint p = roughSocket(0.15f);
    p.RQD = 80;
    p.slumpIn = 7.5f;
    p.deltaDeg = 28;
    p.ICOND = 4;
    const WeakRockRelations r = weakRockRelations(p);
    expectClose(r.fb, 5526.75, "fb from alpha and the interface angle");
    expectClose(r.Em, 8000, "open joints at RQD 80");
    expectClose(r.nlim, 0.0948006, "n chart");
    expectClose(r.SHEAR, 4037.61, "side stress");
    const GeomaterialValues step = weakRockStep(p);
    expectClose(step.SHEAR, r.fa, "a smooth step takes the full fa");

    p.EM0 = 0;
    EXPECT_FALSE(weakRockRelations(p).error.empty()) << "no modulus";
}

TEST(WeakRock, SocketWarnings)
{
    const auto w = weakSocketWarnings(30, 28, 2, 1.5f, 600);
    ASSERT_EQ(w.size(), 3u) << "short socket, Ec/Em above 500, diameter below 1.64 ft";
    EXPECT_EQ(w[0].label, "SOCKET LENGTH/SOCKET DIAMETER = ");
    EXPECT_EQ(w[1].label, "Ec/Em = ");
    EXPECT_EQ(w[2].lines.size(), 2u);
    EXPECT_TRUE(weakSocketWarnings(40, 20, 20, 3, 100).empty());
}

TEST(WeakRock, SmoothOpenSocketInBothUnits)
{
    struct Case {
        const char *name;
        bool english;
        int row;
        double load, movement;
    };
    const Case cases[] = {
        {"English level 1", true, 1, 101.71674140124298, 0.012024682175820596},
        {"English level 8", true, 8, 383.06872530058354, 0.0812491030880978},
        {"English level 15, side capped at QS", true, 15, 668.15625, 1.561251909854851},
        {"SI level 1", false, 1, 904.8721315054577, 0.0003054277612087839},
        {"SI level 8", false, 8, 3407.7793802739916, 0.0020637414671346483},
        {"SI level 15", false, 15, 5943.918000000001, 0.039656261811946966},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        WeakSettlementInput in = smoothOpenSocket(c.english);
        ModulusMean mean;
        in.mean = &mean;
        SettlementTable t;
        for (int k = 0; k < 15; ++k)
            t.WTOP[k][1] = 7;
        const GeomaterialSettlement s = SETWEAK(in, t);
        ASSERT_TRUE(s.error.empty());
        near(t.QTOP[c.row - 1][0], c.load, "load");
        near(t.WTOP[c.row - 1][0], c.movement, "movement");
        near(s.QBTOT, 368.15625, "base at its cap, tons");
        EXPECT_EQ(t.WTOP[c.row - 1][1], 0) << "column 2 movements cleared";
    }
}

TEST(WeakRock, StepOfASmoothSocket)
{
    WeakRockPoint p = smoothOpenSocket(true).tip;
    p.ICOND = 2;
    p.EM0 = 150000;
    p.L = 30;
    const GeomaterialValues v = weakRockStep(p);
    ASSERT_TRUE(v.error.empty());
    near(v.SHEAR, 3740.330256536366, "SHEAR = fa, psf");
    near(v.QBTOT, 368.15625, "base, tons");
    near(v.Em, 63750, "Em, tsf");
}

TEST(WeakRock, SmoothJointsWithoutFrictionKeepTheirBase)
{
    // DELTA 0: fb = fa = 0, so the step carries no side stress; the base does not depend on fa.
    struct Case {
        const char *name;
        Real EM0;
        double QBTOT;
    };
    const Case cases[] = {{"EM0 5000 tsf", 5000, 163.2288114034987}, {"EM0 2000 tsf", 2000, 90.49219001364851}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        WeakRockPoint p = smoothOpenSocket(true).tip;
        p.qu = 104150;
        p.deltaDeg = 0;
        p.ICOND = 2;
        p.EM0 = c.EM0;
        p.L = 30;
        const GeomaterialValues v = weakRockStep(p);
        EXPECT_TRUE(v.error.empty()) << v.error;
        EXPECT_EQ(v.SHEAR, 0);
        near(v.QBTOT, c.QBTOT, "base, tons");
    }
    // The settlement curve needs the mobilized side ratio, which has no value without friction.
    WeakSettlementInput in = smoothOpenSocket(true);
    in.tip.deltaDeg = 0;
    ModulusMean mean;
    in.mean = &mean;
    SettlementTable t;
    const GeomaterialSettlement s = SETWEAK(in, t);
    EXPECT_NE(s.error.find("INTERFACE FRICTION"), std::string::npos) << s.error;
    for (int k = 0; k < 15; ++k)
        EXPECT_TRUE(std::isfinite(t.QTOP[k][0]) && std::isfinite(t.WTOP[k][0]));
}

TEST(WeakRock, InterfaceConditionOutsideOneToFourIsAnError)
{
    for (int icond : {0, 5, -1}) {
        SCOPED_TRACE(icond);
        WeakRockPoint p = smoothOpenSocket(true).tip;
        p.ICOND = icond;
        p.EM0 = 150000;
        p.L = 30;
        const GeomaterialValues v = weakRockStep(p);
        EXPECT_NE(v.error.find("INTERFACE CONDITION"), std::string::npos);
        EXPECT_EQ(v.SHEAR, 0);
        EXPECT_EQ(v.QBTOT, 0);
    }
}

TEST(WeakRock, WarningBlockLayout)
{
    std::ostringstream text;
    ReportWriter out(&text);
    const auto warnings = weakSocketWarnings(30, 10, 65, 3, 7.2f);
    ASSERT_EQ(warnings.size(), 2u) << "L/Ds 21.67 above 20, Ec/Em below 10";
    for (const auto &w : warnings)
        writeSocketWarning(out, w);
    EXPECT_EQ(text.str(), "                     ERROR MESSAGE                \n"
                          "   ------------------------------------------------------------\n"
                          "SOCKET LENGTH/SOCKET DIAMETER =     21.67\n"
                          "     L/D SHOULD BE GREATER THAN 2.0 AND LESS THAN 20.0\n"
                          "\n"
                          "                     ERROR MESSAGE                \n"
                          "   ------------------------------------------------------------\n"
                          "Ec/Em =      7.20\n"
                          "     Ec/Em SHOULD BE GREATER THAN 10.0 AND LESS THAN 500.0\n"
                          "\n");
}

TEST(WeakRock, NegativeGammaCarriesNoBase)
{
    // L/Ds 100 with Ec/Em 2880: Gamma = 3.83 - 1.35 x 3.459 < 0, so qb = 0; the side relation
    // is applied as it stands.
    WeakRockPoint p;
    p.Ds = 3;
    p.qu = 41660;
    p.RQD = 100;
    p.slumpIn = 6.89f;
    p.deltaDeg = 30;
    p.ICOND = 1;
    p.EM0 = 100;
    p.ZD = 320;
    p.ZS = 20;
    p.L = 300;
    p.Ec = 288000;
    p.wt = 0.0003f;
    const WeakRockRelations r = weakRockRelations(p);
    ASSERT_TRUE(r.error.empty());
    near(r.Gamma, -0.8401798584749612, "Gamma");
    near(r.Omega, 9.403273380508345, "Omega");
    EXPECT_EQ(r.qb, 0);
    near(r.SHEAR, -0.7125016983044297, "side stress");
}

TEST(DecomposedRock, RelationsAndSettlement)
{
    const DecomposedRelations r = decomposedRelations(3000, 40);
    expectClose(r.OCR, 5.641867, "OCR");
    expectClose(r.phi, 0.781264, "phi, radians");
    expectClose(r.fmax, 1991.871, "fmax");
    expectClose(r.qmax, 25696.21, "qmax");
    EXPECT_EQ(decomposedRelations(-5, 40).fmax, 0) << "no effective stress, no resistance";

    DecoSettlementInput in;
    in.sigmaV = 3000;
    in.N = 40;
    in.Ds = 3;
    in.LS = 15;
    in.Ntop = 35;
    in.Nbottom = 45;
    in.Ec = 300000;
    in.QSCUM = 120;
    SettlementTable t;
    const GeomaterialSettlement s = SETDECO(in, t);
    ASSERT_TRUE(s.error.empty());
    expectClose(t.WTOP[0][0], 0.01447399, "row 1 movement, in");
    expectClose(t.WTOP[9][0], 0.1447399, "row 10");
    expectClose(t.WTOP[13][0], 1.594605, "row 14");
    expectClose(t.WTOP[14][0], 1.913527, "row 15: 1.2 times WUL + DW");
    expectClose(t.QTOP[0][0], 12.81031, "row 1 load, tons");
    expectClose(t.QTOP[13][0], 210.8181, "row 14");
    EXPECT_EQ(t.QTOP[14][0], t.QTOP[13][0]) << "row 15 repeats the load of row 14";
    expectClose(s.QBTOT, 90.8181, "base, tons");

    in.LS = 0.5f; // A = 0.55 r: not above 1
    EXPECT_FALSE(SETDECO(in, t).error.empty());
}

TEST(DecomposedRock, ModulusGivenSiAndDefaults)
{
    DecoSettlementInput in;
    in.sigmaV = 2500;
    in.N = 30;
    in.Ds = 0; // no socket diameter: DSTART
    in.DSTART = 3;
    in.LS = 0; // no socket length: the tip layer's bottom
    in.tipBottom = 28;
    in.EMODtop = 1500;
    in.EMODbottom = 2500;
    in.Ntop = 20;
    in.Nbottom = 40;
    in.Ec = 300000;
    in.QSCUM = 150;
    in.english = false;
    SettlementTable t;
    const GeomaterialSettlement s = SETDECO(in, t);
    ASSERT_TRUE(s.error.empty());
    struct Row {
        int row;
        double load, movement;
    };
    const Row rows[] = {{1, 139.79511051799713, 7.931735924425857e-05},
                        {10, 1397.9511051799714, 0.0007931735924425856},
                        {11, 1536.7738839481224, 0.0021249896109752243},
                        {14, 1953.2422202525759, 0.006120437666573139},
                        {15, 1953.2422202525759, 0.007344525199887767}};
    for (const Row &r : rows) {
        SCOPED_TRACE(r.row);
        near(t.QTOP[r.row - 1][0], r.load, "kN");
        near(t.WTOP[r.row - 1][0], r.movement, "m");
    }
    near(s.QBTOT, 69.5640984996151, "base, tons");
}

TEST(DecomposedRock, EffectiveStressOfTheDecomposedLayer)
{
    const std::vector<StressLayer> layers = {{0, 10, 120, 110}, {10, 40, 130, 140}};
    struct Case {
        const char *name;
        int I;
        Real WTD;
        double expected;
    };
    const Case cases[] = {
        {"dry: the layer above in full, half of this one", 1, 100, 10 * 230 / 2.0 + 30 * 270 / 4.0},
        {"water above the middle at 25 ft", 1, 5, 10 * 230 / 2.0 + 30 * 270 / 4.0 - 20 * 62.4},
        {"water exactly at the middle", 1, 25, 10 * 230 / 2.0 + 30 * 270 / 4.0},
        {"first layer", 0, 2, 10 * 230 / 4.0 - 3 * 62.4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        near(decomposedEffectiveStress(layers, c.I, c.WTD), c.expected, "sigma'v, psf");
    }
}
