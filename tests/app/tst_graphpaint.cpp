#include <QtTest>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "core/graph.h"
#include "core/graphpaint.h"
#include "core/plotcommand.h"
#include "core/soilpatterns.h"

namespace {

void setLine(TGraphPlot &g, int line, const std::vector<TFloatPoint> &points)
{
    if (g.Lines(0).LineCount() <= line)
        g.Lines(0).SetLineCount(line + 1);
    g.Lines(0).Line(line).Points = points;
}

QImage paint(const TGraphPlot &g, const GraphView &view, const PaintTarget &target, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::cyan); // anything not painted shows
    QPainter p(&image);
    paintGraph(p, g, view, target);
    return image;
}

QColor at(const QImage &image, QPoint p)
{
    return image.pixelColor(p);
}

bool isWhite(const QColor &c)
{
    return c == QColor(Qt::white);
}

bool near(const QColor &c, const QColor &want, int tolerance)
{
    return std::abs(c.red() - want.red()) <= tolerance && std::abs(c.green() - want.green()) <= tolerance &&
           std::abs(c.blue() - want.blue()) <= tolerance;
}

// Two curves of a depth graph, with an inactive and an invisible one: X 0 to 500, Y 0 to 100.
void curvesGraph(TGraphPlot &g)
{
    g.Markers = 0;
    setLine(g, 0, {{0, 0}, {500, 100}});      // inactive: not drawn, but in the scale
    setLine(g, 1, {{100, 33}, {400, 33}});    // first active: black
    setLine(g, 2, {{300, 10}, {300, 90}});    // second active: blue
    setLine(g, 3, {{0, 20}, {500, 20}});      // invisible
    g.Lines(0).Line(0).Active = false;
    g.Lines(0).Line(3).Visible = false;
    g.XCaption = "Ultimate Skin Friction";
    g.XUnits = "F2";
    g.YCaption = "Depth";
    g.YUnits = "L2";
}

const PaintTarget kScreen{QRect(0, 0, 800, 600), 96, 96, OutputMode::Screen};

} // namespace

class TestGraphPaint : public QObject {
    Q_OBJECT
private slots:
    void frameAndCurves()
    {
        TGraphPlot g;
        curvesGraph(g);
        const GraphView view = *initialView(g);
        QCOMPARE(view.full, (TViewRange{{0, 500}, {0, 100}}));
        const QImage image = paint(g, view, kScreen, kScreen.area.size());
        const TPlotLayout layout = layoutFor(g, kScreen);
        const TPlotRect &r = layout.plot;
        QCOMPARE(r, (TPlotRect{39, 39, 770, 570}));
        const int midY = 333, midX = 555; // off the grid lines
        QCOMPARE(at(image, {r.left, midY}), QColor(Qt::black));
        QCOMPARE(at(image, {r.right, midY}), QColor(Qt::black));
        QCOMPARE(at(image, {midX, r.top}), QColor(Qt::black));
        QCOMPARE(at(image, {midX, r.bottom}), QColor(Qt::black));
        QVERIFY(isWhite(at(image, {r.right + 2, midY})));
        QVERIFY(isWhite(at(image, {r.left + 20, r.bottom + 3})));

        auto pixel = [&](double X, double Y) { return at(image, mapToDevice(view.current, r, true, X, Y)); };
        QCOMPARE(pixel(260, 33), QColor(Qt::black));        // the first active curve, Y downward
        QCOMPARE(pixel(300, 70), QColor(0, 0, 255));         // the second, in the second colour
        QVERIFY(pixel(250, 20) != paletteColor(2));           // the invisible one is not drawn
        QVERIFY(isWhite(pixel(430, 86)));                     // nor the inactive one
        QVERIFY(isWhite(pixel(455, 33)));                     // past the end of a curve
        QVERIFY(isWhite(pixel(260, 67)));                     // not mirrored

        // Zoomed into X 200 to 300: the part left of the view is clipped away.
        GraphView zoomed = view;
        zoomed.current.x = {200, 300};
        const QImage z = paint(g, zoomed, kScreen, kScreen.area.size());
        QCOMPARE(at(z, mapToDevice(zoomed.current, r, true, 260, 33)), QColor(Qt::black));
        QCOMPARE(at(z, {r.right, mapY(zoomed.current, r, true, 33)}), QColor(Qt::black)); // frame over curve
        QVERIFY(isWhite(at(z, {r.right + 3, mapY(zoomed.current, r, true, 33)})));
    }

    void xAxisBelow()
    {
        TGraphPlot g;
        curvesGraph(g);
        g.XOnTop = false;
        const GraphView view = *initialView(g);
        const QImage image = paint(g, view, kScreen, kScreen.area.size());
        const TPlotRect r = layoutFor(g, kScreen).plot;
        QCOMPARE(r, (TPlotRect{39, 30, 770, 561}));
        // Y grows upward now: Y = 70 stands above Y = 30.
        QVERIFY(mapY(view.current, r, false, 70) < mapY(view.current, r, false, 30));
        QCOMPARE(at(image, mapToDevice(view.current, r, false, 260, 33)), QColor(Qt::black));
        QVERIFY(isWhite(at(image, mapToDevice(view.current, r, true, 260, 33))));
    }

    void markers()
    {
        TGraphPlot g;
        g.Markers = 2;
        g.Lines(0).SetLineCount(11);
        g.Lines(0).SetPointCount(5);
        for (int i = 0; i < 11; ++i)
            for (int j = 0; j < 5; ++j)
                g.Lines(0).Point(i, j) = {i == 10 ? 300.0 : i == 0 ? 100.0 : 500.0, 10.0 + 20 * j};
        for (int i = 1; i < 10; ++i)
            g.Lines(0).Line(i).Visible = false;
        const PaintTarget t{QRect(0, 0, 800, 600), 192, 192, OutputMode::Screen};
        const GraphView view = *initialView(g);
        const QImage image = paint(g, view, t, t.area.size());
        const TPlotRect r = layoutFor(g, t).plot;
        const int reach = 192 / 32; // marker radius
        for (int line : {0, 10}) { // the 11th curve carries the triangle again
            const double X = line == 10 ? 300 : 100;
            const QPoint p2 = mapToDevice(view.current, r, true, X, 50); // point 2: a marker
            const QPoint p1 = mapToDevice(view.current, r, true, X, 30); // point 1: none
            // Hidden curves keep their place among the active ones: the 11th is the 11th colour.
            const QColor colour = paletteColor(line);
            // The triangle's vertex at 180 degrees, left of the point.
            QVERIFY2(near(at(image, p2 - QPoint(reach, 0)), colour, 110), qPrintable(QString::number(line)));
            QVERIFY(isWhite(at(image, p1 - QPoint(reach, 0))));
            // The vertices at 60 and 300 degrees stand right of the curve, none left of it.
            QVERIFY(!isWhite(at(image, p2 + QPoint(reach / 2, -int(std::lround(reach * 0.866)) + 1))));
        }
    }

    void layerBandFill()
    {
        TGraphPlot g;
        curvesGraph(g);
        g.ShowLayers = true;
        g.Lines(1).SetLineCount(3);
        g.Lines(1).SetPointCount(1);
        g.Lines(1).Point(0, 0) = {1, 30};  // clay to 30
        g.Lines(1).Point(1, 0) = {7, 60};  // sand to 60
        g.Lines(1).Point(2, 0) = {0, 140}; // no fill, past the plot bottom
        g.Lines(1).Line(0).Name = " CLAY ";
        const GraphView view = *initialView(g);
        const QImage image = paint(g, view, kScreen, kScreen.area.size());
        const TPlotLayout l = layoutFor(g, kScreen);
        QVERIFY(l.hasBand);
        QCOMPARE(l.band, (TPlotRect{693, 39, 770, 570}));
        QCOMPARE(l.plot.right, 674);

        // Away from the outlines and the name, the band shows the tile, laid from its left edge.
        auto matchesTile = [&](int fill, int y0, int y1) {
            const QImage &tile = soilPattern(fill, false);
            int black = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = l.band.left + 2; x < l.band.right - 3; ++x) {
                    const QColor want = tile.pixelColor((x - l.band.left) % tile.width(), y % tile.height());
                    if (at(image, {x, y}) != want)
                        return false;
                    black += want == QColor(Qt::black) ? 1 : 0;
                }
            return black > 0;
        };
        const int clayBottom = mapY(view.current, l.plot, true, 30);
        QVERIFY(matchesTile(1, l.band.top + 2, l.band.top + 40));
        QVERIFY(matchesTile(7, clayBottom + 2, clayBottom + 40));
        // Outlines: the band's left edge, the shared edge between the layers.
        QCOMPARE(at(image, {l.band.left, l.band.top + 50}), QColor(Qt::black));
        QCOMPARE(at(image, {l.band.left + 5, clayBottom}), QColor(Qt::black));
        // The last layer, without a fill, ends at the plot's bottom edge.
        const int sandBottom = mapY(view.current, l.plot, true, 60);
        QVERIFY(isWhite(at(image, {l.band.left + 4, sandBottom + 5})));
        QCOMPARE(at(image, {l.band.left + 4, l.plot.bottom}), QColor(Qt::black));
        // The layer name stands on white in the middle of its layer.
        const QPoint middle((l.band.left + l.band.right) / 2, (l.band.top + clayBottom) / 2);
        int dark = 0, white = 0;
        for (int x = middle.x() - 15; x <= middle.x() + 15; ++x) {
            dark += at(image, {x, middle.y()}).lightness() < 128 ? 1 : 0;
            white += isWhite(at(image, {x, middle.y()})) ? 1 : 0;
        }
        QVERIFY(dark > 0 && white > 10);

        // Without ShowLayers the plot keeps the whole width and nothing is drawn there.
        g.ShowLayers = false;
        const QImage plain = paint(g, view, kScreen, kScreen.area.size());
        QCOMPARE(layoutFor(g, kScreen).plot.right, 770);
        QVERIFY(isWhite(at(plain, {l.band.left + 20, l.band.top + 300})) ||
                at(plain, {l.band.left + 20, l.band.top + 300}) != QColor(Qt::black));
    }

    void legendInPictures()
    {
        TGraphPlot g;
        setLine(g, 0, {{0, 0}, {100, 80}});
        setLine(g, 1, {{0, 0}, {200, 80}});
        setLine(g, 2, {{0, 0}, {300, 80}});
        g.Lines(0).Line(0).Name = "Dia=3 ft";
        g.Lines(0).Line(1).Name = "Dia=3.5 ft";
        g.Lines(0).Line(2).Name = "Dia=4 ft";
        g.Lines(0).Line(1).Visible = false; // not listed
        GraphView view = *initialView(g);
        view.legendAt = QPointF(0.05, 0.6);
        const PaintTarget t{QRect(0, 0, 900, 600), 150, 150, OutputMode::Bitmap};
        QImage image(900, 600, QImage::Format_RGB32);
        {
            QPainter p(&image);
            paintGraph(p, g, view, t);
        }
        const TPlotLayout l = layoutFor(g, t);
        const QRect box = pictureLegendRect(g, view, t, l, &image);
        const int th = QFontMetrics(graphFont(g, t, false), &image).height();
        QCOMPARE(box.height(), 2 * (th + 150 / 32) + 150 / 32);
        QCOMPARE(box.left(), l.plot.left + int(l.plot.width() * 0.05));
        QCOMPARE(at(image, {box.left(), box.center().y()}), QColor(Qt::black));
        QCOMPARE(at(image, {box.right(), box.center().y()}), QColor(Qt::black));

        // Row 2 lists the third curve in its colour (red); the hidden blue one is not listed.
        auto count = [&](int rowTop, const QColor &colour) {
            int n = 0;
            for (int y = rowTop; y < rowTop + th; ++y)
                for (int x = box.left() + 150 / 8; x < box.right() - 1; ++x)
                    n += near(at(image, {x, y}), colour, 60) ? 1 : 0;
            return n;
        };
        const int row0 = box.top() + 150 / 32, row1 = row0 + th + 150 / 32;
        QVERIFY(count(row0, Qt::black) > 20);
        QVERIFY(count(row1, paletteColor(2)) > 20);
        QCOMPARE(count(row0, paletteColor(1)) + count(row1, paletteColor(1)), 0);

        // Kept inside the plot however far the window's legend was.
        view.legendAt = QPointF(0.99, 0.99);
        const QRect pushed = pictureLegendRect(g, view, t, l, &image);
        QVERIFY(pushed.right() < l.plot.right && pushed.bottom() < l.plot.bottom);
        // No legend in the window's own drawing, nor with ShowLegend off.
        QVERIFY(pictureLegendRect(g, view, kScreen, layoutFor(g, kScreen), &image).isEmpty());
        g.ShowLegend = false;
        QVERIFY(pictureLegendRect(g, view, t, l, &image).isEmpty());
    }

    void legendFindsTheEmptyCorner()
    {
        // A depth graph: curves from the top left to the bottom right leave two corners free;
        // the one without curves near it wins over the bottom right.
        TGraphPlot g;
        setLine(g, 0, {{0, 0}, {100, 20}, {400, 60}, {500, 100}});
        const GraphView view = *initialView(g);
        const PaintTarget t{QRect(0, 0, 900, 600), 150, 150, OutputMode::Bitmap};
        QImage image(900, 600, QImage::Format_RGB32);
        const TPlotLayout l = layoutFor(g, t);
        const QRect box = pictureLegendRect(g, view, t, l, &image);
        QVERIFY(!box.isEmpty());
        const bool topRight = box.right() > l.plot.left + l.plot.width() / 2 && box.bottom() < l.plot.top + l.plot.height() / 2;
        const bool bottomLeft = box.left() < l.plot.left + l.plot.width() / 2 && box.top() > l.plot.top + l.plot.height() / 2;
        QVERIFY(topRight || bottomLeft);
    }

    void smallWindows()
    {
        TGraphPlot g;
        curvesGraph(g);
        const GraphView view = *initialView(g);
        // Under one inch high: only white.
        const PaintTarget tiny{QRect(0, 0, 300, 90), 96, 96, OutputMode::Screen};
        const QImage white = paint(g, view, tiny, tiny.area.size());
        for (int y = 0; y < 90; y += 7)
            for (int x = 0; x < 300; x += 7)
                QVERIFY(isWhite(at(white, {x, y})));
        // Room for one label interval across but none down: curves and frame, no ticks or grid.
        const PaintTarget small{QRect(0, 0, 400, 130), 96, 96, OutputMode::Screen};
        const QImage image = paint(g, view, small, small.area.size());
        const TPlotRect r = layoutFor(g, small).plot;
        QCOMPARE(tickCount(r.height(), graphFontHeight(g, small)), 0);
        QVERIFY(tickCount(r.width(), graphFontHeight(g, small)) > 0);
        int coloured = 0;
        for (int y = r.top + 1; y < r.bottom; ++y)
            for (int x = r.left + 1; x < r.right; ++x) {
                const QColor c = at(image, {x, y});
                QVERIFY2(isWhite(c) || c == QColor(Qt::black) || c.blue() > c.red(), "a grid or tick pixel");
                coloured += isWhite(c) ? 0 : 1;
            }
        QVERIFY(coloured > 0);
        QCOMPARE(at(image, {r.left, (r.top + r.bottom) / 2}), QColor(Qt::black));
    }

    void printerPage()
    {
        TGraphPlot g;
        curvesGraph(g);
        g.ShowLayers = true;
        g.Lines(1).SetLineCount(1);
        g.Lines(1).SetPointCount(1);
        g.Lines(1).Point(0, 0) = {9, 100};
        const GraphView view = *initialView(g);
        // A letter page at 300 dpi with one-inch margins.
        const PaintTarget t{QRect(300, 300, 1950, 2700), 300, 300, OutputMode::Printer};
        const QImage image = paint(g, view, t, QSize(2550, 3300));
        const TPlotLayout l = layoutFor(g, t);
        QCOMPARE(l.plot.right, 2250 - 300);
        QCOMPARE(l.band.right, 2250);
        QCOMPARE(at(image, {l.plot.left, 1500}), QColor(Qt::black));
        QCOMPARE(at(image, {100, 100}), QColor(Qt::cyan)); // nothing is drawn in the margin
        // The printer's rock tile, scaled to 300 dpi, fills the band.
        int black = 0;
        for (int x = l.band.left + 5; x < l.band.right - 5; ++x)
            black += at(image, {x, 1200}).lightness() < 100 ? 1 : 0;
        QVERIFY(black > 0);
        QVERIFY(!pictureLegendRect(g, view, t, l, &image).isEmpty());
    }

    void vectorPicturesKeepInside()
    {
        // SVG keeps no clip: a zoomed view must not spill curves or tiles out of the plot.
        TGraphPlot g;
        curvesGraph(g);
        setLine(g, 4, {{0, 0}, {500, 100}});
        g.ShowLayers = true;
        g.Lines(1).SetLineCount(2);
        g.Lines(1).SetPointCount(1);
        g.Lines(1).Point(0, 0) = {1, 30};
        g.Lines(1).Point(1, 0) = {7, 100};
        GraphView view = *initialView(g);
        view.current = {{200, 300}, {20, 60}};
        QTemporaryDir dir;
        const QString path = dir.filePath("zoomed.svg");
        std::string failure;
        QVERIFY2(saveGraphPicture(path, g, view, QSize(900, 600), 150, &failure), failure.c_str());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString svg = QString::fromUtf8(f.readAll());
        const TPlotLayout l = layoutFor(g, PaintTarget{QRect(0, 0, 900, 600), 150, 150, OutputMode::Bitmap});
        int points = 0;
        QRegularExpression polyline("<polyline[^>]*points=\"([^\"]*)\"");
        for (auto m = polyline.globalMatch(svg); m.hasNext();) {
            for (const QString &pair : m.next().captured(1).split(' ', Qt::SkipEmptyParts)) {
                const QStringList xy = pair.split(',');
                const double x = xy[0].toDouble(), y = xy[1].toDouble();
                QVERIFY2(x >= l.plot.left - 0.01 && x <= l.plot.right + 1.01 && y >= l.plot.top - 0.01 &&
                             y <= l.plot.bottom + 1.01,
                         qPrintable(pair));
                ++points;
            }
        }
        QVERIFY(points > 10);
        int images = 0;
        QRegularExpression image("<image x=\"([^\"]*)\" y=\"([^\"]*)\" width=\"([^\"]*)\" height=\"([^\"]*)\"");
        for (auto m = image.globalMatch(svg); m.hasNext(); ++images) {
            const auto r = m.next();
            const QRectF tile(r.captured(1).toDouble(), r.captured(2).toDouble(), r.captured(3).toDouble(),
                              r.captured(4).toDouble());
            QVERIFY(tile.left() >= l.band.left && tile.right() <= l.band.right);
            QVERIFY(tile.top() >= l.band.top && tile.bottom() <= l.band.bottom + 1);
        }
        QVERIFY(images > 0);
        // A tile cut at a layer's edge holds only its cut part: drawn 1:1, never squeezed.
        QRegularExpression embedded("<image[^>]* width=\"([^\"]*)\" height=\"([^\"]*)\"[^>]*"
                                    "href=\"data:image/png;base64,([^\"]*)\"");
        int checked = 0;
        for (auto m = embedded.globalMatch(svg); m.hasNext(); ++checked) {
            const auto r = m.next();
            const QImage picture = QImage::fromData(QByteArray::fromBase64(r.captured(3).toLatin1()), "PNG");
            QVERIFY(!picture.isNull());
            QVERIFY2(std::abs(picture.width() - r.captured(1).toDouble()) <= 1 &&
                         std::abs(picture.height() - r.captured(2).toDouble()) <= 1,
                     qPrintable(QString("%1x%2 drawn as %3x%4")
                                    .arg(picture.width()).arg(picture.height())
                                    .arg(r.captured(1), r.captured(2))));
        }
        QCOMPARE(checked, images);
    }

    void patternsAreBuiltIn_data()
    {
        QTest::addColumn<int>("fill");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("printer");
        QTest::newRow("clay") << 1 << QSize(80, 80) << QSize(96, 96);
        QTest::newRow("forward diagonal") << 2 << QSize(16, 16) << QSize(96, 96);
        QTest::newRow("vertical") << 6 << QSize(16, 16) << QSize(96, 96);
        QTest::newRow("sand") << 7 << QSize(80, 80) << QSize(96, 96);
        QTest::newRow("shale") << 8 << QSize(30, 42) << QSize(96, 192);
        QTest::newRow("rock") << 9 << QSize(30, 42) << QSize(69, 96);
        QTest::newRow("weak rock") << 10 << QSize(30, 42) << QSize(69, 96);
        QTest::newRow("gravelly sand") << 11 << QSize(80, 80) << QSize(96, 96);
        QTest::newRow("gravel") << 12 << QSize(80, 80) << QSize(96, 96);
    }
    void patternsAreBuiltIn()
    {
        QFETCH(int, fill);
        QFETCH(QSize, screen);
        QFETCH(QSize, printer);
        QCOMPARE(soilPattern(fill, false).size(), screen);
        QCOMPARE(soilPattern(fill, true).size(), printer);
        // Black on white, mostly white so that names and outlines stand out.
        const QImage &tile = soilPattern(fill, false);
        int black = 0;
        for (int y = 0; y < tile.height(); ++y)
            for (int x = 0; x < tile.width(); ++x) {
                const QColor c = tile.pixelColor(x, y);
                QVERIFY(c == QColor(Qt::black) || c == QColor(Qt::white));
                black += c == QColor(Qt::black) ? 1 : 0;
            }
        QVERIFY(black > 0 && black < tile.width() * tile.height() / 3);
        QVERIFY(soilPattern(0, false).isNull());
        QVERIFY(soilPattern(13, true).isNull());
        QCOMPARE(soilBrush(13, false, 96).style(), Qt::NoBrush);
    }
};

QTEST_MAIN(TestGraphPaint)
#include "tst_graphpaint.moc"
