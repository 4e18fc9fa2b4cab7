// The rules of the p-y generator frame around the soil model, on soft clay
// whose curve is simple enough to evaluate by hand: group and depth
// multipliers, the sign of the reaction, soil movement, the ground line, the
// layer that holds only the tip, the cap pass, the running sum, the limit
// modulus at zero deflection, unknown soil codes, and a tabulated curve.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "soil/py_curves.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

// The model of every case unless a case changes it (English units, inch and
// pound): pile row 1, head at depth 0, ground line at the head, four
// increments of 24 in (nodes at 0, 24, 48, 72, 96), diameter 12 in; one layer
// of soft clay from 0 to 480 in, cu = 10 psi, gamma' = 0.04 pci, e50 = 0.01.
//
// Soft clay at depth z below the ground line (first layer, zeq = z), b = 12:
//   Np = 3 + gamma' z / cu + 0.5 z / b = 3 + 0.004 z + z / 24
//   z = 24: Np = 4.096, pu = Np cu b = 491.52;  z = 48: 5.192, pu = 623.04
//   z = 72: Np = 6.288, pu = 754.56;            z = 96: 7.384, pu = 886.08
//   y50 = 2.5 e50 b = 0.3 in; p = 0.5 pu (Y / y50)^(1/3) up to 8 y50 = 2.4, pu beyond.
//   Y = y50:      p = 0.5 pu                 (z = 24: 245.76, es = 245.76 / 0.3 = 819.2)
//   Y = 3 > 2.4:  p = pu                     (z = 48: 623.04, es = 623.04 / 3 = 207.68)
//   Y = y50 / 8:  p = 0.5 pu (1/8)^(1/3) = 0.25 pu  (z = 72: 188.64, es = 188.64 / 0.0375 = 5030.4)
//   Y = 0:        es = Es0 = 0.5 (pu / y50) (y50 / 1e-14)^(2/3), (3e13)^(2/3) = 9.654894e8
//                 z = 24: Es0 = 819.2 * 9.654894e8 = 7.909289e11
//                 z = 96: Es0 = 0.5 * 886.08 / 0.3 * 9.654894e8 = 1476.8 * 9.654894e8 = 1.425835e12
constexpr double ES0_24 = 7.909289e11, ES0_96 = 1.425835e12;
constexpr double UNTOUCHED = 777.0;  // node values the frame must not write

void set_model() {
    test::reset_py_model();
    test::one_pile(12.0, 24.0, 4);
    test::soil_layer(1, 1, 0.0, 480.0);
    test::layer_value(SCCOH, 1, 10.0);
    test::layer_value(SCGAM, 1, 0.04);
    test::layer_value(SCE50, 1, 0.01);
    test::layer_value(SCJ, 1, 0.5);
    test::nodes_by_depth();
}

// A second layer of soft clay from `top` to 480 with cohesion c2 (the first
// layer ends at `top`), gamma' and e50 as above.
void second_layer(double top, double c2) {
    NLAYPY = 2;
    ISOIL(2) = 1;
    LAYBOT(1) = top;
    LAYTOP(2) = top;
    LAYBOT(2) = 480.0;
    NSCPT = NUWPT = 4;
    SCDEP(2) = UWDEP(2) = SCDEP(3) = UWDEP(3) = top;
    SCDEP(4) = UWDEP(4) = 480.0;
    for (int i = 3; i <= 4; ++i) {
        SCCOH(i) = c2;
        SCGAM(i) = 0.04;
        SCE50(i) = 0.01;
    }
}

struct Nodes {
    PyWork w{0, 1, 1};
    NODVEC &y = w.y, &es = w.es, &smy = w.smy, &smz = w.smz, &esm = w.esm, &p = w.p;
    Nodes() {
        es.fill(UNTOUCHED);
        p.fill(UNTOUCHED);
        esm.fill(UNTOUCHED);
    }
    void run(int& istat) {
        w.prop = IPROP(1);
        PYCURV(test::test_controls(), w, istat);
    }
};

// Expected es, p (and esm when given) at one node.
struct At {
    int k;
    double es, p;
    double esm = NAN;
};

void expect_near_rel(double got, double want, const char* what, int k) {
    EXPECT_NEAR(got, want, 2e-6 * std::max(1.0, std::fabs(want))) << what << " at node " << k;
}

// Every case starts from set_model(); the shared words go back to their
// start values after the test.
class PyFrame : public test::PyModelTest {};

// Analysis mode: es and p node by node for each variation of the model.
TEST_F(PyFrame, AnalysisRules) {
    struct Case {
        const char* what;
        std::function<void(Nodes&)> setup;
        std::vector<At> want;
    };
    // The deflections of the base case: y = (0.1, 0.3, -3, 0.0375, 0).
    auto base_y = [](Nodes& n) {
        n.y(1) = 0.1;
        n.y(2) = 0.3;
        n.y(3) = -3.0;
        n.y(4) = 0.0375;
        n.y(5) = 0.0;
    };
    const Case cases[] = {
        // Node 1 lies at the ground line (z = 0 < 1e-6): es = 0, p not written.
        // Node 3 deflects negatively: the reaction is positive. Node 5 at zero
        // deflection: es = Es0, p = +0.
        {"base", base_y,
         {{1, 0.0, UNTOUCHED}, {2, 819.2, -245.76}, {3, 207.68, 623.04}, {4, 5030.4, -188.64}, {5, ES0_96, 0.0}}},
        // Group multipliers pm = 0.8, ym = 1.25: P = 0.8 p1, es = P / Y / 1.25.
        // z = 24: P = 196.608, es = 196.608 / 0.3 / 1.25 = 524.288
        // z = 48: P = 498.432, es = 498.432 / 3 / 1.25 = 132.9152
        // z = 72: P = 150.912, es = 150.912 / 0.0375 / 1.25 = 3219.456
        // Zero deflection takes Es0 without multipliers.
        {"group multipliers",
         [&](Nodes& n) {
             base_y(n);
             PFGRP(1) = 0.8;
             YFGRP(1) = 1.25;
         },
         {{2, 524.288, -196.608}, {3, 132.9152, 498.432}, {4, 3219.456, -150.912}, {5, ES0_96, 0.0}}},
        // Table J1, set 1: (depth, p-factor, y-factor) = (36, 0.5, 1), (60, 0.8, 1.5), (84, 0.9, 2).
        // x = 24 and x = 96 lie outside the set: factors 1.
        // x = 48: halfway 36..60: pm = 0.65, ym = 1.25; es = 207.68 * 0.65 / 1.25 = 107.9936,
        //         p = +623.04 * 0.65 = 404.976
        // x = 72: halfway 60..84: pm = 0.85, ym = 1.75; es = 5030.4 * 0.85 / 1.75 = 2443.337143,
        //         p = -188.64 * 0.85 = -160.344
        {"depth multipliers",
         [&](Nodes& n) {
             base_y(n);
             KJ1 = 1;
             IRFSET(1) = 1;
             RFLNPT(1) = 3;
             const double D[] = {36, 60, 84}, F[] = {0.5, 0.8, 0.9}, G[] = {1.0, 1.5, 2.0};
             for (int j = 1; j <= 3; ++j) {
                 RFLDEP(1, j) = D[j - 1];
                 RFLPF(1, j) = F[j - 1];
                 RFLYF(1, j) = G[j - 1];
             }
         },
         {{2, 819.2, -245.76}, {3, 107.9936, 404.976}, {4, 2443.337143, -160.344}, {5, ES0_96, 0.0}}},
        // The J1 switch with no set on the pile row: factors 1.
        {"depth multipliers, no set",
         [&](Nodes& n) {
             base_y(n);
             KJ1 = 1;
             IRFSET(1) = 0;
         },
         {{3, 207.68, 623.04}, {4, 5030.4, -188.64}}},
        // Soil movement m = |(smy, smz)|, evaluated at |y - m|, esm = es m.
        // Node 2: m = |(0.18, 0.24)| = 0.3 = y: the node moves with the soil,
        //         es = Es0(z = 24), p = +0, esm = 0.3 Es0 = 2.372787e11.
        // Node 3: m = |(0.6, 0.8)| = 1, y = -3: Y = 4 > 2.4, p1 = 623.04,
        //         es = 623.04 / 4 = 155.76, p = +623.04 (y < m), esm = 155.76.
        // Node 4: m = 0.3, y = 0.3375: Y = 0.0375, es = 5030.4, p = -188.64, esm = 1509.12.
        // Node 5: no movement, y = 0: es = Es0, esm = 0.
        {"soil movement",
         [&](Nodes& n) {
             base_y(n);
             NSMOV = 2;
             n.smy(2) = 0.18;
             n.smz(2) = 0.24;
             n.smy(3) = 0.6;
             n.smz(3) = 0.8;
             n.smy(4) = 0.3;
             n.y(4) = 0.3375;
         },
         {{2, ES0_24, 0.0, 0.3 * ES0_24}, {3, 155.76, 623.04, 155.76}, {4, 5030.4, -188.64, 1509.12},
          {5, ES0_96, 0.0, 0.0}}},
        // Ground line 30 below the head: nodes 1 (z = -30) and 2 (z = -6) lie
        // above it: es = 0, p not written.
        // Node 3, z = 18: Np = 3 + 0.072 + 0.75 = 3.822, pu = 458.64; Y = 3: p = +458.64, es = 152.88.
        // Node 4, z = 42: Np = 3 + 0.168 + 1.75 = 4.918, pu = 590.16; Y = y50/8:
        //         p = -0.25 pu = -147.54, es = 147.54 / 0.0375 = 3934.4.
        {"ground line below the head",
         [&](Nodes& n) {
             base_y(n);
             GROUND(1) = 30.0;
         },
         {{1, 0.0, UNTOUCHED}, {2, 0.0, UNTOUCHED}, {3, 152.88, 458.64}, {4, 3934.4, -147.54}}},
        // A second layer that holds only the tip node (84 .. 480, nodes 5 .. 5,
        // as the mesh lays it): the tip takes that layer's spring. With the
        // layer's equivalent depth 12, zeq = 96 - 84 + 12 = 24 there: at y = 0
        // es = Es0 of z = 24 and p = +0.
        {"layer holding only the tip",
         [&](Nodes& n) {
             base_y(n);
             second_layer(84.0, 10.0);
             LAYNL(1, 1) = 4;
             LAYNF(2, 1) = LAYNL(2, 1) = 5;
             EQDEP(1, 2) = 12.0;
         },
         {{2, 819.2, -245.76}, {4, 5030.4, -188.64}, {5, ES0_24, 0.0}}},
        // The tip exactly on the top of a layer of cu = 20 (96), where the
        // mesh ends the layer above at the tip as well: the tip keeps the
        // upper layer's spring, zeq = z = 96 with the cohesion that the
        // lookup gives on the boundary (the lower layer's, 20):
        // Np = 3 + 0.04 * 96 / 20 + 0.5 * 96 / 12 = 7.192, pu = 7.192 * 20 * 12 = 1726.08,
        // Es0 = 0.5 * 1726.08 / 0.3 * 9.654894e8 = 2.777520e12 (the lower layer,
        // at zeq = 0, would give pu = 3 * 20 * 12 = 720 and 1.158587e12).
        {"tip on the top of a layer",
         [&](Nodes& n) {
             base_y(n);
             second_layer(96.0, 20.0);
             LAYNL(1, 1) = 5;
             LAYNF(2, 1) = LAYNL(2, 1) = 5;
         },
         {{4, 5030.4, -188.64}, {5, 2.777520e12, 0.0}}},
        // Soil codes 0 and 14 take the soft-clay model: the base values.
        {"soil code 0",
         [&](Nodes& n) {
             base_y(n);
             ISOIL(1) = 0;
         },
         {{2, 819.2, -245.76}, {3, 207.68, 623.04}, {5, ES0_96, 0.0}}},
        {"soil code 14",
         [&](Nodes& n) {
             base_y(n);
             ISOIL(1) = 14;
         },
         {{2, 819.2, -245.76}, {3, 207.68, 623.04}, {5, ES0_96, 0.0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        set_model();
        Nodes n;
        c.setup(n);
        int istat = 0;
        n.run(istat);
        EXPECT_EQ(istat, 0);
        for (const At& a : c.want) {
            expect_near_rel(n.es(a.k), a.es, "es", a.k);
            if (a.p == UNTOUCHED) EXPECT_EQ(n.p(a.k), UNTOUCHED) << "p at node " << a.k;
            else expect_near_rel(n.p(a.k), a.p, "p", a.k);
            if (!std::isnan(a.esm)) expect_near_rel(n.esm(a.k), a.esm, "esm", a.k);
        }
    }
}

// Cap pass with KCAPOP = 1: node 1 is first evaluated with the cap width and
// leaves PASPV; the pile pass then overwrites es(1), p(1) with the pile's own
// values. The running sum counts the soil above the head as a triangle.
TEST_F(PyFrame, CapPassAndRunningSum) {
    set_model();
    KCAPOP = 1;
    CAPWID = 48.0;
    CAPTHK = 36.0;
    GROUND(1) = -24.0;  // ground line 24 above the head: node k at z = 24 k
    LAYTOP(1) = SCDEP(1) = UWDEP(1) = -24.0;
    Nodes n;
    n.y(1) = 2.4;
    int istat = 0;
    n.run(istat);
    EXPECT_EQ(istat, 0);
    // Cap pass, z = 24, b = 48: Np = 3 + 0.096 + 0.5 * 24 / 48 = 3.346, pu = 3.346 * 10 * 48 = 1606.08;
    // y50 = 2.5 * 0.01 * 48 = 1.2; Y = 2.4 = 2 y50: p1 = 0.5 * 1606.08 * 2^(1/3) = 1011.767.
    EXPECT_NEAR(PASPV(1), 1011.767, 1e-3);
    // Pile pass, z = 24, b = 12: pu = 491.52, Y = 2.4 = 8 y50: p = 0.5 pu 8^(1/3) = pu (the
    // single-precision third makes 8^(1/3) = 2 (1 + 2e-8)); es = 491.52 / 2.4 = 204.8.
    EXPECT_NEAR(n.es(1), 204.8, 1e-5);
    EXPECT_NEAR(n.p(1), -491.52, 2e-5);
    // Running sum of the pile pass (static, u = pu, h = 24), z = 24 .. 120:
    //   triangle at node 1: -0.5 * 491.52 * (-24) = 5898.24
    //   + 24 * (491.52 + 623.04 + 754.56 + 886.08 + 1017.6) = 24 * 3772.8 = 90547.2
    //   (z = 120: Np = 3 + 0.48 + 5 = 8.48, pu = 1017.6); total 96445.44.
    test::form_layered_state();
    EXPECT_NEAR(PUSUM(1, 1), 96445.44, 1e-6);
}

// The cap pseudo-pile's pass (controls kcappy = 1): every node takes the cap
// width. z = 24, b = 48: pu = 1606.08 and y50 = 1.2 (as above); at Y = y50
// p = 0.5 pu = 803.04, es = 803.04 / 1.2 = 669.2.
TEST_F(PyFrame, CapPseudoPileTakesTheCapWidth) {
    set_model();
    CAPWID = 48.0;
    test::test_controls().kcappy = 1;
    Nodes n;
    n.y(2) = 1.2;
    int istat = 0;
    n.run(istat);
    EXPECT_EQ(istat, 0);
    EXPECT_NEAR(n.p(2), -803.04, 1e-3);
    EXPECT_NEAR(n.es(2), 669.2, 1e-3);
}

// Depth multipliers of Table J1 by depth: the ends of the set, inside, outside.
TEST_F(PyFrame, DepthMultipliers) {
    set_model();
    IRFSET(1) = 1;
    RFLNPT(1) = 3;
    const double D[] = {36, 60, 84}, F[] = {0.5, 0.8, 0.9}, G[] = {1.0, 1.5, 2.0};
    for (int j = 1; j <= 3; ++j) {
        RFLDEP(1, j) = D[j - 1];
        RFLPF(1, j) = F[j - 1];
        RFLYF(1, j) = G[j - 1];
    }
    struct Case { int set; double x, pm, ym; };
    const Case cases[] = {
        {1, 35.9, 1.0, 1.0},    // above the set
        {1, 36.0, 0.5, 1.0},    // its first point
        {1, 48.0, 0.65, 1.25},  // halfway between the first two points
        {1, 60.0, 0.8, 1.5},    // an inner point
        {1, 78.0, 0.875, 1.875},  // 3/4 of 60..84: 0.8 + 0.75 * 0.1, 1.5 + 0.75 * 0.5
        {1, 84.0, 0.9, 2.0},    // its last point
        {1, 84.1, 1.0, 1.0},    // below the set
        {0, 48.0, 1.0, 1.0},    // no set on the row
    };
    for (const Case& c : cases) {
        IRFSET(1) = c.set;
        int s = -1;
        double pm = 0, ym = 0;
        PYDFACT(1, s, c.x, pm, ym);
        EXPECT_EQ(s, c.set) << c.x;
        EXPECT_NEAR(pm, c.pm, 1e-12) << c.x;
        EXPECT_NEAR(ym, c.ym, 1e-12) << c.x;
    }
}

// A tabulated curve for the curve file (PLOTFLG = 1): the scratch node at
// depth 48 of pile row 1 with group and depth multipliers; the points are
// (Y ygroup ym, P pm) and the curve words describe the depth.
TEST_F(PyFrame, TabulatedPointsForTheCurveFile) {
    set_model();
    PFGRP(1) = 0.8;
    YFGRP(1) = 1.25;
    KJ1 = 1;
    IRFSET(1) = 1;
    RFLNPT(1) = 2;
    RFLDEP(1, 1) = 36.0;
    RFLDEP(1, 2) = 60.0;
    RFLPF(1, 1) = 0.5;
    RFLPF(1, 2) = 0.8;
    RFLYF(1, 1) = 1.0;
    RFLYF(1, 2) = 1.5;
    test::curve_mode(48.0, 72.0);
    PLOTFLG = 1;
    PYNPT = 2;
    CRVL1(1) = 0.3;
    CRVL1(2) = 3.0;
    Nodes n;
    int istat = 0;
    n.run(istat);
    EXPECT_EQ(istat, 0);
    EXPECT_EQ(PYCODE, 1);
    EXPECT_EQ(PYBELOW, 1);
    EXPECT_DOUBLE_EQ(PYZGS, 48.0);
    // z = 48: pu = 623.04, y50 = 0.3; x = 48 halfway 36..60: pm = 0.65, ym = 1.25.
    // Y = 0.3: p1 = 311.52, P = 0.8 p1 = 249.216; point (0.3 * 1.25 * 1.25, 249.216 * 0.65)
    //        = (0.46875, 161.9904).
    // Y = 3:   p1 = 623.04, P = 498.432; point (3 * 1.5625, 498.432 * 0.65) = (4.6875, 323.9808).
    EXPECT_NEAR(PYBUF(1, 1), 0.46875, 1e-12);
    EXPECT_NEAR(PYBUF(1, 2), 161.9904, 1e-5);
    EXPECT_NEAR(PYBUF(2, 1), 4.6875, 1e-12);
    EXPECT_NEAR(PYBUF(2, 2), 323.9808, 1e-6);
    // No live pile row is written in curve mode.
    EXPECT_EQ(PUSUM(1, 1), 0.0);
}

// A default deflection list under a y-multiplier is the model's own list
// times the multiplier, in order (the step rules add to the list's previous
// deflection, not to the multiplied one). Scratch node at depth 48, y50 =
// 2.5 * 0.01 * 12 = 0.3, group y-multiplier 1.25:
// soft clay: 0, 0.008 y50 (0.008 single, 0.00800000037997961), 0.25 y50 .. 3 y50
// by 0.25 y50, 8, 15, 20 y50;
// stiff clay without free water (code 3, static: s = 16 y50 / 15 = 0.32):
// 0, s/8 .. s by s/8, 3 s .. 15 s by 2 s, 18.75 s.
TEST_F(PyFrame, DefaultListUnderAYMultiplier) {
    struct Case {
        int code;
        std::vector<double> y;  // before the multiplier
    };
    const double y8 = 0.00800000037997961 * 0.3;
    const Case cases[] = {
        {1, {0, y8, 0.075, 0.15, 0.225, 0.3, 0.375, 0.45, 0.525, 0.6, 0.675, 0.75, 0.825, 0.9, 2.4, 4.5, 6.0}},
        {3, {0, 0.04, 0.08, 0.12, 0.16, 0.2, 0.24, 0.28, 0.32, 0.96, 1.6, 2.24, 2.88, 3.52, 4.16, 4.8, 6.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        set_model();
        ISOIL(1) = c.code;
        YFGRP(1) = 1.25;
        test::curve_mode(48.0, 72.0);
        PLOTFLG = 1;
        Nodes n;
        int istat = 0;
        n.run(istat);
        EXPECT_EQ(istat, 0);
        for (int i = 1; i <= 17; ++i) EXPECT_NEAR(PYBUF(i, 1), 1.25 * c.y[i - 1], 1e-12) << "point " << i;
    }
}

}  // namespace
}  // namespace zolan
