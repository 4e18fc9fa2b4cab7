// Passive pressure block of an embedded cap and its difference matrix.
#include "group/cap_passive.h"

#include <cmath>

#include "group/pile_row_loops.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/run_state.h"
#include "model/single_precision.h"
#include "model/soil_tables.h"

namespace zolan {

namespace {

constexpr double GRDTOL = -f32(1.0e-6f);  // ground line above X = 0 by more than this
constexpr double TOLSUM = f32(1.0e-14f);  // lateral displacement that counts as none
constexpr double DSTEP = f32(1.0e-7f);
constexpr double DSTEP_SI = f32(1.0e-7f) * f32(0.0254f);
constexpr double RSTEP = f32(1.0e-7f) * f32(1.0e-4f);

}  // namespace

PassiveBlock passive_block(double grdavg, double capthk, double pasavg, double xn) {
    PassiveBlock b;
    if (!(grdavg < GRDTOL)) return b;
    // A triangle below a ground line within the cap, else a trapezoid over the
    // whole thickness with the pressure f at the cap top.
    const double h = -grdavg, t = capthk, P = pasavg;
    const double e = h > t ? t : h;
    const double f = h > t ? P * (h - t) / h : 0.0;
    b.FB = (P + f) / 2.0 * e;
    b.MB = e * (f * (e / 2.0 - xn) + (P - f) / 2.0 * (e / 3.0 - xn));
    return b;
}

CAPVEC passive_force(const PassiveBlock& b, const CAPVEC& U) {
    CAPVEC Fp;
    const double uy = U(2), uz = U(3);
    const double s = std::fabs(uy) + std::fabs(uz);
    if (!(s > TOLSUM)) return Fp;
    const double r = std::fabs(uy) / s;
    const double sy = uy >= 0.0 ? -1.0 : 1.0, sz = uz >= 0.0 ? -1.0 : 1.0;
    Fp(2) = b.FB * r * sy;
    Fp(3) = b.FB * (1.0 - r) * sz;
    Fp(5) = b.MB * (1.0 - r) * sz;
    Fp(6) = -b.MB * r * sy;
    return Fp;
}

CAPVEC CAPPAS(const CAPVEC& U, int& ISTAT) {
    // 1. The rows' ground lines and cap resistances for U.
    FVEC(pile_controls(0, 1, 0), U, ISTAT);
    // 2. Their means, every row once.
    double g = 0.0, p = 0.0;
    for (int r = 1; r <= NPILES; ++r) g += GRDDEP(r), p += PASPV(r);
    GRDAVG = NPILES > 0 ? g / NPILES : 0.0;
    PASAVG = NPILES > 0 ? p / NPILES : 0.0;
    // 3-6. The block against the lateral displacement.
    const PassiveBlock b = NPILES > 0 ? passive_block(GRDAVG, CAPTHK, PASAVG, CORX(NPILES)) : PassiveBlock{};
    CAPHD = std::sqrt(U(2) * U(2) + U(3) * U(3));
    return passive_force(b, U);
}

CAPMAT CAPPASK(const CAPVEC& U, int& ISTAT) {
    CAPVEC step;
    for (int j = 1; j <= 3; ++j) step(j) = NUNITS == 2 ? DSTEP_SI : DSTEP;
    for (int j = 4; j <= 6; ++j) step(j) = RSTEP;
    return central_differences(U, step, [&ISTAT](const CAPVEC& u) { return CAPPAS(u, ISTAT); });
}

CAPMAT central_differences(const CAPVEC& U, const CAPVEC& step, const std::function<CAPVEC(const CAPVEC&)>& f) {
    CAPVEC plus[6], minus[6];
    CAPVEC u = U;
    for (int j = 1; j <= 6; ++j) {
        u(j) = U(j) + step(j);
        plus[j - 1] = f(u);
        u(j) = U(j);
    }
    for (int j = 1; j <= 6; ++j) {
        u(j) = U(j) - step(j);
        minus[j - 1] = f(u);
        u(j) = U(j);
    }
    CAPMAT K;
    for (int j = 1; j <= 6; ++j)
        for (int i = 1; i <= 6; ++i) K(i, j) = (plus[j - 1](i) - minus[j - 1](i)) / step(j) * 0.5;
    return K;
}

}  // namespace zolan
