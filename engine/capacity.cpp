#include "capacity.h"

#include "reader.h"
#include "result_codes.h"

namespace engine {

void CAPACITY(RunChannels &ch, int &IERR)
{
    const ReadResult read = readProject(ch.input);
    writeInputEcho(read, ch.report, ch.runtime, ch.console);
    if (read.failure) {
        IERR = kInputError;
        return;
    }
}

} // namespace engine
