// Load stepping and Newton iteration of the plane cap.
#include "group/cap_solver2d.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "group/cap_solver3d.h"
#include "group/group_factor_rule.h"
#include "group/pile_row_loops.h"
#include "group/point_of_definition.h"
#include "group/result_pass2d.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_warnings.h"
#include "model/run_state.h"
#include "model/single_precision.h"
#include "model/soil_tables.h"
#include "model/status_codes.h"
#include "model/warm_tables.h"
#include "report/run_files.h"
#include "report/stop_request.h"
#include "results/results_services.h"
#include "soil/group_factors.h"

namespace zolan {

namespace {

constexpr double TOLDET = f32(1.0e-14f);            // a determinant at most this is singular
constexpr double TOLTINY = f32(1.0e-10f);           // increments and totals that count as nothing
constexpr double TOLU2 = f32(1.0e-14f);             // a Y displacement this close to 0 has no sense
constexpr double GRDTOL = f32(1.0e-6f);             // the mean ground line lies above X = 0 beyond this
constexpr double STEP_T = f32(1.0e-5f);             // translation step, inch
constexpr double STEP_T_SI = f32(2.54e-7f);         // the same in metres
constexpr double STEP_R = f32(1.0e-5f) * f32(1.0e-3f);  // rotation step, radian
constexpr int KELLP = 1, KESING = 2;                // error words: a pile did not close, singular matrix

// Iteration trace.
const fmt::Format F_TRC_SS(R"(("SS  ",I1,7E18.10))");
const fmt::Format F_TRC_DDV(R"(("DDV  ",7E18.10))");
const fmt::Format F_TRC_DFV(R"(("DFV  ",7E18.10))");
const fmt::Format F_TRC_UDV(R"(("UDV  ",7E18.10))");
const fmt::Format F_TRC_DV(R"(("DV   ",7E18.10))");
const fmt::Format F_TRC_FV(R"(("FV   ",7E18.10))");
const fmt::Format F_TRC_RV(R"(("RV   ",7E18.10))");
const fmt::Format F_TRC_SE(R"(("SE  ",I1,7E18.10))");
const fmt::Format F_TRC_DDUV(R"(("DDUV ",7E18.10))");
const fmt::Format F_TRC_DFUV(R"(("DFUV ",7E18.10))");
const fmt::Format F_TRC_UDUV(R"(("UDUV ",7E18.10))");
const fmt::Format F_TRC_DUV(R"(("DUV  ",7E18.10))");
const fmt::Format F_TRC_FFUV(R"(("FFUV ",7E18.10))");
const fmt::Format F_TRC_RUV(R"(("RUV  ",7E18.10))");

// Progress at the points of an estimation but its last: a target level
// tells its point, a flexibility point its degree of freedom.
const fmt::Format F_PRG_POINT(
    R"f(("- ANALYSIS FOR ",A,I3,"/",I3," (",I2,"/",I2," proc.)",/," POINT:",I3,"/",I3," STEP:",I5," TCUR:",F9.3," ITERATION:",I5,/))f");
const fmt::Format F_PRG_DOF(
    R"f(("- ANALYSIS FOR ",A,I3,"/",I3," (",I2,"/",I2," proc.)",/," DOF:",I3,"/",I3," STEP:",I5," TCUR:",F10.4," ITERATION:",I5,/))f");

enum class Iter { Next, Converged, Failed, Diverged, Return };

// The working state of one solve; nothing of it outlives the call.
struct Solve {
    const SolveRequest* req = nullptr;
    CAPVEC P, U, Us, DU, dU, F, R, PE;
    MAT3 J, Jc;
    double rp = 0.0, pos = 0.0;
    StepControl sc;
    int step = 0, iter = 0;
    bool last_converged = false;
    bool pod = false;         // a load case given at a point of definition
    bool diverged = false;    // the point's solution is no longer finite
    CAPVEC xstep, xsolve;     // point of definition: sums of the cap part of its solutions
    Cap2dOutcome out;  // the last converged iteration's values
    Table1<double, MAXPIL> pfgrp;  // group p-multipliers of the last converged iteration
    // Damping: the Jacobian's diagonal of the last step (and with a point of
    // definition its diagonal at the point), the size of the residual it was
    // taken from, and of the step's first residual; the farthest pile head
    // from the origin.
    double wdiag[3] = {};
    VEC3 pw;
    double mlast = 0.0, mfirst = 0.0, reach = 0.0;
    GroupSense sense;  // the sense of the group factors held by a second solve
};

CAPVEC zero_vec() {
    CAPVEC v;
    v.fill(0.0);
    return v;
}

VEC3 v3(const CAPVEC& v) {
    VEC3 r;
    for (int k = 1; k <= 3; ++k) r(k) = v(k);
    return r;
}

// The iteration's progress message and the stop request: true on a stop.
bool stop_requested(const Solve& s) {
    const SolveRequest& r = *s.req;
    if (r.NPTS == 1 || r.IPOINT == r.NPTS) return CAPPOLL(r, s.step, TCUR, s.iter);
    const char* label = r.kind == 0 ? "LOAD CASE " : "LOAD COMB ";
    const int total = r.kind == 0 ? NLCASE : NLCOMB;
    return STOPPOLL(r.KTGT == 1 ? F_PRG_POINT : F_PRG_DOF,
                    {label, ICASE, total, NTHRMX(1), NPROC, r.IPOINT, r.ILOOP, s.step, TCUR, s.iter});
}

// The stage controls of the residual's pile responses: each closed a
// hundred times finer than the cap's own test at the current displacement
// (the step's movement so far, else the whole), between a millionth and a
// thousandth of the pile tolerance; the closed states kept for the
// Jacobian's points.
PileControls residual_controls(const Solve& s, int kwarn) {
    PileControls c = pile_controls(0, 1, kwarn);
    const double step = std::hypot(s.DU(1), s.DU(2)), whole = std::hypot(s.U(1), s.U(2));
    const double aim = 1.0e-2 * TOLREL * (step > 0.0 ? step : whole);
    if (c.tangent == 0) c.lat.tolfine = std::clamp(aim, 1.0e-6 * TOLLLP, 1.0e-3 * TOLLLP);
    return c;
}

// The residual F(U) with the pile warnings written and counted.
void residual(Solve& s, int& ISTAT) {
    io::open_unit(WARNSCR, FAXWARN, {io::Access::Write});
    s.F = FVEC2D(residual_controls(s, 1), s.U, ISTAT);
    io::close_unit(WARNSCR);
}

void trace_vector(const fmt::Format& f, const CAPVEC& v) { io::write_fmt(ITERTRC, f, {v(1), v(2), v(3)}); }
void trace_six(const fmt::Format& f, const CAPVEC& v) {
    io::write_fmt(ITERTRC, f, {v(1), v(2), v(3), v(4), v(5), v(6)});
}

// 7. The passive block of an embedded cap from the rows' ground lines and
//    passive resistances of this iteration's residual; the load PE takes the
//    passive load, KP its central differences at the Jacobian's points.
MAT3 passive(Solve& s) {
    MAT3 KP;
    KP.fill(0.0);
    if (KCAPOP != 1 || NPILES < 1) return KP;
    double g = 0.0, pv = 0.0;
    for (int r = 1; r <= NPILES; ++r) g += GRDDEP(r), pv += PASPV(r);
    const PassiveBlock b = PASBLK(g / NPILES, pv / NPILES, CAPTHK, XTOP(NPILES));
    const VEC3 pl = PASLOAD(b, s.U(2));
    for (int k = 1; k <= 3; ++k) s.PE(k) += pl(k);
    s.rp = -pl(2);
    s.pos = b.pos;
    const double h = NUNITS == 2 ? STEP_T_SI : STEP_T;
    // Only the Y displacement moves the passive load.
    const VEC3 up = PASLOAD(b, s.U(2) + h), dn = PASLOAD(b, s.U(2) - h);
    for (int i = 1; i <= 3; ++i) KP(i, 2) = (up(i) - dn(i)) * 0.5 / h;
    return KP;
}

// 10-11. The Jacobian by central differences: the points U - h e1, U - h e2,
//     U - h3 e3, then U + h e1, U + h e2, U + h3 e3.
void jacobian(Solve& s, const MAT3& KP, int& ISTAT) {
    const double h = NUNITS == 2 ? STEP_T_SI : STEP_T;
    const double step[3] = {h, h, STEP_R};
    // Each point's piles start from the residual's closed states (which they
    // leave as they are) and close a million times finer than the step.
    PileControls c = residual_controls(s, 0);
    if (c.tangent == 0) c.lat.warm = true, c.lat.keep = false, c.lat.tolfine = 1.0e-6 * h;
    CAPVEC Fk[2][3];
    for (int sign : {-1, 1})
        for (int k = 1; k <= 3; ++k) {
            CAPVEC x = s.U;
            x(k) += sign * step[k - 1];
            Fk[sign > 0][k - 1] = FVEC2D(c, x, ISTAT);
        }
    for (int k = 1; k <= 3; ++k)
        for (int i = 1; i <= 3; ++i)
            s.J(i, k) = (Fk[1][k - 1](i) - Fk[0][k - 1](i)) * 0.5 / step[k - 1] - KP(i, k);
}

// 14. dU := J^-1 R by the adjugate; false for |det| <= 1e-14.
bool solve3(const MAT3& J, const CAPVEC& R, CAPVEC& dU) {
    MAT3 A;
    A(1, 1) = J(2, 2) * J(3, 3) - J(2, 3) * J(3, 2);
    A(1, 2) = -(J(1, 2) * J(3, 3) - J(1, 3) * J(3, 2));
    A(1, 3) = J(1, 2) * J(2, 3) - J(1, 3) * J(2, 2);
    A(2, 1) = -(J(2, 1) * J(3, 3) - J(2, 3) * J(3, 1));
    A(2, 2) = J(1, 1) * J(3, 3) - J(1, 3) * J(3, 1);
    A(2, 3) = -(J(1, 1) * J(2, 3) - J(1, 3) * J(2, 1));
    A(3, 1) = J(2, 1) * J(3, 2) - J(2, 2) * J(3, 1);
    A(3, 2) = -(J(1, 1) * J(3, 2) - J(1, 2) * J(3, 1));
    A(3, 3) = J(1, 1) * J(2, 2) - J(1, 2) * J(2, 1);
    const double det = J(1, 1) * A(1, 1) + J(1, 2) * A(2, 1) + J(1, 3) * A(3, 1);
    if (!(std::abs(det) > TOLDET)) return false;
    MAT3 Ji;
    for (int j = 1; j <= 3; ++j)
        for (int i = 1; i <= 3; ++i) Ji(i, j) = A(i, j) / det;
    const VEC3 x = MATVEC3(Ji, v3(R));
    dU = zero_vec();
    for (int k = 1; k <= 3; ++k) dU(k) = x(k);
    return true;
}

// The point of definition: its X and Y, the flags of its three degrees of
// freedom and their given displacements at the load factor TCUR.
PNTXY point_xy(const SolveRequest& rq) {
    PNTXY pt;
    pt(1) = rq.PDXYZ(1), pt(2) = rq.PDXYZ(2);
    return pt;
}
PNTFLGS point_flags(const SolveRequest& rq) {
    PNTFLGS fl;
    for (int k = 1; k <= 3; ++k) fl(k) = rq.PDFLAG(k);
    return fl;
}
VEC3 point_given(const SolveRequest& rq) {
    VEC3 dsp;
    for (int k = 1; k <= 3; ++k) dsp(k) = TCUR * rq.PDDISP(k);
    return dsp;
}

// 14, point of definition. On a step attempt's first iteration each
// off-diagonal pair of the symmetric J is held to half the geometric mean of
// its two diagonal magnitudes; then the augmented 6 x 6 system with the
// given displacements at the load factor (stepped as the loads are), and dU
// its cap part. False for a singular system.
bool solve_point(Solve& s) {
    const SolveRequest& rq = *s.req;
    if (s.iter == 1) limit_off_diagonals(s.J);
    const PNTXY pt = point_xy(rq);
    const PNTFLGS fl = point_flags(rq);
    const VEC3 dsp = point_given(rq);
    CAPMAT A6 = PNTSYS6(s.J, pt, fl);
    for (int i = 1; i <= 6; ++i)
        io::write_fmt(ITERTRC, F_TRC_SE, {i, A6(i, 1), A6(i, 2), A6(i, 3), A6(i, 4), A6(i, 5), A6(i, 6)});
    if (MATINV(std::span<double>(&A6(1, 1), 36), 6, 6) == 1) return false;
    const PointRhs6 b = PNTRHS6(v3(s.R), v3(s.F), dsp, v3(s.U), pt, fl);
    const CAPVEC x = MXV6S(A6, b.b1);
    s.diverged = !all_finite(std::span<const double>(&x(1), 6));
    if (s.diverged) return true;
    s.dU = zero_vec();
    CAPVEC bsum;
    for (int k = 1; k <= 6; ++k) bsum(k) = b.b1(k) + b.b2(k);
    for (int k = 1; k <= 3; ++k) s.dU(k) = x(k), s.xstep(k) += x(k), s.xsolve(k) += x(k);
    for (int k = 4; k <= 6; ++k) s.xstep(k) = s.xsolve(k) = x(k);
    trace_six(F_TRC_DDUV, x);
    trace_six(F_TRC_DFUV, b.b1);
    trace_six(F_TRC_UDUV, s.xstep);
    trace_six(F_TRC_DUV, s.xsolve);
    trace_six(F_TRC_FFUV, bsum);
    trace_six(F_TRC_RUV, b.b2);
    return true;
}

// 17-21. Measures, log and convergence test of the increment.
Iter log_and_test(const Solve& s) {
    const CapMeasure inc = V3NRM(v3(s.dU)), tot = V3NRM(v3(s.DU)), mx = V3MAX(v3(s.dU));
    const CapMeasure e{tot.d == 0.0 ? inc.d : inc.d / tot.d, tot.r == 0.0 ? inc.r : inc.r / tot.r};
    if (!all_finite(std::array{e.d, e.r, tot.d, tot.r})) return Iter::Diverged;
    CAPLOG(s.iter, e, inc, tot, mx);
    if (s.iter == 1) return Iter::Next;
    const bool dsp = TOLREL >= e.d || TOLTINY >= inc.d || TOLTINY >= tot.d || (KABSTL == 1 && TOLDSP >= mx.d);
    const bool rot = TOLREL >= e.r || TOLTINY >= inc.r || TOLTINY >= tot.r || (KABSTL == 1 && TOLROT >= mx.r);
    // A rotation whose increment moves no pile head by more than the
    // translations' tolerance has converged too.
    if (dsp && (rot || inc.r * s.reach <= TOLREL * tot.d)) return Iter::Converged;
    return s.iter > MAXITC ? Iter::Failed : Iter::Next;
}

// The group reduction factors of the rows computed from the layout
// (KGRPRF 1) for the sense of the cap's lateral movement in this iteration,
// by the rule of the three-dimensional cap (GRPFAC2D), or for the sense a
// second solve holds.
void group_factors(const Solve& s) {
    if (KGRPRF == 1) GRPFAC2D(s.U, s.P, s.reach, s.sense);
}

// Steps 3-8: the group factors, the residual of the piles, the load and the
// soil movement of the factor, the passive load (KP its derivative), R. False when the call
// must end or the step fail (`r` tells which).
bool evaluate(Solve& s, MAT3& KP, int& ISTAT, Iter& r) {
    NAXWBR = NAXWPO = 0;
    group_factors(s);
    residual(s, ISTAT);
    if (ISTAT != 0) return r = Iter::Return, false;
    if (piles_unclosed(KERR)) return r = Iter::Failed, false;
    s.PE = zero_vec();
    for (int k = 1; k <= 3; ++k) s.PE(k) = TCUR * s.P(k);
    for (int k = 1; k <= NSMOV; ++k) SMVCUR(k, 1) = TCUR * SMOVY0(k), SMVCUR(k, 2) = TCUR * SMOVZ0(k);
    KP = passive(s);
    s.R = zero_vec();
    for (int k = 1; k <= 3; ++k) s.R(k) = s.PE(k) - s.F(k);
    return true;
}

// The size of a residual: sum R(i)^2 / |J(i, i)| over the last Jacobian's
// diagonal (forces and moment alike weighed as work); with a point of
// definition the size of its system's residual at the point (the unbalanced
// loads that are given and the mismatch of the given displacements).
double merit(const Solve& s) {
    const SolveRequest& rq = *s.req;
    if (s.pod) return point_residual_size(v3(s.R), v3(s.U), point_given(rq), point_xy(rq), point_flags(rq), s.pw);
    double m = 0.0;
    for (int i = 1; i <= 3; ++i)
        if (s.wdiag[i - 1] > 0.0) m += s.R(i) * s.R(i) / s.wdiag[i - 1];
    return m;
}

// A step that raised the residual is taken back by halves (at most five
// times) before the iteration goes on; a residual at the round-off of the
// step's first one is never a rise. Not with the earlier tangent.
bool damp(Solve& s, MAT3& KP, int& ISTAT, Iter& r) {
    if (KTANG == 1 || s.iter == 1) return true;
    for (int halvings = 0; halvings < 5; ++halvings) {
        const double m = merit(s);
        if (!(m > s.mlast) || m <= 1.0e-24 * s.mfirst) break;
        for (int k = 1; k <= 3; ++k) {
            s.dU(k) *= 0.5;
            s.U(k) -= s.dU(k), s.DU(k) -= s.dU(k);
        }
        if (!evaluate(s, KP, ISTAT, r)) return false;
    }
    return true;
}

// One Newton iteration of the current step at TCUR.
Iter newton_iteration(Solve& s, int& ISTAT) {
    // 1-2. Count, progress message and stop request.
    ++s.iter;
    NAXWBR = NAXWPO = 0;
    KERR = 0;
    if (stop_requested(s)) {
        ISTAT = ISSTOP;
        return Iter::Return;
    }
    // 3-8. The residual at U (a pile that did not close fails the step), the
    //      step damped while it raised the residual.
    MAT3 KP;
    Iter r = Iter::Next;
    if (!evaluate(s, KP, ISTAT, r) || !damp(s, KP, ISTAT, r)) return r;
    if (!all_finite(std::span<const double>(&s.R(1), 3))) return Iter::Diverged;  // numbers no longer finite end the stepping
    // 9-12. Trace heading, the Jacobian and its trace.
    io::write_list(ITERTRC);
    io::write_list(ITERTRC, {s.iter});
    jacobian(s, KP, ISTAT);
    if (ISTAT != 0) return Iter::Return;
    if (piles_unclosed(KERR)) return Iter::Failed;
    if (!all_finite(std::span<const double>(&s.J(1, 1), 9))) return Iter::Diverged;
    s.Jc = s.J;
    for (int i = 1; i <= 3; ++i) io::write_fmt(ITERTRC, F_TRC_SS, {i, s.J(i, 1), s.J(i, 2), s.J(i, 3)});
    for (int i = 1; i <= 3; ++i) s.wdiag[i - 1] = std::abs(s.J(i, i));
    if (s.pod) s.pw = point_diagonal(s.J, point_xy(*s.req));
    s.mlast = merit(s);
    if (s.iter == 1) s.mfirst = s.mlast;
    // 13. A symmetric Jacobian on a step attempt's first iteration.
    if (s.iter == 1)
        for (int j = 2; j <= 3; ++j)
            for (int i = 1; i < j; ++i) s.J(i, j) = s.J(j, i) = (s.J(i, j) + s.J(j, i)) / 2.0;
    // 14. Solve; a singular matrix fails the step.
    if (!(s.pod ? solve_point(s) : solve3(s.J, s.R, s.dU))) {
        CAPSING();
        KERR = KESING;
        return Iter::Failed;
    }
    if (s.diverged || !all_finite(std::span<const double>(&s.dU(1), 3))) return Iter::Diverged;
    // 15-16. Increment and trace.
    for (int k = 1; k <= 3; ++k) s.U(k) += s.dU(k), s.DU(k) += s.dU(k);
    if (!s.pod) {
        trace_vector(F_TRC_DDV, s.dU);
        trace_vector(F_TRC_DFV, s.R);
        trace_vector(F_TRC_UDV, s.DU);
        trace_vector(F_TRC_DV, s.U);
        trace_vector(F_TRC_FV, s.PE);
        trace_vector(F_TRC_RV, s.F);
    }
    // 17-21. Convergence.
    return log_and_test(s);
}

// A converged step: its displacement added, the values the result pass
// reads kept.
void keep_converged(Solve& s) {
    for (int k = 1; k <= 3; ++k) s.Us(k) += s.DU(k);
    ++s.out.nconv;
    s.out.PE = s.PE;
    s.out.F = s.F;
    s.out.Jc = s.Jc;
    s.out.rp = s.rp;
    s.out.pos = s.pos;
    s.pfgrp = PFGRP;
}

// One load step at the target s.sc.t; false when the call must return.
bool load_step(Solve& s, int& ISTAT) {
    // 1-4. Step number, factor, log; the step's sums cleared.
    ++s.step;
    TCUR = s.sc.t;
    CAPSTEPLOG(s.step, TCUR, s.sc.dt);
    s.dU = s.DU = s.xstep = zero_vec();
    s.iter = 0;
    PYREQ = 0;
    // 5. Newton iterations.
    Iter r = Iter::Next;
    while (r == Iter::Next) r = newton_iteration(s, ISTAT);
    if (r == Iter::Return) return false;
    // Step end: converged, the step's displacement and state kept; failed,
    // back to the last converged displacement.
    s.last_converged = r == Iter::Converged;
    if (s.last_converged) keep_converged(s);
    s.U = s.Us;
    if (r == Iter::Diverged) CAPGIVEUP(s.sc);
    else CAPSTEPEND(s.sc, TCUR, s.last_converged, s.step);
    return true;
}

// The group factors by the rule as written wherever it holds, as in the
// three-dimensional solver: when the band's factors at the full load's
// displacement are not those of its sense, the full load is solved again
// from there with that sense held, and the answer kept when it converges
// with the sense it was given. Not with a point of definition. False when
// the call must return.
bool hold_written_sense(Solve& s, int& ISTAT) {
    if (!s.last_converged || s.sc.tconv < 1.0 || s.pod || KGRPRF != 1) return true;
    const GroupSense sense = group_sense_to_try2d(s.Us, s.P, s.reach);
    if (!sense.held) return true;
    // 1. The error word the iterations change, for an answer not kept.
    const int kerr = KERR;
    // 2. Newton iterations at the full load from the band's displacement.
    Solve t = s;
    t.sense = sense;
    t.U = t.Us;
    t.dU = t.DU = t.xstep = zero_vec();
    t.iter = 0;
    TCUR = 1.0;
    Iter r = Iter::Next;
    while (r == Iter::Next) r = newton_iteration(t, ISTAT);
    if (r == Iter::Return) return false;
    // 3. Kept when the sense holds.
    if (r == Iter::Converged) keep_converged(t);
    const bool holds = r == Iter::Converged && group_sense_holds2d(t.Us, t.P, t.reach, sense);
    if (holds) {
        t.U = t.Us, s = t;
        return true;
    }
    // 4. Else the band's answer stays, its piles evaluated once more at it,
    //    so that the pile warnings (their counts, blocks and the rows past
    //    their peaks) are its own and not those of the answer left.
    KERR = kerr;
    NAXWBR = NAXWPO = 0;
    group_factors(s);
    residual(s, ISTAT);
    return ISTAT == 0;
}

// The outcome for the result pass; the load factor and the soil movement
// in effect are those of the last converged step.
Cap2dOutcome outcome_of(Solve& s) {
    Cap2dOutcome o = s.out;
    o.converged = s.last_converged && s.sc.tconv >= 1.0;
    o.nstep = s.step;
    o.niter = s.iter;
    o.KERR = KERR;
    o.naxwbr = NAXWBR, o.naxwpo = NAXWPO;
    o.TCONV = s.sc.tconv;
    o.P = s.P;
    o.U = s.Us;
    o.pod = s.pod;
    TCUR = o.TCONV;
    for (int k = 1; k <= NSMOV; ++k) SMVCUR(k, 1) = TCUR * SMOVY0(k), SMVCUR(k, 2) = TCUR * SMOVZ0(k);
    if (KGRPRF == 1 && o.nconv > 0) PFGRP = s.pfgrp;
    return o;
}

}  // namespace

PassiveBlock PASBLK(double g, double pv, double thk, double xn) {
    PassiveBlock b;
    b.pos = xn;
    if (!(g < -GRDTOL)) return b;
    // The embedded depth e and the pressure f at its top.
    const double ga = std::abs(g);
    const double e = ga > thk ? thk : ga;
    const double f = ga > thk ? pv * (ga - thk) / ga : 0.0;
    b.fb = (pv + f) / 2.0 * e;
    b.mb = e * (f * (e / 2.0 - xn) + (pv - f) / 2.0 * (e / 3.0 - xn));
    // The resultant's arm above the bottom (none without a force).
    if (b.fb != 0.0) b.pos = xn - (f * e * e / 2.0 + (pv - f) * e * e / 6.0) / std::abs(b.fb);
    return b;
}

VEC3 PASLOAD(const PassiveBlock& b, double u2) {
    VEC3 p;
    p.fill(0.0);
    if (std::abs(u2) <= TOLU2) return p;
    const double s = u2 < 0.0 ? -1.0 : 1.0;
    p(2) = -s * b.fb;
    p(3) = s * b.mb;
    return p;
}

SolveAnswer CAP2DSOLVE(const SolveRequest& request, int& ISTAT) {
    // 1. Per-solve words back to their start, every pile row to start from
    //    rest.
    CAPCLEAR();
    WARMCLEAR();
    KFLAG = 0;
    // 2. The state of the call. An initial increment above 1 is one step at
    //    the full load.
    Solve s;
    s.req = &request;
    s.P = s.PE = zero_vec();
    for (int p = 1; p <= NPILES; ++p) s.reach = std::max(s.reach, std::hypot(XTOP(p), YTOP(p)));
    for (int k = 1; k <= 3; ++k) s.P(k) = request.load(k);
    s.U = s.Us = s.DU = s.dU = s.F = s.R = zero_vec();
    s.J.fill(0.0);
    s.Jc.fill(0.0);
    s.out.PE = s.out.F = zero_vec();
    s.out.Jc.fill(0.0);
    s.pfgrp = PFGRP;
    s.pod = request.kind == 0 && ICASE >= 1 && ICASE <= MAXLC && LCPOD(ICASE) > 0;
    s.xstep = s.xsolve = zero_vec();
    s.sc.dt = std::min(DTINIT, 1.0);
    s.sc.t = s.sc.dt;
    CAPBEGIN(DTINIT);
    // 3. The load steps.
    while (s.sc.t <= 1.0)
        if (!load_step(s, ISTAT)) {
            KFLAG = 0;
            return unanswered(request);
        }
    // 4. The group factors by the rule as written where it holds; the
    //    outcome to the result pass.
    if (!hold_written_sense(s, ISTAT)) {
        KFLAG = 0;
        return unanswered(request);
    }
    const Cap2dOutcome out = outcome_of(s);
    if (group_services.result2d) {
        const SolveAnswer a = group_services.result2d(request, out, ISTAT);
        KFLAG = 0;
        return a;
    }
    return RESPASS2(request, out, ISTAT);
}

SolveAnswer RESPASS2(const SolveRequest& request, const Cap2dOutcome& out, int& ISTAT) {
    SolveAnswer answer = unanswered(request);
    const CapForces forces = [&out](CAPVEC& F, int& status) {
        F = FVEC2D(pile_controls(KFLAG, NANAL, 0), out.U, status);
    };
    RESPASS2D(request, out, forces, answer, ISTAT);
    KFLAG = 0;
    return answer;
}

}  // namespace zolan
