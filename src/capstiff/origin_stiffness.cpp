// Equivalent stiffness at the cap origin summed over the pile rows, and the
// stiffness-estimation reports.
#include "capstiff/origin_stiffness.h"

#include "capstiff/pile_head_stiffness.h"
#include "capstiff/target_factor.h"
#include "group/pile_axes.h"
#include "group/pile_row_loops.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/pile_rows.h"
#include "model/stiffness_tables.h"
#include "report/field_writers.h"
#include "report/run_files.h"

namespace zolan {
namespace {

const fmt::Format F_HEAD_REP(R"((/,/,5X,"* PILE CAP STIFFNESS ESTIMATION *"))");
const fmt::Format F_HEAD_PLOT(R"((5X,"* PILE CAP STIFFNESS ESTIMATION *"))");
const fmt::Format F_HEAD_RUN(R"((/,5X,"* PILE CAP STIFFNESS ESTIMATION *"))");
const fmt::Format F_METHOD_LOAD(R"((5X,"- BASED ON TOTAL APPLIED LOAD  "))");
const fmt::Format F_METHOD_TARGET(R"((5X,"- BASED ON TARGET DEFLECTION   "))");
const fmt::Format F_TRACE_NPILES(R"((5X,"NPILES=",I5))");
const fmt::Format F_MATRIX_EQM(R"((5X,"* EQV. STIFFNESS MATRIX AT ORIGIN *"))");
const fmt::Format F_MATRIX_RES(R"((/,10X,"* EQUIVALENT STIFFNESS MATRIX AT ORIGIN *"))");
const fmt::Format F_MATRIX_SUM(R"((/,10X,"* EQV. STIFFNESS MATRIX AT ORIGIN *"))");

// A B for square matrices of order n, every sum from its first term on.
template <int n>
Table2<double, n, n> product(const Table2<double, n, n>& A, const Table2<double, n, n>& B) {
    Table2<double, n, n> C;
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= n; ++i) {
            double a = 0.0;
            for (int k = 1; k <= n; ++k) a += A(i, k) * B(k, j);
            C(i, j) = a;
        }
    return C;
}

// Term of three-dimensional pile row r: Lt G Kp Gt L.
CAPMAT row_term_3d(int r, int axload, int& istat) {
    const PileTransform t = PILETR(r);
    const CAPMAT Kp = PHSTIF3(r, axload, istat);
    return product(t.LT, product(t.Q, product(Kp, product(t.QT, t.L))));
}

// Term of plane row r: PMULT(r) T Kp Tt in the upper 3 x 3 block.
CAPMAT row_term_2d(int r, int axload, int& istat) {
    const RowTransform2D t = TMAT2D(r);
    const MAT3 Kp = PHSTIF2(r, axload, istat);
    const MAT3 Kr = product(product(t.T, Kp), t.Tt);
    CAPMAT S;
    for (int j = 1; j <= 3; ++j)
        for (int i = 1; i <= 3; ++i) S(i, j) = PMULT(r) * Kr(i, j);
    return S;
}

// Matrix rows of n values: `lead` blanks, the row number in I5 when `number`,
// then each value as Rw.d followed by `gap` blanks.
void matrix_rows(int unit, const CAPMAT& K, int n, int lead, bool number, int w, int d, int gap) {
    for (int i = 1; i <= n; ++i) {
        WRBLNK(unit, lead);
        if (number) {
            WRINT(unit, 5, i);
            WRBLNK(unit, 4);
        }
        for (int j = 1; j <= n; ++j) {
            WRREAL(unit, w, d, K(i, j));
            WRBLNK(unit, gap);
        }
        WREOL(unit);
    }
}

// The matrix on RESFILE and SUMFILE: the column numbers, then the rows.
void report_matrix(int unit, const CAPMAT& K, int n) {
    WRBLNK(unit, 2);
    WRTEXT(unit, "  DOF");
    for (int j = 1; j <= n; ++j) {
        WRINT(unit, 11, j);
        WRBLNK(unit, 4);
    }
    WREOL(unit);
    for (int i = 1; i <= n; ++i) {
        WRBLNK(unit, 2);
        WRINT(unit, 5, i);
        for (int j = 1; j <= n; ++j) WRREAL(unit, 15, 5, K(i, j));
        WREOL(unit);
    }
}

// The matrix on PLOTDATA: the diagonal, then the rows with their numbers.
void plot_matrix(const CAPMAT& K, int n) {
    WRBLNK(PLOTDATA, 14);
    for (int i = 1; i <= n; ++i) {
        WRREAL(PLOTDATA, 18, 8, K(i, i));
        WRBLNK(PLOTDATA, 4);
    }
    WREOL(PLOTDATA);
    matrix_rows(PLOTDATA, K, n, 5, true, 18, 8, 4);
}

}  // namespace

void write_stiffness_heading(int method) {
    io::write_fmt(RESFILE, F_HEAD_REP);
    io::write_fmt(SUMFILE, F_HEAD_REP);
    io::write_fmt(PLOTDATA, F_HEAD_PLOT);
    io::write_fmt(RUNFILE, F_HEAD_RUN);
    io::flush_unit(RUNFILE);
    for (int unit : {RESFILE, SUMFILE}) io::write_fmt(unit, method == 0 ? F_METHOD_LOAD : F_METHOD_TARGET);
}

CAPMAT origin_stiffness(int axload, int& ISTAT) {
    // 1. K from zero.
    CAPMAT K;
    const bool plane = NANTYP == 2;
    // 2. The pile count on the trace.
    io::write_fmt(ESTTRC, F_TRACE_NPILES, {NPILES});
    if (NPILES < 1) return K;
    // 3. Each row's term into its slot, the slots summed in row order; a
    //    stop request read between rows ends the sum with status 4, before
    //    any report of the level.
    int kerr = 0;
    for_pile_rows(
        1, NPILES, SETTHR(NTHRREQ, NPILES, 0), ISTAT, kerr,
        [&](int r, RowReport& rep) {
            EQKROW(r) = plane ? row_term_2d(r, axload, rep.istat) : row_term_3d(r, axload, rep.istat);
        },
        true);
    for (int r = 1; r <= NPILES; ++r)
        for (int j = 1; j <= 6; ++j)
            for (int i = 1; i <= 6; ++i) K(i, j) += EQKROW(r)(i, j);
    return K;
}

void write_level_stiffness(const StiffnessLevel& level, const Table1<double, MAXSTL>& PTFAC, int& ISTAT) {
    const int n = NANTYP == 2 ? 3 : 6;
    const CAPMAT K = origin_stiffness(level.axialflag, ISTAT);
    if (ISTAT != 0) return;
    // 4. The matrix on its own file.
    io::write_fmt(EQMFILE, F_MATRIX_EQM);
    matrix_rows(EQMFILE, K, n, 5, false, 19, 5, 0);
    // 5. The point, its target and its load and displacement at the origin.
    ORIGWR(level.n, NANTYP, level.IPOINT, level.level, level.DEFCMP, level.DEFTGT, PTFAC, level.PTLOAD,
           level.PTDISP);
    // 6-7. The matrix on the reports.
    io::write_fmt(RESFILE, F_MATRIX_RES);
    io::write_fmt(SUMFILE, F_MATRIX_SUM);
    report_matrix(RESFILE, K, n);
    report_matrix(SUMFILE, K, n);
    // 8. The diagonal and the rows on the plot data.
    plot_matrix(K, n);
}

}  // namespace zolan
