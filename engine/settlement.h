#pragma once

#include <string>

#include "report.h"
#include "rocksettle.h"
#include "tz.h"

namespace engine {

/// Run-wide load–settlement state: the result table and the curve family indicator MODE
/// (0 until a t-z analysis has run, 3 afterwards).
struct SettlementState {
    SettlementTable table;
    int MODE = 0;
};

/// Chooses the method by the tip layer's SOIL value T: t-z for soils (three families, stopping
/// at a positive IERR); the rock-socket methods when NRL, the rock layers below the first down
/// to the tip, is above 0 (decomposed rock needs none).
void runSettlement(SettlementState &state, Real T, int NRL, const TzInput &tz, const RockContext &rock,
                   ReportWriter &report, ReportWriter &runtime, const std::string &tzDataPath, int &IERR);

/// After the capacity rows of a diameter: 45 plot records after a t-z analysis, otherwise the
/// report table and 15 plot records of the first curve.
void writeSettlementOutput(const SettlementState &state, bool si, ReportWriter &report, ReportWriter &plot);

} // namespace engine
