// Load assembly: the loads of a load case or combination reduced to one cap
// load vector at the origin of the global axes, and the values specified at
// a point of definition.
#pragma once

#include "model/pile_tables.h"

namespace zolan {

// Equivalent concentrated load of load case i at the origin, times the case's
// scale; zeros for a case given at a point of definition.
void EQLOAD(int i, CAPVEC& q);
// The same for combination j: the sum of its cases' loads times their factors.
void EQLOADC(int j, CAPVEC& q);
// Values specified at the point of definition of load case i, and the load
// vector their loads give at the origin; all zero unless the case is given so.
void CAPDOF(int i, CAPVEC& q, CAPVEC& PDFORC, CAPVEC& PDDISP, CAPVEC& PDXYZ, CAPFLAGS& PDFLAG);
void CAPDOF3(int i, CAPVEC& q, CAPVEC& PDFORC, CAPVEC& PDDISP, CAPVEC& PDXYZ, CAPFLAGS& PDFLAG);
// Adds the resultant at the origin of the axial pile-head loads that the
// distributed loads of the analysis give.
void PHRESUL(CAPVEC& q);

}  // namespace zolan
