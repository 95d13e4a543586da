#include "soilpatterns.h"

#include <QTransform>

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
