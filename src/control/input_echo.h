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

// The name of a load type code, cut or padded to `len` characters.
std::string LTYPNM(int code, int len);

}  // namespace zolan
