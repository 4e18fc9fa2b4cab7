#include "model/case_tables.h"

#include "model/input_tables.h"
#include "model/run_state.h"

namespace zolan {

int KCASE = 0, NPTIN = 0, ICASE = 0, ICOMB = 0, NDOF = 6;
double NCYCL = 0.0;
int NTHRREQ = 0, LOADTYP = 0, MAXITC = 0, MAXITP = 0;
double TOLREL = 0.0, TOLLLP = 0.0, DTINIT = 0.0, DTCMIN = 0.0;
int KPRINT = 0, NPRINC = 0, KABSTL = 0;
double TOLDSP = 0.0, TOLROT = 0.0;
int KAXVAR = 0, KEIPRV = 0;
double DCFMOM = 1.0, DCFSHR = 1.0;

void load_case_controls(int i) {
    NCYCL = static_cast<double>(LCOPT(i, 5));
    NTHRREQ = LCOPT(i, 3);
    LOADTYP = LCOPT(i, 4);
    MAXITC = LCOPT(i, 6);
    MAXITP = LCOPT(i, 7);
    TOLREL = LCTOL(i, 1);
    TOLLLP = LCTOL(i, 2);
    DTINIT = LCTOL(i, 3);
    DTCMIN = LCTOL(i, 4);
    KPRINT = LCPRT(i);
    NPRINC = LCPINC(i);
    KABSTL = LCALTF(i);
    TOLDSP = LCALTD(i);
    TOLROT = LCALTR(i);
    KAXVAR = LCAXV(i);
    KEIPRV = LCEIPR(i);
    NTHRMX(1) = 1;
}

void load_comb_controls(int j) {
    NCYCL = static_cast<double>(LBOPT(j, 5));
    NTHRREQ = LBOPT(j, 3);
    LOADTYP = LBOPT(j, 4);
    MAXITC = LBOPT(j, 6);
    MAXITP = LBOPT(j, 7);
    TOLREL = LBTOL(j, 1);
    TOLLLP = LBTOL(j, 2);
    DTINIT = LBTOL(j, 3);
    DTCMIN = LBTOL(j, 4);
    KPRINT = LBOPT2(j, 1);
    NPRINC = LBOPT2(j, 2);
    KABSTL = LBOPT2(j, 3);
    TOLDSP = LBALT(j, 1);
    TOLROT = LBALT(j, 2);
    KAXVAR = LBFLG(j, 1);
    KEIPRV = LBFLG(j, 3);
    NTHRMX(1) = 1;
}

void reset_case_tables() {
    KCASE = NPTIN = ICASE = ICOMB = 0;
    NDOF = 6;
    NCYCL = 0.0;
    NTHRREQ = LOADTYP = MAXITC = MAXITP = 0;
    TOLREL = TOLLLP = DTINIT = DTCMIN = 0.0;
    KPRINT = NPRINC = KABSTL = 0;
    TOLDSP = TOLROT = 0.0;
    KAXVAR = KEIPRV = 0;
    DCFMOM = DCFSHR = 1.0;
}

}  // namespace zolan
