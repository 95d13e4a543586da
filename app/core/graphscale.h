#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>

#include <array>
#include <optional>
#include <vector>

#include "graph.h"

/// Scaling, layout, mapping, ticks and zoom of a graph window: plain functions of numbers,
/// shared by the window, the printer and pictures.

struct TAxisRange {
    double min = 0;
    double max = 0;
    double width() const { return max - min; }
    bool operator==(const TAxisRange &) const = default;
};

struct TViewRange {
    TAxisRange x, y;
    bool operator==(const TViewRange &) const = default;
};

/// A drawing rectangle by its edges: right and bottom are the coordinates of the edges
/// themselves, as the layout formulas give them (not QRect's last pixel).
struct TPlotRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    /// Edges included.
    bool contains(QPoint p) const { return p.x() >= left && p.x() <= right && p.y() >= top && p.y() <= bottom; }
    /// The pixels from left to right - 1 and top to bottom - 1.
    QRect toRect() const { return QRect(left, top, right - left, bottom - top); }
    bool operator==(const TPlotRect &) const = default;
};

/// Where a graph draws: the plot rectangle and, when the soil layers are shown, their band.
struct TPlotLayout {
    TPlotRect plot;
    TPlotRect band;
    bool hasBand = false;
    bool operator==(const TPlotLayout &) const = default;
};

/// What the layout depends on. fontHeight is the text height h already scaled by SizeFont.
struct TLayoutInput {
    QRect area; // the client area, the picture or the page rectangle
    int dpiX = 96, dpiY = 96;
    int fontHeight = 13;
    bool xOnTop = true;
    bool titleShown = false;
    TTitleLocation titleAt = TTitleLocation::Top;
    bool showLayers = false;
};

/// Axis range from the extremes of one axis (both including 0 when the caller wants it):
/// an empty range is widened by 0.01 each way, then both ends are rounded away from zero to
/// whole steps of 10^floor(log10(width)), a tenth of that when the width's mantissa is
/// below 3. Nothing when a value or the step is not finite or the step comes out 0.
std::optional<TAxisRange> axisScale(double min, double max);
/// The window scale: the extremes of every point of set 0 (active or not), starting from 0
/// so that both ranges contain it, scaled by axisScale. Nothing when either axis cannot be
/// scaled (the window then closes itself).
std::optional<TViewRange> windowScale(const TGraphPlot &graph);

/// Window and bitmap layout. bandDivisor 1 is the screen's band (one inch taken from the
/// plot), 2 the saved bitmap's (half an inch).
TPlotLayout screenLayout(const TLayoutInput &in, int bandDivisor = 1);
/// Printer layout inside the page rectangle in.area (see printerPageRect).
TPlotLayout printerLayout(const TLayoutInput &in);

/// What the printer reports about its page, in printer pixels relative to the printable
/// area's top left corner.
struct TPrinterGeometry {
    int dpiX = 600, dpiY = 600;
    int printableWidth = 0, printableHeight = 0;
    int offsetLeft = 0, offsetTop = 0, offsetRight = 0, offsetBottom = 0; // unprintable border
};
/// Margins in thousandths of an inch (left, top, right, bottom), each taken as at least the
/// unprintable border on its side, turned into the page rectangle.
QRect printerPageRect(const TPrinterGeometry &printer, const std::array<int, 4> &marginsThou);

/// Device pixel of a data value.
int mapX(const TViewRange &view, const TPlotRect &plot, double X);
int mapY(const TViewRange &view, const TPlotRect &plot, bool xOnTop, double Y);
inline QPoint mapToDevice(const TViewRange &view, const TPlotRect &plot, bool xOnTop, double X, double Y)
{
    return QPoint(mapX(view, plot, X), mapY(view, plot, xOnTop, Y));
}
/// Data value of a device pixel; (0, 0) for a pixel outside the plot's horizontal span.
QPointF mapFromDevice(const TViewRange &view, const TPlotRect &plot, bool xOnTop, QPoint pixel);
QPoint clampToPlot(QPoint pixel, const TPlotRect &plot);

/// Number of label intervals along a span of pixels: one per six text heights; 0 means no
/// ticks, grid or labels on that axis.
int tickCount(int pixels, int fontHeight);
/// Major tick spacing for n intervals over a range: 1, 2, 5 or 10 times a power of ten;
/// the minor spacing is a fifth of it. 0 when n is 0 or the range is empty.
double majorSpacing(double min, double max, int n);
struct TTick {
    double value = 0;
    bool major = false; // gets a grid line and a label
};
/// Ticks at every multiple of the minor spacing inside the range, in increasing order.
std::vector<TTick> axisTicks(const TAxisRange &range, int n);

/// Value with at most digits significant digits; whole values below 10^9 in plain digits
/// (12000, not 1.2e+04), very small ones in exponent form.
QString significantText(double value, int digits);
/// "caption X: x Y: y" with five significant digits, the window caption under the pointer.
QString pointerReadout(const QString &caption, double X, double Y);

/// The band from a to b on one axis, widened to a twentieth of the full range when narrower
/// and then shifted back inside the full range.
TAxisRange zoomInAxis(const TAxisRange &full, double a, double b);
/// Twice the current span (at most the full range) around the value at, kept inside it.
TAxisRange zoomOutAxis(const TAxisRange &current, const TAxisRange &full, double at);
/// Release of a rubber band that started at start: nothing when both have the same x or
/// the same y; otherwise the release is clamped to the plot and both axes zoom in.
std::optional<TViewRange> rubberBandZoom(const TViewRange &current, const TViewRange &full, const TPlotRect &plot,
                                         bool xOnTop, QPoint start, QPoint release);
/// Right click: nothing outside the plot; otherwise both axes zoom out around the point.
std::optional<TViewRange> rightClickZoom(const TViewRange &current, const TViewRange &full, const TPlotRect &plot,
                                         bool xOnTop, QPoint at);
