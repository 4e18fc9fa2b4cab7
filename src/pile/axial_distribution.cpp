// Axial force along a pile for a given head movement: the tip movement whose
// climb from the tip brings the head to that movement, found by Newton steps
// on the climbs' own head movement. The load-settlement table gives only the
// first guess: its points were climbed at the coarse mid-point tolerance and
// lie a little off the fine climbs, so the search keeps a bracket of tip
// movements whose evaluated head movements lie on both sides of the target,
// widening it towards the table's ends until it holds the solution. Every
// test is relative to the head movement, so that a movement of 1e-20 closes
// as well as one of a metre; near the origin the first guess comes from the
// pile's linear response (every t-z and q-w curve on its first segment).
#include "pile/axial_distribution.h"

#include <algorithm>
#include <cmath>

#include "model/curve_tables.h"
#include "model/section_tables.h"
#include "model/single_precision.h"
#include "pile/load_settlement.h"
#include "report/row_report.h"

namespace zolan {


namespace {

constexpr int MAXUPD = 25;               // Newton updates before giving up
constexpr int SLOWUPD = 10;              // after this many updates the looser test applies
constexpr double TOLR = f32(1.0e-4f);    // residual: absolute for a zero head movement, else relative
constexpr double TOLSLOW = f32(1.0e-3f); // relative residual accepted after SLOWUPD updates
constexpr double TOLFINE = 1.0e-10;      // residual aimed at: the head force of a distribution serves
                                         // the cap's Newton iteration, which differentiates it
constexpr double DWMAX = f32(1.0e-6f);   // perturbation of the tip movement
constexpr int KEAXD = 4;                 // error word of a distribution that did not close

// One evaluation of tip movement wt (signed): two climbs at |wt| + dw and
// |wt|; the node vectors keep the last one. H0 is the head movement of wt
// (signed as wt), slope dH/dwt by the forward difference (0 when wt is 0).
struct Eval {
    double wt = 0.0, H0 = 0.0, slope = 0.0;
};

Eval evaluate(int r, int p, double wt, SLOTVEC& WN, SLOTVEC& PN, const AXSAMP& s, const AXTIP& qw, int& flags) {
    const int N = std::clamp(NINCR(p), 1, MAXINC);
    const bool neg = wt <= 0.0;
    // 1. Magnitude and perturbation.
    const double a = std::abs(wt);
    const double dw = a < DWMAX ? a / 2.0 : DWMAX;
    // 2. Two trials, climbed finely: the head movement is solved for.
    AXNODES P, w;
    const double wa[2] = {a + dw, a};
    double H[2];
    for (int t = 0; t < 2; ++t) {
        AXCLIMB(r, p, s, QWREAD(qw, wa[t]), wa[t], P, w, flags, true);
        H[t] = w(N + 1);
    }
    Eval e;
    e.wt = wt;
    e.H0 = flip(H[1], neg);
    e.slope = dw > 0.0 ? (H[0] - H[1]) / dw : 0.0;
    // 3. Climb point j (1 the tip) is real node N + 2 - j: the head node 1.
    for (int j = 1; j <= N + 1; ++j) {
        WN.node(N + 2 - j) = flip(w(j), neg);
        PN.node(N + 2 - j) = flip(P(j), neg);
    }
    return e;
}

// One end of the search: a tip movement and, once evaluated, its head
// movement on its side of the target; f the end's residual H - E as the
// false position weighs it.
struct End {
    double T = 0.0, H = 0.0, f = 0.0;
    bool known = false;
};

// The search for the head movement E between the table's end tip movements
// tmin and tmax: lo and hi close in as evaluations fall below and above E.
struct Search {
    double E = 0.0, tmin = 0.0, tmax = 0.0;
    End lo, hi;
    int kept = 0;  // the end the last evaluation replaced: -1 lo, +1 hi

    // An evaluation replaces the end on its side; an end kept twice running
    // has its weight halved (the Illinois false position: an end stuck at a
    // kink of the head movement no longer slows the search).
    void take(const Eval& e) {
        const int side = e.H0 > E ? 1 : -1;
        End& mine = side > 0 ? hi : lo;
        End& other = side > 0 ? lo : hi;
        mine = {e.wt, e.H0, e.H0 - E, true};
        if (kept == side) other.f *= 0.5;
        kept = side;
    }
    bool proven() const { return lo.known && hi.known; }
    // E lies beyond the head movement of a table end already evaluated: the
    // pile is held at that end.
    bool beyond_end(const Eval& e) const {
        return (e.wt >= tmax && e.H0 <= E) || (e.wt <= tmin && e.H0 >= E);
    }
    // The bracket no longer narrows in double precision.
    bool closed() const { return proven() && !(hi.T - lo.T > 1.0e-14 * std::max(std::abs(lo.T), std::abs(hi.T))); }
};

// The next tip movement after evaluation e, whose update `halved` the
// residual (or was the first): the Newton step on the climbs' slope when it
// stays inside the search and the last one halved the residual; else, with a
// bracket proven on both sides, its false position (bisection where that
// would not move); else the bracket is widened: the first table tip
// movement past the last one towards E (its end at the last).
double next_tip(const Eval& e, const Search& s, bool halved, int p, int J) {
    const double res = s.E - e.H0;
    const double wn = e.wt + res / e.slope;
    const bool newton = e.slope > 0.0 && std::isfinite(wn);
    if (s.proven()) {
        if (newton && halved && s.lo.T < wn && wn < s.hi.T) return wn;
        const double wf = s.lo.T - s.lo.f * (s.hi.T - s.lo.T) / (s.hi.f - s.lo.f);
        return s.lo.T < wf && wf < s.hi.T ? wf : s.lo.T + 0.5 * (s.hi.T - s.lo.T);
    }
    const double low = s.lo.known ? s.lo.T : s.tmin, high = s.hi.known ? s.hi.T : s.tmax;
    if (newton && low <= wn && wn <= high) return wn;
    if (res > 0.0) {
        for (int j = 1; j <= J; ++j)
            if (LSTAB(p, j, 3) > e.wt) return std::min(LSTAB(p, j, 3), high);
        return high;
    }
    for (int j = J; j >= 1; --j)
        if (LSTAB(p, j, 3) < e.wt) return std::max(LSTAB(p, j, 3), low);
    return low;
}

// The head movement per unit tip movement of the linear response, where
// every t-z curve and the q-w curve are on their first segments through
// zero: one climb at a tip movement far below any curve's first point.
double origin_ratio(int r, int p, const AXSAMP& s, const AXTIP& qw, int& flags) {
    constexpr double WLIN = 1.0e-30;
    const int N = std::clamp(NINCR(p), 1, MAXINC);
    AXNODES P, w;
    AXCLIMB(r, p, s, QWREAD(qw, WLIN), WLIN, P, w, flags, true);
    return w(N + 1) / WLIN;
}

// The first guess of the tip movement for head movement E on the table's
// segment between the points (lowH, lowT) and (upH, upT) (head and tip
// movements, lowH < upH). On the segment through the origin the guess
// leaves the origin on the pile's linear response c (head per tip movement)
// and meets the segment's outer point (H1, T1):
// T = E / c + (T1 - H1 / c) (E / H1)^2; elsewhere the segment's chord.
double first_guess(double E, double lowH, double lowT, double upH, double upT, double c) {
    if (E == upH || !(upH > lowH)) return upT;
    const bool at_zero = lowH == 0.0 && lowT == 0.0;
    if (!(c > 0.0) || !std::isfinite(c)) return lowT + (E - lowH) * (upT - lowT) / (upH - lowH);
    const double H1 = at_zero ? upH : lowH, T1 = at_zero ? upT : lowT;
    const double q = E / H1;
    return E / c + (T1 - H1 / c) * q * q;
}

}  // namespace

void AXDIST(int r, int p, double E, SLOTVEC& WN, SLOTVEC& PN, const AXSAMP& s, const AXTIP& qw, RowReport& rep) {
    int flags = 0;
    auto record = [&](bool newton) {
        const RowScope scope(rep);
        AXCWARN(r, flags & AXC_NOAE, flags & AXC_NOCONV);
        if (newton || (flags & AXC_NOCONV)) rep.kerr = KEAXD;
    };

    // 1. The table: head movements HM, tip movements TM, both increasing.
    const int J = NLSPT >= 2 ? std::min(NLSPT, MAXLSP) : 19;
    auto HM = [&](int j) { return LSTAB(p, j, 1); };
    auto TM = [&](int j) { return LSTAB(p, j, 3); };
    Search sr;
    sr.E = E;
    sr.tmin = TM(1);
    sr.tmax = TM(J);
    // 2. First guess: the table's end beyond it, else its reading on the
    //    segment (j - 1, j) holding E (E at the last point on the last one),
    //    on the segment through the origin from the linear response.
    double wt = E < HM(1) ? TM(1) : TM(J);
    if (!(E < HM(1) || E > HM(J))) {
        int j = 2;
        while (j < J && !(HM(j) > E)) ++j;
        const double lowH = HM(j - 1), lowT = TM(j - 1), upH = HM(j), upT = TM(j);
        const bool origin = E != 0.0 && ((lowH == 0.0 && lowT == 0.0) || (upH == 0.0 && upT == 0.0));
        wt = first_guess(E, lowH, lowT, upH, upT, origin ? origin_ratio(r, p, s, qw, flags) : 0.0);
    }

    // 3. Evaluate, test, update.
    Eval e = evaluate(r, p, wt, WN, PN, s, qw, flags);
    double last = HUGE_VAL;  // the residual before the last update
    for (int upd = 0;;) {
        // 3.1 Closed far below the tolerance; or held at a table end that E
        //     lies beyond; or, within the tolerance (after SLOWUPD updates the
        //     looser one), at the limit of updates or of the bracket.
        const double res = E - e.H0;
        const bool zero = E == 0.0;
        const double rel = zero ? std::abs(res) : std::abs(res / E);
        const bool fits = rel <= TOLR || (upd > SLOWUPD && !zero && rel <= TOLSLOW);
        if (rel <= TOLFINE * (zero ? TOLR : 1.0)) break;
        if (sr.beyond_end(e)) break;
        sr.take(e);
        if (fits && (upd >= MAXUPD || sr.closed())) break;
        const bool halved = rel < 0.5 * last;
        last = rel;
        // 3.2 One more update, at most MAXUPD.
        if (++upd > MAXUPD) {
            record(true);
            return;
        }
        // 3.3 The next tip movement and its evaluation.
        e = evaluate(r, p, next_tip(e, sr, halved, p, J), WN, PN, s, qw, flags);
    }
    record(false);
}

}  // namespace zolan
