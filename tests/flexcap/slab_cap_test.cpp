// The slab on piles as the flexible cap of the pile group: the decks written
// from a cap (read back to the same mesh, loads and pile points; the keyword
// deck line by line), and the rigid-plate limit, where a very stiff slab on
// four linear piles must give the rigid-cap solution of the group.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "flexcap/slab_analysis.h"
#include "flexcap/slab_program.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "report/run_files.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// Cap 120 long (Y) and 80 wide (Z), 10 thick, on four piles at Y = +-40,
// Z = +-20; the model tables back to their start at the end.
struct Cap {
    Cap(int nx, int ny, double E) {
        reset_input_tables();
        reset_pile_tables();
        reset_case_tables();
        CAPLEN = 120, CAPWID = 80, CAPTHK = 10;
        FCNX = nx, FCNY = ny, FCEMOD = E, FCPOIS = 0.2;
        NPILES = 4;
        const double yz[4][2] = {{-40, 20}, {40, 20}, {-40, -20}, {40, -20}};
        for (int i = 1; i <= 4; ++i) CORX(i) = 0, CORY(i) = yz[i - 1][0], CORZ(i) = yz[i - 1][1], BETA(i) = M_PI / 2;
        KCONN(2) = 1;
        DTINIT = 0.5, DTCMIN = 0.001, MAXITC = 20, TOLREL = 0.001;
    }
    ~Cap() {
        reset_input_tables();
        reset_pile_tables();
        reset_case_tables();
        reset_flexcap_tables();
    }
};

CAPVEC load(double p1, double p4, double p5, double p6) {
    CAPVEC P;
    P.fill(0);
    P(1) = p1, P(4) = p4, P(5) = p5, P(6) = p6;
    return P;
}

// Linear piles: head stiffness Kp = diag(kv, kh, kh, kr1, kr2, kr3) in cap
// axes, forces -Kp d on the cap and tangent -Kp.
constexpr double KP[6] = {1000, 100, 100, 50, 3e5, 7e5};
void linear_piles(int n, RTab& D, RTab& F, RTab& K) {
    for (int r = 1; r <= n; ++r)
        for (int i = 1; i <= 6; ++i) {
            F(i, r) = -KP[i - 1] * D(i, r);
            for (int j = 1; j <= 6; ++j) K(i, j, r) = i == j ? -KP[i - 1] : 0.0;
        }
}

// A stiff slab (E 1e9 against piles of 1000) under a vertical load, a tilt
// moment about cap Y and one about cap Z. Rigid cap by hand: with the heads
// at (0, y, z), d_X = u1 + phiY z - phiZ y and the rotations phi; equilibrium
// of P with the pile forces gives u1 = P1 / (4 kv), phiY = P5 / (4 (400 kv +
// kr2)), phiZ = P6 / (4 (1600 kv + kr3)), the other components zero.
TEST(SlabCap, RigidPlateMatchesTheRigidCap) {
    test::TempDir dir;
    test::Seams seams;
    std::vector<double> last;
    flexcap_services.piles = [&last](int n, RTab& D, RTab& F, RTab& K) {
        linear_piles(n, D, F, K);
        last.assign(D.data(), D.data() + 6 * n);
    };
    Cap cap(6, 4, 1e9);
    const double P1 = 400, P5 = 8000, P6 = -12000;
    int ISTAT = 0;
    FCDECK(load(P1, 0, P5, P6), "slab.dat", "slab.key", ISTAT);
    ASSERT_EQ(ISTAT, 0);
    FCSLAB({"slab.dat", "listing", "results", "log"}, ISTAT);
    ASSERT_EQ(ISTAT, 0);
    const double kv = KP[0];
    const double u1 = P1 / (4 * kv), phiY = P5 / (4 * (400 * kv + KP[4])), phiZ = P6 / (4 * (1600 * kv + KP[5]));
    // The last call of the piles is the final response at the converged slab.
    ASSERT_EQ(last.size(), 24u);
    double sumF = 0, sumMY = 0, sumMZ = 0;
    for (int r = 0; r < 4; ++r) {
        const double* d = &last[6 * static_cast<std::size_t>(r)];
        const double y = CORY(r + 1), z = CORZ(r + 1);
        const double dx = u1 + phiY * z - phiZ * y;
        EXPECT_NEAR(d[0], dx, 2e-3 * std::fabs(dx)) << "pile " << r + 1;
        EXPECT_NEAR(d[1], 0, 1e-9);
        EXPECT_NEAR(d[2], 0, 1e-9);
        EXPECT_NEAR(d[3], 0, 1e-9);
        EXPECT_NEAR(d[4], phiY, 2e-3 * std::fabs(phiY)) << "pile " << r + 1;
        EXPECT_NEAR(d[5], phiZ, 2e-3 * std::fabs(phiZ)) << "pile " << r + 1;
        const double FX = -kv * d[0];
        sumF += FX;
        sumMY += z * FX - KP[4] * d[4];
        sumMZ += -y * FX - KP[5] * d[5];
    }
    // The pile forces balance the load.
    EXPECT_NEAR(sumF + P1, 0, 1e-3 * P1);
    EXPECT_NEAR(sumMY + P5, 0, 1e-3 * P5);
    EXPECT_NEAR(sumMZ + P6, 0, 1e-3 * std::fabs(P6));
}

}  // namespace
}  // namespace zolan
