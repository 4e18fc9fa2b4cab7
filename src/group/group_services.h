// Pile-group solution: the cap solvers that the analysis driver and the
// estimation points call once per solve, and the words they share with the
// pile and soil routines. The solvers are built later; until then each is
// reached through a replaceable hook (tests install scripted doubles) and its
// own body only does the bookkeeping of its entry, so a run solves nothing.
#pragma once

#include <functional>

#include "model/limits.h"
#include "model/pile_tables.h"
#include "model/table.h"

namespace zolan {

// One solve as the driver asks for it: the load, the point of definition,
// and the estimation point the solve belongs to (an ordinary analysis and a
// combination keep the defaults: one point, no estimation, no target).
struct SolveRequest {
    int kind = 0;                  // 0 load case, 1 combination
    CAPVEC load;                   // load vector, cap order (plane model: slots 1 to 3)
    CAPVEC PDFORC, PDDISP, PDXYZ;  // point of definition: loads, displacements, coordinates
    CAPFLAGS PDFLAG;               // per slot: 0 displacement given, 1 load given
    int NPTS = 1;     // points of the case: 1 ordinary, NDOF + 1 flexibility, n + 1 stiffness
    int IPOINT = 0;   // current point, 1..NPTS (a flexibility point: the loaded cap degree of freedom)
    int ILOOP = 0;    // level (flexibility) or trial (stiffness) within the point
    int KESTIM = 0;   // 2 at a flexibility point, else 0
    int KTGT = 0;     // 1 at a stiffness level: fill PTLOAD, PTDISP and honour KTGRES
    int KTGRES = 0;   // 3 accept, 2 compare with the target, 1 last trial (accept), 0 plain solve
    int IDOFTG = 0;   // cap slot compared with the target
    double DEFTGT = 0.0;  // target of the level
    double TGTTOL = 0.0;  // tolerance of the target, percent
};

// What one solve answers besides its status.
struct SolveAnswer {
    // 0 accepted (a request 3, or 2 within the tolerance), 1 accepted at the
    // trial limit, 2 outside the tolerance, -1 failed; a solve that does not
    // answer leaves the request.
    int KTGRES = 0;
    double DEFCMP = 0.0;    // displacement of IDOFTG reached (KTGRES > 0 and IDOFTG 1 to 6)
    CAPVEC PTLOAD, PTDISP;  // load and cap displacements of the solve (KTGT = 1)
    int printreq = 0;       // CAP2D: the p-y print switch at entry; not used
};

// The answer of a solve that answers nothing: the request stands.
inline SolveAnswer unanswered(const SolveRequest& request) {
    SolveAnswer a;
    a.KTGRES = request.KTGRES;
    return a;
}

// Three-dimensional cap solver: one solve of the request under the
// current-control block. Sets ISTAT on a failure (3, 21-35) or a stop
// request (4).
SolveAnswer CAP3D(const SolveRequest& request, int& ISTAT);
// The same for the plane model (slots 1 to 3); it answers PYMODE in printreq
// and clears PYMODE and KFLAG at entry.
SolveAnswer CAP2D(const SolveRequest& request, int& ISTAT);

// Words shared with the pile and soil routines.
extern int PYREQ;    // 0 during every solve: the p-y generators run in analysis mode
extern int KCAPPY;   // 1 while the embedded-cap springs evaluate the cap pseudo-pile's p-y curves
extern int KERR;     // analysis error word, cleared at the start of a solution and each iteration
extern int KHINGE;   // hinge flag tested by the lateral and cap solvers
extern double TCUR;  // load factor of the current load step

// The error word of a pile solution that did not close: a lateral solution
// (1) or an axial distribution along the pile (4). Either fails the cap's
// step and, left at the end of the stepping, names the analysis's piles as
// not converged.
inline bool piles_unclosed(int kerr) { return kerr == 1 || kerr == 4; }

using CapSolver = std::function<SolveAnswer(const SolveRequest& request, int& ISTAT)>;

// What the load stepping of the three-dimensional solver hands to its result
// pass. "Last converged" values are those of the final iteration of the last
// step that converged (for a converged analysis, the last iteration); the
// error word and the warning counters are those of the last iteration
// attempted.
struct Cap3dOutcome {
    bool converged = false;  // the stepping reached the full load; else it gave up
    int nconv = 0;           // steps that converged (0: no solution)
    int nstep = 0;           // number of the last step
    int niter = 0;           // iteration number of the last step attempted
    int KERR = 0;            // error word of the last iteration attempted
    int naxwbr = 0, naxwpo = 0, nftors = 0;  // its pile-warning counters
    double TCONV = 0.0;      // load factor of the last converged step (0 when none)
    CAPVEC P;                // the full load at the origin
    CAPVEC U;                // cap displacement of the last converged step
    CAPVEC F;                // last converged: force vector on the cap
    CAPVEC Fcap;             // the part of F from the cap's own resistance (none yet)
    CAPMAT Kc;               // last converged: tangent as assembled, before symmetrising
    double fp2 = 0.0, fp3 = 0.0, fppos = 0.0;  // embedded cap: |Fp(2)|, |Fp(3)|, position (none yet)
    Table1<double, MAXPIL> pfgrp, yfgrp;       // last converged: group factors (KGRPRF > 0)
    bool pod = false;        // a load case with a point of definition
};

// What the load stepping of the plane solver hands to its result pass, in
// the plane slots 1 to 3 (X, Y, rotation about Z); "last converged" as above.
struct Cap2dOutcome {
    bool converged = false;  // the stepping reached the full load; else it gave up
    int nconv = 0;           // steps that converged (0: no solution)
    int nstep = 0;           // number of the last step
    int niter = 0;           // iteration count of the last step attempt
    int KERR = 0;            // error word of the last iteration attempted
    int naxwbr = 0, naxwpo = 0;  // its pile-warning counters
    double TCONV = 0.0;      // load factor of the last converged step
    CAPVEC P;                // the full load at the origin
    CAPVEC U;                // cap displacement of the last converged step
    CAPVEC PE;               // last converged: applied load with the passive load
    CAPVEC F;                // last converged: force vector of the residual
    Table2<double, 3, 3> Jc;     // last converged: Jacobian less the passive stiffness, not symmetrised
    double rp = 0.0, pos = 0.0;  // last converged: passive force (signed) and its X position
    bool pod = false;        // a load case with a point of definition
};

// Hand-over points of the three-dimensional solver: the flexible cap, which
// takes the whole analysis of the request (its load at the origin, and which
// analysis and point it is, so that the slab can carry the analysis's loads
// where they stand), and the result pass after the
// stepping (warning copy, status line, cap reports, print pass, estimation
// records), which answers the request.
using FlexCap = std::function<void(const SolveRequest& request, int& ISTAT)>;
using CapResultPass = std::function<SolveAnswer(const SolveRequest& request, const Cap3dOutcome& out, int& ISTAT)>;
using CapResultPass2 = std::function<SolveAnswer(const SolveRequest& request, const Cap2dOutcome& out, int& ISTAT)>;

// Replaceable bodies: an empty member means the module's own body.
struct GroupServices {
    CapSolver cap3d;
    CapSolver cap2d;
    FlexCap flexcap;         // default: nothing
    CapResultPass result3d;  // default: RESPASS3 (group/cap_solver3d.h)
    CapResultPass2 result2d;  // default: the plane result pass (group/cap_solver2d.h)
};
extern GroupServices group_services;

void reset_group_services_state();  // the shared words back to their start values

}  // namespace zolan
