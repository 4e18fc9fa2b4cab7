// Node mesh of a pile row: node depths and axial positions, the node range of
// each soil layer (a node takes the layer that contains it), the length check
// against the bottom of the deepest layer with its fatal block and status, the
// user p-y row, and the once-per-run increment lengths and layer sentinel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "model/status_codes.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_rows.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "pile/node_mesh.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "support/py_fixture.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

using test::lines_of;
using test::read_file;

using Layers = std::vector<std::pair<double, double>>;  // (top, bottom) of each layer
using Ranges = std::vector<std::pair<int, int>>;        // (LAYNF, LAYNL) of each layer

const Layers THREE = {{0, 10}, {10, 20}, {20, 50}};

class NodeMesh : public ::testing::Test {
protected:
    void SetUp() override {
        saved_kupy_ = KUPY;
        saved_kbatad_ = KBATAD;
        clear();
    }
    // Empty model tables, no user p-y sets, depths not adjusted for batter.
    void clear() {
        reset_node_tables();
        reset_pile_tables();
        reset_soil_tables();
        reset_section_tables();
        KUPY = 0;
        KBATAD = 0;
    }
    void TearDown() override {
        io::close_unit(RESFILE);
        io::close_unit(RUNFILE);
        reset_node_tables();
        reset_pile_tables();
        reset_soil_tables();
        reset_section_tables();
        reset_unit_labels();
        KUPY = saved_kupy_;
        KBATAD = saved_kbatad_;
    }
    // Row p on property set 1 (length, n increments), head at `head` in the
    // model's own head coordinate; the other model's head coordinate is set to
    // a value far away, so a mesh from the wrong one shows.
    void row(int p, const Layers& layers, double head, double length, int n, bool plane = false,
             double batang = 0.0) {
        NLAYPY = static_cast<int>(layers.size());
        for (int l = 1; l <= NLAYPY; ++l) {
            LAYTOP(l) = layers[l - 1].first;
            LAYBOT(l) = layers[l - 1].second;
        }
        NPILES = std::max(NPILES, p);
        IPROP(p) = 1;
        PLENP(1) = length;
        NINCR(1) = n;
        CORX(p) = plane ? 999.0 : head;
        XTOP(p) = plane ? head : 999.0;
        BATANG(p) = batang;
        NODESETUP();
    }
    void mesh(int p, bool plane, int& istat) {
        if (plane)
            NODE2D(p, istat);
        else
            NODE(p, istat);
    }
    void open_reports() {
        ASSERT_TRUE(io::open_unit(RESFILE, "res.txt", {}));
        ASSERT_TRUE(io::open_unit(RUNFILE, "run.txt", {}));
    }
    std::pair<std::vector<std::string>, std::vector<std::string>> reports() {
        io::close_unit(RESFILE);
        io::close_unit(RUNFILE);
        return {lines_of(read_file("res.txt")), lines_of(read_file("run.txt"))};
    }
    test::TempDir dir_;
    int saved_kupy_ = 0, saved_kbatad_ = 0;
};

// Layouts that pass the length check: depths and axial positions by repeated
// addition, and each layer's first and last node (0 0: no node in the layer).
TEST_F(NodeMesh, LayerRangesOfAcceptedPiles) {
    struct Case {
        const char* what;
        Layers layers;
        double head, length;
        int n;
        bool plane;
        double batang;
        int kbatad;
        std::vector<double> depth, axis;  // axis empty: the same as depth
        Ranges ranges;
    };
    const double c03 = 0.955336489125606;  // cos 0.3
    const Case cases[] = {
        // h = 30/3 = 10: nodes at 0, 10, 20, 30. Node 2 on the top of layer 2 is
        // layer 2's; nodes 3 and 4 in layer 3, whose bottom 50 is below the tip.
        {"length 30, 3 increments", THREE, 0, 30, 3, false, 0, 0, {0, 10, 20, 30}, {}, {{1, 1}, {2, 2}, {3, 4}}},
        // h = 5: nodes at 0, 5, 10, 15. Layer 2 (10..20) holds 10 and 15 and its
        // bottom 20 >= tip 15, so it ends at the tip. Layer 3 (20..50) lies wholly
        // below the tip and holds no node: 0 0 (a layer below the tip is marked
        // as holding no node, not as holding the tip node alone).
        {"length 15, 3 increments", THREE, 0, 15, 3, false, 0, 0, {0, 5, 10, 15}, {}, {{1, 2}, {3, 4}, {0, 0}}},
        // Tip exactly at the deepest bottom: h = 50/5 = 10, sums 10 .. 50 exact,
        // 50 <= 50 accepted; nodes 3 .. 6 (20 .. 50) in layer 3.
        {"tip at the deepest bottom", THREE, 0, 50, 5, false, 0, 0, {0, 10, 20, 30, 40, 50}, {},
         {{1, 1}, {2, 2}, {3, 6}}},
        // Tip on the top of layer 3: h = 10, nodes 0, 10, 20. Node 3 (20) is
        // layer 3's; layer 2 holds node 2 and its bottom 20 >= tip 20, so it
        // ends at the tip too; layer 3 holds the tip node alone.
        {"tip on a layer top", THREE, 0, 20, 2, false, 0, 0, {0, 10, 20}, {}, {{1, 1}, {2, 3}, {3, 3}}},
        // Tip alone in the deepest layer: tops 0, 10, 25, h = 10, nodes 0, 10,
        // 20, 30. Layer 2 holds 10 and 20 and ends there (bottom 25 < tip 30);
        // layer 3 holds the tip node alone (the p-y evaluation gives the tip
        // that layer's spring).
        {"tip alone in its layer", {{0, 10}, {10, 25}, {25, 50}}, 0, 30, 3, false, 0, 0, {0, 10, 20, 30}, {},
         {{1, 1}, {2, 3}, {4, 4}}},
        // Batter 0.3 with depths adjusted: h = 51/3 = 17 along the axis,
        // hv = 17 cos 0.3 = 16.2407203; depths 0, 16.2407, 32.4814, 48.7222
        // (tip above the bottom 50); axis 0, 17, 34, 51. Node 2 in layer 2.
        {"batter 0.3, depths adjusted", THREE, 0, 51, 3, false, 0.3, 1,
         {0, 17 * c03, 34 * c03, 51 * c03}, {0, 17, 34, 51}, {{1, 1}, {2, 2}, {3, 4}}},
        // Head at depth 5 below the tops 0, 2 and 4: h = 10, nodes 5, 15, 25, 35,
        // all in layer 3 (4..50); layers 1 and 2 lie above the head: 0 0.
        {"head below two layer tops", {{0, 2}, {2, 4}, {4, 50}}, 5, 30, 3, false, 0, 0, {5, 15, 25, 35}, {},
         {{0, 0}, {0, 0}, {1, 4}}},
        // Tops 10, 11, 12, nodes every 5 from 0 (h = 30/6): 0 and 5 above layer
        // 1, 10 in layer 1 (10..11), 15 .. 30 in layer 3 (12..50); layer 2
        // (11..12) holds no node.
        {"layers thinner than an increment", {{10, 11}, {11, 12}, {12, 50}}, 0, 30, 6, false, 0, 0,
         {0, 5, 10, 15, 20, 25, 30}, {}, {{3, 3}, {0, 0}, {4, 7}}},
        // Plane model, head XTOP = 2 above the ground at 4: h = 5, nodes 2, 7,
        // 12, 17, 22; node 1 in no layer, 7 in layer 1 (4..12), 12 .. 22 in
        // layer 2 (12..40).
        {"plane row, head above the ground", {{4, 12}, {12, 40}}, 2, 20, 4, true, 0, 0, {2, 7, 12, 17, 22}, {},
         {{2, 2}, {3, 5}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clear();
        row(1, c.layers, c.head, c.length, c.n, c.plane, c.batang);
        KBATAD = c.kbatad;
        for (int l = 1; l <= MAXSLY; ++l) LAYNF(l, 1) = LAYNL(l, 1) = 77;  // an earlier layout's ranges
        int istat = 0;
        mesh(1, c.plane, istat);
        EXPECT_EQ(istat, 0);
        for (int k = 1; k <= c.n + 1; ++k) {
            EXPECT_NEAR(NDEPTH(1, k), c.depth[k - 1], 1e-9) << "node " << k;
            EXPECT_NEAR(NDAXIS(1, k), (c.axis.empty() ? c.depth : c.axis)[k - 1], 1e-9) << "node " << k;
        }
        for (int l = 1; l <= NLAYPY; ++l) {
            EXPECT_EQ(LAYNF(l, 1), c.ranges[l - 1].first) << "layer " << l;
            EXPECT_EQ(LAYNL(l, 1), c.ranges[l - 1].second) << "layer " << l;
        }
        EXPECT_EQ(LAYNF(NLAYPY + 1, 1), 0);
    }
}

// A row with a user p-y set: depths filled, every layer range 0, and no length
// check even far below the profile; the same row without the set is too long.
TEST_F(NodeMesh, UserPyRowHasNoRangesAndNoLengthCheck) {
    open_reports();
    // h = 100/4 = 25: nodes 0, 25, 50, 75, 100 against a profile ending at 50.
    row(1, THREE, 0, 100, 4);
    KUPY = 1;
    IPYSET(1) = 2;
    for (int l = 1; l <= MAXSLY; ++l) LAYNF(l, 1) = LAYNL(l, 1) = 77;
    int istat = 0;
    NODE(1, istat);
    EXPECT_EQ(istat, 0);
    const double depth[] = {0, 25, 50, 75, 100};
    for (int k = 1; k <= 5; ++k) {
        EXPECT_DOUBLE_EQ(NDEPTH(1, k), depth[k - 1]);
        EXPECT_DOUBLE_EQ(NDAXIS(1, k), depth[k - 1]);
    }
    for (int l = 1; l <= 4; ++l) EXPECT_EQ(LAYNF(l, 1) + LAYNL(l, 1), 0) << "layer " << l;
    EXPECT_TRUE(read_file("res.txt").empty());

    IPYSET(1) = 0;  // the curves of the soil layers: node 3 at 75 > 50
    NODE(1, istat);
    EXPECT_EQ(istat, ISPLEN);
}

// Piles that reach below the deepest layer: the six-record fatal block on the
// results report and the runtime file, the status of the model (3 or 13) set
// only when the word is 0, the block written on every failing call.
TEST_F(NodeMesh, PileBelowTheDeepestLayer) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        Layers layers;
        double head, length;
        int n;
        bool plane;
        double batang;
        int unitsel;    // unit labels: +1 English, -1 SI
        int before, after;
        const char* length_line;
    };
    const Case cases[] = {
        // One unit deeper than the bottom 50: head 1, h = 50/5 = 10, tip 51.
        // E10.2 of 50: "  0.50E+02"; ULEN " IN".
        {"head one unit deeper", THREE, 1, 50, 5, false, 0, 1, 0, ISPLEN,
         "     THE PILE LENGTH,   0.50E+02( IN), EXTENDS BELOW THE"},
        // Batter 0.3 without depth adjustment: depth advances by h = 17, tip 51 > 50.
        {"batter not adjusted", THREE, 0, 51, 3, false, 0.3, 1, 0, ISPLEN,
         "     THE PILE LENGTH,   0.51E+02( IN), EXTENDS BELOW THE"},
        // Plane model: status 13, SI label "  M".
        {"plane row", THREE, 0, 51, 3, true, 0, -1, 0, ISPLEN2D,
         "     THE PILE LENGTH,   0.51E+02(  M), EXTENDS BELOW THE"},
        // A status set earlier survives; the block is still written.
        {"earlier status kept", THREE, 0, 51, 3, false, 0, 1, ISDPHI, ISDPHI,
         "     THE PILE LENGTH,   0.51E+02( IN), EXTENDS BELOW THE"},
        // A head depth that does not compare: node 2 cannot be shown to lie in the profile.
        {"head not a number", THREE, nan, 30, 3, false, 0, 1, 0, ISPLEN,
         "     THE PILE LENGTH,   0.30E+02( IN), EXTENDS BELOW THE"},
        // No soil layers: every node below the head lies below the profile.
        {"no soil layers", {}, 0, 30, 3, false, 0, 1, 0, ISPLEN,
         "     THE PILE LENGTH,   0.30E+02( IN), EXTENDS BELOW THE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clear();
        open_reports();
        UNITLB(c.unitsel);
        row(1, c.layers, c.head, c.length, c.n, c.plane, c.batang);
        int istat = c.before;
        mesh(1, c.plane, istat);
        EXPECT_EQ(istat, c.after);
        const std::vector<std::string> block = {
            "", "", "", "     **** FATAL ERROR ****", c.length_line, "     BOTTOM OF THE DEEPEST LAYER."};
        auto [res, run] = reports();
        EXPECT_EQ(res, block);
        EXPECT_EQ(run, block);
    }
}

// Rows failing at once on eight threads: each row's block is written whole after
// the loop, so the results report holds eight copies of the six records.
TEST_F(NodeMesh, BlocksFromManyThreadsStayWhole) {
    open_reports();
    UNITLB(1);
    for (int p = 1; p <= 8; ++p) row(p, THREE, 0, 51, 3);  // tip 51 > 50
    std::vector<int> istat(8, 0);
    int status = 0, kerr = 0;
    for_pile_rows(1, 8, 8, status, kerr, [&istat](int p, RowReport& rep) {
        NODE(p, rep.istat);
        istat[p - 1] = rep.istat;
    });
    for (int s : istat) EXPECT_EQ(s, ISPLEN);
    EXPECT_EQ(status, ISPLEN);
    const std::vector<std::string> block = {"", "", "", "     **** FATAL ERROR ****",
                                            "     THE PILE LENGTH,   0.51E+02( IN), EXTENDS BELOW THE",
                                            "     BOTTOM OF THE DEEPEST LAYER."};
    std::vector<std::string> expected;
    for (int i = 0; i < 8; ++i) expected.insert(expected.end(), block.begin(), block.end());
    auto [res, run] = reports();
    EXPECT_EQ(res, expected);
    EXPECT_EQ(run, expected);
}

// Once per run: the increment length of every property set with increments
// (30/3 = 10, 15/4 = 3.75; a set without increments is left alone) and the
// sentinel LAYTOP(NLAYPY + 1) = LAYBOT(NLAYPY) = 50; without layers no sentinel.
TEST_F(NodeMesh, SetupStoresIncrementsAndSentinel) {
    NLAYPY = 3;
    for (int l = 1; l <= 3; ++l) {
        LAYTOP(l) = THREE[l - 1].first;
        LAYBOT(l) = THREE[l - 1].second;
    }
    PLENP(1) = 30;
    NINCR(1) = 3;
    PLENP(2) = 15;
    NINCR(2) = 4;
    PLENP(3) = 20;  // no increments
    NODESETUP();
    EXPECT_DOUBLE_EQ(HINCR(1), 10.0);
    EXPECT_DOUBLE_EQ(HINCR(2), 3.75);
    EXPECT_EQ(HINCR(3), 0.0);
    EXPECT_EQ(LAYTOP(4), 50.0);

    reset_soil_tables();
    LAYTOP(1) = 7;
    NODESETUP();  // NLAYPY = 0
    EXPECT_EQ(LAYTOP(1), 7.0);
}

// The layered-soil state formed once before the analyses, from the row's own
// mesh, with the loading type of the first load case analysed, equals by hand
// what the row's springs then read; an analysis evaluation leaves it as it is.
// Soft clay c = 500/144 psi over c = 1000/144 psi from 48 in, b = 24, gamma' =
// 50/1728, nodes every 12 in: layer 1 sums 12 (pu(12) + pu(24) + pu(36)) with
// pu(z) = (3 + 7 z / 240) 83.333 = 279.167, 308.333, 337.5: S = 11100 static,
// 0.72 * 11100 cyclic (0.72 in single precision, 0.7200000286102295: 7992.000318;
// then S / 0.72 = 11100 again). Layer 2: B = 3 c b
// = 500, A = 0.25 c + 0.5 gamma' b = 2.083333, xr = 240 with F(xr) = 240000 >
// S: z = (sqrt(500^2 + 4 A 11100) - 500) / (2 A) = 20.4563989. At the layer's
// top (node 5, x = 48) zeq = z: pu = (3 + 0.025 zeq) 166.667 = 585.2350,
// reached at 8 y50 = 2.4 (e50 = 0.005).
class LayeredSoilState : public test::PyModelTest {};

TEST_F(LayeredSoilState, FormedOnceBeforeTheAnalyses) {
    struct Case {
        const char* what;
        int skip1, loadtyp1, loadtyp2;  // case 1 skipped?, loading types of cases 1 and 2
        double sum1;
    };
    const Case cases[] = {
        {"first case static", 0, 1, 0, 11100.0},
        {"first case skipped, the second cyclic", 1, 1, 0, 11100.0 * 0.7200000286102295},
    };
    constexpr double b = 24, c = 1000.0 / 144, gamma = 50.0 / 1728;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        test::clay_pile(b, 12, 20, gamma, {{0, 48, 1, c / 2, 0.005}, {48, 240, 1, c, 0.005}});
        for (int l = 1; l <= MAXSLY; ++l) LAYNF(l, 1) = LAYNL(l, 1) = 0;  // the mesh lays them
        NODESETUP();
        NLCASE = 2;
        LCSKIP(1) = k.skip1;
        LCOPT(1, 4) = k.loadtyp1;
        LCOPT(2, 4) = k.loadtyp2;
        LOADTYP = 1;
        PYSETUP();
        EXPECT_EQ(LOADTYP, 1);  // the current loading type is kept
        EXPECT_EQ(LAYNF(2, 1), 5);
        EXPECT_NEAR(PUSUM(1, 1), k.sum1, 1e-9 * k.sum1);
        EXPECT_NEAR(EQDEP(1, 2), 20.4563989286, 1e-9 * 20.46);
        test::Springs s;
        ASSERT_EQ(s.run(2.4), 0);
        EXPECT_NEAR(s.p(5), 585.2349955, 1e-7 * 585.2);
        EXPECT_NEAR(PUSUM(1, 1), k.sum1, 1e-9 * k.sum1);
        EXPECT_NEAR(EQDEP(1, 2), 20.4563989286, 1e-9 * 20.46);
    }
}

}  // namespace
}  // namespace zolan
