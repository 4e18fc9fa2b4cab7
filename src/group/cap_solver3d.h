// Three-dimensional cap solver: the six displacements U of the rigid cap at
// its origin for which the forces of all pile rows balance the applied
// load, TCUR P + F(U) = 0, found by load stepping on the factor TCUR and,
// within each step, full Newton iteration K dU = -(TCUR P + F), K = dF/dU.
//
// Phases of one solve: set up (entry words, per-solve state), assemble (the
// pile-row sums FVEC and STIFF, group factors, soil movement in effect),
// solve (the 6 x 6 inverse, the increment, the convergence test), output
// (the iteration log and trace, the progress message; then the stepping's
// outcome handed to the result pass).
#pragma once

#include <span>

#include "group/group_services.h"
#include "group/matrix_kernels.h"

namespace zolan {

// The body of CAP3D (group_services.h): one solve of the request.
SolveAnswer CAP3DSOLVE(const SolveRequest& request, int& ISTAT);

// The result pass after the stepping: the module's own body of the
// group_services.result3d hand-over (KFLAG := 0 and the request's answer
// until the status line, cap reports and print pass are built).
SolveAnswer RESPASS3(const SolveRequest& request, const Cap3dOutcome& out, int& ISTAT);

// The next target load factor after a step: `converged` tells the step's
// end. Converged: tconv := tcur and the target is tcur + dt, clipped to
// exactly 1.0 when it passes 1 before the full load was reached. Failed:
// dt halves; below dtmin the stepping gives up (returns false), else the
// target is tcur - dt (the failed target lowered by the new increment).
// Returns true while the stepping goes on with target t <= 1.
struct StepControl {
    double t = 0.0;      // target of the next step
    double dt = 0.0;     // current increment
    double tconv = 0.0;  // factor of the last converged step
};
bool next_step(StepControl& s, double tcur, bool converged, double dtmin);

// Runtime-file and progress words both cap solvers write alike.
// Start of a solve: the heading, and the note of an initial increment above
// 1 (the solve then runs one step at the full load); flushed.
void CAPBEGIN(double dtinit);
// Start of a load step: its number, factor and increment; flushed.
void CAPSTEPLOG(int step, double tcur, double dtcur);
// The progress message of an iteration and the stop request: true on a stop.
bool CAPPOLL(const SolveRequest& request, int step, double tcur, int iter);
// The iteration's log: ratios e, increments inc, totals tot of the
// translation (d) and rotation (r) parts, and with KABSTL = 1 the largest
// components mx.
void CAPLOG(int iter, const CapMeasure& e, const CapMeasure& inc, const CapMeasure& tot, const CapMeasure& mx);
// A singular cap matrix: the warning on the runtime file; the results
// report learns at the step's end (CAPSTEPEND) whether the step was halved
// and retried or the stepping gave up. The stepping that gives up (not after
// a singular matrix): its warning with the iteration limit.
void CAPSING();
void CAPNOCONV();
// The soil movement in effect at load factor t.
void SOILMV(double t);
// The words a solve shares with the pile routines back to their start
// (warning counters, error word, curve words, passive values, soil movement).
void CAPCLEAR();

// The end of a load step for both solvers: next_step on s, the step number
// kept for a repeated step, and the warning of a stepping that gives up
// (not after a singular matrix, error word 2). After a singular matrix the
// results report gets a note that the step was halved and retried, or the
// singular-matrix warning when the stepping gives up. Returns true while the
// stepping goes on.
bool CAPSTEPEND(StepControl& s, double tcur, bool converged, int& step);

// A step whose residual, tangent or increment is no longer a finite number
// ends the stepping for both solvers as not converged, without a retry at a
// smaller increment: the warning of a stepping that gives up.
void CAPGIVEUP(StepControl& s);
// True when every value is a finite number.
bool all_finite(std::span<const double> v);

// The factor reached told as a percentage, as the status line prints it.
inline double load_percent(double tconv) { return 100.0 * tconv; }

}  // namespace zolan
