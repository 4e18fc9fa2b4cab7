// Load stepping and Newton iteration of the three-dimensional cap.
#include "group/cap_solver3d.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "group/cap_passive.h"
#include "group/group_factor_rule.h"
#include "group/cap_pseudo_pile.h"
#include "group/matrix_kernels.h"
#include "group/point_of_definition.h"
#include "group/pile_row_loops.h"
#include "group/result_pass3d.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_warnings.h"
#include "model/run_state.h"
#include "model/single_precision.h"
#include "model/status_codes.h"
#include "model/warm_tables.h"
#include "report/run_files.h"
#include "report/stop_request.h"
#include "results/results_services.h"
#include "soil/group_factors.h"

namespace zolan {

namespace {

constexpr double TOLTINY = f32(1.0e-12f);  // increments that count as nothing
constexpr double TOLSMALL = f32(1.0e-8f);  // the same after 40 iterations
constexpr double TGIVEUP = f32(1.1f);      // target that ends the stepping
constexpr int KELLP = 1, KESING = 2;       // error words: a pile did not close, singular matrix
constexpr double PROPMAX = 100.0;          // a step's movement beyond this times its first increment's

// Runtime file.
const fmt::Format F_GLOBAL(R"((/,"     GLOBAL ITERATIONS"))");
const fmt::Format F_STEP(R"((5X,"STEP ",I5,", TCUR ",F10.4,", DTCUR ",F10.4))");
const fmt::Format F_FULLSTEP(
    R"((/,5X,"NOTE: INITIAL LOAD INCREMENT ",F10.4," IS ABOVE 1.0, ONE STEP AT THE FULL LOAD"))");
const fmt::Format F_NOCONV(
    R"((/,/,5X,"** WARNING **  ","PILE CAP DISPL DOES NOT CONVERGE AFTER,",I5,2X,"ITERATIONS"))");
const fmt::Format F_SING_RES(R"((5X,"** WARNING **  ","DETERMINANT OF STIFFNESS MATRIX IS ZERO"))");
const fmt::Format F_SING_RETRY(R"((5X,"NOTE: LOAD STEP TO LOAD FACTOR ",F8.4," HALVED AND RETRIED"))");
const fmt::Format F_OUT_OF_PROPORTION(
    R"((5X,"NOTE: LOAD STEP TO LOAD FACTOR ",F8.4," MOVED THE CAP OUT OF PROPORTION, HALVED AND RETRIED"))");
const fmt::Format F_SING_RUN(R"((/,/,5X,"** WARNING **  ","DETERMINANT OF STIFFNESS MATRIX IS ZERO"))");
const fmt::Format F_LOG_ITER(R"((5X,"ITERATION ",I4))");
const fmt::Format F_LOG_DSP(R"((5X,"          ",4X,"- ErrDsp ",E13.5,", IncDsp ",E13.5,", TotDsp ",E13.5))");
const fmt::Format F_LOG_ROT(R"((5X,"          ",4X,"- ErrRot ",E13.5,", IncRot ",E13.5,", TotRot ",E13.5))");
const fmt::Format F_LOG_MAX(R"((5X,"          ",4X,"- MaxDsp ",E13.5,", MaxRot ",E13.5))");

// Iteration trace.
const fmt::Format F_TRC_SS(R"(("SS  ",I1,7E13.5))");
const fmt::Format F_TRC_DDV(R"(("DDV  ",7E13.5))");
const fmt::Format F_TRC_DFV(R"(("DFV  ",7E13.5))");
const fmt::Format F_TRC_UDV(R"(("UDV  ",7E13.5))");
const fmt::Format F_TRC_DV(R"(("DV   ",7E13.5))");
const fmt::Format F_TRC_FV(R"(("FV   ",7E13.5))");
const fmt::Format F_TRC_RV(R"(("RV   ",7E13.5))");
const fmt::Format F_TRC_SE(R"(("SE ",I2,12E13.5))");
const fmt::Format F_TRC_DDUV(R"(("DDUV ",12E13.5))");
const fmt::Format F_TRC_DFUV(R"(("DFUV ",12E13.5))");
const fmt::Format F_TRC_UDUV(R"(("UDUV ",12E13.5))");
const fmt::Format F_TRC_DUV(R"(("DUV  ",12E13.5))");
const fmt::Format F_TRC_FFUV(R"(("FFUV ",12E13.5))");
const fmt::Format F_TRC_RUV(R"(("RUV  ",12E13.5))");

// Progress file; the label is "LOAD CASE " or "LOAD COMB ".
const fmt::Format F_PRG_ITER(
    R"f(("- ANALYSIS FOR ",A,I3,"/",I3," (",I2,"/",I2," proc.)",/," STEP:",I5," TCUR:",F10.4," ITERATION:",I5,/))f");
const fmt::Format F_PRG_ITER_DOF(
    R"f(("- ANALYSIS FOR ",A,I3,"/",I3," (",I2,"/",I2," proc.)",/," DOF:",I3,"/",I3," STEP:",I5," TCUR:",F9.3," ITERATION:",I5,/))f");
const fmt::Format F_PRG_STEP(
    R"f(("- ANALYSIS FOR ",A,I3,"/",I3," (",I2,"/",I2," proc.)",/," STEP:",I5," TCUR:",F10.4," COMPLETED",/))f");
const fmt::Format F_PRG_STEP_DOF(
    R"f(("- ANALYSIS FOR ",A,I3,"/",I3," (",I2,"/",I2," proc.)",/," DOF:",I3,"/",I3," STEP:",I5," TCUR:",F9.3," COMPLETED",/))f");
const fmt::Format F_PRG_DONE(
    R"f(("- ANALYSIS FOR ",A,I3,"/",I3," (",I2,"/",I2," proc.)",/," STEP:",I5," COMPLETED",/))f");
const fmt::Format F_PRG_DONE_DOF(
    R"f(("- ANALYSIS FOR ",A,I3,"/",I3," (",I2,"/",I2," proc.)",/," DOF:",I3,"/",I3," STEP:",I5," COMPLETED",/))f");

enum class Iter { Next, Converged, Failed, Diverged, Return };

// The working state of one solve; nothing of it outlives the call.
struct Solve {
    const SolveRequest* req = nullptr;
    CAPVEC P, U, Us, DU, dU, F, R, load;
    CAPMAT K, Kc;
    StepControl sc;
    int step = 0, iter = 0, nconv = 0;
    bool last_converged = false;
    Cap3dOutcome conv;  // the last converged iteration's values
    // Embedded cap: its part of F and the passive block's report values.
    CAPVEC Fcap;
    double fp2 = 0.0, fp3 = 0.0, fppos = 0.0;
    // Damping: the tangent's diagonal of the last step (and with a point of
    // definition its diagonal at the point), the size of the residual it was
    // taken from, and of the step's first residual.
    double wdiag[6] = {};
    CAPVEC pw;
    double mlast = 0.0, mfirst = 0.0;
    // The step's first increment: the movement its increment asks for.
    CAPVEC first;
    // The farthest pile head from the origin; the sense of the group
    // factors held by a second solve.
    double reach = 0.0;
    GroupSense sense;
    // Point of definition: the flag, the given displacements and loads at the
    // current factor, the 12 x 12 system (inverted in place), its right-hand
    // sides and solution, and the multipliers accumulated over the call.
    bool pod = false;
    CAPVEC pdisp, pload;
    MAT12 A;
    PointRhs12 rhs;
    VEC12 x, lam;
};

CAPVEC zero_vec() {
    CAPVEC v;
    v.fill(0.0);
    return v;
}

// Progress messages: the DOF form at the points of an estimation but its last.
struct Progress {
    const char* label;
    int total;
    bool dof;
};
Progress progress_of(const SolveRequest& r) {
    return {r.kind == 0 ? "LOAD CASE " : "LOAD COMB ", r.kind == 0 ? NLCASE : NLCOMB,
            r.NPTS != 1 && r.IPOINT != r.NPTS};
}

void step_message(const Solve& s) {
    const Progress p = progress_of(*s.req);
    if (p.dof)
        PROGWR(F_PRG_STEP_DOF,
               {p.label, ICASE, p.total, NTHRMX(1), NPROC, s.req->IPOINT, s.req->ILOOP, s.step, s.sc.tconv});
    else
        PROGWR(F_PRG_STEP, {p.label, ICASE, p.total, NTHRMX(1), NPROC, s.step, s.sc.tconv});
}

void done_message(const Solve& s) {
    const Progress p = progress_of(*s.req);
    if (p.dof)
        PROGWR(F_PRG_DONE_DOF, {p.label, ICASE, p.total, NTHRMX(1), NPROC, s.req->IPOINT, s.req->ILOOP, s.step});
    else
        PROGWR(F_PRG_DONE, {p.label, ICASE, p.total, NTHRMX(1), NPROC, s.step});
}

// The iteration's progress message and the stop request: true on a stop.
bool stop_requested(const Solve& s) { return CAPPOLL(*s.req, s.step, TCUR, s.iter); }

}  // namespace

void SOILMV(double t) {
    for (int k = 1; k <= NSMOV; ++k) SMVCUR(k, 1) = t * SMOVY0(k), SMVCUR(k, 2) = t * SMOVZ0(k);
}

namespace {

// The stage controls of the iteration's pile responses: each closed a
// hundred times finer than the cap's own test at the current displacement
// (the step's movement so far, else the cap's whole movement), between a
// millionth and a thousandth of the pile tolerance.
PileControls iteration_controls(const Solve& s, int kwarn) {
    PileControls c = pile_controls(0, 1, kwarn);
    const CapMeasure step = V6NRM(s.DU), whole = V6NRM(s.U);
    const double scale = step.d > 0.0 ? step.d : whole.d;
    const double aim = 1.0e-2 * TOLREL * scale;
    if (c.tangent == 0) c.lat.tolfine = std::clamp(aim, 1.0e-6 * TOLLLP, 1.0e-3 * TOLLLP);
    return c;
}

// The residual F(U) with the pile warnings written and counted.
void residual(Solve& s, int& ISTAT) {
    NAXWBR = NAXWPO = NFTORS = 0;
    io::open_unit(WARNSCR, FAXWARN, {io::Access::Write});
    s.F = FVEC(iteration_controls(s, 1), s.U, ISTAT);
    io::close_unit(WARNSCR);
}

void trace_matrix(const CAPMAT& K) {
    for (int i = 1; i <= 6; ++i)
        io::write_fmt(ITERTRC, F_TRC_SS, {i, K(i, 1), K(i, 2), K(i, 3), K(i, 4), K(i, 5), K(i, 6)});
}

void trace_vector(const fmt::Format& f, const CAPVEC& v) {
    io::write_fmt(ITERTRC, f, {v(1), v(2), v(3), v(4), v(5), v(6)});
}

std::span<const double> vec6(const CAPVEC& v) { return {&v(1), 6}; }

// The failure of the iteration's step: the limit passed, U unchanged.
Iter fail_step(Solve& s) {
    s.iter = MAXITC + 1;
    return Iter::Failed;
}

// The convergence test of one part (translations or rotations) of dU.
bool part_passes(const Solve& s, double inc, double tot, double mx, double tol) {
    const double e = tot == 0.0 ? inc : inc / tot;
    return e <= TOLREL || inc <= TOLTINY || tot <= TOLTINY ||
           (s.iter > 40 && (inc <= TOLSMALL || tot <= TOLSMALL)) || (KABSTL == 1 && mx <= tol);
}

// The runtime-file log of the increment and the convergence test.
Iter log_and_test(const Solve& s) {
    const CapMeasure inc = V6NRM(s.dU), tot = V6NRM(s.DU), mx = V6MAX(s.dU);
    const CapMeasure e{tot.d == 0.0 ? inc.d : inc.d / tot.d, tot.r == 0.0 ? inc.r : inc.r / tot.r};
    if (!all_finite(std::array{e.d, e.r, tot.d, tot.r})) return Iter::Diverged;
    CAPLOG(s.iter, e, inc, tot, mx);
    if (s.iter == 1) return Iter::Next;
    // A rotation whose increment moves no pile head by more than the
    // translations' tolerance has converged too (under a load that turns
    // the cap by nothing but round-off its own ratio never falls).
    const bool turned = part_passes(s, inc.r, tot.r, mx.r, TOLROT) || inc.r * s.reach <= TOLREL * tot.d;
    if (part_passes(s, inc.d, tot.d, mx.d, TOLDSP) && turned) return Iter::Converged;
    return s.iter > MAXITC ? Iter::Failed : Iter::Next;
}

// Resistance of the embedded cap at U added to F: the passive block (its
// report values kept) or the pseudo-pile; nothing for other models.
bool cap_resists() { return KCAPOP > 0 && (KCAPLD == 0 || KCAPLD == 1); }

void add_cap_force(Solve& s, int& ISTAT) {
    s.Fcap.fill(0.0);
    if (!cap_resists()) return;
    if (KCAPLD == 0) {
        s.Fcap = CAPPAS(s.U, ISTAT);
        s.fp2 = std::abs(s.Fcap(2));
        s.fp3 = std::abs(s.Fcap(3));
        s.fppos = s.fp2 > 0.0 ? s.Fcap(6) / s.Fcap(2) : (NPILES >= 1 ? CORX(NPILES) : 0.0);
    } else {
        s.Fcap = CAPSPF(s.U, ISTAT);
    }
    for (int j = 1; j <= 6; ++j) s.F(j) += s.Fcap(j);
}

// The embedded cap's tangent added to K.
void add_cap_stiffness(Solve& s, int& ISTAT) {
    if (!cap_resists()) return;
    const CAPMAT Kp = KCAPLD == 0 ? CAPPASK(s.U, ISTAT) : CAPSPK(s.U, ISTAT);
    for (int j = 1; j <= 6; ++j)
        for (int i = 1; i <= 6; ++i) s.K(i, j) += Kp(i, j);
}

// The point's given values at the factor TCUR.
void point_values(Solve& s) {
    for (int k = 1; k <= 6; ++k) {
        s.pload(k) = TCUR * s.req->PDFORC(k);
        s.pdisp(k) = TCUR * s.req->PDDISP(k);
    }
}

VEC3 point_of(const SolveRequest& r) {
    VEC3 p;
    for (int k = 1; k <= 3; ++k) p(k) = r.PDXYZ(k);
    return p;
}

// The system matrix of the iteration inverted in place: K (6 x 6), or for
// a point of definition the augmented 12 x 12 matrix, traced first. Returns
// false when it is singular.
bool invert_system(Solve& s) {
    if (!s.pod) return MATINV(std::span<double>(&s.K(1, 1), 36), 6, 6) == 0;
    if (s.iter == 1) limit_off_diagonals(s.K);
    s.A = CAPK12(s.K, point_of(*s.req), s.req->PDFLAG);
    for (int i = 1; i <= 12; ++i) {
        const MAT12& A = s.A;
        io::write_fmt(ITERTRC, F_TRC_SE,
                      {i, A(i, 1), A(i, 2), A(i, 3), A(i, 4), A(i, 5), A(i, 6), A(i, 7), A(i, 8), A(i, 9), A(i, 10),
                       A(i, 11), A(i, 12)});
    }
    return MATINV(std::span<double>(s.A.data(), 144), 12, 12) == 0;
}

void trace_vector12(const fmt::Format& f, const VEC12& v) {
    io::write_fmt(ITERTRC, f, {v(1), v(2), v(3), v(4), v(5), v(6), v(7), v(8), v(9), v(10), v(11), v(12)});
}

// The increment of a point-of-definition case: the cap part of the augmented
// solution; the multipliers are accumulated and traced.
CAPVEC point_increment(Solve& s) {
    s.rhs = CAPRES(s.R, s.F, s.pdisp, s.U, point_of(*s.req), s.req->PDFLAG);
    s.x = MXV12S(s.A, s.rhs.b1);
    CAPVEC dU;
    for (int k = 1; k <= 6; ++k) dU(k) = s.x(k), s.lam(k + 6) += s.x(k + 6);
    return dU;
}

void trace_point_increment(const Solve& s) {
    VEC12 v;
    trace_vector12(F_TRC_DDUV, s.x);
    trace_vector12(F_TRC_DFUV, s.rhs.b1);
    for (int k = 1; k <= 6; ++k) v(k) = s.DU(k), v(k + 6) = s.x(k + 6);
    trace_vector12(F_TRC_UDUV, v);
    for (int k = 1; k <= 6; ++k) v(k) = s.U(k), v(k + 6) = s.lam(k + 6);
    trace_vector12(F_TRC_DUV, v);
    for (int k = 1; k <= 12; ++k) v(k) = -(s.rhs.b1(k) + s.rhs.b2(k));
    trace_vector12(F_TRC_FFUV, v);
    trace_vector12(F_TRC_RUV, s.rhs.b2);
}

// The size of a residual: sum R(i)^2 / |K(i, i)| over the diagonal w of
// the tangent that made the last step (forces and moments alike weighed as
// work).
double merit(const CAPVEC& R, const double (&w)[6]) {
    double m = 0.0;
    for (int i = 1; i <= 6; ++i)
        if (w[i - 1] > 0.0) m += R(i) * R(i) / w[i - 1];
    return m;
}

// The size of the iteration's residual: merit, or with a point of definition
// the size of its system's residual at the point (the unbalanced loads that
// are given and the mismatch of the given displacements).
double residual_size(const Solve& s) {
    if (!s.pod) return merit(s.R, s.wdiag);
    return point_residual_size(s.R, s.U, s.pdisp, point_of(*s.req), s.req->PDFLAG, s.pw);
}

// Steps 3-8 and the cap's force: group factors, the piles' residual, the
// load and soil movement of the factor, the embedded cap's force, R. Returns
// false when the call must end or the step fail (`r` tells which).
bool evaluate(Solve& s, int& ISTAT, Iter& r) {
    if (KGRPRF > 0) GRPFAC(s.U, s.load, s.reach, s.sense);
    residual(s, ISTAT);
    if (ISTAT != 0) return r = Iter::Return, false;
    if (piles_unclosed(KERR)) return r = fail_step(s), false;
    for (int i = 1; i <= 6; ++i) s.load(i) = TCUR * s.P(i);
    if (s.pod) point_values(s);
    if (NSMOV > 0) SOILMV(TCUR);
    add_cap_force(s, ISTAT);
    if (ISTAT == ISSTOP) return r = Iter::Return, false;  // a stop read inside the cap's own loops
    for (int i = 1; i <= 6; ++i) s.R(i) = -(s.load(i) + s.F(i));
    return true;
}

// A step that raised the residual is taken back by halves (at most five
// times) before the iteration goes on; a residual at the round-off of the
// step's first one is never a rise. Not with the earlier tangent.
bool damp(Solve& s, int& ISTAT, Iter& r) {
    if (KTANG == 1 || s.iter == 1) return true;
    for (int halvings = 0; halvings < 5; ++halvings) {
        const double m = residual_size(s);
        if (!(m > s.mlast) || m <= 1.0e-24 * s.mfirst) break;
        for (int i = 1; i <= 6; ++i) {
            s.dU(i) *= 0.5;
            s.U(i) -= s.dU(i), s.DU(i) -= s.dU(i);
        }
        if (!evaluate(s, ISTAT, r)) return false;
    }
    return true;
}

// One Newton iteration of the current step at TCUR.
Iter newton_iteration(Solve& s, int& ISTAT) {
    // 1-2. Count, progress message and stop request.
    ++s.iter;
    KERR = 0;
    if (stop_requested(s)) {
        ISTAT = ISSTOP;
        return Iter::Return;
    }
    // 3-8. The residual at U (a pile that did not close fails the step),
    //    the step damped while it raised the residual.
    Iter r = Iter::Next;
    if (!evaluate(s, ISTAT, r) || !damp(s, ISTAT, r)) return r;
    // 9-11. Tangent, the embedded cap's tangent; the residual's size kept.
    s.K = STIFF(iteration_controls(s, 0), s.U, ISTAT);
    add_cap_stiffness(s, ISTAT);
    if (ISTAT == ISSTOP) return Iter::Return;  // a stop read inside the pile loops
    KCAPPY = 0;
    for (int i = 1; i <= 6; ++i) s.wdiag[i - 1] = std::abs(s.K(i, i));
    if (s.pod) s.pw = point_diagonal(s.K, point_of(*s.req));
    s.mlast = residual_size(s);
    if (s.iter == 1) s.mfirst = s.mlast;
    // 12. A pile that did not close in the tangent fails the step; numbers
    //     that are no longer finite end the stepping.
    if (piles_unclosed(KERR)) return fail_step(s);
    if (!all_finite(vec6(s.R)) || !all_finite(std::span<const double>(&s.K(1, 1), 36))) return Iter::Diverged;
    // 13-14. Trace; symmetric tangent on a step's first iteration.
    io::write_list(ITERTRC);
    io::write_list(ITERTRC, {s.iter});
    trace_matrix(s.K);
    s.Kc = s.K;
    if (s.iter == 1)
        for (int j = 2; j <= 6; ++j)
            for (int i = 1; i < j; ++i) s.K(i, j) = s.K(j, i) = (s.K(i, j) + s.K(j, i)) / 2.0;
    // 15-16. Inverse; a singular matrix fails the step.
    if (!invert_system(s)) {
        CAPSING();
        KERR = KESING;
        return fail_step(s);
    }
    // 17. Increment.
    s.dU = s.pod ? point_increment(s) : MXV6S(s.K, s.R);
    if (!all_finite(vec6(s.dU)) || (s.pod && !all_finite(std::span<const double>(&s.x(1), 12))))
        return Iter::Diverged;
    for (int i = 1; i <= 6; ++i) s.U(i) += s.dU(i), s.DU(i) += s.dU(i);
    if (s.iter == 1) s.first = s.dU;
    if (s.pod) {
        trace_point_increment(s);
        return log_and_test(s);
    }
    trace_vector(F_TRC_DDV, s.dU);
    trace_vector(F_TRC_DFV, s.R);
    trace_vector(F_TRC_UDV, s.DU);
    trace_vector(F_TRC_DV, s.U);
    trace_vector(F_TRC_FV, s.load);
    trace_vector(F_TRC_RV, s.F);
    // 18. Convergence.
    return log_and_test(s);
}

// The largest movement a pile head or the point of definition can have
// from the cap's movement v: its translation and its rotation times the
// farther of the farthest head and the point.
double head_movement(const Solve& s, const CAPVEC& v) {
    const CapMeasure m = V6NRM(v);
    const VEC3 p = point_of(*s.req);
    return m.d + m.r * std::max(s.reach, std::sqrt(p(1) * p(1) + p(2) * p(2) + p(3) * p(3)));
}

// With a point of definition, a step that converged to a movement out of all
// proportion to its increment (PROPMAX times the movement of its first
// increment, the cap's linear answer to it) is not accepted: the iteration
// found a state the structure does not reach on its way, and the step is
// halved instead (a note on the runtime file).
bool out_of_proportion(const Solve& s) {
    if (!s.pod || !(head_movement(s, s.DU) > PROPMAX * head_movement(s, s.first))) return false;
    io::write_fmt(RUNFILE, F_OUT_OF_PROPORTION, {TCUR});
    io::flush_unit(RUNFILE);
    return true;
}

// A converged step: its displacement added, the values the result pass
// reads kept.
void keep_converged(Solve& s) {
    for (int i = 1; i <= 6; ++i) s.Us(i) += s.DU(i);
    ++s.nconv;
    s.conv.F = s.F;
    s.conv.Kc = s.Kc;
    s.conv.Fcap = s.Fcap;
    s.conv.fp2 = s.fp2, s.conv.fp3 = s.fp3, s.conv.fppos = s.fppos;
    if (KGRPRF > 0) s.conv.pfgrp = PFGRP, s.conv.yfgrp = YFGRP;
}

// One load step at the target s.sc.t; false when the call must return.
bool load_step(Solve& s, int& ISTAT) {
    // 1-2. Step number, factor, log; the step's sums cleared.
    ++s.step;
    TCUR = s.sc.t;
    CAPSTEPLOG(s.step, TCUR, s.sc.dt);
    s.DU = zero_vec();
    s.iter = 0;
    // 3. Newton iterations.
    Iter r = Iter::Next;
    while (r == Iter::Next) r = newton_iteration(s, ISTAT);
    if (r == Iter::Return) return false;
    if (r == Iter::Converged && out_of_proportion(s)) r = Iter::Failed;
    // 4-5. Converged: the step's displacement kept; failed: back to the last
    //    converged step.
    s.last_converged = r == Iter::Converged;
    if (s.last_converged) keep_converged(s);
    s.U = s.Us;
    if (r == Iter::Diverged) CAPGIVEUP(s.sc);
    else CAPSTEPEND(s.sc, TCUR, s.last_converged, s.step);
    // 6. Progress.
    step_message(s);
    return true;
}

// The group factors by the rule as written wherever it holds: when the
// band's factors at the full load's displacement are not those of its
// sense, the full load is solved again from there with that sense held, and
// the answer is kept when it converges with the sense it was given; else
// the band's answer stays (a pure torque, a symmetric group under a vertical
// load, a battered group each of whose senses pushes it the other way).
// Not with a point of definition. False when the call must return.
bool hold_written_sense(Solve& s, int& ISTAT) {
    if (!s.last_converged || s.sc.tconv < 1.0 || s.pod || (KGRPRF != 1 && KGRPRF != 2)) return true;
    const GroupSense sense = group_sense_to_try(s.U, s.P, s.reach);
    if (!sense.held) return true;
    // 1. The error word the iterations change, for an answer not kept.
    const int kerr = KERR;
    // 2. Newton iterations at the full load from the band's displacement.
    Solve t = s;
    t.sense = sense;
    t.DU = zero_vec();
    t.iter = 0;
    TCUR = 1.0;
    Iter r = Iter::Next;
    while (r == Iter::Next) r = newton_iteration(t, ISTAT);
    if (r == Iter::Return) return false;
    // 3. Kept when the sense holds.
    if (r == Iter::Converged) {
        keep_converged(t);
        if (group_sense_holds(t.Us, t.P, t.reach, sense)) {
            t.U = t.Us;
            s = t;
            return true;
        }
    }
    // 4. Else the band's answer stays, its piles evaluated once more at it,
    //    so that the pile warnings (their counts, blocks and the rows past
    //    their peaks) are its own and not those of the answer left.
    KERR = kerr;
    if (KGRPRF > 0) GRPFAC(s.U, s.load, s.reach, s.sense);
    residual(s, ISTAT);
    return ISTAT == 0;
}

// The stepping's outcome as the result pass reads it; the shared words are
// set to those of the last converged step (load factor, soil movement, group
// factors), so that a partial solution is reported as it stood there.
Cap3dOutcome outcome_of(const Solve& s) {
    Cap3dOutcome o = s.conv;
    o.converged = s.last_converged && s.sc.tconv >= 1.0;
    o.nconv = s.nconv;
    o.nstep = s.step;
    o.niter = s.iter;
    o.KERR = KERR;
    o.naxwbr = NAXWBR, o.naxwpo = NAXWPO, o.nftors = NFTORS;
    o.TCONV = s.sc.tconv;
    o.P = s.P;
    o.U = s.U;
    o.pod = s.pod;
    TCUR = o.TCONV;
    if (NSMOV > 0) SOILMV(TCUR);
    if (KGRPRF > 0 && o.nconv > 0)
        for (int p = 1; p <= NPILES; ++p) PFGRP(p) = o.pfgrp(p), YFGRP(p) = o.yfgrp(p);
    return o;
}

// The per-solve state carried by shared words, back to its start, so that
// no result depends on the analyses before it.
void clear_solve_state() {
    NAXWBR = NAXWPO = NFTORS = 0;
    KCAPPY = 0;
    KERR = 0;
    PYREQ = 0;
    CAPHD = 0.0;
    PASPV.fill(0.0);
    SMVCUR.fill(0.0);
}

}  // namespace

void CAPBEGIN(double dtinit) {
    io::write_fmt(RUNFILE, F_GLOBAL);
    if (dtinit > 1.0) io::write_fmt(RUNFILE, F_FULLSTEP, {dtinit});
    io::flush_unit(RUNFILE);
}

void CAPSTEPLOG(int step, double tcur, double dtcur) {
    io::write_fmt(RUNFILE, F_STEP, {step, tcur, dtcur});
    io::flush_unit(RUNFILE);
}

bool CAPPOLL(const SolveRequest& request, int step, double tcur, int iter) {
    const Progress p = progress_of(request);
    if (p.dof)
        return STOPPOLL(F_PRG_ITER_DOF, {p.label, ICASE, p.total, NTHRMX(1), NPROC, request.IPOINT, request.ILOOP,
                                         step, tcur, iter});
    return STOPPOLL(F_PRG_ITER, {p.label, ICASE, p.total, NTHRMX(1), NPROC, step, tcur, iter});
}

void CAPLOG(int iter, const CapMeasure& e, const CapMeasure& inc, const CapMeasure& tot, const CapMeasure& mx) {
    io::write_fmt(RUNFILE, F_LOG_ITER, {iter});
    io::flush_unit(RUNFILE);
    io::write_fmt(RUNFILE, F_LOG_DSP, {e.d, inc.d, tot.d});
    io::write_fmt(RUNFILE, F_LOG_ROT, {e.r, inc.r, tot.r});
    if (KABSTL == 1) io::write_fmt(RUNFILE, F_LOG_MAX, {mx.d, mx.r});
    io::flush_unit(RUNFILE);
}

void CAPSING() {
    io::write_fmt(RUNFILE, F_SING_RUN);
    io::flush_unit(RUNFILE);
}

void CAPNOCONV() {
    for (int u : {RESFILE, RUNFILE}) io::write_fmt(u, F_NOCONV, {MAXITC});
    io::flush_unit(RUNFILE);
}

void CAPCLEAR() { clear_solve_state(); }

void CAPGIVEUP(StepControl& s) {
    s.t = TGIVEUP;
    CAPNOCONV();
}

bool all_finite(std::span<const double> v) {
    for (const double x : v)
        if (!std::isfinite(x)) return false;
    return true;
}

bool CAPSTEPEND(StepControl& s, double tcur, bool converged, int& step) {
    const bool goes_on = next_step(s, tcur, converged, DTCMIN);
    if (!converged && goes_on) --step;
    // A singular matrix on the results report: a note while the step is
    // halved and retried (the analysis may still converge), the warning
    // only when the stepping gives up on it.
    if (!converged && KERR == KESING) {
        if (goes_on) io::write_fmt(RESFILE, F_SING_RETRY, {tcur});
        else io::write_fmt(RESFILE, F_SING_RES);
    }
    if (!converged && !goes_on && KERR != KESING) CAPNOCONV();
    return goes_on;
}

bool next_step(StepControl& s, double tcur, bool converged, double dtmin) {
    if (converged) {
        s.tconv = tcur;
        s.t = tcur + s.dt;
        if (s.t > 1.0 && s.tconv < 1.0) s.t = 1.0;
        // An increment too small to move the factor would never end.
        if (s.t <= tcur) s.t = TGIVEUP;
        return s.t <= 1.0;
    }
    s.dt /= 2.0;
    if (s.dt < dtmin || !(s.dt > 0.0)) {
        s.t = TGIVEUP;
        return false;
    }
    s.t = tcur - s.dt;
    return true;
}

SolveAnswer CAP3DSOLVE(const SolveRequest& request, int& ISTAT) {
    // 1-2. Entry words, every pile row to start from rest; the flexible cap
    //      takes the whole analysis.
    clear_solve_state();
    WARMCLEAR();
    if (FCOPT > 0) {
        if (group_services.flexcap) group_services.flexcap(request, ISTAT);
        KFLAG = 0;
        return unanswered(request);
    }
    // 3. The state of the call. An initial increment above 1 is one step at
    //    the full load.
    Solve s;
    s.req = &request;
    s.conv.F.fill(0.0);
    s.conv.Kc.fill(0.0);
    s.conv.pfgrp = PFGRP, s.conv.yfgrp = YFGRP;
    s.P = s.load = request.load;
    s.U = s.Us = s.DU = s.dU = s.F = s.R = zero_vec();
    s.K.fill(0.0);
    s.Kc.fill(0.0);
    s.pod = request.kind == 0 && ICASE >= 1 && ICASE <= MAXLC && LCPOD(ICASE) > 0;
    s.reach = CAPREACH();
    s.sc.dt = std::min(DTINIT, 1.0);
    s.sc.t = s.sc.dt;
    // 4. Runtime-file heading.
    CAPBEGIN(DTINIT);
    // 5. The load steps.
    while (s.sc.t <= 1.0)
        if (!load_step(s, ISTAT)) return unanswered(request);
    // 6. The group factors by the rule as written where it holds; the
    //    outcome at the last converged step, to the result pass.
    if (!hold_written_sense(s, ISTAT)) return unanswered(request);
    done_message(s);
    const Cap3dOutcome out = outcome_of(s);
    if (group_services.result3d) return group_services.result3d(request, out, ISTAT);
    return RESPASS3(request, out, ISTAT);
}

SolveAnswer RESPASS3(const SolveRequest& request, const Cap3dOutcome& out, int& ISTAT) {
    // 1. The stepping's outcome in the terms of the result pass.
    CapFinal st;
    static_cast<Cap3dOutcome&>(st) = out;
    st.outcome = out.converged ? Stepping::Converged : Stepping::Failed;
    // 2. Status line, cap reports, print pass and estimation records; the
    //    pile forces of the print and equivalent-stiffness passes are those
    //    of the last converged displacement, under the pass the result pass
    //    sets in KFLAG (no axial warnings outside the residual evaluation).
    SolveAnswer answer = unanswered(request);
    const CapForces forces = [&out](CAPVEC& F, int& status) {
        F = FVEC(pile_controls(KFLAG, NANAL, 0), out.U, status);
    };
    RESPASS3D(request, st, forces, answer, ISTAT);
    KFLAG = 0;
    return answer;
}

}  // namespace zolan
