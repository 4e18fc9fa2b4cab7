// Next trial factor of a target-deflection level from its history, and the
// report of an accepted level point with its target line.
#include "capstiff/target_factor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "capstiff/capstiff_services.h"
#include "model/run_state.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

std::string pad(const std::string& s, std::size_t w) { return std::string(w - s.size(), ' ') + s; }

using Pairs = std::vector<std::pair<double, double>>;  // (deflection, factor), newest last

double factor(const Pairs& pairs, double target) {
    Table2<double, 2, MAXHIST> h;
    const int n = static_cast<int>(pairs.size());
    for (int k = 1; k <= n; ++k) h(1, k) = pairs[k - 1].first, h(2, k) = pairs[k - 1].second;
    return TGTFAC(h, n, target);
}

// Factor from the history: empty, one pair, and pairs ordered by factor with
// interpolation inside and extrapolation at both ends.
TEST(TargetFactor, FromHistory) {
    test::Seams seams;
    struct Case {
        Pairs pairs;
        double target, factor;
    };
    const Case cases[] = {
        {{}, 0.01, 0.0},
        {{{0.05, 1.0}}, 0.01, 0.2},
        {{{5e-5, 1.0}}, 0.01, 1.0},  // too small a deflection
        // Ordered: (0, 0), (0.03, 0.5), (0.1, 1).
        {{{0, 0}, {0.1, 1}, {0.03, 0.5}}, 0.05, 0.5 + 0.5 * 0.02 / 0.07},
        {{{0, 0}, {0.1, 1}, {0.03, 0.5}}, 0.2, 0.5 + 0.5 * 0.17 / 0.07},
        {{{0, 0}, {0.1, 1}, {0.03, 0.5}}, -0.01, 0.5 * -0.01 / 0.03},
        // The worked cases: the first interval, beyond the last pair, the
        // newest pair sorted into place 2 and the second interval.
        {{{0, 0}, {2.0, 1.0}}, 1.0, 0.5},
        {{{0, 0}, {2.0, 1.0}}, 3.0, 1.5},
        {{{0, 0}, {2.0, 1.0}, {1.0, 0.5}}, 1.5, 0.75},
        // Below every deflection: pairs 1 and 2 = (1, 0.5), (2, 1.0).
        {{{2.0, 1.0}, {4.0, 2.0}, {1.0, 0.5}}, 0.5, 0.25},
        // A newest pair of an equal factor goes after the older one: (1, 1),
        // (3, 1), (5, 2); T = 4 lies in (3, 1)-(5, 2).
        {{{1.0, 1.0}, {5.0, 2.0}, {3.0, 1.0}}, 4.0, 1.5},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(factor(c.pairs, c.target), c.factor, 1e-12)
            << "pairs " << c.pairs.size() << ", target " << c.target;
}

// Equal deflections at both ends of the chosen interval give the upper
// factor, never 0/0; a count beyond the history's 20 places reads 20 pairs,
// and a full history takes no further pair.
TEST(TargetFactor, FlatIntervalAndBoundedHistory) {
    test::Seams seams;
    EXPECT_EQ(factor({{0.5, 1.0}, {0.5, 2.0}}, 0.7), 2.0);
    EXPECT_EQ(factor({{0.5, 1.0}, {0.5, 2.0}}, 0.2), 2.0);

    // Pairs (k, k) for k = 1..20: the target 30 extrapolates from (19, 19), (20, 20).
    Table2<double, 2, MAXHIST> h;
    int n = 0;
    for (int k = 1; k <= 25; ++k) insert_history_pair(h, n, k, k);
    EXPECT_EQ(n, MAXHIST);
    EXPECT_EQ(h(2, MAXHIST), 20.0);
    EXPECT_DOUBLE_EQ(TGTFAC(h, 40, 30.0), 30.0);
    EXPECT_DOUBLE_EQ(TGTFAC(h, -3, 30.0), 0.0);
}

class PointReport : public ::testing::Test {
protected:
    void SetUp() override {
        NUNITS = 1;
        UNITLB(1);
        for (int u : {RESFILE, SUMFILE, PLOTDATA}) io::open_unit(u, name(u), {io::Access::Write});
    }
    void TearDown() override {
        io::close_all_units();
        reset_unit_labels();
        reset_run_state();
    }
    static std::string name(int u) { return "unit" + std::to_string(u) + ".txt"; }
    std::vector<std::string> lines(int u) {
        io::close_unit(u);
        return test::lines_of(test::read_file(name(u)));
    }
    test::TempDir dir;
};

// A three-dimensional target level on Y: the point lines, the target line on
// both reports with the length label, six loads and displacements per row.
TEST_F(PointReport, ThreeDimensionalTarget) {
    Table1<double, MAXSTL> PTFAC;
    PTFAC(1) = 0.5, PTFAC(2) = 1.0;  // two levels
    PTFAC(3) = 1.0, PTFAC(4) = 2.0;  // target deflection, degree of freedom 2
    CAPVEC load, disp;
    for (int k = 1; k <= 6; ++k) load(k) = 100.0 * k, disp(k) = 0.25;
    ORIGWR(2, 3, 1, 0.5, 0.49, 0.5, PTFAC, load, disp);
    const std::string target =
        "       DISPLACEMENT Y,  TARGET =      0.50000 IN , COMPUTED =      0.49000 IN ";
    // R15.5 of 100 k: 100.000 .. 600.000; of 0.25: 0.25000.
    std::string lrow = "   LOAD", drow = "   DISP";
    for (int k = 1; k <= 6; ++k) lrow += "        " + std::to_string(k) + "00.000", drow += "        0.25000";
    const std::vector<std::string> res = {target, lrow + " ", drow + " "};
    EXPECT_EQ(lines(RESFILE), res);
    const std::vector<std::string> sum = {"", "       N:    1  FACTOR :    0.5000", target, lrow + " ", drow + " "};
    EXPECT_EQ(lines(SUMFILE), sum);
    const std::vector<std::string> plot = lines(PLOTDATA);
    ASSERT_EQ(plot.size(), 5u);
    EXPECT_EQ(plot[0], "        1   N:    1  FACTOR :    0.5000");
    EXPECT_EQ(plot[1], "       * EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
    // R18.8 of 100: F18.6, then 5X.
    EXPECT_EQ(plot[2].substr(0, 30), "       " + pad("100.000000", 18) + "     ");
    EXPECT_EQ(plot[2].size(), 7u + 6 * 23 + 1);
    EXPECT_EQ(plot[3], "       * DISPLACEMENT OF PILE CAP AT ORIGIN *");
}

// The plane model prints three values; its rotation target (3 or 6) has no
// unit label; a level based on the total load has no target line.
TEST_F(PointReport, PlaneRotationAndTotalLoad) {
    Table1<double, MAXSTL> PTFAC;
    PTFAC(1) = 1.0, PTFAC(2) = 1.0, PTFAC(3) = 3.0;
    CAPVEC load, disp;
    load(1) = 10.0, load(2) = -20.0, load(3) = 30.0, load(4) = 99.0;
    ORIGWR(1, 2, 1, 1.0, 0.002, 0.002, PTFAC, load, disp);
    PTFAC(3) = 6.0;
    TGTWR(RESFILE, 1, 2, 0.002, 0.002, PTFAC);
    PTFAC(2) = 0.0;
    TGTWR(RESFILE, 1, 2, 0.002, 0.002, PTFAC);
    ORIGWR(1, 2, 2, 1.0, 0.0, 0.0, PTFAC, load, disp);
    // R13.5 of 0.002 (at most 10^-2): 1PE13.5; R15.5 of 10, -20, 30: F15.4; of 0: F15.5.
    const std::string rot = "           ROTATION Z,  TARGET =  2.00000E-03 , COMPUTED =  2.00000E-03 ";
    const std::string lrow = "   LOAD" + pad("10.0000", 15) + pad("-20.0000", 15) + pad("30.0000", 15) + " ";
    const std::string drow = "   DISP" + pad("0.00000", 15) + pad("0.00000", 15) + pad("0.00000", 15) + " ";
    const std::vector<std::string> res = {rot, lrow, drow, rot, lrow, drow};
    EXPECT_EQ(lines(RESFILE), res);
}

}  // namespace
}  // namespace zolan
