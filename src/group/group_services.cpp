// Pile-group solution entries. Until the solvers exist a solve only does the
// bookkeeping of its entry: no iteration, no status line, no table.
#include "group/group_services.h"

#include "model/run_state.h"

namespace zolan {

int PYREQ = 0, KCAPPY = 0, KERR = 0, KHINGE = 0;
double TCUR = 0.0;
GroupServices group_services;

SolveAnswer CAP3D(const SolveRequest& request, int& ISTAT) {
    if (group_services.cap3d) return group_services.cap3d(request, ISTAT);
    PYREQ = 0;
    KCAPPY = 0;
    KERR = 0;
    return unanswered(request);
}

SolveAnswer CAP2D(const SolveRequest& request, int& ISTAT) {
    if (group_services.cap2d) return group_services.cap2d(request, ISTAT);
    SolveAnswer a = unanswered(request);
    a.printreq = PYMODE;
    PYMODE = 0;
    KFLAG = 0;
    PYREQ = 0;
    KERR = 0;
    return a;
}

void reset_group_services_state() {
    PYREQ = KCAPPY = KERR = KHINGE = 0;
    TCUR = 0.0;
}

}  // namespace zolan
