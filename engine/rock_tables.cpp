#include "rock_tables.h"

#include <cmath>

namespace engine {
namespace {

// Linear inside the interval that the first abscissa strictly greater than at ends.
Real readFirstGreater(const double *x, const double *y, std::size_t n, Real at)
{
    if (at <= x[0])
        return static_cast<Real>(y[0]);
    for (std::size_t i = 1; i < n; ++i)
        if (x[i] > at)
            return static_cast<Real>(y[i - 1] + (at - x[i - 1]) * (y[i] - y[i - 1]) / (x[i] - x[i - 1]));
    return static_cast<Real>(y[n - 1]);
}

constexpr double kRqd[] = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95, 100};
constexpr double kEmOverEl[] = {0.1, 0.105, 0.11, 0.12, 0.13, 0.14, 0.17, 0.2, 0.47, 0.73, 0.85, 1.0};

constexpr double kLd[] = {0, 1, 2, 4, 5, 6, 8, 10, 12, 20};
constexpr double kInfluence[4][10] = {
    {1.1, 0.5, 0.44, 0.395, 0.385, 0.375, 0.373, 0.37, 0.367, 0.365},
    {1.1, 0.45, 0.35, 0.28, 0.26, 0.24, 0.23, 0.215, 0.205, 0.2},
    {1.1, 0.43, 0.34, 0.255, 0.235, 0.21, 0.19, 0.18, 0.16, 0.155},
    {1.1, 0.4, 0.33, 0.23, 0.21, 0.19, 0.16, 0.13, 0.11, 0.085},
};

constexpr double kSideGrid[] = {0,     0.001, 0.002, 0.003, 0.004, 0.005, 0.006, 0.007, 0.008, 0.009, 0.010,
                                 0.011, 0.012, 0.013, 0.014, 0.015, 0.016, 0.017, 0.018, 0.019, 0.020};
constexpr double kSide[4][21] = {
    // sand lower, sand upper, clay lower, clay upper
    {0, 0.22, 0.4, 0.54, 0.67, 0.74, 0.82, 0.87, 0.9, 0.92, 0.93, 0.93, 0.93, 0.93, 0.92, 0.92, 0.92, 0.91, 0.91,
     0.9, 0.9},
    {0, 0.45, 0.76, 0.9, 0.95, 0.98, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
    {0, 0.29, 0.52, 0.7, 0.78, 0.84, 0.87, 0.89, 0.89, 0.88, 0.87, 0.86, 0.85, 0.84, 0.83, 0.82, 0.8, 0.78, 0.77,
     0.76, 0.75},
    {0, 0.74, 0.92, 0.97, 1, 1.01, 1.02, 1.02, 1.02, 1.01, 1.01, 1, 1, 0.99, 0.98, 0.97, 0.96, 0.95, 0.94, 0.93,
     0.92},
};

constexpr double kAlphaCurves[] = {1, 2, 3, 4, 5, 6, 7};
constexpr double kAlphaQu[] = {10415, 20830, 41660, 62490, 83320, 104150};
constexpr double kAlpha[] = {0.2,  0.145, 0.107, 0.085, 0.07,  0.066, 0.34, 0.235, 0.16, 0.14, 0.118, 0.1,
                             0.45, 0.3,   0.208, 0.16,  0.14,  0.122, 0.5,  0.36,  0.245, 0.185, 0.155, 0.14,
                             0.5,  0.4,   0.26,  0.21,  0.16,  0.15,  0.5,  0.44,  0.275, 0.22, 0.168, 0.153,
                             0.5,  0.47,  0.29,  0.225, 0.172, 0.156};

constexpr double kZc[] = {0, 13.12, 26.25, 39.37};
constexpr double kSlump[] = {5, 6.89, 8.86};
constexpr double kM[] = {1, 1, 1, 0.52, 0.96, 1, 0.47, 0.75, 1, 0.35, 0.65, 0.9};

constexpr double kEmOverSigma[] = {400, 500, 600, 1000, 1500, 2000, 3000, 4000};
constexpr double kQuOverPa[] = {5, 14, 24, 28, 36, 48};
constexpr double kN[] = {0.5,  0.5,  0.472, 0.458, 0.43,  0.4,  0.5,   0.48,  0.42, 0.4,  0.36,  0.3,
                         0.5,  0.45, 0.375, 0.345, 0.29,  0.21, 0.46,  0.38,  0.29, 0.26, 0.18,  0.08,
                         0.42, 0.35, 0.255, 0.22,  0.15,  0.05, 0.405, 0.375, 0.145, 0.11, 0.04, 0.018,
                         0.4,  0.24, 0.075, 0,     0,     0,    0.4,   0.22,  0,     0,    0,     0};

constexpr double kWeakRqd[] = {20, 50, 70, 100};
constexpr double kClosedJoints[] = {0.05, 0.15, 0.7, 1.0};
constexpr double kOpenJoints[] = {0.05, 0.1, 0.3, 0.6};
constexpr double kEmOverEi[] = {0.02, 0.05, 0.1, 0.3, 0.5, 1.0};
constexpr double kAlphaE[] = {0.3, 0.45, 0.55, 0.7, 0.8, 1.0};

template <std::size_t N> constexpr std::size_t count(const double (&)[N]) { return N; }

} // namespace

Real strongRockModulusRatio(Real rqd)
{
    if (rqd >= 100)
        return 1;
    return readFirstGreater(kRqd, kEmOverEl, count(kRqd), rqd);
}

Real influenceCurve(int curve, Real LD)
{
    return readFirstGreater(kLd, kInfluence[curve], count(kLd), LD);
}

Real influenceFactor(Real LD, Real ECEM)
{
    const Real i10 = influenceCurve(0, LD), i50 = influenceCurve(1, LD);
    const Real i100 = influenceCurve(2, LD), i5000 = influenceCurve(3, LD);
    if (ECEM < 10)
        return LD >= 20 ? Real(0.385) : i10;
    if (ECEM < 50)
        return i10 - (ECEM - 10) * (i10 - i50) / 40;
    if (ECEM < 100)
        return i50 - (ECEM - 50) * (i50 - i100) / 50;
    if (ECEM < 5000)
        return i100 - (ECEM - 100) * (i100 - i5000) / 4900;
    return i5000;
}

bool sideTransferFraction(int type, int bound, Real wOverD, Real &fraction)
{
    int row;
    if (type == 1)
        row = bound == 1 ? 0 : 1;
    else if (type == 2 || type == 3)
        row = bound == 1 ? 2 : 3;
    else
        return false;
    fraction = readFirstGreater(kSideGrid, kSide[row], count(kSideGrid), wOverD);
    return true;
}

Real strongRockLevel(int k)
{
    if (k <= 12)
        return static_cast<Real>(0.00018 * std::pow(1.5, k - 1));
    return k == 13 ? Real(0.025) : k == 14 ? Real(0.05) : Real(0.1);
}

Real weakRockLevel(int k)
{
    if (k <= 12)
        return static_cast<Real>(0.00009 * std::pow(1.5, k - 1));
    return k == 13 ? Real(0.0125) : k == 14 ? Real(0.025) : Real(0.05);
}

Real readClamped(const double *x, const double *y, std::size_t n, Real at)
{
    if (at <= x[0])
        return static_cast<Real>(y[0]);
    if (at >= x[n - 1])
        return static_cast<Real>(y[n - 1]);
    for (std::size_t i = 1; i < n; ++i)
        if (at <= x[i])
            return static_cast<Real>(y[i - 1] + (at - x[i - 1]) * (y[i] - y[i - 1]) / (x[i] - x[i - 1]));
    return static_cast<Real>(y[n - 1]);
}

Real readChart(const Chart &c, Real curveArgument, Real pointArgument)
{
    auto curveAt = [&](std::size_t i) {
        return readClamped(c.points, c.values + i * c.pointCount, c.pointCount, pointArgument);
    };
    if (curveArgument <= c.curves[0])
        return curveAt(0);
    if (curveArgument >= c.curves[c.curveCount - 1])
        return curveAt(c.curveCount - 1);
    std::size_t upper = 1;
    while (upper < c.curveCount - 1 && c.curves[upper] < curveArgument)
        ++upper;
    const Real lo = curveAt(upper - 1), hi = curveAt(upper);
    const double t = (curveArgument - c.curves[upper - 1]) / (c.curves[upper] - c.curves[upper - 1]);
    return static_cast<Real>(lo + t * (hi - lo));
}

Real weakRockAlpha(Real sigmaNOverPa, Real quPsf)
{
    return readChart({kAlphaCurves, count(kAlphaCurves), kAlphaQu, count(kAlphaQu), kAlpha}, sigmaNOverPa, quPsf);
}

Real concretePressureFactor(Real zcFt, Real slumpIn)
{
    return readChart({kZc, count(kZc), kSlump, count(kSlump), kM}, zcFt, slumpIn);
}

Real limitingRatio(Real emOverSigmaN, Real quOverPa)
{
    return readChart({kEmOverSigma, count(kEmOverSigma), kQuOverPa, count(kQuOverPa), kN}, emOverSigmaN, quOverPa);
}

Real weakRockModulusRatio(Real rqd, bool openJoints)
{
    return readClamped(kWeakRqd, openJoints ? kOpenJoints : kClosedJoints, count(kWeakRqd), rqd);
}

Real jointFactor(Real emOverEi)
{
    return readClamped(kEmOverEi, kAlphaE, count(kEmOverEi), emOverEi);
}

} // namespace engine
