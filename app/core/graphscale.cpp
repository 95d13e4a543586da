#include "graphscale.h"

#include <algorithm>
#include <cmath>

namespace {

// A quotient within this of a whole number counts as that number, so that binary noise in
// a value such as -0.01 / 0.001 does not add a spurious step.
double snapWhole(double q)
{
    const double r = std::round(q);
    return std::abs(q - r) <= 1e-9 * std::max(1.0, std::abs(q)) ? r : q;
}

double awayFromZero(double q)
{
    q = snapWhole(q);
    return q >= 0 ? std::ceil(q) : std::floor(q);
}

long roundPixel(double v)
{
    // Views are kept inside the full range, so offsets stay within a few plot widths; the
    // clamp only guards the integer conversion.
    return std::lround(std::clamp(v, -1e9, 1e9));
}

} // namespace

std::optional<TAxisRange> axisScale(double min, double max)
{
    if (!std::isfinite(min) || !std::isfinite(max))
        return std::nullopt;
    if (max == min) {
        max = max + 0.01;
        min = min - 0.01;
    }
    const double width = max - min;
    if (!std::isfinite(width) || width <= 0)
        return std::nullopt;
    const double lg = std::log10(width);
    const double whole = std::floor(lg);
    double step = std::pow(10.0, whole);
    if (lg - whole < std::log10(3.0))
        step /= 10;
    if (!std::isfinite(step) || step == 0)
        return std::nullopt;
    TAxisRange r{step * awayFromZero(min / step), step * awayFromZero(max / step)};
    if (!std::isfinite(r.min) || !std::isfinite(r.max) || !(r.max > r.min))
        return std::nullopt;
    return r;
}

std::optional<TViewRange> windowScale(const TGraphPlot &graph)
{
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    const TLineSet &curves = graph.Lines(0);
    for (int i = 0; i < curves.LineCount(); ++i) {
        for (const TFloatPoint &p : curves.Line(i).Points) {
            if (!std::isfinite(p.X) || !std::isfinite(p.Y))
                return std::nullopt;
            xmin = std::min(xmin, p.X);
            xmax = std::max(xmax, p.X);
            ymin = std::min(ymin, p.Y);
            ymax = std::max(ymax, p.Y);
        }
    }
    const auto x = axisScale(xmin, xmax);
    const auto y = axisScale(ymin, ymax);
    if (!x || !y)
        return std::nullopt;
    return TViewRange{*x, *y};
}

TPlotLayout screenLayout(const TLayoutInput &in, int bandDivisor)
{
    const int h = std::abs(in.fontHeight);
    const int L = in.area.left(), T = in.area.top();
    const int W = in.area.width(), H = in.area.height();
    TPlotLayout out;
    TPlotRect &p = out.plot;
    p.left = L + 2 * h + in.dpiX / 8 + h / 8;
    p.right = L + W - in.dpiX / 4 - h / 2;
    if (in.xOnTop) {
        p.top = T + 2 * h + in.dpiY / 8 + h / 8;
        p.bottom = T + H - in.dpiY / 4 - h / 2;
    } else {
        p.top = T + h / 2 + in.dpiY / 4;
        p.bottom = T + H - 2 * h - in.dpiY / 8 - h / 8;
    }
    if (in.titleShown) {
        if (in.titleAt == TTitleLocation::Top)
            p.top += h / 8 + h;
        else
            p.bottom -= h;
    }
    if (in.showLayers) {
        const int oldRight = p.right;
        p.right -= in.dpiX / std::max(bandDivisor, 1);
        out.band = {p.right + in.dpiX / 5, p.top, oldRight, p.bottom};
        out.hasBand = true;
    }
    return out;
}

TPlotLayout printerLayout(const TLayoutInput &in)
{
    const int h = std::abs(in.fontHeight);
    const int L = in.area.left(), T = in.area.top();
    const int R = in.area.left() + in.area.width(), B = in.area.top() + in.area.height();
    TPlotLayout out;
    TPlotRect &p = out.plot;
    p.left = L + 2 * h + in.dpiX / 8 + h / 8;
    p.right = R;
    if (in.xOnTop) {
        p.top = T + 2 * h + in.dpiX / 8 + h / 8;
        p.bottom = B;
    } else {
        p.top = T;
        p.bottom = B - 2 * h - in.dpiX / 8 - h / 8;
    }
    if (in.titleShown) {
        if (in.titleAt == TTitleLocation::Top)
            p.top += in.dpiY / 4;
        else
            p.bottom -= in.dpiY / 2;
    }
    if (in.showLayers) {
        const int oldRight = p.right;
        p.right -= in.dpiX;
        out.band = {p.right + in.dpiX / 5, p.top, oldRight, p.bottom};
        out.hasBand = true;
    }
    return out;
}

QRect printerPageRect(const TPrinterGeometry &g, const std::array<int, 4> &marginsThou)
{
    auto pixels = [](int thou, int dpi) { return int(std::lround(double(thou) * dpi / 1000.0)); };
    const int left = std::max(pixels(marginsThou[0], g.dpiX), g.offsetLeft);
    const int top = std::max(pixels(marginsThou[1], g.dpiY), g.offsetTop);
    const int right = std::max(pixels(marginsThou[2], g.dpiX), g.offsetRight);
    const int bottom = std::max(pixels(marginsThou[3], g.dpiY), g.offsetBottom);
    const int x0 = left - g.offsetLeft;
    const int y0 = top - g.offsetTop;
    const int x1 = g.printableWidth + g.offsetRight - right;
    const int y1 = g.printableHeight + g.offsetBottom - bottom;
    return QRect(x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0));
}

int mapX(const TViewRange &view, const TPlotRect &plot, double X)
{
    return int(roundPixel((X - view.x.min) / view.x.width() * plot.width())) + plot.left;
}

int mapY(const TViewRange &view, const TPlotRect &plot, bool xOnTop, double Y)
{
    const int offset = int(roundPixel((Y - view.y.min) / view.y.width() * plot.height()));
    return xOnTop ? plot.top + offset : plot.bottom - offset;
}

QPointF mapFromDevice(const TViewRange &view, const TPlotRect &plot, bool xOnTop, QPoint pixel)
{
    if (pixel.x() < plot.left || pixel.x() > plot.right || plot.width() == 0 || plot.height() == 0)
        return QPointF(0, 0);
    const double X = view.x.min + double(pixel.x() - plot.left) / plot.width() * view.x.width();
    const int fromEdge = xOnTop ? pixel.y() - plot.top : plot.bottom - pixel.y();
    const double Y = view.y.min + double(fromEdge) / plot.height() * view.y.width();
    return QPointF(X, Y);
}

QPoint clampToPlot(QPoint pixel, const TPlotRect &plot)
{
    return QPoint(std::clamp(pixel.x(), plot.left, std::max(plot.left, plot.right)),
                  std::clamp(pixel.y(), plot.top, std::max(plot.top, plot.bottom)));
}

int tickCount(int pixels, int fontHeight)
{
    const int h = std::abs(fontHeight);
    return h == 0 ? 0 : std::abs(pixels) / (6 * h);
}

double majorSpacing(double min, double max, int n)
{
    if (n <= 0 || !(max > min))
        return 0;
    const double raw = (max - min) / n;
    const double g = std::pow(10.0, std::floor(std::log10(raw)));
    const int m = int(std::trunc(snapWhole(raw / g)));
    if (m < 2)
        return g;
    if (m <= 4)
        return 2 * g;
    if (m <= 8)
        return 5 * g;
    return 10 * g;
}

std::vector<TTick> axisTicks(const TAxisRange &range, int n)
{
    std::vector<TTick> ticks;
    const double minor = majorSpacing(range.min, range.max, n) / 5;
    if (!(minor > 0) || !std::isfinite(minor))
        return ticks;
    const double first = std::ceil(snapWhole(range.min / minor));
    const double last = std::floor(snapWhole(range.max / minor));
    // At most about fifty ticks for n intervals; the bound guards against a range that is
    // not what the spacing was computed for.
    if (last - first > 100.0 * n + 100)
        return ticks;
    for (double k = first; k <= last; k += 1) {
        const long kk = long(k);
        double v = kk * minor;
        if (v == 0)
            v = 0; // no "-0" label
        ticks.push_back({v, kk % 5 == 0});
    }
    return ticks;
}

QString significantText(double value, int digits)
{
    if (value == 0 || !std::isfinite(value))
        return value == 0 ? QString("0") : QString::number(value);
    const double magnitude = std::floor(std::log10(std::abs(value)));
    if (magnitude >= digits && magnitude < 9) {
        const double unit = std::pow(10.0, magnitude + 1 - digits);
        return QString::number(std::round(value / unit) * unit, 'f', 0);
    }
    return QString::number(value, 'g', digits);
}

QString pointerReadout(const QString &caption, double X, double Y)
{
    return caption + " X: " + significantText(X, 5) + " Y: " + significantText(Y, 5);
}

TAxisRange zoomInAxis(const TAxisRange &full, double a, double b)
{
    TAxisRange r{std::min(a, b), std::max(a, b)};
    if (full.width() > 20 * r.width()) {
        const double half = full.width() / 40;
        const double middle = (r.min + r.max) / 2;
        r = {middle - half, middle + half};
        if (r.min < full.min)
            r = {full.min, full.min + 2 * half};
        if (r.max > full.max)
            r = {full.max - 2 * half, full.max};
    }
    return r;
}

TAxisRange zoomOutAxis(const TAxisRange &current, const TAxisRange &full, double at)
{
    const double p = std::min(current.width(), full.width() / 2);
    const double centre = std::clamp(at, full.min + p, std::max(full.min + p, full.max - p));
    return {centre - p, centre + p};
}

std::optional<TViewRange> rubberBandZoom(const TViewRange &current, const TViewRange &full, const TPlotRect &plot,
                                         bool xOnTop, QPoint start, QPoint release)
{
    if (release.x() == start.x() || release.y() == start.y())
        return std::nullopt;
    const QPointF a = mapFromDevice(current, plot, xOnTop, clampToPlot(start, plot));
    const QPointF b = mapFromDevice(current, plot, xOnTop, clampToPlot(release, plot));
    return TViewRange{zoomInAxis(full.x, a.x(), b.x()), zoomInAxis(full.y, a.y(), b.y())};
}

std::optional<TViewRange> rightClickZoom(const TViewRange &current, const TViewRange &full, const TPlotRect &plot,
                                         bool xOnTop, QPoint at)
{
    if (!plot.contains(at))
        return std::nullopt;
    const QPointF v = mapFromDevice(current, plot, xOnTop, at);
    return TViewRange{zoomOutAxis(current.x, full.x, v.x()), zoomOutAxis(current.y, full.y, v.y())};
}
