// Placeholder until the load-settlement curve is built.
#include "pile/load_settlement.h"

namespace zolan {

void LSCRV(int, int, int, int, int&, int& n, AXPTS&, AXPTS&) { n = 0; }

}  // namespace zolan
