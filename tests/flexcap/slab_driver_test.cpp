// The slab analysis as a whole on a cantilever plate of one eight-node
// element: the load steps and their times, step halving down to the minimum
// increment (a failure with its run status), a prescribed displacement
// reached in two iterations, unusable time steps refused, and the results
// file with its step blocks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flexcap/slab_analysis.h"
#include "model/run_state.h"
#include "model/status_codes.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// Square 2 x 2, clamped along x = 0 (nodes 1, 4, 8), a tip load on node 2.
struct Deck {
    std::string stepping = "0.25 0 1 0.01 10 0.5";
    std::string extra_restraint;      // a fourth restraint record
    int npile = 0;                    // pile point at the centre, springs on
    std::string pile_point = "1 1";
    std::string text() const {
        const int nfix = extra_restraint.empty() ? 3 : 4;
        std::string s = "CANTILEVER\n8 1 1 8 2 " + std::to_string(nfix) + " 1 0 0 0 0 0 0 0 " + std::to_string(npile) +
                        " " + std::to_string(npile) + "\n" + stepping + "\n1 1 1 1 2 3 4 5 6 7 8\n";
        s += "1 1 0 0\n2 2 2 0\n3 3 2 2\n4 4 0 2\n5 5 1 0\n6 6 2 1\n7 7 1 2\n8 8 0 1\n";
        for (int n : {1, 4, 8}) s += std::to_string(n) + " 1 1 1 1 1 1 0 0 0 0 0 0\n";
        s += extra_restraint;
        s += "1 1000 0.25 0.5\n2 0 0 -1 0 0 0\n";
        if (npile > 0) s += pile_point + "\n";
        return s;
    }
};

struct SlabRun {
    int istat;
    std::string results, log;
};

SlabRun run(const Deck& d) {
    test::write_file("deck", d.text());
    int ISTAT = 0;
    FAILTXT.clear();
    FCSLAB({"deck", "listing", "results", "log"}, ISTAT);
    return {ISTAT, test::read_file("results"), test::read_file("log")};
}

std::vector<std::string> with(const std::string& text, const std::string& key) {
    std::vector<std::string> out;
    for (const std::string& l : test::lines_of(text))
        if (l.rfind(key, 0) == 0) out.push_back(l);
    return out;
}

TEST(SlabDriver, LoadStepTimes) {
    test::TempDir dir;
    test::Seams seams;
    struct Case { std::string stepping; std::vector<std::string> times; };
    const Case cases[] = {
        {"0.25 0 1 0.01 10 0.5", {"0.2500", "0.5000", "0.7500", "1.0000"}},
        {"0.3 0 1 0.01 10 0", {"0.3000", "0.6000", "0.9000", "1.0000"}},
        {"0.1 0 1 0.01 10 0", {"0.1000", "0.2000", "0.3000", "0.4000", "0.5000", "0.6000", "0.7000", "0.8000", "0.9000", "1.0000"}},
        {"1.5 0 1 0.01 10 0", {}},
    };
    for (const Case& c : cases) {
        Deck d;
        d.stepping = c.stepping;
        const SlabRun r = run(d);
        EXPECT_EQ(r.istat, 0) << c.stepping;
        const std::vector<std::string> steps = with(r.log, "STEP ");
        ASSERT_EQ(steps.size(), c.times.size()) << c.stepping;
        for (std::size_t i = 0; i < steps.size(); ++i)
            EXPECT_EQ(steps[i].substr(25, 6), c.times[i]) << c.stepping << ": " << steps[i];
        // Linear: every step makes exactly its two iterations.
        EXPECT_EQ(with(r.log, "ITER =").size(), 2 * c.times.size());
        EXPECT_EQ(with(r.results, "STEP ").size(), c.times.size());
        EXPECT_EQ(test::lines_of(r.results).back(), "END_STEP_DATA");
    }
}

// The step that ends at TEND is the last one, also for increments with which
// (TEND + DT) - DT rounds below TEND (0.4 and 0.15 over 0..1). A pile point
// without force counts the iterations; should the stepping run on past 60 of
// them, it moves the end time away so that the test ends and fails.
TEST(SlabDriver, StepAtTheEndTimeIsTheLast) {
    test::TempDir dir;
    test::Seams seams;
    struct Case { std::string stepping; std::vector<std::string> times; };
    const Case cases[] = {
        {"0.4 0 1 0.01 10 0", {"0.4000", "0.8000", "1.0000"}},
        {"0.15 0 1 0.01 10 0", {"0.1500", "0.3000", "0.4500", "0.6000", "0.7500", "0.9000", "1.0000"}},
    };
    for (const Case& c : cases) {
        int calls = 0;
        flexcap_services.piles = [&calls](int n, RTab&, RTab& F, RTab& K) {
            if (++calls > 60) FCCTRL.TEND = -1;
            for (int r = 1; r <= n; ++r)
                for (int i = 1; i <= 6; ++i) {
                    F(i, r) = 0;
                    for (int j = 1; j <= 6; ++j) K(i, j, r) = 0;
                }
        };
        Deck d;
        d.stepping = c.stepping;
        d.npile = 1;
        const SlabRun r = run(d);
        EXPECT_EQ(r.istat, 0) << c.stepping;
        const std::vector<std::string> steps = with(r.log, "STEP ");
        ASSERT_EQ(steps.size(), c.times.size()) << c.stepping;
        for (std::size_t i = 0; i < steps.size(); ++i) EXPECT_EQ(steps[i].substr(25, 6), c.times[i]) << c.stepping;
    }
}

// A pile that never settles (its force flips at every call): attempts at 0.5
// and 0.25 fail, the halved increment 0.125 is below DTMIN 0.2, the error is
// logged, no step block is written and the run status says so.
TEST(SlabDriver, HalvingDownToTheMinimumFails) {
    test::TempDir dir;
    test::Seams seams;
    int calls = 0;
    flexcap_services.piles = [&calls](int n, RTab&, RTab& F, RTab& K) {
        ++calls;
        for (int r = 1; r <= n; ++r)
            for (int i = 1; i <= 6; ++i) {
                F(i, r) = calls % 2 == 0 ? 1000.0 : -1000.0;
                for (int j = 1; j <= 6; ++j) K(i, j, r) = i == j ? -1.0 : 0.0;
            }
    };
    Deck d;
    d.stepping = "0.5 0 1 0.2 3 0";
    d.npile = 1;
    const SlabRun r = run(d);
    EXPECT_EQ(r.istat, ISSLAB);
    const std::vector<std::string> steps = with(r.log, "STEP ");
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].substr(25, 6), "0.5000");
    EXPECT_EQ(steps[1].substr(25, 6), "0.2500");
    EXPECT_EQ(with(r.log, "ITER =").size(), 8u);  // MAXITER 3: four iterations per attempt
    EXPECT_EQ(with(r.log, "error, REQUIRED INCREMENT LESS THAN MINIMUM SPECIFIED").size(), 1u);
    EXPECT_TRUE(with(r.results, "STEP").empty());
    ASSERT_FALSE(FAILTXT.empty());
    EXPECT_NE(FAILTXT.back().find("REQUIRED INCREMENT LESS THAN MINIMUM"), std::string::npos);
}

// A step that fails because a pile does not close, after a converged step:
// the final pile responses (at the converged step, where the piles close) do
// not hide why the slab failed. The piles answer without force; the third
// answer, the first of the step at 1.0, is a pile that did not close.
TEST(SlabDriver, PileFailureNamedAfterTheFinalResponses) {
    test::TempDir dir;
    test::Seams seams;
    int calls = 0;
    flexcap_services.piles = [&calls](int n, RTab&, RTab& F, RTab& K) {
        FCCTRL.KPLERR = ++calls == 3 ? 1 : 0;
        for (int r = 1; r <= n; ++r)
            for (int i = 1; i <= 6; ++i) {
                F(i, r) = 0;
                for (int j = 1; j <= 6; ++j) K(i, j, r) = 0;
            }
    };
    Deck d;
    d.stepping = "0.5 0 1 0.3 10 0";
    d.npile = 1;
    const SlabRun r = run(d);
    EXPECT_EQ(r.istat, ISSLAB);
    EXPECT_EQ(with(r.results, "STEP ").size(), 1u);
    EXPECT_EQ(calls, 4);
    ASSERT_FALSE(FAILTXT.empty());
    EXPECT_NE(FAILTXT.back().find("NO CONVERGENCE ON PILES"), std::string::npos) << FAILTXT.back();
}

// A settlement of 0.01 prescribed at the tip node 2 is reached in the first
// iteration and confirmed by the second, in each of the two steps.
TEST(SlabDriver, PrescribedDisplacementConverges) {
    test::TempDir dir;
    test::Seams seams;
    Deck d;
    d.stepping = "0.5 0 1 0.01 10 0";
    d.extra_restraint = "2 0 0 1 0 0 0 0 0 0.01 0 0 0\n";
    const SlabRun r = run(d);
    EXPECT_EQ(r.istat, 0);
    EXPECT_EQ(with(r.log, "STEP ").size(), 2u);
    EXPECT_EQ(with(r.log, "ITER =").size(), 4u);
    const std::vector<std::string> node2 = with(r.results, "    2");
    ASSERT_EQ(node2.size(), 2u);
    EXPECT_EQ(node2[1].substr(29, 12), "  0.1000E-01");
}

// A pile point off the slab would leave its pile out of the analysis.
TEST(SlabDriver, PointOutsideTheMeshIsRefused) {
    test::TempDir dir;
    test::Seams seams;
    Deck d;
    d.npile = 1;
    d.pile_point = "5 1";
    const SlabRun r = run(d);
    EXPECT_EQ(r.istat, ISSLAB);
    EXPECT_NE(r.log.find(" PILE POINT    1 LIES IN NO ELEMENT OF THE SLAB MESH"), std::string::npos);
    ASSERT_FALSE(FAILTXT.empty());
    EXPECT_NE(FAILTXT.back().find("PILE POINT 1 LIES IN NO ELEMENT"), std::string::npos);
    EXPECT_TRUE(with(r.log, "STEP ").empty());
}

TEST(SlabDriver, TimeStepsMustBePositive) {
    test::TempDir dir;
    test::Seams seams;
    for (const char* stepping : {"0 0 1 0.01 10 0", "0.25 0 1 0 10 0", "-0.1 0 1 0.01 10 0"}) {
        Deck d;
        d.stepping = stepping;
        const SlabRun r = run(d);
        EXPECT_EQ(r.istat, ISSLAB) << stepping;
        EXPECT_NE(r.log.find("MUST BE POSITIVE"), std::string::npos) << stepping;
        EXPECT_TRUE(with(r.log, "STEP ").empty());
    }
}

}  // namespace
}  // namespace zolan
