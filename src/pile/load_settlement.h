// Load-settlement curve of a pile by the t-z method: the axial load at the
// pile head against the head's axial movement, climbing the pile from the tip
// for nine assumed tip movements.
#pragma once

#include "model/limits.h"
#include "model/table.h"
#include "pile/axial_samples.h"

namespace zolan {

using AXPTS = Table1<double, 9>;  // the nine points of one branch

// Branch 1 uplift, 2 compression, for property set p and pile row r; m is the
// number of the generated curve (report headings). n := 9 and the head loads
// and movements (positive in both branches) when the call completes, and the
// property set's load-settlement table LSTAB; on a non-zero ISTAT nothing is set.
void LSCRV(int p, int branch, int m, int r, int& ISTAT, int& n, AXPTS& LOADS, AXPTS& MOVS);

// Axial force P(n) and movement w(n) at the nodes n = 1 (tip) .. NINCR + 1 (head).
using AXNODES = Table1<double, MAXINC + 1>;

// What went wrong in a climb (bits of its result).
constexpr int AXC_NOCONV = 1;  // a mid-point iteration reached its limit and kept its last iterate
constexpr int AXC_NOAE = 2;    // an increment with zero or negative AE passed no force up

// Climbs pile row r of property set p from the tip (force P0, movement w0) to
// the head, increment by increment: each increment adds the side resistance
// mobilised at its mid-point movement and shortens under its mean force.
// Each mid-point movement is closed to 1e-4 (internal length) or, `fine`,
// to 1e-12 of itself, at every scale of movement (the axial distribution
// solves for the climb's head movement and needs it smooth); a fine climb
// that reaches the pass limit within 1e-6 of its movement has converged.
void AXCLIMB(int r, int p, const AXSAMP& s, double P0, double w0, AXNODES& P, AXNODES& w, int& flags,
             bool fine = false);

// The warning lines of a climb of pile row r on the results report: a section
// without axial rigidity, a mid-point iteration that reached its limit. In a
// row report each line is kept once per row and loop.
void AXCWARN(int r, bool no_ae, bool no_conv);

// A value of the uplift branch as printed or stored: negated, a zero staying +0.
inline double flip(double v, bool up) { return up && v != 0.0 ? -v : v; }

}  // namespace zolan
