// Liquefied-sand p-y curves (code 11) against the published power law
// p = A (B y)^C Pd (kN/m against mm): ze = gamma d / 10 (m), A = 3e-7 (ze+1)^6.05,
// B = 2.80 (ze+1)^0.11, C = 2.85 (ze+1)^-0.41, Pd = 3.81 ln b + 5.6 (b in m),
// capped by the curve at y = b/2 and by 15 kN/m (85 lb/in).
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "report/unit_labels.h"
#include "soil/py_curves.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

// Pile row 1 of diameter b in unit system `units`, head at the ground line,
// nodes at (k - 1) h; layers of code 11 with the given tops (the last to
// bottom `bot`); gamma everywhere; node x in the layer with top <= x < bottom.
void pile_in(int units, double b, double h, int nincr, double gamma, std::initializer_list<double> tops,
             double bot) {
    test::reset_py_model();
    NUNITS = units;
    UNITLB(units == 1 ? 1 : -1);
    test::one_pile(b, h, nincr);
    int L = 0;
    for (double top : tops) {
        ++L;
        test::soil_layer(L, 11, top, L < static_cast<int>(tops.size()) ? *(tops.begin() + L) : bot);
        test::layer_value(SCGAM, L, gamma);
    }
    test::nodes_by_depth();
}

using test::Springs;

class Liquefied : public test::PyModelTest {};

TEST_F(Liquefied, CurveAgainstThePublishedLaw) {
    struct Case {
        int units;
        double b, h, gamma;
        int node;
        double Y, p;
    };
    const Case cases[] = {
        // SI, b = 0.5 m, x = d = 2 m, gamma 8 kN/m3: sv = 16, ze = 1.6, ze + 1 = 2.6;
        // A = 3e-7 * 2.6^6.05 = 9.72098e-5, B = 2.8 * 2.6^0.11 = 3.110320,
        // C = 2.85 * 2.6^-0.41 = 1.926219, Pd = 3.81 ln 0.5 + 5.6 = 2.959109;
        // pu = A (500 B 0.5)^C Pd = 106.434 kN/m.
        {2, 0.5, 1, 8, 3, 0.001, 0.00255930},   // A (3.110320)^C Pd
        {2, 0.5, 1, 8, 3, 0.01, 0.215944},      // A (31.10320)^C Pd
        {2, 0.5, 1, 8, 3, 0.3, 15.0},           // the 15 kN/m limit (pu = 106.4)
        // SI, b = 0.3 m: Pd = 3.81 ln 0.3 + 5.6 = 1.012864, pu = A (500 B 0.3)^C Pd = 13.6189 < 15.
        {2, 0.3, 1, 8, 3, 0.1, 6.23664},        // A (1000 B 0.1)^C Pd = A (311.0320)^C Pd, below b/2
        {2, 0.3, 1, 8, 3, 0.2, 13.6189},        // beyond b/2 = 0.15: pu
        // English, b = 20 in, x = d = 100 in, gamma 0.03 pci: sv = 3 psi,
        // ze = 3 / 0.036 * 0.0254 = 2.116667 m; A = 2.910369e-4, B = 3.172955,
        // C = 1.788265, Pd = 3.81 ln 0.508 + 5.6 = 3.019587; pu = 5.7143 A (12.7 B 20)^C Pd = 790.84.
        {1, 20, 20, 0.03, 6, 0.05, 0.0607068},  // 5.7143 A (25.4 B 0.05)^C Pd
        {1, 20, 20, 0.03, 6, 0.5, 3.72822},
        {1, 20, 20, 0.03, 6, 12, 85.0},         // the 85 lb/in limit
        // English, b = 12 in, x = 20 in: ze = 0.423333, Pd = 3.81 ln 0.3048 + 5.6 = 1.073341,
        // pu = 52.4549 < 85: beyond b/2 = 6 in the curve stays at pu.
        {1, 12, 20, 0.03, 2, 8, 52.4549},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "units " << c.units << " b " << c.b << " Y " << c.Y);
        pile_in(c.units, c.b, c.h, 5, c.gamma, {0.0}, 6 * c.h);
        Springs s;
        ASSERT_EQ(s.run(c.Y), 0);
        EXPECT_NEAR(s.p(c.node), c.p, 1e-5 * c.p);
        EXPECT_NEAR(s.es(c.node), c.p / c.Y, 1e-5 * c.p / c.Y);
    }
}

// At a layer's top (d <= 1e-7) the stress takes d = 0.0001: ze = 8e-5,
// A = 3.001452e-7, B = 2.800025, C = 2.849906; p(0.01) = A (28.00025)^C Pd = 0.0118241.
// A pile below 0.229 m (Pd < 0) gives no resistance, not a negative one.
TEST_F(Liquefied, LayerTopAndSmallPile) {
    pile_in(2, 0.5, 1, 5, 8, {0.0, 2.0}, 6);
    Springs s;
    ASSERT_EQ(s.run(0.01), 0);
    EXPECT_NEAR(s.p(3), 0.0118241, 1e-5 * 0.0118241);
    pile_in(2, 0.2, 1, 5, 8, {0.0}, 6);
    for (double Y : {0.0, 0.01, 1.0}) {
        ASSERT_EQ(s.run(Y), 0);
        EXPECT_EQ(s.p(3), 0.0) << "Y " << Y;
        EXPECT_EQ(s.es(3), 0.0) << "Y " << Y;
    }
}

// Group multipliers pf = 0.5, yf = 2: the curve at y / yf, es = pf p / (y/yf * yf);
// a zero deflection is evaluated at 1e-6 m; no zero threshold.
TEST_F(Liquefied, MultipliersAndZeroDeflection) {
    pile_in(2, 0.5, 1, 5, 8, {0.0}, 6);
    PFGRP(1) = 0.5;
    YFGRP(1) = 2.0;
    Springs s;
    // y = 0.02: ye = 0.01, p = 0.215944, P = 0.107972, es = 0.107972 / 0.02 = 5.398603.
    ASSERT_EQ(s.run(0.02), 0);
    EXPECT_NEAR(s.p(3), 0.107972, 1e-5 * 0.107972);
    EXPECT_NEAR(s.es(3), 5.398603, 1e-5 * 5.398603);
    // y = 0: ye = 1e-6, p = A (3.110320e-3)^C Pd = 4.260528e-9, es = 0.5 p / (1e-6 * 2) = 1.065132e-3.
    ASSERT_EQ(s.run(0.0), 0);
    EXPECT_NEAR(s.es(3), 1.065132e-3, 1e-5 * 1.065132e-3);
    EXPECT_TRUE(std::isfinite(s.p(3)));
}

// Running sum: from the layer's second node the mean of the previous and
// this node's pu times h, and (bottom - x) pu at the last node. SI, b = 0.5,
// nodes 0..4 m, layer to 5 m; node 1 at the ground line is left:
// pu(1, 2, 3, 4) = 84.6522, 106.4341, 149.3122, 213.5356;
// sum = 0.5 (0 + 84.6522) + 0.5 (84.6522 + 106.4341) + 0.5 (106.4341 + 149.3122)
//     + 0.5 (149.3122 + 213.5356) + 1 * 213.5356 = 660.7019.
TEST_F(Liquefied, RunningSum) {
    pile_in(2, 0.5, 1, 4, 8, {0.0}, 5);
    test::form_layered_state();
    EXPECT_NEAR(PUSUM(1, 1), 660.7019, 1e-4);
}

// A printed curve at 2 m (SI) with the default list: the heading, 1e-6 m,
// then 10^(0.1360057 (i - 1)) mm to 150 mm.
TEST_F(Liquefied, PrintedCurve) {
    pile_in(2, 0.5, 1, 4, 8, {0.0}, 5);
    test::curve_mode(2.0, 3.0);
    Springs s;
    const auto files = test::run_files({ECHOFILE, PLOTFILE}, [&] { EXPECT_EQ(s.run(0.0), 0); });
    const std::vector<std::string>& lines = files.echo;
    const std::vector<std::string> head = {
        "",
        "",
        "       p-y Curve Computed Using Liquefied Sand Criteria",
        "       Depth below ground surface       =        2.000  M",
        "       Diameter                         =      500.000 MM",
        "       Gamma Avg                        =      8.00000  KN/ M**3",
        "       Pu                               =      106.434  KN/ M",
        "       p-multiplier                     =      1.00000",
        "       y-multiplier                     =      1.00000",
        "",
        "         y,  M            p,  KN/ M",
        "       ------------    -------------",
    };
    ASSERT_EQ(lines.size(), head.size() + 17u);
    for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(lines[i], head[i]) << "line " << i;
    // 1 blank, reals of width 14 and 17, the closing blank. Point 1: 1e-6 m,
    // p = 4.260528e-9; point 17: 150 mm, p = min(106.4, 15, ...) = 15.
    EXPECT_EQ(lines[12], "    1.00000E-06      4.26053E-09 ");
    EXPECT_EQ(lines[28], "        0.15000          15.0000 ");
    const std::vector<std::string>& plot = files.plot;
    ASSERT_EQ(plot.size(), 1u + 17u);
    EXPECT_EQ(plot[0], "   2.0000000000000000     ");
}

}  // namespace
}  // namespace zolan
