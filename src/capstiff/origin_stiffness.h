// Equivalent stiffness matrix of the pile group at the cap origin from the
// pile-head stiffnesses of an accepted stiffness level, and the reports of a
// stiffness estimation: its heading, and per level point the matrix with the
// load and displacement of the cap at the origin.
#pragma once

#include "capstiff/capstiff_services.h"
#include "model/pile_tables.h"

namespace zolan {

// Heading of a stiffness estimation on RESFILE, SUMFILE, PLOTDATA and
// RUNFILE, with its method (0 the total applied load, else a target
// deflection) on the reports.
void write_stiffness_heading(int method);

// K = sum over pile rows r = 1 .. NPILES of Lt G Kp Gt L (3-D, Kp from
// PHSTIF3 and the transforms of PILETR) or PMULT(r) T Kp Tt (plane model,
// upper 3 x 3 block, Kp from PHSTIF2 and T from TMAT2D); the rest of K is 0.
// The rows run in parallel, each into its own slot; the slots are summed in
// row order, so K is the same for any thread count. Writes the "NPILES="
// line and the pile traces (in row order) on ESTTRC. A row that fails sets
// ISTAT (pile_rows.h).
CAPMAT origin_stiffness(int axload, int& ISTAT);

// The stiffness of an accepted level point: origin_stiffness, then the
// matrix on EQMFILE, the point report (ORIGWR), and the matrix on RESFILE,
// SUMFILE and PLOTDATA. Nothing is reported when the sum failed.
void write_level_stiffness(const StiffnessLevel& level, const Table1<double, MAXSTL>& PTFAC, int& ISTAT);

}  // namespace zolan
