// Equivalent stiffnesses of the pile rows, stored by the lateral solution in
// the equivalent-stiffness pass of an accepted target level and written to
// the equivalent-stiffness file. Each pile row writes only its own row.
#pragma once

#include "model/limits.h"
#include "model/table.h"

namespace zolan {

// Head of pile row p: 1 axial force, 2 axial stiffness, 3 torsional
// stiffness, 4 increment length.
constexpr int NEQKTOP = 4;
extern Table2<double, MAXPIL, NEQKTOP> EQKTOP;
// Node slot i (real nodes 4..N+4) of pile row p: 1 distance from the head,
// 2 and 3 the soil reaction over the deflection of the two bending planes.
extern Table3<double, MAXPIL, MAXNOD, 3> EQKNODE;

void reset_stiffness_tables();

}  // namespace zolan
