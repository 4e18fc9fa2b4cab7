#include <gtest/gtest.h>

#include "control/control.h"

#include <sstream>
#include <string>
#include <vector>

#include "control/input_echo.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "support/echo_block.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

using test::lines_of;

void fresh(int nunits, int nantyp) {
    reset_run_state();
    reset_input_tables();
    reset_pile_tables();
    reset_section_tables();
    NUNITS = nunits;
    UNITLB(unit_label_sel(nunits));
    NANTYP = nantyp;
}

std::vector<std::string> table_e() { return test::echo_block(TABLEE); }

void property_set(int p, int nincr, double len, std::initializer_list<std::pair<double, double>> secs,
                  std::initializer_list<int> xs) {
    PPIN.NSEC(p) = static_cast<int>(secs.size());
    PPIN.NINCR(p) = nincr;
    PPIN.PLEN(p) = len;
    PPIN.PTYPE(p) = 1;
    int s = 1;
    for (const auto& [top, bot] : secs) {
        PPIN.STOP(p, s) = top;
        PPIN.SBOT(p, s) = bot;
        ++s;
    }
    s = 1;
    for (int k : xs) PPIN.SXS(p, s++) = k;
}

// An elastic section given at its top only: the bottom fields repeat it.
void elastic(int k, int kind, const char* name, std::initializer_list<std::pair<int, double>> fields) {
    XSKIND(k) = kind;
    XSNLF(k) = 0;
    XSNAME(k).set(name);
    for (const auto& [f, v] : fields) XSTAB(k, f) = XSTAB(k, f + 18) = v;
}

const std::vector<std::string> kHeadings = {
    "", "", "",
    "     * TABLE E *   PILE GEOMETRY AND PROPERTIES ",
    "                   PILE TYPE = 1 - DRIVEN PILE",
    "                             = 2 - DRILLED SHAFT",
    "",
    // the closing 4X of the heading writes nothing: no field follows it
    "       PROP   SECTS   INC     PILE TYPE      LENGTH, FT",
};

// Table E of a small three-dimensional model in English units, line by
// line: a set of two sections, a circular pipe and a tapered general
// section; and with no sets and no sections, the headings alone.
TEST(TableE, EchoLayout) {
    fresh(1, 3);
    NPRSET = 1;
    property_set(1, 40, 480.0, {{0.0, 240.0}, {240.0, 480.0}}, {1, 2});
    NSECT = 2;
    elastic(1, 1, "PIPE",
            {{1, 18.0}, {2, 17.0}, {9, 11.2e6}, {10, 27.5}, {11, 1070.0}, {12, 1070.0}, {14, 2.4e10}, {15, 5.0e6},
             {16, 3.0e5}, {17, 29.0e6}});
    elastic(2, 0, "TAPER", {{1, 24.0}, {10, 400.0}, {17, 3.0e6}});
    XSTPF(2) = 1;
    XSTAB(2, 19) = 12.0;
    XSTAB(2, 28) = 100.0;

    std::vector<std::string> want = kHeadings;
    const std::vector<std::string> rest = {
        // 5 blanks, I5, I7, I8, I11, 3 blanks, WRREAL(16,4) of 40 ft, closing blank
        "     " "    1" "      2" "      40" "          1" "   " "          40.000" " ",
        "",
        "     * PILE SECTIONS *",
        "",
        "       PROP    SECT      FROM,FT         TO,FT    CROSS SECT",
        // 5 blanks, I5, I8, 1 blank, WRREAL(14,5), WRREAL(15,5), I8, closing blank
        "     " "    1" "       1" " " "       0.00000" "        20.0000" "       1" " ",
        "     " "    1" "       2" " " "       20.0000" "        40.0000" "       2" " ",
        "",
        "     * PILE CROSS SECTIONS *",
        "",
        "      CROSS SECTION       :     1",
        "      SECTION NAME        : PIPE                            ",
        "",
        "      TYPE                :  ELASTIC",
        "      CROSS SECTION TYPE  : CIRCULAR PIPE    ",
        "      EXTERNAL DIAMETER   :       18.0000 IN",
        "      INTERNAL DIAMETER   :       17.0000 IN",
        "      YOUNG MODULUS       :   2.90000E+07 LBS/IN**2",
        "      SHEAR MODULUS       :   1.12000E+07 LBS/IN**2",
        "",
        "      CROSS SECTION       :     2",
        "      SECTION NAME        : TAPER                           ",
        "",
        "      TYPE                :  ELASTIC",
        "      CROSS SECTION TYPE  : GENERAL SECTION  ",
        "      TAPERED SECTION                TOP                  BOTTOM",
        // top value, blank, unit, 7 blanks, bottom value, unit
        "      EQUIVALENT DIAMETER :       24.0000 IN" "       " "      12.0000 IN",
        "      YOUNG MODULUS       :   3.00000E+06 LBS/IN**2" "  3.00000E+06 LBS/IN**2",
        "",
        "     * PILE CROSS SECTIONS PROPERTIES *",
        "",
        "              ELASTIC SECTIONS         ",
        "",
        "    SECT         DIAM,IN   AREA,IN**2   Iz,IN**4    Iy,IN**4   GJ,LBS-IN**2   Mn,LBS-IN    Vn,LBS",
        // 2 blanks, I5, 1 blank, 4 blanks (not tapered), four WRREAL(12,4),
        // 1 blank, three WRREAL(12,4), closing blank
        "  " "    1" " " "    " "      18.000" "      27.500" "      1070.0" "      1070.0" " " "  2.4000E+10"
        "  5.0000E+06" "  3.0000E+05" " ",
        // tapered, its inertias not given: the TOP and BOT rows show the
        // solid circle's that the analysis uses, 0.0491 D^4 (24 in:
        // 16,290.2 in^4; 12 in: 1,018.14 in^4), each in one column less and
        // marked, and a note says what the mark means
        "  " "    2" " " " TOP" "      24.000" "      400.00" " 1.6290E+04*" " 1.6290E+04*" " " "      0.0000"
        "      0.0000" "      0.0000" " ",
        "         BOT" "      12.000" "      100.00" "     1018.1*" "     1018.1*" " " "      0.0000" "      0.0000"
        "      0.0000" " ",
        "",
        "     * DERIVED: AN INERTIA GIVEN AS 0 IS THAT OF A SOLID CIRCLE OF THE SECTION DIAMETER, 0.0491 D**4, WHICH "
        "THE ANALYSIS USES",
    };
    want.insert(want.end(), rest.begin(), rest.end());
    EXPECT_EQ(table_e(), want);

    fresh(1, 3);
    want = kHeadings;
    for (const char* l : {"", "     * PILE SECTIONS *", "", "       PROP    SECT      FROM,FT         TO,FT    CROSS SECT",
                          "", "     * PILE CROSS SECTIONS *", "", "     * PILE CROSS SECTIONS PROPERTIES *"})
        want.push_back(l);
    EXPECT_EQ(table_e(), want);
}

// Section tables: depths, moduli, and an inertia not given replaced by that
// of a solid circle, I = 0.0491 D^4, at each end of a tapered section.
TEST(TableE, SectionTables) {
    fresh(1, 3);
    NPRSET = 1;
    property_set(1, 40, 480.0, {{0.0, 240.0}, {240.0, 480.0}}, {1, 2});
    NSECT = 2;
    elastic(1, 1, "PIPE", {{1, 12.0}, {10, 27.5}, {11, 0.0}, {12, 800.0}, {14, 7.0}, {15, 5.0}, {16, 3.0}, {17, 29.0e6}});
    elastic(2, 0, "TAPER", {{1, 24.0}, {10, 400.0}, {17, 3.0e6}});
    XSTPF(2) = 1;
    XSTAB(2, 19) = 12.0;
    XSTAB(2, 28) = 100.0;
    XSTAB(2, 35) = 4.0e6;
    table_e();

    EXPECT_EQ(NSECP(1), 2);
    EXPECT_EQ(NINCR(1), 40);
    EXPECT_EQ(PLENP(1), 480.0);
    EXPECT_EQ(PTYPED(1), 1);
    EXPECT_EQ(ISECXS(1, 2), 2);
    EXPECT_EQ(SECTAB(1, 2, SEC_DTOP), 240.0);
    EXPECT_EQ(SECTAB(1, 2, SEC_DBOT), 480.0);
    EXPECT_EQ(EMODS(1, 2, 1), 3.0e6);
    EXPECT_EQ(EMODS(1, 2, 2), 4.0e6);
    EXPECT_EQ(MPSEC1(1, 1), 0);

    struct Case {
        int s, col;
        double want;
        const char* what;
    };
    // 0.0491 x 12^4 = 1018.1376; 0.0491 x 24^4 = 16290.2016
    const Case cases[] = {
        {1, SEC_TOP + SP_IN1, 1018.1376, "pipe Iz not given"},
        {1, SEC_TOP + SP_EI1, 1018.1376 * 29.0e6, "pipe EIz"},
        {1, SEC_TOP + SP_IN2, 800.0, "pipe Iy as given"},
        {1, SEC_TOP + SP_EI2, 800.0 * 29.0e6, "pipe EIy, top modulus"},
        {1, SEC_BOT + SP_IN1, 1018.1376, "pipe Iz at the bottom"},
        {1, SEC_TOP + SP_DIA, 12.0, "pipe diameter"},
        {1, SEC_TOP + SP_ARE, 27.5, "pipe area"},
        {1, SEC_TOP + SP_GJ, 7.0, "pipe GJ"},
        {1, SEC_TOP + SP_MN, 5.0, "pipe Mn"},
        {1, SEC_TOP + SP_VN, 3.0, "pipe Vn"},
        {2, SEC_TOP + SP_IN1, 16290.2016, "taper Iz top"},
        {2, SEC_BOT + SP_IN1, 1018.1376, "taper Iz bottom"},
        {2, SEC_TOP + SP_EI2, 16290.2016 * 3.0e6, "taper EIy top"},
        {2, SEC_BOT + SP_EI1, 1018.1376 * 4.0e6, "taper EIz bottom, bottom modulus"},
        {2, SEC_TOP + SP_DIA, 24.0, "taper diameter top"},
        {2, SEC_BOT + SP_DIA, 12.0, "taper diameter bottom"},
        {2, SEC_BOT + SP_ARE, 100.0, "taper area bottom"},
    };
    for (const Case& c : cases) EXPECT_NEAR(SECTAB(1, c.s, c.col), c.want, 1e-7 * c.want) << c.what;
}

// Moment-curvature sets of nonlinear sections follow the user sets, one per
// bending axis of the model; a user-EI section keeps the user sets it names.
TEST(TableE, MomentCurvatureSetNumbers) {
    struct Case {
        int nantyp;
        int sets[3][2];    // XSNLI 27, 28 of the sections of kinds 2, 10, 7
        int mpsec[3][2];   // MPSEC1, MPSEC2 of the set's sections
    };
    const Case cases[] = {
        {3, {{3, 4}, {1, 2}, {5, 6}}, {{3, 4}, {1, 2}, {5, 6}}},
        // Plane: one axis; the second set number is not used.
        {2, {{3, 0}, {1, 2}, {4, 0}}, {{3, 0}, {1, 0}, {4, 0}}},
    };
    for (const Case& c : cases) {
        fresh(1, c.nantyp);
        NMPS = 2;
        NPRSET = 1;
        property_set(1, 30, 360.0, {{0, 120}, {120, 240}, {240, 360}}, {1, 2, 3});
        NSECT = 3;
        const int kinds[3] = {2, 10, 7};
        for (int k = 1; k <= 3; ++k) {
            XSNLF(k) = 1;
            XSNLI(k, 0) = kinds[k - 1];
            XSTAB(k, 1) = XSTAB(k, 19) = 24.0;
        }
        XSNLI(2, 27) = 1;
        XSNLI(2, 28) = 2;
        table_e();
        for (int k = 1; k <= 3; ++k) {
            EXPECT_EQ(XSNLI(k, 27), c.sets[k - 1][0]) << c.nantyp << "D, section " << k;
            EXPECT_EQ(XSNLI(k, 28), c.sets[k - 1][1]) << c.nantyp << "D, section " << k;
            EXPECT_EQ(MPSEC1(1, k), c.mpsec[k - 1][0]) << c.nantyp << "D, section " << k;
            EXPECT_EQ(MPSEC2(1, k), c.mpsec[k - 1][1]) << c.nantyp << "D, section " << k;
        }
    }
}

// The echo of a cased concrete shaft with an AISC steel core and bars: its
// blocks in their order, the bar count as an integer, the nonlinear row of
// the properties table, and no elastic table.
TEST(TableE, NonlinearSectionEcho) {
    fresh(1, 3);
    NSECT = 1;
    XSNLF(1) = 1;
    XSNAME(1).set("CASED SHAFT");
    XSNAM3(1).set("W14X90");
    XSNLI(1, 0) = 3;   // cased shaft
    XSNLI(1, 1) = 3;   // AISC core
    XSNLI(1, 3) = 0;   // W shape: flanged dimensions
    XSNLI(1, 9) = 8;   // bars
    XSNLR(1, 3) = 36.0;
    XSNLR(1, 8) = 30.0;
    XSNLR(1, 9) = 0.5;
    XSTAB(1, 1) = 36.0;
    const std::vector<std::string> echo = table_e();

    std::vector<std::string> labels;
    for (const std::string& l : echo) {
        if (!l.starts_with("      ") || l.find(':') == std::string::npos) continue;
        std::string label = l.substr(6, l.find(':') - 6);
        label.erase(label.find_last_not_of(' ') + 1);
        labels.push_back(label);
    }
    const std::vector<std::string> want = {
        "CROSS SECTION", "SECTION NAME", "TYPE", "CROSS SECTION TYPE", "CONCRETE DIAMETER", "CONCRETE FC",
        "DIAMETER CASING", "THICKNESS CASING", "ES CASING", "FY CASING", "AISC SECTION NAME", "EXTERNAL WIDTH",
        "EXTERNAL DEPTH", "FLANGE THICKNESS", "WEB THICKNESS", "ES STEEL", "FY STEEL", "NUMBER REBARS",
        "DIAMETER REINF.", "AREA REINFORCEMENT", "ES REINFORCEMENT", "FY REINFORCEMENT", "EQ. YOUNG MODULUS",
    };
    EXPECT_EQ(labels, want);

    auto has = [&](const std::string& line) {
        for (const std::string& l : echo)
            if (l == line) return true;
        return false;
    };
    EXPECT_TRUE(has("      CROSS SECTION TYPE  : ROUND CONC. SHAFT, CASING (AND STEEL SECTION)"));
    EXPECT_TRUE(has("      AISC SECTION NAME   : W14X90                          "));
    EXPECT_TRUE(has("      NUMBER REBARS       :             8 "));
    EXPECT_TRUE(has("              NONLINEAR SECTIONS       "));
    EXPECT_FALSE(has("              ELASTIC SECTIONS         "));
    // 2 blanks, I5, 1 blank, WRREAL(11,4) of 36 in and the area 0; Iz, Iy 0
    // (not a user-EI section); 2 blanks, GJ 0; 2 blanks, two set indices of
    // 0 in I5 each followed by 4 blanks; Mn, Vn 0; closing blank.
    EXPECT_TRUE(has("  " "    1" " " "     36.000" "     0.0000" "     0.0000" "     0.0000" "  " "     0.0000"
                    "  " "    0" "    " "    0" "    " "     0.0000" "     0.0000" " "));
}

// A prestressed pile in SI units: the strand diameter (mm) and area (mm^2) of
// the input come back in the echo as given, the conversion and the echo
// reading the two fields alike.
TEST(TableE, StrandDiameterAndAreaRoundTrip) {
    fresh(2, 3);
    NSECT = 1;
    XSNLF(1) = 1;
    XSNAME(1).set("PRESTRESSED");
    XSNLI(1, 0) = 4;      // circular prestressed pile
    XSNLI(1, 21) = 6;     // strands
    XSNLR(1, 3) = 610.0;  // diameter, mm
    XSNLR(1, 26) = 12.7;  // strand diameter, mm
    XSNLR(1, 27) = 98.7;  // strand area, mm^2
    int status = 0;
    UNITCONV(status);
    EXPECT_DOUBLE_EQ(XSNLR(1, 26), 0.0127);
    EXPECT_DOUBLE_EQ(XSNLR(1, 27), 98.7e-6);
    const std::vector<std::string> echo = table_e();
    auto has = [&](const std::string& start) {
        for (const std::string& l : echo)
            if (l.starts_with(start)) return true;
        return false;
    };
    // WRREAL(13,5): 12.7 and 98.7 have k = 1, so four decimals.
    EXPECT_TRUE(has("      DIAMETER STRAND     :       12.7000"));
    EXPECT_TRUE(has("      AREA STRAND         :       98.7000"));
}

}  // namespace
}  // namespace zolan
