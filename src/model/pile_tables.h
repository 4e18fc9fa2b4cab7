// Pile rows of the analysis model: the per-row arrays (one slot per row, the
// embedded cap as a short pseudo-pile in row NPILES + 1) and the cap vectors.
// The rows are filled from the raw pile table while Table D of the input echo
// prints; lengths are in internal units, angles in radians from then on.
#pragma once

#include "model/limits.h"
#include "model/table.h"

namespace zolan {

// Six values in cap order: X (vertical, positive downward), Y, Z, rotation
// about X, Y, Z; forces FX, FY, FZ and moments MX, MY, MZ in that order. The
// plane model uses X, Y and rotation about Z.
using CAPVEC = Table1<double, 6>;
using CAPFLAGS = Table1<int, 6>;
using CAPMAT = Table2<double, 6, 6>;  // a 6 x 6 matrix in cap order

extern int NPILES;   // pile rows in use

// Head connection codes: 1 pinned, 2 fixed, 3 restrained by a rotational spring.
constexpr int KPIN = 1, KFIX = 2, KRES = 3;

extern Table1<int, MAXPIL> KCONN;     // head connection in the first bending plane
extern Table1<int, MAXPIL> KCONNZ;    // head connection in the second bending plane (3-D)
extern Table1<double, MAXPIL> PMULT;  // piles the row stands for (1 in 3-D)
extern Table1<int, MAXPIL> IPROP;     // pile property set
extern Table1<int, MAXPIL> IPYSET;    // user p-y curve set, 0: the curves of the soil layers
extern Table1<int, MAXPIL> ILSCRV;    // load-settlement curve: > 0 user curve, < 0 generated curve, 0 none
extern Table1<int, MAXPIL> ITRCRV;    // torque-rotation curve, signed as ILSCRV (3-D)
extern Table1<int, MAXPIL> IRFSET;    // set of reduction factors along depth
extern Table1<int, MAXPIL> ILSGEN;    // generated load-settlement curve of the row
extern Table1<int, MAXPIL> ITRGEN;    // generated torque-rotation curve of the row (3-D)
extern Table1<double, MAXPIL> SPRZ;   // head rotational spring of the first plane (force x length)
extern Table1<double, MAXPIL> SPRY;   // head rotational spring of the second plane (3-D)
extern Table1<double, MAXPIL> AXFAC;  // factor on the axial force of the row
extern Table1<double, MAXPIL> GRPSPC; // spacing of the piles of a plane row

extern Table1<double, MAXPIL> CORX, CORY, CORZ;  // pile-head coordinates (X downward)
extern Table1<double, MAXPIL> XTOP, YTOP;        // head X (both models) and Y (plane model)
extern Table1<double, MAXPIL> ALPHA, BETA, THETA;  // pile angles (radians); a plane row has ALPHA, its slope
extern Table1<double, MAXPIL> BATANG;            // batter angle from the vertical (radians)
extern Table1<double, MAXPIL> ANG0;              // third angle of the pile transform, always 0 (3-D)
extern Table1<double, MAXPIL> GROUND;            // from the pile head down to the ground line
extern Table1<double, MAXPIL> AXHLOAD;           // axial head load from the distributed loads of the analysis
extern int KAXHL;                                // non-zero when any row got an axial head load

extern double CPPTOP;  // top of the embedded cap's pseudo-pile: highest pile head less the cap thickness
extern double CPPTHK;  // cap thickness, for the pseudo-pile routines

void reset_pile_tables();

}  // namespace zolan
