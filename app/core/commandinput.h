#pragma once

#include <QString>

#include <iosfwd>
#include <string>

class TProgramData;
class TResultGraphs;

/// A reader's message of several lines as the commands' one line of output: line breaks
/// become ": ", trailing blanks and separators go.
std::string oneLine(const std::string &message);

/// The plot data file of a project's last run: ".tnp" beside it, with the same base name.
QString plotFilePath(const QString &projectPath);

/// What the command-line commands read first: the project, and the results of its last run
/// from plotFilePath. False when the project cannot be read, has no results or they cannot be
/// read, with one line on err, "tarnel2012: " first, naming the file; a reader's message
/// through oneLine.
bool loadProjectResults(const QString &projectPath, TProgramData &project, TResultGraphs &results,
                        std::ostream &err);
