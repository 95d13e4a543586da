#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include <cmath>
#include <limits>

#include "PltData.h"
#include "core/graphscale.h"
#include "plot_frame.h"

Q_DECLARE_METATYPE(TAxisRange)

namespace {

// Three curves reaching X 480 and Y 48, so that the window scale is 0 ... 500 by 0 ... 50.
void fillGraph(TGraphPlot &g, int lines = 3)
{
    g.Caption = "Test Graph";
    g.XCaption = "Load";
    g.YCaption = "Depth";
    TLineSet &curves = g.Lines(0);
    curves.SetLineCount(lines);
    for (int i = 0; i < lines; ++i) {
        curves.Line(i).Points = {{0, 0}, {480.0 / (i + 1), 48.0 / (1 + i % 2)}};
        curves.Line(i).Name = QString("Line %1").arg(i + 1);
    }
}

void addLayers(TGraphPlot &g)
{
    TLineSet &layers = g.Lines(1);
    layers.SetLineCount(2);
    layers.SetPointCount(1);
    layers.Point(0, 0) = {1, 20};
    layers.Line(0).Name = " CLAY ";
    layers.Point(1, 0) = {7, 50};
    layers.Line(1).Name = " SAND ";
}

QPoint pixelOf(TPlotForm *w, double X, double Y)
{
    return mapToDevice(w->view().current, w->screenLayout().plot, w->graph().XOnTop, X, Y);
}

// QTest::mouseMove only moves the cursor, which the offscreen platform does not report;
// the move is sent to the widget as the window system would.
void moveMouse(QWidget *widget, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// A user dragging with the left button from a to b in the client area.
void dragBand(QWidget *canvas, QPoint a, QPoint b)
{
    QTest::mousePress(canvas, Qt::LeftButton, {}, a);
    moveMouse(canvas, (a + b) / 2, Qt::LeftButton);
    moveMouse(canvas, b, Qt::LeftButton);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, b);
}

void rightClick(QWidget *canvas, QPoint at)
{
    QTest::mousePress(canvas, Qt::RightButton, {}, at);
    QTest::mouseRelease(canvas, Qt::RightButton, {}, at);
}

} // namespace

class TestPlotForm : public QObject {
    Q_OBJECT
    std::unique_ptr<TPlotFrame> m_plots; // no printer installed

    TPlotForm *open(TGraphPlot &g) { return m_plots->open(g); }

private slots:
    void init()
    {
        m_plots = std::make_unique<TPlotFrame>();
        QVERIFY(QTest::qWaitForWindowExposed(&m_plots->frame));
    }
    void cleanup() { m_plots.reset(); }

    void opensMaximizedAndRemembersItself()
    {
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        QVERIFY(w);
        QVERIFY(w->isMaximized());
        QCOMPARE(g.Window.data(), w);
        QCOMPARE(m_plots->frame.activeSubWindow(), w);
        QCOMPARE(w->windowTitle(), QString("Test Graph"));
        QCOMPARE(w->view().full, (TViewRange{{0, 500}, {0, 50}}));
        QCOMPARE(w->view().current, w->view().full);
        // A second Show brings back the same window, also from minimized.
        w->showMinimized();
        QCOMPARE(ShowGraph(g, &m_plots->frame), w);
        QVERIFY(!w->isMinimized());
        QCOMPARE(m_plots->frame.subWindowList().size(), 1);
    }

    void closingClearsTheGraphsWindowAtOnce()
    {
        TGraphPlot g;
        fillGraph(g);
        QPointer<TPlotForm> first = open(g);
        QVERIFY(first);
        first->close();
        QVERIFY(!g.WindowExists()); // before the deferred delete has run
        TPlotForm *second = open(g);
        QVERIFY(second && second != first.data());
        QTRY_VERIFY(first.isNull());
        QCOMPARE(g.Window.data(), second);
        QCOMPARE(m_plots->frame.subWindowList().size(), 1);
    }

    void destroyingTheGraphDestroysItsWindow()
    {
        QPointer<TPlotForm> w;
        {
            TGraphPlot g;
            fillGraph(g);
            w = open(g);
            QVERIFY(w);
        }
        QVERIFY(w.isNull());
        QVERIFY(m_plots->frame.subWindowList().isEmpty());
    }

    void unscalableGraphGetsNoWindow_data()
    {
        QTest::addColumn<double>("bad");
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
        QTest::newRow("beyond any step") << 1e308;
    }
    void unscalableGraphGetsNoWindow()
    {
        QFETCH(double, bad);
        TGraphPlot g;
        fillGraph(g);
        g.Lines(0).Line(1).Points[1].X = bad;
        g.Lines(0).Line(2).Points[1].X = -bad;
        QVERIFY(!ShowGraph(g, &m_plots->frame));
        QVERIFY(!g.WindowExists());
        QVERIFY(m_plots->frame.subWindowList().isEmpty());
        QCOMPARE(m_plots->ask.messages, QStringList{"This graph cannot be drawn: its values give no scale."});
        // The next Show neither crashes nor finds a stale window; with sound data it opens.
        QVERIFY(!ShowGraph(g, &m_plots->frame));
        fillGraph(g);
        TPlotForm *w = open(g);
        QVERIFY(w);
        QCOMPARE(g.Window.data(), w);
    }

    void reloadedGraphWithFewerCurvesKeepsTheWindowSound()
    {
        TGraphPlot g;
        fillGraph(g, 5);
        TPlotForm *w = open(g);
        const TViewRange scale = w->view().full;
        // A new load resizes the line sets under the open window.
        g.Lines(0).SetLineCount(2);
        g.Lines(0).Line(1).Points = {{0, 0}, {1000, 90}};
        w->canvas()->repaint();
        w->legend()->repaint();
        emit w->plotMenu()->aboutToShow();
        QTest::mouseDClick(w->legend(), Qt::LeftButton, {}, QPoint(8, 1 + w->legend()->rowHeight() * 9 / 2));
        w->lineItems().at(4)->trigger();
        QVERIFY(!w->lineItems().at(4)->isChecked());
        QCOMPARE(w->view().full, scale); // the open window keeps its scale
        // The dialogs list the curves there are now.
        QStringList names;
        m_plots->ask.dialogScript = [&names](QDialog *d) {
            for (int i = 0; i < d->findChild<QListWidget *>("lbLines")->count(); ++i)
                names << d->findChild<QListWidget *>("lbLines")->item(i)->text();
            return int(QDialog::Accepted);
        };
        w->findChild<QAction *>("ActiveCurves1")->trigger();
        m_plots->ask.dialogScript = {};
        QCOMPARE(names, (QStringList{" yes :    Line 1", " yes :    Line 2"}));
        QCOMPARE(w->legend()->rowCount(), 2);
        QCOMPARE(int(w->lineItems().size()), 2);
        // Opened again, the window takes the new scale.
        w->close();
        w = open(g);
        QCOMPARE(w->view().full.x.max, 1000.0);
    }

    void zeroBandDoesNothing_data()
    {
        QTest::addColumn<QPoint>("offset");
        QTest::newRow("no width") << QPoint(0, 80);
        QTest::newRow("no height") << QPoint(120, 0);
        QTest::newRow("a click") << QPoint(0, 0);
    }
    void zeroBandDoesNothing()
    {
        QFETCH(QPoint, offset);
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        const QPoint a = pixelOf(w, 100, 10);
        dragBand(w->canvas(), a, a + offset);
        QCOMPARE(w->view().current, w->view().full);
    }

    void bandZoomsToItsCorners()
    {
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        const TViewRange before = w->view().current;
        const TPlotRect plot = w->screenLayout().plot;
        const QPoint a = pixelOf(w, 300, 40), b = pixelOf(w, 100, 10); // dragged up and left
        const QPointF va = mapFromDevice(before, plot, true, a), vb = mapFromDevice(before, plot, true, b);
        dragBand(w->canvas(), a, b);
        QCOMPARE(w->view().current.x, (TAxisRange{vb.x(), va.x()}));
        QCOMPARE(w->view().current.y, (TAxisRange{vb.y(), va.y()}));
        QCOMPARE(w->view().full, before); // the limit of zooming stays
    }

    void narrowBandShowsOneTwentieth_data()
    {
        QTest::addColumn<double>("x0");
        QTest::addColumn<double>("x1");
        QTest::addColumn<TAxisRange>("expectedX");
        // Full X range 0 ... 500: a twentieth is 25 wide.
        QTest::newRow("middle") << 240.0 << 250.0 << TAxisRange{232.5, 257.5};
        QTest::newRow("at the minimum: shifted up") << 1.0 << 6.0 << TAxisRange{0, 25};
        QTest::newRow("at the maximum: shifted down") << 492.0 << 499.0 << TAxisRange{475, 500};
    }
    void narrowBandShowsOneTwentieth()
    {
        QFETCH(double, x0);
        QFETCH(double, x1);
        QFETCH(TAxisRange, expectedX);
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        const QPoint a = pixelOf(w, x0, 20), b = pixelOf(w, x1, 21);
        const TPlotRect plot = w->screenLayout().plot;
        const QPointF va = mapFromDevice(w->view().current, plot, true, a);
        const QPointF vb = mapFromDevice(w->view().current, plot, true, b);
        dragBand(w->canvas(), a, b);
        const TViewRange now = w->view().current;
        QCOMPARE(now.x.width(), 25.0);
        QCOMPARE(now.y.width(), 2.5);
        if (expectedX.min == 0 || expectedX.max == 500)
            QCOMPARE(now.x, expectedX); // shifted back inside the full view
        else
            QVERIFY(std::abs((now.x.min + now.x.max) / 2 - (va.x() + vb.x()) / 2) < 1e-9);
        QVERIFY(std::abs(now.x.min - expectedX.min) < 0.5);
        QVERIFY(std::abs((now.y.min + now.y.max) / 2 - (va.y() + vb.y()) / 2) < 1e-9);
    }

    void bandReleasedOutsideIsClampedToThePlot()
    {
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        const TPlotRect plot = w->screenLayout().plot;
        dragBand(w->canvas(), pixelOf(w, 250, 25), QPoint(plot.right + 40, plot.bottom + 30));
        QCOMPARE(w->view().current.x.max, 500.0);
        QCOMPARE(w->view().current.y.max, 50.0);
    }

    void pressOutsideThePlotStartsNoBand()
    {
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        const TPlotRect plot = w->screenLayout().plot;
        dragBand(w->canvas(), QPoint(plot.left - 5, plot.top - 5), pixelOf(w, 250, 25));
        QCOMPARE(w->view().current, w->view().full);
    }

    void rightClickZoomsOutInsideTheFullView_data()
    {
        QTest::addColumn<double>("bandFrom");
        QTest::addColumn<double>("bandTo");
        QTest::addColumn<double>("clickX");
        QTest::addColumn<TAxisRange>("expectedX"); // empty: centred on the clicked value
        // The band zooms to a twentieth of X 0 ... 500 (25 wide); a click doubles the span.
        QTest::newRow("near the minimum edge") << 1.0 << 3.0 << 2.0 << TAxisRange{0, 50};
        QTest::newRow("near the maximum edge") << 497.0 << 499.0 << 498.0 << TAxisRange{450, 500};
        QTest::newRow("inside") << 240.0 << 250.0 << 245.0 << TAxisRange{};
    }
    void rightClickZoomsOutInsideTheFullView()
    {
        QFETCH(double, bandFrom);
        QFETCH(double, bandTo);
        QFETCH(double, clickX);
        QFETCH(TAxisRange, expectedX);
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        dragBand(w->canvas(), pixelOf(w, bandFrom, 20), pixelOf(w, bandTo, 21));
        QCOMPARE(w->view().current.x.width(), 25.0);
        const QPoint at = pixelOf(w, clickX, 20.5);
        const QPointF clicked = mapFromDevice(w->view().current, w->screenLayout().plot, true, at);
        rightClick(w->canvas(), at);
        const TViewRange now = w->view().current;
        if (expectedX.width() > 0) {
            QCOMPARE(now.x, expectedX); // recentred so that the view stays inside
        } else {
            QCOMPARE(now.x.width(), 50.0);
            QVERIFY(std::abs((now.x.min + now.x.max) / 2 - clicked.x()) < 1e-9);
        }
        QCOMPARE(now.y.width(), 5.0);
        QVERIFY(std::abs((now.y.min + now.y.max) / 2 - clicked.y()) < 1e-9);
        // Clicking on reaches the full view and stays there.
        const TPlotRect plot = w->screenLayout().plot;
        for (int k = 0; k < 6; ++k)
            rightClick(w->canvas(), QPoint((plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2));
        QCOMPARE(w->view().current, w->view().full);
    }

    void rightClickOutsideThePlotDoesNothing()
    {
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        dragBand(w->canvas(), pixelOf(w, 100, 10), pixelOf(w, 200, 20));
        const TViewRange zoomed = w->view().current;
        const TPlotRect plot = w->screenLayout().plot;
        rightClick(w->canvas(), QPoint(plot.left - 10, plot.top + 20));
        QCOMPARE(w->view().current, zoomed);
    }

    void pointerReadoutInTheCaption_data()
    {
        QTest::addColumn<bool>("inside");
        QTest::addColumn<QPoint>("offset"); // from the plot's top left corner
        QTest::newRow("inside the plot") << true << QPoint(137, 91);
        QTest::newRow("left of the plot: clamped") << false << QPoint(-30, 91);
        QTest::newRow("above the plot: clamped") << false << QPoint(137, -20);
    }
    void pointerReadoutInTheCaption()
    {
        QFETCH(bool, inside);
        QFETCH(QPoint, offset);
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        const TPlotRect plot = w->screenLayout().plot;
        const QPoint at(plot.left + offset.x(), plot.top + offset.y());
        moveMouse(w->canvas(), at);
        const QPointF v = mapFromDevice(w->view().current, plot, true, clampToPlot(at, plot));
        QCOMPARE(w->windowTitle(), pointerReadout("Test Graph", v.x(), v.y()));
        if (!inside)
            QVERIFY(v.x() == 0 || v.y() == 0); // the edge of a plot starting at 0
        QVERIFY(w->windowTitle().startsWith("Test Graph X: "));
    }

    void legendStartsInThePlotsCorner()
    {
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        TLegendBox *legend = w->legend();
        QVERIFY(legend->isVisible());
        const TPlotRect plot = w->screenLayout().plot;
        QCOMPARE(legend->x() + legend->width(), plot.right);
        QCOMPARE(legend->y() + legend->height(), plot.bottom);
        QCOMPARE(legend->rowCount(), 3);
        QCOMPARE(legend->height(), 3 * legend->rowHeight() + 3);
        QCOMPARE(legend->shownText(1), QString("Line 2 *"));
        // Until it is dragged it follows the corner when the window changes size.
        w->showNormal();
        w->resize(600, 450);
        QTRY_VERIFY(w->canvas()->width() < 600);
        const TPlotRect smaller = w->screenLayout().plot;
        QCOMPARE(legend->x() + legend->width(), smaller.right);
        QCOMPARE(legend->y() + legend->height(), smaller.bottom);
    }

    void legendRowsInPaletteColours()
    {
        TGraphPlot g;
        fillGraph(g);
        g.Lines(0).Line(0).Name = "MMMMMM";
        g.Lines(0).Line(1).Name = "MMMMMM";
        g.Lines(0).Line(2).Name = "MMMMMM";
        TPlotForm *w = open(g);
        const QImage image = w->legend()->grab().toImage();
        const int h = w->legend()->rowHeight();
        auto count = [&](int row, auto test) {
            int n = 0;
            for (int y = 1 + row * h; y < 1 + (row + 1) * h; ++y)
                for (int x = 2; x < image.width() - 2; ++x)
                    n += test(QColor(image.pixel(x, y))) ? 1 : 0;
            return n;
        };
        auto dark = [](QColor c) { return c.red() < 60 && c.green() < 60 && c.blue() < 60; };
        auto blue = [](QColor c) { return c.blue() > 200 && c.red() < 90 && c.green() < 90; };
        auto red = [](QColor c) { return c.red() > 200 && c.blue() < 90 && c.green() < 90; };
        QVERIFY(count(0, dark) > 20);
        QCOMPARE(count(0, blue) + count(0, red), 0);
        QVERIFY(count(1, blue) > 20);
        QCOMPARE(count(1, red), 0);
        QVERIFY(count(2, red) > 20);
        QCOMPARE(count(2, blue), 0);
    }

    void legendIsDraggedInsideTheClientArea_data()
    {
        QTest::addColumn<QPoint>("by");
        QTest::addColumn<bool>("clampedLeftTop");
        QTest::newRow("inside") << QPoint(-200, -150) << false;
        QTest::newRow("past the top left corner") << QPoint(-5000, -5000) << true;
    }
    void legendIsDraggedInsideTheClientArea()
    {
        QFETCH(QPoint, by);
        QFETCH(bool, clampedLeftTop);
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        TLegendBox *legend = w->legend();
        const QPoint start = legend->pos();
        const QPoint grab(6, 4);
        QTest::mousePress(legend, Qt::LeftButton, {}, grab);
        moveMouse(legend, grab + by, Qt::LeftButton);
        const QPoint release = legend->mapFromParent(legend->pos() + grab);
        QTest::mouseRelease(legend, Qt::LeftButton, {}, release);
        if (clampedLeftTop)
            QCOMPARE(legend->pos(), QPoint(0, 0));
        else
            QCOMPARE(legend->pos(), start + by);
        // After release the box no longer follows the pointer.
        const QPoint placed = legend->pos();
        moveMouse(legend, QPoint(30, 30));
        QCOMPARE(legend->pos(), placed);
        // A smaller window pushes it back inside on the right and at the bottom.
        QTest::mousePress(legend, Qt::LeftButton, {}, grab);
        moveMouse(legend, grab + QPoint(5000, 5000), Qt::LeftButton);
        QTest::mouseRelease(legend, Qt::LeftButton, {}, grab);
        QWidget *canvas = w->canvas();
        QCOMPARE(legend->x() + legend->width(), canvas->width());
        QCOMPARE(legend->y() + legend->height(), canvas->height());
        const QPoint atCorner = legend->pos();
        w->showNormal();
        w->resize(500, 400);
        QTRY_VERIFY(canvas->width() < 500);
        QVERIFY(legend->x() < atCorner.x() && legend->y() < atCorner.y());
        QVERIFY(QRect(QPoint(0, 0), canvas->size()).contains(legend->geometry()));
    }

    void doubleClickTogglesARowsCurve()
    {
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        TLegendBox *legend = w->legend();
        const QPoint row2(8, 1 + legend->rowHeight() * 3 / 2);
        QTest::mouseDClick(legend, Qt::LeftButton, {}, row2);
        QVERIFY(!g.Lines(0).Line(1).Visible);
        QVERIFY(g.Lines(0).Line(0).Visible && g.Lines(0).Line(2).Visible);
        QCOMPARE(legend->shownText(1), QString("Line 2"));
        QVERIFY(!w->lineItems().at(1)->isChecked());
        QTest::mouseDClick(legend, Qt::LeftButton, {}, row2);
        QVERIFY(g.Lines(0).Line(1).Visible);
        QCOMPARE(legend->shownText(1), QString("Line 2 *"));
        // The Plot menu's item does the same.
        w->lineItems().at(2)->trigger();
        QVERIFY(!g.Lines(0).Line(2).Visible);
        QCOMPARE(legend->shownText(2), QString("Line 3"));
    }

    void plotMenuItems()
    {
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        QMenu *plot = w->plotMenu();
        QCOMPARE(plot->title(), QString("&Plot"));
        QStringList captions;
        for (QAction *a : plot->actions())
            captions << (a->isSeparator() ? QString("-") : a->text());
        QCOMPARE(captions, (QStringList{"Show &Legend", "Show &Soil Layer", "Show &Wall Geometry", "Show &Markers",
                                        "&Font Size", "&Line Width", "&Graph Title", "&Edit Legend", "&Active Curves",
                                        "-", "&Print...", "P&age Setup", "&Save To Disk...", "-", "Line 1", "Line 2",
                                        "Line 3"}));
        auto texts = [](QMenu *menu) {
            QStringList out;
            for (QAction *a : menu->actions())
                out << a->text();
            return out;
        };
        QCOMPARE(texts(w->findChild<QMenu *>("ShowMarkers1")),
                 (QStringList{"&Never", "Every &Increment", "Every &2 Increments", "Every &3 Incrments",
                              "Every &5 Increments", "Every &10 Incements"}));
        QCOMPARE(texts(w->findChild<QMenu *>("FontSize1")),
                 (QStringList{"&Default", "1.5 * Default", "2 * Default", "2.5 * Default", "3 * Default",
                              "4 * Default"}));
        QCOMPARE(texts(w->findChild<QMenu *>("LineWidth1")),
                 (QStringList{"&Default", "2 * Default", "4 * Default", "6 * Default", "10 * Default"}));
    }

    void plotMenuStateOnOpening_data()
    {
        QTest::addColumn<bool>("layers");
        QTest::addColumn<bool>("showLayers");
        QTest::addColumn<int>("wallLines");
        QTest::addColumn<bool>("fontWidth");
        QTest::addColumn<bool>("showLegend");
        QTest::newRow("plain graph") << false << false << 0 << true << true;
        QTest::newRow("layers shown, wall lines") << true << true << 2 << true << false;
        QTest::newRow("layers hidden, wall lines") << true << false << 1 << false << true;
    }
    void plotMenuStateOnOpening()
    {
        QFETCH(bool, layers);
        QFETCH(bool, showLayers);
        QFETCH(int, wallLines);
        QFETCH(bool, fontWidth);
        QFETCH(bool, showLegend);
        TGraphPlot g;
        fillGraph(g);
        if (layers)
            addLayers(g);
        g.ShowLayers = showLayers;
        g.WallLineCount = wallLines;
        g.ShowWall = wallLines > 1;
        g.ShowFontWidth = fontWidth;
        g.ShowLegend = showLegend;
        g.Lines(0).Line(1).Visible = false;
        TPlotForm *w = open(g);
        emit w->plotMenu()->aboutToShow();
        auto item = [w](const char *name) { return w->findChild<QAction *>(name); };
        QVERIFY(item("ShowLegend1")->isVisible()); // also when the legend was hidden
        QCOMPARE(item("ShowLegend1")->isChecked(), showLegend);
        QCOMPARE(w->legend()->isVisible(), showLegend);
        QCOMPARE(item("ShowSoilLayer1")->isVisible(), layers);
        QCOMPARE(item("ShowSoilLayer1")->isChecked(), showLayers);
        QCOMPARE(item("ShowWallGeometry1")->isVisible(), wallLines > 0);
        QCOMPARE(item("ShowWallGeometry1")->isEnabled(), showLayers);
        QCOMPARE(item("ShowWallGeometry1")->isChecked(), wallLines > 1);
        QCOMPARE(item("FontSize1Item")->isVisible(), fontWidth);
        QCOMPARE(item("LineWidth1Item")->isVisible(), fontWidth);
        QCOMPARE(w->lineItems().at(0)->isChecked(), true);
        QCOMPARE(w->lineItems().at(1)->isChecked(), false);
        // Without a printer the output commands that need one are disabled.
        QVERIFY(!item("Print1")->isEnabled());
        QVERIFY(!item("PageSetup1")->isEnabled());
        QVERIFY(item("SaveToDisk1")->isEnabled());
    }

    void printCommandsFollowTheInstalledPrinters()
    {
        m_plots->ask.printers = true;
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        QVERIFY(w->findChild<QAction *>("Print1")->isEnabled());
        QVERIFY(w->findChild<QAction *>("PageSetup1")->isEnabled());
        QVERIFY(w->findChild<QAction *>("PageSetup1")->isVisible());
    }

    void toggleItems()
    {
        TGraphPlot g;
        fillGraph(g);
        addLayers(g);
        TPlotForm *w = open(g);
        const int plainRight = w->screenLayout().plot.right;
        w->findChild<QAction *>("ShowSoilLayer1")->trigger();
        QVERIFY(g.ShowLayers);
        QVERIFY(w->screenLayout().hasBand);
        QCOMPARE(w->screenLayout().plot.right, plainRight - w->canvas()->logicalDpiX());
        // The legend does not stay over the band.
        QVERIFY(!w->legend()->geometry().intersects(w->screenLayout().band.toRect()));
        w->findChild<QAction *>("ShowLegend1")->trigger();
        QVERIFY(!g.ShowLegend);
        QVERIFY(!w->legend()->isVisible());
        w->findChild<QAction *>("ShowLegend1")->trigger();
        QVERIFY(g.ShowLegend && w->legend()->isVisible());
    }

    void markerItemsAreRadioItems_data()
    {
        QTest::addColumn<int>("markers");
        QTest::addColumn<QString>("checked");
        QTest::newRow("never") << 0 << "Never1";
        QTest::newRow("every increment") << 1 << "EveryIncrement1";
        QTest::newRow("every 3") << 3 << "Every3Increments1";
        QTest::newRow("every 10") << 10 << "Every10Increments1";
        QTest::newRow("a value without item") << 4 << "";
    }
    void markerItemsAreRadioItems()
    {
        QFETCH(int, markers);
        QFETCH(QString, checked);
        TGraphPlot g;
        fillGraph(g);
        g.Markers = markers;
        TPlotForm *w = open(g);
        QMenu *menu = w->findChild<QMenu *>("ShowMarkers1");
        emit menu->aboutToShow();
        QStringList on;
        for (QAction *a : menu->actions())
            if (a->isChecked())
                on << a->objectName();
        QCOMPARE(on, checked.isEmpty() ? QStringList{} : QStringList{checked});
        w->findChild<QAction *>("Every5Increments1")->trigger();
        QCOMPARE(g.Markers, 5);
        emit menu->aboutToShow();
        QVERIFY(w->findChild<QAction *>("Every5Increments1")->isChecked());
    }

    void fontSizeAndLineWidth_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("sizeFont");
        QTest::addColumn<int>("legendPoints");
        QTest::newRow("2 * default") << "Font2Default1" << 20 << 22;
        QTest::newRow("1.5 * default") << "Font15Default1" << 15 << 16;
        QTest::newRow("4 * default") << "Font4Default1" << 40 << 44;
    }
    void fontSizeAndLineWidth()
    {
        QFETCH(QString, item);
        QFETCH(int, sizeFont);
        QFETCH(int, legendPoints);
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        QCOMPARE(g.LegendFont, 11);
        const int smallWidth = w->legend()->width();
        w->legend()->move(0, 0);
        w->findChild<QAction *>(item)->trigger();
        QCOMPARE(g.SizeFont, sizeFont);
        TLegendBox *legend = w->legend();
        QCOMPARE(legend->fontSize(), legendPoints);
        QVERIFY(legend->width() > smallWidth);
        QCOMPARE(legend->height(), 3 * legend->rowHeight() + 3);
        // Placed again in the plot's lower right corner.
        const TPlotRect plot = w->screenLayout().plot;
        QCOMPARE(legend->x() + legend->width(), plot.right);
        QCOMPARE(legend->y() + legend->height(), plot.bottom);
        w->findChild<QAction *>("Width6Default1")->trigger();
        QCOMPARE(g.WidthLine, 6);
    }

    void moreThanTwentyCurvesShowTheFirstTwenty()
    {
        TGraphPlot g;
        fillGraph(g, 23);
        TPlotForm *w = open(g);
        QCOMPARE(w->legend()->rowCount(), 20);
        QCOMPARE(int(w->lineItems().size()), 20);
        QVERIFY(g.Lines(0).Line(19).Active);
        QVERIFY(!g.Lines(0).Line(20).Active);
        QCOMPARE(w->lineItems().back()->text(), QString("Line 20"));
    }

    void menuShowsInTheFrameWhileActive()
    {
        QMainWindow main;
        QMenu *windowMenu = main.menuBar()->addMenu("&Window");
        windowMenu->setObjectName("ArrangeMenu");
        main.menuBar()->addMenu("&Help");
        auto *area = new QMdiArea;
        main.setCentralWidget(area);
        main.resize(800, 600);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        TGraphPlot g1, g2;
        fillGraph(g1);
        fillGraph(g2);
        TPlotForm *w1 = ShowGraph(g1, area);
        QCOMPARE(main.menuBar()->actions().indexOf(w1->plotMenu()->menuAction()), 0);
        TPlotForm *w2 = ShowGraph(g2, area);
        QTRY_VERIFY(!main.menuBar()->actions().contains(w1->plotMenu()->menuAction()));
        QCOMPARE(main.menuBar()->actions().indexOf(w2->plotMenu()->menuAction()), 0);
        QCOMPARE(main.menuBar()->actions().at(1)->menu(), windowMenu);
        w2->close();
        QTRY_VERIFY(main.menuBar()->actions().contains(w1->plotMenu()->menuAction()));
        QCOMPARE(main.menuBar()->actions().size(), 3);
    }
};

QTEST_MAIN(TestPlotForm)
#include "tst_plotform.moc"
