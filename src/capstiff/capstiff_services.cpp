// Cap stiffness estimation entries: each reaches its replaceable hook when a
// test installed one, else the module's own body.
#include "capstiff/capstiff_services.h"

#include "capstiff/equivalent_file.h"
#include "capstiff/flexibility_reports.h"
#include "capstiff/origin_stiffness.h"
#include "capstiff/target_factor.h"

#include <cmath>

namespace zolan {

CapstiffServices capstiff_services;

void CAPHDR(int method) {
    if (capstiff_services.caphdr) capstiff_services.caphdr(method);
    else write_stiffness_heading(method);
}

void CAPTSTF(const StiffnessLevel& level, const Table1<double, MAXSTL>& PTFAC, int& ISTAT) {
    if (capstiff_services.captstf) capstiff_services.captstf(level, PTFAC, ISTAT);
    else write_level_stiffness(level, PTFAC, ISTAT);
}

int DOFHDR(int mode, int IPOINT, int NANTYP, int nlev, int NDOF, const CAPVEC& LFULL) {
    if (capstiff_services.dofhdr) return capstiff_services.dofhdr(mode, IPOINT, NANTYP, nlev, NDOF, LFULL);
    return DOFCAP(mode, IPOINT, NANTYP, nlev, NDOF, LFULL);
}

void EQKREAD(int& ISTAT) {
    if (capstiff_services.eqkread) capstiff_services.eqkread(ISTAT);
    else read_equivalent_stiffness(ISTAT);
}

int LDDTAB(int KESTIM, int IPOINT, int nlev, int NANTYP, int NDOF, int lddopen, int& ISTAT) {
    if (capstiff_services.lddtab)
        return capstiff_services.lddtab(KESTIM, IPOINT, nlev, NANTYP, NDOF, lddopen, ISTAT);
    return LDDREP(KESTIM, IPOINT, nlev, NANTYP, NDOF, lddopen, ISTAT);
}

void STFREP(int flag, int option, int nlev, int NDOF, int six, const Table1<double, MAXSTL>& PTFAC, int& ISTAT) {
    if (capstiff_services.stfrep) capstiff_services.stfrep(flag, option, nlev, NDOF, six, PTFAC, ISTAT);
    else STFLEV(flag, option, nlev, NDOF, six, PTFAC, ISTAT);
}

double TGTFAC(const Table2<double, 2, MAXHIST>& FACHIST, int NHIST, double DEFTGT) {
    if (capstiff_services.tgtfac) return capstiff_services.tgtfac(FACHIST, NHIST, DEFTGT);
    return target_factor_from_history(FACHIST, NHIST, DEFTGT);
}

}  // namespace zolan
