#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <iosfwd>
#include <vector>

class TGraphPlot;
class TWorkbook;
class TResultGraphs;

/// Number of exportable graphs: the Graphics menu's graphs 1 to 12, in list order, then the
/// t-z curves used (13) and the q-w curve used (14).
inline constexpr int kExportPlotCount = 14;

/// The most lines a data sheet holds: two columns a line, up to column ZZ (702).
inline constexpr int kMaxExportLines = 351;

/// Title of an axis: its caption, followed by " (" + the unit text + ")" when it has a unit
/// code; the bare caption when the code is empty.
QString UnitsTitle(const TGraphPlot &graph, const QString &caption, const QString &units);

/// The legend sheet, then per graph its data sheet "Page_k" and its chart "Plot_k" right
/// after it, in the order given. The book is the one Workbooks.Add made.
void GenerateWorkbook(TWorkbook &book, const std::vector<const TGraphPlot *> &graphs);

/// One graph with running number k: its legend row k + 2 with the status cell, the data
/// sheet with a column pair per line (points as numbers), and an XY scatter chart with one
/// series per line over that line's own rows. Lines beyond what a sheet or a chart can
/// carry are left out and the status cell says how many went in.
void GenerateChart(TWorkbook &book, const TGraphPlot &graph, int k);

/// The Graphics menu's rule for the twelve graphs: available when results are loaded and
/// the plot file exists; the upper-bound, lower-bound and combined settlement graphs (10 to
/// 12) not when the results carry no settlement curves. Graphs 13 and 14 are available when
/// the t-z graphs hold their curves (TTzCurveGraphs::HasCurves, HasTipCurve).
std::array<bool, kExportPlotCount> availablePlots(bool resultsLoaded, bool plotFileExists, int settlementCurves,
                                                  bool tzCurves = false, bool tipCurve = false);

/// A graph has something to export: at least one line with a point.
bool hasPoints(const TGraphPlot &graph);

/// `--export PROJECT.tnd OUT.xlsx`: reads the project and its results (the ".tnp" beside
/// it, and the t-z curves of TZDATA.DAT when they belong to its last run) and writes every
/// graph that has results to OUT.xlsx. Returns 0 on success; on failure
/// writes one line to err and returns 1 (bad arguments 2).
int runExportCommand(const QStringList &arguments, std::ostream &err);
