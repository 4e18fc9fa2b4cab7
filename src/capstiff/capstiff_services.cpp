// Cap stiffness estimation entries. Until the estimation reports exist only
// the skip decision of a degree of freedom is made; nothing is written.
#include "capstiff/capstiff_services.h"
#include "control/estimation_points.h"

#include <cmath>

namespace zolan {

CapstiffServices capstiff_services;

namespace {
// 1e-12 as a single-precision constant.
constexpr double ZERO_LOAD = static_cast<double>(1e-12f);
}  // namespace

void CAPHDR(int& method) {
    if (capstiff_services.caphdr) capstiff_services.caphdr(method);
}

void CAPTSTF(int& n, int& axialflag, int& ISTAT, int& IPOINT, double& level, CAPVEC& PTLOAD,
             CAPVEC& PTDISP, CAPMAT& work) {
    if (capstiff_services.captstf) capstiff_services.captstf(n, axialflag, ISTAT, IPOINT, level, PTLOAD, PTDISP, work);
}

void DOFHDR(int& mode, int& IPOINT, int& NANTYP, int& nlev, int& NDOF, CAPVEC& LFULL, int& skip) {
    if (capstiff_services.dofhdr) {
        capstiff_services.dofhdr(mode, IPOINT, NANTYP, nlev, NDOF, LFULL, skip);
        return;
    }
    if (std::abs(LFULL(IPOINT)) < ZERO_LOAD) skip = 1;
}

void EQKREAD() {
    if (capstiff_services.eqkread) capstiff_services.eqkread();
}

void LDDTAB(int& KESTIM, int& IPOINT, int& nlev, int& NANTYP, int& NDOF, int& lddopen) {
    if (capstiff_services.lddtab) capstiff_services.lddtab(KESTIM, IPOINT, nlev, NANTYP, NDOF, lddopen);
}

void STFREP(int& flag, int& option, int& nlev, int& NDOF, int& six, Table1<double, MAXSTL>& PTFAC) {
    if (capstiff_services.stfrep) capstiff_services.stfrep(flag, option, nlev, NDOF, six, PTFAC);
}

void TGTFAC() {
    if (capstiff_services.tgtfac) capstiff_services.tgtfac();
    else target_factor_from_history();
}

}  // namespace zolan
