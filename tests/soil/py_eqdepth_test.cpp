// Equivalent depth of a layer in layered soil: the depth z at which the
// layer's own soil, from the ground surface down, builds the resistance S
// of the layers above; for the clays F(z) = 3 c b z + (0.25 c + 0.5 gamma' b) z^2
// down to xr, then the slope 9 c b (times 0.72 for cyclic soft clay).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "soil/py_curves.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

// Pile row 1 of diameter b, head at the ground line (XTOP = GROUND = 0),
// nincr increments of h, unit weight gamma everywhere:
// clay_pile(b, h, nincr, gamma, {{top, bottom, code, c, e50[, J = 0.5]}, ...});
// node k at (k - 1) h belongs to the layer with top <= x < bottom (the last
// layer to its bottom).
using test::clay_pile;
using test::Springs;

class EqDepth : public test::PyModelTest {};

// The layer's soil in the direct cases: b = 24 in, c = 1000/144 psi,
// gamma' = 50/1728 pci: c b = 166.667, B = 3 c b = 500, A = 0.25 c + 0.5 gamma' b
// = 1.736111 + 0.347222 = 2.083333, xr = 6 c b / (0.5 c + gamma' b) = 1000 / 4.166667
// = 240, F(xr) = 500 * 240 + 2.083333 * 57600 = 240000, slope 9 c b = 1500.
constexpr double B = 24, C = 1000.0 / 144, G = 50.0 / 1728;

// S from the layers above (sand or clay, one or two of them), both branches
// of F, the cyclic factor of soft clay, S = 0.
TEST_F(EqDepth, ClayBelowOtherLayers) {
    struct Case {
        const char* what;
        int layer, code, loadtyp;
        double J;
        double above[2];  // PUSUM of layers 1 and 2
        double z;
    };
    const Case cases[] = {
        // Root of A z^2 + B z = S: (sqrt(500^2 + 4 * 2.083333 * 11100) - 500) / 4.166667
        //   = (585.235 - 500) / 4.166667 = 20.456399.
        {"soft clay below sand", 2, 1, 1, 0.5, {11100, 0}, 20.4563989286},
        {"soft clay below two layers", 3, 1, 1, 0.5, {5000, 6100}, 20.4563989286},
        // Cyclic: S' = 11100 / 0.72 = 15416.67: (sqrt(250000 + 128472.2) - 500) / 4.166667 = 27.648231.
        {"cyclic soft clay", 2, 1, 0, 0.5, {11100, 0}, 27.6482306023},
        // Beyond xr: 240 + (300000 - 240000) / 1500 = 280; cyclic 240 + (216000 - 172800) / 1080 = 280.
        {"soft clay beyond xr", 2, 1, 1, 0.5, {300000, 0}, 280.0},
        {"cyclic soft clay beyond xr", 2, 1, 0, 0.5, {216000, 0}, 280.0},
        {"no resistance above", 2, 1, 1, 0.5, {0, 0}, 0.0},
        {"cyclic, no resistance above", 2, 1, 0, 0.5, {0, 0}, 0.0},
        // Code 13 with J = 1 (the resistance 3 c b + gamma' b z + J c z summed):
        // A = 0.5 c + 0.5 gamma' b = 3.819444: (sqrt(250000 + 169583.3) - 500) / 7.638889 = 19.342149.
        {"code 13, J = 1", 2, 13, 1, 1.0, {11100, 0}, 19.3421486959},
        {"code 13, J = 0.5", 2, 13, 1, 0.5, {11100, 0}, 20.4563989286},
        // Stiff clay without free water, ca = c: xr = (9c - 3c) b / (0.5 c + gamma' b) = 240,
        // the same F and no cyclic factor.
        {"stiff clay", 2, 3, 1, 0.5, {11100, 0}, 20.4563989286},
        {"stiff clay, cyclic", 2, 3, 0, 0.5, {11100, 0}, 20.4563989286},
        {"stiff clay with k beyond xr", 2, 10, 0, 0.5, {300000, 0}, 280.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clay_pile(B, 12, 20, G, {{0, 48, 4, 0, 0}, {48, 96, 1, C, 0}, {96, 240, 1, C, 0}});
        ISOIL(c.layer) = c.code;
        LOADTYP = c.loadtyp;
        PUSUM(1, 1) = c.above[0];
        PUSUM(1, 2) = c.above[1];
        EqDepthSoil soil;
        soil.b = B;
        soil.cu = soil.ca = C;
        soil.gamma = G;
        soil.J = c.J;
        EQDEPTH(1, c.layer, 1, soil);
        EXPECT_NEAR(EQDEP(1, c.layer), c.z, 1e-6 * std::max(1.0, c.z));
    }
}

// Through the generators: layer 1 (soft clay, c = 500/144 psi, 0..48 in) sums
// S = 12 (pu(12) + pu(24) + pu(36)) (the head node at the ground line has no
// spring), pu(z) = (3 + 7 z / 240) * 83.333 = 279.167, 308.333, 337.5:
// S = 12 * 925 = 11100 static, 0.72 * 11100 cyclic (then S' = 11100 again).
// Layer 2 (c = 1000/144) takes z = 20.456399 (above), and its nodes the depth
// x - 48 + z: pu = (3 + 0.025 zeq) * 166.667 = 500 + 4.166667 zeq, reached at
// 8 y50 (e50 = 0.005 in both layers, so that the mean of the two values that
// the lookup takes at the boundary is 0.005 too: y50 = 0.3).
TEST_F(EqDepth, SumOfTheClayAboveThroughTheGenerators) {
    for (int loadtyp : {1, 0}) {
        SCOPED_TRACE(loadtyp);
        clay_pile(B, 12, 20, G, {{0, 48, 1, C / 2, 0.005}, {48, 240, 1, C, 0.005}});
        LOADTYP = loadtyp;
        const double y50 = 2.5 * 0.005 * B;  // 0.3
        test::form_layered_state();
        Springs s;
        ASSERT_EQ(s.run(8 * y50), 0);
        EXPECT_NEAR(PUSUM(1, 1), loadtyp == 1 ? 11100 : 0.72 * 11100, 1e-7 * 11100);
        EXPECT_NEAR(EQDEP(1, 2), 20.4563989286, 1e-7 * 20.46);
        if (loadtyp == 1) {
            EXPECT_NEAR(s.p(5), 500 + 4.166666667 * 20.4563989286, 1e-7 * 585.2);  // 585.235 at the layer's top
            EXPECT_NEAR(s.p(6), 500 + 4.166666667 * 32.4563989286, 1e-7 * 635.2);  // 635.235
        }
    }
}

// A layer without strength cannot build the resistance of the layers above:
// no finite depth exists, nothing is stored (EQDEP keeps 0, "not computed"),
// and the layer's curves stay 0 with no NaN anywhere.
TEST_F(EqDepth, LayerWithoutCohesion) {
    struct Case {
        int code;
        double cu, gamma;
    };
    // Soft clay: xr = 0, F(xr) = 0, z = S / (9 * 0 * b); stiff clay: the same;
    // with gamma' = 0 as well xr = 0 / 0.
    const Case cases[] = {{1, 0, G}, {1, 0, 0}, {13, 0, G}, {3, 0, G}, {10, 0, 0}, {2, 0, G}};
    for (const Case& c : cases) {
        for (int loadtyp : {1, 0}) {
            SCOPED_TRACE(testing::Message() << "code " << c.code << " gamma " << c.gamma << " loadtyp " << loadtyp);
            clay_pile(B, 12, 20, G, {{0, 48, 1, C, 0}, {48, 240, c.code, c.cu, 0}});
            LOADTYP = loadtyp;
            PUSUM(1, 1) = 11100;
            EqDepthSoil soil;
            soil.b = B;
            soil.gamma = c.gamma;
            EQDEPTH(1, 2, 1, soil);
            EXPECT_EQ(EQDEP(1, 2), 0.0);
        }
    }
    // The generators: soft clay over soft clay of no cohesion (the boundary
    // between nodes, where the cohesion curve has no two values).
    for (int loadtyp : {1, 0}) {
        clay_pile(B, 12, 20, G, {{0, 42, 1, C, 0}, {42, 240, 1, 0, 0}});
        LOADTYP = loadtyp;
        test::form_layered_state();
        for (double Y : {0.0, 0.5}) {
            Springs s;
            ASSERT_EQ(s.run(Y), 0);
            EXPECT_EQ(EQDEP(1, 2), 0.0);
            EXPECT_EQ(PUSUM(1, 2), 0.0);
            for (int k = 5; k <= 21; ++k) {
                EXPECT_EQ(s.p(k), 0.0) << "node " << k;
                EXPECT_EQ(s.es(k), 0.0) << "node " << k;
            }
        }
    }
}

}  // namespace
}  // namespace zolan
