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

// The solver's state when its stepping has ended, handed to the result pass.
// "Last converged" values are those of the final iteration of the last step
// that converged; for a converged analysis that is the last iteration.
struct CapFinal {
    Stepping outcome = Stepping::None;
    int nconv = 0;                 // steps that converged
    int nstep = 0;                 // number of the last step
    int niter = 0;                 // iteration number of the last step
    int KERR = 0;                  // error word of the last iteration attempted
    int naxwbr = 0, naxwpo = 0, nftors = 0;  // its pile-warning counters
    double TCONV = 0.0;            // load factor of the last converged step
    CAPVEC P;                      // load at the origin for the full load
    CAPVEC U;                      // cap displacement of the last converged step
    CAPVEC F;                      // last converged: force vector on the cap, piles and cap resistance
    CAPVEC Fcap;                   // the part of F from the cap's own resistance (passive or pseudo-pile)
    CAPMAT Kc;                     // last converged: tangent matrix as assembled, before symmetrising
    double fp2 = 0.0, fp3 = 0.0;   // last converged: |Fp(2)|, |Fp(3)| of the passive cap resistance
    double fppos = 0.0;            // and its position
    Table1<double, MAXPIL> pfgrp, yfgrp;  // last converged: group factors PFGRP, YFGRP (KGRPRF > 0)
    bool pod = false;              // a load case with a point of definition
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
