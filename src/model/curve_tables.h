// Axial and torsional pile-head curves in the form the solvers read: the
// user load-displacement and torque-rotation curves, the curves generated
// from the soil profile, and the load-settlement tables of each property set
// from which the axial force along a pile is found.
#pragma once

#include "model/limits.h"
#include "model/section_tables.h"
#include "model/table.h"

namespace zolan {

constexpr int MAXLSP = 50;   // points of a load-settlement table (NLSPT used)

// User axial curves: LSUNPT(j) points, LSUDSP(j, k) displacement, LSULOD(j, k) load.
extern Table1<int, MAXUCV> LSUNPT;
extern Table2<double, MAXUCV, MAXUCP> LSUDSP, LSULOD;
// Generated axial curves, one per generated curve number (2n + 1 points, odd).
extern Table1<int, MAXPIL> LSGNPT;
extern Table2<double, MAXPIL, MAXUCP> LSGDSP, LSGLOD;
// Points of the generated load-settlement tables (19).
extern int NLSPT;

// User torque-rotation curves: TRUNPT(j) points, TRUROT(j, k) rotation (rad), TRUTOR(j, k) torque.
extern Table1<int, MAXUCV> TRUNPT;
extern Table2<double, MAXUCV, MAXUCP> TRUROT, TRUTOR;
// Generated torque-rotation curves (2n + 1 points, odd).
extern Table1<int, MAXTRG> TRGNPT;
extern Table2<double, MAXTRG, MAXUCP> TRGROT, TRGTOR;

// Load-settlement table of property set p: LSTAB(p, j, m), points j = 1 ..
// NLSPT, quantity m: 1 head movement, 2 head load, 3 tip movement, 4 tip load.
// Points 1-9 the uplift branch negated in reverse order, point 10 zeros,
// points 11-19 the compression branch.
extern Table3<double, MAXPSA, MAXLSP, 4> LSTAB;

void reset_curve_tables();

}  // namespace zolan
