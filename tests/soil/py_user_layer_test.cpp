// p-y springs of a soil layer from the pile row's user curve set (code 5):
// linear along each curve, the secant linear in depth between the bracketing
// curves, the reaction of the deeper curve, and the deepest curve below the set.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "report/run_files.h"
#include "soil/py_curves.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

struct Curve {
    double dep;
    std::vector<std::pair<double, double>> pts;
};

// Pile row 1 with user set 1 (IPYSET -1: the sign is not the set), head at the
// ground line, nodes every 5 to 25; one layer of code 5 from 0 to 30.
void pile_in(std::initializer_list<Curve> curves) {
    test::reset_py_model();
    test::one_pile(10, 5, 5);
    IPYSET(1) = -1;
    test::soil_layer(1, 5, 0, 30);
    test::nodes_by_depth();
    int j = 0;
    for (const Curve& c : curves) {
        UPYDEP(1, ++j) = c.dep;
        int k = 0;
        for (auto [y, p] : c.pts) {
            ++k;
            UPYY(1, j, k) = y;
            UPYP(1, j, k) = p;
        }
        UPYNPT(1, j) = k;
    }
    UPYNCV(1) = j;
}

using test::Springs;

class UserLayer : public test::PyModelTest {
protected:
    void SetUp() override { ASSERT_TRUE(io::open_unit(ECHOFILE, "echo.txt", {io::Access::Write})); }
    void TearDown() override {
        io::close_unit(ECHOFILE);
        test::PyModelTest::TearDown();
    }
    std::vector<std::string> echo() {
        io::flush_unit(ECHOFILE);
        return test::lines_of(test::read_file("echo.txt"));
    }
    test::TempDir dir_;
};

// Curve 1 at depth 10: (0, 0) (1, 10) (3, 20); curve 2 at depth 20: (0, 0) (1, 30) (3, 50).
const Curve C10 = {10, {{0, 0}, {1, 10}, {3, 20}}};
const Curve C20 = {20, {{0, 0}, {1, 30}, {3, 50}}};

// Y = 2: p1 = 10 + 10 / 2 = 15 (Es1 = 7.5), p2 = 30 + 20 / 2 = 40 (Es2 = 20).
// Es = Es2 - (Es2 - Es1)(20 - x) / 10; the reaction that of curve 2 (the search starts at curve 2).
TEST_F(UserLayer, BetweenAtAndBelowTheCurves) {
    pile_in({C10, C20});
    struct Case {
        int node;
        double es, p;
    };
    const Case cases[] = {
        {2, 1.25, 40.0},   // x = 5, above curve 1: 20 - 12.5 * 1.5 (extrapolated in depth)
        {3, 7.5, 40.0},    // x = 10: 20 - 12.5 * 1
        {4, 13.75, 40.0},  // x = 15: 20 - 12.5 * 0.5
        {5, 20.0, 40.0},   // x = 20: curve 2 alone
        {6, 20.0, 40.0},   // x = 25, below the deepest curve: curve 2 serves
    };
    Springs s;
    ASSERT_EQ(s.run(2.0), 0);
    for (const Case& c : cases) {
        EXPECT_NEAR(s.es(c.node), c.es, 1e-12) << "node " << c.node;
        EXPECT_NEAR(s.p(c.node), c.p, 1e-12) << "node " << c.node;
    }
    EXPECT_EQ(s.es(1), 0.0);  // the head at the ground line has no spring
    // Running sum of the last-point values, linear in depth, times the increment 5:
    // x = 5..25: 50 - 30 (20 - x) / 10 = 5, 20, 35, 50; 50 below: 5 (5 + 20 + 35 + 50 + 50) = 800.
    test::form_layered_state();
    EXPECT_NEAR(PUSUM(1, 1), 800.0, 1e-9);
    // Beyond the last point (Y = 4) the last P; below the second point's Y the first segment.
    ASSERT_EQ(s.run(4.0), 0);
    EXPECT_NEAR(s.p(5), 50.0, 1e-12);
    EXPECT_NEAR(s.es(5), 12.5, 1e-12);
    ASSERT_EQ(s.run(0.5), 0);
    EXPECT_NEAR(s.p(5), 15.0, 1e-12);
    // Y = 0 is taken at TOLZ: the initial slope 30 of curve 2.
    ASSERT_EQ(s.run(0.0), 0);
    EXPECT_NEAR(s.es(5), 30.0, 1e-9);
}

// Below the deepest curve the record is written once per pile and run:
// not again at the next iteration, again after the tables are reset.
TEST_F(UserLayer, ShortCurvesRecordOncePerRun) {
    pile_in({C10, C20});
    Springs s;
    ASSERT_EQ(s.run(2.0), 0);
    ASSERT_EQ(s.run(1.0), 0);
    const std::vector<std::string> once = {"", "", "     P-Y CURVES DO NOT EXTEND THE LENGTH OF THE PILE"};
    EXPECT_EQ(echo(), once);
    EXPECT_EQ(PYUWRN(1), 1);
    pile_in({C10, C20});  // the next run resets the flag
    ASSERT_EQ(s.run(2.0), 0);
    std::vector<std::string> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(echo(), twice);
}

// A one-curve set serves every depth without a record; equal depths and
// equal deflections take the later one (no 0/0).
TEST_F(UserLayer, DegenerateSets) {
    Springs s;
    pile_in({C20});
    ASSERT_EQ(s.run(2.0), 0);
    for (int k = 2; k <= 6; ++k) {
        EXPECT_NEAR(s.es(k), 20.0, 1e-12) << "node " << k;
        EXPECT_NEAR(s.p(k), 40.0, 1e-12) << "node " << k;
    }
    // Curves at 10, 20, 20 and 30, the first at 20 (0, 0) (1, 10): x = 20 takes
    // the later curve at 20 (C20); x = 15 lies between curve 1 and the first at
    // 20 (p = 10, Es = 5): Es = 5 - (5 - 7.5) * 5 / 10 = 6.25, p = 10.
    pile_in({C10, {20, {{0, 0}, {1, 10}}}, C20, {30, {{0, 0}, {1, 60}}}});
    ASSERT_EQ(s.run(2.0), 0);
    EXPECT_NEAR(s.es(5), 20.0, 1e-12);
    EXPECT_NEAR(s.p(5), 40.0, 1e-12);
    EXPECT_NEAR(s.es(4), 6.25, 1e-12);
    EXPECT_NEAR(s.p(4), 10.0, 1e-12);
    // Curves 1 and 2 both at 10: x = 5 above them takes curve 2 (C10) alone:
    // p = 15, Es = 7.5, instead of a depth interpolation over no distance.
    pile_in({{10, {{0, 0}, {1, 10}}}, C10, {30, {{0, 0}, {1, 60}}}});
    ASSERT_EQ(s.run(2.0), 0);
    EXPECT_NEAR(s.es(2), 7.5, 1e-12);
    EXPECT_NEAR(s.p(2), 15.0, 1e-12);
    // Two first points at one deflection: (1, 5) (1, 8) (3, 20); Y = 0.5 takes 8.
    pile_in({{10, {{1, 5}, {1, 8}, {3, 20}}}});
    ASSERT_EQ(s.run(0.5), 0);
    EXPECT_NEAR(s.p(3), 8.0, 1e-12);
    EXPECT_TRUE(std::isfinite(s.es(3)));
    EXPECT_EQ(echo(), std::vector<std::string>{});
}

// Group multipliers pf = 0.5, yf = 2 and soil movement m = 0.5: the
// relative deflection |y - m| = 2; es = pf p / (2 yf), p = pf p with the
// sign against the relative movement, esm = es m.
TEST_F(UserLayer, MultipliersAndSoilMovement) {
    pile_in({C10, C20});
    PFGRP(1) = 0.5;
    YFGRP(1) = 2.0;
    NSMOV = 1;
    Springs s;
    s.smy.fill(0.5);
    s.y.fill(2.5);
    int istat = 0;
    PYCURV(test::test_controls(), s.w, istat);
    ASSERT_EQ(istat, 0);
    EXPECT_NEAR(s.es(5), 5.0, 1e-12);    // 0.5 * 40 / (2 * 2)
    EXPECT_NEAR(s.p(5), -20.0, 1e-12);   // y > m
    EXPECT_NEAR(s.esm(5), 2.5, 1e-12);
    NSMOV = 0;
}

// A tabulated curve is never made from user curves: nothing is written.
TEST_F(UserLayer, NoTabulatedCurve) {
    pile_in({C10, C20});
    test::curve_mode(25.0, 30.0);
    PLOTFLG = 1;
    PYCODE = 4;
    PYBUF(1, 2) = 7.0;
    Springs s;
    EXPECT_EQ(s.run(0.0), 0);
    EXPECT_EQ(PYCODE, 4);
    EXPECT_EQ(PYBUF(1, 2), 7.0);
    EXPECT_EQ(echo(), std::vector<std::string>{});
}

}  // namespace
}  // namespace zolan
