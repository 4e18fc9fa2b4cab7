// Flexural rigidity of the nodes of a pile row from the moment-curvature
// tables of its sections: the secant EI = M / phi at each node's current
// curvature, interpolated linearly between the two axial-load levels that
// bracket the pile's axial force. The lateral solvers call EIMPHI for the
// first bending plane and EIMPHI2 for the second (three-dimensional model).
//
// Node arrays are in the lateral solvers' numbering (SLOTVEC): real node j in
// slot solver_index(j), the head at 4, the tip at NINCR + 4.
// Node positions and the increment are read from NDAXIS and HINCR, which the
// node-mesh routine lays out before each lateral solution.
//
// Threads: both routines run inside the parallel loops over pile rows and
// write nothing but the caller's EI array. In particular they do not store
// into KHINGE: it starts at 0 and no routine stores another value, so the
// clear on every call is a no-op, and a store from every thread would be a
// data race. A solver that wants the clear does it once, outside the loop.
#pragma once

#include "model/node_tables.h"

namespace zolan {

// Secant rigidity of every real node of pile row `pile` whose section has a
// moment-curvature table (SECMC1 for EIMPHI, SECMC2 for EIMPHI2); other nodes
// keep the EI they had. P is the pile's axial force, y the lateral deflection
// of each node in the routine's bending plane.
//
// The levels of a table need not be in increasing axial load: the levels that
// bracket P are the one with the largest load at or below P and the one with
// the smallest load above it (for levels in increasing load, the usual bracketing). A
// level with fewer than two points keeps the EI as it was at that step, and
// a point of zero curvature never serves as the initial secant (no 0/0).
// Input that does not fit the tables (a pile row, property set, table number
// or count out of range) leaves EI unchanged.
void EIMPHI(int pile, double P, SLOTVEC& EI, const SLOTVEC& y);
void EIMPHI2(int pile, double P, SLOTVEC& EI, const SLOTVEC& y);

// Whether a section of pile row `pile` bends by a moment-curvature table
// (MPSEC1 or MPSEC2 names one): a user set, or the curves of a nonlinear
// cross section, whether or not the file gives user sets. The lateral
// solvers call EIMPHI and EIMPHI2 for such a row; for any other row they
// would leave every EI as it is.
bool bends_by_mphi(int pile);

}  // namespace zolan
