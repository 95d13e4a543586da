#pragma once

#include <vector>

#include "real.h"
#include "report.h"
#include "resistance.h"
#include "tz.h"

namespace engine {

struct Profile;
struct Shaft;
struct DepthWalk;
struct CapacityRow;

/// Shear term (psf) and base resistance (tons) of one depth step in decomposed or weak rock.
struct GeomaterialStep {
    Real SHEAR = 0;
    Real QBTOT = 0;
};

/// A depth step of decomposed rock or gravel (type 5) in layer li, FK below its top, the side
/// zone ending at ZSIDE.
GeomaterialStep DECOSIDE(const Profile &profile, int li, Real FK, Real ZSIDE, const WalkState &walk);

/// A depth step of weak rock (type 6). Adds the step's intact modulus to the run's mean; the
/// socket's validity warnings, and an error for impossible input, join the step's notes.
GeomaterialStep WEAKSIDE(const Profile &profile, int li, Real FK, const WalkState &walk, RunRock &rock,
                         std::vector<StepNote> &notes);

/// The final shaft of one trial diameter as the rock-socket methods see it.
struct RockContext {
    Profile *profile = nullptr;
    Shaft *shaft = nullptr;  // SETROCK makes the socket diameter the base diameter
    const DepthWalk *walk = nullptr;
    const CapacityRow *last = nullptr;
    RunRock *rock = nullptr;
};

/// The settlement methods of rock tips: each fills its columns of the table in output units
/// and writes its heading; impossible input writes an error block to the report and the
/// run-time file and marks the run instead.
void SETROCK(const RockContext &context, SettlementTable &table, ReportWriter &report, ReportWriter &runtime);
void SETWEAK(const RockContext &context, SettlementTable &table, ReportWriter &report, ReportWriter &runtime);
void SETDECO(const RockContext &context, SettlementTable &table, ReportWriter &report, ReportWriter &runtime);

/// Layers from the second down to the tip layer (0-based index) whose type is above 3.
int rockLayersBelowFirst(const Profile &profile, int tipLayer);

} // namespace engine
