// Axial force and movement along a pile for a given axial head movement: the
// tip movement whose climb from the tip (the load-settlement method) brings
// the head to that movement, found from the property set's load-settlement
// table by a safeguarded Newton iteration.
#pragma once

#include "model/limits.h"
#include "model/curve_tables.h"
#include "model/node_tables.h"
#include "pile/tip_curve.h"
#include "report/row_report.h"

namespace zolan {

// Axial movement WN and axial force PN at the nodes of pile row r (property
// set p) for the axial head movement E (> 0 compression, < 0 uplift): slot 4
// the head, slot NINCR(p) + 4 the tip, uplift values negative. s and qw are
// the row's sample table (AXTZC) and q-w curve (AXQWC for the same E). A head
// movement outside the table gives the nodes of the table's end point.
// Failures go to the row's report `rep` only: a warning line (once per row
// and loop) for a mid-point iteration that reached its limit or a section
// without axial rigidity, and the error word 4 when the Newton or a mid-point
// iteration did not converge; the loop's fold writes them in row order.
// `fine`: the head movement solved a million times finer than the
// tolerance, on climbs closed as finely (the cap's Newton iteration
// differentiates the head force); a solution within the tolerance is still
// accepted when the finer one is not reached.
void AXDIST(int r, int p, double E, SLOTVEC& WN, SLOTVEC& PN, const AXSAMP& s, const AXTIP& qw, RowReport& rep,
            bool fine = false);

}  // namespace zolan
