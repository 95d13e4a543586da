// Whole analyses under the sanitizers. Input starting with 'G' seeds the project generator
// (valid projects reach the deep paths); anything else is taken as a project file as is.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "capacity.h"
#include "project_generator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string text;
    if (size >= 6 && data[0] == 'G') {
        uint32_t seed = 0;
        std::memcpy(&seed, data + 1, 4);
        testgen::ProjectGenerator generator(seed);
        text = generator.next(data[5] % 10).text;
    } else {
        text.assign(reinterpret_cast<const char *>(data), size);
    }
    std::istringstream input(text);
    std::ostringstream report, plot, runtime;
    engine::RunChannels channels{input, engine::ReportWriter(&report), engine::ReportWriter(&plot),
                                 engine::ReportWriter(&runtime), engine::ReportWriter(), plot};
    int IERR = 0;
    engine::CAPACITY(channels, IERR);
    return 0;
}
