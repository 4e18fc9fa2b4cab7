// Empirical coefficients of the sand p-y curves by depth over diameter z/b:
// A scales the ultimate resistance, B the resistance at b/60. Ten points on
// the abscissae SAND_ZB, linear between them and constant beyond z/b = 6.
// Read by the sand and silt curves and by the equivalent depth of layered
// soil.
#pragma once

#include "model/single_precision.h"

namespace zolan {

inline constexpr double SAND_ZB[10] = {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0};
inline constexpr double SAND_A_STATIC[10] = {f32(2.83f), f32(2.48f), f32(2.11f), f32(1.76f), f32(1.48f),
                                             f32(1.23f), f32(1.06f), f32(0.90f), f32(0.88f), f32(0.88f)};
inline constexpr double SAND_B_STATIC[10] = {f32(2.14f), f32(1.83f), f32(1.54f), f32(1.27f), f32(1.05f),
                                             f32(0.86f), f32(0.71f), f32(0.53f), f32(0.50f), f32(0.50f)};
inline constexpr double SAND_A_CYCLIC[10] = {f32(0.75f), f32(0.93f), f32(1.07f), f32(1.11f), f32(1.03f),
                                             f32(0.98f), f32(0.94f), f32(0.90f), f32(0.88f), f32(0.88f)};
inline constexpr double SAND_B_CYCLIC[10] = {f32(0.53f), f32(0.72f), f32(0.83f), f32(0.86f), f32(0.82f),
                                             f32(0.77f), f32(0.70f), f32(0.55f), f32(0.55f), f32(0.55f)};

}  // namespace zolan
