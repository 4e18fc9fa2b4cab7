// Sand p-y curves by API criteria (soil code 8): the loading factor A and
// the hyperbolic-tangent curve, the switch from the shallow to the deep
// ultimate resistance at zr, a node above its equivalent ground, the running
// sum and a tabulated curve.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "soil/py_curves.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

// Pile row 1: head at the ground line (X = 0), 1200 in long, diameter 24 in,
// nodes every 12 in (node k at 12 (k - 1)). Soil layers set by each test.
class ApiSandCurves : public test::PyModelTest, protected test::LayerRun {
protected:
    void SetUp() override {
        test::reset_py_model();
        test::one_pile(24.0, 12.0, 100);
    }

    struct Layer {
        int code;
        double top, bot, gamma, phi_deg, k;
        int nf, nl;  // nodes of row 1 in the layer
    };
    // Uniform values in each layer (top and bottom points alike).
    void profile(const std::vector<Layer>& layers) {
        int L = 0;
        for (const Layer& l : layers) {
            test::friction_layer(++L, l.code, l.top, l.bot, l.gamma, l.phi_deg, l.k, l.nf, l.nl);
        }
    }
    // One API sand layer over the whole pile.
    void one_layer(double gamma, double phi_deg, double k) { profile({{8, 0, 1200, gamma, phi_deg, k, 1, 101}}); }
};

// p = A pu tanh(k H Y / (A pu)) with the static and cyclic loading factor.
TEST_F(ApiSandCurves, TanhCurveAndLoadingFactor) {
    // phi = 35 deg, gamma' = 0.0361 pci, b = 24 in, k = 90 pci; K0 = 0.4,
    // Ka = tan^2(27.5) = 0.270990, Kp = tan^2(62.5) = 3.690172, tan beta = 1.920982:
    // C1 = tan beta [K0 (tan phi sin beta (1/cos alpha + 1) - tan alpha) + Kp tan alpha] = 2.970448,
    // C2 = Kp - Ka = 3.419182, C3 = Kp^2 (K0 tan phi + Kp) - Ka = 53.79345,
    // zr = (C3 - C2) b / C1 = 407.0035 in.
    // H = 36: pus = (C1 H + C2 b) gamma H = 245.6198; static A = 3 - 0.8 * 1.5 = 1.8,
    //   A pu = 442.1157; cyclic A = 0.9, A pu = 221.0578; k H = 3240.
    // H = 240: pus = 6887.601; static A = max(0.9, 3 - 8) = 0.9, A pu = 6198.841; k H = 21600.
    struct Case {
        int loadtyp, node;
        double Y, p;
    };
    const Case cases[] = {
        {1, 4, 0.01, 32.342122},   // 442.1157 tanh(32.4 / 442.1157)
        {1, 4, 0.1, 276.23374},    // 442.1157 tanh(324 / 442.1157)
        {1, 4, 1.0, 442.11531},    // 442.1157 tanh(3240 / 442.1157)
        {0, 4, 0.01, 32.169969},   // 221.0578 tanh(32.4 / 221.0578)
        {0, 4, 0.1, 198.67576},    // 221.0578 tanh(324 / 221.0578)
        {1, 21, 0.01, 215.91262},  // 6198.841 tanh(216 / 6198.841)
        {0, 21, 0.1, 2076.6253},   // 6198.841 tanh(2160 / 6198.841)
    };
    for (const Case& c : cases) {
        LOADTYP = c.loadtyp;
        one_layer(0.0361, 35.0, 90.0);
        run(PYAPISND, 1, c.Y);
        SCOPED_TRACE("node " + std::to_string(c.node) + " Y " + std::to_string(c.Y));
        EXPECT_EQ(istat, 0);
        EXPECT_NEAR(-p(c.node), c.p, 1e-6 * c.p);
    }
}

// pu: the shallow value to zr, the deep one C3 b gamma z beyond, z being the
// depth below the ground line even in a deeper layer; nothing above the
// layer's equivalent ground.
TEST_F(ApiSandCurves, ShallowAndDeepResistance) {
    // At Y = 10 the tangent is 1 (k H Y / (A pu) > 20): p = A pu, static A = 0.9 below H = 2.625 b.
    // x = 396 < zr: pus = (2.970448 * 396 + 3.419182 * 24) * 0.0361 * 396 = 17988.977, p = 16190.079.
    // x = 408 > zr: pud = 53.79345 * 24 * 0.0361 * 408 = 19015.512, p = 17113.961 (pus would be 19059.11).
    // Layer 2 from 120 in with an equivalent depth of 400 in: node x = 132 has H = 412 > zr
    //   and z = 132: pud = 53.79345 * 24 * 0.0361 * 132 = 6152.078, p = 5536.870.
    // Layer 2 from 40 in with an equivalent depth of 2 in: node x = 36 has H = -2: p = 0.
    struct Case {
        double top2, eqdep;
        int nf2, node;  // first node of layer 2, node looked at
        double p;
    };
    const Case cases[] = {
        {1200, 0, 101, 34, 16190.079},
        {1200, 0, 101, 35, 17113.961},
        {120, 400, 11, 12, 5536.8696},
        {40, 2, 4, 4, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("node " + std::to_string(c.node));
        profile({{8, 0, c.top2, 0.0361, 35, 90, 1, c.nf2 - 1}, {8, c.top2, 1200, 0.0361, 35, 90, c.nf2, 101}});
        EQDEP.fill(0.0);
        EQDEP(1, 2) = c.eqdep;
        run(PYAPISND, c.node < c.nf2 ? 1 : 2, 10.0);
        EXPECT_EQ(istat, 0);
        EXPECT_NEAR(-p(c.node), c.p, 1e-6 * c.p);
        if (c.p == 0.0) {
            run(PYAPISND, 2, 0.0);
            EXPECT_EQ(es(c.node), 0.0);  // no limit modulus k H < 0
        }
    }
}

// The running sum: h A pu at every node and the rest of the layer below the last.
TEST_F(ApiSandCurves, RunningSumWithTheLayerEnd) {
    // Layer 1 from 0 to 30 in, nodes at 0 (above the ground line), 12 and 24.
    // H = 12: pus = (2.970448 * 12 + 3.419182 * 24) * 0.0361 * 12 = 50.99013, A = 3 - 0.8 * 0.5 = 2.6;
    // H = 24: pus = 132.8634, A = 2.2.
    // Sum = 12 * 132.5743 + 12 * 292.2995 + 6 * 292.2995 = 6852.283.
    profile({{8, 0, 30, 0.0361, 35, 90, 1, 3}, {8, 30, 1200, 0.0361, 35, 90, 4, 101}});
    test::test_controls().form = 1;
    run(PYAPISND, 1, 0.01);
    EXPECT_NEAR(PUSUM(1, 1), 6852.283, 1e-3);
}

// A tabulated curve: the heading, the depth record and the 17 default points.
TEST_F(ApiSandCurves, TabulatedCurve) {
    one_layer(0.0361, 35.0, 90.0);
    // The scratch row as the tabulating caller lays it: the node at 36 in, the
    // next one an increment below, a one-node layer table.
    test::curve_mode(36.0, 48.0);
    const auto files = test::run_files({ECHOFILE, PLOTFILE}, [&] { call(PYAPISND, 1); });
    EXPECT_EQ(istat, 0);
    const auto& echo = files.echo;
    ASSERT_EQ(echo.size(), 8u + 17u);
    // z = 3.00 ft, b = 24.00 in, phi = 35.0, gamma = 62.38 pcf, A = 1.80, B column 0,
    // pus = 245.6, deep value C3 H b gamma = 53.79345 * 36 * 24 * 0.0361 = 1677.8.
    const std::vector<std::string> head = {
        "",
        "",
        "     DEPTH      DIAM      PHI  GAMMA AVG        A         B     PCT       PCD",
        "       FT        IN            LBS/FT**3",
        "      3.00     24.00      35.0 0.624E+02      1.80      0.00 0.246E+03 0.168E+04",
        "",
        "                                     Y                   P",
        "                                     IN                LBS/IN",
    };
    EXPECT_EQ(std::vector<std::string>(echo.begin(), echo.begin() + 8), head);
    // Points (ym = 0.4, yu = 0.9, A pu = 442.1157, k H = 3240):
    // y2 = 0.4/12: p = 442.1157 tanh(108 / 442.1157) = 105.90185; y13 = 0.9: 442.11404;
    // y17 = 3.866667: 442.11569.
    struct Point {
        int i;
        double y, p;
    };
    const Point points[] = {{1, 0, 0}, {2, 0.4 / 12, 105.90185}, {13, 0.9, 442.11404}, {17, 3.8666667, 442.11569}};
    const auto& plot = files.plot;
    ASSERT_EQ(plot.size(), 18u);
    EXPECT_EQ(std::strtod(plot[0].c_str(), nullptr), 36.0);
    for (const Point& pt : points) {
        SCOPED_TRACE("point " + std::to_string(pt.i));
        const std::string& line = echo[7 + pt.i];
        ASSERT_EQ(line.size(), 62u);  // 21 blanks, two fields of 20, the blank of WREOL
        EXPECT_NEAR(std::strtod(line.substr(21, 20).c_str(), nullptr), pt.y, 1e-4 * pt.y + 1e-12);
        EXPECT_NEAR(std::strtod(line.substr(41, 20).c_str(), nullptr), pt.p, 1e-4 * pt.p + 1e-12);
        // Plot record (1P, 2(2X, G15.8)).
        const std::string& rec = plot[pt.i];
        ASSERT_EQ(rec.size(), 34u);
        EXPECT_EQ(rec.substr(0, 2), "  ");
        EXPECT_NEAR(std::strtod(rec.substr(0, 17).c_str(), nullptr), pt.y, 1e-7 * pt.y + 1e-12);
        EXPECT_NEAR(std::strtod(rec.substr(17, 17).c_str(), nullptr), pt.p, 1e-7 * pt.p + 1e-12);
    }
}

}  // namespace
}  // namespace zolan
