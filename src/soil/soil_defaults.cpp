// Default k and e50 by soil code where the input gives zero or a negative
// value: cohesion bands of soft and stiff clay, the sand k by friction angle
// and water condition, and the silt k as a clay part plus a sand part. All
// constants are single-precision values used in double precision; the SI k
// values are the English ones times 271.44714, rounded to single precision.
#include "soil/soil_defaults.h"
#include "soil/py_curves.h"
#include "model/single_precision.h"

namespace zolan {
namespace {


double degrees(double phi) { return phi * 180.0 / 3.141592653589793; }

// An SI k value of the tables: the English value times 271.44714, rounded to single precision.
constexpr double si(double english) { return f32(static_cast<float>(english * 271.44714)); }

// Reference cohesions of the bands (psi, kPa).
constexpr double ASOFT_EN = f32(3.4722223f), ASOFT_SI = f32(23.94013f);
constexpr double ASTIFF_EN = f32(6.9444447f), ASTIFF_SI = f32(47.88026f);

// Band 1..5 of c for reference a: c < a, < 2a, < 4a, < 8a, beyond.
int band(double c, double a) {
    if (c < a) return 1;
    if (c < 2 * a) return 2;
    if (c < 4 * a) return 3;
    if (c < 8 * a) return 4;
    return 5;
}

// 1. Soft-clay e50 (codes 1, 7, 13).
double soft_e50(double c, int units) {
    if (units != 1 && units != 2) return f32(0.001f);
    static constexpr double e50[6] = {0, f32(0.02f), f32(0.01f), f32(0.005f), f32(0.005f), f32(0.004f)};
    return e50[band(c, units == 1 ? ASOFT_EN : ASOFT_SI)];
}

// 2. Stiff-clay e50 (codes 2, 3, 10), bands 4 and 5 as one; false for other unit systems.
bool stiff_e50(double c, int units, double& e50) {
    if (units != 1 && units != 2) return false;
    static constexpr double v[5] = {0, f32(0.011f), f32(0.007f), f32(0.005f), f32(0.004f)};
    const int b = band(c, units == 1 ? ASTIFF_EN : ASTIFF_SI);
    e50 = v[b > 4 ? 4 : b];
    return true;
}

// 3. Stiff-clay k by band, static or cyclic; false for other unit systems.
// The one table of the stiff clays (codes 2, 10) and of silt's clay part: the
// SI values are the stored single-precision ones (the cyclic column is not the
// English value times 271.44714 rounded: 27144.71, not 27144.715).
bool stiff_k(double c, int units, bool cyclic, double& k) {
    if (units != 1 && units != 2) return false;
    // [units-1][cyclic][band]
    static constexpr double tab[2][2][5] = {
        {{0, 250, 500, 1000, 2000}, {0, 100, 200, 400, 800}},
        {{0, f32(67861.78f), f32(135723.56f), f32(271447.12f), f32(542894.25f)},
         {0, f32(27144.71f), f32(54289.42f), f32(108578.84f), f32(217157.69f)}},
    };
    const int b = band(c, units == 1 ? ASTIFF_EN : ASTIFF_SI);
    k = tab[units - 1][cyclic ? 1 : 0][b > 4 ? 4 : b];
    return true;
}

// Water condition from the unit weight: at or below the limit, submerged.
bool submerged(double gamma, int units) {
    return gamma <= (units == 1 ? f32(0.045f) : f32(12.225f));
}

constexpr double SIK = f32(271.44714f);  // English k to SI k

}  // namespace

// 4. Sand k from phi (degrees) and the water condition.
void KSAND(double phi, double gamma, double& k, int units) {
    if (units != 1 && units != 2) return;
    const double p = degrees(phi);
    constexpr double PLOW = f32(27.6423f);
    double v;
    if (submerged(gamma, units)) {
        if (p > 45.0)
            v = units == 1 ? f32(228.76556f) : f32(62097.758f);
        else if (p < PLOW)
            v = f32(10.206726f) * p / PLOW;
        else
            v = ((f32(0.0166f) * p - f32(1.55262f)) * p + f32(58.42955f)) * p - f32(769.18353f);
    } else {
        if (p > 45.0)
            v = units == 1 ? f32(394.71298f) : f32(107143.71f);
        else if (p < PLOW)
            v = f32(10.206787f) * p / PLOW;
        else
            v = (f32(0.4168f) * p - f32(8.1254f)) * p - f32(83.664f);
    }
    if (units == 2 && p <= 45.0) v *= SIK;
    k = v;
}

// Stiff-clay k of the p-y curves of codes 2 and 10 (loadtyp 1 static, 0 cyclic).
void KSTIFF(double cu, double& k, int units, int loadtyp) {
    if (loadtyp != 0 && loadtyp != 1) return;
    stiff_k(cu, units, loadtyp == 0, k);
}

// 5. Silt k: the stiff-clay k by cohesion plus a sand part by phi and water condition.
void KSILT(double gamma, double c, double phi, double& k, int units, int kstatic) {
    double clay = 0.0;
    if (!stiff_k(c, units, kstatic != 1, clay)) return;
    // [units-1][submerged][phi band]
    static constexpr double sand[2][2][3] = {
        {{25, 90, 225}, {20, 60, 125}},
        {{si(25), si(90), si(225)}, {si(20), si(60), si(125)}},
    };
    const double p = degrees(phi);
    const int pb = p <= 30.0 ? 0 : p <= 36.0 ? 1 : 2;
    k = clay + sand[units - 1][submerged(gamma, units) ? 1 : 0][pb];
}

// 6. k of a layer point for the input echo.
void KLAYER(double c, double phi, double gamma, double kin, double& kstat, double& kcyc, int units,
            int code, int& kdef, int& kcdef) {
    kstat = kin;
    kcyc = kin;
    kdef = 0;
    kcdef = 0;
    if (kin > 0.0) return;
    kdef = 1;
    switch (code) {
        case 2:
        case 10:
            stiff_k(c, units, false, kstat);
            stiff_k(c, units, true, kcyc);
            kcdef = 1;
            break;
        case 4:
        case 8:
            KSAND(phi, gamma, kstat, units);
            break;
        case 7:
            KSILT(gamma, c, phi, kstat, units, 1);
            KSILT(gamma, c, phi, kcyc, units, 0);
            kcdef = 1;
            break;
        default:
            break;
    }
}

// 7. e50 of a layer point for the input echo.
void E50LAYER(double c, double e50in, double& e50out, int units, int code, int& edef) {
    e50out = e50in;
    edef = 0;
    if (e50in > 0.0) return;
    edef = 1;
    E50DEF(c, e50out, code, units);
}

// 8. e50 at a depth for the load-settlement curves.
void E50DEF(double c, double& e50, int code, int units) {
    switch (code) {
        case 1:
        case 7:
        case 13:
            e50 = soft_e50(c, units);
            break;
        case 2:
        case 3:
        case 10:
            stiff_e50(c, units, e50);
            break;
        default:
            break;
    }
}

}  // namespace zolan
