// Equivalent stiffnesses of the pile rows, stored by the lateral solution in
// the equivalent-stiffness pass of an accepted target level and written to
// the equivalent-stiffness file. Each pile row writes only its own row.
#pragma once

#include "model/limits.h"
#include "model/pile_tables.h"
#include "model/table.h"

namespace zolan {

// Head of pile row p: 1 axial force, 2 axial stiffness, 3 torsional
// stiffness, 4 increment length.
constexpr int NEQKTOP = 4;
extern Table2<double, MAXPIL, NEQKTOP> EQKTOP;
// Node slot i (real nodes 4..N+4) of pile row p: 1 distance from the head,
// 2 and 3 the soil reaction over the deflection of the two bending planes.
extern Table3<double, MAXPIL, MAXNOD, 3> EQKNODE;

// Head of pile row p as re-read from the equivalent-stiffness file: 1 axial
// stiffness, 2 torsional stiffness (3-D), 3 axial force. The node springs
// re-read with them are EQKNODR (model/result_tables.h).
constexpr int NEQKTOPR = 3;
extern Table2<double, MAXPIL, NEQKTOPR> EQKTOPR;
// Per-row slots of the equivalent stiffness sum at the cap origin: the term
// of pile row p, summed in row order after the parallel loop.
extern Table1<CAPMAT, MAXPIL> EQKROW;

void reset_stiffness_tables();

}  // namespace zolan
