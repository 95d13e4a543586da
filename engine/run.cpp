#include "run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>

#include "capacity.h"
#include "result_codes.h"

namespace engine {
namespace {

constexpr std::size_t kPathLength = 255;

std::string rtrim(std::string s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\t'))
        s.pop_back();
    return s;
}

bool isSeparator(char c) { return c == '/' || c == '\\'; }

std::string pathField(std::string line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > kPathLength)
        line.resize(kPathLength);
    return rtrim(line);
}

void say(const Console &console, const std::string &text)
{
    if (console.failure)
        *console.failure << "tarnel: " << text << '\n' << std::flush;
}

std::string withExtension(const std::string &path, const std::string &extension)
{
    const PathParts parts = splitPath(path);
    return parts.drive + parts.directory + parts.name + extension;
}

} // namespace

PathParts splitPath(const std::string &path)
{
    PathParts parts;
    std::size_t start = 0;
    if (path.size() >= 2 && path[1] == ':' &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
        parts.drive = path.substr(0, 2);
        start = 2;
    }
    std::size_t nameStart = start;
    for (std::size_t i = start; i < path.size(); ++i)
        if (isSeparator(path[i]))
            nameStart = i + 1;
    parts.directory = path.substr(start, nameStart - start);
    const std::string file = path.substr(nameStart);
    const std::size_t dot = file.rfind('.');
    if (dot == std::string::npos) {
        parts.name = file;
    } else {
        parts.name = file.substr(0, dot);
        parts.extension = file.substr(dot);
    }
    parts.drive = rtrim(parts.drive);
    parts.directory = rtrim(parts.directory);
    parts.name = rtrim(parts.name);
    parts.extension = rtrim(parts.extension);
    return parts;
}

std::string versionField(std::string line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    line.resize(12, ' ');
    return line;
}

std::string dateTimeLine(const DateTime &t)
{
    static const char *const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
    if (t.month < 1 || t.month > 12)
        return {};
    char buf[128];
    std::snprintf(buf, sizeof buf, "%15sDate:  %s %02d, %04d     Time:  %02d:%02d:%02d", "", kMonths[t.month - 1],
                  t.day, t.year, t.hour, t.minute, t.second);
    return buf;
}

void writeConsoleBanner(ReportWriter &console)
{
    console.line(" VERTICALLY LOADED DRILLED SHAFT ANALYSIS PROGRAM TARNEL");
    console.line(" VERSION 7");
    console.blank(2);
}

void writeBanner(ReportWriter &report, const std::string &version)
{
    const std::string rule = "     " + std::string(73, '=');
    const std::string indent(20, ' ');
    report.line(rule);
    report.blank();
    report.line(indent + "  TARNEL for Windows, Version " + version);
    report.blank();
    report.line(indent + "VERTICALLY LOADED DRILLED SHAFT ANALYSIS");
    report.blank();
    report.line(rule);
    report.blank(2);
}

void writeFileNames(ReportWriter &report, const RunFiles &files)
{
    auto named = [](const std::string &path) {
        const PathParts p = splitPath(path);
        return p.name + p.extension;
    };
    const PathParts in = splitPath(files.INFILE);
    report.line("     Path to file locations      : " + in.drive + in.directory);
    report.line("     Name of input data file     : " + named(files.INFILE));
    report.line("     Name of output file         : " + named(files.OUTFILE));
    report.line("     Name of plot output file    : " + named(files.PLOTFILE));
    report.line("     Name of runtime file        : " + named(files.RUNFILE));
    report.blank(2);
}

void DATESTAMP(ReportWriter &report, const DateTime &now)
{
    const std::string rule = "     " + std::string(73, '-');
    report.line(rule);
    report.line(std::string(26, ' ') + "Time and Date of Analysis");
    report.line(rule);
    const std::string when = dateTimeLine(now);
    if (!when.empty())
        report.line(when);
    report.blank();
}

DateTime localNow()
{
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

int runWithFiles(const RunFiles &files, const Console &console)
{
    auto cannotOpen = [&](const char *role, const std::string &path) {
        say(console, std::string("cannot open the ") + role + " '" + path + "': " + std::strerror(errno));
        return kCannotOpen;
    };
    // Binary mode: the engine's own files end their lines with LF only.
    std::ifstream input(files.INFILE, std::ios::binary);
    if (files.INFILE.empty() || !input)
        return cannotOpen("project file", files.INFILE);
    std::ofstream report(files.OUTFILE, std::ios::binary | std::ios::trunc);
    if (files.OUTFILE.empty() || !report)
        return cannotOpen("report file", files.OUTFILE);
    std::ofstream plot(files.PLOTFILE, std::ios::binary | std::ios::trunc);
    if (files.PLOTFILE.empty() || !plot)
        return cannotOpen("plot data file", files.PLOTFILE);
    std::ofstream runtime(files.RUNFILE, std::ios::binary | std::ios::trunc);
    if (files.RUNFILE.empty() || !runtime)
        return cannotOpen("run-time file", files.RUNFILE);

    RunChannels channels{input,
                         ReportWriter(&report, kFileBatch),
                         ReportWriter(&plot, kFileBatch),
                         ReportWriter(&runtime, kFileBatch),
                         ReportWriter(console.echo),
                         plot};
    writeBanner(channels.report, files.VERSION);
    writeFileNames(channels.report, files);
    DATESTAMP(channels.report, localNow());

    int IERR = 0;
    CAPACITY(channels, IERR);

    channels.report.flush();
    channels.plot.flush();
    channels.runtime.flush();
    input.close();
    report.close();
    plot.close();
    runtime.close();
    if (!report || !plot || !runtime) {
        say(console, "writing the run's files failed (disk full?)");
        return kCannotOpen;
    }
    return IERR;
}

int runFromHandOff(const Console &console)
{
    ReportWriter echo(console.echo);
    writeConsoleBanner(echo);
    std::ifstream names("names.dat", std::ios::binary);
    if (!names) {
        say(console, "names.dat not found in the current folder");
        return kNoHandOff;
    }
    RunFiles files;
    std::string line;
    if (!std::getline(names, line)) {
        say(console, "names.dat has no version line");
        return kNoHandOff;
    }
    files.VERSION = versionField(line);
    std::string *const fields[] = {&files.INFILE, &files.OUTFILE, &files.PLOTFILE, &files.RUNFILE};
    bool complete = true;
    for (std::string *field : fields) {
        if (!std::getline(names, line)) {
            complete = false;
            break;
        }
        *field = pathField(line);
    }
    names.close();

    if (!complete) {
        struct Question {
            int emptyLines;
            const char *text;
            std::string *answer;
        };
        const Question questions[] = {{1, "ENTER THE NAME FOR THE INPUT FILE", &files.INFILE},
                                      {1, "ENTER A NAME FOR THE OUTPUT FILE:", &files.OUTFILE},
                                      {2, "ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE.", &files.PLOTFILE}};
        for (const Question &q : questions) {
            if (console.prompt) {
                for (int i = 0; i < q.emptyLines; ++i)
                    *console.prompt << '\n';
                *console.prompt << "       " << q.text << "\n ENTER >" << std::flush;
            }
            if (!console.answers || !std::getline(*console.answers, line)) {
                say(console, "names.dat is incomplete and no file names were given at the console");
                return kNoFileNames;
            }
            *q.answer = pathField(line);
        }
        // The fallback does not ask for the run-time file; keep it beside the project.
        if (files.RUNFILE.empty())
            files.RUNFILE = withExtension(files.INFILE, ".tnr");
    }
    return runWithFiles(files, console);
}

} // namespace engine
