#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "group/cap_result_fixture.h"
#include "group/estimation_records3d.h"

namespace zolan {
namespace {

using test::ResultPass3d;
using test::solved;
using test::vec;

// Fields of the estimation records worked by hand: 5X, I5, 2X, then 1P,G18.8
// fields separated by 3X. G18.8 edits 0.1 <= |x| < 1e8 as F14.(8-k) and four
// blanks (k digits before the point), zero as F14.7 and four blanks, others
// as 1P,E18.8.
std::string rec(const char* level, std::initializer_list<const char*> fields) {
    std::string s = std::string(5, ' ') + level + "  ";
    bool first = true;
    for (const char* f : fields) {
        if (!first) s += "   ";
        s += f;
        first = false;
    }
    return s;
}
const char* const G0 = "     0.0000000    ";

// A flexibility point with its load on DOF 3: the load-displacement file
// holds the load and U, then U / 250 on both files; a partial solution says
// so in its status line. Without a converged step the records mark the point
// failed: a negative level and a unit flexibility.
TEST_F(ResultPass3d, FlexibilityPointRecords) {
    rq.KESTIM = 2;
    rq.IPOINT = 3;
    rq.ILOOP = 3;
    CapFinal st = solved(1.0, 4);
    st.P = vec({0, 0, 250, 0, 0, 0});
    st.U = vec({0.001, 0, 0.5, 0, 2e-4, 0});
    int ISTAT = 0;
    run(st, ISTAT);
    // U / 250 = (4e-6, 0, 2e-3, 0, 8e-7, 0).
    const std::string flex = rec("    3", {"    4.00000000E-06", G0, "    2.00000000E-03", G0, "    8.00000000E-07", G0});
    EXPECT_EQ(lines(LDDFILE),
              (std::vector<std::string>{rec("    3", {"     250.00000    ", "    1.00000000E-03", G0,
                                                     "    0.50000000    ", G0, "    2.00000000E-04", G0}),
                                        flex}));
    EXPECT_EQ(lines(FLEXFILE), std::vector<std::string>{flex});
    EXPECT_EQ(lines(STATFILE), std::vector<std::string>{"    1 ANALYSIS COMPLETED"});
    EXPECT_EQ(passes, 0);
    EXPECT_EQ(NANAL, 1);

    struct Case {
        const char* what;
        double tconv;
        int nconv, kerr;
        std::vector<std::string> status;
    };
    const Case failed[] = {
        {"no step converged", 0.0, 0, 0, {"    3 NO CONVERGENCE ON PILE CAP"}},
        {"singular after converged steps", 0.5, 1, 2, {"    7 SINGULAR STIFFNESS MATRIX "}},
    };
    for (const Case& c : failed) {
        SetUp();
        CapFinal f = solved(c.tconv, c.nconv);
        f.KERR = c.kerr;
        ISTAT = 0;
        run(f, ISTAT);
        const std::string z7 = rec("   -3", {G0, G0, G0, G0, G0, G0, G0});
        const std::string z6 = rec("   -3", {G0, G0, G0, G0, G0, G0});
        EXPECT_EQ(lines(LDDFILE), (std::vector<std::string>{z7, z6})) << c.what;
        EXPECT_EQ(lines(FLEXFILE), std::vector<std::string>{rec("    3", {G0, G0, "     1.0000000    ", G0, G0, G0})})
            << c.what;
        EXPECT_EQ(lines(STATFILE), c.status) << c.what;
        TearDown();
    }

    // Partial: TCONV 0.5, the load reached 125 divides U.
    SetUp();
    st.outcome = Stepping::Failed;
    st.TCONV = 0.5;
    st.nconv = 2;
    ISTAT = 0;
    run(st, ISTAT);
    EXPECT_EQ(lines(STATFILE), std::vector<std::string>{"    2 SOLUTION AT    50.00 % OF THE TOTAL LOAD"});
    // 0.5 / 125 = 4e-3.
    EXPECT_EQ(lines(FLEXFILE),
              std::vector<std::string>{rec("    3", {"    8.00000000E-06", G0, "    4.00000000E-03", G0,
                                                   "    1.60000000E-06", G0})});
}

// A target-deflection level compared with its target U(2) = 0.625 against
// 0.5: the error is 25 % exactly. Trials within the tolerance (equal
// included), a last trial and a plain accept write the matrix and the pile
// stiffnesses; a trial outside writes status 10 and asks for the next one.
TEST_F(ResultPass3d, TargetLevelComparison) {
    const std::string trial = "     STIFFNESS ESTIMATION,  COMPUTED DEF.:      0.6250 TARGET DEF.:      0.5000 "
                              "ERROR(%):     25.0000";
    const std::string limit = "     STIFFNESS ESTIMATION,  MAX. ITER. REACHED,  COMPUTED DEF.:      0.6250 TARGET "
                              "DEF.:      0.5000 ERROR(%):     25.0000";
    struct Case {
        int ktgres;
        double tol;
        int answer;
        std::vector<std::string> run, status;
        int passes;
    };
    const Case cases[] = {
        {2, 25.0, 0, {"", trial}, {"    1 ANALYSIS COMPLETED"}, 1},
        {2, 24.0, 2, {"", trial}, {"    10 ANALYSIS COMPLETED"}, 0},
        {1, 1.0, 1, {"", limit}, {"    1 ANALYSIS COMPLETED"}, 1},
        {3, 1.0, 0, {}, {"    1 ANALYSIS COMPLETED"}, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        NPILES = 0;
        rq.KTGT = 1;
        rq.KTGRES = c.ktgres;
        rq.IDOFTG = 2;
        rq.DEFTGT = 0.5;
        rq.TGTTOL = c.tol;
        CapFinal st = solved(1.0, 3);
        st.U = vec({0, 0.625, 0, 0, 0, 0});
        for (int i = 1; i <= 6; ++i) st.Kc(i, i) = 1000.0;
        int ISTAT = 0;
        run(st, ISTAT);
        EXPECT_EQ(ans.KTGRES, c.answer) << c.ktgres << " " << c.tol;
        EXPECT_EQ(ans.DEFCMP, 0.625);
        EXPECT_EQ(ans.PTLOAD(1), 1000.0);
        EXPECT_EQ(ans.PTDISP(2), 0.625);
        EXPECT_EQ(lines(RUNFILE), c.run) << c.ktgres << " " << c.tol;
        EXPECT_EQ(lines(STATFILE), c.status) << c.ktgres << " " << c.tol;
        EXPECT_EQ(passes, c.passes);
        if (c.passes == 1) {
            EXPECT_EQ(kflags, std::vector<int>{2});
        }
        const auto eqk = lines(EQKFILE);
        EXPECT_EQ(eqk.size(), c.passes ? 7u : 0u);
        if (c.passes) {
            EXPECT_EQ(eqk[0], "     * EQV. STIFFNESS MATRIX AT ORIGIN *");
            // Row 2: 1000 in F19.2 at column 2, zeros in F19.5.
            const std::string z = std::string(12, ' ') + "0.00000";
            EXPECT_EQ(eqk[2], "     " + z + std::string(12, ' ') + "1000.00" + z + z + z + z + " ");
        }
        EXPECT_EQ(KFLAG, 0);
        EXPECT_EQ(NANAL, 1);
        TearDown();
        passes = 0;
        kflags.clear();
    }
}

// The equivalent stiffnesses of one pile row of two increments (three node
// rows) in the widths the stiffness estimation reads back; 100 increments
// give 101 node rows, and no pile rows write nothing.
TEST_F(ResultPass3d, EquivalentStiffnessFile) {
    NPILES = 1;
    IPROP(1) = 1;
    NINCR(1) = 2;
    const double top[4] = {150000, 2500, 800, 12};
    for (int k = 1; k <= 4; ++k) EQKTOP(1, k) = top[k - 1];
    const double node[3][3] = {{0, 30, 40}, {12, 35.5, 50}, {24, 0, 0}};
    for (int n = 0; n < 3; ++n)
        for (int q = 0; q < 3; ++q) EQKNODE(1, n + 4, q + 1) = node[n][q];
    EQSTWR();
    // 17.8: 150000 F17.3, 2500 F17.5, 800 F17.6; 16.8 of 12 F16.7; zeros F.8.
    const std::vector<std::string> want = {
        "* PILE GROUP *     1",
        "       * PILE TOP EQUIVALENT STIFFNESSES",
        "       150000.000       2500.00000       800.000000 ",
        "       * EQUIVALENT STIFFNESSES ALONG PILE",
        "            12.0000000 ",
        "            0.00000000       30.0000000       40.0000000 ",
        "            12.0000000       35.5000000       50.0000000 ",
        "            24.0000000       0.00000000       0.00000000 ",
    };
    EXPECT_EQ(lines(EQKFILE), want);

    struct Case {
        int npiles, nincr;
        std::size_t rows;
    };
    for (const Case c : {Case{1, 100, 5 + 101}, Case{0, 2, 0}}) {
        SetUp();
        NPILES = c.npiles;
        IPROP(1) = 1;
        NINCR(1) = c.nincr;
        EQSTWR();
        EXPECT_EQ(lines(EQKFILE).size(), c.rows) << c.npiles << " " << c.nincr;
        TearDown();
    }
}

}  // namespace
}  // namespace zolan
