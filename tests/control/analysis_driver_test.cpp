#include <gtest/gtest.h>

#include <filesystem>

#include <algorithm>
#include <string>
#include <vector>

#include "capstiff/capstiff_services.h"
#include "control/control.h"
#include "group/group_services.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "pile/pile_services.h"
#include "report/run_files.h"
#include "results/results_services.h"
#include "soil/py_report.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// A model of three load cases (the second skipped) and one combination of
// cases 1 and 3, with the driver's run files open in a fresh folder and every
// service replaced by a double that records its calls in `log`.
class Driver : public ::testing::Test {
protected:
    test::TempDir dir;
    test::Seams seams;
    std::vector<std::string> log;
    std::vector<double> dcfmom;     // DCFMOM seen by each solve
    std::vector<CAPVEC> applied;    // load of each solve
    int stop_after_solve = 0;       // solve number after which the stop file holds 1
    int fail_solve = 0, fail_code = 0;  // solve number that returns fail_code

    void SetUp() override {
        RESETRUN();
        log.clear();
        dcfmom.clear();
        applied.clear();
        stop_after_solve = fail_solve = fail_code = 0;
        FEQM = "eqm.txt";
        FEQK = "eqk.txt";
        FPROGRS = "progress.txt";
        FSTOP = "stop.txt";
        FLDD = "ldd.tmp";
        test::write_file("stop.txt", "");  // no stop request (the folder serves every case of a table)
        for (int u : {RUNFILE, RESFILE, SUMFILE, PLOTDATA, STATFILE, SUMSCR, ITERTRC, ECHOFILE, CURVFILE, ESTTRC})
            io::open_unit(u, "unit" + std::to_string(u) + ".txt", {io::Access::Write});
        NANTYP = 3;
        NUNITS = 1;
        NPILES = 1;
        IPROP(1) = 1;
        TITLE.set("TEST TITLE");
        NLCASE = 3;
        for (int i = 1; i <= 3; ++i) {
            LCNAME(i).set("CASE " + std::to_string(i));
            LCSCAL(i) = 1.0;
            NCLOAD(i) = 1;
            CLOAD(i, 1, 1) = 100.0 * i;  // FX at the origin
            CLOAD(i, 1, 2) = 10.0 * i;   // FY
        }
        LCKIND(1, 1) = 0;
        LCKIND(2, 1) = 12;
        LCKIND(3, 1) = -1;
        LCSKIP(2) = 1;
        LCOPT(3, 3) = 7;  // processors requested of case 3
        NLCOMB = 1;
        LBNAME(1).set("COMB 1");
        LBRF(1, 1) = 0.8;
        LBRF(1, 2) = 0.9;
        LBOPT(1, 3) = 5;
        NLBCAS(1) = 2;
        LBCASE(1, 1) = 1;
        LBFACT(1, 1) = 1.5;
        LBCASE(1, 2) = 3;
        LBFACT(1, 2) = -1.0;
        KENVLC = KENVLB = 1;

        auto solver = [this](const char* name) {
            return [this, name](const SolveRequest& r, int& ISTAT) {
                log.push_back(std::string(name) + " " + std::to_string(r.kind) + " case " + std::to_string(ICASE) +
                              " comb " + std::to_string(ICOMB) + " eqk " + std::to_string(io::unit_open(EQKFILE)) +
                              " thr " + std::to_string(NTHRREQ));
                dcfmom.push_back(DCFMOM);
                applied.push_back(r.load);
                const int n = static_cast<int>(applied.size());
                if (n == stop_after_solve) test::write_file("stop.txt", "1\n");
                if (n == fail_solve) ISTAT = fail_code;
                return unanswered(r);
            };
        };
        group_services.cap3d = solver("CAP3D");
        group_services.cap2d = solver("CAP2D");
        results_services.envewr = [this](int k, int s) { log.push_back("ENVEWR " + std::to_string(k) + std::to_string(s)); };
        results_services.envewr2d = [this](int k, int s) { log.push_back("ENVEWR2D " + std::to_string(k) + std::to_string(s)); };
        results_services.envrst = [this] { log.push_back("ENVRST"); };
        results_services.envrst2d = [this] { log.push_back("ENVRST2D"); };
        results_services.pileplot = [this](int p, int&) { log.push_back("PILEPLOT " + std::to_string(p) + " " + std::to_string(PYMODE)); };
        results_services.pyplot = [this](int p, int&) { log.push_back("PYPLOT " + std::to_string(p)); };
        pile_services.lscrvp = [this](int p, int&) { log.push_back("LSCRVP " + std::to_string(p)); };
        pile_services.trcrvp = [this](int p, int&) { log.push_back("TRCRVP " + std::to_string(p)); };
        pyreport_double = [this](int&) { log.push_back("PYREPORT " + std::to_string(PYMODE) + " " + std::to_string(PLOTFLG)); };
    }
    void TearDown() override {
        io::close_all_units();
        RESETRUN();
    }
    // Runs the driver and closes the files so that they can be read.
    int run(int pymode = 0) {
        int status = 0;
        ANALYS(pymode, status);
        open_after = {io::unit_open(EQMFILE), io::unit_open(LDDFILE), io::unit_open(EQKFILE)};
        io::close_all_units();
        return status;
    }
    std::vector<bool> open_after;
    std::vector<std::string> lines(int unit) {
        return test::lines_of(test::read_file("unit" + std::to_string(unit) + ".txt"));
    }
    static bool has(const std::vector<std::string>& v, const std::string& s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    }
};

const std::string kTitleLine = "TEST TITLE" + std::string(70, ' ');

// Three cases (the second skipped) and a combination: the calls come in the
// order of the driver, the status file holds its lines in that order, the
// skipped case has no end message or timing lines, and the progress file ends
// with the combination's FINISHED message.
TEST_F(Driver, CasesAndCombinationInOrder) {
    ASSERT_EQ(run(), 0);
    const std::vector<std::string> calls = {
        "ENVRST",
        "CAP3D 0 case 1 comb 0 eqk 1 thr 0",
        "CAP3D 0 case 3 comb 0 eqk 1 thr 7",
        "ENVEWR 11",
        "ENVEWR 12",
        "ENVRST",
        "CAP3D 1 case 1 comb 1 eqk 0 thr 5",
        "ENVEWR 21",
        "ENVEWR 22",
    };
    EXPECT_EQ(log, calls);
    // DCFMOM is 1 during the cases and the bending reduction factor during the combination.
    EXPECT_EQ(dcfmom, (std::vector<double>{1.0, 1.0, 0.8}));
    EXPECT_EQ(DCFSHR, 0.9);
    // Applied loads in cap order: case 1 (100, 10), case 3 (300, 30);
    // combination 1.5 * case 1 - case 3 = (150 - 300, 15 - 30) = (-150, -15).
    ASSERT_EQ(applied.size(), 3u);
    EXPECT_DOUBLE_EQ(applied[0](1), 100.0);
    EXPECT_DOUBLE_EQ(applied[0](2), 10.0);
    EXPECT_DOUBLE_EQ(applied[1](1), 300.0);
    EXPECT_DOUBLE_EQ(applied[2](1), -150.0);
    EXPECT_DOUBLE_EQ(applied[2](2), -15.0);

    const std::vector<std::string> stat = {
        "COMPUTATION RESULTS",
        kTitleLine,
        "LOAD CASES RESULTS ",
        "LOAD CASE :     1",
        "      ANALYSIS DUE TO TOTAL LOAD",
        "LOAD CASE :     2",
        "       ANALYSIS TO NOT RUN   ",
        "     9 ANALYSIS NOT PERFORMED",
        "LOAD CASE :     3",
        "      ANALYSIS DUE TO TOTAL LOAD",
        "LOAD COMBINATIONS RESULTS ",
        "LOAD COMB. :     1",
        "      ANALYSIS DUE TO TOTAL LOAD",
    };
    EXPECT_EQ(lines(STATFILE), stat);
    EXPECT_EQ(test::read_file("progress.txt"), "- ANALYSIS FOR LOAD COMB.   1/  1 FINISHED\n\n\n");
    // The equivalent-stiffness file holds the last case's line; the matrix trace is closed.
    EXPECT_EQ(test::read_file("eqk.txt"), "LOAD CASE :     3\n");
    EXPECT_EQ(open_after, (std::vector<bool>{false, false, false}));

    // Run log: the skipped case's heading and note, and no timing lines until case 3.
    const std::vector<std::string> rl = lines(RUNFILE);
    auto at = [&](const std::string& s) { return std::find(rl.begin(), rl.end(), s) - rl.begin(); };
    const auto c2 = at("     LOAD CASE :     2"), c3 = at("     LOAD CASE :     3");
    ASSERT_LT(c2, c3);
    ASSERT_LT(c3, static_cast<long>(rl.size()));
    EXPECT_EQ(rl[c2 + 2], "     NOTE: LOAD CASE WILL NOT BE ANALYZED");
    for (auto k = c2; k < c3; ++k) EXPECT_EQ(rl[k].find("Execution Time"), std::string::npos) << rl[k];
    EXPECT_EQ(rl[at("     ANALYSIS FOR LOAD CASE   1/  3 FINISHED") + 2].substr(0, 24), "     Execution Time    :");
    EXPECT_TRUE(has(rl, "     ANALYSIS FOR LOAD COMB.   1/  1 FINISHED"));
    EXPECT_EQ(std::count_if(rl.begin(), rl.end(), [](const std::string& s) { return s.starts_with("     Paral. processing :"); }), 3);

    // Results report: headings of both series, the load type of each case.
    const std::vector<std::string> res = lines(RESFILE);
    EXPECT_TRUE(has(res, "                 *****     COMPUTATION RESULTS     *****"));
    EXPECT_TRUE(has(res, "     " + kTitleLine));
    EXPECT_TRUE(has(res, "                 *****     LOAD CASES RESULTS      *****"));
    EXPECT_TRUE(has(res, "                 *****     LOAD COMBINATIONS RESULTS      *****"));
    EXPECT_TRUE(has(res, "     LOAD TYPE : Dead, DL" + std::string(24, ' ')));
    EXPECT_EQ(std::count(res.begin(), res.end(), "     LOAD TYPE : Special, Sp" + std::string(21, ' ')), 2);
    EXPECT_TRUE(has(res, "     CASE NAME : CASE 2" + std::string(74, ' ')));
    EXPECT_TRUE(has(res, "     COMB. NAME : COMB 1" + std::string(74, ' ')));
    EXPECT_TRUE(has(res, "     NOTE: LOAD CASE WILL NOT BE ANALYZED"));
    // Summary scratch and iteration trace: one line per analysed case.
    EXPECT_EQ(lines(SUMSCR), (std::vector<std::string>{
                                 "", "", "                 *****     LOAD CASES RESULTS      *****",
                                 "", "     LOAD CASE :     1", "", "     LOAD CASE :     3",
                                 "", "", "                 *****     LOAD COMBINATIONS RESULTS      *****",
                                 "", "     LOAD COMB :     1"}));
    EXPECT_EQ(lines(ITERTRC), (std::vector<std::string>{"LOAD CASE :     1", "LOAD CASE :     3"}));
    EXPECT_EQ(lines(PLOTDATA), (std::vector<std::string>{"** COMPUTATION RESULTS **", kTitleLine,
                                                         "LOAD CASES RESULTS ", "LOAD CASE :     1",
                                                         "LOAD CASE :     2", "LOAD CASE :     3",
                                                         "LOAD COMBINATIONS RESULTS ", "LOAD COMB. :     1"}));
}

// A stop request at each place where the driver checks it ends the run with
// 4 and nothing of the later analyses is written.
TEST_F(Driver, StopRequestAtEachCheck) {
    struct Case {
        const char* where;
        int stop_after_solve;   // 0: the stop file is written before the run (-1: by the case envelope)
        int solves;             // solves made
        const char* progress;   // the progress file after the run
        const char* last_stat;  // the last status-file line
    };
    const Case cases[] = {
        {"before the first case", -2, 0, "- ANALYSIS FOR LOAD CASE   1/  3 STARTED\n\n\n", kTitleLine.c_str()},
        {"after case 1's solve", 1, 1, "- ANALYSIS FOR LOAD CASE   1/  3 FINISHED\n\n\n", "      ANALYSIS DUE TO TOTAL LOAD"},
        {"after case 3's solve", 2, 2, "- ANALYSIS FOR LOAD CASE   3/  3 FINISHED\n\n\n", "      ANALYSIS DUE TO TOTAL LOAD"},
        {"before the first combination", -1, 2, "- ANALYSIS FOR LOAD COMB.   1/  1 STARTED\n\n\n", "      ANALYSIS DUE TO TOTAL LOAD"},
        {"after the combination", 3, 3, "- ANALYSIS FOR LOAD COMB.   1/  1 FINISHED\n\n\n", "      ANALYSIS DUE TO TOTAL LOAD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        TearDown();
        SetUp();
        log.clear();
        applied.clear();
        stop_after_solve = c.stop_after_solve;
        if (c.stop_after_solve == -2) test::write_file("stop.txt", "1\n");
        if (c.stop_after_solve == -1)
            results_services.envewr = [](int, int s) { if (s == 2) test::write_file("stop.txt", "1\n"); };
        EXPECT_EQ(run(), 4);
        EXPECT_EQ(static_cast<int>(applied.size()), c.solves);
        EXPECT_EQ(test::read_file("progress.txt"), c.progress);
        const std::vector<std::string> stat = lines(STATFILE);
        EXPECT_EQ(stat.back(), c.last_stat);
        EXPECT_EQ(open_after, (std::vector<bool>{false, false, false}));
        // No envelope after the last solve, and no curve-file writer, after a stop.
        bool solved = false;
        for (auto it = log.rbegin(); it != log.rend(); ++it) {
            solved = solved || it->rfind("CAP", 0) == 0;
            if (!solved) {
                EXPECT_NE(it->rfind("ENVEWR", 0), 0u) << *it;
            }
            EXPECT_NE(it->rfind("PILEPLOT", 0), 0u);
        }
    }
}

// A solver that ends with a status code: the driver returns it at once, with
// no end message, no timing lines and nothing of the later analyses; the
// matrix trace and the load-displacement scratch are closed.
TEST_F(Driver, SolverStatusEndsTheAnalyses) {
    struct Case {
        int solve, code;
        const char* progress;
    };
    const Case cases[] = {
        {1, 23, "- ANALYSIS FOR LOAD CASE   1/  3 STARTED\n\n\n"},
        {2, 4, "- ANALYSIS FOR LOAD CASE   3/  3 STARTED\n\n\n"},
        {3, 3, "- ANALYSIS FOR LOAD COMB.   1/  1 STARTED\n\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        TearDown();
        SetUp();
        fail_solve = c.solve;
        fail_code = c.code;
        io::open_unit(LDDFILE, FLDD, {io::Access::Write});
        EXPECT_EQ(run(), c.code);
        EXPECT_EQ(static_cast<int>(applied.size()), c.solve);
        EXPECT_EQ(test::read_file("progress.txt"), c.progress);
        EXPECT_EQ(open_after, (std::vector<bool>{false, false, false}));
        // The case envelopes only when the combination failed; timing lines
        // only for the analyses that finished before the failure.
        EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& s) { return s.starts_with("ENVEWR"); }),
                  c.solve == 3 ? 2 : 0);
        const std::vector<std::string> rl = lines(RUNFILE);
        EXPECT_EQ(std::count_if(rl.begin(), rl.end(), [](const std::string& s) { return s.starts_with("     Execution Time"); }),
                  c.solve - 1);
    }
}

// Empty series: no heading and no reset for it, its envelopes are not
// written (a note stands in their place), the other series still runs.
TEST_F(Driver, EmptySeries) {
    NLCOMB = 0;
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"ENVRST", "CAP3D 0 case 1 comb 0 eqk 1 thr 0",
                                             "CAP3D 0 case 3 comb 0 eqk 1 thr 7", "ENVEWR 11", "ENVEWR 12"}));
    EXPECT_TRUE(has(lines(RESFILE), "     NOTE: NO LOAD COMBINATIONS, NO ENVELOPE OF LOAD COMBINATIONS"));
    EXPECT_EQ(test::read_file("progress.txt"), "- ANALYSIS FOR LOAD CASE   3/  3 FINISHED\n\n\n");

    TearDown();
    SetUp();
    NLCASE = 0;
    NANTYP = 2;
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"ENVRST2D", "CAP2D 1 case 1 comb 1 eqk 0 thr 5", "ENVEWR2D 21",
                                             "ENVEWR2D 22"}));
    EXPECT_TRUE(has(lines(SUMFILE), "     NOTE: NO LOAD CASES, NO ENVELOPE OF LOAD CASES"));
    EXPECT_FALSE(has(lines(STATFILE), "LOAD CASES RESULTS "));
    EXPECT_TRUE(std::filesystem::exists("eqm.txt"));  // opened and closed
    EXPECT_TRUE(test::read_file("eqm.txt").empty());
}

// End of the run: printed p-y curves when asked for, then the curve file's
// header and per-pile writers in order (torque curves in 3-D only); PYMODE is
// 1 while the writers run and 0 afterwards.
TEST_F(Driver, PrintedCurvesAndCurveFile) {
    struct Case {
        int nantyp, kcrvfm, pymode;
        std::vector<std::string> tail;
        const char* header;  // formatted header, or empty for the unformatted one
    };
    const Case cases[] = {
        {3, 0, 0, {"PILEPLOT 1 1", "PYPLOT 1", "LSCRVP 1", "TRCRVP 1", "PILEPLOT 2 1", "PYPLOT 2", "LSCRVP 2", "TRCRVP 2"},
         "         2         3         1\n"},
        {2, 0, 2, {"PYREPORT 2 0", "PILEPLOT 1 1", "PYPLOT 1", "LSCRVP 1", "PILEPLOT 2 1", "PYPLOT 2", "LSCRVP 2"},
         "         2         2         1\n"},
        {3, 1, 0, {"PILEPLOT 1 1", "PYPLOT 1", "LSCRVP 1", "TRCRVP 1", "PILEPLOT 2 1", "PYPLOT 2", "LSCRVP 2", "TRCRVP 2"},
         ""},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        NLCASE = NLCOMB = 0;
        KENVLC = KENVLB = 0;
        NPILES = 2;
        IPROP(2) = 1;
        NANTYP = c.nantyp;
        KCRVF = 1;
        KCRVFM = c.kcrvfm;
        io::open_unit(CURVFILE, "unit28.txt", {io::Access::Write, c.kcrvfm != 0});
        ASSERT_EQ(run(c.pymode), 0);
        EXPECT_EQ(log, c.tail);
        EXPECT_EQ(PYMODE, 0);
        EXPECT_EQ(PLOTFLG, 1);
        const std::string curves = test::read_file("unit28.txt");
        if (*c.header) {
            EXPECT_EQ(curves, c.header);
        } else {
            // One record of three 4-byte integers between 4-byte length marks.
            const unsigned char want[] = {12, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 12, 0, 0, 0};
            EXPECT_EQ(curves, std::string(reinterpret_cast<const char*>(want), sizeof want));
        }
        EXPECT_EQ(test::read_file("unit32.txt").find("* TABLE N *   PRINTED P-Y CURVES") != std::string::npos,
                  c.pymode != 0);
    }

    // A writer that fails for one pile leaves the other writers to run; the
    // first failure is the status of the run.
    TearDown();
    SetUp();
    NLCASE = NLCOMB = 0;
    KENVLC = KENVLB = 0;
    NPILES = 2;
    IPROP(2) = 1;
    NANTYP = 3;
    KCRVF = 1;
    KCRVFM = 0;
    io::open_unit(CURVFILE, "unit28.txt", {io::Access::Write});
    results_services.pyplot = [this](int p, int& s) {
        log.push_back("PYPLOT " + std::to_string(p));
        s = p == 1 ? 28 : 0;
    };
    pile_services.trcrvp = [this](int p, int& s) {
        log.push_back("TRCRVP " + std::to_string(p));
        s = 34;
    };
    EXPECT_EQ(run(0), 28);
    EXPECT_EQ(log, (std::vector<std::string>{"PILEPLOT 1 1", "PYPLOT 1", "LSCRVP 1", "TRCRVP 1", "PILEPLOT 2 1",
                                             "PYPLOT 2", "LSCRVP 2", "TRCRVP 2"}));
    EXPECT_EQ(test::read_file("unit28.txt"), "         2         3         1\n");
}

}  // namespace
}  // namespace zolan
