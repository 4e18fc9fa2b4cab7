// The input echo: each block prints its table and completes the part of the
// model that the table shows, so a later block may use what an earlier one
// derived, and a block that fails leaves the echo as far as it got.
#include "control/input_echo.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "model/status_codes.h"

#include "control/control.h"

namespace zolan {

bool ECHOSTOP(const char* what, int k, int n, int& ISTAT) {
    static const fmt::Format progress(R"(("- INPUT ECHO, ",A,I5,"/",I5,/,/))");
    if (!STOPPOLL(progress, {what, k, n})) return false;
    ISTAT = ISSTOP;
    return true;
}

void ECHOINP(int& ISTAT) {
    INPINFO();
    TABLEB();
    TABLEC();
    if (STOPSEEN()) ISTAT = ISSTOP;  // read between the distributed-load sets
    if (ISTAT == 0) TABLED(ISTAT);
    if (ISTAT == 0) TABLEE(ISTAT);
    // The soil side: layers and strength curves, the p-y print requests,
    // the user p-y sets, the axial curves and (three-dimensional model) the
    // torque curves, moment-curvature tables with the factors and movements
    // along depth, and last the group reduction factors.
    if (ISTAT == 0) TABLEF(ISTAT);
    if (ISTAT == 0 && PYMODE == 1) PYPRDATA();
    if (ISTAT == 0 && KUPY == 1) TABLEG();
    if (ISTAT == 0) USERLAYCHK(ISTAT);
    if (ISTAT == 0) PROFILECHK(ISTAT);
    if (ISTAT == 0) TABLEH(ISTAT);
    if (ISTAT == 0 && NANTYP == 3) TABLEI(ISTAT);
    if (ISTAT == 0) TABLEJ(ISTAT);
    if (ISTAT == 0) TABLEK(ISTAT);
}

}  // namespace zolan
