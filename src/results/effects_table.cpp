// Along-pile effects table: column selection, heading and rows.
#include "results/effects_table.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "report/column_captions.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "report/unit_labels.h"

namespace zolan {
namespace {

constexpr int PLANE_ABSENT[] = {3, 4, 7, 8, 10, 11, 13, 14, 16, 17, 21, 23};
constexpr int AXIAL_QTYS[] = {1, 5, 6, 7, 8, 18};
constexpr int RATIO_QTYS[] = {24, 25};

// Width of a table row: one blank, the depth and 25 quantities of 12 columns.
constexpr int ROWLEN = 500;

}  // namespace

void drop_unprovided(QSEL& flags, int curve, int kaxvar, int icomb, int nantyp) {
    if (nantyp == 2)
        for (int q : PLANE_ABSENT) flags(q) = 0;
    if (curve > 0 || kaxvar == 0)
        for (int q : AXIAL_QTYS) flags(q) = 0;
    if (icomb == 0)
        for (int q : RATIO_QTYS) flags(q) = 0;
}

QSEL EFFSEL(int envflag, int curve, int kaxvar, int nantyp) {
    // 1. Nothing selected.
    QSEL qsel;
    qsel.fill(0);
    // 2. The flags of the case, the combination or the envelope; a case or
    // combination number outside the tables selects nothing.
    for (int q = 1; q <= MAXNQ; ++q) {
        if (envflag != 0) qsel(q) = EFFSLE(ICOMB == 0 ? q : MAXNQ + q);
        else if (ICOMB == 0 && ICASE >= 1 && ICASE <= MAXLC) qsel(q) = EFFSLC(ICASE, q);
        else if (ICOMB != 0 && ICASE >= 1 && ICASE <= MAXCMB) qsel(q) = EFFSLB(ICASE, q);
    }
    // 3-5. Less what the model and the piles do not provide.
    drop_unprovided(qsel, curve, kaxvar, ICOMB, nantyp);
    return qsel;
}

void EFFHDR(int selector, const QSEL& qsel) {
    const int unit = selector == 1 ? SUMFILE : selector == 2 ? SUMSCR : RESFILE;
    // 1. End the open line.
    WREOL(unit);
    // 2. Four lines: the lead cell (the depth column on the report, the pile
    // column on the summaries, whose third line repeats the second), then
    // the cell of that line for each selected quantity.
    for (int line = 1; line <= 4; ++line) {
        if (unit == RESFILE) {
            WRBLNK(unit, 2);
            WRA10(unit, CAPX10(line).view());
        } else {
            WRBLNK(unit, 3);
            WRA6(unit, CAPX6(line == 3 ? 2 : line).view());
        }
        for (int q = 1; q <= MAXNQ; ++q) {
            if (qsel(q) <= 0) continue;
            const std::string_view cell = line == 1   ? CAPL1(q).view()
                                          : line == 2 ? CAPL2(q).view()
                                          : line == 3 ? CAPUN(q).view()
                                                      : CAPX10(4).view();
            WRA10(unit, cell);
        }
        WREOL(unit);
    }
}

void EFFTAB(const QSEL& qsel, int last, int ninc, double h, const EFFREC& rec) {
    // 1. Node rows 4 .. last (within the record), every s-th from the head.
    last = std::min(last, MAXNOD);
    if (last < 4) return;
    const int s = std::max(1, std::min(ninc <= 0 ? 1 : ninc, last - 4));
    // 2. One row per printed node, built in a buffer of its own.
    std::array<char, ROWLEN> buf;
    for (int r = 4; r <= last; r += s) {
        int col = 1;
        BUFBLNK(buf, 1, col);
        BUFREAL(buf, 12, 4, UCD12((r - 4) * h), col);
        for (int q = 1; q <= MAXNQ; ++q)
            if (qsel(q) > 0) BUFREAL(buf, 12, 4, rec(r, q), col);
        io::write_line(RESFILE, std::string_view(buf.data(), static_cast<std::size_t>(col - 1)));
    }
}

}  // namespace zolan
