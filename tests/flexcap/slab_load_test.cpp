// The slab's load vector (every kind of load at the load factor of the step,
// assembled to the nodes), the nodal-vector norms, and the springs of the
// deck on the element matrices: each spring where its record puts it, by the
// shape values of its point.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "flexcap/shell_element.h"
#include "flexcap/slab_analysis.h"
#include "support/seams.h"
#include "support/slab_mesh.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// 2 x 2 mesh of unit squares: centre node 11 (1, 1) in elements 1 to 4;
// element 1 has corners 1 (0,0) 3 (1,0) 11 (1,1) 9 (0,1), left midside 6
// (0, 0.5); element 4 corners 11, 13, 21, 19 and midsides 17, 16, 18, 15
// (lower, right, upper, left); element 2's first corner is node 3.
void mesh_2x2(const std::function<void(SlabControl&)>& counts) {
    test::slab_mesh(2, 2, 1, 1, 0, counts);
    FCTAB.PRMAT(1, 1) = 1000, FCTAB.PRMAT(2, 1) = 0.25, FCTAB.PRMAT(3, 1) = 0.5;
    FCGAUS(FCCTRL.NGAUS, FCTAB.ELW);
}

TEST(SlabLoad, EveryKindAtTheLoadFactor) {
    struct Case { double tini, tend, ttime, f; };
    const Case cases[] = {{0, 1, 0.25, 0.25}, {0, 1, 0, 0}, {2, 2, 2, 1}};
    for (const Case& c : cases) {
        mesh_2x2([](SlabControl& k) { k.NNLOD = k.NDLOD = k.NCLOD = k.NELOD = 1; });
        FCCTRL.TINI = c.tini, FCCTRL.TEND = c.tend, FCCTRL.TTIME = c.ttime;
        FCTAB.INLND(1) = 11;
        for (int j = 1; j <= 6; ++j) FCTAB.VNLOD(j, 1) = 10 * j;
        FCTAB.IDLEL(1) = 4, FCTAB.VDLOD(3, 1) = 2;
        FCTAB.ICLEL(1) = 2, FCTAB.PCLOD(1, 1) = -1, FCTAB.PCLOD(2, 1) = -1, FCTAB.VCLOD(1, 1) = 5;
        FCTAB.IEDLD(1, 1) = 1, FCTAB.IEDLD(2, 1) = 4, FCTAB.IEDLD(3, 1) = 2;
        for (int j = 1; j <= 3; ++j) FCTAB.VEDLD(j, 1) = 3;
        FCTAB.ELLOD.fill(0);
        int ISTAT = 0;
        FCLOAD(ISTAT);
        ASSERT_EQ(ISTAT, 0);
        // The nodal load sits once, in element 1 at the centre's place (corner 3).
        for (int j = 1; j <= 6; ++j) EXPECT_DOUBLE_EQ(FCTAB.ELLOD(12 + j, 1), c.f * 10 * j);
        for (int e = 2; e <= 4; ++e) EXPECT_NEAR(FCTAB.ELLOD(3, e), e == 4 ? -c.f * 2.0 / 12 : 0.0, 1e-7);
        FCTAB.REACT.fill(0);
        FCASSM(FCTAB.ELLOD, FCTAB.REACT, FCTAB.ICONN);
        const double f = c.f;
        // (Gauss constants are single precision: 1e-7.)
        // Pressure 2 on a unit square: -1/12 at corners, 1/3 at midsides of the
        // total 2; the point load at element 2's corner all on node 3; the edge
        // load 3 per length on x = 0, y 0..1 (full value): 1/6, 1/6, 2/3 of 3.
        const struct { int node, dof; double value; } expect[] = {
            {11, 3, f * 30 - f * 2.0 / 12}, {13, 3, -f * 2.0 / 12}, {12, 3, f * 2.0 / 3}, {16, 3, f * 2.0 / 3},
            {11, 1, f * 10},                {3, 1, f * 5},          {1, 2, 0.5},          {9, 2, 0.5},
            {6, 2, 2.0},                    {11, 6, f * 60},
        };
        for (const auto& x : expect) EXPECT_NEAR(FCTAB.REACT(x.dof, x.node), x.value, 1e-7) << x.node << "/" << x.dof;
        double t = 0, r = 0;
        FCNORM(FCTAB.REACT, t, r, 6L * FCCTRL.NPOIN);
        double tt = 0;
        for (int n = 1; n <= FCCTRL.NPOIN; ++n)
            for (int i = 1; i <= 3; ++i) tt += FCTAB.REACT(i, n) * FCTAB.REACT(i, n);
        EXPECT_DOUBLE_EQ(t, std::sqrt(tt));
    }
    // Norms by sets of six: 5 values give nothing, 12 two nodes.
    RTab v;
    v.allocate(12);
    for (int i = 1; i <= 12; ++i) v(i) = i <= 3 || (i >= 7 && i <= 9) ? 2 : 1;
    double t = 0, r = 0;
    FCNORM(v, t, r, 5);
    EXPECT_EQ(t, 0.0);
    EXPECT_EQ(r, 0.0);
    FCNORM(v, t, r, 12);
    EXPECT_DOUBLE_EQ(t, std::sqrt(24.0));
    EXPECT_DOUBLE_EQ(r, std::sqrt(6.0));
}

// Diagonal of element e's matrix after FCSTIF.
std::vector<double> diagonal(int e) {
    int ISTAT = 0;
    FCTAB.ELLOD.fill(0);
    FCSTIF(ISTAT);
    EXPECT_EQ(ISTAT, 0);
    std::vector<double> d;
    for (int i = 1; i <= FCCTRL.NEVAB; ++i) d.push_back(FCTAB.ELSTF(i, i, e));
    return d;
}

// Springs on the 2 x 2 mesh sheared into parallelograms (x + 0.5 y): each
// record's added diagonal against the bare shell's.
TEST(SlabLoad, SpringsOnTheElementDiagonal) {
    test::TempDir dir;
    test::Seams seams;
    flexcap_services = {};
    const auto setup = [](bool on) {
        mesh_2x2([on](SlabControl& k) {
            k.NNSTI = k.NDSTI = k.NCSTI = k.NCTSTI = 1;
            k.KPSPR = on ? 1 : 0;
        });
        for (int n = 1; n <= FCCTRL.NPOIN; ++n) FCTAB.XYNOD(1, n) += 0.5 * FCTAB.XYNOD(2, n);
        const double s = on ? 1 : 0;
        FCTAB.INSND(1) = 11;
        FCTAB.IDSEL(1) = 4, FCTAB.ICSEL(1) = 2, FCTAB.ICTEL(1) = 3;
        FCTAB.PCSTI(1, 1) = FCTAB.PCSTI(2, 1) = -1;
        for (int i = 1; i <= 6; ++i) FCTAB.VNSTI(i, 1) = 100 * i * s, FCTAB.VDSTI(i, 1) = 7 * s, FCTAB.VCSTI(i, 1) = 3 * s;
    };
    // Piles answer a tangent -k I and a force (cap axes) at every point.
    flexcap_services.piles = [](int n, RTab&, RTab& F, RTab& K) {
        for (int r = 1; r <= n; ++r)
            for (int i = 1; i <= 6; ++i) {
                F(i, r) = i;
                for (int j = 1; j <= 6; ++j) K(i, j, r) = i == j ? -50.0 : 0.0;
            }
    };
    std::vector<double> bare[5], with[5];
    setup(false);
    for (int e = 1; e <= 4; ++e) bare[e] = diagonal(e);
    double bare15[6][6];
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) bare15[i - 1][j - 1] = FCTAB.ELSTF(i, 24 + j, 3);
    setup(true);
    for (int e = 1; e <= 4; ++e) with[e] = diagonal(e);
    EXPECT_EQ(FCTAB.INSND(1), 11);
    const double S = 1.0;  // area of each parallelogram
    for (int e = 1; e <= 4; ++e)
        for (int k = 1; k <= 8; ++k)
            for (int i = 1; i <= 6; ++i) {
                double add = 0;
                if (e == 1 && k == 3) add += 100 * i;                   // nodal, first element only
                if (e == 4) add += k <= 4 ? -S * 7 / 12 : S * 7 / 3;    // distributed
                if (e == 2 && k == 1) add += 3;                         // concentrated at corner 1
                if (e == 3) add += (k <= 4 ? 0.0625 : 0.25) * 50;       // pile at the centre: -N_k N_k Ks, Ks = -50 I
                EXPECT_NEAR(with[e][6 * (k - 1) + i - 1] - bare[e][6 * (k - 1) + i - 1], add, 1e-7)
                    << "element " << e << " node " << k << " dof " << i;
            }
    // The pile point couples the element's nodes by N_k N_l: corner 1 and
    // midside 5 (N = -0.25 and 0.5 at the centre) by -0.125 times the spring,
    // in each degree of freedom alone.
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j)
            EXPECT_NEAR(FCTAB.ELSTF(i, 24 + j, 3) - bare15[i - 1][j - 1], i == j ? -0.125 * 50 : 0.0, 1e-7)
                << i << " " << j;
    // The pile force enters the right-hand side in slab axes, s = A p, by N.
    double p[6] = {1, 2, 3, 4, 5, 6}, s[6];
    CAPVEC pv;
    for (int i = 1; i <= 6; ++i) pv(i) = p[i - 1];
    cap_to_slab(pv, s);
    const double expect_s[6] = {3, 2, -1, -5, 6, -4};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(s[i], expect_s[i]);
    for (int i = 1; i <= 6; ++i) EXPECT_NEAR(FCTAB.ELLOD(i, 3), -0.25 * s[i - 1], 1e-12);
    for (int i = 1; i <= 6; ++i) EXPECT_NEAR(FCTAB.ELLOD(24 + i, 3), 0.5 * s[i - 1], 1e-12);
    // A rigid translation in X moves no internal force.
    flexcap_services = {};
    setup(false);
    for (int n = 1; n <= FCCTRL.NPOIN; ++n) FCTAB.ASDIS(1, n) = 0.01;
    diagonal(1);
    for (int e = 1; e <= 4; ++e)
        for (int i = 1; i <= FCCTRL.NEVAB; ++i) EXPECT_NEAR(FCTAB.ELLOD(i, e), 0.0, 1e-12);
}

}  // namespace
}  // namespace zolan
