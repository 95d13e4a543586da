#include "tzcurves.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

#include "WordRead.h"
#include "numformat.h"
#include "projectdata.h"

namespace {

// Movement against load, as engineers draw t-z and q-w curves: X along the bottom, load
// growing upward. Unit load transfer is psi or kPa, which "F/L^2" reads as lbs/in^2 and
// kN/m^2; movements are in or m ("L"), tip loads tons or kN ("F2").
const std::vector<TGraphDefaults> kTzDefaults = {
    {"pltTzCurves", "t-&z Curves Used (last diameter)", "Pile Movement", "L", "Unit Load Transfer", "F/L^2", false, 1},
    {"pltQwCurve", "&q-w Curve Used (last diameter)", "Tip Movement", "L", "Tip Load", "F2", false, 1},
};

// The first movement step of every t-z curve, sand or clay, in stem diameters.
constexpr double kFirstStep = 0.001;

struct TLineCursor {
    const QByteArray &text;
    qsizetype pos = 0;
    int number = 0; // 1-based number of the line read last
    QList<QByteArray> words;

    bool atEnd() const { return pos >= text.size(); }
    // The next line's words; false at the end.
    bool next()
    {
        if (atEnd())
            return false;
        qsizetype end = text.indexOf('\n', pos);
        if (end < 0)
            end = text.size();
        const QByteArray line = text.mid(pos, end - pos);
        pos = end + 1;
        ++number;
        words = line.simplified().split(' ');
        if (words.size() == 1 && words.front().isEmpty())
            words.clear();
        return true;
    }
    // The next line with words; false at the end.
    bool nextWithWords()
    {
        while (next())
            if (!words.isEmpty())
                return true;
        return false;
    }
};

[[noreturn]] void fail(const TLineCursor &c, const std::string &expected)
{
    throw EInOutError("TZDATA.DAT, line " + std::to_string(c.number) + ": " + expected);
}

double number(const TLineCursor &c, int item)
{
    const std::optional<double> v = parseReal(std::string_view(c.words[item].constData(), size_t(c.words[item].size())));
    if (!v)
        fail(c, "item " + std::to_string(item + 1) + " is not a number.");
    return *v;
}

int whole(const TLineCursor &c, int item)
{
    const double v = number(c, item);
    if (v != std::floor(v) || v < -2147483648.0 || v > 2147483647.0)
        fail(c, "item " + std::to_string(item + 1) + " is not a whole number.");
    return int(v);
}

bool isWord(const TLineCursor &c, int item, const char *word)
{
    return c.words.size() > item && c.words[item] == word;
}

TFloatPoint pair(const TLineCursor &c, const char *what)
{
    if (c.words.size() != 2)
        fail(c, std::string(what) + " (two numbers) was expected.");
    // Load first, movement second in the file; the graphs want movement as X.
    return TFloatPoint{number(c, 1), number(c, 0)};
}

void parse(const QByteArray &text, TTzData &data)
{
    TLineCursor c{text, 0, 0, {}};
    const qsizetype lines = text.count('\n') + 1;
    if (!c.nextWithWords() || !isWord(c, 0, "NOTE:"))
        fail(c, "the note line of a t-z data file was expected.");
    if (!c.nextWithWords())
        return; // the t-z analysis stopped before its curves
    if (!isWord(c, 0, "T-Z") || !isWord(c, 1, "CURVE"))
        fail(c, "the heading of the t-z curve table was expected.");
    if (!c.nextWithWords() || c.words.size() != 5 || !isWord(c, 0, "NO.") || !isWord(c, 1, "POINTS"))
        fail(c, "the unit line of the t-z curve table was expected.");
    const QByteArray length = c.words[2];
    if (length == "IN." && c.words[3] == "PSI" && c.words[4] == "IN.")
        data.units = 1;
    else if (length == "M." && c.words[3] == "KPA" && c.words[4] == "M.")
        data.units = 2;
    else
        fail(c, "units IN., PSI, IN. or M., KPA, M. were expected.");

    while (c.nextWithWords()) {
        if (isWord(c, 0, "TIP"))
            break;
        if (c.words.size() != 3)
            fail(c, "a curve line (number, points, depth) or the tip heading was expected.");
        TTzCurve curve;
        curve.number = whole(c, 0);
        const int points = whole(c, 1);
        curve.depth = number(c, 2);
        if (curve.number != int(data.curves.size()) + 1)
            fail(c, "curve " + std::to_string(data.curves.size() + 1) + " was expected.");
        if (points < 1 || points > kMaxTzPoints)
            fail(c, "a number of points from 1 to " + std::to_string(kMaxTzPoints) + " was expected.");
        if (c.number + points > lines)
            throw EInOutError("TZDATA.DAT: the file is incomplete (curve " + std::to_string(curve.number) +
                              " announces more points than the file holds).");
        curve.points.reserve(size_t(points));
        for (int p = 0; p < points; ++p) {
            if (!c.next())
                throw EInOutError("TZDATA.DAT: the file is incomplete.");
            curve.points.push_back(pair(c, "a point of the curve"));
        }
        data.curves.push_back(std::move(curve));
    }
    if (c.atEnd() && !isWord(c, 0, "TIP"))
        return; // curves without a tip curve: the t-z analysis stopped at the tip (4 or 5)
    if (data.curves.empty())
        fail(c, "a tip curve after an empty curve table is not a t-z data file.");

    if (!isWord(c, 1, "LOAD"))
        fail(c, "the heading of the tip curve was expected.");
    if (!c.nextWithWords() || c.words.size() != 2)
        fail(c, "the unit line of the tip curve was expected.");
    const bool si = data.units == 2;
    if (c.words[0] != (si ? "KN." : "ton") || c.words[1] != length)
        fail(c, si ? "units KN. and M. were expected." : "units ton and IN. were expected.");
    for (;;) {
        if (!c.nextWithWords())
            throw EInOutError("TZDATA.DAT: the file is incomplete (the tip curve has no end line).");
        if (c.words.size() == 1 && c.words[0] == "1")
            break;
        if (int(data.tip.size()) == kMaxTzPoints)
            fail(c, "the end line \"1\" was expected.");
        data.tip.push_back(pair(c, "a point of the tip curve"));
    }
    if (c.nextWithWords())
        fail(c, "nothing was expected after the end line.");
}

// "12.5" from 12.50 at two decimals; "0" rather than "-0".
QString trimmed(double value, int decimals)
{
    QString s = QString::number(value, 'f', decimals);
    if (s.contains('.')) {
        while (s.endsWith('0'))
            s.chop(1);
        if (s.endsWith('.'))
            s.chop(1);
    }
    return s == "-0" ? QString("0") : s;
}

// Depth or diameter in ft (from inches) or m, as the engineer entered them.
QString lengthText(double value, int units)
{
    return units == 2 ? trimmed(value, 2) + " m" : trimmed(value / 12, 2) + " ft";
}

bool anyPoints(const TGraphPlot &graph)
{
    const TLineSet &lines = graph.Lines(0);
    for (int i = 0; i < lines.LineCount(); ++i)
        if (!lines.Line(i).Points.empty())
            return true;
    return false;
}

bool readFile(const QString &path, TTzData &data, std::string *failure)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (failure)
            *failure = "Cannot open \"" + path.toStdString() + "\": " + file.errorString().toStdString();
        return false;
    }
    if (file.size() > kMaxTzDataBytes) {
        if (failure)
            *failure = "\"" + path.toStdString() + "\" is too large for a t-z data file.";
        return false;
    }
    const QByteArray text = file.read(kMaxTzDataBytes + 1);
    if (file.error() != QFileDevice::NoError || text.size() > kMaxTzDataBytes) {
        if (failure)
            *failure = "Cannot read \"" + path.toStdString() + "\".";
        return false;
    }
    return readTzData(text, data, failure);
}

qint64 modified(const QString &path)
{
    return QFileInfo(path).lastModified().toMSecsSinceEpoch();
}

} // namespace

double TTzData::diameter() const
{
    if (curves.empty() || curves.front().points.size() < 2)
        return 0;
    return curves.front().points[1].X / kFirstStep;
}

bool readTzData(const QByteArray &text, TTzData &data, std::string *failure)
{
    TTzData read;
    try {
        parse(text, read);
    } catch (const EInOutError &e) {
        if (failure)
            *failure = e.what();
        return false;
    }
    for (const TTzCurve &curve : read.curves)
        for (const TFloatPoint &p : curve.points)
            if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !std::isfinite(curve.depth)) {
                if (failure)
                    *failure = "TZDATA.DAT: curve " + std::to_string(curve.number) + " holds a value out of range.";
                return false;
            }
    data = std::move(read);
    return true;
}

const std::vector<TGraphDefaults> &tzGraphDefaults()
{
    return kTzDefaults;
}

TTzCurveGraphs::TTzCurveGraphs()
{
    const std::vector<TGraphPlot *> graphs = all();
    applyGraphDefaults(graphs, kTzDefaults);
    for (TGraphPlot *g : graphs)
        g->ShowFontWidth = true;
}

TGraphPlot *TTzCurveGraphs::graph(int number)
{
    if (number == 13)
        return &pltTzCurves;
    if (number == 14)
        return &pltQwCurve;
    return nullptr;
}

void TTzCurveGraphs::Fill(const TTzData &data)
{
    TLineSet &curves = pltTzCurves.Lines(0);
    curves.SetLineCount(int(data.curves.size()));
    for (size_t i = 0; i < data.curves.size(); ++i) {
        const TTzCurve &c = data.curves[i];
        TLine &line = curves.Line(int(i));
        line.Points = c.points;
        line.Name = "Curve " + QString::number(c.number) + " at " + lengthText(c.depth, data.units);
    }
    TLineSet &tip = pltQwCurve.Lines(0);
    tip.SetLineCount(data.tip.empty() ? 0 : 1);
    if (!data.tip.empty()) {
        tip.Line(0).Points = data.tip;
        tip.Line(0).Name = "Tip load";
    }
    // TZDATA.DAT holds the last of the trend, upper- and lower-bound runs; a file without
    // its tip curve stopped in the first, the trend run.
    const QString diameter = data.curves.empty() ? QString() : ", diameter " + lengthText(data.diameter(), data.units);
    pltTzCurves.Title = data.curves.empty() ? QString()
                        : data.tip.empty()  ? "Trend curves" + diameter + " (stopped before the tip curve)"
                                            : "Lower-bound curves" + diameter;
    pltQwCurve.Title = data.tip.empty() ? QString() : "Lower-bound curve" + diameter;
    for (TGraphPlot *g : all())
        g->SetUnits(data.units);
}

void TTzCurveGraphs::Clear()
{
    for (TGraphPlot *g : all()) {
        g->Lines(0).SetLineCount(0);
        g->Title.clear();
    }
}

bool TTzCurveGraphs::HasCurves() const
{
    return anyPoints(pltTzCurves);
}

bool TTzCurveGraphs::HasTipCurve() const
{
    return anyPoints(pltQwCurve);
}

bool TTzCurveGraphs::LoadTzDataFile(const QString &path, std::string *failure)
{
    TTzData data;
    if (!readFile(path, data, failure))
        return false;
    Fill(data);
    return true;
}

bool TTzCurveGraphs::LoadForProject(const QString &projectPath, const TProgramData &project, std::string *failure)
{
    if (!tzDataOfLastRun(projectPath, failure))
        return false;
    TTzData data;
    if (!readFile(tzDataPathBeside(projectPath), data, failure))
        return false;
    auto refuse = [&](const std::string &why) {
        if (failure)
            *failure = why;
        return false;
    };
    if (data.units != project.Units)
        return refuse("TZDATA.DAT holds another unit system than the project: it was written by another run.");
    const size_t expected = 5 * size_t(project.layers().rowCount());
    if (!data.curves.empty() && data.curves.size() != expected)
        return refuse("TZDATA.DAT holds " + std::to_string(data.curves.size()) + " t-z curves, the project's " +
                      std::to_string(project.layers().rowCount()) + " layers give " + std::to_string(expected) +
                      ": it was written by another run.");
    Fill(data);
    return true;
}

QString tzDataPathBeside(const QString &projectPath)
{
    return QFileInfo(projectPath).dir().filePath("TZDATA.DAT");
}

bool tzDataOfLastRun(const QString &projectPath, std::string *why)
{
    auto refuse = [&](const std::string &text) {
        if (why)
            *why = text;
        return false;
    };
    const QFileInfo project(projectPath);
    const QString plot = project.dir().filePath(project.completeBaseName() + ".tnp");
    const QString tz = tzDataPathBeside(projectPath);
    if (!project.exists() || !QFileInfo::exists(plot))
        return refuse("The project has no results: run the analysis.");
    if (!QFileInfo::exists(tz))
        return refuse("The last run wrote no t-z curves (the tip is in rock, or the t-z analysis stopped early).");
    const qint64 tProject = modified(projectPath), tPlot = modified(plot), tTz = modified(tz);
    if (tPlot < tProject)
        return refuse("The results are older than the project: run the analysis again.");
    if (tTz < tProject || tTz > tPlot + kTzDataSlackMs)
        return refuse("TZDATA.DAT in the project's folder was written by another run: run the analysis again.");
    return true;
}

TRunResultsLoad loadRunResults(const QString &plotPath, const QString &tzDataPath, TProgramData &project,
                               TResultGraphs &graphs, TTzCurveGraphs &tzGraphs)
{
    TRunResultsLoad out;
    if (plotPath.isEmpty() || !QFileInfo::exists(plotPath)) {
        out.failure = "The run wrote no plot data file.";
    } else {
        // A trial load first: a failed load would leave the graphs half overwritten.
        const int settlementCurves = project.SettlementCurves;
        TResultGraphs trial;
        if (trial.LoadPlotFile(plotPath, project, &out.failure))
            out.plotLoaded = graphs.LoadPlotFile(plotPath, project, &out.failure);
        if (!out.plotLoaded)
            project.SettlementCurves = settlementCurves;
    }
    std::string tzFailure;
    if (tzDataPath.isEmpty() || !tzGraphs.LoadTzDataFile(tzDataPath, &tzFailure))
        tzGraphs.Clear();
    if (out.failure.empty())
        out.failure = tzFailure;
    out.tzCurves = tzGraphs.HasCurves();
    out.tipCurve = tzGraphs.HasTipCurve();
    return out;
}
