#pragma once

namespace engine {

/// Results of one call of the entry point.
enum ResultCode : int {
    kNormal = 0,            // run completed without warning
    kWrongCode = 1,         // argument other than 15; nothing read or written
    kTzCurveBelow = 2,      // t-z analysis left one of its input curves (2, 4 or 5)
    kNeedAnotherLayer = 3,  // the profile ends above the shaft the design needs
    kTzCurveBeyond = 4,
    kTzCurveExtent = 5,
    kRockInputError = 6,    // a rock-socket or geomaterial method met impossible input (error block)
    kInputError = 10,       // project file malformed; an error block is in the report
    kNoHandOff = 11,        // names.dat absent or its version line missing
    kCannotOpen = 12,       // a run file could not be opened or created
    kNoFileNames = 13,      // console fallback reached end of input
    kInternalError = 14,    // unexpected failure inside the engine
};

} // namespace engine
