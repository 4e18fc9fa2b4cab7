// Response of one pile row of the three-dimensional model to a displacement
// of its head (PILE3D) and its tangent stiffness at the head by central
// differences (PSTIFF). The head displacement is turned into the pile's own
// axes, the axial response, the torsion check, the node mesh and the lateral
// solution give the head reactions, which are multiplied by the piles of the
// row and turned back into cap axes.
//
// Threads: both run inside the parallel loops over pile rows; the stage's
// controls are read only, the row's work object (pile/lateral_pile3d.h)
// holds every working array and the row's report.
#pragma once

#include "model/pile_tables.h"
#include "pile/head_curves.h"
#include "pile/lateral_pile3d.h"

namespace zolan {

// What the stage of the cap solver tells a pile evaluation.
struct PileControls {
    AxControls ax;        // axial response and torsion check
    LateralControls lat;  // lateral solution
    int nunits = 1;       // NUNITS: the translation step of PSTIFF (2: SI)
    int tangent = 0;      // KTANG: 0 the tangent of the closed state, 1 central differences from rest
};

// The controls of the current case for the pass kflag (0 iterating, 1 print,
// 2 equivalent stiffness), the envelope counter nanal and the pile-warning
// switch kwarn (1 only while the cap solver evaluates its residual). On the
// caller's thread before a loop.
PileControls pile_controls(int kflag, int nanal, int kwarn);

// Forces and moments (cap axes, at the pile head, CAPVEC order) with which
// pile row `pile` acts on the cap for the head displacement d (cap axes),
// times PMULT. Zero when ISTAT is set after the node mesh or the lateral
// solution. A lateral solution that does not close leaves the error word 1
// in the row's report and zero lateral components.
CAPVEC PILE3D(const PileControls& ctl, int pile, const CAPVEC& d, Llp3dWork& w, int& ISTAT);

// Tangent stiffness K(i, j) = d f(i) / d d(j) of PILE3D at d. d is not
// changed.
//   ctl.tangent 0: the response at d (kept as the row's state), then the
//     tangent of its closed state: the axial and torsional curves' slopes,
//     the lateral block of both planes linearised at the closed deflections
//     with the soil's tangent (pile/pile_tangent.h), the axial force's part
//     in the bending equations. Where that does not apply (moving soil,
//     moment-curvature rigidities, a failed linearisation) central
//     differences of responses started from the closed state and closed a
//     million times finer than the steps (1e-5 inch, 1e-7 rad).
//   ctl.tangent 1: central differences of responses each started from rest:
//     translation step 1e-7 (inch; 2.54e-9 m in SI), rotation step 1e-11,
//     the twelve evaluations +1..+6 then -1..-6, each from d with one
//     component changed.
// A response that does not close leaves its error word and a zero tangent.
CAPMAT PSTIFF(const PileControls& ctl, int pile, const CAPVEC& d, Llp3dWork& w, int& ISTAT);

}  // namespace zolan
