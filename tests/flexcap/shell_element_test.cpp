// The eight-node shell element alone: Gauss rule, shape functions, Jacobian,
// constitutive and strain matrices, and the fatal end of a clockwise element.
#include <gtest/gtest.h>

#include <cmath>

#include "flexcap/shell_element.h"
#include "model/status_codes.h"
#include "report/run_files.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// Gauss abscissae and weights are the single-precision constants widened.
TEST(ShellElement, GaussRule) {
    struct Case { int n; double pos[3], wgt[3]; };
    const Case cases[] = {
        {1, {0, 0, 0}, {2, 0, 0}},
        {2, {-0.5773502588272095, 0.5773502588272095, 0}, {1, 1, 0}},
        {3, {-0.7745966911315918, 0, 0.7745966911315918}, {0.5555555820465088, 0.8888888955116272, 0.5555555820465088}},
    };
    for (const Case& c : cases) {
        ShellWork w;
        FCGAUS(c.n, w);
        for (int i = 1; i <= c.n; ++i) {
            EXPECT_EQ(w.GPPOS(i), c.pos[i - 1]) << c.n << " point " << i;
            EXPECT_EQ(w.GPWGT(i), c.wgt[i - 1]) << c.n << " point " << i;
        }
    }
}

// Partition of unity, derivative rows summing to zero, N(k) = 1 at node k and
// 0 at the other nodes; the derivatives agree with central differences.
TEST(ShellElement, ShapeFunctions) {
    const double pts[][2] = {{0.3, -0.7}, {-0.9, 0.2}, {0.55, 0.55}, {1, -1}};
    for (int nnode : {4, 8, 9}) {
        ShellWork w;
        for (const auto& p : pts) {
            FCSHAP(p[0], p[1], nnode, w);
            double s = 0, d1 = 0, d2 = 0;
            for (int k = 1; k <= nnode; ++k) {
                s += w.SHFN(k);
                d1 += w.SHDL(1, k);
                d2 += w.SHDL(2, k);
            }
            EXPECT_NEAR(s, 1, 1e-14) << nnode;
            EXPECT_NEAR(d1, 0, 1e-14) << nnode;
            EXPECT_NEAR(d2, 0, 1e-14) << nnode;
            const double h = 1e-6;
            ShellWork a, b;
            for (int dir = 1; dir <= 2; ++dir) {
                FCSHAP(p[0] + (dir == 1 ? h : 0), p[1] + (dir == 2 ? h : 0), nnode, a);
                FCSHAP(p[0] - (dir == 1 ? h : 0), p[1] - (dir == 2 ? h : 0), nnode, b);
                for (int k = 1; k <= nnode; ++k)
                    EXPECT_NEAR(w.SHDL(dir, k), (a.SHFN(k) - b.SHFN(k)) / (2 * h), 1e-8) << nnode << " node " << k;
            }
        }
        for (int j = 1; j <= nnode; ++j) {
            FCSHAP(XI_NODE[j - 1], ETA_NODE[j - 1], nnode, w);
            for (int k = 1; k <= nnode; ++k) EXPECT_NEAR(w.SHFN(k), k == j ? 1.0 : 0.0, 1e-15) << nnode << " at node " << j;
        }
    }
    // At the centre: eight nodes give -1/4 at the corners and 1/2 at the midsides.
    ShellWork w;
    FCSHAP(0, 0, 8, w);
    for (int k = 1; k <= 8; ++k) EXPECT_DOUBLE_EQ(w.SHFN(k), k <= 4 ? -0.25 : 0.5);
}

// Eight nodes of a rectangle a x b whose lower left corner is at (x0, y0),
// counterclockwise (or clockwise: corners 2 and 4 and the midsides swapped).
void rectangle(ShellWork& w, double x0, double y0, double a, double b, bool clockwise) {
    for (int k = 1; k <= 8; ++k) {
        const double s = XI_NODE[k - 1], t = ETA_NODE[k - 1];
        w.ELXY(1, k) = x0 + a * (1 + (clockwise ? t : s)) / 2;
        w.ELXY(2, k) = y0 + b * (1 + (clockwise ? s : t)) / 2;
    }
}

// A rectangle a x b: det = a b / 4 at every Gauss point and the Cartesian
// derivatives are the local ones times 2 / a and 2 / b.
TEST(ShellElement, RectangleJacobian) {
    const double a = 2, b = 1;
    ShellWork w;
    rectangle(w, 3, -1, a, b, false);
    FCGAUS(3, w);
    int g = 0, ISTAT = 0;
    for (int p = 1; p <= 3; ++p)
        for (int q = 1; q <= 3; ++q) {
            FCSHAP(w.GPPOS(p), w.GPPOS(q), 8, w);
            double det = 0;
            JACOB2(1, det, ++g, 8, w, ISTAT);
            ASSERT_EQ(ISTAT, 0);
            EXPECT_NEAR(det, a * b / 4, 1e-14);
            EXPECT_NEAR(w.GPXY(1, g), 3 + a * (1 + w.GPPOS(p)) / 2, 1e-14);
            EXPECT_NEAR(w.GPXY(2, g), -1 + b * (1 + w.GPPOS(q)) / 2, 1e-14);
            for (int k = 1; k <= 8; ++k) {
                EXPECT_NEAR(w.SHDX(1, k), 2 / a * w.SHDL(1, k), 1e-13);
                EXPECT_NEAR(w.SHDX(2, k), 2 / b * w.SHDL(2, k), 1e-13);
            }
        }
}

// Material 1: E 1000, nu 0.25, t 0.5.
RTab example_material() {
    RTab prmat;
    prmat.allocate(3, 1);
    prmat(1, 1) = 1000;
    prmat(2, 1) = 0.25;
    prmat(3, 1) = 0.5;
    return prmat;
}

// E 1000, nu 0.25, t 0.5: Dm = 1000 / 0.9375 = 1066.667, nu Dm = 266.667,
// Dm (1 - nu) / 2 = 400; Db = 1000 * 0.125 / (12 * 0.9375) = 11.1111,
// nu Db = 2.7778, Db * 0.375 = 4.16667; Ds = 500 / (1.25 * 2.4000000953674316)
// = 166.6666600 (just below 500 / 3 by the single-precision 2.4).
TEST(ShellElement, ConstitutiveMatrices) {
    RTab prmat = example_material();
    ShellWork w;
    FCDMEM(1, prmat, w);
    FCDPLT(1, prmat, w);
    const double dm[3][3] = {{3200.0 / 3, 800.0 / 3, 0}, {800.0 / 3, 3200.0 / 3, 0}, {0, 0, 400}};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) EXPECT_NEAR(w.DMEMB(i, j), dm[i - 1][j - 1], 1e-10);
    const double db = 100.0 / 9, ds = 500 / (1.25 * 2.4000000953674316);
    const double dp[5][5] = {{db, 0.25 * db, 0, 0, 0}, {0.25 * db, db, 0, 0, 0}, {0, 0, 0.375 * db, 0, 0}, {0, 0, 0, ds, 0}, {0, 0, 0, 0, ds}};
    for (int i = 1; i <= 5; ++i)
        for (int j = 1; j <= 5; ++j) EXPECT_NEAR(w.DPLAT(i, j), dp[i - 1][j - 1], 1e-10);
    EXPECT_NEAR(w.DPLAT(4, 4), 166.66666, 1e-5);
    EXPECT_LT(w.DPLAT(4, 4), 500.0 / 3);
}

// Patch test on a distorted eight-node element: a linear membrane field gives
// its constant strains, and a plate field w = a X + b Y with the rotations a
// and b gives constant curvatures 0 and no transverse shear.
TEST(ShellElement, StrainMatricesReproduceLinearFields) {
    ShellWork w;
    const double xy[8][2] = {{0, 0}, {3, 0.2}, {2.8, 2.5}, {-0.3, 2}, {1.5, 0.05}, {2.95, 1.3}, {1.2, 2.3}, {-0.1, 1.05}};
    for (int k = 1; k <= 8; ++k) {
        w.ELXY(1, k) = xy[k - 1][0];
        w.ELXY(2, k) = xy[k - 1][1];
    }
    const double c1 = 0.3, c2 = -0.2, c3 = 0.7, c4 = 0.11, pa = 0.4, pb = -0.9;
    RTab prmat = example_material();
    FCDMEM(1, prmat, w);
    FCGAUS(2, w);
    int ISTAT = 0, g = 0;
    for (int p = 1; p <= 2; ++p)
        for (int q = 1; q <= 2; ++q) {
            FCSHAP(w.GPPOS(p), w.GPPOS(q), 8, w);
            double det = 0;
            JACOB2(1, det, ++g, 8, w, ISTAT);
            ASSERT_EQ(ISTAT, 0);
            FCBMEM(8, w);
            FCBPLT(8, w);
            FCDBMM(8, w);
            double em[3] = {0, 0, 0}, ep[5] = {0, 0, 0, 0, 0}, sm[3] = {0, 0, 0};
            for (int k = 1; k <= 8; ++k) {
                const double x = w.ELXY(1, k), y = w.ELXY(2, k);
                const double u[2] = {c1 * x + c2 * y, c3 * x + c4 * y}, pl[3] = {pa * x + pb * y, pa, pb};
                for (int i = 0; i < 3; ++i)
                    for (int m = 0; m < 2; ++m) {
                        em[i] += w.BMEMB(i + 1, 2 * (k - 1) + m + 1) * u[m];
                        sm[i] += w.DBMEM(i + 1, 2 * (k - 1) + m + 1) * u[m];
                    }
                for (int i = 0; i < 5; ++i)
                    for (int m = 0; m < 3; ++m) ep[i] += w.BPLAT(i + 1, 3 * (k - 1) + m + 1) * pl[m];
            }
            EXPECT_NEAR(em[0], c1, 1e-12);
            EXPECT_NEAR(em[1], c4, 1e-12);
            EXPECT_NEAR(em[2], c2 + c3, 1e-12);
            // sigma = D eps: 1066.667 (c1 + 0.25 c4), 1066.667 (0.25 c1 + c4), 400 (c2 + c3).
            EXPECT_NEAR(sm[0], 3200.0 / 3 * (c1 + 0.25 * c4), 1e-9);
            EXPECT_NEAR(sm[1], 3200.0 / 3 * (0.25 * c1 + c4), 1e-9);
            EXPECT_NEAR(sm[2], 400 * (c2 + c3), 1e-9);
            for (int i = 0; i < 5; ++i) EXPECT_NEAR(ep[i], 0, 1e-12) << "plate strain " << i + 1;
        }
}

// A clockwise element: det = -a b / 4, the JACOB2 message naming the element
// on the slab listing, the slab analysis ends with its status, and the
// process goes on: a valid element is mapped afterwards.
TEST(ShellElement, ClockwiseElementIsFatal) {
    test::TempDir dir;
    ASSERT_TRUE(io::open_unit(FCLSFILE, "listing", {}));
    ShellWork w;
    rectangle(w, 0, 0, 2, 1, true);
    FCSHAP(0, 0, 8, w);
    double det = 0;
    int ISTAT = 0;
    JACOB2(7, det, 1, 8, w, ISTAT);
    EXPECT_DOUBLE_EQ(det, -0.5);
    EXPECT_EQ(ISTAT, ISSLAB);
    EXPECT_FALSE(status_texts(ISSLAB).empty());
    FCRELEASE();
    EXPECT_FALSE(io::unit_open(FCLSFILE));
    EXPECT_EQ(test::read_file("listing"),
              "\n\n PROGRAM HALTED IN SUBROUTINE JACOB2\n            ZERO OR NEGATIVE AREA\n           ELEMENT NUMBER     7\n");
    rectangle(w, 0, 0, 2, 1, false);
    ISTAT = 0;
    JACOB2(8, det, 1, 8, w, ISTAT);
    EXPECT_EQ(ISTAT, 0);
    EXPECT_DOUBLE_EQ(det, 0.5);
}

}  // namespace
}  // namespace zolan
