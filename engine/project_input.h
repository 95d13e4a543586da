#pragma once

#include <string>
#include <vector>

#include "real.h"

namespace engine {

/// Largest profile the engine holds (its layer table has one more entry, the surface).
inline constexpr int kMaxLayers = 29;
/// A side or base limit given as 0 means "no limit" and is stored as this.
inline constexpr Real NOLIMIT = 1e10f;

enum End { TOP = 0, BOTTOM = 1 };

/// One layer as read from the project file, in file units. Index [TOP] and [BOTTOM] hold
/// the values at the layer's top and bottom; a parameter its type does not read stays 0.
struct LayerInput {
    Real SOIL = 0;      // type code as read; TYPE is its integer part
    int TYPE = 0;
    Real DEPTH = 0;     // bottom of the layer
    Real NC[2]{}, GAMMA[2]{}, PHI[2]{}, CU[2]{}, BLOWS[2]{};
    Real TRANLM[2]{}, QBLIM[2]{};
    Real QUR[2]{}, QUCON[2]{}, CS[2]{}, DISCT[2]{}, BDS[2]{};
    Real EL[2]{};       // rock modulus; for type 5 the gravel modulus EMOD
    Real RQD[2]{};
    Real POISSON[2]{};  // type 5
    int ICOND[2]{};     // type 6, interface condition 1 to 4
    Real SLUMP[2]{}, DELTA[2]{}; // type 6
    Real COEF[2]{};     // K or BETA (sand, gravels), ALPHA (clay, shale)
    Real ISAND = 0;     // sand only: 1 COEF is K, 2 COEF is BETA
    Real RFSIDE = 0, RFTIP = 0; // once per layer: the bottom line's values
};

/// The whole project file as the engine reads it.
struct ProjectInput {
    std::string TITLE;  // first 72 characters of line 1, blank-padded
    int IUNIT = 1;
    int IDESIGN = 1, ILOAD = 1;
    Real UPRED = 1, OUTINC = 1;
    int ISANDTIP = 0, IMETHOD = 2;
    Real DSTART = 0, DIALIM = 0, RATIO = 0, BELANG = 0, TOPLENG = 0, BS = 0, Ec = 0;
    int NLAYER = 0;
    Real WTD = 0, P = 0, DGH = 0, FST = 0, FSB = 0;
    std::vector<LayerInput> layers;

    bool si() const { return IUNIT == 2; }
};

} // namespace engine
