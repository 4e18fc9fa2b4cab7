#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/run_files.h"
#include "results/pile_extremes.h"
#include "results/english_fixture.h"

namespace zolan {
namespace {

class PileExtremes : public test::EnglishResults {};

// Plot data of a plane pile with an input curve in a load case: the flags of
// quantities 2, 9, 12, 15, 19, 20 and 22 only; per node the distance in
// inches and those values in 1P,G16.8 (fixed: 8 digits and 4 blanks; zero
// with 7 decimals; 1.23456789E+08 beyond 1E8), a value below 1E-50 as zero.
TEST_F(PileExtremes, PlotDataFlagsAndNodeLines) {
    io::open_unit(PLOTDATA, "plotdata.txt", {io::Access::Write});
    EFFREC rec;
    rec.fill(0.0);
    for (int q = 1; q <= 25; ++q) rec(4, q) = rec(5, q) = (q == 2 || q == 9 || q == 12 || q == 15 || q == 19 || q == 20 || q == 22) ? 0.0 : 55.0;
    rec(4, 2) = 0.5;
    rec(5, 2) = -1e-60;
    rec(4, 9) = 123456789.0;
    rec(5, 9) = -2.5;
    EFFPLT(5, 1, 1, 0, 2, 30.0, rec);
    io::close_unit(PLOTDATA);
    std::string flags = "        25";
    for (int q = 1; q <= 25; ++q)
        flags += (q == 2 || q == 9 || q == 12 || q == 15 || q == 19 || q == 20 || q == 22) ? "    1" : "    0";
    const std::string zero = "   0.0000000    ";
    const std::vector<std::string> want = {
        flags,
        "      " + zero + "  0.50000000    " + "  1.23456789E+08" + zero + zero + zero + zero + zero,
        "      " + std::string("   30.000000    ") + zero + "  -2.5000000    " + zero + zero + zero + zero + zero,
    };
    EXPECT_EQ(test::lines_of(test::read_file("plotdata.txt")), want);
}

// Extremes over a pile of four increments of 10: ties keep the shallower
// node, a constant quantity has both extremes at depth 0, an extreme at the
// head keeps depth 0 against an equal tip.
TEST_F(PileExtremes, TiesKeepTheShallowestNode) {
    EFFREC rec;
    rec.fill(0.0);
    struct Case { int q; double v[5]; double vmin, dmin, vmax, dmax; };
    const Case cases[] = {
        {1, {3, 1, 5, 1, 5}, 1, 10, 5, 20},     // equal minima at nodes 1 and 3, maxima at 2 and 4
        {2, {2, 2, 2, 2, 2}, 2, 0, 2, 0},       // constant
        {3, {-1, 0, 0, 0, -1}, -1, 0, 0, 10},   // minimum at the head and the tip
    };
    for (const Case& c : cases)
        for (int i = 0; i < 5; ++i) rec(4 + i, c.q) = c.v[i];
    rec(9, 1) = -100.0;  // beyond the tip: not read
    const PILEXT e = pile_extremes(8, 10.0, rec);
    for (const Case& c : cases) {
        EXPECT_EQ(e.vmin(c.q), c.vmin) << c.q;
        EXPECT_EQ(e.dmin(c.q), c.dmin) << c.q;
        EXPECT_EQ(e.vmax(c.q), c.vmax) << c.q;
        EXPECT_EQ(e.dmax(c.q), c.dmax) << c.q;
    }
}

// A pile of 1200 in with 40 increments (h = 30 in) whose quantity 5 peaks at
// node 10: record 8 gives the depth 300 in / 12 = 25 ft as 25.0000 in the
// columns of quantity 5 (71-81), record 6 depth 0 for its minimum.
TEST_F(PileExtremes, WorkedDepthInFeet) {
    io::open_unit(WORKFILE, "ptop.tmp", {io::Access::Write});
    EFFREC rec;
    rec.fill(0.0);
    rec(14, 5) = 9.0;
    EFFEXT(3, 44, 30.0, rec);
    io::close_unit(WORKFILE);
    const auto lines = test::lines_of(test::read_file("ptop.tmp"));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].substr(0, 9), "        3");
    EXPECT_EQ(lines[3].substr(5, 5), "x(FT)");
    EXPECT_EQ(lines[3].substr(70, 11), "    25.0000");
    EXPECT_EQ(lines[1].substr(70, 11), "     0.0000");
    EXPECT_EQ(lines[2].substr(69, 12), " 0.90000E+01");
}

}  // namespace
}  // namespace zolan
