// Target-deflection factor of the next trial and the report of an accepted
// level point.
#include "capstiff/target_factor.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/single_precision.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "report/unit_labels.h"

namespace zolan {
namespace {

const double SMALL_DEF = f32(1e-4f);  // a single deflection below this gives no secant

// Captions of the target degree of freedom, cap order.
constexpr const char* const CAPTIONS[] = {"  DISPLACEMENT X,", "  DISPLACEMENT Y,", "  DISPLACEMENT Z,",
                                          "      ROTATION X,", "      ROTATION Y,", "      ROTATION Z,"};

const fmt::Format F_POINT_SUM(R"((/,4X,"   N:",I5,"  FACTOR :",F10.4))");
const fmt::Format F_POINT_PLOT(R"((4X,"    1","   N:",I5,"  FACTOR :",F10.4))");
const fmt::Format F_LOAD_PLOT(R"((7X,"* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *"))");
const fmt::Format F_DISP_PLOT(R"((7X,"* DISPLACEMENT OF PILE CAP AT ORIGIN *"))");

// Row of n values on PLOTDATA: 7X, then each value as R18.8 and 5X.
void plot_row(const CAPVEC& v, int n) {
    WRBLNK(PLOTDATA, 7);
    for (int k = 1; k <= n; ++k) {
        WRREAL(PLOTDATA, 18, 8, v(k));
        WRBLNK(PLOTDATA, 5);
    }
    WREOL(PLOTDATA);
}

// Row of n values on a report: 2X, the caption, each value as R15.5.
void report_row(int unit, const char* caption, const CAPVEC& v, int n) {
    WRBLNK(unit, 2);
    WRTEXT(unit, caption);
    for (int k = 1; k <= n; ++k) WRREAL(unit, 15, 5, v(k));
    WREOL(unit);
}

}  // namespace

void insert_history_pair(Table2<double, 2, MAXHIST>& h, int& n, double deflection, double factor) {
    if (n >= MAXHIST) return;
    int k = ++n;
    for (; k >= 2 && factor < h(2, k - 1); --k) {
        h(1, k) = h(1, k - 1);
        h(2, k) = h(2, k - 1);
    }
    h(1, k) = deflection;
    h(2, k) = factor;
}

double target_factor_from_history(const Table2<double, 2, MAXHIST>& FACHIST, int NHIST, double DEFTGT) {
    const int n = std::clamp(NHIST, 0, MAXHIST);
    // 1. No pair, one pair.
    if (n == 0) return 0.0;
    if (n == 1) {
        const double D1 = FACHIST(1, 1), F1 = FACHIST(2, 1);
        return std::abs(D1) > SMALL_DEF ? DEFTGT * F1 / D1 : 1.0;
    }
    // 2.1 The pairs in ascending order of factor (equal factors in their order).
    Table2<double, 2, MAXHIST> h;
    int m = 0;
    for (int j = 1; j <= n; ++j) insert_history_pair(h, m, FACHIST(1, j), FACHIST(2, j));
    // 2.2 The interval (k - 1, k) around the target.
    int k = 2;
    if (h(1, 1) >= DEFTGT) {
        k = 2;
    } else if (DEFTGT >= h(1, n)) {
        k = n;
    } else {
        for (k = 2; k < n && h(1, k) < DEFTGT; ++k) {
        }
    }
    // 2.3 Linear in the interval; a flat interval has no slope to follow.
    const double Da = h(1, k - 1), Db = h(1, k);
    const double Fa = h(2, k - 1), Fb = h(2, k);
    return Db != Da ? Fa + (DEFTGT - Da) * (Fb - Fa) / (Db - Da) : Fb;
}

void TGTWR(int unit, int NPTLEV, int NANTYP, double DEFCMP, double DEFTGT, const Table1<double, MAXSTL>& PTFAC) {
    // 1. Nothing for an estimation based on the total applied load.
    if (NPTLEV + 2 > MAXSTL || NPTLEV < 0 || PTFAC(NPTLEV + 1) == 0.0) return;
    // 2. Caption of the target degree of freedom and the label of its values.
    const double sel = PTFAC(NPTLEV + 2);
    const int k = sel >= 1.0 && sel < 7.0 ? static_cast<int>(sel) : 0;
    const bool plane_rotation = NANTYP == 2 && k == 3;
    const bool length = k >= 1 && k <= 3 && !plane_rotation;
    std::string label;
    if (length) label.append(" ").append(ULEN2.view());
    WRBLNK(unit, 5);
    if (k != 0) WRTEXT(unit, plane_rotation ? CAPTIONS[5] : CAPTIONS[k - 1]);
    WRTEXT(unit, "  TARGET =");
    WRREAL(unit, 13, 5, DEFTGT);
    WRTEXT(unit, label);
    // 3. The deflection reached.
    WRTEXT(unit, " , COMPUTED =");
    WRREAL(unit, 13, 5, DEFCMP);
    WRTEXT(unit, label);
    WREOL(unit);
}

void ORIGWR(int NPTLEV, int NANTYP, int point, double factor, double DEFCMP, double DEFTGT,
            const Table1<double, MAXSTL>& PTFAC, const CAPVEC& load, const CAPVEC& displacement) {
    const int n = NANTYP == 2 ? 3 : 6;
    // 1-2. Point and factor.
    io::write_fmt(SUMFILE, F_POINT_SUM, {point, factor});
    io::write_fmt(PLOTDATA, F_POINT_PLOT, {point, factor});
    // 3. Target lines.
    TGTWR(RESFILE, NPTLEV, NANTYP, DEFCMP, DEFTGT, PTFAC);
    TGTWR(SUMFILE, NPTLEV, NANTYP, DEFCMP, DEFTGT, PTFAC);
    // 4-5. Load and displacement at the origin on the plot data.
    io::write_fmt(PLOTDATA, F_LOAD_PLOT);
    plot_row(load, n);
    io::write_fmt(PLOTDATA, F_DISP_PLOT);
    plot_row(displacement, n);
    // 6-7. The same on the reports.
    for (int unit : {RESFILE, SUMFILE}) {
        report_row(unit, " LOAD", load, n);
        report_row(unit, " DISP", displacement, n);
    }
}

}  // namespace zolan
