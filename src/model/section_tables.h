// Section tables of the pile property sets: per set its length, increments,
// pile type and sections from the head down, and per section its depths and
// the properties at its top and bottom. Built while Table E of the input echo
// prints, read along a pile through the section lookups.
#pragma once

#include "model/limits.h"
#include "model/table.h"

namespace zolan {

// Property sets of the analysis: the input sets, with room for the sets the
// analysis adds after them.
constexpr int MAXPSA = 102;

// Columns of SECTAB(p, s, c): the section's depths from the pile head, then
// each property at the top of the section (column SEC_TOP + q) and at its
// bottom (column SEC_BOT + q).
enum SectionColumn : int {
    SEC_DTOP = 1,  // top depth
    SEC_DBOT = 2,  // bottom depth
};
enum SectionProperty : int {
    SP_EI1 = 1,  // flexural rigidity about bending axis 1
    SP_EI2,      // flexural rigidity about bending axis 2
    SP_DIA,      // diameter
    SP_ARE,      // area
    SP_IN1,      // moment of inertia about axis 1
    SP_IN2,      // moment of inertia about axis 2
    SP_GJ,       // torsional rigidity
    SP_MN,       // moment capacity
    SP_VN,       // shear capacity
    SP_COUNT = SP_VN,
};
constexpr int SEC_TOP = 2;             // column of property q at the top: SEC_TOP + q
constexpr int SEC_BOT = 2 + SP_COUNT;  // column of property q at the bottom: SEC_BOT + q
constexpr int SEC_NCOL = 2 + 2 * SP_COUNT;

extern Table1<int, MAXPSA> NSECP;     // sections of set p
extern Table1<int, MAXPSA> NINCR;     // finite-difference increments of the pile
extern Table1<double, MAXPSA> PLENP;  // pile length
extern Table1<int, MAXPSA> PTYPED;    // 1 driven pile, 2 drilled shaft
extern Table2<int, MAXPSA, MAXSEC> ISECXS;              // cross section of section s
extern Table3<double, MAXPSA, MAXSEC, SEC_NCOL> SECTAB; // depths and top and bottom properties
extern Table3<double, MAXPSA, MAXSEC, 2> EMODS;         // Young modulus at the top (1) and bottom (2)
extern Table2<int, MAXPSA, MAXSEC> MPSEC1, MPSEC2;      // moment-curvature set of axes 1 and 2, 0 elastic
extern Table3<double, MAXPSA, MAXSEC, 2> SECSTV;        // per-section step values of axes 1 and 2 (set by the solvers' owners)
extern Table2<int, MAXPSA, MAXSEC> SECIOP;              // per-section integer switch of the lateral solvers

void reset_section_tables();

}  // namespace zolan
