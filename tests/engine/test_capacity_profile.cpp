// Profile model: defaults, normalisation, rounding, overburden, interpolation and the soil echo
// of all nine material types.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

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

void set(Real (&v)[2], Real top, Real bottom)
{
    v[TOP] = top;
    v[BOTTOM] = bottom;
}

// 7 blanks, the label padded so that "=" closes `width` characters, then the E10.3 text.
std::string row(const std::string &label, std::size_t width, const char *value)
{
    return "       " + label + std::string(width - 1 - label.size(), ' ') + "=" + value;
}

struct Echo {
    std::vector<std::string> lines;
    void add(const std::string &s) { lines.push_back(s); }
    void blank() { lines.emplace_back(); }
    void title(const std::string &t)
    {
        add(t);
        blank();
        add("       AT THE TOP");
        blank();
    }
    void bottom()
    {
        add("       AT THE BOTTOM");
        blank();
    }
    std::string text() const
    {
        std::string s;
        for (const std::string &l : lines)
            s += l + "\n";
        return s;
    }
};

std::vector<std::string> split(const std::string &s)
{
    std::vector<std::string> out;
    std::istringstream in(s);
    for (std::string l; std::getline(in, l);)
        out.push_back(l);
    return out;
}

void expectSameLines(const std::string &actual, const std::string &expected)
{
    const std::vector<std::string> a = split(actual), e = split(expected);
    for (std::size_t i = 0; i < a.size() && i < e.size(); ++i)
        EXPECT_EQ(a[i], e[i]) << "line " << i + 1;
    EXPECT_EQ(a.size(), e.size());
    EXPECT_EQ(actual, expected);
}

ProjectInput nineTypesEnglish()
{
    ProjectInput p;
    p.IUNIT = 1;
    p.IMETHOD = 1;
    p.IDESIGN = 2;
    p.DSTART = 5;
    p.DGH = 40;
    p.Ec = 3600000;

    LayerInput shale = inputLayer(3, 5);
    set(shale.CU, 2000, 2000);
    set(shale.PHI, 10, 10);
    set(shale.BLOWS, 20, 25);
    set(shale.GAMMA, 125, 125);
    shale.RFSIDE = 0.5f;
    shale.RFTIP = 0.4f;

    LayerInput clay = inputLayer(2, 15);
    set(clay.CU, 4000, 6000);
    set(clay.GAMMA, 120, 122.5f);
    set(clay.TRANLM, 4000, 4500);
    clay.RFSIDE = 0.45f;
    clay.RFTIP = 0.4f;

    LayerInput sand = inputLayer(1, 25);
    sand.ISAND = 2;
    set(sand.BLOWS, 30, 12);
    set(sand.GAMMA, 118, 118);
    sand.RFSIDE = 0.55f;
    sand.RFTIP = 0.5f;

    LayerInput rock4 = inputLayer(4, 30);
    set(rock4.BDS, 3, 3);
    set(rock4.CS, 1, 2);
    set(rock4.DISCT, 0.01f, 0.02f);
    set(rock4.QUR, 150000, 160000);
    set(rock4.QUCON, 500000, 500000);
    set(rock4.EL, 1000000, 1200000);
    set(rock4.RQD, 80, 90);
    rock4.RFSIDE = 0.55f;
    rock4.RFTIP = 0.5f;

    LayerInput deco = inputLayer(5, 35);
    set(deco.EL, 20000, 25000);
    set(deco.POISSON, 0.3f, 0.35f);
    set(deco.BLOWS, 50, 60);
    set(deco.GAMMA, 130, 135);
    deco.RFSIDE = 0.6f;
    deco.RFTIP = 0.55f;

    LayerInput weak = inputLayer(6, 40);
    set(weak.BDS, 2.5f, 2.5f);
    set(weak.SLUMP, 7, 8);
    set(weak.DELTA, 30, 32);
    set(weak.QUR, 20000, 30000);
    set(weak.EL, 500000, 600000);
    set(weak.RQD, 50, 60);
    weak.RFSIDE = 0.55f;
    weak.RFTIP = 0.5f;

    LayerInput rock7 = inputLayer(7, 45);
    set(rock7.BDS, 2, 2.2f);
    set(rock7.CS, 0.5f, 0.6f);
    set(rock7.DISCT, 0.001f, 0.002f);
    set(rock7.QUR, 1440000, 1500000);
    set(rock7.QUCON, 576000, 576000);
    set(rock7.EL, 2000000, 2500000);
    set(rock7.RQD, 95, 100);
    rock7.RFSIDE = 0.55f;
    rock7.RFTIP = 0.5f;

    LayerInput gsand = inputLayer(8, 50);
    set(gsand.BLOWS, 30, 35);
    set(gsand.GAMMA, 125, 128);
    gsand.RFSIDE = 0.55f;
    gsand.RFTIP = 0.5f;

    LayerInput gravel = inputLayer(9, 60);
    set(gravel.COEF, 0.9f, 1.1f);
    set(gravel.BLOWS, 40, 45);
    set(gravel.GAMMA, 130, 130);
    gravel.RFSIDE = 0.55f;
    gravel.RFTIP = 0.5f;

    p.layers = {shale, clay, sand, rock4, deco, weak, rock7, gsand, gravel};
    p.NLAYER = 9;
    return p;
}

ProjectInput asdProject(int units)
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

TEST(Normalisation, LayerBottomsBelowTheTopPortion)
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
        ProjectInput p = asdProject(c.units);
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

TEST(Normalisation, GravelsTakeTheBetaMethod)
{
    ProjectInput p = asdProject(1);
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

TEST(Normalisation, SiHeaderAndLayerValues)
{
    ProjectInput p = asdProject(2);
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

TEST(Normalisation, UnitTag)
{
    struct Case {
        const char *name;
        int units;
        const char *tag;
    };
    const Case cases[] = {{"English", 1, "EN"}, {"SI", 2, "SI"}, {"any other code reads as English", 3, "EN"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProjectInput p = asdProject(c.units);
        p.layers = {inputLayer(2, 10)};
        p.NLAYER = 1;
        EXPECT_STREQ(normaliseProfile(p).unitTag(), c.tag);
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

TEST(Overburden, NeverBelowZero)
{
    struct Case {
        const char *name;
        Real topleng, wtd, sandBottom, expected;
    };
    // Sand at 120 pcf to sandBottom, then rock without unit weight down to 20 ft.
    const Case cases[] = {
        {"rock under water from the surface", 6, 0, 0, 0},
        {"rock under water below 4 ft", 6, 4, 0, 0},
        {"2 ft of sand over rock under water", 6, 0, 2, 0},
        {"2 ft of sand over rock, water at 5 ft", 6, 5, 2, 240 - 62.4f},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProjectInput p = project(1);
        p.TOPLENG = c.topleng;
        p.WTD = c.wtd;
        LayerInput rock = inputLayer(7, 20);
        if (c.sandBottom > 0) {
            LayerInput sand = inputLayer(1, c.sandBottom);
            sand.GAMMA[TOP] = sand.GAMMA[BOTTOM] = 120;
            p.layers = {sand, rock};
        } else {
            p.layers = {rock};
        }
        p.NLAYER = static_cast<int>(p.layers.size());
        const Profile pr = normaliseProfile(p);
        EXPECT_NEAR(initialSIGV(pr), c.expected, 1e-2);
    }
}

TEST(Overburden, StartOfTheSideZone)
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
        ProjectInput p = asdProject(1);
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

TEST(SoilEchoAllTypes, EnglishUnitsWithLrfd)
{
    const Profile pr = normaliseProfile(nineTypesEnglish());
    std::ostringstream text;
    ReportWriter out(&text);
    writeSoilEcho(out, pr);

    const char *kAlpha = "STRENGTH REDUCTION FACTOR-ALPHA", *kNc = "END BEARING COEFFICIENT-Nc",
               *kBeta = "SKIN FRICTION COEFFICIENT- BETA", *kCu = "UNDRAINED SHEAR STRENGTH, LB/SQ FT",
               *kPhi = "INTERNAL FRICTION ANGLE, DEG.", *kN = "BLOWS PER FOOT FROM STANDARD PENETRATION TEST",
               *kGamma = "SOIL UNIT WEIGHT, LB/CU FT", *kTran = "MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT",
               *kDepth = "DEPTH, FT", *kRfS = "LRFD RESISTANCE FACTOR (SIDE FRICTION)",
               *kRfT = "LRFD RESISTANCE FACTOR (TIP RESISTANCE)", *kBds = "DIAMETER OF SOCKET, FT",
               *kCs = "SPACING OF DISCONTINUITIES,FT", *kTd = "THICKNESS OF INDIVIDUAL DISCONTINUITIES,FT",
               *kQur = "UNIAXIAL COMPRESSION STRENGTH OF ROCK,LB/SQ FT",
               *kQc = "UNIAXIAL COMPRESSION STRENGTH OF CONCRETE,LB/SQ FT",
               *kEl = "ELASTIC MODULUS FOR THE INTACT ROCK, LB/SQ IN.", *kRqd = "ROCK QUALITY DESIGNATION (RQD) %";
    Echo e;
    e.blank();
    e.blank();
    e.add("     SOIL INFORMATION");
    e.add("     ---------------");
    e.blank();
    auto lrfd = [&](const char *side, const char *tip) {
        e.add(row(kRfS, 51, side));
        e.add(row(kRfT, 51, tip));
        e.blank();
    };
    auto soil = [&](const char *cu, const char *phi, const char *n, const char *g, const char *t, const char *d) {
        e.add(row(kCu, 51, cu));
        e.add(row(kPhi, 51, phi));
        e.add(row(kN, 51, n));
        e.add(row(kGamma, 51, g));
        e.add(row(kTran, 51, t));
        e.add(row(kDepth, 51, d));
        e.blank();
    };

    // Shale 0 to 5 ft: cu / pa = 0.945, alpha 0.55; Nc 6 (1 + 0.2 z / 5) = 6.0 and 7.2, limited to 7.
    // The friction angle of clay types is echoed as zero.
    e.title("     LAYER NO 1----CLAY SHALE");
    e.add(row(kAlpha, 51, " 0.550E+00"));
    e.add(row(kNc, 51, " 0.600E+01"));
    soil(" 0.200E+04", " 0.000E+00", " 0.200E+02", " 0.125E+03", " 0.100E+11", " 0.000E+00");
    e.bottom();
    e.add(row(kAlpha, 51, " 0.550E+00"));
    e.add(row(kNc, 51, " 0.700E+01"));
    soil(" 0.200E+04", " 0.000E+00", " 0.250E+02", " 0.125E+03", " 0.100E+11", " 0.500E+01");
    lrfd(" 0.500E+00", " 0.400E+00");

    // Clay 5 to 15 ft: cu 4000 gives 0.55 - 0.1 (1.890 - 1.5) = 0.511, cu 6000 (x 2.83) 0.55;
    // Nc 6 x 1.2 = 7.2 and 6 x 1.6 = 9.6, limited to 9.
    e.title("     LAYER NO 2----CLAY");
    e.add(row(kAlpha, 51, " 0.511E+00"));
    e.add(row(kNc, 51, " 0.720E+01"));
    soil(" 0.400E+04", " 0.000E+00", " 0.000E+00", " 0.120E+03", " 0.400E+04", " 0.500E+01");
    e.bottom();
    e.add(row(kAlpha, 51, " 0.550E+00"));
    e.add(row(kNc, 51, " 0.900E+01"));
    soil(" 0.600E+04", " 0.000E+00", " 0.000E+00", " 0.122E+03", " 0.450E+04", " 0.150E+02");
    lrfd(" 0.450E+00", " 0.400E+00");

    // Sand by beta, 15 to 25 ft: 1.5 - 0.135 sqrt(15) = 0.977 (N 30); (1.5 - 0.675) x 12 / 15 = 0.660.
    e.title("     LAYER NO 3----SAND");
    e.add(row(kBeta, 51, " 0.977E+00"));
    soil(" 0.000E+00", " 0.000E+00", " 0.300E+02", " 0.118E+03", " 0.100E+11", " 0.150E+02");
    e.bottom();
    e.add(row(kBeta, 51, " 0.660E+00"));
    soil(" 0.000E+00", " 0.000E+00", " 0.120E+02", " 0.118E+03", " 0.100E+11", " 0.250E+02");
    lrfd(" 0.550E+00", " 0.500E+00");

    // Strong rock: no coefficient lines, labels closed by "=" in 52 characters; the modulus as entered.
    auto rock = [&](const char *bds, const char *cs, const char *td, const char *qu, const char *qc, const char *el,
                    const char *rqd, const char *d) {
        e.add(row(kBds, 52, bds));
        e.add(row(kCs, 52, cs));
        e.add(row(kTd, 52, td));
        e.add(row(kQur, 52, qu));
        e.add(row(kQc, 52, qc));
        e.add(row(kEl, 52, el));
        e.add(row(kRqd, 52, rqd));
        e.add(row(kDepth, 52, d));
        e.blank();
    };
    e.title("    LAYER NO  4----STRONG ROCK");
    rock(" 0.300E+01", " 0.100E+01", " 0.100E-01", " 0.150E+06", " 0.500E+06", " 0.100E+07", " 0.800E+02",
         " 0.250E+02");
    e.bottom();
    rock(" 0.300E+01", " 0.200E+01", " 0.200E-01", " 0.160E+06", " 0.500E+06", " 0.120E+07", " 0.900E+02",
         " 0.300E+02");
    lrfd(" 0.550E+00", " 0.500E+00");

    // Decomposed rock: gravel labels in 51 characters.
    auto deco = [&](const char *em, const char *nu, const char *n, const char *g, const char *t, const char *d) {
        e.add(row("ELASTIC MODULUS OF GRAVEL, LB/SQ IN", 51, em));
        e.add(row("POISSION RATIO OF GRAVEL", 51, nu));
        e.add(row(kN, 51, n));
        e.add(row(kGamma, 51, g));
        e.add(row(kTran, 51, t));
        e.add(row(kDepth, 51, d));
        e.blank();
    };
    e.title("    LAYER NO  5----DECOMPOSED ROCK");
    deco(" 0.200E+05", " 0.300E+00", " 0.500E+02", " 0.130E+03", " 0.100E+11", " 0.300E+02");
    e.bottom();
    deco(" 0.250E+05", " 0.350E+00", " 0.600E+02", " 0.135E+03", " 0.100E+11", " 0.350E+02");
    lrfd(" 0.600E+00", " 0.550E+00");

    auto weak = [&](const char *bds, const char *slump, const char *delta, const char *qu, const char *el,
                    const char *rqd, const char *d) {
        e.add(row(kBds, 52, bds));
        e.add(row("SLUMP OF CONCRETE, IN", 52, slump));
        e.add(row("ANGLE OF INTERFACE FRICTION, DEG.", 52, delta));
        e.add(row(kQur, 52, qu));
        e.add(row(kEl, 52, el));
        e.add(row(kRqd, 52, rqd));
        e.add(row(kDepth, 52, d));
        e.blank();
    };
    e.title("    LAYER NO  6----WEAK ROCK");
    weak(" 0.250E+01", " 0.700E+01", " 0.300E+02", " 0.200E+05", " 0.500E+06", " 0.500E+02", " 0.350E+02");
    e.bottom();
    weak(" 0.250E+01", " 0.800E+01", " 0.320E+02", " 0.300E+05", " 0.600E+06", " 0.600E+02", " 0.400E+02");
    lrfd(" 0.550E+00", " 0.500E+00");

    e.title("    LAYER NO  7----STRONG ROCK");
    rock(" 0.200E+01", " 0.500E+00", " 0.100E-02", " 0.144E+07", " 0.576E+06", " 0.200E+07", " 0.950E+02",
         " 0.400E+02");
    e.bottom();
    rock(" 0.220E+01", " 0.600E+00", " 0.200E-02", " 0.150E+07", " 0.576E+06", " 0.250E+07", " 0.100E+03",
         " 0.450E+02");
    lrfd(" 0.550E+00", " 0.500E+00");

    auto gravels = [&](const char *n, const char *g, const char *t, const char *d) {
        e.add(row(kN, 51, n));
        e.add(row(kGamma, 51, g));
        e.add(row(kTran, 51, t));
        e.add(row(kDepth, 51, d));
        e.blank();
    };
    // Gravelly sand 45 to 50 ft: 2.0 - 0.15 (0.3048 z)^0.75 = 0.931 and 0.843.
    e.title("    LAYER NO  8----GRAVELLEY SAND");
    e.add(row(kBeta, 51, " 0.931E+00"));
    gravels(" 0.300E+02", " 0.125E+03", " 0.100E+11", " 0.450E+02");
    e.bottom();
    e.add(row(kBeta, 51, " 0.843E+00"));
    gravels(" 0.350E+02", " 0.128E+03", " 0.100E+11", " 0.500E+02");
    lrfd(" 0.550E+00", " 0.500E+00");

    // Gravel with its coefficient given: echoed as given.
    e.title("    LAYER NO  9----GRAVEL");
    e.add(row(kBeta, 51, " 0.900E+00"));
    gravels(" 0.400E+02", " 0.130E+03", " 0.100E+11", " 0.500E+02");
    e.bottom();
    e.add(row(kBeta, 51, " 0.110E+01"));
    gravels(" 0.450E+02", " 0.130E+03", " 0.100E+11", " 0.600E+02");
    lrfd(" 0.550E+00", " 0.500E+00");

    expectSameLines(text.str(), e.text());
}

TEST(SoilEchoAllTypes, LabelsCloseAtTheirColumn)
{
    // The "=" sits in column 58 (7 + 51) for soil, gravel, coefficient and LRFD labels and in
    // column 59 (7 + 52) for strong and weak rock; the value follows in 10 columns.
    const Profile pr = normaliseProfile(nineTypesEnglish());
    std::ostringstream text;
    ReportWriter out(&text);
    writeSoilEcho(out, pr);
    int rockLayer = 0, layerNo = 0;
    for (const std::string &l : split(text.str())) {
        if (l.find("LAYER NO") != std::string::npos) {
            ++layerNo;
            rockLayer = (layerNo == 4 || layerNo == 6 || layerNo == 7) ? 1 : 0;
        }
        const std::size_t eq = l.find('=');
        if (eq == std::string::npos)
            continue;
        SCOPED_TRACE(l);
        const bool lrfdLine = l.find("LRFD") != std::string::npos;
        EXPECT_EQ(eq, static_cast<std::size_t>(lrfdLine ? 57 : 57 + rockLayer));
        EXPECT_EQ(l.size(), eq + 1 + 10);
    }
    EXPECT_EQ(layerNo, 9);
}

TEST(SoilEchoAllTypes, SiUnitsShowTheValuesAsEntered)
{
    ProjectInput p;
    p.IUNIT = 2;
    p.IMETHOD = 2;
    p.IDESIGN = 2;
    p.DSTART = 1.5f;
    p.DGH = 12;
    p.Ec = 2.5e7f;

    LayerInput sand = inputLayer(1, 3);
    sand.ISAND = 2;
    set(sand.PHI, 30, 32);
    set(sand.BLOWS, 10, 20);
    set(sand.GAMMA, 18, 19);
    set(sand.TRANLM, 100, 150);
    LayerInput clay = inputLayer(2, 6);
    set(clay.CU, 150, 200);
    set(clay.GAMMA, 19, 19.5f);
    LayerInput shale = inputLayer(3, 9);
    set(shale.NC, 7, 8);
    set(shale.COEF, 0.4f, 0.5f);
    set(shale.CU, 300, 300);
    set(shale.GAMMA, 20, 20);
    LayerInput rock4 = inputLayer(4, 10.5f);
    set(rock4.BDS, 1, 1);
    set(rock4.CS, 0.3f, 0.3f);
    set(rock4.DISCT, 0.003f, 0.003f);
    set(rock4.QUR, 20000, 25000);
    set(rock4.QUCON, 30000, 30000);
    set(rock4.EL, 2e7f, 2.5e7f);
    set(rock4.RQD, 70, 75);
    LayerInput deco = inputLayer(5, 12);
    set(deco.EL, 150000, 200000);
    set(deco.POISSON, 0.3f, 0.3f);
    set(deco.BLOWS, 60, 70);
    set(deco.GAMMA, 20, 21);
    LayerInput weak = inputLayer(6, 13.5f);
    set(weak.BDS, 0.9f, 0.9f);
    set(weak.SLUMP, 0.18f, 0.2f);
    set(weak.DELTA, 30, 30);
    set(weak.QUR, 5000, 6000);
    set(weak.EL, 1e6f, 1.2e6f);
    set(weak.RQD, 40, 45);
    LayerInput rock7 = inputLayer(7, 15);
    set(rock7.BDS, 0.8f, 0.8f);
    set(rock7.CS, 0.2f, 0.25f);
    set(rock7.DISCT, 0.001f, 0.001f);
    set(rock7.QUR, 60000, 65000);
    set(rock7.QUCON, 40000, 40000);
    set(rock7.EL, 3e7f, 3e7f);
    set(rock7.RQD, 90, 95);
    LayerInput gsand = inputLayer(8, 18);
    set(gsand.BLOWS, 30, 35);
    set(gsand.GAMMA, 20, 20.5f);
    set(gsand.TRANLM, 200, 200);
    LayerInput gravel = inputLayer(9, 21);
    set(gravel.BLOWS, 40, 45);
    set(gravel.GAMMA, 21, 21);
    p.layers = {sand, clay, shale, rock4, deco, weak, rock7, gsand, gravel};
    p.NLAYER = 9;

    const Profile pr = normaliseProfile(p);
    std::ostringstream text;
    ReportWriter out(&text);
    writeSoilEcho(out, pr);

    const char *kAlpha = "STRENGTH REDUCTION FACTOR-ALPHA", *kNc = "END BEARING COEFFICIENT-Nc",
               *kBeta = "SKIN FRICTION COEFFICIENT- BETA", *kCu = "UNDRAINED SHEAR STRENGTH, KN/SQ M",
               *kPhi = "INTERNAL FRICTION ANGLE, DEG.", *kN = "BLOWS PER FOOT FROM STANDARD PENETRATION TEST",
               *kGamma = "SOIL UNIT WEIGHT, KN/CU M", *kTran = "MAXIMUM LOAD TRANSFER FOR SOIL, KN/SQ M",
               *kDepth = "DEPTH, M", *kQur = "UNIAXIAL COMPRESSION STRENGTH OF ROCK,KN/SQ M",
               *kEl = "ELASTIC MODULUS FOR THE INTACT ROCK, KN/SQ M", *kRqd = "ROCK QUALITY DESIGNATION (RQD) %";
    Echo e;
    e.blank();
    e.blank();
    e.add("     SOIL INFORMATION");
    e.add("     ---------------");
    e.blank();
    auto soil = [&](const char *cu, const char *phi, const char *n, const char *g, const char *t, const char *d) {
        e.add(row(kCu, 51, cu));
        e.add(row(kPhi, 51, phi));
        e.add(row(kN, 51, n));
        e.add(row(kGamma, 51, g));
        e.add(row(kTran, 51, t));
        e.add(row(kDepth, 51, d));
        e.blank();
    };
    // Sand by beta, z in feet: at the surface 1.5 x 10 / 15 = 1.0; at 3 m (9.842 ft)
    // 1.5 - 0.135 x 3.137 = 1.076 (N 20, no reduction).
    e.title("     LAYER NO 1----SAND");
    e.add(row(kBeta, 51, " 0.100E+01"));
    soil(" 0.000E+00", " 0.300E+02", " 0.100E+02", " 0.180E+02", " 0.100E+03", " 0.000E+00");
    e.bottom();
    e.add(row(kBeta, 51, " 0.108E+01"));
    soil(" 0.000E+00", " 0.320E+02", " 0.200E+02", " 0.190E+02", " 0.150E+03", " 0.300E+01");

    // Clay: 150 kN/m2 = 3133 psf (x 1.480) gives 0.55; 200 = 4177 psf (x 1.973) gives 0.503.
    // Nc 6 (1 + 0.2 x 3 / 1.5) = 8.4 and 6 x 1.8 = 10.8, limited to 9.
    e.title("     LAYER NO 2----CLAY");
    e.add(row(kAlpha, 51, " 0.550E+00"));
    e.add(row(kNc, 51, " 0.840E+01"));
    soil(" 0.150E+03", " 0.000E+00", " 0.000E+00", " 0.190E+02", " 0.100E+11", " 0.300E+01");
    e.bottom();
    e.add(row(kAlpha, 51, " 0.503E+00"));
    e.add(row(kNc, 51, " 0.900E+01"));
    soil(" 0.200E+03", " 0.000E+00", " 0.000E+00", " 0.195E+02", " 0.100E+11", " 0.600E+01");

    e.title("     LAYER NO 3----CLAY SHALE");
    e.add(row(kAlpha, 51, " 0.400E+00"));
    e.add(row(kNc, 51, " 0.700E+01"));
    soil(" 0.300E+03", " 0.000E+00", " 0.000E+00", " 0.200E+02", " 0.100E+11", " 0.600E+01");
    e.bottom();
    e.add(row(kAlpha, 51, " 0.500E+00"));
    e.add(row(kNc, 51, " 0.800E+01"));
    soil(" 0.300E+03", " 0.000E+00", " 0.000E+00", " 0.200E+02", " 0.100E+11", " 0.900E+01");

    auto rock = [&](const char *bds, const char *cs, const char *td, const char *qu, const char *qc, const char *el,
                    const char *rqd, const char *d) {
        e.add(row("DIAMETER OF SOCKET,M", 52, bds));
        e.add(row("SPACING OF DISCONTINUITIES,M", 52, cs));
        e.add(row("THICKNESS OF INDIVIDUAL DISCONTINUITIES,M", 52, td));
        e.add(row(kQur, 52, qu));
        e.add(row("UNIAXIAL COMPRESSION STRENGTH OF CONCRETE,KN/SQ M", 52, qc));
        e.add(row(kEl, 52, el));
        e.add(row(kRqd, 52, rqd));
        e.add(row(kDepth, 52, d));
        e.blank();
    };
    // Rock strengths, spacings and socket diameters are converted only after the echo.
    e.title("    LAYER NO  4----STRONG ROCK");
    rock(" 0.100E+01", " 0.300E+00", " 0.300E-02", " 0.200E+05", " 0.300E+05", " 0.200E+08", " 0.700E+02",
         " 0.900E+01");
    e.bottom();
    rock(" 0.100E+01", " 0.300E+00", " 0.300E-02", " 0.250E+05", " 0.300E+05", " 0.250E+08", " 0.750E+02",
         " 0.105E+02");

    auto deco5 = [&](const char *em, const char *nu, const char *n, const char *g, const char *t, const char *d) {
        e.add(row("ELASTIC MODULUS OF GRAVEL, KN/SQ M", 51, em));
        e.add(row("POISSION RATIO OF GRAVEL", 51, nu));
        e.add(row(kN, 51, n));
        e.add(row(kGamma, 51, g));
        e.add(row(kTran, 51, t));
        e.add(row(kDepth, 51, d));
        e.blank();
    };
    e.title("    LAYER NO  5----DECOMPOSED ROCK");
    deco5(" 0.150E+06", " 0.300E+00", " 0.600E+02", " 0.200E+02", " 0.100E+11", " 0.105E+02");
    e.bottom();
    deco5(" 0.200E+06", " 0.300E+00", " 0.700E+02", " 0.210E+02", " 0.100E+11", " 0.120E+02");

    auto weak6 = [&](const char *bds, const char *slump, const char *delta, const char *qu, const char *el,
                     const char *rqd, const char *d) {
        e.add(row("DIAMETER OF SOCKET, M", 52, bds));
        e.add(row("SLUMP OF CONCRETE, M", 52, slump));
        e.add(row("ANGLE OF INTERFACE FRICTION, DEG.", 52, delta));
        e.add(row(kQur, 52, qu));
        e.add(row(kEl, 52, el));
        e.add(row(kRqd, 52, rqd));
        e.add(row(kDepth, 52, d));
        e.blank();
    };
    e.title("    LAYER NO  6----WEAK ROCK");
    weak6(" 0.900E+00", " 0.180E+00", " 0.300E+02", " 0.500E+04", " 0.100E+07", " 0.400E+02", " 0.120E+02");
    e.bottom();
    weak6(" 0.900E+00", " 0.200E+00", " 0.300E+02", " 0.600E+04", " 0.120E+07", " 0.450E+02", " 0.135E+02");

    e.title("    LAYER NO  7----STRONG ROCK");
    rock(" 0.800E+00", " 0.200E+00", " 0.100E-02", " 0.600E+05", " 0.400E+05", " 0.300E+08", " 0.900E+02",
         " 0.135E+02");
    e.bottom();
    rock(" 0.800E+00", " 0.250E+00", " 0.100E-02", " 0.650E+05", " 0.400E+05", " 0.300E+08", " 0.950E+02",
         " 0.150E+02");

    auto gravels = [&](const char *n, const char *g, const char *t, const char *d) {
        e.add(row(kN, 51, n));
        e.add(row(kGamma, 51, g));
        e.add(row(kTran, 51, t));
        e.add(row(kDepth, 51, d));
        e.blank();
    };
    // Depth in feet for the gravel relations: 15 m = 49.21 ft, 18 m = 59.05 ft, 21 m = 68.90 ft.
    e.title("    LAYER NO  8----GRAVELLEY SAND");
    e.add(row(kBeta, 51, " 0.857E+00"));
    gravels(" 0.300E+02", " 0.200E+02", " 0.200E+03", " 0.150E+02");
    e.bottom();
    e.add(row(kBeta, 51, " 0.689E+00"));
    gravels(" 0.350E+02", " 0.205E+02", " 0.200E+03", " 0.180E+02");

    e.title("    LAYER NO  9----GRAVEL");
    e.add(row(kBeta, 51, " 0.736E+00"));
    gravels(" 0.400E+02", " 0.210E+02", " 0.100E+11", " 0.180E+02");
    e.bottom();
    e.add(row(kBeta, 51, " 0.571E+00"));
    gravels(" 0.450E+02", " 0.210E+02", " 0.100E+11", " 0.210E+02");

    expectSameLines(text.str(), e.text());
}

TEST(LayerInterpolation, LinearInsideTheLayerTopValueWithoutThickness)
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
