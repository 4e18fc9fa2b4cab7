#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "group/cap_result_fixture.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/pile_warnings.h"
#include "model/result_tables.h"
#include "model/run_state.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "results/results_services.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

using test::ResultPass3d;
using test::solved;
using test::vec;

// Each outcome writes exactly its status line; only an analysis with a
// solution reports and runs the print pass, and only that raises the series
// count. A stop request (status 4 set) writes nothing at all.
TEST_F(ResultPass3d, StatusLineOfEachOutcome) {
    struct Case {
        const char* what;
        double tconv;
        int nconv, kerr, naxwbr, istat;
        std::vector<std::string> status;
        int passes, nanal;
    };
    const Case cases[] = {
        {"converged", 1.0, 5, 0, 0, 0, {"    1 ANALYSIS COMPLETED"}, 1, 2},
        // DTINIT 0.2, DTCMIN 0.15, step 3 (0.6) fails: halved 0.1 < 0.15, TCONV 0.4.
        {"partial", 0.4, 2, 0, 0, 0, {"    2 SOLUTION AT    40.00 % OF THE TOTAL LOAD"}, 1, 2},
        {"no step converged", 0.0, 0, 0, 0, 0, {"    3 NO CONVERGENCE ON PILE CAP"}, 0, 1},
        {"pile did not close", 0.4, 2, 1, 0, 0, {"    6 NO CONVERGENCE ON PILES   "}, 0, 1},
        {"singular matrix", 0.4, 2, 2, 0, 0, {"    7 SINGULAR STIFFNESS MATRIX "}, 0, 1},
        // Pile warnings in the last iteration replace the error word 1.
        {"warnings over a non-closing pile", 0.4, 2, 1, 1, 0, {"    2 SOLUTION AT    40.00 % OF THE TOTAL LOAD"}, 1, 2},
        {"stop request", 1.0, 5, 0, 0, 4, {}, 0, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        CapFinal st = solved(c.tconv, c.nconv);
        st.KERR = c.kerr;
        st.naxwbr = c.naxwbr;
        int ISTAT = c.istat;
        run(st, ISTAT);
        EXPECT_EQ(lines(STATFILE), c.status) << c.what;
        EXPECT_EQ(passes, c.passes) << c.what;
        EXPECT_EQ(NANAL, c.nanal) << c.what;
        EXPECT_EQ(KFLAG, 0) << c.what;
        if (c.passes == 1) {
            EXPECT_EQ(kflags, std::vector<int>{1}) << c.what;
        }
        TearDown();
        passes = 0;
        kflags.clear();
    }
}

// A partial solution reports its last converged step: Table L shows 40 % of
// the load, the warning names the percentage on the report and the summary,
// and the load factor left behind is 0.4.
TEST_F(ResultPass3d, PartialSolutionReportsTheLoadReached) {
    CapFinal st = solved(0.4, 2);
    int ISTAT = 0;
    run(st, ISTAT);
    const auto res = lines(RESFILE);
    const auto sum = lines(SUMFILE);
    const std::string pct = std::string(20, ' ') + "  RESULTS ARE FOR    40.00% OF THE TOTAL LOAD";
    const std::string head = "     ** WARNING **    ZOLAN COULD NOT GET SOLUTION FOR 100% OF THE LOAD";
    for (const auto* file : {&res, &sum}) {
        EXPECT_NE(std::find(file->begin(), file->end(), head), file->end());
        EXPECT_NE(std::find(file->begin(), file->end(), pct), file->end());
    }
    // 0.4 x (1000, 200, -300): F19.2, F19.3, F19.3 by the real-field rule.
    const std::string row = std::string(5 + 12, ' ') + "400.000" + std::string(12, ' ') + "80.0000" +
                            std::string(11, ' ') + "-120.000 ";
    EXPECT_NE(std::find(res.begin(), res.end(), row), res.end());
    EXPECT_EQ(TCUR, 0.4);
}

// Table L of a converged analysis on the results report, the summary
// scratch and the plot data, against a layout worked out by hand.
TEST_F(ResultPass3d, TableLGolden) {
    int ISTAT = 0;
    run(solved(1.0, 5), ISTAT);
    const std::string golden = std::string(ZOLAN_FIXTURES_DIR) + "/golden/table_l_3d";
    EXPECT_EQ(lines(RESFILE), test::lines_of(test::read_file(golden + ".res")));
    EXPECT_EQ(lines(SUMSCR), test::lines_of(test::read_file(golden + ".scr")));
    EXPECT_EQ(lines(RUNFILE), (std::vector<std::string>{"", "          NUMBER OF GLOBAL ITERATIONS =    4", ""}));
}

// The cap envelope over three analyses whose components change sign: the
// first sets both sides, the later ones widen them component by component.
TEST_F(ResultPass3d, CapEnvelopeOverThreeAnalyses) {
    const CAPVEC loads[3] = {vec({10, -5, 0, 1, 2, -3}), vec({-20, 5, 0, 1, -2, 3}), vec({15, -1, 0, 0.5, 0, 4})};
    for (int a = 0; a < 3; ++a) {
        CAPVEC disps;
        for (int k = 1; k <= 6; ++k) disps(k) = -0.001 * loads[a](k);
        CAPENV(loads[a], disps);
        ++NANAL;
    }
    // Per component the smallest and largest signed value of the three.
    const CAPVEC lmin = vec({-20, -5, 0, 0.5, -2, -3}), lmax = vec({15, 5, 0, 1, 2, 4});
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(ENVMIN.capload(k), lmin(k)) << k;
        EXPECT_EQ(ENVMAX.capload(k), lmax(k)) << k;
        EXPECT_EQ(ENVMIN.capdisp(k), -0.001 * lmax(k)) << k;
        EXPECT_EQ(ENVMAX.capdisp(k), -0.001 * lmin(k)) << k;
    }
}

// Pile forces of the print pass that miss the load by more than 1e-3 of it
// write one warning on the report and the runtime file; the analysis still
// counts as completed. Load |P| = sqrt(1000^2 + 200^2 + 300^2 + 5000^2 +
// 12000^2) = sqrt(170130000) = 13043.39; a miss of 30 in Y is 2.300e-3 of
// it, a miss of 10 only 7.67e-4.
TEST_F(ResultPass3d, EquilibriumWarning) {
    const std::string warn =
        "     ** WARNING **  PILE FORCES DO NOT BALANCE THE LOAD AT ORIGIN: RESIDUAL  2.300E-03 OF THE LOAD";
    struct Case {
        double miss;
        bool warned;
    };
    for (const Case c : {Case{30.0, true}, Case{10.0, false}}) {
        SetUp();
        const CAPVEC imbalance = vec({0, c.miss, 0, 0, 0, 0});
        int ISTAT = 0;
        run(solved(1.0, 5), ISTAT, &imbalance);
        for (int unit : {RESFILE, RUNFILE}) {
            const auto got = lines(unit);
            EXPECT_EQ(std::find(got.begin(), got.end(), warn) != got.end(), c.warned) << c.miss << " unit " << unit;
        }
        EXPECT_EQ(lines(STATFILE), std::vector<std::string>{"    1 ANALYSIS COMPLETED"});
        TearDown();
    }
}

// Pile warnings of the last iteration: the bearing block, the copied
// records of the scratch file, and a target level marked failed that still
// gets the ordinary pass.
TEST_F(ResultPass3d, PileWarningsAreCopied) {
    {
        std::ofstream w("warn.tmp");
        w << "\n     ** WARNING **  BEARING  PILE GROUP    1\n                    record three\n";
    }
    CapFinal st = solved(1.0, 5);
    st.naxwbr = 1;
    rq.KTGT = 1;
    rq.KTGRES = 2;
    int ISTAT = 0;
    run(st, ISTAT);
    EXPECT_EQ(ans.KTGRES, -1);
    EXPECT_EQ(passes, 1);
    const auto res = lines(RESFILE);
    ASSERT_GE(res.size(), 7u);
    const std::vector<std::string> head(res.begin(), res.begin() + 7);
    EXPECT_EQ(head, (std::vector<std::string>{
                        "", "     ** WARNING **  SOME PILES MAY FAIL IN BEARING!",
                        "                    AXIAL DISPLACEMENT ESTIMATED IS LARGER THAN",
                        "                    MAXIMUM DISPLACEMENT DEFINED IN AXIAL LOAD-DISPLACEMENT CURVE",
                        "", "     ** WARNING **  BEARING  PILE GROUP    1", "                    record three"}));
    // The level's load and displacement are those reached.
    EXPECT_EQ(ans.PTLOAD(6), 12000.0);
    EXPECT_EQ(ans.PTDISP(2), 0.5);
}


// A load case with a point of definition at (X, Y, Z) = (0, 10, 0) in, the
// vertical displacement and the moment about Z given, the other members
// loads (Y load 50 lb given). With the pile forces F = -(800, 50, 0, 100, 0,
// -500): the point load is (800, 50, 0) and its moments (0, 0, MZ) with
// MZ = -500 - (0 x 50 - 10 x 800) = 7500; the point moves by
// (0.0125 - 10 x 0.0025, 0.5, -0.25 + 10 x 0.0015) = (-0.0125, 0.5, -0.235).
// The results report marks the given member of each pair; the summary
// carries the same blocks unmarked.
TEST_F(ResultPass3d, PointOfDefinitionBlocks) {
    CapFinal st = solved(1.0, 5);
    st.pod = true;
    st.P = vec({800, 50, 0, 100, 0, -500});
    for (int k = 1; k <= 6; ++k) st.F(k) = -st.P(k);
    rq.PDXYZ = vec({0, 10, 0});
    rq.PDFORC = vec({0, 50, 0, 0, 0, 0});
    const int flags[6] = {0, 1, 1, 1, 1, 0};
    for (int k = 1; k <= 6; ++k) rq.PDFLAG(k) = flags[k - 1];
    int ISTAT = 0;
    run(st, ISTAT);
    auto row = [](const char* a, const char* b, const char* c) {
        auto f = [](const char* v) { return std::string(19 - std::string(v).size(), ' ') + v; };
        return "     " + f(a) + f(b) + f(c) + " ";
    };
    const std::vector<std::string> point = {
        "", "", "     * POINT OF DEFINITION DISPLACEMENT/LOADS *",
        "", "", "            COORD. X ,FT         COORD. Y ,FT        COORD. Z ,FT",
        row("0.00000", "0.83333", "0.00000"),  // 10 in = 0.83333 ft
        "", "", "     * CONCENTRATED LOAD AT SPECIFIED POINT *",
        "", "", "           VERT. LOAD, LBS    HOR. LOAD Y, LBS*  HOR. LOAD Z, LBS*",
        row("800.000", "50.0000", "0.00000"),
        "", "          MOMENT X ,IN-LBS*   MOMENT Y,IN-LBS*   MOMENT Z,IN-LBS ",
        row("0.00000", "0.00000", "7500.00"),
        "", "", "     * DISPLACEMENT OF GROUPED PILE FOUNDATION AT SPECIFIED POINT *",
        "", "", "            VERTICAL ,IN*     HORIZONTAL Y,IN     HORIZONTAL Z,IN ",
        row("-0.0125000", "0.50000", "-0.23500"),
        "", "          ANGLE ROT. X,RAD    ANGLE ROT. Y,RAD    ANGLE ROT. Z,RAD*",
        row("1.50000E-03", "0.00000", "2.50000E-03"),
    };
    const auto res = lines(RESFILE);
    ASSERT_GE(res.size(), 4 + point.size() + 7);
    EXPECT_EQ(std::vector<std::string>(res.begin() + 4, res.begin() + 4 + point.size()), point);
    // The origin load: -F with the given Y force; unchanged here.
    EXPECT_EQ(res[4 + point.size() + 6], row("800.000", "50.0000", "0.00000"));
    const auto sum = lines(SUMFILE);
    ASSERT_GE(sum.size(), 13u);
    EXPECT_EQ(sum[12], "           VERT. LOAD, LBS    HOR. LOAD Y, LBS   HOR. LOAD Z, LBS");
    EXPECT_EQ(sum[13], row("800.000", "50.0000", "0.00000"));
}

// The print pass starts from an empty current set: a pile row that stores
// nothing in it (its solution did not close) shows zeros, never the records
// of the previous analysis, and the envelopes keep what they held.
TEST_F(ResultPass3d, PrintPassShowsNoEarlierRecords) {
    RESCUR.top(1, 7) = 99.0;
    ENVMAX.top(1, 7) = 99.0;
    int writes = 0;
    results_services.envewr = [&](int kind, int side) {
        EXPECT_EQ(RESCUR.top(1, 7), 0.0);
        EXPECT_EQ(kind + side, 0);
        ++writes;
    };
    int ISTAT = 0;
    run(solved(1.0, 5), ISTAT);
    results_services.envewr = nullptr;
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(ENVMAX.top(1, 7), 99.0);
}

}  // namespace
}  // namespace zolan
