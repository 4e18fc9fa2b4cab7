// The slab's shell element assembled and solved as a plate: plate-theory
// benchmarks of a square plate, the patch tests of constant membrane stress
// and of constant moment, the load vector of each kind of load, and the
// springs of the deck on the element matrix.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "flexcap/shell_element.h"
#include "flexcap/slab_analysis.h"
#include "flexcap/slab_program.h"
#include "report/run_files.h"
#include "support/slab_mesh.h"
#include "support/temp_dir.h"
#include "support/thick_plate_reference.h"

namespace zolan {
namespace {

using Codes = std::function<void(double x, double y, int code[6], double value[6])>;

// Restrains every node for which `fix` sets a code: nvfix records, one per node.
void restrain_nodes(const Codes& fix) {
    int r = 0;
    for (int n = 1; n <= FCCTRL.NPOIN; ++n) {
        int code[6] = {0, 0, 0, 0, 0, 0};
        double value[6] = {0, 0, 0, 0, 0, 0};
        fix(FCTAB.XYNOD(1, n), FCTAB.XYNOD(2, n), code, value);
        bool any = false;
        for (int i = 0; i < 6; ++i) any = any || code[i] == 1;
        if (!any) continue;
        ++r;
        FCTAB.IFXND(r) = n;
        for (int i = 1; i <= 6; ++i) FCTAB.IFXCD(i, r) = code[i - 1], FCTAB.FXVAL(i, r) = value[i - 1];
    }
}

int node_at(double x, double y) {
    for (int n = 1; n <= FCCTRL.NPOIN; ++n)
        if (std::fabs(FCTAB.XYNOD(1, n) - x) < 1e-9 && std::fabs(FCTAB.XYNOD(2, n) - y) < 1e-9) return n;
    return 0;
}

int count_restrained(int nx, int ny, double a, double b, const Codes& fix, const std::function<void()>& shape = {}) {
    test::slab_mesh(nx, ny, a, b, 0);
    if (shape) shape();
    int r = 0;
    for (int n = 1; n <= FCCTRL.NPOIN; ++n) {
        int code[6] = {0, 0, 0, 0, 0, 0};
        double value[6];
        fix(FCTAB.XYNOD(1, n), FCTAB.XYNOD(2, n), code, value);
        bool any = false;
        for (int i = 0; i < 6; ++i) any = any || code[i] == 1;
        r += any ? 1 : 0;
    }
    return r;
}

void material(double E, double nu, double t) {
    FCTAB.PRMAT(1, 1) = E;
    FCTAB.PRMAT(2, 1) = nu;
    FCTAB.PRMAT(3, 1) = t;
}

// One linear solve at the full load from zero displacements; DSDIS holds the answer.
int solve_once() {
    int ISTAT = 0;
    FCGAUS(FCCTRL.NGAUS, FCTAB.ELW);
    CHECK2(FCTAB.XYNOD, FCTAB.IFXND, FCTAB.IFXCD, FCTAB.ICONN, FCTAB.IMATE, ISTAT);
    FCFRALLOC(ISTAT);
    FCCTRL.TINI = 0, FCCTRL.TEND = 1, FCCTRL.TTIME = 1;
    for (RTab* v : {&FCTAB.ASDIS, &FCTAB.TSDIS, &FCTAB.DSDIS, &FCTAB.REACT, &FCTAB.ELLOD}) v->fill(0);
    if (ISTAT == 0) FCSTIF(ISTAT);
    if (ISTAT == 0) FCLOAD(ISTAT);
    if (ISTAT == 0)
        FCSOLV(FCTAB.FXVAL, FCTAB.DSDIS, FCTAB.ELLOD, FCTAB.IFXND, FCTAB.REACT, FCTAB.ELSTF, FCTAB.IFXCD, FCTAB.ICONN,
               ISTAT);
    return ISTAT;
}


// Square plate 20 x 20, 8 x 8 elements, uniform pressure 1 on every element,
// nu 0.3, D = E t^3 / (12 (1 - nu^2)) = 1000. Centre deflections of the thick
// plate: simply supported (no tangential rotation on the edges), thickness 1
// (span / thickness 20, shear rigidity 5/6 G t = 3500): Navier's series
// 0.00406235 q a^4 / D plus the shear part M0 / (5/6 G t), M0 = 0.0736713 q a^2
// the centre value of the moment sum (Mx + My) / (1 + nu). Clamped, thickness
// 0.2 (span / thickness 100, 5/6 G t = 87500): 0.00126532 q a^4 / D plus the
// small shear part of its moment sum at the centre, 0.0462 q a^2 / 1.3.
// Clamped, thickness 1 (span / thickness 20): no closed form; the reference
// is the collocation solution of the thick-plate equations, which gives the
// simply supported value above to six figures and, at span / thickness 10,
// the published 0.0015046 q a^4 / D.
TEST(SlabPlate, SquarePlateCentreDeflection) {
    test::TempDir dir;
    const double a = 20, q = 1, D = 1000;
    const double simple20 = 0.00406235 * q * std::pow(a, 4) / D + 0.0736713 * q * a * a / 3500;
    EXPECT_NEAR(test::thick_plate_centre_deflection(16, false, a, D, 0.3, 3500, q) / simple20, 1.0, 1e-6);
    EXPECT_NEAR(test::thick_plate_centre_deflection(16, true, a, D, 0.3, 875, q) * D / (q * std::pow(a, 4)), 0.0015046, 1e-7);
    const double clamped20 = test::thick_plate_centre_deflection(16, true, a, D, 0.3, 3500, q);
    struct Case { bool clamped; double E, t, expect, tol; };
    const Case cases[] = {
        {false, 10920, 1, simple20, 0.005},
        {true, 10920, 1, clamped20, 0.01},
        {true, 1365000, 0.2, 0.00126532 * q * std::pow(a, 4) / D + 0.0462 / 1.3 * q * a * a / 87500, 0.01},
    };
    for (const Case& c : cases) {
        const Codes fix = [&](double x, double y, int code[6], double v[6]) {
            for (int i = 0; i < 6; ++i) v[i] = 0;
            const bool xe = x < 1e-9 || x > a - 1e-9, ye = y < 1e-9 || y > a - 1e-9;
            if (!xe && !ye) return;
            code[0] = code[1] = code[2] = 1;                       // u, v, w
            if (c.clamped || ye) code[3] = 1;                      // dw/dx along y edges
            if (c.clamped || xe) code[4] = 1;                      // dw/dy along x edges
        };
        const int nfix = count_restrained(8, 8, 2.5, 2.5, fix);
        test::slab_mesh(8, 8, 2.5, 2.5, nfix, [](SlabControl& k) { k.NDLOD = 64; });
        material(c.E, 0.3, c.t);
        restrain_nodes(fix);
        for (int e = 1; e <= 64; ++e) FCTAB.IDLEL(e) = e, FCTAB.VDLOD(3, e) = q;
        ASSERT_EQ(solve_once(), 0);
        const double w = FCTAB.DSDIS(3, node_at(10, 10));
        EXPECT_NEAR(w / c.expect, 1.0, c.tol) << (c.clamped ? "clamped " : "simply supported ") << w << " vs " << c.expect;
    }
}

// Patch tests on a 2 x 2 mesh of distorted elements: the boundary nodes take
// a field the element must reproduce exactly, and the free interior nodes
// must land on it. Membrane: a linear u, v (constant stress), the centre node
// moved to (1.1, 0.9) (its four sides kept straight, midside nodes at their
// middles). Plate: w = -(kx x^2 + ky y^2) / 2 with the slopes dw/dx, dw/dy
// (constant curvatures and moments, no transverse shear) on the mesh sheared
// into parallelograms (x + 0.3 y), where the element holds every quadratic.
TEST(SlabPlate, PatchTests) {
    test::TempDir dir;
    using Field = std::function<void(double x, double y, double f[6])>;
    const Field membrane = [](double x, double y, double f[6]) {
        const double v[6] = {1e-3 * x + 2e-4 * y, 3e-4 * x - 5e-4 * y, 0, 0, 0, 0};
        for (int i = 0; i < 6; ++i) f[i] = v[i];
    };
    const double kx = 1e-3, ky = -4e-4;
    const Field bending = [&](double x, double y, double f[6]) {
        const double v[6] = {0, 0, -(kx * x * x + ky * y * y) / 2, -kx * x, -ky * y, 0};
        for (int i = 0; i < 6; ++i) f[i] = v[i];
    };
    for (const Field* field : {&membrane, &bending}) {
        const double skew = field == &bending ? 0.3 : 0.0;
        const Codes fix = [&](double x, double y, int code[6], double v[6]) {
            const double xs = x - skew * y;
            const bool edge = xs < 1e-9 || xs > 2 - 1e-9 || y < 1e-9 || y > 2 - 1e-9;
            (*field)(x, y, v);
            for (int i = 0; i < 6; ++i) code[i] = edge && i < 5 ? 1 : 0;
        };
        const auto shape = [skew] {
            const double moved[5][4] = {{1, 1, 1.1, 0.9}, {0.5, 1, 0.55, 0.95}, {1.5, 1, 1.55, 0.95},
                                        {1, 0.5, 1.05, 0.45}, {1, 1.5, 1.05, 1.45}};
            for (const auto& m : moved) {
                const int n = node_at(m[0], m[1]);
                if (skew == 0) FCTAB.XYNOD(1, n) = m[2], FCTAB.XYNOD(2, n) = m[3];
            }
            for (int n = 1; n <= FCCTRL.NPOIN; ++n) FCTAB.XYNOD(1, n) += skew * FCTAB.XYNOD(2, n);
        };
        const int nfix = count_restrained(2, 2, 1, 1, fix, shape);
        test::slab_mesh(2, 2, 1, 1, nfix);
        shape();
        material(1000, 0.25, 0.5);
        restrain_nodes(fix);
        ASSERT_EQ(solve_once(), 0);
        for (int n = 1; n <= FCCTRL.NPOIN; ++n) {
            double f[6];
            (*field)(FCTAB.XYNOD(1, n), FCTAB.XYNOD(2, n), f);
            for (int i = 1; i <= 5; ++i) EXPECT_NEAR(FCTAB.DSDIS(i, n), f[i - 1], 1e-12) << "node " << n << " dof " << i;
        }
        // Stress recovery: the same constant resultants at every node. Membrane
        // E / (1 - nu^2) = 1066.67, G = 400; plate D = E t^3 / (12 (1 - nu^2)) = 11.111.
        const double Em = 1000 / 0.9375, Dp = 1000 * 0.125 / (12 * 0.9375);
        const double expect[8] = {field == &membrane ? Em * (1e-3 - 0.25 * 5e-4) : 0,
                                  field == &membrane ? Em * (-5e-4 + 0.25 * 1e-3) : 0,
                                  field == &membrane ? 400 * 5e-4 : 0,
                                  field == &bending ? Dp * (kx + 0.25 * ky) : 0,
                                  field == &bending ? Dp * (ky + 0.25 * kx) : 0,
                                  0, 0, 0};
        for (int n = 1; n <= FCCTRL.NPOIN; ++n)
            for (int i = 1; i <= 6; ++i) FCTAB.ASDIS(i, n) = FCTAB.DSDIS(i, n);
        ASSERT_TRUE(io::open_unit(FCLSFILE, "listing", {}) && io::open_unit(FCRSFILE, "results", {}));
        FCCTRL.ISTEP = 1;
        FCSTRS();
        io::close_unit(FCLSFILE);
        io::close_unit(FCRSFILE);
        const std::vector<std::string> lines = test::lines_of(test::read_file("results"));
        ASSERT_EQ(static_cast<int>(lines.size()), 4 + FCCTRL.NPOIN);
        EXPECT_EQ(lines[0], "STEP_DATA");
        EXPECT_EQ(lines[1], "14");
        EXPECT_EQ(lines[3], "STEP       1");
        for (int n = 1; n <= FCCTRL.NPOIN; ++n)
            for (int i = 0; i < 8; ++i)
                EXPECT_NEAR(std::stod(lines[3 + n].substr(5 + 12 * (6 + i), 12)), expect[i], 1e-4 * (1 + std::fabs(expect[i])))
                    << "node " << n << " component " << i + 1;
    }
}

// A nine-node element with the three-point rule has a Gauss point on its
// centre node: the node takes that point's stresses (the limit of the
// inverse-distance weights), not an undefined value. Uniaxial stretch 1e-3
// along x of a unit square (x = 0 held, x = 1 moved by 1e-3, the plate
// freedoms held), E 1000, nu 0.25: SXX = E 1e-3 = 1 at every node, the other
// resultants 0.
TEST(SlabPlate, NineNodeCentreStress) {
    test::TempDir dir;
    std::string deck = "NINE\n9 1 1 9 3 9 0 0 0 0 0 0 0 0 0 0\n1 0 1 0.1 10 0\n1 1 1 1 2 3 4 5 6 7 8 9\n";
    const double xy[9][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0.5, 0}, {1, 0.5}, {0.5, 1}, {0, 0.5}, {0.5, 0.5}};
    for (int n = 1; n <= 9; ++n)
        deck += std::to_string(n) + " " + std::to_string(n) + " " + std::to_string(xy[n - 1][0]) + " " + std::to_string(xy[n - 1][1]) + "\n";
    for (int n = 1; n <= 9; ++n) {
        const double x = xy[n - 1][0];
        const bool end = x == 0 || x == 1;
        deck += std::to_string(n) + (end ? " 1" : " 0") + (n == 1 ? " 1" : " 0") + " 1 1 1 1 " + (x == 1 ? "0.001" : "0") +
                " 0 0 0 0 0\n";
    }
    deck += "1 1000 0.25 0.5\n";
    test::write_file("deck", deck);
    int ISTAT = 0;
    FCSLAB({"deck", "listing", "results", "log"}, ISTAT);
    ASSERT_EQ(ISTAT, 0);
    const std::vector<std::string> lines = test::lines_of(test::read_file("results"));
    ASSERT_EQ(lines.size(), 4u + 9u + 1u);
    for (int n = 1; n <= 9; ++n)
        for (int i = 0; i < 8; ++i)
            EXPECT_NEAR(std::stod(lines[3 + n].substr(5 + 12 * (6 + i), 12)), i == 0 ? 1.0 : 0.0, 1e-4)
                << "node " << n << " component " << i + 1 << ": " << lines[3 + n];
}

}  // namespace
}  // namespace zolan
