// Axial and torsional pile-head response: the curve reading at the head, the
// end rules beyond either end, the pile-warning blocks with their counters,
// and the axial distribution along the pile on request.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/curve_tables.h"
#include "model/pile_rows.h"
#include "model/pile_tables.h"
#include "model/pile_warnings.h"
#include "pile/axial_head.h"
#include "pile/torsion_check.h"
#include "report/run_files.h"
#include "support/axial_model.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

constexpr int ROW = 7;

// The blocks a call left in its row report, as they reach the scratch file.
std::string scratch_of(const RowReport& rep) {
    test::TempDir dir;
    EXPECT_TRUE(io::open_unit(WARNSCR, "warn.txt", {}));
    rep.replay();
    io::close_unit(WARNSCR);
    return test::read_file("warn.txt");
}

// User curve 3 and generated curve 2 with the same points (x, y).
void set_curves(bool torsion, const double (&x)[4], const double (&y)[4]) {
    reset_curve_tables();
    reset_pile_tables();
    reset_pile_warnings();
    (torsion ? TRUNPT(3) : LSUNPT(3)) = 4;
    (torsion ? TRGNPT(2) : LSGNPT(2)) = 4;
    for (int j = 1; j <= 4; ++j) {
        (torsion ? TRUROT(3, j) : LSUDSP(3, j)) = x[j - 1];
        (torsion ? TRUTOR(3, j) : LSULOD(3, j)) = y[j - 1];
        (torsion ? TRGROT(2, j) : LSGDSP(2, j)) = x[j - 1];
        (torsion ? TRGTOR(2, j) : LSGLOD(2, j)) = y[j - 1];
    }
}

enum Count { NONE, BEARING, PULLOUT };

// One head movement on one curve, read by every routine variant.
struct Case {
    const char* what;
    double d;
    double f_ext, f_fail;  // returned with KEXTRP 1 and 0
    Count count;
    // Records 2 and 3 of the block (record 1 is empty); empty strings: no block.
    const char *rec2_ext, *rec2_fail, *rec2_ext_2d, *rec2_fail_2d, *rec3_ext, *rec3_fail;
};

std::string block(const char* rec2, const char* rec3) { return std::string("\n") + rec2 + "\n" + rec3 + "\n"; }

// Load-settlement curve (-0.5, -40) (0, 0) (0.25, 100) (1, 250).
// Inside: d = 0.5 on the last segment: 100 + (150 x 0.25) / 0.75 = 150.
// Beyond the last point (d = 1.5): end X(n) = 1, end load 250.
// Short of the first (d = -0.75): end X(1) = -0.5, end load -40.
TEST(AxialHead, ForceCountersAndBlocksOverTheCurve) {
    const double X[4] = {-0.5, 0.0, 0.25, 1.0}, Y[4] = {-40.0, 0.0, 100.0, 250.0};
    const Case cases[] = {
        {"zero", 0.0, 0.0, 0.0, NONE, "", "", "", "", "", ""},
        {"first point", -0.5, -40.0, -40.0, NONE, "", "", "", "", "", ""},
        {"inside", 0.5, 150.0, 150.0, NONE, "", "", "", "", "", ""},
        {"last point", 1.0, 250.0, 250.0, NONE, "", "", "", "", "", ""},
        {"beyond the last point", 1.5, 250.0, 0.0, BEARING,
         "     ** WARNING **  REACHED MAXIMUM LOAD IN BEARING    PILE GROUP    7",
         "     ** WARNING **  APPARENT FAILURE IN BEARING    ,  PILE GROUP    7",
         "     ** WARNING **  MAXIMUM LOAD REACHED IN BEARING    PILE GROUP    7",
         "     ** WARNING **  APPARENT FAILURE IN BEARING       PILE GROUP    7",
         "                    AX. DISP.=  0.1500E+01 >   0.1000E+01     AX. FORCE=  0.2500E+03",
         "                    AX. DISP.=  0.1500E+01 >   0.1000E+01     AX. FORCE=  0.0000E+00"},
        {"short of the first point", -0.75, -40.0, 0.0, PULLOUT,
         "     ** WARNING **  REACHED MAXIMUM LOAD IN PULLOUT    PILE GROUP    7",
         "     ** WARNING **  APPARENT FAILURE IN PULL OUT      PILE GROUP    7",
         "     ** WARNING **  MAXIMUM LOAD REACHED IN PULLOUT    PILE GROUP    7",
         "     ** WARNING **  APPARENT FAILURE IN PULL OUT      PILE GROUP    7",
         "                    AX. DISP.= -0.7500E+00 >  -0.5000E+00     AX. FORCE= -0.4000E+02",
         "                    AX. DISP.= -0.7500E+00 >  -0.5000E+00     AX. FORCE=  0.0000E+00"},
    };
    for (const Case& c : cases) {
        for (bool plane : {false, true}) {
            for (int kextrp : {1, 0}) {
                for (int kwarn : {1, 0}) {
                    for (int curve : {3, -2}) {
                        SCOPED_TRACE(::testing::Message() << c.what << (plane ? ", plane" : ", 3-D") << ", KEXTRP "
                                                          << kextrp << ", KWARN " << kwarn << ", curve " << curve);
                        set_curves(false, X, Y);
                        ILSCRV(ROW) = curve;
                        AXFAC(ROW) = 2.0;  // applied by the caller, not here
                        const AxControls ctl{kwarn, kextrp, 0};
                        SLOTVEC mov, frc;
                        mov.fill(9.0);
                        frc.fill(9.0);
                        int istat = 0;
                        RowReport rep;
                        const double f = plane ? AXIAL2D(ctl, ROW, c.d, mov, frc, istat, rep)
                                               : AXIAL3(ctl, ROW, c.d, mov, frc, istat, rep);
                        EXPECT_NEAR(f, kextrp == 1 ? c.f_ext : c.f_fail, 1e-12);
                        EXPECT_EQ(NAXWBR + NAXWPO, 0);  // nothing counted before the block is written
                        const std::string file = scratch_of(rep);
                        const bool warned = kwarn == 1 && c.count != NONE;
                        const char* rec2 = kextrp == 1 ? (plane ? c.rec2_ext_2d : c.rec2_ext)
                                                       : (plane ? c.rec2_fail_2d : c.rec2_fail);
                        EXPECT_EQ(file, warned ? block(rec2, kextrp == 1 ? c.rec3_ext : c.rec3_fail) : "");
                        EXPECT_EQ(NAXWBR, warned && c.count == BEARING ? 1 : 0);
                        EXPECT_EQ(NAXWPO, warned && c.count == PULLOUT ? 1 : 0);
                        EXPECT_EQ(NFTORS, 0);
                        for (int i : {1, 4, 5, MAXNOD}) {
                            EXPECT_EQ(mov.slot(i), 0.0);
                            EXPECT_EQ(frc.slot(i), 0.0);
                        }
                        EXPECT_EQ(istat, 0);
                        EXPECT_EQ(rep.kerr, 0);
                    }
                }
            }
        }
    }
}

// Torque-rotation curve (-0.02, -500) (0, 0) (0.01, 200) (0.03, 300), through
// the origin. theta = 0: -500 + (500 x 0.02) / 0.02 = 0; inside 0.02:
// 200 + (100 x 0.01) / 0.02 = 250. Beyond 0.05: end R(n) = 0.03, M(n) = 300;
// short of the first at -0.04: end R(1) = -0.02, M(1) = -500.
TEST(TorsionCheck, MomentCounterAndBlocksOverTheCurve) {
    const double R[4] = {-0.02, 0.0, 0.01, 0.03}, M[4] = {-500.0, 0.0, 200.0, 300.0};
    const Case cases[] = {
        {"zero", 0.0, 0.0, 0.0, NONE, "", "", "", "", "", ""},
        {"first point", -0.02, -500.0, -500.0, NONE, "", "", "", "", "", ""},
        {"inside", 0.02, 250.0, 250.0, NONE, "", "", "", "", "", ""},
        {"last point", 0.03, 300.0, 300.0, NONE, "", "", "", "", "", ""},
        {"beyond the last point", 0.05, 300.0, 0.0, BEARING,
         "     ** WARNING **  MAXIMUM MOMENT REACHED IN TORSION   PILE GROUP    7",
         "     ** WARNING **  APPARENT FAILURE IN TORSION       PILE GROUP    7", "", "",
         "                    ROTATION =  0.5000E-01 >   0.3000E-01     T. MOMENT=  0.3000E+03",
         "                    ROTATION =  0.5000E-01 >   0.3000E-01     T. MOMENT=  0.0000E+00"},
        {"short of the first point", -0.04, -500.0, 0.0, PULLOUT,
         "     ** WARNING **  MAXIMUM MOMENT REACHED IN TORSION   PILE GROUP    7",
         "     ** WARNING **  APPARENT FAILURE IN TORSION       PILE GROUP    7", "", "",
         "                    ROTATION = -0.4000E-01 >  -0.2000E-01     T. MOMENT= -0.5000E+03",
         "                    ROTATION = -0.4000E-01 >  -0.2000E-01     T. MOMENT=  0.0000E+00"},
    };
    for (const Case& c : cases) {
        for (int kextrp : {1, 0}) {
            for (int kwarn : {1, 0}) {
                for (int curve : {3, -2}) {
                    SCOPED_TRACE(::testing::Message()
                                 << c.what << ", KEXTRP " << kextrp << ", KWARN " << kwarn << ", curve " << curve);
                    set_curves(true, R, M);
                    ITRCRV(ROW) = curve;
                    RowReport rep;
                    const double m = TORCHK({kwarn, kextrp, 1}, ROW, c.d, rep);
                    EXPECT_NEAR(m, kextrp == 1 ? c.f_ext : c.f_fail, 1e-12);
                    const std::string file = scratch_of(rep);
                    const bool warned = kwarn == 1 && c.count != NONE;
                    EXPECT_EQ(file, warned ? block(kextrp == 1 ? c.rec2_ext : c.rec2_fail,
                                                   kextrp == 1 ? c.rec3_ext : c.rec3_fail)
                                           : "");
                    EXPECT_EQ(NFTORS, warned ? 1 : 0);
                    EXPECT_EQ(NAXWBR + NAXWPO, 0);
                }
            }
        }
    }
}

// Curves the input never builds still read without a fault: one point is a
// constant, a segment of no length gives its later point, no point gives 0.
TEST(AxialHead, DegenerateCurves) {
    struct Shape {
        const char* what;
        int n;
        double x[3], y[3];
        double d, force;
    };
    const Shape shapes[] = {
        {"one point, beyond it", 1, {1, 0, 0}, {5, 0, 0}, 3.0, 5.0},
        {"one point, short of it", 1, {1, 0, 0}, {5, 0, 0}, -3.0, 5.0},
        {"first segment of no length", 3, {1, 1, 2}, {5, 7, 9}, 1.0, 7.0},
        {"no point", 0, {0, 0, 0}, {0, 0, 0}, 1.0, 0.0},
    };
    for (const Shape& s : shapes) {
        SCOPED_TRACE(s.what);
        reset_curve_tables();
        reset_pile_warnings();
        LSUNPT(1) = TRUNPT(1) = s.n;
        for (int j = 1; j <= 3; ++j) {
            LSUDSP(1, j) = TRUROT(1, j) = s.x[j - 1];
            LSULOD(1, j) = TRUTOR(1, j) = s.y[j - 1];
        }
        ILSCRV(ROW) = ITRCRV(ROW) = 1;
        const AxControls ctl{1, 0, 0};
        SLOTVEC mov, frc;
        int istat = 0;
        RowReport rep;
        EXPECT_EQ(AXIAL3(ctl, ROW, s.d, mov, frc, istat, rep), s.force);
        EXPECT_EQ(TORCHK(ctl, ROW, s.d, rep), s.force);
        EXPECT_TRUE(rep.empty());
    }
}

// The distribution on request (KAXVAR 1), on the hand-worked row of
// support/axial_model.h: with no side load the force is the tip load at every
// node. Head movement 0.11: tip 0.04, Q = 70, movements 0.04, 0.075, 0.11.
// Beyond the curve with KEXTRP 1 the distribution still runs for the head
// movement 5 (past the load-settlement table: its end, Q = 1460) and its head
// value replaces the curve's end load; the block keeps the end load.
TEST(AxialHead, DistributionAlongThePile) {
    struct Case {
        const char* what;
        int curve, kextrp;
        double d;
        double force;                  // returned (before AXFAC)
        double node_force;             // at every node, unscaled (0: none)
        double whead, wmid, wtip;      // movements
        const char* rec3;              // record 3 of the block, "" none
    };
    const Case cases[] = {
        {"generated curve, inside", -1, 0, 0.11, 70.0, 70.0, 0.11, 0.075, 0.04, ""},
        {"user curve: no distribution", 1, 0, 0.11, 1.1, 0.0, 0.0, 0.0, 0.0, ""},
        {"zero movement", -1, 1, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, ""},
        {"beyond, end load held", -1, 1, 5.0, 1460.0, 1460.0, 3.46, 2.73, 2.0,
         "                    AX. DISP.=  0.5000E+01 >   0.1000E+01     AX. FORCE=  0.1000E+02"},
        {"beyond, failure: no distribution", -1, 0, 5.0, 0.0, 0.0, 0.0, 0.0, 0.0,
         "                    AX. DISP.=  0.5000E+01 >   0.1000E+01     AX. FORCE=  0.0000E+00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(test::set_axial_model_with_table(), 0);
        // Head curves (-1, -10) (1, 10) as user curve 1 and generated curve 1:
        // 0.11 reads 1.1.
        LSUNPT(1) = LSGNPT(1) = 2;
        LSUDSP(1, 1) = LSGDSP(1, 1) = -1.0;
        LSUDSP(1, 2) = LSGDSP(1, 2) = 1.0;
        LSULOD(1, 1) = LSGLOD(1, 1) = -10.0;
        LSULOD(1, 2) = LSGLOD(1, 2) = 10.0;
        ILSCRV(1) = c.curve;
        AXFAC(1) = 2.0;
        reset_pile_warnings();
        SLOTVEC mov, frc;
        int istat = 0;
        RowReport rep;
        const double f = AXIAL3({1, c.kextrp, 1}, 1, c.d, mov, frc, istat, rep);
        EXPECT_NEAR(f, c.force, 1e-5 * std::abs(c.force));
        for (int slot : {4, 5, 6}) EXPECT_NEAR(frc.slot(slot), 2.0 * c.node_force, 2e-5 * c.node_force);
        EXPECT_NEAR(mov.slot(4), c.whead, 1e-6);
        EXPECT_NEAR(mov.slot(5), c.wmid, 1e-6);
        EXPECT_NEAR(mov.slot(6), c.wtip, 1e-6);
        EXPECT_EQ(mov.slot(7), 0.0);
        EXPECT_EQ(istat, 0);
        const std::string file = scratch_of(rep);
        const char* rec2 = c.kextrp == 1 ? "     ** WARNING **  REACHED MAXIMUM LOAD IN BEARING    PILE GROUP    1"
                                         : "     ** WARNING **  APPARENT FAILURE IN BEARING    ,  PILE GROUP    1";
        EXPECT_EQ(file, *c.rec3 ? block(rec2, c.rec3) : "");
        EXPECT_EQ(NAXWBR, *c.rec3 ? 1 : 0);
    }
    reset_curve_tables();
    reset_pile_tables();
}

// 500 rows raising axial and torsion warnings inside the pile-row loop: the
// counters equal the blocks on the scratch file, the blocks stand in row
// order, and the file is the same on 8 threads as on 1.
TEST(AxialHead, WarningsOfManyRowsInRowOrderOnAnyThreadCount) {
    constexpr int ROWS = 500;
    struct Run {
        std::string file;
        int bearing = 0, pullout = 0, torsion = 0;
    };
    auto run = [](int nthreads) {
        // Curve (-1, -10) (1, 10) for both; row r: bearing beyond when r % 3 == 0,
        // pull-out when r % 3 == 1, inside otherwise; torsion beyond on even rows.
        reset_curve_tables();
        reset_pile_tables();
        reset_pile_warnings();
        LSUNPT(1) = TRUNPT(1) = 2;
        LSUDSP(1, 1) = TRUROT(1, 1) = -1.0;
        LSUDSP(1, 2) = TRUROT(1, 2) = 1.0;
        LSULOD(1, 1) = TRUTOR(1, 1) = -10.0;
        LSULOD(1, 2) = TRUTOR(1, 2) = 10.0;
        for (int r = 1; r <= ROWS; ++r) ILSCRV(r) = ITRCRV(r) = 1;
        test::TempDir dir;
        EXPECT_TRUE(io::open_unit(WARNSCR, "warn.txt", {}));
        const AxControls ctl{1, 1, 0};
        int istat = 0, kerr = 0;
        for_pile_rows(1, ROWS, nthreads, istat, kerr, [&ctl](int r, RowReport& rep) {
            const double d = r % 3 == 0 ? 1.0 + r / 100.0 : r % 3 == 1 ? -1.0 - r / 100.0 : 0.5;
            SLOTVEC mov, frc;
            AXIAL3(ctl, r, d, mov, frc, rep.istat, rep);
            TORCHK(ctl, r, r % 2 == 0 ? 2.0 + r / 100.0 : 0.0, rep);
            EXPECT_EQ(NAXWBR + NAXWPO + NFTORS, 0);  // nothing counted inside the loop
        });
        io::close_unit(WARNSCR);
        EXPECT_EQ(istat, 0);
        Run out{test::read_file("warn.txt"), NAXWBR, NAXWPO, NFTORS};
        return out;
    };
    const Run one = run(1);
    // Up to 500: r % 3 == 0 for 3 .. 498 (166 rows), r % 3 == 1 for 1 .. 499 (167), 250 even rows.
    EXPECT_EQ(one.bearing, 166);
    EXPECT_EQ(one.pullout, 167);
    EXPECT_EQ(one.torsion, 250);
    const std::vector<std::string> lines = test::lines_of(one.file);
    const int blocks = one.bearing + one.pullout + one.torsion;
    ASSERT_EQ(static_cast<int>(lines.size()), 3 * blocks);
    int last = 0;
    for (int b = 0; b < blocks; ++b) {
        EXPECT_EQ(lines[3 * b], "");
        const std::string& rec2 = lines[3 * b + 1];
        ASSERT_GE(rec2.size(), 5u);
        const int row = std::stoi(rec2.substr(rec2.size() - 5));
        EXPECT_GE(row, last) << "block " << b;
        last = row;
    }
    const Run eight = run(8);
    EXPECT_TRUE(eight.file == one.file) << "the scratch file differs on 8 threads";
    EXPECT_EQ(eight.bearing, one.bearing);
    EXPECT_EQ(eight.pullout, one.pullout);
    EXPECT_EQ(eight.torsion, one.torsion);
    reset_curve_tables();
    reset_pile_tables();
    reset_pile_warnings();
}

}  // namespace
}  // namespace zolan
