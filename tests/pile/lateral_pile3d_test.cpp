// Three-dimensional lateral pile solution (LLP3D) and its finite-difference
// kernel against closed-form beam solutions, its closure rules and the
// records of its print pass.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>
#include <memory>

#include "model/case_tables.h"
#include "model/result_tables.h"
#include "model/stiffness_tables.h"
#include "pile/lateral_pile3d.h"
#include "support/beam_column.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

using test::layer_value;
using test::soil_layer;

constexpr double EI = 1.0e4;  // flexural rigidity of both planes
constexpr double ES = 50.0;   // elastic subgrade k b (soil code 12, b = 1)

// Pile row 1, vertical, head just below the ground line (a node exactly at
// the ground line takes no soil), nincr increments over
// length L, uniform EI in both planes and diameter 1, one layer of elastic
// subgrade (soil code 12) of modulus ES without stress limit.
void elastic_pile(double L, int nincr) {
    test::reset_py_model();
    test::one_pile(1.0, L / nincr, nincr);
    for (int c : {SP_EI1, SP_EI2}) SECTAB(1, 1, SEC_TOP + c) = SECTAB(1, 1, SEC_BOT + c) = EI;
    for (int c : {SP_ARE, SP_IN1, SP_IN2}) SECTAB(1, 1, SEC_TOP + c) = SECTAB(1, 1, SEC_BOT + c) = 1.0;
    soil_layer(1, 12, 0.0, 2.0 * L);
    layer_value(SCK, 1, ES);
    layer_value(SCGAM, 1, 0.01);
    test::nodes_by_depth();
    GROUND(1) = -1.0e-3;
    ALPHA(1) = 0.0;
    BETA(1) = 3.141592653589793 / 2;
    THETA(1) = 0.0;
    KCONN(1) = KCONNZ(1) = 1;
}

LateralControls controls(int kflag = 0) {
    LateralControls c;
    c.kflag = kflag;
    c.maxitp = 50;
    c.tollp = 1.0e-12;
    return c;
}

using test::Exact;
Exact beam_column(double L, double k, double P, bool pinned, double y0, double theta) {
    return test::beam_column(EI, L, k, P, pinned, y0, theta);
}

class LateralPile3D : public ::testing::Test {
protected:
    void TearDown() override { test::reset_py_model(); }
    std::unique_ptr<Llp3dWork> w = std::make_unique<Llp3dWork>();
    RowReport rep;
    int istat = 0;

    // One solve of row 1 with the head values of one bending plane
    // (plane 1: y, plane 2: z); returns that plane's force and moment.
    Exact solve(int plane, double v0, double r, double P0 = 0.0, const LateralControls& ctl = controls()) {
        w->pile = 1;
        w->report = &rep;
        w->yh = plane == 1 ? v0 : 0.0;
        w->ry = plane == 1 ? r : 0.0;
        w->zh = plane == 2 ? v0 : 0.0;
        w->rz = plane == 2 ? r : 0.0;
        w->P0 = P0;
        LLP3D(ctl, *w, istat);
        EXPECT_EQ(istat, 0);
        return plane == 1 ? Exact{w->Fy, w->Ky} : Exact{w->Fz, w->Kz};
    }
};

// A long elastic pile (lambda L = 7.5) at 100 increments gives the head force
// and moment of the semi-infinite beam on an elastic foundation within 0.5 %
// in either plane, for free, fixed, moment-loaded and spring-restrained heads.
TEST_F(LateralPile3D, LongElasticPileMatchesSemiInfiniteBeam) {
    // lambda = (ES / (4 EI))^(1/4) = 0.00125^(1/4) = 0.188030; with
    // y = e^(-lambda x) (A cos + B sin): y(0) = A, y'(0) = lambda (B - A),
    // F = 2 EI lambda^3 (A + B), M = -EI y''(0) = 2 EI lambda^2 B.
    const double lam = std::pow(ES / (4 * EI), 0.25), A = 0.01;
    const double f = 2 * EI * lam * lam * lam * A, m = 2 * EI * lam * lam * A;  // 1.32946, 7.07106
    struct Case { const char* name; int code; double spring, r, F, M; };
    const Case cases[] = {
        {"free head under load (B = 0)", 1, 0.0, 0.0, f, 0.0},
        {"fixed head under load (B = A)", 2, 0.0, 0.0, 2 * f, m},
        // pure head moment: F = 0, B = -A, head rotation -y'(0) = 2 lambda A
        {"head moment alone (B = -A)", 2, 0.0, 2 * lam * A, 0.0, -m},
        // spring k = 4 EI lambda, r = 0: the head moment M = -k (r + y'(0)),
        // 2 EI lambda^2 B = -k lambda (B - A), gives B = 2 A / 3
        {"spring head (B = 2 A / 3)", 3, 4 * EI * lam, 0.0, 5 * f / 3, 2 * m / 3},
    };
    elastic_pile(40.0, 100);
    for (const Case& c : cases) {
        for (int plane : {1, 2}) {
            SCOPED_TRACE(std::string(c.name) + (plane == 1 ? ", y-plane" : ", z-plane"));
            KCONN(1) = KCONNZ(1) = c.code;
            SPRZ(1) = SPRY(1) = c.spring;
            const Exact got = solve(plane, A, c.r);
            EXPECT_NEAR(got.F, c.F, 0.005 * f);
            EXPECT_NEAR(got.M, c.M, 0.005 * m);
            const Exact other = plane == 1 ? Exact{w->Fz, w->Kz} : Exact{w->Fy, w->Ky};
            EXPECT_EQ(other.F, 0.0);
            EXPECT_EQ(other.M, 0.0);
        }
    }
}

// A short pile (lambda L = 1.88) and a long pile under axial compression
// agree within 0.5 % with the exact finite beam-column on an elastic
// foundation with a free tip.
TEST_F(LateralPile3D, FiniteBeamAndBeamColumnMatchExactSolution) {
    struct Case { double L, P; bool pinned; double theta; };
    // P = 400 is 0.28 of the buckling load 2 sqrt(k EI) = 1414.2 of the
    // infinite beam; theta = y'(0), the rotation passed is -theta.
    const Case cases[] = {
        {10.0, 0.0, true, 0.0}, {10.0, 0.0, false, 0.0}, {10.0, 0.0, false, 0.004},
        {40.0, 400.0, true, 0.0}, {40.0, 400.0, false, 0.0}, {10.0, 400.0, false, -0.002},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("L " + std::to_string(c.L) + ", P " + std::to_string(c.P) + (c.pinned ? ", pinned" : ", fixed"));
        elastic_pile(c.L, 100);
        KCONN(1) = c.pinned ? 1 : 2;
        const Exact ex = beam_column(c.L, ES, c.P, c.pinned, 0.01, c.theta);
        const Exact got = solve(1, 0.01, -c.theta, c.P);
        const double fs = std::max(std::abs(ex.F), 1e-3), ms = std::max(std::abs(ex.M), 1e-2);
        EXPECT_NEAR(got.F, ex.F, 0.005 * fs);
        EXPECT_NEAR(got.M, ex.M, 0.005 * ms);
    }
}

// Closure: zero head values close on the second solve with zero outputs; an
// iteration limit of 1 never closes, writes the warning, sets the error word
// and leaves the outputs as they were.
TEST_F(LateralPile3D, ClosureAndItsWarning) {
    elastic_pile(40.0, 100);
    KCONN(1) = KCONNZ(1) = 2;
    w->Fy = w->Fz = w->Ky = w->Kz = 7.0;
    solve(1, 0.0, 0.0);
    EXPECT_EQ(w->solves, 2);
    EXPECT_EQ(rep.kerr, 0);
    EXPECT_TRUE(rep.empty());
    for (double v : {w->Fy, w->Fz, w->Ky, w->Kz}) EXPECT_EQ(v, 0.0);

    LateralControls one = controls();
    one.maxitp = 1;
    w->Fy = w->Fz = w->Ky = w->Kz = 7.0;
    const test::RunText out = test::run_files({RUNFILE}, [&] {
        solve(1, 0.01, 0.0, 0.0, one);
        rep.replay();
    });
    EXPECT_EQ(rep.kerr, 1);
    for (double v : {w->Fy, w->Fz, w->Ky, w->Kz}) EXPECT_EQ(v, 7.0);
    const std::vector<std::string> expect = {
        "", "", "     ** WARNING **  NO CLOSURE OF A LLP AFTER     1  ITERATIONS          PILE GROUP    1"};
    EXPECT_EQ(out.run, expect);
}

// Print pass of a vertical pile (pile axes are global axes): the global and
// local slots of the pile-top record agree, the moment column carries
// EI v'' (negative at a fixed head pushed along +y: -2 EI lambda^2 y0), and
// the axial columns hold the axial solution only with the axial variation on
// and a generated load-settlement curve; a combination stores the moment
// demand over the capacity and its reduction factor, a load case none.
TEST_F(LateralPile3D, PrintPassRecordsOfAVerticalPile) {
    struct Case { int kaxvar, ilscrv; bool axial; int icomb; };
    const Case cases[] = {{0, -1, false, 0}, {1, -1, true, 0}, {1, 1, false, 0}, {0, -1, false, 2}};
    const double lam = std::pow(ES / (4 * EI), 0.25), y0 = 0.01, P0 = 100.0;
    for (const Case& c : cases) {
        SCOPED_TRACE("KAXVAR " + std::to_string(c.kaxvar) + ", ILSCRV " + std::to_string(c.ilscrv));
        elastic_pile(40.0, 100);
        size_result_sets(1);
        KCONN(1) = KCONNZ(1) = 2;
        ILSCRV(1) = c.ilscrv;
        SECTAB(1, 1, SEC_TOP + SP_MN) = SECTAB(1, 1, SEC_BOT + SP_MN) = 1.0e3;
        LateralControls ctl = controls(1);
        ctl.kaxvar = c.kaxvar;
        ctl.icomb = c.icomb;
        ctl.dcfmom = 0.5;
        for (int r = 1; r <= 6; ++r)
            for (int q = 1; q <= 6; ++q) w->R(r, q) = r == q ? 1.0 : 0.0;
        w->hd.fill(0.0);
        w->hd(1) = 0.002, w->hd(2) = y0;
        w->T0 = 0.0;
        for (int i = 1; i <= MAXNOD; ++i) w->ua.slot(i) = 0.001 * i, w->Pa.slot(i) = P0;
        solve(1, y0, 0.0, P0, ctl);
        for (int s = 1; s <= 12; ++s) EXPECT_EQ(RESCUR.top(1, s), RESCUR.top(1, s + 13)) << "slot " << s;
        EXPECT_EQ(RESCUR.top(1, 21), w->Fy);
        EXPECT_EQ(RESCUR.top(1, 25), w->Ky);
        const double m = 2 * EI * lam * lam * y0;  // head moment of the fixed head, 7.07106
        EXPECT_NEAR(RESCUR.eff(1, 4, 9), -m, 0.005 * m);
        // demand/capacity at the head: |M| / Mn / DCFMOM = 7.07106 / 1000 / 0.5
        EXPECT_NEAR(RESCUR.eff(1, 4, 24), c.icomb ? m / 1e3 / 0.5 : 0.0, 0.005 * m / 1e3 / 0.5);
        for (int i = 4; i <= 104; ++i) {
            for (int q : {1, 2, 3})  // the turn by exact angles leaves rounding of 1e-16 of the other components
                EXPECT_NEAR(RESCUR.eff(1, i, q), RESCUR.eff(1, i, q + 4), 1e-14) << "column " << q;
            EXPECT_EQ(RESCUR.eff(1, i, 1), c.axial ? 0.001 * i : 0.0);
            EXPECT_EQ(RESCUR.eff(1, i, 18), P0);
            if (c.icomb == 0) {
                EXPECT_EQ(RESCUR.eff(1, i, 24), 0.0);
            }
        }
    }
}

// The along-pile shear at the head is the head's lateral reaction: a free-head
// elastic pile pushed so that its head force is 10,000 reads 10,000 at x = 0
// in its plane (the forward difference of the moments would read about 7 %
// less: h p(4) / 2 = 0.4 x 50 y0 / 2 = 10 y0 against F = 2 EI lambda^3 y0 =
// 132.9 y0), and the rows below keep the central difference of the moments.
TEST_F(LateralPile3D, HeadShearIsTheHeadForce) {
    const double lam = std::pow(ES / (4 * EI), 0.25);
    for (int plane : {1, 2}) {
        SCOPED_TRACE(plane == 1 ? "y-plane" : "z-plane");
        elastic_pile(40.0, 100);
        size_result_sets(1);
        for (int r = 1; r <= 6; ++r)
            for (int q = 1; q <= 6; ++q) w->R(r, q) = r == q ? 1.0 : 0.0;
        w->hd.fill(0.0);
        w->T0 = 0.0;
        // The pile is linear: the head displacement that gives 10,000 from
        // the force of a unit solve.
        const double f1 = solve(plane, 1.0, 0.0).F;
        EXPECT_NEAR(f1, 2 * EI * lam * lam * lam, 0.005 * f1);
        const Exact got = solve(plane, 1.0e4 / f1, 0.0, 0.0, controls(1));
        const int q = plane == 1 ? 12 : 13;
        EXPECT_NEAR(RESCUR.eff(1, 4, q), 1.0e4, 1e-8);
        EXPECT_EQ(RESCUR.eff(1, 4, q), got.F);
        const LateralPlane& pl = plane == 1 ? w->ypl : w->zpl;
        EXPECT_LT(pl.M.slot(4), 1e-9);  // free head
        const double central = -(pl.M.slot(6) - pl.M.slot(4)) / (2 * 0.4);
        EXPECT_DOUBLE_EQ(RESCUR.eff(1, 5, q), central);
    }
}

// Equivalent-stiffness pass: every node below the ground line of the elastic
// soil stores p / y = ES in its plane, the head the axial force over the
// axial head displacement and the increment length.
TEST_F(LateralPile3D, EquivalentStiffnessPass) {
    elastic_pile(40.0, 100);
    KCONN(1) = KCONNZ(1) = 1;
    w->hd.fill(0.0);
    w->hd(1) = 0.004;
    w->T0 = 0.0;
    solve(1, 0.01, 0.0, 200.0, controls(2));
    EXPECT_EQ(EQKTOP(1, 1), 200.0);
    EXPECT_EQ(EQKTOP(1, 2), 200.0 / 0.004);
    EXPECT_EQ(EQKTOP(1, 3), 0.0);  // no twist and no torque-rotation curve
    EXPECT_EQ(EQKTOP(1, 4), 0.4);
    for (int i = 4; i <= 104; ++i) {
        EXPECT_DOUBLE_EQ(EQKNODE(1, i, 1), (i - 4) * 0.4);
        if (std::abs(w->ypl.v.slot(i)) > 1e-10) {
            EXPECT_NEAR(EQKNODE(1, i, 2), ES, 1e-9 * ES) << "slot " << i;
        }
        EXPECT_EQ(EQKNODE(1, i, 3), 0.0);
    }
}

// Sections that would divide by zero stay finite with a warning of the print
// pass: no rigidity in the y-plane (the head node's half reaction alone
// carries the head force), no area or inertia (no stress term), a zero
// reduction factor (1.0 taken) and a z-plane head spring -2 EI / h that
// cancels the head row (the pinned head taken: no head moment).
TEST_F(LateralPile3D, DegenerateSectionsStayFinite) {
    elastic_pile(40.0, 100);
    size_result_sets(1);
    for (int c : {SP_EI1, SP_ARE, SP_IN1, SP_IN2}) SECTAB(1, 1, SEC_TOP + c) = SECTAB(1, 1, SEC_BOT + c) = 0.0;
    SECTAB(1, 1, SEC_TOP + SP_MN) = SECTAB(1, 1, SEC_BOT + SP_MN) = 1.0e3;
    KCONN(1) = 2;
    KCONNZ(1) = 3;
    SPRY(1) = -2.0 * EI / 0.4;
    LateralControls ctl = controls(1);
    ctl.icomb = 1;
    ctl.dcfmom = 0.0;
    for (int r = 1; r <= 6; ++r)
        for (int q = 1; q <= 6; ++q) w->R(r, q) = r == q ? 1.0 : 0.0;
    w->hd.fill(0.0);
    w->zh = 0.01;
    const test::RunText out = test::run_files({RUNFILE}, [&] {
        w->pile = 1;
        w->report = &rep;
        w->yh = 0.01;
        LLP3D(ctl, *w, istat);
        rep.replay();
    });
    ASSERT_EQ(istat, 0);
    // y-plane: v = 0 below the head (c = Es h^4, f = 0), Fy = h Es y0 / 2 = 0.4 50 0.01 / 2 = 0.1
    EXPECT_NEAR(w->Fy, 0.1, 1e-12);
    EXPECT_EQ(w->Ky, 0.0);
    EXPECT_EQ(w->Kz, 0.0);
    for (int i = 4; i <= 104; ++i)
        for (int q = 1; q <= MAXNQ; ++q) EXPECT_TRUE(std::isfinite(RESCUR.eff(1, i, q))) << i << "," << q;
    const std::vector<std::string> expect = {
        "", "     ** WARNING **  NON-POSITIVE FLEXURAL RIGIDITY TAKEN AS 0          PILE GROUP    1",
        "", "     ** WARNING **  HEAD SPRING CANCELS THE HEAD RIGIDITY: PINNED HEAD TAKEN          PILE GROUP    1",
        "", "     ** WARNING **  NON-POSITIVE AREA OR INERTIA: ITS STRESS TERM TAKEN AS 0          PILE GROUP    1",
        "", "     ** WARNING **  NON-POSITIVE REDUCTION FACTOR TAKEN AS 1.0          PILE GROUP    1"};
    EXPECT_EQ(out.run, expect);
}

// The kernel's pass over both bending planes at once gives each plane the
// bits of its own pass: planes of different rigidity, loads and heads (fixed,
// pinned, sprung), an axial force, a soil modulus with a zero pivot's node.
TEST(FdKernel, BothPlanesInOnePassKeepEachPlanesBits) {
    const int t = 24;
    const double h = 12.0;
    auto one = std::make_unique<FdPlane[]>(2);
    auto two = std::make_unique<FdPlane[]>(2);
    SLOTVEC P, Es;
    P.fill(0.0);
    Es.fill(0.0);
    for (int i = 1; i <= t + 3; ++i) {
        P.slot(i) = 2.0e3 + 10.0 * i;
        Es.slot(i) = i == 9 ? 0.0 : 40.0 + 3.0 * i;
    }
    const struct {
        int code;
        double v0, r, k;
    } heads[] = {{2, 0.5, 0.001, 0.0}, {3, -0.2, 0.002, 3.0e7}};
    for (int p = 0; p < 2; ++p) {
        for (FdPlane* pl : {&one[p], &two[p]}) {
            for (SLOTVEC* a : {&pl->v, &pl->EI, &pl->w, &pl->G, &pl->H, &pl->J}) a->fill(0.0);
            for (int i = 1; i <= t + 3; ++i) {
                pl->EI.slot(i) = (p == 0 ? 5.8e10 : 2.0e10) * (1.0 + 0.01 * i);
                pl->w.slot(i) = p == 0 ? 0.0 : 3.0 - 0.1 * i;
            }
            FDHEAD(*pl, heads[p].code, heads[p].v0, heads[p].r, heads[p].k, h);
        }
        FDSWEEP(one[p], P, Es, h, t);
        FDBACK(one[p], P, h, t);
    }
    FDSWEEP2(two[0], two[1], P, Es, h, t);
    FDBACK2(two[0], two[1], P, h, t);
    const auto bits = [](double x) { return std::bit_cast<std::uint64_t>(x); };
    for (int p = 0; p < 2; ++p)
        for (int i = 1; i <= t + 3; ++i) {
            EXPECT_EQ(bits(two[p].v.slot(i)), bits(one[p].v.slot(i))) << "plane " << p << ", slot " << i;
            EXPECT_EQ(bits(two[p].G.slot(i)), bits(one[p].G.slot(i))) << "plane " << p << ", slot " << i;
        }
}

}  // namespace
}  // namespace zolan
