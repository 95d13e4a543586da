#include "resistance.h"

#include <cmath>
#include <iterator>

#include "rocksettle.h"

namespace engine {
namespace {

constexpr Real kDegPerRad = 57.29578f;

struct Curve {
    const Real *n;
    const Real *phi;
    int size;
};

constexpr Real kNB[] = {0, 2, 4, 6, 10, 15, 20};
constexpr Real kPhiB[] = {0, 32, 34, 36, 38, 42, 45};
constexpr Real kNA[] = {6, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55};
constexpr Real kPhiA[] = {30, 32, 34, 36, 37, 39, 40, 41, 42, 44, 45};
constexpr Real kNC[] = {10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90};
constexpr Real kPhiC[] = {31, 32, 34, 35, 36, 36, 37, 38, 39, 39, 40, 41, 42, 42, 43, 44, 44};

constexpr Curve kB{kNB, kPhiB, static_cast<int>(std::size(kNB))};
constexpr Curve kA{kNA, kPhiA, static_cast<int>(std::size(kNA))};
constexpr Curve kC{kNC, kPhiC, static_cast<int>(std::size(kNC))};

Real at(const Curve &c, Real N)
{
    if (N <= c.n[0])
        return c.phi[0];
    for (int i = 1; i < c.size; ++i)
        if (N <= c.n[i])
            return c.phi[i - 1] + (c.phi[i] - c.phi[i - 1]) * (N - c.n[i - 1]) / (c.n[i] - c.n[i - 1]);
    return c.phi[c.size - 1];
}

// Below both end values of the layer (an interpolation gone past the layer) the top value.
Real withinLayer(const Real (&v)[2], const Layer &L, Real FK)
{
    const Real x = interpolate(v, L, FK);
    return (x < v[TOP] && x < v[BOTTOM]) ? v[TOP] : x;
}

// A side or base limit at FK, held within the layer. Worked in double: next to "no limit"
// (1E10) single precision would shift a limit given at the other end by up to 1024 psf.
Real limitAt(const Real (&v)[2], const Layer &L, Real FK)
{
    const double thickness = static_cast<double>(L.DEPTH) - L.TOP;
    if (!(thickness > 0))
        return v[TOP];
    const double at = std::fmin(std::fmax(static_cast<double>(FK), 0.0), thickness);
    return static_cast<Real>(v[TOP] + (static_cast<double>(v[BOTTOM]) - v[TOP]) * at / thickness);
}

} // namespace

Real PHIFROMN(Real N, Real sigvPsf)
{
    if (N < 0)
        N = 0;
    const Real s = sigvPsf / 144;
    if (s <= 20) {
        if (N < 6)
            return at(kB, N) - (s / 20) * (at(kB, N) - 30);
        if (N <= 20)
            return at(kB, N) - (at(kB, N) - at(kA, N)) * s / 20;
        if (N <= 55)
            return at(kA, N) + (20 - s) * (45 - at(kA, N)) / 20;
        return 45;
    }
    if (s < 40) {
        if (N <= 6)
            return 30 * N / 6;
        if (N < 10)
            return 30 + (N - 6) * 2 / 4;
        if (N <= 55)
            return at(kA, N) - (s - 20) * (at(kA, N) - at(kC, N)) / 20;
        if (N <= 90)
            return at(kC, N) + (40 - s) * (45 - at(kC, N)) / 20;
        return 45;
    }
    if (N <= 10)
        return 30 * N / 10;
    if (N <= 90)
        return at(kC, N);
    return 45;
}

Real CLAYBASE(const BaseStep &b, const WalkState &w)
{
    const Layer &layer = *b.layer;
    Real nc = interpolate(layer.NC, layer, b.FK);
    if (!(nc > 1e-9f))
        nc = computedNc(b.L, w.DB, b.cu);
    Real cuTsf = b.cu / 2000;
    if (!(layer.CU[TOP] > 1e-5f) && !(layer.CU[BOTTOM] > 1e-5f))
        cuTsf = b.blows / 10;
    // Reduction for bases over 75 in.
    Real Fr = 1;
    if (w.DB > 6.25f) {
        Real bf = 0.45f * std::sqrt(2 * cuTsf);
        bf = bf < 0.5f ? 0.5f : (bf > 1.5f ? 1.5f : bf);
        Real a = 0.0071f + 0.0021f * b.ZSIDE / w.DB;
        if (a > 0.015f)
            a = 0.015f;
        Fr = 2.5f / (12 * w.DB * a + 2.5f * bf);
        if (Fr > 1)
            Fr = 1;
    }
    Real qmax = cuTsf * nc;
    if (layer.TYPE == 2 && qmax > 40)
        qmax = 40;
    return w.Ab * qmax * Fr;
}

Real ROCKBASE(const BaseStep &b, WalkState &w)
{
    const Layer &layer = *b.layer;
    const Real td = interpolate(layer.DISCT, layer, b.FK);
    const Real s = withinLayer(layer.CS, layer, b.FK);
    const Real qu = withinLayer(layer.QUR, layer, b.FK);
    Real Ds = w.DRATIO * withinLayer(layer.BDS, layer, b.FK);
    if (Ds < 0.001f)
        Ds = w.D; // no socket diameter given: the stem's
    // Canadian Foundation Engineering Manual: Ksp from spacing and aperture of joints.
    const Real Ksp = s > 0 ? (3 + s / Ds) / (10 * std::sqrt(1 + 300 * td / s)) : 0;
    Real QB = 3 * Ksp * (qu / 2000) * 0.7854f * Ds * Ds;
    w.Ab = 0.7854f * Ds * Ds;
    if (layer.TYPE == 4 && !(b.rockQu > 144000))
        QB = 0;
    w.rockFlag = 0;
    w.zone = static_cast<int>(2 * Ds);
    return QB;
}

Real SANDBASE(const BaseStep &b, const WalkState &w, std::vector<StepNote> &notes)
{
    const Real DB = w.DB;
    bool reduceLargeBase = true;
    Real QB = 0;
    if (b.layer->PHI[BOTTOM] > 1e-5f) {
        const Real phi = b.phiDeg;
        if (phi <= 30) {
            QB = 1e-5f;
            reduceLargeBase = false;
        } else {
            Real qb = 40;
            if (phi <= 36)
                qb = 2.667f * (phi - 30);
            else if (phi <= 41)
                qb = 16 + 4.8f * (phi - 36);
            QB = w.Ab * qb;
        }
    } else {
        if (b.blows > 50)
            notes.push_back({StepMessage::SandBlowsOver50, b.blows});
        Real qb = b.blows >= 50 ? 30 : 0.6f * b.blows;
        if (qb > 30)
            qb = 30;
        QB = w.Ab * qb;
    }
    // Reductions for large bases and shallow tips.
    const int sandTip = b.profile->run.ISANDTIP;
    if (sandTip == 1 && DB > 4.17f && reduceLargeBase)
        QB = QB * 50 / (12 * DB);
    if (sandTip == 1 && b.ZSIDE < 10 * DB)
        QB = QB * b.ZSIDE / (10 * DB);
    return QB;
}

Real computedNc(Real L, Real DB, Real cu)
{
    Real nc = 9;
    if (cu <= 500)
        nc = 6.5f;
    else if (cu <= 1000)
        nc = 6.5f + 1.5f * (cu - 500) / 500;
    else if (cu <= 2000)
        nc = 8 + (cu - 1000) / 1000;
    const Real r = L / DB;
    if (r < 3)
        nc = nc * 0.6666667f * (1 + r / 6);
    return nc;
}

StepResult evaluateStep(Profile &pr, int li, Real FK, Real ZSIDE, Real L, WalkState &w, RunRock &rock)
{
    StepResult r;
    const Layer &layer = pr.layers[li];
    const ProjectInput &run = pr.run;
    const int type = layer.TYPE;
    const bool uplift = run.ILOAD == 2;

    const Real blows = interpolate(layer.BLOWS, layer, FK);
    // A step below a fractional TOPLENG may end past the layer bottom. The limits are not
    // extrapolated there: between "no limit" (1E10) and a value that would give a huge negative
    // limit, which reads as a fixed unit base resistance.
    const Real tranlm = limitAt(layer.TRANLM, layer, FK) / 2000;
    const Real qblim = limitAt(layer.QBLIM, layer, FK) / 2000;
    const Real phiIn = interpolate(layer.PHI, layer, FK);
    Real phi = phiIn / kDegPerRad;
    const Real cu = interpolate(layer.CU, layer, FK);
    const Real gamma = interpolate(layer.GAMMA, layer, FK);

    if ((type == 1 || type == 2 || type == 3 || type == 5) && gamma < 50)
        r.notes.push_back({StepMessage::MissingUnitWeight});
    if (type == 1 && blows < 0.001f && phiIn < 0.001f)
        r.notes.push_back({StepMessage::MissingSandStrength});

    // Coefficient of the step.
    Real coef = 0;
    const bool topGiven = layer.COEF[TOP] > 1e-5f, bottomGiven = layer.COEF[BOTTOM] > 1e-5f;
    if (topGiven && bottomGiven)
        coef = interpolate(layer.COEF, layer, FK);
    if (layer.coefComputed) {
        coef = stepCoefficient(layer, coef, ZSIDE, blows);
        if ((type == 8 || type == 9) && blows <= 25)
            r.notes.push_back({StepMessage::GravelBlowCount});
    }

    // Rock term: 0.15 qu in soft rock, 2.5 sqrt(qu) (psi) above 280 psi.
    Real COH = cu;
    Real socketDiameter = 0;
    Real rockQu = 0;
    if (type >= 4 && type <= 7) {
        phi = 0;
        Real qu = withinLayer(layer.QUR, layer, FK);
        const Real qc = withinLayer(layer.QUCON, layer, FK);
        if (qc < qu)
            qu = qc;
        rockQu = qu;
        socketDiameter = w.DRATIO * interpolate(layer.BDS, layer, FK);
        if (qu > 40320) {
            COH = 144 * std::sqrt(qu / 144);
            coef = 2.5f;
        } else {
            COH = qu;
            coef = 0.15f;
        }
        if (type == 4 && !uplift && qu > 144000)
            COH = 0;
        rock.lastRockPsi = qu / 144;
    }

    // Effective stress one foot further down, and at the middle of the step. Rock carries no
    // unit weight: below the water table its steps would take 62.4 psf a foot away, and the
    // soil beneath would see a falling, even negative, stress. A step adds nothing instead.
    const bool submerged = ZSIDE > run.WTD;
    const Real effectiveWeight = submerged ? gamma - kWaterPcf : gamma;
    const Real added = effectiveWeight > 0 ? effectiveWeight : 0;
    w.SIGV += added;
    w.ZSIDE = ZSIDE;
    const Real sigmaMid = w.SIGV - 0.5f * added;

    Real SHEAR = std::tan(phi) * w.SIGV + COH;
    Real geoBase = 0;
    if (type == 5 || type == 6) {
        if (run.IDESIGN == 1)
            pr.run.DGH = (layer.TOP + layer.DEPTH) / 2 + run.TOPLENG;
        const GeomaterialStep g =
            type == 5 ? DECOSIDE(pr, li, FK, ZSIDE, w) : WEAKSIDE(pr, li, FK, w, rock, r.notes);
        SHEAR = g.SHEAR;
        geoBase = g.QBTOT;
    }
    Real phiDeg = phiIn;
    if (type == 1 && phiIn < 1e-5f) {
        phiDeg = PHIFROMN(blows, w.SIGV);
        phi = phiDeg / kDegPerRad;
        SHEAR = std::tan(phi) * w.SIGV + COH;
    }
    if (type == 2 && COH < 1e-5f) {
        SHEAR = blows * 0.1f * 2000;
        r.notes.push_back({StepMessage::ClayFromBlowCount});
    }
    if (type == 3 && COH < 1e-5f)
        SHEAR = blows * 2000 / 53;

    if (coef > 0) {
        if (uplift) {
            SHEAR *= run.UPRED;
            if (run.RATIO > 1)
                SHEAR *= run.RATIO;
        }
        Real f = 0;
        if ((type == 1 && layer.ISAND > 1) || type == 8 || type == 9) {
            f = sigmaMid / 2000 * coef;
            if (uplift)
                f *= run.UPRED;
            if (type != 9 && f > 2.1f)
                f = 2.1f;
        } else {
            f = SHEAR * coef / 2000;
        }
        if (type == 5 || type == 6)
            f = SHEAR / 2000;
        if (tranlm > 0.0001f && f > tranlm)
            f = tranlm;
        Real perimeter = kPi * w.D;
        if (type >= 4 && type <= 7 && kPi * socketDiameter >= 0.001f)
            perimeter = kPi * socketDiameter;
        w.QS += perimeter * f;
        w.QSLRFD += perimeter * f * layer.RFSIDE;
        if (type == 6 && rock.weakFirstQS < 1e-5f)
            rock.weakFirstQS = w.QS;
        r.f = f;
    }
    if (w.QS < 1e-10f)
        w.QS = 1e-10f;

    // Base resistance of a tip at L with the properties of this step.
    const BaseStep b{&pr, &layer, FK, ZSIDE, L, cu, blows, phiDeg, rockQu};
    Real QB = 0;
    switch (type) {
    case 2:
    case 3:
        QB = CLAYBASE(b, w);
        break;
    case 4:
    case 7:
        QB = ROCKBASE(b, w);
        break;
    case 5:
    case 6:
        QB = geoBase;
        break;
    default: // 1, 8, 9
        QB = SANDBASE(b, w, r.notes);
        break;
    }
    if (qblim < -1e-6f)
        QB = std::fabs(qblim) * w.Ab;
    if (qblim < QB / w.Ab)
        QB = std::fabs(qblim) * w.Ab;
    if (uplift)
        QB = 0;
    r.QB = QB;
    return r;
}

} // namespace engine
