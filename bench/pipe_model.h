// The pile of the benchmarks: every table back to its start (so that no
// benchmark measures what another one left in the model), the run constants
// of English units and static loading, and property set 1, a 24 in steel pipe of 600 in in 100
// increments (EI = 5.8e10 lb in^2) with straight user axial and
// torque-rotation curves 1 (the end values holding beyond them).
#pragma once

#include "control/control.h"
#include "model/case_tables.h"
#include "model/curve_tables.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/py_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"

namespace bench {

inline void pipe_model() {
    using namespace zolan;
    RESETRUN();
    PI = 3.141592653589793;
    TOLZ = 1.0e-14;
    TOLDEP = 1.0e-6;
    NUNITS = 1;
    LOADTYP = 1;
    NCYCL = 1.0;
    NINCR(1) = 100;
    PLENP(1) = 600.0;
    NSECP(1) = 1;
    SECTAB(1, 1, SEC_DBOT) = 600.0;
    const double vals[][2] = {{SP_EI1, 5.8e10}, {SP_EI2, 5.8e10}, {SP_DIA, 24.0}, {SP_ARE, 37.0},
                              {SP_IN1, 2000.0}, {SP_IN2, 2000.0}};
    for (const auto& v : vals)
        SECTAB(1, 1, SEC_TOP + static_cast<int>(v[0])) = SECTAB(1, 1, SEC_BOT + static_cast<int>(v[0])) = v[1];
    KEXTRP = 1;
    LSUNPT(1) = TRUNPT(1) = 3;
    for (int k = 1; k <= 3; ++k) {
        LSUDSP(1, k) = TRUROT(1, k) = 1e-2 * (k - 2.0);
        LSULOD(1, k) = 1e4 * (k - 2.0);
        TRUTOR(1, k) = 1e5 * (k - 2.0);
    }
}

}  // namespace bench
