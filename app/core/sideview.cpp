#include "sideview.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ColumnTypes.h"
#include "numformat.h"
#include "projectdata.h"

namespace {

QString depthText(double value) { return QString::fromStdString(formatFileReal(value)); }

QString depthRange(const TSideLayer &layer)
{
    return "depth= " + depthText(layer.Top) + " - " + depthText(layer.Bottom);
}

// Sizes of the page's ground strokes are given in dots of a 600 dpi printer.
double pageDots(const QPainter &painter, double dots)
{
    const int dpi = painter.device() ? painter.device()->logicalDpiX() : 600;
    return dots * dpi / 600.0;
}

QPen inkPen(const QColor &colour, double width)
{
    QPen pen(colour);
    pen.setWidthF(width);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void drawTextTop(QPainter &painter, int x, int top, const QString &text)
{
    painter.drawText(QPoint(x, top + painter.fontMetrics().ascent()), text);
}

} // namespace

TSideInput sideInputFromProject(const TProgramData &project)
{
    TSideInput in;
    in.Diameter = project.ShaftData[sdDSTART];
    in.BellRatio = project.ShaftData[sdRATIO];
    in.BellAngle = project.ShaftData[sdBELANG];
    in.DesignDepth = project.DesignDepth;
    const TGridTable &layers = project.layers();
    double top = 0;
    for (int row = 0; row < layers.rowCount(); ++row) {
        TSideLayer layer;
        layer.SoilType = layers.intValue(colSoilType, row);
        layer.Top = top;
        layer.Bottom = layers.floatValue(colDepth, row);
        top = layer.Bottom;
        in.Layers.push_back(layer);
    }
    return in;
}

bool sideLabelBelowTopLine(int soilType)
{
    return soilType == 1 || soilType == 2 || soilType == 8 || soilType == 9;
}

QString sideLayerLabel(const TSideLayer &layer, TSideOutput output)
{
    if (output == TSideOutput::Page) {
        static const char *const kPageNames[] = {"; Sand",           "; Clay",      "; Shale",
                                                 "; Strong Rock",    "; Decomposed Rock",
                                                 "; Soft Rock",      "; Strong Rock",
                                                 "; Gravelly Sand",  "; Gravel"};
        const int code = layer.SoilType;
        return depthRange(layer) + (code >= 1 && code <= 9 ? kPageNames[code - 1] : "");
    }
    switch (layer.SoilType) {
    case 1: return depthRange(layer) + "; Sand";
    case 2: return depthRange(layer) + "; Clay";
    case 3: return "Shale";
    case 4: return "Strong Rock";
    case 5: return "Decomposed Rock";
    case 6: return "Weak Rock";
    case 7: return "Strong Rock";
    case 8: return depthRange(layer) + "; Gravelly Sand";
    case 9: return depthRange(layer) + "; Gravel";
    default: return {};
    }
}

QString sideDepthCaption(double depth)
{
    return "  Depth: " + QString::number(depth, 'f', 1);
}

void TSideView::Build(const TSideInput &input)
{
    m_pieces.clear();
    m_layers = input.Layers;
    if (m_layers.empty())
        return;

    const double D = input.Diameter;
    m_stickup = 2 * D;
    const double S = m_stickup;
    m_length = input.DesignDepth < 1e-4 ? lastBottom() : input.DesignDepth;
    const double L = m_length;

    m_pieces.push_back({{-D / 2, 0}, {D / 2, 0}, {-D / 2, L + S}, {D / 2, L + S}});

    // The engine's rule for a bell: a base wider than the stem and an angle from the vertical
    // that has a tangent. The bell's height is the half-widening over that tangent.
    const double r = input.BellRatio, a = input.BellAngle;
    if (r > 1 && a > 0 && a <= 90) {
        const double Bb = r * D;
        const double b = (r - 1) * D / 2;
        const double height = b / std::tan(a * std::numbers::pi / 180);
        const double top = std::max(L + S - height, 0.0);
        m_pieces.push_back({{-D / 2, top}, {D / 2, top}, {-Bb / 2, L + S}, {Bb / 2, L + S}});
    }

    TSideExtents w{0, 0, 0, 0};
    for (const TShaftPiece &p : m_pieces) {
        w.Xmin = std::min({w.Xmin, p.TopLeft.X, p.BottomLeft.X});
        w.Xmax = std::max({w.Xmax, p.TopRight.X, p.BottomRight.X});
        w.Ymin = std::min(w.Ymin, p.TopLeft.Y);
        w.Ymax = std::max(w.Ymax, p.BottomRight.Y);
    }
    // The whole profile stays in view also under a short shaft.
    w.Ymax = std::max(w.Ymax, lastBottom() + S);
    m_world = w;
}

void TSideView::ApplyViewRule(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    const double wx = m_world.Xmax - m_world.Xmin;
    const double wy = m_world.Ymax - m_world.Ymin;
    const double k = (double(width) / height) / (wx / wy);
    if (!std::isfinite(k) || !(k > 0)) {
        m_disabled = true;
        return;
    }
    m_disabled = false;
    m_view = m_world;
    if (k >= 1) {
        m_view.Xmin = m_world.Xmin * k;
        m_view.Xmax = m_world.Xmax * k;
    } else {
        m_view.Ymin = m_world.Ymin / k;
        m_view.Ymax = m_world.Ymax / k;
    }
}

QPoint TSideView::ToScreen(const TSidePoint &p, const QRect &area) const
{
    const double W = area.width(), H = area.height();
    const long x = std::lround(W * (p.X - m_view.Xmin) / (m_view.Xmax - m_view.Xmin));
    const long y = std::lround(H * (p.Y - m_view.Ymin) / (m_view.Ymax - m_view.Ymin));
    return {area.left() + int(x), area.top() + int(y)};
}

double TSideView::YAt(int y, const QRect &area) const
{
    return double(y - area.top()) / area.height() * (m_view.Ymax - m_view.Ymin) + m_view.Ymin;
}

double TSideView::PageScale(const QRect &page) const
{
    const double range = std::max(lastBottom(), m_length) + m_stickup;
    return range > 0 ? page.height() * 0.8 / range : 0;
}

int TSideView::PageY(double depth, const QRect &page) const
{
    const double PH = page.height();
    return page.top() + int(std::lround((depth + m_stickup) * PageScale(page))) + int(std::lround(PH * 0.1));
}

void TSideView::Paint(QPainter &painter, const QRect &area, TSideOutput output, const TSideStyle &style) const
{
    painter.save();
    painter.setFont(style.Font);
    if (output == TSideOutput::Screen)
        paintScreen(painter, area, style);
    else
        paintPage(painter, area, style);
    painter.restore();
}

void TSideView::paintScreen(QPainter &painter, const QRect &area, const TSideStyle &style) const
{
    painter.fillRect(area, style.Background);
    if (m_disabled)
        return;
    const int textHeight = painter.fontMetrics().height();
    const int left = area.left(), right = area.right();
    const double S = m_stickup;
    for (size_t i = 0; i < m_layers.size(); ++i) {
        const TSideLayer &layer = m_layers[i];
        if (i == 0) {
            const int y = ToScreen({0, S}, area).y();
            painter.setPen(inkPen(style.Ink, 2));
            painter.drawLine(left, y, right, y);
            painter.setPen(inkPen(style.Ink, 1));
            // The strokes hang from the ground line only: a narrow window shows fewer.
            for (int j = 1; j <= 20 && left + 115 + 20 * j <= right; ++j)
                painter.drawLine(left + 100 + 20 * j, y, left + 115 + 20 * j, y + 5);
        }
        painter.setPen(inkPen(style.Ink, 1));
        const int yBottom = ToScreen({0, layer.Bottom + S}, area).y();
        painter.drawLine(left, yBottom, right, yBottom);
        const int yTop = ToScreen({0, layer.Top + S}, area).y();
        drawTextTop(painter, left, yTop + (sideLabelBelowTopLine(layer.SoilType) ? textHeight : 0),
                    sideLayerLabel(layer, TSideOutput::Screen));
    }
    painter.setPen(inkPen(style.Shaft, 1));
    painter.setBrush(style.Shaft);
    for (const TShaftPiece &p : m_pieces) {
        const QPolygon polygon{ToScreen(p.TopLeft, area), ToScreen(p.TopRight, area),
                               ToScreen(p.BottomRight, area), ToScreen(p.BottomLeft, area)};
        painter.drawPolygon(polygon);
    }
}

void TSideView::paintPage(QPainter &painter, const QRect &page, const TSideStyle &style) const
{
    const double PW = page.width(), PH = page.height();
    const int x10 = page.left() + int(std::lround(PW * 0.1));
    const int x90 = page.left() + int(std::lround(PW * 0.9));
    const int y10 = page.top() + int(std::lround(PH * 0.1));
    const int y90 = page.top() + int(std::lround(PH * 0.9));
    painter.fillRect(QRect(QPoint(x10, y10), QPoint(x90, y90)), style.Background);
    const double scale = PageScale(page);
    if (m_layers.empty() || !(scale > 0) || !std::isfinite(scale))
        return;

    const int textHeight = painter.fontMetrics().height();
    const double line = std::max(1.0, pageDots(painter, 3));
    const int labelX = page.left() + int(std::lround(0.15 * PH));
    for (size_t i = 0; i < m_layers.size(); ++i) {
        const TSideLayer &layer = m_layers[i];
        if (i == 0) {
            const int y = PageY(0, page);
            painter.setPen(inkPen(style.Ink, 2 * line));
            painter.drawLine(x10, y, x90, y);
            painter.setPen(inkPen(style.Ink, line));
            const int x0 = page.left() + int(std::lround(0.35 * PH));
            const int x1 = page.left() + int(std::lround(0.365 * PH));
            for (int j = 1; j <= 10; ++j) {
                const int dx = int(std::lround(pageDots(painter, 50 * j)));
                painter.drawLine(x0 + dx, y, x1 + dx, y + int(std::lround(pageDots(painter, 70))));
            }
        }
        painter.setPen(inkPen(style.Ink, line));
        const int yBottom = PageY(layer.Bottom, page);
        painter.drawLine(x10, yBottom, x90, yBottom);
        drawTextTop(painter, labelX, PageY(layer.Top, page) + textHeight, sideLayerLabel(layer, TSideOutput::Page));
    }

    const double centre = page.left() + PW / 2;
    auto toPage = [&](const TSidePoint &p) {
        return QPoint(int(std::lround(centre + p.X * scale)), PageY(p.Y - m_stickup, page));
    };
    painter.setPen(inkPen(style.Shaft, line));
    painter.setBrush(style.Shaft);
    for (const TShaftPiece &p : m_pieces)
        painter.drawPolygon(QPolygon{toPage(p.TopLeft), toPage(p.TopRight), toPage(p.BottomRight), toPage(p.BottomLeft)});
}
