#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

#include "graph.h"
#include "resultgraphs.h"

class TProgramData;

/// One t-z curve as the engine wrote it: its number, its depth, and its points as (movement,
/// unit load transfer).
struct TTzCurve {
    int number = 0;
    double depth = 0; // in (English) or m (SI), as in the file
    std::vector<TFloatPoint> points;
};

/// The content of a "TZDATA.DAT": the curves of the last t-z run of the last trial diameter
/// that had one. English files hold in, psi and tons; SI files m, kPa and kN.
struct TTzData {
    int units = 1; // 1 English, 2 SI, from the file's unit labels
    /// Empty when the t-z analysis stopped before its curve table (result 2).
    std::vector<TTzCurve> curves;
    /// (tip movement, tip load); empty when it stopped before the tip curve (results 4, 5).
    std::vector<TFloatPoint> tip;
    /// The stem diameter the curves were built for, from their first movement step (0.001
    /// diameters); 0 without curves.
    double diameter() const;
};

/// Largest file and counts the reader takes; the engine writes 10 points a curve and five
/// curves a layer, so these leave room for any real project.
inline constexpr qint64 kMaxTzDataBytes = 16 * 1024 * 1024;
inline constexpr int kMaxTzPoints = 1000;

/// Reads the text of a "TZDATA.DAT" (note line, curve table with its heading, tip curve,
/// end line "1"; blocks may be missing at the end where the t-z analysis stopped). False
/// with a message naming the line and what was expected for anything else: unknown unit
/// labels, a curve with fewer points than it announces, numbers that do not read or are not
/// finite, curves out of order. Allocates only for what the text holds.
bool readTzData(const QByteArray &text, TTzData &data, std::string *failure = nullptr);

/// The two graphs of the t-z curves used: stored settings as those of the result graphs,
/// graph 13 and graph 14 in --plot and export order.
const std::vector<TGraphDefaults> &tzGraphDefaults();

/// The t-z graphs of the project, filled from "TZDATA.DAT". Held by the main window beside
/// TResultGraphs; holds no widget.
class TTzCurveGraphs {
public:
    TTzCurveGraphs();
    TTzCurveGraphs(const TTzCurveGraphs &) = delete;
    TTzCurveGraphs &operator=(const TTzCurveGraphs &) = delete;

    TGraphPlot pltTzCurves; // unit load transfer against movement, a line per curve
    TGraphPlot pltQwCurve;  // tip load against tip movement

    /// Graph 13 or 14 (after the twelve of the Graphics menu); nullptr otherwise.
    TGraphPlot *graph(int number);
    std::vector<TGraphPlot *> all() { return {&pltTzCurves, &pltQwCurve}; }

    /// A file of the engine's run into both graphs. On failure false with the reason, and
    /// the graphs keep what they held.
    bool LoadTzDataFile(const QString &path, std::string *failure = nullptr);
    /// The "TZDATA.DAT" in the project's folder, when tzDataOfLastRun accepts it and its
    /// content fits the project (its unit system, five curves per layer of the layer table).
    /// On failure false with the reason, and the graphs keep what they held.
    bool LoadForProject(const QString &projectPath, const TProgramData &project, std::string *failure = nullptr);
    /// Fills the graphs from data read before.
    void Fill(const TTzData &data);
    /// No curves in either graph.
    void Clear();

    /// pltTzCurves has a curve with points: the Graphics item for it is enabled.
    bool HasCurves() const;
    /// pltQwCurve has its curve.
    bool HasTipCurve() const;
};

/// The "TZDATA.DAT" of the folder of projectPath.
QString tzDataPathBeside(const QString &projectPath);

/// Time allowed between the plot data file and a TZDATA.DAT written after it in one run:
/// file systems that keep modification times to 2 s (FAT on a memory stick).
inline constexpr qint64 kTzDataSlackMs = 2000;

/// Whether the "TZDATA.DAT" in the project's folder was written by the run that wrote the
/// project's plot data file. The engine writes TZDATA.DAT into the current folder under the
/// same name for every project, so several projects in one folder overwrite it, and a run
/// whose tips all end in rock leaves the previous one standing. Accepted when the .tnp is
/// not older than the project file (the results are of the project as saved) and
/// TZDATA.DAT is not older than the project file and not newer than the .tnp by more than
/// kTzDataSlackMs (a later run of another project writes a newer one). Within one run the
/// engine closes TZDATA.DAT before the last block of the .tnp, so a TZDATA.DAT of the same
/// run is never newer than its .tnp. False with the reason otherwise.
bool tzDataOfLastRun(const QString &projectPath, std::string *why = nullptr);

/// What loading a run's results gave.
struct TRunResultsLoad {
    bool plotLoaded = false; // the plot data file went into the result graphs
    bool tzCurves = false;   // the t-z graph has curves
    bool tipCurve = false;   // the q-w graph has its curve
    std::string failure;     // why the plot data file or the t-z data did not load
};

/// The results of a finished run, as analysis while editing loads them. The plot data file
/// goes into graphs only when the whole file reads, so a run that stopped early (result 3,
/// or 2, 4, 5 on a later diameter) leaves the previous results standing rather than half
/// of them overwritten; project.SettlementCurves changes only then too. The t-z data goes
/// into tzGraphs; they are cleared when the run wrote none (tips in rock) or it does not
/// read, so they never show the curves of an earlier state. An empty path counts as no file.
TRunResultsLoad loadRunResults(const QString &plotPath, const QString &tzDataPath, TProgramData &project,
                               TResultGraphs &graphs, TTzCurveGraphs &tzGraphs);
