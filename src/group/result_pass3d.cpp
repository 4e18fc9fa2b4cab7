// Result pass of the three-dimensional cap solver and the cap envelope.
#include "group/result_pass3d.h"

#include <cmath>

#include "group/estimation_records3d.h"
#include "group/group_factor_rule.h"
#include "group/point_of_definition.h"
#include "model/analysis_outcomes.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/pile_warnings.h"
#include "model/result_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/status_codes.h"
#include "pile/head_curves.h"
#include "report/field_writers.h"
#include "soil/group_factors.h"
#include "report/run_files.h"
#include "report/stop_request.h"
#include "report/unit_labels.h"
#include "results/results_services.h"

namespace zolan {

namespace captext {
const fmt::Format F_TABLE_L_SCR("(/,5X,'* TABLE L *   COMPUTATION ON PILE CAP')");
const fmt::Format F_TABLE_L("(/,/,/,5X,'* TABLE L *   COMPUTATION ON PILE CAP')");
const fmt::Format F_TABLE_L_PLOT("(5X,'* TABLE L *   COMPUTATION ON PILE CAP')");
const fmt::Format F_LOAD_TITLE("(/,/,5X,'* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *')");
const fmt::Format F_DISP_TITLE("(/,/,5X,'* DISPLACEMENT OF GROUPED PILE ','FOUNDATION AT ORIGIN *')");
const fmt::Format F_ITER_RUN("(/,10X,'NUMBER OF GLOBAL ITERATIONS = ',I4,/)");
const fmt::Format F_SCR_LOAD_TITLE("(/,5X,'* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *')");
const fmt::Format F_SCR_DISP_TITLE("(/,5X,'* DISPLACEMENT OF GROUPED PILE ','FOUNDATION AT ORIGIN *')");
const fmt::Format F_PLOT_LOAD("('* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *')");
const fmt::Format F_PLOT_DISP("('* DISPLACEMENT OF PILE CAP AT ORIGIN *')");
const fmt::Format F_PARTIAL(
    "(/,5X,'** WARNING **  ','  ZOLAN COULD NOT GET SOLUTION FOR 100% OF THE LOAD',/,5X,'               ','  RESULTS "
    "ARE FOR ',F8.2,'% OF THE TOTAL LOAD',/)");
const fmt::Format F_PASSIVE("(/,/,5X,'* PASSIVE RESISTANCE IN PILE CAP *')");
const fmt::Format F_PASSIVE_PLOT("('* PASSIVE RESISTANCE IN PILE CAP *')");
const fmt::Format F_TABLE_M("(/,/,/,5X,'* TABLE M *   COMPUTATION ON INDIVIDUAL PILE')");
const fmt::Format F_TABLE_M_SCR("(/,5X,'* TABLE M *   COMPUTATION ON INDIVIDUAL PILE')");
}  // namespace captext

void CAPROW(int unit, int blanks, int w, int d, std::initializer_list<double> values) {
    WRBLNK(unit, blanks);
    for (double v : values) WRREAL(unit, w, d, v);
    WREOL(unit);
}

namespace {

using namespace captext;

constexpr int KESING = 2;  // singular cap matrix
constexpr int KEWARN = 3;  // pile warnings copied

// Warning blocks of the last iteration: results report, runtime file with the
// curve ends extended (KEXTRP = 1), runtime file otherwise.
struct WarnTexts {
    const char* report;
    const char* run_extended;
    const char* run;
};
const WarnTexts W_BEARING{
    "(/,5X,'** WARNING **  ','SOME PILES MAY FAIL IN BEARING!',/,5X,15X,'AXIAL DISPLACEMENT ESTIMATED IS LARGER "
    "THAN',/,5X,15X,'MAXIMUM DISPLACEMENT DEFINED',' IN AXIAL LOAD-DISPLACEMENT CURVE')",
    "(/,5X,'** WARNING **  ','SOME PILES REACHED MAXIMUM',' IN BEARING!')",
    "(/,5X,'** WARNING **  ','SOME PILES MAY FAIL IN BEARING!')"};
const WarnTexts W_PULLOUT{
    "(/,5X,'** WARNING **  ','SOME PILES MAY FAIL IN PULL OUT!',/,5X,15X,'AXIAL DISPLACEMENT ESTIMATED IS SMALLER "
    "THAN',/,5X,15X,'MINIMUM DISPLACEMENT DEFINED',' IN AXIAL LOAD-DISPLACEMENT CURVE')",
    "(/,5X,'** WARNING **  ','SOME PILES REACHED MAXIMUM',' IN PULL OUT!')",
    "(/,5X,'** WARNING **  ','SOME PILES MAY FAIL IN PULL OUT!')"};
const WarnTexts W_TORSION{
    "(/,5X,'** WARNING **  ','SOME PILES MAY FAIL IN TORSION!',/,5X,15X,'TORSIONAL ROTATION ESTIMATED IS "
    "LARGER/SMALLER',/,5X,15X,'THAN MAXIMUM/MINIMUM ROTATION DEFINED',' IN TORQUE-ROTATION CURVE')",
    "(/,5X,'** WARNING **  ','SOME PILES REACHED MAXIMUM',' IN TORSION!')",
    "(/,5X,'** WARNING **  ','SOME PILES MAY FAIL IN TORSION!')"};

const fmt::Format F_GRP_GIVEN(
    "(/,7X,'REDUCTION FACTORS FOR CLOSELY-SPACED PILE',1X,'GROUPS, COMBINED Y AND Z DIRECTIONS',/,7X,'USING A "
    "PREDEFINED MOVEMENT',7X,'                                 ',/,7X,'     GROUP NO     P-FACTOR     Y-FACTOR        "
    "',/)");
const fmt::Format F_GRP_CAP(
    "(/,7X,'REDUCTION FACTORS FOR CLOSELY-SPACED PILE',1X,'GROUPS, COMBINED Y AND Z DIRECTIONS',/,7X,'ESTIMATED "
    "USING MOVEMENT IN',1X,'THE DIRECTION OF PILE CAP DISPLACEMENTS',/,7X,'                                 ',/,7X,'  "
    "   GROUP NO     P-FACTOR     Y-FACTOR        ',/)");
// The cap did not move sideways: what the factors were taken from instead.
const fmt::Format F_GRP_LOAD(
    "(/,7X,'REDUCTION FACTORS FOR CLOSELY-SPACED PILE',1X,'GROUPS, COMBINED Y AND Z DIRECTIONS',/,7X,'NO LATERAL "
    "CAP MOVEMENT:',1X,'MOVEMENT IN THE DIRECTION OF THE LATERAL LOAD',/,7X,'                                 ',/,7X,'  "
    "   GROUP NO     P-FACTOR     Y-FACTOR        ',/)");
const fmt::Format F_GRP_SOIL(
    "(/,7X,'REDUCTION FACTORS FOR CLOSELY-SPACED PILE',1X,'GROUPS, COMBINED Y AND Z DIRECTIONS',/,7X,'NO LATERAL "
    "CAP MOVEMENT:',1X,'MOVEMENT IN THE DIRECTION OF SOIL MOVEMENT',/,7X,'                                 ',/,7X,'  "
    "   GROUP NO     P-FACTOR     Y-FACTOR        ',/)");
const fmt::Format F_GRP_TURNS(
    "(/,7X,'REDUCTION FACTORS FOR CLOSELY-SPACED PILE',1X,'GROUPS, COMBINED Y AND Z DIRECTIONS',/,7X,'NO LATERAL "
    "CAP MOVEMENT OR LOAD:',1X,'MEAN OF MOVEMENT IN 24 DIRECTIONS',/,7X,'                                 ',/,7X,'  "
    "   GROUP NO     P-FACTOR     Y-FACTOR        ',/)");
const fmt::Format F_GRP_ALONGY(
    "(/,7X,'REDUCTION FACTORS FOR CLOSELY-SPACED PILE',1X,'GROUPS, COMBINED Y AND Z DIRECTIONS',/,7X,'NO LATERAL "
    "CAP MOVEMENT OR LOAD:',1X,'MOVEMENT IN THE Y-DIRECTION',/,7X,'                                 ',/,7X,'  "
    "   GROUP NO     P-FACTOR     Y-FACTOR        ',/)");
const fmt::Format F_GRP_PLOT("(7X,'*REDUCTION FACTORS FOR CLOSELY-SPACED PILE*')");


const fmt::Format F_PT_TITLE("(/,/,5X,'* POINT OF DEFINITION',' DISPLACEMENT/LOADS *')");
const fmt::Format F_PT_COORD("(/,/,10X,'  COORD. X ,',A2,6X,'   COORD. Y ,',A2,5X,'   COORD. Z ,',A2)");
const fmt::Format F_PT_LOAD_TITLE("(/,/,5X,'* CONCENTRATED LOAD',' AT SPECIFIED POINT *')");
const fmt::Format F_PT_FORCES_MK(
    "(/,/,11X,'VERT. LOAD,',A4,A1,3X,'HOR. LOAD Y,',A4,A1,2X,'HOR. LOAD Z,',A4,A1)");
const fmt::Format F_PT_MOMENTS_MK(
    "(/,10X,'MOMENT X ,',A2,A1,A3,A1,3X,'MOMENT Y,',A2,A1,A3,A1,3X,'MOMENT Z,',A2,A1,A3,A1)");
const fmt::Format F_PT_DISP_TITLE("(/,/,5X,'* DISPLACEMENT OF GROUPED PILE ','FOUNDATION AT SPECIFIED POINT *')");
const fmt::Format F_PT_TRANS_MK("(/,/,10X,'  VERTICAL ,',A2,A1,5X,'HORIZONTAL Y,',A2,A1,4X,'HORIZONTAL Z,',A2,A1)");
const fmt::Format F_PT_ROT_MK("(/,10X,'ANGLE ROT. X,',A3,A1,3X,'ANGLE ROT. Y,',A3,A1,3X,'ANGLE ROT. Z,',A3,A1)");

const fmt::Format F_FORCES("(/,/,11X,'VERT. LOAD,',A4,4X,'HOR. LOAD Y,',A4,3X,'HOR. LOAD Z,',A4)");
const fmt::Format F_MOMENTS("(/,10X,'MOMENT X ,',A2,A1,A3,4X,'MOMENT Y,',A2,A1,A3,4X,'MOMENT Z,',A2,A1,A3)");
const fmt::Format F_TRANS("(/,/,10X,'  VERTICAL ,',A2,6X,'HORIZONTAL Y,',A2,5X,'HORIZONTAL Z,',A2)");
const fmt::Format F_ROT("(/,10X,'ANGLE ROT. X,',A3,4X,'ANGLE ROT. Y,',A3,4X,'ANGLE ROT. Z,',A3)");
const fmt::Format F_ITER_RES("(/,/,10X,'NUMBER OF GLOBAL ITERATIONS = ',I4)");

const fmt::Format F_SCR_LOADS(
    "(8X,3X,'LOAD X,',A3,2X,3X,'LOAD Y,',A3,2X,3X,'LOAD Z,',A3,2X,1X,' MOM X,',A2,A1,A3,1X,1X,' MOM Y,',A2,A1,A3,1X,"
    "1X,' MOM Z,',A2,A1,A3)");
const fmt::Format F_SCR_DISPS(
    "(8X,4X,'DISP X,',A2,2X,4X,'DISP Y,',A2,2X,4X,'DISP Z,',A2,2X,3X,' ROT X,',A3,2X,3X,' ROT Y,',A3,2X,3X,' ROT Z,',"
    "A3)");

const fmt::Format F_PASSIVE_HEAD("(/,5X,8X,'HOR. LOAD Y,',A3,4X,'HOR. LOAD Z,',A3,6X,'POSITION,',A3)");
// The pile forces of the print pass against the load at the origin.
const fmt::Format F_EQUIL(
    "(/,5X,'** WARNING **  ','PILE FORCES DO NOT BALANCE THE LOAD AT ORIGIN: RESIDUAL ',1P,E10.3,' OF THE LOAD')");

void value_row(int unit, int blanks, int w, int d, std::initializer_list<double> values) {
    CAPROW(unit, blanks, w, d, values);
}
void row3(int unit, const CAPVEC& v, int first) { value_row(unit, 5, 19, 5, {v(first), v(first + 1), v(first + 2)}); }
// The plot-data row: each value in 18.8 followed by five blanks.
void plot_row(const CAPVEC& v) {
    for (int k = 1; k <= 6; ++k) {
        WRREAL(PLOTDATA, 18, 8, v(k));
        WRBLNK(PLOTDATA, 5);
    }
    WREOL(PLOTDATA);
}

// Step 2 and 3: warning blocks of the last iteration and the copy of the
// pile warnings, those of the piles past the peaks of their axial curves
// with them (noted for the end of the run by an analysis of its own, not by
// a point of an estimation); returns the error word, 3 when any block
// beyond a curve's end was written.
int pile_warnings(const CapFinal& st, const SolveRequest& rq, SolveAnswer& ans) {
    int kerr = st.KERR;
    const struct {
        int count;
        const WarnTexts& w;
    } blocks[] = {{st.naxwbr, W_BEARING}, {st.naxwpo, W_PULLOUT}, {st.nftors, W_TORSION}};
    for (const auto& b : blocks) {
        if (b.count <= 0) continue;
        io::write_fmt(RESFILE, b.w.report);
        io::write_fmt(RUNFILE, KEXTRP == 1 ? b.w.run_extended : b.w.run);
        kerr = KEWARN;
    }
    const int npeak = NOTEPEAK(NPILES, rq.KESTIM == 0 && rq.KTGT != 1);
    const int nend = kerr == KEWARN ? std::max(st.naxwbr, 0) + std::max(st.naxwpo, 0) + std::max(st.nftors, 0) : 0;
    if (nend + npeak > 0) WARNCOPY(3 * (nend + npeak));
    if (kerr == KEWARN && rq.KTGT == 1) ans.KTGRES = -1;
    return kerr;
}

// Step 5: the group reduction factors of the last converged step.
void group_factors(const CapFinal& st) {
    if (KGRPRF <= 0) return;
    for (int p = 1; p <= NPILES; ++p) {
        PFGRP(p) = st.pfgrp(p);
        YFGRP(p) = st.yfgrp(p);
    }
    const fmt::Format* caption = &F_GRP_GIVEN;
    if (KGRPRF != 3) {
        const GroupFactorBasis basis = group_factor_basis(st.U, st.P, CAPREACH());
        caption = basis == GroupFactorBasis::Load    ? &F_GRP_LOAD
                  : basis == GroupFactorBasis::Soil  ? &F_GRP_SOIL
                  : basis == GroupFactorBasis::Turns ? &F_GRP_TURNS
                  : basis == GroupFactorBasis::AlongY ? &F_GRP_ALONGY
                                                      : &F_GRP_CAP;
    }
    for (int unit : {RESFILE, SUMFILE}) io::write_fmt(unit, *caption);
    io::write_fmt(PLOTDATA, F_GRP_PLOT);
    for (int p = 1; p <= NPILES; ++p) {
        for (int unit : {RESFILE, SUMFILE}) GRPROW(unit, p, PFGRP(p), YFGRP(p));
        WRINT(PLOTDATA, 10, p);
        WRBLNK(PLOTDATA, 4);
        WRREAL(PLOTDATA, 18, 8, PFGRP(p));
        WRBLNK(PLOTDATA, 4);
        WRREAL(PLOTDATA, 18, 8, YFGRP(p));
        WREOL(PLOTDATA);
    }
}

// Point-of-definition blocks: capld := -F with the given point forces, the
// point's displacements and loads on the results report and the summary.
struct PointState {
    int count = 0;  // 0: the point is the origin
    CAPVEC D, Q;    // displacement and load at the point
};
PointState point_transfer(const SolveRequest& rq, const CapFinal& st, CAPVEC& capld) {
    PointState pt;
    for (int k = 1; k <= 6; ++k) capld(k) = -st.F(k);
    VEC3 at;
    CAPVEC given;
    for (int k = 1; k <= 3; ++k) at(k) = rq.PDXYZ(k);
    for (int k = 1; k <= 6; ++k) given(k) = st.TCONV * rq.PDFORC(k);
    pt.count = LDXFER(st.U, capld, at, pt.D, pt.Q, given, rq.PDFLAG);
    return pt;
}

// The point blocks on one file; the results report carries the markers of
// the given member of each pair.
void point_blocks(int unit, const SolveRequest& rq, const PointState& pt) {
    const bool marked = unit == RESFILE;
    const PointMarks6 marks = DOFLBL(rq.PDFLAG);
    auto lmark = [&](int k) { return marks.lmark.view().substr(k - 1, 1); };
    auto dmark = [&](int k) { return marks.dmark.view().substr(k - 1, 1); };
    io::write_fmt(unit, F_PT_TITLE);
    io::write_fmt(unit, F_PT_COORD, {UBLEN2.view(), UBLEN2.view(), UBLEN2.view()});
    value_row(unit, 5, 19, 5, {UCD12(rq.PDXYZ(1)), UCD12(rq.PDXYZ(2)), UCD12(rq.PDXYZ(3))});
    io::write_fmt(unit, F_PT_LOAD_TITLE);
    if (marked)
        io::write_fmt(unit, F_PT_FORCES_MK, {UFOR.view(), lmark(1), UFOR.view(), lmark(2), UFOR.view(), lmark(3)});
    else
        io::write_fmt(unit, F_FORCES, {UFOR.view(), UFOR.view(), UFOR.view()});
    row3(unit, pt.Q, 1);
    if (marked)
        io::write_fmt(unit, F_PT_MOMENTS_MK,
                      {ULEN2.view(), UDASH.view(), UFOR3.view(), lmark(4), ULEN2.view(), UDASH.view(), UFOR3.view(),
                       lmark(5), ULEN2.view(), UDASH.view(), UFOR3.view(), lmark(6)});
    else
        io::write_fmt(unit, F_MOMENTS,
                      {ULEN2.view(), UDASH.view(), UFOR3.view(), ULEN2.view(), UDASH.view(), UFOR3.view(),
                       ULEN2.view(), UDASH.view(), UFOR3.view()});
    row3(unit, pt.Q, 4);
    io::write_fmt(unit, F_PT_DISP_TITLE);
    if (marked)
        io::write_fmt(unit, F_PT_TRANS_MK, {ULEN2.view(), dmark(1), ULEN2.view(), dmark(2), ULEN2.view(), dmark(3)});
    else
        io::write_fmt(unit, F_TRANS, {ULEN2.view(), ULEN2.view(), ULEN2.view()});
    row3(unit, pt.D, 1);
    if (marked)
        io::write_fmt(unit, F_PT_ROT_MK, {URAD.view(), dmark(4), URAD.view(), dmark(5), URAD.view(), dmark(6)});
    else
        io::write_fmt(unit, F_ROT, {URAD.view(), URAD.view(), URAD.view()});
    row3(unit, pt.D, 4);
}

// The six origin blocks of Table L (load and displacement at the origin).
void origin_blocks(int unit, const CAPVEC& capld, const CAPVEC& U) {
    io::write_fmt(unit, F_LOAD_TITLE);
    io::write_fmt(unit, F_FORCES, {UFOR.view(), UFOR.view(), UFOR.view()});
    row3(unit, capld, 1);
    io::write_fmt(unit, F_MOMENTS,
                  {ULEN2.view(), UDASH.view(), UFOR3.view(), ULEN2.view(), UDASH.view(), UFOR3.view(), ULEN2.view(),
                   UDASH.view(), UFOR3.view()});
    row3(unit, capld, 4);
    io::write_fmt(unit, F_DISP_TITLE);
    io::write_fmt(unit, F_TRANS, {ULEN2.view(), ULEN2.view(), ULEN2.view()});
    row3(unit, U, 1);
    io::write_fmt(unit, F_ROT, {URAD.view(), URAD.view(), URAD.view()});
    row3(unit, U, 4);
}

// Step 7: Table L on the results report, runtime file, summary scratch,
// summary and plot data.
void table_l(const SolveRequest& rq, const CapFinal& st, CAPVEC& capld) {
    io::write_fmt(SUMSCR, F_TABLE_L_SCR);
    io::write_fmt(RESFILE, F_TABLE_L);
    if (st.pod) {
        const PointState pt = point_transfer(rq, st, capld);
        if (pt.count > 0)
            for (int unit : {RESFILE, SUMFILE}) point_blocks(unit, rq, pt);
    }
    origin_blocks(RESFILE, capld, st.U);
    io::write_fmt(RESFILE, F_ITER_RES, {st.niter});
    io::write_fmt(RUNFILE, F_ITER_RUN, {st.niter});
    io::flush_unit(RUNFILE);

    io::write_fmt(SUMSCR, F_SCR_LOAD_TITLE);
    io::write_fmt(SUMSCR, F_SCR_LOADS,
                  {UFOR3.view(), UFOR3.view(), UFOR3.view(), ULEN2.view(), UDASH.view(), UFOR3.view(), ULEN2.view(),
                   UDASH.view(), UFOR3.view(), ULEN2.view(), UDASH.view(), UFOR3.view()});
    value_row(SUMSCR, 7, 15, 5, {capld(1), capld(2), capld(3), capld(4), capld(5), capld(6)});
    io::write_fmt(SUMSCR, F_SCR_DISP_TITLE);
    io::write_fmt(SUMSCR, F_SCR_DISPS,
                  {ULEN2.view(), ULEN2.view(), ULEN2.view(), URAD.view(), URAD.view(), URAD.view()});
    const CAPVEC& U = st.U;
    value_row(SUMSCR, 7, 15, 5, {U(1), U(2), U(3), U(4), U(5), U(6)});

    io::write_fmt(SUMFILE, F_TABLE_L);
    origin_blocks(SUMFILE, capld, U);

    io::write_fmt(PLOTDATA, F_TABLE_L_PLOT);
    io::write_fmt(PLOTDATA, F_PLOT_LOAD);
    plot_row(capld);
    io::write_fmt(PLOTDATA, F_PLOT_DISP);
    plot_row(U);
}

// Step 10.2: the passive resistance of an embedded cap.
void passive_block(const CapFinal& st) {
    if (KCAPOP <= 0 || KCAPLD != 0) return;
    if (KPRINT >= 0)
        for (int unit : {RESFILE, SUMFILE}) {
            io::write_fmt(unit, F_PASSIVE);
            io::write_fmt(unit, F_PASSIVE_HEAD, {UFOR3.view(), UFOR3.view(), UBLEN.view()});
            value_row(unit, 5, 19, 5, {st.fp2, st.fp3, UCD12(st.fppos)});
        }
    io::write_fmt(PLOTDATA, F_PASSIVE_PLOT);
    for (double v : {st.fp2, st.fp3}) {
        WRREAL(PLOTDATA, 18, 8, v);
        WRBLNK(PLOTDATA, 5);
    }
    WRREAL(PLOTDATA, 18, 8, st.fppos);
    WREOL(PLOTDATA);
}

// Step 10: the print pass. The current result set is cleared first, so a
// pile row that does not close in it shows no record of an earlier analysis;
// the pile forces found are checked against the load at the origin. A stop
// read between its rows or pile pages ends it with ISTAT := 4.
void print_pass(const CapFinal& st, const CAPVEC& capld, const CapForces& fvec, int& ISTAT) {
    KFLAG = 1;
    passive_block(st);
    if (KPRINT > 0) {
        for (int unit : {RESFILE, SUMFILE}) io::write_fmt(unit, F_TABLE_M);
        io::write_fmt(SUMSCR, F_TABLE_M_SCR);
    }
    RESCUR.zero();
    CAPVEC F;
    F.fill(0.0);
    fvec(F, ISTAT);
    if (ISTAT == ISSTOP) return;
    for (int k = 1; k <= 6; ++k) F(k) += st.Fcap(k);
    const double r = EQRESID(capld, F);
    if (r > EQTOL)
        for (int unit : {RESFILE, RUNFILE}) io::write_fmt(unit, F_EQUIL, {r});
    // The pile pages and along-pile tables at the analysis's own print level.
    KPRCUR = KPRINT;
    NPRCUR = NPRINC;
    ENVEWR(0, 0);
    if (STOPSEEN()) ISTAT = ISSTOP;
}

// Steps 5 to 11: the reports of an analysis that has a solution.
void ordinary_pass(const SolveRequest& rq, const CapFinal& st, const CapForces& fvec, int& ISTAT) {
    group_factors(st);
    // 6. The load reached, and the soil movement in effect at it.
    CAPVEC capld;
    for (int k = 1; k <= 6; ++k) capld(k) = st.TCONV * st.P(k);
    for (int k = 1; k <= std::min(NSMOV, MAXSMV); ++k) {
        SMVCUR(k, 1) = st.TCONV * SMOVY0(k);
        SMVCUR(k, 2) = st.TCONV * SMOVZ0(k);
    }
    table_l(rq, st, capld);
    CAPENV(capld, st.U);
    // 9. A partial solution says how far it got.
    if (st.TCONV < 1.0) {
        for (int unit : {RESFILE, SUMFILE}) io::write_fmt(unit, F_PARTIAL, {100.0 * st.TCONV});
        ANLSTAT(rq, 2, st.TCONV);
    } else {
        ANLSTAT(rq, 1);
    }
    print_pass(st, capld, fvec, ISTAT);
    if (rq.KESTIM == 0 && ISTAT != ISSTOP) ++NANAL;
}

// Case 4 for an estimation point: its records, or the ordinary pass.
void solution(const SolveRequest& rq, const CapFinal& st, const CapForces& fvec, SolveAnswer& ans, int& ISTAT) {
    if (rq.KESTIM == 2) {
        const int ip = std::clamp(rq.IPOINT, 1, 6);
        FLEXREC3D(rq.ILOOP, st.TCONV * st.P(ip), st.U);
        ANLSTAT(rq, st.TCONV < 1.0 ? 2 : 1, st.TCONV);
        return;
    }
    if (rq.KTGT == 1) {
        for (int k = 1; k <= 6; ++k) ans.PTLOAD(k) = st.TCONV * st.P(k);
        ans.PTDISP = st.U;
        if (ans.KTGRES > 0) {
            TGTLVL3D(rq, st.U, st.Kc, fvec, ans, ISTAT);
            return;
        }
    }
    ordinary_pass(rq, st, fvec, ISTAT);
}

}  // namespace

void RESPASS3D(const SolveRequest& rq, const CapFinal& st, const CapForces& fvec, SolveAnswer& ans, int& ISTAT) {
    if (ISTAT != 0) return;
    TCUR = st.TCONV;
    ans.KTGRES = rq.KTGRES;
    // 2, 3. Pile warnings of the last iteration.
    KERR = pile_warnings(st, rq, ans);
    // 4. Outcome and status line.
    const bool none_converged = st.outcome == Stepping::Failed && st.nconv == 0;
    if (piles_unclosed(KERR) || KERR == KESING) {
        ANLSTAT(rq, piles_unclosed(KERR) ? 6 : 7);
        if (rq.KESTIM == 2) FLEXFAIL3D(rq.ILOOP, rq.IPOINT);
        if (rq.KTGT == 1) ans.KTGRES = -1;
    } else if (none_converged) {
        if (rq.KESTIM == 2) FLEXFAIL3D(rq.ILOOP, rq.IPOINT);
        ANLSTAT(rq, 3);
        if (rq.KTGT == 1) ans.KTGRES = -1;
    } else {
        solution(rq, st, fvec, ans, ISTAT);
    }
    // 11. End of the call.
    KFLAG = 0;
}

void CAPSTAT(int code, double tconv) {
    io::write_line(STATFILE, status_line(code, tconv));
    io::flush_unit(STATFILE);
}

void ANLSTAT(const SolveRequest& rq, int code, double tconv) {
    CAPSTAT(code, tconv);
    if (code == 1 || code == 10) return;
    EstimationPoint at;
    if (rq.KESTIM == 2) at = {PointKind::Flexibility, rq.IPOINT, rq.ILOOP};
    else if (rq.KTGT == 1) at = {PointKind::Stiffness, rq.IPOINT, 0};
    NOTEINC(code, tconv, at);
}

void CAPENV(const CAPVEC& loads, const CAPVEC& disps) {
    for (int k = 1; k <= 6; ++k) {
        envelope_rule(NANAL, loads(k), ENVMIN.capload(k), ENVMAX.capload(k));
        envelope_rule(NANAL, disps(k), ENVMIN.capdisp(k), ENVMAX.capdisp(k));
    }
}

double EQRESID(const CAPVEC& load, const CAPVEC& F) {
    double r2 = 0.0, l2 = 0.0;
    for (int k = 1; k <= 6; ++k) {
        r2 += (load(k) + F(k)) * (load(k) + F(k));
        l2 += load(k) * load(k);
    }
    return l2 > 0.0 ? std::sqrt(r2 / l2) : 0.0;
}

}  // namespace zolan
