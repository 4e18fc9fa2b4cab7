// Sand p-y curves (soil code 4), and the zero friction angle of both sand
// models (codes 4 and 8): resistance at chosen deflections against the
// published criterion, the running sum, the default subgrade modulus, the
// guards of a node without friction or above the ground, and a tabulated curve.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/status_codes.h"
#include "soil/py_curves.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

// Pile row 1: head at the ground line (X = 0), 1200 in long, diameter 24 in,
// nodes every 12 in (node k at 12 (k - 1)). Soil layers set by each test.
class SandCurves : public test::PyModelTest, protected test::LayerRun {
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
    // One sand layer over the whole pile.
    void one_layer(double gamma, double phi_deg, double k) { profile({{4, 0, 1200, gamma, phi_deg, k, 1, 101}}); }
};

// The four pieces of the curve, static and cyclic, at a shallow and a deep node.
TEST_F(SandCurves, ResistanceAtChosenDeflections) {
    // phi = 35 deg, gamma' = 0.0361 pci, b = 24 in: alpha = 17.5, beta = 62.5 deg,
    // tan beta = 1.920982, Ka = tan^2(27.5) = 0.270990, K0 = 0.4.
    // H = 36: pst = 245.6198 (the bracket of the wedge formula is 189.005),
    //   pcd = gamma b z [Ka (tan^8 beta - 1) + K0 tan phi tan^4 beta] = 1677.839, ps = pst.
    //   Static H/b = 1.5: A = 1.76, B = 1.27: pu = 432.2909, pm = 311.9372;
    //   ym = 0.4, yu = 0.9, m = 120.354 / 0.5 = 240.7074, n = pm / (m ym) = 3.239796,
    //   C = pm / ym^(1/n) = 413.9004, k H = 3240, yk = (C / kH)^(n / (n - 1)) = 0.0509758.
    //   Cyclic A = 1.11, B = 0.86: pu = 272.6380, pm = 211.2331, m = 122.8099,
    //   n = 4.3, C = 261.4003, yk = 0.0376250.
    // H = 240: pst = 6887.601 < pcd = 11185.60; H/b = 10: A = 0.88, B = 0.50 static:
    //   pu = 6061.089, pm = 3443.800, m = 5234.577, n = 1.644737, C = 6011.537,
    //   kH = 21600, yk = 0.0382815.
    struct Case {
        int loadtyp, node;
        double k, Y, p;
    };
    const Case cases[] = {
        // Initial line below yk: k H Y.
        {1, 4, 90, 0.01, 32.4},
        {1, 21, 90, 0.01, 216.0},
        {0, 4, 90, 0.01, 32.4},
        // Parabola: C Y^(1/n); 413.9004 * 0.2^(1/3.239796) = 251.8551.
        {1, 4, 90, 0.2, 251.85513},
        {1, 21, 90, 0.2, 2259.4969},  // 6011.537 * 0.2^(0.608000)
        {0, 4, 90, 0.2, 179.78560},   // 261.4003 * 0.2^(1/4.3)
        // Straight piece: pm + m (Y - ym).
        {1, 4, 90, 0.6, 360.07867},  // 311.9372 + 240.7074 * 0.2
        {1, 21, 90, 0.6, 4490.7157},  // 3443.800 + 5234.577 * 0.2
        {0, 4, 90, 0.6, 235.79504},  // 211.2331 + 122.8099 * 0.2
        // Plateau pu from yu on.
        {1, 4, 90, 2.0, 432.29090},
        {1, 21, 90, 2.0, 6061.0887},
        {0, 4, 90, 0.9, 272.63802},
        // yk beyond ym with a soft k = 5: kH = 1200 at H = 240, yk = (6011.5/1200)^2.551 = 60.8;
        // the initial line 1200 * 0.6 = 720 caps the straight piece (4490.7).
        {1, 21, 5, 0.6, 720.0},
    };
    for (const Case& c : cases) {
        LOADTYP = c.loadtyp;
        one_layer(0.0361, 35.0, c.k);
        run(PYSAND, 1, c.Y);
        SCOPED_TRACE("node " + std::to_string(c.node) + " Y " + std::to_string(c.Y));
        EXPECT_EQ(istat, 0);
        // A positive deflection gives a negative reaction.
        EXPECT_NEAR(-p(c.node), c.p, 1e-6 * c.p);
        EXPECT_NEAR(es(c.node), c.p / c.Y, 1e-6 * c.p / c.Y);
    }
}

// A zero or negative k takes the sand default; an open unit system the English one.
TEST_F(SandCurves, DefaultSubgradeModulus) {
    // phi = 35 deg, gamma' = 0.0361 <= 0.045 pci (submerged):
    // k = ((0.0166 * 35 - 1.55262) * 35 + 58.42955) * 35 - 769.18353 = 85.61615 pci.
    // Node x = 36: Y = 0.01 is on the initial line (yk = (413.9 / 3082.2)^1.4465 = 0.055):
    // p = 85.61615 * 36 * 0.01 = 30.82181.
    for (int units : {1, 3}) {
        NUNITS = units;
        one_layer(0.0361, 35.0, 0.0);
        run(PYSAND, 1, 0.01);
        EXPECT_NEAR(-p(4), 30.82181, 1e-5) << "NUNITS " << units;
    }
}

// The running sum of a layer: h pu at every node and the rest of the layer below the last.
TEST_F(SandCurves, RunningSumWithTheLayerEnd) {
    // Layer 1 from 0 to 30 in: nodes 1 (z = 0, above the ground line), 2 (12) and 3 (24).
    // H = 12: pst = 50.99013 < pcd = 559.28; H/b = 0.5, A = 2.48: pu = 126.4555.
    // H = 24: pst = 132.8634 < pcd = 1118.56; H/b = 1, A = 2.11: pu = 280.3418.
    // Sum = 12 * 126.4555 + 12 * 280.3418 + (30 - 24) * 280.3418 = 6563.618.
    profile({{4, 0, 30, 0.0361, 35, 90, 1, 3}, {4, 30, 1200, 0.0361, 35, 90, 4, 101}});
    test::test_controls().form = 1;
    run(PYSAND, 1, 0.01);
    EXPECT_NEAR(PUSUM(1, 1), 6563.618, 1e-3);
}

// A zero friction angle stops the run below a layer's first node (both sand
// models); the first node itself carries nothing and gives no equivalent depth.
TEST_F(SandCurves, ZeroFrictionAngle) {
    using Gen = void (*)(const PyControls&, int, PyWork&, int&);
    const std::vector<std::string> block = {
        "",
        "       --------------------WARNING----------------------",
        "       THE FRICTION ANGLE IS 0 FOR SAND ACCORING TO THE INPUT",
        "       DATA. PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN.",
    };
    for (auto [code, gen] : {std::pair<int, Gen>{4, PYSAND}, std::pair<int, Gen>{8, PYAPISND}}) {
        SCOPED_TRACE("code " + std::to_string(code));
        // Layer 1 (0-30) sound sand; layer 2 from 30 without friction, nodes 4 (x = 36) on.
        profile({{code, 0, 30, 0.0361, 35, 90, 1, 3}, {code, 30, 1200, 0.0361, 0, 90, 4, 101}});
        EQDEP.fill(0.0);
        istat = 0;
        const auto files = test::run_files({RUNFILE, ECHOFILE}, [&, gen = gen] { run(gen, 2, 0.5); });
        EXPECT_EQ(istat, ISSANDPH);
        EXPECT_EQ(p(4), 0.0);
        EXPECT_EQ(es(4), 0.0);
        EXPECT_EQ(p(5), -777.0);  // the run stopped at node 5
        EXPECT_EQ(files.run, block);
        EXPECT_EQ(files.echo, block);
        test::form_layered_state();
        EXPECT_EQ(EQDEP(1, 2), 0.0);
    }
}

// A node of a deeper layer lying above its equivalent ground (H <= 0) carries nothing.
TEST_F(SandCurves, NoResistanceAboveTheGround) {
    // Layer 2 from 40 in with an equivalent depth of 2 in already known: node 4
    // at x = 36, counted in layer 2, has H = 36 - 40 + 2 = -2; node 5 at 48 has H = 10.
    profile({{4, 0, 40, 0.0361, 35, 90, 1, 3}, {4, 40, 1200, 0.0361, 35, 90, 4, 101}});
    EQDEP(1, 2) = 2.0;
    run(PYSAND, 2, 0.5);
    EXPECT_EQ(istat, 0);
    EXPECT_EQ(p(4), 0.0);
    EXPECT_EQ(es(4), 0.0);
    EXPECT_LT(p(5), 0.0);
    // And at a deflection below the zero threshold the limit modulus is 0, not k H < 0.
    run(PYSAND, 2, 0.0);
    EXPECT_EQ(es(4), 0.0);
    EXPECT_EQ(es(5), 90.0 * 10.0);
}

// Two layers of the same sand: the second layer's equivalent depth is its own
// top, within half a node spacing (rectangle rules on 12 in and on zr / 50).
TEST_F(SandCurves, EquivalentDepthOfTheSameSand) {
    for (int code : {4, 8}) {
        profile({{code, 0, 120, 0.0361, 35, 90, 1, 11}, {code, 120, 1200, 0.0361, 35, 90, 12, 101}});
        EQDEP.fill(0.0);
        istat = 0;
        for (int k = 1; k <= 101; ++k) y(k) = 0.01;
        test::test_controls().form = 1;
        call_pycurv();
        EXPECT_EQ(istat, 0);
        EXPECT_NEAR(EQDEP(1, 2), 120.0, 6.0) << "code " << code;
    }
}

// A tabulated curve: the heading, the depth record and the 17 default points.
TEST_F(SandCurves, TabulatedCurve) {
    one_layer(0.0361, 35.0, 90.0);
    // The scratch row as the tabulating caller lays it: the node at 36 in, the
    // next one an increment below, a one-node layer table.
    test::curve_mode(36.0, 48.0);
    const auto files = test::run_files({ECHOFILE, PLOTFILE}, [&] { call(PYSAND, 1); });
    EXPECT_EQ(istat, 0);
    const auto& echo = files.echo;
    ASSERT_EQ(echo.size(), 7u + 17u);
    // z = 3.00 ft, b = 24.00 in, phi = 35.00, gamma = 0.0361 * 1728 = 62.38 pcf,
    // A = 1.76, B = 1.27, pst = 245.6, pcd = 1677.8 (values of the first test).
    const std::vector<std::string> head = {
        "",
        "           DEPTH BELOW GS      DIAM      PHI     GAMMA          A         B               PCT       PCD",
        "                 FT             IN             LBS/FT**3",
        "                3.00          24.00     35.00  0.62E+02      1.76      1.27            0.25E+03  0.17E+04",
        "",
        "                                      Y                   P",
        "                                      IN               LBS/IN",
    };
    EXPECT_EQ(std::vector<std::string>(echo.begin(), echo.begin() + 7), head);
    // Points: ym = 0.4, yu = 0.9, s = (0.9 - 10 * 0.4 / 12) / 2 = 0.283333:
    // y2 = ym/12 = 0.033333 on the initial line (p = 3240 y = 108.0); y13 = yu
    // (p = pu = 432.2909); y17 = yu + 2 s + b/10 = 3.866667 (p = pu).
    struct Point {
        int i;
        double y, p;
    };
    const Point points[] = {{1, 0, 0}, {2, 0.4 / 12, 108.0}, {13, 0.9, 432.29090}, {17, 3.8666667, 432.29090}};
    const auto& plot = files.plot;
    ASSERT_EQ(plot.size(), 18u);
    EXPECT_EQ(std::strtod(plot[0].c_str(), nullptr), 36.0);
    for (const Point& pt : points) {
        SCOPED_TRACE("point " + std::to_string(pt.i));
        const std::string& line = echo[6 + pt.i];
        ASSERT_EQ(line.size(), 62u);  // 21 blanks, two fields of 20, the blank of WREOL
        EXPECT_EQ(line.substr(0, 21), std::string(21, ' '));
        EXPECT_NEAR(std::strtod(line.substr(21, 20).c_str(), nullptr), pt.y, 1e-4 * pt.y + 1e-12);
        EXPECT_NEAR(std::strtod(line.substr(41, 20).c_str(), nullptr), pt.p, 1e-4 * pt.p + 1e-12);
        // Plot record (1P, 2(1X, G15.8)).
        const std::string& rec = plot[pt.i];
        ASSERT_EQ(rec.size(), 32u);
        EXPECT_NEAR(std::strtod(rec.substr(0, 16).c_str(), nullptr), pt.y, 1e-7 * pt.y + 1e-12);
        EXPECT_NEAR(std::strtod(rec.substr(16, 16).c_str(), nullptr), pt.p, 1e-7 * pt.p + 1e-12);
    }
}

}  // namespace
}  // namespace zolan
