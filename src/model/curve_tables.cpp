// Axial and torsional pile-head curves in solver form.
#include "model/curve_tables.h"

namespace zolan {

Table1<int, MAXUCV> LSUNPT;
Table2<double, MAXUCV, MAXUCP> LSUDSP, LSULOD;
Table1<int, MAXPIL> LSGNPT;
Table2<double, MAXPIL, MAXUCP> LSGDSP, LSGLOD;
int NLSPT = 0;
Table1<int, MAXUCV> TRUNPT;
Table2<double, MAXUCV, MAXUCP> TRUROT, TRUTOR;
Table1<int, MAXTRG> TRGNPT;
Table2<double, MAXTRG, MAXUCP> TRGROT, TRGTOR;
Table3<double, MAXPSA, MAXLSP, 4> LSTAB;

void reset_curve_tables() {
    LSUNPT.fill(0);
    LSUDSP.fill(0.0);
    LSULOD.fill(0.0);
    LSGNPT.fill(0);
    LSGDSP.fill(0.0);
    LSGLOD.fill(0.0);
    NLSPT = 0;
    TRUNPT.fill(0);
    TRUROT.fill(0.0);
    TRUTOR.fill(0.0);
    TRGNPT.fill(0);
    TRGROT.fill(0.0);
    TRGTOR.fill(0.0);
    LSTAB.fill(0.0);
}

}  // namespace zolan
