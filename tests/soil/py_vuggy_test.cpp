// Vuggy-limestone p-y curves (code 6): K1 = 2000 s to y1 = 0.0004 b, slope
// K2 = 100 s to s b at y2 = 0.0024 b, the residual 3.38 b gamma beyond.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "soil/py_curves.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

// Pile row 1, b = 10 in, head at the ground line, nodes every 12 in to 48;
// one layer of code 6 from 0 to 48, compressive strength qu (s = qu / 2),
// gamma 0.04 pci.
void pile_in(double qu) {
    test::reset_py_model();
    test::one_pile(10, 12, 4);
    test::soil_layer(1, 6, 0, 48);
    test::layer_value(SCCOH, 1, qu);
    test::layer_value(SCGAM, 1, 0.04);
    test::nodes_by_depth();
}

using test::Springs;

class Vuggy : public test::PyModelTest {};

// qu = 200 psi, s = 100: K1 = 2e5, y1 = 0.004, p1 = 800 = 0.8 s b; K2 = 1e4,
// y2 = 0.004 + (1000 - 800) / 1e4 = 0.024 = 0.0024 b; residual 3.38 * 10 * 0.04 = 1.352.
TEST_F(Vuggy, CurveAgainstThePublishedCriterion) {
    struct Case {
        double Y, p;
    };
    const Case cases[] = {
        {0.002, 400.0},    // K1 y
        {0.004, 800.0},    // y1: 800 on both lines
        {0.014, 900.0},    // 800 + 1e4 * 0.01
        {0.0239, 999.0},   // 800 + 1e4 * 0.0199
        {0.024, 1000.0},   // y2 = y1 + 200 / 1e4 is 0.0240000019 with y1 = 0.0004f * 10: s b
        {0.02401, 1.352},  // beyond y2: the residual
        {1.0, 1.352},
    };
    pile_in(200);
    for (const Case& c : cases) {
        Springs s;
        ASSERT_EQ(s.run(c.Y), 0);
        EXPECT_NEAR(s.p(3), c.p, 1e-5 * c.p) << "Y " << c.Y;
        EXPECT_NEAR(s.es(3), c.p / c.Y, 1e-5 * c.p / c.Y) << "Y " << c.Y;
    }
    // 0.004 - 1e-9 on the first line and 0.004 on the second agree (continuity at y1).
    Springs a, b;
    ASSERT_EQ(a.run(0.004 - 1e-9), 0);
    ASSERT_EQ(b.run(0.004), 0);
    EXPECT_NEAR(a.p(3), b.p(3), 1e-3);
}

// Group multipliers pf = 0.8, yf = 0.5 on p once; at Y = 0 the modulus is
// K1 / yf (without pf); nothing enters the running sum, not even soil above the head.
TEST_F(Vuggy, MultipliersLimitModulusAndSum) {
    pile_in(200);
    PFGRP(1) = 0.8;
    YFGRP(1) = 0.5;
    GROUND(1) = -12.0;
    Springs s;
    ASSERT_EQ(s.run(0.002), 0);
    EXPECT_NEAR(s.p(3), 320.0, 1e-6);          // 0.8 * 400
    EXPECT_NEAR(s.es(3), 320000.0, 1e-3);      // 320 / 0.002 / 0.5
    ASSERT_EQ(s.run(0.0), 0);
    EXPECT_NEAR(s.es(3), 400000.0, 1e-3);      // 2e5 / 0.5
    EXPECT_EQ(s.p(3), 0.0);
    EXPECT_EQ(PUSUM(1, 1), 0.0);
}

// No strength: no resistance anywhere, and one warning block per layer and
// run, however often the springs are evaluated (an analysis evaluates them at
// every iteration of every pile).
TEST_F(Vuggy, NoStrengthGivesNoResistance) {
    pile_in(0.0);
    Springs s;
    const auto files = test::run_files({ECHOFILE}, [&] {
        for (double Y : {0.0, 0.01, 1.0}) {
            ASSERT_EQ(s.run(Y), 0);
            for (int k = 2; k <= 5; ++k) {
                EXPECT_EQ(s.p(k), 0.0) << "Y " << Y << " node " << k;
                EXPECT_EQ(s.es(k), 0.0) << "Y " << Y << " node " << k;
            }
        }
    });
    const std::vector<std::string> block = {
        "",
        "                             **** WARNING ****",
        "     THE COMPRESSIVE STRENGTH OF VUGGY LIMESTONE IS 0 IN LAYER  1",
        "     ACCORDING TO THE INPUT DATA.  THE LAYER GIVES NO RESISTANCE.",
    };
    EXPECT_EQ(files.echo, block);
}

// A printed curve at 24 in with the default list: 17 points in steps of
// y2 / 15 = 0.0016, the 16th at y2 (residual), the 17th beyond.
TEST_F(Vuggy, PrintedCurve) {
    pile_in(200);
    test::curve_mode(24.0, 36.0);
    Springs s;
    const auto files = test::run_files({ECHOFILE, PLOTFILE}, [&] { EXPECT_EQ(s.run(0.0), 0); });
    const std::vector<std::string>& lines = files.echo;
    ASSERT_EQ(lines.size(), 6u + 17u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "          DEPTH BELOW GS     DIAM        C");
    EXPECT_EQ(lines[2], "                FT            IN     LBS/IN**2");
    // z = 2 ft, b = 10 in, s = 100 psi (E10.1).
    EXPECT_EQ(lines[3], "                2.00         10.000   0.1E+03");
    EXPECT_EQ(lines[4], "                                      Y                   P");
    EXPECT_EQ(lines[5], "                                      IN               LBS/IN");
    // 21 blanks, two reals of width 20 with 5 digits (exponent form at or below
    // 0.01, else fixed with 5 - trunc(log10) decimals, one more below 1), and
    // the blank that ends every row of fields.
    // Point 2: y = 0.0016, p = K1 y = 320; point 15: 0.0224, 800 + 1e4 * 0.0184 = 984;
    // point 16: y2, 1.352; point 17: 0.0256, 1.352.
    EXPECT_EQ(lines[6], test::echo_point("0.00000", "0.00000"));
    EXPECT_EQ(lines[7], test::echo_point("1.60000E-03", "320.000"));
    EXPECT_EQ(lines[20], test::echo_point("0.0224000", "984.000"));
    EXPECT_EQ(lines[21], test::echo_point("0.0240000", "1.35200"));
    EXPECT_EQ(lines[22], test::echo_point("0.0256000", "1.35200"));
    const std::vector<std::string>& plot = files.plot;
    ASSERT_EQ(plot.size(), 1u + 17u);
    EXPECT_EQ(plot[0], "   24.000000000000000     ");
    // 1P, 1X, 2(G15.8, 2X): y = y2 / 15 = 0.0016000001280 in E form, p = 2e5 y =
    // 320.0000256 as F11.5 and four blanks; the closing 2X writes nothing.
    EXPECT_EQ(plot[2], "  1.60000013E-03    320.00003    ");
}

}  // namespace
}  // namespace zolan
