// The pile-warning block of the axial and torsion routines.
#include "pile/head_curves.h"

#include "report/fortran_format.h"
#include "report/row_report.h"
#include "report/run_files.h"

namespace zolan {
namespace {

const fmt::Format& F_PILE_WARNING() {
    static const fmt::Format f(R"((/,5X,"** WARNING **  ",A,2X,"PILE GROUP",I5,/,20X,A,E12.4," > ",E12.4,5X,A,E12.4))");
    return f;
}

}  // namespace

void WARNBLK(int* count, std::string_view kind, int row, std::string_view move_label, double move, double end,
             std::string_view force_label, double force) {
    const fmt::Item items[] = {kind, row, move_label, move, end, force_label, force};
    row_text_counted(count, WARNSCR, fmt::format_to_string(F_PILE_WARNING(), items));
}

}  // namespace zolan
