// A soil profile set up by hand for a unit test: layers added from the top,
// each with the two points of the soil curves at its top and its bottom.
#pragma once

#include "model/soil_tables.h"

namespace zolan::test {

// Soil layer L from top to bot with soil code `code`: the layer tables and
// the depths of its two points on the soil curves; the counts take it in.
inline void soil_layer(int L, int code, double top, double bot) {
    NLAYPY = L;
    NSCPT = NUWPT = 2 * L;
    ISOIL(L) = code;
    LAYTOP(L) = top;
    LAYBOT(L) = bot;
    SCDEP(2 * L - 1) = UWDEP(2 * L - 1) = top;
    SCDEP(2 * L) = UWDEP(2 * L) = bot;
}

// A soil quantity of layer L: `top` at its top point, `bot` at its bottom
// point (linear in depth between them); one value for a uniform layer.
template <class Curve>
void layer_value(Curve& curve, int L, double top, double bot) {
    curve(2 * L - 1) = top;
    curve(2 * L) = bot;
}
template <class Curve>
void layer_value(Curve& curve, int L, double v) {
    layer_value(curve, L, v, v);
}

}  // namespace zolan::test
