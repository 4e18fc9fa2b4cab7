// Soil properties at a depth from the soil curves: the point rule, the
// segment rule, the depth averages, the subgrade modulus with a default, the
// coefficients by z/b and the guarded hypotenuse.
//
// A profile without layers (no curve points) is treated as a depth below the
// deepest point, so no routine ever reads an empty curve.
#include "soil/soil_lookup.h"
#include "model/single_precision.h"

#include <cmath>
#include <string>
#include <string_view>

#include "model/section_lookup.h"
#include "model/status_codes.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "model/soil_tables.h"
#include "model/py_tables.h"
#include "report/unit_labels.h"
#include "report/visible_text.h"
#include "report/fortran_format.h"
#include "report/row_report.h"
#include "report/run_files.h"

namespace zolan {
namespace {


constexpr double TINYV = 1.0e-20;     // a boundary value below this counts as not given
constexpr double KGIVEN = 1.0e-4;     // a k of larger magnitude is taken as given (KDEF)
constexpr double KPA_PSI = f32(6.895f);
constexpr double CBAND1 = f32(3.47f), CBAND2 = f32(6.94f), CBAND3 = f32(13.9f), CBAND4 = f32(27.8f);
constexpr double KSI = f32(271.5f);   // lb/in^3 to kN/m^3 of the k defaults
constexpr double HYPTINY = 1.0e-24;

// Warning layouts below the profile (built on first use).
const fmt::Format& W_GAMAVG() {
    static const fmt::Format f(
        R"(/,29X,"**** WARNING ****",/,5X,"THE VALUE OF X =",E9.2,"IS BEYOND THE EXTENT OF/",5X,"THE INPUT CURVE FOR UNIT WEIGHT")");
    return f;
}
const fmt::Format& W_STRENGTH() {
    static const fmt::Format f(
        R"(/,29X,"**** WARNING ****",/,5X,"THE VALUE OF X =",E9.1," IS BEYOND THE EXTENT OF",/,5X,"THE INPUT STRENGTH CURVE")");
    return f;
}
const fmt::Format& W_CAVG() {
    static const fmt::Format f(
        R"(/,29X,"**** WARNING ****",/,5X,"THE VALUE OF X =",E9.2,"IS BEYOND THE EXTENT OF THE/",5X,"INPUT CURVE FOR STRENGTH")");
    return f;
}
const fmt::Format& W_PHI() {
    static const fmt::Format f(
        R"(/,29X,"**** WARNING ****",/,5X,"THE VALUE OF X =",E9.1," IS BEYOND THE EXTENT OF",/,5X,"THE INPUT PHI CURVE")");
    return f;
}
const fmt::Format& W_FMAX() {
    static const fmt::Format f(
        R"(/,29X,"**** WARNING ****",/,5X,"THE VALUE OF X =",E9.2," IS BEYOND THE EXTENT OF",/,5X,"THE INPUT MAX. LOAD TRANSFER")");
    return f;
}
const fmt::Format& W_TIPMX() {
    static const fmt::Format f(
        R"(/,29X,"**** WARNING ****",/,5X,"THE VALUE OF X =",E9.2,"IS BEYOND THE EXTENT OF/",5X,"THE INPUT MAX. LOAD TRANSFER")");
    return f;
}
const fmt::Format& W_BPHI() {
    static const fmt::Format f(
        R"(/,29X,"**** WARNING ****",/,5X,"THE VALUE OF X =",E9.2,"IS BEYOND THE EXTENT OF/",5X,"THE INPUT STRENGTH CURVE, BPHI")");
    return f;
}


// The warning of layout f for depth x: on the results report (after `pre`,
// results report only, when given) and, with `runtime`, then on the runtime file.
void warn(const fmt::Format& f, double x, bool runtime, const std::string& pre = {}) {
    const fmt::Item item(x);
    const std::string block = fmt::format_to_string(f, std::span<const fmt::Item>(&item, 1));
    if (!pre.empty()) row_text(RESFILE, pre);
    row_text(RESFILE, block);
    if (runtime) row_text(RUNFILE, block);
}

enum class Boundary { Mean, Lower };

// Point rule on column V over SCDEP. Returns false below the deepest point
// (or without curve points), leaving v untouched.
bool point_rule(const Table1<double, MAXSCP>& V, double x, Boundary rule, double& v) {
    const int n = NSCPT;
    if (n < 2) return false;
    // 1-2. Smallest i in 2..n with D(i) >= x.
    int i = 2;
    while (i <= n && SCDEP(i) < x) ++i;
    if (i > n) return false;
    // 3. The deepest point.
    if (x == SCDEP(n)) {
        v = V(i);
        return true;
    }
    if (x == SCDEP(i)) {
        // 4. The boundary of two touching layers (i < n here).
        if (SCDEP(i + 1) == SCDEP(i)) {
            const double a = V(i), b = V(i + 1);
            if (rule == Boundary::Lower)
                v = b >= TINYV ? b : a;
            else
                v = b < TINYV ? a : a < TINYV ? b : (a + b) / 2;
            return true;
        }
        // 5. Any other point.
        v = V(i);
        return true;
    }
    // 6. Linear on the segment (i-1, i): across a gap, or extrapolated above D(1).
    const double d0 = SCDEP(i - 1), d1 = SCDEP(i);
    if (d1 == d0) {  // a first layer of no thickness, x above it
        v = (V(i - 1) + V(i)) / 2;
        return true;
    }
    v = V(i - 1) + (V(i) - V(i - 1)) * (x - d0) / (d1 - d0);
    return true;
}

// Segment rule: a boundary of touching layers gives the lower layer's top value.
bool segment_rule(const Table1<double, MAXSCP>& V, double x, double& v) {
    const int n = NSCPT;
    if (n < 2) return false;
    int i = 2;
    while (i <= n && !(SCDEP(i) > x)) ++i;
    if (i > n) {
        if (x > SCDEP(n)) return false;
        i = n;
    }
    const double d0 = SCDEP(i - 1), d1 = SCDEP(i);
    if (d1 - d0 < TOLDEP)
        v = (V(i - 1) + V(i)) / 2;
    else
        v = V(i - 1) + (V(i) - V(i - 1)) * (x - d0) / (d1 - d0);
    return true;
}

double silent_point(const Table1<double, MAXSCP>& V, double x) {
    double v = 0.0;
    return point_rule(V, x, Boundary::Mean, v) ? v : 0.0;
}

double warning_segment(const Table1<double, MAXSCP>& V, double x, int& istat, const fmt::Format& f, int code) {
    double v = 0.0;
    if (segment_rule(V, x, v)) return v;
    warn(f, x, true);
    set_status_once(istat, code);
    return 0.0;
}

// Mean of W over depths t..x, W linear on each segment of the curve (D, W) of
// n points; false when x lies below D(n). Steps 3 and 4 of the depth average.
bool depth_mean(const Table1<double, MAXSCP>& D, const Table1<double, MAXSCP>& W, int n, double t, double x,
                double& s) {
    s = 0.0;
    const double h = x - t;
    for (int i = 2; i <= n; ++i) {
        const double d0 = D(i - 1), d1 = D(i);
        if (d1 > x) {
            if (d1 - d0 >= TOLDEP)
                s += (x - d0) / h * 0.5 * (2 * W(i - 1) + (x - d0) * (W(i) - W(i - 1)) / (d1 - d0));
            return true;
        }
        s += 0.5 * (W(i - 1) + W(i)) * (d1 - d0) / h;
    }
    return x <= D(n);
}

double linear_table(const double* zb, const double* v, int n, double r) {
    int i = 2;
    while (i < n && !(zb[i - 1] > r)) ++i;
    return v[i - 2] + (v[i - 1] - v[i - 2]) * (r - zb[i - 2]) / (zb[i - 1] - zb[i - 2]);
}

// z/b at x of the pile; false when the diameter is not positive (no finite ratio).
bool depth_ratio(int pile, int set, double x, double& r) {
    const double b = SECDIA(pile, set, x);
    if (!(b > 0.0)) return false;
    r = (x - GRDDEP(pile)) / b;
    return true;
}

}  // namespace

double KCRV(double x) { return silent_point(SCK, x); }
double STRCB(double x) { return silent_point(SCROCK, x); }
double E50CRV(double x) { return silent_point(SCE50, x); }
double STRCJ(double x) { return silent_point(SCJ, x); }

double PHICRV(double x, int& istat) {
    double v = 0.0;
    if (point_rule(SCPHI, x, Boundary::Mean, v)) return v;
    warn(W_PHI(), x, true);
    set_status_once(istat, ISDPHI);
    return 0.0;
}

double CCRV(double x, int& istat) {
    double v = 0.0;
    if (point_rule(SCCOH, x, Boundary::Lower, v)) return v;
    warn(W_STRENGTH(), x, true);
    set_status_once(istat, ISDCOH);
    return 0.0;
}

double FMAXCRV(double x, int& istat) {
    double v = 0.0;
    if (segment_rule(SCFMAX, x, v)) return v;
    // The record of x, the point count and the deepest depth, then the warning.
    const int n = NSCPT;
    const fmt::Item items[] = {fmt::Item(x), fmt::Item(n), fmt::Item(n >= 1 ? SCDEP(n) : 0.0)};
    std::string rec;
    fmt::list_write(rec, items);
    warn(W_FMAX(), x, true, rec);
    set_status_once(istat, ISDFSD);
    return 0.0;
}

double TIPMXCRV(double x, int& istat) { return warning_segment(SCQMAX, x, istat, W_TIPMX(), ISDTIP); }
double BPHICRV(double x, int& istat) { return warning_segment(SCPHI, x, istat, W_BPHI(), ISDBPH); }

// Mean effective unit weight from the ground surface LAYTOP(1) down to x.
double GAMAVG(double x, int& istat) {
    const int n = NUWPT;
    if (n >= 2) {
        const double t = LAYTOP(1);
        // 1. Above the ground surface.
        if (x < t) return 0.0;
        // 2. At the ground surface: the first positive unit weight.
        if (x - t < TOLDEP) {
            for (int i = 1; i <= n; ++i)
                if (SCGAM(i) > 0.0) return SCGAM(i);
            return SCGAM(n);
        }
        // 3-4. The mean over the segments down to x.
        double s = 0.0;
        if (depth_mean(UWDEP, SCGAM, n, t, x, s)) return s;
    }
    warn(W_GAMAVG(), x, true);
    set_status_once(istat, ISDGAM);
    return 0.0;
}

// Mean cohesion from the ground surface down to x. Below the deepest point it
// returns the integral of the curve over the profile divided by the depth
// range, i.e. the mean with no cohesion below the profile (continuous at the
// deepest point), after its warning on the results report.
double CAVG(double x, int& istat) {
    const int n = NSCPT;
    if (n < 2) {
        warn(W_CAVG(), x, false);
        return 0.0;
    }
    const double t = LAYTOP(1);
    if (x < t) return 0.0;
    if (x - t < TOLDEP) return CCRV(x, istat);
    double s = 0.0;
    if (!depth_mean(SCDEP, SCCOH, n, t, x, s)) warn(W_CAVG(), x, false);
    return s;
}

// Subgrade modulus k at x, or a default by the cohesion at x where the curve
// gives no k: 50 to 2000 lb/in^3 by cohesion bands (times 271.5 in SI units).
double KDEF(double x) {
    // 1. Above the first point.
    if (NSCPT >= 2 && x < SCDEP(1)) return 0.0;
    // 2-3. The k of the curve.
    const double k = silent_point(SCK, x);
    if (std::abs(k) > KGIVEN) return k;
    // 4. The cohesion at x; below the profile a warning and no cohesion.
    double c = 0.0;
    if (!point_rule(SCCOH, x, Boundary::Lower, c)) {
        warn(W_STRENGTH(), x, true);
        c = 0.0;
    }
    if (NUNITS == 2) c /= KPA_PSI;
    double kd = c <= CBAND1 ? 50.0 : c <= CBAND2 ? 100.0 : c <= CBAND3 ? 500.0 : c <= CBAND4 ? 1000.0 : 2000.0;
    if (NUNITS == 2) kd *= KSI;
    return kd;
}

// Coefficient tables by z/b. A pile without a positive diameter has no finite
// z/b: the table's last value is returned.
double ACOEF1(int pile, int set, double x) {
    static constexpr double zb[6] = {0, 1, 2, 3, 4, 5};
    static constexpr double v[6] = {f32(0.223f), f32(0.46f), f32(0.55f), f32(0.59f), f32(0.6f), f32(0.6f)};
    double r = 0.0;
    if (!depth_ratio(pile, set, x, r)) return v[5];
    return linear_table(zb, v, 6, r);
}

double ACOEF2(int pile, int set, double x) {
    static constexpr double zb[4] = {0, 1, 2, 3};
    static constexpr double v[4] = {f32(0.2f), f32(0.29f), f32(0.3f), f32(0.3f)};
    double r = 0.0;
    if (!depth_ratio(pile, set, x, r)) return v[3];
    return linear_table(zb, v, 4, r);
}

double ZBTAB(int pile, int set, double x, std::span<const double, 10> values, std::span<const double, 10> zb) {
    double r = 0.0;
    if (!depth_ratio(pile, set, x, r)) return values[9];
    return linear_table(zb.data(), values.data(), 10, r);
}

std::string layer_input_text(int layer, int field) {
    static const fmt::Format f(
        R"((7X,"IN SOIL LAYER",I4," (SOIL CODE",I3,") FROM X =",F11.3," TO",F11.3,1X,A2,":",/,)"
        R"(7X,A," IS FIELD",I2," OF ITS RECORDS 4 AND 5, LINES",I8," TO",I8," OF THE INPUT DATA FILE ",A))");
    const char* what = field == 3 ? "THE FRICTION ANGLE" : "THE COMPRESSIVE STRENGTH QU";
    const std::string file = fmt::visible(FINPUT);
    const fmt::Item items[] = {layer, ISOIL(layer), UCD12(LAYTOP(layer)), UCD12(LAYBOT(layer)), UBLEN2.view(),
                               what, field, LAYLIN(layer, 1), LAYLIN(layer, 2), file};
    return fmt::format_to_string(f, items);
}

void LAYERSTOP(int layer, int field) {
    if (layer < 1 || layer > NLAYER || LAYSTOP(layer) != 0) return;
    row_text_once(&LAYSTOP(layer), ECHOFILE, layer_input_text(layer, field));
}

double HYPOT0(double a, double b) {
    if (std::abs(a) < HYPTINY) a = 0.0;
    if (std::abs(b) < HYPTINY) b = 0.0;
    return std::sqrt(a * a + b * b);
}

}  // namespace zolan
