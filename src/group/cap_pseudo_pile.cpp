// The cap's pseudo-pile on p-y springs.
#include "group/cap_pseudo_pile.h"

#include <cmath>

#include "group/cap_passive.h"
#include "group/group_services.h"
#include "group/pile_axes.h"
#include "group/pile_row_loops.h"
#include "model/input_tables.h"
#include "model/limits.h"
#include "model/node_tables.h"
#include "model/single_precision.h"
#include "model/soil_tables.h"
#include "model/status_codes.h"
#include "pile/node_mesh.h"
#include "report/row_report.h"
#include "report/run_files.h"
#include "soil/py_curves.h"

namespace zolan {

namespace {

constexpr double DSTEP = f32(1.0e-7f);
constexpr double RSTEP = f32(1.0e-7f) * f32(1.0e-6f);

// M v for a 6 x 6 transform.
CAPVEC apply(const CAPMAT& M, const CAPVEC& v) {
    CAPVEC r;
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) r(i) += M(i, j) * v(j);
    return r;
}

bool increments_usable() { return NCAPINC >= 1 && NCAPINC <= MAXINC; }

}  // namespace

bool CAPLAY(int& ISTAT) {
    const int c = NPILES + 1, N = NCAPINC;
    const double dh = CPPTHK / N;
    // (i) No layer holds a node yet.
    const int lmax = NLAYPY < MAXSLY ? NLAYPY + 1 : MAXSLY;
    for (int l = 1; l <= lmax; ++l) LAYNF(l, c) = LAYNL(l, c) = 0;
    // (ii-iii) The head at the cap top; the sentinel below the deepest layer.
    CPPTOP = CORX(c);
    NDEPTH(c, 1) = NDAXIS(c, 1) = CPPTOP;
    const bool profile = NLAYPY >= 1;
    if (profile && NLAYPY < MAXSLY) LAYTOP(NLAYPY + 1) = LAYBOT(NLAYPY);
    // (iv) Nodes by repeated addition; at most one layer starts per node.
    int l = 1;
    for (int k = 1; k <= N + 1; ++k) {
        if (k >= 2) {
            NDEPTH(c, k) = NDAXIS(c, k) = NDEPTH(c, k - 1) + dh;
            if (!(profile && NDEPTH(c, k) <= LAYBOT(NLAYPY))) {
                TOOLONG(CPPTHK);
                set_status_once(ISTAT, ISPLEN);
                return false;
            }
        }
        if (l <= NLAYPY && LAYTOP(l) <= NDEPTH(c, k)) LAYNF(l, c) = k, ++l;
    }
    // (v) The first layer not started begins after the tip.
    if (l <= lmax) LAYNF(l, c) = N + 1;
    // (vi) Last nodes.
    for (int m = 1; m <= NLAYPY; ++m)
        LAYNL(m, c) = m == NLAYPY || NDEPTH(c, N + 1) <= LAYBOT(m) ? N + 1 : LAYNF(m + 1, c) - 1;
    return true;
}

CapSprings CAPSPY(double y0, double rz, double z0, double ry, int& ISTAT) {
    const int c = NPILES + 1, N = NCAPINC;
    const double dh = CPPTHK / N;
    // 1. Rigid-body displacements of the nodes.
    PyWork w(NPILES >= 1 ? IPROP(1) : 1, c, c);  // the width is the cap's, never a section's
    NODVEC y, z;
    for (int k = 1; k <= N + 1; ++k) {
        y(k) = y0 + (k - 1) * dh * rz;
        z(k) = z0 - (k - 1) * dh * ry;
        w.y(k) = std::sqrt(y(k) * y(k) + z(k) * z(k));
    }
    // 2. Secant moduli from the p-y curves with the cap's width.
    PyControls ctl;
    ctl.kcappy = 1;
    int st = 0;
    KCAPPY = 1;
    PYFORM(w.prop, c, 1);
    PYCURV(ctl, w, st);
    KCAPPY = 0;
    CapSprings out;
    if (st != 0) {
        set_status_once(ISTAT, st);
        return out;
    }
    // 3-6. Reactions, their integrals and the trace.
    io::write_list(RESFILE);
    io::write_list(RESFILE, {"REACTIONS CAP"});
    double S1 = 0.0, S2 = 0.0, S3 = 0.0, S4 = 0.0, a = 0.0;
    for (int k = 1; k <= N + 1; ++k) {
        const double es = w.es(k), py = es * y(k), pz = es * z(k);
        io::write_list(RESFILE, {k + 3, es, dh});
        io::write_list(RESFILE, {"DISP  ", y(k), z(k)});
        io::write_list(RESFILE, {"RES   ", py, pz});
        io::write_list(RESFILE, {"FORCE ", S1, S2});
        io::write_list(RESFILE, {"MOMENT", S3, S4});
        double wt = dh, lever = 0.0;
        if (k == 1) {
            wt = dh / 2.0, lever = dh / 4.0;
        } else if (k == N + 1) {
            wt = dh / 2.0, lever = a + 3.0 * dh / 4.0;
        } else {
            a += dh;
            lever = a;
        }
        S1 += py * wt;
        S2 += pz * wt;
        S3 += py * wt * lever;
        S4 -= pz * wt * lever;
    }
    io::write_list(RESFILE, {"FORCE ", S1, S2});
    io::write_list(RESFILE, {"MOMENT", S3, S4});
    // 7. The soil pushes against the displacement.
    out.Fy = -S1, out.Fz = -S2, out.Mz = -S3, out.My = -S4;
    return out;
}

CAPVEC CAPSPR(const CAPVEC& Uh, int& ISTAT) {
    CAPVEC Fh;
    if (!increments_usable()) {  // refused at input; never divide by it here
        set_status_once(ISTAT, ISINTERN);
        return Fh;
    }
    // 1. The head displacement in pile axes.
    const PileTransform t = PILETR(NPILES + 1);
    const CAPVEC V = apply(t.QT, Uh);
    // 3. Node layout.
    int st = 0;
    if (!CAPLAY(st)) {
        set_status_once(ISTAT, st);
        return Fh;
    }
    // 4. Soil resultants.
    const CapSprings s = CAPSPY(V(2), V(6), V(3), V(5), st);
    if (st != 0) {
        set_status_once(ISTAT, st);
        return Fh;
    }
    // 5. Back to global axes.
    CAPVEC Fl;
    const double m = PMULT(NPILES + 1);
    Fl(2) = m * s.Fy, Fl(3) = m * s.Fz, Fl(5) = m * s.My, Fl(6) = m * s.Mz;
    return apply(t.Q, Fl);
}

CAPVEC CAPSPF(const CAPVEC& U, int& ISTAT) {
    const PileTransform t = PILETR(NPILES + 1);
    int st = 0;
    const CAPVEC Fh = CAPSPR(apply(t.L, U), st);
    if (st != 0) {
        set_status_once(ISTAT, st);
        return CAPVEC{};
    }
    return apply(t.LT, Fh);
}

CAPMAT CAPSPK(const CAPVEC& U, int& ISTAT) {
    CAPVEC step;
    for (int j = 1; j <= 3; ++j) step(j) = DSTEP;
    for (int j = 4; j <= 6; ++j) step(j) = RSTEP;
    return central_differences(U, step, [&ISTAT](const CAPVEC& u) {
        const int kerr = KERR;
        FVEC(pile_controls(0, 1, 0), u, ISTAT);
        KERR = kerr;
        return CAPSPF(u, ISTAT);
    });
}

}  // namespace zolan
