#include "model/run_state.h"

namespace zolan {

double TELAPS = 0.0, TANAL = 0.0, TMARK = 0.0, TPARAL = 0.0, TSERIAL = 0.0, TPRINT = 0.0;
int NPROC = 1;
Table1<int, 2> NTHRMX;
int PYMODE = 0;
int KFLAG = 0;
int METHOD = 0;
int KTRANS = 0;
int NUNITS = 1;

FixedText<12> VERTXT;
std::string FINPUT, FECHO, FRESULT, FSUMMRY, FPLOT, FRUNTIM, FSTATUS, FPLTDAT, FPROGRS, FCRVRPT,
    FFLEX, FLDD, FPTOPSC, FSTOP, FEQK, FEQM, FAXWARN, FITRTRC, FAXLD, FCURVES, FESTTRC, FSUMSCR,
    FMPHI;

std::vector<std::string> FAILTXT;

void reset_run_state() {
    TELAPS = TANAL = TMARK = TPARAL = TSERIAL = TPRINT = 0.0;
    NPROC = 1;
    NTHRMX.fill(1);
    PYMODE = 0;
    KFLAG = 0;
    METHOD = 0;
    KTRANS = 0;
    NUNITS = 1;
    VERTXT.set("");
    for (std::string* s : {&FINPUT, &FECHO, &FRESULT, &FSUMMRY, &FPLOT, &FRUNTIM, &FSTATUS, &FPLTDAT,
                           &FPROGRS, &FCRVRPT, &FFLEX, &FLDD, &FPTOPSC, &FSTOP, &FEQK, &FEQM, &FAXWARN,
                           &FITRTRC, &FAXLD, &FCURVES, &FESTTRC, &FSUMSCR, &FMPHI})
        s->clear();
    FAILTXT.clear();
}

}  // namespace zolan
