#include "PltData.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QImageWriter>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QVBoxLayout>

#include <cmath>

#include "Caption.h"
#include "ChangeActiveLines.h"
#include "ChangeLineNames.h"
#include "DataEdit.h"
#include "Messages.h"
#include "core/plotcommand.h"

namespace {

constexpr int kLegendMinWidth = 21;
constexpr int kLegendPoints = 11;

const QString kPictureFilters = "Bitmap|*.bmp|PNG image|*.png|SVG drawing|*.svg|PDF document|*.pdf";

// A curve name is shown as it is; "&" would otherwise mark a menu shortcut.

// The chosen name with the extension of its filter (1 to 4 in kPictureFilters) when it has
// none of the four known ones.
QString pictureFileName(const QString &chosen, int filterIndex)
{
    static const QStringList kKnown{"bmp", "png", "svg", "pdf"};
    if (kKnown.contains(QFileInfo(chosen).suffix().toLower()))
        return chosen;
    return chosen + "." + kKnown.value(filterIndex - 1, "bmp");
}

QVector<QRgb> standardColors16()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 128, 128),
            qRgb(192, 192, 192), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

// Each pixel as ink of one of the sixteen colours laid over white paper: the colour whose
// blend with white comes closest, where at least half of it covers the pixel. Smoothed curve
// edges thus become their curve's colour or paper, not the nearest gray or a darker hue.
QImage inkOnPaper16(const QImage &image)
{
    const QVector<QRgb> table = standardColors16();
    const int paper = int(table.size()) - 1; // white, last
    QImage out(image.size(), QImage::Format_Indexed8);
    if (out.isNull())
        return out;
    out.setColorTable(table);
    QHash<QRgb, uchar> seen;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uchar *target = out.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = row[x] | 0xff000000u;
            auto known = seen.constFind(p);
            if (known != seen.constEnd()) {
                target[x] = *known;
                continue;
            }
            const double pr = 255 - qRed(p), pg = 255 - qGreen(p), pb = 255 - qBlue(p);
            int best = paper;
            double bestResidual = pr * pr + pg * pg + pb * pb, bestCover = 0;
            for (int k = 0; k < paper; ++k) {
                const double kr = 255 - qRed(table[k]), kg = 255 - qGreen(table[k]), kb = 255 - qBlue(table[k]);
                const double cover =
                    std::clamp((pr * kr + pg * kg + pb * kb) / (kr * kr + kg * kg + kb * kb), 0.0, 1.0);
                const double dr = pr - cover * kr, dg = pg - cover * kg, db = pb - cover * kb;
                const double residual = dr * dr + dg * dg + db * db;
                // Of two inks that explain the pixel as well, the one that covers it more is
                // its colour: a gray grid line is gray ink, not black at half cover.
                if (residual < bestResidual - 1.0 || (residual <= bestResidual + 1.0 && cover > bestCover)) {
                    bestResidual = std::min(residual, bestResidual);
                    best = k;
                    bestCover = cover;
                }
            }
            const uchar index = uchar(bestCover >= 0.5 ? best : paper);
            seen.insert(p, index);
            target[x] = index;
        }
    }
    return out;
}

// The picture in the colour depth chosen in "Save Attributes", without dither, so that the
// curves keep their palette colours.
QImage withColors(const QImage &image, TPictureColors colors)
{
    switch (colors) {
    case TPictureColors::BlackWhite: {
        // Everything that is not paper is ink, so that light curves stay visible.
        QImage mono(image.size(), QImage::Format_Mono);
        if (mono.isNull())
            return mono;
        mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        for (int y = 0; y < image.height(); ++y) {
            const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                mono.setPixel(x, y, qGray(row[x]) < 250 ? 1 : 0);
        }
        return mono;
    }
    case TPictureColors::Colors16:
        return inkOnPaper16(image);
    case TPictureColors::Colors256:
        return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    case TPictureColors::HighColor:
        return image.convertToFormat(QImage::Format_RGB16);
    case TPictureColors::TrueColor:
        break;
    }
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace

TPlotForm *ShowGraph(TGraphPlot &graph, QMdiArea *frame)
{
    if (!frame)
        return nullptr;
    auto *form = qobject_cast<TPlotForm *>(graph.Window.data());
    if (!form) {
        form = new TPlotForm(graph);
        if (!form->Scaled()) {
            delete form;
            showMessage(frame, "This graph cannot be drawn: its values give no scale.");
            return nullptr;
        }
        frame->addSubWindow(form);
        // The frame's icon in the system-menu corner; without one, a blank rather than the
        // toolkit's logo.
        QIcon icon = frame->window()->windowIcon();
        if (icon.isNull()) {
            QPixmap blank(16, 16);
            blank.fill(Qt::transparent);
            icon = QIcon(blank);
        }
        form->setWindowIcon(icon);
        // The size it takes when the user restores it from maximized.
        const QSize room = frame->viewport()->size();
        form->resize(std::max(640, room.width() * 2 / 3), std::max(420, room.height() * 2 / 3));
        form->showMaximized();
    } else if (form->isMinimized()) {
        form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
    }
    form->show();
    frame->setActiveSubWindow(form);
    form->raise();
    return form;
}

TPlotCanvas::TPlotCanvas(TPlotForm *form) : m_form(form)
{
    setObjectName("PlotCanvas");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}

void TPlotCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_form->CanvasPaint(painter);
}

void TPlotCanvas::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_form->CanvasResize();
}

void TPlotCanvas::mousePressEvent(QMouseEvent *event)
{
    m_form->CanvasMouseDown(event);
}

void TPlotCanvas::mouseMoveEvent(QMouseEvent *event)
{
    m_form->CanvasMouseMove(event);
}

void TPlotCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    m_form->CanvasMouseUp(event);
}

TLegendBox::TLegendBox(TPlotForm *form, QWidget *parent) : QWidget(parent), m_form(form)
{
    setObjectName("Legend");
    setFontSize(kLegendPoints);
    resize(kLegendMinWidth, 3);
}

int TLegendBox::rowAt(QPoint pos) const
{
    if (pos.y() < 1 || pos.x() < 0 || pos.x() >= width())
        return -1;
    const int r = (pos.y() - 1) / m_rowHeight;
    return r < rowCount() ? r : -1;
}

void TLegendBox::setRows(const std::vector<Row> &rows)
{
    m_rows = rows;
    refresh();
}

void TLegendBox::refresh()
{
    for (int r = 0; r < rowCount(); ++r)
        widenFor(shownText(r), logicalDpiX() / 8);
    update();
}

void TLegendBox::setFontSize(int points)
{
    QFont f("Times New Roman");
    f.setStyleHint(QFont::Serif);
    f.setPointSize(std::max(points, 1));
    setFont(f);
    // 1.5 times the size in points, as the rows were designed; never cut below the text.
    m_rowHeight = std::max(3 * f.pointSize() / 2, QFontMetrics(f).height());
    update();
}

void TLegendBox::fitRows()
{
    int w = kLegendMinWidth;
    const QFontMetrics fm(font());
    for (const Row &row : m_rows)
        w = std::max(w, fm.horizontalAdvance(row.text + " *") + logicalDpiX() / 4);
    resize(w, rowCount() * m_rowHeight + 3);
}

void TLegendBox::keepInside()
{
    const QWidget *area = parentWidget();
    if (!area)
        return;
    const int x = std::max(0, std::min(this->x(), area->width() - width()));
    const int y = std::max(0, std::min(this->y(), area->height() - height()));
    move(x, y);
}

QString TLegendBox::shownText(int row) const
{
    const Row &r = m_rows.at(size_t(row));
    const TLineSet &curves = m_form->graph().Lines(0);
    const bool visible = r.line < curves.LineCount() && curves.Line(r.line).Visible;
    return visible ? r.text + " *" : r.text;
}

void TLegendBox::widenFor(const QString &text, int extra)
{
    const int w = QFontMetrics(font()).horizontalAdvance(text);
    if (w > width())
        resize(w + extra, height());
}

void TLegendBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    for (int r = 0; r < rowCount(); ++r) {
        const QRect box(3, 1 + r * m_rowHeight, width() - 4, m_rowHeight);
        p.setPen(paletteColor(r));
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shownText(r));
    }
}

void TLegendBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_grab = event->position().toPoint();
    setCursor(Qt::SizeAllCursor);
}

void TLegendBox::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    move(mapToParent(event->position().toPoint()) - m_grab);
    keepInside();
    m_form->LegendDragged();
}

void TLegendBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    m_dragging = false;
    unsetCursor();
}

void TLegendBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int r = rowAt(event->position().toPoint());
    if (r >= 0)
        m_form->ToggleLine(m_rows.at(size_t(r)).line);
}

TPlotForm::TPlotForm(TGraphPlot &graph, QWidget *parent) : QMdiSubWindow(parent), m_graph(graph)
{
    setObjectName("PlotForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(graph.Caption);

    auto *client = new QWidget;
    auto *column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_canvas = new TPlotCanvas(this);
    column->addWidget(m_canvas);
    setWidget(client);
    m_legend = new TLegendBox(this, m_canvas);

    createMenu();
    PageSetup1->setVisible(true);
    if (const auto view = initialView(graph)) {
        m_view = *view;
        m_scaled = true;
    }
    m_graph.ResetActiveLines();
    rebuildLineRows();
    m_graph.LegendFont = m_legend->fontSize();
    setupLegend();
    showLegendBox();
    const bool printers = ask().printerInstalled();
    PageSetup1->setEnabled(printers);
    Print1->setEnabled(printers);
    PageSetupDialog1.Margins = {1000, 1000, 1000, 1000};
    if (m_scaled)
        m_graph.Window = this;

    auto activation = [this](Qt::WindowStates, Qt::WindowStates now) { attachMenu(now.testFlag(Qt::WindowActive)); };
    m_stateWatch = connect(this, &QMdiSubWindow::windowStateChanged, this, activation);
}

TPlotForm::~TPlotForm()
{
    // The base class still reports its deactivation; this part of the window is gone by then.
    disconnect(m_stateWatch);
}

void TPlotForm::closeEvent(QCloseEvent *event)
{
    QMdiSubWindow::closeEvent(event);
    // The window is deleted later; a Show before then must make a new one.
    if (event->isAccepted() && m_graph.Window == this)
        m_graph.Window.clear();
}

QAction *TPlotForm::addItem(QMenu *menu, const char *objectName, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(objectName);
    return action;
}

void TPlotForm::createMenu()
{
    Plot1 = new QMenu("&Plot", this);
    Plot1->setObjectName("Plot1");
    ShowLegend1 = addItem(Plot1, "ShowLegend1", "Show &Legend");
    ShowSoilLayer1 = addItem(Plot1, "ShowSoilLayer1", "Show &Soil Layer");
    ShowWallGeometry1 = addItem(Plot1, "ShowWallGeometry1", "Show &Wall Geometry");
    for (QAction *a : {ShowLegend1, ShowSoilLayer1, ShowWallGeometry1})
        a->setCheckable(true);

    struct Choice {
        const char *name;
        const char *caption;
        int number;
    };
    auto submenu = [this](const char *name, const QString &caption, std::initializer_list<Choice> choices,
                          QActionGroup *group) {
        QMenu *menu = Plot1->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(QString(name) + "Item");
        for (const Choice &c : choices) {
            QAction *a = addItem(menu, c.name, c.caption);
            a->setData(c.number);
            if (group) {
                a->setCheckable(true);
                group->addAction(a);
            }
        }
        return menu;
    };
    MarkerItems = new QActionGroup(this);
    MarkerItems->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    ShowMarkers1 = submenu("ShowMarkers1", "Show &Markers",
                           {{"Never1", "&Never", 0},
                            {"EveryIncrement1", "Every &Increment", 1},
                            {"Every2Increments1", "Every &2 Increments", 2},
                            {"Every3Increments1", "Every &3 Incrments", 3},
                            {"Every5Increments1", "Every &5 Increments", 5},
                            {"Every10Increments1", "Every &10 Incements", 10}},
                           MarkerItems);
    FontSize1 = submenu("FontSize1", "&Font Size",
                        {{"FontDefault1", "&Default", 10},
                         {"Font15Default1", "1.5 * Default", 15},
                         {"Font2Default1", "2 * Default", 20},
                         {"Font25Default1", "2.5 * Default", 25},
                         {"Font3Default1", "3 * Default", 30},
                         {"Font4Default1", "4 * Default", 40}},
                        nullptr);
    LineWidth1 = submenu("LineWidth1", "&Line Width",
                         {{"WidthDefault1", "&Default", 1},
                          {"Width2Default1", "2 * Default", 2},
                          {"Width4Default1", "4 * Default", 4},
                          {"Width6Default1", "6 * Default", 6},
                          {"Width10Default1", "10 * Default", 10}},
                         nullptr);
    GraphTitle1 = addItem(Plot1, "GraphTitle1", "&Graph Title");
    EditLegend1 = addItem(Plot1, "EditLegend1", "&Edit Legend");
    ActiveCurves1 = addItem(Plot1, "ActiveCurves1", "&Active Curves");
    Plot1->addSeparator();
    Print1 = addItem(Plot1, "Print1", "&Print...");
    PageSetup1 = addItem(Plot1, "PageSetup1", "P&age Setup");
    SaveToDisk1 = addItem(Plot1, "SaveToDisk1", "&Save To Disk...");
    LinesSeparator = Plot1->addSeparator();

    connect(Plot1, &QMenu::aboutToShow, this, &TPlotForm::Plot1Popup);
    connect(ShowMarkers1, &QMenu::aboutToShow, this, &TPlotForm::ShowMarkers1Popup);
    connect(ShowLegend1, &QAction::triggered, this, &TPlotForm::ShowLegend1Click);
    connect(ShowSoilLayer1, &QAction::triggered, this, &TPlotForm::ShowSoilLayer1Click);
    connect(ShowWallGeometry1, &QAction::triggered, this, &TPlotForm::ShowWallGeometry1Click);
    connect(ShowMarkers1, &QMenu::triggered, this, &TPlotForm::MarkersClick);
    connect(FontSize1, &QMenu::triggered, this, &TPlotForm::FontSizeClick);
    connect(LineWidth1, &QMenu::triggered, this, &TPlotForm::LineWidthClick);
    connect(GraphTitle1, &QAction::triggered, this, &TPlotForm::GraphTitle1Click);
    connect(EditLegend1, &QAction::triggered, this, &TPlotForm::EditLegend1Click);
    connect(ActiveCurves1, &QAction::triggered, this, &TPlotForm::ActiveCurves1Click);
    connect(Print1, &QAction::triggered, this, &TPlotForm::Print1Click);
    connect(PageSetup1, &QAction::triggered, this, &TPlotForm::PageSetup1Click);
    connect(SaveToDisk1, &QAction::triggered, this, &TPlotForm::SaveToDisk1Click);
}

void TPlotForm::attachMenu(bool active)
{
    QMdiArea *area = mdiArea();
    auto *frame = area ? qobject_cast<QMainWindow *>(area->window()) : nullptr;
    auto *bar = frame ? qobject_cast<QMenuBar *>(frame->menuWidget()) : nullptr;
    if (!bar) {
        // Without a frame menu bar the window carries the menu itself.
        if (!m_ownMenuBar) {
            m_ownMenuBar = new QMenuBar(widget());
            m_ownMenuBar->setObjectName("PlotMenuBar");
            m_ownMenuBar->addMenu(Plot1);
            static_cast<QVBoxLayout *>(widget()->layout())->insertWidget(0, m_ownMenuBar);
        }
        return;
    }
    QAction *own = Plot1->menuAction();
    if (!active) {
        bar->removeAction(own);
        return;
    }
    if (bar->actions().contains(own))
        return;
    // Merged like a child window's menu: before the frame's "&Window" menu when it has one.
    QAction *before = nullptr;
    for (QAction *a : bar->actions())
        if (a->menu() && a->menu()->objectName() == "ArrangeMenu")
            before = a;
    bar->insertAction(before, own);
}

PaintTarget TPlotForm::screenTarget() const
{
    return PaintTarget{QRect(QPoint(0, 0), m_canvas->size()), m_canvas->logicalDpiX(), m_canvas->logicalDpiY(),
                       OutputMode::Screen};
}

TPlotLayout TPlotForm::screenLayout() const
{
    return layoutFor(m_graph, screenTarget());
}

QPrinter &TPlotForm::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void TPlotForm::CanvasPaint(QPainter &painter)
{
    if (m_banding && !m_bandBackdrop.isNull()) {
        painter.drawImage(0, 0, m_bandBackdrop);
        // Inverted pixels stand out over curves, grid and patterns alike.
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(m_bandStart, m_bandEnd).normalized());
        return;
    }
    GraphView v = m_view;
    v.layout = screenLayout();
    paintGraph(painter, m_graph, v, screenTarget());
}

void TPlotForm::CanvasResize()
{
    followLayout();
}

void TPlotForm::followLayout()
{
    // Until the user moves it, the legend stays in the plot's lower right corner; once moved
    // it keeps its place and is only pushed back inside.
    if (!m_legendDragged)
        placeLegend();
    else
        m_legend->keepInside();
}

void TPlotForm::DataChanged(bool rescale)
{
    if (rescale)
        if (const auto view = initialView(m_graph))
            m_view = *view;
    rebuildLineRows();
    setupLegend();
    followLayout();
    showLegendBox();
    m_legend->update();
    m_canvas->update();
}

void TPlotForm::LegendDragged()
{
    m_legendDragged = true;
}

void TPlotForm::CanvasMouseDown(QMouseEvent *event)
{
    if (!m_scaled)
        return;
    const TPlotRect plot = screenLayout().plot;
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && !m_graph.ShowThree && plot.contains(at)) {
        m_banding = true;
        m_bandStart = m_bandEnd = at;
        const qreal ratio = m_canvas->devicePixelRatioF();
        m_bandBackdrop = QImage(m_canvas->size() * ratio, QImage::Format_RGB32);
        m_bandBackdrop.setDevicePixelRatio(ratio);
        QPainter painter(&m_bandBackdrop);
        GraphView v = m_view;
        v.layout = screenLayout();
        paintGraph(painter, m_graph, v, screenTarget());
    } else if (event->button() == Qt::RightButton) {
        if (const auto zoomed = rightClickZoom(m_view.current, m_view.full, plot, m_graph.XOnTop, at)) {
            m_view.current = *zoomed;
            m_canvas->update();
        }
    }
}

void TPlotForm::CanvasMouseMove(QMouseEvent *event)
{
    if (!m_scaled)
        return;
    const TPlotRect plot = screenLayout().plot;
    const QPoint at = clampToPlot(event->position().toPoint(), plot);
    const QPointF value = mapFromDevice(m_view.current, plot, m_graph.XOnTop, at);
    setWindowTitle(pointerReadout(m_graph.Caption, value.x(), value.y()));
    if (m_banding) {
        m_bandEnd = at;
        m_canvas->update();
    }
}

void TPlotForm::CanvasMouseUp(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_banding)
        return;
    m_banding = false;
    m_bandBackdrop = QImage();
    const TPlotRect plot = screenLayout().plot;
    if (const auto zoomed = rubberBandZoom(m_view.current, m_view.full, plot, m_graph.XOnTop, m_bandStart,
                                           event->position().toPoint()))
        m_view.current = *zoomed;
    m_canvas->update();
}

void TPlotForm::rebuildLineRows()
{
    std::vector<TLegendBox::Row> rows;
    const TLineSet &curves = m_graph.Lines(0);
    for (int i = 0; i < curves.LineCount(); ++i)
        if (curves.Line(i).Active)
            rows.push_back({m_graph.LegendText(i), i});
    m_legend->setRows(rows);
    // Existing items take the new text and line, missing ones are appended, surplus ones
    // go from the end.
    while (m_lineItems.size() > rows.size()) {
        delete m_lineItems.back();
        m_lineItems.pop_back();
    }
    for (size_t r = 0; r < rows.size(); ++r) {
        if (r == m_lineItems.size()) {
            auto *item = new QAction(Plot1);
            item->setObjectName(QString("LineItem%1").arg(r + 1));
            item->setCheckable(true);
            Plot1->addAction(item);
            connect(item, &QAction::triggered, this, [this, item] { LineItemClick(item); });
            m_lineItems.push_back(item);
        }
        m_lineItems[r]->setText(menuText(rows[r].text));
        m_lineItems[r]->setData(rows[r].line);
        m_lineItems[r]->setChecked(curves.Line(rows[r].line).Visible);
    }
}

void TPlotForm::setupLegend()
{
    m_legend->setFontSize(m_graph.SizeFont * m_graph.LegendFont / 10);
    m_legend->fitRows();
}

void TPlotForm::placeLegend()
{
    const TPlotRect plot = screenLayout().plot;
    m_legend->move(plot.right - m_legend->width(), plot.bottom - m_legend->height());
    m_legend->keepInside();
}

void TPlotForm::showLegendBox()
{
    // An empty box would be a three-pixel sliver; it comes back with its first row.
    m_legend->setVisible(m_graph.ShowLegend && m_legend->rowCount() > 0);
}

std::optional<QPointF> TPlotForm::legendFraction() const
{
    if (m_canvas->width() <= 0 || m_canvas->height() <= 0)
        return std::nullopt;
    return QPointF(double(m_legend->x()) / m_canvas->width(), double(m_legend->y()) / m_canvas->height());
}

void TPlotForm::ToggleLine(int line)
{
    TLineSet &curves = m_graph.Lines(0);
    if (line < 0 || line >= curves.LineCount())
        return;
    TLine &l = curves.Line(line);
    l.Visible = !l.Visible;
    for (QAction *item : m_lineItems)
        if (item->data().toInt() == line)
            item->setChecked(l.Visible);
    m_legend->refresh();
    m_canvas->update();
}

void TPlotForm::Plot1Popup()
{
    const bool hasLines = m_graph.Lines(0).LineCount() > 0;
    ShowLegend1->setVisible(hasLines);
    ShowLegend1->setChecked(m_graph.ShowLegend);
    ShowSoilLayer1->setChecked(m_graph.ShowLayers);
    ShowSoilLayer1->setVisible(m_graph.HasLayers());
    ShowWallGeometry1->setVisible(m_graph.WallLineCount > 0);
    ShowWallGeometry1->setEnabled(m_graph.ShowLayers);
    ShowWallGeometry1->setChecked(m_graph.ShowWall);
    FontSize1->menuAction()->setVisible(m_graph.ShowFontWidth);
    LineWidth1->menuAction()->setVisible(m_graph.ShowFontWidth);
    const TLineSet &curves = m_graph.Lines(0);
    for (QAction *item : m_lineItems) {
        const int line = item->data().toInt();
        item->setChecked(line < curves.LineCount() && curves.Line(line).Visible);
    }
}

void TPlotForm::ShowMarkers1Popup()
{
    for (QAction *item : MarkerItems->actions())
        item->setChecked(item->data().toInt() == m_graph.Markers);
}

void TPlotForm::ShowLegend1Click()
{
    m_graph.ShowLegend = !m_graph.ShowLegend;
    showLegendBox();
    m_canvas->update();
}

void TPlotForm::ShowSoilLayer1Click()
{
    m_graph.ShowLayers = !m_graph.ShowLayers;
    // A legend left over the band that now appears goes back to the plot's corner.
    const TPlotLayout layout = screenLayout();
    if (layout.hasBand && m_legend->geometry().intersects(layout.band.toRect()))
        m_legendDragged = false;
    followLayout();
    m_canvas->update();
}

void TPlotForm::ShowWallGeometry1Click()
{
    m_graph.ShowWall = !m_graph.ShowWall;
    m_canvas->update();
}

void TPlotForm::MarkersClick(QAction *item)
{
    m_graph.Markers = item->data().toInt();
    m_canvas->update();
}

void TPlotForm::FontSizeClick(QAction *item)
{
    m_graph.SizeFont = item->data().toInt();
    setupLegend();
    placeLegend();
    m_legendDragged = false;
    m_canvas->update();
}

void TPlotForm::LineWidthClick(QAction *item)
{
    m_graph.WidthLine = item->data().toInt();
    m_canvas->update();
}

void TPlotForm::GraphTitle1Click()
{
    EditGraphTitle(this, m_graph);
    followLayout();
    m_canvas->update();
}

void TPlotForm::EditLegend1Click()
{
    TLineSet &curves = m_graph.Lines(0);
    QStringList names;
    for (int i = 0; i < curves.LineCount(); ++i)
        names << curves.Line(i).DisplayName();
    TfrmLineNames dialog(names, this);
    if (ask().runDialog(&dialog) != QDialog::Accepted)
        return;
    names = dialog.names();
    for (int i = 0; i < curves.LineCount() && i < names.size(); ++i)
        curves.Line(i).Name = names.at(i);
    // Each active curve's row and menu item, at its position among the active curves.
    std::vector<TLegendBox::Row> rows;
    for (int r = 0; r < m_legend->rowCount(); ++r) {
        TLegendBox::Row row = m_legend->row(r);
        row.text = names.value(row.line, row.text);
        rows.push_back(row);
        if (size_t(r) < m_lineItems.size())
            m_lineItems[size_t(r)]->setText(menuText(row.text));
    }
    m_legend->setRows(rows);
    m_canvas->update();
}

void TPlotForm::ActiveCurves1Click()
{
    TLineSet &curves = m_graph.Lines(0);
    std::vector<TfrmActiveLines::Row> rows;
    for (int i = 0; i < curves.LineCount(); ++i)
        rows.push_back({curves.Line(i).Active, curves.Line(i).DisplayName()});
    TfrmActiveLines dialog(rows, this);
    if (ask().runDialog(&dialog) != QDialog::Accepted)
        return;
    const std::vector<bool> flags = dialog.activeFlags();
    for (int i = 0; i < curves.LineCount() && size_t(i) < flags.size(); ++i)
        curves.Line(i).Active = flags[size_t(i)];
    rebuildLineRows();
    // Height for the rows, the width only widened, as when the window opened.
    int w = m_legend->width();
    const QFontMetrics fm(m_legend->font());
    for (int r = 0; r < m_legend->rowCount(); ++r)
        w = std::max(w, fm.horizontalAdvance(m_legend->row(r).text + " *") + logicalDpiX() / 4);
    m_legend->resize(w, m_legend->rowCount() * m_legend->rowHeight() + 3);
    followLayout();
    showLegendBox();
    m_legend->update();
    m_canvas->update();
}

void TPlotForm::LineItemClick(QAction *item)
{
    const int line = item->data().toInt();
    ToggleLine(line);
    // An item whose curve went with a new load of the graph stays unchecked.
    const TLineSet &curves = m_graph.Lines(0);
    item->setChecked(line < curves.LineCount() && curves.Line(line).Visible);
}

void TPlotForm::Print1Click()
{
    if (!ask().printerInstalled()) {
        showMessage(this, "No printer is installed.");
        return;
    }
    QPrinter &target = printer();
    QPrintDialog dialog(&target, this);
    if (ask().runDialog(&dialog) != QDialog::Accepted)
        return;
    if (!PrintTo(target))
        showMessage(this, "The graph could not be printed on " + target.printerName() + ".");
}

void TPlotForm::PageSetup1Click()
{
    PageSetupDialog1.Execute(printer(), this);
}

QRect TPlotForm::printArea(const QPrinter &target) const
{
    TPrinterGeometry g;
    g.dpiX = target.logicalDpiX();
    g.dpiY = target.logicalDpiY();
    // The printable area is the page with the printer's minimum margins, converted by the
    // page layout itself.
    QPageLayout edge = target.pageLayout();
    edge.setMode(QPageLayout::StandardMode);
    edge.setMargins(edge.minimumMargins());
    const QRect paper = edge.fullRectPixels(target.resolution());
    const QRect printable = edge.paintRectPixels(target.resolution());
    g.offsetLeft = printable.left() - paper.left();
    g.offsetTop = printable.top() - paper.top();
    g.offsetRight = paper.right() - printable.right();
    g.offsetBottom = paper.bottom() - printable.bottom();
    g.printableWidth = printable.width();
    g.printableHeight = printable.height();
    return printerPageRect(g, PageSetupDialog1.Margins).translated(g.offsetLeft, g.offsetTop);
}

bool TPlotForm::PrintTo(QPrinter &target)
{
    target.setDocName(m_graph.Caption);
    // The page is addressed from the paper's corner; the margins decide where the graph goes.
    target.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&target))
        return false;
    paintGraph(painter, m_graph, pictureView(),
               PaintTarget{printArea(target), target.logicalDpiX(), target.logicalDpiY(), OutputMode::Printer});
    return painter.end();
}

GraphView TPlotForm::pictureView() const
{
    GraphView v = m_view;
    v.layout.reset();
    v.legendAt = legendFraction();
    return v;
}

bool TPlotForm::SavePicture(const QString &fileName, QSize size, int resolution, TPictureColors colors,
                            QString *failure)
{
    QImage bitmap;
    const TPictureKind kind = pictureKind(fileName);
    if (kind == TPictureKind::Png || kind == TPictureKind::Bmp) {
        bitmap = QImage(size, QImage::Format_RGB32);
        if (bitmap.isNull()) {
            if (failure)
                *failure = "There is not enough memory to complete this task.";
            return false;
        }
        bitmap.fill(Qt::white);
    }
    return writePicture(fileName, std::move(bitmap), size, resolution, colors, failure);
}

bool TPlotForm::writePicture(const QString &fileName, QImage bitmap, QSize size, int resolution,
                             TPictureColors colors, QString *failure)
{
    std::string why;
    auto failed = [&](const QString &reason) {
        if (failure)
            *failure = reason;
        return false;
    };
    const TPictureKind kind = pictureKind(fileName);
    if (kind != TPictureKind::Png && kind != TPictureKind::Bmp) {
        if (saveGraphPicture(fileName, m_graph, pictureView(), size, resolution, &why))
            return true;
        return failed(QString::fromStdString(why));
    }
    if (bitmap.size() != size || size.isEmpty() || resolution <= 0)
        return failed("the picture has no size");
    {
        // Drawn for its own pixels per inch, so that a picture of given inches looks the
        // same at any resolution, only sharper.
        QPainter painter(&bitmap);
        // Few colours: edges are not smoothed, so no pixel falls between ink and paper.
        const bool smooth = colors == TPictureColors::TrueColor || colors == TPictureColors::HighColor;
        paintGraph(painter, m_graph, pictureView(),
                   PaintTarget{QRect(QPoint(0, 0), size), resolution, resolution, OutputMode::Bitmap, smooth});
    }
    QImage out = withColors(bitmap, colors);
    bitmap = QImage();
    if (out.isNull())
        return failed("There is not enough memory to complete this task.");
    const int perMetre = int(std::lround(resolution / 0.0254));
    out.setDotsPerMeterX(perMetre);
    out.setDotsPerMeterY(perMetre);
    // Through a temporary file, so that a failed write leaves no broken picture behind.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    QImageWriter writer(&file, kind == TPictureKind::Png ? "png" : "bmp");
    if (!writer.write(out))
        return failed(writer.errorString());
    if (!file.commit())
        return failed(file.errorString());
    return true;
}

void TPlotForm::SaveToDisk1Click()
{
    TFileDialogSpec spec{"Save To Disk", {}, kPictureFilters, {}, 1};
    const QString chosen = ask().saveFileName(this, spec);
    if (chosen.isEmpty())
        return;
    const QString fileName = pictureFileName(chosen, spec.filterIndex);
    const QString ext = QFileInfo(fileName).suffix().toLower();
    TdlgFormat dialog(ext == "bmp" || ext == "png", this);
    const int result = ask().runDialog(&dialog);
    if (result == TdlgFormat::kNotEnoughMemory) {
        showMessage(this, "There is not enough memory to complete this task.");
        return;
    }
    if (result != QDialog::Accepted)
        return;
    const int ppi = int(dialog.PixelsEdit->Number());
    QString why;
    if (!writePicture(fileName, dialog.takeImage(), dialog.pictureSize(), ppi, dialog.colors(), &why))
        showMessage(this, "The picture could not be written to " + QDir::toNativeSeparators(fileName) + ":\r" + why);
}
