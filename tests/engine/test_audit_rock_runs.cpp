// Whole analyses with geomaterial tips, checked against settlement tables worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "result_codes.h"
#include "whole_run.h"

using namespace wholerun;

namespace {

std::vector<std::vector<double>> settlementRows(const std::string &report)
{
    const auto all = lines(report);
    std::vector<std::vector<double>> rows;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].find("TOP  LOAD     TOP MOVEMENT") != std::string::npos) {
            for (std::size_t k = i + 2; k < all.size() && k < i + 17; ++k)
                rows.push_back(numbers(all[k]));
            break;
        }
    return rows;
}

} // namespace

TEST(AuditRockRuns, DecomposedTipWithoutSocketDiameterKeepsTheLayeredStress)
{
    // Sand 0-10 ft over decomposed rock to 40 ft without a socket diameter; tip proposed at
    // 35 ft, the walk reaching 40 ft. The stress test uses the socket diameter as entered (0):
    // 35 ft is not below 40 ft, so sigma'v = 10 x 120 + 30 x 260 / 4 = 3150 psf. Only then is
    // the stem diameter taken for the socket.
    const RunOutput r = analyse("aud-r-deco-nobds.tnd");
    EXPECT_EQ(r.result, engine::kNormal);
    const auto rows = settlementRows(r.report);
    ASSERT_EQ(rows.size(), 15u);
    struct Row {
        const char *name;
        int row;
        double load, movement;
    };
    const Row expected[] = {
        {"row 1, elastic part", 1, 30.81817580597422, 0.018966908501012153},
        {"row 14, at the ultimate load", 14, 431.70323256518196, 1.6138652584799345},
        {"row 15", 15, 431.70323256518196, 1.9366383101759213},
    };
    for (const Row &e : expected) {
        SCOPED_TRACE(e.name);
        ASSERT_EQ(rows[e.row - 1].size(), 2u);
        EXPECT_NEAR(rows[e.row - 1][0], e.load, 6e-4 * e.load);
        EXPECT_NEAR(rows[e.row - 1][1], e.movement, 6e-4 * e.movement);
    }
}
