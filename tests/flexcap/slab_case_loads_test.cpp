// The flexible cap carries each load of an analysis where it stands: the
// load records of a case or combination at their plan points (their height
// turned into moments there), the slab decks with the loads where they act,
// and whole runs of a 3 x 3 group under loads over its piles, at its centre,
// between two piles and on a column off the axes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "control/control.h"
#include "control/load_assembly.h"
#include "flexcap/shell_element.h"
#include "flexcap/slab_analysis.h"
#include "flexcap/slab_program.h"
#include "group/pile_row_loops.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "model/status_codes.h"
#include "support/names_file.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

struct Tables {
    Tables() { clear(); }
    ~Tables() {
        clear();
        reset_flexcap_tables();
    }
    static void clear() {
        reset_input_tables();
        reset_pile_tables();
        reset_case_tables();
    }
};

// One load record of case i: forces and moments in cap order at (X, Y, Z).
void record(int i, const double f[6], double x, double y, double z) {
    const int m = ++NCLOAD(i);
    // Input slot order: FX, FY, MZ, FZ, MY, MX, X, Y, Z.
    const double v[9] = {f[0], f[1], f[5], f[2], f[4], f[3], x, y, z};
    for (int k = 1; k <= 9; ++k) CLOAD(i, m, k) = v[k - 1];
}

SolveRequest request(int kind, int number) {
    SolveRequest r;
    r.kind = kind;
    ICASE = number;
    ICOMB = kind == 1 ? number : 0;
    return r;
}

void expect_load(const SlabLoad& l, double y, double z, const double p[6], const char* what) {
    EXPECT_EQ(l.y, y) << what;
    EXPECT_EQ(l.z, z) << what;
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(l.p[k], p[k], 1e-12 * std::max(1.0, std::fabs(p[k]))) << what << " slot " << k + 1;
}

// Case 1 (scale 2): 100 down with shear 5, -4 and moments 7, 11, 13 at
// X -10 (above the slab), Y 20, Z -30; 50 down at (0, 20, -30); 30 at the
// origin. At the plan point (20, -30) the height adds -X FZ = -40 to MY and
// X FY = -50 to MZ: (150, 5, -4, 7, -29, -37), times 2. Case 2: 1000 down at
// (0, 20, -30). Combination: 0.5 case 1 + 3 case 2.
TEST(SlabCaseLoads, RecordsStandAtTheirPoints) {
    Tables t;
    NLCASE = 4, NLCOMB = 1;
    const double r1[6] = {100, 5, -4, 7, 11, 13}, r2[6] = {50, 0, 0, 0, 0, 0}, r3[6] = {30, 0, 0, 0, 0, 0};
    record(1, r1, -10, 20, -30);
    record(1, r2, 0, 20, -30);
    record(1, r3, 0, 0, 0);
    const double r4[6] = {1000, 0, 0, 0, 0, 0};
    record(2, r4, 0, 20, -30);
    // Case 3: two records at the origin at heights, as loads at the origin
    // were always given; case 4 at a point of definition.
    const double r5[6] = {123.4, 5.6, 7.8, 0.9, -1.1, 1.3}, r6[6] = {-0.7, 3.3, -2.9, 4.1, 0.3, -6.1};
    record(3, r5, -3.3, 0, 0);
    record(3, r6, 1.7, 0, 0);
    LCSCAL(1) = 2, LCSCAL(2) = 1, LCSCAL(3) = 0.9, LCSCAL(4) = 1;
    LCPOD(4) = 1;
    NLBCAS(1) = 2, LBCASE(1, 1) = 1, LBFACT(1, 1) = 0.5, LBCASE(1, 2) = 2, LBFACT(1, 2) = 3;
    {
        const SlabLoads l = slab_loads(request(0, 1));
        ASSERT_EQ(l.size(), 2u);
        const double a[6] = {300, 10, -8, 14, -58, -74}, o[6] = {60, 0, 0, 0, 0, 0};
        expect_load(l[0], 20, -30, a, "case 1, point");
        expect_load(l[1], 0, 0, o, "case 1, origin");
        EXPECT_EQ(l[0].lcase, 1);
        EXPECT_EQ(l[0].record, 1);
    }
    {
        const SlabLoads l = slab_loads(request(1, 1));
        ASSERT_EQ(l.size(), 2u);
        const double a[6] = {3150, 5, -4, 7, -29, -37}, o[6] = {30, 0, 0, 0, 0, 0};
        expect_load(l[0], 20, -30, a, "combination, point");
        expect_load(l[1], 0, 0, o, "combination, origin");
        // Reduced to the origin they are the combination's equivalent load.
        CAPVEC q, sum;
        EQLOADC(1, q);
        sum.fill(0);
        for (const SlabLoad& s : l)
            for (int k = 1; k <= 6; ++k) sum(k) += load_at_origin(s)(k);
        for (int k = 1; k <= 6; ++k) EXPECT_NEAR(sum(k), q(k), 1e-12 * 1e5) << k;
    }
    {
        // Loads at the origin: one load, the equivalent load to the bit.
        const SlabLoads l = slab_loads(request(0, 3));
        ASSERT_EQ(l.size(), 1u);
        CAPVEC q;
        EQLOAD(3, q);
        for (int k = 1; k <= 6; ++k) EXPECT_EQ(l[0].p[k - 1], q(k)) << k;
    }
    // A point of definition, an estimation point below the full load: the
    // request's load at the origin; the last point of an estimation case
    // carries the records where they stand.
    SolveRequest pod = request(0, 4), point = request(0, 1), last = request(0, 1);
    for (int k = 1; k <= 6; ++k) pod.load(k) = point.load(k) = k;
    point.NPTS = last.NPTS = last.IPOINT = 7;
    point.IPOINT = 2;
    const double p16[6] = {1, 2, 3, 4, 5, 6};
    const struct { SolveRequest rq; int icase; const char* what; } at_origin[] = {
        {pod, 4, "point of definition"}, {point, 1, "estimation point"}};
    for (const auto& c : at_origin) {
        ICASE = c.icase;
        const SlabLoads l = slab_loads(c.rq);
        ASSERT_EQ(l.size(), 1u) << c.what;
        expect_load(l[0], 0, 0, p16, c.what);
    }
    ICASE = 1;
    EXPECT_EQ(slab_loads(last).size(), 2u);
    // The axial head load of a distributed load: 500 along a vertical pile
    // whose head hangs 24 below the slab at (-40, 10), at its pile point.
    NPILES = 1, KAXHL = 1, AXHLOAD(1) = 500, BETA(1) = M_PI / 2, CORX(1) = 24, CORY(1) = -40, CORZ(1) = 10;
    {
        const SlabLoads l = slab_loads(request(0, 2));
        ASSERT_EQ(l.size(), 2u);
        const double h[6] = {500, 0, 0, 0, 0, 0};
        EXPECT_EQ(l[1].y, -40);
        for (int k = 0; k < 6; ++k) EXPECT_NEAR(l[1].p[k], h[k], 1e-9);
        EXPECT_EQ(l[1].row, 1);
    }
}

// The decks of a 120 x 80 x 10 cap meshed 2 x 1 under a load at (30, -20)
// with a torque of 100 and one at the corner node (-60, 40): read back, each
// load is found where it was written, in the slab's axes (slab X, Y = cap Z,
// Y; s = (P3, P2, -P1, -P5, P6)), and the torque stands as eight forces on a
// circle about its own point (radius 10, the thickness), summing to it.
TEST(SlabCaseLoads, DecksShowTheLoadsWhereTheyAct) {
    test::TempDir dir;
    Tables t;
    CAPLEN = 120, CAPWPL = 80, CAPTHK = 10;
    FCNX = 2, FCNY = 1, FCEMOD = 3e6, FCPOIS = 0.2;
    DTINIT = 0.5, DTCMIN = 0.001, MAXITC = 20, TOLREL = 0.001;
    SlabLoads loads(2);
    loads[0] = {30, -20, {400, 0, 0, 100, 8000, -12000}, 1, 1, 0};
    loads[1] = {-60, 40, {50, 0, 0, 0, 0, 0}, 1, 2, 0};
    int ISTAT = 0;
    FCDECK(loads, "slab.dat", "slab.key", ISTAT);
    ASSERT_EQ(ISTAT, 0);
    FCHEAD("slab.dat", "listing", "log", ISTAT);
    ASSERT_EQ(ISTAT, 0);
    FCREAD(ISTAT);
    ASSERT_EQ(ISTAT, 0);
    ASSERT_EQ(FCCTRL.NCLOD, 10);
    const auto where = [](int r, double& X, double& Y) {
        const int e = FCTAB.ICLEL(r);
        FCSHAP(FCTAB.PCLOD(1, r), FCTAB.PCLOD(2, r), 8, FCTAB.ELW);
        X = Y = 0;
        for (int k = 1; k <= 8; ++k) {
            X += FCTAB.ELW.SHFN(k) * FCTAB.XYNOD(1, FCTAB.ICONN(k, e));
            Y += FCTAB.ELW.SHFN(k) * FCTAB.XYNOD(2, FCTAB.ICONN(k, e));
        }
    };
    const double s1[6] = {0, 0, -400, -8000, -12000, 0}, s10[6] = {0, 0, -50, 0, 0, 0};
    double torque = 0;
    for (int r = 1; r <= 10; ++r) {
        ASSERT_GT(FCTAB.ICLEL(r), 0) << "load " << r;
        double X = 0, Y = 0;
        where(r, X, Y);
        if (r == 1 || r == 10) {
            EXPECT_NEAR(X, r == 1 ? -20 : 40, 1e-9);
            EXPECT_NEAR(Y, r == 1 ? 30 : -60, 1e-9);
            for (int i = 1; i <= 6; ++i) EXPECT_EQ(FCTAB.VCLOD(i, r), (r == 1 ? s1 : s10)[i - 1]) << r << "/" << i;
            continue;
        }
        EXPECT_NEAR(std::hypot(X + 20, Y - 30), 10, 1e-9) << "couple " << r - 1;
        torque += (X + 20) * FCTAB.VCLOD(2, r) - (Y - 30) * FCTAB.VCLOD(1, r);
    }
    EXPECT_NEAR(-torque, 100, 1e-9);
    FCRELEASE();
    // The keyword deck: the load at its point in the cap axes (X 0, Y, Z).
    const std::vector<std::string> key = test::lines_of(test::read_file("slab.key"));
    const auto at = std::find(key.begin(), key.end(), " CONCENTRATED_LOAD_DATA");
    ASSERT_NE(at, key.end());
    EXPECT_EQ(at[1].substr(0, 40), "*  0.00000E+00  0.30000E+02 -0.20000E+02");
}

// A load the slab cannot carry ends the analysis with status 41 and names
// itself: a point off the slab, a torque on a point at its edge (no circle),
// a load at the origin off the slab; the counts' and torque's old refusals
// stand.
TEST(SlabCaseLoads, LoadsOffTheSlabAreRefused) {
    test::TempDir dir;
    Tables t;
    CAPLEN = 120, CAPWPL = 80, CAPTHK = 10;
    FCNX = 2, FCNY = 1, FCEMOD = 3e6, FCPOIS = 0.2;
    struct Case { SlabLoad load; double yoff; const char* message; };
    const Case cases[] = {
        {{61, 0, {1, 0, 0, 0, 0, 0}, 3, 2, 0}, 0,
         "    FLEXIBLE CAP: LOAD RECORD 2 OF LOAD CASE 3 LIES IN NO ELEMENT OF THE SLAB MESH (ITS POINT IS OFF THE SLAB)"},
        {{0, 40, {1, 0, 0, 5, 0, 0}, 4, 1, 0}, 0,
         "    FLEXIBLE CAP: NO RADIUS FOR THE TORQUE OF LOAD RECORD 1 OF LOAD CASE 4 (A ZERO CAP DIMENSION, OR ITS "
         "POINT ON THE SLAB'S EDGE OR OFF THE SLAB)"},
        {{-40, -50, {1, 0, 0, 0, 0, 0}, 0, 0, 7}, 0,
         "    FLEXIBLE CAP: THE AXIAL HEAD LOAD OF PILE ROW 7 LIES IN NO ELEMENT OF THE SLAB MESH (ITS POINT IS OFF THE SLAB)"},
        {{0, 0, {1, 0, 0, 0, 0, 0}, 0, 0, 0}, 45,
         "    FLEXIBLE CAP: THE LOAD AT THE ORIGIN LIES IN NO ELEMENT OF THE SLAB MESH (ITS POINT IS OFF THE SLAB)"},
    };
    for (const Case& c : cases) {
        FCYOFF = c.yoff;
        FAILTXT.clear();
        // A second load on the slab's far corner (its edges count as on it).
        SlabLoads loads{{-60, -40, {1, 0, 0, 0, 0, 0}, 1, 1, 0}, c.load};
        int ISTAT = 0;
        FCDECK(loads, "slab.dat", "", ISTAT);
        EXPECT_EQ(ISTAT, ISSLAB) << c.message;
        ASSERT_EQ(FAILTXT.size(), 1u);
        EXPECT_EQ(FAILTXT.back(), c.message);
    }
    FAILTXT.clear();
}

// Whole runs of the 3 x 3 group (18 x 18 x 3 ft slab, E 3.6e6 psi, meshed
// 6 x 6 with the piles on element corners, identical linear piles of
// 2e6 lb/in at 6 ft): per analysis, the last pile forces on the cap and the
// load at the origin.
struct GroupRun {
    std::vector<std::vector<double>> forces;  // 6 per pile, cap axes
    std::vector<CAPVEC> loads;
};

GroupRun group_run(const std::string& input, int status = 0) {
    GroupRun out;
    std::vector<double> last;
    test::Seams seams;
    flexcap_services.piles = [&](int n, RTab& D, RTab& F, RTab& K) {
        PILEHEADS(slab_pile_controls(), n, D.data(), F.data(), K.data());
        last.assign(F.data(), F.data() + 6 * n);
    };
    group_services.flexcap = [&](const SolveRequest& rq, int& ISTAT) {
        last.clear();
        FLEXCAP(rq, ISTAT);
        out.forces.push_back(last);
        out.loads.push_back(rq.load);
    };
    test::write_file("case.in", input);
    auto names = test::default_names();
    names[5] = "case.in";
    test::write_names(names);
    EXPECT_EQ(IZOLAN(2), status);
    return out;
}

std::string group_input() { return test::read_file(std::string(ZOLAN_FIXTURES_DIR) + "/nine_piles_slab3d.in"); }

// Piles 1 to 9 at (Y, Z) = (-6, -6), (-6, 0), (-6, 6), (0, -6), ... (6, 6) ft:
// pile 5 the centre, 1, 3, 7, 9 the corners. The axial load a pile carries is
// minus its force on the cap along X.
TEST(SlabCaseLoadsRun, GroupCarriesEachLoadWhereItStands) {
    test::TempDir dir;
    const GroupRun g = group_run(group_input());
    ASSERT_EQ(g.forces.size(), 5u);
    const auto axial = [&](std::size_t a, int pile) { return -g.forces[a][6 * static_cast<std::size_t>(pile - 1)]; };
    // 1. Nine 100-kip loads on the nine piles: the slab settles without
    //    bending and each pile carries its own load (to the slab's tolerance).
    for (int p = 1; p <= 9; ++p) EXPECT_NEAR(axial(0, p), 1.0e5, 1e-4 * 1.0e5) << "pile " << p;
    // 2. 900 kips at the centre: the centre pile carries the most, the
    //    corners alike and the edge piles alike (symmetry).
    for (int p : {1, 2, 3, 4, 6, 7, 8, 9}) EXPECT_GT(axial(1, 5), axial(1, p)) << "pile " << p;
    for (int p : {3, 7, 9}) EXPECT_NEAR(axial(1, p), axial(1, 1), 1e-6 * 1e5);
    for (int p : {4, 6, 8}) EXPECT_NEAR(axial(1, p), axial(1, 2), 1e-6 * 1e5);
    // 3. 300 kips between the edge pile 8 (6, 0) and the corner pile 9 (6, 6):
    //    those two carry more than any other.
    for (int p = 1; p <= 7; ++p) {
        EXPECT_GT(axial(2, 8), axial(2, p)) << "pile " << p;
        EXPECT_GT(axial(2, 9), axial(2, p)) << "pile " << p;
    }
    // 4. Every analysis (the column off the axes with shear, moments and a
    //    torque, and the combination): the pile forces balance the loads,
    //    forces and moments about the origin (heads at the slab's plane), to
    //    1e-6 of the largest force and of the largest moment (the largest
    //    force at the farthest head, 6 sqrt 2 ft, counts as a moment).
    for (std::size_t a = 0; a < g.forces.size(); ++a) {
        ASSERT_EQ(g.forces[a].size(), 54u);
        double sum[6], fmax = 0, mmax = 0;
        for (int k = 0; k < 6; ++k) sum[k] = g.loads[a](k + 1);
        for (int k = 1; k <= 3; ++k) fmax = std::max(fmax, std::fabs(sum[k - 1])), mmax = std::max(mmax, std::fabs(sum[k + 2]));
        mmax = std::max(mmax, fmax * 72 * std::sqrt(2.0));
        for (int p = 1; p <= 9; ++p) {
            const double* f = &g.forces[a][6 * static_cast<std::size_t>(p - 1)];
            const double y = 72.0 * ((p - 1) / 3 - 1), z = 72.0 * ((p - 1) % 3 - 1);
            for (int k = 0; k < 6; ++k) sum[k] += f[k];
            sum[3] += y * f[2] - z * f[1];
            sum[4] += z * f[0];
            sum[5] += -y * f[0];
        }
        for (int k = 0; k < 3; ++k) EXPECT_LT(std::fabs(sum[k]), 1e-6 * fmax) << "analysis " << a + 1 << " force " << k + 1;
        for (int k = 3; k < 6; ++k) EXPECT_LT(std::fabs(sum[k]), 1e-6 * mmax) << "analysis " << a + 1 << " moment " << k - 2;
    }
    // 5. The run's slab deck, the combination's: its two records where they
    //    stand, the column's torque as eight forces (the deck's count of
    //    concentrated loads, the eleventh of its counts).
    std::istringstream deck(test::read_file("case_slab.dat"));
    std::string title;
    std::getline(deck, title);
    int counts[11] = {};
    for (int& c : counts) deck >> c;
    EXPECT_EQ(counts[10], 10);
}

// A load record off the slab (Y 10 ft on a slab spanning -9 to 9 ft) ends
// the run with status 41 at its analysis, the record named.
TEST(SlabCaseLoadsRun, RecordOffTheSlabEndsTheRun) {
    test::TempDir dir;
    std::string input = group_input();
    const std::string at = "300000.0 0.0 0.0 0.0 0.0 0.0 0.0 6.0 3.0";
    input.replace(input.find(at), at.size(), "300000.0 0.0 0.0 0.0 0.0 0.0 0.0 10.0 3.0");
    const GroupRun g = group_run(input, ISSLAB);
    EXPECT_EQ(g.forces.size(), 3u);
    const std::string runtime = test::read_file("runtime.txt");
    EXPECT_NE(runtime.find("FLEXIBLE CAP: LOAD RECORD 1 OF LOAD CASE 3 LIES IN NO ELEMENT OF THE SLAB MESH"),
              std::string::npos)
        << runtime;
}

}  // namespace
}  // namespace zolan
