// Pile-group solution: the cap solvers that the analysis driver and the
// estimation points call once per solve, and the words they share with the
// pile and soil routines. The solvers are built later; until then each is
// reached through a replaceable hook (tests install scripted doubles) and its
// own body only does the bookkeeping of its entry, so a run solves nothing.
#pragma once

#include <functional>

#include "model/pile_tables.h"

namespace zolan {

// Three-dimensional cap solver: one solve of the six-slot load vector `load`
// (cap order) with the point-of-definition arrays, under the current-control
// block. kind 0 load case, 1 combination; printreq is not used. Sets ISTAT on
// a failure (3, 21-35) or a stop request (4). With KTGT = 1 it fills PTLOAD,
// PTDISP and answers KTGRES.
void CAP3D(int& kind, int& printreq, int& ISTAT, CAPVEC& PTLOAD, CAPVEC& PTDISP, CAPVEC& load,
           CAPVEC& PDFORC, CAPVEC& PDDISP, CAPVEC& PDXYZ, CAPFLAGS& PDFLAG);
// The same for the plane model (slots 1 to 3); it stores PYMODE into printreq
// and clears PYMODE and KFLAG at entry.
void CAP2D(int& kind, int& printreq, int& ISTAT, CAPVEC& PTLOAD, CAPVEC& PTDISP, CAPVEC& load,
           CAPVEC& PDFORC, CAPVEC& PDDISP, CAPVEC& PDXYZ, CAPFLAGS& PDFLAG);

// Words shared with the pile and soil routines.
extern int PYREQ;    // 0 during every solve: the p-y generators run in analysis mode
extern int KCAPPY;   // 1 while the embedded-cap springs evaluate the cap pseudo-pile's p-y curves
extern int KERR;     // analysis error word, cleared at the start of a solution and each iteration
extern int KHINGE;   // hinge flag tested by the lateral and cap solvers
extern double TCUR;  // load factor of the current load step

using CapSolver = std::function<void(int& kind, int& printreq, int& ISTAT, CAPVEC& PTLOAD, CAPVEC& PTDISP,
                                     CAPVEC& load, CAPVEC& PDFORC, CAPVEC& PDDISP, CAPVEC& PDXYZ,
                                     CAPFLAGS& PDFLAG)>;

// Replaceable bodies: an empty member means the module's own body.
struct GroupServices {
    CapSolver cap3d;
    CapSolver cap2d;
};
extern GroupServices group_services;

void reset_group_services_state();  // the shared words back to their start values

}  // namespace zolan
