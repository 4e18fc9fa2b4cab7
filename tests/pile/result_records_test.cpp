#include <gtest/gtest.h>

#include <cmath>

#include "group/pile_axes.h"
#include "model/curve_tables.h"
#include "model/pile_tables.h"
#include "model/result_tables.h"
#include "model/section_tables.h"
#include "pile/result_records.h"

namespace zolan {
namespace {

constexpr double PI_D = 3.141592653589793;

class ResultRecords : public ::testing::Test {
protected:
    void SetUp() override { size_result_sets(3); }
    void TearDown() override {
        reset_result_tables();
        reset_pile_tables();
        reset_curve_tables();
        reset_section_tables();
    }
};

CAPVEC six(double first) {
    CAPVEC v;
    for (int i = 1; i <= 6; ++i) v(i) = first + i - 1;
    return v;
}

// Pile-top record over three analyses of row 2 whose values change sign:
// gd (1..6), gf (7..12), stress 13, ld (14..19), lf (20..25) land in their
// slots, the 26th value holds the stress again; each slot ends with minimum
// -s, maximum s and current 0.5 s; rows 1 and 3 stay untouched.
TEST_F(ResultRecords, PileTopRecordAndItsEnvelopes) {
    const double factor[3] = {1.0, -1.0, 0.5};
    for (int a = 1; a <= 3; ++a) {
        const double f = factor[a - 1];
        auto scaled = [f](CAPVEC v) {
            for (int i = 1; i <= 6; ++i) v(i) *= f;
            return v;
        };
        PTENV3D(2, a, 13.0 * f, scaled(six(1)), scaled(six(14)), scaled(six(7)), scaled(six(20)));
    }
    for (int s = 1; s <= PTSTR2; ++s) {
        const double v = s == PTSTR2 ? 13.0 : s;
        EXPECT_EQ(ENVMIN.top(2, s), -v) << s;
        EXPECT_EQ(ENVMAX.top(2, s), v) << s;
        EXPECT_EQ(RESCUR.top(2, s), 0.5 * v) << s;
        for (int other : {1, 3})
            for (const RESBLK* set : {&RESCUR, &ENVMIN, &ENVMAX}) EXPECT_EQ(set->top(other, s), 0.0);
    }
}

// Along-pile record: rows 4..last of every column follow the rule over three
// analyses; rows 1-3 and beyond the tip keep what they held; nothing for a
// last row below 4, a last row beyond the array stops at its end, and a row
// outside the sized sets stores nothing.
TEST_F(ResultRecords, AlongPileRecordTouchesOnlyTheRealNodes) {
    const int last = 9;  // five increments: head row 4, tip row 9
    for (RESBLK* set : {&RESCUR, &ENVMIN, &ENVMAX})
        for (int q = 1; q <= MAXNQ; ++q) set->eff(1, 3, q) = set->eff(1, last + 1, q) = 99.0;
    const double factor[3] = {-2.0, 3.0, 1.0};
    for (int a = 1; a <= 3; ++a) {
        EFFREC rec;
        rec.fill(-55.0);  // rows outside 4..last must not be read
        for (int q = 1; q <= MAXNQ; ++q)
            for (int n = 4; n <= last; ++n) rec(n, q) = factor[a - 1] * (100 * q + n);
        NODENV(1, last, a, rec);
    }
    for (int q = 1; q <= MAXNQ; ++q) {
        for (int n = 4; n <= last; ++n) {
            const double v = 100 * q + n;
            EXPECT_EQ(ENVMIN.eff(1, n, q), -2.0 * v);
            EXPECT_EQ(ENVMAX.eff(1, n, q), 3.0 * v);
            EXPECT_EQ(RESCUR.eff(1, n, q), v);
        }
        for (const RESBLK* set : {&RESCUR, &ENVMIN, &ENVMAX}) {
            EXPECT_EQ(set->eff(1, 3, q), 99.0);
            EXPECT_EQ(set->eff(1, last + 1, q), 99.0);
            EXPECT_EQ(set->eff(1, 1, q), 0.0);
        }
    }
    EFFREC ones;
    ones.fill(1.0);
    NODENV(2, 3, 1, ones);
    EXPECT_EQ(RESCUR.eff(2, 3, 1), 0.0);
    NODENV(3, 500, 1, ones);
    EXPECT_EQ(RESCUR.eff(3, MAXNOD, MAXNQ), 1.0);
    EXPECT_EQ(RESCUR.eff(3, 3, 1), 0.0);
    NODENV(4, 9, 1, ones);  // the sets hold three rows
    PTENV3D(0, 1, 1.0, six(1), six(1), six(1), six(1));
}

// Packing: column q of the record is the q-th node vector, all rows; a
// missing vector leaves its column zero.
TEST_F(ResultRecords, PackingTakesTheVectorsInColumnOrder) {
    NODVEC cols[MAXNQ];
    std::array<const NODVEC*, MAXNQ> ptr{};
    for (int q = 1; q <= MAXNQ; ++q) {
        for (int n = 1; n <= MAXNOD; ++n) cols[q - 1](n) = 1000.0 * q + n;
        ptr[q - 1] = &cols[q - 1];
    }
    ptr[6] = nullptr;
    const EFFREC rec = PKREC3D(ptr);
    for (int q = 1; q <= MAXNQ; ++q)
        for (int n = 1; n <= MAXNOD; ++n) EXPECT_EQ(rec(n, q), q == 7 ? 0.0 : 1000.0 * q + n);
}

// The turn to global axes is the pile's rotation Q applied to one vector:
// identity for a vertical pile; for any angles the same as Q of the
// transform; (1, 0, 0) along a horizontal pile with ALPHA = 0 is +Y.
TEST_F(ResultRecords, TurnToGlobalAxesIsThePileRotation) {
    struct Case { double a, b, t, x, y, z; };
    const Case cases[] = {{0, PI_D / 2, 0, 1, 2, 3}, {0.3, 1.1, -0.7, 1, -2, 0.5}, {-2.0, 0.2, 2.5, 0.4, 3, -1},
                          {0, 0, 0, 1, 0, 0}};
    for (const auto& c : cases) {
        ALPHA(1) = c.a, BETA(1) = c.b, THETA(1) = c.t;
        const GlobalXYZ g = ROTV3(1, c.x, c.y, c.z);
        const PileTransform t = PILETR(PileGeometry{0, 0, 0, c.a, c.b, c.t});
        const double want[3] = {t.Q(1, 1) * c.x + t.Q(1, 2) * c.y + t.Q(1, 3) * c.z,
                                t.Q(2, 1) * c.x + t.Q(2, 2) * c.y + t.Q(2, 3) * c.z,
                                t.Q(3, 1) * c.x + t.Q(3, 2) * c.y + t.Q(3, 3) * c.z};
        EXPECT_NEAR(g.X, want[0], 1e-14);
        EXPECT_NEAR(g.Y, want[1], 1e-14);
        EXPECT_NEAR(g.Z, want[2], 1e-14);
    }
    ALPHA(1) = 0, BETA(1) = PI_D / 2, THETA(1) = 0;
    const GlobalXYZ v = ROTV3(1, 1, 2, 3);
    EXPECT_NEAR(v.X, 1, 1e-15);
    EXPECT_NEAR(v.Y, 2, 1e-15);
    EXPECT_NEAR(v.Z, 3, 1e-15);
}

// Initial slopes of the head curves (segment ending at the first point from
// the second on with displacement >= 0, else the last):
//  user axial curve 2 from the origin (0, 0), (0.1, 50), (0.3, 80): 50 / 0.1 = 500
//  generated axial curve 4 (-0.2, -60), (-0.1, -40), (0, 0), (0.1, 40): 40 / 0.1 = 400
//  user axial curve 3 all negative (-0.3, -90), (-0.2, -70), (-0.1, -40): 30 / 0.1 = 300
//  user torque curve 1 (0, 0), (0.01, 20): 2000; generated torque curve 2 (-0.02, -10), (0.02, 10): 500
//  no curve (code 0), a one-point curve, a curve number beyond the tables: 0
TEST_F(ResultRecords, InitialSlopesOfTheHeadCurves) {
    auto put = [](auto& npt, auto& d, auto& l, int c, std::initializer_list<std::pair<double, double>> pts) {
        int k = 0;
        for (auto [x, y] : pts) {
            ++k;
            d(c, k) = x;
            l(c, k) = y;
        }
        npt(c) = k;
    };
    put(LSUNPT, LSUDSP, LSULOD, 2, {{0, 0}, {0.1, 50}, {0.3, 80}});
    put(LSGNPT, LSGDSP, LSGLOD, 4, {{-0.2, -60}, {-0.1, -40}, {0, 0}, {0.1, 40}});
    put(LSUNPT, LSUDSP, LSULOD, 3, {{-0.3, -90}, {-0.2, -70}, {-0.1, -40}});
    put(LSUNPT, LSUDSP, LSULOD, 5, {{0.1, 10}});
    put(TRUNPT, TRUROT, TRUTOR, 1, {{0, 0}, {0.01, 20}});
    put(TRGNPT, TRGROT, TRGTOR, 2, {{-0.02, -10}, {0.02, 10}});
    struct Case { int ls, tr; double s1, s2; };
    const Case cases[] = {{2, 1, 500, 2000}, {-4, -2, 400, 500}, {3, 0, 300, 0},
                          {5, MAXUCV + 1, 0, 0}, {-(MAXPIL + 1), -(MAXTRG + 1), 0, 0}};
    for (const auto& c : cases) {
        ILSCRV(1) = c.ls;
        ITRCRV(1) = c.tr;
        EXPECT_NEAR(CRVSL1(1), c.s1, 1e-12 * c.s1) << c.ls;
        EXPECT_NEAR(CRVSL2(1), c.s2, 1e-12 * c.s2) << c.tr;
    }
}

// The re-read node springs of the row's N + 1 real nodes, nothing beyond.
TEST_F(ResultRecords, NodeSpringsOfTheRealNodes) {
    IPROP(2) = 1;
    NINCR(1) = 3;
    for (int k = 1; k <= 6; ++k) EQKNODR(2, k) = 10.0 * k;
    const NODVEC v = LLPGET(2);
    for (int k = 1; k <= MAXNOD; ++k) EXPECT_EQ(v(k), k <= 4 ? 10.0 * k : 0.0) << k;
    IPROP(2) = 0;  // no property set: no springs
    EXPECT_EQ(LLPGET(2)(1), 0.0);
}

}  // namespace
}  // namespace zolan
