// Response of a three-dimensional pile row to a head displacement (PILE3D)
// and its head tangent stiffness (PSTIFF) on a pile whose response is linear:
// elastic subgrade and straight axial and torque-rotation curves.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "model/curve_tables.h"
#include "model/pile_rows.h"
#include "pile/node_mesh.h"
#include "pile/pile_frame.h"
#include "pile/pile_response.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

constexpr double EI = 1.0e4, ES = 50.0;  // rigidity of both planes, subgrade k b
constexpr double KA = 1.0e5, KT = 1.0e6;  // axial and torsional head stiffness of the straight curves
constexpr double L = 40.0;                // pile length, lambda L = 7.5

// Pile row 1 of length L in 100 increments, head at X = 0 just below the
// ground line, in elastic subgrade, with the given angles; both heads fixed.
void linear_pile(double alpha, double beta, double theta) {
    test::reset_py_model();
    test::one_pile(1.0, L / 100, 100);
    for (int c : {SP_EI1, SP_EI2}) SECTAB(1, 1, SEC_TOP + c) = SECTAB(1, 1, SEC_BOT + c) = EI;
    test::soil_layer(1, 12, 0.0, 2.0 * L);
    test::layer_value(SCK, 1, ES);
    test::layer_value(SCGAM, 1, 0.01);
    NODESETUP();
    CORX(1) = XTOP(1) = 0.0;
    GROUND(1) = -1.0e-3;
    ALPHA(1) = alpha, BETA(1) = beta, THETA(1) = theta;
    BATANG(1) = 3.141592653589793 / 2 - beta;
    KCONN(1) = KCONNZ(1) = 2;
    PMULT(1) = AXFAC(1) = 1.0;
    test::straight_head_curves(KA, KT);
}

PileControls controls() {
    PileControls c;
    c.lat.maxitp = 50;
    c.lat.tollp = 1.0e-12;
    return c;
}

class PileResponse : public ::testing::Test {
protected:
    void TearDown() override { test::reset_py_model(); }
    std::unique_ptr<Llp3dWork> w = std::make_unique<Llp3dWork>();
    RowReport rep;
    int istat = 0;
    CAPMAT stiffness(const CAPVEC& d) {
        w->report = &rep;
        return PSTIFF(controls(), 1, d, *w, istat);
    }
};

// A vertical pile: the forces are minus the head reactions in pile axes,
// (N, Fy, Fz, T, -Kz, Ky); a head pinned in one plane carries no torque.
TEST_F(PileResponse, VerticalPileForcesAreMinusTheHeadReactions) {
    struct Case { int kconn, kconnz; double torque; };
    // d(4) = 5e-5 on the straight torque curve: T = KT 5e-5 = 50.
    const Case cases[] = {{2, 2, 50.0}, {1, 2, 0.0}, {2, 1, 0.0}};
    for (const Case& c : cases) {
        linear_pile(0.0, 3.141592653589793 / 2, 0.0);
        KCONN(1) = c.kconn, KCONNZ(1) = c.kconnz;
        CAPVEC d;
        d(1) = 1e-3, d(2) = 1e-2, d(3) = -5e-3, d(4) = 5e-5, d(5) = 2e-3, d(6) = -1e-3;
        w->report = &rep;
        const CAPVEC f = PILE3D(controls(), 1, d, *w, istat);
        ASSERT_EQ(istat, 0);
        const double r[6] = {KA * 1e-3, w->Fy, w->Fz, c.torque, -w->Kz, w->Ky};
        for (int i = 1; i <= 6; ++i) EXPECT_NEAR(f(i), -r[i - 1], 1e-12 * (1.0 + std::abs(r[i - 1]))) << i;
        EXPECT_EQ(w->ry, 1e-3);  // the y-plane takes minus the rotation about z
        EXPECT_EQ(w->rz, 2e-3);
    }
}

// The head stiffness of the linear pile: the axial and torsional diagonal of
// the straight curves, the fixed-head lateral stiffness 4 EI lambda^3 and its
// coupling 2 EI lambda^2 (semi-infinite beam, 0.5 %); symmetric to 1e-6; the
// caller's displacement unchanged bit for bit.
TEST_F(PileResponse, LinearPileStiffness) {
    linear_pile(0.0, 3.141592653589793 / 2, 0.0);
    CAPVEC d;
    d.fill(0.0);
    const CAPVEC before = d;
    const CAPMAT K = stiffness(d);
    ASSERT_EQ(istat, 0);
    EXPECT_EQ(std::memcmp(&before, &d, sizeof d), 0);
    const double lam = std::pow(ES / (4 * EI), 0.25);
    const double kl = 4 * EI * lam * lam * lam, kc = 2 * EI * lam * lam;  // 2.65915, 707.107
    EXPECT_NEAR(K(1, 1), -KA, 1e-6 * KA);
    EXPECT_NEAR(K(4, 4), -KT, 1e-6 * KT);
    EXPECT_NEAR(K(2, 2), -kl, 0.005 * kl);
    EXPECT_NEAR(K(3, 3), -kl, 0.005 * kl);
    EXPECT_NEAR(K(6, 2), -kc, 0.005 * kc);  // f(6) = -Ky, Ky = 2 EI lambda^2 y at a fixed head
    EXPECT_NEAR(K(5, 3), kc, 0.005 * kc);   // f(5) = Kz
    for (int i = 1; i <= 6; ++i)
        for (int j = i + 1; j <= 6; ++j)
            EXPECT_NEAR(K(i, j), K(j, i), 1e-6 * std::max({std::abs(K(i, j)), std::abs(K(j, i)), 1e-3}))
                << i << "," << j;
}

// A battered pile in the same soil (depths along its axis) has the vertical
// pile's stiffness turned by its axes: K = Q K0 Q^T.
TEST_F(PileResponse, BatteredPileStiffnessIsTheTurnedVerticalOne) {
    linear_pile(0.0, 3.141592653589793 / 2, 0.0);
    CAPVEC d;
    d.fill(0.0);
    const CAPMAT K0 = stiffness(d);
    const double alpha = 0.3, beta = 1.2, theta = 0.2;
    linear_pile(alpha, beta, theta);
    const CAPMAT K = stiffness(d);
    ASSERT_EQ(istat, 0);
    const PileAxes a = pile_axes(alpha, beta, theta);
    CAPMAT Q;
    Q.fill(0.0);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) Q(i, j) = Q(i + 3, j + 3) = a.axis[j - 1][i - 1];
    double scale = 0.0;
    for (int i = 1; i <= 6; ++i) scale = std::max(scale, std::abs(K0(i, i)));
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) {
            double e = 0.0;
            for (int k = 1; k <= 6; ++k)
                for (int l = 1; l <= 6; ++l) e += Q(i, k) * K0(k, l) * Q(j, l);
            EXPECT_NEAR(K(i, j), e, 1e-6 * std::max(std::abs(e), 1.0)) << i << "," << j;
        }
}

// Eight rows evaluated in the pile-row loop on 1 and 8 threads give the
// forces of one serial evaluation bit for bit; with an iteration limit of 1
// every row's no-closure warning comes in row order and the error word is 1.
TEST_F(PileResponse, RowLoopIsTheSameForAnyThreadCount) {
    constexpr int ROWS = 8;
    linear_pile(0.0, 3.141592653589793 / 2, 0.0);
    NPILES = ROWS;
    for (int r = 2; r <= ROWS; ++r) {
        test::copy_pile_row(1, r);
        ALPHA(r) = ALPHA(1), BETA(r) = BETA(1), THETA(r) = THETA(1);
        KCONN(r) = KCONNZ(r) = 2;
        PMULT(r) = AXFAC(r) = 1.0;
        ILSCRV(r) = ITRCRV(r) = 1;
    }
    CAPVEC d;
    d.fill(0.0);
    d(2) = 0.01, d(6) = 1e-4;
    w->report = &rep;
    const CAPVEC serial = PILE3D(controls(), 1, d, *w, istat);
    std::vector<std::unique_ptr<Llp3dWork>> work;
    for (int r = 1; r <= ROWS; ++r) work.push_back(std::make_unique<Llp3dWork>());
    for (int limit : {50, 1}) {
        PileControls ctl = controls();
        ctl.lat.maxitp = limit;
        for (int nt : {1, 8}) {
            SCOPED_TRACE("limit " + std::to_string(limit) + ", " + std::to_string(nt) + " threads");
            CAPVEC f[ROWS];
            int loop_istat = 0, kerr = 0;
            const test::RunText out = test::run_files({RUNFILE}, [&] {
                for_pile_rows(1, ROWS, nt, loop_istat, kerr, [&](int r, RowReport& rr) {
                    work[r - 1]->report = &rr;
                    f[r - 1] = PILE3D(ctl, r, d, *work[r - 1], rr.istat);
                });
            });
            EXPECT_EQ(loop_istat, 0);
            EXPECT_EQ(kerr, limit == 1 ? 1 : 0);
            std::vector<std::string> expect;
            for (int r = 1; r <= ROWS && limit == 1; ++r) {
                const std::string row = std::to_string(r);
                expect.insert(expect.end(), {"", "", "     ** WARNING **  NO CLOSURE OF A LLP AFTER     1  ITERATIONS"
                                                     "          PILE GROUP" + std::string(5 - row.size(), ' ') + row});
            }
            EXPECT_EQ(out.run, expect);
            for (int r = 0; r < ROWS && limit != 1; ++r)
                for (int i = 1; i <= 6; ++i) EXPECT_EQ(f[r](i), serial(i)) << "row " << r + 1 << ", " << i;
        }
    }
}

}  // namespace
}  // namespace zolan
