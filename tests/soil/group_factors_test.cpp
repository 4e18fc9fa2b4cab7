#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"
#include "soil/group_factors.h"

namespace zolan {
namespace {

// The published pair factors, s the spacing in diameters (constants as
// decimals; the engine's single-precision constants differ by < 1e-7).
double S(double s) { return s > 5 ? 1.0 : std::min(1.0, 0.64 * std::pow(s, 0.34)); }  // side by side
double L(double s) { return s > 8 ? 1.0 : std::min(1.0, 0.70 * std::pow(s, 0.26)); }  // leading
double T(double s) { return s > 8 ? 1.0 : std::min(1.0, 0.48 * std::pow(s, 0.38)); }  // trailing
// Oblique: u in line, v across (both > 0), leading or trailing.
double O(double u, double v, bool leading) {
    const double r = std::hypot(u, v), th = std::atan(v / u);
    if (r > 8) return 1.0;
    const double line = leading ? L(r) : T(r);
    return std::min(1.0, std::hypot(S(r) * std::sin(th), line * std::cos(th)));
}

constexpr double B = 10.0;  // pile diameter of property set 1

struct Row {
    double y, z, piles = 1.0, spacing = 0.0;
    int prop = 1;
};

void layout(int nantyp, const std::vector<Row>& rows, int kavgd = 0) {
    reset_input_tables();
    reset_pile_tables();
    reset_section_tables();
    NANTYP = nantyp;
    KAVGD = kavgd;
    SECTAB(1, 1, SEC_TOP + SP_DIA) = B;
    SECTAB(2, 1, SEC_TOP + SP_DIA) = 3 * B;
    NPILES = static_cast<int>(rows.size());
    for (int r = 1; r <= NPILES; ++r) {
        const Row& w = rows[static_cast<std::size_t>(r - 1)];
        CORY(r) = w.y;
        CORZ(r) = w.z;
        PMULT(r) = w.piles;
        GRPSPC(r) = w.spacing;
        IPROP(r) = w.prop;
        PFGRP(r) = YFGRP(r) = PFGRP2(r) = YFGRP2(r) = -9.0;  // must all be overwritten
    }
}

// Single piles in the three-dimensional model: each row's factor is its
// pile's product of pair factors, leading and trailing by the direction.
TEST(GroupFactors, ProductsOfSinglePiles) {
    struct Case {
        const char* what;
        std::vector<Row> rows;
        double dir;
        std::vector<double> want;
    };
    const Case cases[] = {
        // Side by side 2 diameters: 0.64 * 2^0.34 = 0.81008 each; 6 diameters: beyond 5, 1.
        {"side by side 2b", {{0, 0}, {0, 2 * B}}, 1.0, {S(2), S(2)}},
        {"side by side 6b", {{0, 0}, {0, 6 * B}}, 1.0, {1.0, 1.0}},
        // In line 3 diameters toward +Y: the larger Y leads, 0.70 * 3^0.26 = 0.93143;
        // the other trails, 0.48 * 3^0.38 = 0.72870. At 9 diameters both 1.
        {"in line 3b", {{0, 0}, {3 * B, 0}}, 1.0, {T(3), L(3)}},
        {"in line 3b reversed", {{0, 0}, {3 * B, 0}}, -1.0, {L(3), T(3)}},
        {"in line 9b", {{0, 0}, {9 * B, 0}}, 1.0, {1.0, 1.0}},
        // Three in line at 3b toward +Y: the first trails both (3b, 6b), the
        // middle leads one and trails one, the last leads both (0.70 * 6^0.26 > 1: 1).
        {"three in line", {{0, 0}, {3 * B, 0}, {6 * B, 0}}, 1.0, {T(3) * T(6), L(3) * T(3), L(3) * L(6)}},
        {"three in line reversed", {{0, 0}, {3 * B, 0}, {6 * B, 0}}, -1.0, {L(3) * L(6), L(3) * T(3), T(3) * T(6)}},
        // Oblique, 3b along and 1.5b across: r = 3.354, theta = atan(0.5).
        {"oblique", {{0, 0}, {3 * B, 1.5 * B}}, 1.0, {O(3, 1.5, false), O(3, 1.5, true)}},
        // No sense of movement (direction 0): each pile's product the mean of
        // its two senses', (0.72870 + 0.93143) / 2 = 0.83007 for both piles of
        // a pair in line, so a symmetric group keeps symmetric factors;
        // side by side the senses agree.
        {"in line 3b, no sense", {{0, 0}, {3 * B, 0}}, 0.0, {(T(3) + L(3)) / 2, (T(3) + L(3)) / 2}},
        {"side by side 2b, no sense", {{0, 0}, {0, 2 * B}}, 0.0, {S(2), S(2)}},
        {"three in line, no sense",
         {{0, 0}, {3 * B, 0}, {6 * B, 0}},
         0.0,
         {(T(3) * T(6) + L(3) * L(6)) / 2, L(3) * T(3), (T(3) * T(6) + L(3) * L(6)) / 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        layout(3, c.rows);
        PFACT1(c.dir);
        for (int r = 1; r <= NPILES; ++r) {
            EXPECT_NEAR(PFGRP(r), c.want[static_cast<std::size_t>(r - 1)], 1e-6) << "row " << r;
            EXPECT_EQ(YFGRP(r), 1.0);
            EXPECT_EQ(YTOP(r), CORY(r));
        }
        EXPECT_EQ(group_coincident_piles().pairs, 0);
    }
}

// A 3 x 3 group at 3 diameters moving toward +Y, by hand for the centre and
// a corner; and PFACT2 on the same group equals PFACT1 on its mirror image
// across Y = Z.
TEST(GroupFactors, ThreeByThreeGroup) {
    std::vector<Row> rows;
    for (int iy = 0; iy < 3; ++iy)
        for (int iz = 0; iz < 3; ++iz) rows.push_back({3 * B * iy, 3 * B * iz});
    layout(3, rows);
    PFACT1(1.0);
    // Centre (3b, 3b): leads the pile behind (3b) and the two diagonals behind,
    // trails the pile ahead and the two diagonals ahead, two side neighbours at 3b.
    const double centre = L(3) * T(3) * S(3) * S(3) * std::pow(O(3, 3, true), 2) * std::pow(O(3, 3, false), 2);
    EXPECT_NEAR(PFGRP(5), centre, 1e-6);  // 0.49615
    // Corner (0, 0): side neighbours at 3b and 6b (1); trails (3b, 0), (3b, 3b),
    // (3b, 6b), (6b, 0), (6b, 3b); (6b, 6b) is 8.49b away: 1.
    const double corner = S(3) * T(3) * O(3, 3, false) * O(3, 6, false) * T(6) * O(6, 3, false);
    EXPECT_NEAR(PFGRP(1), corner, 1e-6);  // 0.58454
    EXPECT_NEAR(PFGRP(3), PFGRP(1), 1e-12);  // mirror in Z
    // Front corner (6b, 0): leads everything behind it.
    EXPECT_NEAR(PFGRP(7), S(3) * L(3) * O(3, 3, true) * O(3, 6, true) * L(6) * O(6, 3, true), 1e-6);

    Table1<double, MAXPIL> along_y = PFGRP;
    PFACT2(1.0);
    // Row (iy, iz) under Z movement sees what row (iz, iy) sees under Y movement.
    for (int iy = 0; iy < 3; ++iy)
        for (int iz = 0; iz < 3; ++iz) {
            EXPECT_NEAR(PFGRP2(3 * iy + iz + 1), along_y(3 * iz + iy + 1), 1e-12);
            EXPECT_EQ(YFGRP2(3 * iy + iz + 1), 1.0);
        }
}

// Plane model: a row's piles stand on a line across it at its spacing,
// 0, +s, -s, ... (odd count) or +s/2, -s/2, +3s/2, ... (even count), and
// the row's factor is the mean of its piles' products.
TEST(GroupFactors, PlaneRowLayouts) {
    struct Case {
        const char* what;
        std::vector<Row> rows;
        std::vector<double> want;
    };
    const Case cases[] = {
        // 3 piles at 3b: middle (0.64 * 3^0.34)^2 = 0.86457, outer ones 0.92982
        // (the other outer one is 6b away): mean 0.90807.
        {"three piles", {{0, 0, 3, 3 * B}}, {(S(3) * S(3) + 2 * S(3)) / 3}},
        // 2 piles at 2b: at +b and -b.
        {"two piles", {{0, 0, 2, 2 * B}}, {S(2)}},
        // 4 piles at 2b: at -3b, -b, +b, +3b. Inner ones S(2)^2 (4b: 1), outer ones S(2).
        {"four piles", {{0, 0, 4, 2 * B}}, {(2 * S(2) * S(2) + 2 * S(2)) / 4}},
        // Row 1: 2 piles at 3b (Z = +-1.5b) trailing the single pile of row 2 at 3b ahead.
        {"two rows", {{0, 0, 2, 3 * B}, {3 * B, 0, 1, 0}}, {S(3) * O(3, 1.5, false), std::pow(O(3, 1.5, true), 2)}},
        // Rows standing for fewer than one pile add none and get 1; the
        // pile of row 2 is alone although rows 1 and 3 sit on it.
        {"empty rows", {{0, 0, 0.0, B}, {0, 0, 1, B}, {0, 0, 0.7, B}}, {1.0, 1.0, 1.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        layout(2, c.rows);
        PFACT1(1.0);
        for (int r = 1; r <= NPILES; ++r) {
            EXPECT_NEAR(PFGRP(r), c.want[static_cast<std::size_t>(r - 1)], 1e-6) << "row " << r;
            EXPECT_EQ(YFGRP(r), 1.0);
        }
        EXPECT_EQ(group_coincident_piles().pairs, 0);
    }
}

// With the mean diameter of each pair, a pair of a 10 and a 30 diameter pile
// 40 apart is 2 diameters apart; with the first row's diameter, 4 (factor 1).
TEST(GroupFactors, MeanDiameterOfPairs) {
    const std::vector<Row> rows = {{0, 0, 1, 0, 1}, {0, 4 * B, 1, 0, 2}};
    layout(3, rows, 1);
    PFACT1(1.0);
    EXPECT_NEAR(PFGRP(1), S(2), 1e-6);
    EXPECT_NEAR(PFGRP(2), S(2), 1e-6);
    layout(3, rows, 0);
    PFACT1(1.0);
    EXPECT_NEAR(PFGRP(1), 1.0, 1e-12);
}

// Piles at one position give each other 0; the pairs are reported.
TEST(GroupFactors, CoincidentPiles) {
    layout(3, {{0, 0}, {5 * B, 0}, {0, 0}});
    PFACT1(1.0);
    EXPECT_EQ(PFGRP(1), 0.0);
    EXPECT_EQ(PFGRP(3), 0.0);
    EXPECT_NEAR(PFGRP(2), L(5) * L(5), 1e-6);  // 0.70 * 5^0.26 > 1: 1
    CoincidentPiles c = group_coincident_piles();
    EXPECT_EQ(c.pairs, 1);
    EXPECT_EQ(c.row1, 1);
    EXPECT_EQ(c.row2, 3);

    // A plane row of 3 piles at spacing 0: 3 pairs, all in row 1.
    layout(2, {{0, 0, 3, 0.0}});
    PFACT1(-1.0);
    EXPECT_EQ(PFGRP(1), 0.0);
    c = group_coincident_piles();
    EXPECT_EQ(c.pairs, 3);
    EXPECT_EQ(c.row1, 1);
    EXPECT_EQ(c.row2, 1);

    // A later layout without coincidence clears the report.
    layout(3, {{0, 0}, {0, 2 * B}});
    PFACT1(1.0);
    EXPECT_EQ(group_coincident_piles().pairs, 0);
}

// Every row the tables hold, with more piles in all than rows: 2,500 plane
// rows 10 diameters apart, the last standing for 600 piles, and a close pair
// at the start. Runs within the tables' bounds (checked in debug builds).
TEST(GroupFactors, AllRowsOfTheTables) {
    std::vector<Row> rows;
    rows.push_back({0, 0});
    rows.push_back({3 * B, 0});
    for (int r = 3; r <= MAXROW; ++r) rows.push_back({10 * B * r, 0});
    rows.back().piles = 600;
    rows.back().spacing = 6 * B;
    layout(2, rows);
    ASSERT_EQ(NPILES, 2500);
    for (int pass = 0; pass < 2; ++pass) {  // a second call reuses the storage
        PFACT1(1.0);
        EXPECT_NEAR(PFGRP(1), T(3), 1e-6);
        EXPECT_NEAR(PFGRP(2), L(3), 1e-6);
        for (int r = 3; r <= NPILES; ++r) ASSERT_EQ(PFGRP(r), 1.0) << "row " << r;
        EXPECT_EQ(YTOP(NPILES), CORY(NPILES));
    }
}

// Factors of a layout turned round (PFACTTURN): each pile's mean over
// movements every 15 degrees of its product of pair factors. Two piles s
// diameters apart, their line at any multiple of 15 degrees: a movement at
// an angle a off the line makes them oblique (in line at 0 and 180 degrees,
// side by side at 90), the same mean whichever way the line runs, the same
// for both piles. A ring of 8 and a triangle: every pile alike.
TEST(GroupFactors, TurnedRoundLayouts) {
    auto mean = [](double s) {
        double sum = 0.0;
        for (int k = 0; k < 24; ++k) {
            const double a = k * 15.0 * 3.14159265358979323846 / 180.0, u = s * std::cos(a), v = s * std::sin(a);
            if (std::abs(u) < 1e-9) sum += S(s);
            else if (std::abs(v) < 1e-9) sum += u > 0 ? L(s) : T(s);
            else sum += O(std::abs(u), std::abs(v), u > 0);
        }
        return sum / 24.0;
    };
    for (double s : {3.0, 4.0}) {
        for (double deg : {0.0, 15.0, 45.0, 90.0, 135.0}) {
            SCOPED_TRACE("spacing " + std::to_string(s) + ", line at " + std::to_string(deg));
            const double t = deg * 3.14159265358979323846 / 180.0;
            layout(3, {{0.0, 0.0}, {s * B * std::cos(t), s * B * std::sin(t)}});
            PFACTTURN(PFGRP, YFGRP);
            EXPECT_NEAR(PFGRP(1), mean(s), 1e-6);
            EXPECT_NEAR(PFGRP(2), mean(s), 1e-6);
            EXPECT_EQ(YFGRP(1), 1.0);
        }
    }
    for (int n : {3, 8}) {
        SCOPED_TRACE(std::to_string(n) + " piles round a circle");
        std::vector<Row> rows;
        for (int k = 0; k < n; ++k) {
            const double t = 2.0 * 3.14159265358979323846 * k / n;
            rows.push_back({2.5 * B * std::cos(t), 2.5 * B * std::sin(t)});
        }
        layout(3, rows);
        PFACTTURN(PFGRP, YFGRP);
        EXPECT_LT(PFGRP(1), 0.95);
        for (int r = 2; r <= n; ++r) EXPECT_NEAR(PFGRP(r), PFGRP(1), 1e-9) << "row " << r;
    }
}

}  // namespace
}  // namespace zolan
