// The eight-node flat shell element of the slab program, one element at a
// time on a ShellWork block: Gauss rule, shape functions of the 4-, 8- and
// 9-node quadrilaterals, the Jacobian of the isoparametric map with the area
// check, and the constitutive and strain matrices of the membrane (plane
// stress) and thick-plate (bending and transverse shear, 5/6 correction) parts.
// Nothing here touches the slab's tables: the kernel is tested alone.
#pragma once

#include "flexcap/slab_tables.h"

namespace zolan {

// Gauss-Legendre abscissae and weights of ngaus points (1, 2, 3 or more as 3).
void FCGAUS(int ngaus, ShellWork& w);
// Shape functions SHFN and local derivatives SHDL at (xi, eta); another node
// count than 4, 8 or 9 leaves the tables as they were.
void FCSHAP(double xi, double eta, int nnode, ShellWork& w);
// Jacobian determinant det at the current point, the point's X, Y into GPXY
// column g and the Cartesian derivatives SHDX. A determinant that is not
// positive writes the JACOB2 message naming element e on the slab listing and
// ends the slab analysis (ISTAT).
void JACOB2(int e, double& det, int g, int nnode, ShellWork& w, int& ISTAT);
// Membrane (3 x 3, no thickness) and plate (5 x 5) constitutive matrices of
// material m; PRMAT column m holds E, nu, t.
void FCDMEM(int m, RTab& PRMAT, ShellWork& w);
void FCDPLT(int m, RTab& PRMAT, ShellWork& w);
// Strain matrices at the current point and their products with D.
void FCBMEM(int nnode, ShellWork& w);
void FCBPLT(int nnode, ShellWork& w);
void FCDBMM(int nnode, ShellWork& w);
void FCDBPL(int nnode, ShellWork& w);

// Local node positions of the reference square, corners counterclockwise,
// then the midside nodes, then the centre.
constexpr double XI_NODE[9] = {-1, 1, 1, -1, 0, 1, 0, -1, 0};
constexpr double ETA_NODE[9] = {-1, -1, 1, 1, -1, 0, 1, 0, 0};

}  // namespace zolan
