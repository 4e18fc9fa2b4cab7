// Pile rows of the analysis model: the per-row arrays (one slot per row, the
// embedded cap as a short pseudo-pile in row NPILES + 1) and the cap vectors.
#pragma once

#include "model/limits.h"
#include "model/table.h"

namespace zolan {

// Six values in cap order: X (vertical, positive downward), Y, Z, rotation
// about X, Y, Z; forces FX, FY, FZ and moments MX, MY, MZ in that order. The
// plane model uses X, Y and rotation about Z.
using CAPVEC = Table1<double, 6>;
using CAPFLAGS = Table1<int, 6>;

extern int NPILES;   // pile rows in use

extern Table1<double, MAXPIL> CORX, CORY, CORZ;  // pile-head coordinates
extern Table1<double, MAXPIL> ALPHA, BETA;       // orientation angles of a three-dimensional row (radians)
extern Table1<double, MAXPIL> BATANG;            // slope of a plane row (radians)
extern Table1<double, MAXPIL> AXHLOAD;           // axial head load from the distributed loads of the analysis
extern int KAXHL;                                // non-zero when any row got an axial head load

void reset_pile_tables();

}  // namespace zolan
