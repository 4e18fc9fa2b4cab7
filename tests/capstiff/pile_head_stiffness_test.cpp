// Pile-head stiffness from the beam-column chain on lumped springs: the
// element matrices by their terms, the condensation, a long elastic pile
// against the closed form of a beam on an elastic foundation, the head
// fixities, the plane row against the three-dimensional pile, the plane
// transform and the trace.
#include "capstiff/pile_head_stiffness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/result_tables.h"
#include "model/stiffness_tables.h"
#include "report/run_files.h"
#include "support/py_fixture.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// One element of EI1 = 2, EI2 = 3, EA = 5, GJ = 7, h = 2 under P = 4 with the
// axial-force terms: every listed entry by hand, its mirror, and zeros elsewhere.
TEST(PileHeadStiffness, ElementTerms) {
    struct Entry { int i, j; double v; };
    // 12 EI1/h^3 - P/h = 3 - 2; 6 EI1/h^2 - P/10 = 3 - 0.4; 4 EI1/h - 2Ph/15 = 4 - 16/15;
    // 2 EI1/h + Ph/30 = 2 + 8/30; the x-z plane with EI2 = 3: 4.5 - 2, 4.5 - 0.4, 6 - 16/15, 3 + 8/30.
    const Entry entries[] = {
        {1, 1, 2.5}, {7, 7, 2.5}, {1, 7, -2.5}, {4, 4, 3.5}, {10, 10, 3.5}, {4, 10, -3.5},
        {2, 2, 1.0}, {8, 8, 1.0}, {2, 8, -1.0}, {2, 6, -2.6}, {2, 12, -2.6}, {6, 8, 2.6}, {8, 12, 2.6},
        {6, 6, 4 - 16.0 / 15}, {12, 12, 4 - 16.0 / 15}, {6, 12, 2 + 8.0 / 30},
        {3, 3, 2.5}, {9, 9, 2.5}, {3, 9, -2.5}, {3, 5, 4.1}, {3, 11, 4.1}, {5, 9, -4.1}, {9, 11, -4.1},
        {5, 5, 6 - 16.0 / 15}, {11, 11, 6 - 16.0 / 15}, {5, 11, 3 + 8.0 / 30},
    };
    const MAT12 K = BEAMK3D(2, 3, 5, 7, 2, 4, 1);
    int nonzero = 0;
    for (int j = 1; j <= 12; ++j)
        for (int i = 1; i <= 12; ++i) nonzero += K(i, j) != 0.0;
    EXPECT_EQ(nonzero, 12 + 2 * 14);
    for (const Entry& e : entries) {
        EXPECT_NEAR(K(e.i, e.j), e.v, 1e-12) << e.i << "," << e.j;
        EXPECT_EQ(K(e.j, e.i), K(e.i, e.j)) << e.i << "," << e.j;
    }
    // The plane element is the x-y plane with the axial member (degrees 1, 2, 6 of each node).
    const MAT6 K2 = BEAMK2D(2, 5, 2, 4, 1);
    const int map[] = {1, 2, 6, 7, 8, 12};
    for (int j = 1; j <= 6; ++j)
        for (int i = 1; i <= 6; ++i) EXPECT_EQ(K2(i, j), K(map[i - 1], map[j - 1])) << i << "," << j;
    // Without the switch (any value but 1) P plays no part.
    for (int sw : {0, 2}) {
        const MAT12 a = BEAMK3D(2, 3, 5, 7, 2, 4, sw), b = BEAMK3D(2, 3, 5, 7, 2, 0, 1);
        for (int j = 1; j <= 12; ++j)
            for (int i = 1; i <= 12; ++i) EXPECT_EQ(a(i, j), b(i, j));
    }
}

// Condensation by hand: nothing to eliminate, one and two eliminated
// degrees (Schur complements), and a zero first pivot.
TEST(PileHeadStiffness, Condensation) {
    struct Case {
        int n, m;
        std::vector<double> K, Kc;  // column by column
        int flag;
    };
    const Case cases[] = {
        {2, 2, {4, 2, 2, 3}, {4, 2, 2, 3}, 0},
        {2, 1, {4, 2, 2, 3}, {3 - 2.0 * 2 / 4}, 0},
        {3, 2, {2, 1, 0, 1, 2, 1, 0, 1, 2}, {1.5, 1, 1, 2}, 0},
        {3, 1, {2, 1, 0, 1, 0.5, 1, 0, 1, 2}, {0}, 1},  // second pivot 0.5 - 1/2 = 0
        {2, 1, {0, 2, 2, 3}, {0}, 1},
    };
    for (const Case& c : cases) {
        std::vector<double> K = c.K, Kc(c.Kc.size(), 9.0);
        EXPECT_EQ(CONDENS(K, Kc, c.n, c.m), c.flag);
        for (std::size_t k = 0; k < Kc.size(); ++k) EXPECT_NEAR(Kc[k], c.Kc[k], 1e-15) << c.n << "/" << c.m << ": " << k;
        if (c.K[0] == 0.0) {
            EXPECT_EQ(K, c.K);  // a zero first pivot leaves K alone
        }
    }
}

// A long pile (beta L = 8) of EI = 1e4 on springs k = 4 per unit length
// (beta = (k / 4 EI)^(1/4) = 0.1), h = 0.8, node springs k h (k h / 2 at the
// ends). Semi-infinite beam on an elastic foundation (Hetenyi): fixed head
// K_vv = 4 EI beta^3 = 40, K_vt = 2 EI beta^2 = 200, K_tt = 2 EI beta = 2000;
// free head K_vv = 2 EI beta^3 = 20.
class LongPile : public ::testing::Test {
protected:
    static constexpr double EI = 1.0e4, KS = 4.0, H = 0.8;
    static constexpr int N = 100;
    void SetUp() override {
        test::reset_py_model();
        test::one_pile(1.0, H, N);
        for (int c : {SP_EI1, SP_EI2}) SECTAB(1, 1, SEC_TOP + c) = SECTAB(1, 1, SEC_BOT + c) = EI;
        for (int n = 1; n <= N + 1; ++n) EQKNODR(1, n) = KS * H * (n == 1 || n == N + 1 ? 0.5 : 1.0);
        EQKTOPR(1, 1) = 3.0e5, EQKTOPR(1, 2) = 7.0e6, EQKTOPR(1, 3) = 0.0;
        io::open_unit(ESTTRC, "trace.txt", {io::Access::Write});
    }
    void TearDown() override {
        io::close_all_units();
        reset_stiffness_tables();
        test::reset_py_model();
    }
    CAPMAT head(int code_xy, double s_xy, int code_xz, double s_xz, int axload = 0) {
        KCONN(1) = code_xy, SPRZ(1) = s_xy, KCONNZ(1) = code_xz, SPRY(1) = s_xz;
        int istat = 0;
        return PHSTIF3(1, axload, istat);
    }
    test::TempDir dir;
};

void expect_matrix(const CAPMAT& a, const CAPMAT& b, double tol, const char* what) {
    for (int j = 1; j <= 6; ++j)
        for (int i = 1; i <= 6; ++i) EXPECT_NEAR(a(i, j), b(i, j), tol * (1.0 + std::abs(b(i, j)))) << what << " " << i << "," << j;
}

// Fixed head in the x-y plane, free head in the x-z plane: the closed form
// within 0.5 %, the coupling signs of the two planes, symmetry, and the
// axial and torsional terms from the pile top with nothing else in their rows.
TEST_F(LongPile, ClosedFormOfBeamOnElasticFoundation) {
    const CAPMAT K = head(2, 0.0, 1, 0.0);
    EXPECT_NEAR(K(2, 2), 40.0, 0.005 * 40.0);
    EXPECT_NEAR(K(2, 6), 200.0, 0.005 * 200.0);
    EXPECT_NEAR(K(6, 6), 2000.0, 0.005 * 2000.0);
    EXPECT_NEAR(K(3, 3), 20.0, 0.005 * 20.0);
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(K(i, 5), 0.0) << i;  // free rotation about y
    for (int j = 1; j <= 6; ++j)
        for (int i = 1; i <= 6; ++i) EXPECT_NEAR(K(i, j), K(j, i), 1e-9 * (1 + std::abs(K(i, j))));
    EXPECT_EQ(K(1, 1), 3.0e5);
    EXPECT_EQ(K(4, 4), 7.0e6);
    for (int j : {2, 3, 5, 6})
        for (int i : {1, 4}) EXPECT_EQ(K(i, j) + K(j, i), 0.0);
    // Both planes fixed: the x-z plane has the opposite coupling sign.
    const CAPMAT F = head(2, 0.0, 2, 0.0);
    EXPECT_NEAR(F(3, 3), 40.0, 0.005 * 40.0);
    EXPECT_NEAR(F(3, 5), -200.0, 0.005 * 200.0);
    EXPECT_NEAR(F(5, 5), 2000.0, 0.005 * 2000.0);
    EXPECT_EQ(F(2, 3), 0.0);  // the planes never couple
}

// Head codes: a spring of 0 frees the rotation like code 1; an unknown code
// holds it like code 2; a very stiff spring approaches the fixed head; a
// spring equal to the head's own rotational stiffness halves it (springs in
// series) and lowers the lateral term by K_vt^2 / (2 S).
TEST_F(LongPile, HeadFixity) {
    const CAPMAT fixed = head(2, 0.0, 2, 0.0);
    expect_matrix(head(3, 0.0, 3, 0.0), head(1, 0.0, 1, 0.0), 0.0, "spring 0 as pinned");
    expect_matrix(head(7, 5.0, 0, 5.0), fixed, 0.0, "unknown codes as fixed");
    expect_matrix(head(3, 1e15, 3, 1e15), fixed, 1e-9, "stiff spring");
    const double S = fixed(6, 6);
    const CAPMAT K = head(3, S, 2, 0.0);
    EXPECT_NEAR(K(6, 6), S / 2, 1e-9 * S);
    EXPECT_NEAR(K(2, 6), fixed(2, 6) / 2, 1e-9 * std::abs(fixed(2, 6)));
    EXPECT_NEAR(K(2, 2), fixed(2, 2) - fixed(2, 6) * fixed(2, 6) / (2 * S), 1e-9 * fixed(2, 2));
}

// The axial force: no effect without the switch, none with the switch and
// P = 0, and a compression P > 0 softens the lateral and rotational terms.
TEST_F(LongPile, AxialForce) {
    const CAPMAT base = head(2, 0.0, 2, 0.0, 0);
    EQKTOPR(1, 3) = 50.0;
    expect_matrix(head(2, 0.0, 2, 0.0, 0), base, 0.0, "switch 0");
    const CAPMAT soft = head(2, 0.0, 2, 0.0, 1);
    for (int i : {2, 3, 5, 6}) EXPECT_LT(soft(i, i), base(i, i)) << i;
    EQKTOPR(1, 3) = 0.0;
    expect_matrix(head(2, 0.0, 2, 0.0, 1), base, 0.0, "switch 1, P = 0");
}

// The plane row of the same vertical pile has the x-y plane of the
// three-dimensional head matrix, its axial term from the pile top; one trace
// block per pile: the pile line, the pile-top record and N + 1 node records.
TEST_F(LongPile, PlaneRowAndTrace) {
    const CAPMAT K3 = head(3, 500.0, 2, 0.0);
    int istat = 0;
    const MAT3 K2 = PHSTIF2(1, 0, istat);
    const int map[] = {1, 2, 6};
    for (int j = 1; j <= 3; ++j)
        for (int i = 1; i <= 3; ++i) EXPECT_EQ(K2(i, j), K3(map[i - 1], map[j - 1])) << i << "," << j;
    io::close_unit(ESTTRC);
    const auto lines = test::lines_of(test::read_file("trace.txt"));
    ASSERT_EQ(lines.size(), 2u * (N + 3));
    EXPECT_EQ(lines[0], "     PILE=    1     NNODES=  101");
    EXPECT_EQ(lines[N + 3], lines[0]);
}

// Plane transform: a vertical row at (X, Y) = (2, 5) has the columns
// (1, 0, -Y), (0, 1, X), (0, 0, 1); a battered row turns its unit axial
// force to (cos, sin) with the moment X FY - Y FX at the origin.
TEST(PileHeadStiffness, PlaneTransform) {
    test::reset_py_model();
    XTOP(1) = 2.0, YTOP(1) = 5.0, BATANG(1) = 0.0;
    RowTransform2D t = TMAT2D(1);
    const double want[3][3] = {{1, 0, 0}, {0, 1, 0}, {-5, 2, 1}};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) {
            EXPECT_EQ(t.T(i, j), want[i - 1][j - 1]) << i << "," << j;
            EXPECT_EQ(t.Tt(j, i), t.T(i, j));
        }
    BATANG(1) = std::atan2(3.0, 4.0);  // cos 0.8, sin 0.6
    t = TMAT2D(1);
    EXPECT_NEAR(t.T(1, 1), 0.8, 1e-15);
    EXPECT_NEAR(t.T(2, 1), 0.6, 1e-15);
    EXPECT_NEAR(t.T(3, 1), 2.0 * 0.6 - 5.0 * 0.8, 1e-15);
    EXPECT_NEAR(t.T(3, 2), 2.0 * 0.8 + 5.0 * 0.6, 1e-15);
    test::reset_py_model();
}

}  // namespace
}  // namespace zolan
