// Lateral response of the representative pile of one pile row in the plane
// model (LLP2D): the pile as a beam-column in its one bending plane on the
// secant soil moduli of the p-y curves (or of the row's user curve set),
// solved by the finite-difference kernel of pile/lateral_fd_kernel.h and
// repeated with updated moduli until the deflections close. Returns the
// lateral force and the moment at the head of one pile; in the print pass it
// stores the row's pile-top and along-pile records, in the
// equivalent-stiffness pass the row's equivalent stiffnesses.
//
// Threads: runs inside the plane force-vector loop, one row per call. The
// stage's controls are read only; the row's work object holds the inputs,
// the outputs, every scratch array and the row's report (no-closure warning,
// error word). Writes only its own row of the result sets, EQKTOP, EQKNODE
// and the p-y state.
#pragma once

#include "model/node_tables.h"
#include "model/result_tables.h"
#include "model/table.h"
#include "pile/lateral_pile3d.h"
#include "report/row_report.h"
#include "soil/py_curves.h"

namespace zolan {

// Transform of a plane pile row from row axes (axial, lateral, rotation) to
// cap axes (X, Y, rotation about Z), first index fastest.
using ROWMAT3 = Table2<double, 3, 3>;

// One pile row's work of LLP2D. The caller fills the inputs; a call
// overwrites the scratch and writes the outputs only when it closes.
struct Llp2dWork {
    // Inputs.
    int pile = 0;                 // pile row
    double yt = 0.0;              // lateral head displacement in row axes
    double th = 0.0;              // head rotation, the slope dY/dx at the head (x from head to tip)
    double Q = 0.0;               // axial force of the pile, the row's factor applied
    double ax = 0.0;              // axial head displacement (result passes)
    ROWMAT3 T;                    // row axes to cap axes (print pass)
    SLOTVEC axd, axf;             // axial movement and axial force at the nodes
    RowReport* report = nullptr;  // the row's report; required
    // Outputs.
    double H = 0.0, M = 0.0;      // head force and moment of one pile
    int solves = 0;               // solves made by the last call
    // Scratch.
    LateralPlane pl;              // deflection, rigidity, load column (w), distributed load (d), results
    SLOTVEC P, Es, mv1, mv2, esu, esm, pr, yr, sig, dcm, dcs;
    NODVEC dlo;
    PyWork pyw;
    EFFREC rec;
};

// Lateral solution of plane pile row w.pile for the head values of w (see
// Llp2dWork). Closed: H and M written, then the print pass (ctl.kflag 1) or
// the equivalent-stiffness pass (2). No closure within ctl.maxitp solves:
// the warning on the results report and the runtime file, the error word 1
// in the row's report, H and M unchanged. A p-y data error sets ISTAT and
// ends the call with H and M unchanged.
void LLP2D(const LateralControls& ctl, Llp2dWork& w, int& ISTAT);

}  // namespace zolan
