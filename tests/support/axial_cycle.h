// A hand-made axial row whose mid-point iteration cannot converge: one
// increment of 100 (As = 3.1416 x 20 x 100 = 6283.2, AE = 1e5), so the
// mid-point map is wm' = 1 + t(wm) x As x h / (8 AE) = 1 + 0.7854 t(wm); with
// the t-z curve (0, 0) (1, 1.27324) (2, 0) it sends 1 to 2 and 2 back to 1.
#pragma once

#include <initializer_list>
#include <utility>

#include "pile/axial_samples.h"

namespace zolan::test {

// One sample serving the whole of a uniform row 100 long, D = 20, of
// rigidity AE: its t-z curve from the origin through the points (z, t) given.
inline AXSAMP one_sample(std::initializer_list<std::pair<double, double>> zt, double AE) {
    AXSAMP s;
    s.NS = 1;
    s.npts(1) = 1 + static_cast<int>(zt.size());
    int i = 1;
    for (const auto& [z, t] : zt) {
        ++i;
        s.Z(i, 1) = z;
        s.T(i, 1) = t;
    }
    s.NB = 2;
    s.BP(2) = 100.0;
    s.AEP(1) = s.AEP(2) = AE;
    s.D = 20.0;
    return s;
}

inline AXSAMP midpoint_cycle_samples() { return one_sample({{1.0, 1.27324}, {2.0, 0.0}}, 1.0e5); }

}  // namespace zolan::test
