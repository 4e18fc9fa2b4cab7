// Three-dimensional laterally loaded pile (LLP3D): set up, iterate the two
// bending planes on the secant soil moduli, results of the closed solve, and
// the stores of the equivalent-stiffness and print passes.
#include "pile/lateral_pile3d.h"

#include <algorithm>
#include <cmath>

#include "model/analysis_tables.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
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
#include "soil/soil_lookup.h"

namespace zolan {

namespace {

constexpr double TOL14 = f32(1.0e-14f);  // smallest capacity, head displacement or deflection divided by

const fmt::Format F_NOCLOSE(
    R"((/,/,5X,"** WARNING **  ","NO CLOSURE OF A LLP AFTER ",I5,2X,"ITERATIONS",10X,"PILE GROUP",I5))");
const fmt::Format F_GUARD(R"((/,5X,"** WARNING **  ",A,10X,"PILE GROUP",I5))");

// A warning of the pile row on the results report and the runtime file.
void warn(const fmt::Format& f, std::initializer_list<fmt::Item> items) { row_block({RESFILE, RUNFILE}, f, items); }
// A section guard of the print pass, once per row and loop.
void guard(int pile, const char* what) {
    const fmt::Item items[] = {what, pile};
    const std::string text = fmt::format_to_string(F_GUARD, items);
    row_text(RESFILE, text, true);
    row_text(RUNFILE, text, true);
}

bool user_curves(int pile) { return KUPY == 1 && IPYSET(pile) > 0; }

// Soil moduli (and reactions pr) from the p-y curves at the resultant of the
// two planes' deflections; with soil movement the loads take Es times the
// movement. Returns false when a p-y generator stopped the run.
bool soil_moduli(const LateralControls& ctl, Llp3dWork& w, int N, int& ISTAT) {
    const int pile = w.pile;
    for (int j = 1; j <= N + 1; ++j) {
        const double vy = w.ypl.v.node(j), vz = w.zpl.v.node(j);
        w.yr.node(j) = std::sqrt(vy * vy + vz * vz);
    }
    if (user_curves(pile)) {
        UPYMOD(ctl.py, pile, w.yr, w.esu, w.s1, w.s2, w.spare, w.pr, *w.report);
        for (int j = 1; j <= N + 1; ++j) w.Es.node(j) = w.esu.node(j);
        return true;
    }
    for (int j = 1; j <= N + 1; ++j) w.pyw.y(j) = w.yr.node(j);
    if (!PYSECANT(ctl.py, w.pyw, N, w.Es, w.pr, ISTAT)) return false;
    if (NSMOV > 0) {
        for (int j = 1; j <= N + 1; ++j) {
            w.ypl.w.node(j) = w.s1.node(j) * w.Es.node(j) + w.ypl.d.node(j);
            w.zpl.w.node(j) = w.s2.node(j) * w.Es.node(j) + w.zpl.d.node(j);
        }
    }
    return true;
}

// Whether the solution of `pile` on N increments starts from its kept state.
bool warm_start(const LateralControls& ctl, int pile, int N) {
    return ctl.warm && pile >= 1 && pile <= MAXWRM && WARMOK(pile) == 1 && WARMN(pile) == N;
}

// 1-4. Zero arrays, soil movement, distributed loads, initial soil moduli.
bool set_up(const LateralControls& ctl, Llp3dWork& w, int N, int& ISTAT) {
    const int pile = w.pile;
    for (LateralPlane* pl : {&w.ypl, &w.zpl})
        for (SLOTVEC* a : {&pl->v, &pl->EI, &pl->w, &pl->G, &pl->H, &pl->J, &pl->vprev, &pl->d, &pl->S, &pl->M,
                           &pl->V, &pl->p})
            a->fill(0.0);
    for (SLOTVEC* a : {&w.P, &w.Es, &w.s1, &w.s2, &w.yr, &w.esu, &w.spare, &w.pr, &w.stress, &w.dcm, &w.dcv})
        a->fill(0.0);
    PYBIND(w.pyw, pile, w.report);
    // 2. Free-field soil movement at the nodes, once per call.
    if (NSMOV > 0) {
        SOILMOV(pile);
        SMVNOD1(pile, w.pyw.smy);
        SMVNOD2(pile, w.pyw.smz);
        for (int j = 1; j <= N + 1; ++j) {
            w.s1.node(j) = w.pyw.smy(j);
            w.s2.node(j) = w.pyw.smz(j);
        }
    }
    // 3. Distributed loads of the two planes.
    if (DLNPT(pile) != 0) {
        w.q.fill(0.0);
        DISTLD(IPROP(pile), pile, w.q);
        for (int j = 1; j <= N + 1; ++j) w.ypl.d.node(j) = w.ypl.w.node(j) = w.q(j);
        w.q.fill(0.0);
        DISTLD2(IPROP(pile), pile, w.q);
        for (int j = 1; j <= N + 1; ++j) w.zpl.d.node(j) = w.zpl.w.node(j) = w.q(j);
    }
    // 4. Initial moduli: those of the row's last closed solution, when it is
    //    kept; else the user curves at rest, or the subgrade modulus times the
    //    depth below the ground line from the first layer's top down (never
    //    below zero).
    if (warm_start(ctl, pile, N)) {
        for (int i = 4; i <= N + 4; ++i) w.Es.slot(i) = WARMES(i, pile);
        if (NSMOV > 0 && !user_curves(pile))
            for (int j = 1; j <= N + 1; ++j) {
                w.ypl.w.node(j) = w.s1.node(j) * w.Es.node(j) + w.ypl.d.node(j);
                w.zpl.w.node(j) = w.s2.node(j) * w.Es.node(j) + w.zpl.d.node(j);
            }
        return true;
    }
    if (user_curves(pile)) return soil_moduli(ctl, w, N, ISTAT);
    int j = 1;
    for (int k = 1; k <= N + 1; ++k) {
        const double x = NDEPTH(pile, k);
        if (j <= NLAYPY && LAYTOP(j) <= x) ++j;
        w.Es.node(k) = j > 1 ? std::max(0.0, KDEF(x) * (x - GROUND(pile) - XTOP(pile))) : 0.0;
    }
    return true;
}

// 5. Axial force and rigidity from the head ghost node to the second tip
//    ghost node; ghost nodes take the head or tip value. A non-positive
//    rigidity counts as none.
void axial_and_rigidity(const LateralControls& ctl, Llp3dWork& w, int N) {
    const int pile = w.pile, prop = IPROP(pile);
    const bool varies = ctl.kaxvar == 1 && ILSCRV(pile) <= 0;
    bool bad = false;
    for (int i = 3; i <= N + 6; ++i) {
        const int k = std::clamp(real_node(i), 1, N + 1);
        w.P.slot(i) = varies ? w.Pa.node(k) : w.P0;
        const double x = NDAXIS(pile, k);
        const double e1 = SECEI1(pile, prop, x), e2 = SECEI2(pile, prop, x);
        bad = bad || !(e1 > 0.0) || !(e2 > 0.0);
        w.ypl.EI.slot(i) = e1 > 0.0 ? e1 : 0.0;
        w.zpl.EI.slot(i) = e2 > 0.0 ? e2 : 0.0;
    }
    if (bad && ctl.kflag == 1) guard(pile, "NON-POSITIVE FLEXURAL RIGIDITY TAKEN AS 0");
    if (bends_by_mphi(pile)) {
        EIMPHI(pile, w.P0, w.ypl.EI, w.ypl.v);
        EIMPHI2(pile, w.P0, w.zpl.EI, w.zpl.v);
    }
}

// 7. The secant iteration: solve both planes, test the closure, new moduli.
//    Closed: the solves differ by less than the closure aimed at, or by less
//    than the pile tolerance when the limit is reached.
enum class Closure { Closed, Open, Stopped };
Closure iterate(const LateralControls& ctl, Llp3dWork& w, int N, double h, int& ISTAT) {
    const int t = N + 4;
    const double aim = ctl.tolfine > 0.0 ? std::min(ctl.tolfine, ctl.tollp) : ctl.tollp;
    const bool mphi = bends_by_mphi(w.pile);
    for (int count = 1;; ++count) {
        w.solves = count;
        if (mphi && ctl.keiprv == 1) {
            EIMPHI(w.pile, w.P0, w.ypl.EI, w.ypl.v);
            EIMPHI2(w.pile, w.P0, w.zpl.EI, w.zpl.v);
        }
        // Both planes in one pass each, their recurrences overlapping.
        FDSWEEP2(w.ypl, w.zpl, w.P, w.Es, h, t);
        for (LateralPlane* pl : {&w.ypl, &w.zpl})
            for (int i = 4; i <= t; ++i) pl->vprev.slot(i) = pl->v.slot(i);
        FDBACK2(w.ypl, w.zpl, w.P, h, t);
        if (mphi && ctl.keiprv == 0) {
            EIMPHI(w.pile, w.P0, w.ypl.EI, w.ypl.v);
            EIMPHI2(w.pile, w.P0, w.zpl.EI, w.zpl.v);
        }
        double change = 0.0;
        for (int i = 4; i <= t; ++i)
            change = std::max({change, std::abs(w.ypl.vprev.slot(i) - w.ypl.v.slot(i)),
                               std::abs(w.zpl.vprev.slot(i) - w.zpl.v.slot(i))});
        const bool last = count + 1 > ctl.maxitp;
        if (count != 1 && (change < aim || (last && change < ctl.tollp))) return Closure::Closed;
        if (last) return Closure::Open;
        if (!soil_moduli(ctl, w, N, ISTAT)) return Closure::Stopped;
    }
}

// The iteration from the start that set_up chose; a warm start that does not
// close is made once more from rest. The no-closure warning and the error
// word when neither closes. Returns true when the deflections closed.
bool solve_to_closure(const LateralControls& ctl, Llp3dWork& w, int N, double h, int& ISTAT) {
    const bool warm = warm_start(ctl, w.pile, N);
    Closure c = iterate(ctl, w, N, h, ISTAT);
    int solves = w.solves;
    if (c == Closure::Open && warm) {
        LateralControls cold = ctl;
        cold.warm = false;
        if (!set_up(cold, w, N, ISTAT)) return false;
        axial_and_rigidity(cold, w, N);
        FDHEAD(w.ypl, KCONN(w.pile), w.yh, w.ry, SPRZ(w.pile), h);
        FDHEAD(w.zpl, KCONNZ(w.pile), w.zh, w.rz, SPRY(w.pile), h);
        c = iterate(cold, w, N, h, ISTAT);
        solves += w.solves;
    }
    if (w.pile >= 1 && w.pile <= MAXWRM) NSECNT(w.pile) += solves;
    if (c == Closure::Open) {
        warn(F_NOCLOSE, {ctl.maxitp, w.pile});
        w.report->kerr = 1;
    }
    return c == Closure::Closed;
}

}  // namespace

void FDRESULT(LateralPlane& pl, const SLOTVEC& P, const SLOTVEC& Es, int t, double h) {
    const double h2 = h * h;
    for (int i = 4; i <= t + 1; ++i) {
        pl.S.slot(i) = (pl.v.slot(i + 1) - pl.v.slot(i - 1)) / (2.0 * h);
        pl.M.slot(i) = -pl.EI.slot(i) * (pl.v.slot(i - 1) - 2.0 * pl.v.slot(i) + pl.v.slot(i + 1)) / h2;
    }
    pl.V.slot(4) = P.slot(4) * pl.S.slot(4) - (pl.M.slot(5) - pl.M.slot(4)) / h;
    for (int i = 5; i <= t; ++i)
        pl.V.slot(i) = P.slot(i) * pl.S.slot(i) - (pl.M.slot(i + 1) - pl.M.slot(i - 1)) / (2.0 * h);
    for (int i = 4; i <= t; ++i) pl.p.slot(i) = Es.slot(i) * pl.v.slot(i);
    // End reactions at half weight, end loads at full weight.
    double inner = 0.0;
    for (int i = 5; i <= t - 1; ++i) inner += pl.p.slot(i) - pl.w.slot(i);
    pl.F = h * ((pl.p.slot(4) / 2.0 - pl.w.slot(4)) + inner + (pl.p.slot(t) / 2.0 - pl.w.slot(t)));
    // The shear at the head is the head's lateral reaction: the forward
    // difference falls short of it by the half increment's soil reaction.
    pl.V.slot(4) = pl.F;
}

namespace {

// 9. Stress and demand/capacity ratios at the real nodes.
void section_checks(const LateralControls& ctl, Llp3dWork& w, int N) {
    const int pile = w.pile, prop = IPROP(pile);
    const double fm = ctl.dcfmom > 0.0 ? ctl.dcfmom : 1.0, fv = ctl.dcfshr > 0.0 ? ctl.dcfshr : 1.0;
    bool bad_section = false;
    for (int k = 1; k <= N + 1; ++k) {
        const int i = solver_index(k);
        const double x = NDAXIS(pile, k);
        const double D = SECDIA(pile, prop, x), I1 = SECIN1(pile, prop, x), I2 = SECIN2(pile, prop, x);
        const double A = SECARE(pile, prop, x);
        bad_section = bad_section || !(I1 > 0.0) || !(I2 > 0.0) || !(A > 0.0);
        const double b1 = I1 > 0.0 ? w.ypl.M.slot(i) * D / (2.0 * I1) : 0.0;
        const double b2 = I2 > 0.0 ? w.zpl.M.slot(i) * D / (2.0 * I2) : 0.0;
        w.stress.slot(i) = (A > 0.0 ? std::abs(w.P.slot(i)) / A : 0.0) + std::sqrt(b1 * b1 + b2 * b2);
        const double mn = SECPR2(pile, prop, x), vn = SECPR3(pile, prop, x);
        w.dcm.slot(i) = mn > TOL14 ? std::hypot(w.ypl.M.slot(i), w.zpl.M.slot(i)) / mn / fm : 0.0;
        w.dcv.slot(i) = vn > TOL14 ? std::hypot(w.ypl.V.slot(i), w.zpl.V.slot(i)) / vn / fv : 0.0;
    }
    if (ctl.kflag != 1) return;
    if (bad_section) guard(pile, "NON-POSITIVE AREA OR INERTIA: ITS STRESS TERM TAKEN AS 0");
    if (!(ctl.dcfmom > 0.0) || !(ctl.dcfshr > 0.0)) guard(pile, "NON-POSITIVE REDUCTION FACTOR TAKEN AS 1.0");
}

// 10. Equivalent stiffnesses of the head and of the node springs.
void store_stiffness(const Llp3dWork& w, int t, double h) {
    const int pile = w.pile;
    EQKTOP(pile, 1) = w.P0;
    EQKTOP(pile, 2) = std::abs(w.hd(1)) > TOL14 ? w.P0 / w.hd(1) : CRVSL1(pile);
    EQKTOP(pile, 3) = std::abs(w.hd(4)) > TOL14 ? w.T0 / w.hd(4) : CRVSL2(pile);
    EQKTOP(pile, 4) = h;
    for (int i = 4; i <= t; ++i) {
        EQKNODE(pile, i, 1) = (i - 4) * h;
        const double vy = w.ypl.v.slot(i), vz = w.zpl.v.slot(i);
        EQKNODE(pile, i, 2) = std::abs(vy) > TOL14 ? w.ypl.p.slot(i) / vy : 0.0;
        EQKNODE(pile, i, 3) = std::abs(vz) > TOL14 ? w.zpl.p.slot(i) / vz : 0.0;
    }
}

// 11. Print pass: the pile-top record, then the along-pile record.
void store_records(const LateralControls& ctl, Llp3dWork& w, int t) {
    const int pile = w.pile;
    // 11a-b. Head reactions in pile and global axes.
    CAPVEC lf;
    lf(1) = w.P0, lf(2) = w.ypl.F, lf(3) = w.zpl.F, lf(4) = w.T0, lf(5) = -w.Kz, lf(6) = w.Ky;
    PTENV3D(pile, ctl.nanal, w.stress.slot(4), pile_turn(w.R, w.hd, false), w.hd, pile_turn(w.R, lf, false), lf);
    // 11c-e. One record row per real node.
    const bool axial = !(ctl.kaxvar == 0 || ILSCRV(pile) > 0);
    EFFREC& rec = w.rec;
    rec.fill(0.0);
    for (int i = 4; i <= t; ++i) {
        const double vy = w.ypl.v.slot(i), vz = w.zpl.v.slot(i);
        const double My = -w.ypl.M.slot(i), Mz = -w.zpl.M.slot(i);
        double py = w.ypl.p.slot(i), pz = w.zpl.p.slot(i);
        const double m1 = w.s1.slot(i), m2 = w.s2.slot(i);
        if (NSMOV > 0 && (m1 != 0.0 || m2 != 0.0)) {
            const double m = std::sqrt(m1 * m1 + m2 * m2);
            py = w.pr.slot(i) * m1 / m;
            pz = w.pr.slot(i) * m2 / m;
        }
        const double ua = axial ? w.ua.slot(i) : 0.0, Pa = axial ? w.Pa.slot(i) : w.P0;
        const GlobalXYZ g = ROTV3(pile, ua, vy, vz);
        const bool comb = ctl.icomb != 0;
        const double cols[MAXNQ] = {ua, vy, vz, HYPOT0(vy, vz), g.X, g.Y, g.Z, HYPOT0(g.Y, g.Z), My, Mz,
                                    HYPOT0(My, Mz), w.ypl.V.slot(i), w.zpl.V.slot(i),
                                    HYPOT0(w.ypl.V.slot(i), w.zpl.V.slot(i)), py, pz,
                                    NSMOV > 0 ? w.pr.slot(i) : HYPOT0(py, pz), Pa, w.stress.slot(i),
                                    w.ypl.EI.slot(i), w.zpl.EI.slot(i), NSMOV > 0 ? w.ypl.d.slot(i) : w.ypl.w.slot(i),
                                    NSMOV > 0 ? w.zpl.d.slot(i) : w.zpl.w.slot(i), comb ? w.dcm.slot(i) : 0.0,
                                    comb ? w.dcv.slot(i) : 0.0};
        for (int q = 1; q <= MAXNQ; ++q) rec(i, q) = cols[q - 1];
    }
    NODENV(pile, t, ctl.nanal, rec);
}

}  // namespace

CAPVEC pile_turn(const CAPMAT& M, const CAPVEC& v, bool transpose) {
    CAPVEC out;
    for (int r = 1; r <= 6; ++r) {
        double s = 0.0;
        for (int c = 1; c <= 6; ++c) s += (transpose ? M(c, r) : M(r, c)) * v(c);
        out(r) = s;
    }
    return out;
}

void PYBIND(PyWork& pw, int pile, RowReport* report) {
    pw.prop = IPROP(pile);
    pw.pile = pw.gpile = pile;
    pw.report = report;
    pw.keep.start(pile);
    pw.smy.fill(0.0);
    pw.smz.fill(0.0);
}

bool PYSECANT(const PyControls& ctl, PyWork& pw, int N, SLOTVEC& Es, SLOTVEC& pr, int& ISTAT) {
    PYCURV(ctl, pw, ISTAT);
    if (ISTAT != 0) return false;
    for (int j = 1; j <= N + 1; ++j) {
        Es.node(j) = pw.es(j);
        pr.node(j) = pw.p(j);
    }
    return true;
}

bool LLPMESH(int pile, const RowReport* rep, int& N, double& h, int& ISTAT) {
    if (rep == nullptr || pile < 1 || pile > MAXPIL || IPROP(pile) < 1 || IPROP(pile) > MAXPSA) {
        set_status_once(ISTAT, 40);
        return false;
    }
    N = std::clamp(NINCR(IPROP(pile)), 1, MAXINC);
    h = HINCR(IPROP(pile));
    return true;
}

LateralControls lateral_controls(int kflag, int nanal) {
    LateralControls c;
    c.kflag = kflag;
    c.maxitp = MAXITP;
    c.tollp = TOLLLP;
    c.kaxvar = KAXVAR;
    c.keiprv = KEIPRV;
    c.icomb = ICOMB;
    c.dcfmom = DCFMOM;
    c.dcfshr = DCFSHR;
    c.nanal = nanal;
    c.warm = c.keep = KTANG == 0;
    c.tolfine = KTANG == 0 ? 1.0e-3 * TOLLLP : TOLLLP;
    return c;
}

void LLP3D(const LateralControls& ctl, Llp3dWork& w, int& ISTAT) {
    // 1. The mesh of the pile's property set.
    int N = 0;
    double h = 0.0;
    if (!LLPMESH(w.pile, w.report, N, h, ISTAT)) return;
    RowScope scope(w.report);
    const int t = N + 4;
    w.solves = 0;
    // 2-5. Loads, initial moduli, axial force and rigidity.
    if (!set_up(ctl, w, N, ISTAT)) return;
    axial_and_rigidity(ctl, w, N);
    // 6. Head rows of both planes, fixed for the call.
    const bool yok = FDHEAD(w.ypl, KCONN(w.pile), w.yh, w.ry, SPRZ(w.pile), h);
    const bool zok = FDHEAD(w.zpl, KCONNZ(w.pile), w.zh, w.rz, SPRY(w.pile), h);
    if ((!yok || !zok) && ctl.kflag == 1) guard(w.pile, "HEAD SPRING CANCELS THE HEAD RIGIDITY: PINNED HEAD TAKEN");
    // 7-8. Secant iteration to closure; the closed state kept for the row.
    if (w.pile <= MAXWRM) ++NRESP(w.pile);
    if (!solve_to_closure(ctl, w, N, h, ISTAT)) return;
    w.N = N, w.h = h;
    if (ctl.keep && w.pile <= MAXWRM) {
        for (int i = 4; i <= t; ++i) WARMES(i, w.pile) = w.Es.slot(i);
        WARMN(w.pile) = N;
        WARMOK(w.pile) = 1;
    }
    // 9. Results of the closed solve and the outputs.
    FDRESULT(w.ypl, w.P, w.Es, t, h);
    FDRESULT(w.zpl, w.P, w.Es, t, h);
    w.Fy = w.ypl.F;
    w.Fz = w.zpl.F;
    w.Ky = w.ypl.M.slot(4);
    w.Kz = w.zpl.M.slot(4);
    // 10-11. The passes (the section checks serve only the print pass).
    if (ctl.kflag != 0) section_checks(ctl, w, N);
    if (ctl.kflag == 2) store_stiffness(w, t, h);
    if (ctl.kflag == 1) store_records(ctl, w, t);
}

}  // namespace zolan
