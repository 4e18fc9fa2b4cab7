// Tangent of a closed lateral solution of the three-dimensional pile with
// respect to its head values: the finite-difference system of both bending
// planes linearised at the closed deflections, with the soil's tangent at
// each node in place of its secant modulus, solved for a unit change of
// each head value.
//
// At a node deflected by v = (vy, vz), |v| = y, on a spring whose force is
// g(y) = Es(y) y along v, the 2 x 2 tangent is
//
//     Kt = Es I + (g'(y) - Es) n n^T,   n = v / y,
//
// which couples the two planes (in moving soil, see soil_tangents). g' comes from the node's own curve by a
// difference over y +- dy (dy = 1e-4 y, at least 1e-6 of the largest
// deflection of the pile and 1e-8 of an increment); below dy the lower point
// is 0 and g' the secant at y + dy, so a curve whose slope is unbounded at
// zero movement (soft clay's cube root) gets a bounded tangent there.
//
// Threads: runs on the row's thread after the row's lateral solution; reads
// the row's work, writes only its scratch. The curve evaluations keep the
// row's cap-pass values as the solution left them, and their warning blocks
// are dropped (the solution has reported the same curves).
#pragma once

#include "pile/lateral_pile3d.h"

namespace zolan {

// Derivatives of the head forces F and moments M of the y- and z-planes
// (index 0 and 1) with respect to: 0 the y-plane head deflection, 1 its head
// rotation, 2 the z-plane head deflection, 3 its head rotation, 4 the axial
// head movement through the axial force along the pile (dP: the change of
// the axial force of each slot per unit axial movement).
struct LatTangent {
    double dF[2][5] = {};
    double dM[2][5] = {};
};

// Whether LLPTAN covers pile row `pile` of the current model: rigidities
// from moment-curvature data (user sets given, or a section of the row with a
// table) and user p-y curves in moving soil are not covered; their tangent is
// taken by differences.
bool llptan_covers(int pile);

// The tangent of the closed solution left in w (w.N, w.h, both planes'
// deflections, rigidities, axial forces, head rows and secant moduli). False
// when a curve evaluation failed (out left zero).
bool LLPTAN(const LateralControls& ctl, Llp3dWork& w, const SLOTVEC& dP, LatTangent& out);

}  // namespace zolan
