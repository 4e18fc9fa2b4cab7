// Elastic-subgrade p-y curves (code 12): p = k b y, limited to b tmax when
// tmax > 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "soil/py_curves.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

// Pile row 1, b = 10 in, head at the ground line, nodes every 12 in to 48;
// one layer of code 12 from 0 to 48 with subgrade modulus k and maximum
// stress transfer tmax; gamma 0.04 pci.
void pile_in(double k, double tmax) {
    test::reset_py_model();
    test::one_pile(10, 12, 4);
    test::soil_layer(1, 12, 0, 48);
    test::layer_value(SCK, 1, k);
    test::layer_value(SCCOH, 1, tmax);
    test::layer_value(SCGAM, 1, 0.04);
    test::nodes_by_depth();
}

using test::Springs;

class Elastic : public test::PyModelTest {};

// k = 100 pci, b = 10: k b = 1000 lb/in^2; with tmax = 5 psi the limit b tmax = 50
// is reached at tmax / k = 0.05 in.
TEST_F(Elastic, LineAndLimit) {
    struct Case {
        double tmax, Y, p;
    };
    const Case cases[] = {
        {5, 0.02, 20.0},   // 1000 * 0.02
        {5, 0.05, 50.0},   // continuous at tmax / k
        {5, 0.2, 50.0},    // b tmax
        {0, 0.2, 200.0},   // no tmax: the line goes on
        {-1, 0.2, 200.0},
        {0, 1e-15, 1e-12}, // below the zero threshold still on the line
    };
    for (const Case& c : cases) {
        pile_in(100, c.tmax);
        Springs s;
        ASSERT_EQ(s.run(c.Y), 0);
        EXPECT_NEAR(s.p(3), c.p, 1e-9 * c.p) << "tmax " << c.tmax << " Y " << c.Y;
        EXPECT_NEAR(s.es(3), c.p / c.Y, 1e-9 * c.p / c.Y) << "tmax " << c.tmax << " Y " << c.Y;
    }
}

// Multipliers pf = 0.8, yf = 0.5 on p once; at exactly Y = 0 the modulus is
// k b / yf = 2000 (without pf); the running sum stays 0.
TEST_F(Elastic, MultipliersAndZeroDeflection) {
    pile_in(100, 5);
    PFGRP(1) = 0.8;
    YFGRP(1) = 0.5;
    GROUND(1) = -12.0;
    Springs s;
    ASSERT_EQ(s.run(0.02), 0);
    EXPECT_NEAR(s.p(3), 16.0, 1e-12);     // 0.8 * 20
    EXPECT_NEAR(s.es(3), 1600.0, 1e-9);   // 16 / 0.02 / 0.5
    ASSERT_EQ(s.run(0.0), 0);
    EXPECT_NEAR(s.es(3), 2000.0, 1e-9);
    EXPECT_EQ(s.p(3), 0.0);
    EXPECT_EQ(PUSUM(1, 1), 0.0);
}

// A printed curve at 24 in with the default list: 17 points from 0 in steps
// of 1/8 of tmax / k (to twice it), or of 1 % of b / 8 without tmax.
TEST_F(Elastic, PrintedCurve) {
    struct Case {
        double tmax;
        const char* c;  // E10.1 of tmax
        int i;          // a point, then point 17
        const char *yi, *pi, *y17, *p17;
    };
    // Fields of width 20 with 5 digits: 5 - trunc(log10) decimals, one more below 1.
    const Case cases[] = {
        // tmax 4: step 0.04 / 8; point 9 at 0.04 (p 40), point 17 at 0.08 (p 40).
        {4, "   0.4E+01", 9, "0.0400000", "40.0000", "0.0800000", "40.0000"},
        // no tmax: step 0.01 * 10 / 8 = 0.0125; point 5 at 0.05 (p 50), point 17 at 0.2 (p 200).
        {0, "   0.0E+00", 5, "0.0500000", "50.0000", "0.20000", "200.000"},
    };
    for (const Case& c : cases) {
        pile_in(100, c.tmax);
        test::curve_mode(24.0, 36.0);
        Springs s;
        const auto files = test::run_files({ECHOFILE, PLOTFILE}, [&] { EXPECT_EQ(s.run(0.0), 0); });
        const std::vector<std::string>& lines = files.echo;
        ASSERT_EQ(lines.size(), 6u + 17u);
        EXPECT_EQ(lines[1], "          DEPTH BELOW GS     DIAM        C");
        EXPECT_EQ(lines[3], std::string("                2.00         10.000") + c.c);
        // 21 blanks, two reals of width 20, the closing blank.
        EXPECT_EQ(lines[5 + c.i], test::echo_point(c.yi, c.pi));
        EXPECT_EQ(lines[22], test::echo_point(c.y17, c.p17));
        EXPECT_EQ(files.plot.size(), 1u + 17u);
    }
}

}  // namespace
}  // namespace zolan
