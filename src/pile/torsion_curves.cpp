// Placeholder until the torque-rotation curve is built.
#include "pile/torsion_curves.h"

namespace zolan {

void TRCRV(int, int, int, int, int&, int& n, AXPTS&, AXPTS&) { n = 0; }

}  // namespace zolan
