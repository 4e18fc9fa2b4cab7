// The rule by which a rigid cap picks the sense and direction of the group
// reduction factors (KGRPRF > 0) in each iteration: the band of lateral
// movement within which the movement does not decide alone, the lateral push
// on a group whose cap does not move sideways, the sense along one axis, and
// the combined factors of every row. The pair factors themselves are those
// of src/soil/group_factors.h.
#pragma once

#include "group/matrix_kernels.h"

namespace zolan {

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
// The factors of every row for the sense and direction of a load on the
// group (a flexible cap, which has no one movement): those of its lateral
// force, else of the soil's movement, else of no lateral push at all.
void group_factors_for_load(const CAPVEC& load);

}  // namespace zolan
