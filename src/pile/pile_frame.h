// The pile's own axes in cap components, from its three angles: x along the
// pile from the head towards the tip, y and z across it. Shared by the pile
// transforms of the cap solvers and the pile routines that resolve cap-axis
// quantities onto the pile (the soil movement).
#pragma once

namespace zolan {

// axis[k][c]: component c (0 X downward, 1 Y, 2 Z) of pile axis k (0 x,
// 1 y, 2 z). Orthonormal and right-handed; X, Y, Z for a vertical pile
// (beta = pi/2) with alpha = theta = 0.
struct PileAxes {
    double axis[3][3];
};

// beta the inclination of the pile axis from the horizontal, alpha the turn
// of the batter direction from Y towards Z, theta the turn of the y and z
// axes about the pile axis (radians):
//   x = (sb, ca cb, sa cb)
//   y = (-cb ct, ca sb ct - sa st, sa sb ct + ca st)
//   z = (cb st, -(ca sb st + sa ct), ca ct - sa sb st)
// At whole right angles the sines and cosines are exactly 0 and +-1, so a
// vertical pile's axes carry no rounding across them.
PileAxes pile_axes(double alpha, double beta, double theta);

}  // namespace zolan
