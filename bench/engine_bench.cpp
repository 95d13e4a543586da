// engine_bench PROJECT.tnd [RUNS]: runs the analysis of each project repeatedly in a
// scratch folder and prints the mean wall time per run.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "run.h"

namespace fs = std::filesystem;

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: engine_bench PROJECT.tnd... [--runs N]\n");
        return 64;
    }
    int runs = 20;
    std::vector<fs::path> projects;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else
            projects.push_back(fs::absolute(argv[i]));
    }
    const fs::path scratch = fs::temp_directory_path() / ("tarnel-bench-" + std::to_string(getpid()));
    fs::create_directories(scratch);
    if (chdir(scratch.c_str()) != 0)
        return 1;
    std::printf("%-40s %8s %12s %8s\n", "project", "runs", "ms per run", "result");
    for (const fs::path &project : projects) {
        const std::string base = (scratch / project.stem()).string();
        const engine::RunFiles files{engine::versionField("2012.7.15"), project.string(), base + ".tno",
                                     base + ".tnp", base + ".tnr"};
        int result = 0;
        const auto start = std::chrono::steady_clock::now();
        for (int r = 0; r < runs; ++r)
            result = engine::runWithFiles(files, engine::Console{});
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / runs;
        std::printf("%-40s %8d %12.3f %8d\n", project.filename().c_str(), runs, ms, result);
    }
    fs::remove_all(scratch);
    return 0;
}
