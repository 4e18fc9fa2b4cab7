// Pile-head stiffness of a three-dimensional pile and of a plane pile row,
// condensed from a beam-column chain on the re-read node springs.
#include "capstiff/pile_head_stiffness.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/node_tables.h"
#include "model/result_tables.h"
#include "model/section_lookup.h"
#include "model/section_tables.h"
#include "model/stiffness_tables.h"
#include "pile/result_records.h"
#include "report/fortran_format.h"
#include "report/row_report.h"
#include "report/run_files.h"

namespace zolan {
namespace {

const fmt::Format F_TRACE_PILE(R"((5X,"PILE=",I5,5X,"NNODES=",I5))");

// Entry (i, j) and (j, i) of a symmetric matrix held with leading dimension ld.
void sym_add(double* K, int ld, int i, int j, double v) {
    K[(i - 1) + ld * (j - 1)] += v;
    if (i != j) K[(j - 1) + ld * (i - 1)] += v;
}

// A two-node bar (axial or torsional) of stiffness k between degrees a and b.
void bar(double* K, int ld, int a, int b, double k) {
    sym_add(K, ld, a, a, k);
    sym_add(K, ld, b, b, k);
    sym_add(K, ld, a, b, -k);
}

// One bending plane: translation v and rotation t of the lower (1) and upper
// (2) node. sgn is the sign of the lower node's translation-rotation term
// (-1 in the x-y plane, +1 in the x-z plane). The axial-force terms come in
// with axload 1.
void bending(double* K, int ld, int v1, int t1, int v2, int t2, double sgn, double EI, double h, double P,
             int axload) {
    const double g = axload == 1 ? 1.0 : 0.0;
    const double kv = 12.0 * EI / (h * h * h) - g * P / h;
    const double kc = sgn * (6.0 * EI / (h * h) - g * P / 10.0);
    const double kt = 4.0 * EI / h - g * 2.0 * P * h / 15.0;
    const double kf = 2.0 * EI / h + g * P * h / 30.0;
    sym_add(K, ld, v1, v1, kv);
    sym_add(K, ld, v2, v2, kv);
    sym_add(K, ld, v1, v2, -kv);
    sym_add(K, ld, v1, t1, kc);
    sym_add(K, ld, v1, t2, kc);
    sym_add(K, ld, t1, v2, -kc);
    sym_add(K, ld, v2, t2, -kc);
    sym_add(K, ld, t1, t1, kt);
    sym_add(K, ld, t2, t2, kt);
    sym_add(K, ld, t1, t2, kf);
}

// The trace of a pile on ESTTRC as one block: the pile and node count, the
// pile-top values, one record per node spring.
void trace_pile(int p, int N, std::initializer_list<double> top, const double* s) {
    const fmt::Item head[] = {p, N + 1};
    std::string text = fmt::format_to_string(F_TRACE_PILE, head);
    std::string rec;
    std::vector<fmt::Item> items(top.begin(), top.end());
    fmt::list_write(rec, items);
    text += '\n';
    text += rec;
    for (int n = 1; n <= N + 1; ++n) {
        rec.clear();
        const fmt::Item one[] = {s[n - 1]};
        fmt::list_write(rec, one);
        text += '\n';
        text += rec;
    }
    row_text(ESTTRC, text);
}

int increments(int prop) { return std::clamp(NINCR(prop), 1, MAXINC); }

}  // namespace

MAT12 BEAMK3D(double EI1, double EI2, double EA, double GJ, double h, double P, int axload) {
    MAT12 Ke;
    double* K = Ke.data();
    bar(K, 12, 1, 7, EA / h);
    bar(K, 12, 4, 10, GJ / h);
    bending(K, 12, 2, 6, 8, 12, -1.0, EI1, h, P, axload);
    bending(K, 12, 3, 5, 9, 11, 1.0, EI2, h, P, axload);
    return Ke;
}

MAT6 BEAMK2D(double EI, double EA, double h, double P, int axload) {
    MAT6 Ke;
    double* K = Ke.data();
    bar(K, 6, 1, 4, EA / h);
    bending(K, 6, 2, 3, 5, 6, -1.0, EI, h, P, axload);
    return Ke;
}

int CONDENS(std::span<double> K, std::span<double> Kc, int n, int m) {
    auto k = [&](int i, int j) -> double& { return K[static_cast<std::size_t>((i - 1) + n * (j - 1))]; };
    // 1. Kc from zero.
    std::fill(Kc.begin(), Kc.begin() + m * m, 0.0);
    // 2. Eliminate the first n - m degrees in order.
    for (int q = 1; q <= n - m; ++q) {
        const double piv = k(q, q);
        if (piv == 0.0) return 1;
        for (int j = q + 1; j <= n; ++j) {
            const double f = k(q, j) / piv;
            for (int i = q + 1; i <= n; ++i) k(i, j) -= k(i, q) * f;
        }
        for (int i = q + 1; i <= n; ++i) k(i, q) = 0.0;
    }
    // 3. The block of the last m degrees.
    const int o = n - m;
    for (int j = 1; j <= m; ++j)
        for (int i = 1; i <= m; ++i) Kc[static_cast<std::size_t>((i - 1) + m * (j - 1))] = k(o + i, o + j);
    return 0;
}

void head_fixity(std::span<double> Kc, int n, int r, int code, double S) {
    auto k = [&](int i, int j) -> double& { return Kc[static_cast<std::size_t>((i - 1) + n * (j - 1))]; };
    const bool release = code == 1 || (code == 3 && S == 0.0);
    if (!release && code != 3) return;  // fixed head
    const double krr = k(r, r);
    if (release) {
        // Free rotation: r condensed out of the other degrees.
        if (krr != 0.0)
            for (int j = 1; j <= n; ++j)
                for (int i = 1; i <= n; ++i)
                    if (i != r && j != r) k(i, j) -= k(i, r) * k(r, j) / krr;
        for (int i = 1; i <= n; ++i) k(i, r) = k(r, i) = 0.0;
        return;
    }
    // Rotational spring S in series with the pile's rotation.
    const double d = krr / S + 1.0;
    if (d == 0.0) return;
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= n; ++i)
            if (i != r && j != r) k(i, j) -= k(i, r) * k(r, j) / (d * S);
    for (int i = 1; i <= n; ++i)
        if (i != r) {
            k(i, r) /= d;
            k(r, i) /= d;
        }
    k(r, r) = krr / d;
}

CAPMAT PHSTIF3(int p, int axload, int& /*ISTAT*/) {
    // 1. The pile's property set, elements and length.
    const int prop = IPROP(p);
    const int N = increments(prop);
    const double h = HINCR(prop);
    const double P = EQKTOPR(p, 3);
    // 2. Rigidities: node m at the position of the node above it (node 1 its own).
    Table1<double, MAXNOD> EI1, EI2, s;
    for (int m = 1; m <= N + 1; ++m) {
        const double x = NDAXIS(p, std::max(m - 1, 1));
        EI1(m) = SECEI1(p, prop, x);
        EI2(m) = SECEI2(p, prop, x);
    }
    // 3-4. Node springs and the trace.
    for (int n = 1; n <= N + 1; ++n) s(n) = EQKNODR(p, n);
    trace_pile(p, N, {EQKTOPR(p, 1), EQKTOPR(p, 2)}, s.data());
    // 5-6. The chain from the tip up: element k joins node u = N + 1 - k to l = u + 1.
    CAPMAT Kc;
    for (int k = 1; k <= N; ++k) {
        const int u = N + 1 - k, l = N + 2 - k;
        MAT12 Ke = BEAMK3D((EI1(u) + EI1(l)) / 2, (EI2(u) + EI2(l)) / 2, 1.0, 1.0, h, P, axload);
        for (int j = 1; j <= 6; ++j)
            for (int i = 1; i <= 6; ++i) Ke(i, j) += Kc(i, j);
        if (k == 1) {
            Ke(2, 2) += s(N + 1);
            Ke(3, 3) += s(N + 1);
        }
        Ke(8, 8) += s(u);
        Ke(9, 9) += s(u);
        CONDENS(std::span<double>(Ke.data(), 144), std::span<double>(Kc.data(), 36), 12, 6);
    }
    // 8. Head fixity in the x-y plane, then in the x-z plane.
    head_fixity(std::span<double>(Kc.data(), 36), 6, 6, KCONN(p), SPRZ(p));
    head_fixity(std::span<double>(Kc.data(), 36), 6, 5, KCONNZ(p), SPRY(p));
    // 9. Axial and torsional terms from the pile top.
    for (int i = 1; i <= 6; ++i) Kc(1, i) = Kc(i, 1) = Kc(4, i) = Kc(i, 4) = 0.0;
    Kc(1, 1) = EQKTOPR(p, 1);
    Kc(4, 4) = EQKTOPR(p, 2);
    return Kc;
}

MAT3 PHSTIF2(int r, int axload, int& /*ISTAT*/) {
    // 1. The row's property set, elements and length.
    const int prop = IPROP(r);
    const int N = increments(prop);
    const double h = HINCR(prop);
    const double P = EQKTOPR(r, 3);
    // 2-3. Rigidities by node (node m at the depth of the node above it) and springs.
    Table1<double, MAXNOD> EI;
    for (int m = 1; m <= N + 1; ++m) EI(m) = SECEI1(r, prop, NDEPTH(r, std::max(m - 1, 1)));
    const NODVEC s = LLPGET(r);
    // 4. The trace.
    trace_pile(r, N, {EQKTOPR(r, 1)}, s.data());
    // 5-6. The chain from the tip up.
    MAT3 Kc;
    for (int k = 1; k <= N; ++k) {
        const int u = N + 1 - k, l = N + 2 - k;
        MAT6 Ke = BEAMK2D((EI(u) + EI(l)) / 2, 1.0, h, P, axload);
        for (int j = 1; j <= 3; ++j)
            for (int i = 1; i <= 3; ++i) Ke(i, j) += Kc(i, j);
        if (k == 1) Ke(2, 2) += s(N + 1);
        Ke(5, 5) += s(u);
        CONDENS(std::span<double>(Ke.data(), 36), std::span<double>(Kc.data(), 9), 6, 3);
    }
    // 7. Head fixity of the rotation.
    head_fixity(std::span<double>(Kc.data(), 9), 3, 3, KCONN(r), SPRZ(r));
    // 8. The axial term from the pile top.
    for (int i = 1; i <= 3; ++i) Kc(1, i) = Kc(i, 1) = 0.0;
    Kc(1, 1) = EQKTOPR(r, 1);
    return Kc;
}

RowTransform2D TMAT2D(int r) {
    const double c = std::cos(BATANG(r)), s = std::sin(BATANG(r));
    const double X = XTOP(r), Y = YTOP(r);
    RowTransform2D t;
    t.T(1, 1) = c, t.T(1, 2) = -s, t.T(1, 3) = 0.0;
    t.T(2, 1) = s, t.T(2, 2) = c, t.T(2, 3) = 0.0;
    t.T(3, 1) = X * s - Y * c, t.T(3, 2) = X * c + Y * s, t.T(3, 3) = 1.0;
    for (int j = 1; j <= 3; ++j)
        for (int i = 1; i <= 3; ++i) t.Tt(i, j) = t.T(j, i);
    return t;
}

}  // namespace zolan
