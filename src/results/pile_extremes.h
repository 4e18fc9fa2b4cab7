// Per-pile writers of the results pass beside the pile page: the along-pile
// values on the plot-data file (EFFPLT) and the pile's along-pile extremes
// as work-file records 5-8 (EFFEXT). Each keeps its state in the call and
// writes only its own file, so the two can run side by side on two threads.
#pragma once

#include "model/result_tables.h"
#include "results/work_file.h"

namespace zolan {

// Plot-data block of one pile whose last node row is `last` (N + 4): a line
// of 25 flags saying which quantities follow (every quantity the model and
// the pile provide: see drop_unprovided), then one line per node from the
// head: the distance (r - 4) h in internal units and the flagged values;
// values below 1E-50 in magnitude are written as 0.
void EFFPLT(int last, int curve, int kaxvar, int icomb, int nantyp, double h, const EFFREC& rec);

// Minimum and maximum of every quantity over node rows 4 .. last and the
// depth (r - 4) h of the first node where each occurs (a tie keeps the
// shallower node). A pile with no node row leaves every value and depth 0.
PILEXT pile_extremes(int last, double h, const EFFREC& rec);

// Work-file records 5-8 of pile row p: the extremes of pile_extremes.
void EFFEXT(int p, int last, double h, const EFFREC& rec);

}  // namespace zolan
