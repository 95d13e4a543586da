#pragma once

#include "real.h"

namespace engine {

struct Profile;

/// Shear term (psf) and base resistance (tons) of one depth step in decomposed or weak rock.
struct GeomaterialStep {
    Real SHEAR = 0;
    Real QBTOT = 0;
};

/// Depth-step routines of the intermediate geomaterials and the rock-socket settlement
/// methods. Temporary: until the rock methods are built these do nothing; the step
/// routines return zero shear and zero base resistance.
GeomaterialStep DECOSIDE(const Profile &profile, int layer, Real FK, Real SHEAR);
GeomaterialStep WEAKSIDE(const Profile &profile, int layer, Real FK, Real SHEAR);
void SETROCK();
void SETWEAK();
void SETDECO();

} // namespace engine
