// Raw input tables: the input data file as read, section by section, before
// the conversion to internal units and before the echo completes the model.
// The packed input tables (PPIN, LAYIN, PYRQIN, UPYIN, UAXCIN, UTRCIN,
// MPUIN, MPXIN) are groups of plain tables, one per field, reached as
// PPIN.PLEN(p) and so on.
// Identification numbers of sets, curves, sections and layers are read and
// not kept: the position of a block in the file is its index.
//
// Entries beyond the counts of the current run are never read; every table
// is cleared by reset_input_tables() at the start of each run.
#pragma once

#include "model/limits.h"
#include "model/table.h"

namespace zolan {

// ---------------------------------------------------------------------------
// Run constants and defaults that the reader sets.

extern double PI;                       // 3.14159 as single precision until the echo sets the full value
extern double TOLDL;                    // depth tolerance of the distributed-load interpolation at nodes
extern double TOLDEP;                   // depth tolerance of the soil-curve lookups
extern double TOLZ;                     // zero threshold of the p-y curves
extern FixedText<4> ENDTXT;             // "END ", copied over the title after a normal print pass
extern Table1<double, MAXPIL> PFGRP, YFGRP;    // group p- and y-multipliers in effect, per pile row
extern Table1<double, MAXPIL> PFGRP1, YFGRP1;  // the same for the first lateral direction (Y)
extern Table1<double, MAXPIL> PFGRP2, YFGRP2;  // the same for the second lateral direction (Z)
extern int NCFPTS;                      // points of each generated axial and torque curve on the curve file

// Title line.
extern FixedText<80> TITLE;

// ---------------------------------------------------------------------------
// Section 1: control integers (NUNITS and PYMODE live with the run state).

extern int NANTYP;   // analysis type: 2 plane model, 3 three-dimensional model
extern int KCAPOP;   // pile cap: > 0 dimensions used, > 1 second cap record, 2 embedded cap
extern int FCOPT;    // flexible cap: 0 none, 2 decks only, other positive values analysis
extern int KUPY;     // 1: user p-y curve sets (section 19)
extern int KUAXL;    // 1: user axial load-displacement curves (section 17)
extern int KUTOR;    // 1: user torque-rotation curves (section 16)
extern int KGRPRF;   // group reduction factors: 1 from the layout, 3 with a given direction
extern int NMPSET;   // > 0: user moment-curvature sets (section 11)
extern int KAXFAC;   // non-zero: the echo prints the axial-load factor column
extern int KAVGD;    // non-zero: average pile diameter for the spacing ratio
extern int KBATAD;   // 1: adjust depths for batter piles
extern int KGENLS;   // 1: generate axial and torque curves from the soil profile
extern int KEXTRP;   // 1: extend axial and torque curves beyond their last point
extern int KJ1;      // 1: reduction factors along depth (section 15)
extern int KJ2;      // 1: soil movement (section 14)
extern int KCRVF;    // 1: curve file wanted (section 13)
extern int KCRVFM;   // curve file form: 0 formatted, other values unformatted
extern double GRPMVY, GRPMVZ;  // movement direction of the group factors (KGRPRF = 3)

// ---------------------------------------------------------------------------
// Section 2: pile cap.

extern double CAPLEN, CAPWID, CAPTHK, CAPDEQ;  // length (Y), width (Z), thickness (X), equivalent diameter
// The cap's width in plan as read: the echo turns CAPWID into the width the
// soil sees (the plan diagonal, or the equivalent diameter), while the
// flexible cap's slab spans the cap itself.
extern double CAPWPL;
extern int KCAPLD;    // embedded cap: 0 equivalent lateral load, other values a short pseudo-pile
extern int KCAPSM;    // soil model of the cap: 0 soil data, 1 model on soil parameters, other the three values
extern int NCAPINC;   // increments of the cap pseudo-pile
extern double CAPK50, CAPFULT, CAPYMAX;  // the cap's soil-model parameters
// Flexible cap (FCCAPIN): mesh offsets, element counts, Young's modulus, Poisson's ratio.
extern double FCXOFF, FCYOFF;
extern int FCNX, FCNY;
extern double FCEMOD, FCPOIS;

// ---------------------------------------------------------------------------
// Section 3: load cases.

extern int NLCASE;   // number of load cases
extern int KENVLC, KPRTEC, NPRTEC;  // case envelopes wanted, their print level and node increment
extern Table1<int, 2 * MAXEFF> EFFSLE;  // envelope selection flags: 1-25 cases, 26-50 combinations
extern Table2<int, MAXLC, 7> LCOPT;     // solution options: 3 processors, 4 load type, 5 cycles, 6-7 iteration limits
extern Table2<double, MAXLC, 4> LCTOL;  // cap and pile tolerances, initial and minimum load-increment factors
extern Table1<FixedText<80>, MAXLC> LCNAME;  // case name
extern Table2<int, MAXLC, 7> LCKIND;    // 1 load type code, 2 case kind, 3-7 further case options
extern Table1<int, MAXLC> LCPOD;        // 1: displacements or loads given at a point (PODFLG...)
extern Table1<int, MAXLC> LCPRT;        // print level: 0 cap, 1 pile heads, 2 along the piles
extern Table1<int, MAXLC> LCPINC;       // node print increment
extern Table1<double, MAXLC> LCSCAL;    // scale factor of the case's loads
extern Table1<int, MAXLC> LCALTF;       // 1: alternative absolute tolerances
extern Table1<double, MAXLC> LCALTD, LCALTR;  // alternative tolerances on deflections and rotations
extern Table1<int, MAXLC> LCAXV;        // include the variation of the axial load
extern Table1<int, MAXLC> LCSKIP;       // 1: the case is not analysed
extern Table1<int, MAXLC> LCEIPR;       // flexural rigidity from the previous iteration
extern Table2<int, MAXLC, MAXEFF> EFFSLC;  // selection flags of the along-pile quantities printed
extern Table1<int, MAXLC> NCLOAD;       // concentrated loads of the case
extern Table3<double, MAXLC, MAXCLD, 9> CLOAD;  // FX, FY, MZ, FZ, MY, MX (cap slot order), X, Y, Z of the point
extern Table1<int, MAXLC> NDLINE;       // distributed-load lines of the case
extern Table3<int, MAXLC, MAXDLL, 7> DLLINE;  // 1 line no., 2 axis option, 3-5 first, last pile and increment, 6-7 sets Y, Z
extern Table2<double, MAXLC, MAXDLL> DLFY, DLFZ;  // factors of the Y and Z sets of a line
extern Table1<int, MAXLC> NSTLEV;       // foundation-stiffness values of the case
extern Table2<double, MAXLC, MAXSTL> STLEV;  // the values, by position (levels, then the estimation block)
extern Table2<int, MAXLC, 6> PODFLG;    // per cap slot: 0 displacement given, 1 load given
extern Table2<double, MAXLC, 12> PODVAL;  // per cap slot k: 2k-1 displacement, 2k load
extern Table2<double, MAXLC, 3> PODXYZ;   // coordinates X, Y, Z of the point

// ---------------------------------------------------------------------------
// Section 4: load combinations.

extern int NLCOMB;   // number of combinations
extern int KENVLB, KPRTEB, NPRTEB;  // combination envelopes wanted, print level, node increment
extern Table2<int, MAXCMB, 7> LBOPT;     // solution options, as LCOPT
extern Table2<double, MAXCMB, 4> LBTOL;  // tolerances and load-increment factors, as LCTOL
extern Table1<FixedText<80>, MAXCMB> LBNAME;  // combination name
extern Table2<double, MAXCMB, 2> LBRF;   // bending and shear reduction factors
extern Table2<int, MAXCMB, 3> LBOPT2;    // print level, node print increment, alternative-tolerance flag
extern Table2<double, MAXCMB, 2> LBALT;  // alternative tolerances on deflections and rotations
extern Table2<int, MAXCMB, 3> LBFLG;     // axial-load variation, skip (1: not analysed), EI from previous iteration
extern Table2<int, MAXCMB, MAXEFF> EFFSLB;  // selection flags of the along-pile quantities printed
extern Table1<int, MAXCMB> NLBCAS;       // load cases combined
extern Table2<int, MAXCMB, MAXLBC> LBCASE;     // load case number of each entry
extern Table2<double, MAXCMB, MAXLBC> LBFACT;  // load factor of each entry

// ---------------------------------------------------------------------------
// Section 5: distributed-load sets.

extern int NDLSET;                      // number of sets
extern Table1<int, MAXDLS> NDLPT;       // points of set s
extern Table2<double, MAXDLS, MAXDLP> DLDEP;  // depth of point k, from the pile head
extern Table2<double, MAXDLS, MAXDLP> DLVAL;  // distributed load at that depth

// ---------------------------------------------------------------------------
// Section 6: pile table, one of two layouts by NANTYP.

extern int NPILE3;                      // rows of the three-dimensional table
extern Table2<int, MAXROW, 10> PGRI3;   // connection y, z, property set, p-y set, user L-S, user T-R, R-F-L set, (unused), generated L-S, generated T-R
extern Table2<double, MAXROW, 7> PGRA3; // head springs z, y, p- and y-multipliers Y, p- and y-multipliers Z, axial-load factor
extern Table2<double, MAXROW, 7> PGRB3; // head X, Y, Z, angles alpha, beta, theta (degrees), ground-line depth
extern int NPILE2;                      // rows of the plane table
extern Table2<int, MAXROW, 7> PGRI2;    // connection, piles in the row, property set, p-y set, user L-S, R-F-L set, generated L-S
extern Table2<double, MAXROW, 5> PGRA2; // head spring, spacing, p-multiplier, y-multiplier, axial-load factor
extern Table2<double, MAXROW, 4> PGRB2; // vertical and horizontal coordinates, slope (degrees), ground-line depth

// ---------------------------------------------------------------------------
// Section 7: pile property sets (PPIN).

struct PropertySetInput {
    Table1<int, MAXPRS> NSEC;              // sections of set p
    Table1<int, MAXPRS> NINCR;             // increments of the pile (1 to MAXINC)
    Table1<double, MAXPRS> PLEN;           // pile length
    Table1<int, MAXPRS> PTYPE;             // 1 driven pile, 2 drilled shaft
    Table2<double, MAXPRS, MAXSEC> STOP;   // top depth of section s
    Table2<double, MAXPRS, MAXSEC> SBOT;   // bottom depth of section s
    Table2<int, MAXPRS, MAXSEC> SXS;       // cross-section number of section s
};
extern int NPRSET;
extern PropertySetInput PPIN;

// ---------------------------------------------------------------------------
// Section 8: cross sections.

// Integer fields 0 to 32 of a nonlinear cross section: XSNLI(k, f) with
// f = 0 .. 32 as the fields are numbered, held one place up in a 1-based table.
class NonlinearIntFields {
public:
    int& operator()(int k, int f) { return t_(k, f + 1); }
    int operator()(int k, int f) const { return t_(k, f + 1); }
    void fill(int v) { t_.fill(v); }

private:
    Table2<int, MAXXS, 33> t_;
};

extern int NSECT;                        // number of cross sections
extern Table1<int, MAXXS> XSKIND;        // kind (0 general, 1 circular pipe, ..., 5 AISC)
extern Table1<int, MAXXS> XSNLF;         // nonlinear flag: 0 elastic, other values nonlinear
extern Table1<FixedText<80>, MAXXS> XSNAME;  // name of the section
extern Table2<double, MAXXS, 37> XSTAB;  // real fields: 1-18 at the top, 19-36 at the bottom; 37 value 3 of the elastic extra record
extern Table1<int, MAXXS> XSTPF;         // tapered flag of an elastic section (> 0: bottom values given)
extern Table2<int, MAXXS, 4> XSEXI;      // integers of the elastic extra record: its values 1, 2, 4, 5
extern Table1<FixedText<80>, MAXXS> XSNAM2;  // second name of an elastic section (AISC name)
extern Table2<double, MAXXS, 35> XSNLR;  // real fields of a nonlinear section
extern NonlinearIntFields XSNLI;         // integer fields 0-32 of a nonlinear section
extern Table3<double, MAXXS, MAXXSR, 2> XSBAR;  // first row list (XSNLI field 9 rows)
extern Table3<double, MAXXS, MAXXSR, 2> XSSTR;  // second row list (XSNLI field 21 rows)
extern Table2<double, MAXXS, MAXXSR> XSNLP;     // third list (XSNLI field 22 values)
extern Table1<FixedText<80>, MAXXS> XSNAM3;     // name given in the nonlinear records

// ---------------------------------------------------------------------------
// Section 9: soil layers (LAYIN) and their property values.

struct LayerInput {
    Table1<int, MAXLAY> ISOIL;     // soil code (1 to 13)
    Table1<double, MAXLAY> TOP;    // top depth
    Table1<double, MAXLAY> BOT;    // bottom depth
    Table1<int, MAXLAY> NP;        // property records (0 to 2)
    Table1<int, MAXLAY> NV;        // values per record (0 or less: records without values)
};
extern int NLAYER;
extern LayerInput LAYIN;
extern Table3<double, MAXLAY, MAXLPR, MAXLPV> LAYPRP;  // values at the top (point 1) and bottom (point 2) of layer L
extern Table2<long, MAXLAY, 2> LAYLIN;  // first line of the top record and last line of the bottom record of layer L

// ---------------------------------------------------------------------------
// Section 20: p-y print requests (PYRQIN).

struct PyRequestInput {
    Table1<int, MAXPYR> ROW;             // pile row
    Table1<double, MAXPYR> DEP;          // depth below the origin
    Table1<int, MAXPYR> NY;              // deflections given (0: the model's default list)
    Table2<double, MAXPYR, MAXPYY> Y;    // the deflections
};
extern int PYREQN;
extern PyRequestInput PYRQIN;

// ---------------------------------------------------------------------------
// Section 19: user p-y curve sets (UPYIN).

struct UserPyInput {
    Table1<int, MAXUPS> NC;                        // curves of set s
    Table2<double, MAXUPS, MAXUPC> DEP;            // depth of curve j
    Table2<int, MAXUPS, MAXUPC> NPT;               // points of curve j
    Table3<double, MAXUPS, MAXUPC, MAXUPP> Y;      // deflection of point k
    Table3<double, MAXUPS, MAXUPC, MAXUPP> P;      // soil resistance of point k
};
extern int NUPYS;
extern UserPyInput UPYIN;

// ---------------------------------------------------------------------------
// Sections 10 and 18: pile rows of the generated axial and torque curves.

extern int NLSGEN;
extern Table1<int, MAXROW> LSGROW;   // pile row of generated load-settlement curve j
extern int NTRGEN;
extern Table1<int, MAXROW> TRGROW;   // pile row of generated torque-rotation curve j (at most MAXTRG)

// ---------------------------------------------------------------------------
// Sections 17 and 16: user axial and torque curves (UAXCIN, UTRCIN).

struct UserCurveInput {
    Table1<int, MAXUCV> NPT;               // points of curve c
    Table2<double, MAXUCV, MAXUCP> V1;     // first value of point k: axial load, or torque
    Table2<double, MAXUCV, MAXUCP> V2;     // second value: displacement, or rotation
};
extern int NUAXC;
extern UserCurveInput UAXCIN;   // V1 load, V2 displacement
extern int NUTRC;
extern UserCurveInput UTRCIN;   // V1 torque, V2 rotation

// ---------------------------------------------------------------------------
// Section 11: user moment-curvature sets (MPUIN).

struct MomentCurvatureInput {
    Table1<int, MAXMPS> NC;                        // curves (axial-load levels) of set s
    Table2<double, MAXMPS, MAXMPL> AXL;            // axial load of curve l
    Table2<int, MAXMPS, MAXMPL> NPT;               // points of curve l
    Table3<double, MAXMPS, MAXMPL, MAXMPP> MOM;    // moment of point k
    Table3<double, MAXMPS, MAXMPL, MAXMPP> CUR;    // curvature of point k
};
extern int NMPS;
extern MomentCurvatureInput MPUIN;

// ---------------------------------------------------------------------------
// Section 12: moment-curvature curves of the cross sections (MPXIN), one
// group of tables per bending axis: MPXIN(axis).NL(k) and so on.

struct SectionCurveInput {
    Table1<int, MAXXS> NL;                         // axial-load levels of section k
    Table2<double, MAXXS, MAXMPL> AXL;             // axial load of level l
    Table2<double, MAXXS, MAXMPL> VAL2;            // the further real of level l (not used)
    Table2<int, MAXXS, MAXMPL> NPT;                // points of level l
    Table3<double, MAXXS, MAXMPL, MAXMPP> MOM;     // moment of point k
    Table3<double, MAXXS, MAXMPL, MAXMPP> CUR;     // curvature of point k
};
extern int NSCCRV;
extern Table1<SectionCurveInput, 2> MPXIN;

// ---------------------------------------------------------------------------
// Section 15: reduction factors along depth.

extern int NRFSET;
extern Table1<int, MAXRFS> RFLNPT;              // points of set s
extern Table2<double, MAXRFS, MAXRFP> RFLDEP;   // depth of point k
extern Table2<double, MAXRFS, MAXRFP> RFLPF;    // p-factor
extern Table2<double, MAXRFS, MAXRFP> RFLYF;    // y-factor

// ---------------------------------------------------------------------------
// Section 14: soil movement.

extern int NSMOV;
extern Table1<double, MAXSMV> SMDEP;          // depth of point k
extern Table2<double, MAXSMV, 2> SMVCUR;      // movements Y, Z in effect (scaled by the cap solvers)
extern Table1<double, MAXSMV> SMOVY0, SMOVZ0; // the full-load movements as read

// ---------------------------------------------------------------------------
// Section 13: curve-file options.

extern int NCRVST;   // divisions of each pile at whose stations curves are written
extern int KCRVL1;   // 1: a list of deflections follows
extern int KCRVL2;   // 1: a second list follows (read and not used)
extern int NCRVL;    // deflections in CRVL1 (0: default lists)
extern Table1<double, MAXCRL> CRVL1;  // deflections of the curve-file p-y curves

// Clears every table and scalar above (the run constants included).
void reset_input_tables();

}  // namespace zolan
