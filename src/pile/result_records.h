// Print-pass stores of the three-dimensional lateral solution: the pile-top
// record and the along-pile record of a pile row into the current results
// and the envelopes (one rule, model/result_tables.h), the turn of a pile
// vector into global axes, the initial slopes of the row's axial and
// torsional head curves, and the row's re-read node springs. Each call
// touches only its own pile row, so the pile-row loops may run them at once.
//
// nanal is the envelope counter of the series (1 while its first analysis
// is reported). A pile row outside the sized result sets stores nothing.
#pragma once

#include <array>

#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/result_tables.h"

namespace zolan {

// Pile-top record of row `pile` from the head displacements and rotations in
// global (gd) and pile axes (ld), the head reactions in global (gf) and pile
// axes (lf) and the head stress: slots 1-6 gd, 7-12 gf, 13 stress, 14-19 ld,
// 20-25 lf, the 26th value the stress again; envelopes, then PTOPRES.
void PTENV3D(int pile, int nanal, double stress, const CAPVEC& gd, const CAPVEC& ld, const CAPVEC& gf,
             const CAPVEC& lf);

// Pile-top record of plane row `pile`: the thirteen values v go to slots 1,
// 2, 3 (displacement X, Y and rotation), 14, 15, 16 (row axes), 4, 5, 6
// (forces and moment in cap axes), 17, 18, 19 (axial, lateral force and
// moment) and 7, the head stress, repeated in slot 20; envelopes, then
// PTOPRES. Other slots are not written.
void PTENV2D(int pile, int nanal, const std::array<double, 13>& v);

// Along-pile record whose column q is the q-th node vector (all MAXNOD rows);
// a missing vector leaves its column zero.
EFFREC PKREC3D(const std::array<const NODVEC*, MAXNQ>& columns);

// Node rows 4..last (last = N + 4, the tip; at most MAXNOD) of rec into the
// envelopes EFFMIN, EFFMAX and then EFFRES of row `pile`; other rows are
// never touched, and nothing happens for last below 4.
void NODENV(int pile, int last, int nanal, const EFFREC& rec);

// A vector of pile row `pile` in pile axes (x along the pile, y, z) turned
// into global axes with the row's ALPHA, BETA, THETA.
struct GlobalXYZ {
    double X = 0.0, Y = 0.0, Z = 0.0;
};
GlobalXYZ ROTV3(int pile, double x, double y, double z);

// Initial slope of the row's axial load-settlement curve (CRVSL1, load over
// displacement) and of its torque-rotation curve (CRVSL2): the segment ending
// at the first point from the second on whose displacement is 0 or more (the
// last segment when there is none). 0 when the row has no curve, or its curve
// has fewer than two points.
double CRVSL1(int pile);
double CRVSL2(int pile);

// The row's re-read node springs: v(k) = EQKNODR(pile, k) for real node
// k = 1..N+1, N the increments of its property set; the rest of v zero.
NODVEC LLPGET(int pile);

}  // namespace zolan
