// Elastic-subgrade p-y curves (code 12): p = k b y, limited to b tmax when
// tmax > 0.
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
// one layer of code 12 from 0 to 48 with subgrade modulus k and maximum
// stress transfer tmax; gamma 0.04 pci.
void pile_in(double k, double tmax) {
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
    for (int j = 1; j <= 5; ++j) NDEPTH(1, j) = NDAXIS(1, j) = (j - 1) * 12.0;
    NLAYPY = 1;
    ISOIL(1) = 12;
    LAYTOP(1) = 0;
    LAYBOT(1) = 48;
    NSCPT = NUWPT = 2;
    SCDEP(1) = UWDEP(1) = 0;
    SCDEP(2) = UWDEP(2) = 48;
    for (int i = 1; i <= 2; ++i) {
        SCK(i) = k;
        SCCOH(i) = tmax;
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

class Elastic : public ::testing::Test {
protected:
    void TearDown() override {
        reset_soil_tables();
        reset_node_tables();
        reset_py_tables();
        PYREQ = PYMODE = 0;
    }
};

// k = 100 pci, b = 10: k b = 1000 lb/in^2; with tmax = 5 psi the limit b tmax = 50
// is reached at tmax / k = 0.05 in.
TEST_F(Elastic, LineAndLimit) {
    struct Case {
        double tmax, Y, p;
    };
    const Case cases[] = {
        {5, 0.02, 20.0},   // 1000 * 0.02
        {5, 0.05, 50.0},   // continuous at tmax / k
        {5, 0.2, 50.0},    // b tmax
        {0, 0.2, 200.0},   // no tmax: the line goes on
        {-1, 0.2, 200.0},
        {0, 1e-15, 1e-12}, // below the zero threshold still on the line
    };
    for (const Case& c : cases) {
        pile_in(100, c.tmax);
        Springs s;
        ASSERT_EQ(s.run(c.Y), 0);
        EXPECT_NEAR(s.p(3), c.p, 1e-9 * c.p) << "tmax " << c.tmax << " Y " << c.Y;
        EXPECT_NEAR(s.es(3), c.p / c.Y, 1e-9 * c.p / c.Y) << "tmax " << c.tmax << " Y " << c.Y;
    }
}

// Multipliers pf = 0.8, yf = 0.5 on p once; at exactly Y = 0 the modulus is
// k b / yf = 2000 (without pf); the running sum stays 0.
TEST_F(Elastic, MultipliersAndZeroDeflection) {
    pile_in(100, 5);
    PFGRP(1) = 0.8;
    YFGRP(1) = 0.5;
    GROUND(1) = -12.0;
    Springs s;
    ASSERT_EQ(s.run(0.02), 0);
    EXPECT_NEAR(s.p(3), 16.0, 1e-12);     // 0.8 * 20
    EXPECT_NEAR(s.es(3), 1600.0, 1e-9);   // 16 / 0.02 / 0.5
    ASSERT_EQ(s.run(0.0), 0);
    EXPECT_NEAR(s.es(3), 2000.0, 1e-9);
    EXPECT_EQ(s.p(3), 0.0);
    EXPECT_EQ(PUSUM(1, 1), 0.0);
}

// A printed curve at 24 in with the default list: 17 points from 0 in steps
// of 1/8 of tmax / k (to twice it), or of 1 % of b / 8 without tmax.
TEST_F(Elastic, PrintedCurve) {
    struct Case {
        double tmax;
        const char* c;  // E10.1 of tmax
        int i;          // a point, then point 17
        const char *yi, *pi, *y17, *p17;
    };
    // Fields of width 20 with 5 digits: 5 - trunc(log10) decimals, one more below 1.
    const Case cases[] = {
        // tmax 4: step 0.04 / 8; point 9 at 0.04 (p 40), point 17 at 0.08 (p 40).
        {4, "   0.4E+01", 9, "0.0400000", "40.0000", "0.0800000", "40.0000"},
        // no tmax: step 0.01 * 10 / 8 = 0.0125; point 5 at 0.05 (p 50), point 17 at 0.2 (p 200).
        {0, "   0.0E+00", 5, "0.0500000", "50.0000", "0.20000", "200.000"},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        ASSERT_TRUE(io::open_unit(ECHOFILE, "echo.txt", {io::Access::Write}));
        ASSERT_TRUE(io::open_unit(PLOTFILE, "plot.txt", {io::Access::Write}));
        pile_in(100, c.tmax);
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
        EXPECT_EQ(lines[1], "          DEPTH BELOW GS     DIAM        C");
        EXPECT_EQ(lines[3], std::string("                2.00         10.000") + c.c);
        // 21 blanks, two reals of width 20, the closing blank.
        const auto pt = [](std::string y, std::string p) {
            return std::string(21, ' ') + std::string(20 - y.size(), ' ') + y + std::string(20 - p.size(), ' ') + p +
                   ' ';
        };
        EXPECT_EQ(lines[5 + c.i], pt(c.yi, c.pi));
        EXPECT_EQ(lines[22], pt(c.y17, c.p17));
        const std::vector<std::string> plot = test::lines_of(test::read_file("plot.txt"));
        EXPECT_EQ(plot.size(), 1u + 17u);
    }
}

}  // namespace
}  // namespace zolan
