#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "control/control.h"
#include "control/input_echo.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "support/names_file.h"
#include "support/echo_block.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

constexpr double kPi = 3.141592653589793;

using test::lines_of;

// Fresh tables in the given unit system and model.
void fresh(int nunits, int nantyp) {
    reset_run_state();
    reset_input_tables();
    reset_pile_tables();
    NUNITS = nunits;
    UNITLB(unit_label_sel(nunits));
    NANTYP = nantyp;
}

// Runs Table D with the echo file open, and returns the echo's lines.
std::vector<std::string> table_d() { return test::echo_block(TABLED); }

// One three-dimensional row: integers, springs and factors, head and angles.
void row3(int r, std::initializer_list<int> gi, std::initializer_list<double> ga, std::initializer_list<double> gb) {
    int c = 1;
    for (int v : gi) PGRI3(r, c++) = v;
    c = 1;
    for (double v : ga) PGRA3(r, c++) = v;
    c = 1;
    for (double v : gb) PGRB3(r, c++) = v;
}

// Three-dimensional rows: the per-pile arrays, angles in radians, and the
// cap's pseudo-pile under heads at different elevations.
TEST(TableD, ThreeDimensionalRowsAndCapPseudoPile) {
    fresh(1, 3);
    // Heads at X = 2, 0 and 5 ft (24, 0, 60 in after the conversion), a
    // 3 ft (36 in) cap, first soil layer from 1 ft (12 in).
    NPILE3 = 3;
    CAPTHK = 36.0;
    LAYIN.TOP(1) = 12.0;
    row3(1, {2, 3, 1, 0, 0, 2, 0, 0, 1, 1}, {0, 5.0e6, 0.8, 1.1, 0.7, 1.2, 1.5}, {24, 0, -12, 0, 90, 0, 120});
    row3(2, {1, 1, 2, 3, 4, 0, 5, 0, 6, 7}, {1, 2, 1, 1, 1, 1, 1}, {0, 36, 12, 30, 60, 45, 0});
    row3(3, {2, 2, 1, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 1, 1, 1, 1, 1}, {60, 0, 0, 0, 80, 0, 0});
    table_d();

    EXPECT_EQ(NPILES, 3);
    // Row 1, vertical: alpha = theta = 0, beta = pi/2, no batter.
    EXPECT_EQ(ALPHA(1), 0.0);
    EXPECT_NEAR(BETA(1), kPi / 2, 1e-15);
    EXPECT_NEAR(BATANG(1), 0.0, 1e-15);
    EXPECT_EQ(THETA(1), 0.0);
    EXPECT_EQ(ANG0(1), 0.0);
    // Row 2: 30, 60, 45 degrees; batter 90 - 60 = 30 degrees.
    EXPECT_NEAR(ALPHA(2), kPi / 6, 1e-15);
    EXPECT_NEAR(BETA(2), kPi / 3, 1e-15);
    EXPECT_NEAR(THETA(2), kPi / 4, 1e-15);
    EXPECT_NEAR(BATANG(2), kPi / 6, 1e-15);
    // Row 3: beta 80 degrees leans 10 degrees from the vertical.
    EXPECT_NEAR(BATANG(3), 10 * kPi / 180, 1e-15);

    // Fields of row 1 by their meaning.
    EXPECT_EQ(KCONN(1), 2);
    EXPECT_EQ(KCONNZ(1), 3);
    EXPECT_EQ(IPROP(2), 2);
    EXPECT_EQ(IPYSET(2), 3);
    EXPECT_EQ(ILSCRV(2), 4);
    EXPECT_EQ(ITRCRV(1), 2);
    EXPECT_EQ(IRFSET(2), 5);
    EXPECT_EQ(ILSGEN(2), 6);
    EXPECT_EQ(ITRGEN(2), 7);
    EXPECT_EQ(SPRZ(2), 1.0);
    EXPECT_EQ(SPRY(1), 5.0e6);
    EXPECT_EQ(PFGRP(1), 0.8);
    EXPECT_EQ(PFGRP1(1), 0.8);
    EXPECT_EQ(YFGRP(1), 1.1);
    EXPECT_EQ(YFGRP1(1), 1.1);
    EXPECT_EQ(PFGRP2(1), 0.7);
    EXPECT_EQ(YFGRP2(1), 1.2);
    EXPECT_EQ(AXFAC(1), 1.5);
    EXPECT_EQ(CORY(2), 36.0);
    EXPECT_EQ(CORZ(2), 12.0);
    EXPECT_EQ(GROUND(1), 120.0);
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(PMULT(r), 1.0) << r;
        EXPECT_EQ(XTOP(r), CORX(r)) << r;
    }

    // Pseudo-pile: the cap's underside at the highest head (X = 0), its top
    // 3 ft above it; the ground line 1 ft + 3 ft = 48 in below that top.
    EXPECT_EQ(CPPTOP, -36.0);
    EXPECT_EQ(CPPTHK, 36.0);
    EXPECT_EQ(CORX(4), -36.0);
    EXPECT_EQ(XTOP(4), -36.0);
    EXPECT_EQ(GROUND(4), 48.0);
    EXPECT_EQ(BETA(4), 1.5707963267948966);
    EXPECT_EQ(PMULT(4), 1.0);
    EXPECT_EQ(PI, kPi);

    // No rows: the highest head is taken at 0.
    fresh(1, 3);
    CAPTHK = 24.0;
    table_d();
    EXPECT_EQ(NPILES, 0);
    EXPECT_EQ(CPPTOP, -24.0);
    EXPECT_EQ(CORX(1), -24.0);
}

// Plane rows: a row of 4 piles counts 4 times; a 10-degree slope is kept in
// radians and printed as its tangent.
TEST(TableD, PlaneRows) {
    fresh(2, 2);
    NPILE2 = 2;
    CAPTHK = 1.0;
    LAYIN.TOP(1) = 0.0;
    // Row 1: pinned, 4 piles, set 1, no p-y set, user L-S curve 3.
    for (int c = 1; c <= 7; ++c) PGRI2(1, c) = std::vector<int>{1, 4, 1, 0, 3, 0, 0}[c - 1];
    for (int c = 1; c <= 5; ++c) PGRA2(1, c) = std::vector<double>{0, 0.9, 0.6, 1, 1}[c - 1];
    for (int c = 1; c <= 4; ++c) PGRB2(1, c) = std::vector<double>{0.5, -1.0, 10.0, 0}[c - 1];
    // Row 2: fixed, 1 pile, generated L-S curve 2, vertical, head at 2 m.
    for (int c = 1; c <= 7; ++c) PGRI2(2, c) = std::vector<int>{2, 1, 1, 0, 0, 0, 2}[c - 1];
    for (int c = 1; c <= 4; ++c) PGRB2(2, c) = std::vector<double>{2.0, 1.0, 0.0, 0}[c - 1];
    const std::vector<std::string> echo = table_d();

    EXPECT_EQ(NPILES, 2);
    EXPECT_EQ(PMULT(1), 4.0);
    EXPECT_EQ(PMULT(2), 1.0);
    EXPECT_NEAR(ALPHA(1), 0.17453, 5e-6);
    EXPECT_EQ(BATANG(1), ALPHA(1));
    EXPECT_EQ(ALPHA(2), 0.0);
    EXPECT_EQ(XTOP(1), 0.5);
    EXPECT_EQ(YTOP(1), -1.0);
    EXPECT_EQ(GRPSPC(1), 0.9);
    EXPECT_EQ(PFGRP(1), 0.6);
    EXPECT_EQ(ILSCRV(1), 3);
    EXPECT_EQ(ILSGEN(2), 2);
    // Pseudo-pile: top 1 m above the highest head at 0.5 m.
    EXPECT_EQ(CPPTOP, -0.5);
    EXPECT_EQ(CORX(3), -0.5);
    EXPECT_EQ(GROUND(3), 0.5);
    EXPECT_EQ(PMULT(3), 1.0);

    // SI labels: UBLEN2 and ULEN2 " M", UFOR3 " KN". tan(10 deg) = 0.176327.
    const std::vector<std::string> want = {
        "", "", "",
        "     * TABLE D *   ARRANGEMENT OF PILE GROUPS",
        "",
        "       GROUP   CONNECT   NO OF PILE   PILE PROP    P-Y CURVE    L-S CURVE    R-F-L SET",
        // 5X,I5,7X,A3,5X,I5,8X,I5,7X,I5,7X,I5,1X,A1,7X,I5
        "     " "    1" "       " "PIN" "     " "    4" "        " "    1" "       " "    0" "       " "    3" " U"
        "       " "    0",
        "     " "    2" "       " "FIX" "     " "    1" "        " "    1" "       " "    0" "       " "    2" " G"
        "       " "    0",
        "",
        "       GROUP     VERT, M       HOR, M    SLOPE, M/ M   GROUND, M  SPRING, KN- M  SPACING, M",
        // 5 blanks, I5, 3 blanks, six WRREAL(13,5), one closing blank
        "     " "    1" "   " "      0.50000" "     -1.00000" "      0.17633" "      0.00000" "      0.00000"
        "      0.90000" " ",
        "     " "    2" "   " "      2.00000" "      1.00000" "      0.00000" "      0.00000" "      0.00000"
        "      0.00000" " ",
    };
    EXPECT_EQ(echo, want);
}

// The echo of a three-dimensional row with the axial-load factor column, in
// English units: curve markers, connection texts and the WRREAL forms.
TEST(TableD, ThreeDimensionalEcho) {
    fresh(1, 3);
    NPILE3 = 1;
    KAXFAC = 1;
    // Fixed about y, spring about z; generated L-S curve 1, user T-R curve 2.
    row3(1, {2, 3, 1, 0, 0, 2, 0, 0, 1, 1}, {5.0e6, 0, 1, 1, 1, 1, 1.0}, {24, 0, -12, 0, 90, 0, 120});
    const std::vector<std::string> want = {
        "", "", "",
        "     * TABLE D *   ARRANGEMENT OF PILE GROUPS",
        "",
        "     GROUP  CONNECTY   CONNECTZ   PILE PROP  P-Y CURVE  L-S CURVE  T-R CURVE  R-F-L SET  FACT.AX.LD",
        // 3X,I5,3X,4X,A3,4X,4X,A3,4X,1X,I5,5X,1X,I5,6X,I5,1X,A1,4X,I5,1X,A1,3X,1X,I5,5X,1X,F10.4
        "   " "    1" "   " "    FIX    " "    RES    " " " "    1" "     " " " "    0" "      " "    1" " G"
        "    " "    2" " U" "   " " " "    0" "     " " " "    1.0000",
        "",
        "     GROUP   CorX,FT    CorY,FT    CorZ,FT  ALPHA,DEG   BETA,DEG  THETA,DEG  GROUND,FT SPz,LBS-IN SPy,LBS-IN",
        // 4 blanks, I4, 1 blank, then blank + WRREAL(10,3) nine times: 2 ft,
        // 0, -1 ft (magnitude 1: exponent form), angles 0, 90 (two decimals
        // by the digit rule), 0, 10 ft, 5.0E6 (exponent form), 0; one closing blank.
        "    " "   1" " " "      2.000" "      0.000" " -1.000E+00" "      0.000" "      90.00" "      0.000"
        "      10.00" "  5.000E+06" "      0.000" " ",
    };
    EXPECT_EQ(table_d(), want);
}

// A head connection code outside 1 to 3 ends the run with the input-error
// status and a fatal block naming the row, before anything reads it.
TEST(TableD, ConnectionCodeOutsideItsMeanings) {
    test::TempDir dir;
    test::write_names(test::default_names());
    std::string text = test::read_file(std::filesystem::path(ZOLAN_FIXTURES_DIR) / "minimal3d.in");
    const std::string row = "\n2 2 1 0 0 0 0 0 1 1\n";
    ASSERT_NE(text.find(row), std::string::npos);
    text.replace(text.find(row), row.size(), "\n2 4 1 0 0 0 0 0 1 1\n");
    test::write_file("input.dat", text);
    EXPECT_EQ(IZOLAN(2), 37);
    const std::string echo = test::read_file("echo.txt");
    EXPECT_NE(echo.find("**** FATAL ERROR ****"), std::string::npos) << echo;
    EXPECT_NE(echo.find("RECORD: PILE ROW 1, RECORD 1 (PGRI3)"), std::string::npos) << echo;
    EXPECT_NE(echo.find("THE HEAD CONNECTION ABOUT Z IS 4; EXPECTED 1 (PINNED), 2 (FIXED) OR 3 (ROTATIONAL SPRING)"),
              std::string::npos)
        << echo;
    EXPECT_EQ(echo.find("TABLE D"), std::string::npos);
}

}  // namespace
}  // namespace zolan
