// The entry point as the program sees it: the shared library loaded with dlopen.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>
#include <sstream>
#include <thread>

#include "result_codes.h"
#include "run.h"
#include "scratch_dir.h"

namespace {

using Entry = int (*)(int);

class Library {
public:
    Library() : m_handle(dlopen(TARNEL_BIN_DIR "/Tarnel2012_DLL.so", RTLD_NOW | RTLD_LOCAL)) {}
    ~Library()
    {
        if (m_handle)
            dlclose(m_handle);
    }
    Entry entry(const char *name) const { return m_handle ? reinterpret_cast<Entry>(dlsym(m_handle, name)) : nullptr; }

private:
    void *m_handle;
};

std::string namesDat(const ScratchDir &dir, const std::string &version, const std::string &base, const char *eol)
{
    std::string text = version + eol;
    for (const char *ext : {".tnd", ".tno", ".tnp", ".tnr"})
        text += dir.file(base + ext) + eol;
    return text;
}

std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

} // namespace

TEST(Entry, ExportsOneFunctionUnderTwoNames)
{
    Library lib;
    ASSERT_NE(lib.entry("ITARNEL"), nullptr);
    EXPECT_EQ(lib.entry("ITARNEL"), lib.entry("_ITARNEL"));
    EXPECT_EQ(lib.entry("CAPACITY"), nullptr);
}

TEST(Entry, WrongCodeReadsAndWritesNothing)
{
    ScratchDir dir;
    Library lib;
    const Entry run = lib.entry("_ITARNEL");
    for (int code : {0, 16, -15}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(run(code), engine::kWrongCode);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(Entry, ReportHeadAndInputEcho)
{
    ScratchDir dir;
    writeFile(dir.file("pier.tnd"), exampleProject("stiff-clay.tnd"));
    writeFile("names.dat", namesDat(dir, "2012.7.15", "pier", "\r\n"));
    Library lib;
    ASSERT_EQ(lib.entry("_ITARNEL")(15), 0);

    const std::string report = readFile(dir.file("pier.tno"));
    EXPECT_EQ(report.find('\r'), std::string::npos) << "engine files end lines with LF";
    const auto got = lines(report);
    const std::string rule = "     " + std::string(73, '=');
    const std::vector<std::string> head = {
        rule,
        "",
        "                      TARNEL for Windows, Version 2012.7.15   ",
        "",
        "                    VERTICALLY LOADED DRILLED SHAFT ANALYSIS",
        "",
        rule,
        "",
        "",
        "     Path to file locations      : " + dir.path().string() + "/",
        "     Name of input data file     : pier.tnd",
        "     Name of output file         : pier.tno",
        "     Name of plot output file    : pier.tnp",
        "     Name of runtime file        : pier.tnr",
        "",
        "",
        "     " + std::string(73, '-'),
        "                          Time and Date of Analysis",
        "     " + std::string(73, '-'),
    };
    ASSERT_GE(got.size(), 21u + 13u);
    for (std::size_t i = 0; i < head.size(); ++i)
        EXPECT_EQ(got[i], head[i]) << "line " << i + 1;
    EXPECT_TRUE(got[19].starts_with("               Date:  ")) << got[19];
    EXPECT_EQ(got[20], "");
    const std::vector<std::string> echo = {
        "     Pier 12 - stiff clay, design load 180 tons                              ",
        "",
        "",
        "     TOTAL LOAD =     180.0 TONS",
        "     ------------",
        "",
        "",
        "     NUMBER OF LAYERS =    3",
        "     ------------------",
        "",
        "",
        "     WATER TABLE DEPTH =      10.0 FT.",
        "     -------------------",
    };
    for (std::size_t i = 0; i < echo.size(); ++i)
        EXPECT_EQ(got[21 + i], echo[i]) << "echo line " << i + 1;
    EXPECT_TRUE(std::filesystem::exists(dir.file("pier.tnp")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("pier.tnr")));
}

TEST(Entry, VersionIsCutAtTwelveCharacters)
{
    ScratchDir dir;
    writeFile(dir.file("p.tnd"), exampleProject("stiff-clay.tnd"));
    writeFile("names.dat", namesDat(dir, "2012.7.15-beta-3", "p", "\n"));
    Library lib;
    ASSERT_EQ(lib.entry("ITARNEL")(15), 0);
    EXPECT_EQ(lines(readFile(dir.file("p.tno")))[2], "                      TARNEL for Windows, Version 2012.7.15-be");
}

TEST(Entry, SecondRunStartsAfresh)
{
    ScratchDir dir;
    Library lib;
    const Entry run = lib.entry("_ITARNEL");
    writeFile(dir.file("p.tnd"), "broken\n1\n");
    writeFile("names.dat", namesDat(dir, "2012.7.15", "p", "\n"));
    EXPECT_EQ(run(15), engine::kInputError);

    writeFile(dir.file("p.tnd"), exampleProject("belled-clay-shale.tnd"));
    EXPECT_EQ(run(15), 0) << "IERR starts at 0 again";
    const std::string report = readFile(dir.file("p.tno"));
    EXPECT_TRUE(report.starts_with("     ====")) << "a complete new report";
    EXPECT_EQ(report.find("ERROR"), std::string::npos);
    EXPECT_NE(report.find("Tower base"), std::string::npos);
    EXPECT_EQ(readFile(dir.file("p.tnr")).find("ERROR"), std::string::npos);
}

TEST(Entry, CallsFromTwoThreadsDoNotMix)
{
    ScratchDir dir;
    writeFile(dir.file("p.tnd"), exampleProject("stiff-clay.tnd"));
    writeFile("names.dat", namesDat(dir, "2012.7.15", "p", "\n"));
    Library lib;
    const Entry run = lib.entry("_ITARNEL");
    int results[2] = {-1, -1};
    std::thread a([&] { results[0] = run(15); });
    std::thread b([&] { results[1] = run(15); });
    a.join();
    b.join();
    EXPECT_EQ(results[0], 0);
    EXPECT_EQ(results[1], 0);
    const std::string report = readFile(dir.file("p.tno"));
    EXPECT_EQ(report.find("TARNEL for Windows"), report.rfind("TARNEL for Windows")) << "one report, not two mixed";
}

TEST(Entry, MissingOrEmptyHandOffFailsCleanly)
{
    ScratchDir dir;
    Library lib;
    const Entry run = lib.entry("_ITARNEL");
    EXPECT_EQ(run(15), engine::kNoHandOff);
    writeFile("names.dat", "");
    EXPECT_EQ(run(15), engine::kNoHandOff);
}

TEST(Entry, RunFileThatCannotBeCreated)
{
    ScratchDir dir;
    writeFile(dir.file("p.tnd"), exampleProject("stiff-clay.tnd"));
    writeFile("names.dat", "2012.7.15\n" + dir.file("p.tnd") + "\n" + dir.file("no/such/p.tno") + "\n" +
                               dir.file("p.tnp") + "\n" + dir.file("p.tnr") + "\n");
    Library lib;
    EXPECT_EQ(lib.entry("_ITARNEL")(15), engine::kCannotOpen);
    writeFile("names.dat", "2012.7.15\n" + dir.file("absent.tnd") + "\n" + dir.file("p.tno") + "\n" +
                               dir.file("p.tnp") + "\n" + dir.file("p.tnr") + "\n");
    EXPECT_EQ(lib.entry("_ITARNEL")(15), engine::kCannotOpen);
    EXPECT_FALSE(std::filesystem::exists(dir.file("p.tno"))) << "nothing is created when the project is missing";
}

TEST(HandOff, ShortNamesDatAsksAtTheConsole)
{
    ScratchDir dir;
    writeFile(dir.file("p.tnd"), exampleProject("stiff-clay.tnd"));
    writeFile("names.dat", "2012.7.15\n" + dir.file("p.tnd") + "\n" + dir.file("p.tno") + "\n");
    std::ostringstream prompts, failures;
    std::istringstream answers(dir.file("p.tnd") + "\n" + dir.file("q.tno") + "\r\n" + dir.file("q.tnp") + "\n");
    engine::Console console{nullptr, &prompts, &answers, &failures};
    EXPECT_EQ(engine::runFromHandOff(console), 0);
    EXPECT_EQ(prompts.str(), "\n       ENTER THE NAME FOR THE INPUT FILE\n ENTER >"
                             "\n       ENTER A NAME FOR THE OUTPUT FILE:\n ENTER >"
                             "\n\n       ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE.\n ENTER >");
    EXPECT_TRUE(std::filesystem::exists(dir.file("q.tno")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("q.tnp")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("p.tnr"))) << "the run-time file stays beside the project";

    std::istringstream tooFew(dir.file("p.tnd") + "\n");
    console.answers = &tooFew;
    EXPECT_EQ(engine::runFromHandOff(console), engine::kNoFileNames);
    EXPECT_NE(failures.str().find("names.dat"), std::string::npos);
}

TEST(RunHead, PathSplit)
{
    struct Case {
        const char *name, *path, *drive, *directory, *base, *extension;
    };
    const Case cases[] = {
        {"windows drive and blanks", "D:\\Jobs\\Bridge 4\\pier.tnd", "D:", "\\Jobs\\Bridge 4\\", "pier", ".tnd"},
        {"posix", "/home/eng/jobs/pier.tnd", "", "/home/eng/jobs/", "pier", ".tnd"},
        {"no folder", "pier.tnd", "", "", "pier", ".tnd"},
        {"no extension", "/jobs/pier", "", "/jobs/", "pier", ""},
        {"point in the folder only", "/jobs/v1.2/pier", "", "/jobs/v1.2/", "pier", ""},
        {"two points", "/jobs/pier.v2.tnd", "", "/jobs/", "pier.v2", ".tnd"},
        {"long extension kept whole", "/jobs/pier.backup", "", "/jobs/", "pier", ".backup"},
        {"unc", "\\\\server\\share\\pier.tnd", "", "\\\\server\\share\\", "pier", ".tnd"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const engine::PathParts p = engine::splitPath(c.path);
        EXPECT_EQ(p.drive, c.drive);
        EXPECT_EQ(p.directory, c.directory);
        EXPECT_EQ(p.name, c.base);
        EXPECT_EQ(p.extension, c.extension);
    }
}

TEST(RunHead, DateAndTimeLine)
{
    EXPECT_EQ(engine::dateTimeLine({2016, 7, 7, 9, 5, 3}), "               Date:  July 07, 2016     Time:  09:05:03");
    EXPECT_EQ(engine::dateTimeLine({2024, 12, 31, 0, 0, 5}),
              "               Date:  December 31, 2024     Time:  00:00:05");
    EXPECT_EQ(engine::dateTimeLine({2024, 13, 1, 0, 0, 0}), "");
    EXPECT_EQ(engine::dateTimeLine({2024, 0, 1, 0, 0, 0}), "");
}

TEST(RunHead, VersionField)
{
    EXPECT_EQ(engine::versionField("2012.7.15"), "2012.7.15   ");
    EXPECT_EQ(engine::versionField("2012.7.15\r"), "2012.7.15   ");
    EXPECT_EQ(engine::versionField("2012.7.15.1234"), "2012.7.15.12");
}
