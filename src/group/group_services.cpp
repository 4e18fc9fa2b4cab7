// Pile-group solution entries. Until the solvers exist a solve only does the
// bookkeeping of its entry: no iteration, no status line, no table.
#include "group/group_services.h"

#include "model/run_state.h"

namespace zolan {

int PYREQ = 0, KCAPPY = 0, KERR = 0, KHINGE = 0;
double TCUR = 0.0;
GroupServices group_services;

void CAP3D(int& kind, int& printreq, int& ISTAT, CAPVEC& PTLOAD, CAPVEC& PTDISP, CAPVEC& load,
           CAPVEC& PDFORC, CAPVEC& PDDISP, CAPVEC& PDXYZ, CAPFLAGS& PDFLAG) {
    if (group_services.cap3d) {
        group_services.cap3d(kind, printreq, ISTAT, PTLOAD, PTDISP, load, PDFORC, PDDISP, PDXYZ, PDFLAG);
        return;
    }
    PYREQ = 0;
    KCAPPY = 0;
    KERR = 0;
}

void CAP2D(int& kind, int& printreq, int& ISTAT, CAPVEC& PTLOAD, CAPVEC& PTDISP, CAPVEC& load,
           CAPVEC& PDFORC, CAPVEC& PDDISP, CAPVEC& PDXYZ, CAPFLAGS& PDFLAG) {
    if (group_services.cap2d) {
        group_services.cap2d(kind, printreq, ISTAT, PTLOAD, PTDISP, load, PDFORC, PDDISP, PDXYZ, PDFLAG);
        return;
    }
    printreq = PYMODE;
    PYMODE = 0;
    KFLAG = 0;
    PYREQ = 0;
    KERR = 0;
}

void reset_group_services_state() {
    PYREQ = KCAPPY = KERR = KHINGE = 0;
    TCUR = 0.0;
}

}  // namespace zolan
