#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fortran_format.h"

using engine::fmtA;
using engine::fmtE;
using engine::fmtF;
using engine::fmtI;

struct FormatCase {
    const char *name;
    double value;
    int width, decimals;
    const char *expected;
};

TEST(FortranFormat, FixedPoint)
{
    const FormatCase cases[] = {
        {"plain", 100.0, 10, 1, "     100.0"},
        {"exact binary tie rounds to even", 2.25, 6, 1, "   2.2"},
        {"rounds up", 2.26, 6, 1, "   2.3"},
        {"negative", -3.14159, 8, 3, "  -3.142"},
        {"zero", 0.0, 6, 3, " 0.000"},
        {"negative zero has no sign", -0.0, 6, 3, " 0.000"},
        {"no decimals keeps the point", 88.0, 5, 0, "  88."},
        {"leading zero kept when room", 0.5, 6, 3, " 0.500"},
        {"leading zero dropped when tight", 0.5, 4, 3, ".500"},
        {"negative leading zero dropped", -0.5, 5, 3, "-.500"},
        {"overflow gives stars", 123456.0, 6, 1, "******"},
        {"huge", 1e30, 10, 1, "**********"},
        {"tiny", 1e-30, 10, 3, "     0.000"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fmtF(c.value, c.width, c.decimals), c.expected);
    }
    EXPECT_EQ(fmtF(std::numeric_limits<double>::quiet_NaN(), 5, 1), "*****");
    EXPECT_EQ(fmtF(INFINITY, 5, 1), "*****");
}

TEST(FortranFormat, Exponent)
{
    const FormatCase cases[] = {
        {"plain", 123.0, 10, 3, " 0.123E+03"},
        {"rounds", 123.56, 10, 3, " 0.124E+03"},
        {"rounding carries into exponent", 999.6, 10, 3, " 0.100E+04"},
        {"negative fills width", -123.0, 10, 3, "-0.123E+03"},
        {"zero", 0.0, 10, 3, " 0.000E+00"},
        {"below one", 0.00456, 10, 3, " 0.456E-02"},
        {"tiny", 1.5e-30, 10, 3, " 0.150E-29"},
        {"huge", 1e10, 10, 3, " 0.100E+11"},
        {"three-digit exponent drops E", 1e120, 10, 3, " 0.100+121"},
        {"wider", 3.5, 12, 5, " 0.35000E+01"},
        {"tight width drops zero", -123.0, 9, 3, "-.123E+03"},
        {"too narrow", 123.0, 7, 3, "*******"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fmtE(c.value, c.width, c.decimals), c.expected);
    }
}

TEST(FortranFormat, WideningForSummaryLines)
{
    EXPECT_EQ(engine::fmtFWide(123.456, 7, 2), " 123.46");
    EXPECT_EQ(engine::fmtFWide(123456.789, 7, 2), "123456.79") << "takes the room it needs";
    EXPECT_EQ(engine::fmtFWide(-12345.6, 7, 2), "-12345.60");
    EXPECT_EQ(engine::fmtFWide(NAN, 7, 2), "*******");
}

TEST(FortranFormat, IntegerAndText)
{
    EXPECT_EQ(fmtI(5, 5), "    5");
    EXPECT_EQ(fmtI(-42, 4), " -42");
    EXPECT_EQ(fmtI(123456, 5), "*****");
    EXPECT_EQ(fmtA("2012.7.15", 12), "2012.7.15   ");
    EXPECT_EQ(fmtA("2012.7.15-long-version", 12), "2012.7.15-lo");
}
