// Weak-rock p-y curves (code 9) against the published criterion:
// pur = 2 alpha qa (b + 1.4 xr) to xr = 3b, 10.4 alpha qa b below;
// Kir = Eir (100 + 400 xr / 3b) to 3b, 500 Eir below; alpha = 1 - RQD / 150;
// p = Kir y below yA = (0.5 pur / (yrm^1/4 Kir))^(4/3), then
// min(pur, 0.5 pur (y / yrm)^(1/4)), yrm = krm b.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/status_codes.h"
#include "soil/py_curves.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

// A rock layer: compressive strength qu from its top to its bottom value,
// uniform RQD, rock modulus Eir and krm.
struct Layer {
    double top, bot, qu_top, qu_bot, rqd = 0, eir = 1.0e4, krm = 0.0005;
};

// Pile row 1 of diameter b, head at the ground line (depth 0), nodes at
// (k - 1) h; unit weight gamma; node x in the layer with top <= x < bottom
// (the last layer to its bottom).
void pile_in(double b, double h, int nincr, double gamma, std::initializer_list<Layer> layers) {
    test::reset_py_model();
    test::one_pile(b, h, nincr);
    int L = 0;
    for (const Layer& l : layers) {
        test::soil_layer(++L, 9, l.top, l.bot);
        test::layer_value(SCCOH, L, l.qu_top, l.qu_bot);
        test::layer_value(SCGAM, L, gamma);
        test::layer_value(SCJ, L, l.rqd);
        test::layer_value(SCROCK, L, l.eir);
        test::layer_value(SCE50, L, l.krm);
    }
    test::nodes_by_depth();
}

using test::Springs;

class WeakRock : public test::PyModelTest {};

// b = 10 in, qu = 1000 psi (q = 500), gamma 0.04 pci, Eir = 1e4 psi, krm = 0.0005
// (yrm = 0.005 in), nodes every 12 in: z = 12 above 3b = 30 in, z = 48 below.
TEST_F(WeakRock, CurveAgainstThePublishedCriterion) {
    struct Case {
        int node;
        double rqd, Y, p;
    };
    const Case cases[] = {
        // z = 12, RQD 0 (alpha 1): pur = 2 * 500 * (10 + 1.4 * 12) = 26800;
        // Kir = 1e4 (100 + 400 * 12 / 30) = 2.6e6; yrm^1/4 = 0.265915;
        // yA = (13400 / (0.265915 * 2.6e6))^(4/3) = 0.0193815^(4/3) = 0.0052062.
        {2, 0, 0.002, 5200.0},      // Kir y = 2.6e6 * 0.002
        {2, 0, 0.01, 15935.375},    // 13400 * 2^(1/4) = 13400 * 1.1892071
        {2, 0, 0.1, 26800.0},       // beyond 16 yrm = 0.08: pur
        // z = 48 > 3b: pur = 10.4 * 500 * 10 = 52000, Kir = 500 Eir = 5e6,
        // yA = (26000 / (0.265915 * 5e6))^(4/3) = 0.0052684.
        {5, 0, 0.002, 10000.0},     // 5e6 * 0.002
        {5, 0, 0.01, 30919.3835},   // 26000 * 1.1892071
        {5, 0, 1.0, 52000.0},
        // RQD 100: alpha = 1 - 0.0066667 * 100 = 0.33333; pur = 17333.16; Kir as
        // before; yA = (8666.58 / (0.265915 * 5e6))^(4/3) = 0.0065185^(4/3) = 0.0012176.
        {5, 100, 1.0, 17333.16},
        {5, 100, 0.001, 5000.0},     // Kir y
        {5, 100, 0.002, 6892.277},   // 8666.58 * 0.4^(1/4) = 8666.58 * 0.7952707
        // RQD outside 0..100 is clamped: 150 acts as 100, -20 as 0.
        {5, 150, 1.0, 17333.16},
        {5, -20, 1.0, 52000.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "node " << c.node << " RQD " << c.rqd << " Y " << c.Y);
        pile_in(10, 12, 4, 0.04, {{0, 48, 1000, 1000, c.rqd}});
        Springs s;
        ASSERT_EQ(s.run(c.Y), 0);
        EXPECT_NEAR(s.p(c.node), c.p, 2e-6 * c.p);
        EXPECT_NEAR(s.es(c.node), c.p / c.Y, 2e-6 * c.p / c.Y);
    }
    // The single-precision 10.4 (10.399999618530273): pur = 51999.998093, not 52000.
    pile_in(10, 12, 4, 0.04, {{0, 48, 1000, 1000}});
    Springs s;
    ASSERT_EQ(s.run(1.0), 0);
    EXPECT_NEAR(s.p(5), 51999.998093, 1e-6);
    // Y = 0: the limit modulus Kir, no reaction.
    ASSERT_EQ(s.run(0.0), 0);
    EXPECT_NEAR(s.es(2), 2.6e6, 1.0);
    EXPECT_EQ(s.p(2), 0.0);
}

// At xr = 3b both pur (2 qa (b + 4.2 b) = 10.4 qa b) and Kir (500 Eir) are continuous.
TEST_F(WeakRock, ContinuousAtThreeDiameters) {
    double pur[2], kir[2];
    const double x[2] = {30.0 - 2e-8, 30.0};  // xr = x + 1e-8 on either side of 30
    for (int i = 0; i < 2; ++i) {
        pile_in(10, 12, 4, 0.04, {{0, 48, 1000, 1000}});
        NDEPTH(1, 3) = NDAXIS(1, 3) = x[i];
        Springs s;
        ASSERT_EQ(s.run(1.0), 0);
        pur[i] = s.p(3);
        ASSERT_EQ(s.run(1.0e-4), 0);  // well below yA: Kir y
        kir[i] = s.p(3) / 1.0e-4;
    }
    EXPECT_NEAR(pur[0], 52000.0, 0.01);
    EXPECT_NEAR(pur[1], 52000.0, 0.01);
    EXPECT_NEAR(kir[0], 5.0e6, 1.0);
    EXPECT_NEAR(kir[1], 5.0e6, 1.0);
}

// Below the first layer the analysis takes the trapezoidal mean of q over the
// layer's nodes from its first node; a tabulated curve the mean of the layer
// top and the node. Layer 2 from 20 in: qu 1000 -> 2000 at 96, q(x) = 500 + 500 (x - 20) / 76.
TEST_F(WeakRock, MeanStrengthBelowTheFirstLayer) {
    pile_in(10, 12, 8, 0.04, {{0, 20, 1000, 1000}, {20, 96, 1000, 2000}});
    Springs s;
    ASSERT_EQ(s.run(1.0), 0);
    // Node 5 (x = 48, xr = 28 <= 30): nodes of layer 2 at 24, 36, 48, q linear:
    // qa = (q(24) + q(48)) / 2 = 500 + 500 * 16 / 76 = 605.2632;
    // pur = 2 qa (10 + 1.4 * 28) = 98.4 qa = 59557.89 (Y = 1 > 16 yrm).
    EXPECT_NEAR(s.p(5), 59557.89, 0.01);
    // Node 3 (x = 24), the layer's first: qa = q(24) = 526.3158, xr = 4:
    // pur = 2 * 526.3158 * (10 + 5.6) = 16421.05.
    EXPECT_NEAR(s.p(3), 16421.05, 0.01);
}

// Running sum: from a layer's second node pur times the increment length,
// at its last node (bottom - x) pur; no triangle for soil above the head.
TEST_F(WeakRock, RunningSum) {
    // Nodes 0..48 every 12, layer to 60: pur(12) = 26800, pur(24) = 1000 (10 + 33.6) = 43600,
    // pur(36) = pur(48) = 52000. Ground at the head: node 1 is left.
    // sum = 12 (26800 + 43600 + 52000 + 52000) + (60 - 48) 52000 = 2716800.
    // Ground 12 in above the head: node 1 (the layer's first) adds nothing, xr unchanged.
    for (double ground : {0.0, -12.0}) {
        pile_in(10, 12, 4, 0.04, {{0, 60, 1000, 1000}});
        GROUND(1) = ground;
        test::form_layered_state();
        EXPECT_NEAR(PUSUM(1, 1), 2716800.0, 0.5) << "ground " << ground;
    }
}

// Guards: no krm or no modulus keeps the line below pur; a zero strength at
// a layer's first node gives a zero curve without a report.
TEST_F(WeakRock, DegenerateRock) {
    struct Case {
        double eir, krm, Y, p;
    };
    const Case cases[] = {
        // z = 12: pur = 26800, Kir = 260 Eir.
        {1.0e4, 0.0, 0.002, 5200.0},   // krm 0: Kir y
        {1.0e4, 0.0, 0.1, 26800.0},    // min(2.6e6 * 0.1, pur)
        {0.0, 0.0005, 0.1, 0.0},       // no modulus: no resistance
        {-1.0e4, 0.0005, 0.1, 0.0},
    };
    for (const Case& c : cases) {
        pile_in(10, 12, 4, 0.04, {{0, 48, 1000, 1000, 0, c.eir, c.krm}});
        Springs s;
        ASSERT_EQ(s.run(c.Y), 0);
        EXPECT_NEAR(s.p(2), c.p, 1e-5 * (1 + c.p)) << "Eir " << c.eir << " krm " << c.krm;
        EXPECT_TRUE(std::isfinite(s.es(2)));
    }
    // Ground 12 in above the head, qu 0 at the top rising to 1000 at 48: node
    // 1 is the layer's first, its curve is zero and nothing is reported.
    pile_in(10, 12, 4, 0.04, {{0, 48, 0, 1000}});
    GROUND(1) = -12.0;
    Springs s;
    const auto files = test::run_files({ECHOFILE}, [&] { EXPECT_EQ(s.run(0.1), 0); });
    EXPECT_EQ(s.p(1), 0.0);
    EXPECT_GT(s.p(2), 0.0);
    EXPECT_EQ(files.echo, std::vector<std::string>{});
}

// A zero strength at a node after the layer's first: the block on the echo
// file then the runtime file, status 21, and nothing more is evaluated.
TEST_F(WeakRock, ZeroStrengthStopsTheRun) {
    pile_in(10, 12, 4, 0.04, {{0, 20, 1000, 1000}, {20, 48, 0, 0}});
    Springs s;
    s.p.fill(777.0);
    const auto files = test::run_files({ECHOFILE, RUNFILE}, [&] { EXPECT_EQ(s.run(0.1), ISWROCK); });
    EXPECT_EQ(s.p(3), 0.0);    // layer 2's first node (x = 24): zero curve
    EXPECT_EQ(s.p(4), 777.0);  // x = 36: the block, then nothing written
    const std::vector<std::string> block = {
        "",
        "       --------------------WARNING----------------------",
        "       THE UNIAXIAL COMPRESION STRENGTH IS 0 FOR WEAK ROCK ",
        "       ACCORDING TO THE INPUT DATA.",
        "       PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN.",
    };
    EXPECT_EQ(files.echo, block);
    EXPECT_EQ(files.run, block);
}

// A printed curve at 48 in, in layer 2 of the profile above: the heading, the
// depth record and 17 default points yrm (0.0005 .. 12).
TEST_F(WeakRock, PrintedCurve) {
    pile_in(10, 12, 8, 0.04, {{0, 20, 1000, 1000}, {20, 96, 1000, 2000}});
    test::curve_mode(48.0, 60.0, 2);
    Springs s;
    const auto files = test::run_files({ECHOFILE, PLOTFILE}, [&] { EXPECT_EQ(s.run(0.0), 0); });
    // q(48) = 500 + 500 * 28 / 76 = 684.21; qa = (500 + 684.21) / 2 = 592.11;
    // pur = 2 * 592.11 * (10 + 1.4 * 28) = 58263.16; gamma 0.04 * 1728 = 69.12 pcf;
    // Kir = 1e4 (100 + 400 * 28 / 30) = 4.7333e6, yA = 0.0066.
    // Point 1: y = 0.0005 yrm = 2.5e-6, p = Kir y = 11.833.
    // Point 17: y = 12 yrm = 0.06 < 16 yrm: p = 0.5 pur 12^(1/4) = 29131.58 * 1.861210 = 54219.98.
    const std::vector<std::string>& lines = files.echo;
    ASSERT_EQ(lines.size(), 7u + 17u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "              DEPTH     DIAM       C         PU    GAMMA AVG      E50");
    EXPECT_EQ(lines[3], "                FT       IN    LBS/IN**2 LBS/IN**3 LBS/FT**3");
    EXPECT_EQ(lines[4], "                4.00    10.000  0.68E+03  0.58E+05  0.69E+02   0.500E-03");
    EXPECT_EQ(lines[5], "                                     Y                   P");
    EXPECT_EQ(lines[6], "                                     IN                LBS/IN");
    EXPECT_EQ(lines[7], "                                0.250E-05           0.118E+02");
    EXPECT_EQ(lines[23], "                                0.600E-01           0.542E+05");
    const std::vector<std::string>& plot = files.plot;
    ASSERT_EQ(plot.size(), 1u + 17u);
    EXPECT_EQ(plot[0], "   48.000000000000000     ");
    // 2X, 1P G15.8 (E form below 0.1, F11.3 and four blanks for 54219.977), twice.
    EXPECT_EQ(plot[17], "   6.00000000E-02    54219.977    ");
}

}  // namespace
}  // namespace zolan
