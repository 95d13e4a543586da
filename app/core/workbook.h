#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <variant>
#include <vector>

/// A workbook could not be written; the message names the file and the reason.
class EWorkbookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Sheet types of Sheets.Add.
inline constexpr int xlWorksheet = -4167;
inline constexpr int xlChart = -4109;
/// Range.VerticalAlignment: centre.
inline constexpr int xlCenter = -4108;
/// Chart.ChartType: XY scatter with lines and markers.
inline constexpr int xlXYScatterLines = 74;
/// SetSourceData: series in columns.
inline constexpr int xlColumns = 2;
/// Axes(type, 1): the category (X) and the value (Y) axis.
inline constexpr int xlCategory = 1;
inline constexpr int xlValue = 2;
/// The most series a chart of this format carries.
inline constexpr int kMaxChartSeries = 255;

struct TWorkbookSeries {
    QString Name;
    QString XValues; // "=Page_1!$A$6:$A$20"
    QString Values;
};

struct TWorkbookAxis {
    bool HasTitle = false;
    QString Title;
    bool HasMajorGridlines = false;
    bool ReversePlotOrder = false;
};

struct TWorkbookChart {
    int ChartType = 0;
    QString SourceRange; // as SetSourceData was given it
    int PlotBy = 0;
    std::vector<TWorkbookSeries> Series;
    bool HasTitle = true;
    TWorkbookAxis Category, Value;
    int LegendBorderColor = -1;     // -1: the format's default
    int LegendInteriorColorIndex = -1;
};

struct TWorkbookLink {
    int Row = 0, Col = 0; // 1-based anchor cell
    QString Address, SubAddress, ScreenTip, TextToDisplay;
};

struct TWorkbookCell {
    std::variant<QString, double> Value;
    bool Bold = false;
    bool CentreVertically = false;
};

/// One sheet: a worksheet with cells, links and column widths, or a chart sheet.
struct TWorkbookSheet {
    QString Name;
    bool IsChart = false;
    std::map<std::pair<int, int>, TWorkbookCell> Cells; // (row, column), 1-based
    std::vector<TWorkbookLink> Links;
    std::map<int, double> ColumnWidths; // column -> width in characters
    TWorkbookChart Chart;
};

/// A workbook built by the calls a spreadsheet application's automation offers (sheets added
/// after a given sheet, cells by row and column, ranges by address, charts, hyperlinks).
/// Every call is recorded as a line of text, so the export's sequence is checked without a
/// file; SaveAs writes the result as an Office Open XML workbook. Sheets are addressed by
/// their 1-based position, as Sheets(i) is; an index out of range throws std::out_of_range.
class TWorkbook {
public:
    /// Workbooks.Add: one worksheet "Sheet1", which is the active sheet.
    TWorkbook();
    ~TWorkbook();

    int Count() const { return int(m_order.size()); }
    /// Position of the active sheet.
    int ActiveSheet() const;
    const TWorkbookSheet &Sheet(int index) const;
    QString Name(int index) const { return Sheet(index).Name; }
    /// Position of the sheet of that name; 0 when there is none.
    int IndexOf(const QString &name) const;
    QStringList SheetNames() const;

    /// Sheets.Add(After:=Sheets(after), Type:=type): the new sheet follows that sheet and
    /// becomes active. Returns its position.
    int Add(int after, int type);
    void Activate(int index);
    void SetName(int index, const QString &name);
    /// Sheet(index).Move(After:=Sheets(after)).
    void Move(int index, int after);

    void SetCell(int index, int row, int col, const QString &text);
    /// A number stays a number in the file; the cell shows it in the general format.
    void SetCell(int index, int row, int col, double value);
    /// Range(address).Font.Bold, .VerticalAlignment, .EntireColumn.AutoFit for "B2:F2".
    void SetBold(int index, const QString &range, bool bold);
    void SetVerticalAlignment(int index, const QString &range, int alignment);
    /// Fits the width of each column of the range to the texts it holds now.
    void AutoFitColumns(int index, const QString &range);
    /// Hyperlinks.Add(Anchor:=Range(anchor), Address, SubAddress, ScreenTip, TextToDisplay);
    /// a sub-address "Sheet!A1" links inside the workbook.
    void AddHyperlink(int index, const QString &anchor, const QString &address, const QString &subAddress,
                      const QString &screenTip = {}, const QString &textToDisplay = {});

    void SetChartType(int index, int type);
    /// Starts the chart with one series per column of the data sheet's range after its first
    /// (X) column, each over the range's rows.
    void SetSourceData(int index, int dataSheet, const QString &range, int plotBy);
    int SeriesCount(int index) const { return int(Sheet(index).Chart.Series.size()); }
    /// SeriesCollection(series), 1-based, of a series that exists.
    void SetSeriesName(int index, int series, const QString &name);
    void SetSeriesXValues(int index, int series, const QString &reference);
    void SetSeriesValues(int index, int series, const QString &reference);
    void SetHasTitle(int index, bool hasTitle);
    void SetAxisHasTitle(int index, int axis, bool hasTitle);
    void SetAxisTitle(int index, int axis, const QString &text);
    void SetAxisMajorGridlines(int index, int axis, bool visible);
    void SetAxisReversePlotOrder(int index, int axis, bool reverse);
    void SetLegendBorderColor(int index, int color);
    void SetLegendInteriorColorIndex(int index, int colorIndex);

    /// Application.Visible and .UserControl: recorded only.
    void SetVisible(bool visible);
    void SetUserControl(bool userControl);

    /// Every call so far, one line each, for example
    /// `Page_1.Cells(6, 1) = 0.5` or `Sheets.Add(After:=Page_1, Type:=-4109) -> Sheet3`.
    const QStringList &Calls() const { return m_calls; }

    /// Writes the workbook to path through a temporary file beside it, so a failure leaves
    /// an existing file whole. Throws EWorkbookError with the reason.
    void SaveAs(const QString &path) const;

private:
    TWorkbookSheet &sheet(int index);
    TWorkbookChart &chart(int index);
    TWorkbookSeries &series(int index, int series);
    void record(const QString &call);
    QString prefix(int index) const;
    void writeFile(const QString &path) const;

    std::vector<std::unique_ptr<TWorkbookSheet>> m_sheets; // in order of creation
    std::vector<int> m_order;                              // positions -> m_sheets indices
    int m_active = 0;                                      // an m_sheets index
    int m_created = 0;
    QStringList m_calls;
};

/// Column letters of a 1-based column: A .. Z, then AA .. ZZ up to 702; nothing beyond.
std::optional<QString> GetExcelCol(int column);

/// "B2:F2" -> first row, first column, last row, last column, 1-based; a single cell gives
/// the same corner twice. Nothing when the text is no range of cells.
std::optional<std::array<int, 4>> parseRange(const QString &range);
