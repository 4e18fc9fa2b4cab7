// Axial force and movement along a pile for a given axial head movement: the
// tip movement whose climb from the tip (the load-settlement method) brings
// the head to that movement, found by a safeguarded Newton iteration started
// from the property set's load-settlement table.
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
// the row's sample table (AXTZC) and q-w curve (AXQWC for the same E). The
// head movement is solved to 1e-10 of itself, on climbs closed finer still
// relative to their movements, so that the head force is a continuous
// function of E at every scale (the cap's Newton iteration differentiates
// it); a solution within 1e-4 is still accepted when the finer one is not
// reached. The tip
// movement stays within the table's ends: a head movement beyond the climb
// of an end gives the nodes of that end.
// Failures go to the row's report `rep` only: a warning line (once per row
// and loop) for a mid-point iteration that reached its limit or a section
// without axial rigidity, and the error word 4 when the Newton or a mid-point
// iteration did not converge; the loop's fold writes them in row order.
void AXDIST(int r, int p, double E, SLOTVEC& WN, SLOTVEC& PN, const AXSAMP& s, const AXTIP& qw, RowReport& rep);

}  // namespace zolan
