#include "model/analysis_outcomes.h"

#include "model/case_tables.h"
#include "model/input_tables.h"
#include "report/fortran_format.h"

namespace zolan {

Table1<IncompleteAnalysis, MAXLC + MAXCMB> INCANL;
int NINCANL = 0;

void NOTEINC(int code, double tconv) {
    const IncompleteAnalysis a{ICOMB != 0 ? 1 : 0, ICASE, code, tconv};
    for (int k = 1; k <= NINCANL; ++k)
        if (INCANL(k).comb == a.comb && INCANL(k).number == a.number) {
            INCANL(k) = a;
            return;
        }
    if (NINCANL < INCANL.size()) INCANL(++NINCANL) = a;
}

std::string status_line(int code, double tconv) {
    switch (code) {
    case 1: return "    1 ANALYSIS COMPLETED";
    case 2: {
        static const fmt::Format f("('    2 SOLUTION AT ',F8.2,' % OF THE TOTAL LOAD')");
        const fmt::Item items[] = {100.0 * tconv};
        return fmt::format_to_string(f, items);
    }
    case 3: return "    3 NO CONVERGENCE ON PILE CAP";
    case 6: return "    6 NO CONVERGENCE ON PILES   ";
    case 7: return "    7 SINGULAR STIFFNESS MATRIX ";
    default: return "    10 ANALYSIS COMPLETED";
    }
}

std::string incomplete_label(const IncompleteAnalysis& a) {
    static const fmt::Format f("(A,I5)");
    const fmt::Item items[] = {a.comb != 0 ? "LOAD COMB. " : "LOAD CASE  ", a.number};
    return fmt::format_to_string(f, items);
}

std::string incomplete_name(const IncompleteAnalysis& a) {
    if (a.number < 1) return "";
    if (a.comb != 0) return a.number <= MAXCMB ? std::string(LBNAME(a.number).trimmed()) : "";
    return a.number <= MAXLC ? std::string(LCNAME(a.number).trimmed()) : "";
}

void reset_analysis_outcomes() {
    INCANL.fill(IncompleteAnalysis{});
    NINCANL = 0;
}

}  // namespace zolan
