// User p-y curve sets on a pile: secant springs node by node.
#include "pile/user_py_sets.h"
#include "model/single_precision.h"

#include <algorithm>
#include <cmath>

#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "report/run_files.h"

namespace zolan {
namespace {

constexpr double CAPFAC = f32(0.99f);  // the cap pass reads the curves just above the pile head

const fmt::Format F_SHORT(R"((/,/,"  -  P-Y CURVES DO NOT EXTEND THE LENGTH OF THE PILE"))");

// Reduction factors along depth of row r at z below the head: pf = yf = 1
// outside the set's depths or without a set.
void depth_factors(int r, double z, double& pf, double& yf) {
    pf = yf = 1.0;
    if (KJ1 != 1) return;
    const int q = IRFSET(r);
    if (q < 1 || q > MAXRFS) return;
    const int n = std::min(RFLNPT(q), MAXRFP);
    if (n < 1 || z < RFLDEP(q, 1) || z > RFLDEP(q, n)) return;
    if (z == RFLDEP(q, 1)) {
        pf = RFLPF(q, 1);
        yf = RFLYF(q, 1);
        return;
    }
    if (z == RFLDEP(q, n)) {
        pf = RFLPF(q, n);
        yf = RFLYF(q, n);
        return;
    }
    int l = 2;
    while (l < n && RFLDEP(q, l) < z) ++l;
    const double d0 = RFLDEP(q, l - 1), d1 = RFLDEP(q, l);
    const double t = (z - d0) / (d1 - d0);  // d1 > z > d0 here: never a zero-length segment
    pf = RFLPF(q, l - 1) + t * (RFLPF(q, l) - RFLPF(q, l - 1));
    yf = RFLYF(q, l - 1) + t * (RFLYF(q, l) - RFLYF(q, l - 1));
}

// Reaction of curve j of set s at deflection w: linear on the first segment
// whose end reaches w, the last point's value beyond the curve.
double curve_reaction(int s, int j, double w) {
    const int n = std::min(UPYNPT(s, j), MAXUPP);
    if (n < 1) return 0.0;
    for (int k = 2; k <= n; ++k) {
        const double yk = UPYY(s, j, k);
        if (yk < w) continue;
        const double pk = UPYP(s, j, k), y0 = UPYY(s, j, k - 1), p0 = UPYP(s, j, k - 1);
        if (yk == w) return pk;
        if (yk == y0) return p0;  // a zero-length first segment above w
        // Measured from the segment's start, so that a tiny deflection on a
        // curve through the origin keeps the initial slope (the same line as
        // pk - (pk - p0) (yk - w) / (yk - y0), without its cancellation).
        return p0 + (pk - p0) * (w - y0) / (yk - y0);
    }
    return UPYP(s, j, n);
}

// Curves bracketing depth xc in set s with nc curves, the index G carried
// and only moving forward. False when xc lies below the deepest curve.
// one: curve G alone (at its depth, or no upper curve to pair with).
bool bracket(int s, int nc, double xc, int& G, bool& one) {
    while (G <= nc && UPYDEP(s, G) < xc) ++G;
    if (G > nc) return false;
    one = G == 1 || UPYDEP(s, G) == xc || UPYDEP(s, G) == UPYDEP(s, G - 1);
    return true;
}

// Linear in depth between curves G - 1 and G at xc (values a at G - 1, b at G).
double depth_interp(int s, int G, double xc, double a, double b) {
    const double dG = UPYDEP(s, G), d0 = UPYDEP(s, G - 1);
    return b - (b - a) * (dG - xc) / (dG - d0);
}

}  // namespace

void UPYMOD(const PyControls& ctl, int r, const SLOTVEC& y, SLOTVEC& es, const SLOTVEC& m1, const SLOTVEC& m2,
            SLOTVEC& esm, SLOTVEC& pr, RowReport& rep) {
    if (r < 1 || r > MAXPIL) return;
    const int p = IPROP(r);
    if (p < 1 || p > MAXPSA) return;
    const int N = std::clamp(NINCR(p), 0, MAXNOD - 7);
    const double h = HINCR(p);
    const int s = std::abs(IPYSET(r));
    const int nc = (s >= 1 && s <= MAXUPS) ? std::clamp(UPYNCV(s), 0, MAXUPC) : 0;
    const int first = solver_index(1), last = solver_index(N + 1);
    const auto depth = [&](int i) { return XTOP(r) + (i - first) * h; };

    // Below the deepest curve (or no curve at all): zero springs from node i
    // down, one warning for the row.
    const auto fail = [&](int i) {
        for (int k = i; k <= last; ++k) es.slot(k) = esm.slot(k) = pr.slot(k) = 0.0;
        rep.add(RESFILE, fmt::format_to_string(F_SHORT, {}));
        rep.kerr = 1;
    };

    // 1. Ground line of the row.
    if (ctl.pymode == 0 || ctl.pymode == 1) GRDDEP(r) = XTOP(r) + GROUND(r);
    if (nc < 1) {
        fail(first);
        return;
    }

    // 2. Cap pass (KCAPOP = 1): the set's reaction at 0.99 XTOP and the cap
    // displacement, without multipliers or sign, for the cap's passive
    // resistance. Its moduli would be overwritten by the pile pass, so none
    // are formed. With another cap option the pass would only move the curve
    // index, which the pile pass below searches again from the start.
    if (KCAPOP == 1) {
        int G = std::min(2, nc);
        for (int i = first; i <= std::min(first + 1, last); ++i) {
            if (depth(i) < 0.0) continue;
            const double xc = CAPFAC * XTOP(r);
            bool one = true;
            if (!bracket(s, nc, xc, G, one)) {
                fail(first);
                return;
            }
            const double pG = curve_reaction(s, G, CAPHD);
            PASPV(r) = one ? pG : depth_interp(s, G, xc, curve_reaction(s, G - 1, CAPHD), pG);
        }
    }

    // 3. Pile pass over every node.
    int G = std::min(2, nc);
    for (int i = first; i <= last; ++i) {
        const double z = (i - first) * h, x = XTOP(r) + z;
        double pf, yf;
        depth_factors(r, z, pf, yf);
        if (x < 0.0) {  // above the depth origin: no spring (esm and pr left as they are)
            es.slot(i) = 0.0;
            continue;
        }
        bool one = true;
        if (!bracket(s, nc, x, G, one)) {
            fail(i);
            return;
        }
        // Deflection relative to the soil movement.
        double M = 0.0, w;
        if (NSMOV > 0) {
            M = std::sqrt(m1.slot(i) * m1.slot(i) + m2.slot(i) * m2.slot(i));
            w = std::abs(y.slot(i) - M);
        } else {
            w = std::abs(y.slot(i));
        }
        if (w < TOLZ) w = TOLZ;
        // Secant of each curve used, then linear in depth.
        const double scale = PFGRP(r) / (w * YFGRP(r)) * (pf / yf);
        const double pG = curve_reaction(s, G, w);
        const double EsG = pG * scale;
        es.slot(i) = one ? EsG : depth_interp(s, G, x, curve_reaction(s, G - 1, w) * scale, EsG);
        if (ctl.pymode == 0 && NSMOV > 0) esm.slot(i) = es.slot(i) * M;
        // Reaction on the lower bracketing curve alone, against the deflection.
        pr.slot(i) = PFGRP(r) * pG * pf;
        if (y.slot(i) > M) pr.slot(i) = -pr.slot(i);
    }
}

}  // namespace zolan
