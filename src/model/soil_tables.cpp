#include "model/soil_tables.h"

namespace zolan {

int NLAYPY = 0;
Table1<int, MAXSLY> ISOIL;
Table1<double, MAXSLY> LAYTOP;
Table1<double, MAXSLY> LAYBOT;

int NSCPT = 0;
int NUWPT = 0;
Table1<double, MAXSCP> SCDEP;
Table1<double, MAXSCP> UWDEP;
Table1<double, MAXSCP> SCGAM;
Table1<double, MAXSCP> SCCOH;
Table1<double, MAXSCP> SCPHI;
Table1<double, MAXSCP> SCK;
Table1<double, MAXSCP> SCROCK;
Table1<double, MAXSCP> SCE50;
Table1<double, MAXSCP> SCJ;
Table1<double, MAXSCP> SCFMAX;
Table1<double, MAXSCP> SCQMAX;

Table1<double, MAXPIL> GRDDEP;

void reset_soil_tables() {
    NLAYPY = 0;
    ISOIL.fill(0);
    LAYTOP.fill(0.0);
    LAYBOT.fill(0.0);
    NSCPT = 0;
    NUWPT = 0;
    for (auto* t : {&SCDEP, &UWDEP, &SCGAM, &SCCOH, &SCPHI, &SCK, &SCROCK, &SCE50, &SCJ, &SCFMAX, &SCQMAX})
        t->fill(0.0);
    GRDDEP.fill(0.0);
}

}  // namespace zolan
