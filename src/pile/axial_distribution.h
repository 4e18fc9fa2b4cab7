// Axial force and movement along a pile for a given axial head movement: the
// tip movement whose climb from the tip (the load-settlement method) brings
// the head to that movement, found from the property set's load-settlement
// table by a safeguarded Newton iteration.
#pragma once

#include "model/limits.h"
#include "model/curve_tables.h"
#include "model/node_tables.h"
#include "pile/tip_curve.h"

namespace zolan {

// Pending reports of AXDIST, one word per pile row (bits below); AXDIST sets
// only its own row's word, AXDFOLD reports and clears them after the loop.
constexpr int AXD_NEWTON = 1;  // no convergence within 25 updates
constexpr int AXD_NOCONV = 2;  // a mid-point iteration reached its limit
constexpr int AXD_NOAE = 4;    // a section without axial rigidity passed no force up
// The words themselves, AXDWRN, are a model table (model/curve_tables.h).

// Axial movement WN and axial force PN at the nodes of pile row r (property
// set p) for the axial head movement E (> 0 compression, < 0 uplift): slot 4
// the head, slot NINCR(p) + 4 the tip, uplift values negative. s and qw are
// the row's sample table (AXTZC) and q-w curve (AXQWC for the same E). A head
// movement outside the table gives the nodes of the table's end point.
// Failures are recorded in AXDWRN(r) only.
void AXDIST(int r, int p, double E, NODVEC& WN, NODVEC& PN, const AXSAMP& s, const AXTIP& qw);

// After a (parallel) loop over pile rows, on one thread: for every row in
// order, a warning line on the results report for each pending mid-point or
// rigidity report, KERR := 4 when the row's Newton or mid-point iteration did
// not converge; the words are cleared.
void AXDFOLD();

}  // namespace zolan
