#include "workbook.h"

#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "numformat.h"

namespace {

QString quoted(const QString &text) { return '"' + QString(text).replace('"', "\"\"") + '"'; }
QString boolText(bool value) { return value ? "True" : "False"; }

QString axisPrefix(int axis) { return QString("Axes(%1, 1)").arg(axis); }

// Rough widths in characters of the default font: blanks are about half a digit wide.
double textWidth(const QString &text, bool bold)
{
    double width = 0;
    for (QChar c : text)
        width += c == ' ' ? 0.45 : 1.1;
    return (bold ? width * 1.08 : width) + 1.0;
}

QString cellText(const TWorkbookCell &cell)
{
    if (const auto *text = std::get_if<QString>(&cell.Value))
        return *text;
    return QString::fromStdString(formatNumber(std::get<double>(cell.Value)));
}

// Excel's default palette, first eight entries (Interior.ColorIndex).
std::optional<QString> paletteRgb(int colorIndex)
{
    static const char *const kPalette[] = {"000000", "FFFFFF", "FF0000", "00FF00",
                                           "0000FF", "FFFF00", "FF00FF", "00FFFF"};
    if (colorIndex < 1 || colorIndex > 8)
        return std::nullopt;
    return QString(kPalette[colorIndex - 1]);
}

// Border.Color is a BGR integer.
QString bgrToRgb(int color)
{
    const int r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    return QString::asprintf("%02X%02X%02X", r, g, b);
}

// The writing library has no setting for the legend's frame and fill; they are added to the
// chart's XML afterwards, inside <c:legend> where the schema puts the shape properties.
QByteArray legendShape(const TWorkbookChart &chart)
{
    const auto fill = paletteRgb(chart.LegendInteriorColorIndex);
    const bool border = chart.LegendBorderColor >= 0;
    if (!fill && !border)
        return {};
    QByteArray xml = "<c:spPr>";
    if (fill)
        xml += "<a:solidFill><a:srgbClr val=\"" + fill->toLatin1() + "\"/></a:solidFill>";
    if (border)
        xml += "<a:ln><a:solidFill><a:srgbClr val=\"" + bgrToRgb(chart.LegendBorderColor).toLatin1() +
               "\"/></a:solidFill></a:ln>";
    xml += "</c:spPr>";
    return xml;
}

QByteArray withLegendShape(QByteArray xml, const QByteArray &shape)
{
    const qsizetype start = xml.indexOf("<c:legend>");
    const qsizetype end = xml.indexOf("</c:legend>", start);
    if (start < 0 || end < 0)
        return xml;
    const qsizetype txPr = xml.indexOf("<c:txPr>", start);
    xml.insert(txPr >= 0 && txPr < end ? txPr : end, shape);
    return xml;
}

struct ZipEntry {
    QByteArray name;
    QByteArray data;
};

std::vector<ZipEntry> readZip(const QString &path)
{
    std::vector<ZipEntry> entries;
    unzFile zip = unzOpen64(QFile::encodeName(path).constData());
    if (!zip)
        throw EWorkbookError("the written workbook could not be read back");
    for (int status = unzGoToFirstFile(zip); status == UNZ_OK; status = unzGoToNextFile(zip)) {
        unz_file_info64 info;
        char name[512];
        if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK ||
            unzOpenCurrentFile(zip) != UNZ_OK) {
            unzClose(zip);
            throw EWorkbookError("the written workbook could not be read back");
        }
        ZipEntry entry{name, QByteArray(qsizetype(info.uncompressed_size), '\0')};
        const int read = unzReadCurrentFile(zip, entry.data.data(), unsigned(entry.data.size()));
        unzCloseCurrentFile(zip);
        if (read != entry.data.size()) {
            unzClose(zip);
            throw EWorkbookError("the written workbook could not be read back");
        }
        entries.push_back(std::move(entry));
    }
    unzClose(zip);
    return entries;
}

void writeZip(const QString &path, const std::vector<ZipEntry> &entries)
{
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        throw EWorkbookError(std::strerror(errno));
    bool ok = true;
    for (const ZipEntry &entry : entries) {
        zip_fileinfo info{};
        info.tmz_date = {0, 0, 0, 1, 0, 1980};
        ok = zipOpenNewFileInZip64(zip, entry.name.constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                                   Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0) == ZIP_OK &&
             zipWriteInFileInZip(zip, entry.data.constData(), unsigned(entry.data.size())) == ZIP_OK &&
             zipCloseFileInZip(zip) == ZIP_OK;
        if (!ok)
            break;
    }
    if (zipClose(zip, nullptr) != ZIP_OK || !ok)
        throw EWorkbookError("the disk could not take the workbook");
}

lxw_format *cellFormat(lxw_workbook *book, std::map<int, lxw_format *> &cache, const TWorkbookCell &cell)
{
    const int key = (cell.Bold ? 1 : 0) | (cell.CentreVertically ? 2 : 0);
    if (key == 0)
        return nullptr;
    auto &format = cache[key];
    if (!format) {
        format = workbook_add_format(book);
        if (cell.Bold)
            format_set_bold(format);
        if (cell.CentreVertically)
            format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
    }
    return format;
}

} // namespace

std::optional<QString> GetExcelCol(int column)
{
    if (column >= 1 && column <= 26)
        return QString(QChar(64 + column));
    if (column >= 27 && column <= 702)
        return QString(QChar(64 + (column - 1) / 26)) + QChar(65 + (column - 1) % 26);
    return std::nullopt;
}

std::optional<std::array<int, 4>> parseRange(const QString &range)
{
    static const QRegularExpression cell("^([A-Z]{1,2})([1-9][0-9]*)(?::([A-Z]{1,2})([1-9][0-9]*))?$");
    const QRegularExpressionMatch m = cell.match(range);
    if (!m.hasMatch())
        return std::nullopt;
    const auto column = [](const QString &letters) {
        int n = 0;
        for (QChar c : letters)
            n = n * 26 + (c.unicode() - 'A' + 1);
        return n;
    };
    const int r1 = m.captured(2).toInt(), c1 = column(m.captured(1));
    if (m.captured(3).isEmpty())
        return std::array<int, 4>{r1, c1, r1, c1};
    const int r2 = m.captured(4).toInt(), c2 = column(m.captured(3));
    return std::array<int, 4>{std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)};
}

TWorkbook::TWorkbook()
{
    auto first = std::make_unique<TWorkbookSheet>();
    first->Name = "Sheet1";
    m_sheets.push_back(std::move(first));
    m_order.push_back(0);
    m_created = 1;
    record("Workbooks.Add -> Sheet1");
}

TWorkbook::~TWorkbook() = default;

void TWorkbook::record(const QString &call) { m_calls << call; }

int TWorkbook::ActiveSheet() const
{
    return int(std::find(m_order.begin(), m_order.end(), m_active) - m_order.begin()) + 1;
}

const TWorkbookSheet &TWorkbook::Sheet(int index) const
{
    if (index < 1 || index > Count())
        throw std::out_of_range("no sheet " + std::to_string(index));
    return *m_sheets[size_t(m_order[size_t(index - 1)])];
}

TWorkbookSheet &TWorkbook::sheet(int index) { return const_cast<TWorkbookSheet &>(std::as_const(*this).Sheet(index)); }

QString TWorkbook::prefix(int index) const { return Sheet(index).Name + '.'; }

int TWorkbook::IndexOf(const QString &name) const
{
    for (int i = 1; i <= Count(); ++i)
        if (Sheet(i).Name == name)
            return i;
    return 0;
}

QStringList TWorkbook::SheetNames() const
{
    QStringList names;
    for (int i = 1; i <= Count(); ++i)
        names << Sheet(i).Name;
    return names;
}

int TWorkbook::Add(int after, int type)
{
    const QString afterName = Sheet(after).Name;
    auto added = std::make_unique<TWorkbookSheet>();
    added->IsChart = type == xlChart;
    ++m_created;
    added->Name = (added->IsChart ? "Chart" : "Sheet") + QString::number(m_created);
    const QString name = added->Name;
    m_sheets.push_back(std::move(added));
    m_active = int(m_sheets.size()) - 1;
    m_order.insert(m_order.begin() + after, m_active);
    record(QString("Sheets.Add(After:=%1, Type:=%2) -> %3").arg(afterName).arg(type).arg(name));
    return after + 1;
}

void TWorkbook::Activate(int index)
{
    m_active = m_order[size_t(index - 1)];
    (void)Sheet(index);
    record(prefix(index) + "Activate");
}

void TWorkbook::SetName(int index, const QString &name)
{
    const QString old = Sheet(index).Name;
    sheet(index).Name = name;
    record(old + ".Name = " + quoted(name));
}

void TWorkbook::Move(int index, int after)
{
    const QString name = Sheet(index).Name, afterName = Sheet(after).Name;
    const int id = m_order[size_t(index - 1)];
    const int afterId = m_order[size_t(after - 1)];
    m_order.erase(m_order.begin() + (index - 1));
    const auto at = std::find(m_order.begin(), m_order.end(), afterId);
    m_order.insert(at + 1, id);
    record(name + ".Move(After:=" + afterName + ")");
}

void TWorkbook::SetCell(int index, int row, int col, const QString &text)
{
    sheet(index).Cells[{row, col}].Value = text;
    record(prefix(index) + QString("Cells(%1, %2) = ").arg(row).arg(col) + quoted(text));
}

void TWorkbook::SetCell(int index, int row, int col, double value)
{
    sheet(index).Cells[{row, col}].Value = value;
    record(prefix(index) + QString("Cells(%1, %2) = ").arg(row).arg(col) +
           QString::fromStdString(formatNumber(value)));
}

void TWorkbook::SetBold(int index, const QString &range, bool bold)
{
    const auto r = parseRange(range);
    if (!r)
        throw std::invalid_argument("no range " + range.toStdString());
    for (int row = (*r)[0]; row <= (*r)[2]; ++row)
        for (int col = (*r)[1]; col <= (*r)[3]; ++col)
            sheet(index).Cells[{row, col}].Bold = bold;
    record(prefix(index) + "Range(" + quoted(range) + ").Font.Bold = " + boolText(bold));
}

void TWorkbook::SetVerticalAlignment(int index, const QString &range, int alignment)
{
    const auto r = parseRange(range);
    if (!r)
        throw std::invalid_argument("no range " + range.toStdString());
    for (int row = (*r)[0]; row <= (*r)[2]; ++row)
        for (int col = (*r)[1]; col <= (*r)[3]; ++col)
            sheet(index).Cells[{row, col}].CentreVertically = alignment == xlCenter;
    record(prefix(index) + "Range(" + quoted(range) + ").VerticalAlignment = " + QString::number(alignment));
}

void TWorkbook::AutoFitColumns(int index, const QString &range)
{
    const auto r = parseRange(range);
    if (!r)
        throw std::invalid_argument("no range " + range.toStdString());
    TWorkbookSheet &s = sheet(index);
    for (int col = (*r)[1]; col <= (*r)[3]; ++col) {
        double width = 0;
        for (const auto &[at, cell] : s.Cells)
            if (at.second == col)
                width = std::max(width, textWidth(cellText(cell), cell.Bold));
        if (width > 0)
            s.ColumnWidths[col] = std::min(width, 255.0);
    }
    record(prefix(index) + "Range(" + quoted(range) + ").EntireColumn.AutoFit");
}

void TWorkbook::AddHyperlink(int index, const QString &anchor, const QString &address, const QString &subAddress,
                             const QString &screenTip, const QString &textToDisplay)
{
    const auto r = parseRange(anchor);
    if (!r)
        throw std::invalid_argument("no range " + anchor.toStdString());
    sheet(index).Links.push_back({(*r)[0], (*r)[1], address, subAddress, screenTip, textToDisplay});
    record(prefix(index) + "Hyperlinks.Add(Range(" + quoted(anchor) + "), " + quoted(address) + ", " +
           quoted(subAddress) + ", " + quoted(screenTip) + ", " + quoted(textToDisplay) + ")");
}

TWorkbookChart &TWorkbook::chart(int index)
{
    TWorkbookSheet &s = sheet(index);
    if (!s.IsChart)
        throw std::invalid_argument(s.Name.toStdString() + " is no chart");
    return s.Chart;
}

TWorkbookSeries &TWorkbook::series(int index, int series)
{
    TWorkbookChart &c = chart(index);
    if (series < 1 || series > int(c.Series.size()))
        throw std::out_of_range("no series " + std::to_string(series));
    return c.Series[size_t(series - 1)];
}

void TWorkbook::SetChartType(int index, int type)
{
    chart(index).ChartType = type;
    record(prefix(index) + "ChartType = " + QString::number(type));
}

void TWorkbook::SetSourceData(int index, int dataSheet, const QString &range, int plotBy)
{
    const auto r = parseRange(range);
    if (!r)
        throw std::invalid_argument("no range " + range.toStdString());
    TWorkbookChart &c = chart(index);
    const QString data = Sheet(dataSheet).Name;
    c.SourceRange = data + '!' + range;
    c.PlotBy = plotBy;
    c.Series.clear();
    const auto ref = [&](int col) {
        const QString letters = *GetExcelCol(col);
        return QString("=%1!$%2$%3:$%2$%4").arg(data, letters).arg((*r)[0]).arg((*r)[2]);
    };
    for (int col = (*r)[1] + 1; col <= (*r)[3] && int(c.Series.size()) < kMaxChartSeries; ++col)
        c.Series.push_back({QString(), ref((*r)[1]), ref(col)});
    record(prefix(index) + "SetSourceData(" + data + ".Range(" + quoted(range) + "), " + QString::number(plotBy) + ")");
}

void TWorkbook::SetSeriesName(int index, int s, const QString &name)
{
    series(index, s).Name = name;
    record(prefix(index) + QString("SeriesCollection(%1).Name = ").arg(s) + quoted(name));
}

void TWorkbook::SetSeriesXValues(int index, int s, const QString &reference)
{
    series(index, s).XValues = reference;
    record(prefix(index) + QString("SeriesCollection(%1).XValues = ").arg(s) + quoted(reference));
}

void TWorkbook::SetSeriesValues(int index, int s, const QString &reference)
{
    series(index, s).Values = reference;
    record(prefix(index) + QString("SeriesCollection(%1).Values = ").arg(s) + quoted(reference));
}

void TWorkbook::SetHasTitle(int index, bool hasTitle)
{
    chart(index).HasTitle = hasTitle;
    record(prefix(index) + "HasTitle = " + boolText(hasTitle));
}

static TWorkbookAxis &axisOf(TWorkbookChart &c, int axis) { return axis == xlValue ? c.Value : c.Category; }

void TWorkbook::SetAxisHasTitle(int index, int axis, bool hasTitle)
{
    axisOf(chart(index), axis).HasTitle = hasTitle;
    record(prefix(index) + axisPrefix(axis) + ".HasTitle = " + boolText(hasTitle));
}

void TWorkbook::SetAxisTitle(int index, int axis, const QString &text)
{
    axisOf(chart(index), axis).Title = text;
    record(prefix(index) + axisPrefix(axis) + ".AxisTitle.Text = " + quoted(text));
}

void TWorkbook::SetAxisMajorGridlines(int index, int axis, bool visible)
{
    axisOf(chart(index), axis).HasMajorGridlines = visible;
    record(prefix(index) + axisPrefix(axis) + ".HasMajorGridlines = " + boolText(visible));
}

void TWorkbook::SetAxisReversePlotOrder(int index, int axis, bool reverse)
{
    axisOf(chart(index), axis).ReversePlotOrder = reverse;
    record(prefix(index) + axisPrefix(axis) + ".ReversePlotOrder = " + boolText(reverse));
}

void TWorkbook::SetLegendBorderColor(int index, int color)
{
    chart(index).LegendBorderColor = color;
    record(prefix(index) + "Legend.Border.Color = " + QString::number(color));
}

void TWorkbook::SetLegendInteriorColorIndex(int index, int colorIndex)
{
    chart(index).LegendInteriorColorIndex = colorIndex;
    record(prefix(index) + "Legend.Interior.ColorIndex = " + QString::number(colorIndex));
}

void TWorkbook::SetVisible(bool visible) { record("Application.Visible = " + boolText(visible)); }
void TWorkbook::SetUserControl(bool userControl) { record("Application.UserControl = " + boolText(userControl)); }

void TWorkbook::SaveAs(const QString &path) const
{
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    const QString written = folder + "/." + target.fileName() + ".part";
    const QString patched = folder + "/." + target.fileName() + ".new";
    const auto fail = [&](const QString &reason) {
        QFile::remove(written);
        QFile::remove(patched);
        throw EWorkbookError(QString("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason).toStdString());
    };
    {
        QFile probe(written);
        if (!probe.open(QIODevice::WriteOnly))
            fail(probe.errorString());
    }
    try {
        writeFile(written);
        std::vector<ZipEntry> entries = readZip(written);
        std::vector<QByteArray> shapes;
        for (int i = 1; i <= Count(); ++i)
            if (Sheet(i).IsChart)
                shapes.push_back(legendShape(Sheet(i).Chart));
        for (ZipEntry &entry : entries) {
            static const QRegularExpression chartFile("^xl/charts/chart([0-9]+)\\.xml$");
            const auto m = chartFile.match(QString::fromLatin1(entry.name));
            const size_t n = m.hasMatch() ? size_t(m.captured(1).toInt()) : 0;
            if (n >= 1 && n <= shapes.size() && !shapes[n - 1].isEmpty())
                entry.data = withLegendShape(entry.data, shapes[n - 1]);
        }
        writeZip(patched, entries);
    } catch (const EWorkbookError &error) {
        fail(QString::fromLocal8Bit(error.what()));
    }
    QFile::remove(written);
    std::error_code code;
    std::filesystem::rename(QFile::encodeName(patched).toStdString(), QFile::encodeName(path).toStdString(), code);
    if (code)
        fail(QString::fromLocal8Bit(code.message().c_str()));
}

void TWorkbook::writeFile(const QString &path) const
{
    lxw_workbook *book = workbook_new(QFile::encodeName(path).constData());
    if (!book)
        throw EWorkbookError("the workbook could not be started");
    std::map<int, lxw_format *> formats;
    for (int i = 1; i <= Count(); ++i) {
        const TWorkbookSheet &s = Sheet(i);
        const QByteArray name = s.Name.toUtf8();
        if (s.IsChart) {
            lxw_chartsheet *sheet = workbook_add_chartsheet(book, name.constData());
            const int type = s.Chart.ChartType == xlXYScatterLines ? LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS
                                                                    : LXW_CHART_SCATTER_STRAIGHT;
            lxw_chart *chart = workbook_add_chart(book, uint8_t(type));
            if (!sheet || !chart)
                break;
            for (const TWorkbookSeries &series : s.Chart.Series) {
                lxw_chart_series *added = chart_add_series(chart, series.XValues.toUtf8().constData(),
                                                           series.Values.toUtf8().constData());
                if (added && !series.Name.isEmpty())
                    chart_series_set_name(added, series.Name.toUtf8().constData());
            }
            if (!s.Chart.HasTitle)
                chart_title_off(chart);
            const auto axis = [](lxw_chart_axis *target, const TWorkbookAxis &a) {
                if (a.HasTitle && !a.Title.isEmpty())
                    chart_axis_set_name(target, a.Title.toUtf8().constData());
                chart_axis_major_gridlines_set_visible(target, a.HasMajorGridlines);
                if (a.ReversePlotOrder)
                    chart_axis_set_reverse(target);
            };
            axis(chart->x_axis, s.Chart.Category);
            axis(chart->y_axis, s.Chart.Value);
            chartsheet_set_chart(sheet, chart);
            continue;
        }
        lxw_worksheet *sheet = workbook_add_worksheet(book, name.constData());
        if (!sheet)
            break;
        for (const auto &[col, width] : s.ColumnWidths)
            worksheet_set_column(sheet, lxw_col_t(col - 1), lxw_col_t(col - 1), width, nullptr);
        for (const auto &[at, cell] : s.Cells) {
            const lxw_row_t row = lxw_row_t(at.first - 1);
            const lxw_col_t col = lxw_col_t(at.second - 1);
            lxw_format *format = cellFormat(book, formats, cell);
            if (const auto *text = std::get_if<QString>(&cell.Value))
                worksheet_write_string(sheet, row, col, text->toUtf8().constData(), format);
            else
                worksheet_write_number(sheet, row, col, std::get<double>(cell.Value), format);
        }
        for (const TWorkbookLink &link : s.Links) {
            const QString url = link.Address.isEmpty() ? "internal:" + link.SubAddress : link.Address;
            QString shown = link.TextToDisplay;
            const auto cell = s.Cells.find({link.Row, link.Col});
            if (shown.isEmpty() && cell != s.Cells.end())
                shown = cellText(cell->second);
            const QByteArray tip = link.ScreenTip.toUtf8();
            worksheet_write_url_opt(sheet, lxw_row_t(link.Row - 1), lxw_col_t(link.Col - 1),
                                    url.toUtf8().constData(), nullptr, shown.isEmpty() ? nullptr : shown.toUtf8().constData(),
                                    tip.isEmpty() ? nullptr : tip.constData());
        }
    }
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR)
        throw EWorkbookError(lxw_strerror(error));
}
