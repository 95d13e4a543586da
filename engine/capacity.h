#pragma once

#include "run.h"

namespace engine {

/// The analysis of one project: reads the input channel and writes the report, plot and
/// run-time channels. IERR receives the run's result code.
void CAPACITY(RunChannels &channels, int &IERR);

} // namespace engine
