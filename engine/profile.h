#pragma once

#include <vector>

#include "project_input.h"
#include "real.h"
#include "report.h"

namespace engine {

// Fixed conversion factors: an SI input times the factor gives the internal unit.
inline constexpr Real kFtPerM = 3.2808f;
inline constexpr Real kTonPerKN = 0.1124f;
inline constexpr Real kCuYdPerCuM = 1.3078f;
inline constexpr Real kPsfPerKPa = 20.885f;
inline constexpr Real kPcfPerKNm3 = 6.3659f;
inline constexpr Real kPi = 3.142f;          // shaft geometry
inline constexpr Real kWaterPcf = 62.4f;
inline constexpr Real kAtmPsf = 2116.8f;

/// One layer in internal units (ft, psf, pcf; moduli in tsf).
struct Layer : LayerInput {
    Real TOP = 0;             // rounded bottom of the layer above; 0 for the first
    bool coefComputed = false;
};

/// The profile and run options after normalisation; `input` keeps the project as read.
struct Profile {
    ProjectInput input;
    ProjectInput run;         // header values in internal units (its layers are unused)
    std::vector<Layer> layers;
    bool ncComputed = false;
    bool si() const { return input.IUNIT == 2; }
    /// "SI" for SI input, "EN" for English (any IUNIT other than 2).
    const char *unitTag() const { return si() ? "SI" : "EN"; }
};

/// Normalises in the fixed order: straight-shaft RATIO, DIALIM, SI conversion of lengths,
/// loads, unit weights and strengths, moduli to tsf, default side coefficients, default Nc.
/// QUR, QUCON, CS, DISCT and BDS stay in input units; convertRockAfterEcho finishes them.
Profile normaliseProfile(const ProjectInput &input);
void convertRockAfterEcho(Profile &profile);

/// Default side coefficient of a layer at depth z ft: alpha from cu (psf) for clay and
/// shale, beta or K (0.25 to 1.2) for the others, the gravel relations for types 8 and 9.
Real defaultCoefficient(const Layer &layer, Real zFt, Real cuPsf, Real blows);
/// Recomputed coefficient of a flagged layer at a depth step: the 0.25 to 1.2 limit first,
/// then the gravelly sand and gravel relations.
Real stepCoefficient(const Layer &layer, Real interpolated, Real zFt, Real blows);

/// vt + (vb - vt) * FK / (Zb - Zt); a layer of no thickness gives vt.
Real interpolate(const Real (&v)[2], const Layer &layer, Real FK);

/// Truncate and add 1 when the dropped fraction is 0.5 or more.
Real roundHalfUp(Real value);
/// Nearest whole number, half away from zero.
int nint(Real value);

/// Every layer bottom below TOPLENG rounded to a whole foot, layer tops refreshed.
void roundLayerBottoms(Profile &profile);

/// Overburden at depth TOPLENG, psf: the unit weight integrated over the layers above,
/// less the water pressure when the water table lies above; never below 0.
Real initialSIGV(const Profile &profile);

/// The FACTOR OF SAFETY lines (factors of safety only) and the SOIL INFORMATION echo.
void writeSafetyFactors(ReportWriter &out, const Profile &profile);
void writeSoilEcho(ReportWriter &out, const Profile &profile);

} // namespace engine
