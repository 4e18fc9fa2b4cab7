// The two sums over the pile rows of the three-dimensional model for a
// trial displacement U of the rigid cap at its origin: the force vector with
// which the piles act on the cap (FVEC) and its tangent matrix (STIFF), and
// the thread-count rule of the parallel loops over pile rows (SETTHR).
//
//   F = sum_i L(i)^T f_i(L(i) U),   K = sum_i L(i)^T K_i(L(i) U) L(i)
//
// f_i and K_i are the head forces and head stiffness of row i in cap axes
// (PILE3D, PSTIFF), L(i) the lever matrix of the row (PILETR). Each row's
// term is formed on its thread into the row's slot; the slots are summed in
// row order on the calling thread, so F and K are the same bytes for any
// thread count.
#pragma once

#include "model/pile_tables.h"
#include "pile/lateral_pile2d.h"
#include "pile/pile_response.h"

namespace zolan {

// Thread-count rule for P processors: a request r > 0 gives min(r, P); 0
// gives P - 2 above three processors, P - 1 for two or three, 1 for one;
// then at most `rows` (at least 1) and, with limit 1, at most 2.
int thread_count(int request, int nproc, int rows, int limit);

// The rule with the processors the runtime reports now; raises both
// elements of NTHRMX to the count and returns it. The count is handed to the
// loop's num_threads clause: the process-wide default is never changed.
int SETTHR(int request, int rows, int limit);

// Force vector of rows 1..NPILES on the cap at the origin for the cap
// displacement U under the stage controls ctl. A row's status (and every
// row after it, as in a run of the rows in order) adds nothing to F. The
// rows' error words go to KERR, their statuses to ISTAT (pile_rows.h). The
// region's wall time is added to TPARAL.
CAPVEC FVEC(const PileControls& ctl, const CAPVEC& U, int& ISTAT);

// Tangent matrix of FVEC about the origin at U; every row adds its matrix.
// The region's wall time goes to TPARAL while KFLAG is 0, else to TPRINT.
CAPMAT STIFF(const PileControls& ctl, const CAPVEC& U, int& ISTAT);

// Force vector of the plane model (slots 1 to 3: force X, force Y, moment
// about Z at the origin) for the cap displacement U (X, Y, rotation about Z),
// in the sense of the applied load: the sum over rows 1..NPILES of the head
// forces of each row (axial force times AXFAC, lateral force and moment of
// its pile, all times PMULT) taken back to the origin. Row i's head moves by
// d = T U, T the row transform of PLNTR; its forces return by T^T. A row whose
// status is set after its node layout or lateral solution, and every row
// after it, adds nothing. The region's wall time goes to TPARAL while KFLAG
// is 0, else to TPRINT.
CAPVEC FVEC2D(const PileControls& ctl, const CAPVEC& U, int& ISTAT);

// Transform of plane row i from a cap vector at the origin to the row head
// in row axes (axial, lateral, rotation), by rows, for the batter angle b and
// head position (X, Y): (c, s, X s - Y c), (-s, c, X c + Y s), (0, 0, 1),
// c = cos b, s = sin b.
ROWMAT3 PLNTR(int row);

// Head forces and tangents of rows 1..n, each at its own head displacement
// (no lever: the head displacements come from outside, as from a flexible
// cap). D and F are 6 x n, K 6 x 6 x n, column-major; rows beyond NPILES
// answer zero. Returns the rows' error word (1: a pile's lateral solution
// did not close); their statuses are not examined.
int PILEHEADS(const PileControls& ctl, int n, const double* D, double* F, double* K);
// One response of each of rows 1..n at its own head displacement D, in the
// pass of ctl (the print pass of the piles under a flexible cap, in which
// the pile routines store their records and envelopes); F (6 x n) the head
// forces. Returns the rows' error word; their statuses are not examined.
int PILEPRINT(const PileControls& ctl, int n, const double* D, double* F);

// Run reset: the row slots cleared; the per-thread pile work areas taken
// afresh for the processors of the machine.
void reset_pile_row_loops();

}  // namespace zolan
