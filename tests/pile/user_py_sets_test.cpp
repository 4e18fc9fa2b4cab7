#include <gtest/gtest.h>

#include <string>

#include "group/group_services.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_rows.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "pile/user_py_sets.h"
#include "report/run_files.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// Set 1: curve 1 at depth 0: (0, 0) (1, 10) (3, 20); curve 2 at depth 10:
// (0, 0) (1, 30) (3, 50); curve 3 at depth 20: (0, 0) (2, 100).
// Row 1: four increments of 5 (nodes 0, 5, 10, 15, 20 below the head), no
// multipliers, no soil movement, no cap.
void user_set(double xtop) {
    reset_node_tables();
    reset_pile_tables();
    reset_soil_tables();
    NPILES = 1;
    IPROP(1) = 1;
    IPYSET(1) = -1;  // the sign is not the set
    NINCR(1) = 4;
    HINCR(1) = 5.0;
    XTOP(1) = CORX(1) = xtop;
    GROUND(1) = 2.0;
    PFGRP(1) = YFGRP(1) = 1.0;
    KJ1 = 0;
    NSMOV = 0;
    KCAPOP = 0;
    TOLZ = 1.0e-14;
    KERR = 0;
    struct Curve { double dep; std::initializer_list<std::pair<double, double>> pts; };
    const Curve curves[] = {{0, {{0, 0}, {1, 10}, {3, 20}}},
                            {10, {{0, 0}, {1, 30}, {3, 50}}},
                            {20, {{0, 0}, {2, 100}}}};
    UPYNCV(1) = 3;
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
}

struct Nodes {
    SLOTVEC y, es, m1, m2, esm, pr;
    RowReport rep;
    Nodes() {
        for (SLOTVEC* v : {&es, &esm, &pr}) v->fill(99.0);  // stale values of the solver
    }
    void run() {
        int r = 1;
        UPYMOD(PyControls{}, r, y, es, m1, m2, esm, pr, rep);
    }
};

// Springs of the pile pass: between two curves the secant is linear in depth
// and the reaction is read on the lower curve; at a curve's depth that curve
// alone; beyond the last point the reaction stays; a node at rest takes the
// initial slope.
TEST(UserPySets, SpringsBetweenAndAtTheCurves) {
    struct Case { double xtop, y[5], es[5], pr[5]; };
    // Head at the origin, y = -1, 2, 0.5, 5, 0 at depths 0, 5, 10, 15, 20:
    //  0: curves 1, 2 (the search starts at curve 2): Es1 = 10, Es2 = 30,
    //     es = 30 - 20 * 10/10 = 10; pr on curve 2: 30, y < 0 so positive.
    //  5: w = 2: p1 = 20 - 10 * 1/2 = 15, p2 = 50 - 20/2 = 40; Es 7.5, 20;
    //     es = 20 - 12.5 * 5/10 = 13.75; pr = -40.
    // 10: curve 2 alone: p = 15 at 0.5, es = 30, pr = -15.
    // 15: w = 5 beyond both curves: p2 = 50, p3 = 100; Es 10, 20;
    //     es = 20 - 10 * 5/10 = 15; pr = -100.
    // 20: curve 3 alone at w = TOLZ: es = 50 (initial slope), pr = +5e-13.
    // Head 5 below the origin, y = 2 at every node (depths 5 .. 25): the
    // last node lies below curve 3 (see the failure test).
    const Case cases[] = {
        {0.0, {-1, 2, 0.5, 5, 0}, {10, 13.75, 30, 15, 50}, {30, -40, -15, -100, 5e-13}},
        // Head 5 above the origin: depths -5, 0, 5, 10, 15, y = 2:
        // -5: es = 0, pr left as it was; 0: curves 1, 2 at w = 2: Es 7.5, 20:
        // es = 7.5, pr = -40; 5: 13.75, -40; 10: curve 2: Es 20, pr -40;
        // 15: curves 2, 3 at w = 2: Es 20, 50: es = 50 - 30/2 = 35, pr = -100.
        {-5.0, {2, 2, 2, 2, 2}, {0, 7.5, 13.75, 20, 35}, {99, -40, -40, -40, -100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xtop);
        user_set(c.xtop);
        Nodes n;
        for (int j = 1; j <= 5; ++j) n.y.node(j) = c.y[j - 1];
        n.run();
        for (int j = 1; j <= 5; ++j) {
            EXPECT_NEAR(n.es.node(j), c.es[j - 1], 1e-9) << "node " << j;
            EXPECT_NEAR(n.pr.node(j), c.pr[j - 1], 1e-9) << "node " << j;
            EXPECT_EQ(n.esm.node(j), 99.0) << "node " << j;  // no soil movement: esm untouched
        }
        EXPECT_EQ(GRDDEP(1), c.xtop + 2.0);
        EXPECT_TRUE(n.rep.empty());
        EXPECT_EQ(n.rep.kerr, 0);
    }
}

// Multipliers and soil movement at the node on curve 2 (depth 10), where the
// curve gives p = 30 w for w <= 1.
TEST(UserPySets, MultipliersAndSoilMovement) {
    struct Case {
        const char* what;
        double pfgrp, yfgrp;
        bool j1;
        double y, m1, m2, es, esm, pr;
    };
    const Case cases[] = {
        // p = 15 at w = 0.5: Es = 0.5 * 15 / (0.5 * 2) = 7.5, pr = -0.5 * 15.
        {"group multipliers", 0.5, 2.0, false, 0.5, 0, 0, 7.5, 99, -7.5},
        // Table J1 set: pf 1 -> 0.5, yf 1 -> 2 over 0 .. 20 below the head:
        // at 10 pf = 0.75, yf = 1.5: Es = 30 * 0.75/1.5 = 15, pr = -15 * 0.75.
        {"reduction factors along depth", 1.0, 1.0, true, 0.5, 0, 0, 15, 99, -11.25},
        // Movement (0.3, 0.4), M = 0.5: y = 1 moves 0.5 past the soil:
        // p = 15, Es = 30, esm = 15, pr = -15 (y > M).
        {"pile ahead of the soil", 1.0, 1.0, false, 1.0, 0.3, 0.4, 30, 15, -15},
        // y = 0.2 lags 0.3 behind: p = 9, Es = 30, esm = 15, pr = +9.
        {"soil ahead of the pile", 1.0, 1.0, false, 0.2, 0.3, 0.4, 30, 15, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        user_set(0.0);
        PFGRP(1) = c.pfgrp;
        YFGRP(1) = c.yfgrp;
        if (c.j1) {
            KJ1 = 1;
            IRFSET(1) = 2;
            RFLNPT(2) = 2;
            RFLDEP(2, 1) = 0.0, RFLDEP(2, 2) = 20.0;
            RFLPF(2, 1) = 1.0, RFLPF(2, 2) = 0.5;
            RFLYF(2, 1) = 1.0, RFLYF(2, 2) = 2.0;
        }
        const bool moving = c.m1 != 0 || c.m2 != 0;
        NSMOV = moving ? 1 : 0;
        Nodes n;
        n.y.node(3) = c.y;
        n.m1.node(3) = c.m1;
        n.m2.node(3) = c.m2;
        n.run();
        EXPECT_NEAR(n.es.node(3), c.es, 1e-9);
        EXPECT_NEAR(n.esm.node(3), c.esm, 1e-9);
        EXPECT_NEAR(n.pr.node(3), c.pr, 1e-9);
        KJ1 = 0;
        IRFSET(1) = 0;
    }
}

// A node below the deepest curve: the nodes above keep their new springs, it
// and the nodes below get zero springs, and after the loop the warning goes
// to the results report and the error word is set.
TEST(UserPySets, NodeBelowTheDeepestCurve) {
    test::TempDir dir;
    ASSERT_TRUE(io::open_unit(RESFILE, "res.txt", {}));
    user_set(5.0);  // depths 5, 10, 15, 20, 25; the last is below curve 3 at 20
    Nodes n;
    for (int j = 1; j <= 5; ++j) n.y.node(j) = 2.0;
    int istat = 0;
    for_pile_rows(1, 1, 1, istat, KERR, [&](int, RowReport& rep) {
        UPYMOD(PyControls{}, 1, n.y, n.es, n.m1, n.m2, n.esm, n.pr, rep);
        EXPECT_EQ(KERR, 0);  // set only when the rows are folded
        UPYMOD(PyControls{}, 1, n.y, n.es, n.m1, n.m2, n.esm, n.pr, rep);  // a second call in the same loop: a second warning
    });
    EXPECT_EQ(istat, 0);  // the run status is not changed
    // 20: curve 3 alone at w = 2: Es = 50, pr = -100.
    EXPECT_NEAR(n.es.node(4), 50.0, 1e-9);
    EXPECT_NEAR(n.pr.node(4), -100.0, 1e-9);
    EXPECT_EQ(n.es.node(5), 0.0);
    EXPECT_EQ(n.esm.node(5), 0.0);
    EXPECT_EQ(n.pr.node(5), 0.0);
    EXPECT_EQ(KERR, 1);
    io::close_unit(RESFILE);
    const std::string line = "  -  P-Y CURVES DO NOT EXTEND THE LENGTH OF THE PILE\n";
    EXPECT_EQ(test::read_file(dir.path() / "res.txt"), "\n\n" + line + "\n\n" + line);
}

// Cap pass: with cap option 1 the set's reaction at 0.99 XTOP and the cap
// displacement is kept for the cap's passive resistance; option 2 keeps none;
// the pile pass is the same either way.
TEST(UserPySets, CapPass) {
    // XTOP = 10, 0.99 in single precision: xc = 9.900000095; curves 1, 2 at
    // CAPHD = 2: p1 = 15, p2 = 40; 40 - 25 * (10 - xc)/10 = 39.75000024.
    for (int option : {1, 2}) {
        SCOPED_TRACE(option);
        user_set(10.0);
        NINCR(1) = 2;  // nodes at 10, 15, 20
        KCAPOP = option;
        CAPHD = 2.0;
        PASPV(1) = -1.0;
        Nodes n;
        for (int j = 1; j <= 5; ++j) n.y.node(j) = 0.5;
        n.run();
        EXPECT_NEAR(PASPV(1), option == 1 ? 39.75000024 : -1.0, 1e-7);
        // Head at 10 on curve 2: p = 15 at 0.5, Es = 30, pr = -15.
        EXPECT_NEAR(n.es.node(1), 30.0, 1e-9);
        EXPECT_NEAR(n.pr.node(1), -15.0, 1e-9);
        EXPECT_TRUE(n.rep.empty());
        EXPECT_EQ(n.rep.kerr, 0);
    }
}

}  // namespace
}  // namespace zolan
