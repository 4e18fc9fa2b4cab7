// Load-settlement curve by the t-z method: a rigid pile (head load = shaft
// resistance + tip load at the tip movement), a compressible pile (the head
// moves more than the tip by the elastic shortening), the layout of the
// load-settlement table, and the exact report blocks of a one-increment pile.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "model/curve_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "pile/load_settlement.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "support/soil_profile.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// One layer 0..1200 with constant properties; friction angle in radians.
struct Soil { int code; double gam, coh, phi, fmax, qmax, e50; };

void set_soil(const Soil& s) {
    reset_soil_tables();
    test::soil_layer(1, s.code, 0.0, 1200.0);
    test::layer_value(SCGAM, 1, s.gam);
    test::layer_value(SCCOH, 1, s.coh);
    test::layer_value(SCPHI, 1, s.phi);
    test::layer_value(SCFMAX, 1, s.fmax);
    test::layer_value(SCQMAX, 1, s.qmax);
    test::layer_value(SCE50, 1, s.e50);
}

// Row 1, property set 1: one section of diameter D, area A and modulus E; head at the ground.
void set_pile(int ptype, double L, int nincr, double D, double A, double E) {
    reset_pile_tables();
    reset_section_tables();
    IPROP(1) = 1;
    PLENP(1) = L;
    NINCR(1) = nincr;
    PTYPED(1) = ptype;
    NSECP(1) = 1;
    SECTAB(1, 1, SEC_DBOT) = L;
    SECTAB(1, 1, SEC_TOP + SP_DIA) = SECTAB(1, 1, SEC_BOT + SP_DIA) = D;
    SECTAB(1, 1, SEC_TOP + SP_ARE) = SECTAB(1, 1, SEC_BOT + SP_ARE) = A;
    EMODS(1, 1, 1) = EMODS(1, 1, 2) = E;
}

class LoadSettlement : public ::testing::Test {
protected:
    void SetUp() override {
        saved_units_ = NUNITS;
        NUNITS = 1;
        TOLDEP = 1.0e-6;
        KBATAD = 0;
        UNITLB(1);
        reset_curve_tables();
        for (int u : {CRVRPT, AXLDRPT, RESFILE, RUNFILE})
            ASSERT_TRUE(io::open_unit(u, "unit" + std::to_string(u) + ".txt", {}));
    }
    void TearDown() override {
        for (int u : {CRVRPT, AXLDRPT, RESFILE, RUNFILE}) io::close_unit(u);
        NUNITS = saved_units_;
        reset_unit_labels();
        reset_curve_tables();
        reset_soil_tables();
        reset_pile_tables();
        reset_section_tables();
    }
    std::vector<std::string> lines(int unit) {
        io::close_unit(unit);
        return test::lines_of(test::read_file("unit" + std::to_string(unit) + ".txt"));
    }
    test::TempDir dir_;
    int saved_units_ = 1;
};

// Driven pile in clay: input fmax = 1 psi, c = 10 psi, e50 = 0.01; length 600,
// six increments, D = 12, tip area 100. Side area 3.1416 x 12 x 600 = 22619.52 in^2
// and t = f(w) x 1 psi on the whole shaft (the curves of samples 3 and 4 are equal).
// Tip (compression): Qtip = 9 x 10 x 100 = 9000, wm = 8 x 12 x 0.01 = 0.96,
// kc = 4500 / sqrt(0.24); Q(w) = 3181.9805 w / 0.12 below w = 0.12.
// Uplift tip: Qtip = 9 x 10 x 1e-4 = 0.009 and the same shape.
TEST_F(LoadSettlement, RigidPileAndTheTableLayout) {
    set_soil({1, 0.04, 10.0, 0.0, 1.0, 0.0, 0.01});
    set_pile(1, 600.0, 6, 12.0, 100.0, 1.0e18);  // AE = 1e20: no shortening to 1e-12
    struct Case { int k; double wt, side, tip; };
    const Case cases[] = {
        // WT = 0.0001: f = 0.18 x 0.0001 / 0.01 = 0.0018 -> 40.71514; tip 3181.9805 x 0.0001 / 0.12 = 2.651650
        {1, 0.0001, 40.71514, 2.651650},
        // WT = 0.01: f = 0.18 -> 4071.514; tip 265.1650
        {4, 0.01, 4071.514, 265.1650},
        // WT = 0.1: f = 1 + (0.97 - 1) x 0.5 = 0.985 -> 22280.23; tip 2651.650
        {6, 0.1, 22280.23, 2651.650},
        // WT = 2.0 (wc = 0.6 is smaller): f = 0.93 -> 21036.15; tip beyond wm: 9000
        {9, 2.0, 21036.15, 9000.0},
    };
    AXPTS up_loads, up_movs, loads, movs;
    int st = 0, n = 0;
    LSCRV(1, 1, 1, 1, st, n, up_loads, up_movs);
    ASSERT_EQ(st, 0);
    ASSERT_EQ(n, 9);
    n = 0;
    LSCRV(1, 2, 1, 1, st, n, loads, movs);
    ASSERT_EQ(st, 0);
    ASSERT_EQ(n, 9);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.k);
        EXPECT_NEAR(loads(c.k), c.side + c.tip, 1e-6 * (c.side + c.tip));
        EXPECT_NEAR(movs(c.k), c.wt, 1e-6 * c.wt);
        // uplift: the same shaft, a tip load 1e-6 of the compression one (area 1e-4 against 100)
        EXPECT_NEAR(up_loads(c.k), c.side + 1e-6 * c.tip, 1e-6 * c.side);
        EXPECT_NEAR(up_movs(c.k), c.wt, 1e-6 * c.wt);
        // points 1-9 the uplift branch negated in reverse order, 11-19 compression
        EXPECT_EQ(LSTAB(1, 10 - c.k, 1), -up_movs(c.k));
        EXPECT_EQ(LSTAB(1, 10 - c.k, 2), -up_loads(c.k));
        EXPECT_NEAR(LSTAB(1, 10 - c.k, 3), -c.wt, 1e-6 * c.wt);
        EXPECT_NEAR(LSTAB(1, 10 - c.k, 4), -1e-6 * c.tip, 1e-6 * 1e-6 * c.tip);
        EXPECT_EQ(LSTAB(1, 10 + c.k, 1), movs(c.k));
        EXPECT_EQ(LSTAB(1, 10 + c.k, 2), loads(c.k));
        EXPECT_NEAR(LSTAB(1, 10 + c.k, 3), c.wt, 1e-6 * c.wt);
        EXPECT_NEAR(LSTAB(1, 10 + c.k, 4), c.tip, 1e-6 * c.tip);
    }
    for (int m = 1; m <= 4; ++m) EXPECT_EQ(LSTAB(1, 10, m), 0.0);
    for (int j = 2; j <= 19; ++j) EXPECT_GT(LSTAB(1, j, 1), LSTAB(1, j - 1, 1)) << "point " << j;
    EXPECT_TRUE(lines(RESFILE).empty());  // no warning
}

// Compressible pile, same soil, AE = 100 x 1e6 = 1e8. At WT = 2 the side
// resistance is saturated (t = 0.93 psi for every movement >= 0.5), so the
// force grows linearly up the shaft from 9000 to 30036.15 and the shortening is
// (9000 + 21036.15 / 2) x 600 / 1e8 = 0.1171085 with any number of increments.
TEST_F(LoadSettlement, CompressiblePileShortens) {
    set_soil({1, 0.04, 10.0, 0.0, 1.0, 0.0, 0.01});
    for (int nincr : {1, 6, 100}) {
        SCOPED_TRACE(nincr);
        set_pile(1, 600.0, nincr, 12.0, 100.0, 1.0e6);
        AXPTS loads, movs;
        int st = 0, n = 0;
        LSCRV(1, 2, 1, 1, st, n, loads, movs);
        ASSERT_EQ(st, 0);
        EXPECT_NEAR(loads(9), 30036.15, 1e-6 * 30036.15);
        EXPECT_NEAR(movs(9), 2.1171085, 1e-6);
        EXPECT_NEAR(LSTAB(1, 19, 3), 2.0, 1e-12);  // the tip moved 2.0
    }
}

// Report blocks of a one-increment pile without side resistance: a drilled
// shaft of length 100 in elastic subgrade (code 12, no input fmax: every
// sample beyond the first two has fmax 0), D = 20, rigid (AE = 1e30), input
// tip resistance 10 psi on 100 in^2: Qtip = 1000 (uplift 10 x 1e-4 = 0.001).
// Drilled, cohesionless class: W = r x 20 = 0, 0.1, 0.2, 0.3, 0.5, 0.6, 0.8,
// 1.0, 1.4, 2.0 and Q = f x 1000 = 0, 175, 345, 485, 650, 730, 880, 1015, 1195, 1460.
// Tip loads at the assumed tip movements (head = tip on a rigid pile with no
// side load): 1750 WT up to 0.1, then 650 at 0.5, 1015 at 1.0, 1460 at 2.0.
TEST_F(LoadSettlement, ReportBlocksOfAOneIncrementPile) {
    set_soil({12, 0.04, 0.0, 0.5, 0.0, 10.0, 0.0});
    set_pile(2, 100.0, 1, 20.0, 100.0, 1.0e28);
    AXPTS loads, movs;
    int st = 0, n = 0;
    LSCRV(1, 1, 3, 1, st, n, loads, movs);
    ASSERT_EQ(st, 0);
    LSCRV(1, 2, 3, 1, st, n, loads, movs);
    ASSERT_EQ(st, 0);

    // E15.7 fields of the nine points: tip movements, compression tip loads, uplift tip loads.
    const char* WT[9] = {"  0.1000000E-03", "  0.1000000E-02", "  0.5000000E-02", "  0.1000000E-01", "  0.5000000E-01",
                         "  0.1000000E+00", "  0.5000000E+00", "  0.1000000E+01", "  0.2000000E+01"};
    const char* QC[9] = {"  0.1750000E+00", "  0.1750000E+01", "  0.8750000E+01", "  0.1750000E+02", "  0.8750000E+02",
                         "  0.1750000E+03", "  0.6500000E+03", "  0.1015000E+04", "  0.1460000E+04"};
    const char* QU[9] = {"  0.1750000E-06", "  0.1750000E-05", "  0.8750000E-05", "  0.1750000E-04", "  0.8750000E-04",
                         "  0.1750000E-03", "  0.6500000E-03", "  0.1015000E-02", "  0.1460000E-02"};
    auto neg = [](const char* f) { return std::string(" -") + (f + 2); };

    // Axial-load file: block 3 (uplift), then per tip movement block 4 with the
    // tip row (node 1, s = 100) and the head row (node 2, s = 0); uplift negated.
    std::vector<std::string> ax = {"", "     T-Z CURVES, PILE PROPERTY:    3", "",
                                   "            9           1           9           1  100.00000000000000     "};
    const std::string cols = "       N    DEPTH      AXIAL LOAD           MOVEMENT";
    const std::string units = "              IN            LBS                 IN";
    for (int up = 1; up >= 0; --up) {
        for (int k = 0; k < 9; ++k) {
            const std::string P = up ? neg(QU[k]) : QC[k], w = up ? neg(WT[k]) : WT[k];
            ax.insert(ax.end(), {"", cols, units, "       1   100.000  " + P + "     " + w,
                                 "       2     0.000  " + P + "     " + w});
        }
    }
    EXPECT_EQ(lines(AXLDRPT), ax);

    // Curve report: block 1 (uplift) with five samples at 0, 0, 0.1, 600.05, 1199.9 in
    // (depths printed in feet) of ten points each, block 5 (uplift, negated),
    // block 2 (compression), block 5 (compression).
    const std::vector<std::string> crv = lines(CRVRPT);
    // 6 + 5 x 11 (block 1), 14 (block 5), 15 (block 2), 14 (block 5)
    ASSERT_EQ(crv.size(), 6u + 5u * 11u + 14u + 15u + 14u);
    const std::vector<std::string> head = {
        "", "", "     T-Z CURVES, PILE PROPERTY:  3", "",
        "          CURVE   N. POINTS     DEPTH           T Value         Z Value",
        "                                ( IN)           ( PSI )          ( IN)",
        // sample 1: depth 0, fmax 1e-6, drilled cohesive curve: t = f x 1e-6, z = r x 20
        "            1         10      0.0000E+00",
        "                                               0.0000E+00      0.0000E+00",
        "                                               0.5100E-06      0.2000E-01",
        "                                               0.7200E-06      0.4000E-01",
        "                                               0.9000E-06      0.6000E-01",
        "                                               0.9250E-06      0.1000E+00",
        "                                               0.9450E-06      0.1200E+00",
        "                                               0.9550E-06      0.1600E+00",
        "                                               0.9250E-06      0.2400E+00",
        "                                               0.9000E-06      0.3200E+00",
        "                                               0.8350E-06      0.2000E+01",
    };
    for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(crv[i], head[i]) << "line " << i + 1;
    // sample 4 at 600.05 in = 50.004 ft, fmax 0: a zero curve
    EXPECT_EQ(crv[6 + 33], "            4         10      0.5000E+02");
    EXPECT_EQ(crv[6 + 33 + 10], "                                               0.0000E+00      0.2000E+01");

    const std::string lshead = "        TOP  LOAD     TOP MOVEMENT     TIP MOVEMENT     TIP  LOAD";
    const std::string lsunits = "           LBS              IN               IN            LBS";
    std::vector<std::string> tail = {"", "", "", lshead, lsunits};
    for (int k = 0; k < 9; ++k)
        tail.push_back("     " + neg(QU[k]) + neg(WT[k]) + neg(WT[k]) + neg(QU[k]));
    tail.insert(tail.end(), {"", "     Q-W CURVE, PILE PROPERTY:  3", "", "         Q Value            W Value",
                             "          (LBS)              ( IN)",
                             "        0.0000E+00         0.0000E+00", "        0.1750E+03         0.1000E+00",
                             "        0.3450E+03         0.2000E+00", "        0.4850E+03         0.3000E+00",
                             "        0.6500E+03         0.5000E+00", "        0.7300E+03         0.6000E+00",
                             "        0.8800E+03         0.8000E+00", "        0.1015E+04         0.1000E+01",
                             "        0.1195E+04         0.1400E+01", "        0.1460E+04         0.2000E+01",
                             "", "", "", lshead, lsunits});
    for (int k = 0; k < 9; ++k) tail.push_back(std::string("     ") + QC[k] + WT[k] + WT[k] + QC[k]);
    const std::vector<std::string> got(crv.end() - static_cast<long>(tail.size()), crv.end());
    EXPECT_EQ(got, tail);
}

// Status from the tip stage: a driven pile on a clay tip without cohesion stops
// the curve (33) after the t-z block; no table is written and n is not set.
TEST_F(LoadSettlement, TipStopLeavesTheTableUnset) {
    set_soil({1, 0.04, 0.0, 0.0, 1.0, 0.0, 0.01});
    set_pile(1, 600.0, 2, 12.0, 100.0, 1.0e6);
    AXPTS loads, movs;
    int st = 0, n = -1;
    LSCRV(1, 2, 1, 1, st, n, loads, movs);
    EXPECT_EQ(st, 33);
    EXPECT_EQ(n, -1);
    for (int j = 1; j <= 19; ++j) EXPECT_EQ(LSTAB(1, j, 1), 0.0);
    EXPECT_TRUE(lines(AXLDRPT).empty());
}

// A section without axial rigidity: finite values, no force passed up through
// it, and one warning line on the results report. Two increments, the upper
// one with AE = 0 (section 1, 0..300) and the lower one with AE = 1e20.
TEST_F(LoadSettlement, ZeroRigidityPassesNoForce) {
    set_soil({1, 0.04, 10.0, 0.0, 1.0, 0.0, 0.01});
    set_pile(1, 600.0, 2, 12.0, 100.0, 1.0e18);
    NSECP(1) = 2;
    SECTAB(1, 1, SEC_DBOT) = 300.0;
    EMODS(1, 1, 1) = EMODS(1, 1, 2) = 0.0;
    SECTAB(1, 2, SEC_DTOP) = 300.0;
    SECTAB(1, 2, SEC_DBOT) = 600.0;
    SECTAB(1, 2, SEC_BOT + SP_ARE) = SECTAB(1, 2, SEC_TOP + SP_ARE) = 100.0;
    EMODS(1, 2, 1) = EMODS(1, 2, 2) = 1.0e18;
    AXPTS loads, movs;
    int st = 0, n = 0;
    LSCRV(1, 2, 1, 1, st, n, loads, movs);
    ASSERT_EQ(st, 0);
    for (int k = 1; k <= 9; ++k) {
        EXPECT_EQ(loads(k), 0.0);        // nothing reaches the head through the upper increment
        EXPECT_NEAR(movs(k), LSTAB(1, 10 + k, 3), 1e-9);  // and it does not shorten
    }
    EXPECT_EQ(lines(RESFILE),
              std::vector<std::string>{
                  "        ** WARNING ** PILE ROW     1: A SECTION WITHOUT AXIAL RIGIDITY CARRIES NO AXIAL FORCE"});
}

}  // namespace
}  // namespace zolan
