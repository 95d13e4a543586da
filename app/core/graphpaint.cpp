#include "graphpaint.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>

#include "soilpatterns.h"

namespace {

constexpr double kBasePoints = 10; // label text size at SizeFont 10
const QColor kGridColor(150, 150, 150);

// Frame, ticks and grid: one pixel on screens and pictures, still visible on a printer.
int thinPen(const PaintTarget &t)
{
    return std::max(1, t.dpiX / 200);
}

int textHeight(const QFont &font, const QPaintDevice *device)
{
    return QFontMetrics(font, device).height();
}

int textWidth(const QFont &font, const QPaintDevice *device, const QString &text)
{
    return QFontMetrics(font, device).horizontalAdvance(text);
}

// Text with its top left corner at (x, y).
void drawTextAt(QPainter &p, int x, int y, const QString &text)
{
    p.drawText(QPoint(x, y + QFontMetrics(p.font(), p.device()).ascent()), text);
}

// Text turned a quarter left (read from below), its top edge at x and its start at y.
void drawTextUp(QPainter &p, int x, int y, const QString &text)
{
    p.save();
    p.translate(x, y);
    p.rotate(-90);
    drawTextAt(p, 0, 0, text);
    p.restore();
}

QPolygon markerShape(int line, QPoint at, const PaintTarget &t)
{
    const int k = line % 10 + 1;
    std::vector<double> angles;
    if (k == 1)
        angles = {180, 300, 60};
    else if (k == 2)
        angles = {45, 135, 225, 315};
    else
        for (int j = 0; j < k; ++j)
            angles.push_back(360.0 * j / k);
    QPolygon shape;
    for (double a : angles) {
        const double r = a * M_PI / 180;
        shape << QPoint(at.x() + int(std::lround(std::cos(r) * t.dpiX / 32)),
                        at.y() - int(std::lround(std::sin(r) * t.dpiY / 32)));
    }
    return shape;
}

QPen curvePen(const TGraphPlot &g, const PaintTarget &t, const QColor &colour)
{
    const int width = (int(std::lround(t.dpiX / 300.0)) + 1) * std::max(g.WidthLine, 1);
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// Centre of the device pixel, so that antialiased curves cover the pixels the mapping names.
QPointF pixelCentre(QPoint p)
{
    return QPointF(p.x() + 0.5, p.y() + 0.5);
}

void drawMarker(QPainter &p, int line, QPoint at, const PaintTarget &t)
{
    const QPolygon shape = markerShape(line, at, t);
    QPolygonF centred;
    for (const QPoint &v : shape)
        centred << pixelCentre(v);
    p.drawPolygon(centred);
}

void drawCaptions(QPainter &p, const TGraphPlot &g, const PaintTarget &t, int h)
{
    const QRect &a = t.area;
    const QFont bold = graphFont(g, t, true);
    p.setFont(bold);
    p.setPen(Qt::black);
    const int th = textHeight(bold, p.device());
    const bool titleTop = !g.Title.isEmpty() && g.TitleLocation == TTitleLocation::Top;
    const bool titleBottom = !g.Title.isEmpty() && g.TitleLocation == TTitleLocation::Bottom;
    const int bottom = a.top() + a.height();
    auto centredX = [&](const QString &text) { return a.left() + (a.width() - textWidth(bold, p.device(), text)) / 2; };

    const QString xTitle = g.AxisTitle(g.XCaption, g.XUnits);
    if (!xTitle.isEmpty()) {
        int y = g.XOnTop ? a.top() : bottom - th;
        if (g.XOnTop && titleTop)
            y += h / 8 + h;
        if (!g.XOnTop && titleBottom)
            y -= h / 8 + h;
        drawTextAt(p, centredX(xTitle), y, xTitle);
    }
    if (!g.Title.isEmpty())
        drawTextAt(p, centredX(g.Title), titleTop ? a.top() : bottom - th, g.Title);
    const QString yTitle = g.AxisTitle(g.YCaption, g.YUnits);
    if (!yTitle.isEmpty())
        drawTextUp(p, a.left(), a.top() + (a.height() + textWidth(bold, p.device(), yTitle)) / 2, yTitle);
}

void drawTicks(QPainter &p, const TGraphPlot &g, const GraphView &v, const PaintTarget &t, const TPlotRect &r, int h)
{
    const int nX = tickCount(r.width(), h);
    const int nY = tickCount(r.height(), h);
    if (nX == 0 || nY == 0)
        return;
    const QFont label = graphFont(g, t, false);
    p.setFont(label);
    const int th = textHeight(label, p.device());
    QPen mark(Qt::black, thinPen(t));
    QPen grid(kGridColor, thinPen(t), Qt::DotLine);

    for (const TTick &k : axisTicks(v.current.x, nX)) {
        const int x = mapX(v.current, r, k.value);
        if (x < r.left || x > r.right)
            continue;
        if (k.major) {
            p.setPen(grid);
            p.drawLine(x, r.top, x, r.bottom);
        }
        p.setPen(mark);
        if (g.XOnTop)
            p.drawLine(x, r.top, x, r.top + t.dpiY / 16);
        else
            p.drawLine(x, r.bottom, x, r.bottom - t.dpiY / 16);
        if (k.major) {
            const QString text = significantText(k.value, 4);
            const int y = g.XOnTop ? r.top - th - t.dpiY / 32 : r.bottom + t.dpiY / 16;
            drawTextAt(p, x - textWidth(label, p.device(), text) / 2, y, text);
        }
    }
    for (const TTick &k : axisTicks(v.current.y, nY)) {
        const int y = mapY(v.current, r, g.XOnTop, k.value);
        if (y < r.top || y > r.bottom)
            continue;
        if (k.major) {
            p.setPen(grid);
            p.drawLine(r.left, y, r.right, y);
        }
        p.setPen(mark);
        p.drawLine(r.left, y, r.left + t.dpiX / 16, y);
        if (k.major) {
            const QString text = significantText(k.value, 4);
            drawTextUp(p, r.left - th - t.dpiX / 32, y + textWidth(label, p.device(), text) / 2, text);
        }
    }
}

// Liang-Barsky: the part of segment a-b inside r, if any.
bool clipSegment(QPointF &a, QPointF &b, const QRectF &r)
{
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF a0 = a;
    a = a0 + t0 * QPointF(dx, dy);
    b = a0 + t1 * QPointF(dx, dy);
    return true;
}

void drawCurves(QPainter &p, const TGraphPlot &g, const GraphView &v, const PaintTarget &t, const TPlotRect &r)
{
    const TLineSet &curves = g.Lines(0);
    if (curves.LineCount() == 0 || curves.Line(0).Points.size() < 2)
        return;
    p.save();
    // Clipped by geometry as well as by the painter: picture formats such as SVG keep no clip.
    const QRectF inside(r.left, r.top, r.width() + 1, r.height() + 1);
    p.setClipRect(inside.toRect());
    p.setRenderHint(QPainter::Antialiasing, t.smooth);
    p.setBrush(Qt::NoBrush);
    int position = 0;
    for (int i = 0; i < curves.LineCount(); ++i) {
        const TLine &line = curves.Line(i);
        if (!line.Active)
            continue;
        const int colour = position++;
        if (!line.Visible || line.Points.empty())
            continue;
        p.setPen(curvePen(g, t, paletteColor(colour)));
        QPolygonF run;
        auto flush = [&] {
            if (run.size() > 1)
                p.drawPolyline(run);
            run.clear();
        };
        QPointF previous = pixelCentre(mapToDevice(v.current, r, g.XOnTop, line.Points[0].X, line.Points[0].Y));
        if (line.Points.size() == 1 && inside.contains(previous))
            p.drawPoint(previous);
        for (size_t j = 1; j < line.Points.size(); ++j) {
            const QPointF next = pixelCentre(mapToDevice(v.current, r, g.XOnTop, line.Points[j].X, line.Points[j].Y));
            QPointF a = previous, b = next;
            if (clipSegment(a, b, inside)) {
                if (run.isEmpty() || run.last() != a) {
                    flush();
                    run << a;
                }
                run << b;
                if (b != next)
                    flush();
            } else {
                flush();
            }
            previous = next;
        }
        flush();
        if (g.Markers > 0)
            for (size_t j = 0; j < line.Points.size(); j += size_t(g.Markers)) {
                const QPoint at = mapToDevice(v.current, r, g.XOnTop, line.Points[j].X, line.Points[j].Y);
                if (r.contains(at))
                    drawMarker(p, i, at, t);
            }
    }
    p.restore();
}

void drawBand(QPainter &p, const TGraphPlot &g, const GraphView &v, const PaintTarget &t, const TPlotLayout &l)
{
    const TLineSet &layers = g.Lines(1);
    if (!l.hasBand || !g.ShowLayers || !g.HasLayers())
        return;
    const TPlotRect &b = l.band;
    const QRect clip(b.left, b.top, b.width(), b.height() + 1);
    p.save();
    p.setClipRect(clip);
    const bool printer = t.mode == OutputMode::Printer;
    QFont label = graphFont(g, t, false);
    const QPen outline(Qt::black, thinPen(t));
    int top = mapY(v.current, l.plot, g.XOnTop, g.BandOrigin);
    const int last = layers.LineCount() - 1;
    for (int i = 0; i <= last; ++i) {
        const TLine &layer = layers.Line(i);
        if (layer.Points.empty())
            continue;
        const TFloatPoint &pt = layer.Points.front();
        int bottom = mapY(v.current, l.plot, g.XOnTop, pt.Y);
        if (i == last)
            bottom = g.XOnTop ? std::min(bottom, l.plot.bottom) : std::max(bottom, l.plot.top);
        // Outline from the band's left to its right - 1; neighbours share their edge line.
        const QRect cell = QRect(QPoint(b.left, std::min(top, bottom)), QPoint(b.right - 1, std::max(top, bottom)));
        const int code = int(std::lround(pt.X));
        // Only the part in view is drawn: picture formats such as SVG keep no clip.
        const QRect shown = cell.intersected(clip);
        top = bottom;
        if (shown.isEmpty())
            continue;
        if (!fillSoilPattern(p, shown, code, printer, t.dpiX, QPoint(b.left, 0)))
            p.fillRect(shown, Qt::white);
        p.setPen(outline);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(shown.topLeft(), QSize(shown.width() - 1, shown.height() - 1)));

        // The name in the part of the layer that is in view, on white so the pattern does not
        // hide it; narrowed to fit the band, left out where the layer is thinner than the text.
        const QString name = layer.DisplayName();
        QFont f = label;
        const int room = b.width() - 2 * thinPen(t) - 2;
        const int w = textWidth(f, p.device(), name);
        if (w > room && w > 0)
            f.setPixelSize(std::max(1, f.pixelSize() * room / w));
        const int fw = textWidth(f, p.device(), name);
        const int fh = textHeight(f, p.device());
        if (shown.height() >= fh + 2) {
            p.setFont(f);
            const QRect box(shown.left() + (shown.width() - fw) / 2, shown.top() + (shown.height() - fh) / 2, fw, fh);
            p.fillRect(box, Qt::white);
            p.setPen(Qt::black);
            drawTextAt(p, box.left(), box.top(), name);
        }
    }
    p.restore();
}

struct TLegendRows {
    std::vector<int> lines;
    QStringList texts;
};

TLegendRows legendRows(const TGraphPlot &g)
{
    TLegendRows rows;
    const TLineSet &curves = g.Lines(0);
    for (int i = 0; i < curves.LineCount(); ++i) {
        if (curves.Line(i).Active && curves.Line(i).Visible) {
            rows.lines.push_back(i);
            rows.texts << g.LegendText(i);
        }
    }
    return rows;
}

// How many sampled curve pixels fall inside the box: the legend goes where the fewest do.
int curvePixelsIn(const TGraphPlot &g, const GraphView &v, const TPlotRect &r, const QRect &box)
{
    int count = 0;
    const TLineSet &curves = g.Lines(0);
    for (int i = 0; i < curves.LineCount(); ++i) {
        const TLine &line = curves.Line(i);
        if (!line.Active || !line.Visible)
            continue;
        for (size_t j = 0; j + 1 < line.Points.size(); ++j) {
            const QPoint a = mapToDevice(v.current, r, g.XOnTop, line.Points[j].X, line.Points[j].Y);
            const QPoint b = mapToDevice(v.current, r, g.XOnTop, line.Points[j + 1].X, line.Points[j + 1].Y);
            const int steps = std::clamp(std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())) / 3, 1, 400);
            for (int s = 0; s <= steps; ++s) {
                const QPoint q(a.x() + (b.x() - a.x()) * s / steps, a.y() + (b.y() - a.y()) * s / steps);
                count += box.contains(q) ? 1 : 0;
            }
        }
    }
    return count;
}

void drawLegend(QPainter &p, const TGraphPlot &g, const GraphView &v, const PaintTarget &t, const TPlotLayout &l)
{
    const QRect box = pictureLegendRect(g, v, t, l, p.device());
    if (box.isEmpty())
        return;
    const TLegendRows rows = legendRows(g);
    const QFont label = graphFont(g, t, false);
    p.save();
    p.setFont(label);
    const int th = textHeight(label, p.device());
    p.setPen(QPen(Qt::black, thinPen(t)));
    p.setBrush(Qt::white);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    int y = box.top() + t.dpiY / 32;
    for (size_t r = 0; r < rows.lines.size(); ++r) {
        const int line = rows.lines[r];
        const QColor colour = paletteColor(g.ActivePosition(line));
        const QPoint mid(box.left() + t.dpiX / 16, y + th / 2);
        p.setRenderHint(QPainter::Antialiasing, t.smooth);
        p.setPen(curvePen(g, t, colour));
        p.setBrush(Qt::NoBrush);
        if (g.Markers > 0)
            drawMarker(p, line, mid, t);
        else // no markers on the curves: a short piece of the curve instead
            p.drawLine(pixelCentre(mid - QPoint(t.dpiX / 32, 0)), pixelCentre(mid + QPoint(t.dpiX / 32, 0)));
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(colour);
        drawTextAt(p, box.left() + t.dpiX / 8, y, rows.texts.at(qsizetype(r)));
        y += th + t.dpiY / 32;
    }
    p.restore();
}

} // namespace

std::optional<GraphView> initialView(const TGraphPlot &graph)
{
    const auto scale = windowScale(graph);
    if (!scale)
        return std::nullopt;
    GraphView view;
    view.current = view.full = *scale;
    return view;
}

int graphFontHeight(const TGraphPlot &graph, const PaintTarget &target)
{
    const int base = int(std::lround(kBasePoints * target.dpiY / 72));
    return std::max(1, std::abs(base * std::max(graph.SizeFont, 1) / 10));
}

QFont graphFont(const TGraphPlot &graph, const PaintTarget &target, bool bold)
{
    QFont font("Times New Roman");
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(graphFontHeight(graph, target));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    if (!target.smooth)
        font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

TPlotLayout layoutFor(const TGraphPlot &graph, const PaintTarget &target)
{
    TLayoutInput in;
    in.area = target.area;
    in.dpiX = target.dpiX;
    in.dpiY = target.dpiY;
    in.fontHeight = graphFontHeight(graph, target);
    in.xOnTop = graph.XOnTop;
    in.titleShown = !graph.Title.isEmpty();
    in.titleAt = graph.TitleLocation;
    in.showLayers = graph.ShowLayers && graph.HasLayers();
    switch (target.mode) {
    case OutputMode::Printer: return printerLayout(in);
    case OutputMode::Bitmap: return screenLayout(in, 2);
    case OutputMode::Screen: break;
    }
    return screenLayout(in, 1);
}

QRect pictureLegendRect(const TGraphPlot &g, const GraphView &v, const PaintTarget &t, const TPlotLayout &l,
                        const QPaintDevice *device)
{
    if (t.mode == OutputMode::Screen || !g.ShowLegend)
        return {};
    const TLegendRows rows = legendRows(g);
    if (rows.lines.empty())
        return {};
    const QFont label = graphFont(g, t, false);
    const int th = textHeight(label, device);
    int widest = 0;
    for (const QString &text : rows.texts)
        widest = std::max(widest, textWidth(label, device, text));
    const QSize size(widest + 3 * t.dpiX / 16, int(rows.lines.size()) * (th + t.dpiY / 32) + t.dpiY / 32);
    const TPlotRect &r = l.plot;
    // Kept inside the plot so that no part of it is cut off by the page or picture edge.
    auto placed = [&](int x, int y) {
        x = std::clamp(x, r.left + 1, std::max(r.left + 1, r.right - size.width()));
        y = std::clamp(y, r.top + 1, std::max(r.top + 1, r.bottom - size.height()));
        return QRect(QPoint(x, y), size);
    };
    if (v.legendAt)
        return placed(r.left + int(r.width() * v.legendAt->x()), r.top + int(r.height() * v.legendAt->y()));
    const int gap = t.dpiX / 16;
    const QRect corners[4] = {placed(r.right - gap - size.width(), r.bottom - gap - size.height()),
                              placed(r.right - gap - size.width(), r.top + gap),
                              placed(r.left + gap, r.bottom - gap - size.height()), placed(r.left + gap, r.top + gap)};
    int best = 0, fewest = -1;
    for (int c = 0; c < 4; ++c) {
        // Counted with a margin, so that the box also keeps clear of curves passing close by.
        const int n = curvePixelsIn(g, v, r, corners[c].adjusted(-t.dpiX / 8, -t.dpiY / 8, t.dpiX / 8, t.dpiY / 8));
        if (fewest < 0 || n < fewest) {
            fewest = n;
            best = c;
        }
    }
    return corners[best];
}

void paintGraph(QPainter &painter, const TGraphPlot &graph, const GraphView &view, const PaintTarget &target)
{
    painter.save();
    painter.fillRect(target.area, Qt::white);
    if (target.area.width() < target.dpiX || target.area.height() < target.dpiY || !(view.current.x.width() > 0) ||
        !(view.current.y.width() > 0)) {
        painter.restore();
        return;
    }
    painter.setRenderHint(QPainter::TextAntialiasing, target.smooth);
    const TPlotLayout layout = view.layout ? *view.layout : layoutFor(graph, target);
    const int h = graphFontHeight(graph, target);
    drawCaptions(painter, graph, target, h);
    drawTicks(painter, graph, view, target, layout.plot, h);
    drawCurves(painter, graph, view, target, layout.plot);
    drawBand(painter, graph, view, target, layout);
    painter.setPen(QPen(Qt::black, thinPen(target)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(layout.plot.toRect());
    drawLegend(painter, graph, view, target, layout);
    painter.restore();
}
