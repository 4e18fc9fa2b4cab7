// Soil samples, t-z curves and shaft profile of a pile row: what the bottom-up
// integration of a pile's axial response reads, and its two reading rules
// (unit side resistance at a depth and movement, axial rigidity along the shaft).
#pragma once

#include "model/section_tables.h"
#include "pile/tz_curves.h"

namespace zolan {

// Working table of the axial routines, kept by the caller (one per pile row
// being evaluated; about 75 kB, so a worker thread needs a stack to match).
struct AXSAMP {
    int NS = 0;            // samples in use: 3 NLAYPY + 2
    TZTAB T, Z;            // t-z curve of sample g: T(i, g) unit side resistance, Z(i, g) movement
    TZVAL X;               // depth of the sample below the depth origin
    TZVAL fmax;            // maximum unit side resistance
    TZVAL phi;             // friction angle, degrees
    Table1<int, MAXTZS> npts;  // points of each curve (10)
    int NB = 0;                // profile breakpoints: 2 NSECP
    Table1<double, 2 * MAXSEC> BP, AEP;  // distance from the head, axial rigidity AE there
    double D = 0.0;            // shaft diameter: top diameter of section 1
};

// Samples, t-z curves and shaft profile of pile row r, property set p. A
// lookup beyond its input curve sets ISTAT (22 to 27) and the call returns at
// once with the table incomplete.
void AXTZC(int r, int p, int& ISTAT, AXSAMP& s);

// Unit side resistance at depth x below the depth origin and movement w >= 0:
// linear in depth between the curves of the samples above and below, the
// deepest curve below the last sample, 0 above the depth origin.
double AXSIDE(const AXSAMP& s, double x, double w);

// Axial rigidity at distance y from the pile head along the pile, linear
// within each section; y is held to the profile (top value above it, the
// deepest section's bottom value below it).
double AXAE(const AXSAMP& s, double y);

}  // namespace zolan
