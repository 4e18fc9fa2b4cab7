// Load-settlement curve of a pile by the t-z method: for nine assumed tip
// movements, the tip load from the q-w curve and a climb up the pile, each
// increment adding its mobilised side resistance and shortening elastically;
// the head load and movement reached are the points of the curve.
#include "pile/load_settlement.h"

#include <algorithm>
#include <cmath>

#include "model/curve_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/single_precision.h"
#include "pile/tip_curve.h"
#include "report/row_report.h"
#include "report/run_files.h"
#include "report/unit_labels.h"

namespace zolan {
namespace {

constexpr int NTIP = 9;            // assumed tip movements per branch
constexpr int MAXITER = 1000;      // passes of the mid-point iteration of an increment
constexpr double TOLW = f32(1.0e-4f);   // convergence of the mid-point movement (internal length)
constexpr double TOLWFINE = 1.0e-11;  // aimed at by a fine climb, relative to the mid-point movement
constexpr double TOLWLOOSE = 1.0e-6;   // a fine climb at its pass limit within this has converged
constexpr double PI4 = f32(3.1416f);    // pi as the method writes it
constexpr double IN_M = f32(0.0254f);
constexpr double WT9ENG = 2.0, WT9SI = f32(0.0508f);  // smallest last tip movement

// Assumed tip movements 1 to 8 in inches.
constexpr float WTIN[NTIP - 1] = {0.0001f, 0.001f, 0.005f, 0.01f, 0.05f, 0.1f, 0.5f, 1.0f};

// Report layouts.
const fmt::Format& F_TZ_HEAD() { static const fmt::Format f(R"((/,/,5X,"T-Z CURVES, PILE PROPERTY:",I3,/))"); return f; }
const fmt::Format& F_TZ_COLS() {
    static const fmt::Format f(R"((10X,"CURVE",3X,"N. POINTS",5X,"DEPTH",11X,"T Value",9X,"Z Value"))");
    return f;
}
const fmt::Format& F_TZ_UNITS() {
    static const fmt::Format f(R"F((10X,5X,3X,9X,5X,"(",A3,")",11X,"(",A5,")",10X,"(",A3,")"))F");
    return f;
}
const fmt::Format& F_TZ_SAMPLE() { static const fmt::Format f("(8X,I5,I11,E16.4)"); return f; }
const fmt::Format& F_TZ_POINT() { static const fmt::Format f("(40X,E17.4,E16.4)"); return f; }
const fmt::Format& F_QW_HEAD() { static const fmt::Format f(R"((/,5X,"Q-W CURVE, PILE PROPERTY:",I3,/))"); return f; }
const fmt::Format& F_QW_COLS() { static const fmt::Format f(R"((9X,"Q Value",12X,"W Value"))"); return f; }
const fmt::Format& F_QW_UNITS() { static const fmt::Format f(R"F((10X,"(",A3,")",14X,"(",A3,")"))F"); return f; }
const fmt::Format& F_QW_POINTS() { static const fmt::Format f("(E18.4,E19.4)"); return f; }
const fmt::Format& F_AX_HEAD() { static const fmt::Format f(R"((/,5X,"T-Z CURVES, PILE PROPERTY:",I5,/))"); return f; }
const fmt::Format& F_AX_COLS() {
    static const fmt::Format f(R"((/,5X,"  N  ","  DEPTH ",5X,"AXIAL LOAD",11X,"MOVEMENT"))");
    return f;
}
const fmt::Format& F_AX_UNITS() { static const fmt::Format f("(13X,A3,12X,A3,16X,A3)"); return f; }
const fmt::Format& F_AX_ROW() { static const fmt::Format f("(3X,I5,F10.3,2X,E15.7,5X,E15.7)"); return f; }
const fmt::Format& F_LS_HEAD() {
    static const fmt::Format f(R"((/,/,/,8X,"TOP  LOAD     TOP MOVEMENT     TIP MOVEMENT",5X,"TIP  LOAD"))");
    return f;
}
const fmt::Format& F_LS_UNITS() { static const fmt::Format f("(11X,A3,13X,A3,14X,A3,12X,A3)"); return f; }
const fmt::Format& F_LS_ROW() { static const fmt::Format f("(5X,E15.7,3E15.7)"); return f; }
const fmt::Format& F_NO_CONV() {
    static const fmt::Format f(
        R"((8X,"** WARNING ** PILE ROW",I6,": THE AXIAL MID-POINT ITERATION DID NOT CONVERGE"))");
    return f;
}
const fmt::Format& F_NO_AE() {
    static const fmt::Format f(
        R"((8X,"** WARNING ** PILE ROW",I6,": A SECTION WITHOUT AXIAL RIGIDITY CARRIES NO AXIAL FORCE"))");
    return f;
}

}  // namespace

void AXCWARN(int r, bool no_ae, bool no_conv) {
    const fmt::Item row(r);
    const std::span<const fmt::Item> items(&row, 1);
    if (no_ae) row_text(RESFILE, fmt::format_to_string(F_NO_AE(), items), true);
    if (no_conv) row_text(RESFILE, fmt::format_to_string(F_NO_CONV(), items), true);
}

void AXCLIMB(int r, int p, const AXSAMP& s, double P0, double w0, AXNODES& P, AXNODES& w, int& flags, bool fine) {
    // Geometry: increment length h along the pile, its vertical projection hv
    // (depths step by hv when batter adjusts them), shaft area of an increment.
    const int N = std::clamp(NINCR(p), 1, MAXINC);
    const double h = PLENP(p) / N;
    const double Lv = KBATAD == 1 ? PLENP(p) * std::cos(BATANG(r)) : PLENP(p);
    const double hv = Lv / N;
    const double As = PI4 * s.D * h;

    // 3. The tip, and the mid depth of the lowest increment below the depth origin.
    double Pb = P0, wb = w0;
    double dPlast = 0.0;  // the side force of the increment below
    double x = XTOP(r) + Lv - hv / 2.0;
    for (int i = 0; i < N; ++i, x -= hv) {
        P(i + 1) = Pb;
        w(i + 1) = wb;
        // Rigidity at the mid-point, read at its distance from the head along the pile.
        const double AE = AXAE(s, std::clamp(PLENP(p) - (i + 0.5) * h, 0.0, PLENP(p)));
        double Pt = 0.0, wt = wb;
        if (!(AE > 0.0)) {
            // No rigidity: the increment passes no force up and does not shorten.
            flags |= AXC_NOAE;
        } else {
            // 4.1-4.5 Fixed point of the mid-point movement, from the lower
            //     node's movement (a fine climb: from the mid-point the side
            //     force of the increment below would give, nearer the
            //     solution along a smooth pile).
            double wm = fine ? wb + (2.0 * Pb + dPlast / 2.0) * (h / 4.0) / AE : wb;
            for (int it = 1;; ++it) {
                const double dP = AXSIDE(s, x, wm) * As;
                Pt = Pb + dP;
                wt = wb + (Pb + dP / 2.0) * h / AE;
                const double wm1 = wb + ((Pb + Pt) / 2.0 + Pb) * (h / 4.0) / AE;
                // The fine closure is relative to the movement, so that it
                // holds at every scale (a tip moving by less than a
                // round-off of the length unit as well as a metre).
                const double diff = std::abs(wm1 - wm);
                if (!(diff > (fine ? TOLWFINE * std::abs(wm1) : TOLW))) break;
                if (it >= MAXITER) {
                    if (diff > (fine ? TOLWLOOSE * std::abs(wm1) : TOLW)) flags |= AXC_NOCONV;
                    break;
                }
                wm = wm1;
            }
        }
        // 4.6 The upper node is the next increment's lower node.
        dPlast = Pt - Pb;
        Pb = Pt;
        wb = wt;
    }
    // 5. The head.
    P(N + 1) = Pb;
    w(N + 1) = wb;
}

void LSCRV(int p, int branch, int m, int r, int& ISTAT, int& n, AXPTS& LOADS, AXPTS& MOVS) {
    const bool up = branch == 1;
    // 1. Samples, t-z curves and shaft profile.
    AXSAMP s;
    AXTZC(r, p, ISTAT, s);
    if (ISTAT != 0) return;

    // 2. The t-z curves (uplift branch only).
    if (up) {
        io::write_fmt(CRVRPT, F_TZ_HEAD(), {m});
        io::write_fmt(CRVRPT, F_TZ_COLS());
        io::write_fmt(CRVRPT, F_TZ_UNITS(), {ULEN.view(), USTRS.view(), ULEN.view()});
        for (int g = 1; g <= s.NS; ++g) {
            io::write_fmt(CRVRPT, F_TZ_SAMPLE(), {g, s.npts(g), UCD12(s.X(g))});
            for (int i = 1; i <= s.npts(g); ++i) io::write_fmt(CRVRPT, F_TZ_POINT(), {s.T(i, g), s.Z(i, g)});
        }
    }

    // 3. Tip capacity and q-w curve, with the tip area of the direction.
    AXTIP qw;
    AXQWC(r, p, up ? -1.0 : 1.0, ISTAT, s, qw);
    if (ISTAT != 0) return;

    // 4. The q-w curve (compression), the heading of the axial-load file (uplift).
    const int N = std::clamp(NINCR(p), 1, MAXINC);
    const double h = PLENP(p) / N;
    if (!up) {
        io::write_fmt(CRVRPT, F_QW_HEAD(), {m});
        io::write_fmt(CRVRPT, F_QW_COLS());
        io::write_fmt(CRVRPT, F_QW_UNITS(), {UFOR3.view(), ULEN.view()});
        fmt::Item items[2 * NQWPT] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        for (int k = 1; k <= NQWPT; ++k) {
            items[2 * k - 2] = fmt::Item(qw.Q(k));
            items[2 * k - 1] = fmt::Item(qw.W(k));
        }
        io::write_fmt(CRVRPT, F_QW_POINTS(), std::span<const fmt::Item>(items, 2 * NQWPT));
    } else {
        io::write_fmt(AXLDRPT, F_AX_HEAD(), {m});
        io::write_list(AXLDRPT, {NTIP, 1, NTIP, N, h});
    }

    // 6. Assumed tip movements; the last one reaches at least the critical movement.
    AXPTS WT, QT;
    for (int k = 1; k < NTIP; ++k) WT(k) = NUNITS == 2 ? f32(WTIN[k - 1]) * IN_M : f32(WTIN[k - 1]);
    WT(NTIP) = std::max(NUNITS == 2 ? WT9SI : WT9ENG, qw.wc);

    // 7. One climb from the tip per assumed tip movement.
    int flags = 0;
    AXNODES P, w;
    for (int k = 1; k <= NTIP; ++k) {
        QT(k) = QWREAD(qw, WT(k));
        io::write_fmt(AXLDRPT, F_AX_COLS());
        io::write_fmt(AXLDRPT, F_AX_UNITS(), {ULEN.view(), UFOR3.view(), ULEN.view()});
        AXCLIMB(r, p, s, QT(k), WT(k), P, w, flags);
        for (int j = 1; j <= N + 1; ++j) {
            const double sd = j <= N ? PLENP(p) - (j - 1) * h : 0.0;
            io::write_fmt(AXLDRPT, F_AX_ROW(), {j, sd, flip(P(j), up), flip(w(j), up)});
        }
        LOADS(k) = P(N + 1);
        MOVS(k) = w(N + 1);
    }
    AXCWARN(r, flags & AXC_NOAE, flags & AXC_NOCONV);

    // 8. The load-settlement table of the branch.
    io::write_fmt(CRVRPT, F_LS_HEAD());
    io::write_fmt(CRVRPT, F_LS_UNITS(), {UFOR3.view(), ULEN.view(), ULEN.view(), UFOR3.view()});
    for (int k = 1; k <= NTIP; ++k)
        io::write_fmt(CRVRPT, F_LS_ROW(), {flip(LOADS(k), up), flip(MOVS(k), up), flip(WT(k), up), flip(QT(k), up)});

    // 9. LSTAB of the property set: uplift negated into points 9 down to 1,
    //    compression into points 11 to 19; point 10 stays zero.
    for (int k = 1; k <= NTIP; ++k) {
        const int j = up ? 10 - k : 10 + k;
        LSTAB(p, j, 1) = flip(MOVS(k), up);
        LSTAB(p, j, 2) = flip(LOADS(k), up);
        LSTAB(p, j, 3) = flip(WT(k), up);
        LSTAB(p, j, 4) = flip(QT(k), up);
    }
    // 10.
    n = NTIP;
}

}  // namespace zolan
