// The input echo: each block prints its table and completes the part of the
// model that the table shows, so a later block may use what an earlier one
// derived, and a block that fails leaves the echo as far as it got.
#include "control/input_echo.h"

#include "control/control.h"

namespace zolan {

void ECHOINP(int& ISTAT) {
    INPINFO();
    TABLEB();
    TABLEC();
    if (ISTAT == 0) TABLED(ISTAT);
    if (ISTAT == 0) TABLEE(ISTAT);
    // The soil side of the echo, Tables F to K, follows here.
}

}  // namespace zolan
