// Analysis driver: every load case in input order, then every combination.
// For each: progress message and stop check, headings on the reports, the
// current-control block, the loads (with the distributed loads on the piles),
// one solve per estimation point, the end message with the timing lines and a
// second stop check. After each series the envelopes; at the end the printed
// p-y curves and the curve file.
#include <omp.h>

#include "capstiff/capstiff_services.h"
#include "control/control.h"
#include "control/distributed_loads.h"
#include "control/estimation_points.h"
#include "control/input_echo.h"
#include "control/load_assembly.h"
#include "model/status_codes.h"
#include "group/group_services.h"
#include "model/analysis_outcomes.h"
#include "model/analysis_tables.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/py_tables.h"
#include "model/result_tables.h"
#include "model/run_state.h"
#include "pile/node_mesh.h"
#include "pile/pile_services.h"
#include "report/run_files.h"
#include "results/results_services.h"
#include "soil/py_report.h"

namespace zolan {

namespace {

// Layouts of the driver.
const fmt::Format F_PROCEEDING(R"((/,/,/,5X,"COMPUTATION IS PROCEEDING......"))");
const fmt::Format F_RESULTS(R"((/,/,/,/,17X,"*****",5X,"COMPUTATION RESULTS",5X,"*****",/))");
const fmt::Format F_TITLE("(/,/,5X,20A4)");
const fmt::Format F_RESULTS_PLOT(R"(("** COMPUTATION RESULTS **"))");
const fmt::Format F_RESULTS_STAT(R"(("COMPUTATION RESULTS"))");
const fmt::Format F_TITLE_BARE("(20A4)");

const fmt::Format F_CASES_SCR(R"((/,/,17X,"*****",5X,"LOAD CASES RESULTS ",5X,"*****"))");
const fmt::Format F_CASES_REP(R"((/,/,/,/,17X,"*****",5X,"LOAD CASES RESULTS ",5X,"*****"))");
const fmt::Format F_CASES_BARE(R"(("LOAD CASES RESULTS "))");
const fmt::Format F_CASE_HEAD(R"((/,/,/,5X,"LOAD CASE : ",I5,/,5X,"CASE NAME : ",A80))");
const fmt::Format F_CASE_TYPE(R"((5X,"LOAD TYPE : ",A32))");
const fmt::Format F_CASE_BARE(R"(("LOAD CASE : ",I5))");
const fmt::Format F_CASE_SKIP(R"((5X,"NOTE: LOAD CASE WILL NOT BE ANALYZED"))");
const fmt::Format F_CASE_SCR(R"((/,5X,"LOAD CASE : ",I5))");

const fmt::Format F_COMBS_SCR(R"((/,/,17X,"*****",5X,"LOAD COMBINATIONS RESULTS ",5X,"*****"))");
const fmt::Format F_COMBS_REP(R"((/,/,/,/,17X,"*****",5X,"LOAD COMBINATIONS RESULTS ",5X,"*****"))");
const fmt::Format F_COMBS_BARE(R"(("LOAD COMBINATIONS RESULTS "))");
const fmt::Format F_COMB_HEAD(R"((/,/,/,5X,"LOAD COMB. : ",I5,/,5X,"COMB. NAME : ",A80))");
const fmt::Format F_COMB_BARE(R"(("LOAD COMB. : ",I5))");
const fmt::Format F_COMB_SKIP(R"((5X,"NOTE: LOAD COMB WILL NOT BE ANALYZED"))");
const fmt::Format F_COMB_SCR(R"((/,5X,"LOAD COMB : ",I5))");

const fmt::Format F_NOT_RUN(R"(("       ANALYSIS TO NOT RUN   "))");
const fmt::Format F_NOT_PERFORMED(R"(("     9 ANALYSIS NOT PERFORMED"))");
const fmt::Format F_TOTAL_LOAD(R"((6X,"ANALYSIS DUE TO TOTAL LOAD"))");

const fmt::Format F_PROG_CASE_START(R"(("- ANALYSIS FOR LOAD CASE ",I3,"/",I3," STARTED",/,/))");
const fmt::Format F_PROG_CASE_END(R"(("- ANALYSIS FOR LOAD CASE ",I3,"/",I3," FINISHED",/,/))");
const fmt::Format F_PROG_COMB_START(R"(("- ANALYSIS FOR LOAD COMB. ",I3,"/",I3," STARTED",/,/))");
const fmt::Format F_PROG_COMB_END(R"(("- ANALYSIS FOR LOAD COMB. ",I3,"/",I3," FINISHED",/,/))");
const fmt::Format F_RUN_CASE_END(R"(("     ANALYSIS FOR LOAD CASE ",I3,"/",I3," FINISHED",/))");
const fmt::Format F_RUN_COMB_END(R"(("     ANALYSIS FOR LOAD COMB. ",I3,"/",I3," FINISHED",/))");

const fmt::Format F_PROG_CURVES(R"(("- CURVE FILE: PILE ROW ",I5,"/",I5,/,/))");

const fmt::Format F_EQK_CASE(R"(("LOAD CASE : ",I5))");
const fmt::Format F_CURVE_HEADER("(3I10)");
const fmt::Format F_TABLE_N(R"((/,/,/,/,/,5X,"* TABLE N *   PRINTED P-Y CURVES"))");

// An envelope of a series that has no analysis is not written: this line
// stands in its place on the results report and the summary.
const fmt::Format F_NO_CASE_ENV(R"((/,5X,"NOTE: NO LOAD CASES, NO ENVELOPE OF LOAD CASES"))");
const fmt::Format F_NO_COMB_ENV(R"((/,5X,"NOTE: NO LOAD COMBINATIONS, NO ENVELOPE OF LOAD COMBINATIONS"))");

void put(std::initializer_list<int> units, const fmt::Format& f, std::initializer_list<fmt::Item> items = {}) {
    for (int u : units) io::write_fmt(u, f, items);
}

std::vector<fmt::Item> title_pieces() {
    std::vector<fmt::Item> pieces;
    for (int k = 0; k < 20; ++k) pieces.emplace_back(TITLE.view().substr(4 * k, 4));
    return pieces;
}

void close_lddfile(int& lddopen) {
    io::close_unit(LDDFILE);
    lddopen = 0;
}

// Opens a run file by name for writing; a file that cannot be opened ends
// the run with status 38.
bool open_for_write(int unit, const std::string& name, int& ISTAT) {
    std::string why;
    if (io::open_unit(unit, name, {io::Access::Write}, &why)) return true;
    file_failure(ISTAT, "    " + why);
    return false;
}

// The solver of the model.
SolveAnswer call_solver(const SolveRequest& request, int& ISTAT) {
    // Each analysis reports once per pile that its user p-y curves stop above a node.
    PYUWRN.fill(0);
    return NANTYP == 2 ? CAP2D(request, ISTAT) : CAP3D(request, ISTAT);
}

// One solve of load case i; on a failure LDDFILE and EQMFILE are closed and
// ISTAT is left non-zero.
SolveAnswer solve_case(int i, const SolveRequest& request, int& lddopen, int& ISTAT) {
    SolveAnswer answer = unanswered(request);
    // 1. No solve after a stop read while the loads were laid; else the
    // equivalent-stiffness file with the case line.
    if (STOPSEEN()) {
        ISTAT = ISSTOP;
    } else if (open_for_write(EQKFILE, FEQK, ISTAT)) {
        io::write_fmt(EQKFILE, F_EQK_CASE, {i});
        // 2-3. The solver (plane model: the run log flushed after it).
        ISTAT = 0;
        answer = call_solver(request, ISTAT);
        if (NANTYP == 2) io::flush_unit(RUNFILE);
        // 4. Closed again.
        io::close_unit(EQKFILE);
    }
    // 5. A failure ends the analyses.
    if (ISTAT != 0) {
        close_lddfile(lddopen);
        io::close_unit(EQMFILE);
    }
    return answer;
}

// Timing of the analysis just ended: its seconds, the timing lines, the mark
// of its end, and the region times zeroed for the next analysis.
void analysis_timing() {
    const double t = omp_get_wtime() - TELAPS;
    TANAL = t - TMARK;
    EXETIM2(0);
    TMARK = t;
    TPARAL = TSERIAL = TPRINT = 0.0;
}

void clear_envelopes() {
    if (NANTYP == 2) {
        ENVRST2D();
    } else {
        ENVRST();
    }
}

// Minimum then maximum envelope of series `kind` (1 cases, 2 combinations);
// false after a stop read between their piles (ISTAT := 4).
bool write_envelopes(int kind, int& ISTAT) {
    for (int side = 1; side <= 2; ++side) {
        if (NANTYP == 2) {
            ENVEWR2D(kind, side);
        } else {
            ENVEWR(kind, side);
        }
        if (STOPSEEN()) {
            ISTAT = ISSTOP;
            return false;
        }
    }
    return true;
}

// A stop request ends the analyses: ISTAT := 4, the matrix trace (during
// the load cases) and the load-displacement scratch closed. Returns false.
bool stop_analyses(bool cases, int& lddopen, int& ISTAT) {
    ISTAT = ISSTOP;
    if (cases) io::close_unit(EQMFILE);
    close_lddfile(lddopen);
    return false;
}

// Load case i; false when the analyses must end (ISTAT non-zero).
bool run_case(int i, int& lddopen, int& ISTAT) {
    ICASE = i;
    // 1-2. Progress message and stop check.
    PROGWR(F_PROG_CASE_START, {i, NLCASE});
    if (STOPCHK()) return stop_analyses(true, lddopen, ISTAT);
    // 3.
    ICOMB = 0;
    KCASE = 0;
    // 4. Series heading and envelope reset before the first case.
    if (i == 1) {
        io::write_fmt(SUMSCR, F_CASES_SCR);
        put({RESFILE, SUMFILE}, F_CASES_REP);
        put({PLOTDATA, STATFILE}, F_CASES_BARE);
        NANAL = 1;
        clear_envelopes();
    }
    // 5. Case heading.
    const std::string type = LTYPNM(LCKIND(i, 1), 32);
    for (int u : {RESFILE, SUMFILE}) {
        io::write_fmt(u, F_CASE_HEAD, {i, LCNAME(i).view()});
        io::write_fmt(u, F_CASE_TYPE, {type});
    }
    io::write_fmt(RUNFILE, F_CASE_HEAD, {i, LCNAME(i).view()});
    io::flush_unit(RUNFILE);
    put({PLOTDATA, STATFILE}, F_CASE_BARE, {i});
    // 6. A skipped case.
    if (LCSKIP(i) == 1) {
        put({RESFILE, SUMFILE, RUNFILE}, F_CASE_SKIP);
        io::write_fmt(STATFILE, F_NOT_RUN);
        io::write_fmt(STATFILE, F_NOT_PERFORMED);
        return true;
    }
    // 7.
    io::write_fmt(SUMSCR, F_CASE_SCR, {i});
    io::write_fmt(ITERTRC, F_EQK_CASE, {i});
    // 8. Current-control block.
    load_case_controls(i);
    DCFMOM = 1.0;
    DCFSHR = 1.0;
    KCASE = LCKIND(i, 2);
    // 9. Estimation set-up (one point for an ordinary case).
    const int npts = ESTSETUP(i);
    // 10. Loads; an estimation case starts without distributed loads. A
    // stop read while they are laid ends the analyses.
    CaseLoads v;
    assemble_case_loads(i, v, KCASE > 0 ? CaseDistributed::Zero : CaseDistributed::Case);
    if (STOPSEEN()) return stop_analyses(true, lddopen, ISTAT);
    // 11-12. Estimation headings and points, or the single full-load point.
    if (KCASE > 0) {
        ESTHEAD(i, npts, ISTAT);
        if (ISTAT != 0) {
            close_lddfile(lddopen);
            io::close_unit(EQMFILE);
            return false;
        }
        const EstimationSolve solve = [&](const SolveRequest& r, int& status) {
            return solve_case(i, r, lddopen, status);
        };
        ESTPOINTS(i, npts, v, lddopen, solve, ISTAT);
        if (ISTAT != 0) {
            close_lddfile(lddopen);
            io::close_unit(EQMFILE);
            return false;
        }
    } else {
        assemble_case_loads(i, v, CaseDistributed::CaseAndHeads);
        if (LCPOD(i) == 1) v.PDDISP = v.PDSAVE;
        io::write_fmt(STATFILE, F_TOTAL_LOAD);
        solve_case(i, case_request(v, v.LFULL), lddopen, ISTAT);
        if (ISTAT != 0) return false;
    }
    // 13. End message.
    PROGWR(F_PROG_CASE_END, {i, NLCASE});
    io::write_fmt(RUNFILE, F_RUN_CASE_END, {i, NLCASE});
    io::flush_unit(RUNFILE);
    // 14. Timing.
    analysis_timing();
    // 15. Stop check.
    if (STOPCHK()) return stop_analyses(true, lddopen, ISTAT);
    return true;
}

// Load combination j; false when the analyses must end (ISTAT non-zero).
bool run_comb(int j, int& lddopen, int& ISTAT) {
    ICASE = j;
    // 1-2. Progress message and stop check.
    PROGWR(F_PROG_COMB_START, {j, NLCOMB});
    if (STOPCHK()) return stop_analyses(false, lddopen, ISTAT);
    // 3.
    ICOMB = j;
    KCASE = 0;
    // 4. Series heading and envelope reset before the first combination.
    if (j == 1) {
        io::write_fmt(SUMSCR, F_COMBS_SCR);
        put({RESFILE, SUMFILE}, F_COMBS_REP);
        put({PLOTDATA, STATFILE}, F_COMBS_BARE);
        NANAL = 1;
        clear_envelopes();
    }
    // 5. Combination heading.
    put({RESFILE, SUMFILE, RUNFILE}, F_COMB_HEAD, {j, LBNAME(j).view()});
    io::flush_unit(RUNFILE);
    put({PLOTDATA, STATFILE}, F_COMB_BARE, {j});
    // 6. A skipped combination.
    if (LBFLG(j, 2) == 1) {
        put({RESFILE, SUMFILE, RUNFILE}, F_COMB_SKIP);
        io::write_fmt(STATFILE, F_NOT_RUN);
        io::write_fmt(STATFILE, F_NOT_PERFORMED);
        return true;
    }
    // 7.
    io::write_fmt(SUMSCR, F_COMB_SCR, {j});
    // 8. Current-control block; a combination is one point.
    load_comb_controls(j);
    DCFMOM = LBRF(j, 1);
    DCFSHR = LBRF(j, 2);
    KCASE = 0;
    // 9-10. Loads (a stop read while they are laid ends the analyses) and
    // the single solve.
    CaseLoads v;
    for (int pass = 1; pass <= 2; ++pass) {
        EQLOADC(j, v.load);
        DLCOMB(j);
        if (STOPSEEN()) return stop_analyses(false, lddopen, ISTAT);
        if (pass == 2) PHRESUL(v.load);
        v.LFULL = v.load;
        if (NANTYP == 2) v.LFULL(3) = v.LFULL(6);
    }
    SolveRequest request = case_request(v, v.LFULL);
    request.kind = 1;
    io::write_fmt(STATFILE, F_TOTAL_LOAD);
    ISTAT = 0;
    call_solver(request, ISTAT);
    if (ISTAT != 0) {
        close_lddfile(lddopen);
        return false;
    }
    // 11. End message, timing, stop check.
    PROGWR(F_PROG_COMB_END, {j, NLCOMB});
    io::write_fmt(RUNFILE, F_RUN_COMB_END, {j, NLCOMB});
    io::flush_unit(RUNFILE);
    analysis_timing();
    if (STOPCHK()) return stop_analyses(false, lddopen, ISTAT);
    return true;
}

// The curve file: header, then per pile row its geometry, p-y curves, axial
// spring curves and (three-dimensional model) torque-rotation curve. Every
// writer runs, so one pile's failure leaves the others' records in the file;
// the first failure is the status of the run. A stop request read before a
// row ends the file there, with status 4 unless a row had failed before.
void write_curve_file(int& ISTAT) {
    if (KCRVFM == 0) {
        io::write_fmt(CURVFILE, F_CURVE_HEADER, {NPILES, NANTYP, NUNITS});
    } else {
        io::write_unf(CURVFILE, {NPILES, NANTYP, NUNITS});
    }
    PLOTFLG = 1;
    if (NPILES < 1) return;
    PYMODE = 1;
    auto keep_first = [&ISTAT](int status) {
        if (ISTAT == 0) ISTAT = status;
    };
    for (int p = 1; p <= NPILES; ++p) {
        if (STOPPOLL(F_PROG_CURVES, {p, NPILES})) {
            keep_first(ISSTOP);
            return;
        }
        int status = 0;
        PILEPLOT(p, status);
        keep_first(status);
        status = 0;
        PYPLOT(p, status);
        keep_first(status);
        status = 0;
        LSCRVP(p, status);
        keep_first(status);
        if (NANTYP == 3) {
            status = 0;
            TRCRVP(p, status);
            keep_first(status);
        }
    }
}

}  // namespace

void ANALYS(int pymode, int& ISTAT) {
    // Increment lengths and the layer sentinel, then the layered-soil state
    // of the p-y curves, once before the pile-row loops and the printed
    // curves; the result sets sized for the pile rows and the cap's row.
    NODESETUP();
    PYSETUP();
    size_result_sets(NPILES + 1);
    int lddopen = 0;
    // Start of the analyses: headings.
    io::write_fmt(RUNFILE, F_PROCEEDING);
    const std::vector<fmt::Item> title = title_pieces();
    for (int u : {RESFILE, SUMFILE}) {
        io::write_fmt(u, F_RESULTS);
        io::write_fmt(u, F_TITLE, title);
    }
    io::write_fmt(PLOTDATA, F_RESULTS_PLOT);
    io::write_fmt(PLOTDATA, F_TITLE_BARE, title);
    io::write_fmt(STATFILE, F_RESULTS_STAT);
    io::write_fmt(STATFILE, F_TITLE_BARE, title);
    ANLBEGUN = true;
    NANAL = 0;
    NDOF = NANTYP == 2 ? 3 : 6;
    if (!open_for_write(EQMFILE, FEQM, ISTAT)) return;

    // Load cases.
    for (int i = 1; i <= NLCASE; ++i) {
        if (!run_case(i, lddopen, ISTAT)) return;
    }
    io::close_unit(EQMFILE);
    if (KENVLC > 0) {
        if (NLCASE > 0) {
            if (!write_envelopes(1, ISTAT)) return close_lddfile(lddopen);
        } else {
            put({RESFILE, SUMFILE}, F_NO_CASE_ENV);
        }
    }

    // Combinations.
    for (int j = 1; j <= NLCOMB; ++j) {
        if (!run_comb(j, lddopen, ISTAT)) return;
    }
    if (KENVLB > 0) {
        if (NLCOMB > 0) {
            if (!write_envelopes(2, ISTAT)) return close_lddfile(lddopen);
        } else {
            put({RESFILE, SUMFILE}, F_NO_COMB_ENV);
        }
    }

    // Printed p-y curves, then the curve file.
    PYMODE = pymode;
    if (PYMODE != 0) {
        PLOTFLG = 0;
        io::write_fmt(ECHOFILE, F_TABLE_N);
        PYREPORT(ISTAT);
    }
    if (KCRVF == 1) {
        write_curve_file(ISTAT);
        if (NPILES < 1) PYMODE = 0;
    }
    if (PYMODE == 1) PYMODE = 0;
    KFLAG = 0;
}

}  // namespace zolan
