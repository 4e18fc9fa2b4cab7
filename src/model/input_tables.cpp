#include "model/input_tables.h"

namespace zolan {

double PI = 0.0, TOLDL = 0.0, TOLDEP = 0.0, TOLZ = 0.0;
FixedText<4> ENDTXT;
Table1<double, MAXPIL> PFGRP, YFGRP, PFGRP1, YFGRP1, PFGRP2, YFGRP2;
int NCFPTS = 0;
FixedText<80> TITLE;

int NANTYP = 0, KCAPOP = 0, FCOPT = 0, KUPY = 0, KUAXL = 0, KUTOR = 0, KGRPRF = 0, NMPSET = 0,
    KAXFAC = 0, KAVGD = 0, KBATAD = 0, KGENLS = 0, KEXTRP = 0, KJ1 = 0, KJ2 = 0, KCRVF = 0,
    KCRVFM = 0;
double GRPMVY = 0.0, GRPMVZ = 0.0;

double CAPLEN = 0.0, CAPWID = 0.0, CAPTHK = 0.0, CAPDEQ = 0.0, CAPWPL = 0.0;
int KCAPLD = 0, KCAPSM = 0, NCAPINC = 0;
double CAPK50 = 0.0, CAPFULT = 0.0, CAPYMAX = 0.0;
double FCXOFF = 0.0, FCYOFF = 0.0;
int FCNX = 0, FCNY = 0;
double FCEMOD = 0.0, FCPOIS = 0.0;

int NLCASE = 0, KENVLC = 0, KPRTEC = 0, NPRTEC = 0;
Table1<int, 2 * MAXEFF> EFFSLE;
Table2<int, MAXLC, 7> LCOPT;
Table2<double, MAXLC, 4> LCTOL;
Table1<FixedText<80>, MAXLC> LCNAME;
Table2<int, MAXLC, 7> LCKIND;
Table1<int, MAXLC> LCPOD, LCPRT, LCPINC, LCALTF, LCAXV, LCSKIP, LCEIPR;
Table1<double, MAXLC> LCSCAL, LCALTD, LCALTR;
Table2<int, MAXLC, MAXEFF> EFFSLC;
Table1<int, MAXLC> NCLOAD;
Table3<double, MAXLC, MAXCLD, 9> CLOAD;
Table1<int, MAXLC> NDLINE;
Table3<int, MAXLC, MAXDLL, 7> DLLINE;
Table2<double, MAXLC, MAXDLL> DLFY, DLFZ;
Table1<int, MAXLC> NSTLEV;
Table2<double, MAXLC, MAXSTL> STLEV;
Table2<int, MAXLC, 6> PODFLG;
Table2<double, MAXLC, 12> PODVAL;
Table2<double, MAXLC, 3> PODXYZ;

int NLCOMB = 0, KENVLB = 0, KPRTEB = 0, NPRTEB = 0;
Table2<int, MAXCMB, 7> LBOPT;
Table2<double, MAXCMB, 4> LBTOL;
Table1<FixedText<80>, MAXCMB> LBNAME;
Table2<double, MAXCMB, 2> LBRF;
Table2<int, MAXCMB, 3> LBOPT2;
Table2<double, MAXCMB, 2> LBALT;
Table2<int, MAXCMB, 3> LBFLG;
Table2<int, MAXCMB, MAXEFF> EFFSLB;
Table1<int, MAXCMB> NLBCAS;
Table2<int, MAXCMB, MAXLBC> LBCASE;
Table2<double, MAXCMB, MAXLBC> LBFACT;

int NDLSET = 0;
Table1<int, MAXDLS> NDLPT;
Table2<double, MAXDLS, MAXDLP> DLDEP, DLVAL;

int NPILE3 = 0;
Table2<int, MAXROW, 10> PGRI3;
Table2<double, MAXROW, 7> PGRA3, PGRB3;
int NPILE2 = 0;
Table2<int, MAXROW, 7> PGRI2;
Table2<double, MAXROW, 5> PGRA2;
Table2<double, MAXROW, 4> PGRB2;

int NPRSET = 0;
PropertySetInput PPIN;

int NSECT = 0;
Table1<int, MAXXS> XSKIND, XSNLF, XSTPF;
Table1<FixedText<80>, MAXXS> XSNAME, XSNAM2, XSNAM3;
Table2<double, MAXXS, 37> XSTAB;
Table2<int, MAXXS, 4> XSEXI;
Table2<double, MAXXS, 35> XSNLR;
NonlinearIntFields XSNLI;
Table3<double, MAXXS, MAXXSR, 2> XSBAR, XSSTR;
Table2<double, MAXXS, MAXXSR> XSNLP;

int NLAYER = 0;
LayerInput LAYIN;
Table3<double, MAXLAY, MAXLPR, MAXLPV> LAYPRP;
Table2<long, MAXLAY, 2> LAYLIN;

int PYREQN = 0;
PyRequestInput PYRQIN;

int NUPYS = 0;
UserPyInput UPYIN;

int NLSGEN = 0, NTRGEN = 0;
Table1<int, MAXROW> LSGROW, TRGROW;

int NUAXC = 0, NUTRC = 0;
UserCurveInput UAXCIN, UTRCIN;

int NMPS = 0;
MomentCurvatureInput MPUIN;

int NSCCRV = 0;
Table1<SectionCurveInput, 2> MPXIN;

int NRFSET = 0;
Table1<int, MAXRFS> RFLNPT;
Table2<double, MAXRFS, MAXRFP> RFLDEP, RFLPF, RFLYF;

int NSMOV = 0;
Table1<double, MAXSMV> SMDEP, SMOVY0, SMOVZ0;
Table2<double, MAXSMV, 2> SMVCUR;

int NCRVST = 0, KCRVL1 = 0, KCRVL2 = 0, NCRVL = 0;
Table1<double, MAXCRL> CRVL1;

namespace {

void clear(PropertySetInput& t) {
    t.NSEC.fill(0);
    t.NINCR.fill(0);
    t.PLEN.fill(0.0);
    t.PTYPE.fill(0);
    t.STOP.fill(0.0);
    t.SBOT.fill(0.0);
    t.SXS.fill(0);
}

void clear(LayerInput& t) {
    t.ISOIL.fill(0);
    t.TOP.fill(0.0);
    t.BOT.fill(0.0);
    t.NP.fill(0);
    t.NV.fill(0);
}

void clear(PyRequestInput& t) {
    t.ROW.fill(0);
    t.DEP.fill(0.0);
    t.NY.fill(0);
    t.Y.fill(0.0);
}

void clear(UserPyInput& t) {
    t.NC.fill(0);
    t.DEP.fill(0.0);
    t.NPT.fill(0);
    t.Y.fill(0.0);
    t.P.fill(0.0);
}

void clear(UserCurveInput& t) {
    t.NPT.fill(0);
    t.V1.fill(0.0);
    t.V2.fill(0.0);
}

void clear(MomentCurvatureInput& t) {
    t.NC.fill(0);
    t.AXL.fill(0.0);
    t.NPT.fill(0);
    t.MOM.fill(0.0);
    t.CUR.fill(0.0);
}

void clear(SectionCurveInput& t) {
    t.NL.fill(0);
    t.AXL.fill(0.0);
    t.VAL2.fill(0.0);
    t.NPT.fill(0);
    t.MOM.fill(0.0);
    t.CUR.fill(0.0);
}

}  // namespace

void reset_input_tables() {
    PI = TOLDL = TOLDEP = TOLZ = 0.0;
    ENDTXT.set("");
    for (auto* t : {&PFGRP, &YFGRP, &PFGRP1, &YFGRP1, &PFGRP2, &YFGRP2}) t->fill(0.0);
    NCFPTS = 0;
    TITLE.set("");

    for (int* v : {&NANTYP, &KCAPOP, &FCOPT, &KUPY, &KUAXL, &KUTOR, &KGRPRF, &NMPSET, &KAXFAC, &KAVGD,
                   &KBATAD, &KGENLS, &KEXTRP, &KJ1, &KJ2, &KCRVF, &KCRVFM})
        *v = 0;
    GRPMVY = GRPMVZ = 0.0;

    CAPLEN = CAPWID = CAPTHK = CAPDEQ = CAPWPL = 0.0;
    KCAPLD = KCAPSM = NCAPINC = 0;
    CAPK50 = CAPFULT = CAPYMAX = 0.0;
    FCXOFF = FCYOFF = FCEMOD = FCPOIS = 0.0;
    FCNX = FCNY = 0;

    NLCASE = KENVLC = KPRTEC = NPRTEC = 0;
    EFFSLE.fill(0);
    LCOPT.fill(0);
    LCTOL.fill(0.0);
    LCNAME.fill(FixedText<80>());
    LCKIND.fill(0);
    for (auto* t : {&LCPOD, &LCPRT, &LCPINC, &LCALTF, &LCAXV, &LCSKIP, &LCEIPR, &NCLOAD, &NDLINE, &NSTLEV})
        t->fill(0);
    for (auto* t : {&LCSCAL, &LCALTD, &LCALTR}) t->fill(0.0);
    EFFSLC.fill(0);
    CLOAD.fill(0.0);
    DLLINE.fill(0);
    DLFY.fill(0.0);
    DLFZ.fill(0.0);
    STLEV.fill(0.0);
    PODFLG.fill(0);
    PODVAL.fill(0.0);
    PODXYZ.fill(0.0);

    NLCOMB = KENVLB = KPRTEB = NPRTEB = 0;
    LBOPT.fill(0);
    LBTOL.fill(0.0);
    LBNAME.fill(FixedText<80>());
    LBRF.fill(0.0);
    LBOPT2.fill(0);
    LBALT.fill(0.0);
    LBFLG.fill(0);
    EFFSLB.fill(0);
    NLBCAS.fill(0);
    LBCASE.fill(0);
    LBFACT.fill(0.0);

    NDLSET = 0;
    NDLPT.fill(0);
    DLDEP.fill(0.0);
    DLVAL.fill(0.0);

    NPILE3 = NPILE2 = 0;
    PGRI3.fill(0);
    PGRA3.fill(0.0);
    PGRB3.fill(0.0);
    PGRI2.fill(0);
    PGRA2.fill(0.0);
    PGRB2.fill(0.0);

    NPRSET = 0;
    clear(PPIN);

    NSECT = 0;
    XSKIND.fill(0);
    XSNLF.fill(0);
    XSTPF.fill(0);
    for (auto* t : {&XSNAME, &XSNAM2, &XSNAM3}) t->fill(FixedText<80>());
    XSTAB.fill(0.0);
    XSEXI.fill(0);
    XSNLR.fill(0.0);
    XSNLI.fill(0);
    XSBAR.fill(0.0);
    XSSTR.fill(0.0);
    XSNLP.fill(0.0);

    NLAYER = 0;
    clear(LAYIN);
    LAYPRP.fill(0.0);
    LAYLIN.fill(0);

    PYREQN = 0;
    clear(PYRQIN);
    NUPYS = 0;
    clear(UPYIN);

    NLSGEN = NTRGEN = 0;
    LSGROW.fill(0);
    TRGROW.fill(0);

    NUAXC = NUTRC = 0;
    clear(UAXCIN);
    clear(UTRCIN);

    NMPS = 0;
    clear(MPUIN);
    NSCCRV = 0;
    clear(MPXIN(1));
    clear(MPXIN(2));

    NRFSET = 0;
    RFLNPT.fill(0);
    RFLDEP.fill(0.0);
    RFLPF.fill(0.0);
    RFLYF.fill(0.0);

    NSMOV = 0;
    SMDEP.fill(0.0);
    SMOVY0.fill(0.0);
    SMOVZ0.fill(0.0);
    SMVCUR.fill(0.0);

    NCRVST = KCRVL1 = KCRVL2 = NCRVL = 0;
    CRVL1.fill(0.0);
}

}  // namespace zolan
