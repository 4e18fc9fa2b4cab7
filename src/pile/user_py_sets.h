// Lateral springs of a pile row that names its own user p-y curve set: for
// every node the soil reaction read on the two curves of the set that bracket
// the node's depth, at the node's deflection relative to the soil movement,
// with the group p- and y-multipliers and the reduction factors along depth.
#pragma once

#include "model/node_tables.h"
#include "report/row_report.h"
#include "soil/py_curves.h"

namespace zolan {

// Springs of pile row r from its set |IPYSET(r)|. Node arrays in the lateral
// solvers' numbering (SLOTVEC): y the deflection, m1,
// m2 the soil movement in the pile's two lateral directions (in); es the
// secant modulus, esm es times the movement's magnitude, pr the signed soil
// reaction (out). Sets GRDDEP(r) and, with KCAPOP = 1, PASPV(r) from the cap
// pass at 0.99 XTOP(r) and the cap displacement CAPHD.
// A node deeper than the deepest curve stops the evaluation: it and every
// node below it get zero es, esm and pr, and the row's report `rep` gets the
// warning record for the results report and the error word 1 (the loop's fold
// writes them in row order). Writes only row r's slots.
// Of the stage's controls only ctl.pymode is read: GRDDEP(r) is refreshed in
// modes 0 and 1, esm formed in mode 0 only.
void UPYMOD(const PyControls& ctl, int r, const SLOTVEC& y, SLOTVEC& es, const SLOTVEC& m1, const SLOTVEC& m2,
            SLOTVEC& esm, SLOTVEC& pr, RowReport& rep);

}  // namespace zolan
