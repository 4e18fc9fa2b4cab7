// Axial force along a pile for a head movement: inside the load-settlement
// table (compression and uplift), at zero, beyond the table at both ends, the
// head force continuous and rising across every point of a generated curve,
// and the failures that set the error word: a Newton iteration that cannot
// close and a mid-point iteration that cannot converge.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "group/group_services.h"
#include "model/curve_tables.h"
#include "model/input_tables.h"
#include "model/pile_rows.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "pile/axial_distribution.h"
#include "pile/axial_head.h"
#include "pile/load_settlement.h"
#include "report/run_files.h"
#include "support/axial_cycle.h"
#include "support/axial_model.h"
#include "support/fixed_run.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

class AxialDistribution : public ::testing::Test {
protected:
    void SetUp() override {
        saved_units_ = NUNITS;
        KERR = 0;
    }
    void TearDown() override {
        io::close_unit(RESFILE);
        NUNITS = saved_units_;
        KERR = 0;
        reset_soil_tables();
        reset_pile_tables();
        reset_section_tables();
        reset_curve_tables();
    }
    int saved_units_ = 1;
};

// The three calls in their order, after the two branches of the table.
TEST_F(AxialDistribution, HeadMovementInsideAtZeroAndBeyondTheTable) {
    int st = test::set_axial_model_with_table();
    ASSERT_EQ(st, 0);
    struct Case {
        const char* what;
        double E;
        double P;            // force at every node
        double wtip, wmid, whead;
        double tol;          // on the movements
    };
    const Case cases[] = {
        // E = 0.11 lies between the table's points (0.01, 0.0275) and (0.05, 0.1375):
        // wt = 0.01 + 0.0825 x 0.04 / 0.11 = 0.04, Q = 70, movements 0.04, 0.04 + 0.035, 0.11
        {"compression inside", 0.11, 70.0, 0.04, 0.075, 0.11, 1e-6},
        // Uplift: Q = 0.000175 + 0.00017 x (0.11 - 0.1) / 0.1 = 0.000192 and
        // shortening 1.92e-7: every value negative, head at -0.11 to 1e-4 relative
        {"uplift inside", -0.11, -0.000192, -0.11, -0.11, -0.11, 2e-6},
        // zero movement: zero everywhere
        {"zero", 0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
        // beyond the last point (head 2 + 1.46 = 3.46): the nodes of the table's end,
        // tip 2.0 with Q = 1460, middle 2 + 0.73
        {"beyond", 5.0, 1460.0, 2.0, 2.73, 3.46, 1e-6},
        {"at the last point", 2.0 + 1.46, 1460.0, 2.0, 2.73, 3.46, 1e-6},
        // below the first point: tip at -2.0 with Q = -0.00146
        {"below", -5.0, -0.00146, -2.0, -2.00000073, -2.00000146, 1e-6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AXSAMP s;
        AXTIP qw;
        SLOTVEC WN, PN;
        WN.fill(99.0);
        PN.fill(99.0);
        AXTZC(1, 1, st, s);
        AXQWC(1, 1, c.E, st, s, qw);
        ASSERT_EQ(st, 0);
        RowReport rep;
        AXDIST(1, 1, c.E, WN, PN, s, qw, rep);
        // slot 4 the head, 5 the middle, 6 the tip
        for (int slot : {4, 5, 6}) EXPECT_NEAR(PN.slot(slot), c.P, 1e-5 * std::abs(c.P)) << "slot " << slot;
        EXPECT_NEAR(WN.slot(6), c.wtip, c.tol);
        EXPECT_NEAR(WN.slot(5), c.wmid, c.tol);
        EXPECT_NEAR(WN.slot(4), c.whead, c.tol);
        EXPECT_EQ(WN.slot(3), 99.0);  // nothing outside the pile's slots
        EXPECT_EQ(WN.slot(7), 99.0);
        EXPECT_TRUE(rep.empty());
        EXPECT_EQ(rep.kerr, 0);
    }
}

// One vertical 18 in pipe, 60 ft, soft clay over sand, its load-settlement
// curve generated (tests/fixtures/one_pile_axial.in). The table's points were
// climbed at the coarse mid-point tolerance and lie up to 0.6 % off the fine
// climbs of the distribution, so near each point the solution can lie
// outside the table's segment. Swept in steps of 0.02 % of the head movement
// across 1.2 % on either side of every point, the head force rises at every
// step (uplift: falls), no step is three times both its neighbours (a jump),
// no distribution leaves the error word; beyond the curve's ends the force
// holds its end value (the curve's end rule), with no jump onto it.
TEST_F(AxialDistribution, HeadForceRisesSteadilyAcrossEveryPointOfTheCurve) {
    test::TempDir dir;
    ASSERT_EQ(test::run_at_fixed_time(std::string(ZOLAN_FIXTURES_DIR) + "/one_pile_axial.in", "one.in"), 0);
    ASSERT_EQ(NLSPT, 19);
    AxControls ctl;
    ctl.kextrp = 1;
    ctl.kaxvar = 1;
    constexpr int NSTEP = 120;
    for (int j = 1; j <= NLSPT; ++j) {
        if (j == 10) continue;  // the curve's zero
        const double H = LSTAB(1, j, 1);
        const bool end = j == 1 || j == NLSPT;
        SCOPED_TRACE("point " + std::to_string(j) + ", head movement " + std::to_string(H));
        // Increments of the force in the sense of the movement.
        std::vector<double> dF;
        double last = 0.0;
        for (int i = 0; i <= NSTEP; ++i) {
            const double d = H * (1.0 + 0.012 * (2.0 * i / NSTEP - 1.0));
            SLOTVEC mov, force;
            int istat = 0;
            RowReport rep;
            const double F = AXIAL3(ctl, 1, d, mov, force, istat, rep);
            EXPECT_EQ(istat, 0);
            EXPECT_EQ(rep.kerr, 0) << d;
            if (i > 0) dF.push_back(H > 0.0 ? F - last : last - F);
            last = F;
        }
        for (std::size_t i = 0; i < dF.size(); ++i) {
            // Inside the curve every step rises; at an end, a plateau once reached is kept.
            if (!end) EXPECT_GT(dF[i], 0.0) << "step " << i;
            else EXPECT_TRUE(dF[i] >= 0.0 && (i == 0 || dF[i - 1] > 0.0 || dF[i] == 0.0)) << "step " << i;
            const double left = i > 0 ? dF[i - 1] : dF[i + 1], right = i + 1 < dF.size() ? dF[i + 1] : dF[i - 1];
            EXPECT_LE(dF[i], 3.0 * std::max(left, right)) << "step " << i;
        }
    }
}

// Hand-made row: a q-w curve that jumps from 0 to 1000 at w = 1, so the head
// movement wt + 1e-3 Q(wt) jumps from 1 to 2 and no tip movement gives E = 1.5:
// the iteration stops after 25 updates, the nodes hold the last evaluation,
// and the fold after the loop sets KERR = 4 without a message.
TEST_F(AxialDistribution, NewtonThatCannotCloseSetsTheErrorWord) {
    test::set_axial_model();
    AXSAMP s;
    s.NS = 1;
    s.npts(1) = 2;
    s.Z(2, 1) = 1.0;  // t = 0 for every movement
    s.NB = 2;
    s.BP(2) = 100.0;
    s.AEP(1) = s.AEP(2) = 1.0e5;
    s.D = 20.0;
    AXTIP qw;
    const double W[10] = {0, 1, 1, 2, 3, 4, 5, 6, 7, 8};
    for (int k = 1; k <= 10; ++k) {
        qw.W(k) = W[k - 1];
        qw.Q(k) = k >= 3 ? 1000.0 : 0.0;
    }
    // table: head = tip below 1, head = tip + 1 above it
    const double HM[9] = {0.5, 0.9, 2.1, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0};
    const double TM[9] = {0.5, 0.9, 1.1, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0};
    for (int k = 1; k <= 9; ++k) {
        LSTAB(1, 10 + k, 1) = HM[k - 1];
        LSTAB(1, 10 + k, 3) = TM[k - 1];
        LSTAB(1, 10 - k, 1) = -HM[k - 1];
        LSTAB(1, 10 - k, 3) = -TM[k - 1];
    }
    SLOTVEC WN, PN;
    test::TempDir dir;
    ASSERT_TRUE(io::open_unit(RESFILE, "res.txt", {}));
    int istat = 0;
    for_pile_rows(1, 1, 1, istat, KERR, [&](int, RowReport& rep) {
        AXDIST(1, 1, 1.5, WN, PN, s, qw, rep);
        EXPECT_EQ(rep.kerr, 4);
        EXPECT_EQ(KERR, 0);  // nothing shared is written inside the loop
    });
    // the last evaluation lies on one side of the jump
    EXPECT_TRUE(std::abs(WN.slot(4) - 1.0) < 1e-5 || std::abs(WN.slot(4) - 2.0) < 1e-5) << WN.slot(4);
    io::close_unit(RESFILE);
    EXPECT_EQ(KERR, 4);
    EXPECT_EQ(istat, 0);
    EXPECT_EQ(test::read_file("res.txt"), "");
}

// Hand-made row, one increment (h = 100, As = 3.1416 x 20 x 100 = 6283.2, AE = 1e5),
// no tip load, tip movement 1 (the table's end). The mid-point map is
// wm' = 1 + t(wm) x As x h / (8 AE) = 1 + 0.7854 t(wm); with the t-z curve
// (0, 0) (1, 1.27324) (2, 0) it sends 1 to 2 and 2 back to 1: the iteration
// stops at its limit, the call returns, and the fold reports it with KERR = 4.
TEST_F(AxialDistribution, MidPointIterationThatCannotConverge) {
    test::set_axial_model();
    NINCR(1) = 1;
    const AXSAMP s = test::midpoint_cycle_samples();
    AXTIP qw;
    for (int k = 2; k <= 10; ++k) qw.W(k) = k;  // no tip load
    LSTAB(1, 19, 1) = 1.0;
    LSTAB(1, 19, 3) = 1.0;
    SLOTVEC WN, PN;
    test::TempDir dir;
    ASSERT_TRUE(io::open_unit(RESFILE, "res.txt", {}));
    int istat = 0;
    for_pile_rows(1, 1, 1, istat, KERR, [&](int, RowReport& rep) {
        AXDIST(1, 1, 3.0, WN, PN, s, qw, rep);  // beyond the table: one evaluation at wt = 1
        AXDIST(1, 1, 3.0, WN, PN, s, qw, rep);  // the same row again: the warning stays one line
    });
    EXPECT_TRUE(std::isfinite(WN.slot(4)) && std::isfinite(PN.slot(4)));
    io::close_unit(RESFILE);
    EXPECT_EQ(KERR, 4);
    EXPECT_EQ(test::read_file("res.txt"),
              "        ** WARNING ** PILE ROW     1: THE AXIAL MID-POINT ITERATION DID NOT CONVERGE\n");
}

}  // namespace
}  // namespace zolan
