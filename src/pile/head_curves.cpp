// The pile-warning block of the axial and torsion routines.
#include "pile/head_curves.h"

#include <string>

#include "model/run_state.h"
#include "report/fortran_format.h"
#include "report/row_report.h"
#include "report/run_files.h"

namespace zolan {
namespace {

const fmt::Format& F_PILE_WARNING() {
    static const fmt::Format f(R"((/,5X,"** WARNING **  ",A,2X,"PILE GROUP",I5,/,20X,A,E12.4," > ",E12.4,5X,A,E12.4))");
    return f;
}

const fmt::Format& F_PEAK_WARNING() {
    static const fmt::Format f(
        R"((/,5X,"** WARNING **  ","PILE ",I0," IS PAST THE PEAK OF ITS AXIAL CURVE",/,20X,"AX. DISP.=",E12.4," > ",E12.4,5X,"AX. FORCE=",E12.4))");
    return f;
}

constexpr std::size_t WARNW = 256;  // width of a copied warning record

}  // namespace

void WARNBLK(int* count, std::string_view kind, int row, std::string_view move_label, double move, double end,
             std::string_view force_label, double force) {
    const fmt::Item items[] = {kind, row, move_label, move, end, force_label, force};
    row_text_counted(count, WARNSCR, fmt::format_to_string(F_PILE_WARNING(), items));
}

void PEAKBLK(int row, double move, double peak, double force) {
    const fmt::Item items[] = {row, move, peak, force};
    row_text(WARNSCR, fmt::format_to_string(F_PEAK_WARNING(), items));
}

int WARNCOPY(int nrec) {
    if (nrec <= 0) return 0;
    if (!io::open_unit(WARNSCR, FAXWARN, {io::Access::ReadIfExists})) return 0;
    int copied = 0;
    std::string line;
    for (; copied < nrec && io::read_line(WARNSCR, line); ++copied) {
        // At most the record's width, and nothing after its last word.
        if (line.size() > WARNW) line.resize(WARNW);
        line.erase(line.find_last_not_of(' ') + 1);
        for (int unit : {RESFILE, RUNFILE}) io::write_line(unit, line);
    }
    io::close_unit(WARNSCR);
    return copied;
}

}  // namespace zolan
