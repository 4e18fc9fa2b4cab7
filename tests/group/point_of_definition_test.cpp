#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "group/matrix_kernels.h"
#include "group/point_of_definition.h"
#include "report/unit_labels.h"

namespace zolan {
namespace {

// Every entry of an n x n table against rows written as read.
template <class M>
void expect_rows(const M& A, const std::vector<std::vector<double>>& rows) {
    const int n = static_cast<int>(rows.size());
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            EXPECT_DOUBLE_EQ(A(i, j), rows[i - 1][j - 1]) << "row " << i << ", column " << j;
}

// x := A^-1 b for an augmented system.
template <class M, class V>
V solve(M A, const V& b, int n) {
    EXPECT_EQ(MATINV(std::span<double>(A.data(), static_cast<std::size_t>(n) * n), n, n), 0);
    V x;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) x(i) += A(i, j) * b(j);
    return x;
}

// A table filled from its first slot on.
template <class T, class E>
T filled(std::initializer_list<E> v) {
    T t;
    int k = 1;
    for (E x : v) t(k++) = x;
    return t;
}
CAPVEC cap(std::initializer_list<double> v) { return filled<CAPVEC>(v); }
CAPFLAGS fl6(std::initializer_list<int> v) { return filled<CAPFLAGS>(v); }
VEC3 v3(double a, double b, double c) {
    VEC3 v;
    v(1) = a; v(2) = b; v(3) = c;
    return v;
}
PNTXY xy(double x, double y) {
    PNTXY p;
    p(1) = x; p(2) = y;
    return p;
}
PNTFLGS fl3(int a, int b, int c) {
    PNTFLGS f;
    f(1) = a; f(2) = b; f(3) = c;
    return f;
}

MAT3 jacobian3() {
    MAT3 J;
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) J(i, j) = 10 * i + j;
    return J;
}
CAPMAT tangent6() {
    CAPMAT K;
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) K(i, j) = 10 * i + j;
    return K;
}

// Plane point (0, 2) with X given: constraint row (1, 0, -2) and its
// transpose; point (3, -1) with all displacements given: rows (1, 0, 1),
// (0, 1, 3), (0, 0, 1).
TEST(PointOfDefinition, PlaneAugmentedMatrixRowByRow) {
    expect_rows(PNTSYS6(jacobian3(), xy(0, 2), fl3(0, 1, 1)), {{11, 12, 13, 1, 0, 0},
                                                               {21, 22, 23, 0, 0, 0},
                                                               {31, 32, 33, -2, 0, 0},
                                                               {1, 0, -2, 0, 0, 0},
                                                               {0, 0, 0, 0, 1, 0},
                                                               {0, 0, 0, 0, 0, 1}});
    expect_rows(PNTSYS6(jacobian3(), xy(3, -1), fl3(0, 0, 0)), {{11, 12, 13, 1, 0, 0},
                                                                {21, 22, 23, 0, 1, 0},
                                                                {31, 32, 33, 1, 3, 1},
                                                                {1, 0, 1, 0, 0, 0},
                                                                {0, 1, 3, 0, 0, 0},
                                                                {0, 0, 1, 0, 0, 0}});
}

// Point (2, -1, 3) with X, Z and the rotation about Y given: rows
// (1, 0, 0, 0, 3, 1), (0, 0, 1, -1, -2, 0) and the unit row of rotation Y;
// the flags 1 and 2 both mean a given load.
TEST(PointOfDefinition, SpaceAugmentedMatrixRowByRow) {
    const CAPMAT K = tangent6();
    expect_rows(CAPK12(K, v3(2, -1, 3), fl6({0, 1, 0, 2, 0, 1})),
                {{11, 12, 13, 14, 15, 16, 1, 0, 0, 0, 0, 0},
                 {21, 22, 23, 24, 25, 26, 0, 0, 0, 0, 0, 0},
                 {31, 32, 33, 34, 35, 36, 0, 0, 1, 0, 0, 0},
                 {41, 42, 43, 44, 45, 46, 0, 0, -1, 0, 0, 0},
                 {51, 52, 53, 54, 55, 56, 3, 0, -2, 0, 1, 0},
                 {61, 62, 63, 64, 65, 66, 1, 0, 0, 0, 0, 0},
                 {1, 0, 0, 0, 3, 1, 0, 0, 0, 0, 0, 0},
                 {0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0},
                 {0, 0, 1, -1, -2, 0, 0, 0, 0, 0, 0, 0},
                 {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0},
                 {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0},
                 {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}});
    // Point (0, 0, 4) with Y given: row 8 is (0, 1, 0, -4, 0, 0).
    const MAT12 A = CAPK12(K, v3(0, 0, 4), fl6({1, 0, 1, 1, 1, 1}));
    const double row8[12] = {0, 1, 0, -4, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int j = 1; j <= 12; ++j) {
        EXPECT_DOUBLE_EQ(A(8, j), row8[j - 1]) << j;
        EXPECT_DOUBLE_EQ(A(j, 8), row8[j - 1]) << j;
    }
}

// A matrix written as read, row by row.
template <class M>
M from_rows(const std::vector<std::vector<double>>& rows) {
    M A;
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < rows.size(); ++j)
            A(static_cast<int>(i) + 1, static_cast<int>(j) + 1) = rows[i][j];
    return A;
}

// Off-diagonal limiting of the symmetric cap matrix, worked by hand: each
// pair (i, j) to lim = 0.5 sqrt(|K(i, i) K(j, j)|), a term beyond it set to
// +-lim on both sides, whatever the units of the pair:
// - within: (1,2) 4 < 0.5 sqrt(200) = 7.07, (1,3) |-5| < 0.5 sqrt(300) =
//   8.66, (2,3) 3 < 0.5 sqrt(600) = 12.2 stay.
// - a force per rotation: row 3 is a moment per rotation (diagonal -360);
//   (1,2) -12 beyond 0.5 sqrt(10 x 40) = 10 becomes -10, (1,3) 40 beyond
//   0.5 sqrt(10 x 360) = 30 becomes 30, (2,3) 25 within 0.5 sqrt(40 x 360)
//   = 60 stays (half the row's own diagonal, 5, would cut it eight times).
// - zero diagonal: row 1 (lim 0) clears both its couplings; (2,3) 1 within
//   0.5 sqrt(48) stays.
// - six: (1,6) -70 beyond 0.5 sqrt(128 x 72) = 48 becomes -48; (2,5) 5
//   beyond 0.5 sqrt(2 x 32) = 4 becomes 4; (3,4) 2.5 within 0.5 sqrt(400)
//   = 10 stays; (4,5) -20 beyond 0.5 sqrt(8 x 32) = 8 becomes -8; (5,6) 40
//   beyond 0.5 sqrt(32 x 72) = 24 becomes 24.
TEST(PointOfDefinition, OffDiagonalLimitOfTheFirstIteration) {
    struct Case { const char* name; std::vector<std::vector<double>> in, out; };
    const Case plane[] = {
        {"within", {{10, 4, -5}, {4, 20, 3}, {-5, 3, -30}}, {{10, 4, -5}, {4, 20, 3}, {-5, 3, -30}}},
        {"a force per rotation",
         {{10, -12, 40}, {-12, 40, 25}, {40, 25, -360}},
         {{10, -10, 30}, {-10, 40, 25}, {30, 25, -360}}},
        {"zero diagonal", {{0, 2, -1}, {2, 8, 1}, {-1, 1, 6}}, {{0, 0, 0}, {0, 8, 1}, {0, 1, 6}}},
    };
    for (const Case& c : plane) {
        SCOPED_TRACE(c.name);
        MAT3 J = from_rows<MAT3>(c.in);
        limit_off_diagonals(J);
        expect_rows(J, c.out);
    }
    CAPMAT K = from_rows<CAPMAT>({{128, 0, 0, 0, 0, -70},
                                  {0, 2, 0, 0, 5, 0},
                                  {0, 0, 50, 2.5, 0, 0},
                                  {0, 0, 2.5, 8, -20, 0},
                                  {0, 5, 0, -20, 32, 40},
                                  {-70, 0, 0, 0, 40, 72}});
    limit_off_diagonals(K);
    expect_rows(K, {{128, 0, 0, 0, 0, -48},
                    {0, 2, 0, 0, 4, 0},
                    {0, 0, 50, 2.5, 0, 0},
                    {0, 0, 2.5, 8, -8, 0},
                    {0, 4, 0, -8, 32, 24},
                    {-48, 0, 0, 0, 24, 72}});
}

// The size of a point system's residual, worked by hand at the point.
// Plane, point (2, -1): B^-1 has the column (-1, -2, 1) for the rotation, so
// the diagonal at the point is 4, 3 and (-1 -2 1) J (-1 -2 1)' = 24, and
// the residual (1, 2, 3) carries the moment 3 - (2 x 2 + 1 x 1) = -2 to the
// point. X given as 0.5 against 0.1 + 0.01 = 0.11: 4 x 0.39^2 = 0.6084,
// plus 2^2 / 3 and (-2)^2 / 24.
// Space, point (1, 2, 3), K = 2 I: the rotations' columns of B^-1 are
// (0 3 -2 1 0 0), (-3 0 1 0 1 0), (2 -1 0 0 0 1), so the diagonal is 2, 2,
// 2, 28, 22, 12; the residual of ones carries the moments 1 - (p x F) =
// (2, -1, 2) to the point: 3/2 + 4/28 + 1/22 + 4/12; the X rotation given
// as 0.05 against 0.01 replaces 4/28 by 28 x 0.04^2 = 0.0448.
TEST(PointOfDefinition, ResidualSizeAtThePoint) {
    MAT3 J = from_rows<MAT3>({{4, 1, 2}, {1, 3, 0.5}, {2, 0.5, 10}});
    const VEC3 w3 = point_diagonal(J, xy(2, -1));
    EXPECT_NEAR(w3(1), 4.0, 1e-14);
    EXPECT_NEAR(w3(2), 3.0, 1e-14);
    EXPECT_NEAR(w3(3), 24.0, 1e-13);
    EXPECT_NEAR(point_residual_size(v3(1, 2, 3), v3(0.1, 0.2, 0.01), v3(0.5, 9, 9), xy(2, -1), fl3(0, 1, 1), w3),
                0.6084 + 4.0 / 3.0 + 4.0 / 24.0, 1e-13);

    CAPMAT K;
    for (int i = 1; i <= 6; ++i) K(i, i) = 2.0;
    const CAPVEC w6 = point_diagonal(K, v3(1, 2, 3));
    const double want[6] = {2, 2, 2, 28, 22, 12};
    for (int k = 1; k <= 6; ++k) EXPECT_NEAR(w6(k), want[k - 1], 1e-13) << k;
    const CAPVEC R = cap({1, 1, 1, 1, 1, 1}), U = cap({0, 0, 0, 0.01, 0, 0}), D = cap({9, 9, 9, 0.05, 9, 9});
    EXPECT_NEAR(point_residual_size(R, U, D, v3(1, 2, 3), fl6({1, 1, 1, 1, 1, 1}), w6),
                1.5 + 4.0 / 28.0 + 1.0 / 22.0 + 4.0 / 12.0, 1e-13);
    EXPECT_NEAR(point_residual_size(R, U, D, v3(1, 2, 3), fl6({1, 1, 1, 0, 1, 1}), w6),
                1.5 + 0.0448 + 1.0 / 22.0 + 4.0 / 12.0, 1e-13);
}

// The mismatch rows hold the given displacement less the point's current
// displacement u + theta x r; the load rows hold zero.
TEST(PointOfDefinition, RightHandSides) {
    const CAPVEC U = cap({0.1, 0.2, 0.3, 0.01, 0.02, 0.03});
    const CAPVEC R = cap({1, 2, 3, 4, 5, 6}), F = cap({-1, -2, -3, -4, -5, -6});
    const PointRhs12 r = CAPRES(R, F, cap({0.5, 9, 0.7, 9, 0.05, 9}), U, v3(2, -1, 3), fl6({0, 1, 0, 1, 0, 1}));
    // point X: 0.1 + 3(0.02) + 1(0.03) = 0.19; point Z: 0.3 - 0.01 - 2(0.02) = 0.25
    const double b1[12] = {1, 2, 3, 4, 5, 6, 0.5 - 0.19, 0, 0.7 - 0.25, 0, 0.05 - 0.02, 0};
    const double b2[12] = {-1, -2, -3, -4, -5, -6, 0.5, 0, 0.7, 0, 0.05, 0};
    for (int i = 1; i <= 12; ++i) {
        EXPECT_NEAR(r.b1(i), b1[i - 1], 1e-15) << i;
        EXPECT_DOUBLE_EQ(r.b2(i), b2[i - 1]) << i;
    }
    // Plane point (3, -1): X 0.1 + 0.01 = 0.11, Y 0.2 + 0.03 = 0.23.
    const PointRhs6 p = PNTRHS6(v3(1, 2, 3), v3(4, 5, 6), v3(1, 2, 9), v3(0.1, 0.2, 0.01), xy(3, -1), fl3(0, 0, 1));
    const double p1[6] = {1, 2, 3, 1 - 0.11, 2 - 0.23, 0}, p2[6] = {4, 5, 6, 1, 2, 0};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_NEAR(p.b1(i), p1[i - 1], 1e-15) << i;
        EXPECT_DOUBLE_EQ(p.b2(i), p2[i - 1]) << i;
    }
}

// Linear cap springs S: the piles push back with F = -S U, so the tangent
// is -S and a load P is balanced at S U = P.
CAPMAT springs() {
    CAPMAT S;
    const double d[6] = {50, 40, 30, 400, 300, 200};
    for (int i = 1; i <= 6; ++i) S(i, i) = d[i - 1];
    S(1, 5) = S(5, 1) = 20;
    S(2, 6) = S(6, 2) = -15;
    S(3, 4) = S(4, 3) = 10;
    return S;
}
CAPMAT negated(const CAPMAT& S) {
    CAPMAT K;
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) K(i, j) = -S(i, j);
    return K;
}

// The displacements of a solved case given at a point bring back the case's
// loads as the multipliers: the forces, and the moments about the point
// (M - r x F); at the origin exactly the loads.
TEST(PointOfDefinition, GivenDisplacementsReturnTheLoads) {
    const CAPMAT S = springs();
    const CAPVEC Us = cap({0.01, -0.02, 0.03, 0.001, -0.002, 0.004});
    const CAPVEC P = MXV6S(S, Us);
    for (const VEC3& r : {v3(0, 0, 0), v3(1.5, -2, 0.5)}) {
        const CAPFLAGS all_disp = fl6({0, 0, 0, 0, 0, 0});
        const double x = r(1), y = r(2), z = r(3);
        const CAPVEC D = cap({Us(1) - y * Us(6) + z * Us(5), Us(2) - z * Us(4) + x * Us(6),
                              Us(3) - x * Us(5) + y * Us(4), Us(4), Us(5), Us(6)});
        // From U = 0 nothing is loaded: R = -(0 + F(0)) = 0.
        const PointRhs12 b = CAPRES(CAPVEC{}, CAPVEC{}, D, CAPVEC{}, r, all_disp);
        const VEC12 sol = solve(CAPK12(negated(S), r, all_disp), b.b1, 12);
        const double mom[3] = {P(4) - (y * P(3) - z * P(2)), P(5) - (z * P(1) - x * P(3)),
                               P(6) - (x * P(2) - y * P(1))};
        for (int k = 1; k <= 6; ++k) {
            EXPECT_NEAR(sol(k), Us(k), 1e-12) << k;
            EXPECT_NEAR(sol(6 + k), k <= 3 ? P(k) : mom[k - 4], 1e-9) << k;
        }
    }
}

// Loads given everywhere: zero multipliers and the ordinary increment K^-1 R.
TEST(PointOfDefinition, LoadsOnlyGiveTheOrdinaryIncrement) {
    const CAPMAT K = negated(springs());
    const CAPVEC R = cap({3, -4, 5, 60, -70, 80});
    CAPMAT Kinv = K;
    ASSERT_EQ(MATINV(std::span<double>(Kinv.data(), 36), 6, 6), 0);
    const CAPVEC dU = MXV6S(Kinv, R);
    const CAPFLAGS loads = fl6({1, 1, 1, 1, 1, 1});
    const PointRhs12 b = CAPRES(R, CAPVEC{}, cap({9, 9, 9, 9, 9, 9}), CAPVEC{}, v3(1, 2, 3), loads);
    const VEC12 x = solve(CAPK12(K, v3(1, 2, 3), loads), b.b1, 12);
    for (int k = 1; k <= 6; ++k) {
        EXPECT_NEAR(x(k), dU(k), 1e-14) << k;
        EXPECT_EQ(x(6 + k), 0.0) << k;
    }
}

// Plane: with X given at (0, 2) the cap settles at U(1) - 2 U(3) = the given
// value; with all three given, U is fixed whatever the Jacobian.
TEST(PointOfDefinition, PlanePointDisplacementsAreMet) {
    MAT3 J;
    J(1, 1) = -50; J(2, 2) = -40; J(3, 3) = -300; J(1, 3) = J(3, 1) = 12;
    const VEC3 R = v3(7, -3, 40);
    {
        const PointRhs6 b = PNTRHS6(R, VEC3{}, v3(0.05, 0, 0), VEC3{}, xy(0, 2), fl3(0, 1, 1));
        const CAPVEC x = solve(PNTSYS6(J, xy(0, 2), fl3(0, 1, 1)), b.b1, 6);
        EXPECT_NEAR(x(1) - 2 * x(3), 0.05, 1e-15);
        EXPECT_EQ(x(5), 0.0);
        EXPECT_EQ(x(6), 0.0);
    }
    {
        // (1, 0, 1), (0, 1, 3), (0, 0, 1) against (0.3, 0.4, 0.1): U = (0.2, 0.1, 0.1)
        const PointRhs6 b = PNTRHS6(R, VEC3{}, v3(0.3, 0.4, 0.1), VEC3{}, xy(3, -1), fl3(0, 0, 0));
        const CAPVEC x = solve(PNTSYS6(J, xy(3, -1), fl3(0, 0, 0)), b.b1, 6);
        EXPECT_NEAR(x(1), 0.2, 1e-14);
        EXPECT_NEAR(x(2), 0.1, 1e-14);
        EXPECT_NEAR(x(3), 0.1, 1e-14);
    }
}

// Carry-over to the point (2, -1, 3) of L = (10, 20, 30, 40, 50, 60): the
// moments about the point are 40 - (-30 - 60) = 130, 50 - (30 - 60) = 80 and
// 60 - (40 + 10) = 10; a given force replaces the origin force, a given
// moment does not; a flag 2 counts as a transferred value.
TEST(PointOfDefinition, StateCarriedToThePoint) {
    const CAPVEC U = cap({0.1, 0.2, 0.3, 0.01, 0.02, 0.03});
    CAPVEC L = cap({10, 20, 30, 40, 50, 60}), D, Q;
    ASSERT_EQ(LDXFER(U, L, v3(2, -1, 3), D, Q, cap({7, 8, 9, 11, 12, 13}), fl6({1, 2, 0, 1, 0, 1})), 1);
    const double d[6] = {0.19, 0.2 - 0.03 + 0.06, 0.25, 0.01, 0.02, 0.03};
    const double q[6] = {7, 20, 30, 11, 80, 13};
    const double l[6] = {7, 20, 30, 40, 50, 60};
    for (int k = 1; k <= 6; ++k) {
        EXPECT_NEAR(D(k), d[k - 1], 1e-15) << k;
        EXPECT_DOUBLE_EQ(Q(k), q[k - 1]) << k;
        EXPECT_DOUBLE_EQ(L(k), l[k - 1]) << k;
    }
    // Plane point (0, 2): D = (0.1 - 0.02, 0.2, 0.01), M = 30 - (0 - 20) = 50.
    VEC3 l3 = v3(10, 20, 30), d3, q3;
    ASSERT_EQ(PNTLOAD(v3(0.1, 0.2, 0.01), l3, xy(0, 2), d3, q3, v3(5, 6, 7), fl3(1, 0, 0)), 1);
    EXPECT_NEAR(d3(1), 0.08, 1e-15);
    EXPECT_DOUBLE_EQ(d3(2), 0.2);
    EXPECT_DOUBLE_EQ(d3(3), 0.01);
    EXPECT_DOUBLE_EQ(q3(1), 5);
    EXPECT_DOUBLE_EQ(q3(2), 20);
    EXPECT_DOUBLE_EQ(q3(3), 50);
    EXPECT_DOUBLE_EQ(l3(1), 5);
    // At the origin nothing is computed.
    CAPVEC L0 = cap({1, 2, 3, 4, 5, 6}), D0 = cap({-1, -1, -1, -1, -1, -1}), Q0 = D0;
    EXPECT_EQ(LDXFER(U, L0, v3(0, 0, 0), D0, Q0, cap({9, 9, 9, 9, 9, 9}), fl6({1, 1, 1, 1, 1, 1})), 0);
    VEC3 l0 = v3(1, 2, 3), d0 = v3(-1, -1, -1), q0 = d0;
    EXPECT_EQ(PNTLOAD(v3(1, 1, 1), l0, xy(0, 0), d0, q0, v3(9, 9, 9), fl3(1, 1, 1)), 0);
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(L0(k), k);
        EXPECT_EQ(D0(k), -1);
        EXPECT_EQ(Q0(k), -1);
    }
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(l0(k), k);
        EXPECT_EQ(d0(k), -1);
        EXPECT_EQ(q0(k), -1);
    }
}

TEST(PointOfDefinition, MarkersStarTheGivenMember) {
    UNITLB(1);
    const PointMarks6 m = DOFLBL(fl6({0, 1, 0, 1, 2, 0}));
    EXPECT_EQ(m.lmark.view(), " * ** ");
    EXPECT_EQ(m.dmark.view(), "* *  *");
    const PointMarks3 p = PNTFLAG(fl3(1, 0, 0));
    EXPECT_EQ(p.lmark.view(), "*  ");
    EXPECT_EQ(p.dmark.view(), " **");
    reset_unit_labels();
}

}  // namespace
}  // namespace zolan
