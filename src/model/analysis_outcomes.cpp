#include "model/analysis_outcomes.h"

#include <algorithm>

#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/pile_warnings.h"
#include "report/fortran_format.h"

namespace zolan {

Table1<IncompleteAnalysis, MAXINC_ANL> INCANL;
int NINCANL = 0;
Table1<PastPeak, MAXPEAK_ANL> PEAKANL;
int NPEAKANL = 0;

int NOTEPEAK(int n, bool note) {
    const int count = past_peak_rows(n);
    if (!note) return count;
    for (int r = 1; r <= std::min(n, MAXPIL); ++r) {
        if (AXPEAK(r) != 1) continue;
        if (NPEAKANL < PEAKANL.size()) PEAKANL(NPEAKANL + 1) = {ICOMB != 0 ? 1 : 0, ICASE, r};
        ++NPEAKANL;
    }
    return count;
}

std::vector<std::string> past_peak_lines() {
    std::vector<std::string> out;
    if (NPEAKANL <= 0) return out;
    out.push_back("    ** WARNING **  " + std::to_string(NPEAKANL) +
                  (NPEAKANL == 1 ? " PILE PAST THE PEAK OF ITS AXIAL CURVE:" : " PILES PAST THE PEAK OF THEIR AXIAL CURVES:"));
    const int shown = std::min(NPEAKANL, PEAKANL.size());
    for (int k = 1; k <= shown; ++k) {
        const PastPeak& p = PEAKANL(k);
        IncompleteAnalysis a;
        a.comb = p.comb, a.number = p.number;
        const std::string name = incomplete_name(a);
        out.push_back("    " + incomplete_label(a) + (name.empty() ? "" : "  " + name) + ": PILE " +
                      std::to_string(p.pile) + " IS PAST THE PEAK OF ITS AXIAL CURVE");
    }
    if (NPEAKANL > shown)
        out.push_back("    (AND " + std::to_string(NPEAKANL - shown) + " MORE IN THE RESULTS REPORT)");
    return out;
}
bool ANLBEGUN = false;

void NOTEINC(int code, double tconv, EstimationPoint at) {
    const IncompleteAnalysis a{ICOMB != 0 ? 1 : 0, ICASE, code, tconv, at};
    // The records of one analysis follow each other: the search goes back
    // over them only.
    for (int k = NINCANL; k >= 1 && INCANL(k).comb == a.comb && INCANL(k).number == a.number; --k)
        if (INCANL(k).at.kind == at.kind && INCANL(k).at.point == at.point && INCANL(k).at.level == at.level) {
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
    case 4: return "    4 ANALYSIS STOPPED BY USER";
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

std::string incomplete_point(const IncompleteAnalysis& a) {
    static const fmt::Format dof("('DOF : ',I5,' POINT : ',I5)");
    static const fmt::Format level("('STIFFNESS POINT : ',I5)");
    switch (a.at.kind) {
    case PointKind::Flexibility: {
        const fmt::Item items[] = {a.at.point, a.at.level};
        return fmt::format_to_string(dof, items);
    }
    case PointKind::Stiffness: {
        const fmt::Item items[] = {a.at.point};
        return fmt::format_to_string(level, items);
    }
    default: return "";
    }
}

void reset_analysis_outcomes() {
    INCANL.fill(IncompleteAnalysis{});
    NINCANL = 0;
    PEAKANL.fill(PastPeak{});
    NPEAKANL = 0;
    ANLBEGUN = false;
}

}  // namespace zolan
