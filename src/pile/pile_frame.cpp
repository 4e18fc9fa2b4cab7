// Pile axes from the pile's angles.
#include "pile/pile_frame.h"

#include <algorithm>
#include <cmath>

namespace zolan {

namespace {

// Sine and cosine of an angle, exact at whole right angles. A vertical pile
// (beta = pi/2) must have exactly no lateral component: cos(pi/2) in
// floating point is 6e-17, which couples the axial and lateral responses of
// every vertical pile by rounding, and where a p-y curve is steepest (its
// slope grows without bound at zero deflection) the Newton iteration of the
// cap magnifies that coupling into a lateral wander of a symmetric group.
struct SinCos {
    double s, c;
};
SinCos sin_cos(double a) {
    constexpr double right = 1.57079632679489661923;
    const double k = std::nearbyint(a / right);
    if (std::abs(a - k * right) <= 1e-12 * std::max(1.0, std::abs(a))) {
        static constexpr SinCos quarter[4] = {{0.0, 1.0}, {1.0, 0.0}, {0.0, -1.0}, {-1.0, 0.0}};
        const long q = static_cast<long>(k) % 4;
        return quarter[q < 0 ? q + 4 : q];
    }
    return {std::sin(a), std::cos(a)};
}

}  // namespace

PileAxes pile_axes(double alpha, double beta, double theta) {
    const auto [sa, ca] = sin_cos(alpha);
    const auto [sb, cb] = sin_cos(beta);
    const auto [st, ct] = sin_cos(theta);
    return PileAxes{{
        {sb, ca * cb, sa * cb},
        {-cb * ct, ca * sb * ct - sa * st, sa * sb * ct + ca * st},
        {cb * st, -(ca * sb * st + sa * ct), ca * ct - sa * sb * st},
    }};
}

}  // namespace zolan
