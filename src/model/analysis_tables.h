// Tables of the analysis in hand: the distributed loads laid onto the pile
// nodes, and the point table and target history of the estimation points.
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

// Estimation points. The words of one solve (the point, its level or trial,
// the target request and the solver's answer) travel in the request and the
// answer of the solve (group/group_services.h); these tables are what the
// points keep from solve to solve.
constexpr int MAXHIST = 20;           // pairs of the target-deflection history
constexpr int MAXTGIT = MAXHIST - 1;  // iteration limit of a level: a later level starts with one seed pair

// History of the level, ordered by factor: FACHIST(1, k) the deflection
// reached, FACHIST(2, k) its load factor, k = 1..NHIST.
extern Table2<double, 2, MAXHIST> FACHIST;
extern int NHIST;
extern double DEFLST, FACLST;  // first pair of the first level, the seed of every later level
extern Table1<double, MAXSTL> PTFAC;  // load levels of the case, STLEV(i, .)

void reset_analysis_tables();

}  // namespace zolan
