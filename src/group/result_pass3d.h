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
#include <initializer_list>

#include "group/group_services.h"
#include "model/limits.h"
#include "model/pile_tables.h"
#include "model/table.h"
#include "report/fortran_format.h"

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

// Texts of the cap reports that both cap solvers write alike.
namespace captext {
extern const fmt::Format F_TABLE_L_SCR, F_TABLE_L, F_TABLE_L_PLOT;  // Table L: summary scratch, reports, plot data
extern const fmt::Format F_LOAD_TITLE, F_DISP_TITLE;                // origin blocks of the reports
extern const fmt::Format F_SCR_LOAD_TITLE, F_SCR_DISP_TITLE;        // the same on the summary scratch
extern const fmt::Format F_PLOT_LOAD, F_PLOT_DISP;                  // the same on the plot data
extern const fmt::Format F_ITER_RUN;                                // iteration count on the runtime file
extern const fmt::Format F_PARTIAL;                                 // a solution short of the full load
extern const fmt::Format F_PASSIVE, F_PASSIVE_PLOT;                 // the passive-resistance block
extern const fmt::Format F_TABLE_M, F_TABLE_M_SCR;                  // Table M heading: reports, summary scratch
}  // namespace captext

// A row of report values: `blanks` blanks, then each value in a real field
// of width w with d digits; the line ended.
void CAPROW(int unit, int blanks, int w, int d, std::initializer_list<double> values);

// Status line of a solve on the status file: 1 completed, 2 solution at
// 100 tconv percent of the load, 3 no convergence on the cap, 6 on the piles,
// 7 singular matrix, 10 a target trial outside its tolerance.
void CAPSTAT(int code, double tconv = 0.0);
// The status line of an analysis of the request; an analysis that did not
// complete (a load case, a combination, the full load of an estimation case,
// or one point of an estimation: a flexibility point, a stiffness level) is
// recorded for the end of the run (model/analysis_outcomes.h).
void ANLSTAT(const SolveRequest& rq, int code, double tconv = 0.0);

// Cap envelope: the extreme loads and displacements at the origin over the
// analyses of the series, component by component (set by the first).
void CAPENV(const CAPVEC& loads, const CAPVEC& disps);

// Relative equilibrium residual |load + F| / |load| over the six components
// (0 for a zero load and a zero residual) and its warning bound.
double EQRESID(const CAPVEC& load, const CAPVEC& F);
constexpr double EQTOL = 1e-3;

}  // namespace zolan
