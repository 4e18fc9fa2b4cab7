// Finite-difference kernel of one bending plane: head rows, forward sweep,
// free tip and back substitution.
#include "pile/lateral_fd_kernel.h"

namespace zolan {

namespace {

// A deflection near the tip as a linear form in the two ghost deflections
// u = v(t+1) and q = v(t+2): c + cu u + cq q.
struct TipForm {
    double c = 0.0, cu = 0.0, cq = 0.0;
};

// v(m) = G(m) + H(m) v(m+1) + J(m) v(m+2) with v(m+1), v(m+2) as forms.
TipForm recur(const FdPlane& pl, int m, const TipForm& a, const TipForm& b) {
    const double G = pl.G.slot(m), H = pl.H.slot(m), J = pl.J.slot(m);
    return {G + H * a.c + J * b.c, H * a.cu + J * b.cu, H * a.cq + J * b.cq};
}

// Row m of the forward sweep: the difference equation of node m, with v(m-2)
// and v(m-1) eliminated through their rows.
inline void sweep_row(FdPlane& pl, const SLOTVEC& P, const SLOTVEC& Es, double h2, double h4, int m) {
    // 1. a v(m-2) + b v(m-1) + c v(m) + d v(m+1) + e v(m+2) = f.
    const double Em = pl.EI.slot(m - 1), E0 = pl.EI.slot(m), Ep = pl.EI.slot(m + 1);
    const double ph2 = P.slot(m) * h2;
    const double a = Em, e = Ep;
    const double b = -2.0 * Em - 2.0 * E0 + ph2;
    const double d = -2.0 * E0 - 2.0 * Ep + ph2;
    const double c = Em + 4.0 * E0 + Ep - 2.0 * ph2 + Es.slot(m) * h4;
    const double f = pl.w.slot(m) * h4;
    // 2. v(m-2) and v(m-1) eliminated; a zero pivot gives the row zero coefficients.
    const double b1 = b + a * pl.H.slot(m - 2);
    const double q = c + a * pl.J.slot(m - 2) + b1 * pl.H.slot(m - 1);
    const double g = q == 0.0 ? 0.0 : -1.0 / q;
    pl.J.slot(m) = e * g;
    pl.H.slot(m) = (d + b1 * pl.J.slot(m - 1)) * g;
    pl.G.slot(m) = (a * pl.G.slot(m - 2) + b1 * pl.G.slot(m - 1) - f) * g;
}

// The ghost deflections u = v(t+1), q = v(t+2) of the free tip.
void tip_ghosts(const FdPlane& pl, const SLOTVEC& P, double h, int t, double& u, double& q) {
    // 1. v(t), v(t-1), v(t-2) as forms in u = v(t+1) and q = v(t+2).
    const TipForm U{0.0, 1.0, 0.0}, Q{0.0, 0.0, 1.0};
    const TipForm vt = recur(pl, t, U, Q);
    const TipForm v1 = recur(pl, t - 1, vt, U);
    const TipForm v2 = recur(pl, t - 2, v1, vt);
    // 2. Zero moment: v(t-1) - 2 v(t) + u = 0. Zero shear with the axial
    //    force, EI (q - 2 u + 2 v(t-1) - v(t-2)) + P h^2 (u - v(t-1)) = 0,
    //    kept multiplied by EI so that no rigidity divides.
    const double EI = pl.EI.slot(t), ph2 = P.slot(t) * h * h;
    const double a11 = v1.cu - 2.0 * vt.cu + 1.0, a12 = v1.cq - 2.0 * vt.cq, r1 = -(v1.c - 2.0 * vt.c);
    const double a21 = EI * (-2.0 + 2.0 * v1.cu - v2.cu) + ph2 * (1.0 - v1.cu);
    const double a22 = EI * (1.0 + 2.0 * v1.cq - v2.cq) - ph2 * v1.cq;
    const double r2 = -(EI * (2.0 * v1.c - v2.c) - ph2 * v1.c);
    // 3. Cramer's rule; a singular system leaves the ghosts at rest.
    const double det = a11 * a22 - a12 * a21;
    u = q = 0.0;
    if (det != 0.0) {
        u = (r1 * a22 - a12 * r2) / det;
        q = (a11 * r2 - a21 * r1) / det;
    }
}

// Back substitution of node i.
inline void back_row(FdPlane& pl, int i) {
    pl.v.slot(i) = pl.G.slot(i) + pl.H.slot(i) * pl.v.slot(i + 1) + pl.J.slot(i) * pl.v.slot(i + 2);
}

// v(t+3) = 0 and the two ghosts beyond the tip.
void set_tip(FdPlane& pl, const SLOTVEC& P, double h, int t) {
    double u = 0.0, q = 0.0;
    tip_ghosts(pl, P, h, t, u, q);
    pl.v.slot(t + 3) = 0.0;
    pl.v.slot(t + 2) = q;
    pl.v.slot(t + 1) = u;
}

}  // namespace

bool FDHEAD(FdPlane& pl, int code, double v0, double r, double k, double h) {
    // 1. Rows 1 and 2 carry nothing; row 4 prescribes the head deflection.
    for (int i = 1; i <= 4; ++i) pl.G.slot(i) = pl.H.slot(i) = pl.J.slot(i) = 0.0;
    pl.G.slot(4) = v0;
    // 2. Row 3, the ghost node above the head, by connection.
    const double EI4 = pl.EI.slot(4);
    const double c0 = 2.0 * EI4 + h * k;
    const bool spring = code != 1 && code != 2;
    if (code == 1 || (spring && c0 == 0.0)) {
        pl.G.slot(3) = 2.0 * v0;  // zero moment: v3 = 2 v4 - v5
        pl.J.slot(3) = -1.0;
    } else if (code == 2) {
        pl.G.slot(3) = 2.0 * h * r;  // prescribed rotation: v3 = v5 + 2 h r
        pl.J.slot(3) = 1.0;
    } else {
        pl.G.slot(3) = (2.0 * r * k * h * h + 4.0 * EI4 * v0) / c0;
        pl.J.slot(3) = (h * k - 2.0 * EI4) / c0;
    }
    return !(spring && c0 == 0.0);
}

void FDSWEEP(FdPlane& pl, const SLOTVEC& P, const SLOTVEC& Es, double h, int t) {
    const double h2 = h * h, h4 = h2 * h2;
    for (int m = 5; m <= t + 1; ++m) sweep_row(pl, P, Es, h2, h4, m);
}

void FDSWEEP2(FdPlane& y, FdPlane& z, const SLOTVEC& P, const SLOTVEC& Es, double h, int t) {
    const double h2 = h * h, h4 = h2 * h2;
    for (int m = 5; m <= t + 1; ++m) {
        sweep_row(y, P, Es, h2, h4, m);
        sweep_row(z, P, Es, h2, h4, m);
    }
}

void FDBACK(FdPlane& pl, const SLOTVEC& P, double h, int t) {
    set_tip(pl, P, h, t);
    // 4. Back substitution from the tip to the first ghost node.
    for (int i = t; i >= 1; --i) back_row(pl, i);
}

void FDBACK2(FdPlane& y, FdPlane& z, const SLOTVEC& P, double h, int t) {
    set_tip(y, P, h, t);
    set_tip(z, P, h, t);
    for (int i = t; i >= 1; --i) {
        back_row(y, i);
        back_row(z, i);
    }
}

}  // namespace zolan
