// Phases whose work the engine does not do yet: the input echo and the
// analyses. A run passes through them with its
// status unchanged.
#include "control/control.h"

namespace zolan {

void ECHOINP(int&) {}
void ANALYS(int, int&) {}

}  // namespace zolan
