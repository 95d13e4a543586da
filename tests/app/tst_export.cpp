#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>
#include <QtTest>

#include <minizip/unzip.h>

#include <memory>
#include <sstream>

#include "ExportDlg.h"
#include "core/exportgraphs.h"
#include "core/graph.h"
#include "core/projectdata.h"
#include "core/resultgraphs.h"
#include "core/workbook.h"
#include "scripted_ask.h"

namespace {

// A graph of lineCount lines; line i has points (i + j / 10, j) for j = 0 .. points - 1.
std::unique_ptr<TGraphPlot> makeGraph(const QString &caption, int lineCount, int points)
{
    auto g = std::make_unique<TGraphPlot>();
    g->Caption = caption;
    g->XCaption = "Load";
    g->XUnits = "F2";
    g->YCaption = "Settlement";
    g->YUnits = "L";
    g->Lines(0).SetLineCount(lineCount);
    for (int i = 0; i < lineCount; ++i)
        for (int j = 0; j < points; ++j)
            g->Lines(0).Line(i).Points.push_back({i + j / 10.0, double(j)});
    return g;
}

QStringList matching(const QStringList &calls, const QString &pattern)
{
    const QRegularExpression re(pattern);
    QStringList out;
    for (const QString &call : calls)
        if (re.match(call).hasMatch())
            out << call;
    return out;
}

// The position of each needle in calls, in order; fails when one is missing or out of order.
bool inOrder(const QStringList &calls, const QStringList &needles)
{
    qsizetype at = 0;
    for (const QString &needle : needles) {
        at = calls.indexOf(needle, at);
        if (at < 0) {
            qWarning("missing or out of order: %s", qPrintable(needle));
            return false;
        }
        ++at;
    }
    return true;
}

QString textOf(const TWorkbookSheet &sheet, int row, int col)
{
    const auto cell = sheet.Cells.find({row, col});
    if (cell == sheet.Cells.end())
        return {};
    if (const auto *text = std::get_if<QString>(&cell->second.Value))
        return *text;
    return QString::number(std::get<double>(cell->second.Value), 'g', 17);
}

bool isNumber(const TWorkbookSheet &sheet, int row, int col, double expected)
{
    const auto cell = sheet.Cells.find({row, col});
    return cell != sheet.Cells.end() && std::holds_alternative<double>(cell->second.Value) &&
           std::get<double>(cell->second.Value) == expected;
}

/// The parts of a written workbook, read back from its zip.
struct TReadBook {
    std::map<QString, QByteArray> parts;
    QStringList sheetNames;
    std::map<QString, QString> sheetPart; // name -> "xl/worksheets/sheet1.xml"
    QStringList shared;

    static TReadBook open(const QString &path)
    {
        TReadBook book;
        unzFile zip = unzOpen64(QFile::encodeName(path).constData());
        if (!zip)
            return book;
        for (int s = unzGoToFirstFile(zip); s == UNZ_OK; s = unzGoToNextFile(zip)) {
            unz_file_info64 info;
            char name[512];
            unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0);
            QByteArray data(qsizetype(info.uncompressed_size), '\0');
            unzOpenCurrentFile(zip);
            unzReadCurrentFile(zip, data.data(), unsigned(data.size()));
            unzCloseCurrentFile(zip);
            book.parts[name] = data;
        }
        unzClose(zip);

        std::map<QString, QString> targets;
        for (QXmlStreamReader x(book.parts["xl/_rels/workbook.xml.rels"]); !x.atEnd();)
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"Relationship")
                targets[x.attributes().value("Id").toString()] = "xl/" + x.attributes().value("Target").toString();
        for (QXmlStreamReader x(book.parts["xl/workbook.xml"]); !x.atEnd();)
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"sheet") {
                const QString name = x.attributes().value("name").toString();
                book.sheetNames << name;
                book.sheetPart[name] = targets[x.attributes().value("r:id").toString()];
            }
        for (QXmlStreamReader x(book.parts["xl/sharedStrings.xml"]); !x.atEnd();)
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"t")
                book.shared << x.readElementText();
        return book;
    }

    /// Cell text by reference ("A6"): numbers as written, strings resolved; "n:" marks numbers.
    std::map<QString, QString> cells(const QString &sheet)
    {
        std::map<QString, QString> out;
        QXmlStreamReader x(parts[sheetPart[sheet]]);
        QString ref, type;
        while (!x.atEnd()) {
            x.readNext();
            if (!x.isStartElement())
                continue;
            if (x.name() == u"c") {
                ref = x.attributes().value("r").toString();
                type = x.attributes().value("t").toString();
            } else if (x.name() == u"v") {
                const QString v = x.readElementText();
                out[ref] = type == "s" ? shared.value(v.toInt()) : "n:" + v;
            }
        }
        return out;
    }

    /// The chart part drawn on a chart sheet.
    QByteArray chartOf(const QString &sheet)
    {
        const QString part = sheetPart[sheet];
        const QString rels = part.section('/', 0, -2) + "/_rels/" + part.section('/', -1) + ".rels";
        QString drawing;
        for (QXmlStreamReader x(parts[rels]); !x.atEnd();)
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"Relationship")
                drawing = x.attributes().value("Target").toString().replace("../", "xl/");
        const QString drawingRels = drawing.section('/', 0, -2) + "/_rels/" + drawing.section('/', -1) + ".rels";
        for (QXmlStreamReader x(parts[drawingRels]); !x.atEnd();)
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"Relationship")
                return parts[x.attributes().value("Target").toString().replace("../", "xl/")];
        return {};
    }
};

QStringList elementTexts(const QByteArray &xml, const QString &element)
{
    QStringList out;
    for (QXmlStreamReader x(xml); !x.atEnd();)
        if (x.readNext() == QXmlStreamReader::StartElement && x.qualifiedName() == element)
            out << x.readElementText(QXmlStreamReader::IncludeChildElements);
    return out;
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT
    std::unique_ptr<TScriptedAsk> m_ask;

private slots:
    void init() { m_ask = std::make_unique<TScriptedAsk>(); }
    void cleanup() { m_ask.reset(); }

    void excelColumns_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("letters");
        QTest::newRow("first") << 1 << "A";
        QTest::newRow("last single") << 26 << "Z";
        QTest::newRow("first double") << 27 << "AA";
        QTest::newRow("end of A block") << 52 << "AZ";
        QTest::newRow("start of B block") << 53 << "BA";
        QTest::newRow("last supported") << 702 << "ZZ";
        QTest::newRow("beyond ZZ") << 703 << "";
        QTest::newRow("zero") << 0 << "";
    }
    void excelColumns()
    {
        QFETCH(int, column);
        QFETCH(QString, letters);
        QCOMPARE(GetExcelCol(column).value_or(QString()), letters);
    }

    void unitsTitle_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("units");
        QTest::addColumn<int>("system");
        QTest::addColumn<QString>("title");
        QTest::newRow("no unit code") << "Load" << "" << 1 << "Load";
        QTest::newRow("tons") << "Load" << "F2" << 1 << "Load (tons)";
        QTest::newRow("kN") << "Load" << "F2" << 2 << "Load (kN)";
        QTest::newRow("inches") << "Settlement" << "L" << 1 << "Settlement (in)";
        QTest::newRow("metres") << "Depth" << "L2" << 2 << "Depth (m)";
    }
    void unitsTitle()
    {
        QFETCH(QString, caption);
        QFETCH(QString, units);
        QFETCH(int, system);
        QFETCH(QString, title);
        TGraphPlot g;
        g.SetUnits(system);
        QCOMPARE(UnitsTitle(g, caption, units), title);
    }

    void onlyCombinedSettlement()
    {
        auto g = makeGraph("Combined Plots of Load vs Settlement", 3, 15);
        TWorkbook book;
        GenerateWorkbook(book, {g.get()});
        QCOMPARE(book.SheetNames(), (QStringList{"Legend", "Page_1", "Plot_1"}));
        const TWorkbookSheet &legend = book.Sheet(1);
        QVERIFY(isNumber(legend, 3, 2, 1));
        QCOMPARE(textOf(legend, 3, 3), g->Caption);
        QCOMPARE(textOf(legend, 3, 4), QString("Page_1"));
        QCOMPARE(textOf(legend, 3, 5), QString("Plot_1"));
        QCOMPARE(textOf(legend, 3, 6), QString("Complete"));
        QCOMPARE(textOf(legend, 2, 2), QString("     N    "));
        QCOMPARE(textOf(legend, 2, 4), QString("  Sheet Name  "));
        QVERIFY(legend.Cells.at({2, 6}).Bold);
        QVERIFY(legend.Cells.at({2, 3}).CentreVertically);
        QVERIFY(legend.ColumnWidths.count(3));

        const QStringList &calls = book.Calls();
        QVERIFY(inOrder(calls, {
            "Workbooks.Add -> Sheet1",
            "Application.Visible = True",
            "Sheet1.Name = \"Legend\"",
            "Legend.Range(\"B2:F2\").Font.Bold = True",
            "Legend.Range(\"B2:F2\").VerticalAlignment = -4108",
            "Legend.Range(\"B2:F2\").EntireColumn.AutoFit",
            "Legend.Cells(3, 2) = 1",
            "Legend.Cells(3, 6) = \"In Progress, Data\"",
            "Legend.Hyperlinks.Add(Range(\"D3\"), \"\", \"Page_1!A1\", \"\", \"\")",
            "Sheets.Add(After:=Legend, Type:=-4167) -> Sheet2",
            "Sheet2.Name = \"Page_1\"",
            "Legend.Activate",
            "Page_1.Hyperlinks.Add(Range(\"G1\"), \"\", \"Legend!A1\", \"\", \"Go to Legend Page\")",
            "Page_1.Cells(1, 1) = \"Combined Plots of Load vs Settlement\"",
            "Page_1.Cells(2, 2) = \"Load (tons)\"",
            "Page_1.Cells(3, 2) = \"Settlement (in)\"",
            "Page_1.Cells(4, 1) = \"Curve #1\"",
            "Page_1.Cells(5, 1) = \"X\"",
            "Page_1.Cells(5, 2) = \"Y\"",
            "Page_1.Cells(6, 1) = 0",
            "Page_1.Cells(7, 1) = 0.1",
            "Page_1.Cells(20, 6) = 14",
            "Legend.Cells(3, 6) = \"In Progress, Chart\"",
            // Added after the sheet that was last before the data sheet, then moved after it.
            "Sheets.Add(After:=Legend, Type:=-4109) -> Chart3",
            "Legend.Activate",
            "Chart3.ChartType = 74",
            "Chart3.SetSourceData(Page_1.Range(\"A6:D20\"), 2)",
            "Chart3.SeriesCollection(1).Name = \"Curve #1\"",
            "Chart3.SeriesCollection(1).XValues = \"=Page_1!$A$6:$A$20\"",
            "Chart3.SeriesCollection(1).Values = \"=Page_1!$B$6:$B$20\"",
            "Chart3.SeriesCollection(3).Values = \"=Page_1!$F$6:$F$20\"",
            "Chart3.HasTitle = False",
            "Chart3.Axes(1, 1).HasTitle = True",
            "Chart3.Axes(1, 1).AxisTitle.Text = \"Load (tons)\"",
            "Chart3.Axes(1, 1).HasMajorGridlines = True",
            "Chart3.Axes(2, 1).AxisTitle.Text = \"Settlement (in)\"",
            "Chart3.Axes(2, 1).HasMajorGridlines = True",
            "Chart3.Axes(2, 1).ReversePlotOrder = True",
            "Chart3.Legend.Border.Color = 0",
            "Chart3.Legend.Interior.ColorIndex = 2",
            "Chart3.Name = \"Plot_1\"",
            "Plot_1.Move(After:=Page_1)",
            "Legend.Activate",
            "Legend.Cells(3, 6) = \"Complete\"",
            "Application.Visible = True",
            "Application.UserControl = True",
        }));
        QCOMPARE(matching(calls, "^Legend\\.Cells\\(3, 6\\)").size(), 3);

        const TWorkbookChart &chart = book.Sheet(3).Chart;
        QCOMPARE(int(chart.Series.size()), 3);
        QCOMPARE(chart.Series[2].XValues, QString("=Page_1!$E$6:$E$20"));
        QVERIFY(!chart.HasTitle);
        QVERIFY(chart.Value.ReversePlotOrder);
        QVERIFY(!chart.Category.ReversePlotOrder);
    }

    void thirteenLinesFillAToZ()
    {
        auto g = makeGraph("Ultimate Skin Friction vs Depth", 14, 4);
        g->XOnTop = false;
        TWorkbook book;
        GenerateWorkbook(book, {g.get()});
        const TWorkbookSheet &data = book.Sheet(2);
        QCOMPARE(textOf(data, 4, 25), QString("Curve #13")); // Y
        QCOMPARE(textOf(data, 5, 26), QString("Y"));         // Z
        QVERIFY(isNumber(data, 9, 26, 3));
        QCOMPARE(textOf(data, 4, 27), QString("Curve #14")); // AA
        QVERIFY(isNumber(data, 6, 27, 13));
        QVERIFY(isNumber(data, 9, 28, 3)); // AB
        const TWorkbookChart &chart = book.Sheet(3).Chart;
        QCOMPARE(chart.SourceRange, QString("Page_1!A6:O9"));
        QCOMPARE(int(chart.Series.size()), 14);
        QCOMPARE(chart.Series[12].XValues, QString("=Page_1!$Y$6:$Y$9"));
        QCOMPARE(chart.Series[12].Values, QString("=Page_1!$Z$6:$Z$9"));
        QCOMPARE(chart.Series[13].XValues, QString("=Page_1!$AA$6:$AA$9"));
        QCOMPARE(chart.Series[13].Values, QString("=Page_1!$AB$6:$AB$9"));
        QCOMPARE(chart.Series[13].Name, QString("Curve #14"));
        QVERIFY(!chart.Value.ReversePlotOrder);
    }

    // Beyond 25 lines the source range needs two letters; beyond 255 the chart holds no
    // more series and beyond column ZZ the sheet no more lines: the status says so.
    void manyLines_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("series");
        QTest::addColumn<QString>("lastDataColumn");
        QTest::addColumn<QString>("status");
        QTest::newRow("26 lines") << 26 << "A6:AA7" << 26 << "AZ" << "Complete";
        QTest::newRow("30 lines") << 30 << "A6:AE7" << 30 << "BH" << "Complete";
        QTest::newRow("300 lines") << 300 << "A6:IV7" << 255 << "WB"
                                   << "Complete: first 255 of 300 lines charted";
        QTest::newRow("400 lines") << 400 << "A6:IV7" << 255 << "ZZ"
                                   << "Complete: first 351 of 400 lines exported, first 255 charted";
    }
    void manyLines()
    {
        QFETCH(int, lines);
        QFETCH(QString, source);
        QFETCH(int, series);
        QFETCH(QString, lastDataColumn);
        QFETCH(QString, status);
        auto g = makeGraph("Many", lines, 2);
        TWorkbook book;
        GenerateWorkbook(book, {g.get()});
        const TWorkbookSheet &data = book.Sheet(2);
        const auto lastColumn = parseRange(lastDataColumn + "1");
        QVERIFY(lastColumn);
        QCOMPARE(textOf(data, 5, (*lastColumn)[1]), QString("Y"));
        QVERIFY(textOf(data, 5, (*lastColumn)[1] + 1).isEmpty());
        const TWorkbookChart &chart = book.Sheet(3).Chart;
        QCOMPARE(chart.SourceRange, "Page_1!" + source);
        QCOMPARE(int(chart.Series.size()), series);
        for (const TWorkbookSeries &s : chart.Series) {
            QVERIFY2(!s.Name.isEmpty(), qPrintable(s.XValues));
            QVERIFY(QRegularExpression("^=Page_1!\\$[A-Z]{1,2}\\$6:\\$[A-Z]{1,2}\\$7$").match(s.Values).hasMatch());
        }
        QCOMPARE(textOf(book.Sheet(1), 3, 6), status);
    }

    void linesOfUnequalLength()
    {
        auto g = makeGraph("Capacity", 2, 0);
        g->Lines(0).Line(0).Points = {{1, 0}, {2, 1}, {3, 2}, {4, 3}};
        g->Lines(0).Line(1).Points = {{5, 0}, {6, 1}};
        g->Lines(0).Line(1).Name = "D = 3.5 ft";
        TWorkbook book;
        GenerateWorkbook(book, {g.get()});
        const TWorkbookChart &chart = book.Sheet(3).Chart;
        QCOMPARE(chart.SourceRange, QString("Page_1!A6:C9"));
        QCOMPARE(chart.Series[0].Values, QString("=Page_1!$B$6:$B$9"));
        QCOMPARE(chart.Series[1].XValues, QString("=Page_1!$C$6:$C$7"));
        QCOMPARE(chart.Series[1].Name, QString("D = 3.5 ft"));
        QVERIFY(textOf(book.Sheet(2), 8, 3).isEmpty());
    }

    void graphWithoutLinesHasNoSeries()
    {
        auto g = makeGraph("Empty", 0, 0);
        TWorkbook book;
        GenerateWorkbook(book, {g.get()});
        QCOMPARE(book.SheetNames(), (QStringList{"Legend", "Page_1", "Plot_1"}));
        QCOMPARE(int(book.Sheet(3).Chart.Series.size()), 0);
        QCOMPARE(textOf(book.Sheet(1), 3, 6), QString("Complete"));
    }

    void twoGraphsInterleaveDataAndCharts()
    {
        auto a = makeGraph("Ultimate Tip Resistance vs Depth", 2, 3);
        auto b = makeGraph("Axial Load vs Settlement (averaged)", 1, 15);
        TWorkbook book;
        GenerateWorkbook(book, {a.get(), b.get()});
        QCOMPARE(book.SheetNames(), (QStringList{"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2"}));
        const TWorkbookSheet &legend = book.Sheet(1);
        QVERIFY(isNumber(legend, 4, 2, 2));
        QCOMPARE(textOf(legend, 4, 3), b->Caption);
        QCOMPARE(textOf(legend, 4, 4), QString("Page_2"));
        QCOMPARE(legend.Links.size(), size_t(2));
        QCOMPARE(legend.Links[1].SubAddress, QString("Page_2!A1"));
        QCOMPARE(legend.Links[1].Row, 4);
        QCOMPARE(legend.Links[1].Col, 4);
        const TWorkbookSheet &page2 = book.Sheet(4);
        QCOMPARE(page2.Links.size(), size_t(1));
        QCOMPARE(page2.Links[0].SubAddress, QString("Legend!A1"));
        QCOMPARE(page2.Links[0].TextToDisplay, QString("Go to Legend Page"));
        QCOMPARE(book.Sheet(5).Chart.Series[0].Values, QString("=Page_2!$B$6:$B$20"));
        QVERIFY(book.Calls().contains("Sheets.Add(After:=Plot_1, Type:=-4167) -> Sheet4"));
        QVERIFY(book.Calls().contains("Plot_2.Move(After:=Page_2)"));
    }

    void availability_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<int>("settlement");
        QTest::addColumn<QString>("expected");
        // Graphs 13 and 14 follow the t-z curves, which these rows do not have.
        QTest::newRow("no results") << false << true << 1 << "00000000000000";
        QTest::newRow("plot file gone") << true << false << 1 << "00000000000000";
        QTest::newRow("all") << true << true << 1 << "11111111111100";
        QTest::newRow("no settlement curves") << true << true << 0 << "11111111100000";
    }
    void availability()
    {
        QFETCH(bool, loaded);
        QFETCH(bool, fileExists);
        QFETCH(int, settlement);
        QFETCH(QString, expected);
        QString got;
        for (bool b : availablePlots(loaded, fileExists, settlement))
            got += b ? '1' : '0';
        QCOMPARE(got, expected);
    }

    void realWorkbookReadsBack()
    {
        QTemporaryDir dir;
        auto depth = makeGraph("Ultimate Total Capacity vs Depth", 2, 0);
        depth->XUnits = "F2";
        depth->YCaption = "Depth";
        depth->YUnits = "L2";
        depth->Lines(0).Line(0).Points = {{0, 0}, {12.5, 1}, {30.25, 2}};
        depth->Lines(0).Line(0).Name = "Diameter = 3 ft";
        depth->Lines(0).Line(1).Points = {{0, 0}, {-1e-7, 1}};
        auto flat = makeGraph("Axial Load vs Settlement (upper bound)", 1, 2);
        flat->XOnTop = false;
        flat->YUnits = "";
        TWorkbook book;
        GenerateWorkbook(book, {depth.get(), flat.get()});
        const QString path = dir.filePath("job.xlsx");
        book.SaveAs(path);
        QVERIFY(!QFile::exists(dir.filePath(".job.xlsx.part")));
        QVERIFY(!QFile::exists(dir.filePath(".job.xlsx.new")));

        TReadBook read = TReadBook::open(path);
        QCOMPARE(read.sheetNames, (QStringList{"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2"}));
        auto legend = read.cells("Legend");
        QCOMPARE(legend["B2"], QString("     N    "));
        QCOMPARE(legend["B3"], QString("n:1"));
        QCOMPARE(legend["C3"], depth->Caption);
        QCOMPARE(legend["D3"], QString("Page_1"));
        QCOMPARE(legend["F3"], QString("Complete"));
        QCOMPARE(legend["B4"], QString("n:2"));
        QCOMPARE(legend["E4"], QString("Plot_2"));
        auto page1 = read.cells("Page_1");
        QCOMPARE(page1["A1"], depth->Caption);
        QCOMPARE(page1["B2"], QString("Load (tons)"));
        QCOMPARE(page1["B3"], QString("Depth (ft)"));
        QCOMPARE(page1["A4"], QString("Diameter = 3 ft"));
        QCOMPARE(page1["C4"], QString("Curve #2"));
        QCOMPARE(page1["A7"], QString("n:12.5"));
        QCOMPARE(page1["A8"], QString("n:30.25"));
        QCOMPARE(page1["B8"], QString("n:2"));
        QCOMPARE(page1["C7"], QString("n:-1E-07"));
        QCOMPARE(page1["G1"], QString("Go to Legend Page"));
        QVERIFY(read.parts[read.sheetPart["Page_1"]].contains("<hyperlink ref=\"G1\" location=\"Legend!A1\""));
        QVERIFY(read.parts[read.sheetPart["Legend"]].contains("<hyperlink ref=\"D3\" location=\"Page_1!A1\""));

        const QByteArray chart1 = read.chartOf("Plot_1");
        QVERIFY(chart1.contains("<c:scatterChart>"));
        QCOMPARE(elementTexts(chart1, "c:f"),
                 (QStringList{"Page_1!$A$6:$A$8", "Page_1!$B$6:$B$8", "Page_1!$C$6:$C$7", "Page_1!$D$6:$D$7"}));
        QCOMPARE(elementTexts(chart1, "c:tx").mid(0, 2), (QStringList{"Diameter = 3 ft", "Curve #2"}));
        QVERIFY(chart1.contains("<c:orientation val=\"maxMin\"/>"));
        QVERIFY(chart1.contains("<c:majorGridlines/>"));
        QVERIFY(chart1.contains("Load (tons)"));
        QVERIFY(chart1.contains("<c:legend><c:legendPos val=\"r\"/><c:layout/><c:spPr><a:solidFill><a:srgbClr "
                                "val=\"FFFFFF\"/></a:solidFill><a:ln><a:solidFill><a:srgbClr val=\"000000\"/>"
                                "</a:solidFill></a:ln></c:spPr></c:legend>"));
        QVERIFY(chart1.contains("<c:autoTitleDeleted val=\"1\"/>"));
        const QByteArray chart2 = read.chartOf("Plot_2");
        QCOMPARE(elementTexts(chart2, "c:f"), (QStringList{"Page_2!$A$6:$A$7", "Page_2!$B$6:$B$7"}));
        QVERIFY(!chart2.contains("maxMin"));
        QVERIFY(chart2.contains("<c:spPr><a:solidFill><a:srgbClr val=\"FFFFFF\"/>"));
    }

    // The engine's results of two examples, kept beside this test as the engine wrote them.
    void exampleWorkbook_data()
    {
        QTest::addColumn<QString>("example");
        QTest::addColumn<int>("graphCount");
        QTest::newRow("belled shaft in clay and shale, t-z curves") << "belled-clay-shale" << 12;
        QTest::newRow("rock socket, no bound curves") << "rock-socket-igm" << 9;
    }
    void exampleWorkbook()
    {
        QFETCH(QString, example);
        QFETCH(int, graphCount);
        QTemporaryDir dir;
        const QString project = dir.filePath("job.tnd");
        QVERIFY(QFile::copy(QString(TARNEL_EXAMPLES) + "/" + example + ".tnd", project));
        QVERIFY(QFile::copy(QFINDTESTDATA("tst_export_data/" + example + ".tnp"), dir.filePath("job.tnp")));
        const QString out = dir.filePath("job.xlsx");
        std::ostringstream err;
        QCOMPARE(runExportCommand({"--export", project, out}, err), 0);
        QCOMPARE(err.str(), std::string());

        TProjectTables tables;
        TProgramData data(tables);
        data.CreateFromFile(project, true);
        TResultGraphs results;
        QVERIFY(results.LoadPlotFile(dir.filePath("job.tnp"), data, nullptr));

        TReadBook read = TReadBook::open(out);
        QStringList names{"Legend"};
        for (int k = 1; k <= graphCount; ++k)
            names << QString("Page_%1").arg(k) << QString("Plot_%1").arg(k);
        QCOMPARE(read.sheetNames, names);
        auto legend = read.cells("Legend");
        for (int k = 1; k <= graphCount; ++k) {
            const TGraphPlot &graph = *results.graph(k);
            const QString r = QString::number(k + 2);
            QCOMPARE(legend["B" + r], "n:" + QString::number(k));
            QCOMPARE(legend["C" + r], graph.Caption);
            QCOMPARE(legend["F" + r], QString("Complete"));

            const QString page = QString("Page_%1").arg(k);
            auto cells = read.cells(page);
            QCOMPARE(cells["A1"], graph.Caption);
            QCOMPARE(cells["B2"], UnitsTitle(graph, graph.XCaption, graph.XUnits));
            QCOMPARE(cells["B3"], UnitsTitle(graph, graph.YCaption, graph.YUnits));
            const TLineSet &lines = graph.Lines(0);
            QStringList expectedRefs;
            for (int i = 0; i < lines.LineCount(); ++i) {
                const QString x = *GetExcelCol(2 * i + 1), y = *GetExcelCol(2 * i + 2);
                QCOMPARE(cells[x + "4"], lines.Line(i).DisplayName());
                const auto &points = lines.Line(i).Points;
                for (size_t j = 0; j < points.size(); ++j) {
                    const QString row = QString::number(6 + j);
                    QVERIFY2(cells[x + row].startsWith("n:") && cells[y + row].startsWith("n:"), qPrintable(page + x + row));
                    QCOMPARE(cells[x + row].mid(2).toDouble(), points[j].X);
                    QCOMPARE(cells[y + row].mid(2).toDouble(), points[j].Y);
                }
                QVERIFY(!cells.count(x + QString::number(6 + points.size())));
                const QString last = QString::number(5 + std::max<size_t>(points.size(), 1));
                expectedRefs << QString("%1!$%2$6:$%2$%3").arg(page, x, last) << QString("%1!$%2$6:$%2$%3").arg(page, y, last);
            }
            const QByteArray chart = read.chartOf(QString("Plot_%1").arg(k));
            QCOMPARE(elementTexts(chart, "c:f"), expectedRefs);
            QCOMPARE(chart.contains("<c:orientation val=\"maxMin\"/>"), graph.XOnTop);
        }
    }

    void exportCommandFailures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("too few") << QStringList{"--export", "a.tnd"} << 2 << "usage: tarnel2012 --export PROJECT.tnd OUT.xlsx";
        QTest::newRow("no project") << QStringList{"--export", "@dir/none.tnd", "@dir/o.xlsx"} << 1
                                    << "tarnel2012: cannot read the project @dir/none.tnd: ";
        QTest::newRow("no results") << QStringList{"--export", "@dir/bare.tnd", "@dir/o.xlsx"} << 1
                                    << "tarnel2012: @dir/bare.tnd has no results (@dir/bare.tnp does not exist)";
        QTest::newRow("broken results") << QStringList{"--export", "@dir/broken.tnd", "@dir/o.xlsx"} << 1
                                        << "tarnel2012: cannot read the results @dir/broken.tnp: ";
        QTest::newRow("unwritable output") << QStringList{"--export", "@dir/job.tnd", "@dir/missing/o.xlsx"} << 1
                                           << "tarnel2012: Cannot write @dir/missing/o.xlsx: ";
    }
    void exportCommandFailures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString example = QString(TARNEL_EXAMPLES) + "/belled-clay-shale.tnd";
        for (const char *name : {"bare.tnd", "broken.tnd", "job.tnd"})
            QVERIFY(QFile::copy(example, dir.filePath(name)));
        QVERIFY(QFile::copy(QFINDTESTDATA("tst_export_data/belled-clay-shale.tnp"), dir.filePath("job.tnp")));
        {
            QFile broken(dir.filePath("broken.tnp"));
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write(" 3 50 x\n");
        }
        arguments.replaceInStrings("@dir", dir.path());
        message.replace("@dir", dir.path());
        std::ostringstream err;
        QCOMPARE(runExportCommand(arguments, err), code);
        const QString text = QString::fromStdString(err.str());
        QVERIFY2(text.startsWith(message), qPrintable(text));
        QVERIFY2(text.endsWith('\n') && text.count('\n') == 1, qPrintable(text));
        QVERIFY(!QFile::exists(dir.filePath("o.xlsx")));
    }

    // The command needs no display: run the program itself without one.
    void exportCommandWithoutDisplay()
    {
        const QString program = QString(TARNEL_BIN_DIR) + "/tarnel2012";
        if (!QFile::exists(program))
            QSKIP("the program is not built");
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QString(TARNEL_EXAMPLES) + "/belled-clay-shale.tnd", dir.filePath("job.tnd")));
        QVERIFY(QFile::copy(QFINDTESTDATA("tst_export_data/belled-clay-shale.tnp"), dir.filePath("job.tnp")));
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        process.setProcessEnvironment(env);
        process.start(program, {"--export", dir.filePath("job.tnd"), dir.filePath("out.xlsx")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(TReadBook::open(dir.filePath("out.xlsx")).sheetNames.size(), 25);
    }

    void saveFailureKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("kept.xlsx");
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        TWorkbook book;
        auto g = makeGraph("G", 1, 2);
        GenerateWorkbook(book, {g.get()});
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        QString reason;
        try {
            book.SaveAs(path);
        } catch (const EWorkbookError &error) {
            reason = error.what();
        }
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (reason.isEmpty() && geteuid() == 0)
            QSKIP("root writes into a read-only folder");
        QVERIFY2(reason.startsWith("Cannot write " + path + ": "), qPrintable(reason));
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
    }

    void saveIntoMissingFolderNamesTheReason()
    {
        TWorkbook book;
        const QString path = "/nonexistent-folder-h11/out.xlsx";
        try {
            book.SaveAs(path);
            QFAIL("saved into a missing folder");
        } catch (const EWorkbookError &error) {
            QVERIFY2(QString(error.what()).startsWith("Cannot write " + path + ": "), error.what());
            QVERIFY(QString(error.what()).size() > QString("Cannot write " + path + ": ").size());
        }
    }

    void dialogWithoutResults()
    {
        std::vector<std::unique_ptr<TGraphPlot>> owned;
        TDlgExport::TPlots plots{};
        for (int i = 0; i < kExportPlotCount; ++i) {
            owned.push_back(makeGraph(QString("Graph %1").arg(i + 1), 1, 2));
            plots[size_t(i)] = owned.back().get();
        }
        TDlgExport dialog(plots, availablePlots(false, false, 1), "/tmp/job.tnd");
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QString("Export to Excel"));
        auto *list = dialog.findChild<QListWidget *>("CheckListBoxPlots");
        QVERIFY(list);
        QCOMPARE(list->count(), kExportPlotCount);
        for (int i = 0; i < list->count(); ++i) {
            QVERIFY(!(list->item(i)->flags() & Qt::ItemIsEnabled));
            QCOMPARE(list->item(i)->checkState(), Qt::Unchecked);
        }
        auto *generate = dialog.findChild<QPushButton *>("BtnGenerate");
        QCOMPARE(generate->text(), QString("Generate Excel File"));
        QVERIFY(!generate->isEnabled());
        QTest::mouseClick(dialog.findChild<QPushButton *>("BtnSelectAll"), Qt::LeftButton);
        QVERIFY(!generate->isEnabled());
        QCOMPARE(dialog.GetNPlots(), 0);
    }

    void dialogChoosesAndWrites()
    {
        QTemporaryDir dir;
        std::vector<std::unique_ptr<TGraphPlot>> owned;
        TDlgExport::TPlots plots{};
        for (int i = 0; i < kExportPlotCount; ++i) {
            owned.push_back(makeGraph(QString("Graph %1").arg(i + 1), 1, 3));
            plots[size_t(i)] = owned.back().get();
        }
        TDlgExport dialog(plots, availablePlots(true, true, 0), dir.filePath("Job.tnd"));
        dialog.show();
        auto *list = dialog.findChild<QListWidget *>("CheckListBoxPlots");
        auto *generate = dialog.findChild<QPushButton *>("BtnGenerate");
        QCOMPARE(list->item(0)->text(), QString("Graph 1"));
        QCOMPARE(dialog.GetNPlots(), 9);
        QCOMPARE(list->item(9)->checkState(), Qt::Unchecked);
        QVERIFY(generate->isEnabled());
        for (const char *name : {"Label1", "Label2", "Label3"})
            QVERIFY(dialog.findChild<QLabel *>(name));
        QCOMPARE(dialog.findChild<QLabel *>("Label1")->text(), QString("An Excel instance (if available) will open. "));
        QCOMPARE(dialog.findChild<QPushButton *>("BtnClose")->text(), QString("Close Window"));

        QTest::mouseClick(dialog.findChild<QPushButton *>("BtnUnselectAll"), Qt::LeftButton);
        QCOMPARE(dialog.GetNPlots(), 0);
        QVERIFY(!generate->isEnabled());
        // A row checked by hand is enough to export it.
        list->item(8)->setCheckState(Qt::Checked);
        QVERIFY(generate->isEnabled());
        // A disabled row stays out even when Select All is pressed.
        QTest::mouseClick(dialog.findChild<QPushButton *>("BtnSelectAll"), Qt::LeftButton);
        QCOMPARE(dialog.GetNPlots(), 9);
        QTest::mouseClick(dialog.findChild<QPushButton *>("BtnUnselectAll"), Qt::LeftButton);
        list->item(2)->setCheckState(Qt::Checked);
        list->item(8)->setCheckState(Qt::Checked);

        m_ask->paths = {dir.filePath("out")};
        QTest::mouseClick(generate, Qt::LeftButton);
        QCOMPARE(int(m_ask->dialogs.size()), 1);
        QCOMPARE(m_ask->dialogs[0].fileName, dir.filePath("Job.xlsx"));
        QVERIFY2(m_ask->messages.isEmpty(), qPrintable(m_ask->messages.join('\n')));
        QCOMPARE(m_ask->opened, std::vector<QUrl>{QUrl::fromLocalFile(dir.filePath("out.xlsx"))});
        TReadBook read = TReadBook::open(dir.filePath("out.xlsx"));
        QCOMPARE(read.sheetNames, (QStringList{"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2"}));
        QCOMPARE(read.cells("Legend")["C3"], QString("Graph 3"));
        QCOMPARE(read.cells("Legend")["C4"], QString("Graph 9"));

        // Cancel in the save dialog writes nothing.
        m_ask->paths = {QString()};
        m_ask->opened.clear();
        QTest::mouseClick(generate, Qt::LeftButton);
        QCOMPARE(int(m_ask->dialogs.size()), 2);
        QVERIFY(m_ask->opened.empty());
        QVERIFY(m_ask->messages.isEmpty());
    }

    void dialogShowsWriteFailure()
    {
        auto g = makeGraph("Graph", 1, 2);
        TDlgExport::TPlots plots{};
        plots[0] = g.get();
        TDlgExport::TAvailable available{};
        available[0] = true;
        TDlgExport dialog(plots, available, "/tmp/job.tnd");
        dialog.show();
        m_ask->paths = {"/nonexistent-folder-h11/out.xlsx"};
        QTest::mouseClick(dialog.findChild<QPushButton *>("BtnGenerate"), Qt::LeftButton);
        QVERIFY(m_ask->opened.empty());
        QCOMPARE(m_ask->messages.size(), 1);
        QVERIFY2(m_ask->messages[0].startsWith("Cannot write /nonexistent-folder-h11/out.xlsx: "),
                 qPrintable(m_ask->messages[0]));
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
