// Process-wide state of a run: timers, thread counts, the solver stage, the
// unit system, the names of the run files and the detail of a failure. Every
// item here is set again by reset_run_state() at the start of each run.
#pragma once

#include <string>
#include <vector>

#include "model/limits.h"
#include "model/table.h"

namespace zolan {

// Wall-clock timers, in seconds.
extern double TELAPS;   // start of the run; at its end, the elapsed seconds of the whole run
extern double TANAL;    // start of the run; then the seconds of the latest analysis
extern double TMARK;    // elapsed time at the end of the previous analysis
extern double TPARAL;   // parallel time of the current analysis
extern double TSERIAL;  // serial time of the current analysis
extern double TPRINT;   // print time of the current analysis

extern int NPROC;               // the OpenMP runtime's maximum thread count
extern Table1<int, 2> NTHRMX;   // largest thread counts used by the parallel loops
extern int PYMODE;              // print switch of the generated p-y curves
extern int KFLAG;               // solver stage: 0 iterating, 1 print pass, 2 equivalent-stiffness pass
extern int METHOD;              // solution method of the cap solvers
extern int KTRANS;              // 1: full six-by-six transformation of pile-head quantities
extern int NUNITS;              // unit system: 1 English, 2 SI, 3 open

// Names file: the version text and the names of the run files (trailing blanks removed).
extern FixedText<12> VERTXT;
extern std::string FINPUT, FECHO, FRESULT, FSUMMRY, FPLOT, FRUNTIM, FSTATUS, FPLTDAT, FPROGRS,
    FCRVRPT, FFLEX, FLDD, FPTOPSC, FSTOP, FEQK, FEQM, FAXWARN, FITRTRC, FAXLD, FCURVES, FESTTRC,
    FSUMSCR, FMPHI;

// Detail of a failure that ends the run (a file that could not be opened, a
// malformed input record): one line each, printed by the final report after
// the status text.
extern std::vector<std::string> FAILTXT;

void reset_run_state();

}  // namespace zolan
