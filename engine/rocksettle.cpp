#include "rocksettle.h"

#include <algorithm>
#include <cmath>

#include "geomaterial.h"
#include "profile.h"
#include "shaft_table.h"
#include "strong_rock.h"

namespace engine {
namespace {

// The socket top of weak rock: the first layer of weak or strong rock with side resistance.
// Gravelly sand and gravel (types 8, 9) are not rock and do not lengthen the socket.
int firstSocketLayer(const Profile &pr)
{
    for (std::size_t i = 0; i < pr.layers.size(); ++i)
        if (pr.layers[i].TYPE == 6 || pr.layers[i].TYPE == 7)
            return static_cast<int>(i);
    return -1;
}

Real slumpInches(const Profile &pr, const Layer &layer, Real FK)
{
    const Real slump = interpolate(layer.SLUMP, layer, FK);
    return pr.si() ? slump * 1000 / Real(25.4) : slump;
}

WeakRockPoint weakPoint(const Profile &pr, const Layer &layer, Real FK, Real DRATIO, Real ZS)
{
    WeakRockPoint p;
    p.Ds = DRATIO * interpolate(layer.BDS, layer, FK);
    p.qu = interpolate(layer.QUR, layer, FK);
    p.RQD = interpolate(layer.RQD, layer, FK);
    p.slumpIn = slumpInches(pr, layer, FK);
    p.deltaDeg = interpolate(layer.DELTA, layer, FK);
    p.ICOND = layer.ICOND[BOTTOM];
    p.ZD = pr.run.DGH;
    p.ZS = ZS;
    p.Ec = pr.run.Ec;
    return p;
}

void reportError(RunRock &rock, ReportWriter &report, ReportWriter &runtime, const std::string &text)
{
    rock.impossibleInput = true;
    runtime.error({text});
    report.error({text});
}

std::vector<StressLayer> stressLayers(const Profile &pr)
{
    std::vector<StressLayer> stress;
    for (const Layer &L : pr.layers)
        stress.push_back({L.TOP, L.DEPTH, L.GAMMA[TOP], L.GAMMA[BOTTOM]});
    return stress;
}

// Side resistance down to the bottom of layer i: QS at the layer's last step.
Real layerQS(const DepthWalk &walk, int i) { return walk.layers[i].lastQS; }

} // namespace

int rockLayersBelowFirst(const Profile &pr, int tipLayer)
{
    int count = 0;
    for (int i = 1; i <= tipLayer && i < static_cast<int>(pr.layers.size()); ++i)
        if (pr.layers[i].TYPE > 3)
            ++count;
    return count;
}

GeomaterialStep DECOSIDE(const Profile &pr, int li, Real FK, Real ZSIDE, const WalkState &walk)
{
    const Layer &layer = pr.layers[li];
    const std::vector<StressLayer> stress = stressLayers(pr);
    const Real Ds = walk.DRATIO * interpolate(layer.BDS, layer, FK);
    Real sigmaV = decomposedEffectiveStress(stress, li, pr.run.WTD);
    // Deeper than the walk has reached, the walk's own effective stress is used.
    if (pr.run.DGH + 2 * Ds > ZSIDE)
        sigmaV = walk.SIGV;
    const GeomaterialValues v = decomposedStep(sigmaV, interpolate(layer.BLOWS, layer, FK), Ds);
    return {v.SHEAR, v.QBTOT};
}

GeomaterialStep WEAKSIDE(const Profile &pr, int li, Real FK, const WalkState &walk, RunRock &rock,
                         std::vector<StepNote> &notes)
{
    const Layer &layer = pr.layers[li];
    // Layer li is weak rock itself, so both searches find a layer.
    const int s = std::max(firstSocketLayer(pr), 0);
    int J = li;
    for (std::size_t i = 0; i < pr.layers.size(); ++i)
        if ((pr.layers[i].TYPE == 6 || pr.layers[i].TYPE == 7) && pr.layers[i].DEPTH >= FK) {
            J = static_cast<int>(i);
            break;
        }
    const Real ZS = pr.layers[s].TOP;
    WeakRockPoint p = weakPoint(pr, layer, FK, walk.DRATIO, ZS);
    p.L = std::max(FK + pr.layers[J].TOP - ZS, pr.layers[J].BDS[BOTTOM]);
    p.EM0 = rock.weakModulus.add(interpolate(layer.EL, layer, FK));
    const GeomaterialValues v = weakRockStep(p);
    if (!v.error.empty()) {
        if (std::find(rock.errorsReported.begin(), rock.errorsReported.end(), v.error) == rock.errorsReported.end()) {
            rock.errorsReported.push_back(v.error);
            notes.emplace_back(StepMessage::GeomaterialError, 0, v.error);
        }
        rock.impossibleInput = true;
        return {};
    }
    for (const SocketWarning &w : weakSocketWarnings(p.ZD, p.ZS, p.L, p.Ds, p.Ec / v.Em))
        notes.emplace_back(StepMessage::WeakSocketWarning, w.value, w.label, w.lines);
    return {v.SHEAR, v.QBTOT};
}

void SETROCK(const RockContext &c, SettlementTable &table, ReportWriter &report, ReportWriter &runtime)
{
    const Profile &pr = *c.profile;
    const DepthWalk &walk = *c.walk;
    const CapacityRow &last = *c.last;
    const int NL = last.tipLayer + 1;
    StrongRockInput in;
    in.NL = NL;
    in.depth.assign(NL + 1, 0);
    in.QSCUM.assign(NL + 1, 0);
    in.type.assign(NL + 1, 0);
    in.ELtop = in.ELbottom = in.RQDtop = in.RQDbottom = std::vector<Real>(NL + 1, 0);
    for (int i = 1; i <= NL; ++i) {
        const Layer &L = pr.layers[i - 1];
        in.depth[i] = L.DEPTH;
        in.QSCUM[i] = layerQS(walk, i - 1);
        in.type[i] = L.TYPE;
        in.ELtop[i] = L.EL[TOP];
        in.ELbottom[i] = L.EL[BOTTOM];
        in.RQDtop[i] = L.RQD[TOP];
        in.RQDbottom[i] = L.RQD[BOTTOM];
    }
    // The tip layer ends at the final shaft's tip: its base in design control 1.
    in.depth[NL] = pr.run.IDESIGN == 1 ? last.L - pr.run.BS - c.shaft->HBELL : last.L;
    in.QSCUM[NL] = walk.at(last.j).QS;
    in.BDS = pr.layers[NL - 1].BDS[TOP];
    in.DRATIO = c.shaft->DRATIO;
    in.D = c.shaft->D;
    in.Ec = pr.run.Ec;
    in.QB = last.QB;
    in.english = !pr.si();
    const StrongRockResult r = engine::SETROCK(in, table);
    if (!r.error.empty()) {
        reportError(*c.rock, report, runtime, r.error);
        return;
    }
    c.shaft->DB = r.Ds;
    if (r.walkCapped) {
        const std::vector<std::string> text = {"THE LOAD TRANSFER ABOVE THE ROCK SOCKET DID NOT SETTLE WITHIN " +
                                               std::to_string(kRockWalkLimit) + " PASSES;",
                                               "THE LAST PASS IS USED."};
        runtime.warning(text);
        report.warning(text);
    }
    if (r.heading)
        writeLoadSettlementHeading(report);
}

void SETWEAK(const RockContext &c, SettlementTable &table, ReportWriter &report, ReportWriter &runtime)
{
    const Profile &pr = *c.profile;
    const CapacityRow &last = *c.last;
    const Layer &tip = pr.layers[last.tipLayer];
    const int s = firstSocketLayer(pr);
    if (s < 0) {
        reportError(*c.rock, report, runtime, "THE WEAK-ROCK SOCKET HAS NO LAYER OF WEAK OR STRONG ROCK.");
        return;
    }
    const Real ZS = pr.layers[s].TOP;
    const Real FK = pr.run.DGH - tip.TOP;
    WeakSettlementInput in;
    in.tip = weakPoint(pr, tip, FK, c.shaft->DRATIO, ZS);
    in.mean = &c.rock->weakModulus;
    in.ELtip = interpolate(tip.EL, tip, FK);
    in.QSabove = c.rock->weakFirstQS;
    in.QS = c.walk->at(last.j).QS;
    in.english = !pr.si();
    const GeomaterialSettlement r = engine::SETWEAK(in, table);
    if (!r.error.empty()) {
        reportError(*c.rock, report, runtime, r.error);
        return;
    }
    writeLoadSettlementHeading(report);
}

void SETDECO(const RockContext &c, SettlementTable &table, ReportWriter &report, ReportWriter &runtime)
{
    const Profile &pr = *c.profile;
    const CapacityRow &last = *c.last;
    const int I = last.tipLayer;
    const Layer &tip = pr.layers[I];
    const Real ZD = pr.run.DGH;
    const Real FK = ZD - tip.TOP;
    DecoSettlementInput in;
    in.Ds = c.shaft->DRATIO * interpolate(tip.BDS, tip, FK);
    in.DSTART = pr.run.DSTART;
    const std::vector<StressLayer> stress = stressLayers(pr);
    in.sigmaV = decomposedEffectiveStress(stress, I, pr.run.WTD);
    // The stress test reads the socket diameter as entered; DSTART stands in only afterwards.
    if (ZD + 2 * in.Ds > c.walk->state.ZSIDE)
        in.sigmaV = c.walk->state.SIGV;
    in.N = interpolate(tip.BLOWS, tip, FK);
    in.LS = ZD - (I > 0 ? pr.layers[I - 1].TOP : Real(0));
    in.tipBottom = tip.DEPTH;
    in.EMODtop = tip.EL[TOP];
    in.EMODbottom = tip.EL[BOTTOM];
    in.Ntop = tip.BLOWS[TOP];
    in.Nbottom = tip.BLOWS[BOTTOM];
    in.Ec = pr.run.Ec;
    in.QSCUM = c.walk->at(last.j).QS;
    in.english = !pr.si();
    const GeomaterialSettlement r = engine::SETDECO(in, table);
    if (!r.error.empty()) {
        reportError(*c.rock, report, runtime, r.error);
        return;
    }
    writeLoadSettlementHeading(report);
}

} // namespace engine
