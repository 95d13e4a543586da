// Shaft geometry, report blocks and the interpolated table, with values worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "capacity_report.h"
#include "profile.h"
#include "result_codes.h"
#include "settlement.h"
#include "shaft_table.h"
#include "tz.h"
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

} // namespace

TEST(AuditHeads, EightColumnHeadCases)
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

TEST(AuditShaft, BlockOfABelledShaft)
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

TEST(AuditShaft, BlockInSiUnits)
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

TEST(AuditGeometry, BellAngles)
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

namespace {

CapacityRow row(std::array<Real, 8> out)
{
    CapacityRow r;
    r.L = out[0];
    r.out = out;
    return r;
}

} // namespace

TEST(AuditInterpolated, FirstRowWithoutSideResistance)
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

TEST(AuditInterpolated, FiltersAndIntervals)
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

TEST(AuditRows, RowLayoutEnglishAndSi)
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

TEST(AuditPlot, CapacityBlockRecords)
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

TEST(AuditSettlement, SiHeadingOfASocketTable)
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

TEST(AuditTz, SiCurveFileAndReport)
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

TEST(AuditRuns, LrfdBaseFactorOfTheLayerHoldingTheTip)
{
    // Clay cu 1000 psf to 10 ft (RFSIDE 0.5, RFTIP 0.4), then cu 2000 psf (0.6, 0.7); 3 ft shaft,
    // zone 6 ft. QB = 31.8128 tons on the upper clay, 63.6255 on the lower. At the 5 ft tip the
    // zone is 6 to 11 ft with weights 0, 0.2, 0.4, 0.6, 0.5333, 0.4667: (1.7333 * 31.8128 +
    // 0.4667 * 63.6255) / 2.2 = 38.56 tons. The 9 ft tip lies in the upper layer (RFTIP 0.4),
    // the 10 ft tip in the lower one (its bottom 10 is not below 10): 0.7 * 63.6255 = 44.54.
    const wholerun::RunOutput r = wholerun::analyse("aud-t-lrfd-layers.tnd");
    EXPECT_EQ(r.result, kNormal);
    const auto plot = wholerun::lines(r.plot);
    ASSERT_GT(plot.size(), 3u + 2 * 14);
    EXPECT_EQ(wholerun::numbers(plot[0]), (std::vector<double>{1, 16, 3}));
    struct Case {
        const char *name;
        int length;
        std::vector<double> first, second;
    };
    const Case cases[] = {
        {"5 ft", 5, {5, 12.9608, 38.56, 51.52, 6.4804}, {0.4 * 38.56, 6.4804 + 0.4 * 38.56}},
        {"9 ft", 9, {9, 23.3293, 63.6255, 86.95, 11.6647}, {0.4 * 63.6255, 11.6647 + 0.4 * 63.6255}},
        {"10 ft", 10, {10, 25.9215, 63.6255, 89.547, 12.9608}, {0.7 * 63.6255, 12.9608 + 0.7 * 63.6255}},
        // 11 ft: one foot of the lower clay, 5.1843 tons of side at 0.6.
        {"11 ft", 11, {11, 31.1058, 63.6255, 94.73, 16.0713}, {0.7 * 63.6255, 16.0713 + 0.7 * 63.6255}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto a = wholerun::numbers(plot[3 + 2 * (c.length - 1)]);
        const auto b = wholerun::numbers(plot[4 + 2 * (c.length - 1)]);
        ASSERT_EQ(a.size(), 5u);
        ASSERT_EQ(b.size(), 2u);
        for (std::size_t k = 0; k < 5; ++k)
            EXPECT_NEAR(a[k], c.first[k], 0.006 * std::max(1.0, c.first[k])) << "value " << k + 1;
        for (std::size_t k = 0; k < 2; ++k)
            EXPECT_NEAR(b[k], c.second[k], 0.006 * c.second[k]) << "value " << k + 6;
    }
    // The interpolated rows at 5 and 10 ft carry the same LRFD values.
    const auto rows = wholerun::tableAfterHeads(r.report);
    ASSERT_EQ(rows.size(), 2u);
    wholerun::expectRow(rows[0], {5, 1.31, 12.96, 38.56, 51.52, 6.48, 15.42, 21.90}, 0.011);
    wholerun::expectRow(rows[1], {10, 2.62, 25.92, 63.63, 89.55, 12.96, 44.54, 57.50}, 0.011);
}

TEST(AuditRuns, CurveBelowTheStrengthProfileStopsTheRun)
{
    // A second layer 0.3 ft thick rounds to no thickness: its first curve lies at 360 + 12.01
    // in, 0.1 in or more below the profile's end at 360 in. The trend run stops with code 2.
    const wholerun::RunOutput r = wholerun::analyse("aud-t-thin-bottom.tnd");
    EXPECT_EQ(r.result, 2);
    EXPECT_TRUE(r.report.ends_with("\n\n" + std::string(29, ' ') + "**** WARNING ****\n" +
                                   "     THE VALUE OF X =0.372E+03 IS BEYOND THE EXTENT OF THE INPUT STRENGTH CURVE 1\n"));
    EXPECT_EQ(r.plot, "") << "no plot block after the stop";
    EXPECT_EQ(r.tzdata, "     NOTE: TZ CURVE DATA ARE AVAILABLE FOR SAND AND CLAY LAYERS ONLY.\n\n\n");
    EXPECT_EQ(r.runtime, "");
    EXPECT_EQ(r.report.find("RESULT FROM"), std::string::npos);
}

TEST(AuditRuns, SummaryThenTheWeakRockNote)
{
    // Type 4 rock of 100000 psf = 694 psi at the bottom: the summary, then the closing note.
    const wholerun::RunOutput r = wholerun::analyse("aud-t-rock-note.tnd");
    EXPECT_EQ(r.result, kNormal);
    const std::string note = "\n\n     ROCK WITH COMPRESSIVE STRENGTH LESS THAN 1000 PSI (6894 kPA)\n"
                             "     ------------------------------------------------------------\n"
                             "     IF THE SETTLEMENT IS LESS THAN 0.4 IN. (10 mm), THE LOAD IS\n"
                             "     CARRIED ENTIRELY IN SIDE RESISTANCE.  IF THE SETTLEMENT IS\n"
                             "     GREATER THAN 0.4 IN. (10 MM), THE LOAD IS CARRIED ENTIRELY\n"
                             "     IN END BEARING.\n";
    EXPECT_TRUE(r.report.ends_with(note));
    const std::size_t summary = r.report.find("THE MOST EFFICIENT SHAFT");
    ASSERT_NE(summary, std::string::npos);
    EXPECT_LT(summary, r.report.find("ROCK WITH COMPRESSIVE STRENGTH"));
    EXPECT_EQ(wholerun::count(r.report, "ROCK WITH COMPRESSIVE STRENGTH"), 1u);
    EXPECT_EQ(wholerun::numbers(wholerun::lines(r.plot)[0]), (std::vector<double>{1, 22, 0}));
}

namespace {

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

TEST(AuditTz, CompressibleSegmentIteratesOnTheMidpointMovement)
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

TEST(AuditTz, SideProfileIsHeldAtItsEnds)
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

TEST(AuditRuns, UpliftWithLrfdTakesTheWeightUnfactored)
{
    // f = 0.275 * UPRED 0.8 = 0.22 tsf, 2.07372 tons a foot; RFSIDE 0.5. The weight is not
    // factored: at 10 ft WT = 2.6183 * 27 * 150 / 2000 = 5.3021 (above the water table); at
    // 40 ft 10.4733 * 2.025 - 30 * 0.0312 * 9 * 0.7854 = 14.5923.
    const wholerun::RunOutput r = wholerun::analyse("aud-t-uplift-lrfd.tnd");
    EXPECT_EQ(r.result, kNormal);
    EXPECT_NE(r.report.find("     LENGTH  VOLUME     QS      WT      QU     LRFD QS      WT   LRFD QU\n"
                            "     (FEET)  (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)    (TONS)\n"),
              std::string::npos);
    const auto rows = wholerun::tableAfterHeads(r.report);
    ASSERT_EQ(rows.size(), 4u);
    const double qs10 = 20.7372, wt10 = 5.3021, qs40 = 82.9488, wt40 = 14.5923;
    wholerun::expectRow(rows[0], {10, 2.62, qs10, wt10, qs10 + wt10, qs10 / 2, wt10, qs10 / 2 + wt10}, 0.011);
    wholerun::expectRow(rows[3], {40, 10.47, qs40, wt40, qs40 + wt40, qs40 / 2, wt40, qs40 / 2 + wt40}, 0.011);
    const auto plot = wholerun::lines(r.plot);
    ASSERT_GT(plot.size(), 82u);
    EXPECT_EQ(plot[81], "  0.400E+02  0.829E+02  0.146E+02  0.975E+02  0.415E+02");
    EXPECT_EQ(plot[82], "  0.146E+02  0.561E+02");
    // The efficiency is LRFD QU over the volume: 56.0667 / 10.4733 = 5.35.
    EXPECT_NE(r.report.find("  QU/VOLUME OF CONCRETE  =   5.35 TONS/CU.YD.\n"), std::string::npos);
}

namespace {

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

TEST(AuditWalk, TipsFarBelowAnyProfileAreNotStored)
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

TEST(AuditWalk, IgnoredPortionsBeyondTheIndexRange)
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

TEST(AuditWalk, LayerBottomFarBelowTheIndexRange)
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

TEST(AuditInterpolated, IntervalFinerThanTheStoredRange)
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

TEST(AuditGeometry, BaseFarWiderThanTheStoredRange)
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
