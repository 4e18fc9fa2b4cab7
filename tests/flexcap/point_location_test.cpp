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
    };
    for (const Case& k : cases) {
        if (k.mesh == 1) test::slab_mesh(2, 1, 1, 1, 0);
        else if (k.mesh == 4) cap_mesh();
        else turned_element(1.5, k.mesh == 2 ? 30 : 90, 10, 0);
        RTab P;
        ITab IEL;
        P.allocate(2, 1);
        IEL.allocate(1);
        P(1, 1) = k.X;
        P(2, 1) = k.Y;
        IEL(1) = -7;
        FCLOCP(1, P, IEL, FCTAB.ICONN, FCTAB.XYNOD, FCCTRL, FCTAB.ELW);
        EXPECT_EQ(IEL(1), k.e) << k.what;
        EXPECT_NEAR(P(1, 1), k.xi, 1e-12) << k.what;
        EXPECT_NEAR(P(2, 1), k.eta, 1e-12) << k.what;
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
