#include "model/section_lookup.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "control/input_echo.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"

namespace zolan {
namespace {

// Set 1: two sections, 0-10 and 10-20, pile length 20 (sentinel 24). The
// pile head of row 1 sits at X = 5, so depth x' = X - 5.
//   section 1: I1 100 -> 200, diameter 2 -> 2, E 10, set 7, step 1.5, switch 3
//   section 2: I1 300 -> 500, diameter 2 -> 0 (vanishes at the tip), E 20,
//              set 8, step 2.5, switch 4
void two_sections() {
    reset_pile_tables();
    reset_section_tables();
    XTOP(1) = 5.0;
    NSECP(1) = 2;
    PLENP(1) = 20.0;
    const double depth[2][2] = {{0, 10}, {10, 20}};
    const double in1[2][2] = {{100, 200}, {300, 500}};
    const double dia[2][2] = {{2, 2}, {2, 0}};
    for (int s = 1; s <= 2; ++s) {
        SECTAB(1, s, SEC_DTOP) = depth[s - 1][0];
        SECTAB(1, s, SEC_DBOT) = depth[s - 1][1];
        SECTAB(1, s, SEC_TOP + SP_IN1) = in1[s - 1][0];
        SECTAB(1, s, SEC_BOT + SP_IN1) = in1[s - 1][1];
        SECTAB(1, s, SEC_TOP + SP_DIA) = dia[s - 1][0];
        SECTAB(1, s, SEC_BOT + SP_DIA) = dia[s - 1][1];
        EMODS(1, s, 1) = EMODS(1, s, 2) = 10.0 * s;
        MPSEC1(1, s) = 6 + s;
        SECSTV(1, s, 1) = 0.5 + s;
        SECIOP(1, s) = 2 + s;
    }
}

struct Case {
    const char* what;
    std::function<double(double)> f;
    double depth;  // x' below the head
    double want;
};

std::vector<Case> cases() {
    auto in1 = [](double X) { return SECIN1(1, 1, X); };
    auto dia = [](double X) { return SECDIA(1, 1, X); };
    auto stp = [](double X) { return SECSTP1(1, 1, X); };
    auto iop = [](double X) { return double(SECINT(1, 1, X)); };
    auto mod = [](double X) { return SECMOD(1, 1, X); };
    auto mc1 = [](double X) { return double(SECMC1(1, 1, X)); };
    return {
        // At the shared depth 10 the bottom rule keeps section 1, the
        // next-top rule takes section 2.
        {"I1 at 10: bottom of section 1", in1, 10.0, 200.0},
        {"step at 10: section 1", stp, 10.0, 1.5},
        {"switch at 10: section 1", iop, 10.0, 3.0},
        {"modulus at 10: section 2", mod, 10.0, 20.0},
        {"set at 10: section 2", mc1, 10.0, 8.0},
        {"modulus just above 10: section 1", mod, 9.999, 10.0},
        // Linear within a section (tapered): 300 + (15 - 10) (500 - 300) / 10.
        {"I1 at 15", in1, 15.0, 400.0},
        {"I1 at 2.5", in1, 2.5, 125.0},
        // Above the head: the top of section 1.
        {"I1 above the head", in1, -1.0, 100.0},
        {"step above the head", stp, -1.0, 1.5},
        {"modulus above the head", mod, -1.0, 10.0},
        // Below the deepest bottom, above the sentinel 24, and beyond it.
        {"I1 below the tip", in1, 22.0, 500.0},
        {"step below the tip", stp, 22.0, 2.5},
        {"modulus below the tip", mod, 22.0, 20.0},
        {"set beyond the sentinel", mc1, 30.0, 8.0},
        // Diameter 2 -> 0 in section 2: 1 at 15; at the tip it vanishes and
        // the top diameter of the deepest section (2) stands for it.
        {"diameter at 15", dia, 15.0, 1.0},
        {"diameter vanishing at the tip", dia, 20.0, 2.0},
        {"diameter vanishing below the tip", dia, 22.0, 2.0},
    };
}

// Section lookups at chosen depths, by the rule each one follows.
TEST(SectionLookup, RulesByCase) {
    two_sections();
    for (const Case& c : cases()) EXPECT_NEAR(c.f(5.0 + c.depth), c.want, 1e-12) << c.what;
    EXPECT_DOUBLE_EQ(section_sentinel(1), 24.0000009536743164);  // 1.2f x 20
}

// An inertia not given in the input is that of a solid circle in the tables
// the lookups read: 0.0491 x 12^4 = 1018.1376 and EI = that x E.
TEST(SectionLookup, InertiaNotGivenThroughTheTables) {
    reset_run_state();
    reset_input_tables();
    reset_pile_tables();
    reset_section_tables();
    NUNITS = 1;
    NANTYP = 3;
    NPRSET = 1;
    PPIN.NSEC(1) = 1;
    PPIN.NINCR(1) = 10;
    PPIN.PLEN(1) = 120.0;
    PPIN.SBOT(1, 1) = 120.0;
    PPIN.SXS(1, 1) = 1;
    NSECT = 1;
    XSTAB(1, 1) = XSTAB(1, 19) = 12.0;
    XSTAB(1, 17) = XSTAB(1, 35) = 3.0e6;
    int status = 0;
    TABLEE(status);  // the echo file is not open: only the tables are made
    XTOP(1) = 0.0;
    for (double X : {0.0, 60.0, 120.0}) {
        EXPECT_NEAR(SECIN1(1, 1, X), 1018.1376, 1e-4) << X;
        EXPECT_NEAR(SECIN2(1, 1, X), 1018.1376, 1e-4) << X;
        EXPECT_NEAR(SECEI1(1, 1, X), 1018.1376 * 3.0e6, 1e-4 * 3.0e6) << X;
        EXPECT_DOUBLE_EQ(SECMOD(1, 1, X), 3.0e6) << X;
    }
}

// The same lookups from 8 threads at once give the values of one thread.
TEST(SectionLookup, ConcurrentCallsAgree) {
    two_sections();
    const std::vector<Case> cs = cases();
    std::vector<double> serial;
    for (const Case& c : cs) serial.push_back(c.f(5.0 + c.depth));

    constexpr int kThreads = 8, kRounds = 2000;
    std::vector<std::vector<double>> got(kThreads, std::vector<double>(cs.size()));
    std::vector<int> mismatches(kThreads, 0);
    std::vector<std::thread> pool;
    for (int t = 0; t < kThreads; ++t) {
        pool.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round)
                for (std::size_t i = 0; i < cs.size(); ++i) {
                    // Each thread walks the cases from its own starting point.
                    const std::size_t j = (i + static_cast<std::size_t>(t)) % cs.size();
                    const double v = cs[j].f(5.0 + cs[j].depth);
                    if (v != serial[j]) ++mismatches[t];
                    got[t][j] = v;
                }
        });
    }
    for (std::thread& th : pool) th.join();
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(mismatches[t], 0) << "thread " << t;
        EXPECT_EQ(got[t], serial) << "thread " << t;
    }
}

}  // namespace
}  // namespace zolan
