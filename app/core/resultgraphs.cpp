#include "resultgraphs.h"

#include <QFile>

#include <algorithm>

#include "ColumnTypes.h"
#include "WordRead.h"
#include "projectdata.h"

namespace {

constexpr const char *kIncomplete = "This file either invalid or incomplete.";
constexpr long kCheckedPoints = 50000; // points per graph above which the file must hold them

// Depth downward in "L2", resistance in "F2"; load in "F2" against settlement in "L", which
// the engine writes in inches (English) or metres (SI).
const std::vector<TGraphDefaults> kDefaults = {
    {"pltSkin", "Ultimate &Skin Friction vs Depth", "Ultimate Skin Friction", "F2", "Depth", "L2", true, 5},
    {"pltTip", "Ultimate &Tip Resistance vs Depth", "Ultimate Tip Resistance", "F2", "Depth", "L2", true, 5},
    {"pltTotal", "Ultimate Total &Capacity vs Depth", "Ultimate Total Capacity", "F2", "Depth", "L2", true, 5},
    {"FSpltSkin", "ASD/LRFD Skin Friction vs Depth ", "ASD/LRFD Side Resistance", "F2", "Depth", "L2", true, 5},
    {"FSpltTip", "ASD/LRFD Tip Resistance vs Depth ", "ASD/LRFD Tip Resistance", "F2", "Depth", "L2", true, 5},
    {"FSpltTotal", "ASD/LRFD Total Capacity vs Depth", "ASD/LRFD Total Resistance", "F2", "Depth", "L2", true, 5},
    {"pltCombine", "C&ombined Plots vs Depth (ultimate)", "Ultimate Resistance", "F2", "Depth", "L2", true, 5},
    {"pltCombineD", "Combined Plots vs Depth (ASD/LRFD)", "ASD/LRFD Resistance", "F2", "Depth", "L2", true, 5},
    {"pltAxial", "Axial Load vs Settlement (averaged)", "Axial Load", "F2", "Settlement", "L", true, 1},
    {"pltUpper", "Axial Load vs Settlement (upper bound)", "Axial Load", "F2", "Settlement", "L", true, 1},
    {"pltLower", "Axial Load vs Settlement (lower bound)", "Axial Load", "F2", "Settlement", "L", true, 1},
    {"pltCombinedSettle", "Combined Plots of Load vs Settlement", "Axial Load", "F2", "Settlement", "L", true, 1},
    {"pltLoad", "Axial Load vs Depth", "Axial Load", "F2", "Depth", "L2", true, 5},
};

// Soil label and fill code by soil type code 1 to 9. Weak rock (6) shows as weak rock with
// its own pattern, not as gravel.
struct TLayerLabel {
    const char *name;
    int fill;
};
constexpr TLayerLabel kLayerLabels[9] = {{" SAND ", 7},      {" CLAY ", 1}, {" SHALE ", 8},
                                         {" ROCK ", 9},      {" WEAK ROCK ", 10}, {" WEAK ROCK ", 10},
                                         {" ROCK ", 9},      {" GW ", 11},  {" GRAVEL ", 12}};

// An upper bound of the words the reader finds: runs of characters above the blank.
long long countWords(const QByteArray &text)
{
    long long n = 0;
    bool inWord = false;
    for (const char c : text) {
        const bool blank = static_cast<unsigned char>(c) <= ' ';
        if (!blank && !inWord)
            ++n;
        inWord = !blank;
    }
    return n;
}

QString diameterText(double d)
{
    return QString::number(d, 'g', 15);
}

} // namespace

const std::vector<TGraphDefaults> &resultGraphDefaults()
{
    return kDefaults;
}

QString captionFromMenu(const QString &menuCaption)
{
    QString caption = menuCaption;
    caption.remove('&');
    while (caption.endsWith(' '))
        caption.chop(1);
    return caption;
}

void applyGraphDefaults(const std::vector<TGraphPlot *> &graphs, const std::vector<TGraphDefaults> &defaults)
{
    for (size_t i = 0; i < graphs.size() && i < defaults.size(); ++i) {
        const TGraphDefaults &d = defaults[i];
        TGraphPlot &g = *graphs[i];
        g.Caption = captionFromMenu(d.menuCaption);
        g.XCaption = d.xCaption;
        g.XUnits = d.xUnits;
        g.YCaption = d.yCaption;
        g.YUnits = d.yUnits;
        g.XOnTop = d.xOnTop;
        g.Markers = d.markers;
    }
}

TResultGraphs::TResultGraphs()
{
    applyGraphDefaults(all(), kDefaults);
}

TGraphPlot *TResultGraphs::graph(int menuIndex)
{
    if (menuIndex < 1 || menuIndex > 12)
        return nullptr;
    return all()[size_t(menuIndex - 1)];
}

const TGraphPlot *TResultGraphs::graph(int menuIndex) const
{
    return const_cast<TResultGraphs *>(this)->graph(menuIndex);
}

std::vector<TGraphPlot *> TResultGraphs::all()
{
    return {&pltSkin,  &pltTip,   &pltTotal, &FSpltSkin, &FSpltTip,          &FSpltTotal, &pltCombine,
            &pltCombineD, &pltAxial, &pltUpper, &pltLower, &pltCombinedSettle, &pltLoad};
}

bool TResultGraphs::LoadPlotFile(const QString &path, TProgramData &project, std::string *failure)
{
    try {
        load(path, project);
        return true;
    } catch (const std::exception &e) {
        if (failure)
            *failure = e.what();
        return false;
    }
}

void TResultGraphs::AddLayersGraphPlot(TGraphPlot &graph, const TGridTable &layers)
{
    const TLineSet &curves = graph.Lines(0);
    bool hasPoint = false;
    for (int i = 0; i < curves.LineCount() && !hasPoint; ++i)
        hasPoint = !curves.Line(i).Points.empty();
    if (!hasPoint)
        return;
    TLineSet &set = graph.Lines(1);
    set.SetLineCount(layers.rowCount());
    set.SetPointCount(1);
    for (int r = 0; r < layers.rowCount(); ++r) {
        TLine &line = set.Line(r);
        TFloatPoint &p = line.Points.front();
        p.Y = layers.floatValue(colDepth, r);
        p.X = 0;
        line.Name = "LAYER " + QString::number(r + 1);
        const int type = layers.intValue(colSoilType, r);
        if (type >= 1 && type <= 9) {
            line.Name = kLayerLabels[type - 1].name;
            p.X = kLayerLabels[type - 1].fill;
        }
    }
}

void TResultGraphs::load(const QString &path, TProgramData &project)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError("Cannot open file \"" + path.toStdString() + "\".");
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EInOutError("Cannot read file \"" + path.toStdString() + "\".");
    file.close();
    const long long words = countWords(text);
    TWordReader r = TWordReader::fromText(std::string_view(text.constData(), size_t(text.size())));

    pltSkin.ShowFontWidth = true;
    pltCombine.ShowFontWidth = true;

    const int NDIA = r.ReadInteger();
    if (NDIA < 1 || NDIA > kMaxPlotDiameters)
        r.wrongKind("A number of shaft diameters from 1 to " + std::to_string(kMaxPlotDiameters) +
                    " was expected but not found.");
    pltSkin.Lines().SetLineCount(NDIA);
    for (TGraphPlot *g : {&pltTip, &pltTotal, &FSpltSkin})
        g->Lines().SetLineCount(pltSkin.Lines().LineCount());

    const bool lrfd = project.DesignMethod == 1;
    const bool uplift = project.LoadType == 2;
    FSpltSkin.XCaption = lrfd ? "LRFD Side Resistance " : "Side Resistance/F.S. ";
    FSpltTip.XCaption = lrfd ? "LRFD Tip Resistance " : "Tip Resistance/F.S. ";
    FSpltTotal.XCaption = lrfd ? "LRFD Total Resistance " : "Total Resistance/F.S. ";
    pltCombineD.XCaption = lrfd ? "LRFD Resistance " : "Resistance/F.S. ";
    if (uplift)
        FSpltTip.XCaption = "Self-Weight";
    // The ultimate tip graph holds the self-weight in uplift too, so it says so.
    pltTip.XCaption = uplift ? "Self-Weight" : kDefaults[1].xCaption;

    for (TGraphPlot *g : {&FSpltTip, &FSpltTotal, &pltAxial, &pltUpper, &pltLower})
        g->Lines().SetLineCount(pltSkin.Lines().LineCount());
    pltLoad.Lines().SetLineCount(9);
    for (TGraphPlot *g : {&pltCombine, &pltCombineD, &pltCombinedSettle})
        g->Lines().SetLineCount(3);

    for (TGraphPlot *g : {&pltCombine, &pltCombineD}) {
        g->Lines().Line(0).Name = "  Skin Friction";
        g->Lines().Line(1).Name = uplift ? "  Self-Weight" : "  Tip Resistance";
        g->Lines().Line(2).Name = "  Total Capacity";
    }
    pltCombinedSettle.Lines().Line(0).Name = "  Trend (Averaged)";
    pltCombinedSettle.Lines().Line(1).Name = "  Upper Bound";
    pltCombinedSettle.Lines().Line(2).Name = "  Lower Bound";

    const int NPTS = r.ReadInteger();
    const int maxRows = int(std::min<long>(kMaxPlotRows, kMaxPlotPoints / NDIA));
    if (NPTS < 1 || NPTS > maxRows)
        r.wrongKind("A number of rows from 1 to " + std::to_string(maxRows) + " was expected but not found.");
    const int NSET = r.ReadInteger();

    // Large counts must be backed by the file: one too short to hold the rows they announce
    // is refused before the graphs are sized for them. Smaller files are read up to the point
    // where they end, as any truncated file is.
    const long long rowWords = project.CurrentLayout == 1 ? 7 : 5;
    const long long needed = 3 + NPTS * rowWords + (NSET > 2 ? 180 : 60) + (NDIA - 1LL) * (3 + rowWords + 60);
    if (long(NDIA) * NPTS > kCheckedPoints && needed > words)
        throw EInOutError(kIncomplete);

    pltSkin.Lines().SetPointCount(NPTS);
    for (TGraphPlot *g : {&pltTip, &pltTotal, &FSpltSkin, &FSpltTip, &FSpltTotal, &pltLoad, &pltCombine, &pltCombineD})
        g->Lines().SetPointCount(pltSkin.Lines().PointCount());
    for (TGraphPlot *g : {&pltAxial, &pltUpper, &pltLower, &pltCombinedSettle})
        g->Lines().SetPointCount(16);

    project.SettlementCurves = NSET;
    for (TGraphPlot *g : all())
        g->SetUnits(project.Units);

    const bool si = project.Units == 2;
    const double dstart = project.ShaftData[sdDSTART];
    for (int i = 0; i < NDIA; ++i) {
        // The engine steps by 0.1524 m; the names step by 0.152 m.
        const QString name = "Dia=" + diameterText(dstart + (si ? 0.152 : 0.5) * i) + (si ? " m" : " ft");
        for (TGraphPlot *g : {&pltSkin, &pltTip, &pltTotal, &FSpltSkin, &FSpltTip, &FSpltTotal, &pltAxial, &pltUpper,
                              &pltLower})
            g->Lines().Line(i).Name = name;
    }

    TGraphPlot *depthGraphs[6] = {&pltSkin, &pltTip, &pltTotal, &FSpltSkin, &FSpltTip, &FSpltTotal};
    int rows = NPTS;
    int indicator = NSET;
    for (int i = 0; i < NDIA; ++i) {
        for (int j = 0; j < NPTS; ++j) {
            if (j >= rows) {
                // A short block ends in a vertical run of its last row.
                for (TGraphPlot *g : depthGraphs)
                    g->Lines().Point(i, j) = g->Lines().Point(i, j - 1);
                continue;
            }
            const double d = r.ReadFloat();
            TFloatPoint *p[6];
            for (int k = 0; k < 6; ++k) {
                p[k] = &depthGraphs[k]->Lines().Point(i, j);
                p[k]->Y = d;
            }
            if (project.CurrentLayout == 1) {
                for (int k = 0; k < 6; ++k)
                    p[k]->X = r.ReadFloat();
                if (uplift)
                    p[4]->X = p[1]->X;
            } else {
                p[0]->X = r.ReadFloat();
                p[1]->X = r.ReadFloat();
                // An older file: the allowable values from the project's factors of safety; a
                // factor that is not above 0 leaves the value unfactored.
                auto factored = [](double v, double fs) { return fs > 0 ? v / fs : v; };
                p[3]->X = factored(p[0]->X, project.SideSafetyFactor);
                p[4]->X = uplift ? p[1]->X : factored(p[1]->X, project.BaseSafetyFactor);
                p[2]->X = r.ReadFloat();
                p[5]->X = p[3]->X + p[4]->X;
                r.ReadFloat();
            }
        }
        TFloatPoint &tipEnd = pltTip.Lines().Point(i, NPTS - 1);
        if (tipEnd.X < 1e-4)
            tipEnd.X = 1e-5;

        auto readTable = [&](TGraphPlot &g) {
            for (int j = 1; j <= 15; ++j) {
                TFloatPoint &p = g.Lines().Point(i, j);
                p.X = r.ReadFloat();
                p.Y = r.ReadFloat();
                r.ReadFloat();
                r.ReadFloat();
            }
        };
        readTable(pltAxial);
        // Each block's own indicator says whether its upper- and lower-bound tables follow:
        // the engine keeps the indicator from one diameter to the next, so a later block can
        // hold them when the first does not.
        if (indicator > 2) {
            readTable(pltUpper);
            readTable(pltLower);
        }
        if (i < NDIA - 1) {
            r.ReadInteger();
            rows = r.ReadInteger();
            if (rows < 1 || rows > NPTS)
                r.wrongKind("A number of rows from 1 to " + std::to_string(NPTS) + " was expected but not found.");
            indicator = r.ReadInteger();
        }
    }

    for (int j = 0; j < NPTS; ++j) {
        for (int k = 0; k < 3; ++k) {
            pltCombine.Lines().Point(k, j) = depthGraphs[k]->Lines().Point(0, j);
            pltCombineD.Lines().Point(k, j) = depthGraphs[3 + k]->Lines().Point(0, j);
        }
    }
    TGraphPlot *settle[3] = {&pltAxial, &pltUpper, &pltLower};
    for (int j = 0; j < 16; ++j)
        for (int k = 0; k < 3; ++k)
            pltCombinedSettle.Lines().Point(k, j) = settle[k]->Lines().Point(0, j);

    for (TGraphPlot *g : {&FSpltSkin, &FSpltTip, &FSpltTotal, &pltSkin, &pltTip, &pltTotal, &pltCombine, &pltCombineD})
        AddLayersGraphPlot(*g, project.layers());
    for (TGraphPlot *g : all())
        g->SetUnits(project.Units);
}
