#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>

#include "fortran_format.h"
#include "report.h"

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
        {"tie 0.125 to even", 0.125, 6, 2, "  0.12"},
        {"tie 0.375 to even", 0.375, 6, 2, "  0.38"},
        {"tie 2.5 with no decimals", 2.5, 4, 0, "  2."},
        {"tie 3.5 with no decimals", 3.5, 4, 0, "  4."},
        {"negative tie", -0.625, 6, 2, " -0.62"},
        {"single 0.15 lies above the tie", static_cast<float>(0.15), 5, 1, "  0.2"},
        {"double 0.15 lies below the tie", 0.15, 5, 1, "  0.1"},
        {"negative rounding to zero keeps its sign", -0.001, 6, 2, " -0.00"},
        {"rounding carries into a new digit", 99.995f, 7, 2, " 100.00"},
        {"rounding carries past the width", 99.996, 5, 2, "*****"},
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
        {"tie 999.5 rounds up to even", 999.5, 10, 3, " 0.100E+04"},
        {"tie 998.5 rounds down to even", 998.5, 10, 3, " 0.998E+03"},
        {"tie 0.125 to even", 0.125, 9, 2, " 0.12E+00"},
        {"single 0.15 lies above the tie", static_cast<float>(0.15), 9, 1, "  0.2E+00"},
        {"exact power of ten", 1000.0, 10, 3, " 0.100E+04"},
        {"just below a power of ten", 0.09999999f, 10, 3, " 0.100E+00"},
        {"smallest subnormal", 4.9406564584124654e-324, 10, 3, " 0.494-323"},
        {"one digit", 7.25, 8, 1, " 0.7E+01"},
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

// The digits must be those of a correctly rounded conversion of the exact binary value, as
// the C library's printf gives them; the layout is checked by the tables above.
TEST(FortranFormat, DigitsAgreeWithCorrectlyRoundedPrintf)
{
    std::mt19937_64 random(20261210);
    std::uniform_int_distribution<int> decimalsOf(1, 9), exponentOf(-12, 12);
    int failures = 0;
    for (int i = 0; i < 200000 && failures < 10; ++i) {
        double v = 0;
        switch (i % 4) {
        case 0: // a single-precision value in the engine's ranges
            v = static_cast<float>(std::uniform_real_distribution<double>(-1, 1)(random) *
                                   std::pow(10.0, exponentOf(random)));
            break;
        case 1: // an exact binary tie at some decimal place
            v = std::ldexp(static_cast<double>(static_cast<long long>(random() % 2000001) - 1000000),
                           -static_cast<int>(random() % 12));
            break;
        case 2: // next to a decimal tie, rounded to single precision
            v = static_cast<float>((static_cast<double>(random() % 200000) + 0.5) / std::pow(10.0, random() % 7));
            break;
        default: { // any finite double
            const std::uint64_t bits = random();
            std::memcpy(&v, &bits, sizeof v);
            if (!std::isfinite(v))
                v = 1.5;
        }
        }
        const int d = decimalsOf(random);
        char expected[512];
        if (std::fabs(v) < 1e20) {
            std::snprintf(expected, sizeof expected, "%#.*f", d, v == 0 ? 0.0 : v);
            const std::string got = engine::fmtF(v, 40, d);
            if (got.substr(got.find_first_not_of(' ')) != expected) {
                ADD_FAILURE() << "F40." << d << " of " << v << ": " << got << " instead of " << expected;
                ++failures;
            }
        }
        if (v != 0) {
            std::snprintf(expected, sizeof expected, "%.*E", d - 1, std::fabs(v));
            std::string digits;
            const char *e = std::strchr(expected, 'E');
            for (const char *c = expected; c < e; ++c)
                if (*c != '.')
                    digits += *c;
            const int exponent = std::atoi(e + 1) + 1;
            char tail[16];
            if (std::abs(exponent) <= 99)
                std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
            else
                std::snprintf(tail, sizeof tail, "%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
            const std::string want = (v < 0 ? "-0." : "0.") + digits + tail;
            const std::string got = engine::fmtE(v, 40, d);
            if (got.substr(got.find_first_not_of(' ')) != want) {
                ADD_FAILURE() << "E40." << d << " of " << v << ": " << got << " instead of " << want;
                ++failures;
            }
        }
    }
}

TEST(ReportWriterLines, PiecesMakeOneLine)
{
    std::ostringstream text;
    engine::ReportWriter out(&text);
    out.blanks(2).text("X =").F(2.5, 6, 2).E(123.0, 10, 3).I(7, 3).A("ab", 4).end();
    out.integers({15, 30, 0, 30}).end();
    out.integers({1, 32, 3}).end();
    out.blanks(1).FWide(123456.789, 7, 2).text("|").end();
    EXPECT_EQ(text.str(), "  X =  2.50 0.123E+03  7ab  \n"
                          " 15 30 0 30\n"
                          " 1 32 3\n"
                          " 123456.79|\n");
}

TEST(ReportWriterLines, BatchedLinesWaitForTheirBatch)
{
    std::ostringstream text;
    {
        engine::ReportWriter out(&text, 20);
        out.line("first");
        out.line("second");
        EXPECT_EQ(text.str(), "") << "13 bytes wait for a batch of 20";
        out.line("third line");
        EXPECT_EQ(text.str(), "first\nsecond\nthird line\n") << "past 20 bytes the batch goes out";
        out.text("fourth");
        out.line("");
        out.text("unfinished");
        out.flush();
        EXPECT_EQ(text.str(), "first\nsecond\nthird line\nfourth\n") << "a line being built stays";
        out.end();
    }
    EXPECT_EQ(text.str(), "first\nsecond\nthird line\nfourth\nunfinished\n") << "the writer's end flushes";
}

TEST(ReportWriterLines, WriterOnNoStreamWritesNothing)
{
    engine::ReportWriter quiet;
    EXPECT_FALSE(quiet.active());
    quiet.text("x").E(1.0, 10, 3).end();
    quiet.flush();
}
