// Pile-top summary tables of the three-dimensional model, re-read from the
// work file.
#include "results/pile_top_summary.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/run_state.h"
#include "model/status_codes.h"
#include "report/field_writers.h"
#include "report/fortran_format.h"
#include "report/run_files.h"
#include "report/stop_request.h"
#include "report/unit_labels.h"
#include "results/work_file.h"

namespace zolan {
namespace {

// Column heading of a pile-top table: on the summary an empty line, the
// pile-row caption and the value captions, then the asterisks under them;
// on the scratch no empty line and blanks for the pile-row caption and its
// asterisks.
fmt::Format column_heading(bool scratch, std::string_view lead, std::string_view captions, std::string_view rule) {
    std::string f = scratch ? "(5X, " + std::to_string(lead.size()) + "X, "
                            : "(/, 5X, \"" + std::string(lead) + "\", ";
    f += captions;
    f += scratch ? ", /, 16X, " : ", /, 6X, \"**********\", ";
    f += rule;
    f += ')';
    return fmt::Format(f);
}

constexpr std::string_view LEAD13 = " PILE GROUP  ", LEAD12 = " PILE GROUP ";
constexpr std::string_view RULE6 = R"(6(2X, "***********"))", RULE1 = R"(2X, "****************")";
constexpr std::string_view DISP_G = R"(" DISP. X,", A2, 3X, "DISP. Y,", A2, 3X, "DISP. Z,", A2, 3X, )"
                                    R"("ROT. X,", A3, 3X, "ROT. Y,", A3, 3X, "ROT. Z,", A3, 2X)";
constexpr std::string_view DISP_L = R"(" DISP. x,", A2, 3X, "DISP. y,", A2, 3X, "DISP. z,", A2, 3X, )"
                                    R"("ROT. x,", A3, 3X, "ROT. y,", A3, 3X, "ROT. z,", A3, 2X)";
constexpr std::string_view REAC_G = R"(" FOR. X,", A3, 3X, "FOR. Y,", A3, 3X, "FOR. Z,", A3, 1X, )"
                                    R"("MOM X,", A3, A1, A2, 1X, "MOM Y,", A3, A1, A2, 1X, "MOM Z,", A3, A1, A2)";
constexpr std::string_view REAC_L = R"("  AXIAL,", A3, 4X, "LAT. y,", A3, 3X, "LAT. z,", A3, 1X, )"
                                    R"("MOM x,", A3, A1, A2, 1X, "MOM y,", A3, A1, A2, 1X, "MOM z,", A3, A1, A2)";
constexpr std::string_view STRESS = R"(2X, "STRESS,", A3, A1, A2, A2, A1)";

enum class Labels : unsigned char { Disp, Reac, Stress };

// Titles of the pile-top tables on the summary and on the scratch.
const fmt::Format DISP_TITLE(R"((7X, "* PILE TOP DISPLACEMENTS *"))");
const fmt::Format REAC_TITLE(R"((/, 7X, "* PILE TOP REACTIONS *"))");
const fmt::Format DISP_G_TITLE(R"((/, 7X, "* PILE TOP DISPLACEMENTS, GLOBAL *"))");
const fmt::Format REAC_G_TITLE(R"((/, 7X, "* PILE TOP REACTIONS, GLOBAL *"))");
const fmt::Format DISP_L_TITLE(R"((/, 7X, "* PILE TOP DISPLACEMENTS, LOCAL *"))");
const fmt::Format REAC_L_TITLE(R"((/, 7X, "* PILE TOP REACTIONS, LOCAL *"))");

// Titles and headings of the five pile-top tables (null: none).
struct TableText {
    const fmt::Format* sum_title;
    const fmt::Format* scr_title;
    fmt::Format sum_head, scr_head;
    Labels labels;
};
const TableText TOP_TEXTS[5] = {
    {&DISP_TITLE, &DISP_G_TITLE, column_heading(false, LEAD13, DISP_G, RULE6),
     column_heading(true, LEAD13, DISP_G, RULE6), Labels::Disp},
    {&REAC_TITLE, &REAC_G_TITLE, column_heading(false, LEAD13, REAC_G, RULE6),
     column_heading(true, LEAD13, REAC_G, RULE6), Labels::Reac},
    {&DISP_TITLE, &DISP_L_TITLE, column_heading(false, LEAD13, DISP_L, RULE6),
     column_heading(true, LEAD13, DISP_L, RULE6), Labels::Disp},
    {&REAC_TITLE, &REAC_L_TITLE, column_heading(false, LEAD12, REAC_L, RULE6),
     column_heading(true, LEAD12, REAC_L, RULE6), Labels::Reac},
    {nullptr, nullptr, column_heading(false, LEAD12, STRESS, RULE1), column_heading(true, LEAD12, STRESS, RULE1),
     Labels::Stress},
};
// Summary titles of the along-pile minima and maxima.
const fmt::Format ALONG_TITLES[2] = {fmt::Format(R"((/, 7X, "* MINIMUM VALUES AND LOCATIONS *"))"),
                                     fmt::Format(R"((/, 7X, "* MAXIMUM VALUES AND LOCATIONS *"))")};

const fmt::Format MINIMUM(R"((5X, "  MINIMUM  ", $))");
const fmt::Format MAXIMUM(R"((5X, "  MAXIMUM  ", $))");
const fmt::Format PILE_ROWS(R"((5X, "  Pile N. ", 4X, 6(I6, 7X), I7))");
const fmt::Format MIN_ALONG(R"((6X, "Min.", $))");
const fmt::Format MAX_ALONG(R"((6X, "Max.", $))");
const fmt::Format PILE_ALONG(R"((3X, "Pile N.  ", $))");
const fmt::Format DEPTH_LABEL(R"((5X, A5, $))");

// The unit labels of a heading, in the order of its A fields.
std::vector<fmt::Item> heading_labels(Labels l) {
    switch (l) {
        case Labels::Disp:
            return {ULEN2.view(), ULEN2.view(), ULEN2.view(), URAD.view(), URAD.view(), URAD.view()};
        case Labels::Reac: {
            std::vector<fmt::Item> v = {UFOR3.view(), UFOR3.view(), UFOR3.view()};
            for (int m = 0; m < 3; ++m) v.insert(v.end(), {UFOR3.view(), UDASH.view(), ULEN2.view()});
            return v;
        }
        case Labels::Stress:
            break;
    }
    return {UFOR3.view(), USLASH.view(), ULEN2.view(), UPOW.view(), UEXP2.view()};
}

// The value columns a table prints, given the values taken per record.
template <class Each>
void each_column(int isys, int iq, int n, const QSEL& qsel, Each&& each) {
    if (isys == 3) {
        for (int q = 1; q <= std::min(n, MAXNQ); ++q)
            if (qsel(q) > 0) each(q);
    } else if (isys == 2 && iq == 3) {
        each(7);
    } else {
        for (int k = 1; k <= std::min(n, 6); ++k) each(k);
    }
}

// Extreme rows of a pile-top table on one file.
void top_extremes(int unit, int isys, int iq, int n, const QSEL& qsel, const COLEXT& e) {
    for (const bool lo : {true, false}) {
        io::write_fmt(unit, lo ? MINIMUM : MAXIMUM);
        std::vector<fmt::Item> rows;
        each_column(isys, iq, n, qsel, [&](int k) {
            WRREAL(unit, 13, 4, lo ? e.vmin(k) : e.vmax(k));
            rows.emplace_back(lo ? e.pmin(k) : e.pmax(k));
        });
        WREOL(unit);
        io::write_fmt(unit, PILE_ROWS, rows);
    }
}

// Extreme rows of an along-pile table on one file.
void along_extremes(int unit, int iq, int n, const QSEL& qsel, const COLEXT& e) {
    io::write_fmt(unit, iq == 1 ? MIN_ALONG : MAX_ALONG);
    each_column(3, iq, n, qsel, [&](int q) { WRREAL(unit, 12, 4, iq == 1 ? e.vmin(q) : e.vmax(q)); });
    WREOL(unit);
    io::write_fmt(unit, PILE_ALONG);
    each_column(3, iq, n, qsel, [&](int q) {
        WRINT(unit, 6, iq == 1 ? e.pmin(q) : e.pmax(q));
        WRBLNK(unit, 6);
    });
    WREOL(unit);
}

// Titles and column headings of a table (step 1 of PTOPTAB).
void headings(int isys, int iq, const QSEL& qsel) {
    if (isys == 3) {
        io::write_fmt(SUMFILE, ALONG_TITLES[iq == 1 ? 0 : 1]);
        EFFHDR(1, qsel);
        if (iq == 1) EFFHDR(2, qsel);
        return;
    }
    const TableText& t = TOP_TEXTS[isys == 1 ? iq - 1 : 1 + iq];
    if (t.sum_title) io::write_fmt(SUMFILE, *t.sum_title);
    if (t.scr_title) io::write_fmt(SUMSCR, *t.scr_title);
    const std::vector<fmt::Item> labels = heading_labels(t.labels);
    io::write_fmt(SUMFILE, t.sum_head, labels);
    if (iq != 3) io::write_fmt(SUMSCR, t.scr_head, labels);
}

}  // namespace

// Headings of the coordinate systems and of the along-pile extremes.
const fmt::Format GLOBAL_AXES(R"((/, /, 7X, "THE GLOBAL STRUCTURAL COORDINATE SYSTEM", /, 7X,)"
                              R"("---------------------------------------", /))");
const fmt::Format LOCAL_AXES(R"f((/, /, 7X, "THE PILE COORDINATE SYSTEM (LOCAL AXES)", /, 7X,)f"
                             R"("---------------------------------------", /))");
const fmt::Format EFFECTS(R"((/, 7X, "* EFFECTS FOR LATERALLY LOADED PILE *   "))");

bool work_failure(int& ISTAT, long line, const std::string& why) {
    if (ISTAT == 0) ISTAT = ISFILE;
    FAILTXT.push_back("    " + (line > 0 ? FPTOPSC + ", line " + std::to_string(line) + ": " + why : why));
    io::close_unit(WORKFILE);
    return false;
}

bool next_work_record(int p, int r, long& line, std::string& rec, int& ISTAT) {
    ++line;
    if (io::read_line(WORKFILE, rec)) return true;
    return work_failure(ISTAT, line,
                        io::line_too_long(WORKFILE)
                            ? "the line is too long for a work-file record"
                            : "the file ended where record " + std::to_string(r) + " of pile row " +
                                  std::to_string(p) + " was expected");
}

bool tops_stopped(int p, int npiles, int& ISTAT) {
    // The tables of an analysis's print pass (KFLAG 1) say so; an envelope's
    // follow the analyses' end messages and write none.
    static const fmt::Format progress(R"(("- PILE-TOP SUMMARY: PILE ROW ",I5,"/",I5,/,/))");
    if (KFLAG == 1 ? !STOPPOLL(progress, {p, npiles}) : !STOPQUIET()) return false;
    io::close_unit(WORKFILE);
    if (ISTAT == 0) ISTAT = ISSTOP;
    return true;
}

void VMNMXL(int p, int n, const Table1<double, MAXNQ>& x, COLEXT& ext) {
    n = std::min(n, MAXNQ);
    // 1. Nothing to merge.
    if (n < 1) return;
    for (int k = 1; k <= n; ++k) {
        // 2. The first pile row starts the extremes.
        if (p == 1) {
            ext.vmin(k) = ext.vmax(k) = x(k);
            ext.pmin(k) = ext.pmax(k) = 1;
        }
        // 3. A later one replaces them only when strictly beyond.
        if (x(k) > ext.vmax(k)) {
            ext.vmax(k) = x(k);
            ext.pmax(k) = p;
        }
        if (x(k) < ext.vmin(k)) {
            ext.vmin(k) = x(k);
            ext.pmin(k) = p;
        }
    }
}

bool PTOPTAB(int isys, int iq, int npiles, const QSEL& qsel, int& ISTAT) {
    if (isys < 1 || isys > 3 || iq < 1 || iq > (isys == 2 ? 3 : 2)) return true;  // no such table
    const bool along = isys == 3;
    // The record of each pile block this table takes (along-pile tables: and the next).
    const int mine = isys == 1 ? iq : isys == 2 ? (iq == 1 ? 3 : 4) : (iq == 1 ? 5 : 7);
    // 1. Titles and column headings.
    headings(isys, iq, qsel);
    // 2. Working state.
    int n = 1;
    COLEXT ext;
    Table1<double, MAXNQ> x;
    // 3. Eight records per pile row; the others are passed over.
    std::string why;
    if (!io::open_unit(WORKFILE, FPTOPSC, {io::Access::Read}, &why)) return work_failure(ISTAT, 0, why);
    std::string rec;
    long line = 0;
    for (int p = 1; p <= npiles; ++p) {
        if (tops_stopped(p, npiles, ISTAT)) return false;
        for (int r = 1; r <= 8; ++r) {
            if (!next_work_record(p, r, line, rec, ISTAT)) return false;
            if (r == mine && !along) {
                int pile = 0;
                n = iq == 3 ? 7 : 6;
                if (!read_top_record(rec, 3, n, pile, x, why)) return work_failure(ISTAT, line, why);
                WRBLNK(SUMFILE, 5);
                WRINT(SUMFILE, 6, pile);
                WRBLNK(SUMFILE, 5);
                each_column(isys, iq, n, qsel, [&](int k) { WRREAL(SUMFILE, 13, 4, x(k)); });
                WREOL(SUMFILE);
                VMNMXL(p, n, x, ext);
            } else if (r == mine) {
                int pile = 0;
                n = MAXNQ;
                if (!read_extreme_values(rec, pile, x, why)) return work_failure(ISTAT, line, why);
                WRBLNK(SUMFILE, 1);
                WRINT(SUMFILE, 8, pile);
                WRBLNK(SUMFILE, 1);
                each_column(isys, iq, n, qsel, [&](int q) { WRREAL(SUMFILE, 12, 4, x(q)); });
                WREOL(SUMFILE);
                VMNMXL(p, n, x, ext);
            } else if (r == mine + 1 && along) {
                FixedText<5> label;
                Table1<double, MAXNQ> depth;
                if (!read_extreme_depths(rec, label, depth, why)) return work_failure(ISTAT, line, why);
                io::write_fmt(SUMFILE, DEPTH_LABEL, {label.view()});
                each_column(isys, iq, n, qsel, [&](int q) { WRREAL(SUMFILE, 12, 4, depth(q)); });
                WREOL(SUMFILE);
            }
        }
    }
    // 4-5. The file closed, an empty line.
    io::close_unit(WORKFILE);
    io::write_line(SUMFILE, "");
    // 6. The extreme rows, on the summary and (but for the stress table) the scratch.
    for (const int unit : {SUMFILE, SUMSCR}) {
        if (along) along_extremes(unit, iq, n, qsel, ext);
        else if (unit == SUMFILE || iq != 3) top_extremes(unit, isys, iq, n, qsel, ext);
    }
    return true;
}

void PTOPDRV(int npiles, const QSEL& qsel, int& ISTAT) {
    // 1-2. Global pile-top values.
    io::write_fmt(SUMFILE, GLOBAL_AXES);
    if (!PTOPTAB(1, 1, npiles, qsel, ISTAT) || !PTOPTAB(1, 2, npiles, qsel, ISTAT)) return;
    // 3-4. Local pile-top values and the stress.
    io::write_fmt(SUMFILE, LOCAL_AXES);
    for (int iq = 1; iq <= 3; ++iq)
        if (!PTOPTAB(2, iq, npiles, qsel, ISTAT)) return;
    // 5-6. Along-pile extremes.
    io::write_fmt(SUMFILE, EFFECTS);
    io::write_fmt(SUMSCR, EFFECTS);
    if (PTOPTAB(3, 1, npiles, qsel, ISTAT)) PTOPTAB(3, 2, npiles, qsel, ISTAT);
}

}  // namespace zolan
