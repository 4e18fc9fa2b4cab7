// Pile-top and along-pile result stores, the pile-to-global turn, the
// initial slopes of the head curves and the re-read node springs.
#include "pile/result_records.h"

#include <algorithm>
#include <cmath>

#include "model/curve_tables.h"
#include "model/section_tables.h"

namespace zolan {

namespace {

bool stored_row(int pile) { return pile >= 1 && pile <= RESCUR.rows() && pile <= ENVMIN.rows() && pile <= ENVMAX.rows(); }

// Slope (L_j - L_(j-1)) / (D_j - D_(j-1)) of curve c of a table pair, j the
// first point from 2 on with D_j >= 0, or the last point.
template <class Count, class Table>
double initial_slope(const Count& npt, const Table& D, const Table& L, int c) {
    const int n = std::min(npt(c), MAXUCP);
    if (n < 2) return 0.0;
    int j = 2;
    while (j < n && D(c, j) < 0.0) ++j;
    return (L(c, j) - L(c, j - 1)) / (D(c, j) - D(c, j - 1));
}

// Initial slope of curve `code` of a user table (code > 0, up to nuser
// curves) or of a generated table (code < 0, up to ngen curves); 0 for no
// curve or a number beyond its table.
template <class UCount, class UTable, class GCount, class GTable>
double curve_slope(int code, int nuser, const UCount& un, const UTable& ud, const UTable& ul, int ngen,
                   const GCount& gn, const GTable& gd, const GTable& gl) {
    if (code > 0 && code <= nuser) return initial_slope(un, ud, ul, code);
    if (code < 0 && -code <= ngen) return initial_slope(gn, gd, gl, -code);
    return 0.0;
}

}  // namespace

void PTENV3D(int pile, int nanal, double stress, const CAPVEC& gd, const CAPVEC& ld, const CAPVEC& gf,
             const CAPVEC& lf) {
    if (!stored_row(pile)) return;
    // 1. The record: global displacements, global reactions, stress, local
    // displacements, local reactions; the 26th value the stress again.
    PTOPREC rec;
    for (int i = 1; i <= 6; ++i) {
        rec(i) = gd(i);
        rec(6 + i) = gf(i);
        rec(13 + i) = ld(i);
        rec(19 + i) = lf(i);
    }
    rec(13) = stress;
    // 2. Envelopes, then the current set.
    for (int s = 1; s <= PTSTR2; ++s) {
        const double v = s <= NPTQ ? rec(s) : stress;
        envelope_rule(nanal, v, ENVMIN.top(pile, s), ENVMAX.top(pile, s));
        RESCUR.top(pile, s) = v;
    }
}

void PTENV2D(int pile, int nanal, const std::array<double, 13>& v) {
    if (!stored_row(pile)) return;
    constexpr int slots[13] = {1, 2, 3, 14, 15, 16, 4, 5, 6, 17, 18, 19, 7};
    for (int k = 0; k <= 13; ++k) {
        const int s = k < 13 ? slots[k] : 20;
        const double x = v[static_cast<std::size_t>(k < 13 ? k : 12)];
        envelope_rule(nanal, x, ENVMIN.top(pile, s), ENVMAX.top(pile, s));
        RESCUR.top(pile, s) = x;
    }
}

EFFREC PKREC3D(const std::array<const NODVEC*, MAXNQ>& columns) {
    EFFREC rec;
    for (int q = 1; q <= MAXNQ; ++q) {
        const NODVEC* col = columns[q - 1];
        for (int n = 1; n <= MAXNOD; ++n) rec(n, q) = col ? (*col)(n) : 0.0;
    }
    return rec;
}

void NODENV(int pile, int last, int nanal, const EFFREC& rec) {
    if (!stored_row(pile)) return;
    const int tip = std::min(last, MAXNOD);
    for (int q = 1; q <= MAXNQ; ++q) {
        for (int n = 4; n <= tip; ++n) {
            envelope_rule(nanal, rec(n, q), ENVMIN.eff(pile, n, q), ENVMAX.eff(pile, n, q));
            RESCUR.eff(pile, n, q) = rec(n, q);
        }
    }
}

GlobalXYZ ROTV3(int pile, double x, double y, double z) {
    const double sa = std::sin(ALPHA(pile)), ca = std::cos(ALPHA(pile));
    const double sb = std::sin(BETA(pile)), cb = std::cos(BETA(pile));
    const double st = std::sin(THETA(pile)), ct = std::cos(THETA(pile));
    const double a = y * ct - z * st;
    const double b = y * st + z * ct;
    const double c = x * cb + a * sb;
    return {x * sb - a * cb, c * ca - b * sa, c * sa + b * ca};
}

double CRVSL1(int pile) {
    return curve_slope(ILSCRV(pile), MAXUCV, LSUNPT, LSUDSP, LSULOD, MAXPIL, LSGNPT, LSGDSP, LSGLOD);
}

double CRVSL2(int pile) {
    return curve_slope(ITRCRV(pile), MAXUCV, TRUNPT, TRUROT, TRUTOR, MAXTRG, TRGNPT, TRGROT, TRGTOR);
}

NODVEC LLPGET(int pile) {
    NODVEC v;
    const int t = IPROP(pile);
    if (t < 1 || t > MAXPSA) return v;
    const int n = std::clamp(NINCR(t), 0, MAXINC);
    for (int k = 1; k <= n + 1; ++k) v(k) = EQKNODR(pile, k);
    return v;
}

}  // namespace zolan
