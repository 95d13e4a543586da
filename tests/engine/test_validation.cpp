// The shipped validation suite: every published value of validation/values.tsv through the
// engine, within its stated tolerance. One test per row, so a failure names the row.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "../../validation/validation.h"
#include "run.h"
#include "scratch_dir.h"

namespace fs = std::filesystem;
using validation::TRunOutput;
using validation::TValueRow;

namespace {

const std::string kSuite = TARNEL_EXAMPLES "/../validation";

// Read once at registration; a malformed table leaves no rows and fails TableIsWellFormed.
const std::vector<TValueRow> &allRows()
{
    static const std::vector<TValueRow> rows = [] {
        try {
            return validation::readValues(kSuite + "/values.tsv");
        } catch (const std::exception &) {
            return std::vector<TValueRow>{};
        }
    }();
    return rows;
}

std::vector<std::string> rowIds(bool compared)
{
    std::vector<std::string> ids;
    for (const auto &r : allRows())
        if (r.compared() == compared)
            ids.push_back(r.example + "/" + r.key);
    return ids;
}

const TValueRow *findRow(const std::string &id)
{
    for (const auto &r : allRows())
        if (r.example + "/" + r.key == id)
            return &r;
    return nullptr;
}

TRunOutput runExample(const std::string &example)
{
    static std::map<std::string, TRunOutput> done;
    if (auto at = done.find(example); at != done.end())
        return at->second;
    ScratchDir dir; // TZDATA.DAT lands here too
    const std::string project = dir.file(example + ".tnd");
    writeFile(project, readFile(kSuite + "/" + example + ".tnd"));
    auto beside = [&](const char *ext) { return fs::path(project).replace_extension(ext).string(); };
    const engine::RunFiles files{engine::versionField("2012.7.15"), project, beside(".tno"), beside(".tnp"),
                                 beside(".tnr")};
    TRunOutput run;
    run.result = engine::runWithFiles(files, engine::Console{});
    run.report = readFile(files.OUTFILE);
    run.plot = readFile(files.PLOTFILE);
    return done[example] = run;
}

validation::TVerdict verdictFor(const TValueRow &row)
{
    for (const auto &v : validation::judge(allRows(), row.example, runExample(row.example)))
        if (v.row->key == row.key)
            return v;
    return {};
}

std::string testName(const ::testing::TestParamInfo<std::string> &info)
{
    std::string name = info.param;
    for (char &c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

std::string printed(const char *format, double value)
{
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

class PublishedValue : public ::testing::TestWithParam<std::string> {};

TEST_P(PublishedValue, WithinTolerance)
{
    const TValueRow *row = findRow(GetParam());
    ASSERT_NE(row, nullptr);
    const auto v = verdictFor(*row);
    const std::string what = row->example + " / " + row->key + " \"" + row->quantity + "\"";
    ASSERT_TRUE(v.readable) << what << ": cannot read the program's value: " << v.error;
    EXPECT_TRUE(v.within) << what << " OUT OF TOLERANCE: TARNEL " << printed("%.3f", v.tarnel) << ' ' << row->unit
                          << ", published " << row->publishedText << ' ' << row->unit << ", ratio "
                          << printed("%.4f", v.ratio) << " (" << printed("%+.2f %%", (v.ratio - 1) * 100)
                          << "), tolerance " << printed("%g %%", row->tolerance * 100)
                          << (row->note.empty() ? "" : "\n  expected: " + row->note);
}
INSTANTIATE_TEST_SUITE_P(Validation, PublishedValue, ::testing::ValuesIn(rowIds(true)), testName);

// Values listed but not compared still show the program's figure in the report.
class ListedValue : public ::testing::TestWithParam<std::string> {};

TEST_P(ListedValue, Readable)
{
    const TValueRow *row = findRow(GetParam());
    ASSERT_NE(row, nullptr);
    const auto v = verdictFor(*row);
    EXPECT_TRUE(v.readable) << row->example << " / " << row->key << ": " << v.error;
    EXPECT_FALSE(row->note.empty()) << "a value not compared needs its reason";
}
INSTANTIATE_TEST_SUITE_P(Validation, ListedValue, ::testing::ValuesIn(rowIds(false)), testName);

TEST(ValidationSuite, TableIsWellFormed)
{
    EXPECT_NO_THROW(validation::readValues(kSuite + "/values.tsv"));
    ASSERT_FALSE(allRows().empty());
    const auto examples = validation::readExamples(kSuite + "/examples.tsv");
    std::set<std::string> names, keys;
    for (const auto &e : examples) {
        SCOPED_TRACE(e.name);
        names.insert(e.name);
        EXPECT_TRUE(fs::is_regular_file(kSuite + "/" + e.name + ".tnd"));
        EXPECT_TRUE(fs::is_regular_file(kSuite + "/" + e.name + ".md"));
        EXPECT_NE(std::count_if(allRows().begin(), allRows().end(),
                                [&](const TValueRow &r) { return r.example == e.name && r.compared(); }),
                  0);
    }
    for (const auto &entry : fs::directory_iterator(kSuite)) {
        if (entry.path().extension() == ".tnd") {
            EXPECT_TRUE(names.count(entry.path().stem().string())) << entry.path() << " is not in examples.tsv";
        }
    }
    for (const auto &r : allRows()) {
        SCOPED_TRACE(r.example + "/" + r.key);
        EXPECT_TRUE(keys.insert(r.example + "/" + r.key).second) << "duplicate row";
        const auto example = std::find_if(examples.begin(), examples.end(), [&](auto &e) { return e.name == r.example; });
        ASSERT_NE(example, examples.end()) << "unknown example";
        EXPECT_EQ(r.unit, example->unit);
    }
}

TEST(ValidationSuite, ExamplesRunWithoutWarningAndFilesAgree)
{
    for (const auto &e : validation::readExamples(kSuite + "/examples.tsv")) {
        SCOPED_TRACE(e.name);
        const auto run = runExample(e.name);
        EXPECT_EQ(run.result, 0);
        std::string detail;
        const double worst = validation::plotAgreement(run, detail);
        EXPECT_GE(worst, 0) << detail;
        EXPECT_LE(worst, 0.01) << detail;
    }
}

// The reader of the output, on a report and a plot file small enough to work out by hand.
namespace {

const char kReport[] = "     LENGTH  VOLUME     QS      QB      QU     LRFD QS  LRFD QB   LRFD QU\n"
                       "     (FEET)  (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)    (TONS)\n"
                       "                 WARNING MESSAGE                \n"
                       "                BLOWS PER FOOT IS =    75.00\n"
                       "     10.0    10.00   100.00   200.00   300.00    50.00   100.00    150.00\n"
                       "     11.0    11.00   120.00   200.00   320.00    60.00   100.00    160.00\n"
                       "     12.0    12.00   150.00   210.00   360.00    75.00   105.00    180.00\n"
                       "\n"
                       "        RESULT FROM TREND (AVERAGED) LINE\n"
                       "\n"
                       "        TOP  LOAD     TOP MOVEMENT       TIP LOAD      TIP  MOVEMENT\n"
                       "           T.              IN.              T.             IN.\n"
                       "       0.1000E+03      0.2000E+00      0.1000E+02      0.1000E+00\n"
                       "       0.3000E+03      0.1000E+01      0.5000E+02      0.5000E+00\n";
// One diameter, two leading rows, then rows at 12 and 14 ft (plot rows go past the report's).
const char kPlot[] = " 1 4 3\n   0.0  0.0  0.0  0.0  0.0 0.0  0.0  \n  0.120E+02   0.0   0.0  0.0 0.0  0.0  0.0 \n"
                     "  0.120E+02  0.150E+03  0.210E+03  0.360E+03  0.750E+02\n  0.105E+03  0.180E+03\n"
                     "  0.140E+02  0.190E+03  0.210E+03  0.400E+03  0.950E+02\n  0.105E+03  0.200E+03\n";

struct ReadingCase {
    const char *name, *reading;
    double expected;
    bool fromPlot;
};
const ReadingCase kReadings[] = {
    {"row itself", "QS@11", 120, false},
    {"between rows", "QS@10.5", 110, false},
    {"layer difference, doubled", "2 * (LRFD_QS@12 - LRFD_QS@10)", 50, false},
    {"precedence", "1 + 2 * QB@12", 421, false},
    {"past the report, from the plot file", "QU@13", 380, true},
    {"another row", "[twice] - QS@10", 100, false},
    {"trend line between points", "TOPLOAD@0.6", 200, false},
};

TRunOutput sample() { return {0, kReport, kPlot}; }

} // namespace

TEST(ValidationReading, ValuesFromReportPlotAndOtherRows)
{
    const std::map<std::string, double> others{{"twice", 200}};
    for (const auto &c : kReadings) {
        SCOPED_TRACE(c.name);
        validation::TReading reading(sample(), others);
        EXPECT_NEAR(reading.evaluate(c.reading), c.expected, 1e-9);
        EXPECT_EQ(reading.usedPlot(), c.fromPlot);
    }
}

TEST(ValidationReading, UnreadableValuesAreRefusedWithTheReason)
{
    const struct {
        const char *reading, *reason;
    } cases[] = {{"QS@9", "around a length of 9"},   {"QS@15", "around a length of 15"},
                 {"NOPE@11", "column NOPE"},         {"[missing]", "no readable row 'missing'"},
                 {"2 * (QS@11", "')' expected"},     {"QS 11", "'@' expected"},
                 {"TOPLOAD@5", "movement of 5"},     {"QS@11 QB@11", "unexpected"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.reading);
        validation::TReading reading(sample(), {});
        try {
            reading.evaluate(c.reading);
            ADD_FAILURE() << "read a value";
        } catch (const validation::EValidation &e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
    }
}

TEST(ValidationReading, VerdictAtTheToleranceEdges)
{
    const struct {
        const char *name;
        double published;
        bool within;
    } cases[] = {{"2.9 % low", 123.6, true}, {"3.1 % low", 123.84, false}, {"2.9 % high", 116.6, true},
                 {"3.1 % high", 116.39, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TValueRow row;
        row.example = "x";
        row.key = "qs";
        row.published = c.published;
        row.tolerance = 0.03;
        row.reading = "QS@11"; // 120
        const auto v = validation::judge({row}, "x", sample());
        ASSERT_EQ(v.size(), 1u);
        ASSERT_TRUE(v[0].readable) << v[0].error;
        EXPECT_EQ(v[0].within, c.within) << "ratio " << v[0].ratio;
    }
}

TEST(ValidationReading, PlotFileAgreementNoticesADifference)
{
    TRunOutput run = sample();
    std::string detail;
    EXPECT_NEAR(validation::plotAgreement(run, detail), 0, 1e-9) << detail;
    run.plot.replace(run.plot.find("0.360E+03"), 9, "0.370E+03"); // QU at 12 ft off by 2.8 %
    EXPECT_NEAR(validation::plotAgreement(run, detail), 10.0 / 360, 1e-6) << detail;
}
