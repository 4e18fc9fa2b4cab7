// The embedded cap as a short, rigid, vertical pseudo-pile (pile row
// NPILES + 1) on the lateral p-y springs of the soil layers, with the cap's
// width. Its nodes follow the cap's rigid-body motion; the soil reactions
// are integrated along it (trapezoid rule for the forces, end half-segments
// at their centroids for the moments) and carried to the cap origin. It
// takes no vertical load and no torsion. Every evaluation writes the
// reactions trace "REACTIONS CAP" to the results report.
//
// Status: a failed evaluation of the pseudo-pile gives zero force and sets
// ISTAT; a status already set (by a pile row) is never cleared.
#pragma once

#include "model/pile_tables.h"

namespace zolan {

// Soil resultants on the pseudo-pile at its head, in pile axes.
struct CapSprings {
    double Fy = 0.0, Fz = 0.0, Mz = 0.0, My = 0.0;
};

// Node layout of row NPILES + 1: NCAPINC increments over the cap thickness
// from its top CPPTOP, the layer ranges and the layer sentinel. A node below
// the bottom of the deepest layer writes the fatal block and returns false
// with ISTAT = 3.
bool CAPLAY(int& ISTAT);

// Soil resultants for the head's lateral displacements y0, z0 and rotations
// rz (about z), ry (about y), pile axes. On a status of the p-y evaluation
// the result is zero and no trace is written.
CapSprings CAPSPY(double y0, double rz, double z0, double ry, int& ISTAT);

// Head force of the pseudo-pile (global axes) for its head displacement Uh.
CAPVEC CAPSPR(const CAPVEC& Uh, int& ISTAT);

// Force vector of the pseudo-pile at the cap origin for the cap displacement U.
CAPVEC CAPSPF(const CAPVEC& U, int& ISTAT);

// Its derivative by central differences (translation step 1e-7 in both unit
// systems, rotation step 1e-13), each perturbed evaluation preceded by the
// pile rows' force vector at the same displacement (force not used; its
// error word does not reach the solver).
CAPMAT CAPSPK(const CAPVEC& U, int& ISTAT);

}  // namespace zolan
