// Any bytes as a project file: the reader and its echo must stop cleanly, never crash.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char *>(data), size));
    const engine::ReadResult read = engine::readProject(in);
    std::ostringstream report, runtime;
    engine::ReportWriter reportWriter(&report), runtimeWriter(&runtime), console;
    engine::writeInputEcho(read, reportWriter, runtimeWriter, console);
    if (read.stage == engine::ReadStage::Complete && read.failure)
        __builtin_trap();
    if (read.stage == engine::ReadStage::Complete &&
        read.project.layers.size() != static_cast<std::size_t>(read.project.NLAYER))
        __builtin_trap();
    return 0;
}
