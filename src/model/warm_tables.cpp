// States kept by the pile rows between lateral solutions.
#include "model/warm_tables.h"

namespace zolan {

int KTANG = 0;
Table1<int, MAXWRM> WARMOK;
Table1<int, MAXWRM> WARMN;
Table2<double, MAXNOD, MAXWRM> WARMES;
Table1<long, MAXWRM> NRESP;
Table1<long, MAXWRM> NSECNT;

// A row's moduli are read only while its flag is set, so a solve's start
// clears the flags and the counts alone.
void WARMCLEAR() {
    WARMOK.fill(0);
    WARMN.fill(0);
    NRESP.fill(0);
    NSECNT.fill(0);
}

void reset_warm_tables() {
    KTANG = 0;
    WARMOK.fill(0);
    WARMN.fill(0);
    NRESP.fill(0);
    NSECNT.fill(0);
    WARMES.fill(0.0);
}

}  // namespace zolan
