#include <gtest/gtest.h>

#include "control/control.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"

namespace zolan {
namespace {

// One value of every kind that the conversion touches, in a small model:
// a cap, a load case with a point load and a point of definition, a
// distributed-load set, a pile row, a property set, a cross section, two
// layers (one of weak rock), and the optional depth tables.
void fill_model(int nunits, int nantyp) {
    reset_input_tables();
    reset_run_state();
    NUNITS = nunits;
    NANTYP = nantyp;
    PYMODE = 1;
    KUPY = KJ1 = KJ2 = 1;
    CAPLEN = 12.0;
    NLCASE = 1;
    NCLOAD(1) = 1;
    CLOAD(1, 1, 1) = 1000.0;  // a force: never converted
    CLOAD(1, 1, 7) = 2.5;
    CLOAD(1, 1, 9) = 2.5;
    LCPOD(1) = 1;
    PODXYZ(1, 3) = 2.5;
    NDLSET = 1;
    NDLPT(1) = 1;
    DLDEP(1, 1) = 2.5;
    DLVAL(1, 1) = 35.0;        // a load per length: never converted
    NPILE3 = NPILE2 = 1;
    PGRB3(1, 1) = 2.5;
    PGRB3(1, 4) = 30.0;        // an angle: never converted
    PGRA2(1, 2) = 2.5;
    PGRB2(1, 4) = 2.5;
    NPRSET = 1;
    PPIN.NSEC(1) = 1;
    PPIN.PLEN(1) = 2.5;
    PPIN.SBOT(1, 1) = 2.5;
    NSECT = 1;
    XSTAB(1, 1) = 610.0;       // a dimension
    XSTAB(1, 10) = 0.9;        // an area
    XSTAB(1, 12) = 1.3;        // a moment of inertia about the second axis
    XSTAB(1, 13) = 7.0;        // a modulus: never converted
    XSBAR(1, 100, 2) = 610.0;  // the last row, beyond any count
    XSNLR(1, 17) = 0.9;        // bar area
    XSNLR(1, 18) = 610.0;      // bar diameter
    XSNLR(1, 26) = 610.0;      // strand diameter
    XSNLR(1, 27) = 0.9;        // strand area
    XSNLR(1, 29) = 1860.0;     // strand strength: never converted
    NLAYER = 2;
    LAYIN.ISOIL(1) = 1;
    LAYIN.ISOIL(2) = 9;
    for (int L = 1; L <= 2; ++L) {
        LAYIN.BOT(L) = 2.5;
        LAYPRP(L, 2, 1) = 120.0;  // unit weight
        LAYPRP(L, 2, 2) = 500.0;  // strength, or the rock's own value
        LAYPRP(L, 1, 9) = 35.0;
    }
    PYREQN = 1;
    PYRQIN.DEP(1) = 2.5;
    NUPYS = 1;
    UPYIN.NC(1) = 1;
    UPYIN.DEP(1, 1) = 2.5;
    NRFSET = 1;
    RFLNPT(1) = 1;
    RFLDEP(1, 1) = 2.5;
    NSMOV = 1;
    SMDEP(1) = 2.5;
}

// English input: feet to inches, per cubic and square foot to per cubic and
// square inch, one factor at a time; section values stay in inches.
TEST(UnitConversion, EnglishThreeDimensional) {
    fill_model(1, 3);
    int status = 0;
    UNITCONV(status);
    EXPECT_EQ(NPILES, 1);
    EXPECT_EQ(CAPLEN, 144.0);
    EXPECT_EQ(CLOAD(1, 1, 1), 1000.0);
    for (double x : {CLOAD(1, 1, 7), CLOAD(1, 1, 9), PODXYZ(1, 3), DLDEP(1, 1), PGRB3(1, 1), PPIN.PLEN(1),
                     PPIN.SBOT(1, 1), LAYIN.BOT(1), LAYIN.BOT(2), PYRQIN.DEP(1), UPYIN.DEP(1, 1), RFLDEP(1, 1),
                     SMDEP(1)})
        EXPECT_EQ(x, 30.0);
    EXPECT_EQ(DLVAL(1, 1), 35.0);
    EXPECT_EQ(PGRB3(1, 4), 30.0);
    EXPECT_EQ(XSTAB(1, 1), 610.0);
    EXPECT_EQ(XSTAB(1, 10), 0.9);
    EXPECT_EQ(XSTAB(1, 12), 1.3);
    // 120 pcf / 12 / 12 / 12 = 0.06944444444444445 pci; 500 psf / 12 / 12 = 3.472222222222222 psi.
    EXPECT_EQ(LAYPRP(1, 2, 1), 0.06944444444444445);
    EXPECT_EQ(LAYPRP(1, 2, 2), 3.472222222222222);
    EXPECT_EQ(LAYPRP(1, 1, 9), 0.24305555555555555);  // 35 / 12 / 12
    // Weak rock: unit weight converted, its second value kept.
    EXPECT_EQ(LAYPRP(2, 2, 1), 0.06944444444444445);
    EXPECT_EQ(LAYPRP(2, 2, 2), 500.0);
}

// SI input: depths stay in metres; cross-section millimetres become metres
// (dimension / 1000, area / 1000 / 1000, inertia / 1000^4); the plane model
// converts neither the Z coordinates nor the second-axis inertia.
TEST(UnitConversion, SiPlane) {
    fill_model(2, 2);
    int status = 0;
    UNITCONV(status);
    EXPECT_EQ(NPILES, 1);
    EXPECT_EQ(CAPLEN, 12.0);
    EXPECT_EQ(PGRA2(1, 2), 2.5);
    EXPECT_EQ(PGRB2(1, 4), 2.5);
    EXPECT_EQ(LAYPRP(1, 2, 1), 120.0);
    EXPECT_EQ(XSTAB(1, 1), 0.61);
    EXPECT_EQ(XSTAB(1, 10), 9e-07);
    EXPECT_EQ(XSTAB(1, 12), 1.3);  // plane model: second-axis inertia as read
    EXPECT_EQ(XSTAB(1, 13), 7.0);
    EXPECT_EQ(XSBAR(1, 100, 2), 0.61);
    EXPECT_EQ(XSNLR(1, 17), 9e-07);
    EXPECT_EQ(XSNLR(1, 18), 0.61);
    EXPECT_EQ(XSNLR(1, 26), 0.61);
    EXPECT_EQ(XSNLR(1, 27), 9e-07);
    EXPECT_EQ(XSNLR(1, 29), 1860.0);

    fill_model(2, 3);
    UNITCONV(status);
    EXPECT_EQ(XSTAB(1, 12), 1.3e-12);  // 1.3 / 1000 / 1000 / 1000 / 1000
}

// English plane model: the spacing and the ground-line depth of a row, and
// only the X and Y of a point, are lengths to convert.
TEST(UnitConversion, EnglishPlane) {
    fill_model(1, 2);
    int status = 0;
    UNITCONV(status);
    EXPECT_EQ(PGRA2(1, 2), 30.0);
    EXPECT_EQ(PGRB2(1, 4), 30.0);
    EXPECT_EQ(CLOAD(1, 1, 7), 30.0);
    EXPECT_EQ(CLOAD(1, 1, 9), 2.5);
    EXPECT_EQ(PODXYZ(1, 3), 2.5);
    EXPECT_EQ(PGRB3(1, 1), 2.5);  // the three-dimensional table is not the model's
}

}  // namespace
}  // namespace zolan
