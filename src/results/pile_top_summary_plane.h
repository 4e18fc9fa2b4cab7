// Pile-top summary of one reported result set of the plane model: six
// tables on the summary re-read from the work file (displacements and
// reactions, global and local, the stress the last column of each reaction
// table; then the along-pile minima and maxima), each with a row per pile row
// and the extreme rows with the pile row where each occurs; the summary
// scratch receives the titles, headings and extreme rows of all six.
#pragma once

#include "results/effects_table.h"

namespace zolan {

// One pile-top table: isys 1 global, 2 local values; iq 1 displacements, 2
// reactions with the stress. An unreadable work file sets ISTAT to 38 (when
// it is 0) with its line and reason in the run's failure lines: false.
bool PTOPTB2D(int isys, int iq, int npiles, const QSEL& qsel, int& ISTAT);

// The six tables in order; the along-pile extremes are those of the
// three-dimensional summary. Stops after a table that could not read.
void PTTAB2D(int npiles, const QSEL& qsel, int& ISTAT);

}  // namespace zolan
