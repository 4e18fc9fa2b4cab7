#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "control/input_echo.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

using test::lines_of;

constexpr double f32(float v) { return static_cast<double>(v); }

void fresh(int nunits) {
    reset_run_state();
    reset_input_tables();
    reset_pile_tables();
    reset_section_tables();
    reset_soil_tables();
    NUNITS = nunits;
    UNITLB(unit_label_sel(nunits));
    TOLDEP = 1.0e-6;
    PI = 3.141592653589793;
}

// Layer L (internal units): code, depths, and the nine values at its top and bottom
// (unit weight, c, phi in degrees, k, Er, e50, J, side friction, tip resistance).
void layer(int L, int code, double top, double bot, std::initializer_list<double> vtop,
           std::initializer_list<double> vbot) {
    NLAYER = std::max(NLAYER, L);
    LAYIN.ISOIL(L) = code;
    LAYIN.TOP(L) = top;
    LAYIN.BOT(L) = bot;
    LAYIN.NP(L) = 2;
    LAYIN.NV(L) = 9;
    int v = 1;
    for (double x : vtop) LAYPRP(L, 1, v++) = x;
    v = 1;
    for (double x : vbot) LAYPRP(L, 2, v++) = x;
}

// Pile row r of property set p: head at X = 0, length len (inches), pile type, user L-S curve.
void pile(int r, int p, double len, int type, int ls) {
    NPILES = std::max(NPILES, r);
    IPROP(r) = p;
    CORX(r) = 0.0;
    ILSCRV(r) = ls;
    PLENP(p) = len;
    PTYPED(p) = type;
}

struct Echo {
    int status;
    std::vector<std::string> lines;
};

template <class F>
Echo echo(F block) {
    test::TempDir dir;
    EXPECT_TRUE(io::open_unit(ECHOFILE, "echo.txt", {io::Access::Write}));
    int status = 0;
    block(status);
    io::close_unit(ECHOFILE);
    return {status, lines_of(test::read_file("echo.txt"))};
}

Echo table_f() {
    return echo([](int& s) { TABLEF(s); });
}

const std::string B51(51, ' ');
const std::string COLS = std::string(54, ' ') + " TOP OF LAYER    BOTTOM OF LAYER ";

// A value row: 8 blanks, the label in 31 columns, the 12-column unit field, the values.
std::string row(std::string label, const std::string& unit, const std::string& values) {
    label.resize(31, ' ');
    EXPECT_EQ(unit.size(), 12u);
    return std::string(8, ' ') + label + unit + values;
}
// The values of a row: each right-aligned in 14 columns, a marker after an
// estimated value (4 blanks after an unmarked top value), a closing blank.
std::string vals(const std::string& top, const std::string& bot, const char* mtop = nullptr,
                 const char* mbot = nullptr) {
    auto field = [](const std::string& v) { return std::string(14 - v.size(), ' ') + v; };
    std::string out = field(top) + (mtop ? mtop : "    ") + field(bot);
    if (mbot) out += mbot;
    return out + " ";
}
const std::string FT = "       (FT) ", PCF = "(LBS/FT**3) ", PSF = "(LBS/FT**2) ", PCI = "(LBS/IN**3) ",
                  DEG = "  (DEGREES) ", NOUNIT(12, ' '), PCT = "        (%) ";

// Table F line by line (English units): a stiff clay over a sand with a gap
// between them, a driven pile and a drilled shaft whose tips lie in the sand.
// Defaults and estimates carry their markers; the continuation rows hold the
// cyclic k and the drilled-shaft values of the estimated points only.
TEST(TableF, EchoLayoutWithEstimates) {
    fresh(1);
    // Stiff clay 0-10 ft: gamma 86.4 pcf (0.05 pci), c 720 / 2400 psf (5 / 16.667 psi),
    // k 0 / 500 pci, e50 0 / 0.007; no side or tip input.
    layer(1, 2, 0.0, 120.0, {0.05, 5.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
          {0.05, 2400.0 / 144.0, 0.0, 500.0, 0.0, 0.007, 0.0, 0.0, 0.0});
    // Sand 12-40 ft: gamma 0.05 pci, phi 35 degrees, k 0, no side or tip input.
    layer(2, 4, 144.0, 480.0, {0.05, 0.0, 35.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
          {0.05, 0.0, 35.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0});
    pile(1, 1, 360.0, 1, 0);
    pile(2, 2, 360.0, 2, 0);

    // Hand values (psf = psi x 144):
    // clay top (z taken as 1 in): psi = 5 / 0.05 = 100, alpha = 0.5 / 100^0.25 = 0.158114,
    //   side1 = 0.790569 psi = 113.842 psf; side2 = 0.55 x 5 = 2.75 psi = 396.000 psf.
    // clay bottom (z = 120): psi = 16.667 / 6 = 2.7778, alpha = 0.5 / 2.7778^0.25 = 0.387298,
    //   side1 = 6.45497 psi = 929.516 psf; side2 = 0.55 x 16.667 = 9.16667 psi = 1320.00 psf.
    // clay k: c = 5 psi below 6.944 psi: static 250, cyclic 100; e50 by c = 5 psi: 0.011.
    // sand k: (0.4168 x 35 - 8.1254) x 35 - 83.664 = 142.527 pci (gamma above 0.045).
    // sand side1 = 0.8 gamma z tan(35 deg - 0.087) (tan = 0.577706): z = 144: 479.172 psf, z = 480: 1597.24 psf.
    // sand side2 = (1.5 - 0.135 sqrt(z ft)) gamma z: 12 ft: 1.032346 x 7.2 psi = 1070.34 psf; 40 ft: 2233.22 psf.
    // sand tip1 = Nq gamma z, Nq(35.000136 deg) = 40.00027: 41472.3 psf and 1.38241E+05 psf;
    // tip2 = 222.2 psi = 31996.8 psf.
    const std::vector<std::string> want = {
        "", "", "",
        "     * TABLE F *   SOIL DATA",
        "", "",
        "     SOILS INFORMATION",
        "",
        "         GROUND SURFACE          =      0.00000  FT",
        "",
        "         2 LAYER(S) OF SOIL",
        "",
        "         LAYER  1",
        "         THE SOIL IS A STIFF CLAY WITH FREE WATER",
        COLS,
        row(" X COORDINATE", FT, vals("0.00000", "10.0000")),
        row(" EFFECTIVE UNIT WEIGHT", PCF, vals("86.4000", "86.4000")),
        row(" UNDRAINED COHESION, C", PSF, vals("720.000", "2400.00")),
        row(" P-Y SUBGRADE MODULUS", PCI, vals("250.000", "500.000", " (K)")),
        B51 + "       100.000 (C) ",
        row(" STRAIN AT 50% STRESS", NOUNIT, vals("0.0110000", "7.00000E-03", " (E)")),
        row(" ULTIMATE UNIT SIDE FRICTION", PSF, vals("113.842", "929.516", " (P)", " (P)")),
        B51 + "       396.000 (S)       1320.00 (S) ",
        // no pile tip in the layer: the curve values, although estimated
        row(" ULTIMATE UNIT TIP RESISTANCE", PSF, vals("0.00000", "0.00000")),
        "",
        "         LAYER  2",
        "         THE SOIL IS A SAND",
        COLS,
        row(" X COORDINATE", FT, vals("12.0000", "40.0000")),
        row(" EFFECTIVE UNIT WEIGHT", PCF, vals("86.4000", "86.4000")),
        row(" FRICTION ANGLE", DEG, vals("35.0000", "35.0000")),
        row(" P-Y SUBGRADE MODULUS", PCI, vals("142.527", "142.527", " (K)", " (K)")),
        row(" ULTIMATE UNIT SIDE FRICTION", PSF, vals("479.172", "1597.24", " (P)", " (P)")),
        B51 + "       1070.34 (S)       2233.22 (S) ",
        row(" ULTIMATE UNIT TIP RESISTANCE", PSF, vals("41472.3", "1.38241E+05", " (R)", " (R)")),
        B51 + "       31996.8 (T)       31996.8 (T) ",
        "",
        "       Notes :  Program estimated values for listed parameters",
        "                if zero input values were entered:",
        "                (E) STRAIN AT 50% STRESS",
        "                (K) P-Y SUBGRADE MODULUS for Static Loading",
        "                (C) P-Y SUBGRADE MODULUS for Cyclic Loading",
        "                (P) ULTIMATE UNIT SIDE FRICTION for Driven Piles",
        "                (S) ULTIMATE UNIT SIDE FRICTION for Drilled Shafts",
        "                (R) ULTIMATE UNIT TIP RESISTANCE for Driven Piles",
        "                (T) ULTIMATE UNIT TIP RESISTANCE for Drilled Shafts",
    };
    const Echo e = table_f();
    EXPECT_EQ(e.status, 0);
    EXPECT_EQ(e.lines, want);

    // The profile: two points per layer at its top and bottom, the input values kept.
    EXPECT_EQ(NLAYPY, 2);
    EXPECT_EQ(NSCPT, 4);
    EXPECT_EQ(NUWPT, 4);
    const double dep[] = {0.0, 120.0, 144.0, 480.0};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(SCDEP(i), dep[i - 1]);
        EXPECT_EQ(UWDEP(i), dep[i - 1]);
    }
    EXPECT_EQ(SCK(1), 0.0);  // the printed default is not stored
    EXPECT_EQ(SCE50(1), 0.0);
    EXPECT_EQ(SCK(2), 500.0);
    EXPECT_DOUBLE_EQ(SCPHI(3), 35.0 * 3.141592653589793 / 180.0);
}

// What each soil code keeps of its input values (all given as non-zero), and
// the rows and model line it prints. Values at the top: gamma 0.05, c 2, phi 30
// degrees, k 40, Er 5000, e50 0.006, J 0.3; the bottom doubles them.
TEST(TableF, ColumnsAndRowsBySoilCode) {
    struct Case {
        int code;
        bool c, phi, k, er, e50, j;
        const char* model;             // the soil-model line, without its 9 blanks
        std::vector<std::string> rows;  // labels between the unit weight and the side friction
    };
    const std::string COH = " UNDRAINED COHESION, C", KS = " P-Y SUBGRADE MODULUS", E50 = " STRAIN AT 50% STRESS";
    const Case cases[] = {
        {1, true, false, false, false, true, false, "THE SOIL IS A SOFT CLAY", {COH, E50}},
        {2, true, false, true, false, true, false, "THE SOIL IS A STIFF CLAY WITH FREE WATER", {COH, KS, E50}},
        {3, true, false, false, false, true, false, "THE SOIL IS A STIFF CLAY WITHOUT FREE WATER", {COH, E50}},
        {4, false, true, true, false, false, false, "THE SOIL IS A SAND", {" FRICTION ANGLE", KS}},
        {5, false, false, false, false, false, false, "THE SOIL-RESISTANCE CURVES SPECIFIED BY THE USER", {}},
        {6, true, false, false, false, false, false, "THE LAYER IS A VUGGY LIMESTONE",
         {" UNIAXIAL COMPRESSIVE STRENGTH"}},
        {7, true, true, true, false, true, false, "THE SOIL IS A SILT", {COH, " FRICTION ANGLE", KS, E50}},
        {8, false, true, true, false, false, false, "THE SOIL IS A SAND USING API CRITERIA", {" FRICTION ANGLE", KS}},
        {9, true, false, false, true, true, true, "THE LAYER IS A WEAK ROCK",
         {" UNIAXIAL COMPRESSIVE STRENGTH", " YOUNG MODULUS,ER", " KRM", " RQD"}},
        {10, true, false, true, false, true, false,
         "THE SOIL IS A STIFF CLAY WITHOUT FREE WATER, USING INITIAL K VALUE", {COH, KS, E50}},
        {11, false, false, false, false, false, false, "THE SOIL IS A LIQUEFIED SAND", {}},
        {12, true, true, true, true, true, true, "THE SOIL IS AN ELASTIC SUBGRADE WITH MAXIMUM STRESS TRANSFER",
         {" MAXIMUM STRESS TRANSFER", " ELASTIC SUBGRADE MODULUS"}},
        {13, true, false, false, false, true, true, "THE SOIL IS A SOFT CLAY WITH USER DEFINED J",
         {COH, E50, " J FACTOR"}},
    };
    const double phi = 30.0 * 3.141592653589793 / 180.0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        fresh(1);
        layer(1, c.code, 0.0, 120.0, {0.05, 2.0, 30.0, 40.0, 5000.0, 0.006, 0.3, 3.0, 30.0},
              {0.1, 4.0, 60.0, 80.0, 10000.0, 0.012, 0.6, 6.0, 60.0});
        pile(1, 1, 60.0, 1, 1);  // a user load-settlement curve: no side or tip estimates
        const Echo e = table_f();
        ASSERT_EQ(e.status, 0);
        for (int p = 1; p <= 2; ++p) {
            EXPECT_EQ(SCGAM(p), 0.05 * p);
            EXPECT_EQ(SCFMAX(p), 3.0 * p);
            EXPECT_EQ(SCQMAX(p), 30.0 * p);
            EXPECT_EQ(SCCOH(p), c.c ? 2.0 * p : 0.0);
            EXPECT_DOUBLE_EQ(SCPHI(p), c.phi ? phi * p : 0.0);
            EXPECT_EQ(SCK(p), c.k ? 40.0 * p : 0.0);
            EXPECT_EQ(SCROCK(p), c.er ? 5000.0 * p : 0.0);
            // vuggy limestone: 0.0005 (single precision) whatever the input
            EXPECT_EQ(SCE50(p), c.code == 6 ? f32(0.0005f) : c.e50 ? 0.006 * p : 0.0);
            EXPECT_EQ(SCJ(p), c.j ? 0.3 * p : 0.0);
        }
        // Layer block: blank, LAYER, model line, columns, X, unit weight, the rows, side, tip.
        ASSERT_GE(e.lines.size(), 19u + c.rows.size());
        EXPECT_EQ(e.lines[13], std::string("         ") + c.model);
        std::vector<std::string> labels;
        for (std::size_t i = 17; i + 2 < e.lines.size(); ++i) labels.push_back(e.lines[i].substr(8, 31));
        std::vector<std::string> want;
        for (const std::string& r : c.rows) want.push_back(r + std::string(31 - r.size(), ' '));
        EXPECT_EQ(labels, want);
        // The side and tip rows show the input curves (x 144), with no notes after them.
        EXPECT_EQ(e.lines[e.lines.size() - 2],
                  row(" ULTIMATE UNIT SIDE FRICTION", PSF, vals("432.000", "864.000")));
        EXPECT_EQ(e.lines.back(),
                  row(" ULTIMATE UNIT TIP RESISTANCE", PSF, vals("4320.00", "8640.00")));
    }
}

// Weak rock: an RQD outside 0 to 100 % is printed as read, followed by a
// warning, and the curves receive it limited to the range.
TEST(TableF, RqdOutsideItsRangeIsLimitedWithAWarning) {
    struct Case { double top, bot, want_top, want_bot; bool warned; };
    const Case cases[] = {
        {50.0, 100.0, 50.0, 100.0, false},
        {-5.0, 120.0, 0.0, 100.0, true},
        {0.0, 100.5, 0.0, 100.0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bot);
        fresh(1);
        layer(1, 9, 0.0, 120.0, {0.05, 2.0, 0.0, 0.0, 5000.0, 0.0005, c.top, 3.0, 30.0},
              {0.1, 4.0, 0.0, 0.0, 10000.0, 0.0005, c.bot, 6.0, 60.0});
        pile(1, 1, 60.0, 1, 1);
        const Echo e = table_f();
        ASSERT_EQ(e.status, 0);
        EXPECT_EQ(SCJ(1), c.want_top);
        EXPECT_EQ(SCJ(2), c.want_bot);
        std::size_t rqd = 0;
        for (std::size_t i = 0; i < e.lines.size(); ++i)
            if (e.lines[i].rfind("         RQD", 0) == 0) rqd = i;
        ASSERT_GT(rqd, 0u);
        const std::string warning =
            "        ** WARNING ** RQD OUTSIDE 0 TO 100 %; THE CURVES USE IT LIMITED TO THAT RANGE";
        EXPECT_EQ(e.lines[rqd + 1] == warning, c.warned);
    }
}

// A few layouts: no layers; ten layers (the count in two columns); an
// elastic subgrade without stress transfer; SI unit labels; the rock rows
// in their own units.
TEST(TableF, CountsCodesAndUnits) {
    fresh(1);
    const Echo none = table_f();
    EXPECT_EQ(none.lines,
              (std::vector<std::string>{"", "", "", "     * TABLE F *   SOIL DATA", "", "       NO SOIL LAYERS DEFINED"}));

    fresh(1);
    for (int L = 1; L <= 10; ++L) layer(L, 5, 12.0 * (L - 1), 12.0 * L, {0.05}, {0.05});
    EXPECT_EQ(table_f().lines.at(10), "         10 LAYER(S) OF SOIL");

    fresh(1);
    layer(1, 12, 0.0, 120.0, {0.05, 0.0, 30.0, 40.0}, {0.05, 0.0, 30.0, 40.0});
    const Echo sub = table_f();
    EXPECT_EQ(sub.lines.at(13), "         THE SOIL IS AN ELASTIC SUBGRADE");
    EXPECT_EQ(sub.lines.at(17), row(" ELASTIC SUBGRADE MODULUS", PCI, vals("40.0000", "40.0000")));

    // SI: no scaling of the printed values; weak rock strengths per M**2.
    fresh(2);
    layer(1, 9, 0.0, 3.0, {18.0, 5000.0, 0.0, 0.0, 2.0e6, 5.0e-4, 60.0, 10.0, 100.0},
          {18.0, 5000.0, 0.0, 0.0, 2.0e6, 5.0e-4, 60.0, 10.0, 100.0});
    pile(1, 1, 10.0, 1, 1);
    const std::string KPA = "( KN/ M**2) ";
    const std::vector<std::string> want = {
        "         GROUND SURFACE          =      0.00000   M",
        "",
        "         1 LAYER(S) OF SOIL",
        "",
        "         LAYER  1",
        "         THE LAYER IS A WEAK ROCK",
        COLS,
        row(" X COORDINATE", "       ( M) ", vals("0.00000", "3.00000")),
        row(" EFFECTIVE UNIT WEIGHT", "( KN/ M**3) ", vals("18.0000", "18.0000")),
        row(" UNIAXIAL COMPRESSIVE STRENGTH", KPA, vals("5000.00", "5000.00")),
        row(" YOUNG MODULUS,ER", KPA, vals("2.00000E+06", "2.00000E+06")),
        row(" KRM", NOUNIT, vals("5.00000E-04", "5.00000E-04")),
        row(" RQD", PCT, vals("60.0000", "60.0000")),
        row(" ULTIMATE UNIT SIDE FRICTION", KPA, vals("10.0000", "10.0000")),
        row(" ULTIMATE UNIT TIP RESISTANCE", KPA, vals("100.000", "100.000")),
    };
    const Echo si = table_f();
    EXPECT_EQ(std::vector<std::string>(si.lines.begin() + 8, si.lines.end()), want);
}

// A lookup status from the side and tip estimate ends the echo at once: a
// profile whose second layer lies above the first puts the first layer's
// bottom below the last curve point, so the side lookup there fails (25).
TEST(TableF, LookupStatusStopsTheTable) {
    fresh(1);
    layer(1, 1, 0.0, 120.0, {0.05, 5.0, 0.0, 0.0, 0.0, 0.01}, {0.05, 5.0, 0.0, 0.0, 0.0, 0.01});
    layer(2, 1, -60.0, -12.0, {0.05, 5.0, 0.0, 0.0, 0.0, 0.01}, {0.05, 5.0, 0.0, 0.0, 0.0, 0.01});
    pile(1, 1, 60.0, 1, 0);
    const Echo e = table_f();
    EXPECT_EQ(e.status, 25);
    ASSERT_FALSE(e.lines.empty());
    EXPECT_EQ(e.lines.back(), row(" STRAIN AT 50% STRESS", NOUNIT, vals("1.00000E-02", "1.00000E-02")));
}

// The p-y print requests: heading, count, column heading and one row per
// request (depths in feet); with no requests the heading alone.
TEST(PyPrintData, EchoLayout) {
    fresh(1);
    PYREQN = 2;
    PYRQIN.ROW(1) = 1;
    PYRQIN.DEP(1) = 60.0;
    PYRQIN.ROW(2) = 12;
    PYRQIN.DEP(2) = 1800.0;
    const std::vector<std::string> want = {
        "", "",
        "     * DATA TO PRINT GENERATED P-Y CURVES *",
        "",
        "      NUMBER OF CURVES TO PRINT :     2",
        "",
        "       CURVE NUMBER     PILE GROUP         DEPTH (FT)   ",
        // 5 blanks, I8, 8 blanks, I8, 10 blanks, WRREAL(14,5), closing blank
        "            1               1                 5.00000 ",
        "            2              12                 150.000 ",
    };
    EXPECT_EQ(echo([](int&) { PYPRDATA(); }).lines, want);

    PYREQN = 0;
    EXPECT_EQ(echo([](int&) { PYPRDATA(); }).lines,
              (std::vector<std::string>{"", "", "     * DATA TO PRINT GENERATED P-Y CURVES *"}));
}

}  // namespace
}  // namespace zolan
