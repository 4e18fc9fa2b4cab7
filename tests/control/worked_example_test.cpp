// The numbers of docs/WORKED-EXAMPLE.md, checked against whole runs of the
// examples: the pile-head forces of the wind case in equilibrium with the
// cap load, one printed soft-clay p-y curve against the published formula
// with the pile's p-multiplier, and one elastic pile against the beam on an
// elastic foundation; and the 3 x 3 group that docs/INPUT.md writes from
// scratch, in English and in SI units.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "control/control.h"
#include "support/names_file.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

namespace fs = std::filesystem;

struct ExampleRun {
    int status;
    std::string plot, echo;
};

ExampleRun run_example(const char* name) {
    test::TempDir dir;
    test::write_names(test::default_names());
    test::write_file("input.dat", test::read_file(fs::path(ZOLAN_SOURCE_DIR) / "examples" / name));
    const int status = IZOLAN(2);
    return {status, test::read_file("plotdata.txt"), test::read_file("echo.txt")};
}

std::vector<double> numbers(const std::string& line) { return test::numbers_of(line); }

// The global pile-top rows (six displacements, six reactions, the stress)
// of the analysis whose plot-data heading is `heading`.
std::vector<std::vector<double>> pile_tops(const std::string& plot, const std::string& heading) {
    std::vector<std::vector<double>> rows;
    std::size_t at = plot.find("\n" + heading + "\n");
    const std::size_t end = plot.find("\nLOAD CASE", at + 1);
    const std::string key = "* PILE TOP DISP. AND REACT. GLOBAL\n";
    for (at = plot.find(key, at); at != std::string::npos && at < end; at = plot.find(key, at + 1)) {
        const std::size_t from = at + key.size();
        rows.push_back(numbers(plot.substr(from, plot.find('\n', from) - from)));
    }
    return rows;
}

// The points (y, p) of printed p-y curve `curve` of the echo.
std::vector<std::pair<double, double>> printed_curve(const std::string& echo, int curve) {
    std::vector<std::pair<double, double>> pts;
    std::size_t at = echo.find("* TABLE N *");
    for (int c = 0; c < curve; ++c) at = echo.find("CURVE NUMBER              =", at + 1);
    at = echo.find("P,", at);
    std::istringstream in(echo.substr(echo.find('\n', at) + 1));
    for (std::string line; std::getline(in, line);) {
        const std::vector<double> v = numbers(line);
        if (v.size() != 2) break;
        pts.emplace_back(v[0], v[1]);
    }
    return pts;
}

// Four 24 in pipes at 6 ft centres under the wind along Y, 48,000 lbs and
// -3,600,000 lb-in about Z at the origin: the head reactions add up to the
// load, their moments with the levers Y of the heads included.
TEST(WorkedExample, PileHeadForcesBalanceTheCapLoad) {
    const ExampleRun r = run_example("group3d.in");
    ASSERT_EQ(r.status, 0);
    const auto tops = pile_tops(r.plot, "LOAD CASE :     3");
    ASSERT_EQ(tops.size(), 4u);
    const double Y[4] = {-36.0, -36.0, 36.0, 36.0};  // in
    double fx = 0.0, fy = 0.0, fz = 0.0, mz = 0.0;
    for (int p = 0; p < 4; ++p) {
        ASSERT_EQ(tops[p].size(), 13u);
        fx += tops[p][6];
        fy += tops[p][7];
        fz += tops[p][8];
        mz += tops[p][11] - Y[p] * tops[p][6];  // MZ + X FY - Y FX, the heads at X = 0
    }
    EXPECT_NEAR(fx, 0.0, 0.01);
    EXPECT_NEAR(fy, 48000.0, 0.01);
    EXPECT_NEAR(fz, 0.0, 0.01);
    EXPECT_NEAR(mz, -3600000.0, 1.0);
    // The values the document quotes.
    EXPECT_NEAR(tops[0][6], -47349.4, 0.05);
    EXPECT_NEAR(tops[0][7], 10635.6, 0.05);
    EXPECT_NEAR(tops[0][11], 724897.4, 0.5);
    EXPECT_NEAR(tops[2][7], 13364.4, 0.05);
    EXPECT_NEAR(tops[2][11], 884259.3, 0.5);
    EXPECT_NEAR(tops[0][1], 0.18379, 5e-6);
    // The dead load shares equally: 100,000 lbs down each.
    for (const auto& t : pile_tops(r.plot, "LOAD CASE :     1")) EXPECT_NEAR(t[6], 100000.0, 0.01);

    // Soft clay at 5 ft below the ground (pile 1): c = 375 psf, gamma' =
    // 50 pcf, e50 = 0.0175, b = 24 in, J = 0.5. pu = (3 + gamma' x / c +
    // J x / b) c b, below 9 c b; y50 = 2.5 e50 b; p = 0.5 pu (y / y50)^(1/3)
    // up to pu at 8 y50. The printed curve carries the p-multiplier of
    // pile 1 for movement along +Y.
    const double c = 375.0 / 144.0, g = 50.0 / 1728.0, x = 60.0, b = 24.0, J = 0.5;
    const double pu = std::min((3.0 + g * x / c + J * x / b) * c * b, 9.0 * c * b);
    EXPECT_NEAR(pu, 307.29, 0.005);
    const double y50 = 2.5 * 0.0175 * b;
    const double pm = 0.62302708;  // Table K, pile 1 along Y (plot-data: 0.62302708)
    EXPECT_NE(r.plot.find("         1            0.62302708            1.00000000 \n"), std::string::npos);
    const auto pts = printed_curve(r.echo, 1);
    ASSERT_EQ(pts.size(), 17u);
    int checked = 0;
    for (const auto& [y, p] : pts) {
        const double hand = y >= 8.0 * y50 ? pu * pm : 0.5 * pu * pm * std::cbrt(y / y50);
        if (y == 0.0) continue;
        EXPECT_NEAR(p, hand, 1e-4 * hand) << "y = " << y;
        ++checked;
    }
    EXPECT_EQ(checked, 16);
    EXPECT_DOUBLE_EQ(pts[5].first, 1.05);  // y50
    EXPECT_NEAR(pts[5].second, 95.7255, 5e-5);
    EXPECT_NEAR(pts[16].second, 191.451, 5e-4);
}

// One 24 in pipe, 60 ft in 100 increments, on p = k b y with k = 100 pci,
// under 10,000 lbs across at its head. The cap turns with the head, so the
// head is free to rotate. The node at the ground line takes no soil spring:
// the soil in effect begins half an increment (e = 3.6 in) below the head.
// Beam on elastic foundation (Hetenyi): lambda = (k b / 4 EI)^(1/4); at the
// soil's top y = 2 H lambda / (k b) (1 + lambda e) and theta = 2 H lambda^2
// / (k b) (1 + 2 lambda e); at the head y + theta e + H e^3 / 3EI and theta
// + H e^2 / 2EI.
TEST(WorkedExample, ElasticPileAgainstTheBeamOnElasticFoundation) {
    const ExampleRun r = run_example("elastic_pile3d.in");
    ASSERT_EQ(r.status, 0);
    const auto tops = pile_tops(r.plot, "LOAD CASE :     1");
    ASSERT_EQ(tops.size(), 1u);
    const double EI = 29.0e6 * 2549.35, kb = 100.0 * 24.0, H = 10000.0, e = 7.2 / 2.0;
    const double lam = std::pow(kb / (4.0 * EI), 0.25);
    EXPECT_NEAR(lam, 9.4914e-3, 1e-7);
    const double y0 = 2.0 * H * lam / kb, t0 = 2.0 * H * lam * lam / kb;
    EXPECT_NEAR(y0, 0.07910, 5e-6);
    const double ys = y0 * (1.0 + lam * e), ts = t0 * (1.0 + 2.0 * lam * e);
    const double y_head = ys + ts * e + H * e * e * e / (3.0 * EI), t_head = ts + H * e * e / (2.0 * EI);
    EXPECT_NEAR(y_head, 0.08469, 5e-6);
    EXPECT_NEAR(t_head, 8.029e-4, 5e-8);
    const double y = tops[0][1], t = -tops[0][5];
    EXPECT_NEAR(y, 0.084791, 5e-7);  // as the document quotes
    EXPECT_NEAR(t, 8.0384e-4, 5e-9);
    EXPECT_NEAR(y / y_head, 1.0, 0.005);
    EXPECT_NEAR(t / t_head, 1.0, 0.005);
    EXPECT_NEAR(tops[0][7], H, 1e-3);
    EXPECT_NEAR(tops[0][11], 0.0, 1e-3);  // no moment at a head free to rotate
}

// The six cap displacements at the origin of the analysis whose plot-data
// heading is `heading`.
std::vector<double> cap_displacements(const std::string& plot, const std::string& heading) {
    const std::size_t at = plot.find("\n" + heading + "\n");
    const std::string key = "* DISPLACEMENT OF PILE CAP AT ORIGIN *\n";
    const std::size_t from = plot.find(key, at) + key.size();
    return numbers(plot.substr(from, plot.find('\n', from) - from));
}

// One 3 x 3 group of 18 in pipes at 6 ft centres, written once in English
// and once in SI units: 900 kips down and 90 kips along +Y at the top of the
// 3 ft cap (X = -36 in) with -200 kip-ft about Z. In each unit system the
// head reactions balance the load carried to the origin (MZ = -2.4E6 lb-in
// + X FY = -5.64E6 lb-in). After conversion the two runs give the same
// forces, lateral movement, rotation and settlement within 0.1 % (the
// generated axial curves use each system's own rounded constants: 0.015 %
// at a corner pile).
TEST(WorkedExample, GroupInEnglishAndSiUnitsAgree) {
    const ExampleRun en = run_example("group3x3_english.in");
    const ExampleRun si = run_example("group3x3_si.in");
    ASSERT_EQ(en.status, 0);
    ASSERT_EQ(si.status, 0);
    const std::string heading = "LOAD CASE :     1";
    const auto te = pile_tops(en.plot, heading), ts = pile_tops(si.plot, heading);
    ASSERT_EQ(te.size(), 9u);
    ASSERT_EQ(ts.size(), 9u);

    const double m = 0.0254, kn = 0.0044482216152605;  // per inch, per pound
    struct Units {
        const std::vector<std::vector<double>>& tops;
        double y;                   // pile spacing, in or m
        double fx, fy, mz;          // the load carried to the origin
        double tol_f, tol_m;
    };
    const Units runs[] = {
        {te, 72.0, 900000.0, 90000.0, -2.4e6 - 36.0 * 90000.0, 0.01, 1.0},
        {ts, 6.0 * 12.0 * m, 900000.0 * kn, 90000.0 * kn, (-2.4e6 - 36.0 * 90000.0) * kn * m, 1e-5, 1e-4},
    };
    for (const Units& u : runs) {
        double fx = 0.0, fy = 0.0, fz = 0.0, mz = 0.0;
        for (int p = 0; p < 9; ++p) {
            ASSERT_EQ(u.tops[p].size(), 13u);
            const double Y = (p / 3 - 1) * u.y;  // rows of three at Y = -6, 0, +6 ft
            fx += u.tops[p][6];
            fy += u.tops[p][7];
            fz += u.tops[p][8];
            mz += u.tops[p][11] - Y * u.tops[p][6];  // the heads at X = 0
        }
        EXPECT_NEAR(fx, u.fx, u.tol_f * 100.0);
        EXPECT_NEAR(fy, u.fy, u.tol_f);
        EXPECT_NEAR(fz, 0.0, u.tol_f);
        EXPECT_NEAR(mz, u.mz, u.tol_m);
    }
    // The overturning pushes the +Y row down: the -Y row carries the least.
    EXPECT_GT(te[8][6], te[4][6]);
    EXPECT_GT(te[4][6], te[0][6]);
    // The values the document quotes: 124.2 kips (552.4 kN) and 71.5 kips
    // (318.0 kN) on the +Y and -Y rows.
    EXPECT_NEAR(te[8][6], 124200.0, 50.0);
    EXPECT_NEAR(ts[8][6], 552.4, 0.05);
    EXPECT_NEAR(te[0][6], 71500.0, 50.0);
    EXPECT_NEAR(ts[0][6], 318.0, 0.05);

    // The SI run against the English one, converted: forces in kN, moments
    // in kN-m, displacements in m.
    const double to_si[13] = {m, m, m, 1, 1, 1, kn, kn, kn, kn * m, kn * m, kn * m, 6.894757293168};  // stress: psi to kPa
    for (int p = 0; p < 9; ++p)
        for (int k : {1, 5, 6, 7, 11, 12}) {
            const double e = te[p][k] * to_si[k];
            EXPECT_NEAR(ts[p][k], e, 1e-3 * std::fabs(e)) << "pile " << p + 1 << ", value " << k + 1;
        }
    for (int p = 0; p < 9; ++p) {
        const double e = te[p][0] * m;
        EXPECT_NEAR(ts[p][0], e, 1e-3 * e) << "settlement of pile " << p + 1;
    }
    const auto ce = cap_displacements(en.plot, heading), cs = cap_displacements(si.plot, heading);
    ASSERT_EQ(ce.size(), 6u);
    ASSERT_EQ(cs.size(), 6u);
    EXPECT_NEAR(cs[0], ce[0] * m, 1e-3 * ce[0] * m);
    EXPECT_NEAR(cs[1], ce[1] * m, 1e-3 * ce[1] * m);
    EXPECT_NEAR(cs[5], ce[5], 1e-3 * std::fabs(ce[5]));
    EXPECT_NEAR(ce[0], 0.106, 0.0005);  // settlement and movement as quoted
    EXPECT_NEAR(cs[0], 2.70e-3, 0.005e-3);
    EXPECT_NEAR(ce[1], 0.215, 0.0005);
    EXPECT_NEAR(cs[1], 5.47e-3, 0.005e-3);
}

}  // namespace
}  // namespace zolan
