// Axial pile-head response: the load-settlement curve read at the head
// movement, the end rules and their warnings, the distribution along the pile.
#include "pile/axial_head.h"

#include <cmath>
#include <string_view>

#include "model/curve_tables.h"
#include "model/pile_tables.h"
#include "model/pile_warnings.h"
#include "model/single_precision.h"
#include "pile/axial_distribution.h"
#include "pile/axial_samples.h"
#include "pile/tip_curve.h"

namespace zolan {
namespace {

// The kind texts of one model's warnings.
struct AxTexts {
    std::string_view fail_bearing, fail_pullout, max_bearing, max_pullout;
};
constexpr AxTexts TEXTS3 = {"APPARENT FAILURE IN BEARING    ,", "APPARENT FAILURE IN PULL OUT    ",
                            "REACHED MAXIMUM LOAD IN BEARING  ", "REACHED MAXIMUM LOAD IN PULLOUT  "};
constexpr AxTexts TEXTS2 = {"APPARENT FAILURE IN BEARING     ", "APPARENT FAILURE IN PULL OUT    ",
                            "MAXIMUM LOAD REACHED IN BEARING  ", "MAXIMUM LOAD REACHED IN PULLOUT  "};

// Movement and force along the pile for d; the force at the head node. A
// lookup that failed leaves the nodes at zero, the code in ISTAT and the
// curve's force.
double distribute(int row, double d, double force, SLOTVEC& axmov, SLOTVEC& axfor, int& ISTAT, RowReport& rep) {
    const int p = IPROP(row);
    int status = 0;
    AXSAMP s;
    AXTZC(row, p, status, s);
    AXTIP qw;
    if (status == 0) AXQWC(row, p, d, status, s, qw);
    if (status == 0) AXDIST(row, p, d, axmov, axfor, s, qw, rep);
    if (status != 0) {
        set_status_once(ISTAT, status);
        return force;
    }
    return axfor.node(1);
}

double axial_head(const AxTexts& texts, const AxControls& ctl, int row, double d, SLOTVEC& axmov, SLOTVEC& axfor,
                  int& ISTAT, RowReport& rep) {
    // 1. Node arrays cleared; the row not past its peak.
    axmov.fill(0.0);
    axfor.fill(0.0);
    if (ctl.kwarn == 1 && row >= 1 && row <= MAXPIL) AXPEAK(row) = 0;
    // 2. No movement, no force.
    if (d == 0.0) return 0.0;
    // 3, 4. The curve and its reading.
    const CurveReading c =
        read_row_curve(ILSCRV(row), LSUNPT, LSUDSP, LSULOD, LSGNPT, LSGDSP, LSGLOD, d, ctl.kextrp);
    double force = c.value;
    if (c.side != CurveSide::Inside) {
        const bool bearing = c.side == CurveSide::Beyond;
        if (ctl.kwarn == 1) {
            const std::string_view kind = ctl.kextrp == 1 ? (bearing ? texts.max_bearing : texts.max_pullout)
                                                          : (bearing ? texts.fail_bearing : texts.fail_pullout);
            const RowScope scope(rep);
            WARNBLK(bearing ? &NAXWBR : &NAXWPO, kind, row, "AX. DISP.=", d, c.end, "AX. FORCE=", force);
        }
        if (ctl.kextrp != 1) return 0.0;
    }
    // 5. The distribution along the pile, generated curves only.
    if (ctl.kaxvar == 1 && ILSCRV(row) <= 0) {
        force = distribute(row, d, force, axmov, axfor, ISTAT, rep);
        const double f = AXFAC(row);
        for (int i = 1; i <= MAXNOD; ++i) axfor.slot(i) *= f;
    }
    // 6. A head past the peak of a curve that softens after it.
    if (ctl.kwarn == 1) {
        const double peak = row_curve_peak(ILSCRV(row), LSUNPT, LSUDSP, LSULOD, LSGNPT, LSGDSP, LSGLOD, d);
        if (peak != 0.0 && std::abs(d) > std::abs(peak)) {
            const RowScope scope(rep);
            PEAKBLK(row, d, peak, force);
            AXPEAK(row) = 1;
        }
    }
    return force;
}

}  // namespace

double AXIAL3(const AxControls& ctl, int pile, double d, SLOTVEC& axmov, SLOTVEC& axfor, int& ISTAT, RowReport& rep) {
    return axial_head(TEXTS3, ctl, pile, d, axmov, axfor, ISTAT, rep);
}

double AXIAL2D(const AxControls& ctl, int row, double d, SLOTVEC& axmov, SLOTVEC& axfor, int& ISTAT, RowReport& rep) {
    return axial_head(TEXTS2, ctl, row, d, axmov, axfor, ISTAT, rep);
}

}  // namespace zolan
