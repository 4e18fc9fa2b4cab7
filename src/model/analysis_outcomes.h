// Analyses that did not complete: every load case or combination whose solve
// stopped short of its full load (a partial solution, reported at the load
// reached) or ended without a solution (no convergence of the cap or of the
// piles, a singular cap matrix). The run log and the summary name them at the
// end of the run, and an envelope that includes a partial solution says so.
#pragma once

#include <string>

#include "model/limits.h"
#include "model/table.h"

namespace zolan {

struct IncompleteAnalysis {
    int comb = 0;       // 0 a load case, else a combination
    int number = 0;     // its case or combination number
    int code = 0;       // its status line: 2 partial, 3 no cap convergence, 6 piles, 7 singular matrix
    double tconv = 0.0; // load factor reached (code 2)
};

extern Table1<IncompleteAnalysis, MAXLC + MAXCMB> INCANL;
extern int NINCANL;  // entries of INCANL in use, in the order the analyses ran

// The analysis in hand (ICASE, ICOMB) recorded with its status code; once
// per analysis (a second record of the same analysis replaces the first).
void NOTEINC(int code, double tconv = 0.0);

// The status line of a code as the status file carries it: 1 completed, 2
// solution at 100 tconv percent of the load, 3 no convergence on the cap, 6
// on the piles, 7 singular matrix, any other the completed line of a target
// trial ("10").
std::string status_line(int code, double tconv = 0.0);

// "LOAD CASE     3" or "LOAD COMB.    1", and the name given in the input
// (trailing blanks removed).
std::string incomplete_label(const IncompleteAnalysis& a);
std::string incomplete_name(const IncompleteAnalysis& a);

void reset_analysis_outcomes();

}  // namespace zolan
