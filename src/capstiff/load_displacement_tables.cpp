// Load-displacement and flexibility tables of one degree of freedom of a cap
// flexibility estimation, read from the load-displacement scratch file: per
// load level the load P, the cap displacements U and the flexibilities
// S = U / P (a level without convergence is marked as such).
#include <algorithm>
#include <string>
#include <vector>

#include "capstiff/flexibility_reports.h"
#include "model/run_state.h"
#include "model/status_codes.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "report/unit_labels.h"

namespace zolan {
namespace {

const fmt::Format F_LD3_FORCE(
    R"((/,5X,"    N",5X,"FORCE,",A3,1X,/,15X,"DISP X,",A2,6X,"DISP Y,",A2,6X,"DISP Z,",A2,6X,"ROT X,",A3,6X,"ROT Y,",A3,6X,"ROT Z,",A3))");
const fmt::Format F_LD3_MOMENT(
    R"((/,5X,"    N",2X,"MOMENT,",A2,A1,A3,/,15X,"DISP X,",A2,6X,"DISP Y,",A2,6X,"DISP Z,",A2,6X,"ROT X,",A3,6X,"ROT Y,",A3,6X,"ROT Z,",A3))");
const fmt::Format F_LD2_FORCE(
    R"((/,5X,"    N",7X,"FORCE,",A3,5X,"VERT. DISP,",A2,4X,"HOR. DISP Y,",A2,4X,"ROTATION Z,",A3))");
const fmt::Format F_LD2_MOMENT(
    R"((/,5X,"    N",5X,"MOMENT,",A2,A1,A3,3X,"VERT. DISP,",A2,4X,"HOR. DISP Y,",A2,4X,"ROTATION Z,",A3))");
const fmt::Format F_NOCONV(R"((5X,I5,5X,"NO CONVERGENCE ON PILE CAP"))");
const fmt::Format F_S3_CAPTION(R"((/,5X,"    N",6(:,9X,"S",I1,I1,3X)))");
const fmt::Format F_S2_CAPTION(R"((/,5X,"    N",2X,6(:,7X,"S",I1,I1,5X)))");
const fmt::Format F_S3_FORCE("(9X,3(7X,A2,A1,A3,2X),3(6X,A3,A1,A3,2X))");
const fmt::Format F_S3_MOMENT("(9X,3(5X,A2,A1,A2,A1,A3,1X),3(5X,A3,A1,A2,A1,A3))");
const fmt::Format F_S2_FORCE("(13X,2(5X,A2,A1,A3,7X),4X,A3,A1,A3,7X)");
const fmt::Format F_S2_MOMENT("(15X,2X,A2,A1,A2,A1,A3,9X,A2,A1,A2,A1,A3,9X,A3,A1,A2,A1,A3,8X)");

std::string_view L2() { return ULEN2.view(); }
std::string_view F3() { return UFOR3.view(); }
std::string_view R3() { return URAD.view(); }
std::string_view SL() { return USLASH.view(); }
std::string_view DA() { return UDASH.view(); }

// Step 2: the heading of the load-displacement table.
void load_heading(bool plane, bool moment) {
    if (!moment) {
        if (plane) io::write_fmt(RESFILE, F_LD2_FORCE, {F3(), L2(), L2(), R3()});
        else io::write_fmt(RESFILE, F_LD3_FORCE, {F3(), L2(), L2(), L2(), R3(), R3(), R3()});
    } else if (plane) {
        io::write_fmt(RESFILE, F_LD2_MOMENT, {L2(), DA(), F3(), L2(), L2(), R3()});
    } else {
        io::write_fmt(RESFILE, F_LD3_MOMENT, {L2(), DA(), F3(), L2(), L2(), L2(), R3(), R3(), R3()});
    }
}

// Step 5: the caption of the flexibilities S(j, i) and their units line, on
// the results report in the model's form, on the summary in the plane form.
void flexibility_heading(bool plane, bool moment, int i, int NDOF) {
    std::vector<fmt::Item> caption;
    for (int j = 1; j <= NDOF; ++j) caption.insert(caption.end(), {j, i});
    std::vector<fmt::Item> units;
    const fmt::Format* f = nullptr;
    if (plane) {
        f = moment ? &F_S2_MOMENT : &F_S2_FORCE;
        if (moment) units = {L2(), SL(), L2(), DA(), F3(), L2(), SL(), L2(), DA(), F3(), R3(), SL(), L2(), DA(), F3()};
        else units = {L2(), SL(), F3(), L2(), SL(), F3(), R3(), SL(), F3()};
    } else {
        f = moment ? &F_S3_MOMENT : &F_S3_FORCE;
        for (int k = 1; k <= 6; ++k) {
            const std::string_view top = k <= 3 ? L2() : R3();
            if (moment) units.insert(units.end(), {top, SL(), L2(), DA(), F3()});
            else units.insert(units.end(), {top, SL(), F3()});
        }
    }
    io::write_fmt(RESFILE, plane ? F_S2_CAPTION : F_S3_CAPTION, caption);
    io::write_fmt(RESFILE, *f, units);
    io::write_fmt(SUMFILE, F_S2_CAPTION, caption);
    io::write_fmt(SUMFILE, *f, units);
}

// Level N, P and U(1..n) in the results report's two lines.
void load_rows(bool plane, int N, double P, const CAPVEC& U, int n) {
    const int w = plane ? 14 : 15;
    WRBLNK(RESFILE, 5);
    WRINT(RESFILE, 5, N);
    if (plane) WRBLNK(RESFILE, 7);
    WRREAL(RESFILE, w, 5, P);
    WREOL(RESFILE);
    WRBLNK(RESFILE, 10);
    for (int k = 1; k <= n; ++k) {
        WRREAL(RESFILE, w, 5, U(k));
        if (plane) WRBLNK(RESFILE, 4);
    }
    WREOL(RESFILE);
}

// Step 3.3: the level's plot-data row: N as read, P, U(i), then U(1..n).
void plot_row(int N, double P, double Ui, const CAPVEC& U, int n) {
    WRBLNK(PLOTDATA, 5);
    WRINT(PLOTDATA, 5, N);
    WRBLNK(PLOTDATA, 4);
    for (int k = -1; k <= n; ++k) {
        WRREAL(PLOTDATA, 18, 8, k == -1 ? P : k == 0 ? Ui : U(k));
        WRBLNK(PLOTDATA, 4);
    }
    WREOL(PLOTDATA);
}

// Level N and S(1..n) as a row of the flexibility table on `unit`.
void flexibility_row(int unit, bool plane, int N, const ESTROW& S, int n) {
    WRBLNK(unit, 5);
    WRINT(unit, 5, N);
    if (plane) WRBLNK(unit, 7);
    for (int k = 1; k <= n; ++k) {
        WRREAL(unit, plane ? 14 : 15, 5, S(k));
        if (plane) WRBLNK(unit, 4);
    }
    WREOL(unit);
}

// Steps 1 to 4: the load-displacement table. False on a failed open or read.
bool load_table(bool plane, bool moment, int i, int nlev, int n, int& ISTAT) {
    io::close_unit(LDDFILE);
    if (!open_scratch(LDDFILE, FLDD, ISTAT)) return false;
    load_heading(plane, moment);
    for (int l = 1; l <= nlev; ++l) {
        int N = 0;
        ESTROW row, S;
        if (!read_est_row(LDDFILE, N, row, n + 1, ISTAT)) return false;
        CAPVEC U;
        for (int k = 1; k <= n; ++k) U(k) = row(k + 1);
        if (N > 0) load_rows(plane, N, row(1), U, n);
        else io::write_fmt(RESFILE, F_NOCONV, {-N});
        plot_row(N, row(1), U(i), U, n);
        if (!read_est_row(LDDFILE, N, S, n, ISTAT)) return false;
    }
    io::close_unit(LDDFILE);
    return true;
}

}  // namespace

bool open_scratch(int unit, const std::string& name, int& ISTAT) {
    std::string why;
    if (io::open_unit(unit, name, {io::Access::Read}, &why)) return true;
    if (ISTAT == 0) ISTAT = ISFILE;
    FAILTXT.push_back("    " + why);
    return false;
}

bool read_est_row(int unit, int& level, ESTROW& v, int n, int& ISTAT) {
    n = std::clamp(n, 0, 7);
    v.fill(0.0);
    std::vector<fmt::Target> t{fmt::Target(level)};
    for (int k = 1; k <= n; ++k) t.emplace_back(v(k));
    const fmt::ReadStatus st = io::read_list(unit, t);
    if (st.ok()) return true;
    if (ISTAT == 0) ISTAT = ISFILE;
    FAILTXT.push_back("    " + st.message);
    io::close_unit(unit);
    return false;
}

int LDDREP(int KESTIM, int IPOINT, int nlev, int NANTYP, int /*NDOF*/, int lddopen, int& ISTAT) {
    if (KESTIM != 2) return lddopen;
    // The model decides the number of values per row; every path leaves the
    // file closed.
    const bool plane = NANTYP == 2;
    const int n = plane ? 3 : 6;
    const int i = std::clamp(IPOINT, 1, n);
    const bool moment = i >= (plane ? 3 : 4);
    // 1-4. The load-displacement table, one pass over the file.
    if (!load_table(plane, moment, i, nlev, n, ISTAT)) return 0;
    // 5. The flexibility heading.
    flexibility_heading(plane, moment, i, n);
    // 6-8. The flexibility table, a second pass.
    if (!open_scratch(LDDFILE, FLDD, ISTAT)) return 0;
    for (int l = 1; l <= nlev; ++l) {
        int N = 0;
        ESTROW S;
        if (!read_est_row(LDDFILE, N, S, n, ISTAT) || !read_est_row(LDDFILE, N, S, n, ISTAT)) return 0;
        for (int u : {RESFILE, SUMFILE}) {
            if (N > 0) flexibility_row(u, plane, N, S, n);
            else io::write_fmt(u, F_NOCONV, {-N});
        }
    }
    io::close_unit(LDDFILE);
    return 0;
}

}  // namespace zolan
