// The capacity table of one diameter: shaft geometry, the depth walk, the rows and the
// interpolated table, the report blocks and the plot records, with values worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "capacity_report.h"
#include "profile.h"
#include "shaft_table.h"
#include "whole_run.h"

using namespace engine;

namespace {

Profile profile(bool si, int IMETHOD, int ILOAD)
{
    Profile pr;
    pr.input.IUNIT = si ? 2 : 1;
    pr.input.IMETHOD = pr.run.IMETHOD = IMETHOD;
    pr.input.ILOAD = pr.run.ILOAD = ILOAD;
    pr.run.FST = 2;
    pr.run.FSB = 3;
    return pr;
}

std::string written(const std::vector<std::string> &lines)
{
    std::string s;
    for (const std::string &l : lines)
        s += l + "\n";
    return s;
}

CapacityRow row(std::array<Real, 8> out)
{
    CapacityRow r;
    r.L = out[0];
    r.out = out;
    return r;
}

// Clay cu 1000 psf to 30 ft, alpha 0.55, Nc 9, a 3 ft stem.
Profile clayToThirty()
{
    ProjectInput p;
    p.IUNIT = 1;
    p.IDESIGN = 2;
    p.IMETHOD = 2;
    p.DSTART = p.DIALIM = 3;
    p.OUTINC = 5;
    p.DGH = 20;
    p.FST = 2;
    p.FSB = 3;
    p.WTD = 50;
    p.Ec = 3600000;
    LayerInput L;
    L.SOIL = 2;
    L.TYPE = 2;
    L.DEPTH = 30;
    for (int e = 0; e < 2; ++e) {
        L.NC[e] = 9;
        L.GAMMA[e] = 120;
        L.CU[e] = 1000;
        L.COEF[e] = 0.55f;
        L.TRANLM[e] = L.QBLIM[e] = NOLIMIT;
    }
    L.RFSIDE = L.RFTIP = 1;
    p.layers = {L};
    p.NLAYER = 1;
    return normaliseProfile(p);
}

} // namespace

TEST(ReportHeads, EightColumnHeadCases)
{
    struct Case {
        const char *name;
        bool si;
        int IMETHOD, ILOAD;
        const char *head, *units;
    };
    const Case cases[] = {
        {"English compression FS", false, 2, 1,
         "     LENGTH  VOLUME     QS      QB      QU       QBD      QDN      QU/VOLUME",
         "     (FEET)  (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)  (TONS/CU.YDS)"},
        {"English compression LRFD", false, 1, 1,
         "     LENGTH  VOLUME     QS      QB      QU     LRFD QS  LRFD QB   LRFD QU",
         "     (FEET)  (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)    (TONS)"},
        {"English uplift FS", false, 2, 2,
         "     LENGTH  VOLUME     QS      WT      QU       QBD      QDN      QU/VOLUME",
         "     (FEET)  (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)  (TONS/CU.YDS)"},
        {"English uplift LRFD", false, 1, 2,
         "     LENGTH  VOLUME     QS      WT      QU     LRFD QS      WT   LRFD QU",
         "     (FEET)  (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)    (TONS)"},
        {"SI compression FS", true, 2, 1,
         "     LENGTH  VOLUME    QS     QB        QU       QBD     QDN     QU/VOLUME",
         "      ( M )  (CU.M )  ( KN )   ( KN )  ( KN )   ( KN )   ( KN )  ( KN /CU.M) "},
        {"SI compression LRFD", true, 1, 1,
         "     LENGTH  VOLUME    QS     QB        QU      LRFD QS  LRFD QB   LRFD QU",
         "      ( M )  (CU.M )  ( KN )   ( KN )  ( KN )   ( KN )   ( KN )  ( KN /CU.M) "},
        {"SI uplift FS", true, 2, 2,
         "     LENGTH  VOLUME    QS     WT        QU       QBD     QDN     QU/VOLUME",
         "      ( M )  (CU.M )  ( KN )   ( KN )  ( KN )   ( KN )   ( KN )  ( KN ) "},
        {"SI uplift LRFD", true, 1, 2,
         "     LENGTH  VOLUME    QS     WT        QU      LRFD QS  LRFD QB   LRFD QU",
         "      ( M )  (CU.M )  ( KN )   ( KN )  ( KN )   ( KN )   ( KN )  ( KN ) "},
    };
    const std::string fsLegend = written({"     QS     = ULTIMATE SIDE RESISTANCE;",
                                          "     QB     = ULTIMATE BASE RESISTANCE;",
                                          "     WT     = WEIGHT OF DRILLED SHAFT (FOR UPLIFT CAPACITY ONLY);",
                                          "     QU     = TOTAL ULTIMATE RESISTANCE;",
                                          "     QBD    = TOTAL ALLOWABLE LOAD USING A FACTOR OF SAFETY",
                                          "              APPLIED TO THE ULTIMATE BASE RESISTANCE;",
                                          "     QDN    = TOTAL ALLOWABLE LOAD USING FACTORS OF SAFETY",
                                          "              APPLIED TO THE ULTIMATE SIDE RESISTANCE AND",
                                          "              THE ULTIMATE BASE RESISTANCE."});
    const std::string lrfdLegend = written({"     QS      = ULTIMATE SIDE RESISTANCE;",
                                            "     QB      = ULTIMATE BASE RESISTANCE;",
                                            "     WT      = WEIGHT OF DRILLED SHAFT (UPLIFT CAPACITY ONLY);",
                                            "     QU      = TOTAL ULTIMATE RESISTANCE;",
                                            "     LRFD QS = TOTAL SIDE FRICTION USING LRFD RESISTANCE FACTOR",
                                            "               TO THE ULTIMATE SIDE RESISTANCE;",
                                            "     LRFD QB = TOTAL BASE BEARING USING LRFD RESISTANCE FACTOR",
                                            "               TO THE ULTIMATE BASE RESISTANCE",
                                            "     LRFD QU = TOTAL CAPACITY WITH LRFD RESISTANCE FACTOR."});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::ostringstream text;
        ReportWriter out(&text);
        writeLegendAndHeads(out, profile(c.si, c.IMETHOD, c.ILOAD));
        const std::string expected = "\n\n     PREDICTED RESULTS\n     -----------------\n\n" +
                                     (c.IMETHOD == 1 ? lrfdLegend : fsLegend) + "\n" + c.head + "\n" + c.units +
                                     "\n";
        EXPECT_EQ(text.str(), expected);
    }
}

TEST(ShaftBlock, BlockOfABelledShaft)
{
    // D 3 ft, RATIO 2, 30 degrees: HBELL = 3 / (2 tan(0.52365)) + 0.25 = 2.848 ft, VOLBELL
    // 1.849 cu yd; one percent steel 3.142 * 0.01 * 9 / 4 * 144 = 10.180 sq in.
    Profile pr = profile(false, 2, 1);
    pr.input.RATIO = pr.run.RATIO = 2;
    pr.input.BELANG = pr.run.BELANG = 30;
    pr.input.TOPLENG = pr.run.TOPLENG = 5;
    pr.input.BS = pr.run.BS = 1;
    pr.input.Ec = 3600000;
    pr.input.DSTART = pr.run.DSTART = 3;
    std::ostringstream text;
    ReportWriter out(&text);
    writeShaftBlock(out, pr, shaftGeometry(pr.run, 3));
    EXPECT_EQ(text.str(), written({"", "", "     DRILLED SHAFT INFORMATION", "     -------------------------",
                                   "      DIAMETER OF STEM          =    3.000  FT.",
                                   "      DIAMETER OF BASE          =    6.000  FT.",
                                   "      END OF STEM TO BASE       =    2.848  FT.",
                                   "      ANGLE OF BELL             =   30.000  DEG.",
                                   "      IGNORED TOP PORTION       =    5.000  FT.",
                                   "      IGNORED BOTTOM PORTION    =    1.000  FT.",
                                   "      AREA OF ONE PERCENT STEEL =   10.180  SQ.IN.",
                                   "      ELASTIC MODULUS, Ec       = 0.360E+07 LB/SQ IN",
                                   "      VOLUME OF UNDERREAM       =    1.849  CU.YDS.", "", ""}));
}

TEST(ShaftBlock, BlockInSiUnits)
{
    // D 1 m = 3.2808 ft; TOPLENG 1.5 m; BS 0.5 m as entered. Steel 3.142 * 0.01 * 10.76365 / 4
    // * 144 = 12.1753 sq in = 0.00785 sq m.
    Profile pr = profile(true, 2, 1);
    pr.input.TOPLENG = 1.5f;
    pr.run.TOPLENG = 1.5f * kFtPerM;
    pr.input.BS = 0.5f;
    pr.run.BS = 0.5f * kFtPerM;
    pr.input.Ec = 25000000;
    pr.input.DSTART = 1;
    pr.run.DSTART = kFtPerM;
    std::ostringstream text;
    ReportWriter out(&text);
    writeShaftBlock(out, pr, shaftGeometry(pr.run, kFtPerM));
    EXPECT_EQ(text.str(), written({"", "", "     DRILLED SHAFT INFORMATION", "     -------------------------",
                                   "      DIAMETER OF STEM          =    1.000  M",
                                   "      DIAMETER OF BASE          =    1.000  M",
                                   "      END OF STEM TO BASE       =    0.000  M",
                                   "      ANGLE OF BELL             =    0.000  DEG.",
                                   "      IGNORED TOP PORTION       =    1.500  M",
                                   "      IGNORED BOTTOM PORTION    =    0.500  M",
                                   "      AREA OF ONE PERCENT STEEL =    0.008  SQ. M",
                                   "      ELASTIC MODULUS, Ec       = 0.250E+08 KN/SQ M",
                                   "      VOLUME OF UNDERREAM       =    0.000  CU. M", "", ""}));
}

TEST(ShaftGeometry, BellAngles)
{
    struct Case {
        const char *name;
        Real RATIO, BELANG, D;
        bool bell;
        double DB, toe, HBELL, VOLBELL;
    };
    // 90 degrees: tan(90 / 57.29) = -6310.6, so HBELL = 0.25 - 3 / 12621 = 0.24976 ft and the
    // underream is nearly the toe disc: (3.142 * -0.000238 / 3 * 15.75 + 0.25 * 28.278) / 27.
    // 0 degrees has no tangent to divide by: the shaft is taken as straight.
    // D 4 ft, RATIO 1.5, 45 degrees: DB 6, toe 0.5 (D > 3.52), HBELL = 2 / (2 tan(0.785477)) + 0.5
    // = 1.499842, VOLBELL = (3.142 * 0.999842 / 3 * (4 + 6 + 9) + 0.5 * 28.278) / 27 = 1.260562.
    const Case cases[] = {
        {"vertical bell of 90 degrees", 2, 90, 3, true, 6, 0.25, 0.249762, 0.261688},
        {"no angle", 2, 0, 3, false, 3, 0, 0, 0},
        {"45 degrees on a 4 ft stem", 1.5f, 45, 4, true, 6, 0.5, 1.499842, 1.260562},
        {"ratio below one", 0.5f, 30, 3, false, 3, 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProjectInput run;
        run.DSTART = 3;
        run.RATIO = c.RATIO;
        run.BELANG = c.BELANG;
        const Shaft s = shaftGeometry(run, c.D);
        EXPECT_EQ(s.bell, c.bell);
        EXPECT_NEAR(s.DB, c.DB, 1e-5);
        EXPECT_NEAR(s.toe, c.toe, 1e-6);
        EXPECT_NEAR(s.HBELL, c.HBELL, 1e-4);
        EXPECT_NEAR(s.VOLBELL, c.VOLBELL, 1e-4);
        EXPECT_EQ(s.zone, static_cast<int>(2 * c.DB));
    }
}

TEST(ShaftGeometry, BaseFarWiderThanTheStoredRange)
{
    // RATIO 1e9 on a 3 ft stem: a 3e9 ft base. Its zone of two base diameters is held just past
    // the stored range, so the profile leaves no room for it and the table has no rows.
    Profile pr = clayToThirty();
    pr.run.RATIO = 1e9f;
    pr.run.BELANG = 45;
    const Shaft s = shaftGeometry(pr.run, 3);
    EXPECT_EQ(s.zone, 100001);
    RunRock rock;
    const DepthWalk walk = walkProfile(pr, s, rock);
    const CapacityTable t = capacityTable(pr, s, walk);
    EXPECT_TRUE(t.rows.empty());
    EXPECT_TRUE(t.tooShort);
}

TEST(ShaftGeometry, StraightAndBelled)
{
    ProjectInput run;
    run.DSTART = 3;
    run.RATIO = 2;
    run.BELANG = 30;
    const Shaft bell = shaftGeometry(run, 3);
    EXPECT_TRUE(bell.bell);
    EXPECT_NEAR(bell.DB, 6, 1e-6);
    EXPECT_NEAR(bell.toe, 0.25, 1e-6);
    EXPECT_NEAR(bell.HBELL, 2.848, 1e-3);
    EXPECT_EQ(bell.zone, 12);
    const Real frustum = kPi * (bell.HBELL - 0.25f) / 3 * (9.0f / 4 + 18.0f / 4 + 36.0f / 4);
    EXPECT_NEAR(bell.VOLBELL, (frustum + 0.25f * kPi * 9) / 27, 1e-4);
    EXPECT_NEAR(shaftGeometry(run, 4).toe, 0.5, 1e-6) << "toe 0.5 ft above 3.52 ft";

    run.RATIO = 0.8f;
    const Shaft straight = shaftGeometry(run, 3);
    EXPECT_FALSE(straight.bell);
    EXPECT_EQ(straight.HBELL, 0);
    EXPECT_NEAR(straight.steelArea, kPi * 0.01 * 9 / 4 * 144, 1e-4);
    run.RATIO = 2;
    run.BELANG = 0;
    EXPECT_FALSE(shaftGeometry(run, 3).bell) << "a bell angle of 0 would give an endless bell";
}

TEST(InterpolatedTable, FirstRowWithoutSideResistance)
{
    // Rows at 1, 2 and 3 ft; the first two carry no side resistance. OUTINC 1.5: d = 1.5 lies
    // between rows 0 and 1 with QS 0, so half of row 2's QS (3), row 2's QB (33), QU 36, half
    // of row 2's QBD and QDN (8.5, 7) and the volume 1.5 * 0.5236 / 2 = 0.3927. d = 3 is row 2.
    struct Case {
        const char *name;
        int IMETHOD;
        std::array<Real, 8> fixed;
    };
    const Case cases[] = {
        {"factors of safety", 2, {1.5f, 0.3927f, 3, 33, 36, 8.5f, 7, 57.3f}},
        // LRFD: half of row 2's LRFD QS (1.8) and its LRFD QB (23.1), their sum 24.9.
        {"LRFD", 1, {1.5f, 0.3927f, 3, 33, 36, 1.8f, 23.1f, 24.9f}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Profile pr = profile(false, c.IMETHOD, 1);
        pr.input.OUTINC = 1.5f;
        CapacityTable t;
        if (c.IMETHOD == 2) {
            t.rows = {row({1, 0.2618f, 0, 30, 30, 10, 10, 57.3f}), row({2, 0.5236f, 0, 30, 30, 10, 10, 57.3f}),
                      row({3, 0.7854f, 6, 33, 39, 17, 14, 49.66f})};
        } else {
            t.rows = {row({1, 0.2618f, 0, 30, 30, 0, 21, 21}), row({2, 0.5236f, 0, 30, 30, 0, 21, 21}),
                      row({3, 0.7854f, 6, 33, 39, 3.6f, 23.1f, 26.7f})};
        }
        const auto rows = interpolatedTable(pr, Shaft{}, t);
        ASSERT_EQ(rows.size(), 2u);
        for (int k = 0; k < 8; ++k) {
            EXPECT_NEAR(rows[0][k], c.fixed[k], 1e-4) << "column " << k + 1;
            EXPECT_NEAR(rows[1][k], t.rows[2].out[k], 1e-4) << "column " << k + 1;
        }
    }
}

TEST(InterpolatedTable, FiltersAndIntervals)
{
    struct Case {
        const char *name;
        Real OUTINC, TOPLENG, BS, HBELL;
        std::vector<Real> lengths;
    };
    // Rows every foot from 4 to 12 ft. A zero or negative interval writes nothing; the rows
    // kept lie at or below BS + TOPLENG and strictly below BS + TOPLENG + HBELL (so 4 ft is
    // dropped when BS + TOPLENG is 4 without a bell).
    const Case cases[] = {
        {"interval 4", 4, 0, 0, 0, {4, 8, 12}},
        {"interval 0", 0, 0, 0, 0, {}},
        {"negative interval", -2, 0, 0, 0, {}},
        {"ignored 4 ft", 2, 3, 1, 0, {6, 8, 10, 12}},
        {"ignored 4 ft and a bell", 2, 3, 1, 2.5f, {8, 10, 12}},
        {"ignored 6 ft with the bell ending on a multiple", 3, 3, 1, 2, {9, 12}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Profile pr = profile(false, 2, 1);
        pr.input.OUTINC = c.OUTINC;
        pr.run.TOPLENG = c.TOPLENG;
        pr.run.BS = c.BS;
        Shaft s;
        s.HBELL = c.HBELL;
        CapacityTable t;
        for (int L = 4; L <= 12; ++L)
            t.rows.push_back(row({static_cast<Real>(L), 1, static_cast<Real>(L), 5, L + 5.0f, 0, 0, 0}));
        const auto rows = interpolatedTable(pr, s, t);
        ASSERT_EQ(rows.size(), c.lengths.size());
        for (std::size_t k = 0; k < rows.size(); ++k) {
            EXPECT_NEAR(rows[k][0], c.lengths[k], 1e-6);
            EXPECT_NEAR(rows[k][2], c.lengths[k], 1e-5) << "QS follows the length";
        }
    }
}

TEST(InterpolatedTable, IntervalFinerThanTheStoredRange)
{
    // Rows every foot from 1 to 10 ft. An interval of 1e-5 ft would ask for a million rows and
    // 1e-9 ft for ten thousand million: the intervals stop after the first 100000.
    struct Case {
        const char *name;
        Real OUTINC;
    };
    const Case cases[] = {{"1e-5 ft", 1e-5f}, {"1e-9 ft", 1e-9f}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Profile pr = profile(false, 2, 1);
        pr.input.OUTINC = c.OUTINC;
        CapacityTable t;
        for (int L = 1; L <= 10; ++L)
            t.rows.push_back(row({static_cast<Real>(L), 1, static_cast<Real>(L), 5, L + 5.0f, 0, 0, 0}));
        const auto rows = interpolatedTable(pr, Shaft{}, t);
        ASSERT_EQ(rows.size(), 100000u);
        EXPECT_NEAR(rows.front()[0], c.OUTINC, c.OUTINC * 1e-3);
        EXPECT_NEAR(rows.back()[0], 100000 * static_cast<double>(c.OUTINC), 100000 * c.OUTINC * 1e-3);
        EXPECT_NEAR(rows.back()[2], rows.back()[0], 1e-4) << "QS follows the length";
    }
}

TEST(CapacityRows, RowLayoutEnglishAndSi)
{
    const std::array<Real, 8> v = {12.34f, 3.456f, 123.456f, 45.678f, 169.134f, 61.05f, 38.95f, 48.939f};
    auto rowText = [&](bool si) {
        std::ostringstream text;
        ReportWriter out(&text);
        writeCapacityRow(out, v, si);
        return text.str();
    };
    EXPECT_EQ(rowText(false), "     12.3     3.46   123.46    45.68   169.13    61.05    38.95     48.94\n");
    EXPECT_EQ(rowText(true), "     12.3      3.5    123.5     45.7    169.1     61.0     39.0     48.94\n");
}

TEST(CapacityPlot, CapacityBlockRecords)
{
    struct Case {
        const char *name;
        int IMETHOD;
        std::vector<std::string> lines;
    };
    // One row: 7 ft, volume 1.83, QS 18.16, QB 31.81, QU 49.97; FS 2 and 3 give 9.08, 10.60
    // and the row's QDN; LRFD writes the row's LRFD QS, LRFD QB and LRFD QU.
    const Case cases[] = {
        {"factors of safety", 2,
         {" 2 3 3", "   0.0  0.0  0.0  0.0  0.0 0.0  0.0  ", "  0.700E+01   0.0   0.0  0.0 0.0  0.0  0.0 ",
          "  0.700E+01  0.182E+02  0.318E+02  0.500E+02  0.908E+01", "  0.106E+02  0.197E+02"}},
        {"LRFD", 1,
         {" 2 3 3", "   0.0  0.0  0.0  0.0  0.0 0.0  0.0  ", "  0.700E+01   0.0   0.0  0.0 0.0  0.0  0.0 ",
          "  0.700E+01  0.182E+02  0.318E+02  0.500E+02  0.908E+01", "  0.127E+02  0.218E+02"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Profile pr = profile(false, c.IMETHOD, 1);
        CapacityTable t;
        if (c.IMETHOD == 2)
            t.rows = {row({7, 1.83f, 18.16f, 31.81f, 49.97f, 28.76f, 19.68f, 27.3f})};
        else
            t.rows = {row({7, 1.83f, 18.16f, 31.81f, 49.97f, 9.08f, 12.724f, 21.804f})};
        std::ostringstream text;
        ReportWriter out(&text);
        writeCapacityPlot(out, pr, 2, t, 3);
        EXPECT_EQ(text.str(), written(c.lines));
    }
}

TEST(ProfileWalk, TipsFarBelowAnyProfileAreNotStored)
{
    // RATIO 2 at 0.00043 degrees: HBELL = 3 / (2 tan(7.5e-6)) = 2.0e5 ft, so every tip lies
    // some 200000 ft down. Nothing is stored that far, the averaging zone has no room (j1 < 0)
    // and the table has no rows.
    Profile pr = clayToThirty();
    pr.run.RATIO = 2;
    pr.run.BELANG = 0.00043f;
    const Shaft s = shaftGeometry(pr.run, 3);
    ASSERT_GT(s.HBELL, 1.9e5);
    RunRock rock;
    const DepthWalk walk = walkProfile(pr, s, rock);
    EXPECT_LE(walk.feet.size(), 100001u);
    EXPECT_EQ(walk.lastTip, -1);
    const CapacityTable t = capacityTable(pr, s, walk);
    EXPECT_TRUE(t.rows.empty());
    EXPECT_TRUE(t.tooShort);
}

TEST(ProfileWalk, IgnoredPortionsBeyondTheIndexRange)
{
    // TOPLENG or BS of 3e9 ft leaves no tip index in range: no rows, and the index arithmetic
    // stays within its type.
    struct Case {
        const char *name;
        Real TOPLENG, BS;
    };
    const Case cases[] = {{"top portion", 3e9f, 0}, {"bottom portion", 0, 3e9f}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Profile pr = clayToThirty();
        pr.run.TOPLENG = pr.input.TOPLENG = c.TOPLENG;
        pr.input.BS = c.BS;
        const Shaft s = shaftGeometry(pr.run, 3);
        RunRock rock;
        const DepthWalk walk = walkProfile(pr, s, rock);
        EXPECT_LE(walk.feet.size(), 100001u);
        const CapacityTable t = capacityTable(pr, s, walk);
        EXPECT_TRUE(t.rows.empty());
        EXPECT_TRUE(t.tooShort);
    }
}

TEST(ProfileWalk, LayerBottomFarBelowTheIndexRange)
{
    // A bottom typed as 3e9 ft: the walk covers the stored range only, and the proposed depth
    // of 20 ft still ends the table at its 20 ft row (QS 20 * 2.59215 tons).
    Profile pr = clayToThirty();
    pr.layers[0].DEPTH = 3e9f;
    const Shaft s = shaftGeometry(pr.run, 3);
    RunRock rock;
    const DepthWalk walk = walkProfile(pr, s, rock);
    EXPECT_LE(walk.feet.size(), 100001u);
    const CapacityTable t = capacityTable(pr, s, walk);
    ASSERT_EQ(t.rows.size(), 20u);
    EXPECT_TRUE(t.stopped);
    EXPECT_NEAR(t.rows.back().out[2], 20 * 2.59215, 1e-3);
}
