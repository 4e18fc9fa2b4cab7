// Axial force along a pile for a given head movement: start from the tip
// movement that the load-settlement table gives for the head movement, then
// refine it by Newton steps on the head movement of a climb from the tip,
// kept inside a false-position bracket.
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
constexpr double ETINY = f32(1.0e-14f);  // a head movement below this is zero
constexpr double TOLR = f32(1.0e-4f);    // residual: absolute for a zero head movement, else relative
constexpr double TOLSLOW = f32(1.0e-3f); // relative residual accepted after SLOWUPD updates
constexpr double TOLFINE = 1.0e-10;      // residual aimed at: the head force of a distribution serves
                                         // the cap's Newton iteration, which differentiates it
constexpr double DWMAX = f32(1.0e-6f);   // perturbation of the tip movement
constexpr int KEAXD = 4;                 // error word of a distribution that did not close

// One evaluation of tip movement wt: three climbs at |wt| - dw, |wt| + dw and
// |wt|; the node vectors keep the last one.
struct Eval {
    double a = 0.0, dw = 0.0, Hm = 0.0, Hp = 0.0, H0 = 0.0;
};

Eval evaluate(int r, int p, double wt, SLOTVEC& WN, SLOTVEC& PN, const AXSAMP& s, const AXTIP& qw, int& flags,
              bool fine) {
    const int N = std::clamp(NINCR(p), 1, MAXINC);
    const bool neg = wt <= 0.0;
    Eval e;
    // 1. Magnitude and perturbation.
    e.a = std::abs(wt);
    e.dw = e.a < DWMAX ? e.a / 2.0 : DWMAX;
    // 2. Three trials.
    AXNODES P, w;
    const double wa[3] = {e.a - e.dw, e.a + e.dw, e.a};
    double H[3];
    for (int t = 0; t < 3; ++t) {
        AXCLIMB(r, p, s, QWREAD(qw, wa[t]), wa[t], P, w, flags, fine);
        H[t] = flip(w(N + 1), neg);
    }
    e.Hm = H[0];
    e.Hp = H[1];
    e.H0 = H[2];
    // 3. Climb point j (1 the tip) is real node N + 2 - j: the head node 1.
    for (int j = 1; j <= N + 1; ++j) {
        WN.node(N + 2 - j) = flip(w(j), neg);
        PN.node(N + 2 - j) = flip(P(j), neg);
    }
    return e;
}

}  // namespace

void AXDIST(int r, int p, double E, SLOTVEC& WN, SLOTVEC& PN, const AXSAMP& s, const AXTIP& qw, RowReport& rep,
            bool fine) {
    int flags = 0;
    auto record = [&](bool newton) {
        const RowScope scope(rep);
        AXCWARN(r, flags & AXC_NOAE, flags & AXC_NOCONV);
        if (newton || (flags & AXC_NOCONV)) rep.kerr = KEAXD;
    };

    // 2. Starting tip movement from the table: head movements HM, tip movements TM.
    const int J = NLSPT >= 2 ? std::min(NLSPT, MAXLSP) : 19;
    auto HM = [&](int j) { return LSTAB(p, j, 1); };
    auto TM = [&](int j) { return LSTAB(p, j, 3); };
    if (E < HM(1) || E > HM(J)) {
        // 4. Outside the table: the nodes of its end point.
        evaluate(r, p, E < HM(1) ? TM(1) : TM(J), WN, PN, s, qw, flags, fine);
        record(false);
        return;
    }
    // Inside: the segment (j - 1, j) holding E; E at the last point uses the last segment.
    int j = 2;
    while (j < J && !(HM(j) > E)) ++j;
    double lowH = HM(j - 1), lowT = TM(j - 1), upH = HM(j), upT = TM(j);
    double wt = E == upH || !(upH > lowH) ? upT : lowT + (E - lowH) * (upT - lowT) / (upH - lowH);

    // 3, 5. Evaluate, test, update.
    Eval e = evaluate(r, p, wt, WN, PN, s, qw, flags, fine);
    const double sgn = E < 0.0 ? -1.0 : 1.0;
    double last = HUGE_VAL;  // the residual before the last update
    for (int upd = 0;;) {
        // 5.1 Convergence.
        const double res = E - e.H0;
        const bool zero = std::abs(E) < ETINY;
        // Closed within the tolerance (after SLOWUPD updates the looser one);
        // a fine distribution goes on to a residual far below it, and stops
        // within the tolerance when an update no longer halves the residual
        // or the limit is reached.
        const double rel = zero ? std::abs(res) : std::abs(res / E);
        const bool fits = rel <= TOLR || (upd > SLOWUPD && !zero && rel <= TOLSLOW);
        if (!fine && fits) break;
        if (fine && rel <= TOLFINE * (zero ? TOLR : 1.0)) break;
        if (fits && (upd >= MAXUPD || !(rel < 0.5 * last))) break;
        last = rel;
        // 5.2 One more update, at most MAXUPD.
        if (++upd > MAXUPD) {
            record(true);
            return;
        }
        // 5.3 Bracket.
        if (e.H0 > E) {
            upH = e.H0;
            upT = wt;
        } else {
            lowH = e.H0;
            lowT = wt;
        }
        // 5.4 False position; equal head movements bisect.
        const double wf = upH != lowH ? lowT + (E - lowH) * (upT - lowT) / (upH - lowH) : (lowT + upT) / 2.0;
        // 5.5 Newton on the central difference, kept inside the bracket.
        if (e.Hp == e.Hm) {
            wt = wf;
        } else {
            const double wn = sgn * (e.a + res * 2.0 * e.dw / (e.Hp - e.Hm));
            wt = lowT <= wn && wn <= upT ? wn : wf;
        }
        // 5.6
        e = evaluate(r, p, wt, WN, PN, s, qw, flags, fine);
    }
    record(false);
}

}  // namespace zolan
