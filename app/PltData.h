#pragma once

#include <QImage>
#include <QMdiSubWindow>
#include <QPointer>

#include <memory>
#include <vector>

#include "PageSet.h"
#include "SaveAttb.h"
#include "core/graph.h"
#include "core/graphpaint.h"

class QAction;
class QActionGroup;
class QMdiArea;
class QMenu;
class QMenuBar;
class QPrinter;
class TPlotForm;

/// Shows the graph's window in frame: created on first use and remembered in the graph,
/// restored when minimized, brought to the front. A graph whose scale cannot be computed
/// gets no window: the user is told and the result is nullptr; so is it without a frame.
TPlotForm *ShowGraph(TGraphPlot &graph, QMdiArea *frame);

/// The client area of a plot window: paints the graph and hands the mouse to the window.
class TPlotCanvas : public QWidget {
    Q_OBJECT
public:
    explicit TPlotCanvas(TPlotForm *form);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TPlotForm *m_form;
};

/// The legend of a plot window, drawn by itself: one row per active curve in line order,
/// in the curve's palette colour, " *" after the text of a visible curve. It is dragged
/// with the mouse inside the client area; a double click shows or hides a row's curve.
class TLegendBox : public QWidget {
    Q_OBJECT
public:
    struct Row {
        QString text;
        int line = 0; // index in line set 0
    };
    explicit TLegendBox(TPlotForm *form, QWidget *parent);

    int rowCount() const { return int(m_rows.size()); }
    const Row &row(int i) const { return m_rows.at(size_t(i)); }
    /// Row under a point of the box; -1 below the last row.
    int rowAt(QPoint pos) const;
    int rowHeight() const { return m_rowHeight; }
    /// Font size in points.
    int fontSize() const { return font().pointSize(); }
    /// The row's text as shown: with " *" when its curve is visible.
    QString shownText(int row) const;

    /// The rows in order; the box widens where a text no longer fits, else keeps its size.
    void setRows(const std::vector<Row> &rows);
    /// Repaints after a curve was shown or hidden, widened where the " *" no longer fits.
    void refresh();
    /// Font size in points; row height 1.5 times that, at least the text height.
    void setFontSize(int points);
    /// Height for the rows; width reset to its minimum and widened to every row text with
    /// " *" and a quarter inch.
    void fitRows();
    /// Kept inside the parent's client area: not beyond its right or bottom edge, not left
    /// of or above 0.
    void keepInside();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void widenFor(const QString &text, int extra);

    TPlotForm *m_form;
    std::vector<Row> m_rows;
    int m_rowHeight = 16;
    bool m_dragging = false;
    QPoint m_grab;
};

/// The window of one graph, a child of the program's frame: scales the graph once when it
/// opens, draws it on every paint, offers the Plot menu, the legend, the pointer readout in
/// the caption, zooming with the mouse, printing and saving pictures. Frees itself when
/// closed; the graph keeps its data and settings for the next opening.
class TPlotForm : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TPlotForm(TGraphPlot &graph, QWidget *parent = nullptr);
    ~TPlotForm() override;

    /// False when the graph's scale could not be computed; such a window is not shown.
    bool Scaled() const { return m_scaled; }
    TGraphPlot &graph() const { return m_graph; }
    TPlotCanvas *canvas() const { return m_canvas; }
    TLegendBox *legend() const { return m_legend; }
    /// The "&Plot" menu; the frame shows it while this window is active.
    QMenu *plotMenu() const { return Plot1; }
    /// The Plot menu's curve items, one per legend row.
    std::vector<QAction *> lineItems() const { return m_lineItems; }
    const GraphView &view() const { return m_view; }
    /// The screen layout of the client area as it is now.
    TPlotLayout screenLayout() const;
    PaintTarget screenTarget() const;
    /// The printer used by "&Print..." and "P&age Setup".
    QPrinter &printer();
    TPageSetupDialog &pageSetup() { return PageSetupDialog1; }

    /// Draws the page on printer with the page-setup margins (at least the printer's
    /// unprintable border), the job titled with the graph's Caption. False when the job
    /// could not start.
    bool PrintTo(QPrinter &printer);
    /// Where PrintTo draws, in the printer's pixels from the paper's corner: the page-setup
    /// margins, each at least the printer's unprintable border on its side.
    QRect printArea(const QPrinter &printer) const;
    /// Writes the picture of size pixels drawn for resolution pixels per inch: .bmp and .png
    /// as bitmaps in the colour depth colors, .svg and .pdf as drawings of that size. False
    /// with the reason when it cannot be written; an existing file is then left as it was.
    bool SavePicture(const QString &fileName, QSize size, int resolution,
                     TPictureColors colors = TPictureColors::TrueColor, QString *failure = nullptr);

    /// The view of pages and pictures: their own layout, the legend placed in proportion to
    /// where it stands on screen.
    GraphView pictureView() const;

    /// The graph's data were loaded anew: the legend rows and Plot menu items follow its
    /// curves; rescale takes the new data's full view (otherwise the scale stays as it
    /// opened, zoom included). Repaints.
    void DataChanged(bool rescale);
    /// Shows or hides curve line and repaints window and legend.
    void ToggleLine(int line);

    // Parts of the window that the canvas and the legend hand their events to.
    void CanvasPaint(QPainter &painter);
    void CanvasResize();
    void CanvasMouseDown(QMouseEvent *event);
    void CanvasMouseMove(QMouseEvent *event);
    void CanvasMouseUp(QMouseEvent *event);
    void LegendDragged();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenu();
    QAction *addItem(QMenu *menu, const char *objectName, const QString &caption);
    void attachMenu(bool active);
    void rebuildLineRows();
    void setupLegend();
    void placeLegend();
    void followLayout();
    std::optional<QPointF> legendFraction() const;
    void showLegendBox();
    /// bitmap: the white picture for .bmp and .png, null for drawings.
    bool writePicture(const QString &fileName, QImage bitmap, QSize size, int resolution, TPictureColors colors,
                      QString *failure);

    void Plot1Popup();
    void ShowMarkers1Popup();
    void ShowLegend1Click();
    void ShowSoilLayer1Click();
    void ShowWallGeometry1Click();
    void MarkersClick(QAction *item);
    void FontSizeClick(QAction *item);
    void LineWidthClick(QAction *item);
    void GraphTitle1Click();
    void EditLegend1Click();
    void ActiveCurves1Click();
    void Print1Click();
    void PageSetup1Click();
    void SaveToDisk1Click();
    void LineItemClick(QAction *item);

    TGraphPlot &m_graph;
    GraphView m_view;
    bool m_scaled = false;
    bool m_legendDragged = false; // moved by the user: it no longer follows the plot's corner

    TPlotCanvas *m_canvas;
    TLegendBox *m_legend;
    QMenuBar *m_ownMenuBar = nullptr; // only when the frame has no menu bar to show Plot1 in

    QMenu *Plot1;
    QAction *ShowLegend1;
    QAction *ShowSoilLayer1;
    QAction *ShowWallGeometry1;
    QMenu *ShowMarkers1;
    QActionGroup *MarkerItems;
    QMenu *FontSize1;
    QMenu *LineWidth1;
    QAction *GraphTitle1;
    QAction *EditLegend1;
    QAction *ActiveCurves1;
    QAction *Print1;
    QAction *PageSetup1;
    QAction *SaveToDisk1;
    QAction *LinesSeparator;
    std::vector<QAction *> m_lineItems;

    bool m_banding = false;
    QPoint m_bandStart, m_bandEnd;
    QImage m_bandBackdrop; // the graph under the band while it is dragged

    QMetaObject::Connection m_stateWatch;
    TPageSetupDialog PageSetupDialog1;
    std::unique_ptr<QPrinter> m_printer;
};
