// t-z curve generators: points of the normalised, absolute and hyperbolic
// curves against their published shapes, the stiffness bands of the sand
// hyperbola and the metric branches.
#include <gtest/gtest.h>

#include "model/run_state.h"
#include "pile/tz_curves.h"

namespace zolan {
namespace {

struct Tables {
    TZTAB T, Z;
    TZVAL fmax, phi;
};

class TzCurves : public ::testing::Test {
protected:
    void SetUp() override { saved_ = NUNITS; }
    void TearDown() override { NUNITS = saved_; }
    int saved_ = 1;
};

// Normalised curves: Z = r D, T = f fmax at chosen points (column 3, so the
// column offset is exercised); a shaft of no diameter has all movements zero.
TEST_F(TzCurves, NormalisedCurves) {
    struct Case { int gen; double D, fmax; int i; double z, t; };
    const Case cases[] = {
        // TZCRV1, D = 24 in, fmax = 2 psi: point 5 r = 0.005, f = 0.86 -> z = 0.12, t = 1.72
        {1, 24.0, 2.0, 5, 0.12, 1.72},
        // point 8 (peak) r = 0.012, f = 0.965 -> z = 0.288, t = 1.93; point 10 r = 0.1 -> 2.4, 1.9
        {1, 24.0, 2.0, 8, 0.288, 1.93},
        {1, 24.0, 2.0, 10, 2.4, 1.9},
        // TZCRV2: point 2 f = 0.51 -> 0.024, 1.02; point 7 (peak) f = 0.955 -> 0.192, 1.91; point 10 f = 0.835
        {2, 24.0, 2.0, 2, 0.024, 1.02},
        {2, 24.0, 2.0, 7, 0.192, 1.91},
        {2, 24.0, 2.0, 10, 2.4, 1.67},
        // TZCRV5, D = 0.6 m, fmax = 40 kPa: point 4 r = 0.0057, f = 0.75 -> 0.00342, 30;
        // point 6 r = 0.01, f = 1 -> 0.006, 40; point 9 r = 0.05, f = 0.8 -> 0.03, 32
        {5, 0.6, 40.0, 4, 0.00342, 30.0},
        {5, 0.6, 40.0, 6, 0.006, 40.0},
        {5, 0.6, 40.0, 9, 0.03, 32.0},
        // D = 0: every movement zero, resistances unchanged (f = 0.91 at point 6 of TZCRV1)
        {1, 0.0, 2.0, 6, 0.0, 1.82},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "TZCRV" << c.gen << " point " << c.i);
        Tables t;
        t.fmax(3) = c.fmax;
        if (c.gen == 1) TZCRV1(3, c.D, t.T, t.Z, t.fmax);
        if (c.gen == 2) TZCRV2(3, c.D, t.T, t.Z, t.fmax);
        if (c.gen == 5) TZCRV5(3, c.D, t.T, t.Z, t.fmax);
        EXPECT_EQ(t.T(1, 3), 0.0);
        EXPECT_EQ(t.Z(1, 3), 0.0);
        EXPECT_NEAR(t.Z(c.i, 3), c.z, 1e-6 * c.z + 1e-15);
        EXPECT_NEAR(t.T(c.i, 3), c.t, 1e-6 * c.t);
        EXPECT_EQ(t.T(11, 3), 0.0);  // only ten points are written
    }
}

// Driven pile in clay: absolute movements, in inches (English) or their
// metric equivalents in every other unit system.
TEST_F(TzCurves, AbsoluteCurveByUnitSystem) {
    struct Case { int units; int i; double z, t; };
    const Case cases[] = {
        // fmax = 10: point 4 z = 0.04 in, f = 0.79 -> t = 7.9; point 6 z = 0.08, f = 1 -> 10
        {1, 4, 0.04, 7.9},
        {1, 6, 0.08, 10.0},
        {1, 10, 10.0, 9.3},
        // SI: z x 0.0254: 0.01 in -> 0.000254 m; 0.5 in -> 0.0127 m; 10 in -> 0.254 m
        {2, 2, 0.000254, 1.8},
        {2, 9, 0.0127, 9.3},
        {2, 10, 0.254, 9.3},
        // the open system takes the metric branch: 0.16 in -> 0.004064 m
        {3, 8, 0.004064, 9.3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "units " << c.units << " point " << c.i);
        NUNITS = c.units;
        Tables t;
        t.fmax(1) = 10.0;
        TZCRV4(1, t.T, t.Z, t.fmax);
        EXPECT_NEAR(t.Z(c.i, 1), c.z, 1e-6 * c.z);
        EXPECT_NEAR(t.T(c.i, 1), c.t, 1e-6 * c.t);
    }
}

// Sand hyperbola: with a very large fmax the first segment's slope is the
// initial stiffness K / 144 (psi per inch), so K = 144 T(2) / Z(2) shows the
// band of the friction angle, including the jumps at 34 and 38 degrees.
TEST_F(TzCurves, HyperbolaStiffnessBands) {
    NUNITS = 1;
    struct Case { double phi, K; };
    const Case cases[] = {
        {20.0, 6000.0},   {28.0, 6000.0},
        {31.0, 9999.9},   // 6000 + 3 x 1333.3
        {31.01, 10000.0}, {32.0, 10000.0},
        {33.0, 11333.3},  // 10000 + 1333.3
        {34.0, 12666.6},  // 10000 + 2 x 1333.3
        {34.01, 14000.0}, {35.0, 14000.0},
        {38.0, 17999.9},  // 14000 + 3 x 1333.3
        {38.01, 18000.0}, {45.0, 18000.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phi);
        Tables t;
        t.fmax(2) = 1.0e12;
        t.phi(2) = c.phi;
        TZCRV3(2, t.T, t.Z, t.fmax, t.phi);
        // T(2) = z / (z / 1e12 + 144 / K) = z K / 144 to 1e-13
        EXPECT_NEAR(144.0 * t.T(2, 2) / t.Z(2, 2), c.K, 1e-6 * c.K);
    }
}

// Sand hyperbola points: English psi/in, metric kPa/m, and the missing fmax
// that becomes 0.001 in the caller's table.
TEST_F(TzCurves, HyperbolaPoints) {
    struct Case { int units; double fmax, phi; int i; double z, t, fmax_after; };
    const Case cases[] = {
        // English, fmax = 1 psi, phi = 28 (K = 6000): point 2 z = 0.01:
        // t = 0.01 / (0.01 + 144/6000) = 0.01 / 0.034 = 0.2941176
        {1, 1.0, 28.0, 2, 0.01, 0.2941176, 1.0},
        // fmax = 0 -> 0.001; point 10 z = 2.5: t = 2.5 / (2500 + 0.024) = 9.9999040e-4
        {1, 0.0, 28.0, 10, 2.5, 9.999904e-4, 0.001},
        // SI, fmax = 50 kPa, phi = 30 (K = 8666.6): f' = 20.88 x 50 = 1044 psf;
        // point 10: 2.5 / (2.5/1044 + 1/8666.6) = 995.9954 psf -> / 20.88 = 47.70150 kPa; z = 0.0635 m
        {2, 50.0, 30.0, 10, 0.0635, 47.70150, 50.0},
        // the open system is metric too
        {3, 50.0, 30.0, 10, 0.0635, 47.70150, 50.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "units " << c.units << " fmax " << c.fmax);
        NUNITS = c.units;
        Tables t;
        t.fmax(1) = c.fmax;
        t.phi(1) = c.phi;
        TZCRV3(1, t.T, t.Z, t.fmax, t.phi);
        EXPECT_EQ(t.T(1, 1), 0.0);
        EXPECT_EQ(t.Z(1, 1), 0.0);
        EXPECT_NEAR(t.Z(c.i, 1), c.z, 1e-6 * c.z);
        EXPECT_NEAR(t.T(c.i, 1), c.t, 1e-6 * c.t);
        EXPECT_NEAR(t.fmax(1), c.fmax_after, 1e-7 * c.fmax_after);
        EXPECT_LT(t.T(10, 1), t.fmax(1));  // the hyperbola stays below its asymptote
    }
}

}  // namespace
}  // namespace zolan
