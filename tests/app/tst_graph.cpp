#include <QtTest>

#include <limits>

#include "core/graph.h"
#include "core/graphscale.h"

Q_DECLARE_METATYPE(TAxisRange)

namespace {

void fillLine(TGraphPlot &g, int line, const std::vector<TFloatPoint> &points)
{
    if (g.Lines(0).LineCount() <= line)
        g.Lines(0).SetLineCount(line + 1);
    g.Lines(0).Line(line).Points = points;
}

} // namespace

class TestGraph : public QObject {
    Q_OBJECT
private slots:
    void lineSetsResizeFromTheEnd()
    {
        TGraphPlot g;
        TLineSet &set = g.Lines(0);
        QCOMPARE(set.PointCount(), 0);
        set.SetLineCount(2);
        set.SetPointCount(3);
        set.Point(1, 2) = {4, 5};
        set.Line(0).Name = "kept";
        const TLine *first = &set.Line(0);
        set.SetLineCount(4);
        QCOMPARE(&set.Line(0), first); // existing lines stay in place
        QCOMPARE(set.Line(0).Name, QString("kept"));
        QCOMPARE(set.Line(3).Points.size(), size_t(0)); // new lines are empty
        QCOMPARE(set.Line(3).Number, 4.0);
        set.SetPointCount(5);
        QCOMPARE(set.Point(1, 2).X, 4.0);
        QCOMPARE(set.Point(3, 4).X, 0.0);
        set.SetPointCount(2);
        QCOMPARE(set.Line(1).Points.size(), size_t(2));
        set.SetLineCount(1);
        QCOMPARE(set.LineCount(), 1);
        QCOMPARE(&set.Line(0), first);
        set.SetLineCount(-3);
        QCOMPARE(set.LineCount(), 0);
        QCOMPARE(set.PointCount(), 0);
        set.SetPointCount(-1); // no lines: nothing to do
        QCOMPARE(g.Lines(1).LineCount(), 0); // the sets are separate
    }

    void displayNames()
    {
        TGraphPlot g;
        g.Lines(0).SetLineCount(3);
        g.DefaultNames = {"first default"};
        QCOMPARE(g.Lines(0).Line(0).DisplayName(), QString("first default"));
        QCOMPARE(g.Lines(0).Line(2).DisplayName(), QString("Curve #3"));
        g.CurveName = "Dia ";
        QCOMPARE(g.Lines(0).Line(1).DisplayName(), QString("Dia 2"));
        g.Lines(0).Line(0).Name = "Dia=3 ft";
        QCOMPARE(g.Lines(0).Line(0).DisplayName(), QString("Dia=3 ft"));
        g.onGetCaption = [](int line, QString &text) { text += QString(" #%1").arg(line); };
        QCOMPARE(g.LegendText(2), QString("Dia 3 #2"));
    }

    void unitCodes_data()
    {
        QTest::addColumn<int>("assigned");
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0 clamps to English") << 0 << 1 << "F2" << "tons";
        QTest::newRow("7 clamps to codes") << 7 << 3 << "F2" << "F2";
        QTest::newRow("SI force") << 2 << 2 << "F2" << "kN";
        QTest::newRow("English kips") << 1 << 1 << "F1" << "kips";
        QTest::newRow("English settlement") << 1 << 1 << "L" << "in";
        QTest::newRow("SI settlement") << 2 << 2 << "L" << "m";
        QTest::newRow("English depth") << 1 << 1 << "L2" << "ft";
        QTest::newRow("SI depth") << 2 << 2 << "L2" << "m";
        QTest::newRow("SI small length") << 2 << 2 << "L1" << "mm";
        QTest::newRow("force over area") << 1 << 1 << "F/L2^2" << "lbs/ft^2";
    }
    void unitCodes()
    {
        QFETCH(int, assigned);
        QFETCH(int, units);
        QFETCH(QString, code);
        QFETCH(QString, shown);
        TGraphPlot g;
        g.SetUnits(assigned);
        QCOMPARE(g.Units(), units);
        QCOMPARE(g.UnitText(code), shown);
        QCOMPARE(g.AxisTitle("Axis", code), "Axis (" + shown + ")");
        QCOMPARE(g.AxisTitle("Axis", ""), QString("Axis"));
    }

    void activeLinesAndColours()
    {
        TGraphPlot g;
        g.Lines(0).SetLineCount(25);
        for (int i = 0; i < 25; ++i)
            g.Lines(0).Line(i).Active = false;
        g.ResetActiveLines();
        QVERIFY(g.Lines(0).Line(19).Active);
        QVERIFY(!g.Lines(0).Line(20).Active); // the 21st curve
        QCOMPARE(g.ActivePosition(20), -1);
        g.LimitLines = false;
        g.ResetActiveLines();
        QVERIFY(g.Lines(0).Line(24).Active);
        g.Lines(0).Line(1).Active = false;
        QCOMPARE(g.ActivePosition(2), 1);
        QCOMPARE(g.ActivePosition(99), -1);

        QCOMPARE(paletteColor(0), QColor(Qt::black));
        QCOMPARE(paletteColor(1), QColor(0, 0, 255));
        QCOMPARE(paletteColor(16), QColor(0, 255, 255));
        QCOMPARE(paletteColor(17), QColor(Qt::black));
        QCOMPARE(paletteColor(10), paletteColor(12)); // gray twice
        QCOMPARE(paletteColor(13), paletteColor(14)); // silver twice
    }

    void windowReferenceClearsItself()
    {
        QPointer<QObject> survivor;
        {
            TGraphPlot g;
            QVERIFY(!g.WindowExists());
            auto *window = new QObject;
            g.Window = window;
            QVERIFY(g.WindowExists());
            delete window; // a window that closes itself, e.g. when no scale can be computed
            QVERIFY(!g.WindowExists());
            g.Window = new QObject; // shown again
            survivor = g.Window.data();
            QVERIFY(survivor);
        }
        QVERIFY(survivor.isNull()); // the graph destroyed its window
    }

    void axisScale_data()
    {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("scaledMin");
        QTest::addColumn<double>("scaledMax");
        QTest::newRow("120 to 480 from 0") << 0.0 << 480.0 << true << 0.0 << 500.0;
        QTest::newRow("all zero") << 0.0 << 0.0 << true << -0.01 << 0.01;
        QTest::newRow("equal ends off zero") << 5.0 << 5.0 << true << 4.99 << 5.01;
        QTest::newRow("mantissa below 3: tenth step") << 0.0 << 25.0 << true << 0.0 << 25.0;
        QTest::newRow("mantissa below 3, rounding up") << 0.0 << 2.53 << true << 0.0 << 2.6;
        QTest::newRow("negative range") << -37.0 << 0.0 << true << -40.0 << 0.0;
        QTest::newRow("both sides") << -12.0 << 47.0 << true << -20.0 << 50.0;
        QTest::newRow("settlement in metres") << 0.0 << 0.0472 << true << 0.0 << 0.05;
        QTest::newRow("large loads") << 0.0 << 35400.0 << true << 0.0 << 40000.0;
        QTest::newRow("overflowing width") << -1e308 << 1e308 << false << 0.0 << 0.0;
        QTest::newRow("infinite") << 0.0 << std::numeric_limits<double>::infinity() << false << 0.0 << 0.0;
        QTest::newRow("not a number") << 0.0 << std::numeric_limits<double>::quiet_NaN() << false << 0.0 << 0.0;
    }
    void axisScale()
    {
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(bool, valid);
        QFETCH(double, scaledMin);
        QFETCH(double, scaledMax);
        const auto r = ::axisScale(min, max);
        QCOMPARE(r.has_value(), valid);
        if (valid) {
            QVERIFY2(qAbs(r->min - scaledMin) < 1e-12, qPrintable(QString::number(r->min, 'g', 17)));
            QVERIFY2(qAbs(r->max - scaledMax) < 1e-12, qPrintable(QString::number(r->max, 'g', 17)));
        }
    }

    void windowScaleCoversEveryCurve()
    {
        TGraphPlot g;
        fillLine(g, 0, {{120, 3}, {300, 9}});
        fillLine(g, 1, {{480, 14}});
        g.Lines(0).Line(1).Active = false; // inactive curves count too
        g.Lines(1).SetLineCount(1);        // layers do not
        g.Lines(1).Line(0).Points = {{12, 90}};
        const auto v = windowScale(g);
        QVERIFY(v);
        QCOMPARE(v->x, (TAxisRange{0, 500}));
        QCOMPARE(v->y, (TAxisRange{0, 14})); // mantissa below 3: whole units

        TGraphPlot empty; // no points: both axes around 0
        QCOMPARE(windowScale(empty)->x.max, 0.01);

        fillLine(g, 0, {{std::numeric_limits<double>::infinity(), 1}});
        QVERIFY(!windowScale(g)); // the window closes itself instead of drawing
    }

    void ticks_data()
    {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("major");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("labels");
        QTest::newRow("0-500 in 5") << 0.0 << 500.0 << 5 << 100.0 << 26 << 6;
        QTest::newRow("0-500 in 3") << 0.0 << 500.0 << 3 << 100.0 << 26 << 6;
        QTest::newRow("0-500 in 2") << 0.0 << 500.0 << 2 << 200.0 << 13 << 3;
        QTest::newRow("0-500 in 1") << 0.0 << 500.0 << 1 << 500.0 << 6 << 2;
        QTest::newRow("0-500 in 10") << 0.0 << 500.0 << 10 << 50.0 << 51 << 11;
        QTest::newRow("raw 0.9 gives 1") << 0.0 << 0.9 << 1 << 1.0 << 5 << 1;
        QTest::newRow("around zero") << -0.01 << 0.01 << 2 << 0.01 << 11 << 3;
        QTest::newRow("zoomed off the ticks") << 13.0 << 38.0 << 2 << 10.0 << 13 << 2;
        QTest::newRow("window too small") << 0.0 << 500.0 << 0 << 0.0 << 0 << 0;
    }
    void ticks()
    {
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(int, n);
        QFETCH(double, major);
        QFETCH(int, ticks);
        QFETCH(int, labels);
        QCOMPARE(majorSpacing(min, max, n), major);
        const auto t = axisTicks({min, max}, n);
        QCOMPARE(int(t.size()), ticks);
        QCOMPARE(int(std::count_if(t.begin(), t.end(), [](const TTick &k) { return k.major; })), labels);
        for (const TTick &k : t) {
            QVERIFY(k.value >= min - 1e-12 && k.value <= max + 1e-12);
            if (k.major) // labels stand on whole multiples of the major spacing
                QVERIFY(qAbs(k.value / major - std::round(k.value / major)) < 1e-9);
        }
    }

    void tickCountNeedsSixLabelHeights()
    {
        QCOMPARE(tickCount(77, 13), 0);
        QCOMPARE(tickCount(78, 13), 1);
        QCOMPARE(tickCount(-780, 13), 10);
        QCOMPARE(tickCount(500, 0), 0);
    }

    void layouts_data()
    {
        QTest::addColumn<bool>("printer");
        QTest::addColumn<int>("bandDivisor");
        QTest::addColumn<bool>("xOnTop");
        QTest::addColumn<int>("title"); // 0 none, 1 top, 2 bottom
        QTest::addColumn<bool>("layers");
        QTest::addColumn<TPlotRect>("plot");
        QTest::addColumn<TPlotRect>("band");
        // Screen 800 x 600 at 96 dpi with text 13 pixels high.
        QTest::newRow("screen") << false << 1 << true << 0 << false << TPlotRect{39, 39, 770, 570} << TPlotRect{};
        QTest::newRow("screen, X below") << false << 1 << false << 0 << false << TPlotRect{39, 30, 770, 561}
                                         << TPlotRect{};
        QTest::newRow("screen, title on top") << false << 1 << true << 1 << false << TPlotRect{39, 53, 770, 570}
                                              << TPlotRect{};
        QTest::newRow("screen, title below") << false << 1 << true << 2 << false << TPlotRect{39, 39, 770, 557}
                                             << TPlotRect{};
        QTest::newRow("screen, layers") << false << 1 << true << 0 << true << TPlotRect{39, 39, 674, 570}
                                        << TPlotRect{693, 39, 770, 570};
        QTest::newRow("bitmap, layers") << false << 2 << true << 0 << true << TPlotRect{39, 39, 722, 570}
                                        << TPlotRect{741, 39, 770, 570};
        // Page rectangle 100, 100, 4800 x 3000 at 600 dpi with text 83 pixels high.
        QTest::newRow("printer") << true << 1 << true << 0 << false << TPlotRect{351, 351, 4900, 3100}
                                 << TPlotRect{};
        QTest::newRow("printer, X below, title below")
            << true << 1 << false << 2 << false << TPlotRect{351, 100, 4900, 2549} << TPlotRect{};
        QTest::newRow("printer, title, layers")
            << true << 1 << true << 1 << true << TPlotRect{351, 501, 4300, 3100} << TPlotRect{4420, 501, 4900, 3100};
    }
    void layouts()
    {
        QFETCH(bool, printer);
        QFETCH(int, bandDivisor);
        QFETCH(bool, xOnTop);
        QFETCH(int, title);
        QFETCH(bool, layers);
        QFETCH(TPlotRect, plot);
        QFETCH(TPlotRect, band);
        TLayoutInput in;
        in.area = printer ? QRect(100, 100, 4800, 3000) : QRect(0, 0, 800, 600);
        in.dpiX = in.dpiY = printer ? 600 : 96;
        in.fontHeight = printer ? 83 : 13;
        in.xOnTop = xOnTop;
        in.titleShown = title != 0;
        in.titleAt = title == 2 ? TTitleLocation::Bottom : TTitleLocation::Top;
        in.showLayers = layers;
        const TPlotLayout l = printer ? printerLayout(in) : screenLayout(in, bandDivisor);
        QCOMPARE(l.plot, plot);
        QCOMPARE(l.hasBand, layers);
        if (layers)
            QCOMPARE(l.band, band);
    }

    void printerMarginsAtLeastTheBorder()
    {
        TPrinterGeometry g;
        g.printableWidth = 4800;
        g.printableHeight = 6400;
        g.offsetLeft = g.offsetTop = g.offsetRight = g.offsetBottom = 100;
        QCOMPARE(printerPageRect(g, {1000, 1000, 1000, 1000}), QRect(500, 500, 3800, 5400));
        // Margins of 0.1 inch are inside the unprintable border of 1/6 inch: the border wins.
        QCOMPARE(printerPageRect(g, {100, 100, 100, 100}), QRect(0, 0, 4800, 6400));
        g.offsetRight = 300;
        QCOMPARE(printerPageRect(g, {0, 0, 0, 0}).width(), 4800);
    }

    void mapping_data()
    {
        QTest::addColumn<bool>("xOnTop");
        QTest::addColumn<QPointF>("value");
        QTest::addColumn<QPoint>("pixel");
        // View 0-500 by 0-100 in the plot 39, 39, 770, 570.
        QTest::newRow("origin, X on top") << true << QPointF(0, 0) << QPoint(39, 39);
        QTest::newRow("far corner, X on top") << true << QPointF(500, 100) << QPoint(770, 570);
        QTest::newRow("middle rounds half up") << true << QPointF(250, 50) << QPoint(405, 305);
        QTest::newRow("origin, X below") << false << QPointF(0, 0) << QPoint(39, 570);
        QTest::newRow("middle, X below") << false << QPointF(250, 50) << QPoint(405, 304);
        QTest::newRow("beyond the view") << true << QPointF(600, -10) << QPoint(916, -14);
    }
    void mapping()
    {
        QFETCH(bool, xOnTop);
        QFETCH(QPointF, value);
        QFETCH(QPoint, pixel);
        const TViewRange view{{0, 500}, {0, 100}};
        const TPlotRect plot{39, 39, 770, 570};
        QCOMPARE(mapToDevice(view, plot, xOnTop, value.x(), value.y()), pixel);
        const QPointF back = mapFromDevice(view, plot, xOnTop, pixel);
        if (plot.contains(pixel)) { // back within a pixel's worth of data
            QVERIFY(qAbs(back.x() - value.x()) <= 500.0 / 731);
            QVERIFY(qAbs(back.y() - value.y()) <= 100.0 / 531);
        }
    }

    void inverseMappingOutsideIsOrigin()
    {
        const TViewRange view{{-20, 50}, {0, 0.05}};
        const TPlotRect plot{39, 39, 770, 570};
        QCOMPARE(mapFromDevice(view, plot, true, QPoint(38, 300)), QPointF(0, 0));
        QCOMPARE(mapFromDevice(view, plot, true, QPoint(771, 300)), QPointF(0, 0));
        QCOMPARE(mapFromDevice(view, plot, true, QPoint(39, 39)), QPointF(-20, 0));
        QCOMPARE(mapFromDevice(view, plot, false, QPoint(770, 39)), QPointF(50, 0.05));
        // Above or below the plot but inside its span: the values go on beyond the view.
        QVERIFY(mapFromDevice(view, plot, true, QPoint(400, 10)).y() < 0);
        QCOMPARE(clampToPlot(QPoint(0, 900), plot), QPoint(39, 570));
    }

    void zoomIn_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<TAxisRange>("expected");
        // Full range 0 to 500: a twentieth is 25.
        QTest::newRow("wide band kept") << 100.0 << 300.0 << TAxisRange{100, 300};
        QTest::newRow("reversed band") << 300.0 << 100.0 << TAxisRange{100, 300};
        QTest::newRow("exactly a twentieth") << 200.0 << 225.0 << TAxisRange{200, 225};
        QTest::newRow("narrow band widened") << 200.0 << 201.0 << TAxisRange{188, 213};
        QTest::newRow("narrow at the low end") << 1.0 << 2.0 << TAxisRange{0, 25};
        QTest::newRow("narrow at the high end") << 499.0 << 500.0 << TAxisRange{475, 500};
    }
    void zoomIn()
    {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(TAxisRange, expected);
        const TAxisRange r = zoomInAxis({0, 500}, a, b);
        QVERIFY2(qAbs(r.min - expected.min) < 1e-9 && qAbs(r.max - expected.max) < 1e-9,
                 qPrintable(QString("%1 .. %2").arg(r.min).arg(r.max)));
    }

    void zoomOut_data()
    {
        QTest::addColumn<TAxisRange>("current");
        QTest::addColumn<double>("at");
        QTest::addColumn<TAxisRange>("expected");
        QTest::newRow("doubles around the click") << TAxisRange{100, 200} << 150.0 << TAxisRange{50, 250};
        QTest::newRow("recentred near the low edge") << TAxisRange{100, 200} << 20.0 << TAxisRange{0, 200};
        QTest::newRow("recentred near the high edge") << TAxisRange{400, 450} << 490.0 << TAxisRange{400, 500};
        QTest::newRow("reaches the full view") << TAxisRange{0, 400} << 100.0 << TAxisRange{0, 500};
        QTest::newRow("full view stays") << TAxisRange{0, 500} << 480.0 << TAxisRange{0, 500};
    }
    void zoomOut()
    {
        QFETCH(TAxisRange, current);
        QFETCH(double, at);
        QFETCH(TAxisRange, expected);
        QCOMPARE(zoomOutAxis(current, {0, 500}, at), expected);
    }

    void mouseZoomRules()
    {
        const TViewRange full{{0, 500}, {0, 100}};
        const TPlotRect plot{39, 39, 770, 570};
        QVERIFY(!rubberBandZoom(full, full, plot, true, QPoint(100, 100), QPoint(100, 300))); // no width
        QVERIFY(!rubberBandZoom(full, full, plot, true, QPoint(100, 100), QPoint(300, 100))); // no height
        // Released beyond the plot: clamped to its corner.
        const auto z = rubberBandZoom(full, full, plot, true, QPoint(405, 305), QPoint(2000, 2000));
        QVERIFY(z);
        QVERIFY(qAbs(z->x.min - 250) < 1 && z->x.max == 500);
        QVERIFY(qAbs(z->y.min - 50) < 1 && z->y.max == 100);
        QVERIFY(!rightClickZoom(*z, full, plot, true, QPoint(10, 10)));
        const auto out = rightClickZoom(*z, full, plot, true, QPoint(405, 305));
        QVERIFY(out);
        QVERIFY(out->x.min >= 0 && out->x.max <= 500 && out->x.width() > z->x.width());
    }

    void numberTexts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << 4 << "0";
        QTest::newRow("tick with binary noise") << 0.006000000000000001 << 4 << "0.006";
        QTest::newRow("large whole value in digits") << 12000.0 << 4 << "12000";
        QTest::newRow("large value rounded to 4 digits") << 123456.0 << 4 << "123500";
        QTest::newRow("negative") << -250.0 << 4 << "-250";
        QTest::newRow("readout 5 digits") << 1234.5678 << 5 << "1234.6";
        QTest::newRow("very small") << 1.5e-7 << 4 << "1.5e-07";
    }
    void numberTexts()
    {
        QFETCH(double, value);
        QFETCH(int, digits);
        QFETCH(QString, text);
        QCOMPARE(significantText(value, digits), text);
    }

    void readoutCaption()
    {
        QCOMPARE(pointerReadout("Ultimate Skin Friction vs Depth", 123.456789, 0.5),
                 QString("Ultimate Skin Friction vs Depth X: 123.46 Y: 0.5"));
    }
};

QTEST_GUILESS_MAIN(TestGraph)
#include "tst_graph.moc"
