// Node tables of the lateral solution and the user p-y sets in solver form.
#include "model/node_tables.h"

namespace zolan {

Table2<double, MAXNDR, MAXNOD> NDAXIS;
Table2<double, MAXNDR, MAXNOD> NDEPTH;
Table1<double, MAXPSA> HINCR;
Table2<int, MAXSLY, MAXNDR> LAYNF;
Table2<int, MAXSLY, MAXNDR> LAYNL;
Table2<double, MAXPIL, MAXSMV> SMPDEP, SMPY, SMPZ;
Table1<int, MAXUPS> UPYNCV;
Table2<double, MAXUPS, MAXUPC> UPYDEP;
Table2<int, MAXUPS, MAXUPC> UPYNPT;
Table3<double, MAXUPS, MAXUPC, MAXUPP> UPYY;
Table3<double, MAXUPS, MAXUPC, MAXUPP> UPYP;
Table1<double, MAXPIL> PASPV;
double CAPHD = 0.0;
double GRDAVG = 0.0, PASAVG = 0.0;

void reset_node_tables() {
    NDAXIS.fill(0.0);
    NDEPTH.fill(0.0);
    HINCR.fill(0.0);
    LAYNF.fill(0);
    LAYNL.fill(0);
    SMPDEP.fill(0.0);
    SMPY.fill(0.0);
    SMPZ.fill(0.0);
    UPYNCV.fill(0);
    UPYDEP.fill(0.0);
    UPYNPT.fill(0);
    UPYY.fill(0.0);
    UPYP.fill(0.0);
    PASPV.fill(0.0);
    CAPHD = 0.0;
    GRDAVG = PASAVG = 0.0;
}

}  // namespace zolan
