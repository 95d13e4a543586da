#pragma once

#include <istream>
#include <optional>
#include <string>

#include "project_input.h"
#include "report.h"

namespace engine {

/// Where and why reading the project file failed. Line and item count from 1.
struct ReadFailure {
    int line = 0;
    int item = 0;
    std::string what;    // the quantity, e.g. "NLAYER" or "GAMMA AT THE TOP OF LAYER 2"
    std::string problem; // upper-case sentence
};

/// How far the reader got: the echo shows what was read before a failure.
enum class ReadStage { Nothing, Title, Header, Complete };

struct ReadResult {
    ProjectInput project;
    ReadStage stage = ReadStage::Nothing;
    std::optional<ReadFailure> failure;
};

/// Reads a project file as free-format groups: each group starts on a new line, values are
/// separated by blanks, tabs or commas, a group may run over several lines and the rest of
/// its last line is skipped. Lines may end in LF or CR LF. Never throws on bad input.
ReadResult readProject(std::istream &in);

/// The title line, then the load/depth, uplift, layer-count and water-table blocks, as far
/// as the reader got; then the error block, or the design-depth warning when it applies.
/// Console lines go to console; the report receives everything; the run-time file the
/// error and the warning.
void writeInputEcho(const ReadResult &read, ReportWriter &report, ReportWriter &runtime,
                    ReportWriter &console);

/// The framed error block's text lines for a failure.
std::vector<std::string> failureLines(const ReadFailure &failure);

} // namespace engine
