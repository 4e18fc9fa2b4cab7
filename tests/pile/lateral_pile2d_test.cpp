// Plane lateral pile solution (LLP2D) on the shared finite-difference kernel
// against the closed-form beam-column on an elastic foundation, its closure
// rules, and the records of its print and equivalent-stiffness passes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "model/analysis_tables.h"
#include "model/case_tables.h"
#include "model/result_tables.h"
#include "model/stiffness_tables.h"
#include "pile/lateral_pile2d.h"
#include "support/beam_column.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

constexpr double EI = 1.0e4;  // flexural rigidity
constexpr double ES = 50.0;   // elastic subgrade k b (soil code 12, b = 1)

// Pile row 1, vertical, head just below the ground line, nincr increments
// over length L, uniform EI, diameter, area and inertia 1, one layer of
// elastic subgrade of modulus ES.
void elastic_pile(double L, int nincr) {
    test::reset_py_model();
    test::one_pile(1.0, L / nincr, nincr);
    SECTAB(1, 1, SEC_TOP + SP_EI1) = SECTAB(1, 1, SEC_BOT + SP_EI1) = EI;
    for (int c : {SP_ARE, SP_IN1}) SECTAB(1, 1, SEC_TOP + c) = SECTAB(1, 1, SEC_BOT + c) = 1.0;
    test::soil_layer(1, 12, 0.0, 2.0 * L);
    test::layer_value(SCK, 1, ES);
    test::layer_value(SCGAM, 1, 0.01);
    test::nodes_by_depth();
    GROUND(1) = -1.0e-3;
    BATANG(1) = 0.0;
    KCONN(1) = 1;
}

LateralControls controls(int kflag = 0) {
    LateralControls c;
    c.kflag = kflag;
    c.maxitp = 50;
    c.tollp = 1.0e-12;
    return c;
}

class LateralPile2D : public ::testing::Test {
protected:
    void TearDown() override { test::reset_py_model(); }
    std::unique_ptr<Llp2dWork> w = std::make_unique<Llp2dWork>();
    RowReport rep;
    int istat = 0;

    // One solve of row 1 for the head deflection yt, head slope th and axial
    // force Q; returns the head force and moment.
    test::Exact solve(double yt, double th, double Q = 0.0, const LateralControls& ctl = controls()) {
        w->pile = 1;
        w->report = &rep;
        w->yt = yt, w->th = th, w->Q = Q;
        LLP2D(ctl, *w, istat);
        EXPECT_EQ(istat, 0);
        return {w->H, w->M};
    }
};

// The finite beam-column on an elastic foundation with a free tip, exact
// against the finite-difference solution within 0.5 %: pinned, fixed and
// rotated heads, a short (lambda L = 3.76) and a long (7.5) pile, with and
// without axial compression, and the two limits of the head spring.
TEST_F(LateralPile2D, MatchesExactBeamColumn) {
    // L = 20, yt = 0.01: lambda = (50 / 4e4)^(1/4) = 0.18803; the infinite
    // beam gives H = 2 EI lambda^3 yt = 1.33 (pinned), 2.66 (fixed) and
    // M = 2 EI lambda^2 yt = 7.07 (fixed); the finite pile a little less.
    struct Case { double L, P; int code; double spring; bool pinned; double theta; };
    const Case cases[] = {
        {20.0, 0.0, 1, 0.0, true, 0.0},     {20.0, 0.0, 2, 0.0, false, 0.0},
        {20.0, 0.0, 2, 0.0, false, 0.004},  {40.0, 400.0, 1, 0.0, true, 0.0},
        {40.0, 400.0, 2, 0.0, false, 0.0},     {10.0, 400.0, 2, 0.0, false, -0.002},
        {20.0, 0.0, 3, 0.0, true, 0.0},     // a spring of zero is the pinned head
        {20.0, 0.0, 3, 1.0e12, false, 0.0}, // a very stiff spring the fixed head
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("L " + std::to_string(c.L) + ", P " + std::to_string(c.P) + ", code " + std::to_string(c.code));
        elastic_pile(c.L, 100);
        KCONN(1) = c.code;
        SPRZ(1) = c.spring;
        const test::Exact ex = test::beam_column(EI, c.L, ES, c.P, c.pinned, 0.01, c.theta);
        const test::Exact got = solve(0.01, c.theta, c.P);
        const double fs = std::max(std::abs(ex.F), 1e-3), ms = std::max(std::abs(ex.M), 1e-2);
        EXPECT_NEAR(got.F, ex.F, 0.005 * fs);
        EXPECT_NEAR(got.M, ex.M, 0.005 * ms);
        if (c.pinned) {
            EXPECT_NEAR(got.M, 0.0, 1e-9);
        }
    }
}

// A uniform distributed load q = 1 on a long pinned pile held at yt = 0:
// the semi-infinite beam y = (q / k)(1 - e^(-lambda x) cos lambda x) leaves
// the head support the force q / (2 lambda) = 2.6592 (lambda = 0.18803).
// The head force is the soil reaction less the load with every node's load
// at full weight, so it is minus that force less the half loads the end
// nodes carry beyond the trapezoid rule, q h = 0.4: -3.0592.
TEST_F(LateralPile2D, UniformDistributedLoad) {
    elastic_pile(40.0, 100);
    DLNPT(1) = 2;
    DLTAB(1, 1, 1) = 0.0, DLTAB(1, 2, 1) = 40.0;
    DLTAB(1, 1, 2) = DLTAB(1, 2, 2) = 1.0;
    const double lam = std::pow(ES / (4 * EI), 0.25);
    const test::Exact got = solve(0.0, 0.0);
    EXPECT_NEAR(got.F, -1.0 / (2 * lam) - 0.4, 0.01 * 3.0592);
    EXPECT_NEAR(got.M, 0.0, 1e-9);
    EXPECT_NEAR(w->pl.v.node(101), 1.0 / ES, 1e-3 / ES);  // the far field q / k
    DLNPT(1) = 0;
}

// Closure: zero head values close on the second solve with zero outputs; a
// limit of 1 never closes, writes the warning with the limit, sets the error
// word and leaves the caller's outputs.
TEST_F(LateralPile2D, ClosureAndItsWarning) {
    elastic_pile(40.0, 100);
    KCONN(1) = 2;
    w->H = w->M = 7.0;
    solve(0.0, 0.0);
    EXPECT_EQ(w->solves, 2);
    EXPECT_EQ(rep.kerr, 0);
    EXPECT_EQ(w->H, 0.0);
    EXPECT_EQ(w->M, 0.0);

    LateralControls one = controls();
    one.maxitp = 1;
    w->H = w->M = 7.0;
    const test::RunText out = test::run_files({RUNFILE}, [&] {
        solve(0.01, 0.0, 0.0, one);
        rep.replay();
    });
    EXPECT_EQ(rep.kerr, 1);
    EXPECT_EQ(w->H, 7.0);
    EXPECT_EQ(w->M, 7.0);
    const std::vector<std::string> expect = {
        "", "", "     ** WARNING **  NO CLOSURE OF A LLP AFTER     1  ITERATIONS          PILE GROUP    1"};
    EXPECT_EQ(out.run, expect);
}

// Print pass of a vertical fixed-head pile pushed along +Y: the pile-top
// record holds the head moment M = 2 EI lambda^2 yt (7.07 for the long pile)
// in slots 6 and 19 and the along-pile record -M at the head; with the axial
// variation off the axial columns show no movement and Q at every node; the
// global columns equal the local ones; a combination stores the moment demand
// over the capacity and its factor (7.07 / 1000 / 0.5), a load case zero.
TEST_F(LateralPile2D, PrintPassRecords) {
    const double lam = std::pow(ES / (4 * EI), 0.25), yt = 0.01, Q = 100.0, ax = 0.002;
    const double m = 2 * EI * lam * lam * yt;
    for (int icomb : {0, 1}) {
        SCOPED_TRACE(icomb);
        elastic_pile(40.0, 100);
        size_result_sets(1);
        KCONN(1) = 2;
        SECTAB(1, 1, SEC_TOP + SP_MN) = SECTAB(1, 1, SEC_BOT + SP_MN) = 1.0e3;
        LateralControls ctl = controls(1);
        ctl.icomb = icomb;
        ctl.dcfmom = 0.5;
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= 3; ++j) w->T(i, j) = i == j ? 1.0 : 0.0;
        w->ax = ax;
        for (int i = 1; i <= MAXNOD; ++i) w->axd.slot(i) = 0.001 * i, w->axf.slot(i) = 5.0;
        const test::Exact got = solve(yt, 0.0, Q, ctl);
        EXPECT_NEAR(got.M, m, 0.005 * m);
        // Slots: 1 UX = ax, 2 UY = yt, 4 G1 = Q, 5 G2 = H, 6 and 19 M, 14 ax, 15 yt, 17 Q, 18 H, 7 = 20 stress.
        const struct { int slot; double v; } top[] = {{1, ax}, {2, yt}, {4, Q}, {5, got.F}, {6, got.M},
                                                      {14, ax}, {15, yt}, {17, Q}, {18, got.F}, {19, got.M}};
        for (const auto& t : top) EXPECT_NEAR(RESCUR.top(1, t.slot), t.v, 1e-15 * (1 + std::abs(t.v))) << t.slot;
        EXPECT_EQ(RESCUR.top(1, 3), RESCUR.top(1, 16));
        EXPECT_EQ(RESCUR.top(1, 7), RESCUR.top(1, 20));
        // stress at the head: |M| D / (2 I) + |Q| / A = M / 2 + 100
        EXPECT_NEAR(RESCUR.top(1, 7), got.M / 2 + Q, 1e-12);
        EXPECT_EQ(RESCUR.eff(1, 4, 9), -got.M);
        EXPECT_NEAR(RESCUR.eff(1, 4, 24), icomb ? m / 1e3 / 0.5 : 0.0, 0.005 * m / 1e3 / 0.5);
        for (int i = 4; i <= 104; ++i) {
            EXPECT_EQ(RESCUR.eff(1, i, 1), 0.0);
            EXPECT_EQ(RESCUR.eff(1, i, 18), Q);
            EXPECT_EQ(RESCUR.eff(1, i, 5), RESCUR.eff(1, i, 1));
            EXPECT_EQ(RESCUR.eff(1, i, 6), RESCUR.eff(1, i, 2));
            EXPECT_EQ(RESCUR.eff(1, i, 20), EI);
        }
    }
}

// Equivalent-stiffness pass: the axial force, the axial force over the
// axial head displacement (0 without one), the increment length, and per
// node its distance from the head and p / y = ES below the ground line.
TEST_F(LateralPile2D, EquivalentStiffnessPass) {
    for (double ax : {0.004, 0.0}) {
        elastic_pile(40.0, 100);
        KCONN(1) = 1;
        w->ax = ax;
        solve(0.01, 0.0, 200.0, controls(2));
        EXPECT_EQ(EQKTOP(1, 1), 200.0);
        EXPECT_EQ(EQKTOP(1, 2), ax != 0.0 ? 200.0 / ax : 0.0);
        EXPECT_EQ(EQKTOP(1, 3), 0.4);
        for (int i = 4; i <= 104; ++i) {
            EXPECT_DOUBLE_EQ(EQKNODE(1, i, 1), (i - 4) * 0.4);
            if (std::abs(w->pl.v.slot(i)) > 1e-10) {
                EXPECT_NEAR(EQKNODE(1, i, 2), ES, 1e-9 * ES) << "slot " << i;
            }
        }
    }
}

}  // namespace
}  // namespace zolan
