// Stiff clay p-y curves against the published criteria: below free water
// (code 2: the wedge resistance pc, shaped by As and Ac, static pieces at
// As y50, 6 As y50, 18 As y50, cyclic pieces at 0.6 yp and 1.8 yp, capped by
// k z y), above free water (codes 3 and 10: p = 0.5 pu (y/y50)^(1/4) to pu at
// 16 y50, stretched by 1 + 0.6 log10 N; code 10 capped by k zeq y), the
// stiff-clay defaults of e50 and k, and the tabulated curves.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/single_precision.h"
#include "soil/py_curves.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

// One layer of uniform soil: cohesion c, e50, k; unit weight gamma.
struct Soil {
    int code;
    double c, e50, k;
    double gamma = 50.0 / 1728;
};

// One pile row of diameter 24 in, head at the ground line, 20 increments of
// 12 in, in one layer 0..240 in.
void pile_in(const Soil& s) {
    test::reset_py_model();
    test::one_pile(24, 12, 20);
    test::soil_layer(1, s.code, 0, 240);
    test::layer_value(SCGAM, 1, s.gamma);
    test::layer_value(SCCOH, 1, s.c);
    test::layer_value(SCE50, 1, s.e50);
    test::layer_value(SCK, 1, s.k);
    test::nodes_by_depth();
}

using test::Springs;

// Curve mode: the default curve of the soil at depth d, into PYBUF (printed
// instead when print is true).
int tabulate(double d, bool print, int layer = 1) {
    test::curve_mode(d, d + 12, layer);
    PLOTFLG = print ? 0 : 1;
    Springs s;
    int istat = 0;
    PYCURV(test::test_controls(), s.w, istat);
    return istat;
}

class StiffClay : public test::PyModelTest {};

// b = 24 in, c = 1000/144 psi (c b = 166.667 lb/in), gamma' = 50/1728 pci.
constexpr double C = 1000.0 / 144;
const double AS = f32(0.6f), AC = f32(0.3f);  // z/b = 5: As beyond z/b 4, Ac beyond 2

// Code 2 at z = 120 in (node 11), ca = c, e50 = 0.005, k = 1000 pci:
// pct = 2 ca b + gamma' b z + 2.83 ca z = 333.333 + 83.333 + 2358.333 = 2775,
// pcd = 11 c b = 1833.333, pc = 1833.333; y50 = e50 b = 0.12, A = As y50 = 0.072;
// Esi = k z = 120000 (the initial line does not govern at these deflections).
// Static: 0.5 pc sqrt(Y/y50) [- 0.055 pc ((Y - A)/A)^1.25 past A];
//   third piece 0.5 pc sqrt(6 As) - 0.411 pc - (0.0625 pc / y50)(Y - 6A);
//   last 0.5 sqrt(6 As) pc - 0.75 As pc - 0.411 pc = 1739.253 - 825 - 753.5 = 160.753.
// Cyclic: yp = 4.1 Ac y50 = 0.1476; Ac pc = 550;
//   Ac pc (1 - |(Y - 0.45 yp) / (0.45 yp)|^2.5) to 0.6 yp,
//   0.936 Ac pc - (0.085 pc / y50)(Y - 0.6 yp) to 1.8 yp, then 514.8 - 0.102 pc yp / y50.
TEST_F(StiffClay, WithFreeWaterAtEveryPiece) {
    const double y50 = 0.005 * 24, A = AS * y50, yp = f32(4.1f) * AC * y50;
    struct Case {
        int loadtyp;
        double Y, p;
    };
    const Case cases[] = {
        {1, 0.5 * A, 502.079011},         // 916.667 * sqrt(0.3) = 916.667 * 0.547723
        {1, A, 710.046947},               // 916.667 * sqrt(0.6): end of the first piece
        {1, 3 * A, 990.013953},           // 916.667 * sqrt(1.8) - 100.833 * 2^1.25 = 1229.837 - 239.823
        {1, 6 * A, 985.347703},           // 916.667 * sqrt(3.6) - 100.833 * 5^1.25 = 1739.253 - 753.905 (second piece)
        {1, 12 * A, 573.252713},          // 1739.253 - 753.5 - 0.0625 * 1833.333 / 0.12 * 0.432 = 985.753 - 412.5
        {1, 18 * A, 160.752713},          // 985.753 - 825: end of the third piece
        {1, 30 * A, 160.752713},          // the residual
        {0, f32(0.2f) * yp, 423.473520},  // 550 * (1 - (0.25/0.45)^2.5) = 550 * (1 - 0.230048)
        {0, f32(0.45f) * yp, 550.0},      // the peak Ac pc at 0.45 yp
        {0, f32(0.6f) * yp, 514.717484},  // 550 * (1 - (1/3)^2.5) = 550 * 0.935850 (first piece)
        {0, 1.2 * yp, 399.795},           // 514.8 - 1298.611 * 0.6 * 0.1476 = 514.8 - 115.005
        {0, f32(1.8f) * yp, 284.79},      // 514.8 - 1298.611 * 0.17712 = 514.8 - 230.01
        {0, 5 * yp, 284.79},              // 514.8 - 0.102 * 1833.333 * 0.1476 / 0.12
    };
    pile_in({2, C, 0.005, 1000});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "loadtyp " << c.loadtyp << " Y " << c.Y);
        LOADTYP = c.loadtyp;
        Springs s;
        ASSERT_EQ(s.run(c.Y), 0);
        EXPECT_NEAR(s.p(11), c.p, 2e-6 * 1833.3);
        EXPECT_NEAR(s.es(11), s.p(11) / c.Y, 1e-9 * s.es(11));
    }
    // At rest: es = Esi = k z = 120000, p = 0.
    Springs s;
    ASSERT_EQ(s.run(0.0), 0);
    EXPECT_DOUBLE_EQ(s.es(11), 120000.0);
    EXPECT_EQ(s.p(11), 0.0);
}

// Code 2 near the ground line: z = 12, Esi = 1000 * 12 = 12000 governs the
// static curve (0.5 pc sqrt(0.001/0.12) = 288.75 * 0.091287 = 26.36 with
// pc = pct = 333.333 + 8.333 + 235.833 = 577.5): p = 12000 * 0.001 = 12.
// Without k in the profile the default by cohesion (c < 1000 lb/ft^2):
// 250 static, 100 cyclic, so Esi = 3000 or 1200; the same tables serve an
// open unit system.
TEST_F(StiffClay, WithFreeWaterInitialLine) {
    pile_in({2, C, 0.005, 1000});
    Springs s;
    ASSERT_EQ(s.run(0.001), 0);
    EXPECT_NEAR(s.p(2), 12.0, 1e-9);
    for (int units : {1, 3}) {
        for (auto [loadtyp, esi] : {std::pair{1, 3000.0}, std::pair{0, 1200.0}}) {
            pile_in({2, C, 0.005, 0});
            NUNITS = units;
            LOADTYP = loadtyp;
            ASSERT_EQ(s.run(0.0), 0);
            EXPECT_DOUBLE_EQ(s.es(2), esi) << "units " << units << " loadtyp " << loadtyp;
        }
    }
}

// Codes 3 and 10 at z = 60 (node 6), ca = c, e50 = 0.005: pu = min(3 ca b +
// gamma' b z + 0.5 ca z, 9 c b) = min(500 + 41.667 + 208.333, 1500) = 750,
// y50 = 2.5 e50 b = 0.3. Static: 375 (Y/y50)^(1/4), 750 from 16 y50.
// Cyclic: min(750, 375 (Y / (1.6 y50))^(1/4)) for N = 10 (1 + 0.6 log10 10);
// N = 1 and N below 1 give the static curve.
TEST_F(StiffClay, WithoutFreeWaterAndCycles) {
    const double y50 = 0.3;
    struct Case {
        int loadtyp;
        double N, ratio, p;  // ratio = Y / y50
    };
    const Case cases[] = {
        {1, 1, 1.0, 375.0},            // 0.5 pu at y50
        {1, 1, 2.0, 445.952668},       // 375 * 2^(1/4) = 375 * 1.189207
        {1, 1, 16.0, 750.0},           // pu at 16 y50 exactly
        {1, 1, 20.0, 750.0},
        {1, 10, 2.0, 445.952668},      // static: N is not used
        {0, 1, 2.0, 445.952668},       // N = 1: the static curve
        {0, 1, 30.0, 750.0},
        {0, 0.3, 2.0, 445.952668},     // N below 1 taken as 1
        {0, 10, 1.0, 333.427389},      // 375 * (1 / 1.6)^(1/4) = 375 * 0.889140
        {0, 10, 1.6, 375.0},           // 0.5 pu at 1.6 y50
        {0, 10, 3.2, 445.952668},      // the static value of 2 y50 at 1.6 * 2 y50
        {0, 10, 25.6, 750.0},          // pu at 16 * 1.6 y50
        {0, 10, 40.0, 750.0},
    };
    for (int code : {3, 10}) {
        pile_in({code, C, 0.005, 1000});  // code 10: k zeq = 60000 per unit deflection, never governing here
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "code " << code << " loadtyp " << c.loadtyp << " N " << c.N
                                            << " Y/y50 " << c.ratio);
            LOADTYP = c.loadtyp;
            NCYCL = c.N;
            Springs s;
            ASSERT_EQ(s.run(c.ratio * y50), 0);
            EXPECT_NEAR(s.p(6), c.p, 1e-6 * c.p);
            EXPECT_EQ(NCYCL, c.N);  // never written by the generator
        }
    }
}

// Code 10 near the ground line: z = 12, k = 100: k zeq = 1200 and pu = 500 +
// 8.333 + 41.667 = 550. At Y = 0.01 the curve gives 275 (0.01/0.3)^(1/4) =
// 275 * 0.427287 = 117.504 and the line 12: p = 12 (code 3: 117.504); at
// Y = 0.3 the line gives 360 and the curve 275. At rest: code 10 es = k zeq
// = 1200; code 3 Es0 = 0.5 (pu / y50)(y50 / 1e-14)^(3/4), at z = 60
// 1250 * (3e13)^(3/4) = 1250 * 1.281861e10 = 1.602326e13.
TEST_F(StiffClay, WithoutFreeWaterInitialLine) {
    struct Case {
        int code, node;
        double Y, p, es;
    };
    const Case cases[] = {
        {10, 2, 0.01, 12.0, 1200.0},        {3, 2, 0.01, 117.503927, 11750.3927},
        {10, 2, 0.3, 275.0, 916.666667},    {10, 2, 0.0, 0.0, 1200.0},
        {3, 6, 0.0, 0.0, 1.60232627e13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << " node " << c.node << " Y " << c.Y);
        pile_in({c.code, C, 0.005, 100});
        Springs s;
        ASSERT_EQ(s.run(c.Y), 0);
        EXPECT_NEAR(s.p(c.node), c.p, 1e-6 * std::max(1.0, c.p));
        EXPECT_NEAR(s.es(c.node), c.es, 1e-6 * c.es);
    }
}

// Below the first layer the average cohesion ca is the trapezoid average
// of the layer's nodes (analysis) or the mean of the cohesions at the depth
// and at the layer's top (curve mode); for a cohesion linear in depth both
// are (cu(top) + cu(x)) / 2. Layer 1 (0..48) has no cohesion, so S = 0 and
// the equivalent depth is 0: zeq = x - 48. Layer 2's cohesion grows from c
// at 48 to 3c at 240: cu(x) = c (1 + (x - 48) / 96).
// Code 3 at x = 96: cu = 1.5 c, ca = 1.25 c, zeq = 48: pu = min(3 * 1.25 c * 24
// + 33.333 + 0.5 * 1.25 c * 48, 9 * 1.5 c * 24) = min(120 c + 33.333, 324 c)
// = 866.667, reached at 16 y50 = 4.8.
// Code 2 at x = 72 (z = 72, zeq = 24, z/b = 1: As = 0.46): cu = 1.25 c,
// ca = 1.125 c, pct = 54 c + 50 + 229.23 c = 2016.875 < pcd = 330 c = 2291.667;
// at Y = As y50 = 0.0552: p = 0.5 pc sqrt(0.46) = 1008.4375 * 0.678233 = 683.956.
TEST_F(StiffClay, AverageCohesionBelowTheFirstLayer) {
    for (int code : {3, 10, 2}) {
        SCOPED_TRACE(code);
        pile_in({code, C, 0.005, 1.0e9});
        NLAYPY = 2;
        NSCPT = NUWPT = 4;
        ISOIL(1) = 1;
        ISOIL(2) = code;
        LAYBOT(1) = LAYTOP(2) = 48;
        LAYBOT(2) = 240;
        const double dep[] = {0, 48, 48, 240}, coh[] = {0, 0, C, 3 * C};
        for (int i = 1; i <= 4; ++i) {
            SCDEP(i) = UWDEP(i) = dep[i - 1];
            SCCOH(i) = coh[i - 1];
            SCGAM(i) = 50.0 / 1728;
            SCE50(i) = 0.005;
            SCK(i) = 1.0e9;
        }
        LAYNL(1, 1) = 4;
        LAYNF(2, 1) = 5;
        LAYNL(2, 1) = 21;
        const int node = code == 2 ? 7 : 9;
        const double Y = code == 2 ? f32(0.46f) * 0.12 : 4.8, p = code == 2 ? 683.955589 : 866.666667;
        Springs s;
        ASSERT_EQ(s.run(Y), 0);
        EXPECT_EQ(EQDEP(1, 2), 0.0);
        EXPECT_NEAR(s.p(node), p, 1e-6 * p);
        // Curve mode at the same depth: point 16 of codes 3 and 10 is 15 s = 16 y50,
        // point 3 of code 2 is 2 * 0.5 A = A.
        ASSERT_EQ(tabulate(NDEPTH(1, node), false, 2), 0);
        EXPECT_NEAR(PYBUF(code == 2 ? 3 : 16, 2), p, 1e-6 * p);
    }
}

// A pile without diameter (y50 = 0) gets no resistance and no NaN: p = 0
// at every deflection; at rest code 3 has no modulus (its Es0 would be
// 0.5 (0 / 0) ...) while codes 2 and 10 keep their initial line k z.
TEST_F(StiffClay, NoDiameterGivesNoResistance) {
    for (int code : {2, 3, 10}) {
        for (int loadtyp : {1, 0}) {
            SCOPED_TRACE(testing::Message() << "code " << code << " loadtyp " << loadtyp);
            pile_in({code, C, 0.005, 1000});
            SECTAB(1, 1, SEC_TOP + SP_DIA) = SECTAB(1, 1, SEC_BOT + SP_DIA) = 0.0;
            LOADTYP = loadtyp;
            NCYCL = 10;
            for (double Y : {0.0, 0.5}) {
                Springs s;
                ASSERT_EQ(s.run(Y), 0);
                for (int k = 2; k <= 21; ++k) {
                    EXPECT_EQ(s.p(k), 0.0) << "node " << k;
                    const double es0 = code == 3 ? 0.0 : 1000.0 * (k - 1) * 12;
                    EXPECT_EQ(s.es(k), Y > 0 ? 0.0 : es0) << "node " << k;
                }
                EXPECT_TRUE(std::isfinite(PUSUM(1, 1)));
            }
        }
    }
}

// Default e50 of stiff clay by cohesion, classes of a = 1000 lb/ft^2
// (6.94444465637207 psi) or 47.8802604675293 kPa: 0.011, 0.007, 0.005, 0.004.
// At z = 60 (b = 24, gamma' b z = 41.667): pu = min(102 c + 41.667, 216 c);
// the reaction at Y = 2.5 e50 b is 0.5 pu. An open unit system takes the
// English classes.
TEST_F(StiffClay, DefaultStrainByCohesion) {
    constexpr double aE = 6.94444465637207, aS = 47.8802604675293;
    struct Case {
        int units;
        double cu, e50, p;
    };
    const Case cases[] = {
        {1, 5.0, 0.010999999940395355, 275.833333},     // 0.5 * 551.667
        {1, aE, 0.007000000216066837, 375.000011},      // 0.5 * (708.333 + 41.667)
        {1, 2 * aE, 0.004999999888241291, 729.166688},  // 0.5 * 1458.333
        {1, 4 * aE, 0.004000000189989805, 1437.500043}, // 0.5 * 2875
        {3, 5.0, 0.010999999940395355, 275.833333},
        {3, 2 * aE, 0.004999999888241291, 729.166688},
        {2, 45.0, 0.010999999940395355, 2315.833333},   // 0.5 * (4590 + 41.667)
        {2, 2 * aS, 0.004999999888241291, 4904.619901}, // 0.5 * (102 * 95.760521 + 41.667)
    };
    for (int code : {3, 10, 2}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "code " << code << " units " << c.units << " cu " << c.cu);
            pile_in({code, c.cu, 0.0, 1.0e9});
            NUNITS = c.units;
            Springs s;
            if (code == 2) {
                // Code 2 takes y50 = e50 b: at z = 12 with Y = 0.5 As y50 the
                // first piece gives 0.5 pc sqrt(0.5 As), pc = 2 ca b + gamma' b 12 + 2.83 ca 12
                // = c (48 + 33.96) + 8.333 (below 11 c b = 264 c).
                const double As = 0.223 + (0.46 - 0.223) * 0.5, y50 = c.e50 * 24;
                ASSERT_EQ(s.run(0.5 * As * y50), 0);
                const double pc = c.cu * (48 + 2.83 * 12) + 50.0 / 1728 * 24 * 12;
                EXPECT_NEAR(s.p(2), 0.5 * pc * std::sqrt(0.5 * As), 1e-6 * pc);
            } else {
                ASSERT_EQ(s.run(2.5 * c.e50 * 24), 0);
                EXPECT_NEAR(s.p(6), c.p, 1e-6 * c.p);
            }
        }
    }
}

// Default k of stiff clay by the cohesion class, static and cyclic, English
// (lb/in^3) and SI (kN/m^3); other unit systems or loadings leave k alone.
TEST_F(StiffClay, DefaultSubgradeModulus) {
    constexpr double aE = 6.94444465637207, aS = 47.8802604675293;
    struct Case {
        int units, loadtyp;
        double cu, k;
    };
    const Case cases[] = {
        {1, 1, 0.0, 250},          {1, 1, aE * 0.999999, 250},     {1, 1, aE, 500},
        {1, 1, 2 * aE, 1000},      {1, 1, 4 * aE * 0.999999, 1000}, {1, 1, 4 * aE, 2000},
        {1, 0, 1.0, 100},          {1, 0, aE, 200},                {1, 0, 2 * aE, 400},
        {1, 0, 4 * aE, 800},       {2, 1, aS * 0.999999, 67861.78125}, {2, 1, aS, 135723.5625},
        {2, 1, 2 * aS, 271447.125}, {2, 1, 4 * aS, 542894.25},      {2, 0, 1.0, 27144.7109375},
        {2, 0, aS, 54289.421875},  {2, 0, 2 * aS, 108578.84375},   {2, 0, 4 * aS, 217157.6875},
        {3, 1, 10.0, -7},          {1, 2, 10.0, -7},               {2, -1, 10.0, -7},
    };
    for (const Case& c : cases) {
        double k = -7;
        KSTIFF(c.cu, k, c.units, c.loadtyp);
        EXPECT_EQ(k, c.k) << "units " << c.units << " loadtyp " << c.loadtyp << " cu " << c.cu;
    }
}

// Tabulated default curves: code 3 static at z = 60 (y50 = 0.3, s = 16 y50 / 15 = 0.32):
// eighths of s to 7/8 s, s, 3 s .. 15 s, 18.75 s; p = 375 (Y/0.3)^(1/4) to 750.
// Cyclic N = 10: s = 0.3 (16 + 9.6) / 15 = 0.512, pu reached at 15 s = 7.68.
// Code 2 static at z = 120 (A = 0.072): 0.5 A steps to 6 A, 10 A, 14 A, 18 A, 100 A;
// cyclic (yp = 0.1476): 0.05 yp steps to 0.6 yp, 1.0, 1.4, 1.8 yp, 10 yp.
TEST_F(StiffClay, DefaultTabulatedCurves) {
    struct Case {
        int code, loadtyp;
        double depth;
        std::vector<double> Y;  // the 17 deflections
        int at;                 // a point whose reaction is checked
        double p;
    };
    auto seq = [](double a, int n, double step) {
        std::vector<double> v{0.0};
        for (int i = 1; i <= n; ++i) v.push_back(a + i * step);
        return v;
    };
    auto join = [](std::vector<double> v, std::initializer_list<double> more) {
        v.insert(v.end(), more);
        return v;
    };
    const double s3 = 0.32, s3c = 0.512, A = 0.072, yp = 0.1476;
    const Case cases[] = {
        {3, 1, 60, join(seq(0, 7, 0.125 * s3), {s3, 3 * s3, 5 * s3, 7 * s3, 9 * s3, 11 * s3, 13 * s3, 15 * s3, 18.75 * s3}),
         9, 381.099561},  // 375 * (16/15)^(1/4)
        {3, 1, 60, {}, 16, 750.0},
        {10, 0, 60, join(seq(0, 7, 0.125 * s3c), {s3c, 3 * s3c, 5 * s3c, 7 * s3c, 9 * s3c, 11 * s3c, 13 * s3c, 15 * s3c, 18.75 * s3c}),
         16, 750.0},
        {2, 1, 120, join(seq(0, 12, 0.5 * A), {10 * A, 14 * A, 18 * A, 100 * A}), 12,
         1004.332021},  // 5.5 A: 916.667 * sqrt(3.3) - 100.833 * 4.5^1.25 = 1665.204 - 660.872
        {2, 1, 120, {}, 17, 160.752713},
        {2, 0, 120, join(seq(0, 12, 0.05 * yp), {1.0 * yp, 1.4 * yp, 1.8 * yp, 10 * yp}), 13, 514.717484},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << " loadtyp " << c.loadtyp << " point " << c.at);
        pile_in({c.code, C, 0.005, 1000});
        LOADTYP = c.loadtyp;
        NCYCL = 10;
        ASSERT_EQ(tabulate(c.depth, false), 0);
        EXPECT_EQ(PYCODE, c.code);
        for (std::size_t i = 0; i < c.Y.size(); ++i)
            EXPECT_NEAR(PYBUF(static_cast<int>(i) + 1, 1), c.Y[i], 1e-6 * std::max(1.0, c.Y[i])) << "point " << i + 1;
        if (!c.Y.empty()) {
            EXPECT_EQ(c.Y.size(), 17u);
        }
        EXPECT_NEAR(PYBUF(c.at, 2), c.p, 2e-6 * 1833.3);
    }
}

// The printed headings of a tabulated curve (English units): depth below
// the ground in feet, diameter in inches, cohesions in lb/ft^2, unit weight
// in lb/ft^3; code 3 at 60 in (5 ft), code 2 at 120 in (10 ft) with As and Ac.
TEST_F(StiffClay, PrintedHeadings) {
    const std::vector<std::string> want3 = {
        "",
        "          DEPTH BELOW GS     DIAM        C       CAVG      GAMMA       E50",
        "                FT            IN     LBS/FT**2 LBS/FT**2 LBS/FT**3",
        "                5.00         24.000  0.10E+04  0.10E+04  0.50E+02  0.5000E-02",
        "                                      Y                   P",
        "                                      IN               LBS/IN",
    };
    const std::vector<std::string> want2 = {
        "",
        "         DEPTH BELOW GS      DIAM        C         CAVG      GAMMA        E50",
        "               FT             IN     LBS/FT**2  LBS/FT**2  LBS/FT**3",
        "              10.00         24.000   0.10E+04   0.10E+04   0.50E+02  0.5000E-02",
        "",
        "             AS = 0.60     AC = 0.30     Y,IN             P,LBS/IN",
    };
    for (int code : {3, 2}) {
        SCOPED_TRACE(code);
        pile_in({code, C, 0.005, 1000});
        int istat = -1;
        const auto files = test::run_files({ECHOFILE, PLOTFILE}, [&] { istat = tabulate(code == 3 ? 60 : 120, true); });
        ASSERT_EQ(istat, 0);
        const auto& lines = files.echo;
        const auto& want = code == 3 ? want3 : want2;
        ASSERT_GE(lines.size(), want.size() + 17);
        for (std::size_t i = 0; i < want.size(); ++i) {
            std::string got = lines[i];
            got.erase(got.find_last_not_of(' ') + 1);
            EXPECT_EQ(got, want[i]) << "line " << i + 1;
        }
        const auto& plot = files.plot;
        ASSERT_GE(plot.size(), 18u);
        EXPECT_DOUBLE_EQ(std::stod(plot[0]), code == 3 ? 60.0 : 120.0);  // the depth first
    }
}

}  // namespace
}  // namespace zolan
