#include "flexcap/shell_element.h"

#include "model/single_precision.h"
#include "report/run_files.h"

namespace zolan {

namespace {
constexpr double GAUSS2 = f32(0.577350269f);
constexpr double GAUSS3 = f32(0.774596669f);
constexpr double WGT3E = f32(0.555555556f);
constexpr double WGT3C = f32(0.888888889f);
constexpr double C24 = f32(2.4f);

// Quadratic Lagrange factor through -1, 0, 1 and its derivative.
double lag(double x, double s) { return s < 0 ? x * (x - 1) / 2 : (s > 0 ? x * (x + 1) / 2 : 1 - x * x); }
double dlag(double x, double s) { return s < 0 ? (2 * x - 1) / 2 : (s > 0 ? (2 * x + 1) / 2 : -2 * x); }
}  // namespace

// Gauss-Legendre rule of 1, 2 or 3 points on -1..1 (single-precision constants).
void FCGAUS(int ngaus, ShellWork& w) {
    if (ngaus == 1) {
        w.GPPOS(1) = 0;
        w.GPWGT(1) = 2.0;
    } else if (ngaus == 2) {
        w.GPPOS(1) = -GAUSS2;
        w.GPWGT(1) = 1.0;
    } else {
        w.GPPOS(1) = -GAUSS3;
        w.GPPOS(2) = 0;
        w.GPWGT(1) = WGT3E;
        w.GPWGT(2) = WGT3C;
    }
    const int n = ngaus < 1 ? 1 : (ngaus > 3 ? 3 : ngaus);
    for (int i = 1; i <= n / 2; ++i) {
        w.GPPOS(n + 1 - i) = -w.GPPOS(i);
        w.GPWGT(n + 1 - i) = w.GPWGT(i);
    }
}

// Serendipity (8) and Lagrange (4, 9) shape functions and their exact
// derivatives with respect to xi and eta.
void FCSHAP(double xi, double eta, int nnode, ShellWork& w) {
    if (nnode != 4 && nnode != 8 && nnode != 9) return;
    for (int k = 1; k <= nnode; ++k) {
        const double s = XI_NODE[k - 1], t = ETA_NODE[k - 1];
        double n = 0, dx = 0, de = 0;
        if (nnode == 4) {
            n = (1 + xi * s) * (1 + eta * t) / 4;
            dx = s * (1 + eta * t) / 4;
            de = t * (1 + xi * s) / 4;
        } else if (nnode == 9) {
            n = lag(xi, s) * lag(eta, t);
            dx = dlag(xi, s) * lag(eta, t);
            de = lag(xi, s) * dlag(eta, t);
        } else if (k <= 4) {
            n = (1 + xi * s) * (1 + eta * t) * (xi * s + eta * t - 1) / 4;
            dx = s * (1 + eta * t) * (2 * xi * s + eta * t) / 4;
            de = t * (1 + xi * s) * (xi * s + 2 * eta * t) / 4;
        } else if (s == 0) {
            n = (1 - xi * xi) * (1 + eta * t) / 2;
            dx = -xi * (1 + eta * t);
            de = t * (1 - xi * xi) / 2;
        } else {
            n = (1 + xi * s) * (1 - eta * eta) / 2;
            dx = s * (1 - eta * eta) / 2;
            de = -eta * (1 + xi * s);
        }
        w.SHFN(k) = n;
        w.SHDL(1, k) = dx;
        w.SHDL(2, k) = de;
    }
}

// Isoparametric map at the current point: position, Jacobian, determinant,
// Cartesian derivatives; a non-positive determinant (clockwise or folded
// element) is fatal.
void JACOB2(int e, double& det, int g, int nnode, ShellWork& w, int& ISTAT) {
    // 1. Position of the point.
    for (int i = 1; i <= 2; ++i) {
        double x = 0;
        for (int k = 1; k <= nnode; ++k) x += w.SHFN(k) * w.ELXY(i, k);
        w.GPXY(i, g) = x;
    }
    // 2-3. Jacobian and its determinant.
    double J[2][2] = {{0, 0}, {0, 0}};
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 2; ++j)
            for (int k = 1; k <= nnode; ++k) J[i - 1][j - 1] += w.SHDL(i, k) * w.ELXY(j, k);
    det = J[0][0] * J[1][1] - J[0][1] * J[1][0];
    // 4. Zero, negative or undefined area.
    if (!(det > 0)) {
        io::write_fmt(FCLSFILE,
                      R"((/,/," PROGRAM HALTED IN SUBROUTINE JACOB2",/,11X," ZERO OR NEGATIVE AREA",/,10X," ELEMENT NUMBER ",I5))",
                      {e});
        slab_fatal(ISTAT);
        return;
    }
    // 5. Cartesian derivatives through the inverse Jacobian.
    const double a11 = J[1][1] / det, a12 = -J[0][1] / det, a21 = -J[1][0] / det, a22 = J[0][0] / det;
    for (int k = 1; k <= nnode; ++k) {
        const double d1 = w.SHDL(1, k), d2 = w.SHDL(2, k);
        w.SHDX(1, k) = a11 * d1 + a12 * d2;
        w.SHDX(2, k) = a21 * d1 + a22 * d2;
    }
}

// Plane-stress matrix E / (1 - nu^2) [1 nu 0; nu 1 0; 0 0 (1 - nu) / 2].
void FCDMEM(int m, RTab& PRMAT, ShellWork& w) {
    const double E = PRMAT(1, m), nu = PRMAT(2, m);
    const double dm = E / (1 - nu * nu);
    w.DMEMB.fill(0);
    w.DMEMB(1, 1) = w.DMEMB(2, 2) = dm;
    w.DMEMB(1, 2) = w.DMEMB(2, 1) = nu * dm;
    w.DMEMB(3, 3) = dm * (1 - nu) / 2;
}

// Thick plate: bending rigidity E t^3 / (12 (1 - nu^2)) and shear rigidity
// 5/6 G t = E t / (2.4 (1 + nu)).
void FCDPLT(int m, RTab& PRMAT, ShellWork& w) {
    const double E = PRMAT(1, m), nu = PRMAT(2, m), t = PRMAT(3, m);
    const double db = E * t * t * t / (12 * (1 - nu * nu));
    const double ds = E * t / ((1 + nu) * C24);
    w.DPLAT.fill(0);
    w.DPLAT(1, 1) = w.DPLAT(2, 2) = db;
    w.DPLAT(1, 2) = w.DPLAT(2, 1) = nu * db;
    w.DPLAT(3, 3) = db * (1 - nu) / 2;
    w.DPLAT(4, 4) = w.DPLAT(5, 5) = ds;
}

// Membrane strains (eXX, eYY, gXY) of the nodal displacements u, v.
void FCBMEM(int nnode, ShellWork& w) {
    w.BMEMB.fill(0);
    for (int k = 1; k <= nnode; ++k) {
        const double nx = w.SHDX(1, k), ny = w.SHDX(2, k);
        w.BMEMB(1, 2 * k - 1) = nx;
        w.BMEMB(3, 2 * k - 1) = ny;
        w.BMEMB(2, 2 * k) = ny;
        w.BMEMB(3, 2 * k) = nx;
    }
}

// Plate strains (curvatures, twist, transverse shears) of w and the two rotations.
void FCBPLT(int nnode, ShellWork& w) {
    w.BPLAT.fill(0);
    for (int k = 1; k <= nnode; ++k) {
        const double n = w.SHFN(k), nx = w.SHDX(1, k), ny = w.SHDX(2, k);
        const int c = 3 * k - 2;
        w.BPLAT(4, c) = nx;
        w.BPLAT(5, c) = ny;
        w.BPLAT(1, c + 1) = -nx;
        w.BPLAT(3, c + 1) = -ny;
        w.BPLAT(4, c + 1) = -n;
        w.BPLAT(2, c + 2) = -ny;
        w.BPLAT(3, c + 2) = -nx;
        w.BPLAT(5, c + 2) = -n;
    }
}

void FCDBMM(int nnode, ShellWork& w) {
    w.DBMEM.fill(0);
    for (int j = 1; j <= 2 * nnode; ++j)
        for (int i = 1; i <= 3; ++i)
            for (int s = 1; s <= 3; ++s) w.DBMEM(i, j) += w.DMEMB(i, s) * w.BMEMB(s, j);
}

void FCDBPL(int nnode, ShellWork& w) {
    w.DBPLT.fill(0);
    for (int j = 1; j <= 3 * nnode; ++j)
        for (int i = 1; i <= 5; ++i)
            for (int s = 1; s <= 5; ++s) w.DBPLT(i, j) += w.DPLAT(i, s) * w.BPLAT(s, j);
}

}  // namespace zolan
