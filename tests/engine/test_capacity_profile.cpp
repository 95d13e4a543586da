// Profile model: defaults, normalisation, rounding, overburden and the soil echo.
#include <gtest/gtest.h>

#include <sstream>

#include "profile.h"

using namespace engine;

namespace {

Layer layer(int type, Real top, Real bottom, Real isand = 0)
{
    Layer L;
    L.TYPE = type;
    L.SOIL = static_cast<Real>(type);
    L.TOP = top;
    L.DEPTH = bottom;
    L.ISAND = isand;
    return L;
}

ProjectInput project(int units)
{
    ProjectInput p;
    p.IUNIT = units;
    p.IDESIGN = 2;
    p.DSTART = 3;
    p.DIALIM = 0;
    p.DGH = 10;
    p.FST = 2;
    p.FSB = 3;
    p.Ec = 3600000;
    return p;
}

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

} // namespace

TEST(SideCoefficientDefault, ByTypeAndDepth)
{
    struct Case {
        const char *name;
        int type;
        Real isand, z, cu, blows, expected;
    };
    const Case cases[] = {
        {"clay cu 3000 (x 1.417)", 2, 0, 10, 3000, 0, 0.55f},
        {"clay cu 4000 (x 1.890)", 2, 0, 10, 4000, 0, 0.511f},
        {"clay cu 6000 (x 2.834)", 2, 0, 10, 6000, 0, 0.55f},
        {"shale between the limits", 3, 0, 10, 4233.6f, 0, 0.5f},
        {"sand K method takes the lower limit", 1, 1, 16, 0, 30, 0.25f},
        {"sand beta at 16 ft, N 30", 1, 2, 16, 0, 30, 0.96f},
        {"sand beta at 16 ft, N 10", 1, 2, 16, 0, 10, 0.64f},
        {"sand beta at the surface is limited", 1, 2, 0, 0, 30, 1.2f},
        {"gravelly sand at 10 ft", 8, 2, 10, 0, 30, 1.6541f},
        {"gravelly sand at the surface", 8, 2, 0, 0, 30, 1.8f},
        {"gravel at 10 ft", 9, 2, 10, 0, 30, 2.6243f},
        {"gravel at the surface is limited", 9, 2, 0, 0, 30, 3.0f},
        {"rock gets the lower limit", 7, 0, 10, 0, 0, 0.25f},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(defaultCoefficient(layer(c.type, 0, 20, c.isand), c.z, c.cu, c.blows), c.expected, 5e-4);
    }
}

TEST(Normalisation, DefaultsAndSwitches)
{
    ProjectInput p = project(1);
    p.RATIO = 1;
    LayerInput clay = inputLayer(2, 20);
    clay.CU[TOP] = clay.CU[BOTTOM] = 3000;
    LayerInput shale = inputLayer(3, 40);
    LayerInput given = inputLayer(2, 60);
    given.NC[TOP] = 7;
    given.NC[BOTTOM] = 8;
    given.COEF[TOP] = 0.4f;
    given.COEF[BOTTOM] = 0.5f;
    p.layers = {clay, shale, given};
    p.NLAYER = 3;
    const Profile pr = normaliseProfile(p);
    EXPECT_EQ(pr.run.RATIO, 0) << "a ratio of exactly 1 is a straight shaft";
    EXPECT_EQ(pr.run.DIALIM, 3) << "no largest diameter: the single diameter DSTART";
    EXPECT_TRUE(pr.ncComputed);
    EXPECT_NEAR(pr.layers[0].NC[TOP], 6.0, 1e-5);
    EXPECT_NEAR(pr.layers[0].NC[BOTTOM], 9.0, 1e-5) << "14.0 computed, limited to 9 in clay";
    EXPECT_NEAR(pr.layers[1].NC[TOP], 7.0, 1e-5) << "shale at 20 ft: 14.0 computed, limited to 7";
    EXPECT_EQ(pr.layers[2].NC[TOP], 7) << "given values stay";
    EXPECT_TRUE(pr.layers[0].coefComputed);
    EXPECT_NEAR(pr.layers[0].COEF[TOP], 0.55, 1e-6);
    EXPECT_FALSE(pr.layers[2].coefComputed);
    EXPECT_EQ(pr.layers[2].COEF[BOTTOM], 0.5f);
    EXPECT_EQ(pr.layers[1].TOP, 20);
    EXPECT_NEAR(pr.run.Ec, 3600000 * 0.072, 1) << "psi to tsf";
}

TEST(Normalisation, SiInputToInternalUnits)
{
    ProjectInput p = project(2);
    p.P = 100;
    p.WTD = 2;
    p.DSTART = 1;
    p.DIALIM = 2;
    p.TOPLENG = 1.5f;
    p.Ec = 2.0e7f;
    LayerInput sand = inputLayer(1, 10);
    sand.GAMMA[TOP] = 18;
    sand.CU[BOTTOM] = 50;
    sand.TRANLM[TOP] = 100;
    sand.QUR[TOP] = 1000;
    p.layers = {sand};
    p.NLAYER = 1;
    Profile pr = normaliseProfile(p);
    EXPECT_NEAR(pr.run.P, 11.24, 1e-4);
    EXPECT_NEAR(pr.run.WTD, 6.5616, 1e-4);
    EXPECT_NEAR(pr.run.DSTART, 3.2808, 1e-4);
    EXPECT_NEAR(pr.run.TOPLENG, 4.9212, 1e-4);
    EXPECT_NEAR(pr.layers[0].DEPTH, 32.808, 1e-3);
    EXPECT_NEAR(pr.layers[0].GAMMA[TOP], 114.586, 1e-2);
    EXPECT_NEAR(pr.layers[0].CU[BOTTOM], 1044.25, 1e-2);
    EXPECT_NEAR(pr.layers[0].TRANLM[TOP], 2088.5, 1e-1);
    EXPECT_NEAR(pr.layers[0].TRANLM[BOTTOM], 1e10 * 20.885, 1e7) << "no limit stays far beyond any value";
    EXPECT_NEAR(pr.run.Ec, 2.0e7 * 20.885 / 2000, 10);
    EXPECT_EQ(pr.layers[0].QUR[TOP], 1000) << "rock values wait for the echo";
    convertRockAfterEcho(pr);
    EXPECT_NEAR(pr.layers[0].QUR[TOP], 20885, 1e-1);
}

TEST(Normalisation, LayerBottomsRoundHalfUpBelowTopPortion)
{
    struct Case {
        const char *name;
        Real bottom, expected;
    };
    const Case cases[] = {{"20.4 ft", 20.4f, 20}, {"20.5 ft", 20.5f, 21}, {"whole", 20, 20}, {"20.99", 20.99f, 21}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProjectInput p = project(1);
        p.TOPLENG = 2.2f;
        p.layers = {inputLayer(2, 1.6f), inputLayer(2, c.bottom)};
        p.NLAYER = 2;
        Profile pr = normaliseProfile(p);
        roundLayerBottoms(pr);
        EXPECT_EQ(pr.layers[1].DEPTH, c.expected);
        EXPECT_EQ(pr.layers[0].DEPTH, 1.6f) << "above TOPLENG: not rounded";
        EXPECT_EQ(pr.layers[1].TOP, 1.6f);
    }
}

TEST(Overburden, AtTheTopOfTheSideZone)
{
    struct Case {
        const char *name;
        Real topleng, wtd, expected;
    };
    // Layer 1: 0 to 10 ft, 100 to 120 pcf; layer 2: 10 to 20 ft, 130 pcf.
    const Case cases[] = {
        {"no top portion", 0, 0, 0},
        {"inside layer 1, dry", 5, 50, 5 * 105.0f},
        {"across a boundary, dry", 12, 50, 1100 + 260},
        {"water table at 8 ft", 12, 8, 1360 - 62.4f * 4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProjectInput p = project(1);
        p.TOPLENG = c.topleng;
        p.WTD = c.wtd;
        LayerInput a = inputLayer(1, 10), b = inputLayer(1, 20);
        a.GAMMA[TOP] = 100;
        a.GAMMA[BOTTOM] = 120;
        b.GAMMA[TOP] = b.GAMMA[BOTTOM] = 130;
        p.layers = {a, b};
        p.NLAYER = 2;
        const Profile pr = normaliseProfile(p);
        EXPECT_NEAR(initialSIGV(pr), c.expected, 1e-2);
    }
}

TEST(SoilEcho, SandLayerInEnglishUnits)
{
    ProjectInput p = project(1);
    p.IMETHOD = 1;
    LayerInput sand = inputLayer(1, 15);
    sand.ISAND = 2;
    sand.GAMMA[TOP] = 115;
    sand.GAMMA[BOTTOM] = 120;
    sand.PHI[TOP] = 32;
    sand.BLOWS[TOP] = 30;
    sand.RFSIDE = 0.55f;
    sand.RFTIP = 0.5f;
    p.layers = {sand};
    p.NLAYER = 1;
    const Profile pr = normaliseProfile(p);
    std::ostringstream text;
    ReportWriter out(&text);
    writeSoilEcho(out, pr);
    const std::string expected = "\n\n"
                                 "     SOIL INFORMATION\n"
                                 "     ---------------\n"
                                 "\n"
                                 "     LAYER NO 1----SAND\n"
                                 "\n"
                                 "       AT THE TOP\n"
                                 "\n"
                                 "       SKIN FRICTION COEFFICIENT- BETA                   = 0.120E+01\n"
                                 "       UNDRAINED SHEAR STRENGTH, LB/SQ FT                = 0.000E+00\n"
                                 "       INTERNAL FRICTION ANGLE, DEG.                     = 0.320E+02\n"
                                 "       BLOWS PER FOOT FROM STANDARD PENETRATION TEST     = 0.300E+02\n"
                                 "       SOIL UNIT WEIGHT, LB/CU FT                        = 0.115E+03\n"
                                 "       MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT          = 0.100E+11\n"
                                 "       DEPTH, FT                                         = 0.000E+00\n"
                                 "\n"
                                 "       AT THE BOTTOM\n"
                                 "\n"
                                 // 1.5 - 0.135 sqrt(15) = 0.977
                                 "       SKIN FRICTION COEFFICIENT- BETA                   = 0.977E+00\n"
                                 "       UNDRAINED SHEAR STRENGTH, LB/SQ FT                = 0.000E+00\n"
                                 "       INTERNAL FRICTION ANGLE, DEG.                     = 0.000E+00\n"
                                 "       BLOWS PER FOOT FROM STANDARD PENETRATION TEST     = 0.000E+00\n"
                                 "       SOIL UNIT WEIGHT, LB/CU FT                        = 0.120E+03\n"
                                 "       MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT          = 0.100E+11\n"
                                 "       DEPTH, FT                                         = 0.150E+02\n"
                                 "\n"
                                 "       LRFD RESISTANCE FACTOR (SIDE FRICTION)            = 0.550E+00\n"
                                 "       LRFD RESISTANCE FACTOR (TIP RESISTANCE)           = 0.500E+00\n"
                                 "\n";
    EXPECT_EQ(text.str(), expected);
}

TEST(SoilEcho, RockAndGeomaterialTitlesAndSiLabels)
{
    ProjectInput p = project(2);
    LayerInput rock = inputLayer(7, 10);
    rock.BDS[TOP] = 1.2f;
    rock.QUR[TOP] = 50000;
    LayerInput weak = inputLayer(6, 12);
    LayerInput deco = inputLayer(5, 14);
    deco.GAMMA[TOP] = 19;
    p.layers = {rock, weak, deco};
    p.NLAYER = 3;
    const Profile pr = normaliseProfile(p);
    std::ostringstream text;
    ReportWriter out(&text);
    writeSoilEcho(out, pr);
    const std::string s = text.str();
    for (const char *line : {
             "    LAYER NO  1----STRONG ROCK\n",
             "       DIAMETER OF SOCKET,M                               = 0.120E+01\n",
             "       UNIAXIAL COMPRESSION STRENGTH OF ROCK,KN/SQ M      = 0.500E+05\n",
             "       DEPTH, M                                           = 0.100E+02\n",
             "    LAYER NO  2----WEAK ROCK\n",
             "       SLUMP OF CONCRETE, M                               = 0.000E+00\n",
             "    LAYER NO  3----DECOMPOSED ROCK\n",
             "       POISSION RATIO OF GRAVEL                          = 0.000E+00\n",
             "       SOIL UNIT WEIGHT, KN/CU M                         = 0.190E+02\n",
         }) {
        SCOPED_TRACE(line);
        EXPECT_NE(s.find(line), std::string::npos);
    }
}
