#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "report.h"

namespace engine {

/// The files of one run, as named by names.dat (trailing blanks removed).
struct RunFiles {
    std::string VERSION; // exactly 12 characters, blank-padded
    std::string INFILE, OUTFILE, PLOTFILE, RUNFILE;
};

/// The process console as the run sees it. A null echo drops the progress echo.
struct Console {
    std::ostream *echo = nullptr;
    std::ostream *prompt = nullptr;  // the fallback's questions
    std::istream *answers = nullptr; // the fallback's answers
    std::ostream *failure = nullptr; // one-line messages when a run cannot start
};

/// The open channels of a run, handed to CAPACITY.
struct RunChannels {
    std::istream &input;
    ReportWriter report;
    ReportWriter plot;
    ReportWriter runtime;
    ReportWriter console;
    std::ostream &plotStream;
};

struct PathParts {
    std::string drive, directory, name, extension;
};

/// Drive ("D:", only with a Windows-style path), directory with its leading and trailing
/// separators ('/' or '\'), base name, and extension with its point (empty when none).
PathParts splitPath(const std::string &path);

/// The first 12 characters of the version line, padded with blanks.
std::string versionField(std::string line);

struct DateTime {
    int year, month, day, hour, minute, second;
};
/// Empty when the month is outside 1 to 12.
std::string dateTimeLine(const DateTime &t);

/// Step 2 of a run: the program's name on the console, before anything is read.
void writeConsoleBanner(ReportWriter &console);
void writeBanner(ReportWriter &report, const std::string &version);
void writeFileNames(ReportWriter &report, const RunFiles &files);
void DATESTAMP(ReportWriter &report, const DateTime &now);
DateTime localNow();

/// Opens the run's files in order, writes the head of the report, runs CAPACITY and closes
/// the files. Returns IERR, or a ResultCode when a file cannot be opened.
int runWithFiles(const RunFiles &files, const Console &console);

/// Reads names.dat in the current folder (with the console fallback) and runs.
int runFromHandOff(const Console &console);

} // namespace engine
