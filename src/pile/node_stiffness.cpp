// Node bending stiffness from moment-curvature: at each real node the
// curvature phi = |y(i+1) - 2 y(i) + y(i-1)| / h^2, the secant M(phi) / phi of
// each bracketing axial-load level, and the linear blend of the two in P.
#include "pile/node_stiffness.h"
#include "model/single_precision.h"

#include <algorithm>
#include <cmath>

#include "model/section_lookup.h"
#include "model/mphi_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"

namespace zolan {
namespace {

constexpr double PHIMIN = f32(1.0e-15f);  // smaller curvatures count as zero

// Secant rigidity of level l of table m at curvature phi (step 4); `keep` is
// the rigidity the node holds at this step, returned when the level cannot
// give one.
double level_secant(int m, int l, double phi, double keep) {
    const int n = std::min(MPNPT(m, l), MAXMPP);
    if (n < 2) return keep;  // no curve: the stiffness stays as it was

    // Zero curvature (or below the first point): the initial secant, from the
    // first point after point 1 whose curvature is not zero.
    if (phi <= 0.0 || phi <= MPCUR(m, l, 1)) {
        for (int k = 2; k <= n; ++k)
            if (MPCUR(m, l, k) != 0.0) return MPMOM(m, l, k) / MPCUR(m, l, k);
        return keep;
    }

    // Linear moment between the points around phi. k is the first point with
    // a curvature at or beyond phi, so phi_(k-1) < phi <= phi_k and the
    // segment has positive length.
    for (int k = 2; k <= n; ++k) {
        const double ck = MPCUR(m, l, k);
        if (ck >= phi) {
            const double c0 = MPCUR(m, l, k - 1), m0 = MPMOM(m, l, k - 1);
            return (m0 + (phi - c0) * (MPMOM(m, l, k) - m0) / (ck - c0)) / phi;
        }
    }

    // Beyond the last point the moment stays at its last value.
    return MPMOM(m, l, n) / phi;
}

// Rigidity of table m at axial force P and curvature phi (steps 3 to 5).
double table_secant(int m, double P, double phi, double keep) {
    const int L = std::min(MPNLEV(m), MAXMPL);
    if (L < 1) return keep;

    // 3. One pass over the levels, in any order: the first level of the
    // smallest load; the last of the largest load at or below P; the first of
    // the smallest load above P.
    int lmin = 1, lo = 0, hi = 0;
    for (int l = 1; l <= L; ++l) {
        const double a = MPAXL(m, l);
        if (a < MPAXL(m, lmin)) lmin = l;
        if (a <= P) {
            if (lo == 0 || a >= MPAXL(m, lo)) lo = l;
        } else if (hi == 0 || a < MPAXL(m, hi)) {
            hi = l;
        }
    }
    // At or below the smallest load: that level alone (also for a P that
    // compares with nothing).
    if (lo == 0 || P <= MPAXL(m, lmin)) return level_secant(m, lmin, phi, keep);

    // 4. The level at or below P; alone when none lies above P or P sits on
    // its load.
    const double elo = level_secant(m, lo, phi, keep);
    if (hi == 0 || !(P > MPAXL(m, lo))) return elo;

    // 5. Blend with the level above; a level without a curve gives E(lo).
    const double ehi = level_secant(m, hi, phi, elo);
    const double alo = MPAXL(m, lo), ahi = MPAXL(m, hi);  // alo < P < ahi
    return ehi - (ahi - P) * (ehi - elo) / (ahi - alo);
}

template <int (*TABLE)(int, int, double)>
void node_stiffness(int pile, double P, SLOTVEC& EI, const SLOTVEC& y) {
    if (pile < 1 || pile > MAXPIL) return;
    const int p = IPROP(pile);
    if (p < 1 || p > MAXPSA) return;
    const int N = NINCR(p);
    if (N < 1 || N > MAXINC) return;
    const double h = HINCR(p);
    if (!(h > 0.0)) return;  // no mesh laid out: nothing to measure a curvature with

    for (int j = 1; j <= N + 1; ++j) {
        const int i = solver_index(j);
        // 1. Curvature from the central second difference.
        double phi = std::fabs(y.slot(i + 1) - 2.0 * y.slot(i) + y.slot(i - 1)) / (h * h);
        if (phi < PHIMIN) phi = 0.0;

        // 2. The node's table; an elastic section keeps its EI.
        const int m = TABLE(pile, p, NDAXIS(pile, j));
        if (m < 1 || m > MAXMPS) continue;

        EI.slot(i) = table_secant(m, P, phi, EI.slot(i));
    }
}

}  // namespace

void EIMPHI(int pile, double P, SLOTVEC& EI, const SLOTVEC& y) { node_stiffness<SECMC1>(pile, P, EI, y); }

bool bends_by_mphi(int pile) {
    if (pile < 1 || pile > MAXPIL) return false;
    const int p = IPROP(pile);
    if (p < 1 || p > MAXPSA) return false;
    const int n = std::min(NSECP(p), MAXSEC);
    for (int s = 1; s <= n; ++s)
        for (const int m : {MPSEC1(p, s), MPSEC2(p, s)})
            if (m >= 1 && m <= MAXMPS) return true;
    return false;
}

void EIMPHI2(int pile, double P, SLOTVEC& EI, const SLOTVEC& y) { node_stiffness<SECMC2>(pile, P, EI, y); }

}  // namespace zolan
