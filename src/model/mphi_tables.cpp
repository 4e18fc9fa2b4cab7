#include "model/mphi_tables.h"

namespace zolan {

Table1<int, MAXMPS> MPNLEV;
Table2<double, MAXMPS, MAXMPL> MPAXL;
Table2<int, MAXMPS, MAXMPL> MPNPT;
Table3<double, MAXMPS, MAXMPL, MAXMPP> MPMOM;
Table3<double, MAXMPS, MAXMPL, MAXMPP> MPCUR;

void reset_mphi_tables() {
    MPNLEV.fill(0);
    MPAXL.fill(0.0);
    MPNPT.fill(0);
    MPMOM.fill(0.0);
    MPCUR.fill(0.0);
}

}  // namespace zolan
