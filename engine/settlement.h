#pragma once

#include <string>

#include "report.h"
#include "tz.h"

namespace engine {

/// Run-wide load–settlement state: the result table and the curve family indicator MODE
/// (0 until a t-z analysis has run, 3 afterwards).
struct SettlementState {
    SettlementTable table;
    int MODE = 0;
    Real socketChecks[2]{}; // accumulators of the weak-rock socket check
};

/// Chooses the method by the tip layer's SOIL value: t-z for soils (three families, stopping
/// at a positive IERR), the rock-socket methods otherwise. rockLayers counts rock layers down
/// to the tip. Each t-z run rewrites the file tzDataPath (none when empty).
void runSettlement(SettlementState &state, Real tipSOIL, int rockLayers, const TzInput &tz, ReportWriter &report,
                   ReportWriter &runtime, const std::string &tzDataPath, int &IERR);

/// After the capacity rows of a diameter: 45 plot records after a t-z analysis, otherwise the
/// report table and 15 plot records of the first curve.
void writeSettlementOutput(const SettlementState &state, bool si, ReportWriter &report, ReportWriter &plot);

} // namespace engine
