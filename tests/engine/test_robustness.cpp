// Whole analyses of generated projects: every material type as overburden and as tip, both
// unit systems, both design controls and methods, compression and uplift, bells.
#include <gtest/gtest.h>

#include <set>

#include "project_generator.h"
#include "result_codes.h"
#include "run.h"
#include "scratch_dir.h"

namespace {

bool unexplainedBadNumber(const std::string &text, const std::string &report)
{
    const bool explained = report.find("*****ERROR*****") != std::string::npos;
    for (const char *bad : {"nan", "NaN", "NAN", "inf", "INF", "*****"}) {
        std::size_t at = text.find(bad);
        // The star lines of framed messages are not overflowed fields.
        while (at != std::string::npos && std::string_view(bad) == "*****" &&
               text.compare(at, 21, "*********************") == 0)
            at = text.find(bad, text.find_first_not_of('*', at));
        if (at != std::string::npos && !explained)
            return true;
    }
    return false;
}

} // namespace

TEST(Robustness, GeneratedProjectsRunCleanly)
{
    ScratchDir dir;
    const std::set<int> allowed = {engine::kNormal, engine::kTzCurveBelow, engine::kNeedAnotherLayer,
                                   engine::kTzCurveBeyond, engine::kTzCurveExtent};
    testgen::ProjectGenerator generator(20261210);
    for (int i = 0; i < 300; ++i) {
        const testgen::Generated g = generator.next(i < 90 ? i % 9 + 1 : 0);
        SCOPED_TRACE("project " + std::to_string(i) + ":\n" + g.text);
        writeFile(dir.file("p.tnd"), g.text);
        const engine::RunFiles files{engine::versionField("2012.7.15"), dir.file("p.tnd"), dir.file("p.tno"),
                                     dir.file("p.tnp"), dir.file("p.tnr")};
        const int result = engine::runWithFiles(files, engine::Console{});
        const std::string report = readFile(dir.file("p.tno"));
        if (!allowed.count(result)) {
            ADD_FAILURE() << "result " << result;
            break;
        }
        if (unexplainedBadNumber(report, report) || unexplainedBadNumber(readFile(dir.file("p.tnp")), report)) {
            ADD_FAILURE() << "NaN, infinity or an overflowed field without an error block";
            break;
        }
    }
}
