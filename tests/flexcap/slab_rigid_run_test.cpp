// Whole runs of the flexible cap on the engine's own piles.
//
// The rigid-plate limit: the flexible-cap example run once with its rigid
// cap and once with a slab a thousand times stiffer than concrete. Every
// analysis that the rigid cap solves in full must leave each pile head where
// the slab leaves it, within the iterations' tolerance: the movements to
// 1e-5 (settlement) and 1e-4 (sideways) of the largest movement, the
// rotations to 0.1 % of the largest rotation. The group's reduction factors
// and the soil movement act on the piles under both (taken for a diagonal
// movement, the factors once turned the slab by some 1e-6 rad, 5 % of the
// sideways movement; the soil movement was left out), and heads below the
// cap origin move sideways with its tilt in both. The slab's final pile
// forces balance the cap's load in every analysis.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "control/control.h"
#include "flexcap/slab_analysis.h"
#include "group/cap_solver3d.h"
#include "group/group_services.h"
#include "group/pile_axes.h"
#include "group/pile_row_loops.h"
#include "model/pile_tables.h"
#include "report/stop_request.h"
#include "results/results_services.h"
#include "support/fixed_run.h"
#include "support/names_file.h"
#include "support/seams.h"
#include "support/stop_front_end.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

using Heads = std::vector<double>;  // 6 per pile, cap axes

void run_input(const std::string& text, int status = 0) {
    test::write_file("case.in", text);
    auto names = test::default_names();
    names[5] = "case.in";
    test::write_names(names);
    EXPECT_EQ(IZOLAN(2), status);
}

// The heads of every analysis that the rigid cap solves in full, by the
// rigid cap and by the stiff slab, for an input with a flexible cap.
// Beside them, the out-of-balance of each slab analysis: the cap load plus
// the final pile forces, moments about the cap origin, against the load's
// largest force and moment.
struct HeadPair {
    std::vector<Heads> rigid, slab;
    std::vector<double> force_balance, moment_balance;
};

HeadPair heads_of(const std::string& flex) {
    std::string stiff = flex, rigid = flex;
    stiff.replace(stiff.find("3.6E6"), 5, "3.6E9");
    rigid.replace(rigid.find("1 3 0 1 0"), 9, "1 3 0 0 0");
    const std::size_t mesh = rigid.find("0.0 0.0 4 4 3.6E6");
    rigid.erase(mesh, rigid.find('\n', mesh) + 1 - mesh);
    HeadPair out;
    // Rigid: the head displacements L U of every analysis solved to its full load.
    group_services.result3d = [&](const SolveRequest& rq, const Cap3dOutcome& o, int& ISTAT) {
        Heads h;
        if (o.converged && o.TCONV == 1.0)
            for (int i = 1; i <= NPILES; ++i) {
                const PileTransform t = PILETR(i);
                for (int r = 1; r <= 6; ++r) {
                    double a = 0;
                    for (int k = 1; k <= 6; ++k) a += t.L(r, k) * o.U(k);
                    h.push_back(a);
                }
            }
        out.rigid.push_back(h);
        return RESPASS3(rq, o, ISTAT);
    };
    run_input(rigid);
    // Slab: the heads of the final pile responses of every analysis.
    Heads last, forces;
    flexcap_services.piles = [&](int n, RTab& D, RTab& F, RTab& K) {
        PILEHEADS(slab_pile_controls(), n, D.data(), F.data(), K.data());
        last.assign(D.data(), D.data() + 6 * n);
        forces.assign(F.data(), F.data() + 6 * n);
    };
    group_services.flexcap = [&](const SolveRequest& rq, int& ISTAT) {
        FLEXCAP(rq, ISTAT);
        const CAPVEC& P = rq.load;
        out.slab.push_back(last);
        double sum[6], fmax = 0, mmax = 0;
        for (int k = 0; k < 6; ++k) sum[k] = P(k + 1);
        for (int k = 1; k <= 3; ++k) fmax = std::max(fmax, std::fabs(P(k))), mmax = std::max(mmax, std::fabs(P(k + 3)));
        for (int i = 1; i <= NPILES; ++i) mmax = std::max(mmax, fmax * std::hypot(CORY(i), CORZ(i)));
        for (int i = 1; i <= NPILES; ++i) {
            const double* f = &forces[6 * static_cast<std::size_t>(i - 1)];
            const double r[3] = {CORX(i), CORY(i), CORZ(i)};
            for (int k = 0; k < 6; ++k) sum[k] += f[k];
            sum[3] += r[1] * f[2] - r[2] * f[1];
            sum[4] += r[2] * f[0] - r[0] * f[2];
            sum[5] += r[0] * f[1] - r[1] * f[0];
        }
        out.force_balance.push_back(std::max({std::fabs(sum[0]), std::fabs(sum[1]), std::fabs(sum[2])}) / fmax);
        out.moment_balance.push_back(std::max({std::fabs(sum[3]), std::fabs(sum[4]), std::fabs(sum[5])}) / mmax);
    };
    run_input(stiff);
    return out;
}

TEST(SlabRigidRun, StiffSlabGivesTheRigidCapHeads) {
    test::TempDir dir;
    test::Seams seams;
    const std::string flex = test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/flexcap3d.in");
    // The live load with a tenth of the wind, so that no analysis is purely
    // vertical (its rotations would be of round-off size); then the same with
    // the soil moving 0.2 in along Y at the ground, nothing at 20 ft; then
    // with the pile heads 2 ft below the cap origin (the slab's plane).
    std::string base = flex;
    base.replace(base.find("120000.0 0.0 0.0"), 16, "120000.0 4800.0 -360000.0");
    std::string moving = base;
    moving.replace(moving.find("1 3 0 1 0 0 0 1 0 0 1 0 0 0 1 1 0 0"), 35, "1 3 0 1 0 0 0 1 0 0 1 0 0 0 1 1 0 1");
    moving += "SOIL MOVEMENT\n2\n0.0 0.2 0.0\n20.0 0.0 0.0\n";
    std::string lowered = base;
    for (const char* head : {"0.0 -3.0 -3.0 0.0 90.0", "0.0 -3.0 3.0 0.0 90.0", "0.0 3.0 -3.0 0.0 90.0", "0.0 3.0 3.0 0.0 90.0"})
        lowered.replace(lowered.find(head), 3, "2.0");
    for (const std::string* input : {&base, &moving, &lowered}) {
        const HeadPair h = heads_of(*input);
        const char* which = input == &base ? "loads " : (input == &moving ? "soil movement " : "heads below ");
        ASSERT_EQ(h.rigid.size(), 4u) << which;
        ASSERT_EQ(h.slab.size(), 4u) << which;
        // The final pile forces balance the cap's load (the largest moment
        // scale is the largest force at the farthest head).
        for (std::size_t a = 0; a < 4; ++a) {
            EXPECT_LT(h.force_balance[a], 1e-6) << which << "analysis " << a + 1;
            EXPECT_LT(h.moment_balance[a], 1e-6) << which << "analysis " << a + 1;
        }
        int compared = 0;
        for (std::size_t a = 0; a < 4; ++a) {
            if (h.rigid[a].empty()) continue;
            ++compared;
            ASSERT_EQ(h.slab[a].size(), h.rigid[a].size());
            // Scales: the largest translation and the largest rotation of the analysis.
            double move = 0, turn = 0;
            for (std::size_t k = 0; k < h.rigid[a].size(); ++k)
                (k % 6 < 3 ? move : turn) = std::max(k % 6 < 3 ? move : turn, std::fabs(h.rigid[a][k]));
            for (std::size_t k = 0; k < h.rigid[a].size(); ++k) {
                // A rotation within 0.1 %, or within what turns a head 36 in away
                // by 1e-4 of the largest movement (a vertical load alone).
                const double tol = k % 6 == 0 ? 1e-5 * move : (k % 6 < 3 ? 1e-4 * move : std::max(1e-3 * turn, 1e-4 * move / 36));
                EXPECT_NEAR(h.slab[a][k], h.rigid[a][k], tol)
                    << which << "analysis " << a + 1 << " pile " << k / 6 + 1 << " component " << k % 6 + 1;
            }
        }
        EXPECT_GE(compared, 3) << which;
    }
}

// A slab whose piles do not close under its loads (the piles of the fixture
// with every switch on, under their distributed loads) is a failure, named
// as such (its status line, and the analysis named at the end of the run),
// and found at the first iteration of each step, not after the iteration
// limit.
TEST(SlabRigidRun, PilesThatDoNotCloseFailTheSlab) {
    test::TempDir dir;
    run_input(test::read_file(std::string(ZOLAN_FIXTURES_DIR) + "/all_switches3d.in"), 41);
    const std::string runtime = test::read_file("runtime.txt");
    EXPECT_NE(runtime.find("    SLAB ANALYSIS: NO CONVERGENCE ON PILES"), std::string::npos) << runtime;
    // The analysis has its status line and is named with those that did not complete.
    EXPECT_NE(test::read_file("status.txt").find("\n    6 NO CONVERGENCE ON PILES   \n"), std::string::npos);
    EXPECT_NE(runtime.find("** WARNING **  1 ANALYSIS DID NOT COMPLETE:\n     LOAD CASE      1"), std::string::npos)
        << runtime;
    const std::string trace = test::read_file("slabtrace.txt");
    std::size_t steps = 0, piles = 0;
    for (std::size_t at = trace.find("STEP "); at != std::string::npos; at = trace.find("STEP ", at + 1)) ++steps;
    for (std::size_t at = trace.find("NO CONVERGENCE ON PILES"); at != std::string::npos;
         at = trace.find("NO CONVERGENCE ON PILES", at + 1))
        ++piles;
    EXPECT_GT(steps, 0u);
    EXPECT_EQ(piles, steps);
}

// The flexible-cap example on 1, 2 and 8 threads: the piles under the slab
// are answered by the parallel pile-row loop (so are their print passes),
// and every report the slab writes into (echo, results, summary, the slab
// deck and trace) holds the same bytes, as do the status and plot-data files.
TEST(SlabRigidRun, SameBytesOnAnyThreadCount) {
    const std::string source = test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/flexcap3d.in");
    std::map<std::string, std::string> first;
    for (int nt : {1, 2, 8}) {
        SCOPED_TRACE(nt);
        int status = -1;
        std::map<std::string, std::string> out = test::files_on_threads(
            source, "flexcap3d.in", nt,
            {"echo.txt", "results.txt", "summary.txt", "status.txt", "plotdata.txt", "flexcap3d_slab.dat", "slabtrace.txt"},
            status);
        ASSERT_EQ(status, 0);
        for (const auto& [name, text] : out) EXPECT_FALSE(text.empty()) << name;
        EXPECT_NE(out["results.txt"].find("END_STEP_DATA"), std::string::npos);
        if (nt == 1) {
            first = out;
            continue;
        }
        for (const auto& [name, text] : out) EXPECT_TRUE(text == first[name]) << name;
    }
}

// The slab deck of a run spans the cap in plan, 12 x 12 ft, whatever width
// the cap's soil resistance takes (the echo widens it to the diagonal, 17 ft).
TEST(SlabRigidRun, SlabDeckSpansTheCap) {
    test::TempDir dir;
    std::string decks = test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/flexcap3d.in");
    decks.replace(decks.find("1 3 0 1 0"), 9, "1 3 0 2 0");
    run_input(decks);
    std::istringstream deck(test::read_file("case_slab.dat"));
    std::string line;
    std::getline(deck, line);
    int npoin = 0, nelem = 0;
    deck >> npoin >> nelem;
    ASSERT_EQ(npoin, 65);
    for (int k = 0; k < 1 + nelem + 1; ++k) std::getline(deck, line);
    double lo[2] = {1e30, 1e30}, hi[2] = {-1e30, -1e30};
    for (int n = 0; n < npoin; ++n) {
        int a = 0, b = 0;
        double xy[2];
        deck >> a >> b >> xy[0] >> xy[1];
        for (int i = 0; i < 2; ++i) lo[i] = std::min(lo[i], xy[i]), hi[i] = std::max(hi[i], xy[i]);
    }
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(lo[i], -72.0, 1e-9) << i;
        EXPECT_NEAR(hi[i], 72.0, 1e-9) << i;
    }
}

// A run report named like one of the slab's own files (its file list, its
// trace) is never truncated by it: the run ends with status 38 and says why,
// the report keeping what the run wrote before the slab.
TEST(SlabRigidRun, SlabFilesNeverOverwriteARunReport) {
    for (const char* slab_file : {"gslab.dat", "slabtrace.txt"}) {
        SCOPED_TRACE(slab_file);
        test::TempDir dir;
        test::write_file("case.in", test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/flexcap3d.in"));
        auto names = test::default_names();
        names[5] = "case.in";
        names[8] = slab_file;  // the summary
        test::write_names(names);
        EXPECT_EQ(IZOLAN(2), 38);
        EXPECT_NE(test::read_file(slab_file).find("COMPUTATION ON INDIVIDUAL PILE"), std::string::npos);
        EXPECT_NE(test::read_file("runtime.txt").find(std::string(slab_file) + ": the scratch file would overwrite"),
                  std::string::npos);
    }
}

// A stop request reaches each long loop of a slab analysis and ends the run
// there: the mesh check (one read per node of the 4 x 4 mesh's 65), and in
// the first iteration the piles under the slab (their loop's first read),
// the element matrices (the iteration's reads 1 to 16 on the calling thread,
// one per element) and the frontal assembly and elimination (reads 17 to 32,
// one per element): status 4, no end of the slab's results, the slab's trace
// cut where the loop stood (no step before the stepping, no iteration record
// before the element loop ends, no increment before the elimination ends).
TEST(SlabRigidRun, StopRequestEndsTheSlabAnalysis) {
    const std::string iteration = " FLEXIBLE CAP, SLAB STEP:    1 TCUR:    0.2500 ITERATION:    1\n";
    struct Case {
        const char* what;
        std::string progress;  // where the stop is read, from its first read on
        bool in_loop;
        int after;
        const char* traced;  // the last record of the slab's trace (null: none of these)
    };
    const Case cases[] = {
        {"mesh check", " FLEXIBLE CAP, SLAB MESH CHECK\n", false, 2, nullptr},
        {"piles under the slab", iteration, true, 0, "STEP "},
        {"element matrices", iteration, false, 3, "STEP "},
        {"frontal elimination", iteration, false, 16 + 3, " ITER = "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        test::Seams seams;
        test::write_file("stop.txt", "");
        STOP_INTERVAL = 0.0;
        STOPREAD_HOOK = test::stop_in_loop;
        test::loop_stop = test::LoopStop{};
        test::loop_stop.start = c.progress.c_str();
        test::loop_stop.in_loop = c.in_loop;
        test::loop_stop.after = c.after;
        run_input(test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/flexcap3d.in"), 4);
        ASSERT_NE(test::loop_stop.written_at, 0);
        EXPECT_EQ(test::loop_stop.reads, test::loop_stop.written_at + 1);
        EXPECT_EQ(test::loop_stop.stopped_in_loop, c.in_loop);
        EXPECT_EQ(test::read_file("progress.txt"), c.progress + "\n");
        EXPECT_EQ(test::read_file("results.txt").find("END_STEP_DATA"), std::string::npos);
        const std::string trace = test::read_file("slabtrace.txt");
        std::size_t last = std::string::npos;
        for (const char* record : {"STEP ", " ITER = ", "DSDIS"})
            if (trace.find(record) != std::string::npos) last = trace.find(record);
        if (c.traced == nullptr) EXPECT_EQ(last, std::string::npos) << trace;
        else EXPECT_EQ(last, trace.find(c.traced)) << trace;
    }
}

}  // namespace
}  // namespace zolan
