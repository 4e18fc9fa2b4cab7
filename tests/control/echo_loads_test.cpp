// Opening block, Table B and Table C of the input echo, the load-type names
// and the reading of the foundation-stiffness data of a case.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "control/control.h"
#include "control/input_echo.h"
#include "control/stiffness_levels.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "support/names_file.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
std::string pad(std::string s, int n) {
    s.resize(static_cast<std::size_t>(n), ' ');
    return s;
}
std::string join(const Lines& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}
void append(Lines& to, const Lines& more) { to.insert(to.end(), more.begin(), more.end()); }

// Model tables cleared, the unit system and model chosen, and the echo file
// open in a fresh folder; text() closes it and gives what was written.
class EchoRun {
public:
    EchoRun(int nunits, int nantyp) {
        RESETRUN();
        NUNITS = nunits;
        UNITLB(unit_label_sel(nunits));
        NANTYP = nantyp;
        EXPECT_TRUE(io::open_unit(ECHOFILE, "echo.txt", {io::Access::Write}));
    }
    std::string text() {
        io::close_unit(ECHOFILE);
        return test::read_file("echo.txt");
    }

private:
    test::TempDir dir_;
};

// Case heading lines: number, name, load type and a scale factor of 1.0 in
// WRREAL(12,4) (fixed, four decimals).
Lines case_heading(int i, const std::string& name, const std::string& type) {
    return {"", "", "     LOAD CASE    :     " + std::to_string(i), "     CASE NAME    : " + pad(name, 80),
            "     LOAD TYPE    : " + pad(type, 32), "     SCALE FACTOR :       1.0000 "};
}

// Tolerance block without the alternative tolerances for 1e-5, 1e-5 (G12.5
// in exponent form below 0.1), limits 100 and 200, increments 0.25 (F8.5 and
// four blanks) and 0.01.
Lines control_parameters(const std::string& ulen) {
    return {"",
            "",
            "     * CONTROL PARAMETERS *",
            "         TOLERANCE ON CONVERGENCE OF PILE CAP MOVEMENT   " + blanks(4) + " = " + " 1.00000E-05",
            "         TOLERANCE ON DETERMINATION OF PILE DEFLECTIONS  " + blanks(4) + " = " + " 1.00000E-05" + ulen,
            "         MAX NO OF ITERATIONS ALLOWED FOR FOUNDATION ANALYSIS =      100",
            "         MAXIMUM NO OF ITERATIONS ALLOWED FOR PILE ANALYSIS   =      200",
            "         FACTOR TO APPLY THE LOAD IN INCREMENTS" + blanks(14) + " = " + " 0.25000    ",
            "         MINIMUM FACTOR FOR LOAD INCREMENTS    " + blanks(14) + " = " + " 1.00000E-02"};
}

// Solution controls of case i as control_parameters() prints them, loading
// of type `loadtyp`, printing at the cap only.
void plain_controls(int i, int loadtyp) {
    LCOPT(i, 4) = loadtyp;
    LCOPT(i, 6) = 100;
    LCOPT(i, 7) = 200;
    LCTOL(i, 1) = 1e-5;
    LCTOL(i, 2) = 1e-5;
    LCTOL(i, 3) = 0.25;
    LCTOL(i, 4) = 0.01;
}
const Lines static_loading = {"", "", "     * THE LOADING IS STATIC *"};
const Lines print_cap_only = {"         PRINT RESULTS ONLY AT PILE CAP"};

// ---------------------------------------------------------------------------

// Load-type names: the table's twelve codes, and "Special, Sp" for any other.
TEST(EchoLoads, LoadTypeNames) {
    struct Case {
        int code, len;
        const char* name;
    };
    const Case cases[] = {
        {0, 32, "Dead, DL"},         {1, 32, "Live, LL"},       {2, 32, "Seismic, EQ"},
        {3, 32, "Impact, IM"},       {4, 32, "Wind, WN"},       {5, 32, "Water, WT"},
        {6, 32, "Ice, IC"},          {7, 32, "Soils, Hsl"},     {8, 32, "Roof Live, Lr"},
        {9, 32, "Rain, Rn"},         {10, 32, "Snow, Sn"},      {11, 32, "Temperature, Tm"},
        {12, 32, "Special, Sp"},     {-1, 32, "Special, Sp"},   {INT_MAX, 32, "Special, Sp"},
        {INT_MIN, 32, "Special, Sp"}, {11, 5, "Tempe"},          {0, 0, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(LTYPNM(c.code, c.len), pad(c.name, c.len)) << "code " << c.code;
}

// The opening block: title, model, options and the unit-system word.
TEST(EchoLoads, OpeningBlock) {
    {
        EchoRun run(2, 3);
        TITLE.set("TWO PILES UNDER A CAP");
        KBATAD = 1;
        KGENLS = 1;
        KEXTRP = 1;
        INPINFO();
        const Lines want = {"",
                            "",
                            "",
                            "",
                            "",
                            "",
                            blanks(16) + "*****     INPUT INFORMATION     *****",
                            "",
                            "",
                            "     " + pad("TWO PILES UNDER A CAP", 80),
                            "",
                            "     ANALYSIS TYPE = 3D ANALYSIS",
                            "",
                            "     ADJUST DEPTH FOR BATTER PILES",
                            "",
                            "     GENERATE LOAD-DISP (AND T-R) CURVES BASED ON SOIL PROFILE",
                            "",
                            "     EXTEND INTERPOLATION FOR L-DP (AND T-R) CURVES",
                            "",
                            "     UNITS SYSTEM  = METR"};
        EXPECT_EQ(run.text(), join(want));
    }
    // Without the options; a unit system other than the three is the open one.
    struct Case {
        int nunits, nantyp;
        const char* word;
    };
    for (const Case& c : {Case{1, 2, "ENGL"}, Case{3, 3, "OPEN"}, Case{0, 3, "OPEN"}, Case{7, 3, "OPEN"}}) {
        EchoRun run(c.nunits, c.nantyp);
        INPINFO();
        const std::string text = run.text();
        EXPECT_NE(text.find("\n     ANALYSIS TYPE = " + std::to_string(c.nantyp) + "D ANALYSIS\n\n     UNITS SYSTEM  = " +
                            c.word + "\n"),
                  std::string::npos)
            << text;
        EXPECT_EQ(text.find("ADJUST"), std::string::npos);
    }
}

// Table B of an embedded cap with its soil-model parameters (English units:
// lengths in inches printed in feet through UCD12).
TEST(EchoLoads, PileCapTable) {
    EchoRun run(1, 3);
    KCAPOP = 2;
    CAPLEN = 120.0;   // 10 ft
    CAPWID = 240.0;   // 20 ft
    CAPTHK = 48.0;    // 4 ft
    CAPDEQ = 180.0;   // 15 ft
    KCAPLD = 1;
    NCAPINC = 10;
    KCAPSM = 2;
    CAPK50 = 250.0;
    CAPFULT = 1500.0;
    CAPYMAX = 0.5;
    TABLEB();
    // 1P,G12.4: 10 -> F8.2 and four blanks; 4 -> F8.3; 250 -> F8.1; 1500 -> F8.0; 0.5 -> F8.4.
    const Lines want = {"",
                        "",
                        "",
                        "     * TABLE B *  PILE CAP OPTIONS",
                        "",
                        "     LENGTH,YY    ( FT ) =    10.00       ",
                        "     WIDTH, ZZ    ( FT ) =    20.00       ",
                        "     THICKNESS,XX ( FT ) =    4.000    ",
                        "     EQ. DIAMETER ( FT ) =    15.00    ",
                        "",
                        "     * PILE CAP IS EMBEDDED AND PASSIVE EARTH",
                        "       RESISTANCE IN FRONT OF PILE CAP WILL BE CONSIDERED",
                        "",
                        "     - USING EQUIVALENT LATERAL SPRING",
                        "       INCREMENTS =    10",
                        "     - USE FHD MODEL, PARAMETERS:    ",
                        "       K50    (LBS/IN/IN) =    250.0       ",
                        "       F ULT  (LBS/IN)    =    1500.       ",
                        "       Y MAX  (IN)        =   0.5000    "};
    EXPECT_EQ(run.text(), join(want));
    EXPECT_DOUBLE_EQ(CAPWID, 180.0);
}

// An embedded cap of option 2 on the equivalent lateral load: the echo warns
// that no passive resistance is added (only option 1 gives the pressure).
TEST(EchoLoads, PileCapEquivalentLoadWarning) {
    EchoRun run(1, 3);
    KCAPOP = 2;
    CAPLEN = CAPWID = CAPTHK = 120.0;
    KCAPLD = 0;
    KCAPSM = 0;
    TABLEB();
    const std::string want = join({"     - USING EQUIVALENT LATERAL LOAD",
                                   "     ** WARNING **  THE EQUIVALENT LATERAL LOAD OF THE CAP IS ONLY COMPUTED",
                                   "                    WITH PILE CAP OPTION 1: NO PASSIVE RESISTANCE OF THE CAP WILL "
                                   "BE ADDED",
                                   "     - USE SOIL MODEL FROM SOIL DATA"});
    EXPECT_NE(run.text().find(want), std::string::npos) << run.text();
}

// Whether Table B prints, its note and the effective cap width by model and options.
TEST(EchoLoads, EffectiveCapWidth) {
    struct Case {
        int nantyp, kcapop;
        double len, wid, thk, deq;
        const char* note;  // nullptr: no Table B
        double width;
    };
    const double diag = std::sqrt(120.0 * 120.0 + 240.0 * 240.0);  // 268.328 in = 22.3607 ft
    const Case cases[] = {
        {3, 0, 120, 240, 0, 0, "NOT CONSIDERED", diag},
        {3, 0, 120, 240, 48, 180, "NOT CONSIDERED", diag},  // the diameter counts only for a cap in use
        {3, 1, 120, 240, 48, 180, "EMBEDDED", 180},
        {3, 1, 120, 240, 48, 0, "EMBEDDED", diag},
        {3, 0, 0, 0, 0, 0, nullptr, 0},
        {3, -1, 0, 0, 1e-11, 0, nullptr, 0},                   // below the single-precision 1e-10
        {2, 1, 120, 240, 48, 0, "EMBEDDED", 240},              // the plane model keeps the width
        {2, 1, 120, 240, 48, 180, "EMBEDDED", 180},
        {2, 1, 0, 0, 0, 0, "EMBEDDED", 0},                     // a cap in use prints even at zero size
        {2, 0, 120, 240, 48, 180, "NOT CONSIDERED", 240},
    };
    for (const Case& c : cases) {
        EchoRun run(1, c.nantyp);
        KCAPOP = c.kcapop;
        CAPLEN = c.len;
        CAPWID = c.wid;
        CAPTHK = c.thk;
        CAPDEQ = c.deq;
        TABLEB();
        const std::string text = run.text();
        const std::string what = "model " + std::to_string(c.nantyp) + ", KCAPOP " + std::to_string(c.kcapop) +
                                 ", cap " + std::to_string(c.len) + " x " + std::to_string(c.wid);
        if (c.note) {
            EXPECT_NE(text.find("* TABLE B *"), std::string::npos) << what;
            EXPECT_NE(text.find(c.note), std::string::npos) << what;
        } else {
            EXPECT_EQ(text, "") << what;
        }
        EXPECT_NEAR(CAPWID, c.width, 1e-9) << what;
    }
}

// A three-dimensional Table C: a skipped case with a point load, a global
// distributed-load line, cyclic loading and every control option; the case
// envelopes; a skipped combination naming the case twice with the
// alternative tolerances; the combination envelopes; one distributed-load set.
TEST(EchoLoads, ThreeDimensionalLoadTable) {
    EchoRun run(1, 3);
    NLCASE = 1;
    KENVLC = 1;
    KPRTEC = 1;
    LCNAME(1).set("WIND");
    LCKIND(1, 1) = 4;
    LCKIND(1, 7) = 1;
    LCSCAL(1) = 1.5;
    LCSKIP(1) = 1;
    // FX = 100 and MX = 50 at X = 0, Y = 24 in, Z = 36 in (input slots 1 and 6).
    NCLOAD(1) = 1;
    CLOAD(1, 1, 1) = 100.0;
    CLOAD(1, 1, 6) = 50.0;
    CLOAD(1, 1, 8) = 24.0;
    CLOAD(1, 1, 9) = 36.0;
    // Line 1: global axes, piles 1 to 4 by 1, set 1 along Y times 2.5, no set along Z.
    NDLINE(1) = 1;
    const int line[7] = {1, 1, 1, 4, 1, 1, 0};
    for (int t = 1; t <= 7; ++t) DLLINE(1, 1, t) = line[t - 1];
    DLFY(1, 1) = 2.5;
    plain_controls(1, 0);
    LCOPT(1, 5) = 20;
    LCPRT(1) = 2;
    LCPINC(1) = 5;
    LCAXV(1) = 1;
    LCEIPR(1) = 1;

    NLCOMB = 1;
    KENVLB = 1;
    KPRTEB = 0;
    LBNAME(1).set("TWICE THE WIND");
    LBFLG(1, 2) = 1;
    LBRF(1, 1) = 0.8;
    LBRF(1, 2) = 1.0;
    NLBCAS(1) = 2;
    LBCASE(1, 1) = 1;
    LBFACT(1, 1) = 1.0;
    LBCASE(1, 2) = 1;
    LBFACT(1, 2) = 2.0;
    LBOPT(1, 4) = 1;
    LBOPT(1, 6) = 50;
    LBOPT(1, 7) = 60;
    LBTOL(1, 1) = 1e-3;
    LBTOL(1, 2) = 1e-4;
    LBTOL(1, 3) = 1.0;
    LBTOL(1, 4) = 0.2;
    LBOPT2(1, 1) = 2;
    LBOPT2(1, 2) = 10;
    LBOPT2(1, 3) = 1;
    LBALT(1, 1) = 0.5;
    LBALT(1, 2) = 0.01;

    NDLSET = 1;
    NDLPT(1) = 2;
    DLDEP(1, 1) = 0.0;
    DLVAL(1, 1) = 10.0;
    DLDEP(1, 2) = 120.0;  // 10 ft
    DLVAL(1, 2) = 20.5;

    TABLEC();

    Lines want = {"", "", "", "     * TABLE C *  LOAD AND CONTROL PARAMETERS", "", "", "     ** LOAD CASES **", "", "",
                  "     NUMBER OF LOAD CASES :    1"};
    append(want, {"", "", "     LOAD CASE    :     1", "     CASE NAME    : " + pad("WIND", 80),
                  "     LOAD TYPE    : " + pad("Wind, WN", 32), "     SCALE FACTOR :       1.5000 ",
                  "     NOTE: LOAD CASE WILL NOT BE ANALYZED"});
    // WRREAL(10,2): exponent form at or below 10 and from 100 on, so 100 and
    // the coordinates 2 ft and 3 ft are in exponent form, 50 is F10.1 and
    // zero is 0.00.
    append(want, {"", "     * CONCENTRATED LOADS *", "",
                  "    NL  VERT.LOAD HR.LOAD Y HR.LOAD Z  MOMENT X  MOMENT Y  MOMENT Z   COORD X   COORD Y   COORD Z",
                  blanks(11) + "LBS" + blanks(7) + "LBS" + blanks(7) + "LBS" + blanks(6) + "LBS-IN" + blanks(4) +
                      "LBS-IN" + blanks(4) + "LBS-IN" + blanks(6) + "FT" + blanks(8) + "FT" + blanks(8) + "FT",
                  "     1   1.00E+02      0.00      0.00      50.0      0.00      0.00      0.00  2.00E+00  3.00E+00 "});
    // Equivalent load times 1.5: FX 150; MX 50 -> 75; MY = Z FX = 3600 -> 5400;
    // MZ = -Y FX = -2400 -> -3600; WRREAL(18,5) keeps six significant digits.
    append(want, {"", "", "     * EQUIVALENT CONCENTRATED LOAD AT ORIGIN *", "",
                  blanks(11) + " VER.LOAD X,LBS     HOR.LOAD Y,LBS     HOR.LOAD Z,LBS",
                  blanks(8) + blanks(11) + "150.000" + blanks(11) + "0.00000" + blanks(11) + "0.00000 ", "",
                  blanks(11) + " MOMENT X,LBS-IN    MOMENT Y,LBS-IN    MOMENT Z,LBS-IN",
                  blanks(8) + blanks(11) + "75.0000" + blanks(11) + "5400.00" + blanks(10) + "-3600.00 "});
    // The open row leaves off its closing blanks; WRREAL(14,4) of 2.5 is 2.5000.
    append(want, {"", "     * DISTRIBUTED LOADS *", "",
                  "       NL    AXIS    INI_PILE  END_PILE  INC_PILE    SET_Y    FACTOR_Y     SET_Z    FACTOR_Z",
                  "        1   GLOBAL       1         4         1" + blanks(2) + "       1" + "        2.5000" +
                      "       0" + "        0.0000 ",
                  "",
                  "     NOTE: FOR GLOBAL LOADING, AXIAL COMPONENT IS CONSIDERED AS CONCENTRATED LOAD AT PILE HEAD"});
    append(want, {"", "", "     * THE LOADING IS CYCLIC *", "", "     NO. OF CYCLES =       20."});
    append(want, control_parameters(" IN"));
    append(want, {"         INCLUDE VARIATION OF AXIAL LOAD AT PILES", "         * NOT FOR USER DEFINED LOAD SETTL. CURVE",
                  "         USE EI FROM PREVIOUS ITERATION          ",
                  "         PRINT RESULTS AT PILE CAP, PILE HEADS AND ALONG PILES",
                  "         PRINT RESULTS EVERY     5 NODE(S)"});
    append(want, {"", "", "     ** LOAD CASES ENVELOPES **", "", "         PRINT RESULTS AT PILE CAP AND PILE HEADS"});
    // Combination: 1P,G12.5 of 0.8 is F8.5 and four blanks, of 1.0 F8.4.
    append(want, {"", "", "", "     ** LOAD COMBINATIONS **", "", "", "     NUMBER OF LOAD COMB. :    1", "",
                  "     LOAD COMB. :     1", "     COMB. NAME : " + pad("TWICE THE WIND", 80),
                  "     NOTE: LOAD COMB. WILL NOT BE ANALYZED", "     BENDING RF :  0.80000    ",
                  "     SHEAR RF   :   1.0000    ", "",
                  "       NL     LOAD NUMBER         LOAD NAME                  LOAD FACTOR",
                  "        1         1" + blanks(10) + pad("WIND", 26) + "     1.00000 ",
                  "        2         1" + blanks(10) + pad("WIND", 26) + "     2.00000 "});
    append(want, static_loading);
    append(want, {"",
                  "",
                  "     * CONTROL PARAMETERS *",
                  "         TOLERANCE ON CONVERGENCE OF PILE CAP MOVEMENT   " + blanks(4) + " = " + " 1.00000E-03",
                  "         ALTER. TOLERANCE CONVERGENCE PILE CAP DEFLECTION" + blanks(4) + " = " + " 0.50000    " + " IN",
                  "         ALTER. TOLERANCE CONVERGENCE PILE CAP ROTATION  " + blanks(4) + " = " + " 1.00000E-02",
                  "         TOLERANCE ON DETERMINATION OF PILE DEFLECTIONS  " + blanks(4) + " = " + " 1.00000E-04" + " IN",
                  "         MAX NO OF ITERATIONS ALLOWED FOR FOUNDATION ANALYSIS =       50",
                  "         MAXIMUM NO OF ITERATIONS ALLOWED FOR PILE ANALYSIS   =       60",
                  "         FACTOR TO APPLY THE LOAD IN INCREMENTS" + blanks(14) + " = " + "  1.0000    ",
                  "         MINIMUM FACTOR FOR LOAD INCREMENTS    " + blanks(14) + " = " + " 0.20000    ",
                  "         PRINT RESULTS AT PILE CAP, PILE HEADS AND ALONG PILES",
                  "         PRINT RESULTS EVERY    10NODE(S)"});
    append(want, {"", "", "     ** LOAD COMBINATION ENVELOPES **", "", "         PRINT RESULTS ONLY AT PILE CAP"});
    // Set: depths 0 and 10 ft, loads 10 and 20.5 in WRREAL(12,4).
    append(want, {"", "", "", "     ** SETS OF DISTRIBUTED LOAD **", "", "", "     NUMBER OF SETS :    1", "",
                  "     DIST. LOAD SET :     1", "       NL           DEPTH         LOAD ",
                  blanks(20) + "(FT)" + blanks(10) + "(LBS)",
                  "        1          0.0000        10.000 ",
                  "        2          10.000        20.500 "});
    EXPECT_EQ(run.text(), join(want));

    // The block holds the last item echoed: the combination's controls; the
    // case kind stays the last case's.
    EXPECT_EQ(KPRINT, 0);  // the combination envelopes' print level
    EXPECT_EQ(MAXITC, 50);
    EXPECT_EQ(KABSTL, 1);
    EXPECT_DOUBLE_EQ(TOLDSP, 0.5);
    EXPECT_EQ(KCASE, 0);
}

// A plane case in SI units with a point load and values at a point of
// definition: the loads print, their equivalent load is zero, then one line
// per degree of freedom and the point.
TEST(EchoLoads, PlaneCaseAtPointOfDefinition) {
    EchoRun run(2, 2);
    NLCASE = 1;
    LCNAME(1).set("POINT");
    LCKIND(1, 1) = 12;
    LCSCAL(1) = 1.0;
    // FX = 10, FY = 4, MZ = 7 at X = 2 m, Y = 3 m.
    NCLOAD(1) = 1;
    const double load[9] = {10, 4, 7, 0, 0, 0, 2, 3, 0};
    for (int t = 1; t <= 9; ++t) CLOAD(1, 1, t) = load[t - 1];
    // Vertical load 500, horizontal displacement 0.02 m, moment 30 at (1.5, -2).
    LCPOD(1) = 1;
    PODFLG(1, 1) = 1;
    PODFLG(1, 2) = 0;
    PODFLG(1, 3) = 1;
    const double vals[6] = {0.9, 500, 0.02, 99, 0.9, 30};
    for (int k = 1; k <= 6; ++k) PODVAL(1, k) = vals[k - 1];
    PODXYZ(1, 1) = 1.5;
    PODXYZ(1, 2) = -2.0;
    plain_controls(1, 2);  // a loading type other than 0 and 1 prints neither line

    TABLEC();

    Lines want = {"", "", "", "     * TABLE C *  LOAD AND CONTROL PARAMETERS", "", "", "     ** LOAD CASES **", "", "",
                  "     NUMBER OF LOAD CASES :    1"};
    append(want, case_heading(1, "POINT", "Special, Sp"));
    append(want, {"", "     * CONCENTRATED LOADS *", "",
                  "       NL     VERT.LOAD     HOR.LOAD      MOMENT      COORD X      COORD Y",
                  blanks(17) + " KN" + blanks(10) + " KN" + blanks(9) + " KN- M" + blanks(10) + " M" + blanks(10) + " M",
                  "        1       10.0000      4.00000      7.00000      2.00000      3.00000 "});
    append(want, {"", "", "     * EQUIVALENT CONCENTRATED LOAD AT ORIGIN *", "",
                  blanks(13) + " VER.LOAD X, KN    HOR.LOAD Y, KN    MOMENT, KN- M",
                  blanks(8) + blanks(11) + "0.00000" + blanks(11) + "0.00000" + blanks(11) + "0.00000 "});
    // 0.02 in WRREAL(13,5): integer part of log10 is -1, less one: F13.7.
    append(want, {"", "     * SPECIFIED DISPLACEMENTS/LOADS *", "",
                  "     - DOF 1 ,      VERT. LOAD, KN" + blanks(5) + "      500.000 ",
                  "     - DOF 2 ,      HOR. DISP.,  M" + blanks(5) + "    0.0200000 ",
                  "     - DOF 3 ,       MOMENT Z,  KN- M" + blanks(2) + "      30.0000 ",
                  "     - LOCATION       COORD. X,  M" + blanks(5) + "      1.50000 ",
                  "     - LOCATION       COORD. Y,  M" + blanks(5) + "     -2.00000 "});
    append(want, control_parameters("  M"));
    append(want, print_cap_only);
    EXPECT_EQ(run.text(), join(want));
}

// The six degrees of freedom of a three-dimensional point of definition in
// cap order, from the input slots X, Y, rotation Z, Z, rotation Y, rotation X.
TEST(EchoLoads, ThreeDimensionalPointOfDefinition) {
    EchoRun run(1, 3);
    NLCASE = 1;
    LCNAME(1).set("DOFS");
    LCSCAL(1) = 1.0;
    LCPOD(1) = 1;
    // Slot k holds displacement 0.1 k and load 100 k; loads on slots 1, 3, 4.
    const int flags[6] = {1, 0, 1, 1, 0, 0};
    for (int k = 1; k <= 6; ++k) {
        PODFLG(1, k) = flags[k - 1];
        PODVAL(1, 2 * k - 1) = 0.1 * k;
        PODVAL(1, 2 * k) = 100.0 * k;
    }
    PODXYZ(1, 1) = 12.0;
    PODXYZ(1, 2) = 24.0;
    PODXYZ(1, 3) = -36.0;
    plain_controls(1, 1);
    TABLEC();
    Lines want = {"", "", "", "     * TABLE C *  LOAD AND CONTROL PARAMETERS", "", "", "     ** LOAD CASES **", "", "",
                  "     NUMBER OF LOAD CASES :    1"};
    append(want, case_heading(1, "DOFS", "Dead, DL"));
    append(want, {"", "     * SPECIFIED DISPLACEMENTS/LOADS *", "",
                  "     - DOF 1 ,      VERT. LOAD,LBS" + blanks(5) + "      100.000 ",  // slot 1 load
                  "     - DOF 2 ,      HOR.DISP Y, IN" + blanks(5) + "      0.20000 ",  // slot 2 displacement
                  "     - DOF 3 ,      HOR.LOAD Z,LBS" + blanks(5) + "      400.000 ",  // slot 4 load
                  "     - DOF 4 ,      ROTATION X,RAD" + blanks(5) + "      0.60000 ",  // slot 6 rotation
                  "     - DOF 5 ,      ROTATION Y,RAD" + blanks(5) + "      0.50000 ",  // slot 5 rotation
                  "     - DOF 6 ,        MOMENT Z,LBS-IN" + blanks(2) + "      300.000 ",  // slot 3 moment
                  "     - LOCATION       COORD. X, FT" + blanks(5) + "      1.00000 ",
                  "     - LOCATION       COORD. Y, FT" + blanks(5) + "      2.00000 ",
                  "     - LOCATION       COORD. Z, FT" + blanks(5) + "     -3.00000 "});
    append(want, static_loading);
    append(want, control_parameters(" IN"));
    append(want, print_cap_only);
    EXPECT_EQ(run.text(), join(want));
}

// Foundation-stiffness data: ten default levels for a case that gives none,
// a target-deflection block, a total-load block, and a target selector that
// names no degree of freedom.
TEST(EchoLoads, StiffnessData) {
    EchoRun run(1, 3);
    NLCASE = 4;
    for (int i = 1; i <= 4; ++i) {
        LCNAME(i).set("EST " + std::to_string(i));
        LCSCAL(i) = 1.0;
        plain_controls(i, 1);
    }
    LCKIND(1, 2) = 11;
    NSTLEV(1) = 0;
    // Three displacement levels, then: target method, DOF 2, targets of the
    // six DOFs, 5 %, 8.9 iterations (8), axial loads, whole-vector scaling.
    LCKIND(2, 2) = 11;
    const double v2[15] = {0.5, 1.0, 2.0, 1, 2, 0.1, 0.25, 0.3, 0.001, 0.002, 0.003, 5, 8.9, 1, 0};
    NSTLEV(2) = 15;
    for (int k = 1; k <= 15; ++k) STLEV(2, k) = v2[k - 1];
    // One load level of the total applied load, axial loads not considered.
    LCKIND(3, 2) = 12;
    const double v3[13] = {0.7, 0, 1, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0};
    NSTLEV(3) = 13;
    for (int k = 1; k <= 13; ++k) STLEV(3, k) = v3[k - 1];
    // Target selector 9: no target line, the tolerance follows.
    LCKIND(4, 2) = 15;
    const double v4[13] = {1.0, 1, 9, 1, 1, 1, 1, 1, 1, 2, 3, 0, 0};
    NSTLEV(4) = 13;
    for (int k = 1; k <= 13; ++k) STLEV(4, k) = v4[k - 1];

    TABLEC();

    const Lines controls = [] {
        Lines c = static_loading;
        append(c, control_parameters(" IN"));
        append(c, print_cap_only);
        return c;
    }();
    Lines want = {"", "", "", "     * TABLE C *  LOAD AND CONTROL PARAMETERS", "", "", "     ** LOAD CASES **", "", "",
                  "     NUMBER OF LOAD CASES :    4"};
    // Default levels: the single-precision 0.1 lies above 0.1, so the
    // integer part of its log10 is 0 and it prints with five decimals;
    // log10 2 .. log10 10 rounded to five decimals.
    append(want, case_heading(1, "EST 1", "Dead, DL"));
    append(want, {"", "     * DATA FOR FOUNDATION STIFFNESS *", "     COMPUTED FOR EQUIVALENT      CONCENTRATED LOAD AT ORIGIN",
                  "", "", "     * FOUNDATION STIFFNESS LOAD LEVELS *", "", "       NL       LOAD LEVEL"});
    const char* defaults[10] = {"0.10000", "0.30103", "0.47712", "0.60206", "0.69897",
                                "0.77815", "0.84510", "0.90309", "0.95424", "1.00000"};
    for (int m = 1; m <= 10; ++m)
        append(want, {"     " + pad(std::string(m < 10 ? "   " : "  ") + std::to_string(m), 4) + "      " +
                      defaults[m - 1] + " "});
    append(want, controls);

    append(want, case_heading(2, "EST 2", "Dead, DL"));
    append(want, {"", "     * DATA FOR FOUNDATION STIFFNESS *", "", "     - CONSIDER AXIAL LOADS IN PILES", "",
                  "     - BASED ON TARGET DEFLECTION   ", "", "       DISPLACEMENT Y =       0.25000 IN ",
                  "       TOLERANCE (%)  =       5.0000 ", "       ITERATIONS     =     8 ", "",
                  "     * FOUNDATION STIFFNESS DISPLACEMENT LEVELS *", "", "       NL       DISP. LEVEL",
                  "        1      0.50000 ", "        2      1.00000 ", "        3      2.00000 "});
    append(want, controls);

    append(want, case_heading(3, "EST 3", "Dead, DL"));
    append(want, {"", "     * DATA FOR FOUNDATION STIFFNESS *", "", "     - BASED ON TOTAL APPLIED LOAD  ", "",
                  "     * FOUNDATION STIFFNESS LOAD LEVELS *", "", "       NL       LOAD LEVEL", "        1      0.70000 "});
    append(want, controls);

    append(want, case_heading(4, "EST 4", "Dead, DL"));
    append(want, {"", "     * DATA FOR FOUNDATION STIFFNESS *", "", "     - BASED ON TARGET DEFLECTION   ", " ",
                  "       TOLERANCE (%)  =       2.0000 ", "       ITERATIONS     =     3 ", "",
                  "     * FOUNDATION STIFFNESS DISPLACEMENT LEVELS *", "", "       NL       DISP. LEVEL",
                  "        1      1.00000 "});
    append(want, controls);
    EXPECT_EQ(run.text(), join(want));

    // The defaults stay in the input tables for the analysis.
    EXPECT_EQ(NSTLEV(1), 10);
    EXPECT_EQ(STLEV(1, 1), static_cast<double>(0.1f));
    for (int s = 2; s <= 10; ++s) EXPECT_NEAR(STLEV(1, s), std::log10(s), 1e-15) << s;
    EXPECT_EQ(KCASE, 15);
    EXPECT_EQ(NPTIN, 13);
}

// The reading of a case's stiffness values shared by the echo and the
// estimation points.
TEST(EchoLoads, StiffnessDecoder) {
    using K = StiffnessData::Kind;
    struct Case {
        const char* what;
        int nantyp, kind;
        std::vector<double> v;
        K k;
        int nlev;
        bool block;
        int method, sel, dof, target_pos;
        double target, tol;
        int its;
        bool axial, dof_only;
    };
    // Block after n levels: method, selector, six targets, tolerance, iterations, axial, DOF-only.
    auto block = [](std::vector<double> levels, std::vector<double> b) {
        levels.insert(levels.end(), b.begin(), b.end());
        return levels;
    };
    const std::vector<double> targets = {0.11, 0.12, 0.13, 0.14, 0.15, 0.16};
    auto blk = [&](double method, double sel, double tol, double its, double axial, double dofonly) {
        std::vector<double> b = {method, sel};
        b.insert(b.end(), targets.begin(), targets.end());
        b.insert(b.end(), {tol, its, axial, dofonly});
        return b;
    };
    const Case cases[] = {
        {"ordinary case", 3, 0, {0.5, 1.0}, K::None, 0, false, 0, 0, 0, 0, 0, 0, 0, false, false},
        {"flexibility: levels only", 3, 4, {0.5, 1.0}, K::Flexibility, 2, false, 0, 0, 0, 0, 0, 0, 0, false, false},
        {"flexibility: 13 values are 13 levels", 3, 10, block({0.5}, blk(1, 2, 5, 8, 1, 1)), K::Flexibility, 13,
         false, 0, 0, 0, 0, 0, 0, 0, false, false},
        {"stiffness: 11 values are levels", 3, 11, std::vector<double>(11, 0.5), K::Stiffness, 11, false, 0, 0, 0, 0, 0,
         0, 0, false, false},
        {"stiffness: 12 values are levels", 3, 11, block({}, blk(1, 2, 5, 8, 1, 1)), K::Stiffness, 12, false, 0, 0, 0,
         0, 0, 0, 0, false, false},
        {"target on Z", 3, 11, block({0.5, 1.0}, blk(1, 3, 5, 8.9, 1, 0)), K::Stiffness, 2, true, 1, 3, 3, 2 + 5, 0.13,
         5, 8, true, false},
        {"target on rotation Y, DOF only", 3, 20, block({1.0}, blk(1, 5, 2, 3, 0, 1)), K::Stiffness, 1, true, 1, 5, 5,
         1 + 7, 0.15, 2, 3, false, true},
        {"total load, truncated method and axial flag > 0", 3, 11, block({1.0}, blk(0.5, 1, 2, 3, 0.5, 0.5)),
         K::Stiffness, 1, true, 0, 1, 1, 1 + 3, 0.11, 2, 3, true, false},
        {"selector outside 1-6", 3, 11, block({1.0}, blk(1, 7, 2, 3, 0, 0)), K::Stiffness, 1, true, 1, 7, 0, 0, 0, 2,
         3, false, false},
        {"plane: 3 is the rotation about Z", 2, 11, block({1.0}, blk(1, 3, 2, 3, 0, 0)), K::Stiffness, 1, true, 1, 3,
         3, 1 + 8, 0.16, 2, 3, false, false},
        {"plane: 6 is the rotation about Z", 2, 11, block({1.0}, blk(1, 6, 2, 3, 0, 0)), K::Stiffness, 1, true, 1, 6,
         3, 1 + 8, 0.16, 2, 3, false, false},
        {"plane: Y", 2, 11, block({1.0}, blk(1, 2, 2, 3, 0, 0)), K::Stiffness, 1, true, 1, 2, 2, 1 + 4, 0.12, 2, 3,
         false, false},
        {"plane: no rotation about X", 2, 11, block({1.0}, blk(1, 4, 2, 3, 0, 0)), K::Stiffness, 1, true, 1, 4, 0, 0,
         0, 2, 3, false, false},
    };
    for (const Case& c : cases) {
        reset_input_tables();
        NANTYP = c.nantyp;
        LCKIND(3, 2) = c.kind;
        NSTLEV(3) = static_cast<int>(c.v.size());
        for (std::size_t k = 0; k < c.v.size(); ++k) STLEV(3, static_cast<int>(k) + 1) = c.v[k];
        const StiffnessData d = decode_stiffness_levels(3);
        EXPECT_EQ(d.kind, c.k) << c.what;
        EXPECT_EQ(d.nlev, c.nlev) << c.what;
        EXPECT_EQ(d.block, c.block) << c.what;
        EXPECT_EQ(d.method, c.method) << c.what;
        EXPECT_EQ(d.sel, c.sel) << c.what;
        EXPECT_EQ(d.dof, c.dof) << c.what;
        EXPECT_EQ(d.target_pos, c.target_pos) << c.what;
        EXPECT_EQ(d.target, c.target) << c.what;
        EXPECT_EQ(d.tolerance, c.tol) << c.what;
        EXPECT_EQ(d.iterations, c.its) << c.what;
        EXPECT_EQ(d.axial, c.axial) << c.what;
        EXPECT_EQ(d.dof_only, c.dof_only) << c.what;
    }

    // Stored reals read as integers never leave the integer range.
    EXPECT_EQ(truncate_to_int(8.9), 8);
    EXPECT_EQ(truncate_to_int(-2.5), -2);
    EXPECT_EQ(truncate_to_int(1e300), INT_MAX);
    EXPECT_EQ(truncate_to_int(-1e300), INT_MIN);
    EXPECT_EQ(truncate_to_int(std::numeric_limits<double>::quiet_NaN()), 0);
}

// A run of the three-dimensional example echoes the opening block, Table B
// and Table C in that order after the report header.
TEST(EchoLoads, EchoOrderInARun) {
    test::TempDir dir;
    test::write_names(test::default_names());
    test::write_file("input.dat",
                     test::read_file(fs::path(ZOLAN_FIXTURES_DIR) / ".." / ".." / "examples" / "group3d.in"));
    EXPECT_EQ(IZOLAN(2), 0);
    const std::string echo = test::read_file("echo.txt");
    std::size_t at = echo.find("Time and Date of Analysis");
    for (const char* mark : {"*****     INPUT INFORMATION     *****", "* TABLE B *  PILE CAP OPTIONS",
                             "* TABLE C *  LOAD AND CONTROL PARAMETERS", "** LOAD COMBINATIONS **"}) {
        ASSERT_NE(at, std::string::npos) << mark;
        const std::size_t next = echo.find(mark);
        EXPECT_TRUE(next != std::string::npos && next > at) << mark;
        at = next;
    }
}

}  // namespace
}  // namespace zolan
