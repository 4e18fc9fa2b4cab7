// Pile axes of a three-dimensional pile row and the transforms between the
// cap origin and the pile head: the lever pair (cap displacement at the
// origin to the head, head force back to the origin) and the rotation pair
// (pile axes to cap axes and back). A pure function of the row's geometry,
// safe on any number of threads at once.
#pragma once

#include "model/pile_tables.h"

namespace zolan {

// Head position relative to the cap origin (X downward, Y, Z) and the pile
// angles in radians: BETA the inclination of the axis from the horizontal
// (pi/2 vertical), ALPHA the turn of the batter direction from Y towards Z,
// THETA the turn of the pile's y and z axes about its own axis.
struct PileGeometry {
    double x = 0.0, y = 0.0, z = 0.0;
    double alpha = 0.0, beta = 0.0, theta = 0.0;
};

// The four 6 x 6 transforms of a row, first index fastest.
struct PileTransform {
    CAPMAT LT;  // head force in cap axes to the origin: force unchanged, r x force added to the moment
    CAPMAT L;   // cap displacement at the origin to the head: u + theta x r, rotation unchanged
    CAPMAT Q;   // pile axes to cap axes: the pile axes x, y, z as columns, on both diagonal blocks
    CAPMAT QT;  // cap axes to pile axes
};

PileTransform PILETR(const PileGeometry& g);
// Row i (1 to NPILES + 1) from CORX, CORY, CORZ, ALPHA, BETA, THETA.
PileTransform PILETR(int i);

}  // namespace zolan
