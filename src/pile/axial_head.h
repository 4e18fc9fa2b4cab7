// Axial force at the head of a pile row for an axial head movement, read on
// the row's load-settlement curve, with the end rules and the pile warnings
// beyond its ends; on request the axial movement and force along the pile.
#pragma once

#include "model/node_tables.h"
#include "pile/head_curves.h"
#include "report/row_report.h"

namespace zolan {

// Axial head force of three-dimensional pile row `pile` for the axial head
// movement d (the first head displacement in pile axes, positive towards the
// tip), before the row's factor AXFAC (the caller applies it). The curve is
// user curve ILSCRV(pile) when positive, else generated curve -ILSCRV(pile).
//   - d exactly 0: force 0.
//   - d inside the curve: the linear reading.
//   - d beyond the last point (bearing) or short of the first (pull-out): the
//     end load with ctl.kextrp 1, else 0 and nothing further; while
//     ctl.kwarn is 1, one warning block on the pile-warning scratch file,
//     counted in NAXWBR or NAXWPO when it is written.
//   - ctl.kaxvar 1 and a generated curve: axmov, axfor get the axial movement
//     and force at the nodes (AXTZC, AXQWC, AXDIST for d; a failed lookup's
//     code goes to ISTAT, a distribution that did not close leaves the error
//     word 4 in `rep`), the force becomes the head node's at every scale of
//     d and axfor is multiplied by AXFAC(pile); axmov is not.
//   - while ctl.kwarn is 1: d past the peak of a curve that softens after it
//     (row_curve_peak) writes the row's block on the pile-warning scratch
//     file and marks the row in AXPEAK; any other d clears the mark.
// axmov and axfor are cleared first and otherwise stay zero. The warning
// blocks go to `rep` (the row's report), written and counted at its fold.
double AXIAL3(const AxControls& ctl, int pile, double d, SLOTVEC& axmov, SLOTVEC& axfor, int& ISTAT, RowReport& rep);

// The same for a plane pile row (its own two maximum-load texts and bearing
// failure text).
double AXIAL2D(const AxControls& ctl, int row, double d, SLOTVEC& axmov, SLOTVEC& axfor, int& ISTAT, RowReport& rep);

}  // namespace zolan
