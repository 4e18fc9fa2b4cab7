// Pile-top summary tables of the plane model.
#include "results/pile_top_summary_plane.h"

#include <string>
#include <vector>

#include "model/run_state.h"
#include "model/status_codes.h"
#include "report/field_writers.h"
#include "report/fortran_format.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "results/pile_top_summary.h"
#include "results/work_file.h"

namespace zolan {
namespace {

// Column captions of the four tables (isys 1-2 by iq 1-2) and the asterisks under them.
constexpr const char* CAPTIONS[4] = {
    R"(" DISP. X,", A2, 3X, "DISP. Y,", A2, 3X, "ROT. Z,", A3, 2X)",
    R"(" FOR. X,", A3, 3X, "FOR. Y,", A3, 3X, "MOM Z,", A3, A1, A2, 2X, "STRESS,", A3, A1, A2, A2, A1)",
    R"(" DISP. x,", A2, 3X, "DISP. y,", A2, 3X, "ROT. z,", A3, 2X)",
    R"("  AXIAL,", A3, 3X, "LAT. y,", A3, 3X, "MOM z,", A3, A1, A2, 2X, "STRESS,", A3, A1, A2, A2, A1)"};
constexpr const char* RULE_DISP = R"(3(2X, "***********"))";
constexpr const char* RULE_REAC = R"(2X, "***********", 2X, "***********", 2X, "************", 2X, "****************")";

// Summary heading: an empty line, the pile-row caption, the captions, the
// asterisks; the scratch's: no empty line, blanks for the pile-row caption
// and its asterisks.
fmt::Format heading(bool scratch, int k) {
    std::string f = scratch ? "(6X, 12X, " : R"((/, 6X, " PILE GROUP ", )";
    f += CAPTIONS[k];
    f += scratch ? ", /, 17X, " : R"(, /, 7X, "**********", )";
    f += k % 2 == 0 ? RULE_DISP : RULE_REAC;
    f += ')';
    return fmt::Format(f);
}
const fmt::Format SUM_HEAD[4] = {heading(false, 0), heading(false, 1), heading(false, 2), heading(false, 3)};
const fmt::Format SCR_HEAD[4] = {heading(true, 0), heading(true, 1), heading(true, 2), heading(true, 3)};

const fmt::Format DISP_TITLE(R"((7X, "* PILE TOP DISPLACEMENTS *"))");
const fmt::Format REAC_TITLE(R"((/, 7X, "* PILE TOP REACTIONS *"))");
const fmt::Format SCR_TITLE[4] = {fmt::Format(R"((/, 7X, "* PILE TOP DISPLACEMENTS, GLOBAL *"))"),
                                  fmt::Format(R"((/, 7X, "* PILE TOP REACTIONS, GLOBAL *"))"),
                                  fmt::Format(R"((/, 7X, "* PILE TOP DISPLACEMENTS, LOCAL *"))"),
                                  fmt::Format(R"((/, 7X, "* PILE TOP REACTIONS, LOCAL *"))")};

const fmt::Format MINIMUM(R"((7X, "  MINIMUM ", $))");
const fmt::Format MAXIMUM(R"((7X, "  MAXIMUM ", $))");
const fmt::Format PILE_ROWS(R"((7X, "  Pile G. ", 2X, 6(I6, 7X), I8))");

std::vector<fmt::Item> labels(int iq) {
    if (iq == 1) return {ULEN2.view(), ULEN2.view(), URAD.view()};
    return {UFOR3.view(), UFOR3.view(), UFOR3.view(), UDASH.view(), ULEN2.view(),
            UFOR3.view(), USLASH.view(), ULEN2.view(), UPOW.view(), UEXP2.view()};
}

// The four extreme lines of a table on one file.
void extremes(int unit, int n, const COLEXT& e) {
    for (const bool lo : {true, false}) {
        io::write_fmt(unit, lo ? MINIMUM : MAXIMUM);
        WRBLNK(unit, 2);
        std::vector<fmt::Item> rows;
        for (int k = 1; k <= n; ++k) {
            WRREAL(unit, 11, 4, lo ? e.vmin(k) : e.vmax(k));
            WRBLNK(unit, 2);
            rows.emplace_back(lo ? e.pmin(k) : e.pmax(k));
        }
        WREOL(unit);
        io::write_fmt(unit, PILE_ROWS, rows);
    }
}

}  // namespace

bool PTOPTB2D(int isys, int iq, int npiles, const QSEL& qsel, int& ISTAT) {
    if (isys == 3) return PTOPTAB(3, iq, npiles, qsel, ISTAT);  // the along-pile extremes are the same
    if (isys < 1 || isys > 2 || iq < 1 || iq > 2) return true;
    const int k = 2 * (isys - 1) + (iq - 1);
    const int mine = k + 1;  // the record of each pile block this table takes
    // 1. Titles and column headings.
    io::write_fmt(SUMFILE, iq == 1 ? DISP_TITLE : REAC_TITLE);
    io::write_fmt(SUMSCR, SCR_TITLE[k]);
    const std::vector<fmt::Item> lab = labels(iq);
    io::write_fmt(SUMFILE, SUM_HEAD[k], lab);
    io::write_fmt(SUMSCR, SCR_HEAD[k], lab);
    // 2. Working state.
    int n = 1;
    COLEXT ext;
    Table1<double, MAXNQ> x;
    // 3. Eight records per pile row; the others are passed over.
    std::string why, rec;
    if (!io::open_unit(WORKFILE, FPTOPSC, {io::Access::Read}, &why)) return work_failure(ISTAT, 0, why);
    long line = 0;
    for (int p = 1; p <= npiles; ++p) {
        if (tops_stopped(p, npiles, ISTAT)) return false;
        for (int r = 1; r <= 8; ++r) {
            if (!next_work_record(p, r, line, rec, ISTAT)) return false;
            if (r != mine) continue;
            int pile = 0;
            n = iq == 1 ? 3 : 4;
            if (!read_top_record(rec, 2, n, pile, x, why)) return work_failure(ISTAT, line, why);
            WRBLNK(SUMFILE, 7);
            WRINT(SUMFILE, 6, pile);
            WRBLNK(SUMFILE, 6);
            for (int j = 1; j <= n; ++j) {
                WRREAL(SUMFILE, 11, 4, x(j));
                WRBLNK(SUMFILE, 2);
            }
            WREOL(SUMFILE);
            VMNMXL(p, n, x, ext);
        }
    }
    // 4-6. An empty line, the extreme rows on both files, the file closed.
    io::write_line(SUMFILE, "");
    extremes(SUMFILE, n, ext);
    extremes(SUMSCR, n, ext);
    io::close_unit(WORKFILE);
    return true;
}

void PTTAB2D(int npiles, const QSEL& qsel, int& ISTAT) {
    io::write_fmt(SUMFILE, GLOBAL_AXES);
    if (!PTOPTB2D(1, 1, npiles, qsel, ISTAT) || !PTOPTB2D(1, 2, npiles, qsel, ISTAT)) return;
    io::write_fmt(SUMFILE, LOCAL_AXES);
    if (!PTOPTB2D(2, 1, npiles, qsel, ISTAT) || !PTOPTB2D(2, 2, npiles, qsel, ISTAT)) return;
    io::write_fmt(SUMFILE, EFFECTS);
    io::write_fmt(SUMSCR, EFFECTS);
    if (PTOPTB2D(3, 1, npiles, qsel, ISTAT)) PTOPTB2D(3, 2, npiles, qsel, ISTAT);
}

}  // namespace zolan
