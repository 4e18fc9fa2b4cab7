// Pile-group solution entries. The three-dimensional solve runs in
// group/cap_solver3d.cpp, the plane one in group/cap_solver2d.cpp.
#include "group/group_services.h"

#include "group/cap_solver2d.h"
#include "group/cap_solver3d.h"
#include "group/pile_row_loops.h"

#include "model/run_state.h"

namespace zolan {

int PYREQ = 0, KCAPPY = 0, KERR = 0, KHINGE = 0;
double TCUR = 0.0;
GroupServices group_services;

SolveAnswer CAP3D(const SolveRequest& request, int& ISTAT) {
    if (group_services.cap3d) return group_services.cap3d(request, ISTAT);
    return CAP3DSOLVE(request, ISTAT);
}

SolveAnswer CAP2D(const SolveRequest& request, int& ISTAT) {
    if (group_services.cap2d) return group_services.cap2d(request, ISTAT);
    const int printreq = PYMODE;
    PYMODE = 0;
    SolveAnswer a = CAP2DSOLVE(request, ISTAT);
    a.printreq = printreq;
    return a;
}

void reset_group_services_state() {
    PYREQ = KCAPPY = KERR = KHINGE = 0;
    TCUR = 0.0;
    reset_pile_row_loops();
}

}  // namespace zolan
