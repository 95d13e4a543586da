// graph_bench [PROJECT.tnd...] [--runs N]: analyses the projects (by default every bundled
// example) in a scratch folder, takes the one with the largest plot data file, and prints
// the time to load that file into the thirteen result graphs and to paint its busiest graph
// once at 1600 x 1000 pixels, as the window and as a picture.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/graphpaint.h"
#include "core/projectdata.h"
#include "core/resultgraphs.h"
#include "run.h"

namespace fs = std::filesystem;

namespace {

struct TTiming {
    double meanMs = 0, minMs = 0;
};

template <class F> TTiming timeRuns(int runs, F &&work)
{
    TTiming t;
    t.minMs = 1e300;
    double total = 0;
    for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        total += ms;
        t.minMs = std::min(t.minMs, ms);
    }
    t.meanMs = total / runs;
    return t;
}

long pointsOf(const TGraphPlot &g)
{
    long n = 0;
    for (int i = 0; i < g.Lines(0).LineCount(); ++i)
        n += long(g.Lines(0).Line(i).Points.size());
    return n;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int runs = 50;
    std::vector<fs::path> projects;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            projects.push_back(fs::absolute(argv[i]));
    }
    if (projects.empty())
        for (const auto &entry : fs::directory_iterator(TARNEL_EXAMPLES))
            if (entry.path().extension() == ".tnd")
                projects.push_back(entry.path());
    std::sort(projects.begin(), projects.end());

    const fs::path scratch = fs::temp_directory_path() / ("tarnel-graph-bench-" + std::to_string(getpid()));
    fs::create_directories(scratch);
    if (chdir(scratch.c_str()) != 0)
        return 1;
    fs::path heaviest;
    std::uintmax_t heaviestSize = 0;
    for (const fs::path &project : projects) {
        const fs::path copy = scratch / project.filename();
        fs::copy_file(project, copy, fs::copy_options::overwrite_existing);
        const std::string base = (scratch / project.stem()).string();
        engine::runWithFiles({engine::versionField("2012.7.15"), copy.string(), base + ".tno", base + ".tnp",
                              base + ".tnr"},
                             engine::Console{});
        std::error_code ec;
        const auto size = fs::file_size(base + ".tnp", ec);
        if (!ec && size > heaviestSize) {
            heaviestSize = size;
            heaviest = copy;
        }
    }
    if (heaviest.empty()) {
        std::fprintf(stderr, "graph_bench: no project gave a plot data file\n");
        return 1;
    }

    TProjectTables tables;
    TProgramData project(tables);
    project.CreateFromFile(QString::fromStdString(heaviest.string()), true);
    const QString plot = QString::fromStdString(fs::path(heaviest).replace_extension(".tnp").string());
    TResultGraphs graphs;
    std::string failure;
    if (!graphs.LoadPlotFile(plot, project, &failure)) {
        std::fprintf(stderr, "graph_bench: %s\n", failure.c_str());
        return 1;
    }
    const TTiming load = timeRuns(runs, [&] { graphs.LoadPlotFile(plot, project); });

    TGraphPlot *busiest = nullptr;
    int busiestIndex = 0;
    for (int n = 1; n <= 12; ++n)
        if (!busiest || pointsOf(*graphs.graph(n)) > pointsOf(*busiest)) {
            busiest = graphs.graph(n);
            busiestIndex = n;
        }
    busiest->ShowLayers = busiest->HasLayers();
    busiest->ResetActiveLines();
    const GraphView view = *initialView(*busiest);
    QImage image(1600, 1000, QImage::Format_RGB32);
    auto paintOnce = [&](OutputMode mode) {
        QPainter painter(&image);
        paintGraph(painter, *busiest, view, PaintTarget{image.rect(), 96, 96, mode});
    };
    paintOnce(OutputMode::Screen); // fonts and patterns are loaded on first use
    const TTiming screen = timeRuns(runs, [&] { paintOnce(OutputMode::Screen); });
    const TTiming picture = timeRuns(runs, [&] { paintOnce(OutputMode::Bitmap); });

    std::printf("plot data file   %s, %ju bytes, %d diameters, %d rows\n", fs::path(heaviest).replace_extension(".tnp").filename().c_str(), heaviestSize,
                graphs.pltSkin.Lines().LineCount(), graphs.pltSkin.Lines().PointCount());
    std::printf("busiest graph    %d \"%s\", %ld points, %d layers\n", busiestIndex, qPrintable(busiest->Caption),
                pointsOf(*busiest), busiest->Lines(1).LineCount());
    std::printf("%-36s %8s %10s %10s\n", "step", "runs", "mean ms", "min ms");
    std::printf("%-36s %8d %10.3f %10.3f\n", "load into the thirteen graphs", runs, load.meanMs, load.minMs);
    std::printf("%-36s %8d %10.3f %10.3f\n", "paint 1600 x 1000, window", runs, screen.meanMs, screen.minMs);
    std::printf("%-36s %8d %10.3f %10.3f\n", "paint 1600 x 1000, picture + legend", runs, picture.meanMs,
                picture.minMs);
    fs::remove_all(scratch);
    return 0;
}
