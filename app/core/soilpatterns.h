#pragma once

#include <QBrush>
#include <QImage>

/// The twelve fill patterns of the soil-layer band, built into the program: 1 clay, 2 forward
/// diagonal hatch, 3 cross hatch, 4 diagonal cross hatch, 5 horizontal hatch, 6 vertical
/// hatch, 7 sand, 8 shale, 9 rock, 10 weak rock, 11 gravelly sand, 12 gravel.

/// Black-on-white tile of a fill code; the printer version is drawn for 240 pixels per inch.
/// A null image for any other code (no fill).
const QImage &soilPattern(int fillCode, bool printer);

/// Brush of a fill code: the screen tile in device pixels, or the printer tile scaled to
/// keep its size on paper at dpi. Qt::NoBrush for any other code.
QBrush soilBrush(int fillCode, bool printer, int dpi);

class QPainter;
/// Fills rect with the tiles of a fill code laid from origin, as soilBrush would, but as
/// images: picture formats such as SVG keep images and drop texture brushes. False, with
/// nothing drawn, for a code without a pattern.
bool fillSoilPattern(QPainter &painter, const QRect &rect, int fillCode, bool printer, int dpi, QPoint origin);

inline constexpr int kPrinterPatternDpi = 240;
