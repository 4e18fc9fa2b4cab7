// Estimation points of a load case: the flexibility points (one cap degree
// of freedom at a time, at each level), the stiffness levels with the
// iteration of the load factor towards a target deflection, and the full
// load last.
#include "control/estimation_points.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "capstiff/capstiff_services.h"
#include "capstiff/target_factor.h"
#include "control/control.h"
#include "control/distributed_loads.h"
#include "control/load_assembly.h"
#include "control/stiffness_levels.h"
#include "model/analysis_tables.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "report/run_files.h"

namespace zolan {

namespace {

const fmt::Format F_FLEX_REP(R"((/,/,5X,"* PILE CAP FLEXIBILITY ESTIMATION *"))");
const fmt::Format F_FLEX_RUN(R"((5X,"* PILE CAP FLEXIBILITY ESTIMATION *"))");
const fmt::Format F_TRACE_CASE(R"((5X,"LOAD CASE=",I5,5X,"NPOINTS=",I5))");
const fmt::Format F_DOF_RUN(R"((5X,"DOF : ",I5," POINT : ",I5))");
const fmt::Format F_DOF_STAT(R"((6X,"DOF : ",I5," POINT : ",I5))");
const fmt::Format F_TOTAL_RUN(R"((/,5X,"ANALYSIS DUE TO TOTAL LOAD"))");
const fmt::Format F_TOTAL_TRC(R"((5X,"ANALYSIS DUE TO TOTAL LOAD"))");
const fmt::Format F_TOTAL_STAT(R"((6X,"ANALYSIS DUE TO TOTAL LOAD"))");
const fmt::Format F_LEVEL_RUN(R"((/,5X,"STIFFNESS ESTIMATION, ","POINT : ",I4,"/",I4," FACTOR : ",F12.5))");
const fmt::Format F_LEVEL_STAT(R"((6X,"STIFFNESS ESTIMATION, ","POINT : ",I4,"/",I4," FACTOR : ",F12.5))");
const fmt::Format F_LEVEL_RES(R"((/,4X,"   N:",I5,"  FACTOR :",F10.4))");
const fmt::Format F_ITER_RUN(R"((/,5X,"STIFFNESS ESTIMATION, ","ITER : ",I5," FACTOR : ",F12.5))");
const fmt::Format F_ITER_LOAD(R"((/,5X,"LOAD : ",6E13.5))");
const fmt::Format F_ITER_TRC(R"((5X,"STIFFNESS ESTIMATION, ","ITER : ",I5," FACTOR : ",F12.5))");
const fmt::Format F_ITER_STAT(R"((6X,"STIFFNESS ESTIMATION, ","ITER : ",I5," FACTOR : ",F12.5))");
const fmt::Format F_LEVEL_FAILED(R"((4X,"   -1","   N:",I5,"  FACTOR :",F10.4))");
const fmt::Format F_TRACE_POINT(R"((5X,"POINT=",I5))");

int model_dofs() { return NANTYP == 2 ? 3 : 6; }

// Opens a run file by name; a failure gives status 38.
bool open_by_name(int unit, const std::string& name, io::Access access, int& ISTAT) {
    std::string why;
    if (io::open_unit(unit, name, {access}, &why)) return true;
    file_failure(ISTAT, "    " + why);
    return false;
}

// The request of a solve of point IPOINT of NPTS at `load`.
SolveRequest point_request(const CaseLoads& v, const CAPVEC& load, int NPTS, int IPOINT) {
    SolveRequest r = case_request(v, load);
    r.NPTS = NPTS;
    r.IPOINT = IPOINT;
    return r;
}

// Full load of a flexibility case (IPOINT = NPTS).
void flexibility_full_load(int i, int NPTS, CaseLoads& v, int& lddopen, const EstimationSolve& solve, int nt,
                           int& ISTAT) {
    const int NDOF = model_dofs();
    // 1. Stiffness report from the flexibility records.
    STFREP(LCKIND(i, 3), LCKIND(i, 4), nt, NDOF, 6, PTFAC, ISTAT);
    if (ISTAT != 0) return;
    // 2-3. The full load, as for an ordinary case.
    nt = 1;
    assemble_case_loads(i, v, CaseDistributed::CaseAndHeads);
    if (LCPOD(i) == 1) v.PDDISP = v.PDSAVE;
    io::write_fmt(RUNFILE, F_TOTAL_RUN);
    io::flush_unit(RUNFILE);
    io::write_fmt(ITERTRC, F_TOTAL_TRC);
    io::flush_unit(ITERTRC);
    io::write_fmt(STATFILE, F_TOTAL_STAT);
    solve(point_request(v, v.LFULL, NPTS, NPTS), ISTAT);
    if (ISTAT != 0) return;
    lddopen = LDDTAB(0, NPTS, nt, NANTYP, NDOF, lddopen, ISTAT);
}

void flexibility_points(int i, int NPTS, CaseLoads& v, int& lddopen, const EstimationSolve& solve, int& ISTAT) {
    const int NDOF = model_dofs();
    int nt = NPTIN;
    for (int IPOINT = 1; IPOINT <= NDOF; ++IPOINT) {
        // 1. No distributed loads at these points.
        DLZERO();
        nt = NPTIN;
        // 2. Caption; a degree of freedom without load is skipped.
        if (DOFHDR(2, IPOINT, NANTYP, nt, NDOF, v.LFULL) == 1) continue;
        // 3. The load-displacement scratch.
        if (!open_by_name(LDDFILE, FLDD, io::Access::Write, ISTAT)) return;
        lddopen = 1;
        // 4. One solve per level, the load in slot IPOINT only.
        for (int ILOOP = 1; ILOOP <= std::min(nt, MAXSTL); ++ILOOP) {
            CAPVEC load;
            load(IPOINT) = PTFAC(ILOOP) * v.LFULL(IPOINT);
            SolveRequest r = point_request(v, load, NPTS, IPOINT);
            r.ILOOP = ILOOP;
            r.KESTIM = 2;
            io::write_fmt(RUNFILE, F_DOF_RUN, {IPOINT, ILOOP});
            io::flush_unit(RUNFILE);
            io::write_fmt(STATFILE, F_DOF_STAT, {IPOINT, ILOOP});
            solve(r, ISTAT);
            if (ISTAT != 0) return;
        }
        // 5. Its load-displacement table.
        lddopen = LDDTAB(2, IPOINT, nt, NANTYP, NDOF, lddopen, ISTAT);
        if (ISTAT != 0) return;
    }
    flexibility_full_load(i, NPTS, v, lddopen, solve, nt, ISTAT);
}

// The applied load of a target trial: the factor on every slot, or on slot
// IDOFTG only.
CAPVEC scaled_trial_load(const CAPVEC& LFULL, double LDFACT, int IDOFTG, bool dof_only) {
    CAPVEC load = LFULL;
    if (dof_only && IDOFTG >= 1 && IDOFTG <= 6) {
        load(IDOFTG) *= LDFACT;
    } else {
        for (int k = 1; k <= 6; ++k) load(k) *= LDFACT;
    }
    return load;
}

// The pair of a trial joins the level's history.
void add_history_pair(double deflection, double factor) { insert_history_pair(FACHIST, NHIST, deflection, factor); }

// Trials of a level: the iteration limit (one solve without a target), and
// the target of the level.
int trial_limit(const StiffnessData& d) { return d.method == 1 ? std::min(d.iterations, MAXTGIT) : 1; }
double level_target(const StiffnessData& d, double level) { return d.dof > 0 ? d.target * level : 0.0; }

// Steps 3.3 to 3.7 of level point IPOINT: the history seeded, the load of the
// level, the level lines.
void start_level(int IPOINT, int NPTS, const StiffnessData& d, CaseLoads& v) {
    const int NDOF = model_dofs();
    const double level = PTFAC(IPOINT);
    // 3.3 History seeded by the first pair of the first level.
    NHIST = 0;
    if (IPOINT > 1) add_history_pair(DEFLST, FACLST);
    // 3.6 The load of the level.
    const bool dof_only = d.method != 0 && d.dof_only;
    if (dof_only && d.dof >= 1 && d.dof <= NDOF) {
        v.LFULL(d.dof) *= level;
    } else {
        for (int k = 1; k <= NDOF; ++k) v.LFULL(k) *= level;
    }
    // 3.7 Level lines.
    io::write_fmt(RUNFILE, F_LEVEL_RUN, {IPOINT, NPTS - 1, level});
    io::flush_unit(RUNFILE);
    io::write_fmt(STATFILE, F_LEVEL_STAT, {IPOINT, NPTS - 1, level});
    io::write_fmt(RESFILE, F_LEVEL_RES, {IPOINT, level});
}

// The trials of level point IPOINT (steps 3.1 to 3.8); returns the answer of
// the last solve (KTGRES -1 for a target level without a trial). ISTAT is
// left non-zero when a solve must end the analyses.
SolveAnswer level_trials(int IPOINT, int NPTS, const StiffnessData& d, CaseLoads& v, const EstimationSolve& solve,
                         int& ISTAT) {
    const bool target = d.method == 1;
    const bool dof_only = d.method != 0 && d.dof_only;
    // 3.1 Heading at the first level.
    if (IPOINT == 1) CAPHDR(d.method);
    // 3.2 Iteration limit and tolerance; 3.4-3.5 target slot and target.
    const int nt = trial_limit(d);
    const double TGTTOL = target ? d.tolerance : 1.0;
    const int IDOFTG = d.dof;
    const double DEFTGT = level_target(d, PTFAC(IPOINT));
    double LDFACT = PTFAC(IPOINT);
    start_level(IPOINT, NPTS, d, v);
    // A target level without a trial has nothing to report: it counts as failed.
    SolveAnswer a;
    a.KTGRES = target && nt < 1 ? -1 : 0;
    // 3.8 Trials.
    for (int ILOOP = 1; ILOOP <= nt; ++ILOOP) {
        // 3.8.1 Factor of the trial.
        CAPVEC applied = v.LFULL;
        if (target) {
            LDFACT = NHIST == 1 ? 1.0 : TGTFAC(FACHIST, NHIST, DEFTGT);
            if (NHIST != 1) applied = scaled_trial_load(v.LFULL, LDFACT, IDOFTG, dof_only);
            io::write_fmt(RUNFILE, F_ITER_RUN, {NHIST, LDFACT});
            io::write_fmt(RUNFILE, F_ITER_LOAD,
                          {applied(1), applied(2), applied(3), applied(4), applied(5), applied(6)});
            io::flush_unit(RUNFILE);
            io::write_fmt(ITERTRC, F_ITER_TRC, {NHIST, LDFACT});
            io::flush_unit(ITERTRC);
        }
        // 3.8.2
        io::write_fmt(STATFILE, F_ITER_STAT, {NHIST, LDFACT});
        // 3.8.3 Request to the solver.
        SolveRequest r = point_request(v, applied, NPTS, IPOINT);
        r.ILOOP = ILOOP;
        r.KTGT = 1;
        r.IDOFTG = IDOFTG;
        r.DEFTGT = DEFTGT;
        r.TGTTOL = TGTTOL;
        if (nt > 1) r.KTGRES = ILOOP < nt ? 2 : 1;
        else r.KTGRES = d.method == 0 ? 3 : 0;
        // 3.8.4
        a = solve(r, ISTAT);
        if (ISTAT != 0) return a;
        // 3.8.5 Accepted or failed: the level ends; otherwise the pair joins the history.
        if (a.KTGRES <= 0) break;
        if (NHIST == 0) {
            DEFLST = a.DEFCMP;
            FACLST = LDFACT;
        }
        add_history_pair(a.DEFCMP, LDFACT);
    }
    return a;
}

void stiffness_points(int i, int NPTS, CaseLoads& v, int& lddopen, const EstimationSolve& solve, int& ISTAT) {
    const int NDOF = model_dofs();
    const StiffnessData d = decode_stiffness_levels(i);
    for (int IPOINT = 1; IPOINT <= NPTS; ++IPOINT) {
        // 1. Loads of the case.
        assemble_case_loads(i, v, CaseDistributed::CaseAndHeads);
        // 2. The full load, last.
        if (IPOINT == NPTS) {
            assemble_case_loads(i, v, CaseDistributed::CaseAndHeads);
            if (LCPOD(i) == 1) v.PDDISP = v.PDSAVE;
            io::write_fmt(RUNFILE, F_TOTAL_RUN);
            io::flush_unit(RUNFILE);
            io::write_fmt(STATFILE, F_TOTAL_STAT);
            solve(point_request(v, v.LFULL, NPTS, NPTS), ISTAT);
            return;
        }
        // 3.1-3.8 A level and its trials.
        const double level = PTFAC(IPOINT);
        const SolveAnswer a = level_trials(IPOINT, NPTS, d, v, solve, ISTAT);
        if (ISTAT != 0) return;
        // 3.9
        lddopen = LDDTAB(0, IPOINT, trial_limit(d), NANTYP, NDOF, lddopen, ISTAT);
        // 3.10 The stiffness of the level, or the failure line. A target level
        // of a single trial is solved without the acceptance pass, so it leaves
        // no equivalent stiffnesses to read.
        const bool recorded = !(d.method == 1 && trial_limit(d) == 1);
        if (a.KTGRES < 0 || !recorded) {
            io::write_fmt(PLOTDATA, F_LEVEL_FAILED, {IPOINT, level});
            continue;
        }
        if (!open_by_name(EQKFILE, FEQK, io::Access::Read, ISTAT)) return;
        EQKREAD(ISTAT);
        io::close_unit(EQKFILE);
        if (ISTAT != 0) return;
        io::write_fmt(ESTTRC, F_TRACE_POINT, {IPOINT});
        StiffnessLevel s;
        s.n = d.nlev;
        s.axialflag = d.axial ? 1 : 0;
        s.IPOINT = IPOINT;
        s.level = level;
        s.DEFCMP = a.DEFCMP;
        s.DEFTGT = level_target(d, level);
        s.PTLOAD = a.PTLOAD;
        s.PTDISP = a.PTDISP;
        CAPTSTF(s, PTFAC, ISTAT);
        if (ISTAT != 0) return;
    }
}

}  // namespace

void assemble_case_loads(int i, CaseLoads& v, CaseDistributed dl) {
    EQLOAD(i, v.load);
    if (LCPOD(i) == 1) CAPDOF(i, v.load, v.PDFORC, v.PDDISP, v.PDXYZ, v.PDFLAG);
    if (dl == CaseDistributed::Zero) {
        DLZERO();
    } else {
        DLCASE(i);
        if (dl == CaseDistributed::CaseAndHeads) PHRESUL(v.load);
    }
    v.LFULL = v.load;
    if (NANTYP == 2) v.LFULL(3) = v.LFULL(6);
    if (LCPOD(i) == 1) {
        v.PDSAVE = v.PDDISP;
        if (NANTYP == 2) {
            v.PDSAVE(3) = v.PDDISP(6);
            v.PDFLAG(3) = v.PDFLAG(6);
        }
    }
}

SolveRequest case_request(const CaseLoads& v, const CAPVEC& load) {
    SolveRequest r;
    r.load = load;
    r.PDFORC = v.PDFORC;
    r.PDDISP = v.PDDISP;
    r.PDXYZ = v.PDXYZ;
    r.PDFLAG = v.PDFLAG;
    return r;
}

int ESTSETUP(int i) {
    if (KCASE <= 0) return 1;
    // 1. Point table.
    const int N = std::clamp(NSTLEV(i), 0, MAXSTL);
    PTFAC.fill(0.0);
    for (int k = 1; k <= N; ++k) PTFAC(k) = STLEV(i, k);
    NPTIN = N;
    // 2. Points: one per degree of freedom, or one per level, then the full load.
    return KCASE <= 10 ? model_dofs() + 1 : decode_stiffness_levels(i).nlev + 1;
}

void ESTHEAD(int i, int NPTS, int& ISTAT) {
    if (KCASE <= 0) return;
    if (KCASE <= 10) {
        // 3. Flexibility heading and the flexibility scratch.
        for (int u : {RESFILE, SUMFILE}) io::write_fmt(u, F_FLEX_REP);
        for (int u : {PLOTDATA, RUNFILE}) io::write_fmt(u, F_FLEX_RUN);
        io::flush_unit(RUNFILE);
        open_by_name(FLEXFILE, FFLEX, io::Access::Write, ISTAT);
        return;
    }
    // 4. Stiffness trace.
    io::write_fmt(ESTTRC, F_TRACE_CASE, {i, NPTS - 1});
}

void ESTPOINTS(int i, int NPTS, CaseLoads& v, int& lddopen, const EstimationSolve& solve, int& ISTAT) {
    if (KCASE <= 0) return;
    if (KCASE <= 10)
        flexibility_points(i, NPTS, v, lddopen, solve, ISTAT);
    else
        stiffness_points(i, NPTS, v, lddopen, solve, ISTAT);
}

std::string estimation_input_error(int i) {
    if (i < 1 || i > MAXLC || LCKIND(i, 2) <= 10) return {};
    const StiffnessData d = decode_stiffness_levels(i);
    if (!d.block || d.method == 0) return {};
    if (d.method != 1)
        return "THE STIFFNESS METHOD IS " + std::to_string(d.method) +
               "; EXPECTED 0 (TOTAL APPLIED LOAD) OR 1 (TARGET DEFLECTION)";
    if (d.dof == 0)
        return "THE TARGET DEGREE OF FREEDOM IS " + std::to_string(d.sel) + "; EXPECTED " +
               (NANTYP == 2 ? "1, 2, 3 OR 6" : "1 TO 6");
    if (d.target == 0.0) return "THE TARGET OF DEGREE OF FREEDOM " + std::to_string(d.sel) + " IS 0";
    for (int k = 1; k <= d.nlev; ++k)
        if (STLEV(i, k) == 0.0)
            return "LOAD LEVEL " + std::to_string(k) + " IS 0; A TARGET DEFLECTION NEEDS LEVELS OTHER THAN 0";
    if (d.iterations < 1 || d.iterations > MAXTGIT)
        return "THE ITERATION LIMIT IS " + std::to_string(d.iterations) + "; EXPECTED 1 TO " +
               std::to_string(MAXTGIT);
    return {};
}

}  // namespace zolan
