#pragma once

#include <array>
#include <string>

#include "profile.h"
#include "report.h"
#include "resistance.h"
#include "shaft_table.h"

namespace engine {

/// The most efficient trial so far, in output units; value 0 means none recorded.
struct BestShaft {
    Real length = 0, D = 0, DB = 0, value = 0, volume = 0, QU = 0;
};

void writeShaftBlock(ReportWriter &out, const Profile &profile, const Shaft &shaft);
void writeLegendAndHeads(ReportWriter &out, const Profile &profile);
/// A depth step's message to the channels it belongs to.
void writeStepNote(const StepNote &note, ReportWriter &report, ReportWriter &runtime);
/// One row of the capacity table in the English or SI layout.
void writeCapacityRow(ReportWriter &out, const std::array<Real, 8> &v, bool si);
/// Heading of the diameter's plot block, its two leading rows and one row per table row.
void writeCapacityPlot(ReportWriter &plot, const Profile &profile, int diameters, const CapacityTable &table,
                       int MODE);
void writeBestShaft(ReportWriter &out, const BestShaft &best, bool si);
void writeRockNote(ReportWriter &report);
void writeNeedAnotherLayer(ReportWriter &out);

} // namespace engine
