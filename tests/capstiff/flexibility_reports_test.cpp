// Reports of a cap flexibility estimation: the caption and skip of a degree
// of freedom, the stiffness by load level from flexibility rows worked by
// hand, and the load-displacement tables against reviewed golden files.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "capstiff/capstiff_services.h"
#include "capstiff/flexibility_fixture.h"
#include "model/analysis_tables.h"
#include "model/status_codes.h"

namespace zolan {
namespace {

using test::FlexibilityReports;
using test::right;
using test::sp;

// 1P,G18.8 fields of the scratch records: 0 and 1 as F14.7 and four blanks.
const std::string G0 = "     0.0000000    ";
const std::string G1 = "     1.0000000    ";

// A skip is decided on |P0(i)| against 1e-12 as a single-precision constant
// (9.99999996e-13): 1e-12 itself and the constant are analysed, anything
// below is skipped; a skipped degree of freedom writes per level two status
// lines, its unit row and a zero plot row, and nothing with no level.
TEST_F(FlexibilityReports, DofCaptionAndSkip) {
    const double T = static_cast<double>(1e-12f);
    struct Case {
        int nantyp, i;
        double p;
        int nlev, skipped;
        std::string caption, plot;
    };
    const Case cases[] = {
        {3, 3, 1.0e-12, 3, 0, "DOF   : 3 (FORCE Z)", "CAP FLEX., 3, FORCE Z"},
        {3, 4, T, 3, 0, "DOF   : 4 (MOMENT X)", "CAP FLEX., 4, MOMENT X"},
        {3, 5, std::nextafter(T, 0.0), 1, 1, "DOF   : 5 (MOMENT Y)", "CAP FLEX., 5, MOMENT Y"},
        {3, 2, -5.0e-13, 3, 1, "DOF   : 2 (FORCE Y)", "CAP FLEX., 2, FORCE Y"},
        {2, 3, 0.0, 2, 1, "DOF   : 3 (MOMENT Z)", "CAP FLEX., 3, MOMENT Z"},
        {2, 1, 0.0, 1, 1, "DOF   : 1 (FORCE X)", "CAP FLEX., 1, FORCE X"},
        {3, 6, 0.0, 0, 1, "DOF   : 6 (MOMENT Z)", "CAP FLEX., 6, MOMENT Z"},
    };
    for (const Case& c : cases) {
        SetUp();
        io::open_unit(FLEXFILE, name(FLEXFILE), {io::Access::Write});
        const int n = c.nantyp == 2 ? 3 : 6;
        CAPVEC P0;
        P0.fill(100.0);
        P0(c.i) = c.p;
        const std::string what = c.caption + " " + std::to_string(c.p);
        EXPECT_EQ(DOFHDR(2, c.i, c.nantyp, c.nlev, n, P0), c.skipped) << what;
        std::vector<std::string> rep{"", "     " + c.caption}, stat, flex, plot{"     " + c.plot};
        if (c.skipped) rep.insert(rep.end(), {"", "             DOF NOT CONSIDERED SINCE APPLIED FORCE AT CAP IS ZERO"});
        for (int l = 1; c.skipped && l <= c.nlev; ++l) {
            stat.push_back("      DOF :     " + std::to_string(c.i) + " POINT :     " + std::to_string(l));
            stat.push_back("    5 ANALYSIS SKIPPPED APPLIED FORCE AT CAP IS ZERO");
            std::string row = sp(9) + std::to_string(l) + sp(2);
            for (int k = 1; k <= n; ++k) row += (k == c.i ? G1 : G0) + (k < n ? sp(3) : "");
            flex.push_back(row);
            plot.push_back(sp(8) + "-" + std::to_string(l) + sp(4) + "        0.00000000 ");
        }
        EXPECT_EQ(lines(RESFILE), rep) << what;
        EXPECT_EQ(lines(SUMFILE), rep) << what;
        EXPECT_EQ(lines(STATFILE), stat) << what;
        EXPECT_EQ(lines(FLEXFILE), flex) << what;
        EXPECT_EQ(lines(PLOTDATA), plot) << what;
        TearDown();
    }
}

// The matrix lines of one level as the report prints them, from the printed
// values (hand-formatted, 5 digits): plane full rows 5X,I5,4X,3(A14,4X);
// three-dimensional full rows 2X,I5,6A15; diagonal rows 24X,3(A14,4X) and
// 7X,6A15; every row ended by one blank.
std::vector<std::string> matrix_lines(bool plane, bool diag, const std::vector<std::vector<std::string>>& K) {
    const int n = plane ? 3 : 6;
    std::vector<std::string> out;
    std::string head = plane ? (diag ? sp(13) : sp(5) + " DOF " + sp(4)) : sp(2) + (diag ? sp(5) : "  DOF");
    for (int i = 1; i <= n; ++i) {
        const std::string d = std::to_string(i);
        if (diag) head += plane ? sp(7) + "K" + d + d + (i < n ? sp(8) : "") : sp(9) + "K" + d + d + (i < n ? sp(3) : "");
        else head += plane ? right(d, 9) + (i < n ? sp(9) : "") : right(d, 11) + (i < n ? sp(4) : "");
    }
    out.push_back(head);
    for (std::size_t r = 0; r < K.size(); ++r) {
        std::string row = diag ? sp(plane ? 24 : 7) : plane ? sp(5) + right(std::to_string(r + 1), 5) + sp(4)
                                                            : sp(2) + right(std::to_string(r + 1), 5);
        for (const std::string& v : K[r]) row += plane ? right(v, 14) + sp(4) : right(v, 15);
        out.push_back(row + " ");
    }
    return out;
}

std::vector<std::string> warning(const std::string& names) {
    return {"", "     WARNING : STIFFNESS VALUES FOR COMPONENT(S): " + names,
            "     WERE NOT ESTIMATED SINCE THERE WAS NO CONVERGENCE ON PILE CAP OR APPLIED FORCE AT CAP IS ZERO",
            "     VALUE OF 1.0 IS PRINTED FOR THE STIFFNESS(ES)", ""};
}

// Stiffness by level on small flexibility matrices inverted by hand, full and
// diagonal, plane and three-dimensional:
//   plane level 1: F = [2 0 0; 0 4 1; 0 1 0.5] (column j: the row of DOF j);
//     the lower block [4 1; 1 0.5] has determinant 1 and inverse
//     [0.5 -1; -1 4], so K = [0.5 0 0; 0 0.5 -1; 0 -1 4]; diagonal:
//     K = (1/2, 1/4, 1/0.5).
//   plane level 2: F = diag(4, 0.5) and the unit row of DOF 3: K = (0.25, 2,
//     1.0), K33 not estimated.
//   3-D, not symmetric: DOFs 1 and 5 coupled by [F11 F15; F51 F55] =
//     [4 3; 1 1.5], determinant 3, inverse [1.5 -3; -1 4] / 3; F22 = 4,
//     F44 = 8, F66 = 0.1, DOF 3 a unit row: K11 = 0.5, K15 = -1, K51 = -1/3,
//     K55 = 4/3, K22 = 0.25, K33 = 1, K44 = 0.125, K66 = 10; diagonal:
//     K11 = 0.25, K55 = 1/1.5. A coefficient of exactly 1.0 on the diagonal
//     (DOF 3 here) reads as a unit row.
//   Singular (plane, DOF 2 row all zero, as a level without load and without
//   displacement): full, nothing can be estimated, every K prints 1.0 and is
//   named; diagonal, K11 = 0.5, K33 = 1/4, K22 prints 1.0 and is named.
TEST_F(FlexibilityReports, StiffnessByLevel) {
    using Rows = std::vector<FlexibilityReports::Rec>;
    using M = std::vector<std::vector<std::string>>;
    const std::string O = "0.00000";
    struct Level {
        M K;
        std::string missing;
    };
    struct Case {
        const char* what;
        bool plane, diag;
        Rows rows;
        std::vector<Level> levels;
    };
    const Rows plane2 = {{1, {2, 0, 0}}, {2, {4, 0, 0}}, {1, {0, 4, 1}}, {2, {0, 0.5, 0}}, {1, {0, 1, 0.5}}, {2, {0, 0, 1}}};
    const Rows solid = {{1, {4, 0, 0, 0, 1, 0}}, {1, {0, 4, 0, 0, 0, 0}}, {1, {0, 0, 1, 0, 0, 0}},
                        {1, {0, 0, 0, 8, 0, 0}}, {1, {3, 0, 0, 0, 1.5, 0}}, {1, {0, 0, 0, 0, 0, 0.1}}};
    const Rows singular = {{1, {2, 0, 0}}, {1, {0, 0, 0}}, {1, {0, 0, 4}}};
    const Case cases[] = {
        {"plane, full", true, false, plane2,
         {{{{"0.50000", O, O}, {O, "0.50000", "-1.00000"}, {O, "-1.00000", "4.00000"}}, ""},
          {{{"0.25000", O, O}, {O, "2.00000", O}, {O, O, "1.00000"}}, "K33  "}}},
        {"plane, diagonal", true, true, plane2,
         {{{{"0.50000", "0.25000", "2.00000"}}, ""}, {{{"0.25000", "2.00000", "1.00000"}}, "K33  "}}},
        {"3-D, full", false, false, solid,
         {{{{"0.50000", O, O, O, "-1.00000", O},
            {O, "0.25000", O, O, O, O},
            {O, O, "1.00000", O, O, O},
            {O, O, O, "0.12500", O, O},
            {"-0.33333", O, O, O, "1.33333", O},
            {O, O, O, O, O, "10.0000"}},
           "K33  "}}},
        {"3-D, diagonal", false, true, solid,
         {{{{"0.25000", "0.25000", "1.00000", "0.12500", "0.66667", "10.0000"}}, "K33  "}}},
        {"singular, full", true, false, singular,
         {{{{"1.00000", O, O}, {O, "1.00000", O}, {O, O, "1.00000"}}, "K11, K22, K33  "}}},
        {"singular, diagonal", true, true, singular, {{{{"0.50000", "1.00000", "0.25000"}}, "K22  "}}},
    };
    for (const Case& c : cases) {
        SetUp();
        scratch(FLEXFILE, c.rows);
        io::open_unit(FLEXFILE, name(FLEXFILE), {io::Access::ReadIfExists});  // open as the driver leaves it
        const int nlev = static_cast<int>(c.levels.size());
        PTFAC(1) = 0.5;
        PTFAC(2) = 1.0;
        STFREP(1, c.diag ? 1 : 0, nlev, c.plane ? 3 : 6, 6, PTFAC, ISTAT);
        EXPECT_EQ(ISTAT, 0) << c.what;
        EXPECT_FALSE(io::unit_open(FLEXFILE)) << c.what;
        std::vector<std::string> rep{"", "", "     * PILE CAP STIFFNESS ESTIMATION *"};
        const char* factor[] = {"    0.5000", "    1.0000"};
        for (int p = 1; p <= nlev; ++p) {
            const Level& lv = c.levels[static_cast<std::size_t>(p - 1)];
            rep.insert(rep.end(), {"", "       N:    " + std::to_string(p) + "  FACTOR :" + factor[p - 1]});
            for (const std::string& l : matrix_lines(c.plane, c.diag, lv.K)) rep.push_back(l);
            if (!lv.missing.empty())
                for (const std::string& l : warning(lv.missing)) rep.push_back(l);
        }
        EXPECT_EQ(lines(RESFILE), rep) << c.what;
        EXPECT_EQ(lines(SUMFILE), rep) << c.what;
        EXPECT_EQ(lines(RUNFILE), std::vector<std::string>{"     * PILE CAP STIFFNESS ESTIMATION *"}) << c.what;
        TearDown();
    }
}

// Plot rows of a level: the diagonal row (14X, then A18,4X per value) and
// the n full rows (5X,I5,4X, then A18,4X), F18.8 values (plane level 1
// above); a report switch other than 1 writes and reads nothing; without
// levels only the headings are written; a file short of rows is a run-file
// failure, not a report of made-up values.
TEST_F(FlexibilityReports, StiffnessPlotRowsSwitchesAndShortFile) {
    scratch(FLEXFILE, {{1, {2, 0, 0}}, {1, {0, 2, 1}}, {1, {0, 1, 1}}});
    PTFAC(1) = 1.0;
    auto v = [](const char* x) { return right(x, 18) + sp(4); };
    STFREP(1, 0, 1, 3, 6, PTFAC, ISTAT);
    EXPECT_EQ(ISTAT, 0);
    const std::vector<std::string> plot = {
        "     * PILE CAP STIFFNESS ESTIMATION *",
        "       N:    1  FACTOR :    1.0000",
        sp(14) + v("0.50000000") + v("1.00000000") + v("2.00000000") + " ",
        sp(5) + "    1" + sp(4) + v("0.50000000") + v("0.00000000") + v("0.00000000") + " ",
        sp(5) + "    2" + sp(4) + v("0.00000000") + v("1.00000000") + v("-1.00000000") + " ",
        sp(5) + "    3" + sp(4) + v("0.00000000") + v("-1.00000000") + v("2.00000000") + " "};
    EXPECT_EQ(lines(PLOTDATA), plot);

    struct Case {
        const char* what;
        int report, nlev, rows, istat, res_lines;
    };
    const Case cases[] = {
        {"report switch 0", 0, 1, 3, 0, 0},
        {"report switch 2", 2, 1, 3, 0, 0},
        {"no level", 1, 0, 0, 0, 3},
        {"one row short", 1, 1, 2, ISFILE, 3},
    };
    for (const Case& c : cases) {
        SetUp();
        std::vector<FlexibilityReports::Rec> rows;
        for (int r = 1; r <= c.rows; ++r) rows.push_back({1, {1.0, 1.0, 1.0}});
        scratch(FLEXFILE, rows);
        io::open_unit(FLEXFILE, name(FLEXFILE), {io::Access::ReadIfExists});
        STFREP(c.report, 0, c.nlev, 3, 6, PTFAC, ISTAT);
        EXPECT_EQ(ISTAT, c.istat) << c.what;
        EXPECT_EQ(FAILTXT.size(), c.istat ? 1u : 0u) << c.what;
        EXPECT_EQ(lines(RESFILE).size(), static_cast<std::size_t>(c.res_lines)) << c.what;
        EXPECT_EQ(io::unit_open(FLEXFILE), c.report != 1) << c.what;
        TearDown();
    }
}

}  // namespace
}  // namespace zolan
