// Axial force along a pile for a head movement: inside the load-settlement
// table (compression and uplift), at zero, beyond the table at both ends, the
// head force continuous and rising across every point of a generated curve
// and at every scale of movement in both senses, the linear response's
// stiffness far below the curves' first points, and the failures that set
// the error word: a Newton iteration that cannot close (an analysis with one
// says its piles did not converge) and a mid-point iteration that cannot
// converge.
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

// The head force of row 1 at head movement d, its evaluation clean (no
// status, no error word).
double head_force(const AxControls& ctl, double d) {
    SLOTVEC mov, force;
    int istat = 0;
    RowReport rep;
    const double F = AXIAL3(ctl, 1, d, mov, force, istat, rep);
    EXPECT_EQ(istat, 0);
    EXPECT_EQ(rep.kerr, 0) << d;
    return F;
}

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
            const double F = head_force(ctl, d);
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

// One vertical pile, its load-settlement curve generated, at the length,
// increments, pile type, shaft area and soil of a case (the 18 in pipe of
// tests/fixtures/one_pile_axial.in otherwise).
struct PileCase {
    const char* what;
    int nincr;
    double len;         // ft
    int ptype;          // 1 driven, 2 drilled
    double area;        // in^2
    int code;           // soil code of the one layer
    const char* top;    // the layer's nine values at the top and at the bottom
    const char* bottom;
};

std::string pile_input(const PileCase& c) {
    std::string s = test::read_file(std::string(ZOLAN_FIXTURES_DIR) + "/one_pile_axial.in");
    auto swap = [&s](const std::string& from, const std::string& to) {
        const auto at = s.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        s.replace(at, from.size(), to);
    };
    const std::string len = std::to_string(c.len);
    swap("60 60.0 1 ", std::to_string(c.nincr) + " " + len + " " + std::to_string(c.ptype) + " ");
    swap("0.0 60.0 1 ", "0.0 " + len + " 1 ");
    swap("11.2E6 27.489 ", "11.2E6 " + std::to_string(c.area) + " ");
    // One layer of the case's soil down to 400 ft.
    const auto from = s.find("2                                                       ! NLAYER=2");
    const auto to = s.find("GENERATED AXIAL LOAD-SETTLEMENT CURVES");
    s.replace(from, to - from,
              "1\n1 " + std::to_string(c.code) + "\n0.0 400.0\n2 9\n" + c.top + "\n" + c.bottom + "\n");
    return s;
}

// Piles whose head settlement the issue of small movements showed: a long
// pipe in stiff clay, compressible piles (a 2 in^2 steel shaft) drilled and
// driven in clay, and a driven pile in an elastic subgrade (the t-z curves of
// user p-y layers). At each scale of head movement, in both senses, the
// head movement is prescribed in fine steps (0.05 % of it, over 2 %): the
// head force moves in the sense of the movement up to the peak of the
// curve and against it after (at most one turn), every step moves it (no
// flat), and no step is three times both its neighbours (no jump). Far
// below every curve's first point the response is linear: F/d is the same
// from 1e-20 to 1e-10 in, and no distribution leaves the error word.
TEST_F(AxialDistribution, HeadForceContinuousAtEveryScaleInBothSenses) {
    const PileCase cases[] = {
        {"long pipe in stiff clay", 100, 150.0, 1, 27.489, 3,
         "60.0 2000.0 0.0 0.0 0.0 0.005 0.0 1000.0 18000.0", "60.0 4000.0 0.0 0.0 0.0 0.005 0.0 2000.0 36000.0"},
        {"compressible drilled shaft in clay", 100, 100.0, 2, 2.0, 1,
         "50.0 500.0 0.0 0.0 0.0 0.02 0.0 400.0 4500.0", "50.0 1000.0 0.0 0.0 0.0 0.01 0.0 800.0 9000.0"},
        {"compressible driven pile in clay", 100, 100.0, 1, 2.0, 1,
         "50.0 500.0 0.0 0.0 0.0 0.02 0.0 400.0 4500.0", "50.0 1000.0 0.0 0.0 0.0 0.01 0.0 800.0 9000.0"},
        {"driven pile in an elastic subgrade", 100, 100.0, 1, 2.0, 12,
         "50.0 0.0 0.0 100.0 0.0 0.0 0.0 500.0 5000.0", "50.0 0.0 0.0 100.0 0.0 0.0 0.0 1000.0 10000.0"},
    };
    AxControls ctl;
    ctl.kextrp = 1;
    ctl.kaxvar = 1;
    for (const PileCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        test::write_file("source.in", pile_input(c));
        ASSERT_EQ(test::run_at_fixed_time("source.in", "one.in"), 0);
        for (double sense : {1.0, -1.0}) {
            SCOPED_TRACE(sense > 0.0 ? "compression" : "uplift");
            auto head = [&](double d) { return head_force(ctl, d); };
            // Linear far below the curves' first points.
            const double k0 = head(sense * 1e-20) / (sense * 1e-20);
            EXPECT_GT(k0, 0.0);
            for (double d : {1e-18, 1e-15, 1e-12, 1e-10})
                EXPECT_NEAR(head(sense * d) / (sense * d), k0, 1e-8 * k0) << d;
            // Fine steps at every scale.
            constexpr int NSTEP = 40;
            for (double d0 : {1e-8, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 0.1, 0.5, 1.0}) {
                SCOPED_TRACE("head movement " + std::to_string(d0));
                std::vector<double> dF;
                double last = 0.0;
                for (int i = 0; i <= NSTEP; ++i) {
                    const double F = head(sense * d0 * (1.0 + 0.02 * (static_cast<double>(i) / NSTEP - 0.5)));
                    if (i > 0) dF.push_back(sense * (F - last));
                    last = F;
                }
                int turns = 0;
                for (std::size_t i = 0; i < dF.size(); ++i) {
                    EXPECT_NE(dF[i], 0.0) << "step " << i;
                    if (i > 0 && (dF[i] > 0.0) != (dF[i - 1] > 0.0)) ++turns;
                    const double left = i > 0 ? dF[i - 1] : dF[i + 1];
                    const double right = i + 1 < dF.size() ? dF[i + 1] : dF[i - 1];
                    EXPECT_LE(std::abs(dF[i]), 3.0 * std::max(std::abs(left), std::abs(right))) << "step " << i;
                }
                EXPECT_LE(turns, 1);
                if (d0 <= 1e-4) {
                    EXPECT_GT(dF.front(), 0.0);  // rising below the peak
                }
            }
        }
    }
}

// A 100 ft driven pile of 1 in^2 steel in one increment in clay: the mid-point
// of the increment moves by inches under the side resistance it mobilises,
// so no tip movement brings the head to the cap's movement and the
// distribution cannot close. The analysis says so (its piles did not
// converge) instead of completing with the last iterate's force.
TEST_F(AxialDistribution, AnalysisNamesADistributionThatCannotClose) {
    const PileCase c = {"one increment", 1, 100.0, 1, 1.0, 1, "50.0 500.0 0.0 0.0 0.0 0.02 0.0 1000.0 4500.0",
                        "50.0 1000.0 0.0 0.0 0.0 0.01 0.0 1000.0 9000.0"};
    test::TempDir dir;
    std::string input = pile_input(c);
    const std::string load = "7000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0";
    input.replace(input.find(load), load.size(), "20000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0");
    test::write_file("source.in", input);
    ASSERT_EQ(test::run_at_fixed_time("source.in", "one.in"), 0);
    const std::string status = test::read_file("status.txt");
    EXPECT_NE(status.find("    6 NO CONVERGENCE ON PILES"), std::string::npos) << status;
    EXPECT_EQ(status.find("ANALYSIS COMPLETED"), std::string::npos) << status;
}

// Hand-made uniform row far inside the first segments of its curves: t = 10 w
// on a shaft of D = 20 (k = 10 x 3.1416 x 20 = 628.32 per unit length), a tip
// spring Q = 1000 w, AE = 1e6, L = 100 in 100 increments. The bar on springs
// gives the head stiffness K = AE lam (tanh lam L + b) / (1 + b tanh lam L),
// lam = sqrt(k / AE), b = kq / (AE lam): the ratio F / d of the linear
// response, in both senses, from 1e-20 up to head movements of 0.05 (the
// head still on the t-z curve's first segment, which ends at 0.1), within
// the increments' discretisation error (1e-3).
TEST_F(AxialDistribution, HeadStiffnessOfTheFirstSegmentsAtEveryScale) {
    test::set_axial_model();
    NINCR(1) = 100;
    const AXSAMP s = test::one_sample({{0.1, 1.0}}, 1.0e6);
    AXTIP qw;
    for (int k = 2; k <= 10; ++k) {
        qw.W(k) = 0.1 * (k - 1);
        qw.Q(k) = 100.0 * (k - 1);
    }
    // A rough table (head three times the tip): it only bounds the search.
    const double TM[9] = {1e-4, 1e-3, 5e-3, 1e-2, 5e-2, 0.1, 0.5, 1.0, 2.0};
    for (int k = 1; k <= 9; ++k) {
        LSTAB(1, 10 + k, 1) = 3.0 * TM[k - 1];
        LSTAB(1, 10 + k, 3) = TM[k - 1];
        LSTAB(1, 10 - k, 1) = -3.0 * TM[k - 1];
        LSTAB(1, 10 - k, 3) = -TM[k - 1];
    }
    const double AE = 1.0e6, k = 10.0 * 3.1416 * 20.0, kq = 1000.0;
    const double lam = std::sqrt(k / AE), b = kq / (AE * lam), t = std::tanh(lam * 100.0);
    const double K = AE * lam * (t + b) / (1.0 + b * t);
    for (double E : {1e-20, 1e-14, 1e-9, 1e-4, 0.05}) {
        for (double sense : {1.0, -1.0}) {
            SCOPED_TRACE(sense * E);
            SLOTVEC WN, PN;
            RowReport rep;
            AXDIST(1, 1, sense * E, WN, PN, s, qw, rep);
            EXPECT_NEAR(PN.slot(4) / (sense * E), K, 1e-3 * K);
            EXPECT_NEAR(WN.slot(4), sense * E, 1e-9 * E);
            EXPECT_EQ(rep.kerr, 0);
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
