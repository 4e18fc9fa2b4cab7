#include "flexcap/slab_program.h"

#include <algorithm>
#include <cmath>

#include "flexcap/shell_element.h"
#include "model/status_codes.h"

namespace zolan {

namespace {

// Rounding allowance of the reference-square bounds: a point on an
// element's side or corner, given by coordinates that carry the mesh's
// round-off, is in the element; a point off it by more is not.
constexpr double EDGETOL = 1.0E-10;
// Convergence of the search: the last Newton step on the local coordinates,
// which run over -1..1, at most this (an absolute test, since a point on an
// element's centre line has local coordinates of round-off size, whose
// relative change never settles).
constexpr double STEPTOL = 1.0E-10;
constexpr int MAXSTEP = 50;

// Newton search of (xi, eta) of the point (X, Y) in the element whose nodes
// are in ELXY; true with the local coordinates when it converges inside the
// reference square (bounds included).
bool search_element(double X, double Y, int nnode, ShellWork& w, double& xio, double& etao) {
    double xi = 0, eta = 0;
    for (int iter = 1;; ++iter) {
        // 1. Position and tangents of the map at (xi, eta).
        FCSHAP(xi, eta, nnode, w);
        double x = 0, y = 0, xxi = 0, xeta = 0, yxi = 0, yeta = 0;
        for (int k = 1; k <= nnode; ++k) {
            x += w.SHFN(k) * w.ELXY(1, k);
            y += w.SHFN(k) * w.ELXY(2, k);
            xxi += w.SHDL(1, k) * w.ELXY(1, k);
            xeta += w.SHDL(2, k) * w.ELXY(1, k);
            yxi += w.SHDL(1, k) * w.ELXY(2, k);
            yeta += w.SHDL(2, k) * w.ELXY(2, k);
        }
        // 2. Newton step.
        //    The full inverse of the Jacobian: an element whose xi runs along
        //    Y (x_xi = 0, a mesh turned against the axes) is searched too.
        const double det = yeta * xxi - yxi * xeta;
        if (det == 0) return false;
        const double deta = ((Y - y) * xxi - yxi * (X - x)) / det;
        const double dxi = ((X - x) * yeta - xeta * (Y - y)) / det;
        const double xin = xi + dxi, etan = eta + deta;
        // 3. Converged after the first step: the point is in the element when
        //    its local coordinates are in the square up to the rounding of
        //    the last step (a point on a side or a corner, the mesh's outer
        //    edge included, is found); they are kept in the square.
        if (iter > 1 && std::fabs(dxi) <= STEPTOL && std::fabs(deta) <= STEPTOL) {
            if (std::fabs(xin) > 1 + EDGETOL || std::fabs(etan) > 1 + EDGETOL) return false;
            xio = std::clamp(xin, -1.0, 1.0);
            etao = std::clamp(etan, -1.0, 1.0);
            return true;
        }
        // 4. Iteration limit (a step that is not a number never converges).
        if (iter >= MAXSTEP) return false;
        xi = xin;
        eta = etan;
    }
}

}  // namespace

// Element and local coordinates of n points given by X, Y: elements in number
// order, the first that holds a point keeps it; an element with a node number
// outside the mesh is skipped (the mesh check reports it later).
void FCLOCP(int n, RTab& P, ITab& IEL, ITab& ICONN, RTab& XYNOD, const SlabControl& c, ShellWork& w, int* ISTAT) {
    for (int i = 1; i <= n; ++i) IEL(i) = 0;
    int located = 0;
    for (int e = 1; e <= c.NELEM && located < n; ++e) {
        if (ISTAT != nullptr && slab_setup_stop("SLAB POINTS LOCATED")) {
            if (*ISTAT == ISOK) *ISTAT = ISSTOP;
            return;
        }
        bool inside = true;
        for (int k = 1; k <= c.NNODE; ++k) {
            const int nd = ICONN(k, e);
            if (nd < 1 || nd > c.NPOIN) {
                inside = false;
                break;
            }
            w.ELXY(1, k) = XYNOD(1, nd);
            w.ELXY(2, k) = XYNOD(2, nd);
        }
        if (!inside) continue;
        for (int i = 1; i <= n; ++i) {
            if (IEL(i) != 0) continue;
            double xi = 0, eta = 0;
            if (!search_element(P(1, i), P(2, i), c.NNODE, w, xi, eta)) continue;
            IEL(i) = e;
            P(1, i) = xi;
            P(2, i) = eta;
            ++located;
        }
    }
}

}  // namespace zolan
