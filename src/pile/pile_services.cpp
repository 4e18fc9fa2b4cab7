// Curve-file writers of the single-pile response.
#include "pile/pile_services.h"

#include "pile/axial_springs.h"
#include "pile/torque_curve_file.h"

namespace zolan {

PileServices pile_services;

void LSCRVP(int p, int& ISTAT) {
    if (pile_services.lscrvp) {
        pile_services.lscrvp(p, ISTAT);
        return;
    }
    write_axial_springs(p, ISTAT);
}
void TRCRVP(int p, int& ISTAT) {
    if (pile_services.trcrvp) {
        pile_services.trcrvp(p, ISTAT);
        return;
    }
    write_torque_curves(p, ISTAT);
}

}  // namespace zolan
