// Soil samples along a pile with their maximum unit side resistance (input or
// estimated by the alpha and beta methods) and t-z curves, the shaft's axial
// rigidity profile, and the two reading rules of the axial integration.
#include "pile/axial_samples.h"

#include <algorithm>
#include <cmath>

#include "soil/soil_lookup.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/single_precision.h"
#include "model/soil_tables.h"

namespace zolan {
namespace {

// Constants of the method, single-precision values carried in double.
constexpr double DZSI = f32(0.00254f), DZENG = f32(0.1f);  // offset of the samples from layer boundaries
constexpr double TINY = f32(1.0e-10f);         // an fmax below this is estimated
constexpr double FMAXTOP = f32(1.0e-6f);       // fmax of the samples at the depth origin and the ground line
constexpr double DEG180 = 180.0, PIRAD = f32(3.1416f);  // degrees = radians x 180 / 3.1416
constexpr double CLAYENG = f32(3.47f), CLAYSI = 24.0;  // cohesion below which a small alpha is raised to 1
constexpr double C08 = f32(0.8f), DPHI = f32(0.087f);  // driven pile in sand: 0.8 gamma z tan(phi - 0.087)
constexpr double C055 = f32(0.55f), C01 = f32(0.1f);
constexpr double FT_M = f32(0.3048f);
constexpr double DMIN = f32(1.0e-7f);          // smallest depth in feet of the beta rule
constexpr double BMAX = f32(1.2f), BMIN = 0.25, B0 = 1.5, B1 = f32(0.135f);

// Estimated maximum unit side resistance of sample g (steps 4 of the sampling);
// returns false when a tested lookup has set the status.
bool estimate_fmax(int ptype, double xg, double zg, int code, double& d, int& ISTAT, double& fmax) {
    if (ptype == 1) {
        // Driven pile: alpha method in clay, 0.8 gamma z tan(delta) in sand.
        const double gamma = GAMAVG(xg, ISTAT);
        if (ISTAT != 0) return false;
        const double phir = PHICRV(xg, ISTAT);
        if (ISTAT != 0) return false;
        const double z = zg < TINY ? 1.0 : zg;
        double c = CCRV(xg, ISTAT);
        if (ISTAT != 0) return false;
        double psi = c / z / gamma;
        if (!(psi >= TINY)) psi = TINY;  // also a zero unit weight with no cohesion
        // The adhesion factor never exceeds 1: the shaft never takes more than the cohesion.
        double alpha = std::min(1.0, psi > 1.0 ? 0.5 / std::pow(psi, 0.25) : 0.5 / std::sqrt(psi));
        c = CCRV(xg, ISTAT);
        if (ISTAT != 0) return false;
        if (alpha < 0.5 && ((NUNITS == 1 && c < CLAYENG) || (NUNITS == 2 && c < CLAYSI))) alpha = 1.0;
        const double sand = gamma * C08 * z * std::tan(phir - DPHI);
        switch (code) {
            case 1: case 2: case 3: case 10: case 11: case 13: fmax = alpha * c; break;
            case 6: case 9: fmax = C01 * c; break;
            case 4: case 8: fmax = sand; break;
            case 7: fmax = sand + alpha * c; break;
            default: break;  // 5, 12: the value read stays
        }
        return true;
    }
    if (ptype == 2) {
        // Drilled shaft: 0.55 c in clay, beta gamma z in sand. The cohesion
        // read is not tested here; a status it sets ends the call at the next test.
        if (code == 5 || code == 12) return true;
        const double c = CCRV(xg, ISTAT);
        double beta = 0.0, gamma = 0.0;
        if (code == 4 || code == 7 || code == 8) {
            gamma = GAMAVG(xg, ISTAT);
            if (ISTAT != 0) return false;
            PHICRV(xg, ISTAT);
            if (ISTAT != 0) return false;
            // Depth in feet from the depth origin (kept from the previous sample in an open system).
            if (NUNITS == 1) d = xg / 12.0;
            else if (NUNITS == 2) d = xg / FT_M;
            d = std::max(d, DMIN);
            beta = std::clamp(B0 - B1 * std::sqrt(d), BMIN, BMAX);
        }
        // Overburden of a sample above the ground line at the pile: none (no negative friction).
        const double zo = std::max(zg, 0.0);
        switch (code) {
            case 1: case 2: case 3: case 10: case 11: case 13: fmax = C055 * c; break;
            case 6: case 9: fmax = C01 * c; break;
            case 4: case 8: fmax = gamma * zo * beta; break;
            case 7: fmax = C055 * c + gamma * zo * beta; break;
            default: break;
        }
    }
    return true;
}

// t-z curve of sample g by pile type and soil code.
void generate(int ptype, int code, int g, AXSAMP& s) {
    const bool sandlike = code == 4 || code == 7 || code == 8;
    if (ptype == 1) {
        if (sandlike)
            TZCRV3(g, s.T, s.Z, s.fmax, s.phi);
        else if (code == 5 || code == 12)
            TZCRV5(g, s.D, s.T, s.Z, s.fmax);
        else
            TZCRV4(g, s.T, s.Z, s.fmax);
        return;
    }
    // Drilled shaft; a user p-y layer is cohesionless above 1 degree of friction
    // (exactly 1 degree counts as cohesive).
    if (sandlike || (code == 5 && s.phi(g) > 1.0))
        TZCRV1(g, s.D, s.T, s.Z, s.fmax);
    else
        TZCRV2(g, s.D, s.T, s.Z, s.fmax);
}

// One curve of the sample table read at movement w: linear between points,
// the last value beyond the last point.
double read_curve(const AXSAMP& s, int g, double w) {
    const int n = s.npts(g);
    for (int i = 1; i <= n; ++i) {
        const double zi = s.Z(i, g);
        if (zi > w) {
            if (i == 1) return s.T(1, g);
            const double z0 = s.Z(i - 1, g);
            return s.T(i - 1, g) + (s.T(i, g) - s.T(i - 1, g)) * (w - z0) / (zi - z0);
        }
        if (zi == w) return s.T(i, g);
    }
    return n >= 1 ? s.T(n, g) : 0.0;
}

}  // namespace

void AXTZC(int r, int p, int& ISTAT, AXSAMP& s) {
    // 1. Sample depths: the depth origin, the ground line at the pile, then
    //    three per layer (just inside its top, its middle, just inside its bottom).
    const double dz = NUNITS == 2 ? DZSI : DZENG;
    const int nlay = std::min(NLAYPY, (MAXTZS - 2) / 3);
    s.NS = 3 * nlay + 2;
    Table1<int, MAXTZS> code;
    const int code1 = nlay >= 1 ? ISOIL(1) : 0;
    s.X(1) = 0.0;
    s.X(2) = XTOP(r) + GROUND(r);
    code(1) = code(2) = code1;
    for (int L = 1; L <= nlay; ++L) {
        const double a = (L == 1 ? s.X(2) : LAYTOP(L)) + dz;
        s.X(3 * L) = a;
        s.X(3 * L + 1) = (a + LAYBOT(L)) / 2.0;
        s.X(3 * L + 2) = LAYBOT(L) - dz;
        code(3 * L) = code(3 * L + 1) = code(3 * L + 2) = ISOIL(L);
    }

    // 2. Shaft profile: per section the distances of its top and bottom from
    //    the head and the rigidity AE there; the diameter of section 1.
    const int nsec = NSECP(p);
    s.NB = 2 * nsec;
    for (int k = 1; k <= nsec; ++k) {
        s.BP(2 * k - 1) = k == 1 ? 0.0 : SECTAB(p, k - 1, SEC_DBOT);
        s.BP(2 * k) = SECTAB(p, k, SEC_DBOT);
        s.AEP(2 * k - 1) = SECTAB(p, k, SEC_TOP + SP_ARE) * EMODS(p, k, 1);
        s.AEP(2 * k) = SECTAB(p, k, SEC_BOT + SP_ARE) * EMODS(p, k, 2);
    }
    s.D = SECTAB(p, 1, SEC_TOP + SP_DIA);

    // 3. Maximum side resistance, friction angle and t-z curve of each sample.
    const int ptype = PTYPED(p);
    double d = 0.0;  // depth in feet of the beta rule
    for (int g = 1; g <= s.NS; ++g) {
        const double xg = s.X(g);
        const double zg = xg - GROUND(r) - XTOP(r);
        double f = FMAXCRV(xg, ISTAT);
        if (ISTAT != 0) return;
        if (f < TINY && !estimate_fmax(ptype, xg, zg, code(g), d, ISTAT, f)) return;
        if (g <= 2) f = FMAXTOP;
        s.fmax(g) = f;
        s.phi(g) = BPHICRV(xg, ISTAT) * DEG180 / PIRAD;
        if (ISTAT != 0) return;
        s.npts(g) = 10;
        generate(ptype, code(g), g, s);
    }
}

double AXSIDE(const AXSAMP& s, double x, double w) {
    // 1. The first sample at or below x, or the last one.
    int a = 1;
    while (a < s.NS && s.X(a) < x) ++a;
    if (s.X(a) > x) {
        // 2. Above the depth origin: no side resistance.
        if (a == 1) return 0.0;
        // 3. Between samples a - 1 and a.
        const double tA = read_curve(s, a - 1, w), tB = read_curve(s, a, w);
        return tA + (tB - tA) * (x - s.X(a - 1)) / (s.X(a) - s.X(a - 1));
    }
    // 4. At a sample, or below the last one.
    return read_curve(s, a, w);
}

double AXAE(const AXSAMP& s, double y) {
    const int nb = s.NB;
    if (nb < 2) return 0.0;
    y = std::clamp(y, s.BP(1), std::max(s.BP(1), s.BP(nb)));
    // 1. Section 1, then 2. the first later breakpoint at or below y.
    int k = 2;
    if (y > s.BP(2) && nb > 2) {
        k = 3;
        while (k < nb && s.BP(k) < y) ++k;
    }
    const double b0 = s.BP(k - 1), b1 = s.BP(k);
    if (!(b1 > b0)) return s.AEP(k);  // a section of no length: its later value
    return s.AEP(k - 1) + (s.AEP(k) - s.AEP(k - 1)) * (y - b0) / (b1 - b0);
}

}  // namespace zolan
