// Tables of the analysis in hand: the distributed loads laid onto the pile
// nodes, and the state of the estimation points that the analysis driver,
// the cap solvers and the estimation reports share.
#pragma once

#include "model/limits.h"
#include "model/pile_tables.h"
#include "model/table.h"

namespace zolan {

// Distributed loads of the current case or combination, by pile row p and
// node l (node 1 the pile head): DLTAB(p, l, 1) the node's depth from the
// head, (p, l, 2) the load per unit length in the pile's local y, (p, l, 3)
// in its local z. DLNPT(p) nodes are filled, 0 = no distributed load on p.
// (The axial head loads AXHLOAD and their switch KAXHL are per-row arrays of
// model/pile_tables.h.)
extern Table3<double, MAXPIL, MAXINC + 1, 3> DLTAB;
extern Table1<int, MAXPIL> DLNPT;

// Estimation points.
constexpr int MAXHIST = 20;           // pairs of the target-deflection history
constexpr int MAXTGIT = MAXHIST - 1;  // iteration limit of a level: a later level starts with one seed pair

extern int NPTS;     // points of the case: 1 ordinary, NDOF + 1 flexibility, n + 1 stiffness
extern int IPOINT;   // current point, 1..NPTS; the last point is the full load
extern int ILOOP;    // current level (flexibility) or trial (stiffness) within the point
extern int KESTIM;   // 2 at a flexibility point, else 0
extern int KTGT;     // 1 while a stiffness level runs
extern int KTGRES;   // request to the solver: 3 accept, 2 compare, 1 last trial, 0 plain; -1 failed
extern int IDOFTG;   // cap slot compared with the target
extern double DEFTGT;  // target of the current level
extern double TGTTOL;  // tolerance of the target, percent
extern double DEFCMP;  // displacement of IDOFTG reached by the last solve
extern double LDFACT;  // load factor of the current trial
// History of the level: FACHIST(1, k) the deflection reached, FACHIST(2, k)
// its load factor, k = 1..NHIST.
extern Table2<double, 2, MAXHIST> FACHIST;
extern int NHIST;
extern double DEFLST, FACLST;  // first pair of the first level, the seed of every later level
extern Table1<double, MAXSTL> PTFAC;  // load levels of the case, STLEV(i, .)

void reset_analysis_tables();

}  // namespace zolan
