// Three-dimensional cap solver and the pile-row sums on small groups whose
// piles answer linearly (elastic subgrade, straight axial and torque-rotation
// curves) or nonlinearly (soft clay): the solution against an independent
// direct stiffness solution, equilibrium, symmetry, rotation of the group,
// the load-step sequence, and the same bytes for any thread count.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "group/cap_solver3d.h"
#include "group/matrix_kernels.h"
#include "group/pile_row_loops.h"
#include "model/case_tables.h"
#include "model/curve_tables.h"
#include "pile/node_mesh.h"
#include "pile/pile_response.h"
#include "report/fortran_format.h"
#include "soil/py_curves.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

constexpr double PIH = 3.141592653589793 / 2;
// A stiff pile in stiff subgrade, so that the axial forces of the loads
// below soften the lateral response by less than 2 N / sqrt(ES EI) = 3e-7
// (N <= 15): the group is linear to that accuracy.
constexpr double EI = 1.0e12, ES = 1.0e4;  // rigidity of both planes, subgrade k b
constexpr double KA = 1.0e5, KT = 1.0e6;   // axial and torsional head stiffness of the straight curves
constexpr double L = 800.0;                // pile length, lambda L = 5.7

struct Head { double y, z, alpha, beta; };

// Pile rows in soil code `soil` (12 elastic subgrade, 1 soft clay), heads at
// X = 0 and (y, z), 100 increments, pinned heads (no head moment to be
// balanced by axial forces), linear axial and torque curves (the torque
// curve straight within 1e-4 rad).
void group(int soil, std::initializer_list<Head> heads) {
    test::reset_py_model();
    test::one_pile(1.0, L / 100, 100);
    for (int c : {SP_EI1, SP_EI2}) SECTAB(1, 1, SEC_TOP + c) = SECTAB(1, 1, SEC_BOT + c) = EI;
    test::soil_layer(1, soil, 0.0, 2.0 * L);
    test::layer_value(SCK, 1, ES);
    test::layer_value(SCGAM, 1, 0.01);
    // Soft clay of cohesion 1; code 12 reads the column as its limit of
    // stress transfer, which the deflections here stay far from.
    test::layer_value(SCCOH, 1, soil == 1 ? 1.0 : 1.0e6);
    test::layer_value(SCE50, 1, 0.02);
    test::layer_value(SCJ, 1, 0.5);
    NODESETUP();
    test::straight_head_curves(KA, KT);
    CORX(1) = XTOP(1) = 0.0;
    GROUND(1) = -1.0e-3;
    int r = 0;
    for (const Head& h : heads) {
        ++r;
        if (r > 1) test::copy_pile_row(1, r);
        CORY(r) = YTOP(r) = h.y, CORZ(r) = h.z;
        ALPHA(r) = h.alpha, BETA(r) = h.beta, THETA(r) = 0.0;
        BATANG(r) = PIH - h.beta;
        KCONN(r) = KCONNZ(r) = 1;
        PMULT(r) = AXFAC(r) = 1.0;
        ILSCRV(r) = ITRCRV(r) = 1;
        PFGRP(r) = YFGRP(r) = 1.0;
        PYFORM(IPROP(r), r, 0);
    }
    NPILES = r;
    // Controls of the case.
    MAXITC = 30, MAXITP = 100;
    TOLREL = 1e-10, TOLLLP = 1e-15;
    DTINIT = 1.0, DTCMIN = 0.01;
    NTHRREQ = 1;
}

// Head displacement of a pile at r = (0, y, z) for the cap displacement U,
// by hand: u + theta x r, the rotation unchanged. Its transpose carries the
// head force f to the origin: force f, moment m + r x f.
CAPVEC lever(const CAPVEC& U, double y, double z) {
    CAPVEC d = U;
    d(1) += U(5) * z - U(6) * y;
    d(2) += U(6) * 0.0 - U(4) * z;
    d(3) += U(4) * y - U(5) * 0.0;
    return d;
}
CAPVEC lever_t(const CAPVEC& f, double y, double z) {
    CAPVEC m = f;
    m(4) += y * f(3) - z * f(2);
    m(5) += z * f(1) - 0.0 * f(3);
    m(6) += 0.0 * f(2) - y * f(1);
    return m;
}

// Direct stiffness solution: the head matrices of PSTIFF at zero carried to
// the origin column by column with the hand lever, then K U = -P by Gaussian
// elimination with partial pivoting.
CAPVEC direct_solution(const CAPVEC& P) {
    double K[6][7] = {};
    auto w = std::make_unique<Llp3dWork>();
    RowReport rep;
    w->report = &rep;
    int istat = 0;
    CAPVEC zero;
    zero.fill(0.0);
    PileControls ctl = pile_controls(0, 1, 0);
    for (int p = 1; p <= NPILES; ++p) {
        const CAPMAT Kp = PSTIFF(ctl, p, zero, *w, istat);
        for (int j = 1; j <= 6; ++j) {
            CAPVEC e;
            e.fill(0.0);
            e(j) = 1.0;
            const CAPVEC d = lever(e, CORY(p), CORZ(p));
            CAPVEC f;
            for (int i = 1; i <= 6; ++i) {
                f(i) = 0.0;
                for (int k = 1; k <= 6; ++k) f(i) += Kp(i, k) * d(k);
            }
            const CAPVEC m = lever_t(f, CORY(p), CORZ(p));
            for (int i = 1; i <= 6; ++i) K[i - 1][j - 1] += m(i);
        }
    }
    EXPECT_EQ(istat, 0);
    for (int i = 0; i < 6; ++i) K[i][6] = -P(i + 1);
    for (int c = 0; c < 6; ++c) {
        int piv = c;
        for (int i = c + 1; i < 6; ++i)
            if (std::abs(K[i][c]) > std::abs(K[piv][c])) piv = i;
        for (int j = 0; j < 7; ++j) std::swap(K[c][j], K[piv][j]);
        for (int i = 0; i < 6; ++i) {
            if (i == c) continue;
            const double f = K[i][c] / K[c][c];
            for (int j = c; j < 7; ++j) K[i][j] -= f * K[c][j];
        }
    }
    CAPVEC U;
    for (int i = 1; i <= 6; ++i) U(i) = K[i - 1][6] / K[i - 1][i - 1];
    return U;
}

// Runs CAP3D on the load P and takes the stepping's outcome.
struct Solved {
    int istat = 0;
    std::optional<Cap3dOutcome> out;
};
Solved solve(const SolveRequest& req) {
    Solved s;
    group_services.result3d = [&](const SolveRequest& r, const Cap3dOutcome& o, int&) {
        s.out = o;
        return unanswered(r);
    };
    CAP3D(req, s.istat);
    group_services.result3d = nullptr;
    return s;
}
Solved solve(const CAPVEC& P) {
    SolveRequest req;
    req.load = P;
    return solve(req);
}

// Force of each pile on the cap at the origin for U, by hand levers.
CAPVEC pile_force(int p, const CAPVEC& U) {
    auto w = std::make_unique<Llp3dWork>();
    RowReport rep;
    w->report = &rep;
    int istat = 0;
    return PILE3D(pile_controls(0, 1, 0), p, lever(U, CORY(p), CORZ(p)), *w, istat);
}

void expect_close(const CAPVEC& a, const CAPVEC& b, double rel) {
    double st = 0.0, sr = 0.0;
    for (int i = 1; i <= 3; ++i) st = std::max(st, std::abs(b(i))), sr = std::max(sr, std::abs(b(i + 3)));
    for (int i = 1; i <= 6; ++i) EXPECT_NEAR(a(i), b(i), rel * (i <= 3 ? st : sr)) << i;
}

CAPVEC vec(double a, double b, double c, double d, double e, double f) {
    CAPVEC v;
    v(1) = a, v(2) = b, v(3) = c, v(4) = d, v(5) = e, v(6) = f;
    return v;
}

class CapSolver3d : public ::testing::Test {
protected:
    void TearDown() override { test::reset_py_model(); }
};

// A linear group of four piles, vertical and battered, under a six-component
// load: U matches the direct stiffness solution to 1e-6, and the pile
// forces, summed by hand about the origin, balance the load.
TEST_F(CapSolver3d, LinearGroupMatchesDirectStiffness) {
    struct Case { const char* name; double a1, b1, a2, b2; };
    const Case cases[] = {
        {"vertical", 0.0, PIH, 0.0, PIH},
        {"battered", 0.0, PIH - 0.25, PIH, PIH - 0.2},  // two rows batter along Y, two along Z
    };
    const CAPVEC P = vec(40.0, 3.0, -2.0, 50.0, 30.0, -40.0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        group(12, {{-30, -30, c.a1, c.b1}, {30, -30, c.a2, c.b2}, {-30, 30, c.a2 + PIH, c.b2}, {30, 30, c.a1, c.b1}});
        const CAPVEC ref = direct_solution(P);
        const Solved s = solve(P);
        ASSERT_EQ(s.istat, 0);
        ASSERT_TRUE(s.out.has_value());
        EXPECT_TRUE(s.out->converged);
        EXPECT_EQ(s.out->TCONV, 1.0);
        expect_close(s.out->U, ref, 1e-6);
        CAPVEC sum;
        sum.fill(0.0);
        for (int p = 1; p <= NPILES; ++p) {
            const CAPVEC m = lever_t(pile_force(p, s.out->U), CORY(p), CORZ(p));
            for (int i = 1; i <= 6; ++i) sum(i) += m(i);
        }
        for (int i = 1; i <= 6; ++i) EXPECT_NEAR(sum(i) + P(i), 0.0, 1e-6 * 50.0) << i;
    }
}

// The group turned by 90 degrees about X (Y to Z, Z to -Y) under the turned
// load gives the turned displacement; a group symmetric about Z = 0 under a
// load in that plane gives mirrored pile forces.
// A load case given at a point of definition. The displacements of a solved
// case given at the origin bring back the case's loads as the force on the
// cap; the loads given at a point (forces, and the moments about the point,
// M - r x F), with the load moved to the origin, give the ordinary solution.
TEST_F(CapSolver3d, PointOfDefinition) {
    group(12, {{-30, -30, 0.0, PIH}, {30, -30, 0.0, PIH}, {-30, 30, 0.0, PIH}, {30, 30, 0.0, PIH}});
    TOLREL = 1e-12;
    const CAPVEC P = vec(40.0, 3.0, -2.0, 50.0, 30.0, -40.0);
    const Solved ref = solve(P);
    ASSERT_TRUE(ref.out.has_value());
    ICASE = 1;
    LCPOD(1) = 1;
    SolveRequest disp;
    disp.load.fill(0.0);
    disp.PDDISP = ref.out->U;
    disp.PDFLAG.fill(0);
    const Solved d = solve(disp);
    ASSERT_EQ(d.istat, 0);
    ASSERT_TRUE(d.out.has_value() && d.out->converged && d.out->pod);
    expect_close(d.out->U, ref.out->U, 1e-9);
    expect_close(VNEG6(d.out->F), P, 1e-6);

    const double x = 5.0, y = 10.0, z = -20.0;
    SolveRequest load;
    load.load = P;
    load.PDXYZ = vec(x, y, z, 0, 0, 0);
    load.PDFLAG.fill(1);
    load.PDFORC = vec(P(1), P(2), P(3), P(4) - (y * P(3) - z * P(2)), P(5) - (z * P(1) - x * P(3)),
                      P(6) - (x * P(2) - y * P(1)));
    const Solved l = solve(load);
    ASSERT_EQ(l.istat, 0);
    ASSERT_TRUE(l.out.has_value() && l.out->converged);
    expect_close(l.out->U, ref.out->U, 1e-9);
}

// An embedded cap 30 thick with the ground line 20 above the pile heads, on
// soft clay: the passive block resists the lateral load. At the solution the
// pile forces and the cap's force together balance the load; the cap's
// force opposes the Y displacement, its reported magnitudes are those of the
// force, and the position is the X of its line of action (within the
// triangle's reach above the heads).
TEST_F(CapSolver3d, EmbeddedCapPassiveBlock) {
    group(1, {{-30, -30, 0.0, PIH}, {30, -30, 0.0, PIH}, {-30, 30, 0.0, PIH}, {30, 30, 0.0, PIH}});
    for (int r = 1; r <= NPILES; ++r) GROUND(r) = -20.0;
    KCAPOP = 1, KCAPLD = 0;
    CAPTHK = 30.0, CAPWID = 60.0;
    const CAPVEC P = vec(10.0, 20.0, 0.0, 0.0, 0.0, 0.0);
    const Solved s = solve(P);
    ASSERT_EQ(s.istat, 0);
    ASSERT_TRUE(s.out.has_value());
    const Cap3dOutcome& o = *s.out;
    ASSERT_TRUE(o.converged);
    EXPECT_GT(o.U(2), 0.0);
    EXPECT_LT(o.Fcap(2), 0.0);
    EXPECT_EQ(o.fp2, std::abs(o.Fcap(2)));
    EXPECT_EQ(o.fp3, 0.0);
    EXPECT_NEAR(o.fppos, o.Fcap(6) / o.Fcap(2), 1e-12);
    EXPECT_LT(o.fppos, 0.0);
    EXPECT_GT(o.fppos, -20.0);
    CAPVEC sum = o.Fcap;
    for (int p = 1; p <= NPILES; ++p) {
        const CAPVEC m = lever_t(pile_force(p, o.U), CORY(p), CORZ(p));
        for (int i = 1; i <= 6; ++i) sum(i) += m(i);
    }
    for (int i = 1; i <= 6; ++i) EXPECT_NEAR(sum(i) + P(i), 0.0, 1e-6 * 20.0) << i;
}

// The same cap as a pseudo-pile on elastic subgrade springs (two
// increments from the cap top at X = -30 to the heads): the solve converges
// and the pile forces with the pseudo-pile's force balance the load, which
// the pseudo-pile resists against the Y displacement.
TEST_F(CapSolver3d, EmbeddedCapPseudoPile) {
    group(12, {{-30, -30, 0.0, PIH}, {30, -30, 0.0, PIH}, {-30, 30, 0.0, PIH}, {30, 30, 0.0, PIH}});
    LAYTOP(1) = -40.0;
    KCAPOP = 2, KCAPLD = 1, NCAPINC = 2;
    CAPTHK = CPPTHK = 30.0, CAPWID = 60.0;
    const int c = NPILES + 1;
    CORX(c) = XTOP(c) = CPPTOP = -30.0;
    BETA(c) = PIH;
    PMULT(c) = PFGRP(c) = YFGRP(c) = 1.0;
    GROUND(c) = LAYTOP(1) - CPPTOP;
    const CAPVEC P = vec(10.0, 20.0, 0.0, 0.0, 0.0, 0.0);
    const Solved s = solve(P);
    ASSERT_EQ(s.istat, 0);
    ASSERT_TRUE(s.out.has_value() && s.out->converged);
    const Cap3dOutcome& o = *s.out;
    EXPECT_GT(o.U(2), 0.0);
    EXPECT_LT(o.Fcap(2), 0.0);
    CAPVEC sum = o.Fcap;
    for (int p = 1; p <= NPILES; ++p) {
        const CAPVEC m = lever_t(pile_force(p, o.U), CORY(p), CORZ(p));
        for (int i = 1; i <= 6; ++i) sum(i) += m(i);
    }
    for (int i = 1; i <= 6; ++i) EXPECT_NEAR(sum(i) + P(i), 0.0, 1e-6 * 20.0) << i;
}

TEST_F(CapSolver3d, RotatedAndSymmetricGroups) {
    const CAPVEC P = vec(30.0, 2.0, 1.5, 40.0, 25.0, -30.0);
    const auto turn = [](const CAPVEC& v) { return vec(v(1), -v(3), v(2), v(4), -v(6), v(5)); };
    group(12, {{-20, -30, 0, PIH}, {40, -10, 0, PIH}, {-10, 35, 0, PIH}, {25, 20, 0, PIH}});
    const Solved a = solve(P);
    group(12, {{30, -20, 0, PIH}, {10, 40, 0, PIH}, {-35, -10, 0, PIH}, {-20, 25, 0, PIH}});
    const Solved b = solve(turn(P));
    ASSERT_TRUE(a.out && b.out);
    expect_close(b.out->U, turn(a.out->U), 1e-6);

    group(12, {{-30, -30, 0, PIH}, {30, -30, 0, PIH}, {-30, 30, 0, PIH}, {30, 30, 0, PIH}});
    const Solved s = solve(vec(20.0, 3.0, 0.0, 0.0, 0.0, -20.0));
    ASSERT_TRUE(s.out);
    for (const auto& [p, q] : {std::pair{1, 3}, std::pair{2, 4}}) {
        const CAPVEC fp = pile_force(p, s.out->U), fq = pile_force(q, s.out->U);
        for (int i = 1; i <= 6; ++i) {
            const double mirror = (i == 3 || i == 4 || i == 5) ? -1.0 : 1.0;
            EXPECT_NEAR(fq(i), mirror * fp(i), 1e-8 * (1.0 + std::abs(fp(i)))) << p << "," << q << ": " << i;
        }
    }
}

// A symmetric group of four vertical piles in soft clay under a purely
// vertical load, with the tolerances of an ordinary input: by symmetry the
// cap only settles. Soft clay's resistance grows as the cube root of the
// deflection, so its slope is unbounded at zero and a Newton iteration
// magnifies any lateral rounding seed into a lateral wander that never
// settles below the tolerance; a vertical pile's axes are exact, so no seed
// is born, every step converges within a few iterations and the lateral
// displacements and rotations stay exactly zero.
TEST_F(CapSolver3d, SymmetricGroupSettlesWithoutLateralWander) {
    group(1, {{-30, -30, 0, PIH}, {30, -30, 0, PIH}, {-30, 30, 0, PIH}, {30, 30, 0, PIH}});
    TOLREL = static_cast<double>(1e-5f), DTINIT = 0.25, MAXITC = 100;
    const Solved s = solve(vec(2.0e5, 0.0, 0.0, 0.0, 0.0, 0.0));
    ASSERT_TRUE(s.out);
    EXPECT_EQ(s.istat, 0);
    EXPECT_TRUE(s.out->converged);
    EXPECT_EQ(s.out->nstep, 4);
    EXPECT_LE(s.out->niter, 4);
    EXPECT_NEAR(s.out->U(1), 2.0e5 / 4 / KA, 1e-9);
    for (int i = 2; i <= 6; ++i) EXPECT_EQ(s.out->U(i), 0.0) << i;
}

// User p-y set 1 for the square group's layer of code 5: the curves of a
// firm clay under a 24 in pile, p rising with the cube root of y to its
// ultimate value at 8 y50 (y50 = 0.24 in) and holding beyond; pu 600 lb/in
// at the ground and 6000 lb/in at 20 ft, the same below.
void user_py_set() {
    const double depth[] = {0.0, 240.0}, pu[] = {600.0, 6000.0};
    const double ys[] = {0.0, 0.024, 0.12, 0.48, 1.2, 1.92, 24.0};
    for (int j = 1; j <= 2; ++j) {
        UPYDEP(1, j) = depth[j - 1];
        for (int k = 1; k <= 7; ++k) {
            const double y = ys[k - 1];
            UPYY(1, j, k) = y;
            UPYP(1, j, k) = pu[j - 1] * std::min(1.0, 0.5 * std::cbrt(y / 0.24));
        }
        UPYNPT(1, j) = 7;
    }
    UPYNCV(1) = 2;
}

// The load steps: the targets are running sums of the increment, the last
// step clipped to exactly 1; a failed step halves the increment and lowers
// the target, and the stepping gives up when the half is below the minimum.
// A square group (side n, 4 x 4 by default) of 24 in pipes 72 in apart (50 increments of 12 in, EI
// 1e10, fixed heads, straight axial and torque curves) in one layer of soil
// code `code` (clays c = 3.47 psi, e50 0.01; sands and silt phi 35 deg,
// k 90 pci; vuggy limestone qu 500 psi; weak rock qu 1000 psi, Er 1e5 psi,
// krm 0.0005, RQD 50 %; the user curves above).
void square_group(int code, int n = 4) {
    test::reset_py_model();
    test::one_pile(24.0, 12.0, 50);
    for (int c : {SP_EI1, SP_EI2}) SECTAB(1, 1, SEC_TOP + c) = SECTAB(1, 1, SEC_BOT + c) = 1.0e10;
    test::soil_layer(1, code, 0.0, 1200.0);
    const bool sand = code == 4 || code == 7 || code == 8 || code == 11;
    test::layer_value(SCGAM, 1, 50.0 / 1728);
    test::layer_value(SCCOH, 1, sand ? (code == 7 ? 1.0 : 0.0) : (code == 6 ? 500.0 : 3.47));
    test::layer_value(SCE50, 1, 0.01);
    test::layer_value(SCJ, 1, 0.5);
    test::layer_value(SCPHI, 1, sand ? 35.0 * PIH / 90.0 : 0.0);
    test::layer_value(SCK, 1, sand ? 90.0 : 100.0);
    if (code == 9) {
        test::layer_value(SCCOH, 1, 1000.0);
        test::layer_value(SCROCK, 1, 1.0e5);
        test::layer_value(SCE50, 1, 0.0005);
        test::layer_value(SCJ, 1, 50.0);
    }
    if (code == 5) user_py_set();
    NODESETUP();
    test::straight_head_curves(2.0e5, 1.0e7);
    CORX(1) = XTOP(1) = 0.0;
    GROUND(1) = -1.0e-3;
    for (int r = 1; r <= n * n; ++r) {
        if (r > 1) test::copy_pile_row(1, r);
        CORY(r) = YTOP(r) = 72.0 * ((r - 1) % n - (n - 1) / 2.0), CORZ(r) = 72.0 * ((r - 1) / n - (n - 1) / 2.0);
        ALPHA(r) = THETA(r) = 0.0, BETA(r) = PIH, BATANG(r) = 0.0;
        KCONN(r) = KCONNZ(r) = 2;
        PMULT(r) = AXFAC(r) = 1.0;
        ILSCRV(r) = ITRCRV(r) = 1;
        PFGRP(r) = YFGRP(r) = 1.0;
        IPYSET(r) = code == 5 ? -1 : 0;
        PYFORM(IPROP(r), r, 0);
    }
    NPILES = n * n;
    MAXITC = 30, MAXITP = 200;
    TOLREL = 1e-5, TOLLLP = 1e-5;
    DTINIT = 0.25, DTCMIN = 0.01;
    NTHRREQ = 1;
}

// Sixteen piles in each soil code converge to the full load under a
// vertical load, a lateral load at 45 degrees and an overturning moment;
// under the vertical load in clay the cap turns by round-off alone, and its
// rotation counts as converged once it moves no head by more than the
// translations' tolerance.
TEST_F(CapSolver3d, SixteenPilesInEachSoilCodeConverge) {
    const CAPVEC loads[] = {vec(16 * 2.0e4, 0, 0, 0, 0, 0), vec(0, 16 * 2.0e3, 16 * 2.0e3, 0, 0, 0),
                            vec(16 * 1.0e4, 0, 0, 0, 2.0e6, -2.0e6)};
    for (int code = 1; code <= 13; ++code) {
        for (const CAPVEC& P : loads) {
            square_group(code);
            const Solved s = solve(P);
            ASSERT_EQ(s.istat, 0) << "code " << code;
            ASSERT_TRUE(s.out.has_value()) << "code " << code;
            EXPECT_TRUE(s.out->converged) << "code " << code << " load " << P(1) << " " << P(2) << " " << P(5)
                                          << ": " << 100.0 * s.out->TCONV << " %, error word " << s.out->KERR << ", iterations " << s.out->niter;
        }
    }
}

// Sixty-four piles in soft clay over the same loads per pile.
TEST_F(CapSolver3d, SixtyFourPilesConverge) {
    const CAPVEC loads[] = {vec(64 * 2.0e4, 0, 0, 0, 0, 0), vec(0, 64 * 2.0e3, 64 * 2.0e3, 0, 0, 0),
                            vec(64 * 1.0e4, 0, 0, 0, 8.0e6, -8.0e6)};
    for (const CAPVEC& P : loads) {
        square_group(1, 8);
        const Solved s = solve(P);
        ASSERT_EQ(s.istat, 0);
        ASSERT_TRUE(s.out.has_value());
        EXPECT_TRUE(s.out->converged) << P(1) << " " << P(2) << " " << P(5) << ": " << 100.0 * s.out->TCONV << " %";
    }
}

TEST(LoadSteps, SequenceOfTargets) {
    struct Case { double dt, dtmin; double fail_at; int steps; double tconv; const char* percent; };
    const Case cases[] = {
        // 0.1 summed ten times is 0.9999999999999999 < 1: an eleventh step at exactly 1.
        {0.1, 0.01, -1.0, 11, 1.0, "  100.00"},
        {1.0, 0.01, -1.0, 1, 1.0, "  100.00"},
        {0.25, 0.01, -1.0, 4, 1.0, "  100.00"},
        // 0.2, 0.4 converge; 0.6000000000000001 fails, 0.1 < 0.15: 40 % reached.
        {0.2, 0.15, 0.55, 3, 0.4, "   40.00"},
        // 0.6 fails, retried at 0.4 + 0.1 and 0.6, 0.7, ... with 0.1: steps 1, 2, 3(retry 0.5), 4 (0.6) fails
        // again (half 0.05 < 0.06): 50 % reached.
        {0.2, 0.06, 0.55, 4, 0.5, "   50.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dt);
        StepControl s;
        s.dt = c.dt, s.t = c.dt;
        int step = 0;
        bool on = true;
        while (on) {
            ++step;
            const double tcur = s.t;
            const bool ok = c.fail_at < 0.0 || tcur < c.fail_at;
            on = next_step(s, tcur, ok, c.dtmin);
            if (!ok && on) --step;
        }
        EXPECT_EQ(step, c.steps);
        EXPECT_NEAR(s.tconv, c.tconv, 1e-15);
        if (c.tconv == 1.0) {
            EXPECT_EQ(s.tconv, 1.0);
        }
        const fmt::Item pct[] = {load_percent(s.tconv)};
        EXPECT_EQ(fmt::format_to_string("(F8.2)", pct), c.percent);
    }
}

// Through the solver: a vertical load beyond the capacity of the four
// straight axial curves (4 x 1e5, the end value holding beyond them) with
// increments of 0.2 and a minimum of 0.15: the steps at 0.2 and 0.4 converge
// (0.8 KA-curve of each pile at 0.4: 8e5 0.4 / 4 = 8e4 < 1e5), the step at
// 0.6 asks 1.2e5 per pile and cannot converge, its half 0.1 is below the
// minimum: the result pass gets 40 % and the displacement of the step at
// 0.4, U(1) = 8e4 / KA = 0.8.
TEST_F(CapSolver3d, OverloadStopsAtTheLastConvergedStep) {
    group(12, {{-30, -30, 0, PIH}, {30, -30, 0, PIH}, {-30, 30, 0, PIH}, {30, 30, 0, PIH}});
    DTINIT = 0.2, DTCMIN = 0.15, MAXITC = 10;
    const Solved s = solve(vec(8.0e5, 0.0, 0.0, 0.0, 0.0, 0.0));
    ASSERT_EQ(s.istat, 0);
    ASSERT_TRUE(s.out);
    EXPECT_FALSE(s.out->converged);
    EXPECT_EQ(s.out->nconv, 2);
    EXPECT_EQ(s.out->nstep, 3);
    EXPECT_NEAR(s.out->TCONV, 0.4, 1e-15);
    EXPECT_EQ(TCUR, s.out->TCONV);
    const fmt::Item pct[] = {load_percent(s.out->TCONV)};
    EXPECT_EQ(fmt::format_to_string("(F8.2)", pct), "   40.00");
    EXPECT_NEAR(s.out->U(1), 0.8, 1e-6);
}

// The pile-row sums of a nonlinear group (soft clay, eight rows) are the
// same bytes on 1, 2 and 8 threads.
TEST_F(CapSolver3d, RowSumsSameBytesForAnyThreadCount) {
    group(1, {{-30, -30, 0, PIH}, {30, -30, 0, PIH - 0.2}, {-30, 30, 0, PIH}, {30, 30, PIH, PIH - 0.2},
              {-60, 0, 0, PIH}, {60, 0, 0, PIH}, {0, -60, 0, PIH}, {0, 60, 0.3, PIH - 0.1}});
    const CAPVEC U = vec(0.01, 0.3, -0.2, 1e-5, 2e-4, -3e-4);
    CAPVEC F1;
    CAPMAT K1;
    for (int nt : {1, 2, 8}) {
        NTHRREQ = nt;
        int istat = 0;
        const CAPVEC F = FVEC(pile_controls(0, 1, 0), U, istat);
        const CAPMAT K = STIFF(pile_controls(0, 1, 0), U, istat);
        ASSERT_EQ(istat, 0);
        if (nt == 1) {
            F1 = F, K1 = K;
            EXPECT_NE(F(2), 0.0);
            continue;
        }
        EXPECT_EQ(std::memcmp(&F, &F1, sizeof F), 0) << nt;
        EXPECT_EQ(std::memcmp(&K, &K1, sizeof K), 0) << nt;
    }
}

// The thread-count rule: the processors less two above three, less one for
// two or three; a request caps at the processors; never above the rows, at
// least one; the two-thread limit of the writers.
TEST(ThreadCount, Rule) {
    struct Case { int request, nproc, rows, limit, n; };
    const Case cases[] = {
        {0, 1, 100, 0, 1}, {0, 2, 100, 0, 1}, {0, 3, 100, 0, 2}, {0, 4, 100, 0, 2}, {0, 8, 100, 0, 6},
        {0, 16, 100, 0, 14}, {4, 2, 100, 0, 2}, {4, 8, 100, 0, 4}, {8, 4, 100, 0, 4}, {8, 16, 100, 0, 8},
        {0, 16, 3, 0, 3}, {0, 8, 100, 1, 2}, {0, 8, 0, 0, 1}, {-2, 8, 100, 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(thread_count(c.request, c.nproc, c.rows, c.limit), c.n)
            << c.request << " " << c.nproc << " " << c.rows << " " << c.limit;
}

}  // namespace
}  // namespace zolan
