// engine_bench PROJECT.tnd... [--runs N] [--scale PROJECT.tnd]
//
// For each project: the time of one whole run in this process (read, analyse, write the four
// files), beside the file-writing floor: the bytes that run wrote, written again to the same
// number of files, line by line, to the same paths. Engine and floor runs alternate, so both
// see the same machine; the times are medians, the ratio the median of the ratios of each
// pair (steadier than the ratio of the medians on a busy machine). Then a scaling table for
// one project (the --scale one, else the first) analysed with 1, 5, 10 and 20 trial diameters.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "run.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

std::string readAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> splitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::size_t occurrences(const std::string &text, const std::string &what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// One file the floor writes: a path and its lines.
struct FloorFile {
    std::string path;
    std::vector<std::string> lines;
};

// The files one run wrote, in the order and number the engine opens them. "TZDATA.DAT" is
// rewritten by every t-z run (three per diameter); the curve table has fixed widths, so every
// run of a project writes as many bytes as the last one left.
std::vector<FloorFile> floorFiles(const engine::RunFiles &files)
{
    std::vector<FloorFile> out;
    const std::string report = readAll(files.OUTFILE);
    for (const std::string *path : {&files.OUTFILE, &files.PLOTFILE, &files.RUNFILE})
        out.push_back({*path, splitLines(readAll(*path))});
    if (fs::exists("TZDATA.DAT")) {
        const std::string tz = readAll("TZDATA.DAT");
        std::size_t runs = occurrences(report, "        RESULT FROM ");
        if (tz.size() < 2 || tz.compare(tz.size() - 2, 2, "1\n") != 0)
            ++runs; // the last t-z run stopped at a curve's end and left a shorter file
        const std::vector<std::string> lines = splitLines(tz);
        for (std::size_t i = 0; i < runs; ++i)
            out.push_back({fs::absolute("TZDATA.DAT").string(), lines});
    }
    return out;
}

void writeFloor(const std::vector<FloorFile> &files)
{
    for (const FloorFile &f : files) {
        std::ofstream out(f.path, std::ios::binary | std::ios::trunc);
        for (const std::string &line : f.lines)
            out.write(line.data(), static_cast<std::streamsize>(line.size())).put('\n');
    }
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Measure {
    double runMs = 0, floorMs = 0, ratio = 0;
    int result = 0, diameters = 0;
};

Measure measure(const fs::path &project, const fs::path &scratch, int runs)
{
    const std::string base = (scratch / project.stem()).string();
    const engine::RunFiles files{engine::versionField("2012.7.15"), project.string(), base + ".tno", base + ".tnp",
                                 base + ".tnr"};
    fs::remove("TZDATA.DAT");
    Measure m;
    m.result = engine::runWithFiles(files, engine::Console{});
    const std::vector<FloorFile> floor = floorFiles(files);
    std::istringstream(readAll(files.PLOTFILE)) >> m.diameters;
    for (int warm = 0; warm < 3; ++warm) {
        engine::runWithFiles(files, engine::Console{});
        writeFloor(floor);
    }
    std::vector<double> run, write, ratio;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = Clock::now();
        engine::runWithFiles(files, engine::Console{});
        const auto t1 = Clock::now();
        writeFloor(floor);
        const auto t2 = Clock::now();
        run.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        write.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
        ratio.push_back(write.back() > 0 ? run.back() / write.back() : 0);
    }
    m.runMs = median(run);
    m.floorMs = median(write);
    m.ratio = median(ratio);
    return m;
}

// The project with DIALIM set so that `count` trial diameters of 0.5 ft (0.1524 m) are run.
fs::path withDiameters(const fs::path &project, int count, const fs::path &scratch)
{
    std::vector<std::string> lines = splitLines(readAll(project));
    std::istringstream units(lines.size() > 1 ? lines[1] : "1");
    int IUNIT = 1;
    units >> IUNIT;
    std::string shaft = lines.size() > 3 ? lines[3] : "";
    std::replace(shaft.begin(), shaft.end(), ',', ' ');
    std::istringstream fields(shaft);
    std::vector<std::string> values;
    for (std::string v; fields >> v;)
        values.push_back(v);
    if (values.size() < 2)
        return project;
    const double step = IUNIT == 2 ? 0.1524 : 0.5;
    char dialim[64];
    std::snprintf(dialim, sizeof dialim, "%.6g", std::atof(values[0].c_str()) + step * (count - 1));
    values[1] = dialim;
    std::string joined;
    for (const std::string &v : values)
        joined += v + " ";
    lines[3] = joined;
    const fs::path out = scratch / (project.stem().string() + "-" + std::to_string(count) + "d.tnd");
    std::ofstream file(out, std::ios::binary);
    for (const std::string &line : lines)
        file << line << '\n';
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    int runs = 200;
    std::vector<fs::path> projects;
    fs::path scaled;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--scale" && i + 1 < argc)
            scaled = fs::absolute(argv[++i]);
        else
            projects.push_back(fs::absolute(arg));
    }
    if (projects.empty() && scaled.empty()) {
        std::fprintf(stderr, "usage: engine_bench PROJECT.tnd... [--runs N] [--scale PROJECT.tnd]\n");
        return 64;
    }
    if (scaled.empty())
        scaled = projects.front();
    const fs::path scratch = fs::temp_directory_path() / ("tarnel-bench-" + std::to_string(getpid()));
    fs::create_directories(scratch);
    if (chdir(scratch.c_str()) != 0)
        return 1;

    std::printf("%-28s %9s %6s %11s %9s %6s %7s\n", "project", "diameters", "runs", "ms per run", "floor ms",
                "ratio", "result");
    for (const fs::path &project : projects) {
        const Measure m = measure(project, scratch, runs);
        std::printf("%-28s %9d %6d %11.3f %9.3f %6.2f %7d\n", project.filename().c_str(), m.diameters, runs, m.runMs,
                    m.floorMs, m.ratio, m.result);
    }

    std::printf("\nscaling: %s\n", scaled.filename().c_str());
    std::printf("%9s %11s %9s %6s %22s\n", "diameters", "ms per run", "floor ms", "ratio", "ms per added diameter");
    double firstMs = 0;
    int firstCount = 0;
    for (int count : {1, 5, 10, 20}) {
        const Measure m = measure(withDiameters(scaled, count, scratch), scratch, runs);
        if (firstCount == 0) {
            firstMs = m.runMs;
            firstCount = m.diameters;
            std::printf("%9d %11.3f %9.3f %6.2f %22s\n", m.diameters, m.runMs, m.floorMs, m.ratio, "");
        } else {
            const int added = m.diameters - firstCount;
            std::printf("%9d %11.3f %9.3f %6.2f %22.3f\n", m.diameters, m.runMs, m.floorMs, m.ratio,
                        added > 0 ? (m.runMs - firstMs) / added : 0);
        }
    }
    fs::remove_all(scratch);
    return 0;
}
