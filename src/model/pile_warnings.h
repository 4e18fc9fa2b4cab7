// Counters of the pile-warning blocks of the latest residual evaluation: one
// per block that reached the pile-warning scratch file, raised when the block
// is written (report/row_report.h: row_text_counted), so that a counter and
// the blocks on the file always agree. Serial-only words: the cap solvers
// clear them at the start of a solve and of every iteration and read them
// after the loops.
#pragma once

#include "model/limits.h"
#include "model/table.h"

namespace zolan {

extern int NAXWBR;  // axial head beyond the bearing end of its load-settlement curve
extern int NAXWPO;  // axial head beyond the pull-out end of its load-settlement curve
extern int NFTORS;  // head rotation beyond an end of its torque-rotation curve

// The rows whose axial head lay past the peak of their load-settlement
// curve in the latest residual evaluation (1, else 0), each with one block
// on the pile-warning scratch file: every row writes its own slot whenever
// it evaluates its axial head for a residual, so the marks and the blocks
// on the file always agree.
extern Table1<int, MAXPIL> AXPEAK;

// The blocks of the latest residual evaluation for rows 1 to n past their peaks.
int past_peak_rows(int n);

void reset_pile_warnings();

}  // namespace zolan
