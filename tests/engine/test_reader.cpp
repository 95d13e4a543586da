#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "fortran_format.h"
#include "reader.h"
#include "scratch_dir.h"

using engine::BOTTOM;
using engine::NOLIMIT;
using engine::ReadResult;
using engine::TOP;

namespace {

// Two layers: clay with limits given at one end, sand with K.
const std::string kBase = "Reader fixture\n"
                          "1 \n"
                          "1 1 1 1 1 2\n"
                          "3 4 0 0 5 3 3600000\n"
                          "2 10 200 2 2.5\n"
                          "2 15 \n"
                          "0 115 0.0 1000 0 0.5 0 0.4 0.3\n"
                          "0 120 0.0 1400 0 0 1E-11 0.45 0.35\n"
                          "0 0 \n"
                          "1 40 \n"
                          "0.0 118 32 0.0 14 0 0 1 1\n"
                          "0.0 120 34 0.0 20 0 0 1 1\n"
                          "1 \n"
                          "0.45 0.4 \n";

ReadResult read(const std::string &text)
{
    std::istringstream in(text);
    return engine::readProject(in);
}

// The fixture with one whole line replaced (1-based).
std::string withLine(int lineNo, const std::string &replacement)
{
    std::istringstream in(kBase);
    std::string out, line;
    for (int n = 1; std::getline(in, line); ++n)
        out += (n == lineNo ? replacement : line) + "\n";
    return out;
}

std::string firstLines(int count)
{
    std::istringstream in(kBase);
    std::string out, line;
    for (int n = 0; n < count && std::getline(in, line); ++n)
        out += line + "\n";
    return out;
}

} // namespace

TEST(Reader, ReadsEveryHeaderValueAndLayer)
{
    const ReadResult r = read(kBase);
    ASSERT_FALSE(r.failure) << r.failure->problem;
    const auto &p = r.project;
    EXPECT_EQ(p.TITLE, engine::fmtA("Reader fixture", 72));
    EXPECT_EQ(p.IMETHOD, 2);
    EXPECT_FLOAT_EQ(p.Ec, 3600000);
    EXPECT_EQ(p.NLAYER, 2);
    EXPECT_FLOAT_EQ(p.P, 200);
    EXPECT_FLOAT_EQ(p.DGH, 0);
    EXPECT_FLOAT_EQ(p.FSB, 2.5);
    ASSERT_EQ(p.layers.size(), 2u);
    const auto &clay = p.layers[0];
    EXPECT_EQ(clay.TYPE, 2);
    EXPECT_FLOAT_EQ(clay.CU[TOP], 1000);
    EXPECT_FLOAT_EQ(clay.CU[BOTTOM], 1400);
    EXPECT_FLOAT_EQ(clay.TRANLM[TOP], 0.5f) << "a real limit stays";
    EXPECT_FLOAT_EQ(clay.TRANLM[BOTTOM], NOLIMIT) << "zero means no limit";
    EXPECT_FLOAT_EQ(clay.QBLIM[BOTTOM], NOLIMIT) << "below 1E-10 counts as zero";
    EXPECT_FLOAT_EQ(clay.RFSIDE, 0.45f) << "the bottom line's factors win";
    EXPECT_FLOAT_EQ(clay.RFTIP, 0.35f);
    const auto &sand = p.layers[1];
    EXPECT_FLOAT_EQ(sand.ISAND, 1);
    EXPECT_FLOAT_EQ(sand.COEF[TOP], 0.45f);
    EXPECT_FLOAT_EQ(sand.COEF[BOTTOM], 0.4f);
    EXPECT_FLOAT_EQ(sand.PHI[BOTTOM], 34);
}

TEST(Reader, FreeFormatGroups)
{
    // Commas, a group over three lines, words left over on a group's last line, CR LF ends,
    // SOIL written as a real.
    const std::string text = "Free format\r\n"
                             "2 trailing words are skipped\r\n"
                             "2,1,1,0.5,1,1\r\n"
                             "1\r\n1.5\r\n0 0 0 0 9E5 extra\r\n"
                             "1 2 12.5 1 1 \r\n"
                             "8.0 20\r\n"
                             "19 30 0.8 0 0 0.7 0.6\r\n"
                             "20 40 0.9 0 0 0.7 0.6\r\n";
    const ReadResult r = read(text);
    ASSERT_FALSE(r.failure) << r.failure->problem << " line " << r.failure->line;
    EXPECT_EQ(r.project.IUNIT, 2);
    EXPECT_FLOAT_EQ(r.project.OUTINC, 0.5f);
    EXPECT_FLOAT_EQ(r.project.DIALIM, 1.5f);
    EXPECT_FLOAT_EQ(r.project.Ec, 9e5f);
    EXPECT_FLOAT_EQ(r.project.DGH, 12.5f);
    EXPECT_EQ(r.project.layers[0].TYPE, 8);
    EXPECT_FLOAT_EQ(r.project.layers[0].COEF[BOTTOM], 0.9f);
    EXPECT_FLOAT_EQ(r.project.layers[0].BLOWS[TOP], 30);
}

TEST(Reader, RockAndGeomaterialValueSets)
{
    const std::string text = "Rock\n1 \n1 1 1 1 1 1\n3 0 0 0 0 0 4000000\n3 10 100 2 3\n"
                             "4 10 \n1 2 3 4 5 6 7 8 9 0.5 0.6\n1 2 3 4 5 6 7 8 9 0.5 0.6\n"
                             "5 20 \n1 2 3 4 5 6 7 0.5 0.6\n1 2 3 4 5 6 7 0.5 0.6\n"
                             "6 30 \n1 3 3 4 5 6 7 8 9 0.5 0.6\n1 4 3 4 5 6 7 8 9 0.5 0.6\n";
    const ReadResult r = read(text);
    ASSERT_FALSE(r.failure) << r.failure->what;
    const auto &strong = r.project.layers[0];
    EXPECT_FLOAT_EQ(strong.QUR[TOP], 1);
    EXPECT_FLOAT_EQ(strong.BDS[TOP], 5);
    EXPECT_FLOAT_EQ(strong.TRANLM[TOP], 6);
    EXPECT_FLOAT_EQ(strong.EL[TOP], 7);
    EXPECT_FLOAT_EQ(strong.RQD[TOP], 8);
    EXPECT_FLOAT_EQ(strong.QBLIM[TOP], 9);
    const auto &decomposed = r.project.layers[1];
    EXPECT_FLOAT_EQ(decomposed.POISSON[TOP], 3);
    EXPECT_FLOAT_EQ(decomposed.EL[TOP], 4) << "the gravel modulus is held as EL";
    EXPECT_FLOAT_EQ(decomposed.QBLIM[TOP], 7);
    const auto &weak = r.project.layers[2];
    EXPECT_EQ(weak.ICOND[TOP], 3);
    EXPECT_EQ(weak.ICOND[BOTTOM], 4);
    EXPECT_FLOAT_EQ(weak.DELTA[TOP], 4);
    EXPECT_FLOAT_EQ(weak.RFTIP, 0.6f);
}

TEST(Reader, TitleKeepsItsFirst72Characters)
{
    const std::string title80 = std::string(70, 'T') + "0123456789";
    const ReadResult r = read(title80 + "\n" + kBase.substr(kBase.find('\n') + 1));
    ASSERT_FALSE(r.failure);
    EXPECT_EQ(r.project.TITLE, title80.substr(0, 72));
}

TEST(Reader, MalformedFilesNameTheLineAndTheItem)
{
    struct Case {
        const char *name;
        std::string text;
        int line, item;
        const char *what, *problem;
    };
    const std::string megabyte(1 << 20, '7');
    std::string binary = "\x7f" "ELF\x02\x01\x01";
    std::mt19937 random(7);
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>(random());
    const Case cases[] = {
        {"empty file", "", 1, 0, "TITLE", "THE FILE IS EMPTY."},
        {"word for a real", withLine(4, "3 abc 0 0 5 3 3600000"), 4, 2, "DIALIM", "A REAL NUMBER WAS EXPECTED"},
        {"real for an integer", withLine(5, "2.0 10 200 2 2.5"), 5, 1, "NLAYER", "AN INTEGER WAS EXPECTED"},
        {"real for the unit system", withLine(2, "1.5 "), 2, 1, "IUNIT", "AN INTEGER WAS EXPECTED"},
        {"integer beyond 32 bits", withLine(2, "99999999999 "), 2, 1, "IUNIT", "AN INTEGER WAS EXPECTED"},
        {"no layers", withLine(5, "0 10 200 2 2.5"), 5, 1, "NLAYER", "MUST BE 1 TO 29"},
        {"negative layers", withLine(5, "-3 10 200 2 2.5"), 5, 1, "NLAYER", "MUST BE 1 TO 29"},
        {"more layers than the engine holds", withLine(5, "30 10 200 2 2.5"), 5, 1, "NLAYER", "MUST BE 1 TO 29"},
        {"material code 0", withLine(6, "0 15 "), 6, 1, "SOIL OF LAYER 1", "MATERIAL TYPE MUST BE 1 TO 9"},
        {"material code 10", withLine(10, "10 40 "), 10, 1, "SOIL OF LAYER 2", "MATERIAL TYPE MUST BE 1 TO 9"},
        {"NaN", withLine(7, "0 nan 0.0 1000 0 0 0 1 1"), 7, 2, "GAMMA AT THE TOP OF LAYER 1", "A REAL NUMBER"},
        {"infinity", withLine(8, "0 120 0.0 inf 0 0 0 1 1"), 8, 4, "CU AT THE BOTTOM OF LAYER 1", "A REAL NUMBER"},
        {"beyond single precision", withLine(4, "3 4 0 0 5 3 1E39"), 4, 7, "Ec", "TOO LARGE"},
        {"layer bottom above its top", withLine(10, "1 12 "), 10, 2, "DEPTH OF LAYER 2", "MUST LIE BELOW ITS TOP"},
        {"truncated in a layer", firstLines(11), 12, 1, "NC AT THE BOTTOM OF LAYER 2", "THE FILE ENDS"},
        {"truncated before the coefficients", firstLines(13), 14, 1, "COEF AT THE TOP OF LAYER 2", "THE FILE ENDS"},
        {"design method 3", withLine(3, "1 1 1 1 1 3"), 3, 6, "IMETHOD", "MUST BE 1"},
        {"no stem diameter", withLine(4, "0 4 0 0 5 3 3600000"), 4, 1, "DSTART", "DSTART MUST BE GREATER THAN 0."},
        {"no concrete modulus", withLine(4, "3 4 0 0 5 3 0"), 4, 7, "Ec", "Ec MUST BE GREATER THAN 0."},
        {"negative ignored top", withLine(4, "3 4 0 0 -5 3 3600000"), 4, 5, "TOPLENG", "MUST NOT BE NEGATIVE"},
        {"negative ignored bottom", withLine(4, "3 4 0 0 5 -1 3600000"), 4, 6, "BS", "MUST NOT BE NEGATIVE"},
        {"water above the ground", withLine(5, "2 -1 200 2 2.5"), 5, 2, "WTD", "MUST NOT BE NEGATIVE"},
        {"zero factor of safety in allowable stress", withLine(5, "2 10 200 2 0"), 5, 5, "FSB", "GREATER THAN 0"},
        {"megabyte word", withLine(3, "1 1 1 x" + megabyte), 3, 4, "OUTINC", "A REAL NUMBER"},
        {"interface condition as a real",
         "t\n1 \n1 1 1 1 1 1\n3 0 0 0 0 0 4\n1 10 100 2 3\n6 30 \n1 3.0 3 4 5 6 7 8 9 1 1\n", 7, 2,
         "ICOND AT THE TOP OF LAYER 1", "AN INTEGER WAS EXPECTED"},
        {"binary file", binary, 0, 0, "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult r = read(c.text);
        ASSERT_TRUE(r.failure.has_value());
        if (c.line == 0)
            continue; // any message will do, as long as it stops cleanly
        EXPECT_EQ(r.failure->line, c.line);
        if (c.item) {
            EXPECT_EQ(r.failure->item, c.item);
        }
        EXPECT_EQ(r.failure->what, c.what);
        EXPECT_NE(r.failure->problem.find(c.problem), std::string::npos) << r.failure->problem;
    }
}

TEST(Reader, FactorsOfSafetyAreNotNeededWithLrfd)
{
    const ReadResult r = read(withLine(5, "2 10 200 0 0").replace(kBase.find("1 1 1 1 1 2"), 11, "1 1 1 1 1 1"));
    EXPECT_FALSE(r.failure);
}

TEST(Reader, MegabyteLineOfValidValuesIsSkippedAfterTheGroup)
{
    std::string padded = " 0";
    while (padded.size() < (1u << 20))
        padded += " 0";
    const ReadResult r = read(withLine(3, "1 1 1 1 1 2" + padded));
    EXPECT_FALSE(r.failure);
}

namespace {

struct Echo {
    std::ostringstream report, runtime, console;
};

Echo echoOf(const std::string &text)
{
    Echo e;
    engine::ReportWriter report(&e.report), runtime(&e.runtime), console(&e.console);
    engine::writeInputEcho(read(text), report, runtime, console);
    return e;
}

} // namespace

TEST(InputEcho, ProposedDepthUpliftAndSiWords)
{
    const Echo e = echoOf(withLine(2, "2 ").replace(kBase.find("1 1 1 1 1 2"), 11, "2 2 0.75 1 1 2"));
    EXPECT_EQ(e.report.str(), "     Reader fixture" + std::string(58, ' ') + "\n\n\n"
                              "     PROPOSED DEPTH =     200.0 M\n"
                              "     ----------------\n\n\n"
                              "     REDUCTION FACTOR APPLIED FOR UPLIFT FRICTION = 0.750\n"
                              "     ----------------------------------------------\n\n\n"
                              "     NUMBER OF LAYERS =    2\n"
                              "     ------------------\n\n\n"
                              "     WATER TABLE DEPTH =      10.0 M\n"
                              "     -------------------\n\n\n"
                              "\n\n     *********************WARNING**********************\n"
                              "     PLEASE PROVIDE THE SOIL DEPTH THAT IS TWO-DIAMETER DEEPER\n"
                              "     THAN THE TIP OF DRILLED SHAFTS\n\n\n");
    EXPECT_EQ(e.console.str().find("REDUCTION"), std::string::npos) << "the uplift factor goes to the report only";
    EXPECT_NE(e.console.str().find("PROPOSED DEPTH"), std::string::npos);
    EXPECT_EQ(e.runtime.str(), "\n\n     *********************WARNING**********************\n"
                               "     PLEASE PROVIDE THE SOIL DEPTH THAT IS TWO-DIAMETER DEEPER\n"
                               "     THAN THE TIP OF DRILLED SHAFTS\n\n\n");
}

TEST(InputEcho, ErrorBlockInReportAndRunTimeFile)
{
    const Echo e = echoOf(withLine(5, "2.0 10 200 2 2.5"));
    const std::string block = "\n\n     *********************ERROR**********************\n"
                              "     ERROR IN THE INPUT FILE ON LINE 5, ITEM 1 (NLAYER):\n"
                              "     AN INTEGER WAS EXPECTED BUT NOT FOUND.\n"
                              "     THE ANALYSIS WAS STOPPED.\n\n\n";
    EXPECT_EQ(e.runtime.str(), block);
    EXPECT_TRUE(e.report.str().ends_with(block));
    EXPECT_EQ(e.report.str().find("NUMBER OF LAYERS"), std::string::npos) << "no echo of a header not read";
}
