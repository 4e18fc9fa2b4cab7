#include <gtest/gtest.h>

#include "group/cap_passive.h"
#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/single_precision.h"

namespace zolan {
namespace {

CAPVEC lateral(double uy, double uz) {
    CAPVEC U;
    U(2) = uy;
    U(3) = uz;
    return U;
}

// Triangle: ground 2 above X = 0 within a cap 3 thick, resistance 10, XN = 0:
// FB = 10 x 2 / 2 = 10, MB = 2 x 10/2 x 2/3 = 20/3. Trapezoid: ground 6 above,
// top pressure 10 x 3/6 = 5, FB = 7.5 x 3 = 22.5, MB = 3 (5 x 1.5 + 2.5 x 1) =
// 30. Ground line at X = 0 or within the tolerance: no block.
TEST(CapPassive, PressureBlocks) {
    struct Case { double grd, t, p, xn, FB, MB; };
    const Case cases[] = {
        {-2, 3, 10, 0, 10, 20.0 / 3},
        {-6, 3, 10, 0, 22.5, 30},
        {-2, 3, 10, 1, 10, 2 * (5 * (2.0 / 3 - 1))},  // arm from XN = 1: 2 x 5 x (-1/3)
        {-3, 3, 10, 0, 15, 15},                        // h = t: still a triangle
        {0, 3, 10, 0, 0, 0},
        {-0.5e-6, 3, 10, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const PassiveBlock b = passive_block(c.grd, c.t, c.p, c.xn);
        EXPECT_NEAR(b.FB, c.FB, 1e-12) << c.grd << " " << c.xn;
        EXPECT_NEAR(b.MB, c.MB, 1e-12) << c.grd << " " << c.xn;
    }
    EXPECT_EQ(passive_block(-f32(1.0e-6f), 3, 10, 0).FB, 0.0);
}

// The force opposes the displacement and is shared by |uY| : |uZ|; Y forces
// give moments about Z of -MB, Z forces moments about Y of +MB (per unit).
TEST(CapPassive, SignTable) {
    const PassiveBlock tri{10, 20.0 / 3}, trap{22.5, 30};
    struct Case { PassiveBlock b; double uy, uz, f2, f3, f5, f6; };
    const Case cases[] = {
        {tri, 1, 0, -10, 0, 0, 20.0 / 3},
        {trap, 3, -1, -16.875, 5.625, 7.5, 22.5},
        {trap, 0, 2, 0, -22.5, -30, 0},
        {trap, -1, 0, 22.5, 0, 0, -30},
        {trap, 1, 1, -11.25, -11.25, -15, 15},
        {trap, -2, 2, 11.25, -11.25, -15, -15},
        {trap, 0, 0, 0, 0, 0, 0},
        {trap, 0.5e-14, 0.4e-14, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const CAPVEC F = passive_force(c.b, lateral(c.uy, c.uz));
        const double want[6] = {0, c.f2, c.f3, 0, c.f5, c.f6};
        for (int k = 1; k <= 6; ++k) EXPECT_NEAR(F(k), want[k - 1], 1e-12) << c.uy << " " << c.uz << " slot " << k;
    }
}

// Differences of the trapezoid's force at uY = 3, uZ = -1 against its
// derivatives: r = uY / (uY - uZ), dr/duY = 1/16, dr/duZ = 3/16, so
// dF2 = -22.5 dr, dF3 = -22.5 dr, dF5 = -30 dr, dF6 = 30 dr. At rest the
// force flips across zero: K(2,2) = K(3,3) = -FB/d, K(6,2) = MB/d,
// K(5,3) = -MB/d.
TEST(CapPassive, DifferenceMatrix) {
    const PassiveBlock trap{22.5, 30};
    const auto f = [&](const CAPVEC& u) { return passive_force(trap, u); };
    const double d = f32(1.0e-7f);
    CAPVEC step;
    step.fill(d);
    const CAPMAT K = central_differences(lateral(3, -1), step, f);
    double want[7][7] = {};
    const double dr[7] = {0, 0, 1.0 / 16, 3.0 / 16, 0, 0, 0};
    for (int j = 2; j <= 3; ++j) {
        want[2][j] = -22.5 * dr[j];
        want[3][j] = -22.5 * dr[j];
        want[5][j] = -30 * dr[j];
        want[6][j] = 30 * dr[j];
    }
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) EXPECT_NEAR(K(i, j), want[i][j], 1e-6) << i << "," << j;
    const CAPMAT K0 = central_differences(CAPVEC{}, step, f);
    EXPECT_NEAR(K0(2, 2), -22.5 / d, 1e-6 * 22.5 / d);
    EXPECT_NEAR(K0(3, 3), -22.5 / d, 1e-6 * 22.5 / d);
    EXPECT_NEAR(K0(6, 2), 30 / d, 1e-6 * 30 / d);
    EXPECT_NEAR(K0(5, 3), -30 / d, 1e-6 * 30 / d);
    EXPECT_EQ(K0(1, 1), 0.0);
}

// No pile rows: no means to form, no force, and no division by zero.
TEST(CapPassive, NoPileRows) {
    const int npiles = NPILES;
    NPILES = 0;
    int istat = 0;
    const CAPVEC F = CAPPAS(lateral(1, -1), istat);
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(F(k), 0.0) << k;
    EXPECT_EQ(GRDAVG, 0.0);
    EXPECT_EQ(PASAVG, 0.0);
    EXPECT_EQ(istat, 0);
    NPILES = npiles;
    reset_node_tables();
}

}  // namespace
}  // namespace zolan
