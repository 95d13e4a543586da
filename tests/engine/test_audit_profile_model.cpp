// Profile model in named cases: normalisation switches, rounding of layer bottoms,
// overburden at the top of the side zone, the friction angle at the curve boundaries.
#include <gtest/gtest.h>

#include "profile.h"
#include "resistance.h"

using namespace engine;

namespace {

LayerInput inputLayer(int type, Real bottom)
{
    LayerInput L;
    L.TYPE = type;
    L.SOIL = static_cast<Real>(type);
    L.DEPTH = bottom;
    L.TRANLM[TOP] = L.TRANLM[BOTTOM] = NOLIMIT;
    L.QBLIM[TOP] = L.QBLIM[BOTTOM] = NOLIMIT;
    return L;
}

ProjectInput project(int units)
{
    ProjectInput p;
    p.IUNIT = units;
    p.IDESIGN = 2;
    p.IMETHOD = 2;
    p.DSTART = 3;
    p.DGH = 10;
    p.FST = 2;
    p.FSB = 3;
    return p;
}

} // namespace

TEST(AuditRounding, LayerBottomsBelowTheTopPortion)
{
    struct Case {
        const char *name;
        int units;
        Real topleng, bottom1, bottom2;
        Real expected1, expected2;
    };
    const Case cases[] = {
        {"a bottom at the top portion is not below it", 1, 5.6f, 5.6f, 12.5f, 5.6f, 13},
        {"a bottom just below the top portion is rounded", 1, 5.6f, 5.7f, 12.4f, 6, 12},
        {"half a foot rounds up", 1, 0, 7.5f, 8.49f, 8, 8},
        // 6.25 m = 20.505 ft and 3.05 m = 10.006 ft.
        {"SI bottoms are rounded in feet", 2, 0, 3.05f, 6.25f, 10, 21},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProjectInput p = project(c.units);
        p.TOPLENG = c.topleng;
        p.layers = {inputLayer(2, c.bottom1), inputLayer(2, c.bottom2)};
        p.NLAYER = 2;
        Profile pr = normaliseProfile(p);
        roundLayerBottoms(pr);
        EXPECT_NEAR(pr.layers[0].DEPTH, c.expected1, 1e-5);
        EXPECT_NEAR(pr.layers[1].DEPTH, c.expected2, 1e-5);
        EXPECT_EQ(pr.layers[1].TOP, pr.layers[0].DEPTH) << "the top follows the rounded bottom above";
        roundLayerBottoms(pr);
        EXPECT_NEAR(pr.layers[1].DEPTH, c.expected2, 1e-5) << "rounding again changes nothing";
    }
}

TEST(AuditOverburden, StartOfTheSideZone)
{
    struct Case {
        const char *name;
        Real topleng, wtd, bottom1;
        Real expected;
    };
    // Layer 1: 0 to bottom1, 100 to 120 pcf; layer 2 down to 30 ft, 130 pcf.
    const Case cases[] = {
        // 3 ft of 100 to 106 pcf = 309 psf, less 62.4 x 3.
        {"water table at the surface", 3, 0, 10, 309 - 62.4f * 3},
        {"water table below the top portion", 3, 5, 10, 309},
        // After rounding 10.4 ft to 10 ft the unit weight at 5 ft is 110 pcf: 5 x 105.
        {"the rounded bottom sets the slope", 5, 50, 10.4f, 525},
        {"no top portion", 0, 0, 10, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProjectInput p = project(1);
        p.TOPLENG = c.topleng;
        p.WTD = c.wtd;
        LayerInput a = inputLayer(1, c.bottom1), b = inputLayer(1, 30);
        a.GAMMA[TOP] = 100;
        a.GAMMA[BOTTOM] = 120;
        b.GAMMA[TOP] = b.GAMMA[BOTTOM] = 130;
        p.layers = {a, b};
        p.NLAYER = 2;
        Profile pr = normaliseProfile(p);
        roundLayerBottoms(pr);
        EXPECT_NEAR(initialSIGV(pr), c.expected, 1e-2);
    }
}

TEST(AuditNormalisation, GravelsTakeTheBetaMethod)
{
    ProjectInput p = project(1);
    LayerInput gsand = inputLayer(8, 10), gravel = inputLayer(9, 20);
    p.layers = {gsand, gravel};
    p.NLAYER = 2;
    const Profile pr = normaliseProfile(p);
    EXPECT_EQ(pr.layers[0].ISAND, 2);
    EXPECT_EQ(pr.layers[1].ISAND, 2);
    EXPECT_TRUE(pr.layers[0].coefComputed);
    // Gravelly sand at the surface: 2.0, limited to 1.8; at 10 ft 2 - 0.15 x 3.048^0.75 = 1.654.
    EXPECT_NEAR(pr.layers[0].COEF[TOP], 1.8, 1e-6);
    EXPECT_NEAR(pr.layers[0].COEF[BOTTOM], 1.65398, 1e-4);
    // Gravel at 10 ft: 3.4 exp(-0.25908) = 2.6240; at 20 ft 3.4 exp(-0.51816) = 2.0251.
    EXPECT_NEAR(pr.layers[1].COEF[TOP], 2.62399, 1e-4);
    EXPECT_NEAR(pr.layers[1].COEF[BOTTOM], 2.02509, 1e-4);
    EXPECT_TRUE(pr.ncComputed) << "layers without Nc set the run-wide flag whatever their type";
    EXPECT_EQ(pr.layers[0].NC[TOP], 0) << "only clay types get a default Nc";
}

TEST(AuditNormalisation, SiHeaderAndLayerValues)
{
    ProjectInput p = project(2);
    p.DSTART = 0.9f;
    p.DIALIM = 0.5f;
    p.DGH = 10;
    p.BS = 0.3f;
    p.WTD = 1;
    p.Ec = 2.5e7f;
    LayerInput clay = inputLayer(2, 12);
    clay.CU[TOP] = clay.CU[BOTTOM] = 100;
    clay.QBLIM[TOP] = clay.QBLIM[BOTTOM] = -1000;
    clay.GAMMA[TOP] = clay.GAMMA[BOTTOM] = 19;
    clay.EL[TOP] = 1000;
    clay.QUR[TOP] = 500;
    clay.BDS[TOP] = 1;
    p.layers = {clay};
    p.NLAYER = 1;
    Profile pr = normaliseProfile(p);
    EXPECT_NEAR(pr.run.DSTART, 0.9 * 3.2808, 1e-5);
    EXPECT_NEAR(pr.run.DIALIM, 0.9 * 3.2808, 1e-5) << "the largest diameter follows the first";
    EXPECT_NEAR(pr.run.DGH, 32.808, 1e-4);
    EXPECT_NEAR(pr.run.BS, 0.98424, 1e-5);
    EXPECT_NEAR(pr.run.WTD, 3.2808, 1e-5);
    EXPECT_NEAR(pr.run.Ec, 2.5e7 * 20.885 / 2000, 2);
    EXPECT_NEAR(pr.layers[0].QBLIM[TOP], -20885, 1e-1);
    EXPECT_NEAR(pr.layers[0].GAMMA[TOP], 120.9521, 1e-3);
    EXPECT_NEAR(pr.layers[0].EL[TOP], 1000 * 20.885 / 2000, 1e-3);
    EXPECT_NEAR(pr.layers[0].NC[BOTTOM], 9, 1e-6) << "6 (1 + 0.2 x 12 / 0.9) is limited to 9";
    EXPECT_EQ(pr.layers[0].QUR[TOP], 500);
    EXPECT_EQ(pr.layers[0].BDS[TOP], 1);
    convertRockAfterEcho(pr);
    EXPECT_NEAR(pr.layers[0].QUR[TOP], 10442.5, 1e-2);
    EXPECT_NEAR(pr.layers[0].BDS[TOP], 3.2808, 1e-5);
}

TEST(AuditFrictionAngle, CurveBoundaries)
{
    struct Case {
        const char *name;
        Real N, psi, expected;
    };
    const Case cases[] = {
        {"N 0 at 10 psi lies on the way to 30", 0, 10, 15},
        {"N 6 at 20 psi is curve A", 6, 20, 30},
        {"N 21 at 10 psi", 21, 10, 36.2f + 10 * 8.8f / 20},
        {"N 55 at 20 psi", 55, 20, 45},
        {"N 56 at 20 psi", 56, 20, 45},
        {"N 6 at 30 psi", 6, 30, 30},
        {"N 10 at 30 psi, between A and C", 10, 30, 32 - 0.5f * (32 - 31)},
        {"N 55 at 30 psi", 55, 30, 45 - 0.5f * (45 - 39)},
        {"N 56 at 30 psi, C towards 45", 56, 30, 39.2f + 10 * (45 - 39.2f) / 20},
        {"N 90 at 30 psi", 90, 30, 44 + 10 * 1 / 20.0f},
        {"N 10 at 40 psi", 10, 40, 30},
        {"N 11 at 40 psi is curve C", 11, 40, 31.2f},
        {"N 90 at 60 psi", 90, 60, 44},
        {"N 91 at 60 psi", 91, 60, 45},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(PHIFROMN(c.N, c.psi * 144), c.expected, 1e-4);
    }
}

TEST(AuditInterpolation, LinearInsideTheLayerTopValueWithoutThickness)
{
    struct Case {
        const char *name;
        Real top, bottom, FK, expected;
    };
    // Values 100 at the top and 200 at the bottom.
    const Case cases[] = {
        {"at the top", 10, 20, 0, 100},
        {"a quarter down", 10, 20, 2.5f, 125},
        {"at the bottom", 10, 20, 10, 200},
        {"past the bottom extrapolates", 10, 20, 11, 210},
        // Two bottoms rounded to the same foot leave a layer without thickness.
        {"no thickness", 20, 20, 0, 100},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Layer L;
        L.TOP = c.top;
        L.DEPTH = c.bottom;
        const Real v[2] = {100, 200};
        EXPECT_NEAR(interpolate(v, L, c.FK), c.expected, 1e-4);
    }
}

TEST(AuditNormalisation, UnitTag)
{
    struct Case {
        const char *name;
        int units;
        const char *tag;
    };
    const Case cases[] = {{"English", 1, "EN"}, {"SI", 2, "SI"}, {"any other code reads as English", 3, "EN"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProjectInput p = project(c.units);
        p.layers = {inputLayer(2, 10)};
        p.NLAYER = 1;
        EXPECT_STREQ(normaliseProfile(p).unitTag(), c.tag);
    }
}
