// Plane cap solver and the plane force vector on small groups whose piles
// answer linearly (elastic subgrade, straight axial curves) or nonlinearly
// (soft clay): the plane model against the three-dimensional model of the
// same piles and against an independent direct stiffness solution, the row
// transform, the pile counts and axial factors of a row, the load steps, the
// singular matrix, the symmetry of an embedded battered group, the limited
// coupling of a point-of-definition case in both models, and the same bytes
// for any thread count.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "group/cap_solver2d.h"
#include "group/cap_solver3d.h"
#include "group/pile_row_loops.h"
#include "model/case_tables.h"
#include "model/curve_tables.h"
#include "model/input_tables.h"
#include "model/result_tables.h"
#include "model/run_state.h"
#include "pile/node_mesh.h"
#include "pile/pile_response.h"
#include "report/run_files.h"
#include "soil/py_curves.h"
#include "support/py_fixture.h"
#include "support/fixed_run.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

constexpr double PIH = 3.141592653589793 / 2;
// Stiff piles in stiff subgrade: the axial forces below soften the lateral
// response by less than 1e-7, so the groups are linear to that accuracy.
constexpr double EI = 1.0e12, ES = 1.0e4, KA = 1.0e5, L = 800.0;

struct Row { double y, batang, pmult, axfac; };

// The common pile: row 1 in soil code `soil`, 100 increments, straight axial
// curve of stiffness KA (end value held beyond +-1), pinned head.
void common_pile(int soil) {
    test::reset_py_model();
    test::one_pile(1.0, L / 100, 100);
    for (int c : {SP_EI1, SP_EI2}) SECTAB(1, 1, SEC_TOP + c) = SECTAB(1, 1, SEC_BOT + c) = EI;
    test::soil_layer(1, soil, 0.0, 2.0 * L);
    test::layer_value(SCK, 1, ES);
    test::layer_value(SCGAM, 1, 0.01);
    test::layer_value(SCCOH, 1, soil == 1 ? 1.0 : 1.0e6);
    test::layer_value(SCE50, 1, 0.02);
    test::layer_value(SCJ, 1, 0.5);
    NODESETUP();
    test::straight_head_curves(KA, 1.0e6);
    CORX(1) = XTOP(1) = 0.0;
    GROUND(1) = -1.0e-3;
    MAXITC = 30, MAXITP = 100;
    TOLREL = 1e-10, TOLLLP = 1e-15;
    DTINIT = 1.0, DTCMIN = 0.01;
    NTHRREQ = 1;
}

// Plane rows with heads at X = 0 and the given Y, batter, pile count and
// axial factor.
void plane_group(int soil, std::initializer_list<Row> rows) {
    common_pile(soil);
    NANTYP = 2;
    int r = 0;
    for (const Row& row : rows) {
        ++r;
        if (r > 1) test::copy_pile_row(1, r);
        YTOP(r) = CORY(r) = row.y;
        BATANG(r) = row.batang;
        KCONN(r) = 1;
        PMULT(r) = row.pmult, AXFAC(r) = row.axfac;
        ILSCRV(r) = ITRCRV(r) = 1;
        PFGRP(r) = YFGRP(r) = 1.0;
        PYFORM(IPROP(r), r, 0);
    }
    NPILES = r;
}

// Vertical three-dimensional piles with pinned heads at (0, y, z).
void group3d(std::initializer_list<std::pair<double, double>> heads) {
    common_pile(12);
    NANTYP = 3;
    int r = 0;
    for (const auto& [y, z] : heads) {
        ++r;
        if (r > 1) test::copy_pile_row(1, r);
        CORY(r) = YTOP(r) = y, CORZ(r) = z;
        ALPHA(r) = 0.0, BETA(r) = PIH, THETA(r) = 0.0, BATANG(r) = 0.0;
        KCONN(r) = KCONNZ(r) = 1;
        PMULT(r) = AXFAC(r) = 1.0;
        ILSCRV(r) = ITRCRV(r) = 1;
        PFGRP(r) = YFGRP(r) = 1.0;
        PYFORM(IPROP(r), r, 0);
    }
    NPILES = r;
}

CAPVEC vec(std::initializer_list<double> v) {
    CAPVEC c;
    c.fill(0.0);
    int k = 1;
    for (double x : v) c(k++) = x;
    return c;
}

// CAP2D on the load P (slots 1 to 3); the outcome of its stepping.
struct Solved2 {
    int istat = 0;
    std::optional<Cap2dOutcome> out;
};
Solved2 solve2(const CAPVEC& P) {
    Solved2 s;
    group_services.result2d = [&](const SolveRequest& r, const Cap2dOutcome& o, int&) {
        s.out = o;
        return unanswered(r);
    };
    SolveRequest req;
    req.load = P;
    CAP2D(req, s.istat);
    group_services.result2d = nullptr;
    return s;
}

std::optional<Cap3dOutcome> solve3(const CAPVEC& P) {
    std::optional<Cap3dOutcome> out;
    group_services.result3d = [&](const SolveRequest& r, const Cap3dOutcome& o, int&) {
        out = o;
        return unanswered(r);
    };
    SolveRequest req;
    req.load = P;
    int istat = 0;
    CAP3D(req, istat);
    group_services.result3d = nullptr;
    return out;
}

class CapSolver2d : public ::testing::Test {
protected:
    void TearDown() override { test::reset_py_model(); }
};

// Two rows at Y = -1.5 and 1.5 of two piles each against the four piles of
// the three-dimensional model at Y = +-1.5, Z = +-1.5: the same cap
// displacements and the same force of each row (the pair of piles at its Y)
// within 1e-6.
TEST_F(CapSolver2d, TwoRowsMatchTheThreeDimensionalModel) {
    const double P[3] = {40.0, 3.0, -40.0};
    group3d({{-1.5, -1.5}, {-1.5, 1.5}, {1.5, -1.5}, {1.5, 1.5}});
    const std::optional<Cap3dOutcome> o3 = solve3(vec({P[0], P[1], 0.0, 0.0, 0.0, P[2]}));
    ASSERT_TRUE(o3 && o3->converged);
    const CAPVEC U3 = o3->U;
    // Row forces of the 3-D piles at the origin: -F of PILE3D, levered by hand.
    double row3[2][3] = {};
    {
        auto w = std::make_unique<Llp3dWork>();
        RowReport rep;
        w->report = &rep;
        int istat = 0;
        for (int p = 1; p <= 4; ++p) {
            CAPVEC d = U3;
            d(1) += U3(5) * CORZ(p) - U3(6) * CORY(p);
            d(2) += -U3(4) * CORZ(p);
            d(3) += U3(4) * CORY(p);
            const CAPVEC f = PILE3D(pile_controls(0, 1, 0), p, d, *w, istat);
            const int r = CORY(p) < 0.0 ? 0 : 1;
            row3[r][0] -= f(1);
            row3[r][1] -= f(2);
            row3[r][2] -= f(6) - CORY(p) * f(1);
        }
    }
    plane_group(12, {{-1.5, 0.0, 2.0, 1.0}, {1.5, 0.0, 2.0, 1.0}});
    const Solved2 s = solve2(vec({P[0], P[1], P[2]}));
    ASSERT_EQ(s.istat, 0);
    ASSERT_TRUE(s.out && s.out->converged);
    EXPECT_EQ(s.out->TCONV, 1.0);
    const double U2[3] = {s.out->U(1), s.out->U(2), s.out->U(3)}, U3p[3] = {U3(1), U3(2), U3(6)};
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(U2[i], U3p[i], 1e-6 * std::abs(U3p[i])) << i;
    // The plane row forces: each row alone as row 1.
    for (int r = 0; r < 2; ++r) {
        plane_group(12, {{r == 0 ? -1.5 : 1.5, 0.0, 2.0, 1.0}});
        int istat = 0;
        const CAPVEC F = FVEC2D(pile_controls(0, 1, 0), s.out->U, istat);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(F(i + 1), row3[r][i], 1e-6 * (1.0 + std::abs(row3[r][i]))) << r << ", " << i;
    }
}

// A battered group (rows at Y = -30, 0, 30 battered 0, -0.25 and 0.2 rad,
// with 2, 1 and 3 piles and axial factors 1, 0.5, 1) against the direct
// stiffness solution K U = P, K = sum n T^T k T with the row transform T
// written out by hand and the row stiffness k = diag(f KA, kl, 0) of a
// pinned head (kl the lateral head force per unit head deflection).
TEST_F(CapSolver2d, BatteredGroupMatchesDirectStiffness) {
    const Row rows[] = {{-30.0, 0.0, 2.0, 1.0}, {0.0, -0.25, 1.0, 0.5}, {30.0, 0.2, 3.0, 1.0}};
    plane_group(12, {rows[0], rows[1], rows[2]});
    // kl from one lateral solution at a small head deflection.
    auto w = std::make_unique<Llp2dWork>();
    RowReport rep;
    w->report = &rep;
    w->pile = 1;
    w->yt = 1e-4;
    int istat = 0;
    NODE2D(1, istat);
    LLP2D(lateral_controls(0, 1), *w, istat);
    ASSERT_EQ(istat, 0);
    const double kl = w->H / 1e-4;
    double K[3][4] = {};
    for (const Row& r : rows) {
        const double c = std::cos(r.batang), s = std::sin(r.batang), X = 0.0, Y = r.y;
        const double T[2][3] = {{c, s, X * s - Y * c}, {-s, c, X * c + Y * s}};
        const double k[2] = {r.axfac * KA, kl};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                for (int a = 0; a < 2; ++a) K[i][j] += r.pmult * T[a][i] * k[a] * T[a][j];
    }
    const double P[3] = {50.0, 4.0, -300.0};
    for (int i = 0; i < 3; ++i) K[i][3] = P[i];
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < 3; ++i) {
            if (i == c) continue;
            const double f = K[i][c] / K[c][c];
            for (int j = c; j < 4; ++j) K[i][j] -= f * K[c][j];
        }
    const Solved2 sol = solve2(vec({P[0], P[1], P[2]}));
    ASSERT_TRUE(sol.out && sol.out->converged);
    for (int i = 0; i < 3; ++i) {
        const double ref = K[i][3] / K[i][i];
        EXPECT_NEAR(sol.out->U(i + 1), ref, 1e-6 * std::abs(ref)) << i;
    }
    // Equilibrium of the force vector at the solution.
    int is2 = 0;
    const CAPVEC F = FVEC2D(pile_controls(0, 1, 0), sol.out->U, is2);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(F(i + 1), P[i], 1e-7 * 300.0) << i;
}

// The row transform by hand, and the pile count and axial factor of a row:
// a rotation alone moves a head at (X, Y) by (-Y, X) times it; a row along Y
// (batter pi/2) takes U's Y plus X times the rotation as its axial movement;
// one row of three piles gives the forces of three rows of one; a factor of
// 0.5 halves the axial force and leaves the lateral force and moment.
TEST_F(CapSolver2d, RowTransformCountsAndAxialFactor) {
    struct Case { double X, Y, b, U1, U2, U3, d1, d2, d3; };
    const Case cases[] = {
        {0.0, 0.0, 0.0, 1.0, 2.0, 3.0, 1.0, 2.0, 3.0},
        {4.0, 5.0, 0.0, 0.0, 0.0, 0.1, -0.5, 0.4, 0.1},    // (-Y, X) 0.1
        {4.0, 5.0, PIH, 1.0, 2.0, 0.1, 2.0 + 0.4, -1.0 + 0.5, 0.1},
    };
    for (const Case& c : cases) {
        XTOP(1) = c.X, YTOP(1) = c.Y, BATANG(1) = c.b;
        const ROWMAT3 T = PLNTR(1);
        const double U[3] = {c.U1, c.U2, c.U3}, d[3] = {c.d1, c.d2, c.d3};
        for (int i = 1; i <= 3; ++i)
            EXPECT_NEAR(T(i, 1) * U[0] + T(i, 2) * U[1] + T(i, 3) * U[2], d[i - 1], 1e-15) << c.X << " " << i;
    }
    const CAPVEC U = vec({1e-4, 2e-4, 3e-6});
    int istat = 0;
    plane_group(12, {{10.0, 0.2, 3.0, 1.0}});
    const CAPVEC one = FVEC2D(pile_controls(0, 1, 0), U, istat);
    plane_group(12, {{10.0, 0.2, 1.0, 1.0}, {10.0, 0.2, 1.0, 1.0}, {10.0, 0.2, 1.0, 1.0}});
    const CAPVEC three = FVEC2D(pile_controls(0, 1, 0), U, istat);
    for (int i = 1; i <= 3; ++i) EXPECT_NEAR(one(i), three(i), 1e-13 * std::abs(one(i))) << i;

    plane_group(12, {{0.0, 0.0, 1.0, 1.0}});
    KCONN(1) = 2;  // a fixed head, so that the row has a moment
    const CAPVEC full = FVEC2D(pile_controls(0, 1, 0), U, istat);
    AXFAC(1) = 0.5;
    const CAPVEC half = FVEC2D(pile_controls(0, 1, 0), U, istat);
    ASSERT_EQ(istat, 0);
    EXPECT_EQ(half(1), 0.5 * full(1));
    EXPECT_NE(full(3), 0.0);
    for (int i : {2, 3}) EXPECT_NEAR(half(i), full(i), 1e-7 * std::abs(full(i))) << i;
}

// The load steps through the solver (two vertical rows, the axial curves
// ending at 1e5 per pile): increments of 0.3 under 4e4 give 0.3, 0.6, 0.9
// and 1.0; under 4e5 the step at 0.6 (1.2e5 per pile) fails and is repeated
// at 0.45 with 0.15, the next 0.6 fails again and 0.075 is below the
// minimum 0.1: the solution stands at 45 % with its last converged
// displacement, U(1) = 0.45 x 2e5 / KA = 0.9.
TEST_F(CapSolver2d, LoadStepTable) {
    struct Case { double P; const char* steps[5]; double tconv; };
    const Case cases[] = {
        {4.0e4, {"1,0.3000,0.3000", "2,0.6000,0.3000", "3,0.9000,0.3000", "4,1.0000,0.3000", nullptr}, 1.0},
        {4.0e5, {"1,0.3000,0.3000", "2,0.6000,0.3000", "2,0.4500,0.1500", "3,0.6000,0.1500", nullptr}, 0.45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.P);
        plane_group(12, {{-30.0, 0.0, 1.0, 1.0}, {30.0, 0.0, 1.0, 1.0}});
        DTINIT = 0.3, DTCMIN = 0.1, MAXITC = 10;
        test::TempDir dir;
        io::open_unit(RUNFILE, "run.txt", {io::Access::Write});
        const Solved2 s = solve2(vec({c.P, 0.0, 0.0}));
        io::close_unit(RUNFILE);
        ASSERT_TRUE(s.out);
        std::vector<std::string> got;
        for (const std::string& line : test::lines_of(test::read_file("run.txt"))) {
            if (line.rfind("     STEP ", 0) != 0) continue;
            std::string t;
            for (char ch : line.substr(10))
                if (ch != ' ') t += ch;
            // "1,TCUR0.3000,DTCUR0.3000" -> "1,0.3000,0.3000"
            for (const char* word : {"TCUR", "DTCUR"}) t.erase(t.find(word), std::strlen(word));
            got.push_back(t);
        }
        std::vector<std::string> want;
        for (const char* w : c.steps)
            if (w) want.emplace_back(w);
        EXPECT_EQ(got, want);
        EXPECT_NEAR(s.out->TCONV, c.tconv, 1e-15);
        EXPECT_EQ(s.out->converged, c.tconv == 1.0);
        EXPECT_NEAR(s.out->U(1), c.tconv * c.P / 2 / KA, 1e-9);
    }
}

// A single pinned row at the origin has no stiffness against the cap
// rotation: every attempt meets the singular matrix and writes its warning
// (DTINIT 1 and its half 0.5, then 0.25 is below the minimum 0.3), no step
// converges, the error word is 2, and the result pass writes only the status
// line "7 SINGULAR STIFFNESS MATRIX"; KFLAG is 0 after the solve.
TEST_F(CapSolver2d, SingularMatrix) {
    plane_group(12, {{0.0, 0.0, 1.0, 1.0}});
    DTCMIN = 0.3;
    test::TempDir dir;
    for (auto [unit, name] : {std::pair{RUNFILE, "run.txt"}, {RESFILE, "res.txt"}, {STATFILE, "stat.txt"}})
        io::open_unit(unit, name, {io::Access::Write});
    const Solved2 s = solve2(vec({10.0, 1.0, 0.0}));
    ASSERT_TRUE(s.out);
    EXPECT_EQ(s.out->KERR, 2);
    EXPECT_EQ(s.out->nconv, 0);
    int istat = 0;
    SolveRequest req;
    req.load = vec({10.0, 1.0, 0.0});
    CAP2D(req, istat);
    EXPECT_EQ(istat, 0);
    EXPECT_EQ(KFLAG, 0);
    io::close_all_units();
    const std::vector<std::string> res = test::lines_of(test::read_file("res.txt"));
    const std::string warn = "     ** WARNING **  DETERMINANT OF STIFFNESS MATRIX IS ZERO";
    // Two attempts in each of the two solves: the first halved and retried
    // (a note on the results report), the second given up (the warning);
    // the run log has the singular matrix of every attempt.
    EXPECT_EQ(std::count(res.begin(), res.end(), warn), 2);
    const auto retried = std::count_if(res.begin(), res.end(), [](const std::string& l) {
        return l.rfind("     NOTE: LOAD STEP TO LOAD FACTOR ", 0) == 0 && l.ends_with(" HALVED AND RETRIED");
    });
    EXPECT_EQ(retried, 2);
    EXPECT_EQ(test::lines_of(test::read_file("stat.txt")), std::vector<std::string>{"    7 SINGULAR STIFFNESS MATRIX "});
    const std::string run = test::read_file("run.txt");
    EXPECT_EQ(run.find("DOES NOT CONVERGE"), std::string::npos);
    const std::vector<std::string> log = test::lines_of(run);
    EXPECT_EQ(std::count(log.begin(), log.end(), warn), 4);
}

// A group symmetric about Y = 0 (vertical middle row, rows at Y = +-30
// battered +-0.25) with an embedded cap (the ground line 2 above the
// origin) under a vertical load: no lateral displacement and no rotation to
// rounding, and no passive force while the cap does not move sideways.
TEST_F(CapSolver2d, SymmetricBatteredGroupWithEmbeddedCap) {
    plane_group(12, {{-30.0, -0.25, 2.0, 1.0}, {0.0, 0.0, 1.0, 1.0}, {30.0, 0.25, 2.0, 1.0}});
    KCAPOP = 1;
    CAPTHK = 3.0;
    for (int r = 1; r <= 3; ++r) GROUND(r) = -2.0;
    const Solved2 s = solve2(vec({500.0, 0.0, 0.0}));
    ASSERT_TRUE(s.out && s.out->converged);
    EXPECT_GT(s.out->U(1), 0.0);
    EXPECT_LT(std::abs(s.out->U(2)), 1e-14);
    EXPECT_LT(std::abs(s.out->U(3)), 1e-14);
    EXPECT_EQ(s.out->rp, 0.0);
}

// The passive force through the solver (soft clay, whose cap pass gives the
// rows' passive resistance, on a cap 10 wide, 3 thick, the ground line 2
// above its bottom at X = 0): pushed along -Y the cap meets a passive force
// against its movement, the applied load of the last iteration holds it,
// PE(2) = P(2) - rp, and the triangular block acts a third of its embedded
// depth above the bottom, at X = -2/3.
TEST_F(CapSolver2d, PassiveForceOpposesTheCapMovement) {
    plane_group(1, {{-30.0, 0.0, 1.0, 1.0}, {30.0, 0.0, 1.0, 1.0}});
    KCAPOP = 1;
    CAPTHK = 3.0;
    CAPWID = 10.0;
    for (int r = 1; r <= 2; ++r) GROUND(r) = -2.0;
    const Solved2 p = solve2(vec({50.0, -50.0, 0.0}));
    ASSERT_TRUE(p.out && p.out->nconv > 0);
    EXPECT_LT(p.out->U(2), 0.0);
    EXPECT_LT(p.out->rp, 0.0);
    EXPECT_NEAR(p.out->PE(2), p.out->TCONV * -50.0 - p.out->rp, 1e-12);
    EXPECT_NEAR(p.out->pos, -2.0 / 3.0, 1e-12);
}

// The passive block: the mean ground line 2 above the origin on a cap 3
// thick gives the triangle FB = pv e / 2 = 10 x 2 / 2 = 10 with its
// resultant a third of e above the bottom; 6 above gives the trapezoid
// f = pv (6 - 3) / 6 = 5 over e = 3, FB = (10 + 5) / 2 x 3 = 22.5, arm
// (5 x 9 / 2 + 5 x 9 / 6) / 22.5 = 1.3333; a ground line below the origin
// or a zero pressure gives no force and the position XN; the load takes the
// sign of the cap's Y movement and vanishes within 1e-14 of none.
TEST(PassiveBlock, TriangleTrapezoidAndSign) {
    struct Case { double g, pv, fb, pos; };
    const double xn = 1.0;
    const Case cases[] = {
        {-2.0, 10.0, 10.0, xn - 2.0 / 3.0},
        {-6.0, 10.0, 22.5, xn - 30.0 / 22.5},
        {1.0, 10.0, 0.0, xn},
        {-2.0, 0.0, 0.0, xn},
    };
    for (const Case& c : cases) {
        const PassiveBlock b = PASBLK(c.g, c.pv, 3.0, xn);
        EXPECT_NEAR(b.fb, c.fb, 1e-12) << c.g;
        EXPECT_NEAR(b.pos, c.pos, 1e-12) << c.g;
        EXPECT_NEAR(b.mb, -b.fb * b.pos, 1e-12) << c.g;  // the moment of -fb at pos
    }
    const PassiveBlock b = PASBLK(-2.0, 10.0, 3.0, xn);
    EXPECT_EQ(PASLOAD(b, 1e-3)(2), -b.fb);
    EXPECT_EQ(PASLOAD(b, -1e-3)(2), b.fb);
    EXPECT_EQ(PASLOAD(b, -1e-3)(3), -b.mb);
    EXPECT_EQ(PASLOAD(b, 1e-15)(2), 0.0);
}

// A load case given at the point (X, Y) = (0, 10): with every load given the
// solve is the ordinary one of the load moved to the origin; with the X
// displacement 1e-4 given there the point moves by it (U1 - 10 U3), the
// given Y load is carried and the moment about the point vanishes.
TEST_F(CapSolver2d, PointOfDefinition) {
    const Row rows[] = {{-30.0, 0.0, 1.0, 1.0}, {20.0, 0.2, 2.0, 1.0}};
    const double y = 10.0, f1 = 40.0, f2 = 3.0, f3 = -20.0;
    plane_group(12, {rows[0], rows[1]});
    const Solved2 ref = solve2(vec({f1, f2, -y * f1 + f3}));
    ASSERT_TRUE(ref.out && ref.out->converged);
    ICASE = 1;
    LCPOD(1) = 1;
    struct Case { int flag1; double d1; };
    for (const Case& c : {Case{1, 0.0}, Case{0, 1e-4}}) {
        SCOPED_TRACE(c.flag1);
        const double g1 = c.flag1 == 1 ? f1 : 0.0;
        Solved2 s;
        group_services.result2d = [&](const SolveRequest& r, const Cap2dOutcome& o, int&) {
            s.out = o;
            return unanswered(r);
        };
        SolveRequest req;
        req.load = vec({g1, f2, -y * g1 + f3});
        req.PDFORC = vec({g1, f2, f3});
        req.PDDISP = vec({c.d1, 0.0, 0.0});
        req.PDXYZ = vec({0.0, y, 0.0});
        req.PDFLAG.fill(1);
        req.PDFLAG(1) = c.flag1;
        CAP2D(req, s.istat);
        group_services.result2d = nullptr;
        ASSERT_TRUE(s.out && s.out->converged);
        EXPECT_TRUE(s.out->pod);
        const CAPVEC& U = s.out->U;
        if (c.flag1 == 1) {
            for (int i = 1; i <= 3; ++i) EXPECT_NEAR(U(i), ref.out->U(i), 1e-6 * std::abs(ref.out->U(i))) << i;
            continue;
        }
        EXPECT_NEAR(U(1) - y * U(3), 1e-4, 1e-10);
        int istat = 0;
        const CAPVEC F = FVEC2D(pile_controls(0, 1, 0), U, istat);
        EXPECT_NEAR(F(2), f2, 1e-6);
        EXPECT_NEAR(F(3) + y * F(1), f3, 1e-6 * std::abs(y * F(1)));
    }
}

// The matrix records of the iteration trace: per iteration its number within
// the step (a record of one integer), the cap matrix as formed ("SS", n rows)
// and the augmented matrix solved ("SE", 2n rows), each row read as numbers
// after its tag and row number.
struct TraceMatrices {
    std::vector<int> iter;
    std::vector<std::vector<std::vector<double>>> formed, solved;
};
TraceMatrices trace_matrices(const std::string& text, int n) {
    TraceMatrices t;
    for (const std::string& line : test::lines_of(text)) {
        std::istringstream whole(line);
        int number = 0;
        if (whole >> number && (whole >> std::ws).eof()) t.iter.push_back(number);
        const std::string tag = line.substr(0, 3);
        if (tag != "SS " && tag != "SE ") continue;
        auto& blocks = tag == "SS " ? t.formed : t.solved;
        std::istringstream in(line.substr(3));
        int row = 0;
        in >> row;
        if (row == 1) blocks.emplace_back();
        std::vector<double> v;
        for (double x; in >> x;) v.push_back(x);
        blocks.back().push_back(v);
    }
    for (const auto& b : t.solved) EXPECT_EQ(b.size(), static_cast<std::size_t>(2 * n));
    EXPECT_EQ(t.iter.size(), t.solved.size());
    return t;
}

// A load case given at a point of definition, in the plane and the
// three-dimensional model, in two load steps: on each step's first
// iteration the cap part of the solved system is the formed matrix made
// symmetric with each off-diagonal pair held, sign kept, to half the
// geometric mean of its two diagonal magnitudes; later iterations solve with
// the matrix as formed. Heads off to one side (Y 20 and 30, Z 20 and 30)
// couple the axial direction to the rotations beyond that limit:
// |J(1,3)| = KA (20 + 30) = 50 KA against 0.5 sqrt(2 KA x KA (20^2 + 30^2))
// = 25.5 KA in the plane, |K(1,5)| = KA (20 + 20 + 30 + 30) = 100 KA against
// 0.5 sqrt(4 KA x 2600 KA) = 51 KA in space (the rotations' diagonals with
// at least the axial springs' share).
// The trace prints ten digits in the plane and five in space.
TEST_F(CapSolver2d, PointOfDefinitionLimitsTheCouplingOnAStepsFirstIteration) {
    struct Case { const char* name; int n; double rel; };
    for (const Case& c : {Case{"plane", 3, 1e-9}, Case{"space", 6, 1e-4}}) {
        SCOPED_TRACE(c.name);
        if (c.n == 3)
            plane_group(12, {{20.0, 0.0, 1.0, 1.0}, {30.0, 0.0, 1.0, 1.0}});
        else
            group3d({{20.0, 20.0}, {30.0, 20.0}, {20.0, 30.0}, {30.0, 30.0}});
        DTINIT = 0.5;
        ICASE = 1;
        LCPOD(1) = 1;
        SolveRequest req;
        req.load = req.PDFORC = vec({40.0, 3.0, -2.0, 5.0, 3.0, -4.0});
        req.PDDISP.fill(0.0);
        req.PDXYZ.fill(0.0);
        req.PDFLAG.fill(1);
        test::TempDir dir;
        io::open_unit(ITERTRC, "trace.txt", {io::Access::Write});
        group_services.result2d = [](const SolveRequest& r, const Cap2dOutcome&, int&) { return unanswered(r); };
        group_services.result3d = [](const SolveRequest& r, const Cap3dOutcome&, int&) { return unanswered(r); };
        int istat = 0;
        c.n == 3 ? CAP2D(req, istat) : CAP3D(req, istat);
        group_services.result2d = nullptr;
        group_services.result3d = nullptr;
        io::close_all_units();
        ASSERT_EQ(istat, 0);
        const TraceMatrices t = trace_matrices(test::read_file("trace.txt"), c.n);
        ASSERT_EQ(t.formed.size(), t.solved.size());
        ASSERT_EQ(t.iter.size(), t.solved.size());
        ASSERT_EQ(std::count(t.iter.begin(), t.iter.end(), 1), 2);  // two steps
        ASSERT_GT(t.iter.size(), 2u);
        int limited = 0;
        for (std::size_t it = 0; it < t.solved.size(); ++it) {
            const auto &S = t.formed[it], &A = t.solved[it];
            for (int i = 0; i < c.n; ++i)
                for (int j = 0; j < c.n; ++j) {
                    double want = S[i][j];
                    if (t.iter[it] == 1 && i != j) {
                        const double sym = (S[i][j] + S[j][i]) / 2.0;
                        const double lim = 0.5 * std::sqrt(std::abs(S[i][i] * S[j][j]));
                        want = std::abs(sym) > lim ? std::copysign(lim, sym) : sym;
                        limited += std::abs(sym) > lim * (1.0 + 1e-3);
                    }
                    EXPECT_NEAR(A[i][j], want, c.rel * std::abs(want) + 1e-12 * std::abs(S[i][i]))
                        << "record " << it + 1 << ", iteration " << t.iter[it] << ", row " << i + 1 << ", column "
                        << j + 1;
                }
        }
        EXPECT_GE(limited, 4);  // pair (1, 3) of the plane, (1, 5) in space: both sides, both steps
        test::reset_py_model();
    }
}

// The plane force vector of a nonlinear group (soft clay, eight battered
// rows) and the displacement solved for a linear one are the same bytes on
// 1, 2 and 8 threads.
TEST_F(CapSolver2d, SameBytesForAnyThreadCount) {
    const CAPVEC U = vec({0.01, 0.3, 2e-4});
    CAPVEC F1, S1;
    for (int nt : {1, 2, 8}) {
        plane_group(1, {{-40, 0.1, 1, 1}, {-30, 0, 2, 1}, {-20, -0.2, 1, 0.5}, {-10, 0, 3, 1}, {0, 0.3, 1, 1},
                        {10, 0, 2, 1}, {20, -0.1, 1, 1}, {30, 0, 1, 1}});
        NTHRREQ = nt;
        int istat = 0;
        const CAPVEC F = FVEC2D(pile_controls(0, 1, 0), U, istat);
        ASSERT_EQ(istat, 0);
        plane_group(12, {{-40, 0.1, 1, 1}, {-30, 0, 2, 1}, {-20, -0.2, 1, 0.5}, {-10, 0, 3, 1}, {0, 0.3, 1, 1},
                         {10, 0, 2, 1}, {20, -0.1, 1, 1}, {30, 0, 1, 1}});
        NTHRREQ = nt;
        const Solved2 s = solve2(vec({20.0, 0.5, -10.0}));
        ASSERT_TRUE(s.out);
        if (nt == 1) {
            F1 = F, S1 = s.out->U;
            EXPECT_NE(F(2), 0.0);
            continue;
        }
        EXPECT_EQ(std::memcmp(&F, &F1, sizeof F), 0) << nt;
        EXPECT_EQ(std::memcmp(&s.out->U, &S1, sizeof S1), 0) << nt;
    }
}

}  // namespace
}  // namespace zolan

namespace zolan {
namespace {

// The plane example runs end to end: both cases complete, Table L carries
// each case's load (3600 kN down; then 450 kN along Y, 2 m above the heads:
// a moment of -2 x 450 = -900 kN-m), the pile-top forces of the last case
// balance it (the sum over the rows of PMULT times the head forces, and
// their moments X G2 - Y G1 + M about the origin), and the reports are the
// same bytes for 1, 2 and 8 threads.
TEST(PlaneExample, RunsAndPrintsItsSolution) {
    const std::string source = test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/plane2d_si.in");
    std::map<std::string, std::string> first;
    for (int nt : {1, 2, 8}) {
        SCOPED_TRACE(nt);
        int rc = -1;
        std::map<std::string, std::string> out =
            test::files_on_threads(source, "plane2d_si.in", nt, {"results.txt", "summary.txt", "status.txt", "plotdata.txt"}, rc);
        ASSERT_EQ(rc, 0);
        if (nt == 1) {
            const std::vector<std::string> status = test::lines_of(out["status.txt"]);
            EXPECT_EQ(std::count(status.begin(), status.end(), "    1 ANALYSIS COMPLETED"), 2);
            const std::vector<std::string> res = test::lines_of(out["results.txt"]);
            for (const char* row : {"                     3600.00           0.00000           0.00000 ",
                                    "                     3600.00           450.000          -900.000 "})
                EXPECT_NE(std::find(res.begin(), res.end(), row), res.end()) << row;
            double F[3] = {};
            for (int r = 1; r <= NPILES; ++r) {
                const double g1 = RESCUR.top(r, 4), g2 = RESCUR.top(r, 5), m = RESCUR.top(r, 6);
                F[0] += PMULT(r) * g1;
                F[1] += PMULT(r) * g2;
                F[2] += PMULT(r) * (XTOP(r) * g2 - YTOP(r) * g1 + m);
            }
            EXPECT_NEAR(F[0], 3600.0, 1e-3);
            EXPECT_NEAR(F[1], 450.0, 1e-3);
            EXPECT_NEAR(F[2], -900.0, 1e-3);
            first = out;
            continue;
        }
        for (const auto& [name, text] : out) EXPECT_TRUE(text == first[name]) << name;
    }
}

}  // namespace
}  // namespace zolan
