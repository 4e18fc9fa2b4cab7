// Estimation points of a load case: the flexibility points (one cap degree
// of freedom at a time, at each level), the stiffness levels with the
// iteration of the load factor towards a target deflection, and the full
// load last.
#include "control/estimation_points.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "capstiff/capstiff_services.h"
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

// 1e-4 as a single-precision constant.
constexpr double SMALL_DEF = static_cast<double>(1e-4f);

int model_dofs() { return NANTYP == 2 ? 3 : 6; }

// Opens a run file by name; a failure gives status 38.
bool open_by_name(int unit, const std::string& name, io::Access access, int& ISTAT) {
    std::string why;
    if (io::open_unit(unit, name, {access}, &why)) return true;
    file_failure(ISTAT, "    " + why);
    return false;
}

// Full load of a flexibility case (IPOINT = NPTS).
void flexibility_full_load(int i, CaseLoads& v, int& lddopen, const EstimationSolve& solve, int& nt, int& ISTAT) {
    int NDOF = model_dofs();
    // 1. Stiffness report from the flexibility records.
    int six = 6;
    STFREP(LCKIND(i, 3), LCKIND(i, 4), nt, NDOF, six, PTFAC);
    // 2-3. The full load, as for an ordinary case.
    nt = 1;
    KESTIM = 0;
    assemble_case_loads(i, v, CaseDistributed::CaseAndHeads);
    v.applied = v.LFULL;
    if (LCPOD(i) == 1) v.PDDISP = v.PDSAVE;
    io::write_fmt(RUNFILE, F_TOTAL_RUN);
    io::flush_unit(RUNFILE);
    io::write_fmt(ITERTRC, F_TOTAL_TRC);
    io::flush_unit(ITERTRC);
    io::write_fmt(STATFILE, F_TOTAL_STAT);
    solve(ISTAT);
    if (ISTAT != 0) return;
    LDDTAB(KESTIM, IPOINT, nt, NANTYP, NDOF, lddopen);
}

void flexibility_points(int i, CaseLoads& v, int& lddopen, const EstimationSolve& solve, int& ISTAT) {
    int NDOF = model_dofs();
    int nt = NPTIN;
    for (IPOINT = 1; IPOINT <= NDOF; ++IPOINT) {
        // 1. No distributed loads at these points.
        KESTIM = 0;
        DLZERO();
        nt = NPTIN;
        KESTIM = 2;
        int skip = 0;
        // 2. Caption; a degree of freedom without load is skipped.
        int mode = 2;
        DOFHDR(mode, IPOINT, NANTYP, nt, NDOF, v.LFULL, skip);
        if (skip == 1) continue;
        // 3. The load-displacement scratch.
        if (!open_by_name(LDDFILE, FLDD, io::Access::Write, ISTAT)) return;
        lddopen = 1;
        // 4. One solve per level, the load in slot IPOINT only.
        for (ILOOP = 1; ILOOP <= std::min(nt, MAXSTL); ++ILOOP) {
            v.applied.fill(0.0);
            v.applied(IPOINT) = PTFAC(ILOOP) * v.LFULL(IPOINT);
            io::write_fmt(RUNFILE, F_DOF_RUN, {IPOINT, ILOOP});
            io::flush_unit(RUNFILE);
            io::write_fmt(STATFILE, F_DOF_STAT, {IPOINT, ILOOP});
            solve(ISTAT);
            if (ISTAT != 0) return;
        }
        // 5. Its load-displacement table.
        LDDTAB(KESTIM, IPOINT, nt, NANTYP, NDOF, lddopen);
    }
    IPOINT = NPTS;
    flexibility_full_load(i, v, lddopen, solve, nt, ISTAT);
}

// The applied load of a target trial: the factor on every slot, or on slot
// IDOFTG only.
void scale_trial_load(CaseLoads& v, bool dof_only) {
    v.applied = v.LFULL;
    if (dof_only && IDOFTG >= 1 && IDOFTG <= 6) {
        v.applied(IDOFTG) *= LDFACT;
    } else {
        for (int k = 1; k <= 6; ++k) v.applied(k) *= LDFACT;
    }
}

void stiffness_points(int i, CaseLoads& v, int& lddopen, const EstimationSolve& solve, int& ISTAT) {
    int NDOF = model_dofs();
    const StiffnessData d = decode_stiffness_levels(i);
    int n = d.nlev;
    int method = d.method;
    int axialflag = d.axial ? 1 : 0;
    const bool target = method == 1;
    const bool dof_only = method != 0 && d.dof_only;
    CAPMAT work;
    int nt = 1;
    for (IPOINT = 1; IPOINT <= NPTS; ++IPOINT) {
        // 1. Loads of the case.
        KESTIM = 0;
        assemble_case_loads(i, v, CaseDistributed::CaseAndHeads);
        // 2. The full load, last.
        if (IPOINT == NPTS) {
            KTGT = 0;
            assemble_case_loads(i, v, CaseDistributed::CaseAndHeads);
            if (LCPOD(i) == 1) v.PDDISP = v.PDSAVE;
            io::write_fmt(RUNFILE, F_TOTAL_RUN);
            io::flush_unit(RUNFILE);
            io::write_fmt(STATFILE, F_TOTAL_STAT);
            v.applied = v.LFULL;
            solve(ISTAT);
            return;
        }
        // 3. A level.
        double level = PTFAC(IPOINT);
        // 3.1 Heading at the first level.
        nt = 1;
        if (IPOINT == 1) {
            KTGT = 0;
            CAPHDR(method);
        }
        // 3.2 Iteration limit and tolerance; the history holds MAXHIST pairs.
        KTGT = 1;
        if (target) {
            nt = std::min(d.iterations, MAXTGIT);
            TGTTOL = d.tolerance;
        } else {
            TGTTOL = 1.0;
        }
        // 3.3 History seeded by the first pair of the first level.
        if (IPOINT > 1) {
            NHIST = 1;
            FACHIST(1, 1) = DEFLST;
            FACHIST(2, 1) = FACLST;
        } else {
            NHIST = 0;
        }
        // 3.4-3.5 Target slot and target of the level.
        IDOFTG = d.dof;
        LDFACT = level;
        DEFTGT = d.dof > 0 ? d.target * level : 0.0;
        // 3.6 The load of the level.
        if (dof_only && IDOFTG >= 1 && IDOFTG <= NDOF) {
            v.LFULL(IDOFTG) *= level;
        } else {
            for (int k = 1; k <= NDOF; ++k) v.LFULL(k) *= level;
        }
        // 3.7 Level lines.
        const int levels = NPTS - 1;
        io::write_fmt(RUNFILE, F_LEVEL_RUN, {IPOINT, levels, level});
        io::flush_unit(RUNFILE);
        io::write_fmt(STATFILE, F_LEVEL_STAT, {IPOINT, levels, level});
        io::write_fmt(RESFILE, F_LEVEL_RES, {IPOINT, level});
        // A target level without a trial has nothing to report: it counts as failed.
        KTGRES = target && nt < 1 ? -1 : 0;
        // 3.8 Trials.
        for (ILOOP = 1; ILOOP <= nt; ++ILOOP) {
            // 3.8.1 Factor of the trial.
            if (target) {
                LDFACT = 1.0;
                if (NHIST == 1) {
                    v.applied = v.LFULL;
                } else {
                    TGTFAC();
                    scale_trial_load(v, dof_only);
                }
                io::write_fmt(RUNFILE, F_ITER_RUN, {NHIST, LDFACT});
                io::write_fmt(RUNFILE, F_ITER_LOAD, {v.applied(1), v.applied(2), v.applied(3), v.applied(4),
                                                     v.applied(5), v.applied(6)});
                io::flush_unit(RUNFILE);
                io::write_fmt(ITERTRC, F_ITER_TRC, {NHIST, LDFACT});
                io::flush_unit(ITERTRC);
            } else {
                v.applied = v.LFULL;
            }
            // 3.8.2
            io::write_fmt(STATFILE, F_ITER_STAT, {NHIST, LDFACT});
            // 3.8.3 Request to the solver.
            if (nt > 1) KTGRES = ILOOP < nt ? 2 : 1;
            else KTGRES = method == 0 ? 3 : 0;
            // 3.8.4
            solve(ISTAT);
            if (ISTAT != 0) return;
            // 3.8.5 Accepted or failed: the level ends; otherwise the pair joins the history.
            if (KTGRES <= 0) break;
            if (NHIST == 0) {
                DEFLST = DEFCMP;
                FACLST = LDFACT;
            }
            if (NHIST < MAXHIST) {
                ++NHIST;
                FACHIST(1, NHIST) = DEFCMP;
                FACHIST(2, NHIST) = LDFACT;
            }
        }
        // 3.9
        LDDTAB(KESTIM, IPOINT, nt, NANTYP, NDOF, lddopen);
        // 3.10 The stiffness of the level, or the failure line.
        if (KTGRES < 0) {
            io::write_fmt(PLOTDATA, F_LEVEL_FAILED, {IPOINT, level});
            continue;
        }
        if (!open_by_name(EQKFILE, FEQK, io::Access::Read, ISTAT)) return;
        EQKREAD();
        io::close_unit(EQKFILE);
        io::write_fmt(ESTTRC, F_TRACE_POINT, {IPOINT});
        CAPTSTF(n, axialflag, ISTAT, IPOINT, level, v.PTLOAD, v.PTDISP, work);
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

void ESTSETUP(int i) {
    if (KCASE <= 0) {
        NPTS = 1;
        return;
    }
    // 1. Point table.
    const int N = std::clamp(NSTLEV(i), 0, MAXSTL);
    PTFAC.fill(0.0);
    for (int k = 1; k <= N; ++k) PTFAC(k) = STLEV(i, k);
    NPTIN = N;
    // 2. Points: one per degree of freedom, or one per level, then the full load.
    NPTS = KCASE <= 10 ? model_dofs() + 1 : decode_stiffness_levels(i).nlev + 1;
}

void ESTHEAD(int i, int& ISTAT) {
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

void ESTPOINTS(int i, CaseLoads& v, int& lddopen, const EstimationSolve& solve, int& ISTAT) {
    if (KCASE <= 0) return;
    if (KCASE <= 10)
        flexibility_points(i, v, lddopen, solve, ISTAT);
    else
        stiffness_points(i, v, lddopen, solve, ISTAT);
}

void target_factor_from_history() {
    const int n = std::clamp(NHIST, 0, MAXHIST);
    if (n == 0) {
        LDFACT = 0.0;
        return;
    }
    if (n == 1) {
        const double D1 = FACHIST(1, 1), F1 = FACHIST(2, 1);
        LDFACT = std::abs(D1) > SMALL_DEF ? DEFTGT * F1 / D1 : 1.0;
        return;
    }
    // The newest pair moved to its place among the pairs ordered by factor.
    for (int k = n; k >= 2 && FACHIST(2, k) < FACHIST(2, k - 1); --k) {
        std::swap(FACHIST(1, k), FACHIST(1, k - 1));
        std::swap(FACHIST(2, k), FACHIST(2, k - 1));
    }
    // Pairs (k - 1, k) around the target.
    int k = 2;
    if (DEFTGT <= FACHIST(1, 1)) {
        k = 2;
    } else if (DEFTGT >= FACHIST(1, n)) {
        k = n;
    } else {
        k = 0;
        for (int j = 2; j <= n && k == 0; ++j)
            if (FACHIST(1, j) >= DEFTGT) k = j;
        if (k == 0) k = 2;
    }
    const double D0 = FACHIST(1, k - 1), D1 = FACHIST(1, k);
    const double F0 = FACHIST(2, k - 1), F1 = FACHIST(2, k);
    LDFACT = D1 != D0 ? F0 + (F1 - F0) * (DEFTGT - D0) / (D1 - D0) : F1;
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
