// Points given by X, Y find their element and local coordinates by Newton's
// method on the isoparametric map.
#include <gtest/gtest.h>

#include <cmath>

#include "flexcap/slab_program.h"
#include "flexcap/shell_element.h"
#include "support/slab_mesh.h"

namespace zolan {
namespace {

// One eight-node element: the reference square scaled by s, turned by deg
// degrees and moved to (x0, y0); the map is affine.
void turned_element(double s, double deg, double x0, double y0) {
    test::slab_mesh(1, 1, 1, 1, 0);
    const double c = std::cos(deg * M_PI / 180), sn = std::sin(deg * M_PI / 180);
    for (int k = 1; k <= 8; ++k) {
        const double x = s * XI_NODE[k - 1], y = s * ETA_NODE[k - 1];
        const int n = FCTAB.ICONN(k, 1);
        FCTAB.XYNOD(1, n) = x0 + (deg == 90 ? 0.0 : c * x) - sn * y;
        FCTAB.XYNOD(2, n) = y0 + sn * x + (deg == 90 ? 0.0 : c * y);
    }
}

// A 12 ft cap in 50 x 50 elements of 2.88 in, from -72 to 72 in both ways,
// its coordinates advanced by adding the steps as the deck writer does (so
// they carry its round-off).
void cap_mesh() {
    test::slab_mesh(50, 50, 2.88, 2.88, 0);
    int n = 0;
    double y = -72;
    for (int r = 0; r <= 100; ++r, y += 1.44) {
        double x = -72;
        const double dx = r % 2 == 0 ? 1.44 : 2.88;
        for (int k = 0; k < (r % 2 == 0 ? 101 : 51); ++k, x += dx) FCTAB.XYNOD(1, ++n) = x, FCTAB.XYNOD(2, n) = y;
    }
}

// One point located in the current mesh: its element (the entry starts at
// -7, so that a point in none must be set to 0) and its point-table entries.
struct Located { int e; double p1, p2; };
Located locate(double X, double Y) {
    RTab P;
    ITab IEL;
    P.allocate(2, 1);
    IEL.allocate(1);
    P(1, 1) = X;
    P(2, 1) = Y;
    IEL(1) = -7;
    FCLOCP(1, P, IEL, FCTAB.ICONN, FCTAB.XYNOD, FCCTRL, FCTAB.ELW);
    return {IEL(1), P(1, 1), P(2, 1)};
}

TEST(PointLocation, ElementAndLocalCoordinates) {
    struct Case {
        const char* what;
        int mesh;  // 1: two 1 x 1 elements side by side; 2: turned by 30 degrees; 3: by 90 degrees; 4: cap_mesh
        double X, Y;
        int e;
        double xi, eta;
    };
    // Turned elements: scale 1.5, centre (10, 0); the point of (xi, eta) =
    // (0.3, -0.6) is (10 + 1.5 (0.3 c - (-0.6) s), 1.5 (0.3 s + (-0.6) c)).
    const double c30 = std::cos(M_PI / 6), s30 = 0.5;
    const Case cases[] = {
        {"inside the first element", 1, 0.25, 0.75, 1, -0.5, 0.5},
        {"inside the second element", 1, 1.75, 0.1, 2, 0.5, -0.8},
        {"on the shared edge: the lower element", 1, 1.0, 0.3, 1, 1.0, -0.4},
        {"at a shared node: the lower element", 1, 1.0, 1.0, 1, 1.0, 1.0},
        {"on the mesh's outer edge", 1, 2.0, 0.5, 2, 1.0, 0.0},
        {"outside the mesh", 1, 5, 5, 0, 5, 5},
        {"turned by 30 degrees", 2, 10 + 1.5 * (0.3 * c30 + 0.6 * s30), 1.5 * (0.3 * s30 - 0.6 * c30), 1, 0.3, -0.6},
        // Turned by 90 degrees (x_xi = 0): found all the same.
        {"turned by 90 degrees", 3, 10 + 0.9, 0.45, 1, 0.3, -0.6},
        // The centre: the search ends at local coordinates of round-off size,
        // whose relative change never settles.
        {"at the centre of a turned element", 2, 10, 0, 1, 0, 0},
        {"at the centre of a mesh's element", 4, 36, -36, 38 + 12 * 50, 0, 0},
        // A local coordinate far below one: the search ends on the size of
        // its last step, not on its change relative to the coordinate.
        {"a local coordinate of 1E-13", 2, 10 + 1.5 * (1e-13 * c30 + 0.6 * s30), 1.5 * (1e-13 * s30 - 0.6 * c30), 1, 0, -0.6},
    };
    for (const Case& k : cases) {
        if (k.mesh == 1) test::slab_mesh(2, 1, 1, 1, 0);
        else if (k.mesh == 4) cap_mesh();
        else turned_element(1.5, k.mesh == 2 ? 30 : 90, 10, 0);
        const Located at = locate(k.X, k.Y);
        EXPECT_EQ(at.e, k.e) << k.what;
        EXPECT_NEAR(at.p1, k.xi, 1e-12) << k.what;
        EXPECT_NEAR(at.p2, k.eta, 1e-12) << k.what;
    }
    reset_flexcap_tables();
}

// A slab of L x W meshed nx x ny from (-L/2, -W/2), its node coordinates
// advanced by adding the half steps as the deck writer does: element sizes
// that are not binary fractions, coordinates that carry the sums' round-off.
void summed_mesh(int nx, int ny, double L, double W) {
    const double a = L / nx, b = W / ny;
    test::slab_mesh(nx, ny, a, b, 0);
    int n = 0;
    double y = -W / 2;
    for (int r = 0; r <= 2 * ny; ++r, y += b / 2) {
        double x = -L / 2;
        const double dx = r % 2 == 0 ? a / 2 : a;
        for (int k = 0; k < (r % 2 == 0 ? 2 * nx + 1 : nx + 1); ++k, x += dx) FCTAB.XYNOD(1, ++n) = x, FCTAB.XYNOD(2, n) = y;
    }
}

// Points on centre lines, element sides, midside nodes and corners of meshes
// whose element sizes are not binary fractions (8 m meshed 5, 7, 9 and 11,
// 240 in meshed 7, 120 x 80 in meshed 3 x 3): each in the lowest-numbered
// element that holds it (elements row by row from the low corner), with its
// local coordinates; points just off the slab in none. With u, v the point's
// distance from the low corner in element sizes, the element is column
// ceil(u) - 1 (at least 0) of row ceil(v) - 1 and xi = 2 (u - column) - 1.
TEST(PointLocation, MeshesOfUnevenSizes) {
    struct Case {
        const char* what;
        int nx, ny;
        double L, W, X, Y;
        int e;
        double xi, eta;
    };
    const Case cases[] = {
        // 8 x 8 m in 5 x 5 elements of 1.6 m.
        {"slab centre, both centre lines", 5, 5, 8, 8, 0, 0, 13, 0, 0},
        {"on a column's centre line", 5, 5, 8, 8, 0, -3.6, 3, 0, -0.5},
        {"on a shared side", 5, 5, 8, 8, -0.8, 1.2, 17, 1, -0.5},
        {"midside node", 5, 5, 8, 8, 0, 0.8, 13, 0, 1},
        {"inner corner of four elements", 5, 5, 8, 8, -0.8, 0.8, 12, 1, 1},
        {"slab corner, high", 5, 5, 8, 8, 4, 4, 25, 1, 1},
        {"slab corner, low", 5, 5, 8, 8, -4, -4, 1, -1, -1},
        {"outer edge on a centre line", 5, 5, 8, 8, -4, 0, 11, -1, 0},
        {"corner pile at 3 m", 5, 5, 8, 8, 3, 3, 25, -0.25, -0.25},
        {"a micrometre off the edge", 5, 5, 8, 8, 4 + 1e-6, 0, 0, 0, 0},
        {"a micrometre below the slab's low edge", 5, 5, 8, 8, 0, -4 - 1e-6, 0, 0, 0},
        // 8 x 8 m in 7 x 7 elements of 8/7 m.
        {"7 x 7: slab centre", 7, 7, 8, 8, 0, 0, 25, 0, 0},
        {"7 x 7: edge pile at 3 m", 7, 7, 8, 8, 3, 0, 28, -0.75, 0},
        {"7 x 7: midside node of a side", 7, 7, 8, 8, -12.0 / 7, 0, 23, 1, 0},
        {"7 x 7: corner pile", 7, 7, 8, 8, -3, -3, 1, 0.75, 0.75},
        // 8 x 8 m in 9 x 9 and 11 x 11.
        {"9 x 9: slab centre", 9, 9, 8, 8, 0, 0, 41, 0, 0},
        {"11 x 11: slab centre", 11, 11, 8, 8, 0, 0, 61, 0, 0},
        {"11 x 11: pile at -3 m on the centre line", 11, 11, 8, 8, -3, 0, 57, -0.25, 0},
        // 240 x 240 in (20 ft) in 7 x 7.
        {"20 ft in 7: a load at -6 ft on the centre line", 7, 7, 240, 240, -72, 0, 23, -0.2, 0},
        {"20 ft in 7: slab centre", 7, 7, 240, 240, 0, 0, 25, 0, 0},
        {"20 ft in 7: pile at 6 ft, 6 ft", 7, 7, 240, 240, 72, 72, 41, 0.2, 0.2},
        {"20 ft in 7: midside node", 7, 7, 240, 240, -120 + 3 * 240.0 / 7, 0, 24, 1, 0},
        {"20 ft in 7: slab corner", 7, 7, 240, 240, 120, -120, 7, 1, -1},
        {"20 ft in 7: a ten-thousandth of an inch off", 7, 7, 240, 240, 120.0001, 0, 0, 0, 0},
        // 120 x 80 in in 3 x 3 elements of 40 x 80/3 in.
        {"120 x 80: cap centre", 3, 3, 120, 80, 0, 0, 5, 0, 0},
        {"120 x 80: midside node", 3, 3, 120, 80, 0, -40.0 / 3, 2, 0, 1},
        {"120 x 80: shared side on a centre line", 3, 3, 120, 80, -20, 0, 4, 1, 0},
        {"120 x 80: inner corner", 3, 3, 120, 80, -20, -40.0 / 3, 1, 1, 1},
        {"120 x 80: inside", 3, 3, 120, 80, 30, 10, 6, -0.5, 0.75},
        {"120 x 80: cap corner", 3, 3, 120, 80, 60, 40, 9, 1, 1},
        {"120 x 80: a thousandth off the long side", 3, 3, 120, 80, 0, 40.001, 0, 0, 0},
        {"120 x 80: a ten-thousandth off the corner", 3, 3, 120, 80, -60.0001, -40, 0, 0, 0},
    };
    for (const Case& k : cases) {
        summed_mesh(k.nx, k.ny, k.L, k.W);
        const Located at = locate(k.X, k.Y);
        EXPECT_EQ(at.e, k.e) << k.what;
        // A point not located keeps its coordinates.
        EXPECT_NEAR(at.p1, k.e > 0 ? k.xi : k.X, 1e-12) << k.what;
        EXPECT_NEAR(at.p2, k.e > 0 ? k.eta : k.Y, 1e-12) << k.what;
    }
    reset_flexcap_tables();
}

// An element with a node number outside the mesh is skipped, never read
// outside the coordinates; the point is found in the next element.
TEST(PointLocation, ElementWithBadNodeIsSkipped) {
    test::slab_mesh(2, 1, 1, 1, 0);
    FCTAB.ICONN(3, 1) = FCCTRL.NPOIN + 5;
    RTab P;
    ITab IEL;
    P.allocate(2, 1);
    IEL.allocate(1);
    P(1, 1) = 1.0;
    P(2, 1) = 0.5;
    FCLOCP(1, P, IEL, FCTAB.ICONN, FCTAB.XYNOD, FCCTRL, FCTAB.ELW);
    EXPECT_EQ(IEL(1), 2);
    EXPECT_NEAR(P(1, 1), -1.0, 1e-12);
    EXPECT_NEAR(P(2, 1), 0.0, 1e-12);
    reset_flexcap_tables();
}

}  // namespace
}  // namespace zolan
