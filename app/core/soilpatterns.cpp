#include "soilpatterns.h"

#include <QPainter>
#include <QTransform>

#include <cmath>

#include <array>

// The patterns live in a static library, whose resources register only when asked to;
// the macro must stand outside any namespace.
static void registerSoilPatterns()
{
    Q_INIT_RESOURCE(soilpatterns);
}

namespace {

constexpr const char *kNames[12] = {"clay",       "fdiagonal", "cross", "diagcross", "horizontal",   "vertical",
                                    "sand",       "shale",     "rock",  "weakrock",  "gravellysand", "gravel"};

struct TPatternSet {
    std::array<QImage, 12> screen, printer;
    TPatternSet()
    {
        registerSoilPatterns();
        for (int i = 0; i < 12; ++i) {
            const QString base = QString(":/patterns/") + kNames[i];
            screen[size_t(i)] = QImage(base + ".xpm").convertToFormat(QImage::Format_RGB32);
            printer[size_t(i)] = QImage(base + "_printer.xpm").convertToFormat(QImage::Format_RGB32);
        }
    }
};

const TPatternSet &patterns()
{
    static const TPatternSet set;
    return set;
}

} // namespace

const QImage &soilPattern(int fillCode, bool printer)
{
    static const QImage none;
    if (fillCode < 1 || fillCode > 12)
        return none;
    const TPatternSet &p = patterns();
    return (printer ? p.printer : p.screen)[size_t(fillCode - 1)];
}

QBrush soilBrush(int fillCode, bool printer, int dpi)
{
    const QImage &tile = soilPattern(fillCode, printer);
    if (tile.isNull())
        return QBrush(Qt::NoBrush);
    QBrush brush(tile);
    if (printer && dpi > 0) {
        const double scale = double(dpi) / kPrinterPatternDpi;
        brush.setTransform(QTransform::fromScale(scale, scale));
    }
    return brush;
}

bool fillSoilPattern(QPainter &painter, const QRect &rect, int fillCode, bool printer, int dpi, QPoint origin)
{
    const QImage &tile = soilPattern(fillCode, printer);
    if (tile.isNull() || rect.isEmpty())
        return false;
    const double scale = printer && dpi > 0 ? double(dpi) / kPrinterPatternDpi : 1.0;
    const double w = tile.width() * scale, h = tile.height() * scale;
    const QRectF area(rect);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const double x0 = origin.x() + std::floor((area.left() - origin.x()) / w) * w;
    const double y0 = origin.y() + std::floor((area.top() - origin.y()) / h) * h;
    // Each tile cut to the rectangle by its source part, so no clip is needed.
    for (double y = y0; y < area.bottom(); y += h)
        for (double x = x0; x < area.right(); x += w) {
            const QRectF target = QRectF(x, y, w, h).intersected(area);
            if (target.isEmpty())
                continue;
            const QRectF source((target.left() - x) / scale, (target.top() - y) / scale, target.width() / scale,
                                target.height() / scale);
            // A cut tile is drawn from its own copy: the SVG writer ignores the source part
            // and would squeeze the whole tile into the cut.
            if (source.size() == QSizeF(tile.size()))
                painter.drawImage(target, tile);
            else
                painter.drawImage(target, tile.copy(source.toAlignedRect()));
        }
    painter.restore();
    return true;
}
