// Whole analyses of small projects whose results were worked out by hand.
//
// Uniform clay, cu 1000 psf, alpha 0.55, Nc 9, 3 ft straight shaft, no ignored portions:
// f = 0.55 * 1000 / 2000 = 0.275 tsf; one foot adds 3.142 * 3 * 0.275 = 2.59215 tons.
// QB = Ab * cu * Nc = (3.142 * 9 / 4) * 0.5 * 9 = 7.0695 * 4.5 = 31.81275 tons at every tip.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "result_codes.h"
#include "whole_run.h"

using namespace wholerun;

TEST(CapacityRun, ProposedDepthWritesTheInterpolatedTable)
{
    const RunOutput r = analyse("cap-clay-dc2.tnd");
    EXPECT_EQ(r.result, engine::kNormal);
    // OUTINC 5: rows at 5 and 10 ft, the stop at DGH = 10 ft.
    const auto rows = tableAfterHeads(r.report);
    ASSERT_EQ(rows.size(), 2u);
    const double qs5 = 5 * 2.59215, qb = 31.81275;
    expectRow(rows[0], {5, 5 * 7.0695 / 27, qs5, qb, qs5 + qb, qb / 3 + qs5, qb / 3 + qs5 / 2, (qs5 + qb) / (5 * 7.0695 / 27)},
              0.011);
    const double qs10 = 10 * 2.59215;
    expectRow(rows[1], {10, 2.618, qs10, qb, qs10 + qb, qb / 3 + qs10, qb / 3 + qs10 / 2, (qs10 + qb) / 2.6183}, 0.011);
    EXPECT_NE(r.report.find("     (FEET)  (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)  (TONS/CU.YDS)\n"),
              std::string::npos);
    EXPECT_NE(r.report.find("      DIAMETER OF STEM          =    3.000  FT.\n"), std::string::npos);
    EXPECT_NE(r.report.find("      ELASTIC MODULUS, Ec       = 0.360E+07 LB/SQ IN\n"), std::string::npos);
    EXPECT_EQ(count(r.report, "RESULT FROM TREND (AVERAGED) LINE"), 1u);
    EXPECT_EQ(count(r.report, "RESULT FROM LOWER-BOUND LINE"), 1u);
}

TEST(CapacityRun, PlotBlockOfAProposedDepth)
{
    const RunOutput r = analyse("cap-clay-dc2.tnd");
    const auto plot = lines(r.plot);
    // Heading, two leading rows, ten table rows of two lines, 45 settlement records.
    ASSERT_EQ(plot.size(), 1u + 2 + 20 + 45);
    EXPECT_EQ(numbers(plot[0]), (std::vector<double>{1, 12, 3}));
    EXPECT_EQ(plot[0], " 1 12 3") << "free-format integers, each after one blank";
    EXPECT_EQ(plot[1], "   0.0  0.0  0.0  0.0  0.0 0.0  0.0  ");
    EXPECT_EQ(plot[2], "  0.100E+01   0.0   0.0  0.0 0.0  0.0  0.0 ");
    // Row at 10 ft: length, QS, QB, QU, QS/FST, QB/FSB, QDN.
    EXPECT_EQ(plot[21], "  0.100E+02  0.259E+02  0.318E+02  0.577E+02  0.130E+02");
    EXPECT_EQ(plot[22], "  0.106E+02  0.236E+02");
    // Trend curve, point 12: tip movement 0.5 in on a 36 in tip curve between 0.36 in
    // (0.56 QB) and 0.54 in (0.7 QB): 0.56 + 0.14 * 0.14 / 0.18 = 0.66889 of 31.81 tons.
    const auto p12 = numbers(plot[23 + 11]);
    ASSERT_EQ(p12.size(), 4u);
    EXPECT_NEAR(p12[2], 21.28, 0.05);
    EXPECT_NEAR(p12[3], 0.5, 1e-6);
    // Point 13: 36 in shaft, 0.01 * 36 < 0.5 so the movement is 0.625 in, between 0.54 in
    // (0.7) and 0.9 in (0.865): 0.73896 * 31.81 = 23.51 tons.
    const auto p13 = numbers(plot[23 + 12]);
    EXPECT_NEAR(p13[3], 0.625, 1e-6);
    EXPECT_NEAR(p13[2], 23.51, 0.05);
    // The run-time file receives the segment line of each of the three curve families, in
    // the free format of the plot file's block heading.
    EXPECT_EQ(r.runtime, " 15 10 0 10\n 15 10 0 10\n 15 10 0 10\n");
    EXPECT_EQ(r.tzdata.rfind("     NOTE: TZ CURVE DATA ARE AVAILABLE FOR SAND AND CLAY LAYERS ONLY.\n", 0), 0u);
    // Every run rewrites TZDATA.DAT: it holds the lower-bound run only. Its curves carry
    // 0.275 tsf = 3.8194 psi; the second point is 0.29 of it at 0.001 * 36 in.
    EXPECT_EQ(count(r.tzdata, "NOTE: TZ CURVE"), 1u);
    EXPECT_EQ(count(r.tzdata, std::string(40, ' ') + "       0.1108E+01      0.3600E-01\n"), 5u);
    // Clay tip curve, second point: 0.2 QB at 0.005 * 36 in.
    EXPECT_EQ(count(r.tzdata, "\n        0.6363E+01         0.1800E+00\n"), 1u);
    EXPECT_TRUE(r.tzdata.ends_with("\n1\n"));
}

TEST(CapacityRun, DesignLoadStopsAtTheFirstSufficientLength)
{
    const RunOutput r = analyse("cap-clay-dc1.tnd");
    EXPECT_EQ(r.result, engine::kNormal);
    // 3 ft: QDN = 31.81275 / 3 + 1.296075 j exceeds 40 first at j = 23 (40.41; 39.12 at 22).
    const auto d3 = tableAfterHeads(r.report, 0);
    ASSERT_EQ(d3.size(), 23u);
    expectRow(d3.front(), {1, 0.26, 2.59, 31.81, 34.40, 13.20, 11.90, 131.40}, 0.011);
    expectRow(d3.back(), {23, 6.02, 59.62, 31.81, 91.43, 70.22, 40.41, 15.18}, 0.011);
    // 3.5 ft: 3.024175 tons a foot, QB = 9.622375 * 4.5 = 43.30 tons; QDN 14.43 + 1.512 j > 40 at j = 17.
    const auto d35 = tableAfterHeads(r.report, 1);
    ASSERT_EQ(d35.size(), 17u);
    expectRow(d35.back(), {17, 6.06, 51.41, 43.30, 94.71, 94.71 - 0 - 0.5 * 0 - 43.30 * 2 / 3, 40.14, 15.63}, 0.011);
    const auto plot = lines(r.plot);
    EXPECT_EQ(numbers(plot[0]), (std::vector<double>{2, 25, 3}));
    const std::size_t second = 1 + 2 + 2 * 23 + 45;
    ASSERT_GT(plot.size(), second);
    EXPECT_EQ(numbers(plot[second]), (std::vector<double>{2, 19, 3}));
    EXPECT_EQ(plot.size(), second + 1 + 2 + 2 * 17 + 45);

    // The better QU/VOLUME is the 3.5 ft shaft's (15.63 against 15.18).
    const std::string summary = " THE MOST EFFICIENT SHAFT FOR THIS SOIL PROFILE APPEARS TO BE THE FOLLOWING ONE:\n"
                                "\n"
                                "  DIAMETER OF STEM       = 3.50 FT.\n"
                                "\n"
                                "  DIAMETER OF BASE       = 3.50 FT.\n"
                                "\n"
                                "  ESTIMATED SHAFT LENGTH =  17. FT.\n"
                                "\n"
                                "  VOLUME OF CONCRETE     =   6.06 CU.YDS.\n"
                                "\n"
                                "  ULTIMATE LOAD CAPACITY =     94.71 TONS\n"
                                "\n"
                                "  QU/VOLUME OF CONCRETE  =  15.63 TONS/CU.YD.\n";
    EXPECT_NE(r.report.find(summary), std::string::npos);
    EXPECT_EQ(r.report.find("ROCK WITH COMPRESSIVE STRENGTH"), std::string::npos);
}

TEST(CapacityRun, DesignLoadBeyondTheProfileNeedsAnotherLayer)
{
    const RunOutput r = analyse("cap-need-layer.tnd");
    EXPECT_EQ(r.result, engine::kNeedAnotherLayer);
    // Rows 1 to 33 (40 - 6 - 1), then the interpolated rows at 5 to 30 ft.
    EXPECT_EQ(tableAfterHeads(r.report).size(), 33u + 6u);
    const std::string message = "\n   *********** NEED ANOTHER SOIL LAYER ************\n";
    EXPECT_TRUE(r.report.ends_with(message)) << "no summary and no settlement after it";
    EXPECT_EQ(r.runtime, message);
    EXPECT_EQ(r.plot, "") << "no plot block";
    EXPECT_EQ(r.report.find("THE MOST EFFICIENT"), std::string::npos);
}

TEST(CapacityRun, UpliftWeightAndBuoyancy)
{
    const RunOutput r = analyse("cap-clay-uplift.tnd");
    EXPECT_EQ(r.result, engine::kNormal);
    EXPECT_NE(r.report.find("     LENGTH  VOLUME     QS      WT      QU       QBD      QDN      QU/VOLUME\n"),
              std::string::npos);
    // f = 0.275 * UPRED 0.8 = 0.22 tsf, 2.07372 tons a foot. At 40 ft: volume 10.4733 cu yd,
    // WT = 10.4733 * 27 * 150 / 2000 - 30 * 0.0312 * 9 * 0.7854 = 21.2085 - 6.6162 = 14.5923.
    const auto rows = tableAfterHeads(r.report);
    ASSERT_EQ(rows.size(), 4u);
    const double qs = 40 * 2.07372, wt = 14.5923;
    expectRow(rows[3], {40, 10.47, qs, wt, qs + wt, qs + wt, wt + qs / 2, (qs + wt) / 10.4733}, 0.011);
    // No buoyancy at the water table: 10 ft, WT = 2.6183 * 2.025.
    EXPECT_NEAR(rows[0][3], 2.6183 * 2.025, 0.011);
    // The plot's factored weight is WT itself (FSB becomes 1).
    const auto plot = lines(r.plot);
    ASSERT_GT(plot.size(), 82u);
    EXPECT_NEAR(numbers(plot[2 + 2 * 40])[0], wt, 0.05);
}

TEST(CapacityRun, SiUnitsWithLrfd)
{
    const RunOutput r = analyse("cap-clay-si-lrfd.tnd");
    EXPECT_EQ(r.result, engine::kNormal);
    EXPECT_NE(r.report.find("     LENGTH  VOLUME    QS     QB        QU      LRFD QS  LRFD QB   LRFD QU\n"
                            "      ( M )  (CU.M )  ( KN )   ( KN )  ( KN )   ( KN )   ( KN )  ( KN /CU.M) \n"),
              std::string::npos);
    EXPECT_NE(r.report.find("      DIAMETER OF STEM          =    1.000  M\n"), std::string::npos);
    EXPECT_NE(r.report.find("       LRFD RESISTANCE FACTOR (TIP RESISTANCE)           = 0.600E+00\n"), std::string::npos);
    // D = 3.2808 ft; cu = 50 * 20.885 = 1044.25 psf; one foot adds 3.142 * 3.2808 * 0.287169
    // = 2.960225 tons = 26.3365 kN; QB = 8.454847 ft2 * 0.522125 * 9 = 39.7303 tons = 353.47 kN.
    // DGH 3.048 m = 9.99988 ft stops at the 10 ft row; interpolated rows every 0.5 m to 3.0 m.
    const auto rows = tableAfterHeads(r.report);
    ASSERT_EQ(rows.size(), 6u);
    const double perMetre = 26.3365 * 3.2808, qb = 353.47;
    const double qs = 3.0 * perMetre;
    expectRow(rows[5], {3.0, 3.0 * 3.2808 * 8.454847 / 27 / 1.3078, qs, qb, qs + qb, 0.5 * qs, 0.6 * qb,
                        0.5 * qs + 0.6 * qb},
              0.06);
    const auto plot = lines(r.plot);
    EXPECT_EQ(numbers(plot[0]), (std::vector<double>{1, 12, 3}));
    // Row at 10 ft = 3.048 m: QS 263.4 kN, LRFD QS 131.7, LRFD QB 212.1.
    const auto a = numbers(plot[21]), b = numbers(plot[22]);
    // Three significant digits in the plot file.
    EXPECT_NEAR(a[0], 3.048, 0.002);
    EXPECT_NEAR(a[1], 263.4, 0.5);
    EXPECT_NEAR(a[4], 131.7, 0.5);
    EXPECT_NEAR(b[0], 212.1, 0.5);
    EXPECT_NEAR(b[1], 343.8, 0.5);
    EXPECT_NE(r.report.find("           KN.              M.              KN.             M.\n"), std::string::npos);

    // Summary: with LRFD the efficiency is LRFD QU over the volume,
    // (0.5 * 263.365 + 0.6 * 353.47) / (3.131425 / 1.3078) = 343.76 / 2.3944 = 143.57 kN/m3.
    const auto all = lines(r.report);
    std::size_t at = 0;
    while (at < all.size() && all[at].find("THE MOST EFFICIENT SHAFT") == std::string::npos)
        ++at;
    ASSERT_LT(at + 12, all.size());
    EXPECT_EQ(all[at + 2], "  DIAMETER OF STEM       =   1.0 M");
    EXPECT_EQ(all[at + 6], "  ESTIMATED SHAFT LENGTH =    3. M");
    EXPECT_EQ(all[at + 8], "  VOLUME OF CONCRETE     =    2.39 CU.M");
    EXPECT_TRUE(all[at + 10].ends_with(" KN  "));
    EXPECT_NEAR(numbers(all[at + 10].substr(26, 11))[0], 616.84, 0.02);
    EXPECT_TRUE(all[at + 12].rfind("  QU/VOLUME OF CONCRETE  = ", 0) == 0);
    EXPECT_NEAR(numbers(all[at + 12].substr(26, 8))[0], 143.57, 0.02);
}

TEST(CapacityRun, BelledShaft)
{
    // D 3, RATIO 2, 30 degrees: HBELL = 3 / (2 tan(30 / 57.29)) + 0.25 = 2.848 ft, VOLBELL
    // = (3.142 * 2.598 / 3 * (2.25 + 4.5 + 9) + 0.25 * 28.278) / 27 = 1.849 cu yd. TOPLENG 5,
    // BS 1: first tip j0 = nint(8.848) + 1 = 10 with one foot of side (ZSIDE 6). Base 6 ft:
    // QB = 28.278 * 4.5 = 127.25 tons. DGH 20: last row j = 20, ZSIDE 16, QS = 11 * 2.59215.
    const RunOutput r = analyse("cap-bell-clay.tnd");
    EXPECT_EQ(r.result, engine::kNormal);
    for (const char *line : {"      DIAMETER OF BASE          =    6.000  FT.\n",
                             "      END OF STEM TO BASE       =    2.848  FT.\n",
                             "      IGNORED BOTTOM PORTION    =    1.000  FT.\n",
                             "      VOLUME OF UNDERREAM       =    1.849  CU.YDS.\n"}) {
        SCOPED_TRACE(line);
        EXPECT_NE(r.report.find(line), std::string::npos);
    }
    // Interpolated rows at 5 ft steps below BS + TOPLENG + HBELL = 8.85 ft.
    const auto rows = tableAfterHeads(r.report);
    ASSERT_EQ(rows.size(), 3u);
    const double qb = 127.251, qs10 = 2.59215, qs20 = 11 * 2.59215;
    const double v10 = (10 - 2.84791) * 7.0695 / 27 + 1.84901, v20 = (20 - 2.84791) * 7.0695 / 27 + 1.84901;
    expectRow(rows[0], {10, v10, qs10, qb, qs10 + qb, qb / 3 + qs10, qb / 3 + qs10 / 2, (qs10 + qb) / v10}, 0.011);
    expectRow(rows[2], {20, v20, qs20, qb, qs20 + qb, qb / 3 + qs20, qb / 3 + qs20 / 2, (qs20 + qb) / v20}, 0.011);
    const auto plot = lines(r.plot);
    EXPECT_EQ(numbers(plot[0]), (std::vector<double>{1, 13, 3}));
    EXPECT_EQ(plot[2], "  0.100E+02   0.0   0.0  0.0 0.0  0.0  0.0 ");
}

TEST(CapacityRun, PlotAnnouncesTheDiametersAnalysed)
{
    // 0.9144 to 1.2192 m are 2.99996 and 3.99995 ft: trunc(1.99998) + 1 would announce two,
    // while the loop (DIALIM + 0.02 > D) analyses three.
    const RunOutput r = analyse("cap-si-diameters.tnd");
    EXPECT_EQ(r.result, engine::kNormal);
    EXPECT_EQ(count(r.report, "DRILLED SHAFT INFORMATION"), 3u);
    EXPECT_EQ(count(r.plot, " 3 12 3\n"), 3u);
}

TEST(CapacityRun, SandByBetaBelowTheWaterTable)
{
    // 110 pcf, water table at 4 ft, beta 0.8, 2 ft shaft (perimeter 6.284 ft). Mid-step stress
    // 110 (z - 0.5) psf down to 4 ft, then 440 + 47.6 (z - 4) - 23.8: the sums to 5 and 10 ft
    // are 1343.8 and 4376.8 psf, so QS = sum * 0.8 / 2000 * 6.284 = 3.378 and 11.002 tons.
    // Base: phi 34 gives 2.667 * 4 = 10.668 tsf on 3.142 ft2, 33.52 tons.
    const RunOutput r = analyse("cap-sand-beta.tnd");
    EXPECT_EQ(r.result, engine::kNormal);
    const auto rows = tableAfterHeads(r.report);
    ASSERT_EQ(rows.size(), 2u);
    const double qb = 33.5188;
    EXPECT_NEAR(rows[0][2], 3.3778, 0.006);
    EXPECT_NEAR(rows[1][2], 11.0015, 0.006);
    EXPECT_NEAR(rows[1][3], qb, 0.006);
    EXPECT_NEAR(rows[1][6], qb / 3 + 11.0015 / 2, 0.011);
    // Sand tip curve, lower bound (the last run): 0.1 QB at 0.005 * 24 in.
    EXPECT_EQ(count(r.tzdata, "\n        0.3352E+01         0.1200E+00\n"), 1u);
}

TEST(CapacityRun, SiInterpolatedTableWithoutAStop)
{
    // 12 m = 39.37 ft rounds to 39; a 1 m shaft averages over 6 ft: rows 1 to 32 ft, the last
    // at 9.754 m. Without a stop in design control 1 the interpolated rows at 2, 4, 6 and 8 m
    // follow (there is no proposed depth to cut them).
    const RunOutput r = analyse("cap-need-layer-si.tnd");
    EXPECT_EQ(r.result, engine::kNeedAnotherLayer);
    const auto rows = tableAfterHeads(r.report);
    ASSERT_EQ(rows.size(), 32u + 4u);
    EXPECT_NEAR(rows[31][0], 9.8, 1e-9);
    EXPECT_NEAR(rows[32][0], 2.0, 1e-9);
    EXPECT_NEAR(rows[35][0], 8.0, 1e-9);
    EXPECT_NEAR(rows[35][2], 8.0 * 26.3365 * 3.2808, 0.1);
}

TEST(CapacityRun, LrfdBaseFactorOfTheLayerHoldingTheTip)
{
    // Clay cu 1000 psf to 10 ft (RFSIDE 0.5, RFTIP 0.4), then cu 2000 psf (0.6, 0.7); 3 ft shaft,
    // zone 6 ft. QB = 31.8128 tons on the upper clay, 63.6255 on the lower. At the 5 ft tip the
    // zone is 6 to 11 ft with weights 0, 0.2, 0.4, 0.6, 0.5333, 0.4667: (1.7333 * 31.8128 +
    // 0.4667 * 63.6255) / 2.2 = 38.56 tons. The 9 ft tip lies in the upper layer (RFTIP 0.4),
    // the 10 ft tip in the lower one (its bottom 10 is not below 10): 0.7 * 63.6255 = 44.54.
    const wholerun::RunOutput r = wholerun::analyse("cap-lrfd-layers.tnd");
    EXPECT_EQ(r.result, engine::kNormal);
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

TEST(CapacityRun, CurveBelowTheStrengthProfileStopsTheRun)
{
    // A second layer 0.3 ft thick rounds to no thickness: its first curve lies at 360 + 12.01
    // in, 0.1 in or more below the profile's end at 360 in. The trend run stops with code 2.
    const wholerun::RunOutput r = wholerun::analyse("cap-thin-bottom.tnd");
    EXPECT_EQ(r.result, 2);
    EXPECT_TRUE(r.report.ends_with("\n\n" + std::string(29, ' ') + "**** WARNING ****\n" +
                                   "     THE VALUE OF X =0.372E+03 IS BEYOND THE EXTENT OF THE INPUT STRENGTH CURVE 1\n"));
    EXPECT_EQ(r.plot, "") << "no plot block after the stop";
    EXPECT_EQ(r.tzdata, "     NOTE: TZ CURVE DATA ARE AVAILABLE FOR SAND AND CLAY LAYERS ONLY.\n\n\n");
    EXPECT_EQ(r.runtime, "");
    EXPECT_EQ(r.report.find("RESULT FROM"), std::string::npos);
}

TEST(CapacityRun, SummaryThenTheWeakRockNote)
{
    // Type 4 rock of 100000 psf = 694 psi at the bottom: the summary, then the closing note.
    const wholerun::RunOutput r = wholerun::analyse("cap-rock-note.tnd");
    EXPECT_EQ(r.result, engine::kNormal);
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

TEST(CapacityRun, UpliftWithLrfdTakesTheWeightUnfactored)
{
    // f = 0.275 * UPRED 0.8 = 0.22 tsf, 2.07372 tons a foot; RFSIDE 0.5. The weight is not
    // factored: at 10 ft WT = 2.6183 * 27 * 150 / 2000 = 5.3021 (above the water table); at
    // 40 ft 10.4733 * 2.025 - 30 * 0.0312 * 9 * 0.7854 = 14.5923.
    const wholerun::RunOutput r = wholerun::analyse("cap-uplift-lrfd.tnd");
    EXPECT_EQ(r.result, engine::kNormal);
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

TEST(CapacityRun, SandBelowWeakRockUnderWaterGainsSideResistance)
{
    // Water at the surface, weak rock to 40 ft, then sand by beta 0.5 (120 pcf, 18.85 kN/cu m),
    // 3 ft shaft. The rock adds no effective stress, so the k-th foot of sand carries
    // 9.426 x 57.6 (k - 0.5) / 4000 tons: 10 ft of sand add 6.787 tons, 20 ft 27.147, 30 ft 61.08.
    const RunOutput en = analyse("cap-sand-below-weak-rock.tnd");
    EXPECT_EQ(en.result, engine::kNormal);
    const auto rows = tableAfterHeads(en.report);
    ASSERT_EQ(rows.size(), 7u);
    ASSERT_NEAR(rows[3][0], 40, 1e-9);
    const double added[] = {6.787, 27.147, 61.08};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("row at " + std::to_string(50 + 10 * i) + " ft");
        EXPECT_NEAR(rows[4 + i][2] - rows[3][2], added[i], 0.011);
    }
    // In SI the rows lie a hair off whole feet; the side resistance still rises through the sand.
    const RunOutput si = analyse("cap-sand-below-weak-rock-si.tnd");
    EXPECT_EQ(si.result, engine::kNormal);
    const auto siRows = tableAfterHeads(si.report);
    ASSERT_EQ(siRows.size(), 7u);
    for (std::size_t i = 4; i < siRows.size(); ++i)
        EXPECT_GT(siRows[i][2], siRows[i - 1][2] + 50) << "row " << i + 1;
}
