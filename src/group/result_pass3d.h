// Result pass of the three-dimensional cap solver: what CAP3D does once its
// load stepping has ended converged or failed. The pile warnings of the last
// iteration, the outcome with its status line, then for an ordinary analysis
// that has a solution the cap reports (group factors and Table L on five
// files), the cap envelope, the partial-load warning, the passive resistance
// of an embedded cap, the Table M heading and the print pass in which the
// pile routines store their records; a point of a stiffness estimation
// branches off to its records (group/estimation_records3d.h).
//
// A solution that stopped short of the full load reports the state of its
// last converged step throughout: load factor, soil movement, group factors,
// flexibility and target loads, point-of-definition loads, passive force.
#pragma once

#include <functional>

#include "group/group_services.h"
#include "model/limits.h"
#include "model/pile_tables.h"
#include "model/table.h"

namespace zolan {

// How the load stepping ended.
enum class Stepping {
    None,       // no step ran (an initial increment above 1)
    Converged,  // the last step reached the full load
    Failed,     // the increment fell below its minimum
};

// The solver's state when its stepping has ended (its outcome, group_services.h),
// with the way the stepping ended, handed to the result pass. "Last converged"
// values are those of the final iteration of the last step that converged;
// for a converged analysis that is the last iteration.
struct CapFinal : Cap3dOutcome {
    Stepping outcome = Stepping::None;
};

// The pile forces on the cap at the solver's displacement for the pass set
// in KFLAG (FVEC of the pile-row loops), with the run status.
using CapForces = std::function<void(CAPVEC& F, int& ISTAT)>;

// Result pass. rq is the solve's request, fvec the pile-force evaluation at
// the final displacement; ans takes the target words (KTGRES, DEFCMP, the
// level's load and displacement). Does nothing when ISTAT is set (a stop
// request writes no status line). KFLAG is 0 on return; TCUR keeps TCONV.
void RESPASS3D(const SolveRequest& rq, const CapFinal& st, const CapForces& fvec, SolveAnswer& ans,
               int& ISTAT);

// Status line of a solve on the status file: 1 completed, 2 solution at
// 100 tconv percent of the load, 3 no convergence on the cap, 6 on the piles,
// 7 singular matrix, 10 a target trial outside its tolerance.
void CAPSTAT(int code, double tconv = 0.0);

// Cap envelope: the extreme loads and displacements at the origin over the
// analyses of the series, component by component (set by the first).
void CAPENV(const CAPVEC& loads, const CAPVEC& disps);

// Relative equilibrium residual |load + F| / |load| over the six components
// (0 for a zero load and a zero residual) and its warning bound.
double EQRESID(const CAPVEC& load, const CAPVEC& F);
constexpr double EQTOL = 1e-3;

}  // namespace zolan
