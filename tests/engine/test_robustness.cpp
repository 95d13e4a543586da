// Whole analyses of generated projects: materials as overburden and as tip, both unit
// systems, both design controls and methods, compression and uplift, bells.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <sstream>

#include "project_generator.h"
#include "result_codes.h"
#include "run.h"
#include "scratch_dir.h"

namespace {

// The first line with NaN or infinity as a word, or an overflowed field (asterisks outside a
// framed message's star lines), in a run whose report holds no error block; empty if none.
std::string unexplainedBadNumber(const std::string &text, const std::string &report)
{
    if (report.find("*****ERROR*****") != std::string::npos)
        return {};
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const bool message = line.find("WARNING") != std::string::npos || line.find("ERROR") != std::string::npos ||
                             line.find("NEED ANOTHER SOIL LAYER") != std::string::npos;
        std::istringstream words(line);
        for (std::string w; words >> w;) {
            std::string lower;
            for (char c : w)
                lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (lower.front() == '-' || lower.front() == '+')
                lower.erase(0, 1);
            if (lower.starts_with("nan") || lower == "inf" || lower == "infinity" ||
                (!message && w.find("**") != std::string::npos))
                return line;
        }
    }
    return {};
}

} // namespace

TEST(Robustness, GeneratedProjectsRunCleanly)
{
    ScratchDir dir;
    const std::set<int> allowed = {engine::kNormal, engine::kTzCurveBelow, engine::kNeedAnotherLayer,
                                   engine::kTzCurveBeyond, engine::kTzCurveExtent, engine::kRockInputError};
    const std::vector<int> materials = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    testgen::ProjectGenerator generator(20261210, materials);
    int failures = 0;
    for (int i = 0; i < 300; ++i) {
        const int only = i < 50 ? materials[i % materials.size()] : 0;
        const testgen::Generated g = generator.next(only);
        SCOPED_TRACE("project " + std::to_string(i) + ":\n" + g.text);
        writeFile(dir.file("p.tnd"), g.text);
        const engine::RunFiles files{engine::versionField("2012.7.15"), dir.file("p.tnd"), dir.file("p.tno"),
                                     dir.file("p.tnp"), dir.file("p.tnr")};
        const int result = engine::runWithFiles(files, engine::Console{});
        const std::string report = readFile(dir.file("p.tno"));
        if (!allowed.count(result)) {
            ADD_FAILURE() << "result " << result;
            if (++failures == 5)
                break;
        }
        std::string bad = unexplainedBadNumber(report, report);
        if (bad.empty())
            bad = unexplainedBadNumber(readFile(dir.file("p.tnp")), report);
        if (!bad.empty()) {
            ADD_FAILURE() << "NaN, infinity or an overflowed field without an error block:\n" << bad;
            if (++failures == 5)
                break;
        }
    }
}
