// Silt p-y curves (soil code 7): the frictional and cohesive resistances,
// the breakpoints and the curve at chosen deflections (pm above and below
// pu), the zero-slope guard, the default subgrade modulus, the trapezoid
// running sum, the two stop blocks and a tabulated curve.
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
class SiltCurves : public test::PyModelTest, protected test::LayerRun {
protected:
    void SetUp() override {
        test::reset_py_model();
        test::one_pile(24.0, 12.0, 100);
    }

    struct Layer {
        int code;
        double top, bot, gamma, phi_deg, k, c;
        int nf, nl;  // nodes of row 1 in the layer
    };
    // Uniform values in each layer (top and bottom points alike).
    void profile(const std::vector<Layer>& layers) {
        int L = 0;
        for (const Layer& l : layers) {
            test::friction_layer(++L, l.code, l.top, l.bot, l.gamma, l.phi_deg, l.k, l.nf, l.nl);
            test::layer_value(SCCOH, L, l.c);
        }
    }
    // One silt layer over the whole pile.
    void one_layer(double gamma, double phi_deg, double k, double c) {
        profile({{7, 0, 1200, gamma, phi_deg, k, c, 1, 101}});
    }
};

// The curve at chosen deflections, static and cyclic, with pm above and below pu.
TEST_F(SiltCurves, ResistanceAtChosenDeflections) {
    // phi = 30 deg, gamma' = 0.0361 pci, b = 24 in, k = 100 pci; ym = 0.4, yu = 0.9.
    // H = 36: pst = 172.6146 < pcd (at H) = 896.572: pphi = 172.6146.
    //   c = 5 psi: Np = 3 + 0.0361 * 36 / 5 + 0.5 * 1.5 = 4.00992, pc = Np c b = 481.1904.
    //   Static A = 1.76: pu = A pphi + pc = 784.9922, pm = 1.5 (pphi + pc) = 980.7076 > pu;
    //   m = (pm - pu) / (yu - ym) = 391.4308, n = pm / (m ym) = 6.263608,
    //   C = pm / ym^(1/n) = 1135.198, kH = 3600, yk = (C / kH)^(n / (n - 1)) = 0.253246.
    //   Cyclic A = 1.11: pu = 672.7927, m = 615.8298, n = 3.981244, C = 1234.506, yk = 0.239486.
    //   c = 0.5 psi: Np = 6.3492, pc = 76.1904, static pu = 379.9922 > pm = 373.2076:
    //   m = -13.56921, n = -68.75999, C = 368.2672, yk = 0.105695.
    // H = 240, c = 5: pst = 4529.618, pphi = pst; Np = 9.73 > 9: pc = 9 c b = 1080;
    //   A = 0.88: pu = 5066.064, pm = 8414.427, m = 6696.726, n = 3.141246, C = 11264.37,
    //   kH = 24000, yk = 0.329669.
    struct Case {
        int loadtyp, node;
        double c, Y, p;
    };
    const Case cases[] = {
        // Initial line up to yk.
        {1, 4, 5, 0.05, 180.0},
        {1, 21, 5, 0.3, 7200.0},
        // Parabola, pm > pu: 1135.198 * 0.3^(1/6.263608); cyclic 1234.506 * 0.3^(1/3.981244).
        {1, 4, 5, 0.3, 936.68326},
        {0, 4, 5, 0.3, 912.34206},
        // Straight piece rising towards 2 pm - pu: 980.7076 + 391.4308 * 0.2.
        {1, 4, 5, 0.6, 1058.9937},
        {0, 4, 5, 0.6, 1103.8735},   // 980.7076 + 615.8298 * 0.2
        {1, 21, 5, 0.6, 9753.7723},  // 8414.427 + 6696.726 * 0.2
        // 2 pm - pu at yu = 0.9, then down to pu beyond.
        {1, 4, 5, 0.9, 1176.4230},
        {1, 4, 5, 2.0, 784.99217},
        {0, 4, 5, 2.0, 672.79266},
        {1, 21, 5, 2.0, 5066.0638},
        // pm < pu: the falling power 368.2672 * 0.3^(1/-68.75999), the line
        // 373.2076 - 13.56921 * 0.2, then pu.
        {1, 4, 0.5, 0.3, 374.77229},
        {1, 4, 0.5, 0.6, 370.49372},
        {1, 4, 0.5, 2.0, 379.99217},
    };
    for (const Case& c : cases) {
        LOADTYP = c.loadtyp;
        one_layer(0.0361, 30.0, 100.0, c.c);
        run(PYSILT, 1, c.Y);
        SCOPED_TRACE("node " + std::to_string(c.node) + " c " + std::to_string(c.c) + " Y " + std::to_string(c.Y));
        EXPECT_EQ(istat, 0);
        EXPECT_NEAR(-p(c.node), c.p, 1e-6 * c.p);
    }
}

// No strength at all (gamma' = 0, c = 0) gives pm = pu = 0: a flat curve at
// pm, no division by the zero slope.
TEST_F(SiltCurves, EqualPmAndPuHoldPm) {
    one_layer(0.0, 30.0, 100.0, 0.0);
    for (double Y : {0.01, 0.3, 0.6, 2.0}) {
        run(PYSILT, 1, Y);
        EXPECT_EQ(p(4), 0.0) << "Y " << Y;
        EXPECT_EQ(es(4), 0.0) << "Y " << Y;
    }
}

// A zero or negative k takes the silt default; an open unit system the English one.
TEST_F(SiltCurves, DefaultSubgradeModulus) {
    // c = 5 psi < 6.944 (first stiff-clay band): 250 static, 100 cyclic; phi = 30 deg,
    // gamma' = 0.0361 <= 0.045 (submerged): sand part 20. k = 270 static, 120 cyclic.
    // Node x = 36, Y = 0.01 on the initial line (static yk = (1135.2 / 9720)^1.19 = 0.078,
    // cyclic (1234.5 / 4320)^1.335 = 0.188): p = k * 36 * 0.01.
    struct Case {
        int units, loadtyp;
        double p;
    };
    const Case cases[] = {{1, 1, 97.2}, {3, 1, 97.2}, {3, 0, 43.2}};
    for (const Case& c : cases) {
        NUNITS = c.units;
        LOADTYP = c.loadtyp;
        one_layer(0.0361, 30.0, 0.0, 5.0);
        run(PYSILT, 1, 0.01);
        EXPECT_NEAR(-p(4), c.p, 1e-9 * c.p) << "NUNITS " << c.units << " LOADTYP " << c.loadtyp;
    }
}

// The running sum: the mean of the previous node's pu and this node's over an
// increment, the triangle above a buried head, and the rest of the layer.
TEST_F(SiltCurves, RunningSum) {
    // c = 5 psi, phi = 30 deg, static; pu at H = 12, 24, 36: 493.8001, 641.6673, 784.9922.
    // Ground at the head: nodes 2 (H = 12) and 3 (H = 24, last, layer bottom 30):
    //   0.5 (0 + 493.8001) 12 + 0.5 (493.8001 + 641.6673) 12 + 6 * 641.6673 = 13625.609.
    // Ground 12 in above the head: nodes 1, 2, 3 at H = 12, 24, 36: the triangle
    //   -0.5 * 493.8001 * (-12) = 2962.800, then 0.5 (0 + 493.8001) 12,
    //   0.5 (493.8001 + 641.6673) 12, 0.5 (641.6673 + 784.9922) 12 and 6 * 784.9922: 26008.315.
    struct Case {
        double ground, sum;
    };
    const Case cases[] = {{0.0, 13625.609}, {-12.0, 26008.315}};
    for (const Case& c : cases) {
        GROUND(1) = c.ground;
        profile({{7, c.ground, 30, 0.0361, 30, 100, 5, 1, 3}, {7, 30, 1200, 0.0361, 30, 100, 5, 4, 101}});
        test::test_controls().form = 1;
        run(PYSILT, 1, 0.01);
        EXPECT_NEAR(PUSUM(1, 1), c.sum, 1e-3) << "ground " << c.ground;
    }
}

// The two stop blocks: a zero friction angle below the layer's first node
// (status 28), and at the first node the level-ground check (status 29).
TEST_F(SiltCurves, ZeroFrictionAngleStops) {
    const std::vector<std::string> zero = {
        "",
        "       --------------------WARNING----------------------",
        "       THE FRICTION ANGLE IS 0 FOR SILT ACCORING TO THE INPUT",
        "       DATA. PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN.",
    };
    const std::vector<std::string> slope = {
        "",
        "",
        "       WARNING-------The Angle of the slope can not",
        "                     be greater than the internal  ",
        "                     friction angle of the silt.   ",
        "",
    };
    // Layer 2 from 30 to 48 in, nodes 4 (x = 36, its first) and 5 (x = 48), the
    // friction angle falling linearly from phi2 at its top to 0 at its bottom:
    // phi2 = 0 gives node 4 no friction (29); phi2 = 30 deg gives node 4
    // 30 * 12 / 18 = 20 deg and node 5 none (28).
    struct Case {
        double phi2;
        int node, status;
        const std::vector<std::string>* block;
    };
    const Case cases[] = {{0.0, 4, ISSILTSL, &slope}, {30.0, 5, ISSILTPH, &zero}};
    for (const Case& c : cases) {
        SCOPED_TRACE("status " + std::to_string(c.status));
        profile({{7, 0, 30, 0.0361, 30, 100, 5, 1, 3}, {7, 30, 48, 0.0361, c.phi2, 100, 5, 4, 5}});
        SCPHI(4) = 0.0;
        istat = 0;
        const auto files = test::run_files({RUNFILE, ECHOFILE}, [&] { run(PYSILT, 2, 0.5); });
        EXPECT_EQ(istat, c.status);
        EXPECT_EQ(p(c.node), -777.0);  // the run stopped at this node
        if (c.node == 5) {
            EXPECT_LT(p(4), 0.0);  // the first node was evaluated
        }
        EXPECT_EQ(files.run, *c.block);
        EXPECT_EQ(files.echo, *c.block);
    }
}

// A node above its layer's equivalent ground (H < 0) carries nothing.
TEST_F(SiltCurves, NoResistanceAboveTheGround) {
    // Layer 2 from 40 in with an equivalent depth of 2 in: node 4 (x = 36) has H = -2.
    profile({{7, 0, 40, 0.0361, 30, 100, 5, 1, 3}, {7, 40, 1200, 0.0361, 30, 100, 5, 4, 101}});
    EQDEP(1, 2) = 2.0;
    for (double Y : {0.0, 0.5, 2.0}) {
        run(PYSILT, 2, Y);
        EXPECT_EQ(p(4), 0.0) << "Y " << Y;
        EXPECT_EQ(es(4), 0.0) << "Y " << Y;
    }
}

// Two layers of the same silt: the second layer's equivalent depth is its own
// top, within half a node spacing (a trapezoid rule on 12 in against a
// rectangle rule on zr / 50).
TEST_F(SiltCurves, EquivalentDepthOfTheSameSilt) {
    profile({{7, 0, 120, 0.0361, 30, 100, 5, 1, 11}, {7, 120, 1200, 0.0361, 30, 100, 5, 12, 101}});
    for (int k = 1; k <= 101; ++k) y(k) = 0.01;
    test::test_controls().form = 1;
    call_pycurv();
    EXPECT_EQ(istat, 0);
    EXPECT_NEAR(EQDEP(1, 2), 120.0, 6.0);
}

// A tabulated curve: the heading, the depth record and the 17 default points.
TEST_F(SiltCurves, TabulatedCurve) {
    one_layer(0.0361, 30.0, 100.0, 5.0);
    // The scratch row as the tabulating caller lays it: the node at 36 in, the
    // next one an increment below, a one-node layer table.
    test::curve_mode(36.0, 48.0);
    const auto files = test::run_files({ECHOFILE, PLOTFILE}, [&] { call(PYSILT, 1); });
    EXPECT_EQ(istat, 0);
    const auto& echo = files.echo;
    ASSERT_EQ(echo.size(), 8u + 17u);
    // z = 3.00 ft, b = 24.00 in, phi = 30.0, gamma = 62.38 pcf, A = 1.76, B = 1.27,
    // pc = 481.19, pphi = 172.61 (first test).
    const std::vector<std::string> head = {
        "",
        "",
        "     DEPTH      DIAM      PHI  GAMMA AVG        A         B     Puc       Pu\xED",
        "       FT        IN            LBS/FT**3",
        "      3.00     24.00      30.0 0.624E+02      1.76      1.27 0.481E+03 0.173E+03",
        "",
        "                                     Y                   P",
        "                                     IN                LBS/IN",
    };
    EXPECT_EQ(std::vector<std::string>(echo.begin(), echo.begin() + 8), head);
    // Points (ym = 0.4, yu = 0.9, kH = 3600, yk = 0.2532): y2 = 0.4/12 on the
    // initial line, p = 120; y13 = yu: 2 pm - pu = 1176.4230; y17 = 3.866667: pu = 784.99217.
    struct Point {
        int i;
        double y, p;
    };
    const Point points[] = {{1, 0, 0}, {2, 0.4 / 12, 120.0}, {13, 0.9, 1176.4230}, {17, 3.8666667, 784.99217}};
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
        EXPECT_NEAR(std::strtod(rec.substr(0, 17).c_str(), nullptr), pt.y, 1e-7 * pt.y + 1e-12);
        EXPECT_NEAR(std::strtod(rec.substr(17, 17).c_str(), nullptr), pt.p, 1e-7 * pt.p + 1e-12);
    }
}

}  // namespace
}  // namespace zolan
