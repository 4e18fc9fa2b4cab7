// Soft clay p-y curves (codes 1 and 13) against the published criterion:
// p = 0.5 pu (y/y50)^(1/3), pu = min(3 + gamma' z / c + J z / b, 9) c b,
// y50 = 2.5 e50 b, with the static plateau from 8 y50 and the cyclic
// degradation from 3 y50; the default e50 by cohesion.
#include <gtest/gtest.h>

#include <cmath>

#include "soil/py_curves.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

// Pile row 1 of diameter b, head at the ground line (XTOP = GROUND = 0),
// nincr increments of h, unit weight gamma everywhere:
// clay_pile(b, h, nincr, gamma, {{top, bottom, code, c, e50[, J = 0.5]}, ...});
// node k at (k - 1) h belongs to the layer with top <= x < bottom (the last
// layer to its bottom).
using test::clay_pile;
using test::Springs;

class SoftClay : public test::PyModelTest {};

// b = 24 in, c = 500/144 psi, gamma' = 50/1728 pci, e50 = 0.02: c b = 83.333 lb/in,
// y50 = 2.5 * 0.02 * 24 = 1.2 in, Np = 3 + z/120 + z/48 = 3 + 7 z / 240,
// xr = 6 c b / (gamma' b + 0.5 c) = 500 / 2.430556 = 205.714 in.
constexpr double B = 24, C = 500.0 / 144, G = 50.0 / 1728, E50 = 0.02;

// p at chosen depths and deflections (deflections in multiples of y50), both
// loadings, both branches of pu, both sides of xr.
TEST_F(SoftClay, CurveAgainstThePublishedCriterion) {
    struct Case {
        int loadtyp;
        int node;      // depth (node - 1) * 12 in
        double ratio;  // Y / y50
        double p;
    };
    // z = 60: Np = 3 + 1.75 = 4.75 < 9, pu = 4.75 * 83.333 = 395.833.
    // z = 240: Np = 3 + 7 = 10 >= 9, pu = 9 c b = 750.
    // Cyclic, z = 60 < xr: pcz = 0.72 pu z / xr = 285 * 60 / 205.714 = 83.125;
    //   from 3 y50 to 15 y50: 0.72 pu + (Y - 3 y50)(pcz - 0.72 pu) / (12 y50).
    const Case cases[] = {
        {1, 6, 0.4, 145.826246821},   // 0.5 * 395.833 * 0.4^(1/3) = 197.917 * 0.736806
        {1, 6, 3.0, 285.445227457},   // 197.917 * 3^(1/3) = 197.917 * 1.442250
        {1, 6, 5.0, 338.432739446},   // 197.917 * 1.709976: past 3 y50 the power law goes on
        {1, 6, 8.0, 395.833333333},   // 197.917 * 8^(1/3) = pu
        {1, 6, 10.0, 395.833333333},  // plateau pu
        {1, 21, 0.5, 297.637697244},  // 0.5 * 750 * 0.5^(1/3) = 375 * 0.793701
        {1, 21, 20.0, 750.0},
        {0, 6, 0.4, 145.826246821},   // cyclic: the same power law up to 3 y50
        {0, 6, 3.0, 285.445227457},   // exactly 3 y50: still on the power law
        {0, 6, 4.0, 268.177083333},   // 285 + 1 * (83.125 - 285) / 12 = 285 - 16.823
        {0, 6, 9.0, 184.0625},        // 285 + 6 * (-201.875) / 12
        {0, 6, 15.0, 83.125},         // pcz
        {0, 6, 20.0, 83.125},
        {0, 21, 3.0, 540.843588865},  // z >= xr: 375 * 1.442250 at 3 y50
        {0, 21, 4.0, 540.0},          // then 0.72 pu = 540
        {0, 21, 20.0, 540.0},
    };
    for (int code : {1, 13}) {
        clay_pile(B, 12, 20, G, {{0, 240, code, C, E50}});
        const double y50 = 2.5 * E50 * B;
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "code " << code << " loadtyp " << c.loadtyp << " node " << c.node
                                            << " Y/y50 " << c.ratio);
            LOADTYP = c.loadtyp;
            Springs s;
            ASSERT_EQ(s.run(c.ratio * y50), 0);
            EXPECT_NEAR(s.p(c.node), c.p, 1e-6 * c.p);
            EXPECT_NEAR(s.es(c.node), c.p / (c.ratio * y50), 1e-6 * c.p);
        }
    }
}

// A deflection of 0 takes the limit modulus Es0 = 0.5 (pu / y50) (y50 / 1e-14)^(2/3)
// and gives no reaction; the head node (z = 0) has no spring.
TEST_F(SoftClay, ZeroDeflectionTakesTheLimitModulus) {
    clay_pile(B, 12, 20, G, {{0, 240, 1, C, E50}});
    Springs s;
    ASSERT_EQ(s.run(0.0), 0);
    // z = 60: 0.5 * (395.833 / 1.2) * (1.2e14)^(2/3) = 164.931 * 2.432881e9 = 4.012564e11
    EXPECT_NEAR(s.es(6), 4.012564e11, 1e-6 * 4.012564e11);
    EXPECT_EQ(s.p(6), 0.0);
    EXPECT_EQ(s.es(1), 0.0);
}

// Code 13 with J = 0.5 at every depth is code 1, in layered soil too (layer
// 2 takes an equivalent depth), under both loadings and for the running sums.
TEST_F(SoftClay, CodeThirteenWithHalfJIsCodeOne) {
    for (int loadtyp : {1, 0}) {
        for (double Y : {0.0, 0.05, 1.0, 4.0, 30.0}) {
            NODVEC p1, es1;
            double sum1 = 0, eq1 = 0;
            for (int code : {1, 13}) {
                clay_pile(B, 12, 20, G, {{0, 48, code, C, E50}, {48, 240, code, 2 * C, 0.01}});
                LOADTYP = loadtyp;
                test::form_layered_state();
                Springs s;
                ASSERT_EQ(s.run(Y), 0);
                if (code == 1) {
                    p1 = s.p;
                    es1 = s.es;
                    sum1 = PUSUM(1, 1) + PUSUM(1, 2);
                    eq1 = EQDEP(1, 2);
                    continue;
                }
                for (int k = 1; k <= 21; ++k) {
                    EXPECT_EQ(s.p(k), p1(k)) << "node " << k << " Y " << Y;
                    EXPECT_EQ(s.es(k), es1(k)) << "node " << k << " Y " << Y;
                }
                EXPECT_EQ(PUSUM(1, 1) + PUSUM(1, 2), sum1);
                EXPECT_EQ(EQDEP(1, 2), eq1);
                EXPECT_GT(eq1, 0.0);
            }
        }
    }
}

// Default e50 by cohesion: classes of a = 500 lb/ft^2 (3.472222328186035 psi)
// or 23.94013023376465 kPa; any cohesion in an open unit system 0.001.
TEST_F(SoftClay, DefaultStrainByCohesion) {
    constexpr double aE = 3.472222328186035, aS = 23.94013023376465;
    struct Case {
        int units;
        double cu, e50;
    };
    const Case cases[] = {
        {1, 0.0, 0.019999999552965164},          {1, aE * 0.999999, 0.019999999552965164},
        {1, aE, 0.009999999776482582},           {1, 2 * aE * 0.999999, 0.009999999776482582},
        {1, 2 * aE, 0.004999999888241291},       {1, 8 * aE * 0.999999, 0.004999999888241291},
        {1, 8 * aE, 0.004000000189989805},       {1, 1.0e4, 0.004000000189989805},
        {2, aE, 0.019999999552965164},           {2, aS, 0.009999999776482582},
        {2, 2 * aS, 0.004999999888241291},       {2, 8 * aS, 0.004000000189989805},
        {3, 0.0, 0.0010000000474974513},         {3, 1.0e4, 0.0010000000474974513},
    };
    for (const Case& c : cases) {
        double e50 = -1.0;
        E50SOFT(c.cu, e50, c.units);
        EXPECT_EQ(e50, c.e50) << "units " << c.units << " cu " << c.cu;
    }
    // In the generator: e50 given as 0 with cu = 2a takes 0.005, so
    // y50 = 2.5 * 0.005 * 24 = 0.3 and p(0.3) = 0.5 pu; at z = 60,
    // Np = 3 + gamma' 60 / cu + 1.25 = 4.5 (gamma' 60 / cu = 1.736111 / 6.944445 = 0.25),
    // pu = 4.5 * 6.944445 * 24 = 750.0000: p = 375.0000. With NUNITS = 3,
    // e50 = 0.001: y50 = 0.06 and p(0.06) = 375.0000.
    for (auto [units, y50] : {std::pair{1, 0.3}, std::pair{3, 0.06}}) {
        clay_pile(B, 12, 20, G, {{0, 240, 1, 2 * aE, 0.0}});
        NUNITS = units;
        Springs s;
        ASSERT_EQ(s.run(y50), 0);
        EXPECT_NEAR(s.p(6), 375.0, 1e-4) << "units " << units;
    }
}

// A pile without diameter gives no resistance and no NaN, even at the top
// of a layer whose equivalent depth is 0 (zeq / b = 0 / 0).
TEST_F(SoftClay, NoDiameterGivesNoResistance) {
    clay_pile(0.0, 12, 20, G, {{0, 48, 1, 0.0, E50}, {48, 240, 1, C, E50}});
    for (int loadtyp : {1, 0}) {
        LOADTYP = loadtyp;
        test::form_layered_state();
        for (double Y : {0.0, 1.0}) {
            Springs s;
            ASSERT_EQ(s.run(Y), 0);
            for (int k = 1; k <= 21; ++k) {
                EXPECT_EQ(s.p(k), 0.0) << "node " << k;
                EXPECT_EQ(s.es(k), 0.0) << "node " << k;
            }
            EXPECT_EQ(PUSUM(1, 1), 0.0);
            EXPECT_EQ(PUSUM(1, 2), 0.0);
        }
    }
}

}  // namespace
}  // namespace zolan
