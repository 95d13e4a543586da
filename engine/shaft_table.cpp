#include "shaft_table.h"

#include <cmath>

namespace engine {
namespace {

// Tips deeper than this are not stored: no profile reaches them, and it keeps the per-foot
// arrays and their whole-foot indices bounded.
constexpr Real kMaxTipFeet = 100000;

// Whole feet of a depth, held just outside the stored range when it lies beyond it.
long long boundedFeet(Real value, bool nearest)
{
    const long long beyond = static_cast<long long>(kMaxTipFeet) + 1;
    if (!(value < kMaxTipFeet))
        return beyond;
    if (!(value > -kMaxTipFeet))
        return -beyond;
    return nearest ? nint(value) : static_cast<long long>(std::trunc(value));
}

} // namespace

Shaft shaftGeometry(const ProjectInput &run, Real D)
{
    Shaft s;
    s.D = D;
    s.DRATIO = D / run.DSTART;
    s.stemArea = kPi * D * D / 4;
    s.perimeter = kPi * D;
    // A bell needs a base wider than the stem and an angle with a tangent; otherwise the shaft
    // is straight. At 90 degrees the bell is a flat disc of toe height.
    s.bell = std::trunc(run.RATIO) != 0 && run.RATIO > 1 && run.BELANG > 0 && run.BELANG <= 90;
    s.DB = s.bell ? run.RATIO * D : D;
    s.Ab = kPi * s.DB * s.DB / 4;
    if (s.bell) {
        s.toe = D <= 3.52f ? 0.25f : 0.5f;
        s.HBELL = (s.DB - D) / (2 * std::tan(run.BELANG / 57.29f)) + s.toe;
        // Frustum of the bell plus the cylindrical toe.
        s.VOLBELL = (kPi * (s.HBELL - s.toe) / 3 * (D * D / 4 + D * s.DB / 4 + s.DB * s.DB / 4) + s.toe * s.Ab) / 27;
    }
    s.steelArea = kPi * 0.01f * D * D / 4 * 144;
    s.zone = static_cast<int>(boundedFeet(2 * s.DB, false));
    return s;
}

const FootRecord &DepthWalk::at(int j) const
{
    static const FootRecord kNone{};
    if (j < 0 || j >= static_cast<int>(feet.size()))
        return kNone;
    return feet[j];
}

DepthWalk walkProfile(Profile &pr, const Shaft &shaft, RunRock &rock)
{
    const Real BS = pr.input.si() ? pr.input.BS * kFtPerM : pr.input.BS;
    pr.run.BS = BS < kMaxTipFeet ? static_cast<Real>(nint(BS)) : BS;
    roundLayerBottoms(pr);

    DepthWalk walk;
    walk.layers.resize(pr.layers.size());
    walk.lastTip = -1;
    WalkState &w = walk.state;
    w.D = shaft.D;
    w.DRATIO = shaft.DRATIO;
    w.DB = shaft.DB;
    w.Ab = shaft.Ab;
    w.zone = shaft.zone;
    w.SIGV = initialSIGV(pr);

    const Real TOPLENG = pr.run.TOPLENG;
    bool first = true;
    for (std::size_t li = 0; li < pr.layers.size(); ++li) {
        const Layer &layer = pr.layers[li];
        if (!(layer.DEPTH > TOPLENG))
            continue;
        const Real start = first ? TOPLENG : layer.TOP;
        first = false;
        const long long steps = boundedFeet(layer.DEPTH, false) - boundedFeet(start, false);
        LayerWalk &lw = walk.layers[li];
        for (long long k = 1; k <= steps; ++k) {
            const Real ZSIDE = start + static_cast<Real>(k);
            const Real FK = ZSIDE - layer.TOP;
            const Real L = ZSIDE + pr.run.BS + shaft.HBELL;
            StepResult r = evaluateStep(pr, static_cast<int>(li), FK, ZSIDE, L, w, rock);
            for (const StepNote &n : r.notes)
                walk.notes.push_back(n);
            if (!(L < kMaxTipFeet))
                continue;
            const int m = nint(L);
            if (m < 0)
                continue;
            if (m >= static_cast<int>(walk.feet.size()))
                walk.feet.resize(m + 1);
            FootRecord &rec = walk.feet[m];
            rec.stored = true;
            rec.QS = w.QS;
            rec.QSLRFD = w.QSLRFD;
            rec.base = r.QB;
            rec.rockFlag = w.rockFlag;
            rec.f = r.f;
            rec.L = static_cast<Real>(m);
            rec.volume = (rec.L - shaft.HBELL) * shaft.stemArea / 27 + shaft.VOLBELL;
            rec.Ab = w.Ab;
            const Real unitBase = w.Ab > 0 ? r.QB / w.Ab : 0;
            if (!lw.stepped) {
                lw.stepped = true;
                lw.firstF = r.f;
                lw.firstQb = unitBase;
            }
            lw.lastF = r.f;
            lw.lastQb = unitBase;
            lw.lastL = L;
            lw.lastQS = w.QS;
            walk.lastTip = m;
        }
    }
    return walk;
}

Real averagedBase(const DepthWalk &walk, const Shaft &shaft, Real BS, int j)
{
    const int h = static_cast<int>(std::trunc(shaft.HBELL + BS));
    const int m0 = h + j + 1;
    const int n = walk.state.zone;
    if (shaft.D < 1 || n <= 0)
        return walk.at(m0).base;
    // Weights rise from 0 at the tip to 0.6 one base diameter down, then fall to 0.4.
    const bool startsAboveRock = walk.at(m0).rockFlag == 1;
    Real lastAbove = walk.at(m0).base;
    Real sumWQ = 0, sumW = 0;
    for (int m = m0; m <= m0 + n - 1; ++m) {
        const Real x = static_cast<Real>(m - m0) / n;
        const Real wgt = x <= 0.5f ? 0.6f * x / 0.5f : 0.6f * (2 - x) / 1.5f;
        const FootRecord &rec = walk.at(m);
        Real q = rec.base;
        if (rec.rockFlag == 1)
            lastAbove = rec.base;
        else if (startsAboveRock)
            q = lastAbove;
        sumWQ += wgt * q;
        sumW += wgt;
    }
    if (sumW <= 0)
        return walk.at(m0).base; // a zone of one foot has only the zero weight
    return sumWQ / sumW;
}

int tipLayer(const Profile &pr, Real L)
{
    for (std::size_t i = 0; i < pr.layers.size(); ++i)
        if (pr.layers[i].DEPTH > L)
            return static_cast<int>(i);
    return static_cast<int>(pr.layers.size()) - 1;
}

CapacityTable capacityTable(Profile &pr, const Shaft &shaft, const DepthWalk &walk)
{
    CapacityTable t;
    ProjectInput &run = pr.run;
    const bool si = pr.si();
    const bool lrfd = run.IMETHOD == 1;
    const bool uplift = run.ILOAD == 2;
    const long long h = boundedFeet(shaft.HBELL + run.BS, false);
    const long long j0 = boundedFeet(run.BS + run.TOPLENG + shaft.HBELL, true) + 1;
    const long long M = run.IDESIGN == 1 ? boundedFeet(pr.layers.back().DEPTH, false) : walk.lastTip;
    const long long j1 = M - walk.state.zone - h - 1;
    if (j1 < 0)
        t.tooShort = true;
    Real previousVolume = 0;
    for (int j = static_cast<int>(j0); j <= j1; ++j) {
        const FootRecord &rec = walk.at(j);
        CapacityRow row;
        row.j = j;
        row.QB = averagedBase(walk, shaft, run.BS, j);
        row.f = rec.f;
        const Real QS = rec.QS;
        const Real L = rec.stored ? rec.L : static_cast<Real>(j);
        row.L = L;
        const Real volume = rec.volume > 0.01f ? rec.volume : previousVolume;
        previousVolume = volume;
        row.tipLayer = tipLayer(pr, L);
        for (int i = 0; i <= row.tipLayer; ++i)
            if (pr.layers[i].TYPE > 3)
                ++row.rockLayers;
        Real QB = row.QB;
        Real lrfdQB = pr.layers[row.tipLayer].RFTIP * QB;
        const Real lrfdQS = rec.QSLRFD;
        if (uplift) {
            // Concrete at 150 pcf less the buoyancy of the submerged stem (0.0312 tons/cu ft).
            const Real buoyancy = L > run.WTD ? (L - run.WTD) * 0.0312f * shaft.D * shaft.D * 0.7854f : 0;
            const Real WT = volume * 27 * 150 / 2000 - buoyancy;
            QB = WT;
            lrfdQB = WT;
            run.FSB = 1;
        }
        const Real QU = QB + QS;
        const Real QBD = QB / run.FSB + QS;
        const Real QDN = QB / run.FSB + QS / run.FST;
        const Real perVolume = volume > 0 ? QU / volume : 0;
        Real c6 = QBD, c7 = QDN, c8 = perVolume;
        if (lrfd) {
            c6 = lrfdQS;
            c7 = lrfdQB;
            c8 = lrfdQS + lrfdQB;
        }
        if (si) {
            row.out = {L / kFtPerM, volume / kCuYdPerCuM, QS / kTonPerKN, QB / kTonPerKN, QU / kTonPerKN,
                       c6 / kTonPerKN, c7 / kTonPerKN, lrfd ? c8 / kTonPerKN : c8 / (kTonPerKN / kCuYdPerCuM)};
        } else {
            row.out = {L, volume, QS, QB, QU, c6, c7, c8};
        }
        t.rows.push_back(row);
        const bool stop = run.IDESIGN == 1 ? run.P < (lrfd ? lrfdQS + lrfdQB : QDN) : run.DGH <= L;
        if (stop) {
            t.stopped = true;
            break;
        }
    }
    return t;
}

std::vector<std::array<Real, 8>> interpolatedTable(const Profile &pr, const Shaft &shaft, const CapacityTable &t)
{
    std::vector<std::array<Real, 8>> out;
    const auto &rows = t.rows;
    const Real step = pr.input.OUTINC;
    if (rows.size() < 2 || !(step > 0))
        return out;
    const bool si = pr.si();
    const bool lrfd = pr.run.IMETHOD == 1;
    const Real unit = si ? kFtPerM : 1;
    const Real ignored = (pr.run.BS + pr.run.TOPLENG) / unit;
    const Real ignoredWithBell = (pr.run.BS + pr.run.TOPLENG + shaft.HBELL) / unit;
    const Real last = rows.back().out[0];
    // An interval too fine to mean anything would overflow the count and fill the report: the
    // intervals are held to as many as the stored range has feet.
    const double wanted = std::trunc(static_cast<double>(last) / step + 1);
    const long long count = wanted < kMaxTipFeet ? static_cast<long long>(wanted) : static_cast<long long>(kMaxTipFeet);
    std::size_t i = 1;
    for (long long k = 1; k <= count; ++k) {
        const Real d = static_cast<Real>(k) * step;
        if (d > last)
            break;
        // d only grows, so the search goes on from the previous row.
        while (i < rows.size() - 1 && rows[i].out[0] < d)
            ++i;
        const auto &a = rows[i - 1].out;
        const auto &b = rows[i].out;
        const Real span = b[0] - a[0];
        const Real wgt = span != 0 ? (d - a[0]) / span : 1;
        std::array<Real, 8> v{};
        for (int c = 1; c < 8; ++c)
            v[c] = a[c] + (b[c] - a[c]) * wgt;
        v[0] = d;
        if (lrfd)
            v[7] = v[5] + v[6];
        if (i == 1 && v[2] < 1e-5f && rows.size() >= 3) {
            const auto &r2 = rows[2].out;
            v[2] = r2[2] / 2;
            v[3] = r2[3];
            v[4] = v[3] + v[2];
            if (lrfd) {
                v[5] = r2[5] / 2;
                v[6] = r2[6];
                v[7] = v[5] + v[6];
            } else {
                v[5] = r2[5] / 2;
                v[6] = r2[6] / 2;
            }
            v[1] = d * rows[1].out[1] / rows[1].out[0];
        }
        const bool below = d >= ignored && d > ignoredWithBell;
        const bool withinDesign = !(si && pr.run.IDESIGN == 2) || d <= pr.input.DGH;
        if (below && withinDesign)
            out.push_back(v);
    }
    return out;
}

} // namespace engine
