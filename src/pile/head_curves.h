// Pile-head curves read at a head movement (the axial load-settlement curve,
// the torque-rotation curve) with their end rules, and the warning block that
// the axial and torsion routines write to the pile-warning scratch file for a
// head beyond a curve's end.
#pragma once

#include <algorithm>
#include <string_view>

#include "model/table.h"

namespace zolan {

// The switches of the axial and torsional head routines, filled by the caller
// for a whole stage and passed const&.
struct AxControls {
    int kwarn = 0;   // KWARN: 1 only while the cap solver evaluates its residual: blocks written and counted
    int kextrp = 0;  // KEXTRP: 1 holds the end value beyond a curve's ends; otherwise the pile fails there
    int kaxvar = 0;  // KAXVAR: 1 fills the axial movement and force along the pile (generated curves)
};

// Where a head movement lies on its curve.
enum class CurveSide { Inside, Beyond, Before };  // Beyond: past the last point; Before: short of the first

struct CurveReading {
    double value = 0.0;  // the curve's value, or the end rule's beyond an end
    CurveSide side = CurveSide::Inside;
    double end = 0.0;    // the end passed: X(n) Beyond, X(1) Before
};

// Value at d of a curve of n points X(j), Y(j), X ascending: linear between
// the points of the first segment whose end reaches d, the product formed
// before the division (a segment of no length gives its later point); beyond
// an end the end value when kextrp is 1, else 0. One point is the constant
// Y(1); no point at all gives 0.
template <class Xs, class Ys>
CurveReading read_head_curve(int n, const Xs& X, const Ys& Y, double d, int kextrp) {
    CurveReading c;
    if (n < 1) return c;
    if (n == 1) {
        c.value = Y(1);
        return c;
    }
    int j = 2;
    while (j <= n && !(X(j) >= d)) ++j;
    if (j > n) {
        c.side = CurveSide::Beyond;
        c.end = X(n);
        c.value = kextrp == 1 ? Y(n) : 0.0;
    } else if (d < X(1)) {
        c.side = CurveSide::Before;
        c.end = X(1);
        c.value = kextrp == 1 ? Y(1) : 0.0;
    } else {
        const double dx = X(j) - X(j - 1);
        c.value = dx > 0.0 ? Y(j - 1) + ((Y(j) - Y(j - 1)) * (d - X(j - 1))) / dx : Y(j);
    }
    return c;
}

// The movement of the peak of a curve (n points X(j), Y(j), X ascending) on
// the side of d: the point of largest force in the sense of d among the
// points on that side, the nearest the origin of equals, when a point
// farther out on that side carries less (the curve softens after it); 0
// when the force never falls (a plateau is no peak).
template <class Xs, class Ys>
double head_curve_peak(int n, const Xs& X, const Ys& Y, double d) {
    const double s = d < 0.0 ? -1.0 : 1.0;
    double peak = 0.0, top = 0.0;
    bool found = false, falls = false;
    for (int i = 1; i <= n; ++i) {
        const int j = s > 0.0 ? i : n + 1 - i;  // outwards from the origin
        if (!(s * X(j) > 0.0)) continue;
        const double f = s * Y(j);
        if (!found || f > top) found = true, falls = false, top = f, peak = X(j);
        else if (f < top) falls = true;
    }
    return found && falls ? peak : 0.0;
}

// The curve of a row selected by its signed number k: user curve k (point
// counts NU, points XU, YU) when k > 0, else generated curve -k (NG, XG, YG),
// read at d. A number beyond its tables reads as a curve without points.
template <int NU, int NG, int NP>
CurveReading read_row_curve(int k, const Table1<int, NU>& nu, const Table2<double, NU, NP>& XU,
                            const Table2<double, NU, NP>& YU, const Table1<int, NG>& ng,
                            const Table2<double, NG, NP>& XG, const Table2<double, NG, NP>& YG, double d, int kextrp) {
    if (k > 0) {
        if (k > NU) return {};
        return read_head_curve(std::min(nu(k), NP), [&](int j) { return XU(k, j); }, [&](int j) { return YU(k, j); },
                               d, kextrp);
    }
    const int g = -k;
    if (g < 1 || g > NG) return {};
    return read_head_curve(std::min(ng(g), NP), [&](int j) { return XG(g, j); }, [&](int j) { return YG(g, j); }, d,
                           kextrp);
}

// The peak movement (head_curve_peak) of the curve of a row selected as in
// read_row_curve, on the side of d.
template <int NU, int NG, int NP>
double row_curve_peak(int k, const Table1<int, NU>& nu, const Table2<double, NU, NP>& XU,
                      const Table2<double, NU, NP>& YU, const Table1<int, NG>& ng,
                      const Table2<double, NG, NP>& XG, const Table2<double, NG, NP>& YG, double d) {
    if (k > 0)
        return k > NU ? 0.0
                      : head_curve_peak(std::min(nu(k), NP), [&](int j) { return XU(k, j); },
                                        [&](int j) { return YU(k, j); }, d);
    const int g = -k;
    if (g < 1 || g > NG) return 0.0;
    return head_curve_peak(std::min(ng(g), NP), [&](int j) { return XG(g, j); }, [&](int j) { return YG(g, j); }, d);
}

// The block of a pile past the peak of its axial curve, on the pile-warning
// scratch file like WARNBLK's: an empty record; 5X, "** WARNING **  ",
// "PILE", the row in I0, " IS PAST THE PEAK OF ITS AXIAL CURVE"; 20X,
// "AX. DISP.=", the movement in E12.4, " > ", the peak's movement in E12.4,
// 5X, "AX. FORCE=", the force in E12.4. Not counted: the caller marks the
// row (AXPEAK) in the same evaluation.
void PEAKBLK(int row, double move, double peak, double force);

// The three records of a pile warning, as one block on the pile-warning
// scratch file: an empty record; 5X, "** WARNING **  ", the kind text, 2X,
// "PILE GROUP", the row in I5; 20X, the movement label, the movement in
// E12.4, " > ", the curve end in E12.4, 5X, the force label, the force in
// E12.4. Raises *count by 1 when the block reaches the file (at once on a
// serial caller, at the fold of the row's report inside a pile-row loop).
void WARNBLK(int* count, std::string_view kind, int row, std::string_view move_label, double move, double end,
             std::string_view force_label, double force);

// Copies the first nrec records of the pile-warning scratch file (opened by
// its run-file name for reading, then closed) in file order to the results
// report and then the runtime file, each as a text of 256 characters (a
// shorter record padded with blanks, a longer one cut). The copy stops at the
// file's end (a missing file reads as empty). Returns the records copied.
int WARNCOPY(int nrec);

}  // namespace zolan
