#pragma once

#include <QFont>
#include <QPointF>
#include <QRect>

#include <optional>

#include "graph.h"
#include "graphscale.h"

class QPainter;
class QPaintDevice;

/// Screen: the window (no legend drawn, it has its own box). Printer: printer patterns, the
/// legend drawn into the page, the printer layout. Bitmap: screen patterns, the legend drawn
/// into the picture.
enum class OutputMode { Screen, Printer, Bitmap };

/// Where a graph is drawn: the client area, the picture or the page rectangle, with the
/// device's pixels per inch.
struct PaintTarget {
    QRect area;
    int dpiX = 96, dpiY = 96;
    OutputMode mode = OutputMode::Screen;
    /// False for pictures of few colours: lines and text are drawn without smoothed edges,
    /// so every pixel is one of the palette's colours or paper.
    bool smooth = true;
};

/// What part of the graph is shown and how it is laid out.
struct GraphView {
    TViewRange current; // shown now
    TViewRange full;    // the window scale, the limit of zooming out
    /// When set, used instead of layoutFor(graph, target): the window passes the layout it
    /// maps the mouse with.
    std::optional<TPlotLayout> layout;
    /// Legend of pages and pictures: its left edge over the window's width and its top over
    /// the window's height, placed in proportion inside the plot. Empty: the corner of the
    /// plot that the curves cross least.
    std::optional<QPointF> legendAt;
};

/// A view whose current and full ranges are the window scale; nothing when the scale cannot
/// be computed.
std::optional<GraphView> initialView(const TGraphPlot &graph);

/// Text height h: 10 points at the target's dpiY, times SizeFont / 10.
int graphFontHeight(const TGraphPlot &graph, const PaintTarget &target);
/// "Times New Roman" of height h; titles bold, labels normal.
QFont graphFont(const TGraphPlot &graph, const PaintTarget &target, bool bold);
/// The layout of the target's mode: screen formulas for the screen, the bitmap's narrower
/// band for pictures, the printer formulas inside the page rectangle.
TPlotLayout layoutFor(const TGraphPlot &graph, const PaintTarget &target);

/// The legend box drawn into pages and pictures, kept inside the plot; empty when no line is
/// listed (only visible active lines are), when ShowLegend is off or in screen mode.
QRect pictureLegendRect(const TGraphPlot &graph, const GraphView &view, const PaintTarget &target,
                        const TPlotLayout &layout, const QPaintDevice *device);

/// Draws the graph into target.area: captions, ticks, grid and labels, the curves with their
/// markers, the soil-layer band, the frame and, for pages and pictures, the legend. The
/// window, the printer and pictures all call this. An area under one inch wide or high is
/// only painted white.
void paintGraph(QPainter &painter, const TGraphPlot &graph, const GraphView &view, const PaintTarget &target);
