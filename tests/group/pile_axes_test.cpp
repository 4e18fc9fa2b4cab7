#include <gtest/gtest.h>

#include <cmath>

#include "group/pile_axes.h"
#include "model/pile_tables.h"

namespace zolan {
namespace {

constexpr double PI_D = 3.141592653589793;

CAPVEC vec(std::initializer_list<double> x) {
    CAPVEC v;
    int i = 1;
    for (double e : x) v(i++) = e;
    return v;
}

CAPVEC times(const CAPMAT& m, const CAPVEC& v) {
    CAPVEC out;
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) out(i) += m(i, j) * v(j);
    return out;
}

// For any angles: the 3 x 3 block of Q is orthonormal with determinant +1
// and sits on both diagonal blocks with zeros elsewhere, QT and LT are
// exactly the transposes of Q and L, and the pile axis (column 1) is
// (sin B, cos A cos B, sin A cos B) whatever THETA.
TEST(PileAxes, RotationsAreProperAndTransposesExact) {
    struct Angles { double a, b, t; };
    const Angles cases[] = {{0, PI_D / 2, 0}, {0, 0, 0}, {PI_D / 2, 0, 0}, {0.3, 1.1, -0.7},
                            {-2.0, 0.2, 2.5}, {1.0, -0.4, 0.9}, {0, PI_D / 2, 1.3}, {2.9, 1.5, -3.0}};
    for (const auto& c : cases) {
        const PileTransform t = PILETR(PileGeometry{1.5, -2.0, 0.7, c.a, c.b, c.t});
        for (int i = 1; i <= 6; ++i)
            for (int j = 1; j <= 6; ++j) {
                EXPECT_EQ(t.QT(i, j), t.Q(j, i));
                EXPECT_EQ(t.LT(i, j), t.L(j, i));
                const bool same_block = (i <= 3) == (j <= 3);
                if (!same_block) EXPECT_EQ(t.Q(i, j), 0.0);
                else EXPECT_EQ(t.Q(i, j), t.Q((i - 1) % 3 + 1, (j - 1) % 3 + 1));
            }
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= 3; ++j) {
                double dot = 0.0;
                for (int k = 1; k <= 3; ++k) dot += t.Q(k, i) * t.Q(k, j);
                EXPECT_NEAR(dot, i == j ? 1.0 : 0.0, 1e-15);
            }
        const double det = t.Q(1, 1) * (t.Q(2, 2) * t.Q(3, 3) - t.Q(3, 2) * t.Q(2, 3)) -
                           t.Q(1, 2) * (t.Q(2, 1) * t.Q(3, 3) - t.Q(3, 1) * t.Q(2, 3)) +
                           t.Q(1, 3) * (t.Q(2, 1) * t.Q(3, 2) - t.Q(3, 1) * t.Q(2, 2));
        EXPECT_NEAR(det, 1.0, 1e-15);
        EXPECT_NEAR(t.Q(1, 1), std::sin(c.b), 1e-16);
        EXPECT_NEAR(t.Q(2, 1), std::cos(c.a) * std::cos(c.b), 1e-16);
        EXPECT_NEAR(t.Q(3, 1), std::sin(c.a) * std::cos(c.b), 1e-16);
    }
}

// Directions of the pile axes: a vertical pile has x, y, z along X, Y, Z;
// BETA = 0 lays the axis along +Y (ALPHA = 0) or +Z (ALPHA = pi/2). At whole
// right angles the directions are exact, with no rounding left in the
// components across the axes (a vertical pile's axial and lateral responses
// must not couple).
TEST(PileAxes, AxisDirections) {
    struct Case { double a, b; double x[3], y[3], z[3]; };
    const Case cases[] = {
        {0, PI_D / 2, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        // x = (0, 1, 0), y = (-1, 0, 0), z = x * y = (0, 0, 1)
        {0, 0, {0, 1, 0}, {-1, 0, 0}, {0, 0, 1}},
        // x = (0, 0, 1), y = (-1, 0, 0), z = x * y = (0, -1, 0)
        {PI_D / 2, 0, {0, 0, 1}, {-1, 0, 0}, {0, -1, 0}},
        // a pile along -X: x = (-1, 0, 0), y = (0, -1, 0), z = x * y = (0, 0, 1)
        {0, -PI_D / 2, {-1, 0, 0}, {0, -1, 0}, {0, 0, 1}},
        // turned by a full turn and a half about the vertical
        {3 * PI_D, PI_D / 2, {1, 0, 0}, {0, -1, 0}, {0, 0, -1}},
    };
    for (const auto& c : cases) {
        const PileTransform t = PILETR(PileGeometry{0, 0, 0, c.a, c.b, 0});
        for (int k = 1; k <= 3; ++k) {
            EXPECT_EQ(t.Q(k, 1), c.x[k - 1]);
            EXPECT_EQ(t.Q(k, 2), c.y[k - 1]);
            EXPECT_EQ(t.Q(k, 3), c.z[k - 1]);
        }
    }
}

// A vertical pile with its head at the origin: all four matrices identity.
TEST(PileAxes, VerticalPileAtOriginGivesIdentities) {
    const PileTransform t = PILETR(PileGeometry{0, 0, 0, 0, PI_D / 2, 0});
    for (const CAPMAT* m : {&t.LT, &t.L, &t.Q, &t.QT})
        for (int i = 1; i <= 6; ++i)
            for (int j = 1; j <= 6; ++j) EXPECT_NEAR((*m)(i, j), i == j ? 1.0 : 0.0, 1e-16);
}

// The lever pair: the head moves by u + theta x r and a head force F adds
// r x F to the moment at the origin.
//  r = (0, 1, 0), theta = (1, 0, 0): theta x r = (0, 0, 1); F = (0, 0, 1): r x F = (1, 0, 0).
//  r = (2, -3, 5), u = (1, 2, 3), theta = (0.1, -0.2, 0.3):
//   theta x r = (-0.2*5 - 0.3*(-3), 0.3*2 - 0.1*5, 0.1*(-3) + 0.2*2) = (-0.1, 0.1, 0.1);
//   F = (1, 2, 3): r x F = (-3*3 - 5*2, 5*1 - 2*3, 2*2 + 3*1) = (-19, -1, 7).
TEST(PileAxes, LeverCarriesDisplacementAndForce) {
    struct Case { double r[3]; CAPVEC d, head, f, origin; };
    const Case cases[] = {
        {{0, 1, 0}, vec({0, 0, 0, 1, 0, 0}), vec({0, 0, 1, 1, 0, 0}), vec({0, 0, 1, 0, 0, 0}),
         vec({0, 0, 1, 1, 0, 0})},
        {{2, -3, 5}, vec({1, 2, 3, 0.1, -0.2, 0.3}), vec({0.9, 2.1, 3.1, 0.1, -0.2, 0.3}),
         vec({1, 2, 3, 0, 0, 0}), vec({1, 2, 3, -19, -1, 7})},
    };
    for (const auto& c : cases) {
        // The lever does not depend on the angles.
        const PileTransform t = PILETR(PileGeometry{c.r[0], c.r[1], c.r[2], 0.4, 1.2, -0.3});
        const CAPVEC head = times(t.L, c.d), origin = times(t.LT, c.f);
        for (int i = 1; i <= 6; ++i) {
            EXPECT_NEAR(head(i), c.head(i), 1e-15) << i;
            EXPECT_NEAR(origin(i), c.origin(i), 1e-15) << i;
        }
    }
}

// The row form reads the row's head position and angles from the pile tables.
TEST(PileAxes, RowFormReadsThePileTables) {
    CORX(3) = 1.0, CORY(3) = -2.0, CORZ(3) = 4.0;
    ALPHA(3) = 0.5, BETA(3) = 1.2, THETA(3) = 0.25;
    const PileTransform a = PILETR(3), b = PILETR(PileGeometry{1.0, -2.0, 4.0, 0.5, 1.2, 0.25});
    reset_pile_tables();
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) {
            EXPECT_EQ(a.L(i, j), b.L(i, j));
            EXPECT_EQ(a.Q(i, j), b.Q(i, j));
        }
}

}  // namespace
}  // namespace zolan
