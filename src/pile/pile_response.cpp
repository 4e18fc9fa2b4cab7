// Single-pile response of the three-dimensional model and its head stiffness.
#include "pile/pile_response.h"

#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "model/single_precision.h"
#include "pile/axial_head.h"
#include "pile/node_mesh.h"
#include "pile/pile_frame.h"
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

CAPMAT PSTIFF(const PileControls& ctl, int pile, const CAPVEC& d, Llp3dWork& w, int& ISTAT) {
    // 1. Steps by unit system.
    const double dt = ctl.nunits == 2 ? STEP_T_SI : STEP_T;
    CAPVEC x = d;
    CAPVEC fp[6], fm[6];
    // 2-3. Each component up, then each down, from the unperturbed values.
    for (int sign : {1, -1}) {
        for (int j = 1; j <= 6; ++j) {
            const double saved = x(j);
            x(j) = saved + sign * (j <= 3 ? dt : STEP_R);
            (sign > 0 ? fp : fm)[j - 1] = PILE3D(ctl, pile, x, w, ISTAT);
            x(j) = saved;
        }
    }
    // 4. Central differences, column by column.
    CAPMAT K;
    K.fill(0.0);
    for (int j = 1; j <= 6; ++j) {
        const double step = j <= 3 ? dt : STEP_R;
        for (int i = 1; i <= 6; ++i) K(i, j) = (fp[j - 1](i) - fm[j - 1](i)) / (2.0 * step);
    }
    return K;
}

}  // namespace zolan
