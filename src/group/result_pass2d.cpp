// Result pass of the plane cap solver and the plane cap envelope.
#include "group/result_pass2d.h"

#include <algorithm>

#include "group/estimation_records3d.h"
#include "group/point_of_definition.h"
#include "model/case_tables.h"
#include "model/analysis_outcomes.h"
#include "model/input_tables.h"
#include "model/result_tables.h"
#include "model/run_state.h"
#include "model/status_codes.h"
#include "pile/head_curves.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "report/stop_request.h"
#include "report/unit_labels.h"
#include "results/results_services.h"

namespace zolan {
namespace {

constexpr int KESING = 2;  // singular cap matrix
constexpr int KEWARN = 3;  // pile warnings copied

const fmt::Format F_BEARING_RES(
    "(/,5X,'** WARNING **  ','SOME PILES, MAY FAIL IN BEARING!',/,5X,15X,'AXIAL DISPLACEMENT ESTIMATED IS LARGER "
    "THAN',/,5X,15X,'MAXIMUM DISPLACEMENT DEFINED',' IN LOAD-SETTLEMENT CURVE')");
const fmt::Format F_BEARING_RUN("(/,5X,'** WARNING **  ','SOME PILES, MAY FAIL IN BEARING!')");
const fmt::Format F_PULLOUT_RES(
    "(/,5X,'** WARNING **  ','SOME PILES, MAY FAIL IN PULL OUT!',/,5X,15X,'AXIAL DISPLACEMENT ESTIMATED IS SMALLER "
    "THAN',/,5X,15X,'MINIMUM DISPLACEMENT DEFINED',' IN LOAD-SETTLEMENT CURVE')");
const fmt::Format F_PULLOUT_RUN("(/,5X,'** WARNING **  ','SOME PILES, MAY FAIL IN PULL OUT!')");

const fmt::Format F_PT_TITLE("(/,/,5X,'* POINT OF DEFINITION',' DISPLACEMENT/LOADS *')");
const fmt::Format F_PT_COORD("(/,/,10X,'  COORD. X ,',A2,6X,'   COORD. Y ,',A2)");
const fmt::Format F_PT_LOAD_TITLE("(/,/,5X,'* CONCENTRATED LOAD',' AT SPECIFIED POINT *')");
const fmt::Format F_PT_LOADS("(/,13X,'VERT. LOAD,',A4,A1,3X,'HORI. LOAD,',A4,A1,3X,'MOMENT,',A2,A1,A3,A1)");
const fmt::Format F_PT_DISP_TITLE("(/,/,5X,'* DISPLACEMENT OF GROUPED PILE ','FOUNDATION AT SPECIFIED POINT *')");
const fmt::Format F_PT_DISPS("(/,16X,'VERTICAL,',A2,A1,5X,'HORIZONTAL,',A2,A1,4X,'ROTATION,',A3,A1)");
const fmt::Format F_LOADS("(/,13X,'VERT. LOAD,',A4,4X,'HORI. LOAD,',A4,4X,'MOMENT,',A2,A1,A3)");
const fmt::Format F_DISPS("(/,16X,'VERTICAL,',A2,6X,'HORIZONTAL,',A2,5X,'ROTATION,',A3)");
const fmt::Format F_ITER_RES("(/,/,10X,'NUMBER OF ITERATIONS = ',I3)");
const fmt::Format F_SCR_LOADS("(8X,3X,'LOAD X,',A3,2X,3X,'LOAD Y,',A3,2X,1X,' MOM Z,',A2,A1,A3)");
const fmt::Format F_SCR_DISPS("(8X,4X,'DISP X,',A2,2X,4X,'DISP Y,',A2,2X,3X,' ROT Z,',A3)");
const fmt::Format F_PASSIVE_HEAD("(/,5X,9X,'HORI. LOAD,',A3,6X,'POSITION,',A3)");

using namespace captext;

void value_row(int unit, int blanks, int w, int d, std::initializer_list<double> values) {
    CAPROW(unit, blanks, w, d, values);
}
// The plot-data row: each value in 18.8 followed by five blanks.
void plot_row(std::initializer_list<double> values) {
    for (double v : values) {
        WRREAL(PLOTDATA, 18, 8, v);
        WRBLNK(PLOTDATA, 5);
    }
    WREOL(PLOTDATA);
}

// Pile warnings of the last iteration and their copy from the scratch file,
// those of the piles past the peaks of their axial curves with them (noted
// for the end of the run by an analysis of its own); returns the error
// word, 3 when any block beyond a curve's end was written.
int pile_warnings(const Cap2dOutcome& st, const SolveRequest& rq, SolveAnswer& ans) {
    int kerr = st.KERR;
    const struct {
        int count;
        const fmt::Format &res, &run;
    } blocks[] = {{st.naxwbr, F_BEARING_RES, F_BEARING_RUN}, {st.naxwpo, F_PULLOUT_RES, F_PULLOUT_RUN}};
    for (const auto& b : blocks) {
        if (b.count <= 0) continue;
        io::write_fmt(RESFILE, b.res);
        io::write_fmt(RUNFILE, b.run);
        kerr = KEWARN;
    }
    const int npeak = NOTEPEAK(NPILES, rq.KESTIM == 0 && rq.KTGT != 1);
    const int nend = kerr == KEWARN ? std::max(st.naxwbr, 0) + std::max(st.naxwpo, 0) : 0;
    if (nend + npeak > 0) WARNCOPY(3 * (nend + npeak));
    if (kerr == KEWARN && rq.KTGT == 1) ans.KTGRES = -1;
    return kerr;
}

// The point of definition of a load case: L becomes the pile forces of the
// last converged residual with the given point forces put in; unless the
// point is the origin, its coordinates, load and displacement (the given
// member of each pair marked) on the results report and the summary.
void point_blocks(const SolveRequest& rq, const Cap2dOutcome& st, CAPVEC& L) {
    VEC3 U, Lp, D, Q, given;
    PNTXY pt;
    PNTFLGS fl;
    for (int k = 1; k <= 3; ++k) {
        U(k) = st.U(k), Lp(k) = st.F(k), given(k) = st.TCONV * rq.PDFORC(k), fl(k) = rq.PDFLAG(k);
        D(k) = Q(k) = 0.0;
    }
    pt(1) = rq.PDXYZ(1), pt(2) = rq.PDXYZ(2);
    const int moved = PNTLOAD(U, Lp, pt, D, Q, given, fl);
    for (int k = 1; k <= 3; ++k) L(k) = Lp(k);
    if (moved == 0) return;
    const PointMarks3 m = PNTFLAG(fl);
    const auto lm = [&](int k) { return m.lmark.view().substr(static_cast<std::size_t>(k - 1), 1); };
    const auto dm = [&](int k) { return m.dmark.view().substr(static_cast<std::size_t>(k - 1), 1); };
    for (int unit : {RESFILE, SUMFILE}) {
        io::write_fmt(unit, F_PT_TITLE);
        io::write_fmt(unit, F_PT_COORD, {UBLEN2.view(), UBLEN2.view()});
        value_row(unit, 5, 19, 5, {UCD12(pt(1)), UCD12(pt(2))});
        io::write_fmt(unit, F_PT_LOAD_TITLE);
        io::write_fmt(unit, F_PT_LOADS,
                      {UFOR.view(), lm(1), UFOR.view(), lm(2), ULEN2.view(), UDASH.view(), UFOR3.view(), lm(3)});
        value_row(unit, 10, 18, 5, {Q(1), Q(2), Q(3)});
        io::write_fmt(unit, F_PT_DISP_TITLE);
        io::write_fmt(unit, F_PT_DISPS, {ULEN2.view(), dm(1), ULEN2.view(), dm(2), URAD.view(), dm(3)});
        value_row(unit, 10, 18, 5, {D(1), D(2), D(3)});
    }
}

// The two origin blocks of Table L on the results report or the summary.
void origin_blocks(int unit, const CAPVEC& L, const CAPVEC& U) {
    io::write_fmt(unit, F_LOAD_TITLE);
    io::write_fmt(unit, F_LOADS, {UFOR.view(), UFOR.view(), ULEN2.view(), UDASH.view(), UFOR3.view()});
    value_row(unit, 10, 18, 5, {L(1), L(2), L(3)});
    io::write_fmt(unit, F_DISP_TITLE);
    io::write_fmt(unit, F_DISPS, {ULEN2.view(), ULEN2.view(), URAD.view()});
    value_row(unit, 10, 18, 5, {U(1), U(2), U(3)});
}

// Table L on the results report, runtime file, summary scratch, summary and
// plot data for the load L (for a point of definition, the load found there)
// and the displacement U at the origin.
void table_l(const SolveRequest& rq, const Cap2dOutcome& st, CAPVEC& L) {
    const CAPVEC& U = st.U;
    io::write_fmt(SUMSCR, F_TABLE_L_SCR);
    io::write_fmt(RESFILE, F_TABLE_L);
    if (st.pod) point_blocks(rq, st, L);
    origin_blocks(RESFILE, L, U);
    io::write_fmt(RESFILE, F_ITER_RES, {st.niter});
    io::write_fmt(RUNFILE, F_ITER_RUN, {st.niter});
    io::flush_unit(RUNFILE);

    io::write_fmt(SUMSCR, F_SCR_LOAD_TITLE);
    io::write_fmt(SUMSCR, F_SCR_LOADS, {UFOR3.view(), UFOR3.view(), ULEN2.view(), UDASH.view(), UFOR3.view()});
    value_row(SUMSCR, 7, 15, 5, {L(1), L(2), L(3)});
    io::write_fmt(SUMSCR, F_SCR_DISP_TITLE);
    io::write_fmt(SUMSCR, F_SCR_DISPS, {ULEN2.view(), ULEN2.view(), URAD.view()});
    value_row(SUMSCR, 7, 15, 5, {U(1), U(2), U(3)});

    io::write_fmt(SUMFILE, F_TABLE_L);
    origin_blocks(SUMFILE, L, U);

    io::write_fmt(PLOTDATA, F_TABLE_L_PLOT);
    io::write_fmt(PLOTDATA, F_PLOT_LOAD);
    plot_row({L(1), L(2), L(3)});
    io::write_fmt(PLOTDATA, F_PLOT_DISP);
    plot_row({U(1), U(2), U(3)});
}

// The passive resistance of an embedded cap: the block on the results
// report and the summary (KPRINT >= 0), the plot-data line always.
void passive_block(const Cap2dOutcome& st) {
    if (KCAPOP != 1) return;
    if (KPRINT >= 0) {
        for (int unit : {RESFILE, SUMFILE}) io::write_fmt(unit, F_PASSIVE);
        for (int unit : {RESFILE, SUMFILE}) io::write_fmt(unit, F_PASSIVE_HEAD, {UFOR3.view(), ULEN.view()});
        for (int unit : {RESFILE, SUMFILE}) value_row(unit, 10, 18, 5, {st.rp, st.pos});
    }
    io::write_fmt(PLOTDATA, F_PASSIVE_PLOT);
    WRREAL(PLOTDATA, 18, 8, st.rp);
    WRBLNK(PLOTDATA, 5);
    WRREAL(PLOTDATA, 18, 8, st.pos);
    WREOL(PLOTDATA);
}

// The reports of an analysis that has a solution, then the print pass from
// a cleared current set (a row that does not close in it shows no record).
void ordinary_report(const SolveRequest& rq, const Cap2dOutcome& st, const CapForces& fvec, SolveAnswer& ans,
                     int& ISTAT) {
    // 1. The load reached at the origin, without the passive load.
    CAPVEC L;
    L.fill(0.0);
    for (int k = 1; k <= 3; ++k) L(k) = st.TCONV * st.P(k);
    // 2-9. Table L, with the point of definition's blocks.
    table_l(rq, st, L);
    if (rq.IDOFTG >= 1 && rq.IDOFTG <= 3) ans.DEFCMP = st.U(rq.IDOFTG);
    // 10-11. Envelope, status line, the partial-load warning.
    CAPENV2D(L, st.U);
    if (st.TCONV < 1.0) {
        for (int unit : {RESFILE, SUMFILE}) io::write_fmt(unit, F_PARTIAL, {100.0 * st.TCONV});
        ANLSTAT(rq, 2, st.TCONV);
    } else {
        ANLSTAT(rq, 1);
    }
    // 12-15. Passive block and the Table M heading.
    KFLAG = 1;
    passive_block(st);
    if (KPRINT > 0)
        for (int unit : {RESFILE, SUMFILE}) io::write_fmt(unit, F_TABLE_M);
    // 16-18. Print pass, pile tables, the envelope counter.
    RESCUR.zero();
    CAPVEC F;
    F.fill(0.0);
    fvec(F, ISTAT);
    if (ISTAT != 0) return;
    KPRCUR = KPRINT;
    NPRCUR = NPRINC;
    ENVEWR2D(0, 0);
    if (STOPSEEN()) {
        ISTAT = ISSTOP;
        return;
    }
    ++NANAL;
}

}  // namespace

void RESPASS2D(const SolveRequest& rq, const Cap2dOutcome& st, const CapForces& fvec, SolveAnswer& ans, int& ISTAT) {
    if (ISTAT != 0) return;
    TCUR = st.TCONV;
    ans.KTGRES = rq.KTGRES;
    // Pile warnings of the last iteration.
    KERR = pile_warnings(st, rq, ans);
    // 1-3. Failures: status line, the failure records of a flexibility point.
    const bool none_converged = st.nconv == 0;
    const int ip = std::clamp(rq.IPOINT, 1, 3);
    if (piles_unclosed(KERR) || KERR == KESING || none_converged) {
        const int code = piles_unclosed(KERR) ? 6 : KERR == KESING ? 7 : 3;
        if (code != 3) ANLSTAT(rq, code);
        if (rq.KESTIM == 2) FLEXFAIL2D(rq.ILOOP, ip);
        if (code == 3) ANLSTAT(rq, 3);
        if (rq.KTGT == 1) ans.KTGRES = -1;
    } else if (rq.KESTIM == 2) {
        // 4. A flexibility point's records.
        FLEXREC2D(rq.ILOOP, st.PE(ip), st.P(ip), st.U);
        ANLSTAT(rq, st.TCONV < 1.0 ? 2 : 1, st.TCONV);
    } else if (rq.KTGT == 1 && rq.KTGRES > 0) {
        // 5. A target-deflection trial.
        ans.PTLOAD = st.PE;
        ans.PTDISP = st.U;
        TGTLVL2D(rq, st.U, st.Jc, fvec, ans, ISTAT);
    } else {
        if (rq.KTGT == 1) ans.PTLOAD = st.PE, ans.PTDISP = st.U;
        ordinary_report(rq, st, fvec, ans, ISTAT);
    }
    KFLAG = 0;
}

void CAPENV2D(const CAPVEC& loads, const CAPVEC& disps) {
    for (int k = 1; k <= 3; ++k) {
        envelope_rule(NANAL, loads(k), ENVMIN.capload(k), ENVMAX.capload(k));
        envelope_rule(NANAL, disps(k), ENVMIN.capdisp(k), ENVMAX.capdisp(k));
    }
}

}  // namespace zolan
