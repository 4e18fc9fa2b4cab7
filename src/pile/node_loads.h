// Lateral actions along a pile brought to the nodes of its mesh before each
// lateral solution: the distributed loads of the current case or combination
// and the free-field soil movement. Values are returned by real node j at
// index j (node 1 the pile head), j = 1 .. NINCR + 1; slots beyond are not
// written.
//
// Both tables give their depths from the pile head, so a node is looked up at
// its own distance from the head (its mesh position less CORX of the row);
// the soil-movement profile is already scaled by the current load factor and
// is not scaled again here.
#pragma once

#include "model/node_tables.h"

namespace zolan {

// Distributed load per unit length in the pile's local y (DISTLD, column 2
// of DLTAB) or local z (DISTLD2, column 3) at each node of row r, read at the
// node's distance from the head along the axis. The first argument is not
// read. Called when DLNPT(r) > 0.
void DISTLD(int a, int r, NODVEC& q);
void DISTLD2(int a, int r, NODVEC& q);

// Soil-movement profile of row r into SMPDEP, SMPY, SMPZ: the depths SMDEP(k) - CORX(r)
// below the head and the movements in effect SMVCUR resolved on the pile's
// two lateral directions. Three-dimensional model: the horizontal movement
// (0, Y, Z) along the pile's own axes y and z (pile/pile_frame.h, the axes of
// the pile transform, its turn THETA about the pile axis included); with
// THETA = 0 that is sin BETA (Y cos ALPHA + Z sin ALPHA) and
// Z cos ALPHA - Y sin ALPHA. Plane model: Y sin(pi/2 - BATANG) and 0.
// Writes only row r.
void SOILMOV(int r);

// Soil movement at each node of row r in the pile's first (SMVNOD1) or
// second (SMVNOD2) lateral direction, read from the row's profile at the
// node's depth below the head, then projected on the pile. Called when
// NSMOV > 0, after SOILMOV(r).
void SMVNOD1(int r, NODVEC& m);
void SMVNOD2(int r, NODVEC& m);

}  // namespace zolan
