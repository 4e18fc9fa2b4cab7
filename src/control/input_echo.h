// The input echo: the blocks of the echo file in their order, each completing
// the part of the model that its table shows while it prints.
#pragma once

#include <string>

namespace zolan {

void INPINFO();           // opening block
void TABLEB();            // pile cap options; the effective cap width
void TABLEC();            // load cases, combinations, distributed-load sets
void TABLED(int& ISTAT);  // pile rows; the per-pile arrays and the cap pseudo-pile
void TABLEE(int& ISTAT);  // pile properties and cross sections; the section tables
void TABLEF(int& ISTAT);  // soil layers and strength curves; the soil tables
void PYPRDATA();          // the p-y print requests (when generated curves are printed)
void TABLEJ(int& ISTAT);  // moment-curvature tables, reduction factors along depth, soil movement
void TABLEK(int& ISTAT);  // group reduction factors of closely spaced piles

// The name of a load type code, cut or padded to `len` characters.
std::string LTYPNM(int code, int len);

}  // namespace zolan
