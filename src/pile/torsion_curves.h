// Torque-rotation curve of a pile: the torque at the pile head against the
// head's rotation about the pile axis, from the side resistance of the soil
// on the shaft, for nine assumed tip rotations.
#pragma once

#include "pile/load_settlement.h"

namespace zolan {

// Branch 1 or 2 (the same points; branch 1 also prints the sampled curves and
// its table negated), property set p, pile row r, curve number m. n := 9, the
// head torques T and rotations theta (radians) when the call completes; may
// set ISTAT to 34 or 35 (or a lookup's code) and then leaves n unset.
void TRCRV(int p, int branch, int m, int r, int& ISTAT, int& n, AXPTS& T, AXPTS& theta);

}  // namespace zolan
