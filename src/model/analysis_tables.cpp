// Tables of the analysis in hand: distributed loads and estimation state.
#include "model/analysis_tables.h"

namespace zolan {

Table3<double, MAXPIL, MAXINC + 1, 3> DLTAB;
Table1<int, MAXPIL> DLNPT;

int NPTS = 1, IPOINT = 0, ILOOP = 0, KESTIM = 0, KTGT = 0, KTGRES = 0, IDOFTG = 0;
double DEFTGT = 0.0, TGTTOL = 0.0, DEFCMP = 0.0, LDFACT = 0.0;
Table2<double, 2, MAXHIST> FACHIST;
int NHIST = 0;
double DEFLST = 0.0, FACLST = 0.0;
Table1<double, MAXSTL> PTFAC;

void reset_analysis_tables() {
    DLTAB.fill(0.0);
    DLNPT.fill(0);
    NPTS = 1;
    IPOINT = ILOOP = KESTIM = KTGT = KTGRES = IDOFTG = 0;
    DEFTGT = TGTTOL = DEFCMP = LDFACT = 0.0;
    FACHIST.fill(0.0);
    NHIST = 0;
    DEFLST = FACLST = 0.0;
    PTFAC.fill(0.0);
}

}  // namespace zolan
