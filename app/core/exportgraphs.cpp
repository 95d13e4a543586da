#include "exportgraphs.h"


#include <algorithm>
#include <ostream>

#include "commandinput.h"
#include "graph.h"
#include "projectdata.h"
#include "resultgraphs.h"
#include "tzcurves.h"
#include "workbook.h"

namespace {

constexpr int kLegend = 1;

QString columnOf(int column) { return GetExcelCol(column).value_or(QString()); }

// "=Page_1!$C$6:$C$20"
QString seriesReference(const QString &sheet, int column, int lastRow)
{
    const QString letters = columnOf(column);
    return QString("=%1!$%2$6:$%2$%3").arg(sheet, letters).arg(lastRow);
}

QString completeStatus(int lines, int exported, int charted)
{
    if (exported == lines && charted == lines)
        return "Complete";
    if (exported == lines)
        return QString("Complete: first %1 of %2 lines charted").arg(charted).arg(lines);
    if (charted == exported)
        return QString("Complete: first %1 of %2 lines exported").arg(exported).arg(lines);
    return QString("Complete: first %1 of %2 lines exported, first %3 charted").arg(exported).arg(lines).arg(charted);
}


} // namespace

QString UnitsTitle(const TGraphPlot &graph, const QString &caption, const QString &units)
{
    return graph.AxisTitle(caption, units);
}

bool hasPoints(const TGraphPlot &graph)
{
    const TLineSet &lines = graph.Lines(0);
    for (int i = 0; i < lines.LineCount(); ++i)
        if (!lines.Line(i).Points.empty())
            return true;
    return false;
}

std::array<bool, kExportPlotCount> availablePlots(bool resultsLoaded, bool plotFileExists, int settlementCurves,
                                                  bool tzCurves, bool tipCurve)
{
    std::array<bool, kExportPlotCount> available{};
    for (int i = 0; i < 12; ++i)
        available[size_t(i)] = resultsLoaded && plotFileExists && (settlementCurves != 0 || i < 9);
    available[12] = tzCurves;
    available[13] = tipCurve;
    return available;
}

void GenerateWorkbook(TWorkbook &book, const std::vector<const TGraphPlot *> &graphs)
{
    book.SetVisible(true);
    book.SetName(book.ActiveSheet(), "Legend");
    const int legend = book.ActiveSheet();
    book.SetCell(legend, 2, 2, QString("     N    "));
    book.SetCell(legend, 2, 3, QString("                             Plot Name                             "));
    book.SetCell(legend, 2, 4, QString("  Sheet Name  "));
    book.SetCell(legend, 2, 5, QString("  Chart Name  "));
    book.SetCell(legend, 2, 6, QString("          Status          "));
    book.SetBold(legend, "B2:F2", true);
    book.SetVerticalAlignment(legend, "B2:F2", xlCenter);
    book.AutoFitColumns(legend, "B2:F2");
    // A number, as the spreadsheet makes of the running number typed in as text.
    for (int k = 1; k <= int(graphs.size()); ++k)
        book.SetCell(legend, k + 2, 2, double(k));
    int k = 0;
    for (const TGraphPlot *graph : graphs)
        GenerateChart(book, *graph, ++k);
    book.SetVisible(true);
    book.SetUserControl(true);
}

void GenerateChart(TWorkbook &book, const TGraphPlot &graph, int k)
{
    const QString dataName = "Page_" + QString::number(k);
    const QString chartName = "Plot_" + QString::number(k);
    const int r = k + 2;
    const QString xTitle = UnitsTitle(graph, graph.XCaption, graph.XUnits);
    const QString yTitle = UnitsTitle(graph, graph.YCaption, graph.YUnits);

    book.SetCell(kLegend, r, 3, graph.Caption);
    book.SetCell(kLegend, r, 4, dataName);
    book.SetCell(kLegend, r, 5, chartName);
    book.SetCell(kLegend, r, 6, QString("In Progress, Data"));
    book.AddHyperlink(kLegend, "D" + QString::number(r), QString(), dataName + "!A1");

    const int last = book.Count();
    const QString lastName = book.Name(last);
    const int data = book.Add(last, xlWorksheet);
    book.SetName(data, dataName);
    book.Activate(kLegend);

    book.AddHyperlink(data, "G1", QString(), "Legend!A1", QString(), "Go to Legend Page");
    book.SetCell(data, 1, 1, graph.Caption);
    book.SetCell(data, 2, 1, QString("X"));
    book.SetCell(data, 2, 2, xTitle);
    book.SetCell(data, 3, 1, QString("Y"));
    book.SetCell(data, 3, 2, yTitle);

    const TLineSet &lines = graph.Lines(0);
    const int lineCount = lines.LineCount();
    const int exported = std::min(lineCount, kMaxExportLines);
    const int charted = std::min(exported, kMaxChartSeries);
    int longest = 0;
    for (int i = 1; i <= exported; ++i) {
        const TLine &line = lines.Line(i - 1);
        const int xCol = 2 * i - 1, yCol = 2 * i;
        book.SetCell(data, 4, xCol, line.DisplayName());
        book.SetCell(data, 5, xCol, QString("X"));
        book.SetCell(data, 5, yCol, QString("Y"));
        int row = 6;
        for (const TFloatPoint &p : line.Points) {
            book.SetCell(data, row, xCol, p.X);
            book.SetCell(data, row, yCol, p.Y);
            ++row;
        }
        longest = std::max(longest, int(line.Points.size()));
    }

    book.SetCell(kLegend, r, 6, QString("In Progress, Chart"));

    const QString dataSheetName = book.Name(book.IndexOf(dataName));
    const int chart = book.Add(book.IndexOf(lastName), xlChart);
    book.Activate(kLegend);

    book.SetChartType(chart, xlXYScatterLines);
    // The source range only starts one series per line; each series is then pointed at its
    // own columns and its own last row, since the lines need not have equal lengths.
    if (charted > 0)
        book.SetSourceData(chart, book.IndexOf(dataName),
                           "A6:" + columnOf(charted + 1) + QString::number(5 + std::max(longest, 1)), xlColumns);
    for (int i = 1; i <= charted && i <= book.SeriesCount(chart); ++i) {
        const TLine &line = lines.Line(i - 1);
        const int lastRow = 5 + std::max(int(line.Points.size()), 1);
        book.SetSeriesName(chart, i, line.DisplayName());
        book.SetSeriesXValues(chart, i, seriesReference(dataSheetName, 2 * i - 1, lastRow));
        book.SetSeriesValues(chart, i, seriesReference(dataSheetName, 2 * i, lastRow));
    }

    book.SetHasTitle(chart, false);
    book.SetAxisHasTitle(chart, xlCategory, true);
    book.SetAxisTitle(chart, xlCategory, xTitle);
    book.SetAxisMajorGridlines(chart, xlCategory, true);
    book.SetAxisHasTitle(chart, xlValue, true);
    book.SetAxisTitle(chart, xlValue, yTitle);
    book.SetAxisMajorGridlines(chart, xlValue, true);
    // Depth and settlement grow downward, as in the plot window.
    book.SetAxisReversePlotOrder(chart, xlValue, graph.XOnTop);

    book.SetLegendBorderColor(chart, 0);
    book.SetLegendInteriorColorIndex(chart, 2);

    book.SetName(chart, chartName);
    book.Move(book.IndexOf(chartName), book.IndexOf(dataName));

    book.Activate(kLegend);
    book.SetCell(kLegend, r, 6, completeStatus(lineCount, exported, charted));
}

int runExportCommand(const QStringList &arguments, std::ostream &err)
{
    if (arguments.isEmpty() || arguments.first() != "--export")
        return -1;
    if (arguments.size() != 3) {
        err << "usage: tarnel2012 --export PROJECT.tnd OUT.xlsx\n";
        return 2;
    }
    const QString projectPath = arguments[1];
    const QString outPath = arguments[2];

    TProjectTables tables;
    TProgramData project(tables);
    TResultGraphs results;
    if (!loadProjectResults(projectPath, project, results, err))
        return 1;
    // The t-z curves only when TZDATA.DAT is this project's; otherwise the twelve alone.
    TTzCurveGraphs tz;
    tz.LoadForProject(projectPath, project);
    const auto available = availablePlots(true, true, project.SettlementCurves, tz.HasCurves(), tz.HasTipCurve());
    std::vector<const TGraphPlot *> graphs;
    for (int n = 1; n <= kExportPlotCount; ++n) {
        const TGraphPlot *graph = n <= 12 ? results.graph(n) : tz.graph(n);
        if (available[size_t(n - 1)] && graph && hasPoints(*graph))
            graphs.push_back(graph);
    }
    if (graphs.empty()) {
        err << "tarnel2012: " << plotFilePath(projectPath).toStdString() << " holds no graph with points\n";
        return 1;
    }
    try {
        TWorkbook book;
        GenerateWorkbook(book, graphs);
        book.SaveAs(outPath);
    } catch (const std::exception &error) {
        err << "tarnel2012: " << oneLine(error.what()) << '\n';
        return 1;
    }
    return 0;
}
