// Whole analyses with rock and geomaterial tips. The settlement table of each report must be
// the rock method applied to the inputs worked out by hand from the project, with the side and
// base resistance read from the same report's capacity table.
#include <gtest/gtest.h>

#include <cmath>

#include "geomaterial.h"
#include "result_codes.h"
#include "strong_rock.h"
#include "whole_run.h"

using namespace wholerun;
using engine::Real;

namespace {

// The capacity-table row of a length.
std::vector<double> rowAt(const std::string &report, double length)
{
    for (const auto &row : tableAfterHeads(report))
        if (!row.empty() && std::fabs(row[0] - length) < 1e-6)
            return row;
    ADD_FAILURE() << "no row at " << length;
    return std::vector<double>(8, 0);
}

void expectTable(const std::vector<std::vector<double>> &got, const engine::SettlementTable &expected)
{
    ASSERT_EQ(got.size(), 15u);
    for (int k = 0; k < 15; ++k) {
        SCOPED_TRACE("row " + std::to_string(k + 1));
        ASSERT_EQ(got[k].size(), 2u);
        EXPECT_NEAR(got[k][0], expected.QTOP[k][0], 1e-3 * std::fabs(expected.QTOP[k][0]) + 1e-6);
        EXPECT_NEAR(got[k][1], expected.WTOP[k][0], 1e-3 * std::fabs(expected.WTOP[k][0]) + 1e-6);
    }
}

constexpr Real kEcTsf = 4000000 * 144.0f / 2000; // the projects' concrete, psi to tsf

} // namespace

TEST(RockRun, StrongRockSocketBelowClay)
{
    const RunOutput r = analyse("rock-strong-dc2.tnd");
    EXPECT_EQ(r.result, engine::kNormal);
    EXPECT_NE(r.report.find("                      LOAD SETTLEMENT RELATIONSHIP      \n"
                            "               ------------------------------------------   \n"),
              std::string::npos);
    // Clay 0-10 ft over strong rock; the proposed depth of 20 ft puts 10 ft of socket in rock.
    engine::StrongRockInput in;
    in.NL = 2;
    in.depth = {0, 10, 20};
    in.type = {0, 2, 7};
    in.ELtop = in.ELbottom = {0, 0, 2000000 * 144.0f / 2000};
    in.RQDtop = in.RQDbottom = {0, 0, 80};
    const auto top = rowAt(r.report, 10), tip = rowAt(r.report, 20);
    in.QSCUM = {0, static_cast<Real>(top[2]), static_cast<Real>(tip[2])};
    in.QB = static_cast<Real>(tip[3]);
    in.BDS = 3;
    in.D = 3;
    in.Ec = kEcTsf;
    engine::SettlementTable expected;
    ASSERT_TRUE(engine::SETROCK(in, expected).error.empty());
    expectTable(settlementTable(r.report), expected);
}

TEST(RockRun, WeakRockSocketBelowClay)
{
    const RunOutput r = analyse("rock-weak-dc2.tnd");
    EXPECT_EQ(r.result, engine::kNormal);
    EXPECT_EQ(r.report.find("ERROR MESSAGE"), std::string::npos) << "a socket within every validity range";
    // The weak-rock layer carries side resistance from its first step on.
    EXPECT_GT(rowAt(r.report, 11)[2], rowAt(r.report, 10)[2] + 50);
    engine::WeakSettlementInput in;
    in.tip.Ds = 3;
    in.tip.qu = 41660;
    in.tip.RQD = 100;
    in.tip.slumpIn = 7;
    in.tip.deltaDeg = 30;
    in.tip.ICOND = 1;
    in.tip.ZD = 20;
    in.tip.ZS = 10;
    in.tip.Ec = kEcTsf;
    engine::ModulusMean mean; // cleared before the method: the mean is the tip's own modulus
    in.mean = &mean;
    in.ELtip = 277777.78f * 144 / 2000;
    in.QSabove = static_cast<Real>(rowAt(r.report, 11)[2]); // QS after the first weak-rock step
    in.QS = static_cast<Real>(rowAt(r.report, 20)[2]);
    engine::SettlementTable expected;
    ASSERT_TRUE(engine::SETWEAK(in, expected).error.empty());
    expectTable(settlementTable(r.report), expected);
}

TEST(RockRun, NarrowWeakRockSocketWarnsAtEveryStep)
{
    std::string project = readFile(std::string(TARNEL_TEST_DATA) + "/rock-weak-dc2.tnd");
    // A 1.5 ft socket diameter on both lines of the weak-rock layer.
    for (std::size_t at = project.find(" 30 3 0 "); at != std::string::npos; at = project.find(" 30 3 0 ", at + 1))
        project.replace(at, 8, " 30 1.5 0 ");
    ScratchDir dir;
    writeFile(dir.file("n.tnd"), project);
    const engine::RunFiles files{engine::versionField("2012.7.15"), dir.file("n.tnd"), dir.file("n.tno"),
                                 dir.file("n.tnp"), dir.file("n.tnr")};
    EXPECT_EQ(engine::runWithFiles(files, engine::Console{}), engine::kNormal);
    const std::string report = readFile(dir.file("n.tno")), runtime = readFile(dir.file("n.tnr"));
    const std::string block = "                     ERROR MESSAGE                \n"
                              "   ------------------------------------------------------------\n"
                              "Diameter (FT) =      1.50\n"
                              "     SOCKET DIAMETER SHOULD BE GREATER THAN 0.5 m or 1.64 ft\n"
                              "     AND LESS THAN 1.53 m or 5 ft.\n\n";
    EXPECT_EQ(count(report, block), 30u) << "each of the 30 steps in the weak-rock layer";
    EXPECT_EQ(count(runtime, block), 30u);
}

TEST(RockRun, DecomposedRockBelowSand)
{
    const RunOutput r = analyse("rock-decomposed-dc2.tnd");
    EXPECT_EQ(r.result, engine::kNormal);
    EXPECT_NE(r.report.find("LOAD SETTLEMENT RELATIONSHIP"), std::string::npos);
    EXPECT_GT(rowAt(r.report, 11)[2], rowAt(r.report, 10)[2] + 1) << "the geomaterial carries side resistance";
    // Effective stress at the tip layer: 10 ft of sand at 120 pcf and half of the 30 ft layer at
    // 130 pcf (thickness times the sum of the end values over 4); water far below.
    engine::DecoSettlementInput in;
    in.sigmaV = 10 * 120 + 30 * (130 + 130) / 4.0f;
    in.N = 50 + 20 * 10 / 30.0f; // at the tip, 10 ft into the layer
    in.Ds = 3;
    in.LS = 20;                  // the tip less the top of the layer above the tip layer
    in.Ntop = 50;
    in.Nbottom = 70;
    in.Ec = kEcTsf;
    in.QSCUM = static_cast<Real>(rowAt(r.report, 20)[2]);
    engine::SettlementTable expected;
    ASSERT_TRUE(engine::SETDECO(in, expected).error.empty());
    expectTable(settlementTable(r.report), expected);
}
