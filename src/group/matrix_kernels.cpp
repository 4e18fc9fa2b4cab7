// Gauss-Jordan inverse and the fixed-order vector kernels of the cap solvers.
#include "group/matrix_kernels.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace zolan {

namespace {

// out := M v for an order-N matrix with the first index fastest; each sum
// runs j = 1..N from zero.
template <int N, class Mat, class Vec>
Vec matvec(const Mat& M, const Vec& v) {
    Vec out;
    for (int i = 1; i <= N; ++i) {
        double s = 0.0;
        for (int j = 1; j <= N; ++j) s += M(i, j) * v(j);
        out(i) = s;
    }
    return out;
}

// The larger of a running maximum m and |x|; a value that is not a number
// is kept, so a measure of a vector holding one is not a number either and
// no convergence test can pass on it.
double absmax(double m, double x) {
    const double a = std::fabs(x);
    return (a > m || std::isnan(a)) ? a : m;
}

}  // namespace

// Gauss-Jordan elimination with full pivoting, the inverse built in place.
int MATINV(std::span<double> a, int n, int lda) {
    // 1. Nothing to do for an empty matrix; refuse what would overrun.
    if (n <= 0) return 0;
    if (n > MAXINV || lda < n ||
        a.size() < static_cast<std::size_t>(lda) * (n - 1) + static_cast<std::size_t>(n))
        return 1;
    auto A = [&](int i, int j) -> double& {
        return a[static_cast<std::size_t>(i - 1) + static_cast<std::size_t>(lda) * (j - 1)];
    };
    // 2. Pivot counts; a row is done once its index has served as pivot.
    int count[MAXINV + 1] = {}, prow[MAXINV + 1] = {}, pcol[MAXINV + 1] = {};
    for (int k = 1; k <= n; ++k) {
        // 3.1 Search the remaining matrix; >= lets the last equal magnitude
        // win and accepts a zero; a value that is not a number never wins.
        double big = 0.0;
        int ir = 0, ic = 0;
        for (int r = 1; r <= n; ++r) {
            if (count[r] == 1) continue;
            for (int j = 1; j <= n; ++j) {
                if (count[j] == 0) {
                    if (std::fabs(A(r, j)) >= big) {
                        big = std::fabs(A(r, j));
                        ir = r;
                        ic = j;
                    }
                } else if (count[j] > 1) {
                    return 1;
                }
            }
        }
        if (ic == 0) return 1;  // no usable pivot: every candidate is not a number
        // 3.2-3.3 Count the pivot column, bring the pivot onto the diagonal.
        ++count[ic];
        if (ir != ic)
            for (int j = 1; j <= n; ++j) std::swap(A(ir, j), A(ic, j));
        prow[k] = ir;
        pcol[k] = ic;
        // 3.4-3.5 Scale the pivot row; an exactly zero pivot is singular.
        const double p = A(ic, ic);
        if (p == 0.0) return 1;
        const double pinv = 1.0 / p;
        A(ic, ic) = 1.0;
        for (int j = 1; j <= n; ++j) A(ic, j) *= pinv;
        // 3.6 Eliminate the pivot column from every other row.
        for (int l = 1; l <= n; ++l) {
            if (l == ic) continue;
            const double f = A(l, ic);
            A(l, ic) = 0.0;
            for (int j = 1; j <= n; ++j) A(l, j) -= A(ic, j) * f;
        }
    }
    // 4. Undo the row exchanges as column exchanges, last step first.
    for (int k = n; k >= 1; --k)
        if (prow[k] != pcol[k])
            for (int i = 1; i <= n; ++i) std::swap(A(i, prow[k]), A(i, pcol[k]));
    return 0;
}

void MXV6(std::span<double> out, const CAPMAT& M, std::span<const double> in, int n) {
    const std::size_t held = std::min(out.size(), in.size()) / 6;
    const std::size_t count = n <= 0 ? 0 : std::min(held, static_cast<std::size_t>(n));
    for (std::size_t c = 0; c < count; ++c) {
        CAPVEC v;
        for (int i = 1; i <= 6; ++i) v(i) = in[6 * c + i - 1];
        const CAPVEC w = matvec<6>(M, v);  // complete before out is written: out may be in
        for (int i = 1; i <= 6; ++i) out[6 * c + i - 1] = w(i);
    }
}

CAPVEC MXV6S(const CAPMAT& M, const CAPVEC& v) { return matvec<6>(M, v); }
VEC12 MXV12S(const MAT12& M, const VEC12& v) { return matvec<12>(M, v); }
VEC3 MATVEC3(const MAT3& M, const VEC3& v) { return matvec<3>(M, v); }

CapMeasure V6NRM(const CAPVEC& v) {
    return {std::sqrt(v(1) * v(1) + v(2) * v(2) + v(3) * v(3)),
            std::sqrt(v(4) * v(4) + v(5) * v(5) + v(6) * v(6))};
}

CapMeasure V6MAX(const CAPVEC& v) {
    return {absmax(absmax(std::fabs(v(1)), v(2)), v(3)), absmax(absmax(std::fabs(v(4)), v(5)), v(6))};
}

CapMeasure V3NRM(const VEC3& v) { return {std::sqrt(v(1) * v(1) + v(2) * v(2)), std::fabs(v(3))}; }

CapMeasure V3MAX(const VEC3& v) { return {absmax(std::fabs(v(1)), v(2)), std::fabs(v(3))}; }

CAPVEC VNEG6(const CAPVEC& v) {
    CAPVEC out;
    for (int i = 1; i <= 6; ++i) out(i) = -v(i);
    return out;
}

VEC3 COPY3(const VEC3& src) { return src; }

}  // namespace zolan
