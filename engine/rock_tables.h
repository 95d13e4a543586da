#pragma once

#include <cstddef>

#include "real.h"

namespace engine {

/// Tables of the rock-socket and intermediate-geomaterial methods, with their reading rules.

/// Em/EL of strong rock against RQD, percent: the first tabulated RQD strictly greater than
/// rqd ends the interval; 100 or more gives 1, below 0 the first value.
Real strongRockModulusRatio(Real rqd);

/// The influence-factor curves I10, I50, I100, I5000 (curve 0 to 3) read at LD; LD of 20 or
/// more gives the curve's last value.
Real influenceCurve(int curve, Real LD);
/// The influence factor by band of Ec/Em, blending the neighbouring curves; below Ec/Em 10
/// and at LD 20 or more it is 0.385.
Real influenceFactor(Real LD, Real ECEM);

/// Mobilized fraction of a layer's side resistance at normalized settlement w/D, for sand
/// (type 1) or clay and shale (types 2, 3); bound 1 lower, 2 upper. False for other types,
/// which have no curve.
bool sideTransferFraction(int type, int bound, Real wOverD, Real &fraction);

/// Normalized base settlements of the strong-rock method, level k = 1..15.
Real strongRockLevel(int k);
/// Settlement factors of the weak-rock method, level k = 1..15.
Real weakRockLevel(int k);

/// A chart: curves by a first argument, each tabulated at the same points of the second.
/// Read each bracketing curve at the point (clamped to the end values), then interpolate
/// between the curves; outside the first or last curve that curve alone.
struct Chart {
    const double *curves;
    std::size_t curveCount;
    const double *points;
    std::size_t pointCount;
    const double *values; // curveCount rows of pointCount values
};
Real readChart(const Chart &chart, Real curveArgument, Real pointArgument);
/// One curve of points, linear between them and clamped at the ends.
Real readClamped(const double *x, const double *y, std::size_t n, Real at);

/// Side-resistance factor alpha of weak rock, by sigma_n / pa and qu (psf).
Real weakRockAlpha(Real sigmaNOverPa, Real quPsf);
/// Fluid-concrete pressure factor M, by depth zc (ft) and slump (in).
Real concretePressureFactor(Real zcFt, Real slumpIn);
/// Limiting ratio n, by Em / sigma_n and qu / pa.
Real limitingRatio(Real emOverSigmaN, Real quOverPa);
/// Em / Ei against RQD, closed joints (ICOND 1, 2) or open joints (3, 4).
Real weakRockModulusRatio(Real rqd, bool openJoints);
/// Joint factor alpha_E against Em / Ei.
Real jointFactor(Real emOverEi);

} // namespace engine
