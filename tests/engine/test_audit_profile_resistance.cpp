// One depth step: side and base resistance in named cases, values worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "profile.h"
#include "resistance.h"

using namespace engine;

namespace {

void set(Real (&v)[2], Real top, Real bottom)
{
    v[TOP] = top;
    v[BOTTOM] = bottom;
}
void set(Real (&v)[2], Real value) { set(v, value, value); }

Layer uniform(int type, Real bottom = 50)
{
    Layer L;
    L.TYPE = type;
    L.SOIL = static_cast<Real>(type);
    L.DEPTH = bottom;
    L.RFSIDE = L.RFTIP = 1;
    set(L.TRANLM, NOLIMIT);
    set(L.QBLIM, NOLIMIT);
    set(L.GAMMA, 120);
    return L;
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

} // namespace

TEST(AuditSideStep, NamedCases)
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

TEST(AuditSideStep, LrfdSumUsesTheLayerFactor)
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

TEST(AuditBaseStep, NamedCases)
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

TEST(AuditBaseStep, RockSocketWithoutDiameterSetsAreaAndZoneFromTheStem)
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

TEST(AuditLimits, ALimitGivenOnlyAtTheBottomHoldsExactlyThere)
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
