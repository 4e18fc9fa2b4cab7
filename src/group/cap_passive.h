// Passive resistance of an embedded cap: the soil in front of the cap resists
// its lateral movement with a pressure that grows linearly from nothing at
// the mean ground line to the mean lateral resistance of the pile rows at
// X = 0. The block covers the part of the cap thickness below the ground
// line; its resultant and its moment about the origin oppose the cap's
// lateral displacement and are shared between Y and Z in proportion to the
// absolute lateral displacement components. Added to the pile-row force
// vector and tangent by the three-dimensional cap solver.
#pragma once

#include <functional>

#include "model/pile_tables.h"

namespace zolan {

// Resultant FB of the pressure block and MB, minus its moment about X = 0
// (so that -MB / FB is the X of the line of action), for the mean ground
// line X grdavg, cap thickness capthk, mean resistance pasavg at X = 0 and
// cap-bottom level xn. Zero unless the ground line lies above X = -1e-6.
struct PassiveBlock {
    double FB = 0.0, MB = 0.0;
};
PassiveBlock passive_block(double grdavg, double capthk, double pasavg, double xn);

// The block shared between the lateral directions of U against the
// displacement: slots 2, 3, 5, 6; zero when |uY| + |uZ| <= 1e-14.
CAPVEC passive_force(const PassiveBlock& b, const CAPVEC& U);

// Passive force vector at the origin for the cap displacement U: the pile
// rows are evaluated first (their force dropped) so that each row's ground
// line GRDDEP and cap resistance PASPV belong to U; GRDAVG, PASAVG and CAPHD
// are left for U. ISTAT is handed to the pile rows only. No pile rows: zero.
CAPVEC CAPPAS(const CAPVEC& U, int& ISTAT);

// Derivative of CAPPAS by central differences: translation step 1e-7 (2.54e-9
// m in SI), rotation step 1e-11.
CAPMAT CAPPASK(const CAPVEC& U, int& ISTAT);

// Column j of the result := (f(U + d_j e_j) - f(U - d_j e_j)) / d_j * 0.5,
// the six plus evaluations first, then the six minus ones, each from U with
// one component changed.
CAPMAT central_differences(const CAPVEC& U, const CAPVEC& step, const std::function<CAPVEC(const CAPVEC&)>& f);

}  // namespace zolan
