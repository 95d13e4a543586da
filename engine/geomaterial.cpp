#include "geomaterial.h"

#include <algorithm>
#include <cmath>

#include "report.h"
#include "rock_tables.h"

namespace engine {
namespace {

constexpr Real kPi4 = 3.1416f;

} // namespace

WeakRockRelations weakRockRelations(const WeakRockPoint &p)
{
    WeakRockRelations r;
    if (!(p.Ds > 0) || !(p.L > 0) || !(p.qu > 0) || !(p.Ec > 0)) {
        r.error = "THE WEAK-ROCK SOCKET NEEDS A POSITIVE DIAMETER, LENGTH, ROCK STRENGTH AND CONCRETE MODULUS.";
        return r;
    }
    if (p.ICOND < 1 || p.ICOND > 4) {
        // No interface condition: neither side rule applies, and guessing the rough one overstates.
        r.error = "THE INTERFACE CONDITION OF A WEAK-ROCK LAYER MUST BE 1, 2, 3 OR 4.";
        return r;
    }
    const bool smooth = p.ICOND == 2 || p.ICOND == 4;
    const bool open = p.ICOND == 3 || p.ICOND == 4;
    r.zc = std::min(p.ZD - (p.ZD - p.ZS) / 2, Real(40));
    r.M = concretePressureFactor(r.zc, p.slumpIn);
    r.sigmaN = 150 * r.M * r.zc;
    r.alpha = weakRockAlpha(r.sigmaN / kPaPsf, p.qu);
    const Real phi = p.deltaDeg * Real(3.1416) / 180;
    r.fb = smooth ? r.alpha * p.qu * std::tan(phi) / std::tan(Real(0.5236)) : Real(0.5) * p.qu;
    r.EmEi = weakRockModulusRatio(p.RQD, open);
    r.Em = r.EmEi * p.EM0;
    r.alphaE = jointFactor(r.EmEi);
    r.fa = r.fb * r.alphaE;
    // Smooth joints with no interface friction carry no side stress, but their base stands.
    const bool noFriction = smooth && r.fa == 0;
    if (!(r.Em > 0) || !(r.sigmaN > 0) || !(r.fa > 0 || noFriction)) {
        r = WeakRockRelations{};
        r.error = "THE WEAK-ROCK SOCKET NEEDS A POSITIVE ROCK MODULUS, INTERFACE FRICTION AND CONCRETE PRESSURE.";
        return r;
    }
    r.nlim = smooth ? limitingRatio(r.Em * 2000 / r.sigmaN, p.qu / kPaPsf) : r.sigmaN / p.qu;
    const Real rr = p.L / p.Ds, e = p.Ec / r.Em;
    const Real sq = std::sqrt(rr), lg = std::log10(e);
    r.Omega = Real(1.14) * sq - Real(0.05) * (sq - 1) * lg - Real(0.44);
    r.Gamma = Real(0.37) * sq - Real(0.15) * (sq - 1) * lg + Real(0.13);
    if (r.Gamma == 0) {
        r = WeakRockRelations{};
        r.error = "THE WEAK-ROCK SOCKET'S LENGTH AND MODULUS RATIO GIVE NO SIDE STIFFNESS.";
        return r;
    }
    if (!noFriction)
        r.nr = (r.Em * 2000 * r.Omega) / (p.L * kPi4 * r.Gamma * r.fa) * p.wt;
    if (r.Gamma > 0) {
        const Real Emk = r.Em * 2 * Real(47.88);
        const Real Lmm = p.L * 12 * Real(25.4);
        const Real base = 200 * (sq - r.Omega) * (1 + rr) / (kPi4 * Lmm * r.Gamma);
        // A negative base (very long sockets) carries no tip load.
        if (base > 0) {
            const Real C = Real(0.0134) * Emk * rr / (rr + 1) * std::pow(base, Real(0.67));
            r.qb = C * std::pow(12 * Real(25.4) * p.wt, Real(0.67)) * Real(20.88);
            r.qb = std::min(r.qb, Real(2.5) * p.qu);
        }
    }
    if (noFriction) {
        r.sideUndefined = true;
        return r;
    }
    if (r.nr <= r.nlim)
        r.s = r.nr;
    else
        r.s = (1 - r.nlim) * (r.nr - r.nlim) / (r.nr - 2 * r.nlim + 1) + r.nlim;
    r.SHEAR = r.fa * r.s;
    return r;
}

std::vector<SocketWarning> weakSocketWarnings(Real ZD, Real ZS, Real L, Real Ds, Real EcOverEm)
{
    const std::vector<std::string> ld = {"L/D SHOULD BE GREATER THAN 2.0 AND LESS THAN 20.0"};
    std::vector<SocketWarning> w;
    if ((ZD - ZS) / Ds <= 2)
        w.push_back({"SOCKET LENGTH/SOCKET DIAMETER = ", (ZD - ZS) / Ds, ld});
    if (L / Ds > 20)
        w.push_back({"SOCKET LENGTH/SOCKET DIAMETER = ", L / Ds, ld});
    if (EcOverEm < 10 || EcOverEm > 500)
        w.push_back({"Ec/Em = ", EcOverEm, {"Ec/Em SHOULD BE GREATER THAN 10.0 AND LESS THAN 500.0"}});
    if (Ds < Real(1.64) || Ds > 5)
        w.push_back({"Diameter (FT) = ",
                     Ds,
                     {"SOCKET DIAMETER SHOULD BE GREATER THAN 0.5 m or 1.64 ft", "AND LESS THAN 1.53 m or 5 ft."}});
    return w;
}

void writeSocketWarning(ReportWriter &out, const SocketWarning &warning)
{
    out.line("                     ERROR MESSAGE                ");
    out.blanks(3).fill('-', 60).end();
    out.text(warning.label).F(warning.value, 9, 2).end();
    for (const auto &text : warning.lines)
        out.blanks(5).text(text).end();
    out.blank();
}

GeomaterialValues weakRockStep(WeakRockPoint p)
{
    GeomaterialValues v;
    p.wt = Real(0.05) * p.Ds;
    const WeakRockRelations r = weakRockRelations(p);
    if (!r.error.empty()) {
        v.error = r.error;
        return v;
    }
    v.SHEAR = (p.ICOND == 2 || p.ICOND == 4) ? r.fa : r.SHEAR;
    v.Em = r.Em;
    v.QBTOT = p.Ds * r.qb * p.Ds * Real(0.7854) / 2000;
    return v;
}

Real decomposedEffectiveStress(const std::vector<StressLayer> &layers, int I, Real WTD)
{
    Real s = 0;
    for (int i = 0; i < I; ++i)
        s += (layers[i].bottom - layers[i].top) * (layers[i].gammaTop + layers[i].gammaBottom) / 2;
    const StressLayer &L = layers[I];
    s += (L.bottom - L.top) * (L.gammaTop + L.gammaBottom) / 4;
    const Real middle = (L.top + L.bottom) / 2;
    if (WTD < middle)
        s -= (middle - WTD) * Real(62.4);
    return s;
}

DecomposedRelations decomposedRelations(Real sigmaV, Real N)
{
    DecomposedRelations r;
    r.sigmaV = sigmaV;
    // Thick rock above carries no unit weight: no effective stress, no resistance.
    if (!(sigmaV > 0))
        return r;
    N = std::max(N, Real(0));
    r.OCR = Real(0.2) * N * kPaPsf / sigmaV;
    r.phi = std::atan(std::pow(N / (Real(12.2) + Real(20.3) * sigmaV / kPaPsf), Real(0.34)));
    const Real sinPhi = std::sin(r.phi);
    r.K0 = (1 - sinPhi) * std::pow(r.OCR, sinPhi);
    r.fmax = sigmaV * r.K0 * std::tan(Real(0.75) * r.phi);
    r.qmax = Real(2.1459) * sigmaV * std::pow(r.OCR, Real(0.8));
    return r;
}

GeomaterialValues decomposedStep(Real sigmaV, Real N, Real Ds)
{
    const DecomposedRelations r = decomposedRelations(sigmaV, N);
    GeomaterialValues v;
    v.SHEAR = r.fmax;
    v.QBTOT = r.qmax * kPi4 * Ds * Ds / 4 / 2000;
    return v;
}

GeomaterialSettlement SETWEAK(const WeakSettlementInput &in, SettlementTable &table)
{
    GeomaterialSettlement out;
    auto &Q = table.QTOP;
    auto &W = table.WTOP;
    for (int k = 0; k < 15; ++k)
        W[k][1] = 0;
    WeakRockPoint p = in.tip;
    const Real ZT = p.ZS;
    p.L = p.ZD - p.ZS;
    for (int k = 0; k < 15; ++k) {
        p.wt = p.Ds * weakRockLevel(k + 1);
        W[k][0] = p.wt;
        if (in.mean)
            p.EM0 = in.mean->add(in.ELtip);
        const WeakRockRelations r = weakRockRelations(p);
        if (!r.error.empty() || r.sideUndefined) {
            out.error = r.error.empty()
                            ? "THE WEAK-ROCK SOCKET NEEDS A POSITIVE INTERFACE FRICTION ANGLE FOR ITS LOAD-SETTLEMENT CURVE."
                            : r.error;
            for (int j = 0; j < 15; ++j)
                Q[j][0] = W[j][0] = 0;
            return out;
        }
        Real QSW = in.QSabove * 2000 + kPi4 * p.Ds * p.L * r.fa * r.s;
        QSW = std::min(QSW, in.QS * 2000);
        const Real QBW = kPi4 * p.Ds * p.Ds * r.qb / 4;
        Q[k][0] = (QSW + QBW) / 2000;
        out.QBTOT = p.Ds * p.Ds * r.qb * Real(0.7854) / 2000;
    }
    for (int k = 0; k < 15; ++k) {
        if (!(W[k][0] > 0))
            continue;
        // Elastic shortening of the shaft above the socket, inches.
        const Real DE = (Q[k][0] * 2000 * ZT * 12 / (p.Ec * 2000 / 144)) / (p.Ds * p.Ds * Real(0.7854) * 144);
        if (in.english) {
            W[k][0] = W[k][0] * 12 + DE;
        } else {
            W[k][0] = W[k][0] / Real(3.2808) + DE * Real(0.0254);
            Q[k][0] *= Real(8.896);
        }
    }
    return out;
}

GeomaterialSettlement SETDECO(const DecoSettlementInput &in, SettlementTable &table)
{
    GeomaterialSettlement out;
    auto &Q = table.QTOP;
    auto &W = table.WTOP;
    for (int k = 0; k < 15; ++k)
        W[k][0] = W[k][1] = 0;
    const DecomposedRelations rel = decomposedRelations(in.sigmaV, in.N);
    const Real Ds = in.Ds < Real(0.001) ? in.DSTART : in.Ds;
    const Real LS = in.LS < Real(0.0001) ? in.tipBottom : in.LS;
    const Real r = LS / Ds;
    Real Eb, rho;
    if (in.EMODbottom > Real(0.001)) {
        Eb = in.EMODbottom * 2000;
        rho = ((in.EMODtop + in.EMODbottom) / 2) / in.EMODbottom;
    } else {
        Eb = Real(46545.4) * std::pow(std::max(in.N, Real(0)), Real(0.82));
        rho = in.Nbottom > 0 ? in.Ntop / in.Nbottom : Real(0);
    }
    const Real nu = 0.4f;
    const Real lambda = Eb > 0 ? in.Ec * Real(2.6) * 2000 / Eb : Real(0);
    const Real A = (((1 - nu) * rho * Real(2.5) - Real(0.25)) * Real(2.5) + Real(0.25)) * 2 * r;
    if (!(Ds > 0) || !(r > 0) || !(lambda > 0) || !(A > 1)) {
        out.error = "THE DECOMPOSED-ROCK SOCKET NEEDS A POSITIVE DIAMETER, LENGTH, BLOW COUNT OR MODULUS AND "
                    "CONCRETE MODULUS.";
        return out;
    }
    const Real zeta = std::log(A);
    const Real muL = std::sqrt(2 / zeta / lambda) * 2 * r;
    const Real T = std::tanh(muL);
    const Real K = 4 * (1 + nu) * (1 + 8 * T * r / (Real(2.5) * (1 - nu) * kPi4 * lambda * muL)) /
                   (16 / (1 - nu) + Real(12.5664) * rho * T * r / (zeta * muL));
    const Real QS2 = in.QSCUM * 2000;
    const Real denominator = 1 - K / ((1 + nu) * (1 - nu) * Real(2.5) * std::cosh(muL));
    if (!std::isfinite(K) || denominator == 0 || !std::isfinite(denominator)) {
        out.error = "THE DECOMPOSED-ROCK SOCKET'S STIFFNESS CANNOT BE COMPUTED FROM ITS LENGTH AND MODULI.";
        return out;
    }
    const Real PUL = QS2 / denominator;
    const Real WUL = K * PUL / Eb / Ds;
    for (int i = 1; i <= 10; ++i) {
        W[i - 1][0] = WUL * i / 10;
        Q[i - 1][0] = PUL * i / 10 / 2000;
    }
    const Real QULT = rel.qmax * kPi4 * Ds * Ds / 4 + QS2;
    out.QBTOT = rel.qmax * kPi4 * Ds * Ds / 4 / 2000;
    const Real DW = (1 - nu) * (1 + nu) * (QULT - PUL) / Ds / (Eb * Real(0.4));
    for (int i = 11; i <= 14; ++i) {
        W[i - 1][0] = WUL + DW * (i - 10) / 4;
        Q[i - 1][0] = (PUL + (QULT - PUL) * (i - 10) / 4) / 2000;
    }
    W[14][0] = Real(1.2) * (WUL + DW);
    Q[14][0] = Q[13][0];
    for (int k = 0; k < 15; ++k) {
        if (!(W[k][0] > 0))
            continue;
        if (in.english) {
            W[k][0] *= 12;
        } else {
            W[k][0] /= Real(3.2808);
            Q[k][0] *= Real(8.896);
        }
    }
    return out;
}

} // namespace engine
