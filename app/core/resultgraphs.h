#pragma once

#include <QString>

#include <string>
#include <vector>

#include "graph.h"

class TGridTable;
class TProgramData;

/// Stored settings of one result graph.
struct TGraphDefaults {
    const char *member;      // the graph's name in TResultGraphs
    const char *menuCaption; // Graphics menu item; the window caption is this without "&"
    const char *xCaption, *xUnits, *yCaption, *yUnits;
    bool xOnTop;
    int markers; // marker every this many points
};

/// The thirteen graphs in member order: the twelve of the Graphics menu in menu order, then
/// pltLoad.
const std::vector<TGraphDefaults> &resultGraphDefaults();
/// A menu caption as a window caption: without "&" and without trailing blanks.
QString captionFromMenu(const QString &menuCaption);
/// Gives each graph the stored settings of the row at its position in defaults: caption
/// (captionFromMenu), axis captions and units, axis side, markers. Graphs past the table's
/// end keep theirs.
void applyGraphDefaults(const std::vector<TGraphPlot *> &graphs, const std::vector<TGraphDefaults> &defaults);

/// The result graphs of the project, filled from the engine's plot data file. Held by the
/// main window; holds no widget.
class TResultGraphs {
public:
    TResultGraphs();
    TResultGraphs(const TResultGraphs &) = delete;
    TResultGraphs &operator=(const TResultGraphs &) = delete;

    TGraphPlot pltSkin, pltTip, pltTotal;       // ultimate capacity against depth, a line per diameter
    TGraphPlot FSpltSkin, FSpltTip, FSpltTotal; // factored (LRFD) or allowable (F.S.)
    TGraphPlot pltCombine, pltCombineD;         // skin, tip and total of the first diameter
    TGraphPlot pltAxial, pltUpper, pltLower;    // load against settlement, a line per diameter
    TGraphPlot pltCombinedSettle;               // the three settlement curves of the first diameter
    TGraphPlot pltLoad;                         // sized by the loader, never filled

    /// Graphics menu graph 1 to 12 in menu order (as in --plot N); nullptr outside.
    TGraphPlot *graph(int menuIndex);
    const TGraphPlot *graph(int menuIndex) const;
    /// All thirteen, pltLoad last.
    std::vector<TGraphPlot *> all();

    /// Reads the plot data file into the graphs, taking units, design method, load type,
    /// CurrentLayout, factors of safety and the layer table from the project and storing the
    /// settlement indicator NSET in project.SettlementCurves. False on any error, with the
    /// reader's message in *failure; what was read before the error stays in the graphs.
    /// Counts no engine run can produce (diameters, rows, points) are refused before anything
    /// is allocated for them.
    bool LoadPlotFile(const QString &path, TProgramData &project, std::string *failure = nullptr);

    /// One layer line per row of the layer table, for a graph with a curve point: Y the
    /// layer's bottom, X its fill code, the soil label as name.
    static void AddLayersGraphPlot(TGraphPlot &graph, const TGridTable &layers);

private:
    void load(const QString &path, TProgramData &project);
};

/// Largest counts of a plot data file that the loader takes.
inline constexpr int kMaxPlotDiameters = 1000;
inline constexpr int kMaxPlotRows = 100002;     // the engine's interval limit and two leading rows
inline constexpr long kMaxPlotPoints = 1000000; // per graph: diameters times rows
