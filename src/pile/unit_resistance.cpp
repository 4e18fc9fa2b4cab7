// Ultimate unit side and tip resistance of a pile estimated from the soil's
// strength data: the alpha method (clay) and the beta method (sand) on the
// side, 9 c (clay) and Nq gamma z (sand) at the tip.
#include "pile/unit_resistance.h"
#include "model/single_precision.h"

#include <algorithm>
#include <cmath>

#include "soil/soil_lookup.h"
#include "model/run_state.h"
#include "model/soil_tables.h"

namespace zolan {
namespace {

// Constants of the method, single-precision values carried in double.
constexpr double TINY = f32(1.0e-10f);     // an input resistance below this is not given
constexpr double ZFMIN = f32(1.0e-7f);     // smallest depth in feet of the beta rule
constexpr double PHIMIN = f32(1.0e-4f);    // a friction angle below this is no friction
constexpr double COHCLAY = f32(0.1f);      // cohesion above this (with no friction) is clay
constexpr double CLAYENG = f32(3.47f);     // psi: below it a small alpha is raised to 1
constexpr double CLAYSI = 24.0;            // kPa: the same
constexpr double FT_M = f32(0.3048f);      // metres per foot
constexpr double BMAX = f32(1.2f), BMIN = 0.25, B0 = 1.5, B1 = f32(0.135f);  // beta = 1.5 - 0.135 sqrt(z ft)
constexpr double C08 = f32(0.8f);          // K tan(delta) factor of a driven pile in sand
constexpr double DPHI = f32(0.087f);       // delta = phi - 0.087 rad (about 5 degrees)
constexpr double C055 = f32(0.55f);        // alpha of a drilled shaft in clay
constexpr double C01 = f32(0.1f);          // side factor on the rock strength
constexpr double RAD2DEG = f32(57.296f);
constexpr double PHI30 = f32(0.5236f), PHI36 = f32(0.628f);  // radians: spans of the drilled-shaft tip value
constexpr double QS30ENG = f32(222.2f), QS36ENG = f32(555.56f);  // psi
constexpr double QS30SI = 1530.0, QS36SI = 3830.0;               // kPa
constexpr double QSLOW = f32(0.1f);        // drilled-shaft tip value below 30 degrees

// Bearing factor Nq by the friction angle in degrees, linear in each span:
// 8, 12, 20, 40, 50 at 20, 25, 30, 35, 40 degrees, constant outside.
double bearing_nq(double phid) {
    if (phid <= 20.0) return 8.0;
    if (phid <= 25.0) return 8.0 + (phid - 20.0) * 4.0 / 5.0;
    if (phid <= 30.0) return 12.0 + (phid - 25.0) * 8.0 / 5.0;
    if (phid <= 35.0) return 20.0 + (phid - 30.0) * 20.0 / 5.0;
    if (phid <= 40.0) return 40.0 + (phid - 35.0) * 10.0 / 5.0;
    return 50.0;
}

}  // namespace

void ULTFRQ(int code, double depth, int& sideflag, double& side1, double& side2, int& tipflag, double& tip1,
            double& tip2, int& status) {
    // Depth below the soil surface; the side estimate replaces a depth at (or
    // above) the surface by one length unit, and the tip estimate uses that.
    double z = depth - LAYTOP(1);

    // Side resistance.
    // 1. The input maximum side load transfer at the depth.
    const double f = FMAXCRV(depth, status);
    if (status != 0) return;
    // 2-3.
    side1 = 0.0;
    side2 = 0.0;
    if (f >= TINY) {
        sideflag = 0;
    } else {
        // 4. Both estimates from the soil curves.
        sideflag = 1;
        const double gam = GAMAVG(depth, status);
        if (status != 0) return;
        const double phi = PHICRV(depth, status);
        if (status != 0) return;
        if (z < TINY) z = 1.0;
        const double coh = CCRV(depth, status);
        if (status != 0) return;

        // alpha from psi = c / (gamma z); a zero overburden with no cohesion gives the floor.
        double psi = coh / (gam * z);
        if (!(psi >= TINY)) psi = TINY;
        double alpha = psi <= 1.0 ? 0.5 / std::sqrt(psi) : 0.5 / std::pow(psi, 0.25);
        if (alpha < 0.5 && ((NUNITS == 1 && coh < CLAYENG) || (NUNITS == 2 && coh < CLAYSI))) alpha = 1.0;

        // beta = 1.5 - 0.135 sqrt(z in feet), within 0.25 .. 1.2.
        const double zft = NUNITS == 1 ? z / 12.0 : NUNITS == 2 ? z / FT_M : 0.0;
        const double zf = std::max(ZFMIN, zft);
        const double beta = std::max(BMIN, std::min(BMAX, B0 - B1 * std::sqrt(zf)));

        const double sand_driven = C08 * gam * z * std::tan(phi - DPHI);
        switch (code) {
            case 1: case 2: case 3: case 10: case 11: case 13:
                side1 = alpha * coh;
                side2 = C055 * coh;
                break;
            case 6: case 9:
                side1 = C01 * coh;
                side2 = C01 * coh;
                break;
            case 4: case 8:
                side1 = sand_driven;
                side2 = beta * gam * z;
                break;
            case 7:
                side1 = sand_driven + alpha * coh;
                side2 = C055 * coh + beta * gam * z;
                break;
            case 5: case 12:
                side1 = f;
                side2 = f;
                break;
            default: break;
        }
    }

    // Tip resistance.
    // 1-2. The input maximum tip resistance at the depth.
    tipflag = 0;
    tip1 = 0.0;
    tip2 = 0.0;
    const double q = TIPMXCRV(depth, status);
    if (q >= TINY) return;
    // 3-4. A soil with cohesion and no friction is clay whatever its code.
    const double coh = CCRV(depth, status);
    const double phi0 = PHICRV(depth, status);
    const int k = (coh > COHCLAY && phi0 < PHIMIN) ? 3 : code;

    if (k < 4 || k == 10 || k == 13) {
        // 5. Clay: 9 c.
        tip1 = tip2 = 9.0 * coh;
    } else if (k == 4 || k == 7 || k == 8) {
        // 6. Sand: Nq gamma z for a driven pile, a value by the friction angle for a drilled shaft.
        const double phi = PHICRV(depth, status);
        if (status != 0) return;
        const double phid = PHICRV(depth, status) * RAD2DEG;
        if (status != 0) return;
        const double nq = bearing_nq(phid);
        const double gam = GAMAVG(depth, status);
        if (status != 0) return;
        const double e = nq * gam * z;
        double s;
        if (phi < PHI30) {
            s = QSLOW;
        } else if (phi < PHI36) {
            s = NUNITS == 1 ? QS30ENG : NUNITS == 2 ? QS30SI : e;
        } else {
            s = NUNITS == 1 ? QS36ENG : NUNITS == 2 ? QS36SI : e;
        }
        if (k == 7) {
            tip1 = e + 9.0 * coh;
            tip2 = s + 9.0 * coh;
            tipflag = 1;
            return;
        }
        tip1 = e;
        tip2 = s;
    } else if (k == 5 || k == 6 || k == 9 || k == 11) {
        // 7.
        tip1 = tip2 = 9.0 * coh;
    }
    // 8. (An effective code 12 ends here with both tip values 0.)
    tipflag = 1;
}

}  // namespace zolan
