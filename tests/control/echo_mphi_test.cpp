#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/input_echo.h"
#include "model/input_tables.h"
#include "model/mphi_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

using test::lines_of;

std::string sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

void fresh(int nantyp) {
    reset_run_state();
    reset_input_tables();
    reset_pile_tables();
    reset_section_tables();
    reset_mphi_tables();
    NUNITS = 1;
    UNITLB(1);
    NANTYP = nantyp;
}

// Runs TABLEJ (the current folder is the test's) and returns the echo lines.
std::vector<std::string> table_j() {
    EXPECT_TRUE(io::open_unit(ECHOFILE, "echo.txt", {io::Access::Write}));
    int status = 0;
    TABLEJ(status);
    EXPECT_EQ(status, 0);
    io::close_unit(ECHOFILE);
    io::close_unit(MPHIFILE);
    return lines_of(test::read_file("echo.txt"));
}

void open_listing(const std::string& text) {
    test::write_file("mphi.lst", text);
    ASSERT_TRUE(io::open_unit(MPHIFILE, "mphi.lst", {io::Access::ReadIfExists}));
}

// Axis `axis` of cross section k gets levels whose values tell where they
// came from: axial load 1000 k + 100 axis + l, moment 10 * that + p,
// curvature 1e-5 * p, l + 1 points per level.
void section_curves(int k, int axis, int levels) {
    SectionCurveInput& t = MPXIN(axis);
    t.NL(k) = levels;
    for (int l = 1; l <= levels; ++l) {
        t.AXL(k, l) = 1000.0 * k + 100.0 * axis + l;
        t.VAL2(k, l) = -1.0;
        t.NPT(k, l) = l + 1;
        for (int p = 1; p <= l + 1; ++p) {
            t.MOM(k, l, p) = 10.0 * t.AXL(k, l) + p;
            t.CUR(k, l, p) = 1e-5 * p;
        }
    }
}

// Table J of one user set in English units, line by line, and the set in
// table 1.
TEST(TableJ, UserSetEcho) {
    test::TempDir dir;
    fresh(3);
    NMPSET = 1;
    NMPS = 1;
    MPUIN.NC(1) = 1;
    MPUIN.AXL(1, 1) = 1000.0;
    MPUIN.NPT(1, 1) = 2;
    MPUIN.MOM(1, 1, 1) = 5000.0;
    MPUIN.CUR(1, 1, 1) = 0.0001;
    MPUIN.MOM(1, 1, 2) = 12345.678;
    MPUIN.CUR(1, 1, 2) = 0.0025;
    const std::vector<std::string> want = {
        "", "", "",
        "     * TABLE J *   MOMENT CURVATURE SETS    ",
        "", "",
        "       USER DEFINED MOMENT CURVATURE",
        "",
        "       NUM OF SETS :  1",
        "", "",
        "       CURVE SET  1          NUM OF CURVES  1",
        "",
        "",
        // 8X, "CURVE", I3, 6X, text, 3X, E10.3 of 1000, " LBS"
        "        CURVE  1              AXIAL LOAD     0.100E+04 LBS",
        "",
        sp(12) + "POINT" + sp(14) + "MOMENT" + sp(13) + "CURVATURE",
        sp(12 + 5 + 13) + " LBS" + "-" + "IN" + sp(13) + "RADIAN/" + "IN",
        // 10X, I5, 11X; 5000 has k = 3: F12.2; 1e-4 <= 1e-2: 1P,E12.5
        "              1" "           " "     5000.00" "         " " 1.00000E-04" " ",
        // 12345.678: k = 4, F12.1; 0.0025: exponent form
        "              2" "           " "     12345.7" "         " " 2.50000E-03" " ",
    };
    EXPECT_EQ(table_j(), want);
    EXPECT_EQ(MPNLEV(1), 1);
    EXPECT_EQ(MPAXL(1, 1), 1000.0);
    EXPECT_EQ(MPNPT(1, 1), 2);
    EXPECT_EQ(MPMOM(1, 1, 2), 12345.678);
    EXPECT_EQ(MPCUR(1, 1, 2), 0.0025);
}

// The tables of the nonlinear sections are those that Table E numbers: after
// running both, MPSEC1 and MPSEC2 of every section lead to its own curves, in
// both models; a kind-10 section has none. The listing follows under its
// heading, each line without its trailing blanks (cut at 256 characters).
TEST(TableJ, GeneratedTablesAgreeWithSectionNumbers) {
    for (int nantyp : {3, 2}) {
        SCOPED_TRACE(nantyp == 3 ? "3-D" : "plane");
        test::TempDir dir;
        fresh(nantyp);
        // Two user sets; sections of kinds 2, 10 and 7, the first and last with curves.
        NMPSET = 1;
        NMPS = 2;
        for (int s = 1; s <= 2; ++s) {
            MPUIN.NC(s) = 1;
            MPUIN.AXL(s, 1) = s;
            MPUIN.NPT(s, 1) = 1;
        }
        NPRSET = 1;
        PPIN.NSEC(1) = 3;
        PPIN.NINCR(1) = 30;
        PPIN.PLEN(1) = 360.0;
        PPIN.PTYPE(1) = 1;
        for (int s = 1; s <= 3; ++s) {
            PPIN.STOP(1, s) = 120.0 * (s - 1);
            PPIN.SBOT(1, s) = 120.0 * s;
            PPIN.SXS(1, s) = s;
        }
        NSECT = 3;
        NSCCRV = 3;
        const int kinds[3] = {2, 10, 7};
        for (int k = 1; k <= 3; ++k) {
            XSNLF(k) = 1;
            XSNLI(k, 0) = kinds[k - 1];
            XSTAB(k, 1) = XSTAB(k, 19) = 24.0;
        }
        XSNLI(2, 27) = 1;
        XSNLI(2, 28) = 2;
        for (int k : {1, 3}) {
            section_curves(k, 1, 2);
            if (nantyp == 3) section_curves(k, 2, 3);
        }
        EXPECT_TRUE(io::open_unit(ECHOFILE, "e.txt", {io::Access::Write}));
        int status = 0;
        TABLEE(status);
        ASSERT_EQ(status, 0);
        io::close_unit(ECHOFILE);

        open_listing("FIRST LINE   \n\n  THIRD\n" + std::string(300, 'A') + "\n");
        const std::vector<std::string> lines = table_j();

        // Tables: 1-2 user sets; then section 1 and section 3, one per axis.
        const int count = nantyp == 3 ? 6 : 4;
        EXPECT_EQ(MPNLEV(count + 1), 0);
        for (int k : {1, 3}) {
            for (int axis = 1; axis <= (nantyp == 3 ? 2 : 1); ++axis) {
                const int t = axis == 1 ? MPSEC1(1, k) : MPSEC2(1, k);
                ASSERT_TRUE(t > 2 && t <= count) << "section " << k << " axis " << axis;
                const SectionCurveInput& in = MPXIN(axis);
                ASSERT_EQ(MPNLEV(t), in.NL(k));
                for (int l = 1; l <= in.NL(k); ++l) {
                    EXPECT_EQ(MPAXL(t, l), 1000.0 * k + 100.0 * axis + l);
                    ASSERT_EQ(MPNPT(t, l), l + 1);
                    EXPECT_EQ(MPMOM(t, l, l + 1), 10.0 * MPAXL(t, l) + l + 1);
                    EXPECT_EQ(MPCUR(t, l, l + 1), 1e-5 * (l + 1));
                }
            }
        }
        EXPECT_EQ(MPSEC1(1, 2), 1);  // the kind-10 section keeps the user set it names
        EXPECT_EQ(MPAXL(1, 1), 1.0);
        EXPECT_EQ(MPAXL(2, 1), 2.0);

        const std::vector<std::string> tail = {
            "", "",
            "       INTERNALLY GENERATED MOMENT CURVATURE",
            "",
            "FIRST LINE ",
            " ",
            "  THIRD ",
            std::string(256, 'A') + " ",
        };
        ASSERT_GE(lines.size(), tail.size());
        EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<long>(tail.size()), lines.end()), tail);
    }
}

// Which headings appear: without user sets no Table J heading and the
// generated tables start at 1; a kind-10 section alone adds no table and
// copies nothing; without a listing (none, or an empty one) the generated
// tables follow their heading, each naming its cross section and bending
// axis, in the layout of the user sets.
TEST(TableJ, HeadingsByInput) {
    struct Case {
        const char* what;
        int nmpset, kind;
        const char* listing;  // nullptr: none named
        std::vector<std::string> want;
        int tables;
    };
    const std::vector<std::string> gen = {"", "", "       INTERNALLY GENERATED MOMENT CURVATURE", ""};
    // Table t of cross section 1, bending axis t: one level of axial load
    // 1000 + 100 t + 1 = 1101 or 1201 lbs, moments 10 times that plus the
    // point's number, curvatures 1e-5 times it.
    std::vector<std::string> printed = gen;
    for (int t : {1, 2}) {
        const std::string load = t == 1 ? "0.110E+04" : "0.120E+04";
        const std::string m = t == 1 ? "1101" : "1201";
        const std::vector<std::string> block = {
            "", "",
            "       CURVE SET  " + std::to_string(t) + "          NUM OF CURVES  1          CROSS SECTION  1, BENDING "
            "AXIS " + std::to_string(t),
            "", "",
            "        CURVE  1              AXIAL LOAD     " + load + " LBS",
            "",
            sp(12) + "POINT" + sp(14) + "MOMENT" + sp(13) + "CURVATURE",
            sp(12 + 5 + 13) + " LBS-IN" + sp(13) + "RADIAN/IN",
            "              1" + sp(11) + "     " + m + "1.0" + sp(9) + " 1.00000E-05 ",
            "              2" + sp(11) + "     " + m + "2.0" + sp(9) + " 2.00000E-05 ",
        };
        printed.insert(printed.end(), block.begin(), block.end());
    }
    const Case cases[] = {
        {"no user sets", 0, 2, "LISTING\n",
         {"", "", "       INTERNALLY GENERATED MOMENT CURVATURE", "", "LISTING "}, 2},
        {"kind 10 only", 0, 10, "LISTING\n", {}, 0},
        {"missing listing", 0, 2, nullptr, printed, 2},
        {"empty listing", 0, 2, "", printed, 2},
        {"user flag, no sets", 1, 10, "LISTING\n", {"", "", "", "     * TABLE J *   MOMENT CURVATURE SETS    "}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        fresh(3);
        NMPSET = c.nmpset;
        NSECT = NSCCRV = 1;
        XSNLF(1) = 1;
        XSNLI(1, 0) = c.kind;
        section_curves(1, 1, 1);
        section_curves(1, 2, 1);
        if (c.listing) open_listing(c.listing);
        EXPECT_EQ(table_j(), c.want);
        EXPECT_EQ(MPNLEV(1), c.tables > 0 ? 1 : 0);
        EXPECT_EQ(MPAXL(2, 1), c.tables > 1 ? 1201.0 : 0.0);
    }
}

// Table J1 in English units: depths in feet, factors as given, "NUM OF
// POINTS" and that many rows per set.
TEST(TableJ1, FactorsAlongDepth) {
    test::TempDir dir;
    fresh(2);
    KJ1 = 1;
    NRFSET = 2;
    RFLNPT(1) = 2;
    RFLDEP(1, 1) = 0.0;    // 0 ft
    RFLPF(1, 1) = 0.5;
    RFLYF(1, 1) = 1.0;
    RFLDEP(1, 2) = 120.0;  // 10 ft: k = 1, F12.4
    RFLPF(1, 2) = 0.25;
    RFLYF(1, 2) = 2.0;
    RFLNPT(2) = 1;
    RFLDEP(2, 1) = 240.0;
    RFLPF(2, 1) = 1.0;
    RFLYF(2, 1) = 1.0;
    const std::string cols = sp(12) + "     DEPTH," + "FT" + sp(10) + "P-FACTOR   " + sp(10) + "Y-FACTOR   ";
    const std::vector<std::string> want = {
        "", "", "",
        "     * TABLE J1 *  REDUCTION FACTORS ALONG DEPTH  ",
        "",
        "       NUM OF SETS :  2",
        "",
        "          SET  1          NUM OF POINTS  2",
        "",
        cols,
        // 11X, depth, 9X, p-factor, 9X, y-factor (WRREAL 12, 5), closing blank
        "           " "     0.00000" "         " "     0.50000" "         " "     1.00000" " ",
        "           " "     10.0000" "         " "     0.25000" "         " "     2.00000" " ",
        "",
        "          SET  2          NUM OF POINTS  1",
        "",
        cols,
        "           " "     20.0000" "         " "     1.00000" "         " "     1.00000" " ",
    };
    EXPECT_EQ(table_j(), want);
}

// Table J2: the plane model has no Z column; depths in feet, movements in inches.
TEST(TableJ2, SoilMovement) {
    for (int nantyp : {2, 3}) {
        SCOPED_TRACE(nantyp);
        test::TempDir dir;
        fresh(nantyp);
        KJ2 = 1;
        NSMOV = 2;
        SMDEP(1) = 0.0;
        SMVCUR(1, 1) = 1.5;
        SMVCUR(1, 2) = -0.5;
        SMDEP(2) = 240.0;
        SMVCUR(2, 1) = 0.25;
        SMVCUR(2, 2) = 0.0;
        std::vector<std::string> want = {"", "", "", "     * TABLE J2 *  SOIL MOVEMENT DATA       "};
        if (nantyp == 2) {
            want.push_back(sp(12) + "POINT" + sp(9) + "DEPTH" + sp(13) + "MOVE Y-DIR");
            want.push_back(sp(12 + 5 + 9 + 2) + "FT" + sp(18) + "IN");
            want.push_back("              1" "           " "     0.00000" "         " "     1.50000" " ");
            want.push_back("              2" "           " "     20.0000" "         " "     0.25000" " ");
        } else {
            want.push_back(sp(12) + "POINT" + sp(9) + "DEPTH" + sp(13) + "MOVE Y-DIR" + sp(13) + "MOVE Z-DIR");
            want.push_back(sp(12 + 5 + 9 + 2) + "FT" + sp(18) + "IN" + sp(18) + "IN");
            want.push_back("              1" "           " "     0.00000" "         " "     1.50000" "         "
                           "    -0.50000" " ");
            want.push_back("              2" "           " "     20.0000" "         " "     0.25000" "         "
                           "     0.00000" " ");
        }
        EXPECT_EQ(table_j(), want);
    }
}

}  // namespace
}  // namespace zolan
