#include "control/distributed_loads.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <bit>
#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "control/control.h"
#include "model/analysis_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"

namespace zolan {
namespace {

const double PI = 3.141592653589793;

// Five pile rows of property set 1, 10 long in 2 increments: nodes at depths
// 0, 5 and 10. Set 1: (0, 2) to (10, 4), so 2, 3, 4 at the nodes. Set 2:
// (4, 10) to (6, 20), so 0, 15, 0 at the nodes. Set 3: a single point.
void fixture(int nantyp) {
    RESETRUN();
    NANTYP = nantyp;
    NPILES = 5;
    for (int p = 1; p <= 5; ++p) {
        IPROP(p) = 1;
        BETA(p) = PI / 2;  // vertical in the three-dimensional model
    }
    PLENP(1) = 10.0;
    NINCR(1) = 2;
    NDLSET = 3;
    NDLPT(1) = 2;
    DLDEP(1, 1) = 0.0, DLVAL(1, 1) = 2.0, DLDEP(1, 2) = 10.0, DLVAL(1, 2) = 4.0;
    NDLPT(2) = 2;
    DLDEP(2, 1) = 4.0, DLVAL(2, 1) = 10.0, DLDEP(2, 2) = 6.0, DLVAL(2, 2) = 20.0;
    NDLPT(3) = 1;
    DLDEP(3, 1) = 0.0, DLVAL(3, 1) = 7.0;
    NLCASE = 2;
    LCSCAL(1) = LCSCAL(2) = 1.0;
}

// Line m of case i: axis option, rows first..last by inc, sets Y and Z with factors.
void line(int i, int m, int axis, int first, int last, int inc, int sy, double fy, int sz, double fz) {
    NDLINE(i) = std::max(NDLINE(i), m);
    DLLINE(i, m, 1) = m;
    DLLINE(i, m, 2) = axis;
    DLLINE(i, m, 3) = first;
    DLLINE(i, m, 4) = last;
    DLLINE(i, m, 5) = inc;
    DLLINE(i, m, 6) = sy;
    DLLINE(i, m, 7) = sz;
    DLFY(i, m) = fy;
    DLFZ(i, m) = fz;
}

// The walk over pile rows: last row 0, reversed ranges, increment 0 or
// negative, a huge increment and rows beyond the pile rows.
TEST(DistributedLoads, RowRanges) {
    struct Case {
        int first, last, inc;
        std::set<int> rows;
    };
    const Case cases[] = {
        {2, 0, 0, {2}},                // last 0: the first row only
        {3, 3, 0, {3}},                // one row, increment 0 -> 1
        {5, 1, 0, {1, 5}},             // reversed, increment 0 -> hi - lo = 4
        {1, 5, 2, {1, 3, 5}},
        {5, 1, 2, {1, 3, 5}},          // reversed with an increment: from lo up
        {3, 5, -1, {1, 2, 3}},         // negative: from lo down to row 1
        {1, 5, INT_MAX, {1}},          // no overflow of the walk
        {5, 2, INT_MIN, {2}},          // nor downward
        {4, 9, 1, {4, 5}},             // never beyond the pile rows
        {9, 4, -2, {2, 4}},            // from lo = 4 down: 4, 2
        {9, 0, -3, {3}},               // 9 and 6 lie beyond the rows, then 3
        {-1, 3, 1, {}},                // a range starting below row 1 names no row
        {0, 4, 2, {}},
        {2, -2, 0, {}},                // reversed below row 1: from lo = -2, none
    };
    for (const Case& c : cases) {
        fixture(3);
        line(1, 1, 0, c.first, c.last, c.inc, 1, 1.0, 0, 0.0);
        DLCASE(1);
        const std::set<int>& want = c.rows;
        for (int p = 1; p <= 5; ++p) {
            const bool on = want.count(p) > 0;
            SCOPED_TRACE(testing::Message() << "rows " << c.first << ".." << c.last << " by " << c.inc << ", row " << p);
            EXPECT_EQ(DLNPT(p), on ? 3 : 0);
            EXPECT_DOUBLE_EQ(DLTAB(p, 2, 2), on ? 3.0 : 0.0);
        }
        EXPECT_EQ(DLNPT(6), 0);
    }
}

// Value of a set along the pile: end values within 1e-8, interpolation,
// nothing outside the set or for a set that is not one.
TEST(DistributedLoads, SetValues) {
    fixture(3);
    struct Case {
        int s;
        double x, v;
    };
    const Case cases[] = {
        {1, 0.0, 2.0},  {1, 2.5, 2.5},   {1, 10.0, 4.0},  {1, 10.0 + 5e-9, 4.0},
        {2, 0.0, 0.0},  {2, 4.0 - 5e-9, 10.0}, {2, 5.0, 15.0}, {2, 6.0, 20.0}, {2, 6.1, 0.0},
        {3, 0.0, 0.0},  // a single point is no set
        {0, 5.0, 0.0},  {-1, 5.0, 0.0}, {4, 5.0, 0.0},   // no set, beyond NDLSET
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(dl_set_value(c.s, c.x), c.v) << "set " << c.s << " at " << c.x;
}

// Local and global axes in both models, the case scale, and the axial head
// loads gathered from global-axis lines (KAXHL) by the trapezoidal rule.
TEST(DistributedLoads, AxesAndHeadLoads) {
    const double r3 = std::sqrt(3.0);
    struct Case {
        const char* what;
        int nantyp, axis, gather;
        double alpha, beta, theta, batang, scale;
        double y2, z2;   // local loads at node 2 (depth 5): set 1 gives qy = 3, set 2 qz = 15
        double axial;
        int kaxhl;
    };
    const Case cases[] = {
        // Local axes: the set values times the factors (Y 1.0, Z 2.0) times the scale 2.
        {"3-D local", 3, 0, 1, 0.3, 0.2, 0.1, 0, 2.0, 6.0, 60.0, 0.0, 0},
        // Vertical pile (beta = 90 deg, alpha = theta = 0): global = local, no axial share.
        {"3-D global vertical", 3, 1, 1, 0, PI / 2, 0, 0, 1.0, 3.0, 30.0, 0.0, 1},
        // alpha = 90 deg: a = qz' = 30, b = -qy = -3; y = a, z = b.
        {"3-D global alpha 90", 3, 1, 0, PI / 2, PI / 2, 0, 0, 1.0, 30.0, -3.0, 0.0, 0},
        // beta = 30 deg, theta = 90 deg: a = 0.5 * 3 = 1.5, b = 30; y = b = 30, z = -a = -1.5.
        // Axial: cos 30 * h/2 * ((2 + 3) + (3 + 4)) = (r3/2) * 2.5 * 12 = 15 r3.
        {"3-D global battered", 3, 1, 1, 0, PI / 6, PI / 2, 0, 1.0, 30.0, -1.5, 15 * r3, 1},
        // Plane, batter 30 deg: y = 3 cos 30; axial (12) * sin 30 * 2.5 = 15; no Z column.
        {"plane global", 2, 1, 1, 0, 0, 0, PI / 6, 1.0, 3 * r3 / 2, 0.0, 15.0, 1},
        {"plane local", 2, 0, 1, 0, 0, 0, PI / 6, 1.0, 3.0, 0.0, 0.0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fixture(c.nantyp);
        ALPHA(2) = c.alpha, BETA(2) = c.beta, THETA(2) = c.theta, BATANG(2) = c.batang;
        LCSCAL(1) = c.scale;
        LCKIND(1, 7) = c.gather;
        line(1, 1, c.axis, 2, 0, 0, 1, 1.0, 2, 2.0);
        KAXHL = 7;  // cleared by DLCASE
        DLCASE(1);
        EXPECT_EQ(DLNPT(2), 3);
        for (int l = 1; l <= 3; ++l) EXPECT_DOUBLE_EQ(DLTAB(2, l, 1), 5.0 * (l - 1));
        EXPECT_NEAR(DLTAB(2, 2, 2), c.y2, 1e-12);
        EXPECT_NEAR(DLTAB(2, 2, 3), c.z2, 1e-12);
        EXPECT_NEAR(AXHLOAD(2), c.axial, 1e-12);
        EXPECT_EQ(KAXHL, c.kaxhl);
    }
}

// Lines add up; a combination adds each case's lines times the case's scale
// and its factor; DLZERO clears the loads and keeps KAXHL.
TEST(DistributedLoads, CombinationsAndClearing) {
    fixture(3);
    line(1, 1, 0, 1, 0, 0, 1, 1.0, 0, 0.0);
    line(1, 2, 0, 1, 2, 0, 1, 0.5, 0, 0.0);  // the same pile again, and row 2
    LCSCAL(1) = 2.0;
    line(2, 1, 1, 1, 0, 0, 1, 1.0, 0, 0.0);  // global axes on a vertical pile
    LCKIND(2, 7) = 1;
    // Case 1 alone: (1.0 + 0.5) * 3 * 2 = 9 on row 1, 0.5 * 3 * 2 = 3 on row 2.
    DLCASE(1);
    EXPECT_DOUBLE_EQ(DLTAB(1, 2, 2), 9.0);
    EXPECT_DOUBLE_EQ(DLTAB(2, 2, 2), 3.0);
    // Combination: case 1 x 0.5, case 2 x 3, case 1 again x 1:
    // row 1 at node 2: 9 * 0.5 + 3 * 3 + 9 * 1 = 22.5; row 2: 3 * 1.5 = 4.5.
    NLBCAS(1) = 3;
    LBCASE(1, 1) = 1, LBFACT(1, 1) = 0.5;
    LBCASE(1, 2) = 2, LBFACT(1, 2) = 3.0;
    LBCASE(1, 3) = 1, LBFACT(1, 3) = 1.0;
    DLCOMB(1);
    EXPECT_DOUBLE_EQ(DLTAB(1, 2, 2), 22.5);
    EXPECT_DOUBLE_EQ(DLTAB(1, 3, 2), 4.0 * (1.5 * 0.5 * 2 + 3 + 1.5 * 2));
    EXPECT_DOUBLE_EQ(DLTAB(2, 2, 2), 4.5);
    EXPECT_EQ(KAXHL, 1);  // case 2 is a global line with gathering
    DLZERO();
    EXPECT_EQ(KAXHL, 1);
    for (int p = 1; p <= 2; ++p) {
        EXPECT_EQ(DLNPT(p), 0);
        EXPECT_EQ(DLTAB(p, 2, 2), 0.0);
        EXPECT_EQ(AXHLOAD(p), 0.0);
    }
    EXPECT_DOUBLE_EQ(DLTAB(1, 2, 1), 5.0);  // depths are not load columns
}

// The reference: each line walked over its rows as the input gives them,
// each node's set value searched from the top of the set, the angles' sines
// and cosines taken at each node. Results in `dl` (row, node, column) and `ax`.
struct Reference {
    std::vector<double> dl = std::vector<double>(MAXPIL * (MAXINC + 2) * 4, 0.0);
    std::vector<double> ax = std::vector<double>(MAXPIL + 1, 0.0);
    std::vector<int> npt = std::vector<int>(MAXPIL + 1, 0);
    int kaxhl = 0;
    double& at(int p, int l, int k) { return dl[(p * (MAXINC + 2) + l) * 4 + k]; }

    static double value(int s, double x) {
        if (s <= 0 || s > NDLSET) return 0.0;
        const int n = NDLPT(s);
        if (n < 2) return 0.0;
        const double tol = static_cast<double>(1e-8f);
        if (std::abs(x - DLDEP(s, 1)) < tol) return DLVAL(s, 1);
        if (std::abs(x - DLDEP(s, n)) < tol) return DLVAL(s, n);
        if (x < DLDEP(s, 1) || x > DLDEP(s, n)) return 0.0;
        for (int k = 2; k <= n; ++k)
            if (DLDEP(s, k) > x)
                return DLVAL(s, k - 1) + (DLVAL(s, k) - DLVAL(s, k - 1)) * (x - DLDEP(s, k - 1)) /
                                             (DLDEP(s, k) - DLDEP(s, k - 1));
        return 0.0;
    }

    void lay(int i, int m, int p, double fy, double fz) {
        const int ip = IPROP(p), N = NINCR(ip) + 1;
        const double h = PLENP(ip) / NINCR(ip);
        const bool plane = NANTYP == 2, global = DLLINE(i, m, 2) != 0, gather = global && LCKIND(i, 7) == 1;
        const double al = ALPHA(p), be = BETA(p), th = THETA(p), phi = BATANG(p);
        npt[p] = N;
        double qy0 = 0.0, qz0 = 0.0;
        for (int l = 1; l <= N; ++l) {
            const double x = (l - 1) * h;
            at(p, l, 1) = x;
            const double qy = fy * value(DLLINE(i, m, 6), x), qz = plane ? 0.0 : fz * value(DLLINE(i, m, 7), x);
            if (!global) {
                at(p, l, 2) += qy;
                if (!plane) at(p, l, 3) += qz;
            } else if (plane) {
                at(p, l, 2) += qy * std::cos(phi);
            } else {
                const double a = std::sin(be) * (qy * std::cos(al) + qz * std::sin(al));
                const double b = qz * std::cos(al) - qy * std::sin(al);
                at(p, l, 2) += a * std::cos(th) + b * std::sin(th);
                at(p, l, 3) += b * std::cos(th) - a * std::sin(th);
            }
            if (gather && l >= 2) {
                ax[p] += plane ? (qy0 + qy) * std::sin(phi) * h / 2.0
                               : std::cos(be) * (std::cos(al) * (qy0 + qy) + std::sin(al) * (qz0 + qz)) * h / 2.0;
                kaxhl = 1;
            }
            qy0 = qy;
            qz0 = qz;
        }
    }

    void add(int i, double factor) {
        for (int m = 1; m <= NDLINE(i); ++m) {
            const long long a = DLLINE(i, m, 3), b = DLLINE(i, m, 4) == 0 ? a : DLLINE(i, m, 4);
            const long long lo = std::min(a, b), hi = std::max(a, b);
            long long d = DLLINE(i, m, 5);
            if (d == 0) d = lo == hi ? 1 : hi - lo;
            for (long long p = lo; p <= hi && p >= 1; p += d)
                if (p <= NPILES) lay(i, m, static_cast<int>(p), DLFY(i, m) * factor, DLFZ(i, m) * factor);
        }
    }
};

bool same_bits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// Random sets and lines on piles of two lengths, in both models: the tables
// hold, bit for bit, what the reference gives. The sets have points on node
// depths, within and just beyond the end tolerance of one, repeated depths
// and depths out of order; the lines name rows up and down, beyond the pile
// rows and below row 1.
TEST(DistributedLoads, SameBitsAsTheReference) {
    std::mt19937 rng(20261210);
    auto uniform = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto pick = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    for (int trial = 0; trial < 40; ++trial) {
        SCOPED_TRACE(trial);
        fixture(trial % 2 == 0 ? 3 : 2);
        NPILES = 12;
        PLENP(1) = 10.0, NINCR(1) = 7;   // h = 10/7: node depths not exact in binary
        PLENP(2) = 24.0, NINCR(2) = 12;  // h = 2
        for (int p = 1; p <= NPILES; ++p) {
            IPROP(p) = pick(1, 2);
            ALPHA(p) = uniform(-PI, PI), BETA(p) = uniform(0.0, PI), THETA(p) = uniform(-PI, PI);
            BATANG(p) = uniform(-0.5, 0.5);
        }
        NDLSET = 6;
        for (int s = 1; s <= NDLSET; ++s) {
            const int n = pick(2, 6);
            NDLPT(s) = n;
            double x = uniform(-2.0, 4.0);
            for (int k = 1; k <= n; ++k) {
                const double h = k % 2 ? 10.0 / 7 : 2.0;
                switch (pick(0, 4)) {
                    case 0: x = pick(0, 12) * h; break;                 // on a node
                    case 1: x = pick(0, 12) * h + 5e-9; break;          // within the end tolerance
                    case 2: x = pick(0, 12) * h - 2e-8; break;          // just beyond it
                    case 3: break;                                      // the same depth again
                    default: x += uniform(-1.0, 6.0); break;            // anywhere, even back up
                }
                DLDEP(s, k) = x, DLVAL(s, k) = uniform(-50.0, 50.0);
            }
        }
        for (int i = 1; i <= 2; ++i) {
            NDLINE(i) = 0;
            LCSCAL(i) = uniform(0.5, 2.0);
            LCKIND(i, 7) = pick(0, 1);
            for (int m = 1; m <= pick(1, 8); ++m)
                line(i, m, pick(0, 1), pick(-2, 14), pick(-2, 14), pick(-5, 5), pick(0, NDLSET + 1),
                     uniform(-3.0, 3.0), pick(0, NDLSET + 1), uniform(-3.0, 3.0));
        }
        NLBCAS(1) = 3;
        LBCASE(1, 1) = 2, LBFACT(1, 1) = uniform(-2.0, 2.0);
        LBCASE(1, 2) = 1, LBFACT(1, 2) = uniform(-2.0, 2.0);
        LBCASE(1, 3) = 2, LBFACT(1, 3) = uniform(-2.0, 2.0);

        for (bool comb : {false, true}) {
            Reference ref;
            if (comb) {
                for (int m = 1; m <= 3; ++m) ref.add(LBCASE(1, m), LCSCAL(LBCASE(1, m)) * LBFACT(1, m));
                DLCOMB(1);
            } else {
                ref.add(1, LCSCAL(1));
                DLCASE(1);
            }
            EXPECT_EQ(KAXHL, ref.kaxhl);
            for (int p = 1; p <= NPILES; ++p) {
                ASSERT_EQ(DLNPT(p), ref.npt[p]) << "row " << p;
                EXPECT_TRUE(same_bits(AXHLOAD(p), ref.ax[p])) << "row " << p;
                for (int l = 1; l <= ref.npt[p]; ++l)
                    for (int k = 1; k <= 3; ++k)
                        ASSERT_TRUE(same_bits(DLTAB(p, l, k), ref.at(p, l, k)))
                            << "row " << p << " node " << l << " column " << k << ": " << DLTAB(p, l, k)
                            << " against " << ref.at(p, l, k);
            }
        }
    }
}

}  // namespace
}  // namespace zolan
