// Lateral springs of a pile row that names its own user p-y curve set: for
// every node the soil reaction read on the two curves of the set that bracket
// the node's depth, at the node's deflection relative to the soil movement,
// with the group p- and y-multipliers and the reduction factors along depth.
#pragma once

#include "model/node_tables.h"

namespace zolan {

// Springs of pile row r from its set |IPYSET(r)|. Node arrays in the lateral
// solvers' numbering (real node j at solver_index(j)): y the deflection, m1,
// m2 the soil movement in the pile's two lateral directions (in); es the
// secant modulus, esm es times the movement's magnitude, pr the signed soil
// reaction (out). Sets GRDDEP(r) and, with KCAPOP = 1, PASPV(r) from the cap
// pass at 0.99 XTOP(r) and the cap displacement CAPHD.
// A node deeper than the deepest curve stops the evaluation: it and every
// node below it get zero es, esm and pr, and UPYWRN(r) counts one warning;
// UPYFOLD reports it after the loop over the rows. Writes only row r's slots.
void UPYMOD(int& r, NODVEC& y, NODVEC& es, NODVEC& m1, NODVEC& m2, NODVEC& esm, NODVEC& pr);

// After a (parallel) loop over pile rows: for every row in order,
// writes each pending warning of the user p-y springs on RESFILE, sets
// KERR := 1 when there was one, and clears the row's count. One thread.
void UPYFOLD();

}  // namespace zolan
