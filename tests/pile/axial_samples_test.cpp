// Soil samples along a pile: sample depths, input and estimated maximum side
// resistance (alpha and beta methods), the generator chosen by pile type and
// soil code, and the two reading rules (side resistance, axial rigidity).
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "pile/axial_samples.h"
#include "support/soil_profile.h"

namespace zolan {
namespace {

// A layer with constant properties (unit weight, cohesion, friction angle in
// degrees, input maximum side resistance).
struct Soil { int code; double top, bot, gam, coh, phideg, fmax; };

void set_soil(std::initializer_list<Soil> layers) {
    reset_soil_tables();
    NLAYPY = static_cast<int>(layers.size());
    NSCPT = NUWPT = 2 * NLAYPY;
    int L = 0;
    for (const Soil& s : layers) {
        test::soil_layer(++L, s.code, s.top, s.bot);
        test::layer_value(SCGAM, L, s.gam);
        test::layer_value(SCCOH, L, s.coh);
        test::layer_value(SCPHI, L, s.phideg * 3.14159265358979 / 180.0);
        test::layer_value(SCFMAX, L, s.fmax);
    }
}

// Pile row 1 of property set 1: one section of diameter D, length 1200.
void set_pile(int ptype, double xtop, double ground, double D) {
    reset_pile_tables();
    reset_section_tables();
    IPROP(1) = 1;
    XTOP(1) = xtop;
    GROUND(1) = ground;
    PLENP(1) = 1200.0;
    NINCR(1) = 10;
    PTYPED(1) = ptype;
    NSECP(1) = 1;
    SECTAB(1, 1, SEC_DBOT) = 1200.0;
    SECTAB(1, 1, SEC_TOP + SP_DIA) = SECTAB(1, 1, SEC_BOT + SP_DIA) = D;
    SECTAB(1, 1, SEC_TOP + SP_ARE) = SECTAB(1, 1, SEC_BOT + SP_ARE) = 100.0;
    EMODS(1, 1, 1) = EMODS(1, 1, 2) = 4.0e6;
}

class AxialSamples : public ::testing::Test {
protected:
    void SetUp() override {
        saved_units_ = NUNITS;
        NUNITS = 1;
        TOLDEP = 1.0e-6;
        KBATAD = 0;
    }
    void TearDown() override {
        NUNITS = saved_units_;
        reset_soil_tables();
        reset_pile_tables();
        reset_section_tables();
    }
    int saved_units_ = 1;
};

// Sample depths and maximum side resistance. English units, one layer 0..1200 in.
// Samples: X1 = 0, X2 = XTOP + GROUND, X3 = X2 + 0.1, X4 = (X3 + 1200) / 2, X5 = 1199.9;
// the first two always carry 1e-6.
TEST_F(AxialSamples, DepthsAndMaximumSideResistance) {
    struct Case {
        const char* what;
        int ptype;
        Soil soil;
        double ground;
        double x[5], fmax[5];
    };
    const Case cases[] = {
        // Driven pile, clay c = 10 psi, gamma = 0.04 pci, ground at the head:
        // X3 = 0.1: psi = 10 / 0.1 / 0.04 = 2500, alpha = 0.5 / 2500^0.25 = 0.0707107 -> 0.707107
        // X4 = 600.05: psi = 10 / 600.05 / 0.04 = 0.416632, alpha = 0.5 / sqrt(psi) = 0.774629 -> 7.74629
        // X5 = 1199.9: psi = 0.208351, alpha = 1.095399, held to 1 -> 10
        {"driven clay", 1, {1, 0, 1200, 0.04, 10.0, 0, 0}, 0.0,
         {0, 0, 0.1, 600.05, 1199.9}, {1e-6, 1e-6, 0.707107, 7.74629, 10.0}},
        // c = 3 psi < 3.47: a small alpha becomes 1 (X3: psi = 750, alpha 0.0955 -> 1, fmax = 3);
        // X4: psi = 0.124990 < 1, alpha = 1.414272, held to 1 -> 3;
        // X5: psi = 0.0625052, alpha = 1.999917, held to 1 -> 3
        {"driven soft clay", 1, {1, 0, 1200, 0.04, 3.0, 0, 0}, 0.0,
         {0, 0, 0.1, 600.05, 1199.9}, {1e-6, 1e-6, 3.0, 3.0, 3.0}},
        // Silt (code 7), c = 3 psi, phi = 30 deg, ground at the head: the sand part plus alpha c.
        // X3 = 0.1: 0.00149322 (as for sand), psi = 750, alpha 0.0955 < 0.5 with c < 3.47 -> 1: + 3
        // X4 = 600.05: 0.04 x 0.8 x 600.05 x tan(0.5235988 - 0.087) = 19.2016 x 0.4666321 = 8.960083,
        //   psi = 0.124990, alpha 1.414272 held to 1: + 3 -> 11.960083
        // X5 = 1199.9: 0.032 x 1199.9 x 0.4666321 = 17.917180, psi = 0.0625052, alpha held to 1: + 3
        {"driven silt", 1, {7, 0, 1200, 0.04, 3.0, 30.0, 0}, 0.0,
         {0, 0, 0.1, 600.05, 1199.9}, {1e-6, 1e-6, 3.00149322, 11.960083, 20.917180}},
        // Driven pile, sand phi = 30 deg, gamma = 0.04, ground 24 below the head:
        // X3 = 24.1, zg = 0.1: 0.04 x 0.8 x 0.1 x tan(0.5235988 - 0.087) = 0.0032 x 0.466632 = 0.00149322
        // X4 = 612.05, zg = 588.05: 0.04 x 0.8 x 588.05 x 0.466632 = 8.78090
        // X5: zg = 1175.9: 17.55881
        {"driven sand", 1, {4, 0, 1200, 0.04, 0, 30.0, 0}, 24.0,
         {0, 24, 24.1, 612.05, 1199.9}, {1e-6, 1e-6, 0.00149322, 8.78090, 17.55881}},
        // Drilled shaft, same sand: beta from the depth below the origin in feet, zg from the ground:
        // X3: d = 2.00833 ft, beta = 1.5 - 0.135 sqrt(d) = 1.30868 -> 1.2; 0.04 x 0.1 x 1.2 = 0.0048
        // X4: d = 51.0042, beta = 0.535868; 0.04 x 588.05 x 0.535868 = 12.60468
        // X5: d = 99.9917, beta = 0.150056 -> 0.25; 0.04 x 1175.9 x 0.25 = 11.759
        {"drilled sand", 2, {4, 0, 1200, 0.04, 0, 30.0, 0}, 24.0,
         {0, 24, 24.1, 612.05, 1199.9}, {1e-6, 1e-6, 0.0048, 12.60468, 11.759}},
        // Drilled shaft in clay: 0.55 c = 5.5; rock (code 9): 0.1 c = 1.0
        {"drilled clay", 2, {2, 0, 1200, 0.04, 10.0, 0, 0}, 0.0,
         {0, 0, 0.1, 600.05, 1199.9}, {1e-6, 1e-6, 5.5, 5.5, 5.5}},
        {"drilled rock", 2, {9, 0, 1200, 0.04, 10.0, 0, 0}, 0.0,
         {0, 0, 0.1, 600.05, 1199.9}, {1e-6, 1e-6, 1.0, 1.0, 1.0}},
        // An input value is kept (no estimate), except at the first two samples.
        {"input fmax", 1, {1, 0, 1200, 0.04, 10.0, 0, 2.5}, 0.0,
         {0, 0, 0.1, 600.05, 1199.9}, {1e-6, 1e-6, 2.5, 2.5, 2.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        set_soil({c.soil});
        set_pile(c.ptype, 0.0, c.ground, 24.0);
        AXSAMP s;
        int st = 0;
        AXTZC(1, 1, st, s);
        ASSERT_EQ(st, 0);
        ASSERT_EQ(s.NS, 5);
        for (int g = 1; g <= 5; ++g) {
            // the offset 0.1 is single precision (0.10000000149)
            EXPECT_NEAR(s.X(g), c.x[g - 1], 2e-9) << "sample " << g;
            // TZCRV3 replaces a non-positive fmax by 0.001; none occurs here.
            EXPECT_NEAR(s.fmax(g), c.fmax[g - 1], 2e-6 * c.fmax[g - 1]) << "sample " << g;
            EXPECT_EQ(s.npts(g), 10);
        }
    }
}

// A ground line at the pile below layer 1 (a pile in an excavation): layer 1's
// samples lie above it and a drilled shaft in sand takes no friction there
// (gamma x zg x beta would be negative). Layers 0..300 and 300..1200, ground at 600:
// X4 = (600.1 + 300) / 2 = 450.05 and X5 = 299.9 are above; X7 = (300.1 + 1200) / 2 = 750.05,
// zg = 150.05, d = 62.504 ft, beta = 1.5 - 0.135 x 7.90597 = 0.432696: 0.04 x 150.05 x beta = 2.597040.
TEST_F(AxialSamples, NoFrictionAboveTheGroundLine) {
    set_soil({{4, 0, 300, 0.04, 0, 30.0, 0}, {4, 300, 1200, 0.04, 0, 30.0, 0}});
    set_pile(2, 0.0, 600.0, 24.0);
    AXSAMP s;
    int st = 0;
    AXTZC(1, 1, st, s);
    ASSERT_EQ(st, 0);
    ASSERT_EQ(s.NS, 8);
    EXPECT_EQ(s.fmax(4), 0.0);
    EXPECT_EQ(s.fmax(5), 0.0);
    EXPECT_EQ(s.T(5, 4), 0.0);
    EXPECT_NEAR(s.fmax(7), 2.597040, 2e-6 * 2.597040);
}

// The generator by pile type, soil code and (drilled code 5) friction angle,
// seen in the last point of sample 4's curve: TZCRV1/2 z = 0.1 D (2.4 in) with
// t/fmax 0.95 / 0.835, TZCRV3 z = 2.5 in, TZCRV4 z = 10 in with 0.93, TZCRV5 z = 0.1 D with 0.8.
TEST_F(AxialSamples, GeneratorByPileTypeAndSoilCode) {
    struct Case { int ptype, code; double phideg, z10, f10; };
    const Case cases[] = {
        {1, 1, 0, 10.0, 0.93},   {1, 6, 0, 10.0, 0.93},  {1, 11, 0, 10.0, 0.93},
        {1, 5, 0, 2.4, 0.8},     {1, 12, 0, 2.4, 0.8},
        {2, 4, 30, 2.4, 0.95},   {2, 7, 30, 2.4, 0.95},  {2, 3, 0, 2.4, 0.835},
        {2, 12, 0, 2.4, 0.835},
        {2, 5, 2.0, 2.4, 0.95},  // user p-y layer above 1 degree: cohesionless
        {2, 5, 0.5, 2.4, 0.835}, // below 1 degree: cohesive
        {2, 5, 1.0, 2.4, 0.835}, // exactly 1 degree: taken as cohesive
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.ptype << " code " << c.code << " phi " << c.phideg);
        set_soil({{c.code, 0, 1200, 0.04, 10.0, c.phideg, 2.0}});  // fmax given as 2 psi
        set_pile(c.ptype, 0.0, 0.0, 24.0);
        AXSAMP s;
        int st = 0;
        AXTZC(1, 1, st, s);
        ASSERT_EQ(st, 0);
        EXPECT_NEAR(s.phi(4), c.phideg, 1e-4);
        EXPECT_NEAR(s.Z(10, 4), c.z10, 1e-6 * c.z10);
        EXPECT_NEAR(s.T(10, 4) / s.fmax(4), c.f10, 1e-6);
    }
}

// Rule 1, on a hand-made table: samples at 0, 10, 20 with the curves
// (0,0) (1,10) (2,10); (0,0) (1,20) (2,30); (0,0) (2,40) (4,40).
TEST(AxialSampleReading, SideResistanceAtDepthAndMovement) {
    AXSAMP s;
    s.NS = 3;
    const double X[3] = {0, 10, 20};
    const double Z[3][3] = {{0, 1, 2}, {0, 1, 2}, {0, 2, 4}};
    const double T[3][3] = {{0, 10, 10}, {0, 20, 30}, {0, 40, 40}};
    for (int g = 1; g <= 3; ++g) {
        s.X(g) = X[g - 1];
        s.npts(g) = 3;
        for (int i = 1; i <= 3; ++i) {
            s.Z(i, g) = Z[g - 1][i - 1];
            s.T(i, g) = T[g - 1][i - 1];
        }
    }
    struct Case { double x, w, t; };
    const Case cases[] = {
        {-1.0, 1.0, 0.0},   // above the depth origin: none
        {0.0, 0.5, 5.0},    // at sample 1: its curve alone
        {5.0, 0.5, 7.5},    // between 1 and 2: 5 + (10 - 5) x 5/10
        {10.0, 1.5, 25.0},  // at sample 2: 20 + 10 x 0.5
        {10.0, 1.0, 20.0},  // on a point of the curve
        {15.0, 3.0, 35.0},  // beyond the last point of curve 2 (30) and on curve 3 (40): mean
        {25.0, 1.0, 20.0},  // below the last sample: its curve
        {25.0, 9.0, 40.0},  // beyond its last point: the last value, no extrapolation
        {5.0, 0.0, 0.0},    // no movement
    };
    for (const Case& c : cases) EXPECT_NEAR(AXSIDE(s, c.x, c.w), c.t, 1e-12) << "x " << c.x << " w " << c.w;
}

// Rule 2: AE linear within each section, held at the ends of the profile.
// Sections (0..10) AE 100 -> 200 and (10..30) AE 50 -> 150.
TEST(AxialSampleReading, RigidityAlongThePile) {
    AXSAMP s;
    s.NB = 4;
    const double B[4] = {0, 10, 10, 30}, A[4] = {100, 200, 50, 150};
    for (int k = 1; k <= 4; ++k) {
        s.BP(k) = B[k - 1];
        s.AEP(k) = A[k - 1];
    }
    struct Case { double y, ae; };
    const Case cases[] = {
        {-5, 100}, {0, 100}, {5, 150},
        {10, 200},  // the bottom of section 1 belongs to it
        {20, 100},  // 50 + 100 x 10/20
        {30, 150}, {45, 150},
    };
    for (const Case& c : cases) EXPECT_NEAR(AXAE(s, c.y), c.ae, 1e-12) << "y " << c.y;
}

// The shaft profile from the section tables: two sections, AE = area x modulus
// at each end, and D from section 1.
TEST_F(AxialSamples, ShaftProfileFromSections) {
    set_soil({{1, 0, 1200, 0.04, 10.0, 0, 1.0}});
    set_pile(1, 0.0, 0.0, 24.0);
    NSECP(1) = 2;
    SECTAB(1, 1, SEC_DBOT) = 400.0;
    SECTAB(1, 2, SEC_DTOP) = 400.0;
    SECTAB(1, 2, SEC_DBOT) = 1200.0;
    SECTAB(1, 2, SEC_TOP + SP_DIA) = 18.0;
    SECTAB(1, 2, SEC_TOP + SP_ARE) = 50.0;
    SECTAB(1, 2, SEC_BOT + SP_ARE) = 40.0;
    EMODS(1, 2, 1) = 3.0e6;
    EMODS(1, 2, 2) = 2.0e6;
    AXSAMP s;
    int st = 0;
    AXTZC(1, 1, st, s);
    ASSERT_EQ(st, 0);
    EXPECT_EQ(s.D, 24.0);
    ASSERT_EQ(s.NB, 4);
    // breakpoints 0, 400, 400, 1200; AE 100 x 4e6 = 4e8 twice, 50 x 3e6 = 1.5e8, 40 x 2e6 = 8e7
    const double B[4] = {0, 400, 400, 1200}, A[4] = {4e8, 4e8, 1.5e8, 8e7};
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(s.BP(k), B[k - 1]);
        EXPECT_EQ(s.AEP(k), A[k - 1]);
    }
    // at 800: 1.5e8 + (8e7 - 1.5e8) x 400/800 = 1.15e8
    EXPECT_NEAR(AXAE(s, 800.0), 1.15e8, 1.0);
}

// A ground line below the soil profile: the side-resistance lookup at sample 2
// fails with status 25 and the call returns at once.
TEST_F(AxialSamples, LookupBeyondTheProfileStops) {
    set_soil({{1, 0, 100, 0.04, 10.0, 0, 0}});
    set_pile(1, 0.0, 150.0, 24.0);
    AXSAMP s;
    int st = 0;
    AXTZC(1, 1, st, s);
    EXPECT_EQ(st, 25);
    EXPECT_EQ(s.npts(1), 10);  // sample 1 was done
    EXPECT_EQ(s.npts(2), 0);   // sample 2 was not
}

}  // namespace
}  // namespace zolan
