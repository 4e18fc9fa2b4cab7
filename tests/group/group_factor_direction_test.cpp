// The group factors the cap takes in an iteration (GRPFAC): the sense and
// direction of a clear lateral movement (a quarter of the pile heads'
// movement or more); with none, the load's lateral force (else the soil's
// movement) decides, and without either the layout turned round (the mean
// over movements every 15 degrees); in between, the factors pass from the
// one to the other in proportion. Two piles 3 diameters apart in line along
// Y, hand values from the published pair factors.
#include <gtest/gtest.h>

#include <cmath>

#include "group/cap_solver3d.h"
#include "group/group_factor_rule.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"
#include "soil/group_factors.h"

namespace zolan {
namespace {

constexpr double B = 24.0;                                     // diameter
const double LEAD = 0.70 * std::pow(3.0, 0.26);                // 0.93143
const double TRAIL = 0.48 * std::pow(3.0, 0.38);               // 0.72870
const double SIDE = 0.64 * std::pow(3.0, 0.34);                // 0.93006, across the movement
const double MEAN = (LEAD + TRAIL) / 2.0;                      // 0.83007
// Turned round: a movement at an angle a off the line makes the oblique
// factor sqrt((SIDE sin a)^2 + (LEAD or TRAIL cos a)^2), side by side at
// 90 degrees; the mean over a = 0, 15, ..., 345 degrees is 0.88147 for
// either pile.
double turned_mean() {
    double sum = 0.0;
    for (int k = 0; k < 24; ++k) {
        const double a = k * 15.0 * 3.14159265358979323846 / 180.0;
        const double line = std::cos(a) > 1e-9 ? LEAD : TRAIL;
        sum += std::abs(std::cos(a)) < 1e-9 ? SIDE : std::hypot(SIDE * std::sin(a), line * std::cos(a));
    }
    return sum / 24.0;
}
const double TURNED = turned_mean();

void two_piles(int kgrprf) {
    reset_input_tables();
    reset_pile_tables();
    reset_section_tables();
    reset_case_tables();
    NANTYP = 3;
    KGRPRF = kgrprf;
    TOLREL = 1.0e-5;
    SECTAB(1, 1, SEC_TOP + SP_DIA) = B;
    NPILES = 2;
    for (int r = 1; r <= 2; ++r) {
        PMULT(r) = 1.0;
        IPROP(r) = 1;
        CORX(r) = 0.0, CORZ(r) = 0.0;
        CORY(r) = (r == 1 ? -1.5 : 1.5) * B;
    }
}

CAPVEC vec(double x, double y, double z, double rx = 0.0) {
    CAPVEC v;
    v.fill(0.0);
    v(1) = x, v(2) = y, v(3) = z, v(4) = rx;
    return v;
}

TEST(GroupFactorDirection, SenseOfMovementThenOfLoadThenBoth) {
    struct Case {
        const char* what;
        CAPVEC U, load;
        double pf1, pf2;  // rows 1 (Y < 0) and 2 (Y > 0)
    };
    const Case cases[] = {
        // A clear movement toward +Y: row 2 leads, row 1 trails; toward -Y the reverse.
        {"clear +Y", vec(0.01, 0.05, 0.0), vec(5e5, 0.0, 0.0), TRAIL, LEAD},
        {"clear -Y", vec(0.01, -0.05, 0.0), vec(5e5, 0.0, 0.0), LEAD, TRAIL},
        // Half the band toward +Y (a movement of sqrt(0.0063 + 0.0001) =
        // 0.08 in, the band 0.25 x 0.08 = 0.02 in): half the factors of +Y,
        // half those turned round; with the load toward -Y the sense 0.5
        // takes the other half from the load, and the two senses weigh alike.
        {"half the band", vec(std::sqrt(0.0063), 0.01, 0.0), vec(5e5, 0.0, 0.0), 0.5 * TRAIL + 0.5 * TURNED,
         0.5 * LEAD + 0.5 * TURNED},
        {"half the band, load -Y", vec(std::sqrt(0.0063), 0.01, 0.0), vec(5e5, -4e4, 0.0), MEAN, MEAN},
        // Round-off of either sign under a vertical load: the layout turned
        // round, alike for both rows.
        {"round-off +", vec(0.1, 1e-12, 3e-13), vec(5e5, 0.0, 0.0), TURNED, TURNED},
        {"round-off -", vec(0.1, -1e-12, -3e-13), vec(5e5, 0.0, 0.0), TURNED, TURNED},
        // A pure torque turns the heads by 1e-4 x 36 in: round-off lateral
        // translations of 1e-11 in count as none.
        {"torque", vec(0.0, -1e-11, 1e-11, 1e-4), vec(0.0, 0.0, 0.0), TURNED, TURNED},
        // No movement yet: the load's lateral force gives the sense.
        {"at rest, load -Y", vec(0.0, 0.0, 0.0), vec(5e5, -4e4, 0.0), LEAD, TRAIL},
        {"round-off, load +Y", vec(0.1, -1e-12, 0.0), vec(5e5, 4e4, 0.0), TRAIL, LEAD},
        // A movement along Z alone: side by side, whatever the sense along Y.
        {"clear +Z", vec(0.01, 1e-14, 0.05), vec(5e5, 0.0, 0.0), SIDE, SIDE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        two_piles(1);
        GRPFAC(c.U, c.load, CAPREACH());
        EXPECT_NEAR(PFGRP(1), c.pf1, 1e-6);
        EXPECT_NEAR(PFGRP(2), c.pf2, 1e-6);
        EXPECT_EQ(YFGRP(1), 1.0);
    }
    // Soil moving toward -Y under a vertical load pushes the group that way:
    // without a clear movement of the cap, row 1 leads.
    two_piles(1);
    NSMOV = 2;
    SMOVY0(1) = -0.2, SMOVY0(2) = 0.0;
    GRPFAC(vec(0.1, 1e-12, 0.0), vec(5e5, 0.0, 0.0), CAPREACH());
    EXPECT_NEAR(PFGRP(1), LEAD, 1e-6);
    EXPECT_NEAR(PFGRP(2), TRAIL, 1e-6);
}

// The pile table's factors of the two directions (KGRPRF 2), Y 0.8 and Z
// 0.6, weighed by the direction of the movement: round-off weighs nothing,
// so a vertical load or a torque takes the Y factors (the Part's rule without
// movement or lateral load); a clear movement (3, 4) / 5 gives
// sqrt((0.8 x 0.6)^2 + (0.6 x 0.8)^2) = 0.67882.
TEST(GroupFactorDirection, GivenFactorsWeighedByAClearMovementOnly) {
    struct Case {
        const char* what;
        CAPVEC U;
        double pf;
    };
    const Case cases[] = {
        {"round-off", vec(0.1, 1e-12, 4e-12), 0.8},
        {"torque", vec(0.0, 3e-12, -4e-12, 1e-4), 0.8},
        {"clear", vec(0.01, 0.03, 0.04), std::hypot(0.8 * 0.6, 0.6 * 0.8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        two_piles(2);
        for (int r = 1; r <= 2; ++r) PFGRP1(r) = YFGRP1(r) = 0.8, PFGRP2(r) = YFGRP2(r) = 0.6;
        GRPFAC(c.U, vec(5e5, 0.0, 0.0), CAPREACH());
        EXPECT_NEAR(PFGRP(1), c.pf, 1e-12);
        EXPECT_NEAR(YFGRP(2), c.pf, 1e-12);
    }
}

// The rule as written wherever it holds: after a solve by the band, the
// sense to hold in a second solve is that of a lateral movement clear of
// round-off whose band factors are not already its own (a movement inside
// the band against the load's push); a held sense holds when the solution
// still moves that way.
TEST(GroupFactorDirection, SenseToHoldAndWhetherItHeld) {
    const CAPVEC push_y = vec(5e5, 4e4, 0.0);
    struct Try {
        const char* what;
        int kgrprf;
        CAPVEC U, load;
        bool held;
        double y;  // the sense held along Y
    };
    const Try tries[] = {
        // 0.01 in toward -Y within a band of 0.25 x 0.1005 in, pushed +Y.
        {"inside the band, against the push", 1, vec(0.1, -0.01, 0.0), push_y, true, -1.0},
        // The pile table's factors: the band weighs the push's direction
        // (along Y) against the movement's (0.01, 0.005).
        {"the pile table's factors, a direction of their own", 2, vec(0.1, -0.01, 0.005), push_y, true, -1.0},
        {"the pile table's factors, along the push", 2, vec(0.1, -0.01, 0.0), push_y, false, 0.0},
        {"beyond the band", 1, vec(0.01, -0.05, 0.0), push_y, false, 0.0},
        {"round-off", 1, vec(0.1, 1e-12, 0.0), vec(5e5, 0.0, 0.0), false, 0.0},
        {"given direction", 3, vec(0.1, -0.01, 0.0), push_y, false, 0.0},
    };
    for (const Try& c : tries) {
        SCOPED_TRACE(c.what);
        two_piles(c.kgrprf);
        for (int r = 1; r <= 2; ++r) PFGRP1(r) = YFGRP1(r) = 0.8, PFGRP2(r) = YFGRP2(r) = 0.6;
        GRPMVY = 1.0, GRPMVZ = 0.0;
        const GroupSense g = group_sense_to_try(c.U, c.load, CAPREACH());
        EXPECT_EQ(g.held, c.held);
        if (c.held) {
            EXPECT_EQ(g.y, c.y);
        }
    }
    struct Hold {
        const char* what;
        CAPVEC U;
        double y;
        bool holds;
    };
    const Hold holds[] = {
        {"moves the held way", vec(0.1, -0.01, 0.0), -1.0, true},
        {"moves the other way", vec(0.1, -0.01, 0.0), 1.0, false},
        {"does not move sideways", vec(0.1, 1e-12, 0.0), -1.0, false},
    };
    for (const Hold& c : holds) {
        SCOPED_TRACE(c.what);
        two_piles(1);
        EXPECT_EQ(group_sense_holds(c.U, push_y, CAPREACH(), {true, c.y, 1.0}), c.holds);
    }
    // Held, the factors are those of the held sense whatever the band: -Y
    // makes row 1 lead.
    two_piles(1);
    GRPFAC(vec(0.1, 0.001, 0.0), push_y, CAPREACH(), {true, -1.0, 1.0});
    EXPECT_NEAR(PFGRP(1), LEAD, 1e-6);
    EXPECT_NEAR(PFGRP(2), TRAIL, 1e-6);
}

}  // namespace
}  // namespace zolan
