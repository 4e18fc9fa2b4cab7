#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "group/matrix_kernels.h"

namespace zolan {
namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

// Column-major n x n matrix from rows written as read.
std::vector<double> by_rows(int n, std::initializer_list<double> rows) {
    std::vector<double> a(static_cast<std::size_t>(n) * n);
    int k = 0;
    for (double v : rows) {
        a[(k / n) + static_cast<std::size_t>(n) * (k % n)] = v;
        ++k;
    }
    return a;
}

// Largest |(A B - I)(i, j)| of two column-major n x n matrices.
double identity_error(int n, const std::vector<double>& A, const std::vector<double>& B) {
    double err = 0.0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            double s = 0.0;
            for (int k = 0; k < n; ++k) s += A[i + n * k] * B[k + n * j];
            err = std::max(err, std::fabs(s - (i == j ? 1.0 : 0.0)));
        }
    return err;
}

// Inverses known by hand: the identity (no exchange), a swap and a cyclic
// permutation (inverse = transpose), a diagonal (element by element) and a
// 2 x 2 by the adjugate: [[4, 7], [2, 6]]^-1 = [[6, -7], [-2, 4]] / 10.
TEST(MatrixKernels, InversesKnownByHand) {
    struct Case {
        const char* name;
        int n;
        std::vector<double> a, inv;
    };
    const Case cases[] = {
        {"identity", 3, by_rows(3, {1, 0, 0, 0, 1, 0, 0, 0, 1}), by_rows(3, {1, 0, 0, 0, 1, 0, 0, 0, 1})},
        {"swap", 2, by_rows(2, {0, 1, 1, 0}), by_rows(2, {0, 1, 1, 0})},
        {"cycle", 3, by_rows(3, {0, 1, 0, 0, 0, 1, 1, 0, 0}), by_rows(3, {0, 0, 1, 1, 0, 0, 0, 1, 0})},
        {"diagonal", 4, by_rows(4, {2, 0, 0, 0, 0, -4, 0, 0, 0, 0, 0.5, 0, 0, 0, 0, 8}),
         by_rows(4, {0.5, 0, 0, 0, 0, -0.25, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0.125})},
        {"adjugate", 2, by_rows(2, {4, 7, 2, 6}), by_rows(2, {0.6, -0.7, -0.2, 0.4})},
    };
    for (const auto& c : cases) {
        std::vector<double> a = c.a;
        EXPECT_EQ(MATINV(a, c.n, c.n), 0) << c.name;
        for (std::size_t k = 0; k < a.size(); ++k) EXPECT_NEAR(a[k], c.inv[k], 1e-15) << c.name << " entry " << k;
    }
}

// Random well-conditioned (diagonally dominant) matrices of the orders the
// callers use and the largest allowed, some stored with a larger leading
// dimension: A A^-1 = A^-1 A = I, and the padding rows are left alone.
TEST(MatrixKernels, InverseOfRandomMatricesTimesTheMatrixIsTheIdentity) {
    std::mt19937 gen(12345);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    struct Case { int n, lda; };
    for (const Case c : {Case{3, 3}, Case{6, 6}, Case{6, 8}, Case{12, 12}, Case{50, 53}}) {
        std::vector<double> A(static_cast<std::size_t>(c.n) * c.n);
        for (int i = 0; i < c.n; ++i)
            for (int j = 0; j < c.n; ++j) A[i + c.n * j] = u(gen) + (i == j ? c.n : 0.0);
        std::vector<double> store(static_cast<std::size_t>(c.lda) * c.n, 777.0);
        for (int i = 0; i < c.n; ++i)
            for (int j = 0; j < c.n; ++j) store[i + c.lda * j] = A[i + c.n * j];
        ASSERT_EQ(MATINV(store, c.n, c.lda), 0) << c.n;
        std::vector<double> inv(A.size());
        for (int j = 0; j < c.n; ++j) {
            for (int i = 0; i < c.n; ++i) inv[i + c.n * j] = store[i + c.lda * j];
            for (int i = c.n; i < c.lda; ++i) EXPECT_EQ(store[i + c.lda * j], 777.0);
        }
        EXPECT_LT(identity_error(c.n, A, inv), 1e-12) << c.n;
        EXPECT_LT(identity_error(c.n, inv, A), 1e-12) << c.n;
    }
}

// Singular or unusable input is reported, never pivoted outside the matrix:
// a zero row or column, a rank-deficient matrix (row 3 = row 1 + row 2,
// chosen so that the elimination is exact: pivot 12 at (3, 3) leaves rows
// (0, 1, 0) and (0, -1, 0), whose elimination leaves a zero pivot; there is
// no tolerance, so a matrix singular only up to rounding is not caught),
// all ones (first pivot (n, n), then only zeros remain), all not-a-number,
// an order above 50, a leading dimension below n, an array too short.
TEST(MatrixKernels, SingularAndUnusableMatricesAreReported) {
    struct Case {
        const char* name;
        std::vector<double> a;
        int n, lda;
    };
    std::vector<double> big(51 * 51, 0.0);
    for (int i = 0; i < 51; ++i) big[i + 51 * i] = 1.0;
    const Case cases[] = {
        {"zero row", by_rows(3, {1, 2, 3, 0, 0, 0, 4, 5, 6}), 3, 3},
        {"zero column", by_rows(3, {1, 0, 3, 2, 0, 4, 5, 0, 6}), 3, 3},
        {"rank two", by_rows(3, {1, 2, 4, 2, 1, 8, 3, 3, 12}), 3, 3},
        {"ones 2", std::vector<double>(4, 1.0), 2, 2},
        {"ones 4", std::vector<double>(16, 1.0), 4, 4},
        {"all NaN", std::vector<double>(9, NaN), 3, 3},
        {"order 51", big, 51, 51},
        {"lda below n", std::vector<double>(9, 1.0), 3, 2},
        {"array too short", std::vector<double>(8, 1.0), 3, 3},
    };
    for (auto c : cases) EXPECT_EQ(MATINV(c.a, c.n, c.lda), 1) << c.name;
}

// Order 0 (or below) is done at once and leaves the array alone.
TEST(MatrixKernels, EmptyOrderLeavesTheArrayAlone) {
    for (int n : {0, -2}) {
        std::vector<double> a = {3.0, NaN};
        EXPECT_EQ(MATINV(a, n, 1), 0);
        EXPECT_EQ(a[0], 3.0);
    }
}

// Norms and largest components of the translation and rotation parts; a
// not-a-number component makes the measure not a number, so no convergence
// test can pass on it.
TEST(MatrixKernels, MeasuresOfCapVectors) {
    struct Case {
        const char* name;
        CapMeasure got;
        double d, r;
    };
    auto v6 = [](std::initializer_list<double> x) {
        CAPVEC v;
        int i = 1;
        for (double e : x) v(i++) = e;
        return v;
    };
    auto v3 = [](double a, double b, double c) {
        VEC3 v;
        v(1) = a, v(2) = b, v(3) = c;
        return v;
    };
    const Case cases[] = {
        {"V6MAX", V6MAX(v6({1, -3, 2, 0, 0, -0.5})), 3, 0.5},
        {"V6NRM 1-2-2, 0-3-4", V6NRM(v6({1, 2, -2, 0, 3, -4})), 3, 5},
        {"V3NRM 3-4, -2", V3NRM(v3(3, 4, -2)), 5, 2},
        {"V3MAX", V3MAX(v3(-7, 4, -0.25)), 7, 0.25},
        {"V6MAX NaN", V6MAX(v6({1, NaN, 2, 5, NaN, 0})), NaN, NaN},
        {"V3MAX NaN", V3MAX(v3(NaN, 4, 1)), NaN, 1},
    };
    for (const auto& c : cases) {
        if (std::isnan(c.d)) EXPECT_TRUE(std::isnan(c.got.d)) << c.name;
        else EXPECT_DOUBLE_EQ(c.got.d, c.d) << c.name;
        if (std::isnan(c.r)) EXPECT_TRUE(std::isnan(c.got.r)) << c.name;
        else EXPECT_DOUBLE_EQ(c.got.r, c.r) << c.name;
    }
}

// Matrix times vector for 3, 6 and 12 components, against hand products:
// [[1, 2, 3], [4, 5, 6], [7, 8, 10]] (1, -1, 2) = (5, 11, 19); a 12 x 12 with
// 2 on the diagonal and 1 above it times (1..12) gives 2i + (i + 1), 24 last.
TEST(MatrixKernels, ProductsAgainstHandValues) {
    MAT3 m3;
    const double r3[3][3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 10}};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) m3(i, j) = r3[i - 1][j - 1];
    VEC3 x3;
    x3(1) = 1, x3(2) = -1, x3(3) = 2;
    const VEC3 y3 = MATVEC3(m3, x3);
    EXPECT_EQ(y3(1), 5.0);
    EXPECT_EQ(y3(2), 11.0);
    EXPECT_EQ(y3(3), 19.0);

    MAT12 m12;
    VEC12 x12;
    for (int i = 1; i <= 12; ++i) {
        x12(i) = i;
        m12(i, i) = 2.0;
        if (i < 12) m12(i, i + 1) = 1.0;
    }
    const VEC12 y12 = MXV12S(m12, x12);
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(y12(i), i < 12 ? 3.0 * i + 1 : 24.0) << i;

    // Copy and negated copy.
    const VEC3 c3 = COPY3(x3);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(c3(i), x3(i));
    CAPVEC v;
    for (int i = 1; i <= 6; ++i) v(i) = i - 3.5;
    const CAPVEC n = VNEG6(v);
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(n(i), 3.5 - i);
}

// The six-component products sum in the fixed order j = 1..6: with a row of
// ones and v = (1e16, 1, -1e16, 1, 0, 0) that order gives exactly 1 (1e16 + 1
// rounds to 1e16); any other order of the same sum gives 0 or 2. MXV6 may
// write over its input, handles only the vectors both arrays hold, and
// nothing for n <= 0.
TEST(MatrixKernels, SixComponentProductsInFixedOrderAndInPlace) {
    CAPMAT ones;
    ones.fill(1.0);
    CAPVEC v;
    const double x[6] = {1e16, 1, -1e16, 1, 0, 0};
    for (int i = 1; i <= 6; ++i) v(i) = x[i - 1];
    const CAPVEC w = MXV6S(ones, v);
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(w(i), 1.0);

    CAPMAT m;  // M(i, j) = 10 i + j
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) m(i, j) = 10.0 * i + j;
    // Vector 1 = e2 picks column 2 (10 i + 2); vector 2 = e6 picks column 6.
    std::vector<double> buf = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 5};
    MXV6(buf, m, buf, 3);  // asks for three, the array holds two
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(buf[i - 1], 10.0 * i + 2);
        EXPECT_EQ(buf[6 + i - 1], 10.0 * i + 6);
    }
    EXPECT_EQ(buf[12], 5.0);
    std::vector<double> out(6, -1.0);
    MXV6(out, m, buf, 0);
    EXPECT_EQ(out[0], -1.0);
}

}  // namespace
}  // namespace zolan
