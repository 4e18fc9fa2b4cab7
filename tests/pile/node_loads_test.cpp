#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "group/group_services.h"
#include "model/analysis_tables.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"
#include "pile/node_loads.h"

namespace zolan {
namespace {

constexpr double PI_D = 3.141592653589793;

// Row 1 with four increments of h laid out as the node mesh does it: node j
// at CORX + (j - 1) h along the axis, its depth shortened by cos(batter) when
// batter depths are adjusted.
void mesh(double corx, double h, double batter) {
    reset_node_tables();
    reset_pile_tables();
    NPILES = 1;
    IPROP(1) = 1;
    NINCR(1) = 4;
    HINCR(1) = h;
    CORX(1) = XTOP(1) = corx;
    BATANG(1) = batter;
    for (int j = 1; j <= 5; ++j) {
        NDAXIS(1, j) = corx + (j - 1) * h;
        NDEPTH(1, j) = corx + (j - 1) * h * std::cos(batter);
    }
}

// Distributed loads: a node takes the table value at its distance from the
// pile head along the axis, whatever the head depth and the batter; local y
// from column 2, local z from column 3.
TEST(NodeLoads, DistributedLoadsAtTheNodesDistanceFromTheHead) {
    struct Point { double d, qy; };
    struct Case {
        const char* what;
        double corx, batter;
        std::vector<Point> table;
        double q[5];  // local y at the nodes 0, 2.5, 5, 7.5, 10 from the head
    };
    // Table 1: (1, 2) (5, 6) (5, 10) (9, 2).
    //   0 above the table: 0; 2.5: 2 + 1.5 * 4/4 = 3.5; 5 on the step: the
    //   first of the two points, 6; 7.5: 10 + 2.5 * (2 - 10)/4 = 5; 10 below: 0.
    const std::vector<Point> t1 = {{1, 2}, {5, 6}, {5, 10}, {9, 2}};
    // Table 2: a step on points 1 and 2 and two points 8e-6 apart (< TOLDL):
    //   (0, 4) (0, 8) (5 - 4e-6, 1) (5 + 4e-6, 3) (10, 7).
    //   0: mean of points 1 and 2, 6; 2.5: 8 + 2.5 (1 - 8)/(5 - 4e-6);
    //   5: mean of the close pair, 2; 7.5: 3 + (2.5 - 4e-6) 4 / (5 - 4e-6);
    //   10 the last point: 7.
    const std::vector<Point> t2 = {{0, 4}, {0, 8}, {5 - 4e-6, 1}, {5 + 4e-6, 3}, {10, 7}};
    const double q2 = 8 - 2.5 * 7 / (5 - 4e-6), q4 = 3 + (2.5 - 4e-6) * 4 / (5 - 4e-6);
    const Case cases[] = {
        {"vertical, head at the origin", 0.0, 0.0, t1, {0, 3.5, 6, 5, 0}},
        {"vertical, head 3 below the origin", 3.0, 0.0, t1, {0, 3.5, 6, 5, 0}},
        {"vertical, head 2 above the origin", -2.0, 0.0, t1, {0, 3.5, 6, 5, 0}},
        {"battered 30 deg, head 4 below", 4.0, PI_D / 6, t1, {0, 3.5, 6, 5, 0}},
        {"steps and close points", 3.0, 0.0, t2, {6, q2, 2, q4, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mesh(c.corx, 2.5, c.batter);
        KBATAD = c.batter > 0 ? 1 : 0;
        TOLDL = 1.0e-5;
        DLNPT(1) = static_cast<int>(c.table.size());
        for (int l = 1; l <= DLNPT(1); ++l) {
            DLTAB(1, l, 1) = c.table[l - 1].d;
            DLTAB(1, l, 2) = c.table[l - 1].qy;
            DLTAB(1, l, 3) = -2.0 * c.table[l - 1].qy;
        }
        NODVEC qy, qz;
        qy.fill(-99.0);
        qz.fill(-99.0);
        int a = 0, r = 1;
        DISTLD(a, r, qy);
        DISTLD2(a, r, qz);
        for (int j = 1; j <= 5; ++j) {
            EXPECT_NEAR(qy(j), c.q[j - 1], 1e-12) << "node " << j;
            EXPECT_NEAR(qz(j), -2.0 * c.q[j - 1], 1e-12) << "node " << j;
        }
        EXPECT_EQ(qy(6), -99.0);  // slots beyond the tip are not written
        EXPECT_EQ(qz(6), -99.0);
    }
}

// A head below the origin and a length that does not divide evenly: the
// nodes and the table depths are the same lengths formed two ways, and the
// tip node, a rounding past the last depth, still takes its load.
TEST(NodeLoads, TipNodeOnTheLastDepth) {
    // Head at 2.2, seven increments of 13.1 / 7: in double precision
    // 2.2 + 7 h - 2.2 exceeds 7 h by one unit in the last place.
    const double h = 13.1 / 7;
    reset_node_tables();
    reset_pile_tables();
    NPILES = 1;
    IPROP(1) = 1;
    NINCR(1) = 7;
    HINCR(1) = h;
    CORX(1) = XTOP(1) = 2.2;
    TOLDL = 1.0e-5;  // as the input reader sets it
    DLNPT(1) = 8;
    for (int j = 1; j <= 8; ++j) {
        NDAXIS(1, j) = 2.2 + (j - 1) * h;
        DLTAB(1, j, 1) = (j - 1) * h;
        DLTAB(1, j, 2) = 5.0;
    }
    NODVEC q;
    q.fill(-99.0);
    int a = 0, r = 1;
    DISTLD(a, r, q);
    for (int j = 1; j <= 8; ++j) EXPECT_EQ(q(j), 5.0) << "node " << j;
}

// Soil movement: SOILMOV resolves the movements in effect (already scaled by
// the load factor) on the pile and measures the profile from the head; the
// nodes read it at their depth below the head, unscaled a second time, then
// take the projection factor of the model.
TEST(NodeLoads, SoilMovementAtTheNodes) {
    // 1.5708 in single precision exceeds pi/2 by 3.61999e-6, so a 60 deg pile
    // (batter 30 deg) in the plane of the projection gets
    // cos(pi/6 + 3.62e-6) = 0.8660254038 - 0.5 * 3.62e-6 = 0.8660235938.
    const double k30 = 0.8660235938, c30 = 0.8660254038;
    struct Case {
        const char* what;
        int model;
        double corx, alpha, beta, batter;
        double y0[2], z0[2];  // input movements at the two profile points (full load)
        double m1[5], m2[5];
    };
    // Profile points at 0 and 10 below the head (SMDEP = CORX + 0, CORX + 10);
    // the load factor TCUR = 0.5 halves the input movements once; h = 2.5.
    const Case cases[] = {
        // Vertical 3-D pile, ALPHA = 0: first = Y, second = Z; factors 1.
        // Y in effect 4 .. 2, Z 1 .. 3, linear over the nodes 0, 2.5, .., 10.
        {"3-D vertical, head at the origin", 3, 0.0, 0.0, PI_D / 2, 0.0, {8, 4}, {2, 6},
         {4, 3.5, 3, 2.5, 2}, {1, 1.5, 2, 2.5, 3}},
        {"3-D vertical, head 3 below the origin", 3, 3.0, 0.0, PI_D / 2, 0.0, {8, 4}, {2, 6},
         {4, 3.5, 3, 2.5, 2}, {1, 1.5, 2, 2.5, 3}},
        // ALPHA = 90 deg, BETA = 60 deg, depths shortened by cos 30: node
        // depths 2.1650635 (j - 1). Y in effect = depth (0 .. 10), Z = 2.5.
        // first = sin 60 (Y cos 90 + Z sin 90) = 2.5 * 0.8660254 = 2.1650635,
        //   factor cos(|cos 90| ...) = 1;
        // second = Z cos 90 - Y sin 90 = -depth = -2.1650635 (j - 1), times k30:
        //   -1.8749961 (j - 1), written as -2.5 c30 k30 (j - 1).
        {"3-D battered, head 4 below the origin", 3, 4.0, PI_D / 2, PI_D / 3, PI_D / 6, {0, 20}, {5, 5},
         {2.5 * c30, 2.5 * c30, 2.5 * c30, 2.5 * c30, 2.5 * c30},
         {0, -2.5 * c30 * k30, -5 * c30 * k30, -7.5 * c30 * k30, -10 * c30 * k30}},
        // Plane model, vertical: first = Y cos 0, factor cos 0; second unused.
        {"plane vertical, head 2 below the origin", 2, 2.0, 0.0, 0.0, 0.0, {8, 4}, {0, 0},
         {4, 3.5, 3, 2.5, 2}, {0, 0, 0, 0, 0}},
        // Plane model, slope 30 deg: first = Y cos 30 in the profile and cos 30
        // again at the nodes: 0.75 Y; Y in effect = depth = 2.1650635 (j - 1):
        // 1.6237976 (j - 1).
        {"plane battered, head at the origin", 2, 0.0, PI_D / 6, 0.0, PI_D / 6, {0, 20}, {0, 0},
         {0, 1.6237976, 3.2475953, 4.8713929, 6.4951905}, {0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mesh(c.corx, 2.5, c.batter);
        KBATAD = c.batter > 0 ? 1 : 0;
        NANTYP = c.model;
        ALPHA(1) = c.alpha;
        BETA(1) = c.beta;
        NSMOV = 2;
        TCUR = 0.5;
        for (int k = 1; k <= 2; ++k) {
            SMDEP(k) = c.corx + 10.0 * (k - 1);
            SMVCUR(k, 1) = TCUR * c.y0[k - 1];
            SMVCUR(k, 2) = TCUR * c.z0[k - 1];
        }
        int r = 1;
        SOILMOV(r);
        NODVEC m1, m2;
        SMVNOD1(r, m1);
        if (c.model == 3) SMVNOD2(r, m2);
        for (int j = 1; j <= 5; ++j) {
            EXPECT_NEAR(m1(j), c.m1[j - 1], 1e-6) << "node " << j;
            if (c.model == 3) {
                EXPECT_NEAR(m2(j), c.m2[j - 1], 1e-6) << "node " << j;
            }
        }
    }
}

// A node outside the movement profile gets none; the node exactly at the
// profile's end takes the end value.
TEST(NodeLoads, SoilMovementOutsideTheProfileIsZero) {
    mesh(3.0, 2.5, 0.0);
    KBATAD = 0;
    NANTYP = 3;
    ALPHA(1) = 0.0;
    BETA(1) = PI_D / 2;
    NSMOV = 2;
    // Profile from 2.5 to 7.5 below the head, Y in effect 6 .. 2.
    SMDEP(1) = 5.5;
    SMDEP(2) = 10.5;
    SMVCUR(1, 1) = 6.0;
    SMVCUR(2, 1) = 2.0;
    SMVCUR(1, 2) = SMVCUR(2, 2) = 0.0;
    int r = 1;
    SOILMOV(r);
    NODVEC m;
    m.fill(-1.0);
    SMVNOD1(r, m);
    const double expect[5] = {0, 6, 4, 2, 0};
    for (int j = 1; j <= 5; ++j) EXPECT_NEAR(m(j), expect[j - 1], 1e-9) << "node " << j;
}

// Soil movement on a pile turned about its own axis: the profile takes the
// pile's lateral axes y, z of the pile transform, THETA included. A turn theta
// about x takes y0, z0 (the axes at THETA = 0) to
// y = cos theta y0 + sin theta z0 and z = -sin theta y0 + cos theta z0; the
// movement in effect here is Y = 3, Z = 4 at every point.
TEST(NodeLoads, SoilMovementOnTheTurnedPileAxes) {
    const double s60 = 0.8660254037844386;  // sin 60 = cos 30
    struct Case {
        const char* what;
        int model;
        double alpha, beta, theta;
        double smpy, smpz;
    };
    const Case cases[] = {
        // vertical: y0 = Y axis, z0 = Z axis
        {"vertical, no turn", 3, 0.0, PI_D / 2, 0.0, 3.0, 4.0},
        // 90 deg: y = z0, z = -y0: the two components swap, the first changes sign
        {"vertical, turned 90 deg", 3, 0.0, PI_D / 2, PI_D / 2, 4.0, -3.0},
        // 30 deg: 3 cos 30 + 4 sin 30 = 4.5980762, -3 sin 30 + 4 cos 30 = 1.9641016
        {"vertical, turned 30 deg", 3, 0.0, PI_D / 2, PI_D / 6, 3 * s60 + 2.0, -1.5 + 4 * s60},
        // 60 deg from the horizontal towards Y: y0 = (-cos 60, sin 60, 0), z0 = Z axis:
        // no turn 3 sin 60 and 4; turned 90 deg 4 and -3 sin 60
        {"battered, no turn", 3, 0.0, PI_D / 3, 0.0, 3 * s60, 4.0},
        {"battered, turned 90 deg", 3, 0.0, PI_D / 3, PI_D / 2, 4.0, -3 * s60},
        // plane model: no turn about the axis, Y cos(batter 0)
        {"plane, turn not read", 2, 0.0, PI_D / 2, PI_D / 2, 3.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mesh(2.0, 2.5, 0.0);
        NANTYP = c.model;
        ALPHA(1) = c.alpha;
        BETA(1) = c.beta;
        THETA(1) = c.theta;
        NSMOV = 2;
        for (int k = 1; k <= 2; ++k) {
            SMDEP(k) = 5.0 * k;
            SMVCUR(k, 1) = 3.0;
            SMVCUR(k, 2) = 4.0;
        }
        SOILMOV(1);
        for (int k = 1; k <= 2; ++k) {
            EXPECT_EQ(SMPDEP(1, k), 5.0 * k - 2.0);  // from the head at X = 2
            EXPECT_NEAR(SMPY(1, k), c.smpy, 1e-12);
            EXPECT_NEAR(SMPZ(1, k), c.smpz, 1e-12);
        }
    }
}

}  // namespace
}  // namespace zolan
