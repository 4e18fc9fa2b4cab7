// The head tangent of a pile on nonlinear soil, condensed from its closed
// state (PSTIFF with the tangent of the closed state), against central
// differences of responses each closed to 1e-13 in from rest.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "model/curve_tables.h"
#include "model/input_tables.h"
#include "model/warm_tables.h"
#include "pile/node_mesh.h"
#include "pile/pile_response.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

constexpr double PI = 3.141592653589793;

// A 24 in pile of 50 increments of 12 in, EI 1e10 lb in^2 about both axes,
// head at the ground line, in one layer of soil code `code` (soft clay c =
// 3.47 psi, e50 0.02; sand phi 35 deg, k 90 pci; stiff clay c = 20 psi),
// battered by the given angles; straight axial and torsional head curves.
void nonlinear_pile(int code, double alpha, double beta, int kconn) {
    test::reset_py_model();
    test::one_pile(24.0, 12.0, 50);
    for (int c : {SP_EI1, SP_EI2}) SECTAB(1, 1, SEC_TOP + c) = SECTAB(1, 1, SEC_BOT + c) = 1.0e10;
    test::soil_layer(1, code, 0.0, 1200.0);
    test::layer_value(SCGAM, 1, 50.0 / 1728);
    test::layer_value(SCCOH, 1, code == 4 ? 0.0 : (code == 3 ? 20.0 : 3.47));
    test::layer_value(SCE50, 1, code == 3 ? 0.005 : 0.02);
    test::layer_value(SCJ, 1, 0.5);
    test::layer_value(SCPHI, 1, code == 4 ? 35.0 * PI / 180 : 0.0);
    test::layer_value(SCK, 1, code == 4 ? 90.0 : 500.0);
    NODESETUP();
    CORX(1) = XTOP(1) = 0.0;
    GROUND(1) = -1.0e-3;
    ALPHA(1) = alpha, BETA(1) = beta, THETA(1) = 0.0;
    BATANG(1) = PI / 2 - beta;
    KCONN(1) = KCONNZ(1) = kconn;
    PMULT(1) = AXFAC(1) = 1.0;
    test::straight_head_curves(2.0e5, 1.0e7);
    PYSETUP();
}

PileControls controls(int tangent, double tol) {
    PileControls c;
    c.tangent = tangent;
    c.lat.maxitp = 1000;
    c.lat.tollp = tol;
    return c;
}

class PileTangent : public ::testing::Test {
protected:
    void TearDown() override { test::reset_py_model(); }
    std::unique_ptr<Llp3dWork> w = std::make_unique<Llp3dWork>();
    RowReport rep;
    CAPMAT stiffness(const PileControls& c, const CAPVEC& d) {
        w->report = &rep;
        int istat = 0;
        const CAPMAT K = PSTIFF(c, 1, d, *w, istat);
        EXPECT_EQ(istat, 0);
        EXPECT_EQ(rep.kerr, 0);
        return K;
    }
};

// Soft clay, sand and stiff clay, vertical and battered, fixed and pinned
// heads, deflected in both planes with an axial force: every entry K(i, j)
// of the tangent within 0.2 % of sqrt(|D(i, i) D(j, j)|) of the differences
// of tightly closed responses D (and 0.05 absolute: the differences' own
// noise where a pinned head carries no moment).
TEST_F(PileTangent, CondensedTangentIsTheDerivativeOfTheResponse) {
    struct Case {
        int code;
        double alpha, beta;
        int kconn;
        bool moving;  // the soil moving 0.4 in along Y and 0.1 in along Z at the ground, nothing at 20 ft
    };
    const Case cases[] = {{1, 0.0, PI / 2, 2, false}, {4, 0.0, PI / 2, 2, false}, {3, 0.0, PI / 2, 1, false},
                          {1, 0.4, 1.3, 2, false},    {4, 0.3, 1.4, 1, false},    {1, 0.0, PI / 2, 2, true},
                          {4, 0.3, 1.4, 2, true}};
    CAPVEC d;
    d(1) = 0.02, d(2) = 0.3, d(3) = -0.2, d(4) = 1e-5, d(5) = 2e-3, d(6) = -1e-3;
    for (const Case& c : cases) {
        nonlinear_pile(c.code, c.alpha, c.beta, c.kconn);
        if (c.moving) {
            NSMOV = 2;
            SMDEP(1) = 0.0, SMDEP(2) = 240.0;
            SMVCUR(1, 1) = 0.4, SMVCUR(1, 2) = 0.1, SMVCUR(2, 1) = SMVCUR(2, 2) = 0.0;
        }
        const CAPMAT K = stiffness(controls(0, 1e-5), d);
        const CAPMAT D = stiffness(controls(1, 1e-13), d);
        for (int i = 1; i <= 6; ++i)
            for (int j = 1; j <= 6; ++j) {
                ASSERT_TRUE(std::isfinite(K(i, j)));
                EXPECT_NEAR(K(i, j), D(i, j), 2e-3 * std::sqrt(std::abs(D(i, i) * D(j, j))) + 5e-2)
                    << "code " << c.code << " beta " << c.beta << " moving " << c.moving << " K(" << i << ","
                    << j << ")";
            }
        NSMOV = 0;
    }
}

// A head at rest in soft clay, whose curve has an unbounded slope at zero
// movement: the tangent is finite, stiffer than at a deflected head, and
// resists (negative diagonal).
TEST_F(PileTangent, SoftClayAtRestHasABoundedTangent) {
    nonlinear_pile(1, 0.0, PI / 2, 2);
    CAPVEC rest, moved;
    rest.fill(0.0);
    moved.fill(0.0);
    moved(2) = 0.3;
    const CAPMAT K0 = stiffness(controls(0, 1e-5), rest);
    const CAPMAT K1 = stiffness(controls(0, 1e-5), moved);
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) ASSERT_TRUE(std::isfinite(K0(i, j))) << i << "," << j;
    for (int i = 1; i <= 6; ++i) EXPECT_LT(K0(i, i), 0.0) << i;
    EXPECT_LT(K0(2, 2), K1(2, 2));
}

}  // namespace
}  // namespace zolan
