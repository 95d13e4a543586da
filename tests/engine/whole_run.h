#pragma once

// Whole analyses of a project in a scratch folder, and readers of what they wrote.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "run.h"
#include "scratch_dir.h"

namespace wholerun {

struct RunOutput {
    int result = -1;
    std::string report, plot, runtime, tzdata;
};

inline RunOutput analyse(const std::string &project)
{
    ScratchDir dir;
    writeFile(dir.file("p.tnd"), readFile(std::string(TARNEL_TEST_DATA) + "/" + project));
    const engine::RunFiles files{engine::versionField("2012.7.15"), dir.file("p.tnd"), dir.file("p.tno"),
                                 dir.file("p.tnp"), dir.file("p.tnr")};
    RunOutput r;
    r.result = engine::runWithFiles(files, engine::Console{});
    r.report = readFile(dir.file("p.tno"));
    r.plot = readFile(dir.file("p.tnp"));
    r.runtime = readFile(dir.file("p.tnr"));
    r.tzdata = readFile(dir.file("TZDATA.DAT"));
    return r;
}

inline std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

inline std::vector<double> numbers(const std::string &line)
{
    std::vector<double> out;
    std::istringstream in(line);
    for (double v; in >> v;)
        out.push_back(v);
    return out;
}

// The report lines after the column heads up to the first empty line.
inline std::vector<std::vector<double>> tableAfterHeads(const std::string &report, std::size_t which = 0)
{
    const auto all = lines(report);
    std::vector<std::vector<double>> rows;
    std::size_t seen = 0;
    for (std::size_t i = 0; i + 1 < all.size(); ++i) {
        if (all[i].rfind("     LENGTH  VOLUME", 0) != 0)
            continue;
        if (seen++ != which)
            continue;
        for (std::size_t k = i + 2; k < all.size() && !all[k].empty(); ++k)
            rows.push_back(numbers(all[k]));
        break;
    }
    return rows;
}

inline void expectRow(const std::vector<double> &got, const std::vector<double> &expected, double tolerance)
{
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], expected[i], tolerance) << "column " << i + 1;
}

inline std::size_t count(const std::string &text, const std::string &what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// The 15 rows of the "TOP  LOAD     TOP MOVEMENT" table: load, movement.
inline std::vector<std::vector<double>> settlementTable(const std::string &report)
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

} // namespace wholerun
