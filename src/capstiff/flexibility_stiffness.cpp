// Cap stiffness at each load level of a flexibility estimation: the
// flexibility rows of the level (column j: the cap displacements per unit
// load in degree of freedom j) form F, and K = F^-1, or with the diagonal
// switch K(j, j) = 1 / F(j, j). A degree of freedom without a measured
// flexibility (its own coefficient exactly 1.0, the unit row of an unloaded
// or unconverged level) is named in a warning and prints 1.0.
#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "capstiff/flexibility_reports.h"
#include "group/matrix_kernels.h"
#include "model/run_state.h"
#include "report/field_writers.h"
#include "report/run_files.h"

namespace zolan {
namespace {

const fmt::Format F_HEAD_REP(R"((/,/,5X,"* PILE CAP STIFFNESS ESTIMATION *"))");
const fmt::Format F_HEAD_RUN(R"((5X,"* PILE CAP STIFFNESS ESTIMATION *"))");
const fmt::Format F_LEVEL_REP(R"((/,4X,"   N:",I5,"  FACTOR :",F10.4))");
const fmt::Format F_LEVEL_PLOT(R"((4X,"   N:",I5,"  FACTOR :",F10.4))");
const fmt::Format F_FULL2(R"((5X," DOF ",4X,6(:,I9,9X)))");
const fmt::Format F_FULL3(R"((2X,"  DOF",6(:,I11,4X)))");
const fmt::Format F_DIAG2(R"((5X,"     ",3X,6(:,7X,"K",I1,I1,8X)))");
const fmt::Format F_DIAG3(R"((2X,5X,6(:,9X,"K",I1,I1,3X)))");
const fmt::Format F_WARN(
    R"f((/,5X,"WARNING : STIFFNESS VALUES FOR COMPONENT(S): ",A,/,5X,"WERE NOT ESTIMATED SINCE THERE WAS ","NO CONVERGENCE ON PILE CAP ","OR APPLIED FORCE AT CAP IS ZERO",/,5X,"VALUE OF 1.0 IS PRINTED FOR THE STIFFNESS(ES)",/))f");

// The work matrix of a level, 6 x 6 by columns, and its components without a
// measured flexibility.
struct Level {
    CAPMAT K;
    std::vector<int> missing;
};

// Step 3.2: F of level p from FLEXFILE, read from its start. False on a
// failed open or read.
bool read_level(int p, int nlev, int n, bool diagonal, Level& lv, int& ISTAT) {
    if (!open_scratch(FLEXFILE, FFLEX, ISTAT)) return false;
    lv.K.fill(0.0);
    lv.missing.clear();
    for (int j = 1; j <= n; ++j) {
        ESTROW V;
        int level = 0;
        for (int r = 1; r <= p; ++r)
            if (!read_est_row(FLEXFILE, level, V, n, ISTAT)) return false;
        if (V(j) == 1.0) lv.missing.push_back(j);
        if (diagonal) lv.K(j, j) = V(j);
        else
            for (int i = 1; i <= n; ++i) lv.K(i, j) = V(i);
        for (int r = p + 1; r <= nlev; ++r)
            if (!read_est_row(FLEXFILE, level, V, 0, ISTAT)) return false;
    }
    io::close_unit(FLEXFILE);
    return true;
}

// Step 3.4: K = F^-1. A singular F has no inverse: the components whose
// flexibility is lost (with the diagonal switch those of a zero diagonal
// term, else all) print 1.0 and join the warning, never a quotient by zero.
void invert_level(int n, bool diagonal, Level& lv) {
    const CAPMAT F = lv.K;
    if (MATINV(std::span<double>(&lv.K(1, 1), 36), n, 6) == 0) return;
    lv.K.fill(0.0);
    std::vector<int> lost = lv.missing;
    for (int j = 1; j <= n; ++j) {
        const bool gone = !diagonal || !(F(j, j) != 0.0);
        lv.K(j, j) = gone ? 1.0 : 1.0 / F(j, j);
        if (gone && std::find(lost.begin(), lost.end(), j) == lost.end()) lost.push_back(j);
    }
    std::sort(lost.begin(), lost.end());
    lv.missing = lost;
}

// Step 3.6: the matrix on the results report and the summary.
void matrix_rows(bool plane, int n, bool diagonal, const CAPMAT& K) {
    std::vector<fmt::Item> head;
    for (int i = 1; i <= n; ++i) {
        head.emplace_back(i);
        if (diagonal) head.emplace_back(i);
    }
    const int w = plane ? 14 : 15;
    for (int u : {RESFILE, SUMFILE}) {
        io::write_fmt(u, diagonal ? (plane ? F_DIAG2 : F_DIAG3) : (plane ? F_FULL2 : F_FULL3), head);
        for (int i = 1; i <= (diagonal ? 1 : n); ++i) {
            if (diagonal) {
                WRBLNK(u, plane ? 24 : 7);
            } else {
                WRBLNK(u, plane ? 5 : 2);
                WRINT(u, 5, i);
                if (plane) WRBLNK(u, 4);
            }
            for (int j = 1; j <= n; ++j) {
                WRREAL(u, w, 5, diagonal ? K(j, j) : K(i, j));
                if (plane) WRBLNK(u, 4);
            }
            WREOL(u);
        }
    }
}

// Step 3.7: the components without an estimate, on the summary then the
// results report.
void missing_warning(const std::vector<int>& missing) {
    if (missing.empty()) return;
    std::string names;
    for (std::size_t k = 0; k < missing.size(); ++k) {
        const std::string d = std::to_string(missing[k]);
        names += "K" + d + d + (k + 1 < missing.size() ? ", " : "  ");
    }
    for (int u : {SUMFILE, RESFILE}) io::write_fmt(u, F_WARN, {names});
}

// Step 3.8: the plot-data rows, the diagonal and then the whole matrix.
void plot_rows(int n, const CAPMAT& K) {
    WRBLNK(PLOTDATA, 14);
    for (int i = 1; i <= n; ++i) {
        WRREAL(PLOTDATA, 18, 8, K(i, i));
        WRBLNK(PLOTDATA, 4);
    }
    WREOL(PLOTDATA);
    for (int i = 1; i <= n; ++i) {
        WRBLNK(PLOTDATA, 5);
        WRINT(PLOTDATA, 5, i);
        WRBLNK(PLOTDATA, 4);
        for (int j = 1; j <= n; ++j) {
            WRREAL(PLOTDATA, 18, 8, K(i, j));
            WRBLNK(PLOTDATA, 4);
        }
        WREOL(PLOTDATA);
    }
}

// Both bodies: plane (n = 3) and three-dimensional layouts.
void stiffness_report(bool plane, int report, int diagonal, int nlev, const Table1<double, MAXSTL>& PTFAC,
                      int& ISTAT) {
    if (report != 1) return;
    const int n = plane ? 3 : 6;
    const bool diag = diagonal == 1;
    // 1. Headings.
    for (int u : {RESFILE, SUMFILE}) io::write_fmt(u, F_HEAD_REP);
    for (int u : {PLOTDATA, RUNFILE}) io::write_fmt(u, F_HEAD_RUN);
    io::flush_unit(RUNFILE);
    // 2. The rows are read from the file's start.
    io::close_unit(FLEXFILE);
    // 3. Each level.
    for (int p = 1; p <= std::min(nlev, MAXSTL); ++p) {
        Level lv;
        if (!read_level(p, nlev, n, diag, lv, ISTAT)) return;
        invert_level(n, diag, lv);
        for (int u : {RESFILE, SUMFILE}) io::write_fmt(u, F_LEVEL_REP, {p, PTFAC(p)});
        io::write_fmt(PLOTDATA, F_LEVEL_PLOT, {p, PTFAC(p)});
        matrix_rows(plane, n, diag, lv.K);
        missing_warning(lv.missing);
        plot_rows(n, lv.K);
    }
}

}  // namespace

void STFLEV(int report, int diagonal, int nlev, int NDOF, int lead, const Table1<double, MAXSTL>& PTFAC,
            int& ISTAT) {
    if (NDOF == 3) stiffness_report(true, report, diagonal, nlev, PTFAC, ISTAT);
    else STFREP3(report, diagonal, nlev, NDOF, lead, PTFAC, ISTAT);
}

void STFREP3(int report, int diagonal, int nlev, int /*NDOF*/, int /*lead*/, const Table1<double, MAXSTL>& PTFAC,
             int& ISTAT) {
    stiffness_report(false, report, diagonal, nlev, PTFAC, ISTAT);
}

}  // namespace zolan
