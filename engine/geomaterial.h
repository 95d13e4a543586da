#pragma once

#include <string>
#include <vector>

#include "real.h"
#include "tz.h"

namespace engine {

/// Intermediate geomaterials: weak rock (cohesive) and decomposed rock or gravel
/// (cohesionless). Units: ft, psf, pcf; moduli Ec, EL and EMOD in tsf.

inline constexpr Real kPaPsf = 2115.7f;  // atmospheric pressure of these methods

/// Running mean of the intact modulus over every weak-rock evaluation of a run.
struct ModulusMean {
    int count = 0;
    Real sum = 0;
    Real add(Real EL)
    {
        ++count;
        sum += EL;
        return sum / count;
    }
};

/// Values of a weak-rock socket at one depth.
struct WeakRockPoint {
    Real Ds = 0;       // socket diameter in use, ft
    Real qu = 0;       // psf
    Real RQD = 0;      // percent
    Real slumpIn = 0;  // in
    Real deltaDeg = 0; // interface friction angle
    int ICOND = 1;
    Real EM0 = 0;      // mean intact modulus, tsf
    Real ZD = 0, ZS = 0; // design depth and socket top, ft
    Real L = 0;        // socket length in use, ft
    Real Ec = 0;       // tsf
    Real wt = 0;       // movement, ft
};

struct WeakRockRelations {
    Real zc = 0, M = 0, sigmaN = 0, alpha = 0, fb = 0, EmEi = 0, Em = 0, alphaE = 0, fa = 0;
    Real nlim = 0, Omega = 0, Gamma = 0, nr = 0, qb = 0, s = 0, SHEAR = 0;
    std::string error; // impossible input; the values are then 0
    bool sideUndefined = false; // smooth joints without friction: nr and s have no value
};

/// The ten relations of the weak-rock socket for one movement wt.
WeakRockRelations weakRockRelations(const WeakRockPoint &p);

/// A validity warning of the weak-rock socket: the label with its value, and the text lines.
struct SocketWarning {
    std::string label;
    Real value = 0;
    std::vector<std::string> lines;
};
std::vector<SocketWarning> weakSocketWarnings(Real ZD, Real ZS, Real L, Real Ds, Real EcOverEm);
/// "ERROR MESSAGE" block of one warning, as the report and the run-time file show it.
void writeSocketWarning(class ReportWriter &out, const SocketWarning &warning);

/// Unit side resistance (psf) and base resistance (tons) of a depth step.
struct GeomaterialValues {
    Real SHEAR = 0;
    Real QBTOT = 0;
    Real Em = 0; // rock-mass modulus of a weak-rock step, tsf
    std::string error;
};

/// A weak-rock depth step: wt = 0.05 Ds; smooth joints (ICOND 2, 4) take the full fa.
GeomaterialValues weakRockStep(WeakRockPoint p);

/// Cohesionless geomaterial at a depth: effective stress sigma'v (psf), N and Ds.
struct DecomposedRelations {
    Real sigmaV = 0, OCR = 0, phi = 0, K0 = 0, fmax = 0, qmax = 0;
};
DecomposedRelations decomposedRelations(Real sigmaVPsf, Real N);

/// A layer as the effective-stress sum of decomposed rock sees it.
struct StressLayer {
    Real top = 0, bottom = 0, gammaTop = 0, gammaBottom = 0;
};
/// sigma'v of layer I (0-based): full layers above, half of layer I, less the water pressure
/// when the water table lies above the layer's middle.
Real decomposedEffectiveStress(const std::vector<StressLayer> &layers, int I, Real WTD);

GeomaterialValues decomposedStep(Real sigmaVPsf, Real N, Real Ds);

/// Weak-rock tip: column 1 of the table in output units; the heading is always due.
struct WeakSettlementInput {
    WeakRockPoint tip;      // values of the tip layer at the tip; wt and L are set here
    ModulusMean *mean = nullptr;
    Real ELtip = 0;         // interpolated intact modulus at the tip, tsf
    Real QSabove = 0;       // side resistance down to the socket top, tons
    Real QS = 0;            // the shaft's total side resistance, tons
    bool english = true;
};
struct GeomaterialSettlement {
    Real QBTOT = 0;         // tons
    std::string error;
};
GeomaterialSettlement SETWEAK(const WeakSettlementInput &input, SettlementTable &table);

struct DecoSettlementInput {
    Real sigmaV = 0, N = 0, Ds = 0; // relations at the tip; Ds below 0.001 means DSTART
    Real DSTART = 0;
    Real LS = 0;                    // socket length, ft; below 0.0001 the tip layer's bottom
    Real tipBottom = 0;
    Real EMODtop = 0, EMODbottom = 0; // tsf, 0 when not given
    Real Ntop = 0, Nbottom = 0;
    Real Ec = 0;                    // tsf
    Real QSCUM = 0;                 // side resistance to the tip, tons
    bool english = true;
};
GeomaterialSettlement SETDECO(const DecoSettlementInput &input, SettlementTable &table);

} // namespace engine
