// Analyses that did not complete: every load case or combination whose solve
// stopped short of its full load (a partial solution, reported at the load
// reached) or ended without a solution (no convergence of the cap or of the
// piles, a singular cap matrix). The run log and the summary name them at the
// end of the run, and an envelope that includes a partial solution, or lacks
// an analysis that ended without a solution, says so. A point of a
// flexibility or stiffness estimation is an analysis of its own here: each
// point that did not complete is named with its case.
#pragma once

#include <string>
#include <vector>

#include "model/limits.h"
#include "model/table.h"

namespace zolan {

// Which solve of a case: the case itself (an ordinary case, a combination,
// the full load of an estimation case), a flexibility point (degree of
// freedom and level) or a stiffness level.
enum class PointKind { Whole = 0, Flexibility = 1, Stiffness = 2 };

struct EstimationPoint {
    PointKind kind = PointKind::Whole;
    int point = 0;  // the loaded degree of freedom (flexibility) or the level (stiffness)
    int level = 0;  // the level of a flexibility point
};

struct IncompleteAnalysis {
    int comb = 0;       // 0 a load case, else a combination
    int number = 0;     // its case or combination number
    int code = 0;       // its status line: 2 partial, 3 no cap convergence, 6 piles, 7 singular matrix
    double tconv = 0.0; // load factor reached (code 2)
    EstimationPoint at; // the point of an estimation case
};

// Every case may have all its points incomplete: six degrees of freedom at
// each of its levels, and its full load.
constexpr int MAXINC_ANL = MAXLC * (6 * MAXSTL + 1) + MAXCMB;
extern Table1<IncompleteAnalysis, MAXINC_ANL> INCANL;
extern int NINCANL;  // entries of INCANL in use, in the order the analyses ran

// The analysis in hand (ICASE, ICOMB), or its estimation point, recorded with
// its status code; once per point (a second record of the same point
// replaces the first).
void NOTEINC(int code, double tconv = 0.0, EstimationPoint at = {});

// Whether an analysis that did not complete stands for a whole analysis of
// its series (one that an envelope would take in), not a point of an
// estimation.
inline bool whole_analysis(const IncompleteAnalysis& a) { return a.at.kind == PointKind::Whole; }

// Piles past the peak of their axial curves in the analyses of the run, in
// the order the analyses reported them: the run log's final block and the
// summary name the first MAXPEAK_ANL and count the others.
struct PastPeak {
    int comb = 0;    // 0 a load case, else a combination
    int number = 0;  // its case or combination number
    int pile = 0;    // the pile row
};
constexpr int MAXPEAK_ANL = 20;
extern Table1<PastPeak, MAXPEAK_ANL> PEAKANL;
extern int NPEAKANL;  // piles named by all the analyses (PEAKANL keeps the first MAXPEAK_ANL)

// The rows 1 to n marked past their peaks in the latest residual evaluation
// (AXPEAK), noted for the analysis in hand (ICASE, ICOMB) when `note`;
// returns how many there are.
int NOTEPEAK(int n, bool note);

// The lines that close the run log and the summary: a warning with the
// count of piles past their peaks, each one named with its analysis
// ("LOAD CASE     1  NAME: PILE 3 IS PAST THE PEAK OF ITS AXIAL CURVE"), and
// how many more the results report names. Empty when there are none.
std::vector<std::string> past_peak_lines();

// The status line of a code as the status file carries it: 1 completed, 2
// solution at 100 tconv percent of the load, 3 no convergence on the cap, 4
// the run stopped by the user (after the analysis it interrupted), 6 no
// convergence on the piles, 7 singular matrix, any other the completed line
// of a target trial ("10").
std::string status_line(int code, double tconv = 0.0);

// "LOAD CASE     3" or "LOAD COMB.    1", and the name given in the input
// (trailing blanks removed); the point of an estimation as the status file
// names it ("DOF :     6 POINT :     2", "STIFFNESS POINT :     2"), empty
// for a whole analysis.
std::string incomplete_label(const IncompleteAnalysis& a);
std::string incomplete_name(const IncompleteAnalysis& a);
std::string incomplete_point(const IncompleteAnalysis& a);

// The analyses have begun the status file and the plot data (their headings
// are written): a run that stops after that says so at the end of both.
extern bool ANLBEGUN;

void reset_analysis_outcomes();

}  // namespace zolan
