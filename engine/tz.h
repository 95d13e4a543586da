#pragma once

#include <array>
#include <ostream>
#include <vector>

#include "real.h"
#include "report.h"

namespace engine {

/// Load–settlement result table: 15 points by 6 columns; a column pair is one curve.
struct SettlementTable {
    Real QTOP[15][6]{};
    Real WTOP[15][6]{};
};

/// A layer as the t-z analysis sees it (ft; unit resistances in tsf).
struct TzLayer {
    int type = 0;
    Real top = 0, bottom = 0;
    Real sideTop = 0, sideBottom = 0;
    Real baseTop = 0, baseBottom = 0;
};

struct TzSidePoint {
    Real depthFt = 0;
    Real fTsf = 0;
};

/// The shaft of one trial diameter and its profile, in ft, tons and tsf.
struct TzInput {
    int NROWS = 0;
    Real D = 0, DBASE = 0;
    Real EcEntered = 0;            // psi, or kPa in SI
    std::vector<TzLayer> layers;
    Real L = 0, HB = 0, QB = 0, TOPLENG = 0;
    std::vector<TzSidePoint> side; // unit side resistance of the capacity rows
    int tipType = 1;               // type of the layer holding the tip
    bool si = false;
};

struct TzCurve {
    int id = 0;
    Real depth = 0; // in
    int type = 0;
    Real TMAX = 0;  // psi
    std::array<Real, 10> w{}, t{};
};

/// Where the analysis stopped: 0 complete; 2, 4 or 5 the failure code.
struct TzResult {
    int IERR = 0;
    Real failX = 0;                  // offending depth, in
    std::vector<TzCurve> curves;     // complete unless IERR is 2
    std::array<Real, 10> tipW{}, tipQ{}; // in, lb
    Real top[15]{}, topW[15]{}, tip[15]{}, tipW15[15]{}; // lb and in
};

/// The t-z solution of one curve family (MODE 1 trend, 2 upper bound, 3 lower bound).
/// The curve table has no fixed limit on layers; an equilibrium iteration stops after 1000
/// passes.
TzResult computeTz(const TzInput &input, int MODE);

/// Runs computeTz and writes "TZDATA.DAT" (to tzdata, when given), the report block and the
/// run-time line; on success fills the MODE's column pair. IERR receives a failure code.
void TZPILE(const TzInput &input, int MODE, SettlementTable &table, ReportWriter &report, ReportWriter &runtime,
            std::ostream *tzdata, int &IERR);

} // namespace engine
