// Records of the estimation points of the three-dimensional cap solver.
#include "group/estimation_records3d.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/input_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/single_precision.h"
#include "model/stiffness_tables.h"
#include "report/field_writers.h"
#include "report/run_files.h"

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

// Accepted level: the tangent matrix at the origin, the equivalent-stiffness
// pass and the per-pile stiffnesses.
void accept_level(const CAPMAT& Kc, const CapForces& fvec, int& ISTAT) {
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
    CAPSTAT(1);
    KFLAG = 0;
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
    // 1. The displacement reached and its relative error.
    ans.DEFCMP = rq.IDOFTG >= 1 && rq.IDOFTG <= 6 ? U(rq.IDOFTG) : 0.0;
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
            KFLAG = 0;
            return;
        }
        ans.KTGRES = 0;
        break;
    }
    // 3. Accepted level.
    accept_level(Kc, fvec, ISTAT);
}

void EQSTWR() {
    for (int p = 1; p <= NPILES; ++p) {
        io::write_fmt(EQKFILE, F_EQK_PILE, {p});
        io::write_fmt(EQKFILE, F_EQK_TOP);
        for (int k = 1; k <= 3; ++k) WRREAL(EQKFILE, 17, 8, EQKTOP(p, k));
        WREOL(EQKFILE);
        io::write_fmt(EQKFILE, F_EQK_ALONG);
        WRBLNK(EQKFILE, 6);
        WRREAL(EQKFILE, 16, 8, EQKTOP(p, 4));
        WREOL(EQKFILE);
        const int last = std::min(NINCR(IPROP(p)), MAXINC) + 4;
        for (int n = 4; n <= last; ++n) {
            WRBLNK(EQKFILE, 6);
            WRREAL(EQKFILE, 16, 8, EQKNODE(p, n, 1));
            WRREAL(EQKFILE, 17, 8, EQKNODE(p, n, 2));
            WRREAL(EQKFILE, 17, 8, EQKNODE(p, n, 3));
            WREOL(EQKFILE);
        }
    }
}

}  // namespace zolan
