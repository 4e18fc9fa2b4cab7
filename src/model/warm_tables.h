// What each pile row keeps of its last closed lateral solution, so that its
// next solution starts from there instead of from rest, and the counts of
// pile responses and secant solves per row.
//
// A row's slots are written only by the row's own evaluation (one thread per
// row in a loop), so the start of a response depends on the solution path
// alone, never on the thread that ran it. Every slot is cleared at the run
// reset and when a cap solve begins (WARMCLEAR), so no analysis starts from
// another's state.
#pragma once

#include "model/limits.h"
#include "model/table.h"

namespace zolan {

// KTANG: how the pile-head tangent of the cap solvers is formed.
//   0: condensed from the pile's closed state (consistent soil tangents),
//      responses started from the row's last closed state and closed well
//      below the cap's tolerance;
//   1: the earlier way, kept for comparison: central differences of
//      responses each started from rest and closed to the pile tolerance.
extern int KTANG;

// Rows that can keep a state: every pile row and the embedded cap's row.
constexpr int MAXWRM = MAXPIL;

// WARMOK(p) 1 while row p holds a closed state: WARMES(i, p) the secant
// soil modulus of slot i (real nodes in slots 4 .. N + 4) of its last solve,
// WARMN(p) the increments it was solved with.
extern Table1<int, MAXWRM> WARMOK;
extern Table1<int, MAXWRM> WARMN;
extern Table2<double, MAXNOD, MAXWRM> WARMES;

// Per-row counts since the last WARMCLEAR: pile responses (lateral
// solutions started) and secant solves. Summed in row order by the caller.
extern Table1<long, MAXWRM> NRESP;
extern Table1<long, MAXWRM> NSECNT;

// Every row back to a start from rest; the counts back to zero.
void WARMCLEAR();

// Run reset: WARMCLEAR and KTANG 0.
void reset_warm_tables();

}  // namespace zolan
