// Unit side and base resistance of one depth step, the friction angle from blow counts,
// shaft geometry and the averaging of base values below the tip.
#include <gtest/gtest.h>

#include <cmath>

#include "profile.h"
#include "resistance.h"
#include "shaft_table.h"

using namespace engine;

namespace {

Profile oneLayer(const Layer &layer, int load = 1)
{
    Profile pr;
    pr.run.IUNIT = 1;
    pr.run.ILOAD = load;
    pr.run.UPRED = 1;
    pr.run.IDESIGN = 2;
    pr.run.WTD = 100;
    pr.run.DSTART = 3;
    pr.input = pr.run;
    pr.layers = {layer};
    return pr;
}

Layer uniform(int type, Real bottom = 50)
{
    Layer L;
    L.TYPE = type;
    L.SOIL = static_cast<Real>(type);
    L.DEPTH = bottom;
    L.RFSIDE = L.RFTIP = 1;
    for (int e = TOP; e <= BOTTOM; ++e) {
        L.TRANLM[e] = NOLIMIT;
        L.QBLIM[e] = NOLIMIT;
        L.GAMMA[e] = 120;
    }
    return L;
}

void set(Real (&v)[2], Real value) { v[TOP] = v[BOTTOM] = value; }

WalkState walkFor(Real D, Real DB)
{
    WalkState w;
    w.D = D;
    w.DB = DB;
    w.Ab = kPi * DB * DB / 4;
    w.zone = static_cast<int>(2 * DB);
    return w;
}

struct Step {
    Real f, QB, QS;
    std::vector<StepNote> notes;
};

Step step(Profile &pr, Real z, Real D = 3, Real DB = 3, Real sigv = 0)
{
    WalkState w = walkFor(D, DB);
    w.SIGV = sigv;
    RunRock rock;
    const StepResult r = evaluateStep(pr, 0, z, z, z, w, rock);
    return {r.f, r.QB, w.QS, r.notes};
}

bool has(const std::vector<StepNote> &notes, StepMessage kind)
{
    for (const StepNote &n : notes)
        if (n.kind == kind)
            return true;
    return false;
}

} // namespace

TEST(FrictionAngleFromBlowCount, ThreeOverburdenCurves)
{
    struct Case {
        const char *name;
        Real N, sigvPsf, expected;
    };
    const Case cases[] = {
        {"N 20 at the surface", 20, 0, 45},
        {"N 20 at 20 psi", 20, 2880, 36},
        {"N 30 at 30 psi", 30, 4320, 37.5f},
        {"N 5 at 40 psi", 5, 5760, 15},
        {"N 8 at 10 psi, between B and A", 8, 1440, 37 - 0.5f * (37 - 31)},
        {"N 3 at 10 psi, below 6", 3, 1440, 33 - 0.5f * 3},
        {"N 40 at 10 psi", 40, 1440, 41 + 10 * 4 / 20.0f},
        {"N 60 at 10 psi", 60, 1440, 45},
        {"N 70 at 30 psi", 70, 4320, 42 + 10 * 3 / 20.0f},
        {"N 8 at 30 psi", 8, 4320, 31},
        {"N 95 at 30 psi", 95, 4320, 45},
        {"N 50 at 50 psi", 50, 7200, 39},
        {"N 95 at 50 psi", 95, 7200, 45},
        {"negative N counts as zero", -3, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(PHIFROMN(c.N, c.sigvPsf), c.expected, 1e-4);
    }
}

TEST(ComputedNc, StrengthAndEmbedment)
{
    struct Case {
        const char *name;
        Real L, DB, cu, expected;
    };
    const Case cases[] = {
        {"soft", 30, 3, 400, 6.5f},
        {"cu 750", 30, 3, 750, 7.25f},
        {"cu 1500", 30, 3, 1500, 8.5f},
        {"cu 2000", 30, 3, 2000, 9},
        {"stiff", 30, 3, 5000, 9},
        {"shallow, r 1.5", 4.5f, 3, 2000, 9 * 0.6666667f * 1.25f},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(computedNc(c.L, c.DB, c.cu), c.expected, 1e-4);
    }
}

TEST(SideResistance, ClayAlphaAndLimit)
{
    Layer clay = uniform(2);
    set(clay.CU, 1000);
    set(clay.COEF, 0.55f);
    set(clay.NC, 9);
    Profile pr = oneLayer(clay);
    Step s = step(pr, 10);
    EXPECT_NEAR(s.f, 0.275, 1e-6);
    EXPECT_NEAR(s.QS, 3.142 * 3 * 0.275, 1e-4) << "2.59 tons for one foot";

    set(pr.layers[0].TRANLM, 400);
    s = step(pr, 10);
    EXPECT_NEAR(s.f, 0.2, 1e-6);
}

TEST(SideResistance, ClayFromBlowCountWarns)
{
    Layer clay = uniform(2);
    set(clay.BLOWS, 10);
    set(clay.COEF, 0.5f);
    set(clay.NC, 9);
    Profile pr = oneLayer(clay);
    const Step s = step(pr, 10);
    EXPECT_NEAR(s.f, 10 * 0.1 * 2000 * 0.5 / 2000, 1e-6);
    EXPECT_TRUE(has(s.notes, StepMessage::ClayFromBlowCount));
}

TEST(SideResistance, RockTerm)
{
    struct Case {
        const char *name;
        int type, load;
        Real qu, expected;
    };
    const Case cases[] = {
        {"soft rock: 0.15 qu", 7, 1, 40000, 3.0f},
        {"400 psi: 2.5 sqrt(qu)", 7, 1, 57600, 3.6f},
        {"type 4 above 1000 psi carries base only", 4, 1, 200000, 0},
        {"type 4 in uplift keeps its side", 4, 2, 200000, 2.5f * 144 * std::sqrt(200000.0f / 144) / 2000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Layer rock = uniform(c.type);
        set(rock.QUR, c.qu);
        set(rock.QUCON, 1e7f);
        set(rock.BDS, 3);
        set(rock.CS, 1);
        set(rock.DISCT, 0.01f);
        Profile pr = oneLayer(rock, c.load);
        EXPECT_NEAR(step(pr, 10).f, c.expected, 1e-4);
    }
}

TEST(SideResistance, BetaLimitsAndUplift)
{
    // sigma at mid-step: 500 ft of 120 pcf is more than enough for the 2.1 tsf limit.
    Layer sand = uniform(1);
    sand.ISAND = 2;
    set(sand.COEF, 1.0f);
    set(sand.PHI, 35);
    Profile pr = oneLayer(sand);
    EXPECT_NEAR(step(pr, 10, 3, 3, 6000).f, 2.1, 1e-6);

    Layer gravel = uniform(9);
    gravel.ISAND = 2;
    set(gravel.COEF, 1.0f);
    set(gravel.BLOWS, 40);
    Profile pg = oneLayer(gravel);
    EXPECT_NEAR(step(pg, 10, 3, 3, 6000).f, (6000 + 60) / 2000.0, 1e-4) << "gravel is not limited";

    Layer clay = uniform(2);
    set(clay.CU, 1000);
    set(clay.COEF, 0.5f);
    set(clay.NC, 9);
    Profile pu = oneLayer(clay, 2);
    pu.run.UPRED = 0.8f;
    pu.run.RATIO = 2.5f;
    const Step u = step(pu, 10);
    EXPECT_NEAR(u.f, 1000 * 0.8 * 2.5 * 0.5 / 2000, 1e-5) << "alpha shear times UPRED and RATIO";
    EXPECT_EQ(u.QB, 0) << "no base resistance in uplift";

    Profile pb = oneLayer(sand, 2);
    pb.run.UPRED = 0.8f;
    pb.run.RATIO = 2.5f;
    EXPECT_NEAR(step(pb, 10, 3, 3, 1000).f, (1000 + 60) / 2000.0 * 0.8, 1e-5) << "beta stress times UPRED only";
}

TEST(SideResistance, SandByKWithDefaultCoefficient)
{
    Layer sand = uniform(1);
    sand.ISAND = 1;
    set(sand.PHI, 30);
    sand.coefComputed = true;
    set(sand.COEF, 0.25f);
    Profile pr = oneLayer(sand);
    // SIGV after the step: 1000 + 120 psf.
    EXPECT_NEAR(step(pr, 10, 3, 3, 1000).f, 0.25 * std::tan(30 / 57.29578) * 1120 / 2000, 1e-5);
}

TEST(SideResistance, MissingDataMessages)
{
    Layer sand = uniform(1);
    sand.ISAND = 1;
    set(sand.GAMMA, 40);
    set(sand.COEF, 0.5f);
    Profile pr = oneLayer(sand);
    const Step s = step(pr, 10);
    EXPECT_TRUE(has(s.notes, StepMessage::MissingUnitWeight));
    EXPECT_TRUE(has(s.notes, StepMessage::MissingSandStrength));

    Layer gravel = uniform(8);
    gravel.ISAND = 2;
    gravel.coefComputed = true;
    set(gravel.BLOWS, 25);
    Profile pg = oneLayer(gravel);
    EXPECT_TRUE(has(step(pg, 10).notes, StepMessage::GravelBlowCount)) << "25 blows or fewer";
    set(pg.layers[0].BLOWS, 26);
    EXPECT_FALSE(has(step(pg, 10).notes, StepMessage::GravelBlowCount));
}

TEST(BaseResistance, SandRules)
{
    struct Case {
        const char *name;
        Real phiBottom, blows, DB;
        int sandTip;
        Real z, expected;
        bool warns;
    };
    const Real ab3 = kPi * 9 / 4, ab5 = kPi * 25 / 4;
    const Case cases[] = {
        {"phi 38, 3 ft base", 38, 0, 3, 0, 40, ab3 * 25.6f, false},
        {"phi 38, 5 ft base reduced", 38, 0, 5, 1, 60, ab5 * 25.6f * 50 / 60, false},
        {"phi 38, 5 ft base at 20 ft, depth reduction too", 38, 0, 5, 1, 20, ab5 * 25.6f * 50 / 60 * 20 / 50, false},
        {"phi 30: none", 30, 0, 3, 0, 40, 1e-5f, false},
        {"phi 33", 33, 0, 3, 0, 40, ab3 * 2.667f * 3, false},
        {"phi 42: 40 tsf", 42, 0, 3, 0, 40, ab3 * 40, false},
        {"N 60", 0, 60, 3, 0, 40, ab3 * 30, true},
        {"N 40", 0, 40, 3, 0, 40, ab3 * 24, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Layer sand = uniform(1);
        sand.ISAND = 1;
        set(sand.PHI, c.phiBottom);
        set(sand.BLOWS, c.blows);
        set(sand.COEF, 0.5f);
        Profile pr = oneLayer(sand);
        pr.run.ISANDTIP = c.sandTip;
        const Step s = step(pr, c.z, 3, c.DB);
        EXPECT_NEAR(s.QB, c.expected, c.expected * 1e-4);
        EXPECT_EQ(has(s.notes, StepMessage::SandBlowsOver50), c.warns);
    }
}

TEST(BaseResistance, ClayShaleAndRock)
{
    struct Case {
        const char *name;
        int type;
        Real cu, DB, z, expected;
    };
    const Real ab4 = kPi * 16 / 4, ab7 = kPi * 49 / 4;
    const Real a = 0.015f, b = 0.45f * std::sqrt(2.0f);
    const Case cases[] = {
        {"clay cu 1 tsf, 4 ft base", 2, 2000, 4, 30, ab4 * 9},
        {"7 ft base at 30 ft reduced", 2, 2000, 7, 30, ab7 * 9 * 2.5f / (12 * 7 * a + 2.5f * b)},
        {"clay limited to 40 tsf", 2, 10000, 4, 30, ab4 * 40},
        {"shale not limited", 3, 10000, 4, 30, ab4 * 45},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Layer clay = uniform(c.type);
        set(clay.CU, c.cu);
        set(clay.NC, 9);
        set(clay.COEF, 0.5f);
        Profile pr = oneLayer(clay);
        EXPECT_NEAR(step(pr, c.z, 3, c.DB).QB, c.expected, c.expected * 1e-4);
    }
    EXPECT_NEAR(2.5f / (12 * 7 * a + 2.5f * b), 0.877, 1e-3);

    Layer rock = uniform(7);
    set(rock.QUR, 1440000);
    set(rock.QUCON, 1e8f);
    set(rock.BDS, 3);
    set(rock.CS, 1);
    set(rock.DISCT, 0.01f);
    Profile pr = oneLayer(rock);
    WalkState w = walkFor(3, 3);
    RunRock rr;
    const StepResult r = evaluateStep(pr, 0, 10, 10, 10, w, rr);
    EXPECT_NEAR(r.QB, 3 * (3.3333333 / 20) * 720 * 0.7854 * 9, 1.0) << "2545 tons";
    EXPECT_EQ(w.rockFlag, 0);
    EXPECT_EQ(w.zone, 6);
    EXPECT_NEAR(w.Ab, 0.7854 * 9, 1e-4);
    EXPECT_NEAR(rr.lastRockPsi, 10000, 1e-2);

    Layer weak4 = rock;
    weak4.TYPE = 4;
    set(weak4.QUR, 100000);
    Profile p4 = oneLayer(weak4);
    EXPECT_EQ(step(p4, 10).QB, 0) << "type 4 below 1000 psi carries side only";
}

TEST(BaseResistance, FixedUnitValue)
{
    Layer clay = uniform(2);
    set(clay.CU, 2000);
    set(clay.NC, 9);
    set(clay.COEF, 0.5f);
    set(clay.QBLIM, -40000);
    Profile pr = oneLayer(clay);
    EXPECT_NEAR(step(pr, 10, 3, 4).QB, kPi * 4 * 20, 1e-3);
    set(pr.layers[0].QBLIM, 10000);
    EXPECT_NEAR(step(pr, 10, 3, 4).QB, kPi * 4 * 5, 1e-3) << "a cap of 5 tsf";
}

TEST(BaseResistance, LimitsAreNotExtrapolatedPastTheLayerBottom)
{
    // Below a fractional TOPLENG the last step of a layer ends past its bottom (FK 10.78 of
    // 10 ft). Extrapolating from "no limit" at the top to 40000 psf at the bottom would give
    // about -8E8 psf, a fixed unit base resistance of 4E5 tsf.
    Layer sand = uniform(1, 10);
    sand.ISAND = 1;
    set(sand.BLOWS, 40);
    set(sand.COEF, 0.5f);
    sand.QBLIM[BOTTOM] = 40000;
    Profile pr = oneLayer(sand);
    WalkState w = walkFor(3, 3);
    RunRock rock;
    const StepResult r = evaluateStep(pr, 0, 10.78f, 10.78f, 10.78f, w, rock);
    // Single precision near 1E10 leaves the bottom value within 1024 psf.
    EXPECT_NEAR(r.QB, w.Ab * 20, w.Ab * 0.52) << "the bottom value caps 24 tsf at 20";
}

TEST(ShaftGeometry, StraightAndBelled)
{
    ProjectInput run;
    run.DSTART = 3;
    run.RATIO = 2;
    run.BELANG = 30;
    const Shaft bell = shaftGeometry(run, 3);
    EXPECT_TRUE(bell.bell);
    EXPECT_NEAR(bell.DB, 6, 1e-6);
    EXPECT_NEAR(bell.toe, 0.25, 1e-6);
    EXPECT_NEAR(bell.HBELL, 2.848, 1e-3);
    EXPECT_EQ(bell.zone, 12);
    const Real frustum = kPi * (bell.HBELL - 0.25f) / 3 * (9.0f / 4 + 18.0f / 4 + 36.0f / 4);
    EXPECT_NEAR(bell.VOLBELL, (frustum + 0.25f * kPi * 9) / 27, 1e-4);
    EXPECT_NEAR(shaftGeometry(run, 4).toe, 0.5, 1e-6) << "toe 0.5 ft above 3.52 ft";

    run.RATIO = 0.8f;
    const Shaft straight = shaftGeometry(run, 3);
    EXPECT_FALSE(straight.bell);
    EXPECT_EQ(straight.HBELL, 0);
    EXPECT_NEAR(straight.steelArea, kPi * 0.01 * 9 / 4 * 144, 1e-4);
    run.RATIO = 2;
    run.BELANG = 0;
    EXPECT_FALSE(shaftGeometry(run, 3).bell) << "a bell angle of 0 would give an endless bell";
}

TEST(BaseAverage, WeightsOverTwoBaseDiameters)
{
    ProjectInput run;
    run.DSTART = 2;
    const Shaft s = shaftGeometry(run, 2);
    DepthWalk walk;
    walk.state.zone = s.zone;
    walk.feet.resize(20);
    for (int m = 0; m < 20; ++m)
        walk.feet[m].base = static_cast<Real>(10 * m);
    // j = 5: m0 = 6, weights 0, 0.3, 0.6, 0.5 at m = 6 to 9.
    EXPECT_NEAR(averagedBase(walk, s, 0, 5), (0.3 * 70 + 0.6 * 80 + 0.5 * 90) / 1.4, 1e-3);

    for (int m = 8; m < 20; ++m)
        walk.feet[m].rockFlag = 0;
    EXPECT_NEAR(averagedBase(walk, s, 0, 5), (0.3 * 70 + 0.6 * 70 + 0.5 * 70) / 1.4, 1e-3)
        << "rock below sand takes the last sand value";

    walk.state.zone = 1;
    EXPECT_NEAR(averagedBase(walk, s, 0, 5), 60, 1e-4) << "a one-foot zone has only the zero weight";
}
