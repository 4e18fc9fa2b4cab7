// The exact head force and moment of a beam-column on an elastic
// foundation with a free tip, for the lateral pile solutions' tests.
#pragma once

#include <cmath>
#include <complex>
#include <utility>

namespace zolan::test {

// The exact deflection of a beam-column on an elastic foundation,
// EI y'''' + P y'' + k y = 0 on 0 <= x <= L with a free tip (y'' = 0 and
// EI y''' + P y' = 0 at L) and the head conditions y(0) = y0 and either
// y''(0) = 0 (pinned) or y'(0) = theta: y = sum of C_j times the four
// solutions e^(+-a x) (cos b x, sin b x), a and b from the roots
// r^2 = (-P +- i sqrt(4 EI k - P^2)) / (2 EI). Head force F = EI y'''(0) +
// P y'(0) (the integral of k y) and head moment M = -EI y''(0).
struct Exact {
    double F, M;
};
inline Exact beam_column(double EI, double L, double k, double P, bool pinned, double y0, double theta) {
    const double a = std::sqrt((std::sqrt(k / EI) - P / (2 * EI)) / 2);
    const double b = std::sqrt((std::sqrt(k / EI) + P / (2 * EI)) / 2);
    // Basis j: Re or Im of exp(s (x - x0)), s = +-a + i b; n-th derivative at x.
    const auto basis = [&](int j, int n, double x) {
        const std::complex<double> s(j < 2 ? a : -a, b);
        const double x0 = j < 2 ? L : 0.0;  // growing solutions measured from the tip
        const std::complex<double> v = std::pow(s, n) * std::exp(s * (x - x0)) * std::exp(std::complex<double>(0, b * x0));
        return j % 2 == 0 ? v.real() : v.imag();
    };
    double A[4][5];
    for (int j = 0; j < 4; ++j) {
        A[0][j] = basis(j, 0, 0.0);
        A[1][j] = pinned ? basis(j, 2, 0.0) : basis(j, 1, 0.0);
        A[2][j] = basis(j, 2, L);
        A[3][j] = EI * basis(j, 3, L) + P * basis(j, 1, L);
    }
    A[0][4] = y0, A[1][4] = pinned ? 0.0 : theta, A[2][4] = A[3][4] = 0.0;
    for (int c = 0; c < 4; ++c) {  // Gauss-Jordan with partial pivoting
        int piv = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::abs(A[r][c]) > std::abs(A[piv][c])) piv = r;
        for (int j = 0; j < 5; ++j) std::swap(A[c][j], A[piv][j]);
        for (int r = 0; r < 4; ++r) {
            if (r == c) continue;
            const double f = A[r][c] / A[c][c];
            for (int j = 0; j < 5; ++j) A[r][j] -= f * A[c][j];
        }
    }
    const auto y = [&](int n) {
        double s = 0.0;
        for (int j = 0; j < 4; ++j) s += A[j][4] / A[j][j] * basis(j, n, 0.0);
        return s;
    };
    return {EI * y(3) + P * y(1), -EI * y(2)};
}

}  // namespace zolan::test
