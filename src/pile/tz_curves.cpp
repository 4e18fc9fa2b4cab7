// t-z curve generators: ten points (z, t) of unit side resistance against
// axial shaft movement for one soil sample, by pile type and soil class.
#include "pile/tz_curves.h"

#include "model/run_state.h"
#include "model/single_precision.h"

namespace zolan {
namespace {

constexpr int NTZ = 10;  // points written per curve

// Normalised shapes: z / D and t / fmax at points 1 to 10.
constexpr float R12[NTZ] = {0.0f, 0.001f, 0.002f, 0.003f, 0.005f, 0.006f, 0.008f, 0.012f, 0.016f, 0.1f};
constexpr float F1[NTZ] = {0.0f, 0.335f, 0.58f, 0.72f, 0.86f, 0.91f, 0.95f, 0.965f, 0.96f, 0.95f};
constexpr float F2[NTZ] = {0.0f, 0.51f, 0.72f, 0.90f, 0.925f, 0.945f, 0.955f, 0.925f, 0.90f, 0.835f};
constexpr float R5[NTZ] = {0.0f, 0.0016f, 0.0031f, 0.0057f, 0.008f, 0.01f, 0.02f, 0.03f, 0.05f, 0.1f};
constexpr float F5[NTZ] = {0.0f, 0.3f, 0.5f, 0.75f, 0.9f, 1.0f, 0.8f, 0.8f, 0.8f, 0.8f};

// Absolute shape of a driven pile in clay: movements in inches, t / fmax.
constexpr float Z4[NTZ] = {0.0f, 0.01f, 0.02f, 0.04f, 0.06f, 0.08f, 0.12f, 0.16f, 0.5f, 10.0f};
constexpr float F4[NTZ] = {0.0f, 0.18f, 0.38f, 0.79f, 0.97f, 1.0f, 0.97f, 0.93f, 0.93f, 0.93f};

// Hyperbola of a driven pile in sand: movements in inches.
constexpr float Z3[NTZ] = {0.0f, 0.01f, 0.02f, 0.04f, 0.06f, 0.08f, 0.12f, 0.16f, 0.5f, 2.5f};

constexpr double IN_M = f32(0.0254f);       // metres per inch
constexpr double KPA_PSF = f32(20.88f);     // pounds per square foot per kPa
constexpr double KSLOPE = f32(1333.3f);     // psf/in of initial stiffness per degree
constexpr double FMAXMIN = f32(1.0e-15f);   // an fmax at or below this is replaced by
constexpr double FMAXDEF = f32(0.001f);     // this small value

// Z = r D, T = f fmax at points 1 to 10.
void normalised(int g, double D, TZTAB& T, TZTAB& Z, const TZVAL& fmax, const float (&r)[NTZ],
                const float (&f)[NTZ]) {
    for (int i = 1; i <= NTZ; ++i) {
        Z(i, g) = f32(r[i - 1]) * D;
        T(i, g) = f32(f[i - 1]) * fmax(g);
    }
}

// Initial stiffness K (psf per inch) of the sand hyperbola by the friction angle in degrees.
double sand_stiffness(double phi) {
    if (phi <= 28.0) return 6000.0;
    if (phi <= 31.0) return 6000.0 + KSLOPE * (phi - 28.0);
    if (phi <= 32.0) return 10000.0;
    if (phi <= 34.0) return 10000.0 + KSLOPE * (phi - 32.0);
    if (phi <= 35.0) return 14000.0;
    if (phi <= 38.0) return 14000.0 + KSLOPE * (phi - 35.0);
    return 18000.0;
}

}  // namespace

void TZCRV1(int g, double D, TZTAB& T, TZTAB& Z, const TZVAL& fmax) { normalised(g, D, T, Z, fmax, R12, F1); }

void TZCRV2(int g, double D, TZTAB& T, TZTAB& Z, const TZVAL& fmax) { normalised(g, D, T, Z, fmax, R12, F2); }

void TZCRV5(int g, double D, TZTAB& T, TZTAB& Z, const TZVAL& fmax) { normalised(g, D, T, Z, fmax, R5, F5); }

// Driven pile in clay and rock: t = f fmax at fixed movements (inches, or
// their metric equivalents in every system other than English).
void TZCRV4(int g, TZTAB& T, TZTAB& Z, const TZVAL& fmax) {
    for (int i = 1; i <= NTZ; ++i) {
        const double z = f32(Z4[i - 1]);
        Z(i, g) = NUNITS == 1 ? z : z * IN_M;
        T(i, g) = f32(F4[i - 1]) * fmax(g);
    }
}

// Driven pile in sand: hyperbola t = z / (z / fmax + 1 / K), initial slope K
// (psf per inch, from the friction angle), tending to fmax.
void TZCRV3(int g, TZTAB& T, TZTAB& Z, TZVAL& fmax, const TZVAL& phi) {
    // 1. A missing maximum becomes a small positive one, kept in the table.
    if (fmax(g) <= FMAXMIN) fmax(g) = FMAXDEF;
    // 2. Initial stiffness.
    const double K = sand_stiffness(phi(g));
    // 6. The origin.
    T(1, g) = 0.0;
    Z(1, g) = 0.0;
    for (int i = 2; i <= NTZ; ++i) {
        const double z = f32(Z3[i - 1]);
        if (NUNITS == 1) {
            // 4. English: K / 144 psi per inch.
            T(i, g) = z / (z / fmax(g) + 144.0 / K);
            Z(i, g) = z;
        } else {
            // 5. Other systems: the hyperbola in psf, back to kPa; movements in metres.
            const double fp = KPA_PSF * fmax(g);
            T(i, g) = (z / (z / fp + 1.0 / K)) / KPA_PSF;
            Z(i, g) = IN_M * z;
        }
    }
}

}  // namespace zolan
