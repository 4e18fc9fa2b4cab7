// The frontal solver against a dense solve of the assembled system: random
// symmetric positive definite element matrices (whose lower triangles hold
// other numbers: only the upper ones count), restraints with prescribed
// values, displacements and reactions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "flexcap/slab_program.h"
#include "model/status_codes.h"
#include "report/run_files.h"
#include "support/slab_mesh.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// Dense Gaussian elimination with partial pivoting: A x = b, A n x n by rows.
std::vector<double> dense_solve(std::vector<double> A, std::vector<double> b) {
    const std::size_t n = b.size();
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t p = k;
        for (std::size_t i = k + 1; i < n; ++i)
            if (std::fabs(A[i * n + k]) > std::fabs(A[p * n + k])) p = i;
        for (std::size_t j = 0; j < n; ++j) std::swap(A[k * n + j], A[p * n + j]);
        std::swap(b[k], b[p]);
        for (std::size_t i = k + 1; i < n; ++i) {
            const double f = A[i * n + k] / A[k * n + k];
            for (std::size_t j = k; j < n; ++j) A[i * n + j] -= f * A[k * n + j];
            b[i] -= f * b[k];
        }
    }
    std::vector<double> x(n);
    for (std::size_t i = n; i-- > 0;) {
        double s = b[i];
        for (std::size_t j = i + 1; j < n; ++j) s -= A[i * n + j] * x[j];
        x[i] = s / A[i * n + i];
    }
    return x;
}

// Random element matrices M M^T + NEVAB I in the upper triangle, noise below
// it, random right-hand sides.
void random_elements(std::mt19937& gen) {
    std::uniform_real_distribution<double> u(-1, 1);
    const int n = FCCTRL.NEVAB;
    std::vector<double> M(static_cast<std::size_t>(n) * n);
    for (int e = 1; e <= FCCTRL.NELEM; ++e) {
        for (double& m : M) m = u(gen);
        for (int a = 1; a <= n; ++a) {
            for (int b = a; b <= n; ++b) {
                double s = a == b ? n : 0;
                for (int k = 0; k < n; ++k) s += M[(a - 1) * n + k] * M[(b - 1) * n + k];
                FCTAB.ELSTF(a, b, e) = s;
                if (b > a) FCTAB.ELSTF(b, a, e) = 100 * u(gen);
            }
            FCTAB.ELLOD(a, e) = 10 * u(gen);
        }
    }
}

// Restraint records: node, six codes (1 restrained, 0 or 2 free), six values.
struct Restraint { int node; int code[6]; };

TEST(FrontalSolver, MatchesDenseSolve) {
    test::TempDir dir;
    struct Case { int nx, ny; unsigned seed; std::vector<Restraint> fix; };
    const std::vector<Case> cases = {
        {2, 2, 1, {{1, {1, 1, 1, 1, 1, 1}}, {5, {1, 0, 2, 1, 0, 1}}}},
        {3, 1, 7, {}},
        {1, 3, 11, {{4, {0, 0, 1, 0, 0, 0}}, {10, {1, 1, 1, 0, 0, 0}}, {18, {2, 2, 2, 2, 2, 1}}}},
        {3, 2, 3, {{29, {1, 1, 1, 1, 1, 1}}}},  // front of 73 (below)
    };
    for (const Case& c : cases) {
        const int nfix = static_cast<int>(c.fix.size());
        test::slab_mesh(c.nx, c.ny, 2, 1.5, nfix);
        std::mt19937 gen(c.seed);
        std::uniform_real_distribution<double> u(-1, 1);
        random_elements(gen);
        for (int r = 1; r <= nfix; ++r) {
            FCTAB.IFXND(r) = c.fix[r - 1].node;
            for (int i = 1; i <= 6; ++i) {
                FCTAB.IFXCD(i, r) = c.fix[r - 1].code[i - 1];
                FCTAB.FXVAL(i, r) = 0.1 * u(gen);
            }
        }
        int ISTAT = 0;
        CHECK2(FCTAB.XYNOD, FCTAB.IFXND, FCTAB.IFXCD, FCTAB.ICONN, FCTAB.IMATE, ISTAT);
        FCFRALLOC(ISTAT);
        ASSERT_EQ(ISTAT, 0);
        std::vector<int> conn(FCTAB.ICONN.data(), FCTAB.ICONN.data() + FCTAB.ICONN.size());

        // Dense system from the upper triangles, the restrained variables fixed.
        const int N = 6 * FCCTRL.NPOIN;
        std::vector<double> K(static_cast<std::size_t>(N) * N), f(N), z(N);
        std::vector<bool> fixed(N);
        for (int e = 1; e <= FCCTRL.NELEM; ++e)
            for (int a = 1; a <= 48; ++a) {
                const int va = (FCTAB.ICONN((a - 1) / 6 + 1, e) - 1) * 6 + (a - 1) % 6;
                f[va] += FCTAB.ELLOD(a, e);
                for (int b = 1; b <= 48; ++b) {
                    const int vb = (FCTAB.ICONN((b - 1) / 6 + 1, e) - 1) * 6 + (b - 1) % 6;
                    K[static_cast<std::size_t>(va) * N + vb] += FCTAB.ELSTF(std::min(a, b), std::max(a, b), e);
                }
            }
        for (int r = 1; r <= nfix; ++r)
            for (int i = 1; i <= 6; ++i) {
                const int v = (FCTAB.IFXND(r) - 1) * 6 + i - 1;
                if (FCTAB.IFXCD(i, r) != 1) continue;
                fixed[v] = true;
                z[v] = FCTAB.FXVAL(i, r);
            }
        std::vector<int> freev;
        for (int v = 0; v < N; ++v)
            if (!fixed[v]) freev.push_back(v);
        const std::size_t nf = freev.size();
        std::vector<double> Kff(nf * nf), rhs(nf);
        for (std::size_t i = 0; i < nf; ++i) {
            rhs[i] = f[freev[i]];
            for (int v = 0; v < N; ++v)
                if (fixed[v]) rhs[i] -= K[static_cast<std::size_t>(freev[i]) * N + v] * z[v];
            for (std::size_t j = 0; j < nf; ++j) Kff[i * nf + j] = K[static_cast<std::size_t>(freev[i]) * N + freev[j]];
        }
        const std::vector<double> xf = dense_solve(Kff, rhs);
        std::vector<double> x = z, react(N);
        for (std::size_t i = 0; i < nf; ++i) x[freev[i]] = xf[i];
        for (int v = 0; v < N; ++v) {
            if (!fixed[v]) continue;
            double s = -f[v];
            for (int w = 0; w < N; ++w) s += K[static_cast<std::size_t>(v) * N + w] * x[w];
            react[v] = s;
        }

        FCTAB.DSDIS.fill(0);
        FCSOLV(FCTAB.FXVAL, FCTAB.DSDIS, FCTAB.ELLOD, FCTAB.IFXND, FCTAB.REACT, FCTAB.ELSTF, FCTAB.IFXCD, FCTAB.ICONN, ISTAT);
        ASSERT_EQ(ISTAT, 0);
        double xmax = 0, rmax = 0;
        for (int v = 0; v < N; ++v) {
            xmax = std::max(xmax, std::fabs(x[v]));
            rmax = std::max(rmax, std::fabs(react[v]));
        }
        for (int v = 0; v < N; ++v) {
            EXPECT_NEAR(FCTAB.DSDIS(v + 1), x[v], 1e-10 * xmax) << c.nx << "x" << c.ny << " variable " << v + 1;
            EXPECT_NEAR(FCTAB.REACT(v + 1), react[v], 1e-10 * std::max(rmax, 1.0)) << c.nx << "x" << c.ny << " variable " << v + 1;
        }
        EXPECT_EQ(std::vector<int>(FCTAB.ICONN.data(), FCTAB.ICONN.data() + FCTAB.ICONN.size()), conn);
        EXPECT_EQ(FCTAB.FCSCR2.records(), 0);
        FCRELEASE();
    }
}

// The front size: the largest count of active nodes times six, kept at 60
// when not above it, else one more. Elements in rows along x, nodes row by row:
// 2 x 2 holds at most 10 nodes (8, 10, 10, 8), 3 x 1 always 8, 3 x 2 reaches
// 12 nodes at its third and fourth elements (8, 10, 12, 12, 10, 9) = 72.
TEST(FrontalSolver, FrontSize) {
    struct Case { int nx, ny, mfron; };
    const Case cases[] = {{2, 2, 60}, {3, 1, 60}, {3, 2, 73}};
    for (const Case& c : cases) {
        test::slab_mesh(c.nx, c.ny, 1, 1, 0);
        int ISTAT = 0;
        CHECK2(FCTAB.XYNOD, FCTAB.IFXND, FCTAB.IFXCD, FCTAB.ICONN, FCTAB.IMATE, ISTAT);
        EXPECT_EQ(ISTAT, 0);
        EXPECT_EQ(FCCTRL.MFRON, c.mfron) << c.nx << " x " << c.ny;
    }
    reset_flexcap_tables();
}

// The scratch file of the eliminated equations never overwrites a file the
// run holds open: the slab analysis ends with a file failure instead.
TEST(FrontalSolver, ScratchNeverOverwritesRunFiles) {
    test::TempDir dir;
    test::write_file(FCSCR2NAME, "a run file\n");
    ASSERT_TRUE(io::open_unit(RESFILE, FCSCR2NAME, {io::Access::Read}));
    test::slab_mesh(1, 1, 1, 1, 0);
    int ISTAT = 0;
    FCFRALLOC(ISTAT);
    EXPECT_EQ(ISTAT, ISFILE);
    io::close_unit(RESFILE);
    EXPECT_EQ(test::read_file(FCSCR2NAME), "a run file\n");
    reset_flexcap_tables();
}

// A zero pivot, at a free or a restrained variable, ends the slab analysis
// with its message and the connectivity restored; a negative pivot is taken.
TEST(FrontalSolver, Pivots) {
    test::TempDir dir;
    struct Case { double diag1; int code1; int istat; double x1; };
    const Case cases[] = {
        {0, 0, ISSLAB, 0},
        {0, 1, ISSLAB, 0},
        {-2, 0, 0, -1.5},  // -2 x = 3
    };
    for (const Case& c : cases) {
        test::slab_mesh(1, 1, 1, 1, 1);
        ASSERT_TRUE(io::open_unit(FCLSFILE, "listing", {}));
        for (int a = 1; a <= 48; ++a) {
            FCTAB.ELSTF(a, a, 1) = 1;
            FCTAB.ELLOD(a, 1) = 3;
        }
        FCTAB.ELSTF(1, 1, 1) = c.diag1;
        FCTAB.IFXND(1) = 1;
        FCTAB.IFXCD(1, 1) = c.code1;
        FCTAB.IFXCD(2, 1) = 1;
        int ISTAT = 0;
        CHECK2(FCTAB.XYNOD, FCTAB.IFXND, FCTAB.IFXCD, FCTAB.ICONN, FCTAB.IMATE, ISTAT);
        FCFRALLOC(ISTAT);
        ASSERT_EQ(ISTAT, 0);
        FCSOLV(FCTAB.FXVAL, FCTAB.DSDIS, FCTAB.ELLOD, FCTAB.IFXND, FCTAB.REACT, FCTAB.ELSTF, FCTAB.IFXCD, FCTAB.ICONN, ISTAT);
        EXPECT_EQ(ISTAT, c.istat);
        for (int k = 1; k <= 8; ++k) EXPECT_GT(FCTAB.ICONN(k, 1), 0);
        if (c.istat == 0) {
            EXPECT_DOUBLE_EQ(FCTAB.DSDIS(1), c.x1);
        }
        FCRELEASE();
        const std::string listing = test::read_file("listing");
        EXPECT_EQ(listing.find("    NEGATIVE OR ZERO PIVOT ENCOUNTERED FOR VARIABLE NO.    1 OF VALUE      0.000000E+00\n") !=
                      std::string::npos,
                  c.istat != 0)
            << listing;
    }
}

}  // namespace
}  // namespace zolan
