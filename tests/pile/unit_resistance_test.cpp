#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "model/input_tables.h"
#include "model/run_state.h"
#include "model/soil_tables.h"
#include "pile/unit_resistance.h"

namespace zolan {
namespace {

constexpr double DEG = 3.141592653589793 / 180.0;
// English internal to SI internal: 1 psi = 6.894757 kPa, 1 lb/in^3 = 271.4471 kN/m^3, 1 in = 0.0254 m.
constexpr double KPA = 6.894757, KNM3 = 271.4471, M = 0.0254;

// A layer whose soil quantities are the same at its top and its bottom.
struct Layer {
    double top, bot, gam, coh, phi, fmax, qmax;
};

void profile(int units, std::initializer_list<Layer> layers) {
    reset_soil_tables();
    NUNITS = units;
    TOLDEP = 1.0e-6;  // as the reader sets it
    int L = 0;
    for (const Layer& l : layers) {
        ++L;
        LAYTOP(L) = l.top;
        LAYBOT(L) = l.bot;
        for (int i : {2 * L - 1, 2 * L}) {
            SCDEP(i) = UWDEP(i) = i == 2 * L - 1 ? l.top : l.bot;
            SCGAM(i) = l.gam;
            SCCOH(i) = l.coh;
            SCPHI(i) = l.phi;
            SCFMAX(i) = l.fmax;
            SCQMAX(i) = l.qmax;
        }
    }
    NLAYPY = L;
    NSCPT = NUWPT = 2 * L;
}

struct Out {
    int sideflag = -7, tipflag = -7, status = 0;
    double side1 = -7, side2 = -7, tip1 = -7, tip2 = -7;
};

Out ultfrq(int code, double depth) {
    Out o;
    ULTFRQ(code, depth, o.sideflag, o.side1, o.side2, o.tipflag, o.tip1, o.tip2, o.status);
    return o;
}

// Side and tip estimates of one uniform layer from the top (depth 0) down,
// against the worked points of the method (English, and the same points in
// SI units, where the stresses are the English results times 6.894757) and
// hand values at its thresholds.
TEST(ULTFRQ, EstimatesByCodeAndUnits) {
    struct Case {
        const char* what;
        int units, code;
        double gam, coh, phi, fmax, z;
        int sideflag;
        double side1, side2, tip1, tip2, tol;
    };
    const double phi35 = 35 * DEG;
    // tan(35 deg - 0.087) = tan(0.523865) = 0.577712; 0.8 * 0.07 * 240 = 13.44 -> 7.7645
    // beta(20 ft) = 1.5 - 0.135 sqrt(20) = 0.896262; 0.896262 * 16.8 = 15.0572
    // phid = 0.610865 * 57.296 = 35.000136, Nq = 40.00027, 40.00027 * 16.8 = 672.0046
    const double sand_side1 = 7.7645, sand_side2 = 15.0572, sand_tip1 = 672.0046;
    const Case cases[] = {
        // psi = 5 / (0.07 * 120) = 0.595238, alpha = 0.5 / sqrt(psi) = 0.648074:
        // side1 = 3.2404, side2 = 0.55 * 5 = 2.75, tip = 9 * 5 = 45.
        {"worked point, clay, English", 1, 1, 0.07, 5.0, 0.0, 0.0, 120.0, 1, 3.2404, 2.75, 45.0, 45.0, 1e-4},
        {"worked point, clay, SI", 2, 1, 0.07 * KNM3, 5.0 * KPA, 0.0, 0.0, 120.0 * M, 1, 3.2404 * KPA, 2.75 * KPA,
         45.0 * KPA, 45.0 * KPA, 1e-3},
        // drilled-shaft tip between 30 and 36 degrees: 222.2 psi, 1530 kPa
        {"worked point, sand, English", 1, 4, 0.07, 0.0, phi35, 0.0, 240.0, 1, sand_side1, sand_side2, sand_tip1,
         222.2, 1e-3},
        {"worked point, sand, SI", 2, 4, 0.07 * KNM3, 0.0, phi35, 0.0, 240.0 * M, 1, sand_side1 * KPA,
         sand_side2 * KPA, sand_tip1 * KPA, 1530.0, 1e-2},
        // open units: no alpha rule, beta = 1.2 (1.2 * 16.8 = 20.16), tip2 = tip1
        {"sand, open units", 3, 4, 0.07, 0.0, phi35, 0.0, 240.0, 1, sand_side1, 20.16, sand_tip1, sand_tip1, 1e-3},
        // at the ground surface z is taken as 1 in: side1 = 0.8 * 0.07 * 0.577712 = 0.032352,
        // side2 = 1.2 * 0.07 = 0.084, tip1 = 40.00027 * 0.07 = 2.80002
        {"sand at the surface", 1, 4, 0.07, 0.0, phi35, 0.0, 0.0, 1, 0.032352, 0.084, 2.80002, 222.2, 1e-5},
        // input side resistance at the surface: z stays 0, so Nq gamma z = 0
        {"sand at the surface with input side", 1, 4, 0.07, 0.0, phi35, 500.0, 0.0, 0, 0.0, 0.0, 0.0, 222.2, 1e-5},
        // psi = 3 / (0.03125 * 96) = 1 exactly: alpha = 0.5, kept although c < 3.47 psi
        {"psi of one", 1, 1, 0.03125, 3.0, 0.0, 0.0, 96.0, 1, 1.5, 1.65, 27.0, 27.0, 1e-6},
        // psi = 3 / 1.5 = 2, alpha = 0.5 / 2^0.25 = 0.42 < 0.5 with c < 3.47 psi: alpha = 1
        {"small alpha raised", 1, 3, 0.03125, 3.0, 0.0, 0.0, 48.0, 1, 3.0, 1.65, 27.0, 27.0, 1e-6},
        // the same in SI needs c < 24 kPa: c = 20 kPa, gamma z = 10 (psi = 2)
        {"small alpha raised, SI", 2, 2, 10.0, 20.0, 0.0, 0.0, 1.0, 1, 20.0, 11.0, 180.0, 180.0, 1e-5},
        // 30 degrees exactly lies below 0.5236 rad: tip2 = 0.1; phid = 30.000116, Nq = 20.00046
        {"30 degrees", 1, 8, 0.07, 0.0, 30 * DEG, 0.0, 240.0, 1, 0.8 * 16.8 * std::tan(30 * DEG - 0.087),
         0.896262 * 16.8, 20.00046 * 16.8, 0.1, 1e-3},
        // 0.52359999 rad lies above the single-precision 0.5236 (0.52359998): 222.2 psi;
        // phid = 30.000186, Nq = 20.00074
        {"just above 0.5236 in single precision", 1, 8, 0.07, 0.0, 0.52359999, 0.0, 240.0, 1,
         0.8 * 16.8 * std::tan(0.52359999 - 0.087), 0.896262 * 16.8, 20.00074 * 16.8, 222.2, 1e-3},
        // 45 degrees: Nq = 50; above 0.628 rad: 555.56 psi; 50 * 16.8 = 840
        {"45 degrees", 1, 4, 0.07, 0.0, 45 * DEG, 0.0, 240.0, 1, 0.8 * 16.8 * std::tan(45 * DEG - 0.087),
         0.896262 * 16.8, 840.0, 555.56, 1e-3},
        // cohesion without friction is clay at the tip (9 * 0.5 = 4.5); the side keeps the sand rule,
        // negative below 0.087 rad: 13.44 tan(-0.087) = -1.172158
        {"sand code with cohesion and no friction", 1, 4, 0.07, 0.5, 0.0, 0.0, 240.0, 1, -1.172158, sand_side2,
         4.5, 4.5, 1e-4},
        // silt: psi = 2 / 16.8, alpha = 1.449138; side1 = 7.7645 + 2.898275, side2 = 1.1 + 15.0572,
        // tip1 = 672.0046 + 18, tip2 = 222.2 + 18
        {"silt", 1, 7, 0.07, 2.0, phi35, 0.0, 240.0, 1, sand_side1 + 2.898275, 1.1 + sand_side2, sand_tip1 + 18.0,
         240.2, 1e-3},
        // rock: 0.1 c on the side; no friction, so clay at the tip: 9 c
        {"weak rock", 1, 9, 0.07, 1000.0, 0.0, 0.0, 240.0, 1, 100.0, 100.0, 9000.0, 9000.0, 1e-3},
        // elastic subgrade with no input curve: the side values are the input value, no tip value
        {"elastic subgrade", 1, 12, 0.07, 0.05, 0.0, 1e-11, 240.0, 1, 1e-11, 1e-11, 0.0, 0.0, 1e-15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        profile(c.units, {{0.0, 2.0 * c.z + 1.0, c.gam, c.coh, c.phi, c.fmax, 0.0}});
        const Out o = ultfrq(c.code, c.z);
        EXPECT_EQ(o.status, 0);
        EXPECT_EQ(o.sideflag, c.sideflag);
        EXPECT_EQ(o.tipflag, 1);
        EXPECT_NEAR(o.side1, c.side1, c.tol);
        EXPECT_NEAR(o.side2, c.side2, c.tol);
        EXPECT_NEAR(o.tip1, c.tip1, c.tol);
        EXPECT_NEAR(o.tip2, c.tip2, c.tol);
    }
}

// Given input curves are kept (flags 0, values 0); a lookup below the profile
// returns at once with its status and the outputs as far as they were set.
TEST(ULTFRQ, InputCurvesAndStatus) {
    profile(1, {{0.0, 100.0, 0.07, 5.0, 0.0, 400.0, 3000.0}});
    Out o = ultfrq(1, 50.0);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.sideflag, 0);
    EXPECT_EQ(o.tipflag, 0);
    EXPECT_EQ(o.side1 + o.side2 + o.tip1 + o.tip2, 0.0);

    // Below the profile: the side lookup fails first (25) and nothing is written.
    o = ultfrq(1, 101.0);
    EXPECT_EQ(o.status, 25);
    EXPECT_EQ(o.sideflag, -7);
    EXPECT_EQ(o.side1, -7.0);
    EXPECT_EQ(o.tip1, -7.0);

    // A unit-weight curve shorter than the strength curve: the side estimate
    // stops at the unit weight (22) with its flag set, side values 0, tip untouched.
    profile(1, {{0.0, 100.0, 0.07, 5.0, 0.0, 0.0, 0.0}});
    NUWPT = 1;
    o = ultfrq(1, 50.0);
    EXPECT_EQ(o.status, 22);
    EXPECT_EQ(o.sideflag, 1);
    EXPECT_EQ(o.side1, 0.0);
    EXPECT_EQ(o.side2, 0.0);
    EXPECT_EQ(o.tipflag, -7);
    EXPECT_EQ(o.tip1, -7.0);
}

}  // namespace
}  // namespace zolan
