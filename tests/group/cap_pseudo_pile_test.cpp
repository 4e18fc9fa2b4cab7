// The cap as a pseudo-pile on elastic subgrade springs (p = k b y with the
// cap's width b): rigid-body node displacements, the integrals and the
// transfer to the origin, the trace, the length check and the status rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "group/cap_pseudo_pile.h"
#include "model/status_codes.h"
#include "support/fixed_run.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

using test::lines_of;
using test::read_file;

constexpr double K = 100.0, B = 5.0, ES = K * B;  // subgrade modulus, cap width: Es = k b

class CapPseudoPile : public test::PyModelTest {
protected:
    // One pile row with its head at X = 0; the cap 2 thick above it, so the
    // pseudo-pile runs from X = -2 to 0 in n increments; one elastic layer
    // from X = -3 (the pseudo-pile's ground line) down to X = 100.
    void SetUp() override {
        test::reset_py_model();
        test::one_pile(1.0, 1.0, 10);
        test::soil_layer(1, 12, -3.0, 100.0);
        test::layer_value(SCK, 1, K);
        test::layer_value(SCGAM, 1, 0.01);
        test::layer_value(SCCOH, 1, 1.0e9);
        KCAPOP = 2, KCAPLD = 1;
        CAPWID = B;
        CAPTHK = CPPTHK = 2.0;
        NCAPINC = 2;
        const int c = NPILES + 1;
        CORX(c) = XTOP(c) = CPPTOP = -2.0;
        BETA(c) = 3.141592653589793 / 2;
        PMULT(c) = 1.0;
        GROUND(c) = LAYTOP(1) - CPPTOP;
        PFGRP(c) = YFGRP(c) = 1.0;
        ASSERT_TRUE(io::open_unit(RESFILE, "res.txt", {}));
        ASSERT_TRUE(io::open_unit(RUNFILE, "run.txt", {}));
    }
    std::vector<std::string> report() {
        io::close_unit(RESFILE);
        io::close_unit(RUNFILE);
        return lines_of(read_file("res.txt"));
    }
    void TearDown() override {
        io::close_unit(RESFILE);
        io::close_unit(RUNFILE);
        test::PyModelTest::TearDown();
    }
    test::TempDir dir_;
};

double number(const std::string& line, int i) {
    std::istringstream in(line);
    std::string w;
    double v = 0.0;
    for (int k = 0; k <= i; ++k) in >> w;
    v = std::stod(w);
    return v;
}

// A rotation about Z of 0.001 moves node k by 0.001 (-2 + (k - 1)): -0.002,
// -0.001, 0. Forces: S1 = Es (-0.002 x 0.5 - 0.001 x 1) = -0.002 Es, so Fy =
// 0.002 Es; about the head S3 = Es (-0.002 x 0.5 x 0.25 - 0.001 x 1 x 1) =
// -0.00125 Es, Mz = 0.00125 Es; at the origin the moment about Z gains
// CPPTOP Fy: 0.00125 Es - 2 x 0.002 Es = -0.00275 Es. One evaluation writes
// 5 (n + 1) + 4 records.
TEST_F(CapPseudoPile, RotationAboutZ) {
    CAPVEC U;
    U(6) = 0.001;
    int istat = 0;
    const CAPVEC F = CAPSPF(U, istat);
    EXPECT_EQ(istat, 0);
    const double want[6] = {0, 0.002 * ES, 0, 0, 0, -0.00275 * ES};
    for (int k = 1; k <= 6; ++k) EXPECT_NEAR(F(k), want[k - 1], 1e-9) << k;
    const std::vector<std::string> lines = report();
    ASSERT_EQ(lines.size(), 5u * 3 + 4);
    EXPECT_NE(lines[1].find("REACTIONS CAP"), std::string::npos);
    const double y[3] = {-0.002, -0.001, 0.0};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(number(lines[2 + 5 * k], 0), k + 4);
        EXPECT_NEAR(number(lines[2 + 5 * k], 1), ES, 1e-9);
        EXPECT_NE(lines[3 + 5 * k].find("DISP"), std::string::npos);
        EXPECT_NEAR(number(lines[3 + 5 * k], 1), y[k], 1e-15);
        EXPECT_EQ(number(lines[3 + 5 * k], 2), 0.0);
    }
}

// Pure Y translation 0.01 with n = 1 (dh = 2): both nodes 0.01, weights dh/2
// = 1 each, Fy = -0.02 Es; levers dh/4 = 0.5 and 3 dh/4 = 1.5: Mz = -(0.5 +
// 1.5) 0.01 Es = -0.02 Es about the head, at the origin -0.02 Es + (-2)(-0.02
// Es) = 0.02 Es.
TEST_F(CapPseudoPile, TranslationsOneIncrement) {
    NCAPINC = 1;
    CAPVEC U;
    U(2) = 0.01;
    int istat = 0;
    CAPVEC F = CAPSPF(U, istat);
    EXPECT_NEAR(F(2), -0.02 * ES, 1e-9);
    EXPECT_NEAR(F(6), 0.02 * ES, 1e-9);
    for (int k : {1, 3, 4, 5}) EXPECT_NEAR(F(k), 0.0, 1e-12) << k;
    U(2) = 0.0;
    U(3) = 0.01;
    F = CAPSPF(U, istat);
    // About Y: My = -S4 = 0.02 Es at the head, less CPPTOP Fz at the origin:
    // 0.02 Es - (-2)(-0.02 Es) = -0.02 Es.
    EXPECT_NEAR(F(3), -0.02 * ES, 1e-9);
    EXPECT_NEAR(F(5), -0.02 * ES, 1e-9);
    for (int k : {1, 2, 4, 6}) EXPECT_NEAR(F(k), 0.0, 1e-12) << k;
    EXPECT_EQ(istat, 0);
}

// The last node exactly at the bottom of the deepest layer is accepted; a
// pseudo-pile one unit longer is refused with status 3 and the fatal block.
TEST_F(CapPseudoPile, LengthCheck) {
    test::soil_layer(1, 12, -3.0, 0.0);
    CAPVEC U;
    U(2) = 0.01;
    int istat = 0;
    EXPECT_NE(CAPSPF(U, istat)(2), 0.0);
    EXPECT_EQ(istat, 0);
    CPPTHK = 3.0;
    const CAPVEC F = CAPSPF(U, istat);
    EXPECT_EQ(istat, ISPLEN);
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(F(k), 0.0) << k;
    const std::vector<std::string> lines = report();
    bool fatal = false;
    for (const std::string& l : lines) fatal = fatal || l.find("**** FATAL ERROR ****") != std::string::npos;
    EXPECT_TRUE(fatal);
}

// A status that a pile row left survives an evaluation of the pseudo-pile,
// which still gives its force.
TEST_F(CapPseudoPile, StatusOfAPileRowSurvives) {
    CAPVEC U;
    U(2) = 0.01;
    int istat = ISWROCK;
    EXPECT_NE(CAPSPF(U, istat)(2), 0.0);
    EXPECT_EQ(istat, ISWROCK);
}

// The horizontal Y movement of the cap origin in the n-th displacement block
// of a results report.
double cap_y(const std::string& results, int n) {
    std::size_t at = 0;
    for (int k = 0; k < n; ++k) at = results.find("* DISPLACEMENT OF GROUPED PILE FOUNDATION AT ORIGIN *", at + 1);
    at = results.find("HORIZONTAL Y,IN", at);
    std::istringstream row(results.substr(results.find('\n', at) + 1));
    double x = 0, y = 0;
    row >> x >> y;
    return y;
}

// A whole run of a group whose cap stands 4 ft deep in soft clay as a
// pseudo-pile: every analysis completes from zero, where the clay's curves
// are steepest, and the cap's springs take part of the wind (the cap moves
// less sideways than the same group under a cap that carries no soil).
TEST(CapPseudoPileRun, CapInSoftClayConverges) {
    test::TempDir dir;
    const std::string fixture = std::string(ZOLAN_FIXTURES_DIR) + "/pseudo_pile3d.in";
    ASSERT_EQ(test::run_at_fixed_time(fixture, "pseudo.in"), 0);
    const std::vector<std::string> status = lines_of(read_file("status.txt"));
    EXPECT_EQ(std::count(status.begin(), status.end(), "    1 ANALYSIS COMPLETED"), 4);
    const double embedded = cap_y(read_file("results.txt"), 3);
    // The same group, the cap carrying no soil (no cap model, no record 2).
    std::string bare = read_file(fixture);
    bare.replace(bare.find("1 3 2 0 0"), 9, "1 3 0 0 0");
    const std::size_t rec2 = bare.find("1 0 10 50.0");
    bare.erase(rec2, bare.find('\n', rec2) + 1 - rec2);
    test::write_file("bare.src", bare);
    ASSERT_EQ(test::run_at_fixed_time("bare.src", "bare.in"), 0);
    const double free_cap = cap_y(read_file("results.txt"), 3);
    EXPECT_GT(embedded, 0.0);
    EXPECT_LT(embedded, 0.95 * free_cap) << embedded << " against " << free_cap;
}

}  // namespace
}  // namespace zolan
