// Input echo, first blocks: the opening block with the run's options, the
// pile cap (Table B) and its effective width, and the loads (Table C): load
// cases with their kinds, equivalent loads and foundation-stiffness levels,
// combinations, distributed-load sets, and the solution controls of each.
#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "control/input_echo.h"
#include "control/load_assembly.h"
#include "control/stiffness_levels.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "report/unit_labels.h"

namespace zolan {
namespace {

constexpr int U = ECHOFILE;

// The cap counts as given when its dimensions add up to more than the
// single-precision 1e-10.
const double CAPEPS = static_cast<double>(1.0e-10f);

void put(const fmt::Format& f, std::initializer_list<fmt::Item> items = {}) { io::write_fmt(U, f, items); }

// "Aw" takes the whole label; the labels are fixed-length texts.
template <int N>
std::string_view L(const FixedText<N>& t) {
    return t.view();
}

// ---------------------------------------------------------------------------
// Solution controls of the case or combination in the current-control block.

// Print level and node increment; `blank` puts the blank before "NODE(S)"
// (load cases and envelopes) or leaves it out (combinations).
void echo_print_level(bool blank) {
    static const fmt::Format cap(R"((9X,"PRINT RESULTS ONLY AT PILE CAP"))");
    static const fmt::Format heads(R"((9X,"PRINT RESULTS AT PILE CAP AND PILE HEADS"))");
    static const fmt::Format along(R"((9X,"PRINT RESULTS AT PILE CAP, PILE HEADS AND"," ALONG PILES"))");
    static const fmt::Format every(R"~((9X,"PRINT RESULTS EVERY ",I5," NODE(S)"))~");
    static const fmt::Format every_comb(R"~((9X,"PRINT RESULTS EVERY ",I5,"NODE(S)"))~");
    if (KPRINT == 0)
        put(cap);
    else if (KPRINT == 1)
        put(heads);
    else
        put(along);
    if (KPRINT == 2) put(blank ? every : every_comb, {NPRINC});
}

void echo_controls(bool comb) {
    // 1. Kind of loading.
    static const fmt::Format cyclic(R"((/,/,5X,"* THE LOADING IS CYCLIC *",/,/,5X,"NO. OF CYCLES =",F10.0))");
    static const fmt::Format statc(R"((/,/,5X,"* THE LOADING IS STATIC *"))");
    if (LOADTYP == 0) put(cyclic, {NCYCL});
    if (LOADTYP == 1) put(statc);

    // 2. Tolerances and iteration limits, with the alternative absolute
    // tolerances when they apply.
    static const fmt::Format tol(
        R"((/,/,5X,1P,"* CONTROL PARAMETERS *",/,)"
        R"(9X,"TOLERANCE ON CONVERGENCE OF PILE CAP MOVEMENT   ",4X," = ",G12.5,/,)"
        R"(9X,"TOLERANCE ON DETERMINATION OF PILE DEFLECTIONS  ",4X," = ",G12.5,A3,/,)"
        R"(9X,"MAX NO OF ITERATIONS ALLOWED FOR FOUNDATION ANALYSIS =",I9,/,)"
        R"(9X,"MAXIMUM NO OF ITERATIONS ALLOWED FOR PILE ANALYSIS   =",I9,/,)"
        R"(9X,"FACTOR TO APPLY THE LOAD IN INCREMENTS",14X," = ",G12.5,/,)"
        R"(9X,"MINIMUM FACTOR FOR LOAD INCREMENTS    ",14X," = ",G12.5))");
    static const fmt::Format tol_alt(
        R"((/,/,5X,1P,"* CONTROL PARAMETERS *",/,)"
        R"(9X,"TOLERANCE ON CONVERGENCE OF PILE CAP MOVEMENT   ",4X," = ",G12.5,/,)"
        R"(9X,"ALTER. TOLERANCE CONVERGENCE PILE CAP DEFLECTION",4X," = ",G12.5,A3,/,)"
        R"(9X,"ALTER. TOLERANCE CONVERGENCE PILE CAP ROTATION  ",4X," = ",G12.5,/,)"
        R"(9X,"TOLERANCE ON DETERMINATION OF PILE DEFLECTIONS  ",4X," = ",G12.5,A3,/,)"
        R"(9X,"MAX NO OF ITERATIONS ALLOWED FOR FOUNDATION ANALYSIS =",I9,/,)"
        R"(9X,"MAXIMUM NO OF ITERATIONS ALLOWED FOR PILE ANALYSIS   =",I9,/,)"
        R"(9X,"FACTOR TO APPLY THE LOAD IN INCREMENTS",14X," = ",G12.5,/,)"
        R"(9X,"MINIMUM FACTOR FOR LOAD INCREMENTS    ",14X," = ",G12.5))");
    if (KABSTL == 0)
        put(tol, {TOLREL, TOLLLP, L(ULEN), MAXITC, MAXITP, DTINIT, DTCMIN});
    else
        put(tol_alt, {TOLREL, TOLDSP, L(ULEN), TOLROT, TOLLLP, L(ULEN), MAXITC, MAXITP, DTINIT, DTCMIN});

    // 3-4. Axial-load variation, flexural rigidity of the previous iteration.
    static const fmt::Format axvar(
        R"((9X,"INCLUDE VARIATION OF AXIAL LOAD AT PILES",/,9X,"* NOT FOR USER DEFINED LOAD SETTL. CURVE"))");
    static const fmt::Format eiprv(R"((9X,"USE EI FROM PREVIOUS ITERATION          "))");
    if (KAXVAR > 0) put(axvar);
    if (KEIPRV > 0) put(eiprv);

    // 5. Print level.
    echo_print_level(!comb);
}

// ---------------------------------------------------------------------------
// Load cases.

void echo_case_heading(int i) {
    static const fmt::Format head(R"((/,/,5X,"LOAD CASE    : ",I5,/,5X,"CASE NAME    : ",A80))");
    static const fmt::Format type(R"((5X,"LOAD TYPE    : ",A32))");
    static const fmt::Format scale(R"((5X,"SCALE FACTOR : ",$))");
    static const fmt::Format skip(R"((5X,"NOTE: LOAD CASE WILL NOT BE ANALYZED"))");
    put(head, {i, LCNAME(i).view()});
    put(type, {LTYPNM(LCKIND(i, 1), 32)});
    put(scale);
    WRREAL(U, 12, 4, LCSCAL(i));
    WREOL(U);
    if (LCSKIP(i) == 1) put(skip);
}

// Concentrated loads as input, then their equivalent load at the origin.
void echo_concentrated(int i) {
    static const fmt::Format title(R"((/,5X,"* CONCENTRATED LOADS *",/))");
    put(title);
    const bool plane = NANTYP == 2;
    if (!plane) {
        static const fmt::Format head(
            R"((4X,"NL "," VERT.LOAD HR.LOAD Y HR.LOAD Z","  MOMENT X  MOMENT Y  MOMENT Z","   COORD X   COORD Y   COORD Z"))");
        static const fmt::Format units(
            "(4X,3X,4X,A3,3X,4X,A3,3X,4X,A3,3X,3X,A3,A1,A2,1X,3X,A3,A1,A2,1X,3X,A3,A1,A2,1X,3(5X,A2,3X))");
        put(head);
        put(units, {L(UFOR3), L(UFOR3), L(UFOR3), L(UFOR3), L(UDASH), L(ULEN2), L(UFOR3), L(UDASH), L(ULEN2),
                    L(UFOR3), L(UDASH), L(ULEN2), L(UBLEN2), L(UBLEN2), L(UBLEN2)});
        for (int m = 1; m <= NCLOAD(i); ++m) {
            WRBLNK(U, 2);
            WRINT(U, 4, m);
            WRBLNK(U, 1);
            // FX, FY, FZ, MX, MY, MZ from the input slots.
            for (int t : {1, 2, 4, 6, 5, 3}) WRREAL(U, 10, 2, CLOAD(i, m, t));
            for (int t : {7, 8, 9}) WRREAL(U, 10, 2, UCD12(CLOAD(i, m, t)));
            WREOL(U);
        }
    } else {
        static const fmt::Format head(
            R"((5X,"  NL     VERT.LOAD     HOR.LOAD      ","MOMENT      COORD X      COORD Y"))");
        static const fmt::Format units(R"((6X,"          ",1X,A3,"       ",3X,A3,7X,2X,A3,A1,A2,"    ","    ",2X,A2,10X,A2))");
        put(head);
        put(units, {L(UFOR3), L(UFOR3), L(UFOR3), L(UDASH), L(ULEN2), L(UBLEN2), L(UBLEN2)});
        for (int m = 1; m <= NCLOAD(i); ++m) {
            WRBLNK(U, 5);
            WRINT(U, 4, m);
            WRBLNK(U, 1);
            for (int t : {1, 2, 3}) WRREAL(U, 13, 5, CLOAD(i, m, t));
            for (int t : {7, 8}) WRREAL(U, 13, 5, UCD12(CLOAD(i, m, t)));
            WREOL(U);
        }
    }

    CAPVEC q;
    EQLOAD(i, q);
    static const fmt::Format eq(R"((/,/,5X,"* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *"))");
    put(eq);
    auto row = [](std::initializer_list<double> v) {
        WRBLNK(U, 8);
        for (double x : v) WRREAL(U, 18, 5, x);
        WREOL(U);
    };
    if (!plane) {
        static const fmt::Format forces(R"((/,11X," VER.LOAD X,",A3,5X,"HOR.LOAD Y,",A3,5X,"HOR.LOAD Z,",A3))");
        static const fmt::Format moments(
            R"((/,11X," MOMENT X,",A3,A1,A2,3X," MOMENT Y,",A3,A1,A2,3X," MOMENT Z,",A3,A1,A2))");
        put(forces, {L(UFOR3), L(UFOR3), L(UFOR3)});
        row({q(1), q(2), q(3)});
        put(moments, {L(UFOR3), L(UDASH), L(ULEN2), L(UFOR3), L(UDASH), L(ULEN2), L(UFOR3), L(UDASH), L(ULEN2)});
        row({q(4), q(5), q(6)});
    } else {
        static const fmt::Format heads(R"((/,13X," VER.LOAD X,",A3,3X," HOR.LOAD Y,",A3,3X," MOMENT,",A3,A1,A2))");
        put(heads, {L(UFOR3), L(UFOR3), L(UFOR3), L(UDASH), L(ULEN2)});
        row({q(1), q(2), q(6)});
    }
}

// Displacements or loads specified at a point of definition, one line per
// cap degree of freedom, then the point.
void echo_point_of_definition(int i) {
    static const fmt::Format title(R"((/,5X,"* SPECIFIED DISPLACEMENTS/LOADS *",/))");
    static const fmt::Format dof[6] = {
        R"((5X,"- DOF 1 , ",$))",
        R"((5X,"- DOF 2 , ",$))",
        R"((5X,"- DOF 3 , ",$))",
        R"((5X,"- DOF 4 , ",$))",
        R"((5X,"- DOF 5 , ",$))",
        R"((5X,"- DOF 6 , ",$))",
    };
    // Labels of a displacement (flag 0) and of a load, by kind of label.
    enum Kind { Disp, Rot, Force, Moment };
    struct Dof {
        int slot;
        const fmt::Format* disp;
        Kind dk;
        const fmt::Format* load;
        Kind lk;
    };
    static const fmt::Format vdisp(R"((5X,"VERT. DISP,",A3,5X,$))");
    static const fmt::Format vload(R"((5X,"VERT. LOAD,",A3,5X,$))");
    static const fmt::Format ydisp(R"((5X,"HOR.DISP Y,",A3,5X,$))");
    static const fmt::Format yload(R"((5X,"HOR.LOAD Y,",A3,5X,$))");
    static const fmt::Format zdisp(R"((5X,"HOR.DISP Z,",A3,5X,$))");
    static const fmt::Format zload(R"((5X,"HOR.LOAD Z,",A3,5X,$))");
    static const fmt::Format xrot(R"((5X,"ROTATION X,RAD",5X,$))");
    static const fmt::Format xmom(R"((5X,"  MOMENT X,",A3,A1,A2,2X,$))");
    static const fmt::Format yrot(R"((5X,"ROTATION Y,RAD",5X,$))");
    static const fmt::Format ymom(R"((5X,"  MOMENT Y,",A3,A1,A2,2X,$))");
    static const fmt::Format zrot(R"((5X,"ROTATION Z,RAD",5X,$))");
    static const fmt::Format zmom(R"((5X,"  MOMENT Z,",A3,A1,A2,2X,$))");
    static const fmt::Format pydisp(R"((5X,"HOR. DISP.,",A3,5X,$))");
    static const fmt::Format pyload(R"((5X,"HOR. LOAD ,",A3,5X,$))");
    static const fmt::Format przrot(R"((5X," ROTATION, RAD",5X,$))");
    static const fmt::Format przmom(R"((5X," MOMENT Z, ",A3,A1,A2,2X,$))");
    // Cap degrees of freedom X, Y, Z, rotation X, Y, Z from the input slots.
    static const Dof dofs3[6] = {
        {1, &vdisp, Disp, &vload, Force}, {2, &ydisp, Disp, &yload, Force}, {4, &zdisp, Disp, &zload, Force},
        {6, &xrot, Rot, &xmom, Moment},   {5, &yrot, Rot, &ymom, Moment},   {3, &zrot, Rot, &zmom, Moment},
    };
    static const Dof dofs2[3] = {
        {1, &vdisp, Disp, &vload, Force}, {2, &pydisp, Disp, &pyload, Force}, {3, &przrot, Rot, &przmom, Moment}};
    static const fmt::Format loc(R"((5X,"- LOCATION",$))");
    static const fmt::Format coord[3] = {
        R"((5X,"  COORD. X,",A3,5X,$))",
        R"((5X,"  COORD. Y,",A3,5X,$))",
        R"((5X,"  COORD. Z,",A3,5X,$))",
    };

    put(title);
    const bool plane = NANTYP == 2;
    const int ndof = plane ? 3 : 6;
    for (int d = 1; d <= ndof; ++d) {
        const Dof& g = plane ? dofs2[d - 1] : dofs3[d - 1];
        const int k = g.slot;
        put(dof[d - 1]);
        const bool disp = PODFLG(i, k) == 0;
        const Kind kind = disp ? g.dk : g.lk;
        const fmt::Format& label = disp ? *g.disp : *g.load;
        switch (kind) {
            case Disp: put(label, {L(ULEN2)}); break;
            case Rot: put(label); break;
            case Force: put(label, {L(UFOR3)}); break;
            case Moment: put(label, {L(UFOR3), L(UDASH), L(ULEN2)}); break;
        }
        WRBLNK(U, kind == Moment ? 2 : 5);
        WRREAL(U, 13, 5, disp ? PODVAL(i, 2 * k - 1) : PODVAL(i, 2 * k));
        WREOL(U);
    }
    for (int t = 1; t <= (plane ? 2 : 3); ++t) {
        put(loc);
        put(coord[t - 1], {L(UBLEN2)});
        WRBLNK(U, 5);
        WRREAL(U, 13, 5, UCD12(PODXYZ(i, t)));
        WREOL(U);
    }
}

// Distributed-load lines: the piles they load and the sets along Y and Z.
void echo_distributed_lines(int i) {
    static const fmt::Format title(R"((/,5X,"* DISTRIBUTED LOADS *",/))");
    static const fmt::Format head3(
        R"((5X,"  NL    AXIS    INI_PILE  END_PILE","  INC_PILE    SET_Y ","   FACTOR_Y     SET_Z    FACTOR_Z"))");
    static const fmt::Format head2(R"((5X,"  NL    AXIS    INI_PILE  END_PILE","  INC_PILE    SET_Y ","   FACTOR_Y"))");
    static const fmt::Format line("(5X,I4,3X,A6,3(I8,2X),4X,$)");
    static const fmt::Format note(
        R"((/,5X,"NOTE: FOR GLOBAL LOADING, AXIAL ","COMPONENT IS CONSIDERED AS ","CONCENTRATED LOAD AT PILE HEAD"))");
    const bool plane = NANTYP == 2;
    put(title);
    put(plane ? head2 : head3);
    bool global = false;
    for (int m = 1; m <= NDLINE(i); ++m) {
        const bool g = DLLINE(i, m, 2) == 1;
        global = global || g;
        put(line, {m, g ? "GLOBAL" : "LOCAL ", DLLINE(i, m, 3), DLLINE(i, m, 4), DLLINE(i, m, 5)});
        WRBLNK(U, 2);
        WRINT(U, 8, DLLINE(i, m, 6));
        WRREAL(U, 14, 4, DLFY(i, m));
        if (!plane) {
            WRINT(U, 8, DLLINE(i, m, 7));
            WRREAL(U, 14, 4, DLFZ(i, m));
        }
        WREOL(U);
    }
    if (global && LCKIND(i, 7) == 1) put(note);
}

void echo_level_rows(int i, int n) {
    static const fmt::Format row("(5X,I4,4X,$)");
    for (int m = 1; m <= n; ++m) {
        put(row, {m});
        WRREAL(U, 13, 5, STLEV(i, m));
        WREOL(U);
    }
}

// Foundation-stiffness data of an estimation case; a case that gives no
// levels gets the ten defaults, which the analysis then uses as input.
void echo_stiffness(int i) {
    if (NSTLEV(i) <= 0) default_stiffness_levels(i);
    NPTIN = NSTLEV(i);
    const StiffnessData d = decode_stiffness_levels(i);

    static const fmt::Format equiv(R"((/,5X,"* DATA FOR FOUNDATION STIFFNESS *",/,5X,"COMPUTED FOR EQUIVALENT ",5X,)"
                                   R"("CONCENTRATED LOAD AT ORIGIN",/))");
    static const fmt::Format levels(R"((/,5X,"* FOUNDATION STIFFNESS LOAD LEVELS *",/))");
    static const fmt::Format lhead(R"((5X,"  NL       LOAD LEVEL"))");
    if (!d.block) {
        put(equiv);
        put(levels);
        put(lhead);
        echo_level_rows(i, d.nlev);
        return;
    }

    static const fmt::Format data(R"((/,5X,"* DATA FOR FOUNDATION STIFFNESS *"))");
    static const fmt::Format axial(R"((/,5X,"- CONSIDER AXIAL LOADS IN PILES"))");
    static const fmt::Format total(R"((/,5X,"- BASED ON TOTAL APPLIED LOAD  "))");
    static const fmt::Format target(R"((/,5X,"- BASED ON TARGET DEFLECTION   "))");
    put(data);
    if (d.axial) put(axial);
    if (d.method == 0) {
        put(total);
        put(levels);
        put(lhead);
        echo_level_rows(i, d.nlev);
        return;
    }

    put(target);
    static const fmt::Format tgt[6] = {
        R"((/,5X,"  DISPLACEMENT X = ",$))",
        R"((/,5X,"  DISPLACEMENT Y = ",$))",
        R"((/,5X,"  DISPLACEMENT Z = ",$))",
        R"((/,5X,"  ROTATION X     = ",$))",
        R"((/,5X,"  ROTATION Y     = ",$))",
        R"((/,5X,"  ROTATION Z     = ",$))",
    };
    static const fmt::Format unit(R"((" ",A2,$))");
    if (d.dof != 0) {
        // The model's slot of the target: in the plane model slot 3 is the
        // rotation about Z.
        const int label = NANTYP == 2 && d.dof == 3 ? 6 : d.dof;
        put(tgt[label - 1]);
        WRREAL(U, 13, 5, d.target);
        if (label <= 3) put(unit, {L(ULEN2)});
    }
    WREOL(U);
    static const fmt::Format tol(R"((5X,"  TOLERANCE (%)  = ",$))");
    static const fmt::Format its(R"((5X,"  ITERATIONS     = ",$))");
    static const fmt::Format disp(R"((/,5X,"* FOUNDATION STIFFNESS DISPLACEMENT LEVELS *",/))");
    static const fmt::Format dhead(R"((5X,"  NL       DISP. LEVEL"))");
    put(tol);
    WRREAL(U, 12, 4, d.tolerance);
    WREOL(U);
    put(its);
    WRINT(U, 5, d.iterations);
    WREOL(U);
    put(disp);
    put(dhead);
    echo_level_rows(i, d.nlev);
}

void echo_case(int i) {
    echo_case_heading(i);
    if (NCLOAD(i) > 0) echo_concentrated(i);
    if (LCPOD(i) > 0) echo_point_of_definition(i);
    if (NDLINE(i) > 0) echo_distributed_lines(i);
    KCASE = LCKIND(i, 2);
    if (KCASE <= 0)
        NPTIN = NSTLEV(i);
    else
        echo_stiffness(i);
    load_case_controls(i);
    echo_controls(false);
}

// ---------------------------------------------------------------------------
// Combinations.

void echo_combination(int j) {
    static const fmt::Format head(R"((/,5X,"LOAD COMB. : ",I5,/,5X,"COMB. NAME : ",A80))");
    static const fmt::Format skip(R"((5X,"NOTE: LOAD COMB. WILL NOT BE ANALYZED"))");
    static const fmt::Format rf(R"((5X,"BENDING RF : ",1P,G12.5,/,5X,"SHEAR RF   : ",1P,G12.5,/))");
    static const fmt::Format chead(R"((5X,"  NL     LOAD NUMBER         LOAD NAME","                  LOAD FACTOR"))");
    static const fmt::Format entry("(5X,I4,I10,10X,A26,5X,$)");
    put(head, {j, LBNAME(j).view()});
    if (LBFLG(j, 2) == 1) put(skip);
    put(rf, {LBRF(j, 1), LBRF(j, 2)});
    if (NLBCAS(j) > 0) {
        put(chead);
        for (int m = 1; m <= NLBCAS(j); ++m) {
            // The reader admits only cases of the file; a number outside
            // them names no case and prints no name.
            const int c = LBCASE(j, m);
            const std::string_view name = c >= 1 && c <= NLCASE ? LCNAME(c).view().substr(0, 26) : std::string_view();
            put(entry, {m, c, name});
            WRREAL(U, 12, 5, LBFACT(j, m));
            WREOL(U);
        }
    }
    load_comb_controls(j);
    echo_controls(true);
}

void echo_dl_sets() {
    static const fmt::Format title(R"((/,/,/,5X,"** SETS OF DISTRIBUTED LOAD **",/))");
    static const fmt::Format count(R"((/,5X,"NUMBER OF SETS :",I5))");
    static const fmt::Format set(R"((/,5X,"DIST. LOAD SET : ",I5))");
    static const fmt::Format head(R"((5X,"  NL           DEPTH         LOAD "))");
    static const fmt::Format units(R"~((5X,15X,"(",A2,")",10X,"(",A3,")"))~");
    put(title);
    put(count, {NDLSET});
    for (int s = 1; s <= NDLSET; ++s) {
        // A stop read here ends the echo after Table C (ECHOINP).
        int stop = 0;
        if (ECHOSTOP("TABLE C, DISTRIBUTED LOAD SET ", s, NDLSET, stop)) return;
        put(set, {s});
        if (NDLPT(s) <= 0) continue;
        put(head);
        put(units, {L(UBLEN2), L(UFOR3)});
        for (int m = 1; m <= NDLPT(s); ++m) {
            WRBLNK(U, 5);
            WRINT(U, 4, m);
            WRBLNK(U, 4);
            WRREAL(U, 12, 4, UCD12(DLDEP(s, m)));
            WRBLNK(U, 2);
            WRREAL(U, 12, 4, DLVAL(s, m));
            WREOL(U);
        }
    }
}

}  // namespace

std::string LTYPNM(int code, int len) {
    static constexpr std::array<std::string_view, 12> names = {
        "Dead, DL",   "Live, LL", "Seismic, EQ",   "Impact, IM", "Wind, WN", "Water, WT",
        "Ice, IC",    "Soils, Hsl", "Roof Live, Lr", "Rain, Rn", "Snow, Sn", "Temperature, Tm",
    };
    const std::string_view name = code >= 0 && code < static_cast<int>(names.size())
                                      ? names[static_cast<std::size_t>(code)]
                                      : std::string_view("Special, Sp");
    std::string out(name.substr(0, static_cast<std::size_t>(len > 0 ? len : 0)));
    if (len > static_cast<int>(out.size())) out.append(static_cast<std::size_t>(len) - out.size(), ' ');
    return out;
}

// Opening block: the title and the options of the run.
void INPINFO() {
    static const fmt::Format open("(/,/)");
    static const fmt::Format banner(R"((/,/,/,16X,"*****",5X,"INPUT INFORMATION",5X,"*****"))");
    static const fmt::Format title("(/,/,5X,20A4)");
    static const fmt::Format type(R"((/,5X,"ANALYSIS TYPE = ",I1,"D ANALYSIS",5X))");
    static const fmt::Format batter(R"((/,5X,"ADJUST DEPTH FOR BATTER PILES"))");
    static const fmt::Format gen(R"((/,5X,"GENERATE LOAD-DISP (AND T-R) CURVES BASED ON"," SOIL PROFILE"))");
    static const fmt::Format extrap(R"((/,5X,"EXTEND INTERPOLATION FOR L-DP (AND T-R) CURVES"))");
    static const fmt::Format units(R"((/,5X,"UNITS SYSTEM  = ",A4))");
    put(open);
    put(banner);
    std::vector<fmt::Item> pieces;
    for (int k = 0; k < 20; ++k) pieces.emplace_back(TITLE.view().substr(4 * k, 4));
    io::write_fmt(U, title, pieces);
    put(type, {NANTYP});
    if (KBATAD == 1) put(batter);
    if (KGENLS == 1) put(gen);
    if (KEXTRP == 1) put(extrap);
    // Unit systems other than the three behave as the open system.
    put(units, {NUNITS == 1 ? "ENGL" : NUNITS == 2 ? "METR" : "OPEN"});
}

// Table B, pile cap options, then the effective width of the cap: the
// diagonal of its plan in the three-dimensional model, or its equivalent
// diameter when the embedded cap is given one.
void TABLEB() {
    if (KCAPOP > 0 || CAPLEN + CAPWID + CAPTHK > CAPEPS) {
        static const fmt::Format title(R"((/,/,/,5X,"* TABLE B *  PILE CAP OPTIONS"))");
        static const fmt::Format dims(R"((/,5X,"LENGTH,YY    ( ",A2," ) = ",1P,G12.4,"   ",/,)"
                                      R"(5X,"WIDTH, ZZ    ( ",A2," ) = ",G12.4,"   ",/,)"
                                      R"(5X,"THICKNESS,XX ( ",A2," ) = ",G12.4))");
        static const fmt::Format deq(R"((5X,"EQ. DIAMETER ( ",A2," ) = ",1P,G12.4))");
        static const fmt::Format embedded(R"((/,5X,"* PILE CAP IS EMBEDDED AND PASSIVE EARTH",/,)"
                                          R"(5X,"  RESISTANCE IN FRONT OF PILE CAP WILL ","BE CONSIDERED",/))");
        static const fmt::Format ignored(R"((/,5X,"* PILE CAP DIMENSIONS ARE NOT CONSIDERED",/,)"
                                         R"(5X,"  FOR THE PILE GROUP ANALYSIS ",/))");
        static const fmt::Format eqload(R"((5X,"- USING EQUIVALENT LATERAL LOAD"))");
        static const fmt::Format eqspring(R"((5X,"- USING EQUIVALENT LATERAL SPRING"))");
        static const fmt::Format incs(R"((5X,"  INCREMENTS = ",I5))");
        static const fmt::Format nopass(R"((5X,"** WARNING **  ","THE EQUIVALENT LATERAL LOAD OF THE CAP IS ONLY",)"
                                        R"(" COMPUTED",/,5X,15X,"WITH PILE CAP OPTION 1: NO PASSIVE RESISTANCE",)"
                                        R"(" OF THE CAP WILL BE ADDED"))");
        static const fmt::Format soil(R"((5X,"- USE SOIL MODEL FROM SOIL DATA"))");
        static const fmt::Format fhd(R"((5X,"- USE FHD MODEL BASED ON SOIL ","PARAMETERS"))");
        static const fmt::Format fhdpar(R"((5X,"- USE FHD MODEL, PARAMETERS:    "))");
        static const fmt::Format pars(R"((5X,"  K50    (",A3,"/",A2,"/",A2,") = ",1P,G12.4,"   ",/,)"
                                      R"(5X,"  F ULT  (",A3,"/",A2,")    = ",G12.4,"   ",/,)"
                                      R"(5X,"  Y MAX  (",A2,")        = ",G12.4))");
        put(title);
        put(dims, {L(UBLEN2), UCD12(CAPLEN), L(UBLEN2), UCD12(CAPWID), L(UBLEN2), UCD12(CAPTHK)});
        if (CAPDEQ > 0.0) put(deq, {L(UBLEN2), UCD12(CAPDEQ)});
        put(KCAPOP > 0 ? embedded : ignored);
        if (KCAPOP == 2) {
            if (KCAPLD == 0) {
                put(eqload);
                // The cap pass of the p-y curves gives the pressure only with option 1.
                put(nopass);
            } else {
                put(eqspring);
                put(incs, {NCAPINC});
            }
            if (KCAPSM == 0) {
                put(soil);
            } else if (KCAPSM == 1) {
                put(fhd);
            } else {
                put(fhdpar);
                put(pars, {L(UFOR3), L(ULEN2), L(ULEN2), CAPK50, L(UFOR3), L(ULEN2), CAPFULT, L(ULEN2), CAPYMAX});
            }
        }
    }
    // Effective width, the plan width kept.
    CAPWPL = CAPWID;
    if (NANTYP != 2) CAPWID = std::sqrt(CAPLEN * CAPLEN + CAPWID * CAPWID);
    if (KCAPOP > 0 && CAPDEQ > 0.0) CAPWID = CAPDEQ;
}

// Table C: load cases, the envelopes of the cases, combinations, the
// envelopes of the combinations, and the distributed-load sets.
void TABLEC() {
    static const fmt::Format title(R"((/,/,/,5X,"* TABLE C *  LOAD AND CONTROL PARAMETERS"))");
    static const fmt::Format cases(R"((/,/,5X,"** LOAD CASES **",/))");
    static const fmt::Format ncases(R"((/,5X,"NUMBER OF LOAD CASES :",I5))");
    static const fmt::Format env_cases(R"((/,/,5X,"** LOAD CASES ENVELOPES **",/))");
    static const fmt::Format combs(R"((/,/,/,5X,"** LOAD COMBINATIONS **",/))");
    static const fmt::Format ncombs(R"((/,5X,"NUMBER OF LOAD COMB. :",I5))");
    static const fmt::Format env_combs(R"((/,/,5X,"** LOAD COMBINATION ENVELOPES **",/))");
    put(title);
    if (NLCASE > 0) {
        put(cases);
        put(ncases, {NLCASE});
    }
    for (int i = 1; i <= NLCASE; ++i) echo_case(i);
    if (KENVLC > 0) {
        put(env_cases);
        KPRINT = KPRTEC;
        NPRINC = NPRTEC;
        echo_print_level(true);
    }
    if (NLCOMB > 0) {
        put(combs);
        put(ncombs, {NLCOMB});
    }
    for (int j = 1; j <= NLCOMB; ++j) echo_combination(j);
    if (KENVLB > 0) {
        put(env_combs);
        KPRINT = KPRTEB;
        NPRINC = NPRTEB;
        echo_print_level(true);
    }
    if (NDLSET > 0) echo_dl_sets();
}

}  // namespace zolan
