// Cap stiffness estimation entries. Until the estimation reports exist only
// the skip decision of a degree of freedom and the factor of the next target
// trial are made; nothing is written.
#include "capstiff/capstiff_services.h"
#include "capstiff/equivalent_file.h"
#include "capstiff/origin_stiffness.h"
#include "capstiff/target_factor.h"

#include <cmath>

namespace zolan {

CapstiffServices capstiff_services;

namespace {
// 1e-12 as a single-precision constant.
constexpr double ZERO_LOAD = static_cast<double>(1e-12f);
}  // namespace

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
    return std::abs(LFULL(IPOINT)) < ZERO_LOAD ? 1 : 0;
}

void EQKREAD(int& ISTAT) {
    if (capstiff_services.eqkread) capstiff_services.eqkread(ISTAT);
    else read_equivalent_stiffness(ISTAT);
}

int LDDTAB(int KESTIM, int IPOINT, int nlev, int NANTYP, int NDOF, int lddopen) {
    if (capstiff_services.lddtab) return capstiff_services.lddtab(KESTIM, IPOINT, nlev, NANTYP, NDOF, lddopen);
    return lddopen;
}

void STFREP(int flag, int option, int nlev, int NDOF, int six, const Table1<double, MAXSTL>& PTFAC) {
    if (capstiff_services.stfrep) capstiff_services.stfrep(flag, option, nlev, NDOF, six, PTFAC);
}

double TGTFAC(const Table2<double, 2, MAXHIST>& FACHIST, int NHIST, double DEFTGT) {
    if (capstiff_services.tgtfac) return capstiff_services.tgtfac(FACHIST, NHIST, DEFTGT);
    return target_factor_from_history(FACHIST, NHIST, DEFTGT);
}

}  // namespace zolan
