#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

#include <cmath>

#include "PileSide.h"
#include "core/ColumnTypes.h"
#include "core/projectdata.h"
#include "core/sideview.h"
#include "scripted_ask.h"

Q_DECLARE_METATYPE(TSideInput)
Q_DECLARE_METATYPE(TSideExtents)

namespace {

std::vector<TSideLayer> profile(std::initializer_list<std::pair<int, double>> layers)
{
    std::vector<TSideLayer> out;
    double top = 0;
    for (const auto &[type, bottom] : layers) {
        out.push_back({type, top, bottom});
        top = bottom;
    }
    return out;
}

TSideInput shaft(double D, double ratio, double angle, double length, std::vector<TSideLayer> layers)
{
    return {D, ratio, angle, length, std::move(layers)};
}

void setLayers(TProgramData &p, std::initializer_list<std::pair<int, double>> layers)
{
    TGridTable &d = p.layers();
    d.setRowCount(int(layers.size()));
    int row = 0;
    for (const auto &[type, bottom] : layers) {
        d.setInt(colSoilType, row, type);
        d.setFloat(colDepth, row, bottom);
        ++row;
    }
}

bool isDark(QRgb c) { return qGray(c) < 100; }

// Dark pixels in a small square around (x, y): lines may land a pixel off after rounding.
bool darkNear(const QImage &image, int x, int y, int reach = 1)
{
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (image.rect().contains(p) && isDark(image.pixel(p)))
                return true;
        }
    return false;
}

QImage paintScreen(const TSideView &view, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    view.Paint(painter, image.rect(), TSideOutput::Screen, TSideStyle{});
    return image;
}

} // namespace

class TestSideView : public QObject {
    Q_OBJECT
    std::unique_ptr<TScriptedAsk> m_ask;

private slots:
    void init() { m_ask = std::make_unique<TScriptedAsk>(); }
    void cleanup() { m_ask.reset(); }

    void pieces_data()
    {
        QTest::addColumn<TSideInput>("input");
        QTest::addColumn<int>("pieceCount");
        QTest::addColumn<double>("shaftBottom");
        QTest::addColumn<double>("bellTop");
        QTest::addColumn<TSideExtents>("world");

        const auto sandClay = profile({{1, 10}, {2, 40}});
        // D 3: stands 6 above ground; the shaft bottom is L + 6.
        QTest::newRow("straight shaft, one piece")
            << shaft(3, 0, 0, 30, sandClay) << 1 << 36.0 << 0.0 << TSideExtents{-1.5, 1.5, 0, 46};
        // Ratio 2, 30 degrees from the vertical: half-widening 1.5, bell height 1.5 / tan 30.
        QTest::newRow("bell below the stem")
            << shaft(3, 2, 30, 30, sandClay) << 2 << 36.0 << 36 - 1.5 / std::tan(M_PI / 6)
            << TSideExtents{-3, 3, 0, 46};
        QTest::newRow("bell at 45 degrees is as high as it widens")
            << shaft(2, 3, 45, 20, profile({{2, 30}})) << 2 << 24.0 << 22.0 << TSideExtents{-3, 3, 0, 34};
        QTest::newRow("length 0 runs to the last layer")
            << shaft(3, 0, 0, 0, sandClay) << 1 << 46.0 << 0.0 << TSideExtents{-1.5, 1.5, 0, 46};
        QTest::newRow("length below 1e-4 counts as 0")
            << shaft(3, 0, 0, 5e-5, sandClay) << 1 << 46.0 << 0.0 << TSideExtents{-1.5, 1.5, 0, 46};
        QTest::newRow("shaft below the profile")
            << shaft(3, 0, 0, 50, sandClay) << 1 << 56.0 << 0.0 << TSideExtents{-1.5, 1.5, 0, 56};
        QTest::newRow("short shaft keeps the whole profile in view")
            << shaft(3, 0, 0, 10, sandClay) << 1 << 16.0 << 0.0 << TSideExtents{-1.5, 1.5, 0, 46};
        QTest::newRow("an angle without a wider base is a straight shaft")
            << shaft(3, 0, 30, 30, sandClay) << 1 << 36.0 << 0.0 << TSideExtents{-1.5, 1.5, 0, 46};
        QTest::newRow("a bell higher than the shaft starts at its top")
            << shaft(1, 4, 1, 5, profile({{6, 10}})) << 2 << 7.0 << 0.0 << TSideExtents{-2, 2, 0, 12};
        QTest::newRow("no layers keeps the defaults")
            << shaft(3, 2, 30, 30, {}) << 0 << 0.0 << 0.0 << TSideExtents{};
    }
    void pieces()
    {
        QFETCH(TSideInput, input);
        QFETCH(int, pieceCount);
        QFETCH(double, shaftBottom);
        QFETCH(double, bellTop);
        QFETCH(TSideExtents, world);
        TSideView view;
        view.Build(input);
        QCOMPARE(int(view.Pieces().size()), pieceCount);
        const double D = input.Diameter;
        if (pieceCount >= 1) {
            const TShaftPiece &stem = view.Pieces()[0];
            QCOMPARE(stem.TopLeft.X, -D / 2);
            QCOMPARE(stem.TopRight.X, D / 2);
            QCOMPARE(stem.TopLeft.Y, 0.0);
            QCOMPARE(stem.BottomLeft.Y, shaftBottom);
            QCOMPARE(stem.BottomRight.Y, shaftBottom);
        }
        if (pieceCount == 2) {
            const TShaftPiece &bell = view.Pieces()[1];
            QVERIFY(std::abs(bell.TopLeft.Y - bellTop) < 1e-9);
            QCOMPARE(bell.TopLeft.X, -D / 2);
            QCOMPARE(bell.BottomRight.X, input.BellRatio * D / 2);
            QCOMPARE(bell.BottomLeft.X, -input.BellRatio * D / 2);
            QCOMPARE(bell.BottomRight.Y, shaftBottom);
        }
        QCOMPARE(view.World(), world);
    }

    void noLayersKeepsLastExtents()
    {
        TSideView view;
        view.Build(shaft(3, 0, 0, 30, profile({{1, 40}})));
        view.Build(shaft(3, 0, 0, 30, {}));
        QVERIFY(view.Pieces().empty());
        QCOMPARE(view.World(), (TSideExtents{-1.5, 1.5, 0, 46}));
    }

    void viewRule_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<TSideExtents>("expected");
        // World -1.5 .. 1.5 by 0 .. 46: proportion 3/46.
        QTest::newRow("wide window widens X") << 460 << 460 << TSideExtents{-23, 23, 0, 46};
        QTest::newRow("exact proportion") << 30 << 460 << TSideExtents{-1.5, 1.5, 0, 46};
        QTest::newRow("tall window widens Y") << 30 << 920 << TSideExtents{-1.5, 1.5, 0, 92};
    }
    void viewRule()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(TSideExtents, expected);
        TSideView view;
        view.Build(shaft(3, 0, 0, 30, profile({{1, 10}, {2, 40}})));
        view.ApplyViewRule(width, height);
        QVERIFY(!view.Disabled());
        const TSideExtents &v = view.View();
        QVERIFY(std::abs(v.Xmin - expected.Xmin) < 1e-9 && std::abs(v.Xmax - expected.Xmax) < 1e-9);
        QVERIFY(std::abs(v.Ymin - expected.Ymin) < 1e-9 && std::abs(v.Ymax - expected.Ymax) < 1e-9);
        // Never distorted: one drawing unit is as many pixels across as down.
        QVERIFY(std::abs(width / (v.Xmax - v.Xmin) - height / (v.Ymax - v.Ymin)) < 1e-9);
    }

    void defaultsFillTheWindowUndistorted()
    {
        TSideView view;
        view.ApplyViewRule(400, 400);
        QVERIFY(!view.Disabled());
        QCOMPARE(view.View(), (TSideExtents{-10, 10, 0, 20}));
    }

    void viewWithoutAreaKeepsItsExtents()
    {
        TSideView view;
        view.Build(shaft(3, 0, 0, 30, profile({{1, 40}})));
        view.ApplyViewRule(460, 460);
        view.ApplyViewRule(0, 0); // a minimized window
        QVERIFY(!view.Disabled());
        QCOMPARE(view.View().Xmax, 23.0);
    }

    // A shaft without a diameter on ground without depth has no proportion to keep; the view
    // draws nothing until the project gives it one.
    void degenerateWorldDisablesUntilRebuilt()
    {
        TSideView view;
        view.Build(shaft(0, 0, 0, 0, profile({{1, 0}})));
        view.ApplyViewRule(400, 400);
        QVERIFY(view.Disabled());
        const QImage blank = paintScreen(view, {400, 400});
        QCOMPARE(blank.pixel(200, 2), qRgb(255, 255, 255));
        QCOMPARE(blank.pixel(200, 200), qRgb(255, 255, 255));

        view.Build(shaft(3, 0, 0, 30, profile({{1, 40}})));
        view.ApplyViewRule(400, 400);
        QVERIFY(!view.Disabled());
    }

    void mapping()
    {
        TSideView view;
        view.Build(shaft(3, 0, 0, 30, profile({{1, 10}, {2, 40}})));
        view.ApplyViewRule(460, 460); // one pixel per 0.1 unit
        const QRect area(10, 20, 460, 460);
        QCOMPARE(view.ToScreen({0, 0}, area), QPoint(240, 20));
        QCOMPARE(view.ToScreen({-1.5, 6}, area), QPoint(225, 80));
        QCOMPARE(view.ToScreen({23, 46}, area), QPoint(470, 480));
        QCOMPARE(view.YAt(80, area), 6.0);
        // The readout gives the depth below the ground line, not the drawing's Y.
        QCOMPARE(view.DepthAt(80, area), 0.0);
        QCOMPARE(view.DepthAt(180, area), 10.0);
        QCOMPARE(view.DepthAt(20, area), -6.0);
    }

    void labels_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("below");
        QTest::addColumn<QString>("page");
        const QString d = "depth= 2.5 - 12.25";
        QTest::newRow("1 sand") << 1 << d + "; Sand" << true << d + "; Sand";
        QTest::newRow("2 clay") << 2 << d + "; Clay" << true << d + "; Clay";
        QTest::newRow("3 shale") << 3 << "Shale" << false << d + "; Shale";
        QTest::newRow("4 strong rock") << 4 << "Strong Rock" << false << d + "; Strong Rock";
        QTest::newRow("5 decomposed rock") << 5 << "Decomposed Rock" << false << d + "; Decomposed Rock";
        QTest::newRow("6 weak rock") << 6 << "Weak Rock" << false << d + "; Soft Rock";
        QTest::newRow("7 strong rock") << 7 << "Strong Rock" << false << d + "; Strong Rock";
        QTest::newRow("8 gravelly sand") << 8 << d + "; Gravelly Sand" << true << d + "; Gravelly Sand";
        QTest::newRow("9 gravel") << 9 << d + "; Gravel" << true << d + "; Gravel";
    }
    void labels()
    {
        QFETCH(int, type);
        QFETCH(QString, screen);
        QFETCH(bool, below);
        QFETCH(QString, page);
        const TSideLayer layer{type, 2.5, 12.25};
        QCOMPARE(sideLayerLabel(layer, TSideOutput::Screen), screen);
        QCOMPARE(sideLabelBelowTopLine(type), below);
        QCOMPARE(sideLayerLabel(layer, TSideOutput::Page), page);
    }

    void labelNumbersAreShort()
    {
        // A depth converted to SI shows as the table shows it, not with binary noise.
        const TSideLayer layer{1, 0, 10 * 0.3048};
        QCOMPARE(sideLayerLabel(layer, TSideOutput::Screen), QString("depth= 0 - 3.048; Sand"));
    }

    void depthCaption()
    {
        QCOMPARE(sideDepthCaption(12.34), QString("  Depth: 12.3"));
        QCOMPARE(sideDepthCaption(0), QString("  Depth: 0.0"));
        QCOMPARE(sideDepthCaption(-2.06), QString("  Depth: -2.1"));
    }

    void screenRendering()
    {
        TSideView view;
        view.Build(shaft(3, 0, 0, 30, profile({{4, 10}, {2, 40}})));
        view.ApplyViewRule(460, 460);
        const QImage image = paintScreen(view, {460, 460});
        // Ground line (y 60) across the whole width, with its strokes below it.
        QVERIFY(isDark(image.pixel(2, 60)));
        QVERIFY(isDark(image.pixel(457, 60)));
        QVERIFY(darkNear(image, 228, 63));
        QVERIFY(!isDark(image.pixel(600 - 460, 75)));
        // First layer's bottom line at depth 10 (y 160).
        QVERIFY(isDark(image.pixel(420, 160)));
        QVERIFY(!isDark(image.pixel(420, 150)));
        // The shaft is filled from its top to its bottom (x 215 .. 245, y 0 .. 360).
        QVERIFY(isDark(image.pixel(230, 3)));
        QVERIFY(isDark(image.pixel(217, 250)));
        QVERIFY(isDark(image.pixel(243, 355)));
        QVERIFY(!isDark(image.pixel(250, 250)));
        QVERIFY(!isDark(image.pixel(230, 370)));
        // Background in the window colour, not left unpainted.
        QCOMPARE(image.pixel(400, 300), qRgb(255, 255, 255));
        // A rock label stands right under its top line at the left edge.
        bool labelInk = false;
        for (int x = 0; x < 80 && !labelInk; ++x)
            for (int y = 62; y < 80 && !labelInk; ++y)
                labelInk = isDark(image.pixel(x, y));
        QVERIFY(labelInk);
    }

    void bellRendering()
    {
        TSideView view;
        view.Build(shaft(3, 2, 45, 30, profile({{2, 40}})));
        view.ApplyViewRule(460, 460);
        const QImage image = paintScreen(view, {460, 460});
        // The bell widens over its last 1.5 units to 6 wide at the bottom (y 345 .. 360).
        QVERIFY(isDark(image.pixel(203, 358)));
        QVERIFY(isDark(image.pixel(257, 358)));
        QVERIFY(!isDark(image.pixel(203, 340)));
        QVERIFY(!isDark(image.pixel(195, 358)));
    }

    void pageRendering()
    {
        TSideView view;
        view.Build(shaft(3, 0, 0, 30, profile({{1, 10}, {2, 34}})));
        // A landscape page at 100 dots per inch: 1100 by 850.
        QImage page(1100, 850, QImage::Format_RGB32);
        page.setDotsPerMeterX(3937);
        page.setDotsPerMeterY(3937);
        page.fill(qRgb(128, 128, 128));
        {
            QPainter painter(&page);
            TSideStyle style;
            style.Background = Qt::white;
            view.Paint(painter, page.rect(), TSideOutput::Page, style);
        }
        // 0 .. 40 drawing units onto 10 % .. 90 % of 850: 17 dots a unit from row 85.
        QCOMPARE(view.PageY(-6, page.rect()), 85);
        QCOMPARE(view.PageY(0, page.rect()), 187);
        QCOMPARE(view.PageY(34, page.rect()), 765);
        QCOMPARE(view.PageScale(page.rect()), 17.0);
        QVERIFY(isDark(page.pixel(115, 187)));  // ground line from 10 %
        QVERIFY(isDark(page.pixel(985, 187)));  // to 90 % of the width
        QVERIFY(!isDark(page.pixel(60, 187)));  // and not beyond
        QVERIFY(isDark(page.pixel(985, 357)));  // layer line at depth 10
        QVERIFY(isDark(page.pixel(985, 765)));  // bottom of the profile
        QCOMPARE(page.pixel(300, 600), qRgb(255, 255, 255));
        QCOMPARE(page.pixel(20, 20), qRgb(128, 128, 128)); // margins left as the page is
        // The shaft, 3 units wide (51 dots) about the page centre, down to depth 30.
        QVERIFY(isDark(page.pixel(550, 100)));
        QVERIFY(isDark(page.pixel(527, 600)));
        QVERIFY(isDark(page.pixel(573, 600)));
        QVERIFY(!isDark(page.pixel(580, 600)));
        QVERIFY(!isDark(page.pixel(550, 705)));
    }

    void windowDoesNotChangeTheProject()
    {
        TProjectTables tables;
        TProgramData project(tables);
        project.ShaftData[sdDSTART] = 3;
        project.DesignDepth = 0;
        project.DesignMode = 1;
        project.DesignLoad = 200;
        setLayers(project, {{1, 10}, {2, 40}});
        tables.clearModified();

        auto *form = new TDlgSideView(project);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(form->view().Length(), 40.0);
        QCOMPARE(project.DesignDepth, 0.0);
        QCOMPARE(project.DesignMode, 1);
        QCOMPARE(project.DesignLoad, 200.0);
        QVERIFY(!tables.modified());
        delete form;
    }

    void window()
    {
        TProjectTables tables;
        TProgramData project(tables);
        project.ShaftData[sdDSTART] = 3;
        project.ShaftData[sdRATIO] = 2;
        project.ShaftData[sdBELANG] = 30;
        project.DesignDepth = 30;
        setLayers(project, {{1, 10}, {7, 40}});

        QMdiArea area;
        area.resize(800, 800);
        auto *form = new TDlgSideView(project);
        QPointer<QMdiSubWindow> sub = area.addSubWindow(form);
        area.show();
        sub->show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QCOMPARE(form->windowTitle(), QString("Elevation View"));
        auto *label = form->findChild<QLabel *>("Label1");
        QVERIFY(label);
        QCOMPARE(label->text(), QString("Pile Geometry"));
        QCOMPARE(form->view().Pieces().size(), size_t(2));

        // A change to the project shows on the next activation.
        project.ShaftData[sdRATIO] = 0;
        area.setActiveSubWindow(nullptr);
        area.setActiveSubWindow(sub);
        QTRY_COMPARE(form->view().Pieces().size(), size_t(1));

        // The readout follows the pointer: the ground line reads depth 0.
        QWidget *box = form->paintBox();
        const QRect drawing = box->rect().adjusted(8, 8, -8, -8);
        const int groundY = form->view().ToScreen({0, form->view().Stickup()}, drawing).y();
        const TSideExtents &v = form->view().View();
        const double unitsPerPixel = (v.Ymax - v.Ymin) / drawing.height();
        const auto readout = [&] {
            const QString title = form->windowTitle();
            return title.startsWith("  Depth: ") ? title.mid(9).toDouble() : 1e9;
        };
        QTest::mouseMove(box, QPoint(box->width() / 2, groundY));
        QTRY_VERIFY(std::abs(readout()) <= unitsPerPixel);
        const int y20 = form->view().ToScreen({0, form->view().Stickup() + 20}, drawing).y();
        QTest::mouseMove(box, QPoint(box->width() / 3, y20));
        QTRY_VERIFY(std::abs(readout() - 20) <= unitsPerPixel);
        QVERIFY(form->windowTitle().contains(QRegularExpression("^  Depth: -?\\d+\\.\\d$")));

        // Print: a landscape page titled "Soil-Pile Profile", painted through the same view.
        QImage page(1100, 850, QImage::Format_RGB32);
        page.fill(Qt::gray);
        m_ask->page = &page;
        auto *print = form->findChild<QPushButton *>("PrintBtn");
        QVERIFY(print);
        QCOMPARE(print->text(), QString("Print"));
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(m_ask->printed, QStringList{"Soil-Pile Profile"});
        QVERIFY(isDark(page.pixel(550, form->view().PageY(20, page.rect()))));
        QVERIFY(m_ask->messages.isEmpty());

        // Closing frees the window: the frame's flag follows its destruction.
        sub->close();
        QTRY_VERIFY(sub.isNull());
    }
};

QTEST_MAIN(TestSideView)
#include "tst_sideview.moc"
