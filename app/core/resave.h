#pragma once

#include <QString>

#include <ostream>

/// Loads inPath with the program's loader (the older "TARNEL 6.0" layout when oldLayout) and
/// writes outPath with the writer. A loader or save error goes to err, with its line breaks,
/// and gives 1; on a loader error nothing is written.
int resaveProject(const QString &inPath, const QString &outPath, bool oldLayout, std::ostream &err);

/// The command line "--resave [--old-layout] IN.tnd OUT.tnd" (arguments after the program
/// name); -1 when the line does not start with --resave, 2 for a malformed line.
int runResaveCommand(const QStringList &arguments, std::ostream &err);
