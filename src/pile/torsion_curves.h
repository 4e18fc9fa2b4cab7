// Torque-rotation curve of a pile: the torque at the pile head against the
// head's rotation about the pile axis, from the side resistance of the soil
// on the shaft, for nine assumed tip rotations.
#pragma once

#include "pile/load_settlement.h"
#include "pile/tz_curves.h"

namespace zolan {

// Branch 1 or 2 (the same points; branch 1 also prints the sampled curves and
// its table negated), property set p, pile row r, curve number m. n := 9, the
// head torques T and rotations theta (radians) when the call completes; may
// set ISTAT to 34 or 35 (or a lookup's code) and then leaves n unset.
// A section without torsional rigidity (GJ <= 1e-6) is reported and carries
// no torque: an increment whose mid-point GJ is that small adds no rotation
// and passes no torque upward. The mid-point iteration of an increment stops
// after 1000 passes with its last iterate and a warning line on RESFILE.
void TRCRV(int p, int branch, int m, int r, int& ISTAT, int& n, AXPTS& T, AXPTS& theta);

// Maximum unit side resistance estimated from the soil strength at depth x
// (from the depth origin) for pile type ptype (1 driven, 2 drilled) and soil
// code `code`, where the input gives none. zg is the depth below the ground
// line; dft the length whose value in feet sets the drilled-shaft factor
// beta. Codes 5 and 12 and other pile types keep `fread`. Returns false when
// a lookup that is tested at once set `status` (the caller stops); a failed
// cohesion lookup of the drilled-shaft rules leaves `status` set and returns
// true, for the caller's next test.
bool side_resistance_estimate(int ptype, int code, double x, double zg, double dft, double fread, double& fmax,
                              int& status);

// The t-z curve of sample g by pile type and soil code (driven: TZCRV3, 4 or
// 5; drilled: TZCRV1 or 2). A drilled shaft in a user p-y layer (code 5) takes
// the cohesionless curve when phi(g) > 1 degree and the cohesive one
// otherwise. Other codes or pile types leave the curve as it is.
void tz_curve_of(int ptype, int code, int g, double D, TZTAB& T, TZTAB& Z, TZVAL& fmax, const TZVAL& phi);

}  // namespace zolan
