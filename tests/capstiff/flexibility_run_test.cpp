// A whole run of a cap flexibility estimation on a linear group: four pinned
// vertical piles on elastic subgrade (soil code 12) with straight axial and
// torque-rotation curves (tests/fixtures/flex_linear3d.in).
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "control/control.h"
#include "group/cap_solver3d.h"
#include "group/group_services.h"
#include "support/fixed_run.h"
#include "support/names_file.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

using Mat = std::vector<std::vector<double>>;

// The stiffness matrices of the plot data, level after level: after each
// "N:" line the diagonal row, then six rows "i K(i, 1) .. K(i, 6)".
std::vector<Mat> plotted_stiffness(const std::string& text) {
    std::vector<Mat> out;
    const std::vector<std::string> lines = test::lines_of(text);
    bool on = false;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (lines[k].find("* PILE CAP STIFFNESS ESTIMATION *") != std::string::npos) on = true;
        if (!on || lines[k].find("   N:") == std::string::npos || k + 7 >= lines.size()) continue;
        Mat K(6, std::vector<double>(6));
        for (int i = 0; i < 6; ++i) {
            std::istringstream row(lines[k + 2 + static_cast<std::size_t>(i)]);
            int n = 0;
            row >> n;
            EXPECT_EQ(n, i + 1);
            for (double& v : K[static_cast<std::size_t>(i)]) row >> v;
        }
        out.push_back(K);
    }
    return out;
}

// The flexibility matrix of level p of nlev from the flexibility file:
// column j is the row of degree of freedom j.
Mat flexibility(const std::string& text, int p, int nlev) {
    const std::vector<std::string> rows = test::lines_of(text);
    Mat F(6, std::vector<double>(6));
    for (int j = 0; j < 6; ++j) {
        std::istringstream row(rows[static_cast<std::size_t>(j * nlev + p - 1)]);
        int level = 0;
        row >> level;
        EXPECT_EQ(level, p);
        for (int i = 0; i < 6; ++i) row >> F[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    }
    return F;
}

// Inverse by Gauss-Jordan elimination with partial pivoting.
Mat inverse(Mat A) {
    const std::size_t n = A.size();
    Mat X(n, std::vector<double>(n, 0.0));
    for (std::size_t i = 0; i < n; ++i) X[i][i] = 1.0;
    for (std::size_t c = 0; c < n; ++c) {
        std::size_t piv = c;
        for (std::size_t r = c + 1; r < n; ++r)
            if (std::abs(A[r][c]) > std::abs(A[piv][c])) piv = r;
        std::swap(A[c], A[piv]);
        std::swap(X[c], X[piv]);
        const double d = A[c][c];
        for (std::size_t j = 0; j < n; ++j) A[c][j] /= d, X[c][j] /= d;
        for (std::size_t r = 0; r < n; ++r) {
            if (r == c) continue;
            const double f = A[r][c];
            for (std::size_t j = 0; j < n; ++j) A[r][j] -= f * A[c][j], X[r][j] -= f * X[c][j];
        }
    }
    return X;
}

// |a(i, j) - b(i, j)| within rel sqrt(b(i, i) b(j, j)) for every term.
void expect_matrix_near(const Mat& a, const Mat& b, double rel, const std::string& what) {
    for (std::size_t i = 0; i < 6; ++i)
        for (std::size_t j = 0; j < 6; ++j)
            EXPECT_NEAR(a[i][j], b[i][j], rel * std::sqrt(std::abs(b[i][i] * b[j][j])))
                << what << ", K(" << i + 1 << ", " << j + 1 << ")";
}

// The estimated stiffness at each level is the inverse of the flexibility the
// run measured, equals the solver's tangent at the origin within 1e-5 and is
// symmetric within 1e-6. Its axial terms follow from the head axial stiffness
// ka = 100000 lb / 0.5 in = 2e5 lb/in of each pile at (y, z) = (-36, -24),
// (36, -30), (-30, 36), (24, 24) in: K11 = 4 ka = 8e5; K55 = ka sum z^2 =
// 2e5 (576 + 900 + 1296 + 576) = 6.696e8; K66 = ka sum y^2 = 2e5 (1296 +
// 1296 + 900 + 576) = 8.136e8; |K15| = ka |sum z| = 2e5 * 6 = 1.2e6; |K16| =
// ka |sum y| = 2e5 * 6 = 1.2e6; |K56| = ka |sum y z| = 2e5 * 720 = 1.44e8.
TEST(FlexibilityRun, LinearGroupStiffness) {
    test::TempDir dir;
    test::write_file("flex_linear3d.in",
                     test::read_file(std::string(ZOLAN_FIXTURES_DIR) + "/flex_linear3d.in"));
    auto names = test::default_names();
    names[5] = "flex_linear3d.in";
    test::write_names(names);
    test::Seams seams;
    std::optional<CAPMAT> tangent;
    group_services.result3d = [&](const SolveRequest& r, const Cap3dOutcome& out, int& ISTAT) {
        if (!tangent && r.KESTIM == 2) tangent = out.Kc;
        return RESPASS3(r, out, ISTAT);
    };
    ASSERT_EQ(IZOLAN(2), 0);
    ASSERT_TRUE(tangent.has_value());
    // The solver's tangent is that of the pile forces on the cap: -K.
    Mat Kc(6, std::vector<double>(6));
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j)
            Kc[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)] = -(*tangent)(i, j);

    const std::vector<Mat> K = plotted_stiffness(test::read_file("plotdata.txt"));
    ASSERT_EQ(K.size(), 2u);
    const std::string flex = test::read_file("flex.tmp");
    for (int p = 1; p <= 2; ++p) {
        const Mat& Kp = K[static_cast<std::size_t>(p - 1)];
        const std::string what = "level " + std::to_string(p);
        expect_matrix_near(Kp, inverse(flexibility(flex, p, 2)), 1e-7, what + ", inverse flexibility");
        expect_matrix_near(Kp, Kc, 1e-5, what + ", tangent");
        Mat Kt = Kp;
        for (std::size_t i = 0; i < 6; ++i)
            for (std::size_t j = 0; j < 6; ++j) Kt[i][j] = Kp[j][i];
        expect_matrix_near(Kp, Kt, 1e-6, what + ", symmetry");
        struct Term {
            int i, j;
            double magnitude;
        };
        for (const Term& t : {Term{1, 1, 8e5}, Term{5, 5, 6.696e8}, Term{6, 6, 8.136e8}, Term{1, 5, 1.2e6},
                              Term{1, 6, 1.2e6}, Term{5, 6, 1.44e8}})
            EXPECT_NEAR(std::abs(Kp[static_cast<std::size_t>(t.i - 1)][static_cast<std::size_t>(t.j - 1)]),
                        t.magnitude, 1e-6 * t.magnitude)
                << what << ", K(" << t.i << ", " << t.j << ")";
    }
}

// The numbers of the equivalent matrix file, every line that carries no
// heading, in order.
std::vector<double> matrix_file_numbers(const std::string& text) {
    std::vector<double> v;
    for (const std::string& line : test::lines_of(text)) {
        if (line.find('*') != std::string::npos) continue;
        std::istringstream in(line);
        for (std::string w; in >> w;) v.push_back(std::stod(w));
    }
    return v;
}

// The same linear group as a stiffness estimation at the same two levels:
// the equivalent stiffness at the origin, condensed from the pile-head
// stiffnesses on the springs, agrees with the stiffness that the
// flexibility estimation measured from the cap's own solutions within 1 %
// at each level.
TEST(FlexibilityRun, StiffnessEstimationAgreesWithMeasuredFlexibility) {
    const std::string input = test::read_file(std::string(ZOLAN_FIXTURES_DIR) + "/flex_linear3d.in");
    std::vector<Mat> measured;
    {
        test::TempDir dir;
        test::write_file("flex.in", input);
        ASSERT_EQ(test::run_at_fixed_time("flex.in", "flex_linear3d.in"), 0);
        measured = plotted_stiffness(test::read_file("plotdata.txt"));
    }
    ASSERT_EQ(measured.size(), 2u);
    std::string levels = input;
    const std::string flexibility_kind = "CAP FLEXIBILITY\n1 1 1 0 0 0 0 0";
    const std::size_t at = levels.find(flexibility_kind);
    ASSERT_NE(at, std::string::npos);
    levels.replace(at, flexibility_kind.size(), "STIFFNESS AT LEVELS\n0 11 0 0 0 0 0 0");
    test::TempDir dir;
    test::write_file("levels.in", levels);
    ASSERT_EQ(test::run_at_fixed_time("levels.in", "flex_linear3d.in"), 0);
    const std::vector<double> eqm = matrix_file_numbers(test::read_file("eqm.txt"));
    ASSERT_EQ(eqm.size(), 72u);
    for (int p = 1; p <= 2; ++p) {
        Mat K(6, std::vector<double>(6));
        for (std::size_t i = 0; i < 6; ++i)
            for (std::size_t j = 0; j < 6; ++j) K[i][j] = eqm[36 * static_cast<std::size_t>(p - 1) + 6 * i + j];
        expect_matrix_near(K, measured[static_cast<std::size_t>(p - 1)], 1e-2, "level " + std::to_string(p));
    }
}

}  // namespace
}  // namespace zolan
