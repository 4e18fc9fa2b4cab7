#include "control/distributed_loads.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>

#include "control/control.h"
#include "model/analysis_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"

namespace zolan {
namespace {

const double PI = 3.141592653589793;

// Five pile rows of property set 1, 10 long in 2 increments: nodes at depths
// 0, 5 and 10. Set 1: (0, 2) to (10, 4), so 2, 3, 4 at the nodes. Set 2:
// (4, 10) to (6, 20), so 0, 15, 0 at the nodes. Set 3: a single point.
void fixture(int nantyp) {
    RESETRUN();
    NANTYP = nantyp;
    NPILES = 5;
    for (int p = 1; p <= 5; ++p) {
        IPROP(p) = 1;
        BETA(p) = PI / 2;  // vertical in the three-dimensional model
    }
    PLENP(1) = 10.0;
    NINCR(1) = 2;
    NDLSET = 3;
    NDLPT(1) = 2;
    DLDEP(1, 1) = 0.0, DLVAL(1, 1) = 2.0, DLDEP(1, 2) = 10.0, DLVAL(1, 2) = 4.0;
    NDLPT(2) = 2;
    DLDEP(2, 1) = 4.0, DLVAL(2, 1) = 10.0, DLDEP(2, 2) = 6.0, DLVAL(2, 2) = 20.0;
    NDLPT(3) = 1;
    DLDEP(3, 1) = 0.0, DLVAL(3, 1) = 7.0;
    NLCASE = 2;
    LCSCAL(1) = LCSCAL(2) = 1.0;
}

// Line m of case i: axis option, rows first..last by inc, sets Y and Z with factors.
void line(int i, int m, int axis, int first, int last, int inc, int sy, double fy, int sz, double fz) {
    NDLINE(i) = std::max(NDLINE(i), m);
    DLLINE(i, m, 1) = m;
    DLLINE(i, m, 2) = axis;
    DLLINE(i, m, 3) = first;
    DLLINE(i, m, 4) = last;
    DLLINE(i, m, 5) = inc;
    DLLINE(i, m, 6) = sy;
    DLLINE(i, m, 7) = sz;
    DLFY(i, m) = fy;
    DLFZ(i, m) = fz;
}

// The walk over pile rows: last row 0, reversed ranges, increment 0 or
// negative, a huge increment and rows beyond the pile rows.
TEST(DistributedLoads, RowRanges) {
    struct Case {
        int first, last, inc;
        std::set<int> rows;
    };
    const Case cases[] = {
        {2, 0, 0, {2}},                // last 0: the first row only
        {3, 3, 0, {3}},                // one row, increment 0 -> 1
        {5, 1, 0, {1, 5}},             // reversed, increment 0 -> hi - lo = 4
        {1, 5, 2, {1, 3, 5}},
        {5, 1, 2, {1, 3, 5}},          // reversed with an increment: from lo up
        {3, 5, -1, {1, 2, 3}},         // negative: from lo down to row 1
        {1, 5, INT_MAX, {1}},          // no overflow of the walk
        {5, 2, INT_MIN, {2}},          // nor downward
        {4, 9, 1, {4, 5}},             // never beyond the pile rows
        {9, 4, -2, {2, 4}},            // from lo = 4 down: 4, 2
        {9, 0, -3, {3}},               // 9 and 6 lie beyond the rows, then 3
    };
    for (const Case& c : cases) {
        fixture(3);
        line(1, 1, 0, c.first, c.last, c.inc, 1, 1.0, 0, 0.0);
        DLCASE(1);
        const std::set<int>& want = c.rows;
        for (int p = 1; p <= 5; ++p) {
            const bool on = want.count(p) > 0;
            SCOPED_TRACE(testing::Message() << "rows " << c.first << ".." << c.last << " by " << c.inc << ", row " << p);
            EXPECT_EQ(DLNPT(p), on ? 3 : 0);
            EXPECT_DOUBLE_EQ(DLTAB(p, 2, 2), on ? 3.0 : 0.0);
        }
        EXPECT_EQ(DLNPT(6), 0);
    }
}

// Value of a set along the pile: end values within 1e-8, interpolation,
// nothing outside the set or for a set that is not one.
TEST(DistributedLoads, SetValues) {
    fixture(3);
    struct Case {
        int s;
        double x, v;
    };
    const Case cases[] = {
        {1, 0.0, 2.0},  {1, 2.5, 2.5},   {1, 10.0, 4.0},  {1, 10.0 + 5e-9, 4.0},
        {2, 0.0, 0.0},  {2, 4.0 - 5e-9, 10.0}, {2, 5.0, 15.0}, {2, 6.0, 20.0}, {2, 6.1, 0.0},
        {3, 0.0, 0.0},  // a single point is no set
        {0, 5.0, 0.0},  {-1, 5.0, 0.0}, {4, 5.0, 0.0},   // no set, beyond NDLSET
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(dl_set_value(c.s, c.x), c.v) << "set " << c.s << " at " << c.x;
}

// Local and global axes in both models, the case scale, and the axial head
// loads gathered from global-axis lines (KAXHL) by the trapezoidal rule.
TEST(DistributedLoads, AxesAndHeadLoads) {
    const double r3 = std::sqrt(3.0);
    struct Case {
        const char* what;
        int nantyp, axis, gather;
        double alpha, beta, theta, batang, scale;
        double y2, z2;   // local loads at node 2 (depth 5): set 1 gives qy = 3, set 2 qz = 15
        double axial;
        int kaxhl;
    };
    const Case cases[] = {
        // Local axes: the set values times the factors (Y 1.0, Z 2.0) times the scale 2.
        {"3-D local", 3, 0, 1, 0.3, 0.2, 0.1, 0, 2.0, 6.0, 60.0, 0.0, 0},
        // Vertical pile (beta = 90 deg, alpha = theta = 0): global = local, no axial share.
        {"3-D global vertical", 3, 1, 1, 0, PI / 2, 0, 0, 1.0, 3.0, 30.0, 0.0, 1},
        // alpha = 90 deg: a = qz' = 30, b = -qy = -3; y = a, z = b.
        {"3-D global alpha 90", 3, 1, 0, PI / 2, PI / 2, 0, 0, 1.0, 30.0, -3.0, 0.0, 0},
        // beta = 30 deg, theta = 90 deg: a = 0.5 * 3 = 1.5, b = 30; y = b = 30, z = -a = -1.5.
        // Axial: cos 30 * h/2 * ((2 + 3) + (3 + 4)) = (r3/2) * 2.5 * 12 = 15 r3.
        {"3-D global battered", 3, 1, 1, 0, PI / 6, PI / 2, 0, 1.0, 30.0, -1.5, 15 * r3, 1},
        // Plane, batter 30 deg: y = 3 cos 30; axial (12) * sin 30 * 2.5 = 15; no Z column.
        {"plane global", 2, 1, 1, 0, 0, 0, PI / 6, 1.0, 3 * r3 / 2, 0.0, 15.0, 1},
        {"plane local", 2, 0, 1, 0, 0, 0, PI / 6, 1.0, 3.0, 0.0, 0.0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fixture(c.nantyp);
        ALPHA(2) = c.alpha, BETA(2) = c.beta, THETA(2) = c.theta, BATANG(2) = c.batang;
        LCSCAL(1) = c.scale;
        LCKIND(1, 7) = c.gather;
        line(1, 1, c.axis, 2, 0, 0, 1, 1.0, 2, 2.0);
        KAXHL = 7;  // cleared by DLCASE
        DLCASE(1);
        EXPECT_EQ(DLNPT(2), 3);
        for (int l = 1; l <= 3; ++l) EXPECT_DOUBLE_EQ(DLTAB(2, l, 1), 5.0 * (l - 1));
        EXPECT_NEAR(DLTAB(2, 2, 2), c.y2, 1e-12);
        EXPECT_NEAR(DLTAB(2, 2, 3), c.z2, 1e-12);
        EXPECT_NEAR(AXHLOAD(2), c.axial, 1e-12);
        EXPECT_EQ(KAXHL, c.kaxhl);
    }
}

// Lines add up; a combination adds each case's lines times the case's scale
// and its factor; DLZERO clears the loads and keeps KAXHL.
TEST(DistributedLoads, CombinationsAndClearing) {
    fixture(3);
    line(1, 1, 0, 1, 0, 0, 1, 1.0, 0, 0.0);
    line(1, 2, 0, 1, 2, 0, 1, 0.5, 0, 0.0);  // the same pile again, and row 2
    LCSCAL(1) = 2.0;
    line(2, 1, 1, 1, 0, 0, 1, 1.0, 0, 0.0);  // global axes on a vertical pile
    LCKIND(2, 7) = 1;
    // Case 1 alone: (1.0 + 0.5) * 3 * 2 = 9 on row 1, 0.5 * 3 * 2 = 3 on row 2.
    DLCASE(1);
    EXPECT_DOUBLE_EQ(DLTAB(1, 2, 2), 9.0);
    EXPECT_DOUBLE_EQ(DLTAB(2, 2, 2), 3.0);
    // Combination: case 1 x 0.5, case 2 x 3, case 1 again x 1:
    // row 1 at node 2: 9 * 0.5 + 3 * 3 + 9 * 1 = 22.5; row 2: 3 * 1.5 = 4.5.
    NLBCAS(1) = 3;
    LBCASE(1, 1) = 1, LBFACT(1, 1) = 0.5;
    LBCASE(1, 2) = 2, LBFACT(1, 2) = 3.0;
    LBCASE(1, 3) = 1, LBFACT(1, 3) = 1.0;
    DLCOMB(1);
    EXPECT_DOUBLE_EQ(DLTAB(1, 2, 2), 22.5);
    EXPECT_DOUBLE_EQ(DLTAB(1, 3, 2), 4.0 * (1.5 * 0.5 * 2 + 3 + 1.5 * 2));
    EXPECT_DOUBLE_EQ(DLTAB(2, 2, 2), 4.5);
    EXPECT_EQ(KAXHL, 1);  // case 2 is a global line with gathering
    DLZERO();
    EXPECT_EQ(KAXHL, 1);
    for (int p = 1; p <= 2; ++p) {
        EXPECT_EQ(DLNPT(p), 0);
        EXPECT_EQ(DLTAB(p, 2, 2), 0.0);
        EXPECT_EQ(AXHLOAD(p), 0.0);
    }
    EXPECT_DOUBLE_EQ(DLTAB(1, 2, 1), 5.0);  // depths are not load columns
}

}  // namespace
}  // namespace zolan
