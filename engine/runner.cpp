// tarnel-engine PROJECT.tnd: one analysis without the desktop program, outputs beside
// the project under the same base name.
#include <filesystem>
#include <iostream>
#include <unistd.h>

#include "result_codes.h"
#include "run.h"

namespace fs = std::filesystem;

namespace {

const char *meaning(int code)
{
    switch (code) {
    case engine::kNormal: return "normal";
    case 2: case 4: case 5: return "the t-z analysis stopped outside one of its input curves";
    case engine::kNeedAnotherLayer: return "the profile needs another soil layer";
    case engine::kInputError: return "the project file is malformed (see the report)";
    case engine::kCannotOpen: return "a run file could not be opened";
    default: return "there may be errors";
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: tarnel-engine PROJECT.tnd\n";
        return 64;
    }
    std::error_code ec;
    const fs::path project = fs::absolute(argv[1], ec);
    if (ec || !fs::is_regular_file(project, ec)) {
        std::cerr << "tarnel-engine: no such project file: " << argv[1] << '\n';
        return engine::kCannotOpen;
    }
    // TZDATA.DAT goes to the current folder, which during a run is the project's folder.
    if (chdir(project.parent_path().c_str()) != 0) {
        std::cerr << "tarnel-engine: cannot enter " << project.parent_path() << '\n';
        return engine::kCannotOpen;
    }
    auto beside = [&](const char *ext) { return fs::path(project).replace_extension(ext).string(); };
    engine::RunFiles files{engine::versionField("2012.7.15"), project.string(), beside(".tno"), beside(".tnp"),
                           beside(".tnr")};
    engine::Console console{&std::cout, &std::cout, nullptr, &std::cerr};
    engine::ReportWriter echo(console.echo);
    engine::writeConsoleBanner(echo);
    const int result = engine::runWithFiles(files, console);
    std::cout << "\nResult " << result << ": " << meaning(result) << "\nReport: " << files.OUTFILE << '\n';
    return result;
}
