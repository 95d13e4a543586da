#include "tz.h"

#include <cmath>
#include <string>


namespace engine {
namespace {

constexpr Real kTol = 0.0001f; // in
constexpr int kMaxPasses = 1000;

constexpr Real kSideMove[2][10] = {
    {0, 0.001f, 0.002f, 0.003f, 0.005f, 0.006f, 0.008f, 0.012f, 0.016f, 0.02f},  // clay
    {0, 0.001f, 0.002f, 0.003f, 0.005f, 0.006f, 0.008f, 0.012f, 0.016f, 0.1f}}; // sand
// Normalized load transfer: [clay, sand][MODE - 1][point].
constexpr Real kSideLoad[2][3][10] = {
    {{0, 0.51f, 0.72f, 0.9f, 0.925f, 0.945f, 0.955f, 0.925f, 0.9f, 0.835f},
     {0, 0.74f, 0.92f, 0.97f, 1.01f, 1.02f, 1.02f, 1, 0.96f, 0.92f},
     {0, 0.29f, 0.52f, 0.7f, 0.84f, 0.87f, 0.89f, 0.85f, 0.8f, 0.75f}},
    {{0, 0.335f, 0.58f, 0.72f, 0.86f, 0.91f, 0.95f, 0.965f, 0.96f, 0.95f},
     {0, 0.45f, 0.76f, 0.9f, 0.98f, 1, 1, 1, 1, 1},
     {0, 0.22f, 0.4f, 0.54f, 0.74f, 0.82f, 0.9f, 0.93f, 0.92f, 0.9f}}};
constexpr Real kTipMove[10] = {0, 0.005f, 0.01f, 0.015f, 0.025f, 0.03f, 0.04f, 0.05f, 0.07f, 0.1f};
constexpr Real kTipLoad[2][3][10] = {
    {{0, 0.395f, 0.56f, 0.7f, 0.865f, 0.9f, 0.95f, 0.97f, 0.98f, 0.991f},
     {0, 0.59f, 0.75f, 0.86f, 0.96f, 0.98f, 0.995f, 0.995f, 0.994f, 0.992f},
     {0, 0.2f, 0.37f, 0.54f, 0.77f, 0.82f, 0.9f, 0.94f, 0.97f, 0.99f}},
    {{0, 0.175f, 0.345f, 0.485f, 0.64f, 0.73f, 0.88f, 1.015f, 1.195f, 1.46f},
     {0, 0.25f, 0.48f, 0.67f, 0.76f, 0.84f, 0.96f, 1.08f, 1.28f, 1.61f},
     {0, 0.1f, 0.21f, 0.3f, 0.52f, 0.62f, 0.8f, 0.95f, 1.11f, 1.32f}}};

struct Point {
    Real x, y;
};

// Linear in x; the first point strictly deeper ends the interval; past the end the last value.
Real strictlyDeeper(const std::vector<Point> &p, Real x)
{
    for (std::size_t k = 1; k < p.size(); ++k)
        if (p[k].x > x)
            return p[k - 1].y + (p[k].y - p[k - 1].y) * (x - p[k - 1].x) / (p[k].x - p[k - 1].x);
    return p.back().y;
}

// Linear in x; the first point not below x ends the interval; outside, the end values.
template <class X, class Y>
Real notBelow(const X &xs, const Y &ys, int n, Real x)
{
    if (x <= xs[0])
        return ys[0];
    for (int k = 1; k < n; ++k)
        if (xs[k] >= x) {
            const Real span = xs[k] - xs[k - 1];
            return span > 0 ? ys[k - 1] + (ys[k] - ys[k - 1]) * (x - xs[k - 1]) / span : ys[k];
        }
    return ys[n - 1];
}

Real readCurve(const TzCurve &c, Real w) { return notBelow(c.w, c.t, 10, w); }

Real transferAt(const std::vector<TzCurve> &curves, Real z, Real w)
{
    std::size_t c = 0;
    while (c < curves.size() - 1 && curves[c].depth < z)
        ++c;
    if (z < curves[c].depth && c > 0) {
        const TzCurve &a = curves[c - 1], &b = curves[c];
        const Real ta = readCurve(a, w), tb = readCurve(b, w);
        const Real span = b.depth - a.depth;
        return span > 0 ? ta + (tb - ta) * (z - a.depth) / span : tb;
    }
    return readCurve(curves[c], w);
}

} // namespace

TzResult computeTz(const TzInput &in, int MODE)
{
    TzResult r;
    const int m = MODE < 1 ? 0 : (MODE > 3 ? 2 : MODE - 1);
    const Real OD = 12 * in.D;
    const Real DTIP = 12 * in.DBASE;
    const Real EP = in.si ? in.EcEntered / 6.894f : in.EcEntered;
    const Real LP = 12 * in.L;
    const Real QBP = 2000 * in.QB;
    const int n = static_cast<int>(in.layers.size());

    std::vector<Real> xtop(n), xbot(n);
    for (int i = 0; i < n; ++i) {
        xtop[i] = 12 * in.layers[i].top;
        xbot[i] = 12 * in.layers[i].bottom;
        if (xbot[i] - xtop[i] < 1e-12f)
            xbot[i] = xtop[i] + 0.1f;
        if (i > 0)
            xtop[i] = xbot[i - 1];
    }
    std::vector<Point> strength, base;
    for (int i = 0; i < n; ++i) {
        const TzLayer &L = in.layers[i];
        strength.push_back({12 * L.top, L.sideTop * 2000 / 144});
        strength.push_back({12 * L.bottom, L.sideBottom * 2000 / 144});
        base.push_back({12 * L.top, L.baseTop * 2000 / 144});
        base.push_back({12 * L.bottom, L.baseBottom * 2000 / 144});
    }
    const Real stem = EP * 0.7854f * OD * OD;
    const Real ae[2][3] = {{0, LP - 12 * in.HB, LP}, {stem, stem, EP * 0.7854f * DTIP * DTIP}};

    std::vector<Real> sideX, sideY;
    for (const TzSidePoint &p : in.side) {
        sideX.push_back(12 * p.depthFt);
        sideY.push_back(p.fTsf * 2000 / 144);
    }

    for (int i = 0; i < n; ++i) {
        const Real M = (xtop[i] + xbot[i]) / 2, B = xbot[i] - 0.01f;
        const Real depths[5] = {i > 0 ? xtop[i] + 12.01f : xtop[i], (xtop[i] + M) / 2, M, (M + B) / 2, B};
        for (int k = 0; k < 5; ++k) {
            TzCurve c;
            c.id = 5 * i + k + 1;
            c.depth = depths[k];
            c.type = in.layers[i].type;
            r.curves.push_back(c);
        }
    }
    for (std::size_t j = 0; j < r.curves.size(); ++j) {
        TzCurve &c = r.curves[j];
        if (c.depth >= strength.back().x + 0.1f) {
            r.IERR = 2;
            r.failX = c.depth;
            r.curves.resize(j);
            return r;
        }
        c.TMAX = strictlyDeeper(strength, c.depth);
        if (j + 1 < r.curves.size() && !sideX.empty())
            c.TMAX = notBelow(sideX, sideY, static_cast<int>(sideX.size()), c.depth);
        const int kind = c.type == 1 ? 1 : 0;
        for (int p = 0; p < 10; ++p) {
            c.w[p] = OD * kSideMove[kind][p];
            c.t[p] = c.TMAX * kSideLoad[kind][m][p];
        }
    }

    const Real DT = OD > DTIP ? OD : DTIP;
    const int K = in.tipType;
    int tipKind = 1; // sand
    if (K >= 2) {
        if (strength.back().x < LP) {
            r.IERR = 4;
            r.failX = LP;
            return r;
        }
        if (base.back().x < LP) {
            r.IERR = 5;
            r.failX = LP;
            return r;
        }
        tipKind = K > 7 ? 1 : 0;
    }
    for (int p = 0; p < 10; ++p) {
        r.tipW[p] = DT * kTipMove[p];
        r.tipQ[p] = QBP * kTipLoad[tipKind][m][p];
    }

    Real WTIP[15] = {0.00001f, 0.00005f, 0.0001f, 0.005f, 0.0075f, 0.01f, 0.025f, 0.05f, 0.075f, 0.1f, 0.25f, 0.5f};
    WTIP[12] = 0.01f * OD;
    if (WTIP[12] < 0.5f)
        WTIP[12] = 0.5f * 1.25f;
    WTIP[13] = 0.025f * OD;
    if (WTIP[13] < WTIP[12])
        WTIP[13] = 1.25f * WTIP[12];
    WTIP[14] = 0.05f * OD;
    if (WTIP[14] < WTIP[13])
        WTIP[14] = 1.25f * WTIP[13];

    const int NROWS = in.NROWS;
    const Real DZ = LP / NROWS;
    const Real TOP = 12 * in.TOPLENG;
    for (int k = 0; k < 15; ++k) {
        const Real W0 = WTIP[k];
        const Real QT = notBelow(r.tipW, r.tipQ, 10, W0);
        Real P = QT, W = W0;
        Real WM = W0;
        for (int s = 0; s < NROWS; ++s) {
            // Midpoint of segment s (0 at the tip) from its index, not by repeated subtraction
            // of DZ: a midpoint on 12 TOPLENG then counts as not above it, as it should.
            const Real ZC = static_cast<Real>(static_cast<double>(LP) * (2.0 * (NROWS - s) - 1) / (2.0 * NROWS));
            Real Pn = P, Wn = W;
            for (int pass = 0;; ++pass) {
                Real F = transferAt(r.curves, ZC, WM);
                if (ZC < TOP)
                    F = 0;
                const Real DQ = DZ * 3.1416f * OD * F;
                Pn = P + DQ;
                const Real AE = notBelow(ae[0], ae[1], 3, ZC);
                Wn = W + DZ * (P + DQ / 2) / AE;
                const Real WMC = W + (((Pn + P) / 2 + P) / 2) * (DZ / 2) / AE;
                if (std::fabs(WMC - WM) > kTol && pass < kMaxPasses) {
                    WM = WMC;
                    continue;
                }
                break;
            }
            P = Pn;
            W = Wn;
            WM = Wn;
        }
        r.top[k] = P;
        r.topW[k] = W;
        r.tip[k] = QT;
        r.tipW15[k] = W0;
    }
    return r;
}

namespace {

void warning(ReportWriter &out, Real x, int decimals, const char *text)
{
    out.blank();
    out.blanks(29).text("**** WARNING ****").end();
    out.text("     THE VALUE OF X =").E(x, 9, decimals).text(text).end();
}

} // namespace

void TZPILE(const TzInput &in, int MODE, SettlementTable &table, ReportWriter &report, ReportWriter &runtime,
            std::ostream *tzdata, int &IERR)
{
    const bool si = in.si;
    const char *len = si ? " M." : "IN.", *force = si ? "KN." : "ton", *stress = si ? "KPA" : "PSI";
    const TzResult r = computeTz(in, MODE);
    ReportWriter tz(tzdata, kFileBatch);

    tz.line("     NOTE: TZ CURVE DATA ARE AVAILABLE FOR SAND AND CLAY LAYERS ONLY.");
    tz.blank(2);
    if (r.IERR == 2) {
        warning(report, r.failX, 3, " IS BEYOND THE EXTENT OF THE INPUT STRENGTH CURVE 1");
        IERR = 2;
        return;
    }
    const Real lenOut = si ? 0.0254f : 1;
    const Real stressOut = si ? 6.895f : 1;
    tz.blank(2);
    tz.line("        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT");
    tz.blanks(11).text("NO.").blanks(6).text("POINTS").blanks(8).text(len);
    tz.blanks(14).text(stress).blanks(13).text(len).end();
    tz.blank();
    for (const TzCurve &c : r.curves) {
        tz.blanks(8).I(c.id, 5).I(10, 11).E(c.depth * lenOut, 16, 4).end();
        for (int p = 0; p < 10; ++p)
            tz.blanks(40).E(c.t[p] * stressOut, 17, 4).E(c.w[p] * lenOut, 16, 4).end();
    }
    if (r.IERR == 4) {
        warning(report, r.failX, 2, " IS BEYOND THE EXTENT OF THE INPUT STRENGTH CURVE");
        warning(runtime, r.failX, 2, " IS BEYOND THE EXTENT OF THE INPUT STRENGTH CURVE");
        IERR = 4;
        return;
    }
    if (r.IERR == 5) {
        warning(report, r.failX, 2, "IS BEYOND THE EXTENT OF/     THE INPUT MAX. LOAD TRANSFER");
        IERR = 5;
        return;
    }
    const Real forceOut = si ? 4.448f / 1000 : Real(1) / 2000;
    tz.blank(3);
    tz.line("        TIP   LOAD        TIP MOVEMENT");
    tz.blanks(12).text(force).blanks(15).text(len).end();
    tz.blank();
    for (int p = 0; p < 10; ++p)
        tz.E(r.tipQ[p] * forceOut, 18, 4).E(r.tipW[p] * lenOut, 19, 4).end();

    // A free-format write of integers, like the plot file's block headings.
    runtime.integers({15, in.NROWS, 0, in.NROWS}).end();
    tz.line("1");

    static const char *const kTitles[] = {"RESULT FROM TREND (AVERAGED) LINE", "RESULT FROM UPPER-BOUND LINE",
                                          "RESULT FROM LOWER-BOUND LINE"};
    const int m = MODE < 1 ? 1 : (MODE > 3 ? 3 : MODE);
    report.blank(3);
    report.blanks(8).text(kTitles[m - 1]).end();
    report.blank();
    report.line("        TOP  LOAD     TOP MOVEMENT       TIP LOAD      TIP  MOVEMENT");
    report.blanks(11).text(force).blanks(13).text(len).blanks(14).text(force).blanks(12).text(len).end();
    const Real moveOut = si ? Real(1) / 39.37f : 1;
    for (int k = 0; k < 15; ++k) {
        const Real topLoad = r.top[k] * forceOut, topMove = r.topW[k] * moveOut;
        const Real tipLoad = r.tip[k] * forceOut, tipMove = r.tipW15[k] * moveOut;
        report.E(topLoad, 17, 4).E(topMove, 16, 4).E(tipLoad, 16, 4).E(tipMove, 16, 4).end();
        const int c = 2 * (m - 1);
        table.QTOP[k][c] = topLoad;
        table.WTOP[k][c] = topMove;
        table.QTOP[k][c + 1] = tipLoad;
        table.WTOP[k][c + 1] = tipMove;
    }
}

} // namespace engine
