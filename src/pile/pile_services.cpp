// Curve-file writers of the single-pile response; until they exist nothing
// is written.
#include "pile/pile_services.h"

namespace zolan {

PileServices pile_services;

void LSCRVP(int& p, int& ISTAT) {
    if (pile_services.lscrvp) pile_services.lscrvp(p, ISTAT);
}
void TRCRVP(int& p, int& ISTAT) {
    if (pile_services.trcrvp) pile_services.trcrvp(p, ISTAT);
}

}  // namespace zolan
