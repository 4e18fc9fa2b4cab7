// Shared pieces of the curve-file writers.
#include "pile/curve_records.h"

#include <algorithm>

#include "model/single_precision.h"
#include "model/soil_tables.h"
#include "pile/torsion_curves.h"
#include "report/run_files.h"
#include "soil/soil_lookup.h"

namespace zolan {

namespace {

constexpr double PI4 = f32(3.1416f);      // pi of the degree conversion
constexpr double FMXMIN = f32(1.0e-10f);  // a maximum side resistance below this is estimated

const fmt::Format F_PILE("(3I10)");
const fmt::Format F_STATION("(I10,F10.4)");
const fmt::Format F_FLAG("(3I10)");
const fmt::Format F_POINT("(1P,I10,2(1X,G15.8))");

}  // namespace

double force_at(const CurvePts& c, double z) {
    int k = 2;
    while (k < CRVNPT && c.z(k) < z) ++k;
    const double dz = c.z(k) - c.z(k - 1);
    if (!(dz > 0.0)) return c.F(k);
    return c.F(k - 1) + (c.F(k) - c.F(k - 1)) * (z - c.z(k - 1)) / dz;
}

CurvePts sum_curves(const CurvePts& a, const CurvePts& b) {
    const bool on_a = a.z(CRVNPT) <= b.z(CRVNPT);
    const CurvePts& base = on_a ? a : b;
    const CurvePts& other = on_a ? b : a;
    CurvePts s;
    for (int i = 1; i <= CRVNPT; ++i) {
        s.z(i) = base.z(i);
        s.F(i) = base.F(i) + force_at(other, base.z(i));
    }
    return s;
}

int code_at(double x) {
    const int nl = std::clamp(NLAYPY, 0, MAXSLY);
    for (int l = 1; l <= nl; ++l)
        if (LAYBOT(l) > x) return ISOIL(l);
    return nl >= 1 ? ISOIL(1) : 0;
}

bool segment_tz(int ptype, double A, double zg, double D1, CurvePts& tz, double& phi, int& st) {
    const int code = code_at(A);
    TZTAB T, Z;
    TZVAL fmax, ph;
    const double fread = FMAXCRV(A, st);
    if (st != 0) return false;
    fmax(1) = fread;
    if (fread < FMXMIN && !side_resistance_estimate(ptype, code, A, zg, zg, fread, fmax(1), st)) return false;
    phi = BPHICRV(A, st) * 180.0 / PI4;
    if (st != 0) return false;
    ph(1) = phi;
    tz_curve_of(ptype, code, 1, D1, T, Z, fmax, ph);
    for (int i = 1; i <= CRVNPT; ++i) tz.z(i) = Z(i, 1), tz.F(i) = T(i, 1);
    return true;
}

void CurveWriter::ints(int a, int b, int c) {
    if (formatted_) io::write_fmt(CURVFILE, F_PILE, {a, b, c});
    else io::write_unf(CURVFILE, {a, b, c});
}
void CurveWriter::station(int s, double B) {
    if (formatted_) io::write_fmt(CURVFILE, F_STATION, {s, B});
    else io::write_unf(CURVFILE, {s, B});
}
void CurveWriter::flag(int f, int n) {
    if (formatted_) io::write_fmt(CURVFILE, F_FLAG, {f, n});
    else io::write_unf(CURVFILE, {f, n});
}
void CurveWriter::point(int j, double z, double F) {
    if (formatted_) io::write_fmt(CURVFILE, F_POINT, {j, z, F});
    else io::write_unf(CURVFILE, {j, z, F});
}

}  // namespace zolan
