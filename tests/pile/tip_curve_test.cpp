// Tip resistance and q-w curve: capacity by tip class and pile type, the
// curve shapes, the stops 32 and 33 with their exact warning blocks, the
// reading rule, and the tip stage of a pile row (direction, tip layer, batter).
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>

#include "model/status_codes.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "pile/tip_curve.h"
#include "support/soil_profile.h"
#include "report/run_files.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// A layer with constant properties; the friction angle in radians.
struct Soil { int code; double top, bot, gam, coh, phi, qmax, e50; };

void set_soil(std::initializer_list<Soil> layers) {
    reset_soil_tables();
    NLAYPY = static_cast<int>(layers.size());
    NSCPT = NUWPT = 2 * NLAYPY;
    int L = 0;
    for (const Soil& s : layers) {
        test::soil_layer(++L, s.code, s.top, s.bot);
        test::layer_value(SCGAM, L, s.gam);
        test::layer_value(SCCOH, L, s.coh);
        test::layer_value(SCPHI, L, s.phi);
        test::layer_value(SCQMAX, L, s.qmax);
        test::layer_value(SCE50, L, s.e50);
    }
}

class TipCurve : public ::testing::Test {
protected:
    void SetUp() override {
        saved_units_ = NUNITS;
        NUNITS = 1;
        TOLDEP = 1.0e-6;
        KBATAD = 0;
    }
    void TearDown() override {
        io::close_unit(RESFILE);
        io::close_unit(RUNFILE);
        NUNITS = saved_units_;
        KBATAD = 0;
        reset_soil_tables();
        reset_pile_tables();
        reset_section_tables();
    }
    int saved_units_ = 1;
};

// Tip at 600 in in one layer 0..1200, H = 600, A = 100 in^2, D = Dtip = 12 in.
// Capacity by the tip class and the pile type.
TEST_F(TipCurve, CapacityByTipClassAndPileType) {
    const double PHI325 = 32.5 / 57.296;  // 57.296 phi_t = 32.5 degrees: Nq = 20 + 20 x 2.5/5 = 30
    struct Case { const char* what; int units, ptype; Soil soil; double A, Qtip; };
    const Case cases[] = {
        // clay: 9 c A = 9 x 10 x 100
        {"driven clay", 1, 1, {1, 0, 1200, 0.04, 10, 0, 0, 0.01}, 100, 9000},
        {"clay, input qmax 50 psi", 1, 1, {1, 0, 1200, 0.04, 10, 0, 50, 0.01}, 100, 5000},
        // sand, driven: Nq gamma H A = 30 x 0.04 x 600 x 100
        {"driven sand", 1, 1, {4, 0, 1200, 0.04, 0, PHI325, 0, 0}, 100, 72000},
        // silt adds 9 c A = 900
        {"driven silt", 1, 1, {7, 0, 1200, 0.04, 1, PHI325, 0, 0}, 100, 72900},
        // drilled sand by friction angle: below 0.5236 rad a force of 0.1; then 222.2 A; from 0.628 rad 555.56 A
        {"drilled sand 0.50 rad", 1, 2, {4, 0, 1200, 0.04, 0, 0.50, 0, 0}, 100, 0.1},
        {"drilled sand 0.55 rad", 1, 2, {4, 0, 1200, 0.04, 0, 0.55, 0, 0}, 100, 22220},
        {"drilled sand 0.70 rad", 1, 2, {4, 0, 1200, 0.04, 0, 0.70, 0, 0}, 100, 55556},
        // SI, A = 0.01 m^2: 1530 x 0.01 = 15.3 kN
        {"drilled sand SI", 2, 2, {8, 0, 30, 9.0, 0, 0.55, 0, 0}, 0.01, 15.3},
        // rock: the input qmax x A, else 9 c A
        {"rock, no qmax", 1, 1, {9, 0, 1200, 0.04, 10, 0, 0, 0.01}, 100, 9000},
        {"rock, qmax 200", 1, 2, {9, 0, 1200, 0.04, 10, 0, 200, 0}, 100, 20000},
        // cohesion 0.2 with no friction: stiff clay whatever the code: 9 x 0.2 x 100
        {"sand with cohesion only", 1, 2, {4, 0, 1200, 0.04, 0.2, 0, 0, 0}, 100, 180},
        // elastic subgrade keeps the input value (none; some friction, so not taken as clay)
        {"elastic subgrade", 1, 2, {12, 0, 1200, 0.04, 10, 0.3, 0, 0}, 100, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NUNITS = c.units;
        set_soil({c.soil});
        const double xt = c.units == 2 ? 15.0 : 600.0;
        AXTIP qw;
        int st = 0;
        TIPQW(c.ptype, xt, xt, c.soil.code, c.A, 12.0, 12.0, 30.0, st, qw);
        ASSERT_EQ(st, 0);
        EXPECT_NEAR(qw.Qtip, c.Qtip, 2e-6 * c.Qtip + 1e-12);
    }
}

// The bearing factor at the band edges, seen through Qtip / (gamma H A) of a driven pile in sand.
TEST_F(TipCurve, BearingFactorBands) {
    struct Case { double phid, nq; };
    const Case cases[] = {{15, 8}, {20, 8}, {22.5, 10}, {25, 12}, {30, 20}, {35, 40}, {37.5, 45}, {40, 50}, {45, 50}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phid);
        set_soil({{8, 0, 1200, 0.04, 0, c.phid / 57.296, 0, 0}});
        AXTIP qw;
        int st = 0;
        TIPQW(1, 600, 600, 8, 100, 12, 12, 30, st, qw);
        ASSERT_EQ(st, 0);
        EXPECT_NEAR(qw.Qtip / (0.04 * 600 * 100), c.nq, 1e-5);
    }
}

// q-w shapes. Driven clay: Qtip = 9000, e50 = 0.01, Dtip = 12: wm = 8 x 12 x 0.01 = 0.96,
// kc = 0.5 x 9000 / sqrt(0.24) = 9185.5865; W(k) = (k-1)/8 wm, Q = kc sqrt(W) up to 8; W(9) = wm, W(10) = 10 wm.
// Driven sand: Qtip = 72000 (Nq 30), wc = 0.05 x 12 = 0.6, Q = Qtip (W0/wc)^n.
TEST_F(TipCurve, CurveShapes) {
    const double PHI325 = 32.5 / 57.296;
    struct Case { const char* what; int units, ptype; Soil soil; double phin; int k; double W, Q; };
    const Case cases[] = {
        {"driven clay 2", 1, 1, {1, 0, 1200, 0.04, 10, 0, 0, 0.01}, 30, 2, 0.12, 3181.9805},
        {"driven clay 5", 1, 1, {1, 0, 1200, 0.04, 10, 0, 0, 0.01}, 30, 5, 0.48, 6363.9610},
        {"driven clay 8", 1, 1, {1, 0, 1200, 0.04, 10, 0, 0, 0.01}, 30, 8, 0.84, 8418.7291},
        {"driven clay 9", 1, 1, {1, 0, 1200, 0.04, 10, 0, 0, 0.01}, 30, 9, 0.96, 9000},
        {"driven clay 10", 1, 1, {1, 0, 1200, 0.04, 10, 0, 0, 0.01}, 30, 10, 9.6, 9000},
        // n = 0.5 for phi(NS) <= 31: W0(5) = 0.05: 72000 sqrt(0.05/0.6) = 20784.610
        {"driven sand n 0.5", 1, 1, {4, 0, 1200, 0.04, 0, PHI325, 0, 0}, 31, 5, 0.05, 20784.610},
        // n = 0.333 for 31 < phi <= 38: W0(10) = 5: 72000 x 8.33333^0.333 = 145869.72 (above Qtip beyond wc)
        {"driven sand n 0.333", 1, 1, {4, 0, 1200, 0.04, 0, PHI325, 0, 0}, 31.01, 10, 5.0, 145869.72},
        {"driven sand n 0.333 at 38", 1, 1, {4, 0, 1200, 0.04, 0, PHI325, 0, 0}, 38, 10, 5.0, 145869.72},
        // n = 0.25 above 38: 72000 x 8.33333^0.25 = 122331.19
        {"driven sand n 0.25", 1, 1, {4, 0, 1200, 0.04, 0, PHI325, 0, 0}, 38.01, 10, 5.0, 122331.19},
        // SI base movements x 0.0254: W(2) = 0.0001 x 0.0254 = 2.54e-6 m
        {"driven sand SI", 2, 1, {4, 0, 30, 9.0, 0, PHI325, 0, 0}, 30, 2, 2.54e-6, -1},
        // user p-y layer (with friction, so not taken as clay), driven: W = r D, Q = f Qtip:
        // point 3 r = 0.013, f = 0.5 (Qtip = 9 c A = 9000)
        {"driven code 5", 1, 1, {5, 0, 1200, 0.04, 10, 0.3, 0, 0}, 30, 3, 0.156, 4500},
        // drilled: point 8 r = 0.05: sand f = 1.015 of 22220; clay point 10 r = 0.1, f = 0.99 of 9000
        {"drilled sand", 1, 2, {4, 0, 1200, 0.04, 0, 0.55, 0, 0}, 30, 8, 0.6, 22553.3},
        {"drilled clay", 1, 2, {2, 0, 1200, 0.04, 10, 0, 0, 0}, 30, 10, 1.2, 8910},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NUNITS = c.units;
        set_soil({c.soil});
        const double xt = c.units == 2 ? 15.0 : 600.0;
        AXTIP qw;
        int st = 0;
        TIPQW(c.ptype, xt, xt, c.soil.code, c.units == 2 ? 0.01 : 100.0, 12.0, 12.0, c.phin, st, qw);
        ASSERT_EQ(st, 0);
        EXPECT_EQ(qw.W(1), 0.0);
        EXPECT_EQ(qw.Q(1), 0.0);
        EXPECT_NEAR(qw.wc, 0.6, 1e-8);
        EXPECT_NEAR(qw.W(c.k), c.W, 1e-6 * c.W);
        if (c.Q >= 0) {
            EXPECT_NEAR(qw.Q(c.k), c.Q, 1e-6 * c.Q);
        }
    }
}

// Stops of a driven pile on a cohesive tip: e50 at or below 1e-14 (32), zero
// capacity (33), each with its block on the results report and the runtime
// file; a drilled shaft or a code-5 tip never stops.
TEST_F(TipCurve, StopsWithoutE50OrCapacity) {
    const std::string E50 = "\n                             **** WARNING ****\n"
                            "     THE VALUE OF E50 AT TIP OF PILE IS EQUAL TO ZERO, LS CURVE\n";
    const std::string COH = "\n                             **** WARNING ****\n"
                            "     THE VALUE OF COHESION AT TIP OF PILE IS EQUAL TO ZERO, LS CURVE\n";
    struct Case { const char* what; int ptype; Soil soil; int status; const std::string* block; };
    const Case cases[] = {
        // vuggy limestone has no default e50
        {"no e50", 1, {6, 0, 1200, 0.04, 10, 0, 0, 0}, ISLSE50, &E50},
        {"negative e50", 1, {6, 0, 1200, 0.04, 10, 0, 0, -0.01}, ISLSE50, &E50},
        {"e50 = 1e-14", 1, {6, 0, 1200, 0.04, 10, 0, 0, 1e-14}, ISLSE50, &E50},
        {"e50 = 2e-14", 1, {6, 0, 1200, 0.04, 10, 0, 0, 2e-14}, 0, nullptr},
        // soft clay with no cohesion: 9 c A = 0
        {"no cohesion", 1, {1, 0, 1200, 0.04, 0, 0, 0, 0.01}, ISLSCOH, &COH},
        // a default e50 for stiff clay: no stop
        {"stiff clay default e50", 1, {3, 0, 1200, 0.04, 10, 0, 0, 0}, 0, nullptr},
        {"drilled, nothing", 2, {1, 0, 1200, 0.04, 0, 0, 0, 0}, 0, nullptr},
        {"driven code 5, nothing", 1, {5, 0, 1200, 0.04, 0, 0, 0, 0}, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        ASSERT_TRUE(io::open_unit(RESFILE, "res.txt", {}));
        ASSERT_TRUE(io::open_unit(RUNFILE, "run.txt", {}));
        set_soil({c.soil});
        AXTIP qw;
        int st = 0;
        TIPQW(c.ptype, 600, 600, c.soil.code, 100, 12, 12, 30, st, qw);
        io::close_unit(RESFILE);
        io::close_unit(RUNFILE);
        EXPECT_EQ(st, c.status);
        const std::string want = c.block ? *c.block : std::string();
        EXPECT_EQ(test::read_file("res.txt"), want);
        EXPECT_EQ(test::read_file("run.txt"), want);
    }
}

// Reading the q-w curve: 0 at or before the origin, linear between points,
// along the last segment beyond the last point; a segment of no length gives its later point.
TEST(TipCurveReading, LoadAtTipMovement) {
    AXTIP qw;
    const double W[10] = {0, 1, 2, 2, 3, 4, 5, 6, 7, 8};
    const double Q[10] = {0, 10, 20, 30, 40, 50, 60, 70, 80, 100};
    for (int k = 1; k <= 10; ++k) {
        qw.W(k) = W[k - 1];
        qw.Q(k) = Q[k - 1];
    }
    struct Case { double w, q; };
    const Case cases[] = {
        {-1, 0}, {0, 0}, {0.5, 5},
        {2, 20},    // the first point at 2 is reached first
        {2.5, 35},  // segment (2, 30) - (3, 40)
        {7.5, 90},  // last segment: 80 + 20 x 0.5
        {10, 140},  // beyond: 80 + 20 x 3
    };
    for (const Case& c : cases) EXPECT_NEAR(QWREAD(qw, c.w), c.q, 1e-12) << "w " << c.w;
    // A curve of a shaft without diameter: every W is 0; beyond it, the last load (no 0/0).
    AXTIP flat;
    for (int k = 2; k <= 10; ++k) flat.Q(k) = 7.0;
    EXPECT_EQ(QWREAD(flat, 0.1), 7.0);
}

// Tip stage of a pile row: the tip area by direction, the tip layer at the
// tip depth, and the vertical projection of a battered pile with KBATAD = 1.
// Driven pile, length 1200, bottom area 100; clay c = 10 down to 800, c = 20 below.
TEST_F(TipCurve, TipStageOfAPileRow) {
    struct Case { const char* what; double E; int kbatad; double batang, Qtip; };
    const Case cases[] = {
        // tip at 1200 in layer 2: 9 x 20 x 100
        {"compression", 1.0, 0, 0.0, 18000},
        {"zero movement is compression", 0.0, 0, 0.0, 18000},
        // uplift: A = 1e-4 (single precision, 9.99999975e-5): 9 x 20 x 1e-4 = 0.018
        {"uplift", -1.0, 0, 0.0, 0.018},
        // batter 60 degrees with depth adjustment: tip at 600, in layer 1: 9 x 10 x 100
        {"battered", 1.0, 1, M_PI / 3, 9000},
        // without adjustment the batter is ignored
        {"battered, no adjustment", 1.0, 0, M_PI / 3, 18000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        set_soil({{1, 0, 800, 0.04, 10, 0, 0, 0.01}, {1, 800, 1500, 0.04, 20, 0, 0, 0.01}});
        reset_pile_tables();
        reset_section_tables();
        PLENP(1) = 1200;
        PTYPED(1) = 1;
        NSECP(1) = 1;
        SECTAB(1, 1, SEC_DBOT) = 1200;
        SECTAB(1, 1, SEC_TOP + SP_DIA) = 12;
        SECTAB(1, 1, SEC_BOT + SP_ARE) = 100;
        BATANG(1) = c.batang;
        KBATAD = c.kbatad;
        AXSAMP s;
        s.D = 12;
        s.NS = 1;
        s.phi(1) = 0;
        AXTIP qw;
        int st = 0;
        AXQWC(1, 1, c.E, st, s, qw);
        ASSERT_EQ(st, 0);
        EXPECT_NEAR(qw.Qtip, c.Qtip, 1e-6 * c.Qtip);
    }
}

}  // namespace
}  // namespace zolan
