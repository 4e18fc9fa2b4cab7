#include "model/pile_tables.h"

namespace zolan {

int NPILES = 0;
Table1<double, MAXPIL> CORX, CORY, CORZ;
Table1<double, MAXPIL> ALPHA, BETA;
Table1<double, MAXPIL> BATANG;
Table1<double, MAXPIL> AXHLOAD;
int KAXHL = 0;

void reset_pile_tables() {
    NPILES = 0;
    for (auto* t : {&CORX, &CORY, &CORZ, &ALPHA, &BETA, &BATANG, &AXHLOAD}) t->fill(0.0);
    KAXHL = 0;
}

}  // namespace zolan
