// Records of the estimation points of the three-dimensional cap solver.
#include "group/estimation_records3d.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/result_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/single_precision.h"
#include "model/stiffness_tables.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "results/results_services.h"

namespace zolan {
namespace {

const double Q_MIN = f32(1e-14f);  // a load below this leaves the displacements as they are

// One record of the flexibility, load-displacement and equivalent-stiffness
// files: the level number, then up to seven values.
const fmt::Format F_EST_REC("(5X,I5,2X,1P,7(G18.8,3X))");

void est_record(int unit, int level, std::initializer_list<double> values) {
    ESTREC(unit, level, std::span<const double>(values.begin(), values.size()));
}
void est_record(int unit, int level, const CAPVEC& v, double scale = 1.0) {
    est_record(unit, level, {v(1) / scale, v(2) / scale, v(3) / scale, v(4) / scale, v(5) / scale, v(6) / scale});
}

const fmt::Format F_TGT_LIMIT(
    "(/,5X,'STIFFNESS ESTIMATION, ',' MAX. ITER. REACHED, ',' COMPUTED DEF.: ',F11.4,' TARGET DEF.: ',F11.4,"
    "' ERROR(%): ',F11.4)");
const fmt::Format F_TGT_TRIAL(
    "(/,5X,'STIFFNESS ESTIMATION, ',' COMPUTED DEF.: ',F11.4,' TARGET DEF.: ',F11.4,' ERROR(%): ',F11.4)");
const fmt::Format F_EQK_MATRIX("(5X,'* EQV. STIFFNESS MATRIX AT ORIGIN *')");
const fmt::Format F_EQK_PILE("('* PILE GROUP *',I6)");
const fmt::Format F_EQK_TOP("(7X,'* PILE TOP EQUIVALENT STIFFNESSES')");
const fmt::Format F_EQK_ALONG("(7X,'* EQUIVALENT STIFFNESSES ALONG PILE')");

// Target comparison of a level with a solution, v the displacement reached:
// answers KTGRES and DEFCMP; true when the level is accepted (a trial
// outside its tolerance writes status line 10).
bool target_accepted(const SolveRequest& rq, double v, SolveAnswer& ans) {
    // 1. The displacement reached and its relative error.
    ans.DEFCMP = v;
    const double e = std::abs((ans.DEFCMP - rq.DEFTGT) / rq.DEFTGT);
    // 2. Accept, or send the trial back.
    ans.KTGRES = rq.KTGRES;
    switch (rq.KTGRES) {
    case 3:
        ans.KTGRES = 0;
        break;
    case 1:
        io::write_fmt(RUNFILE, F_TGT_LIMIT, {ans.DEFCMP, rq.DEFTGT, 100.0 * e});
        break;
    default:
        io::write_fmt(RUNFILE, F_TGT_TRIAL, {ans.DEFCMP, rq.DEFTGT, 100.0 * e});
        if (e > rq.TGTTOL / 100.0) {
            CAPSTAT(10);
            return false;
        }
        ans.KTGRES = 0;
        break;
    }
    return true;
}

// The status line of an accepted level: a level whose load stepping stopped
// short of its load (TCUR, set by the result pass) is a partial solution.
void level_status(const SolveRequest& rq, double tconv) { ANLSTAT(rq, tconv < 1.0 ? 2 : 1, tconv); }

// Accepted level: the tangent matrix at the origin, the equivalent-stiffness
// pass and the per-pile stiffnesses.
void accept_level(const SolveRequest& rq, const CAPMAT& Kc, const CapForces& fvec, int& ISTAT) {
    const double tconv = TCUR;
    // 1. Kc as assembled, row by row.
    io::write_fmt(EQKFILE, F_EQK_MATRIX);
    for (int i = 1; i <= 6; ++i) {
        WRBLNK(EQKFILE, 5);
        for (int j = 1; j <= 6; ++j) WRREAL(EQKFILE, 19, 5, Kc(i, j));
        WREOL(EQKFILE);
    }
    // 2. The pile rows store EQKTOP and EQKNODE at the level's displacement.
    KFLAG = 2;
    CAPVEC F;
    fvec(F, ISTAT);
    // 3. Their stiffnesses on the file, then the status line.
    EQSTWR();
    level_status(rq, tconv);
    KFLAG = 0;
}

// The equivalent stiffnesses of every pile row: its heading, the first
// ntop head values, the increment length (the next head value), and per
// real node its distance from the head and nspring springs.
void eq_blocks(int ntop, int nspring) {
    for (int p = 1; p <= NPILES; ++p) {
        io::write_fmt(EQKFILE, F_EQK_PILE, {p});
        io::write_fmt(EQKFILE, F_EQK_TOP);
        for (int k = 1; k <= ntop; ++k) WRREAL(EQKFILE, 17, 8, EQKTOP(p, k));
        WREOL(EQKFILE);
        io::write_fmt(EQKFILE, F_EQK_ALONG);
        WRBLNK(EQKFILE, 6);
        WRREAL(EQKFILE, 16, 8, EQKTOP(p, ntop + 1));
        WREOL(EQKFILE);
        const int last = std::min(NINCR(IPROP(p)), MAXINC) + 4;
        for (int n = 4; n <= last; ++n) {
            WRBLNK(EQKFILE, 6);
            WRREAL(EQKFILE, 16, 8, EQKNODE(p, n, 1));
            for (int k = 2; k <= nspring + 1; ++k) WRREAL(EQKFILE, 17, 8, EQKNODE(p, n, k));
            WREOL(EQKFILE);
        }
    }
}

}  // namespace

void ESTREC(int unit, int level, std::span<const double> values) {
    std::vector<fmt::Item> items{level};
    for (double v : values.first(std::min<std::size_t>(values.size(), 7))) items.emplace_back(v);
    io::write_fmt(unit, F_EST_REC, items);
}

void FLEXREC3D(int iloop, double q, const CAPVEC& U) {
    // 1. The load reached and the displacements.
    est_record(LDDFILE, iloop, {q, U(1), U(2), U(3), U(4), U(5), U(6)});
    // 2. The displacements per unit load (as they are for a vanishing load).
    const double scale = std::abs(q) < Q_MIN ? 1.0 : q;
    est_record(LDDFILE, iloop, U, scale);
    est_record(FLEXFILE, iloop, U, scale);
}

void FLEXFAIL3D(int iloop, int ipoint) {
    est_record(LDDFILE, -iloop, {0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0});
    est_record(LDDFILE, -iloop, {0.0, 0.0, 0.0, 0.0, 0.0, 0.0});
    CAPVEC unit;
    unit.fill(0.0);
    if (ipoint >= 1 && ipoint <= 6) unit(ipoint) = 1.0;
    est_record(FLEXFILE, iloop, unit);
}

void TGTLVL3D(const SolveRequest& rq, const CAPVEC& U, const CAPMAT& Kc, const CapForces& fvec, SolveAnswer& ans,
              int& ISTAT) {
    // 1-2. The comparison with the target.
    if (!target_accepted(rq, rq.IDOFTG >= 1 && rq.IDOFTG <= 6 ? U(rq.IDOFTG) : 0.0, ans)) {
        KFLAG = 0;
        return;
    }
    // 3. Accepted level.
    accept_level(rq, Kc, fvec, ISTAT);
}

void FLEXREC2D(int iloop, double q, double p, const CAPVEC& U) {
    est_record(LDDFILE, iloop, {q, U(1), U(2), U(3)});
    const double scale = std::abs(p) < Q_MIN ? 1.0 : q;
    for (int unit : {LDDFILE, FLEXFILE}) est_record(unit, iloop, {U(1) / scale, U(2) / scale, U(3) / scale});
}

void FLEXFAIL2D(int iloop, int ipoint) {
    est_record(LDDFILE, -iloop, {0.0, 0.0, 0.0, 0.0});
    est_record(LDDFILE, -iloop, {0.0, 0.0, 0.0});
    est_record(FLEXFILE, iloop, {ipoint == 1 ? 1.0 : 0.0, ipoint == 2 ? 1.0 : 0.0, ipoint == 3 ? 1.0 : 0.0});
}

void TGTLVL2D(const SolveRequest& rq, const CAPVEC& U, const MAT3& Jc, const CapForces& fvec, SolveAnswer& ans,
              int& ISTAT) {
    // 1-4. The comparison with the target.
    const double tconv = TCUR;
    KFLAG = 0;
    if (!target_accepted(rq, rq.IDOFTG >= 1 && rq.IDOFTG <= 3 ? U(rq.IDOFTG) : 0.0, ans)) return;
    // 5. The Jacobian at the origin, row by row.
    io::write_fmt(EQKFILE, F_EQK_MATRIX);
    for (int i = 1; i <= 3; ++i) {
        WRBLNK(EQKFILE, 5);
        for (int j = 1; j <= 3; ++j) WRREAL(EQKFILE, 19, 5, Jc(i, j));
        WREOL(EQKFILE);
    }
    // 6. The equivalent-stiffness pass; the current result set is cleared so
    //    that the writer shows no records of an earlier analysis.
    RESCUR.zero();
    KFLAG = 2;
    CAPVEC F;
    F.fill(0.0);
    fvec(F, ISTAT);
    KFLAG = 0;
    if (ISTAT != 0) return;
    // 7-8. The rows' stiffnesses, the pile tables, the status line.
    KPRCUR = KPRINT;
    NPRCUR = NPRINC;
    EQSTF2D();
    ENVEWR2D(0, 0);
    level_status(rq, tconv);
}

void EQSTF2D() { eq_blocks(2, 1); }

void EQSTWR() { eq_blocks(3, 2); }

}  // namespace zolan
