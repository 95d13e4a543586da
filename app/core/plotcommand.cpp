#include "plotcommand.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <charconv>
#include <cmath>
#include <cstdio>

#include "WordRead.h"
#include "commandinput.h"
#include "projectdata.h"
#include "resultgraphs.h"
#include "tzcurves.h"

namespace {


QString roundTrip(double v)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

QString csvField(const QString &text)
{
    QString quoted = text;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

bool fail(std::string *failure, const QString &why)
{
    if (failure)
        *failure = why.toStdString();
    return false;
}

bool commit(QSaveFile &file, std::string *failure)
{
    if (!file.commit())
        return fail(failure, file.errorString());
    return true;
}

// Page and picture geometry of a size in pixels at dpi.
PaintTarget pictureTarget(QSize pixels, int dpi)
{
    return PaintTarget{QRect(QPoint(0, 0), pixels), dpi, dpi, OutputMode::Bitmap};
}

QtMessageHandler previousHandler = nullptr;

void plotMessageFilter(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith("QStandardPaths: XDG_RUNTIME_DIR"))
        return;
    if (previousHandler) {
        previousHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

void installPlotMessageFilter()
{
    previousHandler = qInstallMessageHandler(plotMessageFilter);
}

TPictureKind pictureKind(const QString &path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == "png")
        return TPictureKind::Png;
    if (ext == "bmp")
        return TPictureKind::Bmp;
    if (ext == "svg")
        return TPictureKind::Svg;
    if (ext == "pdf")
        return TPictureKind::Pdf;
    if (ext == "csv")
        return TPictureKind::Csv;
    return TPictureKind::None;
}

bool saveGraphPicture(const QString &path, const TGraphPlot &graph, const GraphView &view, QSize pixels, int dpi,
                      std::string *failure)
{
    const TPictureKind kind = pictureKind(path);
    if (kind == TPictureKind::None || kind == TPictureKind::Csv)
        return fail(failure, "a picture must end in .png, .bmp, .svg or .pdf");
    if (pixels.width() < 1 || pixels.height() < 1 || dpi < 1)
        return fail(failure, "the picture has no size");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(failure, file.errorString());
    const PaintTarget target = pictureTarget(pixels, dpi);

    if (kind == TPictureKind::Png || kind == TPictureKind::Bmp) {
        QImage image(pixels, QImage::Format_RGB32);
        if (image.isNull())
            return fail(failure, "There is not enough memory to complete this task.");
        image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
        image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
        {
            QPainter painter(&image);
            paintGraph(painter, graph, view, target);
        }
        QImageWriter writer(&file, kind == TPictureKind::Png ? "png" : "bmp");
        if (!writer.write(image))
            return fail(failure, writer.errorString());
        return commit(file, failure);
    }
    if (kind == TPictureKind::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(pixels);
        svg.setViewBox(QRect(QPoint(0, 0), pixels));
        svg.setResolution(dpi);
        svg.setTitle(graph.Caption);
        QPainter painter;
        if (!painter.begin(&svg))
            return fail(failure, "cannot draw the picture");
        paintGraph(painter, graph, view, target);
        painter.end();
        return commit(file, failure);
    }
    QPdfWriter pdf(&file);
    pdf.setResolution(dpi);
    pdf.setTitle(graph.Caption);
    pdf.setCreator("TARNEL");
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(QPageSize(QSizeF(double(pixels.width()) / dpi, double(pixels.height()) / dpi), QPageSize::Inch,
                              QString(), QPageSize::ExactMatch));
    QPainter painter;
    if (!painter.begin(&pdf))
        return fail(failure, "cannot draw the picture");
    paintGraph(painter, graph, view, target);
    painter.end();
    return commit(file, failure);
}

QString graphCsv(const TGraphPlot &graph)
{
    const TLineSet &curves = graph.Lines(0);
    QStringList header;
    size_t rows = 0;
    for (int i = 0; i < curves.LineCount(); ++i) {
        header << csvField(curves.Line(i).DisplayName()) << QString();
        rows = std::max(rows, curves.Line(i).Points.size());
    }
    QString out = header.join(',') + "\r\n";
    for (size_t j = 0; j < rows; ++j) {
        QStringList cells;
        for (int i = 0; i < curves.LineCount(); ++i) {
            const auto &points = curves.Line(i).Points;
            if (j < points.size())
                cells << roundTrip(points[j].X) << roundTrip(points[j].Y);
            else
                cells << QString() << QString();
        }
        out += cells.join(',') + "\r\n";
    }
    return out;
}

bool writeGraphCsv(const QString &path, const TGraphPlot &graph, std::string *failure)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(failure, file.errorString());
    const QByteArray text = graphCsv(graph).toUtf8();
    if (file.write(text) != text.size())
        return fail(failure, file.errorString());
    return commit(file, failure);
}

int runPlotCommand(const QStringList &arguments, std::ostream &err)
{
    if (arguments.isEmpty() || arguments.first() != "--plot")
        return -1;
    const char *usage = "usage: tarnel2012 --plot N PROJECT.tnd OUT.(png|bmp|svg|pdf|csv) [--size WxH] [--ppi P]\n";
    QStringList rest = arguments.mid(1);
    double widthIn = kPlotWidthInches, heightIn = kPlotHeightInches;
    int ppi = kPlotPixelsPerInch;
    QStringList positional;
    for (int i = 0; i < rest.size(); ++i) {
        const QString &a = rest[i];
        if ((a == "--size" || a == "--ppi") && i + 1 < rest.size()) {
            const QString v = rest[++i];
            bool ok = false;
            if (a == "--ppi") {
                ppi = v.toInt(&ok);
                ok = ok && ppi >= 10 && ppi <= 1200;
            } else {
                const QStringList wh = v.split('x');
                bool okW = false, okH = false;
                if (wh.size() == 2) {
                    widthIn = QLocale::c().toDouble(wh[0], &okW);
                    heightIn = QLocale::c().toDouble(wh[1], &okH);
                }
                ok = okW && okH && widthIn >= 2 && heightIn >= 2 && widthIn <= 100 && heightIn <= 100;
            }
            if (!ok) {
                err << "tarnel2012: " << a.toStdString() << ' ' << v.toStdString()
                    << ": expected a size in inches such as 6x4 (2 to 100 each) or 10 to 1200 pixels per inch\n";
                return 2;
            }
        } else {
            positional << a;
        }
    }
    if (positional.size() != 3) {
        err << usage;
        return 2;
    }
    bool numeric = false;
    const int n = positional[0].toInt(&numeric);
    const QString projectPath = positional[1];
    const QString outPath = positional[2];
    if (!numeric) {
        err << usage;
        return 2;
    }
    if (n < 1 || n > 14) {
        err << "tarnel2012: graph " << positional[0].toStdString() << " is not one of 1 to 14\n";
        return 1;
    }
    const TPictureKind kind = pictureKind(outPath);
    if (kind == TPictureKind::None) {
        err << "tarnel2012: " << outPath.toStdString() << ": the file must end in .png, .bmp, .svg, .pdf or .csv\n";
        return 1;
    }

    TProjectTables tables;
    TProgramData project(tables);
    TResultGraphs graphs;
    if (!loadProjectResults(projectPath, project, graphs, err))
        return 1;
    std::string failure;
    // The Graphics menu disables these three when the engine wrote no bound curves.
    if (project.SettlementCurves == 0 && n >= 10 && n <= 12) {
        err << "tarnel2012: graph " << n << " has no data: the run wrote no upper- and lower-bound settlement curves\n";
        return 1;
    }
    // 13 and 14: the t-z curves of the last run, when TZDATA.DAT beside the project is its.
    TTzCurveGraphs tz;
    if (n > 12 && !tz.LoadForProject(projectPath, project, &failure)) {
        err << "tarnel2012: graph " << n << " has no data: " << oneLine(failure) << '\n';
        return 1;
    }
    if (n == 14 && !tz.HasTipCurve()) {
        err << "tarnel2012: graph 14 has no data: the t-z analysis stopped before the tip curve\n";
        return 1;
    }
    TGraphPlot &graph = n > 12 ? *tz.graph(n) : *graphs.graph(n);

    if (kind == TPictureKind::Csv) {
        if (!writeGraphCsv(outPath, graph, &failure)) {
            err << "tarnel2012: cannot write " << outPath.toStdString() << ": " << oneLine(failure) << '\n';
            return 1;
        }
        return 0;
    }
    // As a window opens it: the window scale, at most 20 curves, and the layers shown.
    auto view = initialView(graph);
    if (!view) {
        err << "tarnel2012: graph " << n << " cannot be scaled: its values are not finite\n";
        return 1;
    }
    graph.ResetActiveLines();
    graph.ShowLayers = graph.HasLayers();
    const QSize pixels(int(std::lround(widthIn * ppi)), int(std::lround(heightIn * ppi)));
    // The window's one-inch layer band rather than the saved bitmap's half inch: the layer
    // names stay readable in a report.
    view->layout = layoutFor(graph, PaintTarget{QRect(QPoint(0, 0), pixels), ppi, ppi, OutputMode::Screen});
    if (!saveGraphPicture(outPath, graph, *view, pixels, ppi, &failure)) {
        err << "tarnel2012: cannot write " << outPath.toStdString() << ": " << oneLine(failure) << '\n';
        return 1;
    }
    return 0;
}
