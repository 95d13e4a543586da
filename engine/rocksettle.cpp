#include "rocksettle.h"

namespace engine {

// Placeholders until the weak-rock, decomposed-rock and strong-rock socket methods exist.

GeomaterialStep DECOSIDE(const Profile &, int, Real, Real) { return {}; }
GeomaterialStep WEAKSIDE(const Profile &, int, Real, Real) { return {}; }
void SETROCK() {}
void SETWEAK() {}
void SETDECO() {}

} // namespace engine
