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
// Group reduction factors of every row for the cap displacement U: the
// factors of the two lateral directions, for the sense of the movement,
// combined by its direction. Within the band of GRPBAND the lateral movement
// does not decide alone: the sense and the direction pass continuously from
// those of the lateral push on the group (GRPPUSH; without one, the mean of
// both senses, along Y) to those of the movement, which hold beyond it. No
// factor turns with a sign of round-off or jumps between two iterations, a
// symmetric group stays symmetric, and a clear lateral movement takes the
// factors of its own sense and direction.
// reach: the farthest pile head from the cap origin (CAPREACH).
void GRPFAC(const CAPVEC& U, const CAPVEC& load, double reach);
// The distance of the farthest pile head from the cap origin.
double CAPREACH();
// The band of lateral cap movement for U: GRPBANDF of the largest movement
// a pile head can have (the translation and the rotation times the farthest
// head, `reach` from the origin). A lateral movement that small beside the
// heads' own (round-off under a vertical load or a torque, the drift of a
// battered group, the sway a torque gives an unsymmetric one) does not say
// which way the group goes: were the factors to take its sense alone, they would turn the
// lateral force of the piles against it and the iteration would swing from
// one sense to the other.
constexpr double GRPBANDF = 0.25;
double GRPBAND(const CAPVEC& U, double reach);
// The lateral push on a group whose cap does not move sideways, for the load
// (fx, fy, fz) along X, Y, Z: its lateral force when that is more than the
// cap's tolerance TOLREL of the force, else the soil's lateral movement
// summed over its points (more than TOLREL of its largest point's counts);
// min is the size at or below which a component is none.
struct LateralPush {
    double y = 0.0, z = 0.0, min = 0.0;
};
LateralPush GRPPUSH(double fx, double fy, double fz);
// The sense of the group's movement along one lateral axis, from -1 to 1:
// the sign of the movement u when |u| reaches the band; below it u / band,
// the rest taken from the sign of the push's component l when |l| > lmin
// (else 0, both senses alike).
double GRPSENSE(double u, double band, double l, double lmin);
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
