// Pile axes from the pile's angles.
#include "pile/pile_frame.h"

#include <cmath>

namespace zolan {

PileAxes pile_axes(double alpha, double beta, double theta) {
    const double sa = std::sin(alpha), ca = std::cos(alpha);
    const double sb = std::sin(beta), cb = std::cos(beta);
    const double st = std::sin(theta), ct = std::cos(theta);
    return PileAxes{{
        {sb, ca * cb, sa * cb},
        {-cb * ct, ca * sb * ct - sa * st, sa * sb * ct + ca * st},
        {cb * st, -(ca * sb * st + sa * ct), ca * ct - sa * sb * st},
    }};
}

}  // namespace zolan
