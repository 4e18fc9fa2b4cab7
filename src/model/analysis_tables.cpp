// Tables of the analysis in hand: distributed loads and estimation state.
#include "model/analysis_tables.h"

namespace zolan {

Table3<double, MAXPIL, MAXINC + 1, 3> DLTAB;
Table1<int, MAXPIL> DLNPT;

Table2<double, 2, MAXHIST> FACHIST;
int NHIST = 0;
double DEFLST = 0.0, FACLST = 0.0;
Table1<double, MAXSTL> PTFAC;

void reset_analysis_tables() {
    DLTAB.fill(0.0);
    DLNPT.fill(0);
    FACHIST.fill(0.0);
    NHIST = 0;
    DEFLST = FACLST = 0.0;
    PTFAC.fill(0.0);
}

}  // namespace zolan
