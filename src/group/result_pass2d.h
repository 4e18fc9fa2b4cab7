// Result pass of the plane cap solver: what CAP2D does once its load
// stepping has ended. The pile warnings of the last iteration, the outcome
// with its status line, the records of a flexibility point or the
// comparison of a target-deflection trial, and for an ordinary analysis that
// has a solution Table L on the results report, the runtime file, the
// summary scratch, the summary and the plot data, the cap envelope, the
// partial-load warning, the passive resistance of an embedded cap, the
// Table M heading and the print pass in which every pile row stores its
// records. A solution that stopped short of the full load is reported as it
// stood at its last converged step.
#pragma once

#include "group/group_services.h"
#include "group/matrix_kernels.h"
#include "group/result_pass3d.h"
#include "model/pile_tables.h"

namespace zolan {

// Result pass. fvec evaluates the pile forces at the final displacement for
// the pass set in KFLAG; ans takes the target words. Does nothing when
// ISTAT is set. KFLAG is 0 on return; TCUR keeps TCONV.
void RESPASS2D(const SolveRequest& rq, const Cap2dOutcome& st, const CapForces& fvec, SolveAnswer& ans, int& ISTAT);

// Cap envelope of the plane model: slots 1 to 3 of the loads and the
// displacements at the origin, component by component (set by the first
// analysis of the series).
void CAPENV2D(const CAPVEC& loads, const CAPVEC& disps);

}  // namespace zolan
