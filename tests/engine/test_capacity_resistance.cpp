// Unit side and base resistance of one depth step, the friction angle from blow counts, the
// averaging of base values below the tip, and the depth walk's messages in whole runs.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>

#include "geomaterial.h"
#include "profile.h"
#include "reader.h"
#include "resistance.h"
#include "shaft_table.h"
#include "whole_run.h"

using namespace engine;
using wholerun::count;

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

void set(Real (&v)[2], Real top, Real bottom)
{
    v[TOP] = top;
    v[BOTTOM] = bottom;
}

struct StepSetup {
    Real WTD = 100;
    int load = 1;
    Real UPRED = 1, RATIO = 0;
    int sandTip = 0;
    Real D = 3, DB = 3, DRATIO = 1;
    Real SIGV = 0;
    Real z = 10;   // ZSIDE and FK (one layer from the surface)
    Real L = -1;   // tip depth, z when negative
};

struct Outcome {
    StepResult r;
    WalkState w;
};

Outcome run(const Layer &layer, const StepSetup &s)
{
    Profile pr;
    pr.run.IUNIT = 1;
    pr.run.IDESIGN = 2;
    pr.run.ILOAD = s.load;
    pr.run.UPRED = s.UPRED;
    pr.run.RATIO = s.RATIO;
    pr.run.ISANDTIP = s.sandTip;
    pr.run.WTD = s.WTD;
    pr.run.DSTART = 3;
    pr.input = pr.run;
    pr.layers = {layer};
    WalkState w;
    w.D = s.D;
    w.DB = s.DB;
    w.DRATIO = s.DRATIO;
    w.Ab = kPi * s.DB * s.DB / 4;
    w.zone = static_cast<int>(2 * s.DB);
    w.SIGV = s.SIGV;
    RunRock rock;
    Outcome o{evaluateStep(pr, 0, s.z, s.z, s.L < 0 ? s.z : s.L, w, rock), w};
    return o;
}


// The depth walk of the first trial diameter of a project in the test data.
DepthWalk walkOf(const std::string &project, Profile &pr)
{
    std::ifstream in(std::string(TARNEL_TEST_DATA) + "/" + project, std::ios::binary);
    const ReadResult read = readProject(in);
    EXPECT_FALSE(read.failure.has_value()) << project;
    pr = normaliseProfile(read.project);
    convertRockAfterEcho(pr);
    RunRock rock;
    return walkProfile(pr, shaftGeometry(pr.run, pr.run.DSTART), rock);
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

TEST(FrictionAngleFromBlowCount, CurveBoundaries)
{
    struct Case {
        const char *name;
        Real N, psi, expected;
    };
    const Case cases[] = {
        {"N 0 at 10 psi lies on the way to 30", 0, 10, 15},
        {"N 6 at 20 psi is curve A", 6, 20, 30},
        {"N 21 at 10 psi", 21, 10, 36.2f + 10 * 8.8f / 20},
        {"N 55 at 20 psi", 55, 20, 45},
        {"N 56 at 20 psi", 56, 20, 45},
        {"N 6 at 30 psi", 6, 30, 30},
        {"N 10 at 30 psi, between A and C", 10, 30, 32 - 0.5f * (32 - 31)},
        {"N 55 at 30 psi", 55, 30, 45 - 0.5f * (45 - 39)},
        {"N 56 at 30 psi, C towards 45", 56, 30, 39.2f + 10 * (45 - 39.2f) / 20},
        {"N 90 at 30 psi", 90, 30, 44 + 10 * 1 / 20.0f},
        {"N 10 at 40 psi", 10, 40, 30},
        {"N 11 at 40 psi is curve C", 11, 40, 31.2f},
        {"N 90 at 60 psi", 90, 60, 44},
        {"N 91 at 60 psi", 91, 60, 45},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(PHIFROMN(c.N, c.psi * 144), c.expected, 1e-4);
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

TEST(SideResistance, NamedCases)
{
    struct Case {
        const char *name;
        std::function<Layer()> layer;
        StepSetup setup;
        Real f, QS, SIGV;
    };
    const Real perimeter3 = kPi * 3; // 9.426 ft
    const Case cases[] = {
        // SIGV 1000 + (120 - 62.4) = 1057.6; at mid-step 1057.6 - 28.8 = 1028.8; f = 0.514 x 0.8.
        {"sand beta below the water table",
         [] {
             Layer L = uniform(1);
             L.ISAND = 2;
             set(L.COEF, 0.8f);
             set(L.PHI, 35);
             return L;
         },
         [] {
             StepSetup s;
             s.WTD = 10;
             s.z = 20;
             s.SIGV = 1000;
             return s;
         }(),
         0.41152f, 3.878988f, 1057.6f},
        {"sand beta above the water table",
         [] {
             Layer L = uniform(1);
             L.ISAND = 2;
             set(L.COEF, 0.8f);
             set(L.PHI, 35);
             return L;
         },
         [] {
             StepSetup s;
             s.z = 20;
             s.SIGV = 1000;
             return s;
         }(),
         0.424f, 3.996624f, 1120},
        // 40 pcf under water is 22.4 pcf lighter than water: the step adds nothing, so SIGV stays
        // 1000 and so does the mid-step stress; f = 1000 / 2000 x 0.8 = 0.4.
        {"sand beta lighter than water adds no stress",
         [] {
             Layer L = uniform(1);
             L.ISAND = 2;
             set(L.COEF, 0.8f);
             set(L.PHI, 35);
             set(L.GAMMA, 40);
             return L;
         },
         [] {
             StepSetup s;
             s.WTD = 10;
             s.z = 20;
             s.SIGV = 1000;
             return s;
         }(),
         0.4f, 0.4f * perimeter3, 1000},
        // Rock carries no unit weight: under water SIGV keeps its 500 psf.
        {"rock step under water keeps the stress",
         [] {
             Layer L = uniform(7);
             set(L.GAMMA, 0);
             set(L.QUR, 40000);
             set(L.QUCON, 400000);
             set(L.BDS, 3);
             set(L.CS, 1);
             set(L.DISCT, 0.01f);
             return L;
         },
         [] {
             StepSetup s;
             s.WTD = 0;
             s.SIGV = 500;
             return s;
         }(),
         3.0f, 3.0f * perimeter3, 500},
        // SIGV 2880 psf = 20 psi, N 20: 45 - (45 - 36) x 20 / 20 = 36 deg; f = 0.5 tan 36 x 2880 / 2000.
        {"sand K with the angle from the blow count",
         [] {
             Layer L = uniform(1);
             L.ISAND = 1;
             set(L.COEF, 0.5f);
             set(L.BLOWS, 20);
             return L;
         },
         [] {
             StepSetup s;
             s.SIGV = 2760;
             return s;
         }(),
         0.5231106f, 0.5231106f * perimeter3, 2880},
        // Shear 53 x 2000 / 53 = 2000 psf, alpha 0.5.
        {"shale strength from the blow count",
         [] {
             Layer L = uniform(3);
             set(L.BLOWS, 53);
             set(L.COEF, 0.5f);
             set(L.NC, 7);
             return L;
         },
         StepSetup{}, 0.5f, 0.5f * perimeter3, 120},
        // The lesser strength, 57600 psf = 400 psi: 2.5 x 144 x 20 / 2000.
        {"rock with weaker concrete",
         [] {
             Layer L = uniform(7);
             set(L.QUR, 100000);
             set(L.QUCON, 57600);
             set(L.BDS, 3);
             set(L.CS, 1);
             set(L.DISCT, 0.01f);
             return L;
         },
         StepSetup{}, 3.6f, 3.6f * perimeter3, 120},
        // FK 12 in a 10 ft layer: 50000 - 10000 x 1.2 = 38000 lies below both ends, the top 50000
        // is used: 2.5 x 144 sqrt(347.22) / 2000 = 3.3541.
        {"rock strength below both ends takes the top value",
         [] {
             Layer L = uniform(7, 10);
             set(L.QUR, 50000, 40000);
             set(L.QUCON, 1e7f);
             set(L.BDS, 3);
             set(L.CS, 1);
             set(L.DISCT, 0.01f);
             return L;
         },
         [] {
             StepSetup s;
             s.z = 12;
             return s;
         }(),
         3.354102f, 31.61577f, 120},
        // Socket 1.5 x 2 = 3 ft: 0.15 x 40000 / 2000 = 3 tsf on 9.426 ft.
        {"socket diameter scales with the trial diameter",
         [] {
             Layer L = uniform(7);
             set(L.QUR, 40000);
             set(L.QUCON, 1e7f);
             set(L.BDS, 2);
             set(L.CS, 1);
             set(L.DISCT, 0.01f);
             return L;
         },
         [] {
             StepSetup s;
             s.D = 4.5f;
             s.DB = 4.5f;
             s.DRATIO = 1.5f;
             return s;
         }(),
         3.0f, 28.278f, 120},
        {"rock without a socket diameter uses the stem perimeter",
         [] {
             Layer L = uniform(7);
             set(L.QUR, 40000);
             set(L.QUCON, 1e7f);
             set(L.CS, 1);
             set(L.DISCT, 0.01f);
             return L;
         },
         StepSetup{}, 3.0f, 28.278f, 120},
        // Recomputed at 10 ft: 2 - 0.15 x 3.048^0.75 = 1.65398; sigma at mid-step 60 psf.
        {"gravelly sand with the computed coefficient",
         [] {
             Layer L = uniform(8);
             L.ISAND = 2;
             L.coefComputed = true;
             set(L.COEF, 1.8f, 1.5f);
             set(L.BLOWS, 30);
             return L;
         },
         [] {
             StepSetup s;
             s.SIGV = 0;
             return s;
         }(),
         0.0496194f, 0.0496194f * perimeter3, 120},
        // At 30 ft: 3.4 exp(-0.085 x 9.144) = 1.56289; (10000 + 120 - 60) / 2000 x 1.56289, no 2.1 limit.
        {"gravel with the computed coefficient is not limited",
         [] {
             Layer L = uniform(9);
             L.ISAND = 2;
             L.coefComputed = true;
             set(L.COEF, 3.0f, 1.0f);
             set(L.BLOWS, 40);
             return L;
         },
         [] {
             StepSetup s;
             s.z = 30;
             s.SIGV = 10000;
             return s;
         }(),
         7.861327f, 7.861327f * perimeter3, 10120},
        // tan 30 x 1000 x 0.7 x 2.5 x 0.5 / 2000.
        {"uplift on a bell scales the K shear",
         [] {
             Layer L = uniform(1);
             L.ISAND = 1;
             set(L.COEF, 0.5f);
             set(L.PHI, 30);
             return L;
         },
         [] {
             StepSetup s;
             s.load = 2;
             s.UPRED = 0.7f;
             s.RATIO = 2.5f;
             s.SIGV = 880;
             return s;
         }(),
         0.2525907f, 0.2525907f * perimeter3, 1000},
        {"a coefficient at one end only adds nothing",
         [] {
             Layer L = uniform(2);
             set(L.CU, 1000);
             set(L.COEF, 0.5f, 0);
             set(L.NC, 9);
             return L;
         },
         StepSetup{}, 0, 1e-10f, 120},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome o = run(c.layer(), c.setup);
        EXPECT_NEAR(o.r.f, c.f, std::fabs(c.f) * 2e-5 + 1e-7);
        EXPECT_NEAR(o.w.QS, c.QS, std::fabs(c.QS) * 2e-5 + 1e-12);
        EXPECT_NEAR(o.w.SIGV, c.SIGV, 1e-2);
    }
}

TEST(SideResistance, LrfdSumUsesTheLayerFactor)
{
    Layer clay = uniform(2);
    set(clay.CU, 1000);
    set(clay.COEF, 0.55f);
    set(clay.NC, 9);
    clay.RFSIDE = 0.6f;
    const Outcome o = run(clay, StepSetup{});
    EXPECT_NEAR(o.w.QS, 9.426 * 0.275, 1e-4);
    EXPECT_NEAR(o.w.QSLRFD, 9.426 * 0.275 * 0.6, 1e-4) << "1.5553 tons";
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

TEST(BaseResistance, NamedCases)
{
    struct Case {
        const char *name;
        std::function<Layer()> layer;
        StepSetup setup;
        Real QB;
    };
    const Real ab3 = kPi * 9 / 4; // 7.0695 ft²
    const Case cases[] = {
        // cu 1500 psf: Nc 8 + 0.5 = 8.5; r = 4.5 / 3 = 1.5 < 3: x 0.6666667 x 1.25; cu 0.75 tsf.
        {"clay Nc from strength and embedment",
         [] {
             Layer L = uniform(2);
             set(L.CU, 1500);
             set(L.COEF, 0.5f);
             return L;
         },
         [] {
             StepSetup s;
             s.z = 4.5f;
             return s;
         }(),
         ab3 * 0.75f * 8.5f * 0.6666667f * 1.25f},
        // No undrained strength: cu = N / 10 = 2 tsf, Nc 9.
        {"clay strength from the blow count",
         [] {
             Layer L = uniform(2);
             set(L.BLOWS, 20);
             set(L.COEF, 0.5f);
             set(L.NC, 9);
             return L;
         },
         StepSetup{}, ab3 * 18},
        // phi 38: 25.6 tsf, 15 ft < 10 x 3 ft: x 15 / 30; no large-base reduction at 3 ft.
        {"sand shallow-depth reduction only",
         [] {
             Layer L = uniform(1);
             L.ISAND = 1;
             set(L.PHI, 38);
             set(L.COEF, 0.5f);
             return L;
         },
         [] {
             StepSetup s;
             s.sandTip = 1;
             s.z = 15;
             return s;
         }(),
         ab3 * 25.6f * 15 / 30},
        {"sand blow count of exactly 50: 30 tsf",
         [] {
             Layer L = uniform(1);
             L.ISAND = 1;
             set(L.BLOWS, 50);
             set(L.COEF, 0.5f);
             return L;
         },
         StepSetup{}, ab3 * 30},
        // Ksp = (3 + 1/3) / (10 x 2) = 0.16667; 3 Ksp x 100 tsf x 0.7854 x 9.
        {"strong rock of type 4 above 1000 psi carries base",
         [] {
             Layer L = uniform(4);
             set(L.QUR, 200000);
             set(L.QUCON, 200000);
             set(L.BDS, 3);
             set(L.CS, 1);
             set(L.DISCT, 0.01f);
             return L;
         },
         StepSetup{}, 3 * (10.0f / 3 / 20) * 100 * 0.7854f * 9},
        // A fixed 20 tsf on the socket area 0.7854 x 2² = 3.1416 ft², not on the 3 ft base.
        {"fixed unit base on a rock socket uses the socket area",
         [] {
             Layer L = uniform(7);
             set(L.QUR, 1440000);
             set(L.QUCON, 1e8f);
             set(L.BDS, 2);
             set(L.CS, 1);
             set(L.DISCT, 0.01f);
             set(L.QBLIM, -40000);
             return L;
         },
         StepSetup{}, 20 * 0.7854f * 4},
        // Socket diameter taken as the 3 ft stem: 3 x 0.16667 x 720 x 7.0686 = 2545 tons.
        {"strong rock without a socket diameter uses the stem",
         [] {
             Layer L = uniform(7);
             set(L.QUR, 1440000);
             set(L.QUCON, 1e8f);
             set(L.CS, 1);
             set(L.DISCT, 0.01f);
             return L;
         },
         StepSetup{}, 3 * (10.0f / 3 / 20) * 720 * 0.7854f * 9},
        {"strong rock without a joint spacing gives no base",
         [] {
             Layer L = uniform(7);
             set(L.QUR, 1440000);
             set(L.QUCON, 1e8f);
             set(L.BDS, 3);
             set(L.DISCT, 0.01f);
             return L;
         },
         StepSetup{}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome o = run(c.layer(), c.setup);
        EXPECT_TRUE(std::isfinite(o.r.QB));
        EXPECT_NEAR(o.r.QB, c.QB, std::fabs(c.QB) * 2e-5 + 1e-6);
    }
}

TEST(BaseResistance, RockSocketWithoutDiameterSetsAreaAndZoneFromTheStem)
{
    Layer rock = uniform(7);
    set(rock.QUR, 1440000);
    set(rock.QUCON, 1e8f);
    set(rock.CS, 1);
    set(rock.DISCT, 0.01f);
    const Outcome o = run(rock, StepSetup{});
    EXPECT_NEAR(o.w.Ab, 0.7854 * 9, 1e-4);
    EXPECT_EQ(o.w.zone, 6);
    EXPECT_EQ(o.w.rockFlag, 0);
}

TEST(BaseResistance, ALimitGivenOnlyAtTheBottomHoldsExactlyThere)
{
    // "No limit" (1E10 psf) at the top and a limit at the bottom: at the bottom step the limit is
    // the bottom value itself, not that value plus the rounding of 1E10 (1024 psf in single precision).
    struct Case {
        const char *name;
        Real z;        // the step; the layer is 0 to 10 ft
        Real f, QB;    // tsf, tons
    };
    const Real ab3 = kPi * 9 / 4;
    const Case cases[] = {
        // Clay cu 10000 psf, alpha 0.55: 2.75 tsf capped at 4000 / 2000 = 2.0 tsf; base 9 x 5 = 45
        // tsf capped at 40000 / 2000 = 20 tsf.
        {"at the layer bottom", 10, 2.0f, 20 * ab3},
        {"past the layer bottom (fractional top portion)", 10.6f, 2.0f, 20 * ab3},
        // Nine tenths of the way down the limit is still about 1E9 psf: no cap.
        {"inside the layer", 9, 2.75f, 40 * ab3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Layer clay = uniform(2, 10);
        set(clay.CU, 10000);
        set(clay.COEF, 0.55f);
        set(clay.NC, 9);
        set(clay.TRANLM, NOLIMIT, 4000);
        set(clay.QBLIM, NOLIMIT, 40000);
        StepSetup s;
        s.z = c.z;
        s.L = 30; // deep enough for no embedment reduction of Nc (given here anyway)
        const Outcome o = run(clay, s);
        EXPECT_NEAR(o.r.f, c.f, 1e-6);
        EXPECT_NEAR(o.r.QB, c.QB, c.QB * 1e-6);
    }
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

TEST(StepNotes, EachMessageGoesToItsFiles)
{
    // Clay 0-4 ft by blow count (4 steps), sand 4-8 ft at 40 pcf with N 60 (4 steps), gravel
    // 8-10 ft with N 20 and a computed coefficient (2 steps), gravelly sand with N 40 below.
    const wholerun::RunOutput r = wholerun::analyse("cap-step-notes.tnd");
    ASSERT_EQ(r.result, 0);
    struct Case {
        const char *name;
        const char *text;
        std::size_t report, runtime;
    };
    const Case cases[] = {
        {"clay strength from blow counts", "THE PREDICTED LOAD TRANSFER IN CLAY BASED ON THE N-VALUE", 4, 0},
        {"sand tip by blow count over 50", "                BLOWS PER FOOT IS =    60.00\n", 4, 0},
        {"missing unit weight", "PLEASE INPUT THE TOTAL UNIT WEIGHT FOR THE SOIL.  THE PROGRAM", 0, 4},
        {"missing sand strength", "PLEASE INPUT EITHER THE N-VALUE", 0, 0},
        {"gravel blow counts of 25 or less", "Blow counts should be greater than 25 for this criterion.", 2, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(count(r.report, c.text), c.report);
        EXPECT_EQ(count(r.runtime, c.text), c.runtime);
    }
}

TEST(StepNotes, Framing)
{
    const wholerun::RunOutput r = wholerun::analyse("cap-step-notes.tnd");
    struct Case {
        const char *name;
        const std::string *file;
        std::string block;
    };
    const Case cases[] = {
        {"clay warning: two empty lines before, two after", &r.report,
         "\n\n\n*********************WARNING**********************\n"
         "THE PREDICTED LOAD TRANSFER IN CLAY BASED ON THE N-VALUE\n"
         "FROM STANDARD PENETRATION TESTS IS NOT RECOMMENDED FOR\n"
         "THE FINAL DESIGN.  PLEASE INPUT THE UNDRAIDED SHEAR\n"
         "STRENGTH FOR CLAY LAYERS IN THE FINAL DESIGN.\n\n\n"},
        {"sand tip warning, two empty lines after", &r.report,
         "\n                 WARNING MESSAGE                \n"
         "  ------------------------------------------------------------\n"
         "                BLOWS PER FOOT IS =    60.00\n"
         "  UNIT TIP RESISTANCE IS LIMITED TO 30 TSF IF SPT-N IS OVER 50.\n"
         "  LOADING TEST IS RECOMMENDED FOR USING HIGHER VALUE.\n\n\n"},
        {"unit weight error in the run-time file", &r.runtime,
         "\n\n*********************ERROR**********************\n"
         "PLEASE INPUT THE TOTAL UNIT WEIGHT FOR THE SOIL.  THE PROGRAM\n"
         "WILL CONSIDER THE SUBMERGED UNIT WEIGHT INTERNALLY IF THE SOIL\n"
         "IS BELOW THE WATER TABLE WHICH SHOULD BE ENTERED BY THE USER\n\n\n"},
        {"gravel warning in the report: one empty line after", &r.report,
         "\n\n\n*****************WARNING*********************\n"
         "       Blow counts should be greater than 25 for this criterion.\n"
         "       Select other soil criteria and do not use this output data.\n\n"},
        {"gravel warning in the run-time file", &r.runtime,
         "\n\n\n*****************WARNING*********************\n"
         "       Blow counts should be greater than 25 for this criterion.\n"
         "       Select other soil criteria and do not use this output data.\n\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NE(c.file->find(c.block), std::string::npos);
    }
}

TEST(EffectiveStress, NeverFallsThroughRockUnderWater)
{
    // Water at the surface, weak rock 0 to 40 ft (no unit weight), sand 40 to 80 ft at 120 pcf
    // (18.85 kN/cu m = 119.997 pcf in SI) by beta 0.5, 3 ft shaft. The rock steps add nothing,
    // so the sand starts from 0 and each of its steps adds GAMMA - 62.4: at the k-th sand step
    // the mid-step stress is (GAMMA - 62.4)(k - 0.5) and f = that / 2000 x 0.5, QS rising.
    struct Case {
        const char *name;
        const char *project;
        double gamma;
    };
    const Case cases[] = {{"English", "cap-sand-below-weak-rock.tnd", 120},
                          {"SI", "cap-sand-below-weak-rock-si.tnd", 18.85 * 6.3659}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Profile pr;
        const DepthWalk walk = walkOf(c.project, pr);
        ASSERT_EQ(walk.lastTip, 80);
        double previousQS = walk.at(40).QS;
        for (int k = 1; k <= 40; ++k) {
            SCOPED_TRACE("sand step " + std::to_string(k));
            const FootRecord &rec = walk.at(40 + k);
            ASSERT_TRUE(rec.stored);
            const double f = (c.gamma - 62.4) * (k - 0.5) / 2000 * 0.5;
            EXPECT_NEAR(rec.f, f, 1e-4 * f + 1e-6);
            EXPECT_GT(rec.QS, previousQS);
            EXPECT_NEAR(rec.QS - previousQS, 3.142 * 3 * f, 2e-3 * f + 1e-3);
            previousQS = rec.QS;
        }
        EXPECT_NEAR(walk.state.SIGV, (c.gamma - 62.4) * 40, 0.05);
    }
}

TEST(EffectiveStress, DecomposedRockBelowStrongRockUnderWater)
{
    // Water at the surface, strong rock 0 to 20 ft, decomposed rock 20 to 60 ft at 130 pcf,
    // N 50, a 3 ft socket; proposed depth 50 ft. Above 50 + 2 x 3 = 56 ft each step takes the
    // walk's stress, which starts from 0 below the rock: 67.6 k psf at the k-th step. Side and
    // base of the step follow from it.
    Profile pr;
    const DepthWalk walk = walkOf("rock-decomposed-below-strong.tnd", pr);
    ASSERT_GE(walk.lastTip, 55);
    double previousQS = walk.at(20).QS;
    for (int k = 1; k <= 35; ++k) {
        SCOPED_TRACE("decomposed-rock step " + std::to_string(k));
        const FootRecord &rec = walk.at(20 + k);
        ASSERT_TRUE(rec.stored);
        const GeomaterialValues v = decomposedStep(static_cast<Real>(67.6 * k), 50, 3);
        ASSERT_GT(v.SHEAR, 0);
        EXPECT_NEAR(rec.f, v.SHEAR / 2000, 1e-4 * v.SHEAR / 2000);
        EXPECT_NEAR(rec.base, v.QBTOT, 1e-4 * v.QBTOT);
        EXPECT_GT(rec.QS, previousQS);
        previousQS = rec.QS;
    }
}
