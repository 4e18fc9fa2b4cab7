// Reference centre deflection of a square thick plate under uniform pressure,
// solved apart from the element: Chebyshev collocation of the plate equations
// with transverse shear (rotations psi of the normal, shear rigidity S),
//   Mx,x + Mxy,y - Qx = 0,  Mxy,x + My,y - Qy = 0,  Qx,x + Qy,y + q = 0,
//   Mx = D (psi_x,x + nu psi_y,y), Mxy = D (1 - nu)/2 (psi_x,y + psi_y,x),
//   Qx = S (w,x + psi_x),
// on (N + 1)^2 Gauss-Lobatto points; clamped edges hold w = psi = 0, hard
// simple supports w = 0, no tangential rotation, no normal moment. The series
// converges spectrally (about six figures at N = 16 on a clamped plate).
#pragma once

#include <cmath>
#include <utility>
#include <vector>

namespace zolan::test {

inline double thick_plate_centre_deflection(int N, bool clamped, double a, double D, double nu, double S, double q) {
    // 1. Differentiation matrices on the points x_i = cos(pi i / N), scaled to the span a.
    const int n = N + 1, m = n * n, M = 3 * m;
    std::vector<double> x(n), d1(n * n, 0.0), d2(n * n, 0.0);
    for (int i = 0; i < n; ++i) x[i] = std::cos(M_PI * i / N);
    for (int i = 0; i < n; ++i) {
        double diag = 0;
        for (int j = 0; j < n; ++j) {
            if (i == j) continue;
            const double ci = (i == 0 || i == N) ? 2 : 1, cj = (j == 0 || j == N) ? 2 : 1;
            d1[i * n + j] = ci / cj * ((i + j) % 2 ? -1 : 1) / (x[i] - x[j]) * 2 / a;
            diag += d1[i * n + j];
        }
        d1[i * n + i] = -diag;
    }
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            for (int k = 0; k < n; ++k) d2[i * n + j] += d1[i * n + k] * d1[k * n + j];
    // 2. Collocation rows: unknowns w, psi_x, psi_y at point (i, j), i along x.
    std::vector<double> A(static_cast<size_t>(M) * M, 0.0), b(M, 0.0);
    const auto at = [&](int f, int i, int j) { return f * m + i * n + j; };
    const auto A_ = [&](int r, int f, int i, int j) -> double& { return A[static_cast<size_t>(r) * M + at(f, i, j)]; };
    const double c1 = D * (1 - nu) / 2, c2 = D * (1 + nu) / 2;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const int r0 = at(0, i, j), r1 = at(1, i, j), r2 = at(2, i, j);
            const bool xe = i == 0 || i == N, ye = j == 0 || j == N;
            if (xe || ye) {
                A_(r0, 0, i, j) = 1;
                if (clamped || (xe && ye)) {
                    A_(r1, 1, i, j) = 1, A_(r2, 2, i, j) = 1;
                } else if (xe) {  // psi_y = 0, Mx = D psi_x,x = 0
                    A_(r2, 2, i, j) = 1;
                    for (int k = 0; k < n; ++k) A_(r1, 1, k, j) += d1[i * n + k];
                } else {
                    A_(r1, 1, i, j) = 1;
                    for (int k = 0; k < n; ++k) A_(r2, 2, i, k) += d1[j * n + k];
                }
                continue;
            }
            for (int k = 0; k < n; ++k) {
                A_(r0, 1, k, j) += D * d2[i * n + k], A_(r0, 1, i, k) += c1 * d2[j * n + k], A_(r0, 0, k, j) -= S * d1[i * n + k];
                A_(r1, 2, i, k) += D * d2[j * n + k], A_(r1, 2, k, j) += c1 * d2[i * n + k], A_(r1, 0, i, k) -= S * d1[j * n + k];
                A_(r2, 0, k, j) += S * d2[i * n + k], A_(r2, 0, i, k) += S * d2[j * n + k];
                A_(r2, 1, k, j) += S * d1[i * n + k], A_(r2, 2, i, k) += S * d1[j * n + k];
                for (int l = 0; l < n; ++l) {
                    A_(r0, 2, k, l) += c2 * d1[i * n + k] * d1[j * n + l];
                    A_(r1, 1, k, l) += c2 * d1[i * n + k] * d1[j * n + l];
                }
            }
            A_(r0, 1, i, j) -= S, A_(r1, 2, i, j) -= S;
            b[r2] = -q;
        }
    // 3. Gaussian elimination with partial pivoting; the centre point is (N/2, N/2).
    for (int c = 0; c < M; ++c) {
        int p = c;
        for (int r = c + 1; r < M; ++r)
            if (std::fabs(A[static_cast<size_t>(r) * M + c]) > std::fabs(A[static_cast<size_t>(p) * M + c])) p = r;
        if (p != c) {
            for (int k = c; k < M; ++k) std::swap(A[static_cast<size_t>(c) * M + k], A[static_cast<size_t>(p) * M + k]);
            std::swap(b[c], b[p]);
        }
        const double* ac = &A[static_cast<size_t>(c) * M];
        for (int r = c + 1; r < M; ++r) {
            double* ar = &A[static_cast<size_t>(r) * M];
            const double f = ar[c] / ac[c];
            if (f == 0) continue;
            for (int k = c; k < M; ++k) ar[k] -= f * ac[k];
            b[r] -= f * b[c];
        }
    }
    for (int r = M - 1; r >= 0; --r) {
        double s = b[r];
        for (int k = r + 1; k < M; ++k) s -= A[static_cast<size_t>(r) * M + k] * b[k];
        b[r] = s / A[static_cast<size_t>(r) * M + r];
    }
    return b[at(0, N / 2, N / 2)];
}

}  // namespace zolan::test
