// Load-settlement curve of a pile by the t-z method: the axial load at the
// pile head against the head's axial movement, climbing the pile from the tip
// for nine assumed tip movements.
#pragma once

#include "model/table.h"

namespace zolan {

using AXPTS = Table1<double, 9>;  // the nine points of one branch

// Branch 1 uplift, 2 compression, for property set p and pile row r; m is the
// number of the generated curve (report headings). n := 9 and the head loads
// and movements (positive in both branches) when the call completes, and the
// property set's load-settlement table LSTAB; on a non-zero ISTAT nothing is set.
void LSCRV(int p, int branch, int m, int r, int& ISTAT, int& n, AXPTS& LOADS, AXPTS& MOVS);

}  // namespace zolan
