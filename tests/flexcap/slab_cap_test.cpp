// The slab on piles as the flexible cap of the pile group: the decks written
// from a cap (read back to the same mesh, loads and pile points; the keyword
// deck line by line), and the rigid-plate limit, where a very stiff slab on
// four linear piles must give the rigid-cap solution of the group.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "flexcap/shell_element.h"
#include "flexcap/slab_analysis.h"
#include "flexcap/slab_program.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "model/status_codes.h"
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
        CAPLEN = 120, CAPWPL = 80, CAPTHK = 10;
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

// A solve of a load case with no load records: its load stands at the origin.
SolveRequest request(const CAPVEC& P) {
    SolveRequest r;
    r.load = P;
    return r;
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

// A stiff slab (E 1e9 against piles of 1000) under a vertical load, a
// lateral load P2 = 300, a tilt moment about cap Y and one about cap Z. Rigid cap by hand: with the heads
// at (0, y, z), d_X = u1 + phiY z - phiZ y and the rotations phi; equilibrium
// of P with the pile forces gives u1 = P1 / (4 kv), phiY = P5 / (4 (400 kv +
// kr2)), phiZ = P6 / (4 (1600 kv + kr3)), u2 = P2 / (4 kh), the others zero.
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
    CAPVEC PP = load(P1, 0, P5, P6);
    PP(2) = 300;
    FCDECK(origin_load(PP), "slab.dat", "slab.key", ISTAT);
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
        EXPECT_NEAR(d[1], 300 / (4 * KP[1]), 1e-5 * 0.75);
        EXPECT_NEAR(d[2], 0, 1e-5 * 0.75);
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

// Two elements (FCNX 2, FCNY 1) over the cap 120 x 80 under a load with a torque of 100 (radius
// a = 10, thickness the smallest) on two piles, the second pinned.
void small_decks() {
    int ISTAT = 0;
    FCDECK(origin_load(load(400, 100, 8000, -12000)), "slab.dat", "slab.key", ISTAT);
    ASSERT_EQ(ISTAT, 0);
}

// The keyword deck of the small cap, checked line by line once: the mesh of
// the cap axes (node 1 at Y -60, Z 40, node 13 at 60, -40), the cap load
// without its torque, eight couples of force 100 / (8 a) = 1.25 (G = 1.25 /
// sqrt 2) summing to the torque, a spring record per pile (three zeros for
// the pinned head), the stepping.
TEST(SlabCap, KeywordDeckGolden) {
    test::TempDir dir;
    Cap cap(2, 1, 3e6);
    NPILES = 2;
    small_decks();
    EXPECT_EQ(test::read_file("slab.key"), test::read_file(std::string(ZOLAN_FIXTURES_DIR) + "/golden/slab_small.key"));
}

// The numeric deck reads back through the deck reader to the same mesh (in
// the slab's axes X, Y = cap Z, Y), loads and pile points; the couples sum
// to the torque about the vertical (slab Z = -cap X).
TEST(SlabCap, NumericDeckReadsBack) {
    test::TempDir dir;
    Cap cap(2, 1, 3e6);
    NPILES = 2;
    small_decks();
    int ISTAT = 0;
    FCHEAD("slab.dat", "listing", "log", ISTAT);
    ASSERT_EQ(ISTAT, 0);
    FCREAD(ISTAT);
    ASSERT_EQ(ISTAT, 0);
    EXPECT_EQ(FCCTRL.NPOIN, 13);
    EXPECT_EQ(FCCTRL.NELEM, 2);
    const int conn[2][8] = {{1, 3, 11, 9, 2, 7, 10, 6}, {3, 5, 13, 11, 4, 8, 12, 7}};
    for (int e = 1; e <= 2; ++e)
        for (int k = 1; k <= 8; ++k) EXPECT_EQ(FCTAB.ICONN(k, e), conn[e - 1][k - 1]);
    const double xy[4][3] = {{1, 40, -60}, {6, 0, -60}, {8, 0, 60}, {13, -40, 60}};
    for (const auto& n : xy) {
        EXPECT_EQ(FCTAB.XYNOD(1, static_cast<int>(n[0])), n[1]);
        EXPECT_EQ(FCTAB.XYNOD(2, static_cast<int>(n[0])), n[2]);
    }
    EXPECT_EQ(FCTAB.PRMAT(1, 1), 3e6);
    EXPECT_EQ(FCTAB.PRMAT(3, 1), 10);
    EXPECT_EQ(FCCTRL.DT, 0.5);
    EXPECT_EQ(FCCTRL.DTMIN, 0.001);
    // Loads: slab s = A p; every point found again where it was written.
    ASSERT_EQ(FCCTRL.NCLOD, 9);
    const double cap_load[6] = {0, 0, -400, -8000, -12000, 0};  // P3, P2, -P1, -P5, P6 and no torque
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(FCTAB.VCLOD(i, 1), cap_load[i - 1]);
    const auto where = [](int e, double xi, double eta, double& X, double& Y) {
        FCSHAP(xi, eta, 8, FCTAB.ELW);
        X = Y = 0;
        for (int k = 1; k <= 8; ++k) {
            X += FCTAB.ELW.SHFN(k) * FCTAB.XYNOD(1, FCTAB.ICONN(k, e));
            Y += FCTAB.ELW.SHFN(k) * FCTAB.XYNOD(2, FCTAB.ICONN(k, e));
        }
    };
    const double a = 10, d = a * std::sqrt(0.5);
    const double points[9][2] = {{0, 0}, {0, a}, {a, 0}, {0, -a}, {-a, 0}, {d, d}, {d, -d}, {-d, -d}, {-d, d}};
    double torque = 0;
    for (int r = 1; r <= 9; ++r) {
        ASSERT_GT(FCTAB.ICLEL(r), 0) << "load " << r;
        double X = 0, Y = 0;
        where(FCTAB.ICLEL(r), FCTAB.PCLOD(1, r), FCTAB.PCLOD(2, r), X, Y);
        EXPECT_NEAR(X, points[r - 1][0], 1e-9) << "load " << r;
        EXPECT_NEAR(Y, points[r - 1][1], 1e-9) << "load " << r;
        torque += X * FCTAB.VCLOD(2, r) - Y * FCTAB.VCLOD(1, r);
    }
    EXPECT_NEAR(-torque, 100, 1e-9);
    ASSERT_EQ(FCCTRL.NCTSTI, 2);
    EXPECT_EQ(FCCTRL.KPSPR, 1);
    for (int r = 1; r <= 2; ++r) {
        double X = 0, Y = 0;
        where(FCTAB.ICTEL(r), FCTAB.PCTST(1, r), FCTAB.PCTST(2, r), X, Y);
        EXPECT_NEAR(X, CORZ(r), 1e-9);
        EXPECT_NEAR(Y, CORY(r), 1e-9);
    }
    FCRELEASE();
}

// An initial increment above 1 is one step at the full load, as the rigid cap
// takes it: the deck's own rule (no step when TINI + DT passes TEND) would
// leave the analysis unsolved while the run reports it completed.
TEST(SlabCap, InitialIncrementAboveOneIsOneFullStep) {
    test::TempDir dir;
    Cap cap(2, 1, 3e6);
    NPILES = 2;
    DTINIT = 2.0;
    small_decks();
    int ISTAT = 0;
    FCHEAD("slab.dat", "listing", "log", ISTAT);
    ASSERT_EQ(ISTAT, 0);
    EXPECT_EQ(FCCTRL.DT, 1.0);
    FCRELEASE();
}

// Decks only: both decks under names of their own beside the results report
// (the input data file untouched), the file list of five 75-column names; the
// torque's circle kept on the slab, and refused when there is none.
TEST(SlabCap, DecksOnlyAndRefusedTorque) {
    test::TempDir dir;
    Cap cap(2, 1, 3e6);
    const std::string saved[3] = {FINPUT, FRESULT, FPLOT};
    FCOPT = 2;
    FINPUT = "case.in", FRESULT = "results.txt", FPLOT = "plot.txt";
    test::write_file("case.in", "INPUT\n");
    int ISTAT = 0;
    FLEXCAP(request(load(400, 100, 0, 0)), ISTAT);
    EXPECT_EQ(ISTAT, 0);
    EXPECT_EQ(test::read_file("case.in"), "INPUT\n");
    EXPECT_EQ(test::lines_of(test::read_file("case_slab.dat"))[0], " TEST OF ZOLAN5_FC");
    EXPECT_EQ(test::lines_of(test::read_file("case_slab.key"))[0], " ZOLAN5_FC");
    const std::vector<std::string> list = test::lines_of(test::read_file("gslab.dat"));
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0], "plot.txt" + std::string(67, ' '));
    EXPECT_EQ(list[1], "case_slab.dat" + std::string(62, ' '));
    EXPECT_EQ(list[3], "results.txt" + std::string(64, ' '));
    // The circle of the torque stays on the slab: with the width offset 35 the
    // origin is 5 from the edge (couple 1 at slab X 0, Y 5, force 100 / 40).
    FCYOFF = 35;
    FLEXCAP(request(load(400, 100, 0, 0)), ISTAT);
    EXPECT_EQ(ISTAT, 0);
    const std::vector<std::string> deck = test::lines_of(test::read_file("case_slab.dat"));
    EXPECT_EQ(deck[3 + 2 + 13 + 1 + 1].substr(0, 75),
              "   0.0000000000000000E+00   5.0000000000000000E+00   2.5000000000000000E+00");
    // No circle: a zero thickness, or the origin off the slab.
    for (const auto& [thk, off] : {std::pair{0.0, 0.0}, std::pair{10.0, 45.0}}) {
        CAPTHK = thk, FCYOFF = off;
        FAILTXT.clear();
        ISTAT = 0;
        FLEXCAP(request(load(400, 100, 0, 0)), ISTAT);
        EXPECT_EQ(ISTAT, ISSLAB);
        ASSERT_FALSE(FAILTXT.empty());
        EXPECT_NE(FAILTXT.back().find("NO RADIUS FOR THE TORQUE"), std::string::npos);
    }
    FINPUT = saved[0], FRESULT = saved[1], FPLOT = saved[2];
    FAILTXT.clear();
}

}  // namespace
}  // namespace zolan
