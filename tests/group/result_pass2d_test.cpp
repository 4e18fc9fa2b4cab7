// Result pass of the plane cap solver: the status line of each outcome,
// Table L laid out by hand, the partial-load warning, the passive block of
// an embedded cap, the records of a flexibility point, and a
// target-deflection trial with the equivalent-stiffness file.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "group/cap_result_fixture.h"
#include "group/estimation_records3d.h"
#include "group/result_pass2d.h"
#include "model/stiffness_tables.h"

namespace zolan {
namespace {

using test::vec;

class ResultPass2d : public test::ResultPass3d {
protected:
    void SetUp() override {
        test::ResultPass3d::SetUp();
        passes = tables = 0;
        kflags.clear();
        results_services.envewr2d = [this](int kind, int side) {
            if (kind == 0 && side == 0) ++tables;
        };
    }
    void TearDown() override {
        results_services.envewr2d = nullptr;
        test::ResultPass3d::TearDown();
    }
    void run2(const Cap2dOutcome& st, int& ISTAT) {
        CapForces fvec = [&](CAPVEC& F, int&) {
            ++passes;
            kflags.push_back(KFLAG);
            F.fill(0.0);
        };
        RESPASS2D(rq, st, fvec, ans, ISTAT);
    }
    // The numbers of each line of a record file.
    std::vector<std::vector<double>> numbers(int unit) {
        std::vector<std::vector<double>> out;
        for (const std::string& line : lines(unit)) {
            std::istringstream in(line);
            std::vector<double> v;
            for (double x; in >> x;) v.push_back(x);
            out.push_back(v);
        }
        return out;
    }
    int tables = 0;
};

Cap2dOutcome solved2(double tconv, int nconv) {
    Cap2dOutcome st;
    st.converged = tconv >= 1.0;
    st.nconv = nconv;
    st.niter = 4;
    st.TCONV = tconv;
    st.P = vec({1000, 200, -300});
    st.PE = vec({1000 * tconv, 200 * tconv, -300 * tconv});
    st.U = vec({0.0125, 0.5, 2.5e-3});
    st.Jc.fill(0.0);
    return st;
}

// Each outcome writes exactly its status line; only an analysis with a
// solution runs the print pass (KFLAG 1), prints its pile tables and raises
// the series count; a stop request writes nothing.
TEST_F(ResultPass2d, StatusLineOfEachOutcome) {
    struct Case {
        const char* what;
        double tconv;
        int nconv, kerr, naxwbr, istat;
        std::vector<std::string> status;
        int passes, nanal;
    };
    const Case cases[] = {
        {"converged", 1.0, 5, 0, 0, 0, {"    1 ANALYSIS COMPLETED"}, 1, 2},
        {"partial", 0.75, 3, 0, 0, 0, {"    2 SOLUTION AT    75.00 % OF THE TOTAL LOAD"}, 1, 2},
        {"no step converged", 0.0, 0, 0, 0, 0, {"    3 NO CONVERGENCE ON PILE CAP"}, 0, 1},
        {"pile did not close", 0.5, 2, 1, 0, 0, {"    6 NO CONVERGENCE ON PILES   "}, 0, 1},
        {"singular matrix", 0.5, 2, 2, 0, 0, {"    7 SINGULAR STIFFNESS MATRIX "}, 0, 1},
        {"warnings over a non-closing pile", 0.5, 2, 1, 1, 0, {"    2 SOLUTION AT    50.00 % OF THE TOTAL LOAD"}, 1, 2},
        {"stop request", 1.0, 5, 0, 0, 4, {}, 0, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        Cap2dOutcome st = solved2(c.tconv, c.nconv);
        st.KERR = c.kerr;
        st.naxwbr = c.naxwbr;
        int ISTAT = c.istat;
        run2(st, ISTAT);
        EXPECT_EQ(lines(STATFILE), c.status) << c.what;
        EXPECT_EQ(passes, c.passes) << c.what;
        EXPECT_EQ(tables, c.passes) << c.what;
        EXPECT_EQ(NANAL, c.nanal) << c.what;
        EXPECT_EQ(KFLAG, 0) << c.what;
        if (c.passes == 1) {
            EXPECT_EQ(kflags, std::vector<int>{1}) << c.what;
        }
        if (c.naxwbr > 0) {
            const auto res = lines(RESFILE);
            EXPECT_NE(std::find(res.begin(), res.end(), "     ** WARNING **  SOME PILES, MAY FAIL IN BEARING!"),
                      res.end());
        }
        TearDown();
        passes = tables = 0;
        kflags.clear();
    }
}

// Table L of a converged analysis on the results report and the summary
// scratch, laid out by hand from the edit lists: the load (1000, 200, -300)
// and the displacement (0.0125, 0.5, 2.5e-3) in fields 18.5 after 10 blanks
// (15.5 after 7 on the scratch), English labels.
TEST_F(ResultPass2d, TableLByHand) {
    int ISTAT = 0;
    run2(solved2(1.0, 5), ISTAT);
    const std::vector<std::string> res = {
        "", "", "",
        "     * TABLE L *   COMPUTATION ON PILE CAP",
        "", "",
        "     * EQUIVALENT CONCENTRATED LOAD AT ORIGIN *",
        "",
        "             VERT. LOAD, LBS    HORI. LOAD, LBS    MOMENT,IN-LBS",
        "                     1000.00           200.000          -300.000 ",
        "", "",
        "     * DISPLACEMENT OF GROUPED PILE FOUNDATION AT ORIGIN *",
        "",
        "                VERTICAL,IN      HORIZONTAL,IN     ROTATION,RAD",
        "                   0.0125000           0.50000       2.50000E-03 ",
        "", "",
        "          NUMBER OF ITERATIONS =   4"};
    EXPECT_EQ(lines(RESFILE), res);
    const std::vector<std::string> scr = {
        "",
        "     * TABLE L *   COMPUTATION ON PILE CAP",
        "",
        "     * EQUIVALENT CONCENTRATED LOAD AT ORIGIN *",
        "           LOAD X,LBS     LOAD Y,LBS    MOM Z,IN-LBS",
        "               1000.00        200.000       -300.000 ",
        "",
        "     * DISPLACEMENT OF GROUPED PILE FOUNDATION AT ORIGIN *",
        "            DISP X,IN      DISP Y,IN      ROT Z,RAD",
        "             0.0125000        0.50000    2.50000E-03 "};
    EXPECT_EQ(lines(SUMSCR), scr);
    EXPECT_EQ(lines(RUNFILE), (std::vector<std::string>{"", "          NUMBER OF GLOBAL ITERATIONS =    4", ""}));
}

// A solution that stopped at 75 % reports 0.75 of the load with the warning
// on the results report and the summary, and leaves TCUR at 0.75.
TEST_F(ResultPass2d, PartialSolution) {
    int ISTAT = 0;
    run2(solved2(0.75, 3), ISTAT);
    const std::string head = "     ** WARNING **    ZOLAN COULD NOT GET SOLUTION FOR 100% OF THE LOAD";
    const std::string pct = std::string(20, ' ') + "  RESULTS ARE FOR    75.00% OF THE TOTAL LOAD";
    for (int unit : {RESFILE, SUMFILE}) {
        const auto file = lines(unit);
        EXPECT_NE(std::find(file.begin(), file.end(), head), file.end());
        EXPECT_NE(std::find(file.begin(), file.end(), pct), file.end());
    }
    const auto res = lines(RESFILE);
    EXPECT_NE(std::find(res.begin(), res.end(), "                     750.000           150.000          -225.000 "),
              res.end());
    EXPECT_EQ(TCUR, 0.75);
}

// The passive block of an embedded cap: on the results report and the
// summary only while KPRINT >= 0, on the plot data always; the Table M
// heading only for KPRINT > 0; no block for another cap option.
TEST_F(ResultPass2d, PassiveBlockAndTableM) {
    struct Case { int kcapop, kprint; bool block, plot, table_m; };
    const Case cases[] = {
        {1, -1, false, true, false}, {1, 0, true, true, false}, {1, 1, true, true, true}, {2, 1, false, false, true}};
    for (const Case& c : cases) {
        SetUp();
        KCAPOP = c.kcapop;
        KPRINT = c.kprint;
        Cap2dOutcome st = solved2(1.0, 5);
        st.rp = -12.5, st.pos = -1.5;
        int ISTAT = 0;
        run2(st, ISTAT);
        const auto res = lines(RESFILE), plot = lines(PLOTDATA);
        const auto has = [](const std::vector<std::string>& f, const std::string& s) {
            return std::find(f.begin(), f.end(), s) != f.end();
        };
        EXPECT_EQ(has(res, "     * PASSIVE RESISTANCE IN PILE CAP *"), c.block) << c.kprint;
        EXPECT_EQ(has(res, "              HORI. LOAD,LBS      POSITION, IN"), c.block) << c.kprint;
        EXPECT_EQ(has(res, "                    -12.5000          -1.50000 "), c.block) << c.kprint;
        EXPECT_EQ(has(plot, "* PASSIVE RESISTANCE IN PILE CAP *"), c.plot) << c.kprint;
        EXPECT_EQ(has(res, "     * TABLE M *   COMPUTATION ON INDIVIDUAL PILE"), c.table_m) << c.kprint;
        EXPECT_EQ(passes, 1);
        TearDown();
        passes = tables = 0;
        kflags.clear();
    }
}

// A flexibility point (load on Y, level 3): the load reached and the
// displacements, then the displacements per unit load (the displacements
// themselves for a zero load); a point whose first step failed gets the
// negative level with zeros and the unit vector of its degree of freedom.
// No print pass, no table, the series count unchanged.
TEST_F(ResultPass2d, FlexibilityRecords) {
    rq.KESTIM = 2, rq.IPOINT = 2, rq.ILOOP = 3;
    int ISTAT = 0;
    run2(solved2(1.0, 4), ISTAT);
    const std::vector<std::vector<double>> ldd = {{3, 200, 0.0125, 0.5, 2.5e-3}, {3, 0.0125 / 200, 0.5 / 200, 2.5e-3 / 200}};
    const auto got = numbers(LDDFILE);
    ASSERT_EQ(got.size(), 2u);
    for (std::size_t r = 0; r < 2; ++r) {
        ASSERT_EQ(got[r].size(), ldd[r].size());
        for (std::size_t k = 0; k < ldd[r].size(); ++k) EXPECT_NEAR(got[r][k], ldd[r][k], 1e-7 * std::abs(ldd[r][k]));
    }
    EXPECT_EQ(numbers(FLEXFILE), std::vector<std::vector<double>>{got[1]});
    EXPECT_EQ(lines(STATFILE), std::vector<std::string>{"    1 ANALYSIS COMPLETED"});
    EXPECT_EQ(passes, 0);
    EXPECT_EQ(NANAL, 1);
    TearDown();

    SetUp();
    rq.KESTIM = 2, rq.IPOINT = 2, rq.ILOOP = 3;
    Cap2dOutcome zero = solved2(1.0, 4);
    zero.P(2) = 0.0;
    run2(zero, ISTAT);
    EXPECT_EQ(numbers(FLEXFILE), (std::vector<std::vector<double>>{{3, 0.0125, 0.5, 2.5e-3}}));
    TearDown();

    SetUp();
    rq.KESTIM = 2, rq.IPOINT = 2, rq.ILOOP = 3;
    run2(solved2(0.0, 0), ISTAT);
    EXPECT_EQ(numbers(LDDFILE), (std::vector<std::vector<double>>{{-3, 0, 0, 0, 0}, {-3, 0, 0, 0}}));
    EXPECT_EQ(numbers(FLEXFILE), (std::vector<std::vector<double>>{{3, 0, 1, 0}}));
    EXPECT_EQ(lines(STATFILE), std::vector<std::string>{"    3 NO CONVERGENCE ON PILE CAP"});
}

// A load case given at the point (0, 10) by its two forces and its
// rotation: the point's displacement (U1 - 10 U3, U2, U3) = (-0.0125, 0.5,
// 2.5e-3), its load (the given forces 1000 and 200, the pile moment moved
// there: -300 + 10 x 990 = 9600), the given member of each pair starred, on
// the results report and the summary; the origin row holds the pile forces
// with the given forces put in.
TEST_F(ResultPass2d, PointOfDefinitionBlocks) {
    rq.PDXYZ = vec({0.0, 10.0, 0.0});
    rq.PDFORC = vec({1000, 200, 0});
    rq.PDFLAG.fill(1);
    rq.PDFLAG(3) = 0;
    Cap2dOutcome st = solved2(1.0, 5);
    st.pod = true;
    st.F = vec({990, 210, -300});
    int ISTAT = 0;
    run2(st, ISTAT);
    const std::vector<std::string> want = {
        "     * POINT OF DEFINITION DISPLACEMENT/LOADS *",
        "             VERT. LOAD, LBS*   HORI. LOAD, LBS*   MOMENT,IN-LBS ",
        "                     1000.00           200.000           9600.00 ",
        "                VERTICAL,IN      HORIZONTAL,IN     ROTATION,RAD*",
        "                  -0.0125000           0.50000       2.50000E-03 "};
    for (int unit : {RESFILE, SUMFILE}) {
        const auto file = lines(unit);
        for (const std::string& w : want) EXPECT_NE(std::find(file.begin(), file.end(), w), file.end()) << unit << ": " << w;
    }
    const auto res = lines(RESFILE);
    EXPECT_NE(std::find(res.begin(), res.end(), "                     1000.00           200.000          -300.000 "),
              res.end());
}

// A target-deflection trial on Y (target 0.5): within its tolerance the
// Jacobian goes to the equivalent-stiffness file, the equivalent-stiffness
// pass runs (KFLAG 2), the rows' blocks follow (a row of 3 increments: 9
// lines) and the status is 1; 3 % off against a tolerance of 2 % writes only
// the runtime line and status 10. Neither raises the series count.
TEST_F(ResultPass2d, TargetTrial) {
    NINCR(1) = 3;
    IPROP(1) = 1;
    EQKTOP(1, 1) = 100.0, EQKTOP(1, 2) = 5.0e4, EQKTOP(1, 3) = 12.0;
    for (int i = 4; i <= 7; ++i) EQKNODE(1, i, 1) = (i - 4) * 12.0, EQKNODE(1, i, 2) = 7.0;
    rq.KTGT = 1, rq.KTGRES = 2, rq.IDOFTG = 2, rq.DEFTGT = 0.5, rq.TGTTOL = 2.0;
    int ISTAT = 0;
    run2(solved2(1.0, 4), ISTAT);
    EXPECT_EQ(kflags, std::vector<int>{2});
    EXPECT_EQ(ans.KTGRES, 0);
    EXPECT_EQ(ans.DEFCMP, 0.5);
    EXPECT_EQ(ans.PTLOAD(2), 200.0);
    EXPECT_EQ(KFLAG, 0);
    EXPECT_EQ(NANAL, 1);
    EXPECT_EQ(tables, 1);
    const auto eqk = lines(EQKFILE);
    ASSERT_EQ(eqk.size(), 4u + 9u);
    EXPECT_EQ(eqk[0], "     * EQV. STIFFNESS MATRIX AT ORIGIN *");
    EXPECT_EQ(eqk[4], "* PILE GROUP *     1");
    EXPECT_EQ(eqk[5], "       * PILE TOP EQUIVALENT STIFFNESSES");
    EXPECT_EQ(eqk[7], "       * EQUIVALENT STIFFNESSES ALONG PILE");
    EXPECT_EQ(lines(STATFILE), std::vector<std::string>{"    1 ANALYSIS COMPLETED"});
    TearDown();

    SetUp();
    rq.KTGT = 1, rq.KTGRES = 2, rq.IDOFTG = 2, rq.DEFTGT = 0.5 / 1.03, rq.TGTTOL = 2.0;
    run2(solved2(1.0, 4), ISTAT);
    EXPECT_EQ(passes, 0);
    EXPECT_EQ(lines(STATFILE), std::vector<std::string>{"    10 ANALYSIS COMPLETED"});
    EXPECT_TRUE(lines(EQKFILE).empty());
}

}  // namespace
}  // namespace zolan
