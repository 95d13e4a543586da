#pragma once

#include <string>
#include <vector>

#include "real.h"
#include "tz.h"

namespace engine {

/// What the strong-rock socket method reads, in ft, tons and tsf. Layer vectors are indexed
/// 1..NL (element 0 unused); depth[0] is the ground surface and depth[NL] the tip.
struct StrongRockInput {
    int NL = 0;
    std::vector<Real> depth;
    std::vector<int> type;
    std::vector<Real> ELtop, ELbottom, RQDtop, RQDbottom;
    std::vector<Real> QSCUM;   // side resistance from the top down to each layer's bottom
    Real BDS = 0;              // socket diameter entered for the tip layer
    Real DRATIO = 1, D = 0, Ec = 0, QB = 0;
    bool english = true;
};

struct StrongRockResult {
    Real Ds = 0;               // the socket diameter, which becomes the shaft's base diameter
    bool heading = false;      // the "LOAD SETTLEMENT RELATIONSHIP" heading is due
    bool walkCapped = false;   // a layer-walk iteration reached its limit
    std::string error;         // impossible input: nothing was computed
};

/// Fills columns 1 and 2 (rows 1..15) of the table with the lower- and upper-bound curves,
/// in output units (inches or metres; tons or kN). The layer walk's iteration stops after
/// kRockWalkLimit passes.
StrongRockResult SETROCK(const StrongRockInput &input, SettlementTable &table);

inline constexpr int kRockWalkLimit = 1000;

/// Two empty lines and the centred heading with its underline.
void writeLoadSettlementHeading(class ReportWriter &report);

} // namespace engine
