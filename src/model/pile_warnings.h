// Counters of the pile-warning blocks of the latest residual evaluation: one
// per block that reached the pile-warning scratch file, raised when the block
// is written (report/row_report.h: row_text_counted), so that a counter and
// the blocks on the file always agree. Serial-only words: the cap solvers
// clear them at the start of a solve and of every iteration and read them
// after the loops.
#pragma once

namespace zolan {

extern int NAXWBR;  // axial head beyond the bearing end of its load-settlement curve
extern int NAXWPO;  // axial head beyond the pull-out end of its load-settlement curve
extern int NFTORS;  // head rotation beyond an end of its torque-rotation curve

void reset_pile_warnings();

}  // namespace zolan
