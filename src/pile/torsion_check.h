// Torsional moment at the head of a three-dimensional pile row for a head
// rotation about the pile axis, read on the row's torque-rotation curve, with
// the end rules and the pile warnings beyond its ends.
#pragma once

#include "pile/head_curves.h"
#include "report/row_report.h"

namespace zolan {

// Head moment of pile row `pile` for the rotation theta about the pile axis
// (the fourth head displacement in pile axes), on user curve ITRCRV(pile)
// when positive, else generated curve -ITRCRV(pile): the linear reading
// inside the curve (theta 0 is read like any other rotation); beyond either
// end the end moment with ctl.kextrp 1, else 0, and, while ctl.kwarn is 1,
// one warning block on the pile-warning scratch file, counted in NFTORS when
// it is written. The block goes to `rep` (the row's report). Of the controls
// kaxvar is not read.
double TORCHK(const AxControls& ctl, int pile, double theta, RowReport& rep);

}  // namespace zolan
