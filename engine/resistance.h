#pragma once

#include <vector>

#include <string>

#include "geomaterial.h"
#include "profile.h"
#include "real.h"

namespace engine {

/// Friction angle of sand, degrees, from the blow count and the effective overburden (psf):
/// three curves for 0, 20 and 40 psi, blended linearly in between. N below 0 counts as 0;
/// beyond the curves the angle is 45.
Real PHIFROMN(Real N, Real sigvPsf);

/// Bearing factor Nc of clay from the embedment ratio L / DB and cu (psf).
Real computedNc(Real L, Real DB, Real cuPsf);

/// The messages a depth step asks for; the caller writes them.
enum class StepMessage {
    MissingUnitWeight,  // run-time file
    MissingSandStrength, // run-time file
    GravelBlowCount,    // report and run-time file
    ClayFromBlowCount,  // report
    SandBlowsOver50,    // report, with the blow count
    WeakSocketWarning,  // report and run-time file: label text, value and lines
    GeomaterialError,   // report and run-time file: text
};
struct StepNote {
    StepNote(StepMessage k, Real v = 0, std::string t = {}, std::vector<std::string> l = {})
        : kind(k), value(v), text(std::move(t)), lines(std::move(l))
    {
    }
    StepMessage kind;
    Real value = 0;
    std::string text;
    std::vector<std::string> lines;
};

/// Per-diameter state the depth walk carries from step to step.
struct WalkState {
    Real D = 0, DRATIO = 1, DB = 0;
    Real Ab = 0;           // base area, ft²; a strong-rock step replaces it by the socket's
    int zone = 0;          // averaging zone n, ft
    int rockFlag = 1;      // 0 from the first strong-rock step on
    Real SIGV = 0;         // effective vertical stress, psf; never falls from step to step
    Real ZSIDE = 0;        // lower end of the side zone at the latest step, ft
    Real QS = 0, QSLRFD = 0;
};

/// Rock values that the depth walk leaves for the settlement methods and the closing note.
struct RunRock {
    Real lastRockPsi = 0;  // qu / 144 of the last strong-rock step
    Real weakFirstQS = 0;  // QS after the diameter's first weak-rock step that adds side resistance
    ModulusMean weakModulus; // intact modulus over the weak-rock evaluations since the last clear
    bool impossibleInput = false;           // a rock method could not compute: the run's result says so
    std::vector<std::string> errorsReported; // each such error is written once
};

struct StepResult {
    Real f = 0;      // unit side resistance, tsf
    Real QB = 0;     // base resistance of the step after caps and uplift, tons
    std::vector<StepNote> notes;
};

/// What the base routines read of one step: its layer, depths and interpolated values.
struct BaseStep {
    const Profile *profile;
    const Layer *layer;
    Real FK, ZSIDE, L;
    Real cu, blows;   // psf, blows per foot
    Real phiDeg;      // friction angle of the step (given or from PHIFROMN)
    Real rockQu;      // lesser of rock and concrete strength, psf
};

/// Clay and clay shale: cu Nc with the large-base reduction; clay at most 40 tsf.
Real CLAYBASE(const BaseStep &step, const WalkState &walk);
/// Strong rock: 3 Ksp qu on the socket; replaces Ab, the zone length and clears the rock flag.
Real ROCKBASE(const BaseStep &step, WalkState &walk);
/// Sand, gravelly sand and gravel: by friction angle when the layer's bottom PHI is given,
/// else by blow count (at most 30 tsf, with a warning above N 50).
Real SANDBASE(const BaseStep &step, const WalkState &walk, std::vector<StepNote> &notes);

/// One one-foot step of the depth walk in layer li: FK below the layer top, lower end of the
/// side zone at ZSIDE, tip at L. Updates SIGV, QS, QS LRFD, Ab, the zone and the rock flag.
/// DGH may be changed (design control 1 before a geomaterial routine).
StepResult evaluateStep(Profile &profile, int li, Real FK, Real ZSIDE, Real L, WalkState &walk, RunRock &rock);

} // namespace engine
