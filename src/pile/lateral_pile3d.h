// Lateral response of one pile of the three-dimensional model (LLP3D): the
// pile as a beam-column in its two bending planes (y-plane: deflection along
// the pile's y axis, bending about z; z-plane: along z, bending about y),
// coupled through one soil modulus per node taken from the p-y curves at the
// resultant deflection, solved by finite differences (pile/lateral_fd_kernel.h)
// and iterated on the secant soil moduli until the deflections close. Returns
// the lateral head forces and moments of both planes; in the print pass it
// stores the pile's result records, in the equivalent-stiffness pass its
// equivalent stiffnesses.
//
// Threads: runs inside the parallel loops over pile rows. The stage's
// controls are read only; the row's work object holds the inputs, the
// outputs, the scratch arrays and the row's report, into which the
// no-closure warning and the error word go. Writes only its own pile row of
// the node-dependent tables (p-y state, EQKTOP, EQKNODE, result sets).
#pragma once

#include <array>
#include <cstddef>

#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/result_tables.h"
#include "pile/lateral_fd_kernel.h"
#include "report/row_report.h"
#include "soil/py_curves.h"

namespace zolan {

// What the stage of the cap solver tells the lateral solutions; filled on
// the caller's thread before a loop over pile rows, the same for every row.
struct LateralControls {
    int kflag = 0;        // KFLAG: 0 iterating, 1 print pass, 2 equivalent-stiffness pass
    int maxitp = 0;       // MAXITP: at most this many solves per call
    double tollp = 0.0;   // TOLLLP: closure tolerance on the node deflections
    int kaxvar = 0;       // KAXVAR: 1 for the axial force of the axial solution along the pile
    int keiprv = 0;       // KEIPRV: 1 for the rigidity of the previous solve's deflections
    int icomb = 0;        // ICOMB: 0 for a load case (no demand/capacity ratios stored)
    double dcfmom = 1.0;  // DCFMOM, DCFSHR: reduction factors of the moment and shear capacities
    double dcfshr = 1.0;
    int nanal = 1;        // envelope counter of the series (print pass)
    PyControls py;        // the p-y evaluation's stage controls
    // Start and closure. warm: start from the row's last closed state when it
    // holds one (model/warm_tables.h); keep: a closed solution becomes the
    // row's state; tolfine: the closure aimed at (at most tollp); a solution
    // that misses it within maxitp solves but meets tollp counts as closed,
    // and a warm start that does not close is made again from rest.
    bool warm = false;
    bool keep = false;
    double tolfine = 0.0;
};

// The controls of the current case (MAXITP, TOLLLP, KAXVAR, KEIPRV, ICOMB,
// DCFMOM, DCFSHR) for the given pass and envelope counter, analysis mode of
// the p-y curves; unless KTANG is 1, warm starts kept and started from and
// the closure aimed at a thousandth of the pile tolerance. On the caller's
// thread.
LateralControls lateral_controls(int kflag, int nanal);

// Arrays of one bending plane besides the kernel's: the previous solve's
// deflection, the distributed load, and the results of the closed solve.
struct LateralPlane : FdPlane {
    SLOTVEC vprev;       // deflection of the previous solve
    SLOTVEC d;           // distributed load alone
    SLOTVEC S, M, V, p;  // slope, moment, shear, soil reaction
    double F = 0.0;      // head lateral force
};

// The mesh of pile row `pile` for a lateral solution: N increments (held to
// 1..MAXINC) of length h of its property set. False, with status 40, for a
// missing row report or a row or property set out of range.
bool LLPMESH(int pile, const RowReport* rep, int& N, double& h, int& ISTAT);

// The p-y work of pile row `pile` bound for a lateral solution: its
// property set, its own group multipliers, its report, no soil movement yet,
// and the per-node constants of the curves kept from the solution's first
// evaluation on (nothing kept yet).
void PYBIND(PyWork& pw, int pile, RowReport* report);

// The secant moduli Es and reactions pr at real nodes 1..N+1 from the p-y
// curves at the deflections already in pw.y. False when a p-y generator set
// ISTAT (Es and pr then unchanged).
bool PYSECANT(const PyControls& ctl, PyWork& pw, int N, SLOTVEC& Es, SLOTVEC& pr, int& ISTAT);

// Results of a closed solve of one plane, t = N + 4 the tip slot: slope S
// and moment M = -EI v'' at slots 4..t+1, shear V = P S - M' (central
// differences below the head), soil reaction p = Es v, and the head force
// h (p(4)/2 + p(5) + ... + p(t-1) + p(t)/2) less h times the sum of the node
// loads w(4..t), each load at full weight, which is also the shear V(4) at
// the head.
void FDRESULT(LateralPlane& pl, const SLOTVEC& P, const SLOTVEC& Es, int t, double h);

// A six-vector turned by a 6 x 6 rotation M (M v), or back (M^T v), each
// component summed from the first term on.
CAPVEC pile_turn(const CAPMAT& M, const CAPVEC& v, bool transpose);

// Scratch of the head tangent of a closed solution (pile/pile_tangent.h):
// the linearised system of both planes in band storage with its right-hand
// sides, the difference points of the soil curves and the nodes' 2 x 2 soil
// tangents (yy, yz, zy, zz).
struct LatBand {
    static constexpr int NMAX = 2 * (MAXNOD - 3);  // both planes' slots 3 .. N + 6
    static constexpr int W = 8 + 5 + 8 + 1;        // band width with room for the row exchanges
    std::array<double, static_cast<std::size_t>(NMAX) * W> a{};
    std::array<double, static_cast<std::size_t>(NMAX) * 5> b{};
    SLOTVEC yp, ym, gp, gm, kyy, kyz, kzy, kzz;
    double g3[2][5] = {};  // the head ghost rows' right-hand sides
};

// One pile row's work of LLP3D: inputs, outputs and scratch. The caller
// fills the inputs; a call overwrites the scratch.
struct Llp3dWork {
    // Inputs.
    int pile = 0;                     // pile row
    double yh = 0.0, ry = 0.0;        // y-plane head deflection and rotation (v3 = v5 + 2 h ry)
    double zh = 0.0, rz = 0.0;        // z-plane head deflection and rotation
    double P0 = 0.0;                  // axial head force, compression positive
    double T0 = 0.0;                  // torque at the head
    CAPVEC hd;                        // head displacement in pile axes (passes only)
    CAPMAT R;                         // rotation from pile axes to global axes (print pass)
    SLOTVEC ua, Pa;                   // axial movement and axial force of the axial solution
    RowReport* report = nullptr;      // the row's report (warnings, error word); required
    // Outputs, written only when the solution closes.
    double Fy = 0.0, Fz = 0.0;        // lateral head forces of the y- and z-planes
    double Ky = 0.0, Kz = 0.0;        // head moments of the y- and z-planes
    int solves = 0;                   // solves made by the last call
    int N = 0;                        // increments of the last closed solution
    double h = 0.0;                   // and their length
    // Scratch.
    LateralPlane ypl, zpl;
    SLOTVEC P, Es, s1, s2, yr, esu, spare, pr, stress, dcm, dcv;
    NODVEC q;
    PyWork pyw;
    EFFREC rec;
    LatBand tan;
    SLOTVEC ax1, ax2, ax3, ax4;       // axial movement and force at the tangent's two axial points
};

// Lateral solution of pile row w.pile for the head values of w. Sets the
// outputs when the deflections close. No closure within ctl.maxitp solves:
// the warning block on the results report and the runtime file and the error
// word 1 in the row's report, outputs unchanged. A p-y data error sets ISTAT
// and ends the call with the outputs unchanged.
void LLP3D(const LateralControls& ctl, Llp3dWork& w, int& ISTAT);

}  // namespace zolan
