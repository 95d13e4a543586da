#pragma once

#include <array>
#include <vector>

#include "profile.h"
#include "real.h"
#include "resistance.h"

namespace engine {

/// Geometry of one trial diameter (ft, ft², cubic yards, square inches).
struct Shaft {
    Real D = 0, DRATIO = 1;
    Real stemArea = 0, perimeter = 0;
    bool bell = false;
    Real DB = 0, Ab = 0, toe = 0, HBELL = 0, VOLBELL = 0;
    Real steelArea = 0; // one percent of the stem, sq in
    int zone = 0;       // averaging zone below the tip, ft
};

/// A bell needs trunc(RATIO) != 0, RATIO above 1 and an angle above 0 and up to 90 degrees;
/// otherwise straight.
Shaft shaftGeometry(const ProjectInput &run, Real D);

/// What the depth walk stored under one tip index (whole feet).
struct FootRecord {
    bool stored = false;
    Real QS = 0, QSLRFD = 0;
    Real base = 0;    // base resistance of the step, tons
    int rockFlag = 1;
    Real f = 0;       // unit side resistance, tsf
    Real L = 0;       // tip depth, rounded
    Real volume = 0;  // cubic yards
    Real Ab = 0;      // base area at the step
};

/// Per layer, from its first and last step (zero when the walk never entered it).
struct LayerWalk {
    bool stepped = false;
    Real firstF = 0, lastF = 0;       // unit side resistance, tsf
    Real firstQb = 0, lastQb = 0;     // stored base over base area, tsf
    Real lastL = 0, lastQS = 0;
};

/// The depth walk of one diameter.
struct DepthWalk {
    std::vector<FootRecord> feet; // by tip index
    std::vector<LayerWalk> layers;
    std::vector<StepNote> notes;  // in step order
    int lastTip = 0;              // tip index of the last step; -1 without steps
    WalkState state;

    const FootRecord &at(int j) const;
};

/// Rounds BS and the layer bottoms, then walks from TOPLENG down one foot at a time. Tips
/// 100000 ft or more down are not stored.
DepthWalk walkProfile(Profile &profile, const Shaft &shaft, RunRock &rock);

/// Weighted average of the stored base values over the zone below tip index j.
Real averagedBase(const DepthWalk &walk, const Shaft &shaft, Real BS, int j);

/// First layer whose bottom lies strictly below L; the last layer when none does.
int tipLayer(const Profile &profile, Real L);

/// One row of the capacity table. `out` is in output units in the written order: length,
/// volume, QS, QB (WT), QU, then QBD, QDN, QU/VOLUME or LRFD QS, LRFD QB, LRFD QU.
struct CapacityRow {
    int j = 0;
    Real L = 0;          // tip depth, ft
    Real QB = 0;         // averaged base resistance, tons (0 in uplift)
    Real f = 0;          // unit side resistance at j, tsf
    int tipLayer = 0;
    int rockLayers = 0;  // layers of type above 3 down to the tip layer
    std::array<Real, 8> out{};
};

struct CapacityTable {
    std::vector<CapacityRow> rows;
    bool stopped = false;
    bool tooShort = false; // the profile leaves no room for the averaging zone
};

/// Rows from the first tip below the ignored portions down to the stop (P carried, or DGH
/// reached) or to the last tip with a full averaging zone. In uplift FSB becomes 1.
CapacityTable capacityTable(Profile &profile, const Shaft &shaft, const DepthWalk &walk);

/// The interpolated rows at multiples of OUTINC (at most 100000 of them; none when OUTINC is
/// not positive), already filtered for writing.
std::vector<std::array<Real, 8>> interpolatedTable(const Profile &profile, const Shaft &shaft,
                                                   const CapacityTable &table);

} // namespace engine
