#pragma once

namespace engine {

/// The engine's working precision; results are meant to match a single-precision engine.
using Real = float;

} // namespace engine
