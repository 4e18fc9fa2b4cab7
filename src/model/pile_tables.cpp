#include "model/pile_tables.h"

namespace zolan {

int NPILES = 0;
Table1<int, MAXPIL> KCONN, KCONNZ;
Table1<double, MAXPIL> PMULT;
Table1<int, MAXPIL> IPROP, IPYSET, ILSCRV, ITRCRV, IRFSET, ILSGEN, ITRGEN;
Table1<double, MAXPIL> SPRZ, SPRY, AXFAC, GRPSPC;
Table1<double, MAXPIL> CORX, CORY, CORZ;
Table1<double, MAXPIL> XTOP, YTOP;
Table1<double, MAXPIL> ALPHA, BETA, THETA;
Table1<double, MAXPIL> BATANG;
Table1<double, MAXPIL> ANG0;
Table1<double, MAXPIL> GROUND;
Table1<double, MAXPIL> AXHLOAD;
int KAXHL = 0;
double CPPTOP = 0.0;
double CPPTHK = 0.0;

void reset_pile_tables() {
    NPILES = 0;
    for (auto* t : {&KCONN, &KCONNZ, &IPROP, &IPYSET, &ILSCRV, &ITRCRV, &IRFSET, &ILSGEN, &ITRGEN}) t->fill(0);
    for (auto* t : {&PMULT, &SPRZ, &SPRY, &AXFAC, &GRPSPC, &CORX, &CORY, &CORZ, &XTOP, &YTOP, &ALPHA, &BETA,
                    &THETA, &BATANG, &ANG0, &GROUND, &AXHLOAD})
        t->fill(0.0);
    KAXHL = 0;
    CPPTOP = 0.0;
    CPPTHK = 0.0;
}

}  // namespace zolan
