// Node bending stiffness from moment-curvature tables (EIMPHI, EIMPHI2).
#include <gtest/gtest.h>

#include <type_traits>

#include <vector>

#include "model/mphi_tables.h"
#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"
#include "pile/node_stiffness.h"

namespace zolan {
namespace {

// The two node numberings do not mix: a vector of one is no vector of the other.
static_assert(!std::is_convertible_v<SLOTVEC&, NODVEC&> && !std::is_convertible_v<NODVEC&, SLOTVEC&>);
static_assert(!std::is_convertible_v<const SLOTVEC&, const NODVEC&> &&
              !std::is_convertible_v<const NODVEC&, const SLOTVEC&>);

constexpr double H = 2.0;       // increment length
constexpr int N = 4;            // increments: real nodes 1..5 at indices 4..8
constexpr double XHEAD = 10.0;  // pile head on the depth axis
constexpr double KEEP = 9.0e6;  // rigidity the caller set
constexpr double SPARE = -1.0;  // value of the solver's spare slots

struct Point { double cur, mom; };
struct Level { double axl; std::vector<Point> pts; };

void set_table(int m, const std::vector<Level>& levels) {
    MPNLEV(m) = static_cast<int>(levels.size());
    for (int l = 1; l <= MPNLEV(m); ++l) {
        const Level& lv = levels[l - 1];
        MPAXL(m, l) = lv.axl;
        MPNPT(m, l) = static_cast<int>(lv.pts.size());
        for (int k = 1; k <= MPNPT(m, l); ++k) {
            MPCUR(m, l, k) = lv.pts[k - 1].cur;
            MPMOM(m, l, k) = lv.pts[k - 1].mom;
        }
    }
}

// Curves used throughout (curvature, moment):
const Level LOW{100.0, {{0, 0}, {0.001, 2000}, {0.003, 4000}, {0.006, 4600}}};
const Level HIGH{300.0, {{0, 0}, {0.001, 3000}, {0.004, 6000}, {0.008, 7000}}};

class NodeStiffness : public ::testing::Test {
protected:
    void SetUp() override {
        reset_pile_tables();
        reset_section_tables();
        reset_node_tables();
        reset_mphi_tables();
        // Pile row 1, property set 1: 8 long in 4 increments of 2, head at
        // X = 10; section 1 from 0 to 4, section 2 from 4 to 8 below the head.
        IPROP(1) = 1;
        CORX(1) = XTOP(1) = XHEAD;
        PLENP(1) = 8.0;
        NINCR(1) = N;
        HINCR(1) = H;
        for (int j = 1; j <= N + 1; ++j) NDAXIS(1, j) = XHEAD + (j - 1) * H;
        NSECP(1) = 2;
        SECTAB(1, 1, SEC_DTOP) = 0.0;
        SECTAB(1, 1, SEC_DBOT) = 4.0;
        SECTAB(1, 2, SEC_DTOP) = 4.0;
        SECTAB(1, 2, SEC_DBOT) = 8.0;

        set_table(1, {LOW, HIGH});                                   // ordered
        set_table(2, {HIGH, LOW});                                   // the same, unordered
        set_table(3, {{100.0, {{0, 0}}}, HIGH});                     // lower level of one point
        set_table(4, {LOW, {300.0, {}}});                            // upper level without points
        set_table(5, {{0.0, {{0, 0}, {0, 0}, {0.002, 5000}, {0.004, 6000}}}});  // origin twice
        set_table(6, {});                                            // no levels
    }

    void one_table_everywhere(int m1, int m2) {
        for (int s = 1; s <= 2; ++s) {
            MPSEC1(1, s) = m1;
            MPSEC2(1, s) = m2;
        }
    }

    static SLOTVEC filled(double spare, double real) {
        SLOTVEC v;
        v.fill(spare);
        for (int j = 1; j <= N + 1; ++j) v.node(j) = real;
        return v;
    }

    // Deflections with the same curvature phi at every real node:
    // y = phi x^2 / 2 at x = i h, whose second difference is phi h^2.
    static SLOTVEC bent(double phi) {
        SLOTVEC y;
        for (int i = 1; i <= MAXNOD; ++i) y.slot(i) = 0.5 * phi * (i * H) * (i * H);
        return y;
    }
};

// Secant rigidity M(phi)/phi at every node, blended linearly in the axial
// force between the bracketing levels; ordered and unordered levels agree.
TEST_F(NodeStiffness, SecantRigidityByCurvatureAndAxialLoad) {
    struct Case { int m; double P, phi, ei; const char* what; };
    const Case cases[] = {
        // Initial secants at zero curvature: LOW 2000/0.001, HIGH 3000/0.001.
        {1, 100, 0.0, 2.0e6, "zero curvature, on the first level"},
        {1, 300, 0.0, 3.0e6, "zero curvature, on the last level"},
        // 3e6 - (300 - 200)(3e6 - 2e6)/(300 - 100) = 2.5e6
        {1, 200, 0.0, 2.5e6, "zero curvature, midway between levels"},
        // LOW at 0.002: M = 2000 + 0.001 * 2000/0.002 = 3000, EI = 1.5e6
        {1, 50, 0.002, 1.5e6, "below the first level: the first curve alone"},
        // HIGH at 0.002: M = 3000 + 0.001 * 3000/0.003 = 4000, EI = 2.0e6
        {1, 400, 0.002, 2.0e6, "above the last level: the last curve alone"},
        // 2.0e6 - (300 - 150)(2.0e6 - 1.5e6)/200 = 1.625e6
        {1, 150, 0.002, 1.625e6, "between two levels"},
        // LOW at a point: M = 4000, EI = 4000/0.003
        {1, 100, 0.003, 4000.0 / 0.003, "curvature on a point"},
        // LOW beyond 0.006: M stays 4600; EI = 4600/0.01, then half at twice phi
        {1, 100, 0.01, 4.6e5, "beyond the last point"},
        {1, 100, 0.02, 2.3e5, "beyond the last point, EI falls as 1/phi"},
        // LOW 4.6e5, HIGH 7000/0.01 = 7e5: 7e5 - 50 (7e5 - 4.6e5)/200 = 6.4e5
        {1, 250, 0.01, 6.4e5, "beyond the last points of both levels"},
        // The same levels stored high load first.
        {2, 50, 0.002, 1.5e6, "unordered: below both levels"},
        {2, 100, 0.0, 2.0e6, "unordered: on the lower level"},
        {2, 150, 0.002, 1.625e6, "unordered: between the levels"},
        {2, 400, 0.002, 2.0e6, "unordered: above both levels"},
        // A one-point level keeps the caller's EI: 9e6 at P = 100; blended at
        // P = 200 with HIGH 3e6: 3e6 - 100 (3e6 - 9e6)/200 = 6e6.
        {3, 100, 0.002, KEEP, "level of one point"},
        {3, 200, 0.0, 6.0e6, "level of one point below a full level"},
        // An upper level without points takes the lower level's value.
        {4, 200, 0.0, 2.0e6, "upper level without points"},
        // Origin given twice: the initial secant skips the zero-length
        // segment, 5000/0.002; at 0.003: (5000 + 0.001 * 1000/0.002)/0.003.
        {5, 0, 0.0, 2.5e6, "origin twice, zero curvature"},
        {5, 0, 0.001, 2.5e6, "origin twice, first segment"},
        {5, 0, 0.003, 5500.0 / 0.003, "origin twice, second segment"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        one_table_everywhere(c.m, 0);
        SLOTVEC ei = filled(SPARE, KEEP);
        const SLOTVEC y = bent(c.phi);
        EIMPHI(1, c.P, ei, y);
        for (int j = 1; j <= N + 1; ++j) EXPECT_NEAR(ei.node(j), c.ei, 1e-9 * c.ei) << "node " << j;
        for (int i : {1, 2, 3, N + 5, N + 6, N + 7}) EXPECT_EQ(ei.slot(i), SPARE) << "slot " << i;
    }
}

// The curvature of node i is |y(i+1) - 2 y(i) + y(i-1)| / h^2 with its own
// neighbours, including the spare slot above the head.
TEST_F(NodeStiffness, CurvatureFromNeighbouringDeflections) {
    one_table_everywhere(1, 0);
    SLOTVEC y;  // zero everywhere but 0.008 at index 5 (node 2)
    y.slot(5) = 0.008;
    SLOTVEC ei = filled(SPARE, KEEP);
    EIMPHI(1, 100.0, ei, y);
    // h^2 = 4: phi = 0.008/4 = 0.002 at indices 4 and 6, 0.016/4 = 0.004 at 5,
    // 0 at 7 and 8. LOW at 0.004: M = 4000 + 0.001 * 600/0.003 = 4200.
    const double expected[] = {1.5e6, 4200.0 / 0.004, 1.5e6, 2.0e6, 2.0e6};
    for (int j = 1; j <= N + 1; ++j) EXPECT_NEAR(ei.node(j), expected[j - 1], 1e-3) << "node " << j;
}

// Each plane reads its own table of the node's section; nodes of elastic
// sections keep the caller's EI. Section 2 starts at 4 below the head, so
// node 3 (depth 4) is already elastic.
TEST_F(NodeStiffness, EachPlaneReadsItsOwnTableElasticNodesKeepEI) {
    MPSEC1(1, 1) = 1;
    MPSEC2(1, 1) = 5;
    const SLOTVEC straight = filled(0.25, 0.25);  // all y equal: zero curvature
    struct Case { void (*routine)(int, double, SLOTVEC&, const SLOTVEC&); double ei; const char* what; };
    const Case cases[] = {
        {EIMPHI, 2.0e6, "first plane: LOW's initial secant"},
        {EIMPHI2, 2.5e6, "second plane: table 5's initial secant"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SLOTVEC ei = filled(SPARE, KEEP);
        c.routine(1, 100.0, ei, straight);
        const double expected[] = {c.ei, c.ei, KEEP, KEEP, KEEP};
        for (int j = 1; j <= N + 1; ++j) EXPECT_EQ(ei.node(j), expected[j - 1]) << "node " << j;
    }
}

// Data the tables cannot serve leaves EI as the caller set it.
TEST_F(NodeStiffness, UnusableDataLeavesEIUnchanged) {
    struct Case { int pile, m; double h; const char* what; };
    const Case cases[] = {
        {1, 6, H, "table without levels"},
        {1, MAXMPS + 1, H, "table number beyond the tables"},
        {1, -2, H, "negative table number"},
        {1, 1, 0.0, "no mesh laid out (zero increment)"},
        {0, 1, H, "pile row 0"},
        {MAXPIL + 1, 1, H, "pile row beyond the rows"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        one_table_everywhere(c.m, c.m);
        HINCR(1) = c.h;
        SLOTVEC ei = filled(SPARE, KEEP);
        const SLOTVEC y = bent(0.002);
        EIMPHI(c.pile, 200.0, ei, y);
        EIMPHI2(c.pile, 200.0, ei, y);
        for (int j = 1; j <= N + 1; ++j) EXPECT_EQ(ei.node(j), KEEP) << "node " << j;
    }
}

}  // namespace
}  // namespace zolan
