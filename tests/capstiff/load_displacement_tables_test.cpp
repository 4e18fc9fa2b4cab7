// Load-displacement and flexibility tables of one degree of freedom, read
// from the load-displacement scratch file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "capstiff/capstiff_services.h"
#include "capstiff/flexibility_fixture.h"
#include "model/run_state.h"
#include "model/status_codes.h"

namespace zolan {
namespace {

using test::FlexibilityReports;

class LoadDisplacementTables : public FlexibilityReports {
protected:
    // The results report, summary and plot data of the call, one after another.
    std::string written() {
        std::string out;
        for (int u : {RESFILE, SUMFILE, PLOTDATA}) {
            out += "==== " + std::string(u == RESFILE ? "results" : u == SUMFILE ? "summary" : "plot data") + "\n";
            for (const std::string& l : lines(u)) out += l + "\n";
        }
        return out;
    }
    void expect_golden(const char* file) {
        const std::string got = written();
        const std::string path = std::string(ZOLAN_FIXTURES_DIR) + "/golden/" + file;
        if (std::getenv("ZOLAN_WRITE_GOLDEN")) test::write_file(path, got);
        EXPECT_EQ(got, test::read_file(path));
    }
};

// A three-dimensional moment point (DOF 4, English units) whose level 2 did
// not converge between two converged levels, against its reviewed tables:
// the moment headings and units, the failed level's "NO CONVERGENCE" line in
// both tables and its plot row with -2 and zeros, and the file closed after.
// Level 1: M = 5000, U = (1e-3, -2e-3, 5e-4, 2.5e-4, 1e-5, 0), S = U / 5000;
// level 3: M = 15000, U three times level 1's, S = U / 15000 (the same S).
TEST_F(LoadDisplacementTables, SolidMomentPointGolden) {
    const std::vector<double> U1 = {1e-3, -2e-3, 5e-4, 2.5e-4, 1e-5, 0.0};
    std::vector<double> S1, L1{5000.0}, L3{15000.0};
    for (double u : U1) {
        S1.push_back(u / 5000.0);
        L1.push_back(u);
        L3.push_back(3.0 * u);
    }
    scratch(LDDFILE, {{1, L1}, {1, S1}, {-2, std::vector<double>(7, 0.0)}, {-2, std::vector<double>(6, 0.0)},
                      {3, L3}, {3, S1}});
    io::open_unit(LDDFILE, name(LDDFILE), {io::Access::ReadIfExists});  // as the driver leaves it
    EXPECT_EQ(LDDTAB(2, 4, 3, 3, 6, 1, ISTAT), 0);
    EXPECT_EQ(ISTAT, 0);
    EXPECT_FALSE(io::unit_open(LDDFILE));
    expect_golden("ldd_tables_3d.txt");
}

// A plane force point (DOF 1, English units) with a level of load 0, whose
// coefficient row holds the displacements themselves, against its reviewed
// tables: the plane headings, three values per row, the plane caption on both
// files.
TEST_F(LoadDisplacementTables, PlaneForcePointGolden) {
    scratch(LDDFILE, {{1, {0.0, 0.02, -0.001, 3e-5}}, {1, {0.02, -0.001, 3e-5}},
                      {2, {250.0, 0.5, 0.01, -2e-4}}, {2, {2e-3, 4e-5, -8e-7}}});
    EXPECT_EQ(LDDTAB(2, 1, 2, 2, 3, 0, ISTAT), 0);
    EXPECT_EQ(ISTAT, 0);
    expect_golden("ldd_tables_2d.txt");
}

// Outside a flexibility point nothing is read or written and the open flag
// is handed back; a file short of rows is a run-file failure named in the
// final report, with the file closed.
TEST_F(LoadDisplacementTables, OtherPointsAndShortFile) {
    for (int kestim : {0, 1}) {
        EXPECT_EQ(LDDTAB(kestim, 1, 2, 3, 6, 1, ISTAT), 1);
        EXPECT_EQ(LDDTAB(kestim, 1, 2, 3, 6, 0, ISTAT), 0);
    }
    EXPECT_TRUE(lines(RESFILE).empty());
    struct Case {
        const char* what;
        int rows;
    };
    for (const Case& c : {Case{"one pair short", 2}, Case{"one row short", 3}, Case{"no file", -1}}) {
        SetUp();
        std::vector<Rec> recs;
        for (int r = 1; r <= c.rows; ++r) recs.push_back({1, {1, 2, 3, 4}});
        if (c.rows >= 0) scratch(LDDFILE, recs);
        EXPECT_EQ(LDDTAB(2, 1, 2, 2, 3, 1, ISTAT), 0) << c.what;
        EXPECT_EQ(ISTAT, ISFILE) << c.what;
        EXPECT_EQ(FAILTXT.size(), 1u) << c.what;
        EXPECT_FALSE(io::unit_open(LDDFILE)) << c.what;
        TearDown();
    }
}

}  // namespace
}  // namespace zolan
