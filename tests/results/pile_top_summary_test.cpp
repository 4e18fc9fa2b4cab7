#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/status_codes.h"
#include "results/english_fixture.h"
#include "results/pile_top_summary.h"
#include "results/work_file.h"

namespace zolan {
namespace {

// The summary, the scratch and the work file under the run's name.
class PileTopSummary : public test::EnglishResults {
protected:
    void SetUp() override {
        EnglishResults::SetUp();
        FPTOPSC = "ptop.tmp";
        io::open_unit(SUMFILE, "summary.txt", {io::Access::Write});
        io::open_unit(SUMSCR, "sumscr.tmp", {io::Access::Write});
    }
    std::vector<std::string> lines(int unit, const char* name) {
        io::close_unit(unit);
        return test::lines_of(test::read_file(name));
    }
};

// Running extremes: pile row 1 sets them whatever they held, later rows
// replace them only when strictly beyond, so ties keep the lower pile row;
// only the first n columns move.
TEST(Vmnmxl, StrictMergeKeepsTheLowerPileRow) {
    COLEXT e;
    e.vmin(1) = -99.0;  // left from before: pile row 1 overwrites it
    const double rows[4][3] = {{1, 5, 7}, {1, 6, 7}, {0, 6, 8}, {0, 4, 9}};
    Table1<double, MAXNQ> x;
    for (int p = 1; p <= 4; ++p) {
        for (int k = 1; k <= 3; ++k) x(k) = rows[p - 1][k - 1];
        VMNMXL(p, 2, x, e);
    }
    struct Col { int k; double vmin; int pmin; double vmax; int pmax; };
    const Col cols[] = {{1, 0, 3, 1, 1}, {2, 4, 4, 6, 2}, {3, 0, 1, 0, 1}};
    for (const Col& c : cols) {
        EXPECT_EQ(e.vmin(c.k), c.vmin) << c.k;
        EXPECT_EQ(e.pmin(c.k), c.pmin) << c.k;
        EXPECT_EQ(e.vmax(c.k), c.vmax) << c.k;
        EXPECT_EQ(e.pmax(c.k), c.pmax) << c.k;
    }
}

// Three piles whose values tie between piles: the seven tables on the
// summary and the six shares of the scratch, the lower pile row named at
// every tie, quantities 9 and 19 in the along-pile tables.
TEST_F(PileTopSummary, ThreePilesWithTies) {
    io::open_unit(WORKFILE, FPTOPSC, {io::Access::Write});
    for (int p = 1; p <= 3; ++p) {
        PTOPREC top;
        for (int s = 1; s <= NPTQ; ++s) top(s) = p == 1 || (p == 2 && s % 2 == 0) ? 1.5 : -2.25;
        write_top_records_3d(p, top);
        PILEXT e;
        const double min9[] = {-10, -10, -15}, max9[] = {20, 30, 30};
        const double min19[] = {0, -1, -1}, max19[] = {5, 5, 4};
        e.vmin(9) = min9[p - 1];
        e.vmax(9) = max9[p - 1];
        e.vmin(19) = min19[p - 1];
        e.vmax(19) = max19[p - 1];
        for (int q = 1; q <= MAXNQ; ++q) {
            e.dmin(q) = 12.0 * p;  // p ft
            e.dmax(q) = 24.0 * p;  // 2p ft
        }
        write_extreme_records(p, e);
    }
    io::close_unit(WORKFILE);
    int status = 0;
    PTOPDRV(3, test::selecting({9, 19}), status);
    EXPECT_EQ(status, 0);
    const std::string golden = std::string(ZOLAN_FIXTURES_DIR) + "/golden/summary_three_piles";
    EXPECT_EQ(lines(SUMFILE, "summary.txt"), test::lines_of(test::read_file(golden + ".sum")));
    EXPECT_EQ(lines(SUMSCR, "sumscr.tmp"), test::lines_of(test::read_file(golden + ".scr")));
}

// No pile rows: nothing is read, and every table's extreme rows show one
// zero column at pile row 1 (the along-pile tables only when quantity 1 is
// selected).
TEST_F(PileTopSummary, NoPilesWriteTheZeroColumn) {
    test::write_file(FPTOPSC, "");
    for (const bool first : {true, false}) {
        io::open_unit(SUMFILE, "summary.txt", {io::Access::Write});
        int status = 0;
        PTOPDRV(0, first ? test::selecting({1, 9}) : test::selecting({9}), status);
        EXPECT_EQ(status, 0);
        std::vector<std::string> got;
        for (const std::string& l : lines(SUMFILE, "summary.txt"))
            if ((l.find("MUM  ") != std::string::npos || l.find("Pile N.") != std::string::npos ||
                 l.find("Min.") != std::string::npos || l.find("Max.") != std::string::npos))
                got.push_back(l);
        const std::string zero13 = "       0.0000", zero12 = "      0.0000";
        const std::vector<std::string> top = {"       MINIMUM  " + zero13 + " ", "       Pile N.          1",
                                              "       MAXIMUM  " + zero13 + " ", "       Pile N.          1"};
        std::vector<std::string> want;
        for (int t = 0; t < 5; ++t) want.insert(want.end(), top.begin(), top.end());
        if (first)
            want.insert(want.end(), {"      Min." + zero12 + " ", "   Pile N.       1       ",
                                     "      Max." + zero12 + " ", "   Pile N.       1       "});
        else
            want.insert(want.end(), {"      Min. ", "   Pile N.   ", "      Max. ", "   Pile N.   "});
        EXPECT_EQ(got, want) << first;
    }
}

// A work file that cannot be read ends the summary with status 38 and a
// line naming the file, the line and the reason: missing, short, or a value
// of asterisks.
TEST_F(PileTopSummary, UnreadableWorkFileIsAFailure) {
    // Pile 1 in columns 6-11, value 1 in 18-29, value 2 in 32-43.
    const std::string stars = "          1" + std::string(6, ' ') + "      1.5000" + "  " + "************";
    struct Case { bool present; std::string text; const char* why; };
    const Case cases[] = {
        {false, "", "ptop.tmp"},
        {true, "", "ptop.tmp, line 1: the file ended where record 1 of pile row 1 was expected"},
        {true, stars + "\n", "ptop.tmp, line 1: asterisks in columns 30-43: the value did not fit its field"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(FPTOPSC);
        if (c.present) test::write_file(FPTOPSC, c.text);
        FAILTXT.clear();
        int status = 0;
        PTOPDRV(1, test::selecting({}), status);
        EXPECT_EQ(status, ISFILE) << c.why;
        ASSERT_EQ(FAILTXT.size(), 1u) << c.why;
        EXPECT_NE(FAILTXT[0].find(c.why), std::string::npos) << FAILTXT[0];
        EXPECT_FALSE(io::unit_open(WORKFILE));
    }
}

}  // namespace
}  // namespace zolan
