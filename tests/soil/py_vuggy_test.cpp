// Vuggy-limestone p-y curves (code 6): K1 = 2000 s to y1 = 0.0004 b, slope
// K2 = 100 s to s b at y2 = 0.0024 b, the residual 3.38 b gamma beyond.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "group/group_services.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/py_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "soil/py_curves.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// Pile row 1, b = 10 in, head at the ground line, nodes every 12 in to 48;
// one layer of code 6 from 0 to 48, compressive strength qu (s = qu / 2),
// gamma 0.04 pci.
void pile_in(double qu) {
    reset_input_tables();
    reset_pile_tables();
    reset_section_tables();
    reset_soil_tables();
    reset_node_tables();
    reset_py_tables();
    reset_group_services_state();
    TOLZ = 1.0e-14;
    TOLDEP = 1.0e-6;
    NUNITS = 1;
    UNITLB(1);
    PYMODE = PYREQ = 0;
    NPILES = 1;
    IPROP(1) = 1;
    PFGRP(1) = YFGRP(1) = 1.0;
    NINCR(1) = 4;
    PLENP(1) = 48;
    HINCR(1) = 12;
    NSECP(1) = 1;
    SECTAB(1, 1, SEC_DBOT) = 48;
    SECTAB(1, 1, SEC_TOP + SP_DIA) = SECTAB(1, 1, SEC_BOT + SP_DIA) = 10;
    for (int k = 1; k <= 5; ++k) NDEPTH(1, k) = NDAXIS(1, k) = (k - 1) * 12.0;
    NLAYPY = 1;
    ISOIL(1) = 6;
    LAYTOP(1) = 0;
    LAYBOT(1) = 48;
    NSCPT = NUWPT = 2;
    SCDEP(1) = UWDEP(1) = 0;
    SCDEP(2) = UWDEP(2) = 48;
    for (int i = 1; i <= 2; ++i) {
        SCCOH(i) = qu;
        SCGAM(i) = 0.04;
    }
    LAYNF(1, 1) = 1;
    LAYNL(1, 1) = 5;
}

struct Springs {
    NODVEC y, es, smy, smz, esm, p;
    int run(double Y) {
        y.fill(-Y);
        int istat = 0;
        PYCURV(1, istat, 1, 1, y, es, smy, smz, esm, p);
        return istat;
    }
};

class Vuggy : public ::testing::Test {
protected:
    void TearDown() override {
        reset_soil_tables();
        reset_node_tables();
        reset_py_tables();
        PYREQ = PYMODE = 0;
    }
};

// qu = 200 psi, s = 100: K1 = 2e5, y1 = 0.004, p1 = 800 = 0.8 s b; K2 = 1e4,
// y2 = 0.004 + (1000 - 800) / 1e4 = 0.024 = 0.0024 b; residual 3.38 * 10 * 0.04 = 1.352.
TEST_F(Vuggy, CurveAgainstThePublishedCriterion) {
    struct Case {
        double Y, p;
    };
    const Case cases[] = {
        {0.002, 400.0},    // K1 y
        {0.004, 800.0},    // y1: 800 on both lines
        {0.014, 900.0},    // 800 + 1e4 * 0.01
        {0.0239, 999.0},   // 800 + 1e4 * 0.0199
        {0.024, 1000.0},   // y2 = y1 + 200 / 1e4 is 0.0240000019 with y1 = 0.0004f * 10: s b
        {0.02401, 1.352},  // beyond y2: the residual
        {1.0, 1.352},
    };
    pile_in(200);
    for (const Case& c : cases) {
        Springs s;
        ASSERT_EQ(s.run(c.Y), 0);
        EXPECT_NEAR(s.p(3), c.p, 1e-5 * c.p) << "Y " << c.Y;
        EXPECT_NEAR(s.es(3), c.p / c.Y, 1e-5 * c.p / c.Y) << "Y " << c.Y;
    }
    // 0.004 - 1e-9 on the first line and 0.004 on the second agree (continuity at y1).
    Springs a, b;
    ASSERT_EQ(a.run(0.004 - 1e-9), 0);
    ASSERT_EQ(b.run(0.004), 0);
    EXPECT_NEAR(a.p(3), b.p(3), 1e-3);
}

// Group multipliers pf = 0.8, yf = 0.5 on p once; at Y = 0 the modulus is
// K1 / yf (without pf); nothing enters the running sum, not even soil above the head.
TEST_F(Vuggy, MultipliersLimitModulusAndSum) {
    pile_in(200);
    PFGRP(1) = 0.8;
    YFGRP(1) = 0.5;
    GROUND(1) = -12.0;
    Springs s;
    ASSERT_EQ(s.run(0.002), 0);
    EXPECT_NEAR(s.p(3), 320.0, 1e-6);          // 0.8 * 400
    EXPECT_NEAR(s.es(3), 320000.0, 1e-3);      // 320 / 0.002 / 0.5
    ASSERT_EQ(s.run(0.0), 0);
    EXPECT_NEAR(s.es(3), 400000.0, 1e-3);      // 2e5 / 0.5
    EXPECT_EQ(s.p(3), 0.0);
    EXPECT_EQ(PUSUM(1, 1), 0.0);
}

// No strength: no resistance anywhere and one warning block per layer and call.
TEST_F(Vuggy, NoStrengthGivesNoResistance) {
    test::TempDir dir;
    ASSERT_TRUE(io::open_unit(ECHOFILE, "echo.txt", {io::Access::Write}));
    pile_in(0.0);
    Springs s;
    for (double Y : {0.0, 0.01, 1.0}) {
        ASSERT_EQ(s.run(Y), 0);
        for (int k = 2; k <= 5; ++k) {
            EXPECT_EQ(s.p(k), 0.0) << "Y " << Y << " node " << k;
            EXPECT_EQ(s.es(k), 0.0) << "Y " << Y << " node " << k;
        }
    }
    io::close_unit(ECHOFILE);
    const std::vector<std::string> block = {
        "",
        "                             **** WARNING ****",
        "     THE COMPRESSIVE STRENGTH OF VUGGY LIMESTONE IS 0 IN LAYER  1",
        "     ACCORDING TO THE INPUT DATA.  THE LAYER GIVES NO RESISTANCE.",
    };
    std::vector<std::string> three;
    for (int call = 0; call < 3; ++call) three.insert(three.end(), block.begin(), block.end());
    EXPECT_EQ(test::lines_of(test::read_file("echo.txt")), three);
}

// A printed curve at 24 in with the default list: 17 points in steps of
// y2 / 15 = 0.0016, the 16th at y2 (residual), the 17th beyond.
TEST_F(Vuggy, PrintedCurve) {
    test::TempDir dir;
    ASSERT_TRUE(io::open_unit(ECHOFILE, "echo.txt", {io::Access::Write}));
    ASSERT_TRUE(io::open_unit(PLOTFILE, "plot.txt", {io::Access::Write}));
    pile_in(200);
    PYREQ = PYMODE = 1;
    PLOTFLG = 0;
    PYNPT = 0;
    NDEPTH(PYSCRATCH, 1) = NDAXIS(PYSCRATCH, 1) = 24.0;
    NDEPTH(PYSCRATCH, 2) = 36.0;
    LAYNF(1, PYSCRATCH) = LAYNL(1, PYSCRATCH) = 1;
    Springs s;
    EXPECT_EQ(s.run(0.0), 0);
    io::close_unit(ECHOFILE);
    io::close_unit(PLOTFILE);
    const std::vector<std::string> lines = test::lines_of(test::read_file("echo.txt"));
    ASSERT_EQ(lines.size(), 6u + 17u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "          DEPTH BELOW GS     DIAM        C");
    EXPECT_EQ(lines[2], "                FT            IN     LBS/IN**2");
    // z = 2 ft, b = 10 in, s = 100 psi (E10.1).
    EXPECT_EQ(lines[3], "                2.00         10.000   0.1E+03");
    EXPECT_EQ(lines[4], "                                      Y                   P");
    EXPECT_EQ(lines[5], "                                      IN               LBS/IN");
    // 21 blanks, two reals of width 20 with 5 digits (exponent form at or below
    // 0.01, else fixed with 5 - trunc(log10) decimals, one more below 1), and
    // the blank that ends every row of fields.
    // Point 2: y = 0.0016, p = K1 y = 320; point 15: 0.0224, 800 + 1e4 * 0.0184 = 984;
    // point 16: y2, 1.352; point 17: 0.0256, 1.352.
    const auto pt = [](std::string y, std::string p) {
        return std::string(21, ' ') + std::string(20 - y.size(), ' ') + y + std::string(20 - p.size(), ' ') + p + ' ';
    };
    EXPECT_EQ(lines[6], pt("0.00000", "0.00000"));
    EXPECT_EQ(lines[7], pt("1.60000E-03", "320.000"));
    EXPECT_EQ(lines[20], pt("0.0224000", "984.000"));
    EXPECT_EQ(lines[21], pt("0.0240000", "1.35200"));
    EXPECT_EQ(lines[22], pt("0.0256000", "1.35200"));
    const std::vector<std::string> plot = test::lines_of(test::read_file("plot.txt"));
    ASSERT_EQ(plot.size(), 1u + 17u);
    EXPECT_EQ(plot[0], "   24.000000000000000     ");
    // 1P, 1X, 2(G15.8, 2X): y = y2 / 15 = 0.0016000001280 in E form, p = 2e5 y =
    // 320.0000256 as F11.5 and four blanks; the closing 2X writes nothing.
    EXPECT_EQ(plot[2], "  1.60000013E-03    320.00003    ");
}

}  // namespace
}  // namespace zolan
