// Curve-file records of a pile: geometry and lateral spring curves.
#include "results/curve_records.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_lookup.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "report/fortran_format.h"
#include "report/run_files.h"
#include "soil/py_curves.h"

namespace zolan {
namespace {

const fmt::Format F_INTS("(3I10)");
const fmt::Format F_STATION("(I10,F10.4)");
const fmt::Format F_VALUES("(1P,10X,6(1X,G15.8))");
const fmt::Format F_POINT("(1P,I10,2(1X,G15.8))");

// -x, without a negative zero on the file.
double neg(double x) { return x == 0.0 ? 0.0 : -x; }

// The records in the file's form: the formatted layout or one unformatted
// record of the same items.
void put(const fmt::Format& f, std::initializer_list<fmt::Item> items, std::initializer_list<io::UItem> raw) {
    if (KCRVFM == 0) io::write_fmt(CURVFILE, f, items);
    else io::write_unf(CURVFILE, raw);
}
void put_ints(int a, int b, int c) { put(F_INTS, {a, b, c}, {a, b, c}); }
void put_station(int k, double x) { put(F_STATION, {k, x}, {k, x}); }
void put_point(int m, double y, double f) { put(F_POINT, {m, y, f}, {m, y, f}); }
template <class... R>
void put_values(R... v) {
    put(F_VALUES, {fmt::Item(static_cast<double>(v))...}, {io::UItem(static_cast<double>(v))...});
}

// Lays the scratch node of the curve requests at depth d, in the first
// layer whose bottom lies below d; false when there is no such layer.
bool lay_request(double d, double h) {
    int L = 1;
    while (L <= NLAYPY && !(LAYBOT(L) > d)) ++L;
    NDEPTH(PYSCRATCH, 1) = d;
    NDEPTH(PYSCRATCH, 2) = d + h;
    NDAXIS(PYSCRATCH, 1) = d;
    for (int l = 1; l <= MAXSLY; ++l) {
        LAYNF(l, PYSCRATCH) = l == L && L <= NLAYPY ? 1 : 0;
        LAYNL(l, PYSCRATCH) = l >= L && L <= NLAYPY ? 1 : 0;
    }
    return L <= NLAYPY;
}

// Other curve's force at deflection y, interpolated linearly between the
// first of its points 2..nv whose deflection reaches y and the one before.
double force_at(const SpringCurve& c, double y) {
    if (c.nv == 1) return c.f(1);
    for (int j = 2; j <= c.nv; ++j) {
        if (!(c.y(j) >= y)) continue;
        const double dy = c.y(j) - c.y(j - 1);
        if (dy == 0.0) return c.f(j);
        return (y - c.y(j - 1)) * (c.f(j) - c.f(j - 1)) / dy + c.f(j - 1);
    }
    return 0.0;
}

}  // namespace

SpringCurve sum_half_segments(const SpringCurve& a, const SpringCurve& b) {
    const bool a_base = a.y(a.nv) <= b.y(b.nv);
    const SpringCurve& base = a_base ? a : b;
    const SpringCurve& other = a_base ? b : a;
    SpringCurve s = base;
    for (int i = 1; i <= base.nv; ++i) s.f(i) = base.f(i) + force_at(other, base.y(i));
    return s;
}

void pile_geometry_records(int p) {
    const int t = IPROP(p);
    const double L = PLENP(t);
    // 1. Block header.
    put_ints(p, NCRVST, 0);
    // 2. Length, head, axes.
    put_values(L);
    if (NANTYP == 2) {
        const double f = std::numbers::pi / 2 - BATANG(p);
        put_values(CORX(p), CORY(p));
        put_values(std::cos(f), std::sin(f));
        put_values(-std::sin(f), std::cos(f));
    } else {
        const double a = ALPHA(p), b = BETA(p);
        put_values(CORX(p), CORY(p), CORZ(p));
        put_values(std::sin(b), std::cos(b) * std::cos(a), std::cos(b) * std::sin(a));
        put_values(-std::cos(b), std::sin(b) * std::cos(a), std::sin(b) * std::sin(a));
        put_values(0.0, -std::sin(a), std::cos(a));
    }
    // 3. The section values at the middle of each segment.
    if (NCRVST <= 0) return;
    const double h = L / NCRVST;
    for (int k = 1; k <= NCRVST; ++k) {
        const double x = CORX(p) + (k - 0.5) * h;
        put_station(k, x);
        if (NANTYP == 2)
            put_values(SECDIA(p, t, x), SECARE(p, t, x), SECIN1(p, t, x), SECMOD(p, t, x));
        else
            put_values(SECDIA(p, t, x), SECARE(p, t, x), SECIN1(p, t, x), SECIN2(p, t, x), SECMOD(p, t, x),
                       SECPR1(p, t, x));
    }
}

void pile_spring_records(int p, int& ISTAT) {
    const int t = IPROP(p);
    // 1-2. Layer count, curve mode, block header.
    NLAYPY = NLAYER;
    PyControls ctl;
    ctl.pymode = 1;
    ctl.pyreq = 1;
    put_ints(p, NCRVST + 1, 1);
    // 3. Points per branch (a request count of 0 lets the generators use their own).
    const bool listed = KCRVL1 > 0 && NCRVL != 0;
    const int nv = listed ? std::clamp(NCRVL, 1, MAXPYB) : 17;
    PYNPT = listed ? nv : 0;
    const double h = NCRVST > 0 ? PLENP(t) / NCRVST : 0.0;
    SpringCurve below, cur, sta;
    below.nv = cur.nv = nv;
    for (int i = 1; i <= nv; ++i) below.y(i) = below.f(i) = 0.0;
    int flag = 0;
    // 4. The stations from the head to the tip.
    for (int k = 1; k <= NCRVST + 1; ++k) {
        const double x = CORX(p) + (k - 1) * h;
        // 4.1. The previous flag; CUR zero; STA the curve below the last station.
        const int prev = flag;
        flag = 0;
        for (int i = 1; i <= nv; ++i) cur.y(i) = cur.f(i) = 0.0;
        sta = below;
        for (int i = 1; i <= nv; ++i) below.y(i) = below.f(i) = 0.0;
        // 4.2. Station record.
        put_station(k, x);
        double d = x;
        if (k <= NCRVST) {
            // 4.3. The curve at the segment middle (none above a user-curve layer or below the soil).
            if (lay_request(x + h / 2, h)) {
                PYBELOW = -1;
                PyWork w(t, p, p);
                PYCURV(ctl, w, ISTAT);
                if (PYBELOW >= 0) {
                    flag = PYBELOW;
                    d = PYZGS;
                    for (int i = 1; i <= nv; ++i) {
                        cur.y(i) = PYBUF(i, 1);
                        cur.f(i) = PYBUF(i, 2);
                    }
                }
            }
            // 4.4. The force of half a segment, kept for the next station.
            for (int i = 1; i <= nv; ++i) cur.f(i) *= h / 2;
            below = cur;
            // 4.5. The two half segments added.
            sta = prev == 0 ? cur : sum_half_segments(cur, sta);
        }
        // 4.6-4.7. Curve header and the points, the mirrored branch first.
        const bool f1 = d >= 1.0e-6;
        put_ints(f1 ? 1 : 0, f1 ? 2 * nv - 1 : 0, PYCODE);
        if (!f1) continue;
        for (int m = 1; m <= nv - 1; ++m) put_point(m, neg(sta.y(nv + 1 - m)), neg(sta.f(nv + 1 - m)));
        for (int m = nv; m <= 2 * nv - 1; ++m) put_point(m, sta.y(m - nv + 1), sta.f(m - nv + 1));
    }
}

}  // namespace zolan
