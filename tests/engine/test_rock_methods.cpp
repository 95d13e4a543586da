// Rock-socket and intermediate-geomaterial computations; expected values worked out from
// the published relations with a separate double-precision calculation.
#include <gtest/gtest.h>

#include <cmath>

#include "geomaterial.h"
#include "rock_tables.h"
#include "strong_rock.h"

using namespace engine;

namespace {

void expectClose(double actual, double expected, const char *what)
{
    EXPECT_NEAR(actual, expected, 2e-4 * std::max(1.0, std::fabs(expected))) << what;
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

namespace {

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

} // namespace

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

namespace {

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

} // namespace

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
