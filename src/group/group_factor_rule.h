// The rule by which a rigid cap picks the sense and direction of the group
// reduction factors (KGRPRF > 0) in each iteration: the band of lateral
// movement within which the movement does not decide alone, the lateral push
// on a group whose cap does not move sideways, the sense along one axis, and
// the combined factors of every row. The pair factors themselves are those
// of src/soil/group_factors.h.
#pragma once

#include "group/matrix_kernels.h"

namespace zolan {

// A sense of the group's movement the solver holds while it solves again
// with the factors of the rule as written: -1 or +1 along Y and along Z.
struct GroupSense {
    bool held = false;
    double y = 1.0, z = 1.0;
};

// Group reduction factors of every row for the cap displacement U: the
// factors of the two lateral directions, for the sense of the movement,
// combined by its direction. Within the band of GRPBAND the lateral movement
// does not decide alone: the sense and the direction pass continuously from
// those of the lateral push on the group (GRPPUSH) to those of the
// movement, which hold beyond it. Without a push, factors computed from the
// layout (KGRPRF 1) pass from those of the layout turned round (PFACTTURN,
// src/soil/group_factors.h) and the pile table's factors (KGRPRF 2) from
// those along Y. No factor turns with a sign of round-off or jumps between
// two iterations, a symmetric group stays symmetric, and a clear lateral
// movement takes the factors of its own sense and direction.
// With a `held` sense (KGRPRF 1 and 2), the rule as written instead: the
// held sense, the direction of the movement (else of the load's lateral
// force, else along Y), whatever the band.
// reach: the farthest pile head from the cap origin (CAPREACH).
void GRPFAC(const CAPVEC& U, const CAPVEC& load, double reach, const GroupSense& held = {});

// The rule as written wherever it holds. After the solver has converged at
// U under `load` with the band's factors, the sense to hold while it solves
// again (held), when the cap moved sideways by more than round-off (the
// cap's tolerance of the heads' movement) and the factors of the rule as
// written for that sense differ from the band's by more than the cap's
// tolerance; else nothing to try (not held).
GroupSense group_sense_to_try(const CAPVEC& U, const CAPVEC& load, double reach);
// True when a solution U reached with the held `sense` is one of the rule as
// written: the cap moved sideways, and the factors of U's own sense are
// those of the held one within the cap's tolerance. Both leave the factors
// in effect changed.
bool group_sense_holds(const CAPVEC& U, const CAPVEC& load, double reach, const GroupSense& sense);

// The plane model (KGRPRF 1): the factors of its one lateral direction by
// the same rule, for the plane displacement U (X, Y, rotation about Z) and
// load (X, Y, moment about Z) in their first three places; and the sense to
// try and its test for a second solve, as above.
void GRPFAC2D(const CAPVEC& U, const CAPVEC& load, double reach, const GroupSense& held = {});
GroupSense group_sense_to_try2d(const CAPVEC& U, const CAPVEC& load, double reach);
bool group_sense_holds2d(const CAPVEC& U, const CAPVEC& load, double reach, const GroupSense& sense);

// What the factors of a converged cap displacement U under `load` were taken
// from, for their caption: the cap's lateral movement (more than round-off);
// without one, the load's lateral force, else the soil's lateral movement;
// without either, the layout turned round (KGRPRF 1) or the pile table's
// factors along Y.
enum class GroupFactorBasis { Movement, Load, Soil, Turns, AlongY };
GroupFactorBasis group_factor_basis(const CAPVEC& U, const CAPVEC& load, double reach);

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
// The factors of every row for the sense and direction of a load on the
// group (a flexible cap, which has no one movement): those of its lateral
// force, else of the soil's lateral movement; without either, those of the
// layout turned round (KGRPRF 1) or the pile table's along Y (KGRPRF 2).
void group_factors_for_load(const CAPVEC& load);

// The rule's scratch rows back to their start, at the start of a run.
void reset_group_factor_rule();

}  // namespace zolan
