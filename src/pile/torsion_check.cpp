// Torsion check: the torque-rotation curve read at the head rotation.
#include "pile/torsion_check.h"

#include "model/curve_tables.h"
#include "model/pile_tables.h"
#include "model/pile_warnings.h"

namespace zolan {

double TORCHK(const AxControls& ctl, int pile, double theta, RowReport& rep) {
    // 1, 2. The curve and its reading.
    const CurveReading c =
        read_row_curve(ITRCRV(pile), TRUNPT, TRUROT, TRUTOR, TRGNPT, TRGROT, TRGTOR, theta, ctl.kextrp);
    // A rotation beyond either end: one block while the residual is evaluated.
    if (c.side != CurveSide::Inside && ctl.kwarn == 1) {
        const RowScope scope(rep);
        WARNBLK(&NFTORS, ctl.kextrp == 1 ? "MAXIMUM MOMENT REACHED IN TORSION " : "APPARENT FAILURE IN TORSION     ",
                pile, "ROTATION =", theta, c.end, "T. MOMENT=", c.value);
    }
    return c.value;
}

}  // namespace zolan
