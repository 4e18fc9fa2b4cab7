// The input echo: the blocks of the echo file in their order, each completing
// the part of the model that its table shows while it prints.
#pragma once

#include <functional>
#include <string>

#include "pile/load_settlement.h"

namespace zolan {

void INPINFO();           // opening block
void TABLEB();            // pile cap options; the effective cap width
void TABLEC();            // load cases, combinations, distributed-load sets
void TABLED(int& ISTAT);  // pile rows; the per-pile arrays and the cap pseudo-pile
void TABLEE(int& ISTAT);  // pile properties and cross sections; the section tables
void TABLEF(int& ISTAT);  // soil layers and strength curves; the soil tables
void PYPRDATA();          // the p-y print requests (when generated curves are printed)
void TABLEG();            // user p-y curve sets; the user p-y tables
void USERLAYCHK(int& ISTAT);  // every pile in a user-curve soil layer names a set with curves
void PROFILECHK(int& ISTAT);  // no pile reaches below the deepest soil layer (status 3, plane 13)
void TABLEH(int& ISTAT);  // axial load-displacement curves, user and generated; the rows' curves
void TABLEI(int& ISTAT);  // torque-rotation curves, user and generated (three-dimensional model)
void TABLEJ(int& ISTAT);  // moment-curvature tables, reduction factors along depth, soil movement
void TABLEK(int& ISTAT);  // group reduction factors of closely spaced piles

// The stop check of the echo's long loops (STOPPOLL), one call per pile row
// or generated curve: the progress message names the table, what is being
// done and k of n. True, with ISTAT := 4, when the run must stop.
bool ECHOSTOP(const char* what, int k, int n, int& ISTAT);

// The generators of the pile-head curves that Tables H and I call, with the
// arguments of LSCRV and TRCRV: property set, branch (1 uplift, 2
// compression), curve number, pile row, status, n, first and second list.
// An empty member means the real routine; tests install scripted curves.
struct CurveGenerators {
    std::function<void(int p, int branch, int m, int r, int& ISTAT, int& n, AXPTS& first, AXPTS& second)> lscrv,
        trcrv;
};
extern CurveGenerators curve_generators;

// The name of a load type code, cut or padded to `len` characters.
std::string LTYPNM(int code, int len);

}  // namespace zolan
