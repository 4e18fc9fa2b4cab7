// Equivalent stiffnesses of the pile rows.
#include "model/stiffness_tables.h"

namespace zolan {

Table2<double, MAXPIL, NEQKTOP> EQKTOP;
Table3<double, MAXPIL, MAXNOD, 3> EQKNODE;
Table2<double, MAXPIL, NEQKTOPR> EQKTOPR;
Table1<CAPMAT, MAXPIL> EQKROW;

void reset_stiffness_tables() {
    EQKTOP.fill(0.0);
    EQKNODE.fill(0.0);
    EQKTOPR.fill(0.0);
    CAPMAT zero;
    zero.fill(0.0);
    EQKROW.fill(zero);
}

}  // namespace zolan
