#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "results/effects_table.h"
#include "results/english_fixture.h"

namespace zolan {
namespace {

// The report and the summary open.
class EffectsTable : public test::EnglishResults {
protected:
    void SetUp() override {
        EnglishResults::SetUp();
        io::open_unit(RESFILE, "results.txt", {io::Access::Write});
        io::open_unit(SUMFILE, "summary.txt", {io::Access::Write});
    }
    std::string closed(int unit, const char* name) {
        io::close_unit(unit);
        return test::read_file(name);
    }
};

// Selection: the input's flags of the case, combination or envelope, less the
// quantities the model or the pile does not provide.
TEST_F(EffectsTable, SelectionFollowsTheInputAndWhatThePileProvides) {
    for (int q = 1; q <= 25; ++q) {
        EFFSLC(2, q) = 1;              // case 2 selects everything
        EFFSLB(3, q) = q % 2;          // combination 3 the odd quantities
        EFFSLE(q) = q == 4 || q == 24; // case envelope: 4 and 24
        EFFSLE(25 + q) = q >= 23;      // combination envelope: 23, 24, 25
    }
    struct Case {
        int icase, icomb, envflag, curve, kaxvar, nantyp;
        std::vector<int> selected;
    };
    const Case cases[] = {
        // Case 2, 3-D, axial variation on: everything but the ratios 24, 25.
        {2, 0, 0, -1, 1, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}},
        // Case 2, input curve: less 1, 5-8 and 18.
        {2, 0, 0, 1, 1, 3, {2, 3, 4, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20, 21, 22, 23}},
        // Case 2, plane, axial variation off: 2, 9, 12, 15, 19, 20, 22.
        {2, 0, 0, 0, 0, 2, {2, 9, 12, 15, 19, 20, 22}},
        // Combination 3: the odd ones, ratio 25 kept.
        {3, 3, 0, 0, 1, 3, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25}},
        // Case envelope: 4 (24 dropped, ICOMB 0).
        {1, 0, 1, 0, 1, 3, {4}},
        // Combination envelope: 23, 24, 25; plane drops 23.
        {1, 5, 1, 0, 1, 2, {24, 25}},
        // A case number outside the tables selects nothing.
        {0, 0, 0, 0, 1, 3, {}},
    };
    for (const Case& c : cases) {
        ICASE = c.icase;
        ICOMB = c.icomb;
        const QSEL s = EFFSEL(c.envflag, c.curve, c.kaxvar, c.nantyp);
        std::vector<int> got;
        for (int q = 1; q <= 25; ++q)
            if (s(q) > 0) got.push_back(q);
        EXPECT_EQ(got, c.selected) << "case " << c.icase << " comb " << c.icomb << " env " << c.envflag;
    }
}

// The summary heading: three blanks and the 6-character pile cell (its third
// line repeats the blank second one), then 12 columns per selected quantity;
// an open line is ended first, and no selection leaves the lead cells alone.
TEST_F(EffectsTable, SummaryHeadingCells) {
    io::current_line(SUMFILE)->append("OPEN");
    EFFHDR(1, test::selecting({15, 24}));
    EFFHDR(1, test::selecting({}));
    const std::vector<std::string> want = {
        "OPEN ",
        "     PILE   SOIL REACT   DEM./CAP.  ",
        "               y-DIR      MOMENT    ",
        "              LBS/IN                ",
        "    ******  **********  **********  ",
        " ",
        "     PILE   ",
        "            ",
        "            ",
        "    ******  ",
    };
    EXPECT_EQ(test::lines_of(closed(SUMFILE, "summary.txt")), want);
}

// Effects tables of a pile of 10 increments of 12 in printed every 1, 3 and
// 11 nodes (the tip only when 10 is a multiple of the step, 11 giving head
// and tip), with values on every branch of the real-number rule: zero, below
// 1E-50, at and beyond the single-precision bounds 0.1 and 1E4, fixed with 4
// to 1 decimals, negative, and three-digit exponents that drop the letter.
TEST_F(EffectsTable, GoldenTablesForThreeIncrements) {
    EFFREC rec;
    rec.fill(-77.0);  // rows outside 4..14 must not be read
    const double q2[11] = {0.0, 1e-60, 0.1, 0.1234, -2.5, 12.34567, 123.456, -1234.5, 9999.9, 10000.0, -1e100};
    const double q9[11] = {1.5e120, -0.05, 1e-50, 9.99e-51, 0.10000001, 1.0, 99999.5, -999.96, 5000.04, 0.099999,
                           123456789.0};
    for (int i = 0; i <= 10; ++i) {
        for (int q = 1; q <= 25; ++q) rec(4 + i, q) = 1000.0 * q + i;  // unselected
        rec(4 + i, 2) = q2[i];
        rec(4 + i, 9) = q9[i];
        rec(4 + i, 12) = 7.0;
        rec(4 + i, 19) = 1.5 * i;
    }
    const QSEL sel = test::selecting({2, 9, 12, 19});
    for (int step : {1, 3, 11}) {
        EFFHDR(0, sel);
        EFFTAB(sel, 14, step, 12.0, rec);
    }
    const std::string got = closed(RESFILE, "results.txt");
    const std::string golden = std::string(ZOLAN_FIXTURES_DIR) + "/golden/effects_table.res";
    EXPECT_EQ(got, test::read_file(golden));
}

// An increment of 0 or less prints every node, as an increment of 1 does; a
// pile without increments prints its head row alone.
TEST_F(EffectsTable, ZeroIncrementPrintsEveryNode) {
    EFFREC rec;
    for (int r = 4; r <= 7; ++r) rec(r, 1) = r;
    const QSEL sel = test::selecting({1});
    for (int step : {1, 0, -2}) EFFTAB(sel, 7, step, 12.0, rec);
    EFFTAB(sel, 4, 0, 12.0, rec);
    const std::vector<std::string> every = {
        "       0.0000      4.0000", "       1.0000      5.0000", "       2.0000      6.0000", "       3.0000      7.0000"};
    std::vector<std::string> want;
    for (int k = 0; k < 3; ++k) want.insert(want.end(), every.begin(), every.end());
    want.push_back(every[0]);
    EXPECT_EQ(test::lines_of(closed(RESFILE, "results.txt")), want);
}

}  // namespace
}  // namespace zolan
