// Pile-head stiffness of one pile from the equivalent stiffnesses that an
// accepted stiffness level left (EQKTOPR, EQKNODR): the pile as a chain of
// beam-column elements on lumped lateral node springs, condensed from the
// tip up to the head, the head fixity of each bending plane applied, and the
// axial (and torsional) head terms taken from the pile-top stiffnesses.
// Everything here reads shared tables only and may run on many threads at
// once, one pile per call; the trace records of a pile go to its row report.
#pragma once

#include <span>

#include "group/matrix_kernels.h"
#include "model/pile_tables.h"
#include "model/table.h"

namespace zolan {

using MAT6 = Table2<double, 6, 6>;  // plane element, first index fastest

// Beam-column element of length h between a lower node (degrees 1-6, toward
// the tip) and an upper node (7-12), degrees u, v, w, twist, rotation about
// y, rotation about z: axial EA/h, torsion GJ/h, bending EI1 in the x-y plane
// (2, 6, 8, 12) and EI2 in the x-z plane (3, 5, 9, 11). With axload 1 the
// axial force P (compression positive) lowers the bending terms: P/h on the
// translations, P/10 on the couplings, 2Ph/15 and -Ph/30 on the rotations.
MAT12 BEAMK3D(double EI1, double EI2, double EA, double GJ, double h, double P, int axload);
// The x-y plane of that element with its axial member: degrees u, v,
// rotation of the lower node (1-3) and of the upper node (4-6).
MAT6 BEAMK2D(double EI, double EA, double h, double P, int axload);

// Static condensation of the n x n matrix K (first index fastest) onto its
// last m degrees of freedom by Gauss elimination of the first n - m; K is
// overwritten. Kc (m x m) receives the condensed matrix; returns 0, or 1 at
// an exactly zero pivot, with Kc then left 0.
int CONDENS(std::span<double> K, std::span<double> Kc, int n, int m);

// Head fixity of rotation degree r of the n x n head matrix Kc: code 1 (or 3
// with S = 0) frees the rotation (condensed out, row and column r zero), code
// 3 puts the rotational spring S in series with the pile's rotation, any
// other code keeps the head fixed. A rotation without stiffness of its own
// (Kc(r, r) = 0) has nothing to free: its row and column are set to 0; a
// spring that cancels the pile's rotation (Kc(r, r) + S = 0) leaves Kc as it is.
void head_fixity(std::span<double> Kc, int n, int r, int code, double S);

// 6 x 6 head stiffness of pile p in its own axes (x along the pile), head
// forces = K head displacements. ISTAT is not used.
CAPMAT PHSTIF3(int p, int axload, int& ISTAT);
// 3 x 3 head stiffness of plane pile row r (axial, lateral, rotation) for
// one pile of the row. ISTAT is not used.
MAT3 PHSTIF2(int r, int axload, int& ISTAT);

// Transform of plane row r: column j of T is the force X, force Y and moment
// about Z at the cap origin of a unit axial force, lateral force or moment at
// the row's head; Tt its transpose.
struct RowTransform2D {
    MAT3 T, Tt;
};
RowTransform2D TMAT2D(int r);

}  // namespace zolan
