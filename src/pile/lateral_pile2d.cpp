// Plane laterally loaded pile (LLP2D): set up, iterate the bending plane on
// the secant soil moduli, results of the closed solve, and the stores of the
// print and equivalent-stiffness passes.
#include "pile/lateral_pile2d.h"

#include <algorithm>
#include <cmath>

#include "model/analysis_tables.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/section_lookup.h"
#include "model/section_tables.h"
#include "model/single_precision.h"
#include "model/soil_tables.h"
#include "model/stiffness_tables.h"
#include "model/warm_tables.h"
#include "pile/node_loads.h"
#include "pile/node_stiffness.h"
#include "pile/result_records.h"
#include "pile/user_py_sets.h"
#include "report/run_files.h"

namespace zolan {

namespace {

constexpr double TOL14 = f32(1.0e-14f);  // smallest capacity or displacement divided by

const fmt::Format F_NOCLOSE(
    R"((/,/,5X,"** WARNING **  ","NO CLOSURE OF A LLP AFTER ",I5,2X,"ITERATIONS",10X,"PILE GROUP",I5))");

bool user_curves(int pile) { return KUPY == 1 && IPYSET(pile) > 0; }

// New secant moduli for the deflections of the last solve. The p-y curves
// also give the soil-movement load Es ys; the user curves take the movement
// in themselves. Returns false when a p-y generator set the status.
bool soil_moduli(const LateralControls& ctl, Llp2dWork& w, int N, int& ISTAT) {
    if (user_curves(w.pile)) {
        UPYMOD(ctl.py, w.pile, w.pl.v, w.esu, w.mv1, w.mv2, w.esm, w.pr, *w.report);
        for (int i = 4; i <= N + 4; ++i) w.Es.slot(i) = w.esu.slot(i);
        return true;
    }
    for (int k = 1; k <= N + 1; ++k) w.pyw.y(k) = w.yr.node(k);
    if (!PYSECANT(ctl.py, w.pyw, N, w.Es, w.pr, ISTAT)) return false;
    if (NSMOV > 0)
        for (int k = 1; k <= N + 1; ++k) w.pl.w.node(k) = w.pyw.es(k) * w.mv1.node(k) + w.dlo(k);
    return true;
}

// 1-4. Zero arrays, soil movement, distributed load, starting moduli (the
//      user curves' plain start, or the p-y curves on a straight line from
//      the head deflection to zero at the tip, with no soil-movement load).
bool set_up(const LateralControls& ctl, Llp2dWork& w, int N, double h, int& ISTAT) {
    const int pile = w.pile;
    for (SLOTVEC* a : {&w.pl.v, &w.pl.EI, &w.pl.w, &w.pl.G, &w.pl.H, &w.pl.J, &w.pl.vprev, &w.pl.d, &w.pl.S,
                       &w.pl.M, &w.pl.V, &w.pl.p, &w.P, &w.Es, &w.mv1, &w.mv2, &w.esu, &w.esm, &w.pr, &w.yr,
                       &w.sig, &w.dcm, &w.dcs})
        a->fill(0.0);
    w.dlo.fill(0.0);
    PYBIND(w.pyw, pile, w.report);
    if (NSMOV > 0) {
        SOILMOV(pile);
        SMVNOD1(pile, w.pyw.smy);
        for (int k = 1; k <= N + 1; ++k) w.mv1.node(k) = w.pyw.smy(k);
    }
    if (DLNPT(pile) != 0) {
        DISTLD(IPROP(pile), pile, w.dlo);
        for (int k = 1; k <= N + 1; ++k) w.pl.d.node(k) = w.pl.w.node(k) = w.dlo(k);
    }
    if (user_curves(pile)) {
        for (int i = 0; i <= N; ++i) w.Es.slot(4 + i) = i * h;
        return true;
    }
    for (int k = 1; k <= N + 1; ++k) w.pyw.y(k) = w.yt * (1.0 - static_cast<double>(k - 1) / N);
    return PYSECANT(ctl.py, w.pyw, N, w.Es, w.pr, ISTAT);
}

// 5-7. Axial force of the beam-column term and rigidity from the ghost slot
//      above the head to the second ghost slot below the tip (ghosts take the
//      head or tip value), then the moment-curvature rigidity at rest.
void axial_and_rigidity(const LateralControls& ctl, Llp2dWork& w, int N) {
    const int pile = w.pile, prop = IPROP(pile);
    const bool varies = ctl.kaxvar == 1 && ILSCRV(pile) <= 0;
    for (int s = 3; s <= N + 6; ++s) {
        w.P.slot(s) = varies ? w.axf.slot(std::clamp(s, 4, N + 4)) : w.Q;
        w.pl.EI.slot(s) = SECEI1(pile, prop, NDAXIS(pile, std::clamp(real_node(s), 1, N + 1)));
    }
    if (bends_by_mphi(pile)) EIMPHI(pile, w.Q, w.pl.EI, w.pl.v);
}

// Solves on the secant moduli until two solves differ by less than the
// closure aimed at (at most the tolerance) at every real node, or by less
// than the tolerance when the solve limit is reached. Returns true when the
// deflections closed; false with `open` when they did not.
bool iterate(const LateralControls& ctl, Llp2dWork& w, int N, double h, int& ISTAT, bool& open) {
    const int t = N + 4;
    const double aim = ctl.tolfine > 0.0 ? std::min(ctl.tolfine, ctl.tollp) : ctl.tollp;
    open = false;
    const bool mphi = bends_by_mphi(w.pile);
    for (int count = 1;; ++count) {
        w.solves = count;
        // 1-6. One linear solve, the rigidity of the previous or of this one.
        if (mphi && ctl.keiprv == 1) EIMPHI(w.pile, w.Q, w.pl.EI, w.pl.v);
        FDSWEEP(w.pl, w.P, w.Es, h, t);
        for (int i = 4; i <= t; ++i) w.pl.vprev.slot(i) = w.pl.v.slot(i);
        FDBACK(w.pl, w.P, h, t);
        if (mphi && ctl.keiprv == 0) EIMPHI(w.pile, w.Q, w.pl.EI, w.pl.v);
        // 7. Closure; the first solve never counts.
        double change = 0.0;
        for (int i = 4; i <= t; ++i) change = std::max(change, std::abs(w.pl.v.slot(i) - w.pl.vprev.slot(i)));
        const bool last = count + 1 > ctl.maxitp;
        if (count != 1 && (change < aim || (last && change < ctl.tollp))) return true;
        // 8. The solve limit.
        if (last) {
            open = true;
            return false;
        }
        // 9. New moduli.
        for (int k = 1; k <= N + 1; ++k) w.yr.node(k) = w.pl.v.node(k);
        if (!soil_moduli(ctl, w, N, ISTAT)) return false;
    }
}

// Whether the row starts from its kept state: its moduli, and with soil
// movement on the p-y curves the load they give.
bool warm_start(const LateralControls& ctl, Llp2dWork& w, int N) {
    const int pile = w.pile;
    if (!(ctl.warm && WARMOK(pile) == 1 && WARMN(pile) == N)) return false;
    for (int i = 4; i <= N + 4; ++i) w.Es.slot(i) = WARMES(i, pile);
    if (NSMOV > 0 && !user_curves(pile))
        for (int k = 1; k <= N + 1; ++k) w.pl.w.node(k) = w.Es.node(k) * w.mv1.node(k) + w.dlo(k);
    return true;
}

// Set-up and iteration to closure from the kept state or from rest; a warm
// start that does not close is made again from rest. The no-closure warning
// and the error word when neither closes.
bool solve_to_closure(const LateralControls& ctl, Llp2dWork& w, int N, double h, int& ISTAT) {
    bool open = false;
    for (int pass = 0; pass < 2; ++pass) {
        LateralControls c = ctl;
        c.warm = ctl.warm && pass == 0;
        if (!set_up(c, w, N, h, ISTAT)) return false;
        const bool warm = warm_start(c, w, N);
        axial_and_rigidity(c, w, N);
        // Head rows, fixed for the call (the kernel's rotation is minus the slope).
        FDHEAD(w.pl, KCONN(w.pile), w.yt, -w.th, SPRZ(w.pile), h);
        const bool closed = iterate(c, w, N, h, ISTAT, open);
        NSECNT(w.pile) += w.solves;
        if (closed) return true;
        if (!open || !warm) break;
    }
    if (open) {
        row_block({RESFILE, RUNFILE}, F_NOCLOSE, {ctl.maxitp, w.pile});
        w.report->kerr = 1;
    }
    return false;
}

// Stress (bending at the extreme fibre plus axial) and the demand over
// capacity of moment and shear at the real nodes. A section without area or
// inertia gives no stress term, a capacity of at most 1e-14 no ratio, a
// reduction factor that is not positive counts as 1.
void section_checks(const LateralControls& ctl, Llp2dWork& w, int N) {
    const int pile = w.pile, prop = IPROP(pile);
    const double fm = ctl.dcfmom > 0.0 ? ctl.dcfmom : 1.0, fv = ctl.dcfshr > 0.0 ? ctl.dcfshr : 1.0;
    for (int k = 1; k <= N + 1; ++k) {
        const int i = solver_index(k);
        const double x = NDAXIS(pile, k);
        const double D = SECDIA(pile, prop, x), I = SECIN1(pile, prop, x), A = SECARE(pile, prop, x);
        const double m = std::abs(w.pl.M.slot(i));
        w.sig.slot(i) = (I > 0.0 ? m * D / (2.0 * I) : 0.0) + (A > 0.0 ? std::abs(w.P.slot(i)) / A : 0.0);
        const double mn = SECPR2(pile, prop, x), vn = SECPR3(pile, prop, x);
        w.dcm.slot(i) = mn > TOL14 ? m / mn / fm : 0.0;
        w.dcs.slot(i) = vn > TOL14 ? std::abs(w.pl.V.slot(i)) / vn / fv : 0.0;
    }
}

// Equivalent-stiffness pass: the head's axial values and the node springs
// (soil reaction over deflection, 0 for a deflection of at most 1e-14).
void store_stiffness(const Llp2dWork& w, int t, double h) {
    const int pile = w.pile;
    EQKTOP(pile, 1) = w.Q;
    EQKTOP(pile, 2) = std::abs(w.ax) > TOL14 ? w.Q / w.ax : 0.0;
    EQKTOP(pile, 3) = h;
    for (int i = 4; i <= t; ++i) {
        const double y = w.pl.v.slot(i);
        EQKNODE(pile, i, 1) = (i - 4) * h;
        EQKNODE(pile, i, 2) = std::abs(y) > TOL14 ? w.pl.p.slot(i) / y : 0.0;
    }
}

// Print pass: the pile-top record in cap and row axes, then the along-pile
// record (moment with the opposite sign, soil reaction of the curves with
// soil movement, the axial solution's columns only where it varies).
void store_records(const LateralControls& ctl, Llp2dWork& w, int t) {
    const int pile = w.pile;
    const double M4 = w.pl.M.slot(4), y4 = w.pl.v.slot(4), s4 = w.pl.S.slot(4);
    const double F[3] = {w.Q, w.H, M4};
    double G[2];
    for (int k = 1; k <= 2; ++k) G[k - 1] = w.T(k, 1) * F[0] + w.T(k, 2) * F[1] + w.T(k, 3) * F[2];
    const double c = std::cos(BATANG(pile)), s = std::sin(BATANG(pile));
    PTENV2D(pile, ctl.nanal, {w.ax * c - y4 * s, w.ax * s + y4 * c, s4, w.ax, y4, s4, G[0], G[1], M4, w.Q, w.H, M4,
                              w.sig.slot(4)});
    const bool axial = ctl.kaxvar != 0 && ILSCRV(pile) <= 0;
    const bool comb = ctl.icomb != 0;
    EFFREC& rec = w.rec;
    rec.fill(0.0);
    for (int i = 4; i <= t; ++i) {
        const double y = w.pl.v.slot(i);
        const double ua = axial ? w.axd.slot(i) : 0.0, Pa = axial ? w.axf.slot(i) : w.Q;
        rec(i, 1) = ua;
        rec(i, 2) = y;
        rec(i, 5) = ua * c - y * s;
        rec(i, 6) = ua * s + y * c;
        rec(i, 9) = -w.pl.M.slot(i);
        rec(i, 12) = w.pl.V.slot(i);
        rec(i, 15) = NSMOV > 0 ? w.pr.slot(i) : w.pl.p.slot(i);
        rec(i, 18) = Pa;
        rec(i, 19) = w.sig.slot(i);
        rec(i, 20) = w.pl.EI.slot(i);
        rec(i, 22) = w.pl.d.slot(i);
        rec(i, 24) = comb ? w.dcm.slot(i) : 0.0;
        rec(i, 25) = comb ? w.dcs.slot(i) : 0.0;
    }
    NODENV(pile, t, ctl.nanal, rec);
}

}  // namespace

void LLP2D(const LateralControls& ctl, Llp2dWork& w, int& ISTAT) {
    // 1. The mesh of the row's property set.
    int N = 0;
    double h = 0.0;
    if (!LLPMESH(w.pile, w.report, N, h, ISTAT)) return;
    RowScope scope(w.report);
    const int t = N + 4;
    w.solves = 0;
    // 2-7. Loads, starting moduli (the row's kept ones, or from rest), axial
    //      force and rigidity, head rows; the secant iteration to closure;
    //      the closed moduli kept for the row.
    ++NRESP(w.pile);
    if (!solve_to_closure(ctl, w, N, h, ISTAT)) return;
    if (ctl.keep) {
        for (int i = 4; i <= t; ++i) WARMES(i, w.pile) = w.Es.slot(i);
        WARMN(w.pile) = N;
        WARMOK(w.pile) = 1;
    }
    // Results of the closed solve, the outputs, and the passes.
    FDRESULT(w.pl, w.P, w.Es, t, h);
    w.H = w.pl.F;
    w.M = w.pl.M.slot(4);
    if (ctl.kflag == 1) {
        section_checks(ctl, w, N);
        store_records(ctl, w, t);
    }
    if (ctl.kflag == 2) store_stiffness(w, t, h);
}

}  // namespace zolan
