// Equivalent depth of a layer in layered soil: the depth z at which the
// layer's own soil, from the ground surface down, would build the cumulative
// ultimate resistance S of all the layers above it on the pile. The p-y
// curves below the first layer then take depth = z + distance below the
// layer's top in their ultimate resistance.
#include <cmath>
#include <span>

#include "soil/soil_lookup.h"
#include "model/case_tables.h"
#include "model/py_tables.h"
#include "model/single_precision.h"
#include "model/soil_tables.h"
#include "soil/py_curves.h"
#include "soil/sand_coefficients.h"
#include "soil/sand_wedge.h"

namespace zolan {

namespace {

constexpr double C072 = f32(0.72f), C283 = f32(2.83f), C1225 = f32(1.225f), C0411 = f32(0.411f);
constexpr double C0936 = f32(0.936f), C0418 = f32(0.418f), C088 = f32(0.88f), C08 = f32(0.8f);
constexpr double C09 = f32(0.9f);

// Positive root of A z^2 + B z = S.
double root(double A, double B, double S) {
    if (A == 0.0) return B != 0.0 ? S / B : NAN;
    return (std::sqrt(B * B + 4.0 * A * S) - B) / (2.0 * A);
}

// Clays whose resistance grows as B z + A z^2 (two times the linear term's
// coefficient) down to the transition depth xr and stays at `slope` below it;
// `factor` scales the whole resistance (cyclic soft clay).
double clay_depth(double S, double A, double B, double xr, double slope, double factor) {
    const double Fxr = factor * (B * xr + A * xr * xr);
    if (S > Fxr) return xr + (S - Fxr) / (factor * slope);
    return root(A, B, S / factor);
}

// Stepping rule of the models whose resistance is summed numerically: steps
// of dz to `steps` * dz; `cum_step(zi)` gives the resistance of a step.
template <class Step>
double stepped_depth(double S, double dz, int steps, Step cum_step, double& cum) {
    cum = 0.0;
    for (int i = 1; i <= steps; ++i) {
        const double zi = i * dz;
        const double before = cum;
        cum += cum_step(zi);
        if (cum > S) return zi - dz * (cum - S) / (cum - before);
    }
    return NAN;  // not reached within the steps: the caller extends below
}

}  // namespace

void EQDEPTH(int pile, int layer, int prop, const EqDepthSoil& soil) {
    // 1. Resistance of the layers above.
    double S = 0.0;
    for (int j = 1; j < layer; ++j) S += PUSUM(pile, j);
    const double b = soil.b, cu = soil.cu, ca = soil.ca, g = soil.gamma;
    double z = NAN;
    switch (ISOIL(layer)) {
        case 2: {
            // 5. Stiff clay with free water: the residual-factor resistance, summed.
            const double xr = (11.0 * cu - 2.0 * ca) * b / (g * b + C283 * ca);
            const double dz = xr / 40.0;
            double F = 0.0;
            auto step = [&](double zi) {
                const double x = GRDDEP(pile) + zi;
                const double As = ACOEF1(pile, prop, x), Ac = ACOEF2(pile, prop, x);
                if (LOADTYP == 1) F = C1225 * std::sqrt(As) - 0.75 * As - C0411;
                if (LOADTYP == 0) F = C0936 * Ac - C0418 * As;
                return dz * F * ((g * b + C283 * ca) * zi + 2.0 * ca * b);
            };
            double cum = 0.0;
            z = stepped_depth(S, dz, 40, step, cum);
            if (std::isnan(z)) z = xr + (S - cum) / (11.0 * cu * b * F);
            break;
        }
        case 3:
        case 10: {
            // 4. Stiff clay without free water.
            const double xr = (9.0 * cu - 3.0 * ca) * b / (0.5 * cu + g * b);
            z = clay_depth(S, 0.25 * cu + 0.5 * g * b, 3.0 * cu * b, xr, 9.0 * cu * b, 1.0);
            break;
        }
        case 4:
        case 7:
        case 8: {
            // 6-7. Sand, API sand and silt: the wedge resistance summed to zr.
            double C1 = 0, C2 = 0, C3 = 0;
            api_coefficients(soil.phi, soil.alpha, soil.beta, soil.K0, soil.Ka, soil.Kp, C1, C2, C3);
            const double zr = (C3 - C2) * b / C1;
            const double dz = zr / 50.0;
            const int code = ISOIL(layer);
            const double* atab = LOADTYP == 1 ? SAND_A_STATIC : SAND_A_CYCLIC;
            auto coefA = [&](double zi) {
                if (code == 8) return LOADTYP == 1 ? std::max(C09, 3.0 - C08 * zi / b) : C09;
                return ZBTAB(pile, prop, GRDDEP(pile) + zi, std::span<const double, 10>(atab, 10),
                             std::span<const double, 10>(soil.zb ? soil.zb : SAND_ZB, 10));
            };
            auto step = [&](double zi) {
                const double r = zi / b;
                double v = coefA(zi) * g * b * b * (C1 * r * r + C2 * r);
                if (code == 7) v += g * b * zi + cu * (3.0 * b + 0.5 * zi);
                return dz * v;
            };
            double cum = 0.0;
            z = stepped_depth(S, dz, 50, step, cum);
            if (std::isnan(z)) {
                double slope = C088 * soil.z0 * C3 * g * b;
                if (code == 7) slope += 9.0 * cu * b;
                z = zr + (S - cum) / slope;
            }
            break;
        }
        default: {
            // 3. Soft clay (codes 1, 13 and every code without a rule of its
            // own). Code 13 takes its J throughout: the resistance 3 cu b +
            // gamma b z + J cu z integrates to 3 cu b z + (J cu + gamma b) z^2 / 2,
            // which is the code-1 function for J = 0.5.
            const double J = ISOIL(layer) == 13 ? soil.J : 0.5;
            const double xr = 6.0 * cu * b / (J * cu + g * b);
            const double factor = LOADTYP == 0 ? C072 : 1.0;
            z = clay_depth(S, 0.5 * J * cu + 0.5 * g * b, 3.0 * cu * b, xr, 9.0 * cu * b, factor);
            break;
        }
    }
    // A depth that is not finite (no strength, no resistance to build) is
    // never stored: the layer keeps "not computed" and is tried again.
    if (std::isfinite(z)) EQDEP(pile, layer) = z;
}

}  // namespace zolan
