// Torque-rotation curves of a pile: head torque and rotation against hand
// computations for a rigid and a flexible shaft, the odd symmetry of the
// assembled curve, the tip checks of a driven pile, a section without
// torsional rigidity, and the curve report.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "pile/torsion_curves.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "support/soil_profile.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

using test::lines_of;
using test::read_file;

struct Layer {
    double top, bot;
    int code;
    double c, e50, fmax, qmax;
};
struct Section {
    double bot, gjtop, gjbot;
};

// English units; pile row 1 of property set 1, head at the depth origin and
// at the ground line, 200 in long in two increments, diameter 12 in, tip area
// 100 in^2. Unit weight 0.04 pci and no friction angle in every layer.
void set_model(int ptype, const std::vector<Layer>& layers, const std::vector<Section>& sections) {
    reset_soil_tables();
    reset_section_tables();
    reset_pile_tables();
    NUNITS = 1;
    UNITLB(1);
    TOLDEP = 1.0e-6;
    KBATAD = 0;
    NPILES = 1;
    IPROP(1) = 1;
    XTOP(1) = CORX(1) = 0.0;
    GROUND(1) = 0.0;
    for (int L = 1; L <= static_cast<int>(layers.size()); ++L) {
        const Layer& l = layers[L - 1];
        test::soil_layer(L, l.code, l.top, l.bot);
        test::layer_value(SCGAM, L, 0.04);
        test::layer_value(SCCOH, L, l.c);
        test::layer_value(SCE50, L, l.e50);
        test::layer_value(SCFMAX, L, l.fmax);
        test::layer_value(SCQMAX, L, l.qmax);
    }
    PTYPED(1) = ptype;
    PLENP(1) = 200.0;
    NINCR(1) = 2;
    NSECP(1) = static_cast<int>(sections.size());
    double top = 0.0;
    for (int s = 1; s <= NSECP(1); ++s) {
        const Section& x = sections[s - 1];
        SECTAB(1, s, SEC_DTOP) = top;
        SECTAB(1, s, SEC_DBOT) = top = x.bot;
        for (int c : {SEC_TOP, SEC_BOT}) {
            SECTAB(1, s, c + SP_DIA) = 12.0;
            SECTAB(1, s, c + SP_ARE) = 100.0;
        }
        SECTAB(1, s, SEC_TOP + SP_GJ) = x.gjtop;
        SECTAB(1, s, SEC_BOT + SP_GJ) = x.gjbot;
    }
}

// Driven pile in clay: a thin top layer 0..1 and a layer 1..400 in, both with
// fmax = 2 psi, c = 5 psi and e50 = 0.01. Samples at 0.1 (fmax 1e-6), 0.55,
// 0.9, 1.1, 200.55 and 399.9: the mid-points 50 and 150 of the two increments
// lie between 1.1 and 200.55, so t = 2 f(w) with the clay t-z shape (movements
// 0, 0.01, 0.02, 0.04, 0.06, 0.08, 0.12, 0.16, 0.5, 10 in; f = 0, 0.18, 0.38,
// 0.79, 0.97, 1.0, 0.97, 0.93, 0.93, 0.93).
const std::vector<Layer> CLAY = {{0, 1, 1, 5, 0.01, 2, 0}, {1, 400, 1, 5, 0.01, 2, 0}};

class TorsionCurves : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(io::open_unit(CRVRPT, "crv.txt", {}));
        ASSERT_TRUE(io::open_unit(RESFILE, "res.txt", {}));
        ASSERT_TRUE(io::open_unit(RUNFILE, "run.txt", {}));
    }
    void TearDown() override {
        io::close_all_units();
        reset_soil_tables();
        reset_section_tables();
        reset_pile_tables();
    }
    // Runs a branch; returns the status, with n (-1 when unset), T and theta.
    int run(int branch, int& n, AXPTS& T, AXPTS& th) {
        int st = 0;
        n = -1;
        TRCRV(1, branch, 1, 1, st, n, T, th);
        return st;
    }
    static std::vector<std::string> file(const char* name) {
        io::close_all_units();
        return lines_of(read_file(name));
    }
    test::TempDir dir_;
};

// Tip movements z_k at the shaft radius R = 6 in; theta_k = z_k / R.
const double ZK[9] = {0.0001, 0.001, 0.005, 0.01, 0.05, 0.1, 0.5, 1.0, 2.0};

// Rigid shaft (GJ = 1e20): every increment turns through theta_k, so w = z_k
// along the pile and each increment adds dT = t h pi D R = t 100 3.1416 12 6
// = 22619.52 t; two increments: T_k = 45239.04 t_k, theta_head = theta_k.
// A flexible shaft (GJ = 1e8 lb in^2) at z_k >= 0.5 in stays on the plateau
// t = 1.86 psi: dT = 42072.3072; theta rises by (0 + dT/2) 100 / 1e8 =
// 0.0210361536 over the lower increment and (dT + dT/2) 100 / 1e8 =
// 0.0631084608 over the upper one: theta_head = theta_k + 0.0841446144.
TEST_F(TorsionCurves, HeadTorqueAndRotationByHand) {
    struct Case {
        double gj;
        int k;
        double T, theta;
    };
    const Case cases[] = {
        // t_k = 2 f(z_k): 0.0036 (f = 0.18 0.0001/0.01), 0.036, 0.18, 0.36,
        // 1.76 (0.79 + 0.18 (0.01/0.02)), 1.97 (1.0 - 0.03 (0.02/0.04)), 1.86.
        {1e20, 1, 162.860544, 0.0001 / 6},   {1e20, 2, 1628.60544, 0.001 / 6},
        {1e20, 3, 8143.0272, 0.005 / 6},     {1e20, 4, 16286.0544, 0.01 / 6},
        {1e20, 5, 79620.7104, 0.05 / 6},     {1e20, 6, 89120.9088, 0.1 / 6},
        {1e20, 7, 84144.6144, 0.5 / 6},      {1e20, 9, 84144.6144, 2.0 / 6},
        {1e8, 7, 84144.6144, 0.5 / 6 + 0.0841446144},
        {1e8, 8, 84144.6144, 1.0 / 6 + 0.0841446144},
        {1e8, 9, 84144.6144, 2.0 / 6 + 0.0841446144},
    };
    for (const Case& c : cases) {
        set_model(1, CLAY, {{200, c.gj, c.gj}});
        int n;
        AXPTS T, th;
        ASSERT_EQ(run(2, n, T, th), 0);
        EXPECT_EQ(n, 9);
        EXPECT_NEAR(T(c.k), c.T, 1e-6 * c.T) << c.gj << " " << c.k;
        EXPECT_NEAR(th(c.k), c.theta, 1e-6 * c.theta) << c.gj << " " << c.k;
    }
}

// The caller's 19-point curve (point i = -(branch-1 point 10 - i), point 10
// at the origin, points 11..19 branch 2) is odd, with rising rotations.
TEST_F(TorsionCurves, AssembledCurveIsOdd) {
    set_model(1, CLAY, {{200, 1e8, 1e8}});
    int n1, n2;
    AXPTS T1, th1, T2, th2;
    ASSERT_EQ(run(1, n1, T1, th1), 0);
    ASSERT_EQ(run(2, n2, T2, th2), 0);
    ASSERT_EQ(n1, 9);
    ASSERT_EQ(n2, 9);
    double tor[20] = {}, rot[20] = {};
    for (int i = 1; i <= 9; ++i) {
        tor[i] = -T1(10 - i);
        rot[i] = -th1(10 - i);
        tor[10 + i] = T2(i);
        rot[10 + i] = th2(i);
    }
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(tor[10 - i], -tor[10 + i]) << i;
        EXPECT_EQ(rot[10 - i], -rot[10 + i]) << i;
    }
    for (int i = 2; i <= 19; ++i) EXPECT_LT(rot[i - 1], rot[i]) << i;
}

// A driven pile on a clay or rock tip stops the run without e50 (34) or
// without tip capacity (35), with the warning block on the results report and
// the runtime file, and n unset. e50 at or below 1e-14 is no e50; the
// capacity 9 c A depends on the branch's tip area (1e-4 in branch 1, 100 in
// branch 2); a drilled shaft is never checked.
TEST_F(TorsionCurves, TipChecksOfADrivenPile) {
    struct Case {
        int ptype, code, branch;
        double e50, c, qmax;
        int status;
    };
    const Case cases[] = {
        {1, 6, 2, 0.0, 5.0, 0.0, 34},      // rock without a default e50
        {1, 6, 2, static_cast<double>(1e-14f), 5.0, 0.0, 34},  // at the threshold 1e-14 (single precision)
        {1, 6, 2, 0.005, 0.0, 0.0, 35},    // Q = TIPMX A = 0, then 9 c A = 0
        {1, 1, 1, 0.005, 1e-11, 0.0, 35},  // Q = 9e-11 1e-4 = 9e-15 < 1e-14
        {1, 1, 2, 0.005, 1e-11, 0.0, 0},   // Q = 9e-11 100 = 9e-9
        {1, 6, 2, 0.005, 0.0, 3.0, 0},     // Q = 3 100 = 300
        {2, 6, 2, 0.0, 0.0, 0.0, 0},       // drilled shaft
    };
    const std::string E50 = "     THE VALUE OF E50 AT TIP OF PILE IS EQUAL TO ZERO, TR CURVE";
    const std::string COH = "     THE VALUE OF COHESION AT TIP OF PILE IS EQUAL TO ZERO, TR CURVE";
    for (const Case& c : cases) {
        SetUp();
        set_model(c.ptype, {{0, 1, 1, 5, 0.01, 2, 0}, {1, 400, c.code, c.c, c.e50, 2, c.qmax}},
                  {{200, 1e20, 1e20}});
        int n;
        AXPTS T, th;
        EXPECT_EQ(run(c.branch, n, T, th), c.status) << c.code << " " << c.e50 << " " << c.c;
        EXPECT_EQ(n, c.status == 0 ? 9 : -1);
        const std::vector<std::string> res = file("res.txt"), log = file("run.txt");
        if (c.status == 0) {
            EXPECT_TRUE(res.empty());
            continue;
        }
        const std::vector<std::string> block = {"", std::string(29, ' ') + "**** WARNING ****",
                                                c.status == 34 ? E50 : COH};
        EXPECT_EQ(res, block);
        EXPECT_EQ(log, block);
    }
}

// A section with GJ = 0 prints the error block on both files in each branch
// and carries no torque: an increment without rigidity adds no rotation and
// passes nothing up, so a pile without rigidity has a zero-torque curve at
// the tip rotations, and a pile whose lower section has none gets the torque
// of its upper increment alone: T_k = 22619.52 t_k (rigid upper section).
// One warning line names the pile row.
TEST_F(TorsionCurves, SectionWithoutTorsionalRigidity) {
    struct Case {
        std::vector<Section> sections;
        int errors;  // error blocks per branch
        double T4;   // head torque at z = 0.01 in: t = 0.36 psi
    };
    const Case cases[] = {
        {{{200, 0.0, 0.0}}, 1, 0.0},
        {{{100, 1e20, 1e20}, {200, 0.0, -5.0}}, 1, 8143.0272},
        {{{100, 0.0, 0.0}, {200, 0.0, 0.0}}, 2, 0.0},
    };
    const std::string ERR = "       ERROR!!!     GJ(TORSIONAL RIGIDITY) IS ZERO";
    const std::string WARN = "        ** WARNING ** PILE ROW     1: A SECTION WITHOUT TORSIONAL RIGIDITY CARRIES NO TORQUE";
    for (const Case& c : cases) {
        SetUp();
        set_model(1, CLAY, c.sections);
        int n1, n2;
        AXPTS T1, th1, T2, th2;
        ASSERT_EQ(run(1, n1, T1, th1), 0);
        ASSERT_EQ(run(2, n2, T2, th2), 0);
        ASSERT_EQ(n2, 9);
        for (int k = 1; k <= 9; ++k) {
            EXPECT_TRUE(std::isfinite(T2(k)) && std::isfinite(th2(k)));
            EXPECT_NEAR(th2(k), ZK[k - 1] / 6, 1e-6 * ZK[k - 1] / 6) << k;
            EXPECT_EQ(T1(k), T2(k));
        }
        EXPECT_NEAR(T2(4), c.T4, 1e-6 * c.T4);
        std::vector<std::string> errs;
        for (int e = 0; e < c.errors; ++e)
            for (const std::string& l : {std::string(), std::string(), ERR, std::string(), std::string()})
                errs.push_back(l);
        std::vector<std::string> res, log;
        for (int b = 0; b < 2; ++b) {
            res.insert(res.end(), errs.begin(), errs.end());
            log.insert(log.end(), errs.begin(), errs.end());
            res.push_back(WARN);
        }
        EXPECT_EQ(file("res.txt"), res);
        EXPECT_EQ(file("run.txt"), log);
    }
}

// The curve report: the sampled curves (branch 1 only) as T = t R against
// q = z / R, then each branch's table, negated in branch 1.
TEST_F(TorsionCurves, CurveReport) {
    set_model(1, CLAY, {{200, 1e20, 1e20}});
    int n;
    AXPTS T, th;
    ASSERT_EQ(run(1, n, T, th), 0);
    ASSERT_EQ(run(2, n, T, th), 0);
    const std::vector<std::string> crv = file("crv.txt");
    // 4 heading lines, 2 caption lines, 6 samples of 11 lines; each table 3 + 2 + 9.
    ASSERT_EQ(crv.size(), 6u + 66u + 14u + 14u);
    const std::string sp32(32, ' ');
    EXPECT_EQ(crv[0], "");
    EXPECT_EQ(crv[1], "");
    EXPECT_EQ(crv[2], "     T-q CURVES, PILE PROPERTY:  1");
    EXPECT_EQ(crv[3], "");
    EXPECT_EQ(crv[4], "          CURVE   N. POINTS     DEPTH           T Value         q Value");
    EXPECT_EQ(crv[5], sp32 + "( IN)          (LBS/ IN)         (RAD)");
    // Sample depths from the depth origin: 0.1, 0.55, 0.9, 1.1, 200.55, 399.9.
    const char* depth[6] = {"0.1000E+00", "0.5500E+00", "0.9000E+00", "0.1100E+01", "0.2006E+03", "0.3999E+03"};
    for (int g = 1; g <= 6; ++g)
        EXPECT_EQ(crv[6 + 11 * (g - 1)], "            " + std::to_string(g) + "         10      " + depth[g - 1]);
    // Sample 1, point 10: t = 0.93e-6, T = 5.58e-6; q = 10 / 6 = 1.6667.
    EXPECT_EQ(crv[6 + 10], std::string(40, ' ') + "       0.5580E-05      0.1667E+01");
    // Sample 4, point 2: t = 0.18 2 = 0.36, T = 2.16; q = 0.01 / 6 = 0.0016667.
    EXPECT_EQ(crv[6 + 33 + 2], std::string(40, ' ') + "       0.2160E+01      0.1667E-02");
    // Tables: k = 4, T = 16286.0544, theta = 0.0016667 at head and tip; tip torque 0.
    const std::string head = "        TOP  MOM.     TOP MOVEMENT     TIP MOVEMENT     TIP  MOM.";
    const std::string units = "         LBS- IN           RAD              RAD          IN-LBS";
    for (int b = 0; b < 2; ++b) {
        const std::size_t at = 72 + 14 * b;
        EXPECT_EQ(crv[at], "");
        EXPECT_EQ(crv[at + 2], "");
        EXPECT_EQ(crv[at + 3], head);
        EXPECT_EQ(crv[at + 4], units);
        EXPECT_EQ(crv[at + 5 + 3], b == 0 ? "      -0.1629E+05     -0.1667E-02     -0.1667E-02      0.0000E+00"
                                          : "       0.1629E+05      0.1667E-02      0.1667E-02      0.0000E+00");
    }
}

// Estimated maximum unit side resistance where the input gives none, at
// depth 100 in of a uniform layer (gamma = 0.04 pci, phi as given), English units.
TEST_F(TorsionCurves, EstimatedSideResistance) {
    struct Case {
        int ptype, code;
        double c, phideg, zg, dft, fmax;
    };
    const Case cases[] = {
        // Driven, clay: ratio = c / zg / gamma; alpha = 0.5 / ratio^0.25 (ratio > 1)
        // or 0.5 / sqrt(ratio); alpha < 0.5 with c < 3.47 psi becomes 1.
        {1, 1, 5, 0, 100, 0, 2.3643540},   // ratio 1.25: alpha 0.4728708, 5 alpha
        {1, 2, 3, 0, 100, 0, 1.7320508},   // ratio 0.75: alpha 0.5773503
        {1, 3, 3, 0, 50, 0, 3.0},          // ratio 1.5: alpha 0.4518 < 0.5, c < 3.47: alpha 1
        {1, 11, 5, 0, 0, 0, 0.7476744},    // zg 0 taken as 1: ratio 125, alpha 0.1495349
        {1, 9, 5, 0, 100, 0, 0.5},         // rock: 0.1 c
        {1, 10, 0.5, 0, 100, 0, 0.5},      // ratio 0.125: alpha 1.4142136, held to 1: c
        // Driven, sand: gamma 0.8 zg tan(phi - 0.087) = 3.2 tan(0.4365988) = 3.2 0.4666321
        {1, 4, 0, 30, 100, 0, 1.4932227},
        {1, 7, 5, 30, 100, 0, 1.4932227 + 2.3643540},  // silt: sand part + alpha c
        {1, 7, 0.5, 30, 100, 0, 1.4932227 + 0.5},      // silt, ratio 0.125: alpha held to 1
        {1, 5, 5, 30, 100, 0, 0.25},       // user p-y layer: the value read stays
        // Drilled: 0.55 c; gamma zg beta, beta = 1.5 - 0.135 sqrt(dft / 12) in 0.25..1.2.
        {2, 13, 5, 0, 100, 0, 2.75},
        {2, 8, 0, 30, 100, 100, 4.4411543},  // beta = 1.5 - 0.135 sqrt(8.3333) = 1.1102886
        {2, 4, 0, 30, 100, 12, 4.8},         // beta = 1.365, held to 1.2
        {2, 4, 0, 30, 100, 1200, 1.0},       // beta = 0.15, held to 0.25
        {2, 7, 5, 30, 100, 100, 2.75 + 4.4411543},
        {2, 12, 5, 30, 100, 100, 0.25},
        // Above the ground line at the pile (zg < 0) a drilled shaft has no overburden.
        {2, 4, 0, 30, -50, 100, 0.0},
        {2, 7, 5, 30, -50, 100, 2.75},
    };
    for (const Case& c : cases) {
        set_model(c.ptype, {{0, 400, c.code, c.c, 0.01, 0, 0}}, {{200, 1e20, 1e20}});
        SCPHI(1) = SCPHI(2) = c.phideg * 3.141592653589793 / 180.0;
        int st = 0;
        double fmax = -1.0;
        EXPECT_TRUE(side_resistance_estimate(c.ptype, c.code, 100.0, c.zg, c.dft, 0.25, fmax, st));
        EXPECT_EQ(st, 0);
        EXPECT_NEAR(fmax, c.fmax, 1e-6 * c.fmax) << c.ptype << " " << c.code;
    }
}

// Without overburden stress (gamma = 0) the clay rule stays finite: the ratio
// is unbounded, alpha = 0 and (c >= 3.47) fmax = 0; without cohesion as well, 0.
TEST_F(TorsionCurves, EstimateWithoutUnitWeight) {
    for (double c : {5.0, 0.0}) {
        set_model(1, {{0, 400, 1, c, 0.01, 0, 0}}, {{200, 1e20, 1e20}});
        SCGAM(1) = SCGAM(2) = 0.0;
        int st = 0;
        double fmax = -1.0;
        EXPECT_TRUE(side_resistance_estimate(1, 1, 100.0, 100.0, 0.0, 0.0, fmax, st));
        EXPECT_EQ(fmax, 0.0) << c;
    }
}

// The t-z curve by pile type and soil code, seen at its second point (fmax = 1,
// D = 12 in): driven clay and rock z = 0.01, t = 0.18; driven sand (phi 28:
// K = 6000) t = 0.01 / (0.01 + 144 / 6000) = 0.29411765; driven user and
// elastic layers z = 0.0016 D = 0.0192, t = 0.3; drilled cohesionless z =
// 0.001 D = 0.012, t = 0.335; drilled cohesive t = 0.51. A drilled shaft in a
// user layer is cohesionless above 1 degree, cohesive at and below it.
TEST_F(TorsionCurves, CurveByPileTypeAndSoilCode) {
    struct Case {
        int ptype, code;
        double phi, z2, t2;
    };
    const Case cases[] = {
        {1, 1, 0, 0.01, 0.18},    {1, 6, 0, 0.01, 0.18},      {1, 11, 0, 0.01, 0.18},
        {1, 4, 28, 0.01, 0.29411765}, {1, 7, 28, 0.01, 0.29411765}, {1, 5, 0, 0.0192, 0.3},
        {1, 12, 0, 0.0192, 0.3},  {2, 8, 30, 0.012, 0.335},   {2, 5, 30, 0.012, 0.335},
        {2, 5, 1, 0.012, 0.51},   {2, 5, 0.5, 0.012, 0.51},   {2, 12, 0, 0.012, 0.51},
        {2, 9, 0, 0.012, 0.51},   {2, 13, 0, 0.012, 0.51},
    };
    NUNITS = 1;
    for (const Case& c : cases) {
        TZTAB T, Z;
        TZVAL fmax, phi;
        fmax(3) = 1.0;
        phi(3) = c.phi;
        tz_curve_of(c.ptype, c.code, 3, 12.0, T, Z, fmax, phi);
        EXPECT_NEAR(Z(2, 3), c.z2, 1e-7 * c.z2) << c.ptype << " " << c.code << " " << c.phi;
        EXPECT_NEAR(T(2, 3), c.t2, 1e-7 * c.t2) << c.ptype << " " << c.code << " " << c.phi;
    }
}

// A mid-point iteration that cannot settle ends after its pass limit with
// its last iterate and one warning line per curve: a negative input side
// resistance (-2 psi in a user p-y layer, kept as read) on a soft shaft (GJ =
// 1e4) makes the mid-point rotation alternate between theta_b (t < 0 pulls it
// back by about 0.09 rad) and below zero (t = 0 returns it to theta_b).
TEST_F(TorsionCurves, MidPointIterationLimit) {
    set_model(1, {{0, 1, 5, 5, 0.01, -2, 0}, {1, 400, 5, 5, 0.01, -2, 0}}, {{200, 1e4, 1e4}});
    int n;
    AXPTS T, th;
    ASSERT_EQ(run(2, n, T, th), 0);
    ASSERT_EQ(n, 9);
    for (int k = 1; k <= 9; ++k) EXPECT_TRUE(std::isfinite(T(k)) && std::isfinite(th(k))) << k;
    EXPECT_EQ(file("res.txt"), (std::vector<std::string>{
                                   "        ** WARNING ** PILE ROW     1: THE TORSION MID-POINT ITERATION DID NOT CONVERGE"}));
}

}  // namespace
}  // namespace zolan
