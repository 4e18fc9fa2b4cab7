// Plane cap solver: the displacement U = (X, Y, rotation about Z) of the
// rigid cap at its origin for which the forces of all plane pile rows
// balance the applied load, F(U) = TCUR P (+ the passive load of an
// embedded cap), found by load stepping on the factor TCUR and, within each
// step, Newton iteration J dU = TCUR P - F with the Jacobian J formed by
// central differences of the plane force vector FVEC2D.
//
// Phases of one solve: set up (per-solve state), assemble (the residual and
// the six evaluations of the Jacobian, the passive block), solve (the 3 x 3
// inverse by cofactors, the increment, the convergence test), output (the
// iteration log and trace, the progress message; then the outcome handed to
// the result pass, group/result_pass2d.h).
#pragma once

#include "group/group_services.h"
#include "group/matrix_kernels.h"

namespace zolan {

// The body of CAP2D (group_services.h): one solve of the request.
SolveAnswer CAP2DSOLVE(const SolveRequest& request, int& ISTAT);

// The result pass after the stepping, the pile forces evaluated by FVEC2D
// at the outcome's displacement (the body of the group_services.result2d
// hand-over). KFLAG is 0 on return.
SolveAnswer RESPASS2(const SolveRequest& request, const Cap2dOutcome& out, int& ISTAT);

// Passive resistance of an embedded cap from the mean ground line g (X of
// the ground line, negative above the origin) and the mean passive
// resistance pv at X = 0: pressure rising linearly from 0 at the ground line
// to pv at X = 0 over the embedded part of the cap thickness thk, the block
// with its bottom at xn. fb is the force, mb its moment about the origin and
// pos the X of its resultant (xn when there is no force).
struct PassiveBlock {
    double fb = 0.0, mb = 0.0, pos = 0.0;
};
PassiveBlock PASBLK(double g, double pv, double thk, double xn);

// The passive load (0, -rp, mp) on the cap for the cap's Y displacement
// u2: rp = s fb and mp = s mb with s the sign of u2; none while |u2| is
// within 1e-14 of zero.
VEC3 PASLOAD(const PassiveBlock& b, double u2);

}  // namespace zolan
