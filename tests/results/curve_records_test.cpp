// Curve-file blocks of a pile: geometry by segment and the lateral springs
// of the half segments beside each station.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "report/run_files.h"
#include "results/curve_records.h"
#include "support/py_fixture.h"
#include "support/soil_profile.h"
#include "support/curve_file.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

using Records = std::vector<std::vector<double>>;

using test::formatted_records;

// Unformatted records read with the item counts of the formatted ones: all
// 4-byte integers, all 8-byte reals, or an integer and reals.
Records unformatted_records(const Records& shape) {
    Records out;
    EXPECT_TRUE(io::open_unit(CURVFILE, "curve.bin", {io::Access::Read, true}));
    std::string b;
    for (std::size_t k = 0; k < shape.size() && io::read_unf(CURVFILE, b); ++k) {
        const std::size_t n = shape[k].size();
        std::vector<double> v;
        std::size_t at = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const bool integer = b.size() == 4 * n || (b.size() != 8 * n && i == 0);
            if (integer) {
                std::int32_t x;
                std::memcpy(&x, b.data() + at, 4);
                v.push_back(x);
                at += 4;
            } else {
                double x;
                std::memcpy(&x, b.data() + at, 8);
                v.push_back(x);
                at += 8;
            }
        }
        EXPECT_EQ(at, b.size()) << "record " << k;
        out.push_back(v);
    }
    EXPECT_FALSE(io::read_unf(CURVFILE, b));
    io::close_unit(CURVFILE);
    return out;
}

class CurveRecords : public test::PyModelTest {
protected:
    // Pile row 1, b = 10 in, 48 in long, head and ground line at depth 0, two
    // curve-file segments (h = 24): elastic subgrade (code 12) in two layers,
    // 0-24 with k = 100 pci and tmax = 5 psi, 24-48 with k = 200 pci and no limit.
    void SetUp() override {
        test::reset_py_model();
        test::one_pile(10, 12, 4);
        NANTYP = 3;
        BETA(1) = std::numbers::pi / 2;
        for (int L = 1; L <= 2; ++L) {
            test::soil_layer(L, 12, 24.0 * (L - 1), 24.0 * L);
            test::layer_value(SCK, L, 100.0 * L);
            test::layer_value(SCCOH, L, L == 1 ? 5.0 : 0.0);
            test::layer_value(SCGAM, L, 0.04);
        }
        NLAYER = 2;
        NCRVST = 2;
        PLOTFLG = 1;
    }
    // The two blocks of pile row 1 in the form `formatted`; the status.
    int write(bool formatted) {
        return test::write_curve_file(formatted, [](int& st) {
            pile_geometry_records(1);
            pile_spring_records(1, st);
        });
    }
    test::TempDir dir_;
};

// The geometry block, then per station its record, the curve header and the
// 2 nv - 1 points: the mirrored branch, then the branch (forces of half a
// segment, the two halves beside an inner station summed on the deflections
// of the shorter curve). Both file forms hold the same items.
TEST_F(CurveRecords, CodeTwelveSegmentSums) {
    // Half-segment curves (h/2 = 12 in): layer 1: 12 min(k b y, b tmax) =
    // 12 min(1000 y, 50); layer 2: 12 * 2000 y.
    auto upper = [](double y) { return 12.0 * std::min(1000.0 * y, 50.0); };
    auto lower = [](double y) { return 12.0 * 2000.0 * y; };
    struct Case {
        const char* what;
        std::vector<double> list;  // empty: default deflections
    };
    const Case cases[] = {
        // Default deflections, 17 per branch: layer 1 from 0 in steps of
        // tmax/k/8 = 0.00625 to 0.1; layer 2 in steps of 0.01 b / 8 = 0.0125
        // to 0.2. Station 2 sums on the layer-1 deflections (the shorter
        // range), layer 2 being a line interpolates exactly:
        // y = 0.025: 12 (25 + 50) = 900; y = 0.1: 12 (50 + 200) = 3000.
        {"default", {}},
        // A list 0, 0.02, 0.05, 0.1 (equal ranges: the curve below is the
        // base): station 2 at 0.02: 12 * 40 + 12 * 20 = 720; at 0.1: 2400 + 600.
        {"list", {0.0, 0.02, 0.05, 0.1}},
    };
    for (const Case& c : cases) {
        KCRVL1 = c.list.empty() ? 0 : 1;
        NCRVL = static_cast<int>(c.list.size());
        for (std::size_t i = 0; i < c.list.size(); ++i) CRVL1(static_cast<int>(i) + 1) = c.list[i];
        const int nv = c.list.empty() ? 17 : NCRVL;
        auto y_upper = [&](int i) { return c.list.empty() ? 0.00625 * (i - 1) : c.list[i - 1]; };
        auto y_lower = [&](int i) { return c.list.empty() ? 0.0125 * (i - 1) : c.list[i - 1]; };
        // Expected records by hand.
        Records want = {{1, 2, 0}, {48}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        for (int k = 1; k <= 2; ++k) {
            want.push_back({double(k), 24.0 * k - 12});
            want.push_back({10});
        }
        want.push_back({1, 3, 1});
        for (int k = 1; k <= 3; ++k) {
            want.push_back({double(k), 24.0 * (k - 1)});
            want.push_back({1, double(2 * nv - 1), 6});
            std::vector<double> y(nv + 1), f(nv + 1);
            for (int i = 1; i <= nv; ++i) {
                y[i] = k == 3 ? y_lower(i) : y_upper(i);
                f[i] = k == 1 ? upper(y[i]) : k == 2 ? upper(y[i]) + lower(y[i]) : lower(y[i]);
            }
            for (int m = 1; m <= nv - 1; ++m) want.push_back({double(m), -y[nv + 1 - m], -f[nv + 1 - m]});
            for (int m = nv; m <= 2 * nv - 1; ++m) want.push_back({double(m), y[m - nv + 1], f[m - nv + 1]});
        }
        ASSERT_EQ(write(true), 0) << c.what;
        const Records got = formatted_records(test::read_file("curve.txt"));
        ASSERT_EQ(write(false), 0) << c.what;
        const Records unf = unformatted_records(got);
        ASSERT_EQ(got.size(), want.size()) << c.what;
        ASSERT_EQ(unf.size(), want.size()) << c.what;
        for (std::size_t r = 0; r < want.size(); ++r) {
            if (r == 7 || r == 9) {  // six section values; only the diameter is given
                ASSERT_EQ(got[r].size(), 6u) << c.what;
                EXPECT_NEAR(got[r][0], 10.0, 1e-7) << c.what << " record " << r;
                continue;
            }
            ASSERT_EQ(got[r].size(), want[r].size()) << c.what << " record " << r;
            for (std::size_t i = 0; i < want[r].size(); ++i) {
                EXPECT_NEAR(got[r][i], want[r][i], 1e-7 * std::abs(want[r][i]) + 1e-12) << c.what << " record " << r;
                EXPECT_NEAR(unf[r][i], want[r][i], 1e-12 * std::abs(want[r][i]) + 1e-12) << c.what << " record " << r;
            }
        }
    }
}

// Two half-segment curves summed on the deflections of the one whose range
// ends first, the other interpolated linearly; a one-point list adds the
// other's force; two points of the other at one deflection give the force
// of the later one (no division by a zero interval).
TEST(CurveSum, HalfSegments) {
    struct Case {
        const char* what;
        std::vector<double> ya, fa, yb, fb, y, f;
    };
    const Case cases[] = {
        // The other curve at 0, 1, 2: 4 y / 2 on its first interval = 0, 2, 4.
        {"a shorter", {0, 1, 2}, {0, 10, 20}, {0, 2, 4}, {0, 4, 6}, {0, 1, 2}, {0, 12, 24}},
        {"b shorter", {0, 2, 4}, {0, 4, 6}, {0, 1, 2}, {0, 10, 20}, {0, 1, 2}, {0, 12, 24}},
        // Equal ranges: a is the base; b at 1 between (0, 0) and (2, 8): 4.
        {"tie", {0, 1, 2}, {0, 1, 2}, {0, 2, 2}, {0, 8, 8}, {0, 1, 2}, {0, 5, 10}},
        {"one point", {0.5}, {3}, {1}, {5}, {0.5}, {8}},
        // Base b (its range 0.9 ends first): at 0 the interval (0, 0) of a
        // gives its later force 7; at 0.45: 7 + 0.45 * 2 = 7.9; at 0.9: 8.8.
        {"zero interval", {0, 0, 1}, {0, 7, 9}, {0, 0.45, 0.9}, {1, 1, 1}, {0, 0.45, 0.9}, {8, 8.9, 9.8}},
    };
    for (const Case& c : cases) {
        SpringCurve a, b;
        a.nv = static_cast<int>(c.ya.size());
        b.nv = static_cast<int>(c.yb.size());
        for (int i = 1; i <= a.nv; ++i) a.y(i) = c.ya[i - 1], a.f(i) = c.fa[i - 1];
        for (int i = 1; i <= b.nv; ++i) b.y(i) = c.yb[i - 1], b.f(i) = c.fb[i - 1];
        const SpringCurve s = sum_half_segments(a, b);
        ASSERT_EQ(s.nv, static_cast<int>(c.y.size())) << c.what;
        for (int i = 1; i <= s.nv; ++i) {
            EXPECT_DOUBLE_EQ(s.y(i), c.y[i - 1]) << c.what << " point " << i;
            EXPECT_NEAR(s.f(i), c.f[i - 1], 1e-12) << c.what << " point " << i;
        }
    }
}

}  // namespace
}  // namespace zolan
