// Moment-curvature tables of the lateral solution: first the user sets of the
// input, then the curves of the nonlinear cross sections whose curves are
// generated (one table per bending axis of the model). Filled while Table J
// of the input echo prints, read-only afterwards.
#pragma once

#include "model/limits.h"
#include "model/table.h"

namespace zolan {

extern Table1<int, MAXMPS> MPNLEV;                      // axial-load levels of table t
extern Table2<double, MAXMPS, MAXMPL> MPAXL;            // axial load of level l
extern Table2<int, MAXMPS, MAXMPL> MPNPT;               // points of level l
extern Table3<double, MAXMPS, MAXMPL, MAXMPP> MPMOM;    // moment of point k
extern Table3<double, MAXMPS, MAXMPL, MAXMPP> MPCUR;    // curvature of point k

void reset_mphi_tables();

}  // namespace zolan
