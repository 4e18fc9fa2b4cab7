#include "control/load_assembly.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/input_tables.h"

namespace zolan {
namespace {

void expect_vec(const CAPVEC& q, const double (&want)[6], const char* what) {
    for (int k = 1; k <= 6; ++k) EXPECT_NEAR(q(k), want[k - 1], 1e-9) << what << ", slot " << k;
}

// One concentrated load in input slot order (FX, FY, MZ, FZ, MY, MX, X, Y, Z).
void one_load(int i, const double (&v)[9], double scale) {
    NCLOAD(i) = 1;
    for (int c = 1; c <= 9; ++c) CLOAD(i, 1, c) = v[c - 1];
    LCSCAL(i) = scale;
    LCPOD(i) = 0;
}

// Equivalent loads at the origin of cases and combinations (hand-worked moments).
TEST(LoadAssembly, EquivalentLoads) {
    reset_input_tables();
    NANTYP = 3;
    NLCASE = 3;
    // FX = 100 at (0, 2, 3): MY = Z FX = 300, MZ = -Y FX = -200; scale 1.5.
    one_load(1, {100, 0, 0, 0, 0, 0, 0, 2, 3}, 1.5);
    // FY = 10, FZ = 20, MX = 5 at (1, 2, 3): MX = 5 + 2*20 - 3*10 = 15,
    // MY = 3*0 - 1*20 = -20, MZ = 1*10 - 2*0 = 10.
    one_load(2, {0, 10, 0, 20, 0, 5, 1, 2, 3}, 1.0);
    // A case given at a point of definition: its listed loads do not count.
    one_load(3, {100, 0, 0, 0, 0, 0, 0, 0, 0}, 1.0);
    LCPOD(3) = 1;
    CAPVEC q;
    EQLOAD(1, q);
    expect_vec(q, {150, 0, 0, 0, 450, -300}, "case 1");
    EQLOAD(2, q);
    expect_vec(q, {0, 10, 20, 15, -20, 10}, "case 2");
    EQLOAD(3, q);
    expect_vec(q, {0, 0, 0, 0, 0, 0}, "case at a point");
    NCLOAD(2) = 0;
    EQLOAD(2, q);
    expect_vec(q, {0, 0, 0, 0, 0, 0}, "no loads");
    NCLOAD(2) = 1;

    // A combination naming case 1 twice (factors 1 and 2) and the point case.
    NLBCAS(1) = 3;
    LBCASE(1, 1) = 1;
    LBFACT(1, 1) = 1.0;
    LBCASE(1, 2) = 1;
    LBFACT(1, 2) = 2.0;
    LBCASE(1, 3) = 3;
    LBFACT(1, 3) = 5.0;
    EQLOADC(1, q);
    expect_vec(q, {450, 0, 0, 0, 1350, -900}, "combination");
    NLBCAS(1) = 0;
    EQLOADC(1, q);
    expect_vec(q, {0, 0, 0, 0, 0, 0}, "empty combination");

    // Plane model: FX, FY, MZ at (X, Y); the moment goes to slot 6.
    // FX = 10, FY = 4, MZ = 7 at (2, 3): MZ = 7 + 2*4 - 3*10 = -15.
    NANTYP = 2;
    one_load(1, {10, 4, 7, 99, 99, 99, 2, 3, 99}, 1.0);
    EQLOAD(1, q);
    expect_vec(q, {10, 4, 0, 0, 0, -15}, "plane case");
}

// Values at a point of definition: the flag of a slot keeps its displacement
// (0), its load (1) or both (other values); loads give moments at the origin.
TEST(LoadAssembly, PointOfDefinition) {
    reset_input_tables();
    NANTYP = 3;
    LCPOD(1) = 1;
    LCSCAL(1) = 2.0;
    // Input slots: 1 X, 2 Y, 3 rot Z, 4 Z, 5 rot Y, 6 rot X; pairs (displacement, load).
    const int flags[6] = {1, 0, 2, 1, 0, 1};
    const double pairs[12] = {0.1, 100, 0.2, 50, 0.3, 7, 0.4, 20, 0.5, 9, 0.6, 11};
    for (int k = 1; k <= 6; ++k) PODFLG(1, k) = flags[k - 1];
    for (int k = 1; k <= 12; ++k) PODVAL(1, k) = pairs[k - 1];
    PODXYZ(1, 1) = 1.0;
    PODXYZ(1, 2) = 2.0;
    PODXYZ(1, 3) = 3.0;
    CAPVEC q, f, d, xyz;
    CAPFLAGS fl;
    CAPDOF(1, q, f, d, xyz, fl);
    // Cap order: X (slot 1, flag 1: load 100), Y (slot 2, flag 0: displacement 0.2),
    // Z (slot 4, flag 1: load 20), rot X (slot 6, flag 1: 11), rot Y (slot 5,
    // flag 0: rotation 0.5), rot Z (slot 3, flag 2: both 0.3 and 7).
    expect_vec(f, {200, 0, 40, 22, 0, 14}, "loads");
    expect_vec(d, {0, 0.4, 0, 0, 1.0, 0.6}, "displacements");
    expect_vec(xyz, {1, 2, 3, 0, 0, 0}, "point");
    const int want_flags[6] = {1, 0, 1, 1, 0, 2};
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(fl(k), want_flags[k - 1]) << k;
    // Unscaled: FX = 100, FZ = 20, MX = 11, MZ = 7 at (1, 2, 3):
    // MX = 11 + 2*20 - 3*0 = 51; MY = 0 + 3*100 - 1*20 = 280; MZ = 7 + 0 - 2*100 = -193; then x 2.
    expect_vec(q, {200, 0, 40, 102, 560, -386}, "load at the origin");

    // A case given by loads: everything zero.
    LCPOD(1) = 0;
    CAPDOF(1, q, f, d, xyz, fl);
    expect_vec(q, {0, 0, 0, 0, 0, 0}, "load case");
    expect_vec(d, {0, 0, 0, 0, 0, 0}, "load case displacements");

    // Plane model: slots X, Y, rot Z; FX = 100 (flag 1), Y displacement 0.2
    // (flag 0), rot Z both (flag 2: 0.3 and 7) at (1, 2):
    // MZ = 1*0 - 2*100 + 7 = -193.
    NANTYP = 2;
    LCPOD(1) = 1;
    LCSCAL(1) = 1.0;
    CAPDOF(1, q, f, d, xyz, fl);
    expect_vec(q, {100, 0, 0, 0, 0, -193}, "plane load");
    expect_vec(f, {100, 0, 7, 0, 0, 0}, "plane loads");
    expect_vec(d, {0, 0.2, 0, 0, 0, 0.3}, "plane displacements");
    expect_vec(xyz, {1, 2, 0, 0, 0, 0}, "plane point");
    EXPECT_EQ(fl(6), 2);
}

// Axial head loads of the rows added at the origin along each pile's axis.
TEST(LoadAssembly, AxialHeadLoadResultant) {
    reset_input_tables();
    reset_pile_tables();
    NANTYP = 3;
    NPILES = 2;
    CAPVEC q;
    q.fill(1.0);
    AXHLOAD(1) = 10.0;
    PHRESUL(q);  // no switch: untouched
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(q(k), 1.0);
    KAXHL = 1;
    q.fill(0.0);
    // Row 1 vertical (beta = 90 deg) at (0, 2, 3): F = (10, 0, 0): MY = 3*10, MZ = -2*10.
    BETA(1) = std::acos(-1.0) / 2;
    CORY(1) = 2.0;
    CORZ(1) = 3.0;
    // Row 2 horizontal along Z (alpha = 90 deg, beta = 0) at (1, 0, 0): F = (0, 0, 4): MY = -1*4.
    AXHLOAD(2) = 4.0;
    ALPHA(2) = std::acos(-1.0) / 2;
    CORX(2) = 1.0;
    PHRESUL(q);
    expect_vec(q, {10, 0, 4, 0, 26, -20}, "three-dimensional");

    // Plane row of slope 30 deg at (0, 1): F = 10 (cos, sin) = (8.660254, 5); MZ = -1 * 8.660254.
    NANTYP = 2;
    NPILES = 1;
    BATANG(1) = std::acos(-1.0) / 6;
    CORX(1) = 0.0;
    CORY(1) = 1.0;
    q.fill(0.0);
    PHRESUL(q);
    expect_vec(q, {8.660254037844387, 5, 0, 0, 0, -8.660254037844387}, "plane");
    reset_pile_tables();
}

}  // namespace
}  // namespace zolan
