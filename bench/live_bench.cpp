// live_bench PROJECT.tnd... [--runs N]: analysis while editing from a stored change to
// repainted graphs, through TLiveAnalysis and the real tarnel-engine beside this program.
// Per project and step it prints the mean and the slowest of N runs: the writer, the
// engine's process (start, run, end seen by the event loop), loading the results into the
// graphs, and one paint of the busiest graph at window size (the total ends there); apart
// from it, the repaint of all fourteen graphs, as with every graph window open. Asserts
// nothing.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/graphpaint.h"
#include "core/liveanalysis.h"
#include "core/projectdata.h"
#include "core/resultgraphs.h"
#include "core/tzcurves.h"

namespace {

struct TSeries {
    std::vector<double> ms;
    void add(qint64 ns) { ms.push_back(ns / 1e6); }
    double mean() const
    {
        double s = 0;
        for (double v : ms)
            s += v;
        return ms.empty() ? 0 : s / double(ms.size());
    }
    double max() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

long pointCount(const TGraphPlot &graph)
{
    long n = 0;
    for (int i = 0; i < graph.Lines(0).LineCount(); ++i)
        n += long(graph.Lines(0).Line(i).Points.size());
    return n;
}

// A process that does nothing, started and seen to end as the engine's is: what starting a
// process costs on its own.
double spawnMs(int runs)
{
    TSeries s;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        QEventLoop loop;
        QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
        p.start("/bin/true", {});
        loop.exec();
        s.add(t.nsecsElapsed());
    }
    return s.mean();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int runs = 20;
    QStringList projects;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--runs" && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else
            projects << args[i];
    }
    if (projects.isEmpty()) {
        std::fprintf(stderr, "usage: live_bench PROJECT.tnd... [--runs N]\n");
        return 64;
    }

    TLiveAnalysis live;
    live.setTimeoutMs(20000);
    std::printf("engine: %s\n", qPrintable(live.enginePath()));
    std::printf("starting a process that does nothing: %.2f ms\n\n", spawnMs(runs));
    std::printf("%-20s %4s %-22s %6s %13s %13s %13s %13s %13s %13s\n", "project", "code", "busiest graph", "points",
                "write", "engine", "load", "paint", "total", "paint all 14");
    std::printf("%-20s %4s %-22s %6s %13s %13s %13s %13s %13s %13s\n", "", "", "", "", "mean/max ms", "mean/max ms",
                "mean/max ms", "mean/max ms", "mean/max ms", "mean/max ms");

    for (const QString &path : projects) {
        TProjectTables tables;
        TProgramData project(tables);
        try {
            project.CreateFromFile(path, true);
        } catch (const std::exception &e) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), e.what());
            return 1;
        }
        TResultGraphs graphs;
        TTzCurveGraphs tz;
        TSeries write, engine, load, paint, total, paintAll;
        int code = -1;
        QString busiestName;
        long busiestPoints = 0;
        QImage image(1200, 800, QImage::Format_RGB32);
        for (int r = 0; r < runs; ++r) {
            QElapsedTimer t;
            t.start();
            const std::string text = project.WriteText();
            const qint64 written = t.nsecsElapsed();

            TLiveResult result;
            QEventLoop loop;
            const auto c = QObject::connect(&live, &TLiveAnalysis::finished, &loop, [&](const TLiveResult &r) {
                result = r;
                loop.quit();
            });
            live.request(text, QFileInfo(path).completeBaseName());
            loop.exec();
            QObject::disconnect(c);
            const qint64 analysed = t.nsecsElapsed();

            loadRunResults(result.plotPath, result.tzDataPath, project, graphs, tz);
            const qint64 loaded = t.nsecsElapsed();

            // The Graphics menu's graphs; pltLoad is sized but never filled.
            std::vector<TGraphPlot *> all;
            for (int n = 1; n <= 12; ++n)
                all.push_back(graphs.graph(n));
            for (TGraphPlot *g : tz.all())
                all.push_back(g);
            TGraphPlot *busiest = *std::max_element(all.begin(), all.end(), [](TGraphPlot *a, TGraphPlot *b) {
                return pointCount(*a) < pointCount(*b);
            });
            // A window that follows the data rescales to it before painting.
            const std::optional<GraphView> view = initialView(*busiest);
            if (view) {
                busiest->ResetActiveLines();
                QPainter painter(&image);
                paintGraph(painter, *busiest, *view, PaintTarget{image.rect(), 96, 96, OutputMode::Screen});
            }
            const qint64 painted = t.nsecsElapsed();
            // Every graph window open at once: each repaints.
            for (TGraphPlot *g : all) {
                const std::optional<GraphView> v = initialView(*g);
                if (!v || pointCount(*g) == 0)
                    continue;
                g->ResetActiveLines();
                QPainter painter(&image);
                paintGraph(painter, *g, *v, PaintTarget{image.rect(), 96, 96, OutputMode::Screen});
            }
            paintAll.add(t.nsecsElapsed() - painted);

            code = result.code;
            busiestName = busiest->Caption;
            busiestPoints = pointCount(*busiest);
            write.add(written);
            engine.add(analysed - written);
            load.add(loaded - analysed);
            paint.add(painted - loaded);
            total.add(painted);
        }
        auto cell = [](const TSeries &s) { return QString("%1/%2").arg(s.mean(), 0, 'f', 2).arg(s.max(), 0, 'f', 2); };
        std::printf("%-20s %4d %-22s %6ld %13s %13s %13s %13s %13s %13s\n",
                    qPrintable(QFileInfo(path).completeBaseName()), code, qPrintable(busiestName.left(22)), busiestPoints,
                    qPrintable(cell(write)), qPrintable(cell(engine)), qPrintable(cell(load)), qPrintable(cell(paint)),
                    qPrintable(cell(total)), qPrintable(cell(paintAll)));
    }
    return 0;
}
