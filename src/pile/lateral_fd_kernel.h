// Finite-difference kernel of a laterally loaded pile in one bending plane:
// the beam-column EI v'''' + P v'' + Es v = w on N equal increments h, with
// central differences at the nodes of the lateral solvers' numbering (SLOTVEC:
// head at slot 4, tip at slot t = N + 4, three ghost slots beyond each end).
// The pentadiagonal system is eliminated by a forward sweep that leaves each
// node as v(m) = G(m) + H(m) v(m+1) + J(m) v(m+2), closed at the free tip by
// the zero-moment and zero-shear conditions, and back-substituted. Linear in
// N, nothing allocated; both lateral solvers (three-dimensional and plane)
// use it.
#pragma once

#include "model/node_tables.h"

namespace zolan {

// One bending plane of a pile: deflection, rigidity, lateral load per unit
// length and the sweep coefficients, all in the solvers' numbering.
struct FdPlane {
    SLOTVEC v;        // deflection
    SLOTVEC EI;       // flexural rigidity
    SLOTVEC w;        // lateral load per unit length (distributed load, soil movement)
    SLOTVEC G, H, J;  // sweep: v(m) = G(m) + H(m) v(m+1) + J(m) v(m+2)
};

// Head rows 1 to 4 of the plane for the head deflection v0 and head rotation
// r (in the sense v(3) = v(5) + 2 h r of the fixed head) by connection code:
// 1 pinned (zero moment), 2 fixed (rotation r), any other a rotational
// spring k, EI(4) (v3 - 2 v4 + v5) / h^2 = k (r - (v3 - v5) / (2 h)).
// Returns false when the spring cancels the head coefficient (2 EI(4) + h k
// is 0): the pinned row is taken then.
bool FDHEAD(FdPlane& pl, int code, double v0, double r, double k, double h);

// Forward sweep, rows 5 to t + 1, with the axial force P (compression
// positive) and the soil modulus Es of each node. A zero pivot gives the
// row zero coefficients.
void FDSWEEP(FdPlane& pl, const SLOTVEC& P, const SLOTVEC& Es, double h, int t);

// The sweep of the two bending planes of a pile, y and z, node by node in
// one pass (each plane's arithmetic as FDSWEEP's, the two recurrences
// overlapping in time).
void FDSWEEP2(FdPlane& y, FdPlane& z, const SLOTVEC& P, const SLOTVEC& Es, double h, int t);

// Free tip and back substitution: the two ghost deflections beyond the tip
// from zero moment and zero shear with the axial force (both 0 when their
// system is singular), v(t + 3) = 0, then v(i) for i = t down to 1.
void FDBACK(FdPlane& pl, const SLOTVEC& P, double h, int t);

// FDBACK of the two bending planes, node by node in one pass.
void FDBACK2(FdPlane& y, FdPlane& z, const SLOTVEC& P, double h, int t);

}  // namespace zolan
