// Equivalent stiffness at the cap origin. A linear group solved by the
// three-dimensional cap solver as an accepted stiffness level: its file read
// back, the matrix equals the direct sum of the pile-head matrices carried
// to the origin by hand levers, agrees with the solver's own tangent at the
// origin (piles of finite differences rather than elements on lumped
// springs) within 1 %, and is the same bytes, trace included, on 1, 2 and 8
// threads. A plane row with a hand-worked matrix checks the transform, the
// row's pile count and every report of the level.
#include "capstiff/origin_stiffness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "capstiff/capstiff_services.h"
#include "capstiff/pile_head_stiffness.h"
#include "group/cap_solver3d.h"
#include "group/pile_axes.h"
#include "group/pile_row_loops.h"
#include "model/result_tables.h"
#include "model/status_codes.h"
#include "model/stiffness_tables.h"
#include "pile/node_mesh.h"
#include "pile/pile_response.h"
#include "report/stop_request.h"
#include "support/fixed_run.h"
#include "support/py_fixture.h"
#include "support/seams.h"

namespace zolan {
namespace {

constexpr double PIH = 3.141592653589793 / 2;

std::string pad(const std::string& s, std::size_t w) { return std::string(w - s.size(), ' ') + s; }

// Every file a level writes, open in the test's folder.
const int UNITS[] = {RESFILE, SUMFILE, PLOTDATA, RUNFILE, STATFILE, EQMFILE, ESTTRC, ITERTRC};
std::string name(int u) { return "unit" + std::to_string(u) + ".txt"; }
void open_units() {
    for (int u : UNITS) io::open_unit(u, name(u), {io::Access::Write});
}
std::vector<std::string> lines(int u) {
    io::close_unit(u);
    return test::lines_of(test::read_file(name(u)));
}

// Piles of EI 1e12 in elastic subgrade k b = 1e4 (beta L = 5.7 over 800),
// 100 increments, pinned heads, straight axial (1e5) and torque (1e6) curves:
// a group that answers linearly (the cap solver's own tests hold it so).
struct Head { double y, z, alpha, beta; };
void linear_group(std::initializer_list<Head> heads) {
    test::reset_py_model();
    test::one_pile(1.0, 8.0, 100);
    SECTAB(1, 1, SEC_TOP + SP_EI1) = SECTAB(1, 1, SEC_BOT + SP_EI1) = 1.0e12;
    SECTAB(1, 1, SEC_TOP + SP_EI2) = SECTAB(1, 1, SEC_BOT + SP_EI2) = 1.0e12;
    test::soil_layer(1, 12, 0.0, 1600.0);
    test::layer_value(SCK, 1, 1.0e4);
    test::layer_value(SCGAM, 1, 0.01);
    test::layer_value(SCCOH, 1, 1.0e6);
    NODESETUP();
    test::straight_head_curves(1.0e5, 1.0e6);
    GROUND(1) = -1.0e-3;
    NPILES = 0;
    for (const Head& h : heads) {
        const int r = ++NPILES;
        if (r > 1) test::copy_pile_row(1, r);
        CORY(r) = YTOP(r) = h.y;
        CORZ(r) = h.z;
        ALPHA(r) = h.alpha, BETA(r) = h.beta;
        BATANG(r) = PIH - h.beta;
        KCONN(r) = KCONNZ(r) = 1;
        PMULT(r) = AXFAC(r) = PFGRP(r) = YFGRP(r) = 1.0;
        ILSCRV(r) = ITRCRV(r) = 1;
        PYFORM(IPROP(r), r, 0);
    }
    MAXITC = 30, MAXITP = 100;
    TOLREL = 1e-10, TOLLLP = 1e-15;
    DTINIT = 1.0, DTCMIN = 0.01;
    NTHRREQ = 1;
}

// An accepted level of the load P: the case line, the solver's matrix and
// pile blocks on the equivalent-stiffness file, which is then read back.
void accepted_level(const CAPVEC& P) {
    io::open_unit(EQKFILE, "eqk.txt", {io::Access::Write});
    io::write_fmt(EQKFILE, R"(("LOAD CASE : ",I5))", {1});
    SolveRequest rq;
    rq.load = P;
    rq.KTGT = 1;
    rq.KTGRES = 3;
    int istat = 0;
    const SolveAnswer a = CAP3D(rq, istat);
    io::close_unit(EQKFILE);
    ASSERT_EQ(istat, 0);
    ASSERT_EQ(a.KTGRES, 0);
    io::open_unit(EQKFILE, "eqk.txt", {io::Access::Read});
    EQKREAD(istat);
    io::close_unit(EQKFILE);
    ASSERT_EQ(istat, 0);
}

// The head matrix Kq (cap axes at the head) carried to the origin by hand:
// column j is the moment-carried head force of the head displacement of a
// unit origin displacement e_j (u + theta x r, r = (0, y, z)).
CAPMAT carried(const CAPMAT& Kq, double y, double z) {
    CAPMAT S;
    for (int j = 1; j <= 6; ++j) {
        CAPVEC d;
        d(j) = 1.0;
        d(1) += d(5) * z - d(6) * y;
        d(2) -= d(4) * z;
        d(3) += d(4) * y;
        CAPVEC f;
        for (int i = 1; i <= 6; ++i)
            for (int k = 1; k <= 6; ++k) f(i) += Kq(i, k) * d(k);
        f(4) += y * f(3) - z * f(2);
        f(5) += z * f(1);
        f(6) -= y * f(1);
        for (int i = 1; i <= 6; ++i) S(i, j) = f(i);
    }
    return S;
}

class OriginStiffness : public ::testing::Test {
protected:
    void SetUp() override { open_units(); }
    void TearDown() override {
        io::close_all_units();
        reset_stiffness_tables();
        reset_result_tables();
        test::reset_py_model();
    }
    test::TempDir dir;
    test::Seams seams;
};

TEST_F(OriginStiffness, LinearGroupAgainstDirectSumAndSolverTangent) {
    // Two vertical rows and two battered ones (along Y and along Z).
    linear_group({{-30, -30, 0.0, PIH}, {30, -30, 0.0, PIH - 0.2}, {-30, 30, PIH, PIH - 0.25}, {30, 30, 0.0, PIH}});
    accepted_level([] {
        CAPVEC P;
        const double v[] = {40.0, 3.0, -2.0, 50.0, 30.0, -40.0};
        for (int k = 1; k <= 6; ++k) P(k) = v[k - 1];
        return P;
    }());
    int istat = 0;
    const CAPMAT K = origin_stiffness(0, istat);
    ASSERT_EQ(istat, 0);

    // 1. The direct sum: each head matrix turned to cap axes, carried by hand.
    CAPMAT D;
    for (int p = 1; p <= NPILES; ++p) {
        const PileTransform t = PILETR(p);
        const CAPMAT Kp = PHSTIF3(p, 0, istat);
        CAPMAT Kq;
        for (int j = 1; j <= 6; ++j)
            for (int i = 1; i <= 6; ++i)
                for (int a = 1; a <= 6; ++a)
                    for (int b = 1; b <= 6; ++b) Kq(i, j) += t.Q(i, a) * Kp(a, b) * t.Q(j, b);
        const CAPMAT S = carried(Kq, CORY(p), CORZ(p));
        for (int j = 1; j <= 6; ++j)
            for (int i = 1; i <= 6; ++i) D(i, j) += S(i, j);
    }
    // 2. The solver's tangent at the origin: the derivative of the force of the
    // piles on the cap, which resists the cap's displacement (-K).
    CAPVEC zero;
    const CAPMAT T = STIFF(pile_controls(0, 1, 0), zero, istat);
    ASSERT_EQ(istat, 0);
    // Each entry against sqrt(M(i, i) M(j, j)), the natural scale of a
    // coupling between degrees i and j (the diagonal itself on the diagonal).
    auto scale = [](const CAPMAT& M, int i, int j) { return std::sqrt(std::abs(M(i, i) * M(j, j))); };
    for (int j = 1; j <= 6; ++j)
        for (int i = 1; i <= 6; ++i) {
            EXPECT_NEAR(K(i, j), D(i, j), 1e-6 * scale(D, i, j)) << "direct sum " << i << "," << j;
            EXPECT_NEAR(K(i, j), -T(i, j), 1e-2 * scale(T, i, j)) << "solver tangent " << i << "," << j;
        }
    EXPECT_GT(K(1, 1), 0.0);
    EXPECT_GT(std::abs(K(2, 6)), 1e-3 * K(2, 2) * 30);  // the levers couple forces and rotations
}

// The same matrix bytes and the same trace on 1, 2 and 8 threads.
TEST_F(OriginStiffness, SameBytesForAnyThreadCount) {
    linear_group({{-30, -30, 0.0, PIH}, {30, -30, 0.0, PIH - 0.2}, {-30, 30, PIH, PIH - 0.25}, {30, 30, 0.0, PIH},
                  {0, 0, 0.5, PIH - 0.1}, {10, -20, 0.0, PIH}, {-15, 5, 1.0, PIH - 0.3}, {20, 15, 0.0, PIH},
                  {5, 25, 2.0, PIH - 0.15}});
    CAPVEC P;
    P(1) = 40.0, P(2) = 3.0, P(3) = -2.0, P(4) = 50.0, P(5) = 30.0, P(6) = -40.0;
    accepted_level(P);
    std::vector<CAPMAT> Ks;
    std::vector<std::string> traces;
    for (int n : {1, 2, 8}) {
        NTHRREQ = n;
        io::open_unit(ESTTRC, "trace.txt", {io::Access::Write});
        int istat = 0;
        Ks.push_back(origin_stiffness(1, istat));
        EXPECT_EQ(istat, 0);
        io::close_unit(ESTTRC);
        traces.push_back(test::read_file("trace.txt"));
    }
    for (std::size_t k = 1; k < Ks.size(); ++k) {
        EXPECT_EQ(std::memcmp(Ks[k].data(), Ks[0].data(), sizeof(double) * 36), 0) << k;
        EXPECT_EQ(traces[k], traces[0]) << k;
    }
    EXPECT_EQ(test::lines_of(traces[0]).size(), 1u + 9 * 103);
}

// A stop request read between the rows (the front end writing 1 after the
// first read, the throttle passing every call) ends the sum with status 4
// before the second row, its rows leaving nothing on the trace.
void stop_after_first_read(int reads) {
    if (reads == 1) test::write_file("stop.txt", "1\n");
}

TEST_F(OriginStiffness, StopBetweenRows) {
    linear_group({{-30, -30, 0.0, PIH}, {30, -30, 0.0, PIH - 0.2}, {-30, 30, PIH, PIH - 0.25}, {30, 30, 0.0, PIH},
                  {0, 0, 0.5, PIH - 0.1}, {10, -20, 0.0, PIH}, {-15, 5, 1.0, PIH - 0.3}, {20, 15, 0.0, PIH},
                  {5, 25, 2.0, PIH - 0.15}});
    CAPVEC P;
    P(1) = 40.0;
    accepted_level(P);
    FSTOP = "stop.txt";
    STOP_INTERVAL = 0.0;
    STOPREAD_HOOK = stop_after_first_read;
    NTHRREQ = 1;
    test::write_file("stop.txt", "");
    reset_stop_request();
    io::open_unit(ESTTRC, "trace.txt", {io::Access::Write});
    int istat = 0;
    origin_stiffness(1, istat);
    io::close_unit(ESTTRC);
    EXPECT_EQ(istat, ISSTOP);
    EXPECT_EQ(test::lines_of(test::read_file("trace.txt")).size(), 1u);
    reset_stop_request();
}

// One plane row of three piles, vertical at (X, Y) = (0, 2), one element of
// EI 1 and length 1, no tip spring, head spring 10, fixed head, axial 100.
// The element hangs free below the head, so the head matrix is diag(100, 10,
// 0); T = [1 0 0; 0 1 0; -2 0 1] makes T K Tt = [100 0 -200; 0 10 0; -200 0
// 400], three piles [300 0 -600; 0 30 0; -600 0 1200]. Every report of the
// level, byte for byte.
TEST_F(OriginStiffness, PlaneRowReports) {
    test::reset_py_model();
    NANTYP = 2;
    test::one_pile(1.0, 1.0, 1);
    SECTAB(1, 1, SEC_TOP + SP_EI1) = SECTAB(1, 1, SEC_BOT + SP_EI1) = 1.0;
    XTOP(1) = 0.0, YTOP(1) = 2.0, BATANG(1) = 0.0, PMULT(1) = 3.0, KCONN(1) = 2;
    EQKTOPR(1, 1) = 100.0;
    EQKNODR(1, 1) = 10.0;
    StiffnessLevel s;
    s.n = 1;
    s.IPOINT = 1;
    s.level = 1.0;
    s.PTLOAD(1) = 5.0;
    s.PTDISP(2) = 0.5;
    Table1<double, MAXSTL> PTFAC;
    PTFAC(1) = 1.0;
    int istat = 0;
    CAPTSTF(s, PTFAC, istat);
    ASSERT_EQ(istat, 0);

    // R15.5: 300 F15.3, -600 F15.3, 1200 F15.2, 30 F15.4, 0 and 0.5 F15.5.
    const auto r15 = [](const char* a, const char* b, const char* c) { return pad(a, 15) + pad(b, 15) + pad(c, 15); };
    const std::vector<std::string> res = {
        "   LOAD" + r15("5.00000", "0.00000", "0.00000") + " ",
        "   DISP" + r15("0.00000", "0.50000", "0.00000") + " ",
        "",
        "          * EQUIVALENT STIFFNESS MATRIX AT ORIGIN *",
        "    DOF          1              2              3     ",
        "      1" + r15("300.000", "0.00000", "-600.000") + " ",
        "      2" + r15("0.00000", "30.0000", "0.00000") + " ",
        "      3" + r15("-600.000", "0.00000", "1200.00") + " ",
    };
    EXPECT_EQ(lines(RESFILE), res);
    const std::vector<std::string> sum = lines(SUMFILE);
    ASSERT_EQ(sum.size(), 10u);
    EXPECT_EQ(sum[1], "       N:    1  FACTOR :    1.0000");
    EXPECT_EQ(sum[4], "");
    EXPECT_EQ(sum[5], "          * EQV. STIFFNESS MATRIX AT ORIGIN *");
    EXPECT_EQ(std::vector<std::string>(sum.begin() + 6, sum.end()), std::vector<std::string>(res.begin() + 4, res.end()));
    // R19.5 on the matrix file; R18.8 with 4X on the plot data.
    const std::vector<std::string> eqm = {
        "     * EQV. STIFFNESS MATRIX AT ORIGIN *",
        "     " + pad("300.000", 19) + pad("0.00000", 19) + pad("-600.000", 19) + " ",
        "     " + pad("0.00000", 19) + pad("30.0000", 19) + pad("0.00000", 19) + " ",
        "     " + pad("-600.000", 19) + pad("0.00000", 19) + pad("1200.00", 19) + " ",
    };
    EXPECT_EQ(lines(EQMFILE), eqm);
    const std::vector<std::string> plot = lines(PLOTDATA);
    ASSERT_EQ(plot.size(), 9u);
    const auto r18 = [](const char* v) { return pad(v, 18) + "    "; };
    EXPECT_EQ(plot[5], std::string(14, ' ') + r18("300.000000") + r18("30.0000000") + r18("1200.00000") + " ");
    EXPECT_EQ(plot[8], "         3    " + r18("-600.000000") + r18("0.00000000") + r18("1200.00000") + " ");
    const std::vector<std::string> trace = lines(ESTTRC);
    ASSERT_EQ(trace.size(), 5u);
    EXPECT_EQ(trace[0], "     NPILES=    1");
    EXPECT_EQ(trace[1], "     PILE=    1     NNODES=    2");
}

// The numbers of a report row after its first `skip` words.
std::vector<double> numbers(const std::string& line, int skip) {
    std::istringstream in(line);
    std::string w;
    std::vector<double> v;
    for (int k = 0; in >> w; ++k)
        if (k >= skip) v.push_back(std::stod(w));
    return v;
}

// A whole run of one vertical pile in sand at two load levels (0.5 and 1 of
// the load): both levels report their load, displacement and matrix; the
// matrix is symmetric, its axial term is the pile's secant axial stiffness,
// the load over the displacement reached at the origin (the pile stands at
// the origin), and the matrix file holds the same two matrices.
TEST(OriginStiffnessRun, TwoLevelsOfOnePile) {
    test::TempDir dir;
    ASSERT_EQ(test::run_at_fixed_time(std::string(ZOLAN_FIXTURES_DIR) + "/stiffness3d.in", "stiffness3d.in"), 0);
    const std::vector<std::string> res = test::lines_of(test::read_file("results.txt"));
    std::vector<std::vector<double>> loads, disps, rows;
    for (std::size_t k = 0; k < res.size(); ++k) {
        if (res[k].rfind("   LOAD ", 0) == 0) loads.push_back(numbers(res[k], 1));
        if (res[k].rfind("   DISP ", 0) == 0) disps.push_back(numbers(res[k], 1));
        if (res[k].rfind("    DOF ", 0) == 0)
            for (std::size_t i = 1; i <= 6 && k + i < res.size(); ++i) rows.push_back(numbers(res[k + i], 1));
    }
    ASSERT_EQ(loads.size(), 2u);
    ASSERT_EQ(disps.size(), 2u);
    ASSERT_EQ(rows.size(), 12u);
    std::vector<double> eqm;
    for (const std::string& l : test::lines_of(test::read_file("eqm.txt")))
        if (l.find('*') == std::string::npos)
            for (double x : numbers(l, 0)) eqm.push_back(x);
    ASSERT_EQ(eqm.size(), 72u);
    for (int lev = 0; lev < 2; ++lev) {
        SCOPED_TRACE(lev + 1);
        EXPECT_NEAR(loads[lev][0], 50000.0 * (lev + 1), 1e-3);
        const auto K = [&](int i, int j) { return rows[static_cast<std::size_t>(6 * lev + i - 1)][static_cast<std::size_t>(j - 1)]; };
        EXPECT_NEAR(K(1, 1), loads[lev][0] / disps[lev][0], 2e-5 * K(1, 1));
        for (int i = 1; i <= 6; ++i)
            for (int j = 1; j <= 6; ++j) {
                EXPECT_NEAR(K(i, j), K(j, i), 1e-5 * std::sqrt(K(i, i) * K(j, j))) << i << "," << j;
                EXPECT_NEAR(eqm[static_cast<std::size_t>(36 * lev + 6 * (i - 1) + j - 1)], K(i, j),
                            1e-5 * std::abs(K(i, j)));
            }
        EXPECT_GT(K(2, 2), 0.0);
        EXPECT_GT(K(6, 6), 0.0);
    }
    // The softening of the sand: the second level is the less stiff.
    EXPECT_LT(rows[6][0], rows[0][0]);
    EXPECT_LT(rows[7][1], rows[1][1]);
}

// The heading of a stiffness estimation names its method on both reports,
// each method text 31 characters with its trailing blanks.
TEST_F(OriginStiffness, HeadingNamesTheMethod) {
    CAPHDR(0);
    CAPHDR(1);
    const std::string head = "     * PILE CAP STIFFNESS ESTIMATION *";
    const std::vector<std::string> rep = {"", "", head, "     - BASED ON TOTAL APPLIED LOAD  ",
                                          "", "", head, "     - BASED ON TARGET DEFLECTION   "};
    EXPECT_EQ(lines(RESFILE), rep);
    EXPECT_EQ(lines(SUMFILE), rep);
    EXPECT_EQ(lines(PLOTDATA), (std::vector<std::string>{head, head}));
    EXPECT_EQ(lines(RUNFILE), (std::vector<std::string>{"", head, "", head}));
}

// No pile rows: a zero matrix, the pile count 0 on the trace.
TEST_F(OriginStiffness, NoPiles) {
    test::reset_py_model();
    int istat = 0;
    const CAPMAT K = origin_stiffness(0, istat);
    EXPECT_EQ(istat, 0);
    for (int j = 1; j <= 6; ++j)
        for (int i = 1; i <= 6; ++i) EXPECT_EQ(K(i, j), 0.0);
    EXPECT_EQ(lines(ESTTRC), std::vector<std::string>{"     NPILES=    0"});
}

}  // namespace
}  // namespace zolan
