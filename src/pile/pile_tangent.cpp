// The linearised finite-difference system of both bending planes at a
// closed lateral solution, solved for the head values' unit changes.
#include "pile/pile_tangent.h"

#include <algorithm>
#include <cmath>

#include "model/analysis_tables.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/soil_tables.h"
#include "pile/node_stiffness.h"
#include "pile/user_py_sets.h"

namespace zolan {

namespace {

constexpr int KL = 8;               // lower bandwidth: the tip's shear row reaches four nodes up
constexpr int KU = 5;               // upper bandwidth: a node row reaches two nodes down, the other plane
constexpr int NRHS = 5;             // the head values and the axial movement

// Unknown of slot i (3 .. t + 2) of plane p (0 y, 1 z).
int unknown(int i, int p) { return 2 * (i - 3) + p; }

// The system in band storage: row r holds columns r - KL .. r + KU + KL (the
// upper part widened for the row exchanges), and the right-hand sides.
struct Band {
    int n = 0;
    LatBand& s;
    double& at(int r, int c) { return s.a[static_cast<std::size_t>(r) * LatBand::W + (c - r + KL)]; }
    double& rhs(int r, int k) { return s.b[static_cast<std::size_t>(r) * NRHS + k]; }
};

// Gaussian elimination with row exchanges inside the band, then back
// substitution of every right-hand side. False on a zero pivot.
bool band_solve(Band& B) {
    const int n = B.n;
    for (int k = 0; k < n; ++k) {
        // 1. Pivot among the rows the band reaches.
        const int last = std::min(n - 1, k + KL), cmax = std::min(n - 1, k + KU + KL);
        int p = k;
        for (int r = k + 1; r <= last; ++r)
            if (std::abs(B.at(r, k)) > std::abs(B.at(p, k))) p = r;
        if (B.at(p, k) == 0.0) return false;
        if (p != k) {
            for (int c = k; c <= cmax; ++c) std::swap(B.at(k, c), B.at(p, c));
            for (int j = 0; j < NRHS; ++j) std::swap(B.rhs(k, j), B.rhs(p, j));
        }
        // 2. Elimination below the pivot.
        const double piv = B.at(k, k);
        for (int r = k + 1; r <= last; ++r) {
            const double f = B.at(r, k) / piv;
            if (f == 0.0) continue;
            B.at(r, k) = 0.0;
            for (int c = k + 1; c <= cmax; ++c) B.at(r, c) -= f * B.at(k, c);
            for (int j = 0; j < NRHS; ++j) B.rhs(r, j) -= f * B.rhs(k, j);
        }
    }
    // 3. Back substitution.
    for (int k = n - 1; k >= 0; --k) {
        const int cmax = std::min(n - 1, k + KU + KL);
        for (int j = 0; j < NRHS; ++j) {
            double s = B.rhs(k, j);
            for (int c = k + 1; c <= cmax; ++c) s -= B.at(k, c) * B.rhs(c, j);
            B.rhs(k, j) = s / B.at(k, k);
        }
    }
    return true;
}

// The secant modulus Es at every real node for the deflections in ys
// (slots), by the row's own curves, into es. False when an evaluation failed.
bool secant_moduli(const LateralControls& ctl, Llp3dWork& w, int N, const SLOTVEC& ys, SLOTVEC& es,
                   RowReport& quiet) {
    int status = 0;
    if (KUPY == 1 && IPYSET(w.pile) > 0) {
        UPYMOD(ctl.py, w.pile, ys, w.esu, w.s1, w.s2, w.spare, w.pr, quiet);
        for (int j = 1; j <= N + 1; ++j) es.node(j) = w.esu.node(j);
        return true;
    }
    RowReport* kept = w.pyw.report;
    w.pyw.report = &quiet;
    for (int j = 1; j <= N + 1; ++j) w.pyw.y(j) = ys.node(j);
    PYCURV(ctl.py, w.pyw, status);
    w.pyw.report = kept;
    if (status != 0) return false;
    for (int j = 1; j <= N + 1; ++j) es.node(j) = w.pyw.es(j);
    return true;
}

// The 2 x 2 soil tangent of every real node (kyy, kyz, kzy, kzz). The
// spring of a node deflected by v in soil moving by s is Es(Y) (v - s),
// Y = | |v| - |s| |, so its tangent is Es I + sgn (g'(Y) - Es) / Y (v - s) n^T,
// n = v / |v|, sgn the sign of |v| - |s|; without movement
// Es I + (g' - Es) n n^T.
bool soil_tangents(const LateralControls& ctl, Llp3dWork& w, int N, double h, LatBand& s) {
    // 1. Resultant deflections, the movement's magnitude, the steps.
    double ymax = 0.0;
    for (int j = 1; j <= N + 1; ++j) {
        w.yr.node(j) = std::hypot(w.ypl.v.node(j), w.zpl.v.node(j));
        ymax = std::max(ymax, w.yr.node(j));
    }
    const bool moving = NSMOV > 0;
    const double floor = std::max(1.0e-6 * ymax, 1.0e-8 * h);
    for (int j = 1; j <= N + 1; ++j) {
        const double y = w.yr.node(j), mov = moving ? std::hypot(w.s1.node(j), w.s2.node(j)) : 0.0;
        const double dy = std::max(1.0e-4 * std::abs(y - mov), floor);
        s.yp.node(j) = y + dy;
        s.ym.node(j) = std::max(y - dy, 0.0);
    }
    // 2. The secant moduli at both points (the spring force g = Es Y); the
    //    row's cap-pass values stay.
    const int pile = w.pile;
    const double paspv = PASPV(pile), grddep = GRDDEP(pile);
    RowReport quiet;
    const bool ok = secant_moduli(ctl, w, N, s.yp, s.gp, quiet) && secant_moduli(ctl, w, N, s.ym, s.gm, quiet);
    PASPV(pile) = paspv, GRDDEP(pile) = grddep;
    if (!ok) return false;
    // 3. The tangent of each node.
    for (int j = 1; j <= N + 1; ++j) {
        const double y = w.yr.node(j), Es = w.Es.node(j);
        const double m1 = moving ? w.s1.node(j) : 0.0, m2 = moving ? w.s2.node(j) : 0.0;
        const double mov = std::hypot(m1, m2), Y = std::abs(y - mov);
        const double Yp = std::abs(s.yp.node(j) - mov), Ym = std::abs(s.ym.node(j) - mov);
        const double kt = Yp != Ym ? (s.gp.node(j) * Yp - s.gm.node(j) * Ym) / (Yp - Ym) : Es;
        s.kyz.node(j) = s.kzy.node(j) = 0.0;
        if (y > 0.0 && Y > 0.0) {
            const double d = (y >= mov ? 1.0 : -1.0) * (kt - Es);
            const double ny = w.ypl.v.node(j) / y, nz = w.zpl.v.node(j) / y;
            double ry = w.ypl.v.node(j) - m1, rz = w.zpl.v.node(j) - m2;
            double c = d / Y;
            // A deflection so small (deep down a long pile) that the change
            // of the modulus per unit of it overflows: the same terms, the
            // relative movement taken as its direction first.
            if (!std::isfinite(c)) c = d, ry /= Y, rz /= Y;
            s.kyy.node(j) = Es + c * ry * ny;
            s.kyz.node(j) = c * ry * nz;
            s.kzy.node(j) = c * rz * ny;
            s.kzz.node(j) = Es + c * rz * nz;
        } else {
            s.kyy.node(j) = s.kzz.node(j) = kt;
        }
    }
    return true;
}

// The head row's ghost value G(3) per unit head deflection (a) and per unit
// head rotation (b) of one plane; the plane's head rows are left as they were.
void head_derivatives(FdPlane& pl, int code, double v0, double r, double k, double h, double& a, double& b) {
    FDHEAD(pl, code, 1.0, 0.0, k, h);
    a = pl.G.slot(3);
    FDHEAD(pl, code, 0.0, 1.0, k, h);
    b = pl.G.slot(3);
    FDHEAD(pl, code, v0, r, k, h);
}

// The rows of plane p: head rows, difference rows with the soil tangent,
// free tip; and the axial right-hand side.
void plane_rows(Band& B, const Llp3dWork& w, const LatBand& s, const SLOTVEC& dP, int p, int t, double h) {
    const LateralPlane& pl = p == 0 ? w.ypl : w.zpl;
    const double h2 = h * h, h4 = h2 * h2;
    // 1. Head: the ghost row and the prescribed deflection.
    B.at(unknown(3, p), unknown(3, p)) = 1.0;
    B.at(unknown(3, p), unknown(5, p)) = -pl.J.slot(3);
    B.at(unknown(4, p), unknown(4, p)) = 1.0;
    // 2. Node rows 5 .. t.
    for (int m = 5; m <= t; ++m) {
        const int r = unknown(m, p);
        const double Em = pl.EI.slot(m - 1), E0 = pl.EI.slot(m), Ep = pl.EI.slot(m + 1), ph2 = w.P.slot(m) * h2;
        B.at(r, unknown(m - 2, p)) = Em;
        B.at(r, unknown(m - 1, p)) = -2.0 * Em - 2.0 * E0 + ph2;
        B.at(r, unknown(m, p)) = Em + 4.0 * E0 + Ep - 2.0 * ph2 + (p == 0 ? s.kyy.slot(m) : s.kzz.slot(m)) * h4;
        B.at(r, unknown(m, 1 - p)) = (p == 0 ? s.kyz.slot(m) : s.kzy.slot(m)) * h4;
        B.at(r, unknown(m + 1, p)) = -2.0 * E0 - 2.0 * Ep + ph2;
        B.at(r, unknown(m + 2, p)) = Ep;
        B.rhs(r, 4) = -dP.slot(m) * h2 * (pl.v.slot(m - 1) - 2.0 * pl.v.slot(m) + pl.v.slot(m + 1));
    }
    // 3. Free tip: zero moment, zero shear with the axial force.
    const double EI = pl.EI.slot(t), ph2 = w.P.slot(t) * h2;
    int r = unknown(t + 1, p);
    B.at(r, unknown(t - 1, p)) = 1.0;
    B.at(r, unknown(t, p)) = -2.0;
    B.at(r, unknown(t + 1, p)) = 1.0;
    r = unknown(t + 2, p);
    B.at(r, unknown(t + 2, p)) = EI;
    B.at(r, unknown(t + 1, p)) = -2.0 * EI + ph2;
    B.at(r, unknown(t - 1, p)) = 2.0 * EI - ph2;
    B.at(r, unknown(t - 2, p)) = -EI;
    B.rhs(r, 4) = -dP.slot(t) * h2 * (pl.v.slot(t + 1) - pl.v.slot(t - 1));
}

}  // namespace

bool llptan_covers(int pile) { return NMPSET <= 0 && !bends_by_mphi(pile) && NSMOV <= 0; }

bool LLPTAN(const LateralControls& ctl, Llp3dWork& w, const SLOTVEC& dP, LatTangent& out) {
    out = LatTangent{};
    const int N = w.N, t = N + 4;
    const double h = w.h;
    if (N < 2 || !(h > 0.0)) return false;
    LatBand& s = w.tan;
    // 1. Soil tangents at the closed deflections.
    if (!soil_tangents(ctl, w, N, h, s)) return false;
    // 2. The system of both planes, cleared over its band.
    Band B{2 * t, s};
    for (int r = 0; r < B.n; ++r) {
        for (int c = std::max(0, r - KL); c <= std::min(B.n - 1, r + KU + KL); ++c) B.at(r, c) = 0.0;
        for (int j = 0; j < NRHS; ++j) B.rhs(r, j) = 0.0;
    }
    plane_rows(B, w, s, dP, 0, t, h);
    plane_rows(B, w, s, dP, 1, t, h);
    // 3. Right-hand sides of the head values.
    for (int p = 0; p < 2; ++p)
        for (int k = 0; k < NRHS; ++k) s.g3[p][k] = 0.0;
    head_derivatives(w.ypl, KCONN(w.pile), w.yh, w.ry, SPRZ(w.pile), h, s.g3[0][0], s.g3[0][1]);
    head_derivatives(w.zpl, KCONNZ(w.pile), w.zh, w.rz, SPRY(w.pile), h, s.g3[1][2], s.g3[1][3]);
    for (int p = 0; p < 2; ++p)
        for (int k = 0; k < NRHS; ++k) B.rhs(unknown(3, p), k) = s.g3[p][k];
    B.rhs(unknown(4, 0), 0) = 1.0;
    B.rhs(unknown(4, 1), 2) = 1.0;
    if (!band_solve(B)) return false;
    // The head and the ghost above it by their own rows, as the back
    // substitution of the solution gives them (a pinned head's moment then
    // vanishes exactly).
    for (int p = 0; p < 2; ++p) {
        const LateralPlane& pl = p == 0 ? w.ypl : w.zpl;
        for (int k = 0; k < NRHS; ++k) {
            B.rhs(unknown(4, p), k) = k == 2 * p ? 1.0 : 0.0;
            B.rhs(unknown(3, p), k) = s.g3[p][k] + pl.J.slot(3) * B.rhs(unknown(5, p), k);
        }
    }
    // 4. Head force h (dp(4)/2 + dp(5) + ... + dp(t-1) + dp(t)/2) and head
    //    moment -EI(4) (dv3 - 2 dv4 + dv5) / h^2 of each plane.
    for (int k = 0; k < NRHS; ++k) {
        for (int p = 0; p < 2; ++p) {
            double F = 0.0;
            for (int i = 4; i <= t; ++i) {
                const double dvp = B.rhs(unknown(i, p), k), dvq = B.rhs(unknown(i, 1 - p), k);
                const double dp = p == 0 ? s.kyy.slot(i) * dvp + s.kyz.slot(i) * dvq
                                         : s.kzy.slot(i) * dvq + s.kzz.slot(i) * dvp;
                F += (i == 4 || i == t) ? dp / 2.0 : dp;
            }
            const LateralPlane& pl = p == 0 ? w.ypl : w.zpl;
            out.dF[p][k] = h * F;
            out.dM[p][k] = -pl.EI.slot(4) *
                           (B.rhs(unknown(3, p), k) - 2.0 * B.rhs(unknown(4, p), k) + B.rhs(unknown(5, p), k)) / (h * h);
        }
    }
    return true;
}

}  // namespace zolan
