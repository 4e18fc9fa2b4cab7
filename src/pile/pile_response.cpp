// Single-pile response of the three-dimensional model and its head stiffness.
#include "pile/pile_response.h"

#include <algorithm>
#include <cmath>

#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "model/single_precision.h"
#include "model/warm_tables.h"
#include "pile/axial_head.h"
#include "pile/node_mesh.h"
#include "pile/pile_frame.h"
#include "pile/pile_tangent.h"
#include "pile/torsion_check.h"

namespace zolan {

namespace {

constexpr double STEP_T = f32(1.0e-7f);                       // translation step, inch
constexpr double STEP_T_SI = f32(1.0e-7f) * f32(0.0254f);     // the same in metres
constexpr double STEP_R = f32(1.0e-7f) * f32(1.0e-4f);        // rotation step, radian

// The rotation from pile axes to cap axes on both 3 x 3 blocks: column k of
// each block is pile axis k in cap components.
CAPMAT pile_rotation(int pile) {
    const PileAxes a = pile_axes(ALPHA(pile), BETA(pile), THETA(pile));
    CAPMAT Q;
    Q.fill(0.0);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) Q(i, j) = Q(i + 3, j + 3) = a.axis[j - 1][i - 1];
    return Q;
}

}  // namespace

PileControls pile_controls(int kflag, int nanal, int kwarn) {
    PileControls c;
    c.ax.kwarn = kwarn;
    c.ax.kextrp = KEXTRP;
    c.ax.kaxvar = KAXVAR;
    c.lat = lateral_controls(kflag, nanal);
    c.nunits = NUNITS;
    c.tangent = KTANG;
    return c;
}

CAPVEC PILE3D(const PileControls& ctl, int pile, const CAPVEC& d, Llp3dWork& w, int& ISTAT) {
    // 1. No force until the pile has answered.
    CAPVEC f;
    f.fill(0.0);
    if (w.report == nullptr) {
        set_status_once(ISTAT, 40);
        return f;
    }
    RowReport& rep = *w.report;
    // 2. Head displacement in pile axes.
    const CAPMAT Q = pile_rotation(pile);
    const CAPVEC u = pile_turn(Q, d, true);
    // 3. Axial head force times the row's factor; a lateral solution that did
    //    not close keeps its error word over the axial distribution's.
    const int kerr0 = rep.kerr;
    const double N = AXIAL3(ctl.ax, pile, u(1), w.ua, w.Pa, ISTAT, rep) * AXFAC(pile);
    if (kerr0 == 1) rep.kerr = 1;
    // 4. Torsion, none through a pinned head.
    double T = TORCHK(ctl.ax, pile, u(4), rep);
    if (KCONN(pile) == 1 || KCONNZ(pile) == 1) T = 0.0;
    // 5. Node mesh; a status ends the evaluation with no force.
    NODE(pile, ISTAT);
    if (ISTAT != 0) return f;
    // 6. Lateral solution of both bending planes.
    w.pile = pile;
    w.yh = u(2), w.ry = -u(6), w.zh = u(3), w.rz = u(5);
    w.P0 = N, w.T0 = T;
    w.hd = u;
    w.R = Q;
    w.Fy = w.Fz = w.Ky = w.Kz = 0.0;
    LLP3D(ctl.lat, w, ISTAT);
    if (ISTAT != 0) return f;
    // 8-9. Head reactions in pile axes, times the piles of the row, in cap axes.
    CAPVEC r;
    r(1) = N, r(2) = w.Fy, r(3) = w.Fz, r(4) = T, r(5) = -w.Kz, r(6) = w.Ky;
    for (int i = 1; i <= 6; ++i) r(i) = -PMULT(pile) * r(i);
    return pile_turn(Q, r, false);
}

namespace {

constexpr double FINE_T = 1.0e-5;   // translation step of the differences from a closed state, inch
constexpr double FINE_R = 1.0e-7;   // rotation step, radian

// Central differences of PILE3D at d with the translation step dt and the
// rotation step dr: each component up, then each down, from the unperturbed
// values; the columns (f+ - f-) / (2 step).
CAPMAT differences(const PileControls& ctl, int pile, const CAPVEC& d, Llp3dWork& w, int& ISTAT, double dt,
                   double dr) {
    CAPVEC x = d;
    CAPVEC fp[6], fm[6];
    for (int sign : {1, -1}) {
        for (int j = 1; j <= 6; ++j) {
            const double saved = x(j);
            x(j) = saved + sign * (j <= 3 ? dt : dr);
            (sign > 0 ? fp : fm)[j - 1] = PILE3D(ctl, pile, x, w, ISTAT);
            x(j) = saved;
        }
    }
    CAPMAT K;
    K.fill(0.0);
    for (int j = 1; j <= 6; ++j) {
        const double step = j <= 3 ? dt : dr;
        for (int i = 1; i <= 6; ++i) K(i, j) = (fp[j - 1](i) - fm[j - 1](i)) / (2.0 * step);
    }
    return K;
}

// Differences of responses started from the row's closed state at d (just
// kept), closed far below the steps; the state itself is not moved.
CAPMAT differences_from_state(const PileControls& ctl, int pile, const CAPVEC& d, Llp3dWork& w, int& ISTAT) {
    PileControls c = ctl;
    const double unit = ctl.nunits == 2 ? f32(0.0254f) : 1.0;
    c.lat.warm = true;
    c.lat.keep = false;
    c.lat.tolfine = 1.0e-6 * FINE_T * unit;
    return differences(c, pile, d, w, ISTAT, FINE_T * unit, FINE_R);
}

// Slopes of the axial and torsional head curves at u (pile axes) and the
// change of the axial force of each slot per unit axial movement (into dP).
void head_slopes(const PileControls& ctl, int pile, const CAPVEC& u, Llp3dWork& w, double& kN, double& kT,
                 SLOTVEC& dP) {
    AxControls ax = ctl.ax;
    ax.kwarn = 0;
    RowReport quiet;
    int status = 0;
    const double unit = ctl.nunits == 2 ? f32(0.0254f) : 1.0;
    // 1. Axial: the head curve and, when it is distributed, the node forces.
    const double da = 1.0e-4 * std::abs(u(1)) + FINE_T * unit * 1.0e-2;
    const double Np = AXIAL3(ax, pile, u(1) + da, w.ax1, w.ax2, status, quiet) * AXFAC(pile);
    const double Nm = AXIAL3(ax, pile, u(1) - da, w.ax3, w.ax4, status, quiet) * AXFAC(pile);
    kN = (Np - Nm) / (2.0 * da);
    const int N = w.N;
    const bool varies = ctl.lat.kaxvar == 1 && ILSCRV(pile) <= 0;
    dP.fill(0.0);
    for (int i = 3; i <= N + 6; ++i) {
        const int k = std::clamp(real_node(i), 1, N + 1);
        dP.slot(i) = varies ? (w.ax2.node(k) - w.ax4.node(k)) / (2.0 * da) : kN;
    }
    // 2. Torsion, none through a pinned head.
    const double dr = 1.0e-4 * std::abs(u(4)) + FINE_R * 1.0e-2;
    kT = (TORCHK(ax, pile, u(4) + dr, quiet) - TORCHK(ax, pile, u(4) - dr, quiet)) / (2.0 * dr);
    if (KCONN(pile) == 1 || KCONNZ(pile) == 1) kT = 0.0;
}

// The head stiffness in cap axes from the derivatives in pile axes of the
// reactions r = (N, Fy, Fz, T, -Kz, Ky) by u, the row's piles applied.
CAPMAT cap_stiffness(int pile, const CAPMAT& Q, double kN, double kT, const LatTangent& lt) {
    // Head values of the planes by u: yh = u2, ry = -u6, zh = u3, rz = u5,
    // and the axial movement u1.
    auto col = [&](const double (&g)[5], int j) {
        switch (j) {
            case 1: return g[4];
            case 2: return g[0];
            case 3: return g[2];
            case 5: return g[3];
            case 6: return -g[1];
            default: return 0.0;
        }
    };
    CAPMAT Kr;
    Kr.fill(0.0);
    Kr(1, 1) = kN;
    Kr(4, 4) = kT;
    for (int j = 1; j <= 6; ++j) {
        Kr(2, j) = col(lt.dF[0], j);
        Kr(3, j) = col(lt.dF[1], j);
        Kr(5, j) = -col(lt.dM[1], j);
        Kr(6, j) = col(lt.dM[0], j);
    }
    // K = Q (-PMULT Kr) Q^T.
    CAPMAT A, K;
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) {
            double a = 0.0;
            for (int k = 1; k <= 6; ++k) a += Kr(i, k) * Q(j, k);
            A(i, j) = a;
        }
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) {
            double a = 0.0;
            for (int k = 1; k <= 6; ++k) a += Q(i, k) * A(k, j);
            K(i, j) = -PMULT(pile) * a;
        }
    return K;
}

}  // namespace

CAPMAT PSTIFF(const PileControls& ctl, int pile, const CAPVEC& d, Llp3dWork& w, int& ISTAT) {
    CAPMAT K;
    K.fill(0.0);
    // 1. From rest, by the small steps.
    if (ctl.tangent == 1) {
        const double dt = ctl.nunits == 2 ? STEP_T_SI : STEP_T;
        return differences(ctl, pile, d, w, ISTAT, dt, STEP_R);
    }
    // 2. The response at d, kept as the row's state; none closed, no tangent.
    if (w.report == nullptr) {
        set_status_once(ISTAT, 40);
        return K;
    }
    PileControls c = ctl;
    c.lat.keep = true;
    PILE3D(c, pile, d, w, ISTAT);
    if (ISTAT != 0 || w.report->kerr == 1) return K;
    if (!llptan_covers(pile)) return differences_from_state(ctl, pile, d, w, ISTAT);
    // 3. The head curves' slopes and the linearised lateral solution.
    const CAPMAT Q = pile_rotation(pile);
    const CAPVEC u = pile_turn(Q, d, true);
    double kN = 0.0, kT = 0.0;
    head_slopes(ctl, pile, u, w, kN, kT, w.ax1);
    LatTangent lt;
    if (!LLPTAN(ctl.lat, w, w.ax1, lt)) return differences_from_state(ctl, pile, d, w, ISTAT);
    return cap_stiffness(pile, Q, kN, kT, lt);
}

}  // namespace zolan
