#include "model/section_tables.h"

namespace zolan {

Table1<int, MAXPSA> NSECP, NINCR, PTYPED;
Table1<double, MAXPSA> PLENP;
Table2<int, MAXPSA, MAXSEC> ISECXS;
Table3<double, MAXPSA, MAXSEC, SEC_NCOL> SECTAB;
Table3<double, MAXPSA, MAXSEC, 2> EMODS;
Table2<int, MAXPSA, MAXSEC> MPSEC1, MPSEC2;
Table3<double, MAXPSA, MAXSEC, 2> SECSTV;
Table2<int, MAXPSA, MAXSEC> SECIOP;

void reset_section_tables() {
    for (auto* t : {&NSECP, &NINCR, &PTYPED}) t->fill(0);
    PLENP.fill(0.0);
    for (auto* t : {&ISECXS, &MPSEC1, &MPSEC2, &SECIOP}) t->fill(0);
    SECTAB.fill(0.0);
    EMODS.fill(0.0);
    SECSTV.fill(0.0);
}

}  // namespace zolan
