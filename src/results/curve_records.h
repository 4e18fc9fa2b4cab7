// Curve-file records of a pile for a graphics front end: its geometry and
// section values segment by segment (block kind 0), and its lateral soil
// springs at the stations between segments as force-deflection curves (block
// kind 1), formatted or unformatted record for record (KCRVFM).
#pragma once

#include "model/table.h"
#include "model/py_tables.h"

namespace zolan {

// Geometry block of pile row p: header (p, NCRVST, 0), the length, the head
// position, the three axes (three-dimensional) or two (plane), then per
// segment its middle's station record and section values.
void pile_geometry_records(int p);

// Spring block of pile row p: header (p, NCRVST + 1, 1), then per station
// from the head to the tip its record, its curve header and the curve of the
// half segments above and below it, mirrored through the origin. A status a
// p-y generator sets reaches ISTAT.
void pile_spring_records(int p, int& ISTAT);

// One branch of a spring curve: nv deflections y and forces f.
struct SpringCurve {
    int nv = 0;
    Table1<double, MAXPYB> y, f;
};

// The sum of two half-segment curves on the deflections of the one with the
// smaller last deflection (a tie: a), the other's force interpolated
// linearly between its points; a one-point curve adds the other's force.
SpringCurve sum_half_segments(const SpringCurve& a, const SpringCurve& b);

}  // namespace zolan
