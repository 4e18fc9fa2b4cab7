// A hand-made axial row whose mid-point iteration cannot converge: one
// increment of 100 (As = 3.1416 x 20 x 100 = 6283.2, AE = 1e5), so the
// mid-point map is wm' = 1 + t(wm) x As x h / (8 AE) = 1 + 0.7854 t(wm); with
// the t-z curve (0, 0) (1, 1.27324) (2, 0) it sends 1 to 2 and 2 back to 1.
#pragma once

#include "pile/axial_samples.h"

namespace zolan::test {

inline AXSAMP midpoint_cycle_samples() {
    AXSAMP s;
    s.NS = 1;
    s.npts(1) = 3;
    s.Z(2, 1) = 1.0;
    s.Z(3, 1) = 2.0;
    s.T(2, 1) = 1.27324;
    s.NB = 2;
    s.BP(2) = 100.0;
    s.AEP(1) = s.AEP(2) = 1.0e5;
    s.D = 20.0;
    return s;
}

}  // namespace zolan::test
