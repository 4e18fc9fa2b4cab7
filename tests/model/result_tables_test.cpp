#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/result_tables.h"

namespace zolan {
namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

// The envelope rule over a series of three analyses: the first copies, the
// later ones widen by signed value, strictly; a value that is not a number
// never replaces an extreme, and an extreme that is one keeps it.
TEST(ResultTables, EnvelopeRuleOverThreeAnalyses) {
    struct Case {
        const char* name;
        double v[3];
        double min, max;
    };
    const Case cases[] = {
        {"sign change", {5.0, -2.0, 3.0}, -2.0, 5.0},
        {"negative first", {-1.0, 4.0, -0.5}, -1.0, 4.0},
        {"repeated extreme", {2.0, 2.0, 2.0}, 2.0, 2.0},
        {"zero through", {0.0, -7.5, 7.5}, -7.5, 7.5},
        {"not a number later", {1.0, NaN, -1.0}, -1.0, 1.0},
        {"not a number first", {NaN, 3.0, -3.0}, NaN, NaN},
    };
    for (const auto& c : cases) {
        double m = 123.0, M = -123.0;  // left over from an earlier series
        for (int a = 1; a <= 3; ++a) envelope_rule(a, c.v[a - 1], m, M);
        if (std::isnan(c.min)) {
            EXPECT_TRUE(std::isnan(m) && std::isnan(M)) << c.name;
        } else {
            EXPECT_EQ(m, c.min) << c.name;
            EXPECT_EQ(M, c.max) << c.name;
        }
        // A new series starts over from its first analysis.
        envelope_rule(1, 0.25, m, M);
        EXPECT_EQ(m, 0.25) << c.name;
        EXPECT_EQ(M, 0.25) << c.name;
    }
}

// The pile part of the sets is sized for the run's pile rows, all zero, and
// the run reset gives the memory back; an entry of one row is its own.
// Clearing a set keeps its rows.
TEST(ResultTables, SetsSizedPerRunAndReleasedByTheReset) {
    size_result_sets(3);
    for (const RESBLK* s : {&RESCUR, &ENVMIN, &ENVMAX}) {
        EXPECT_EQ(s->rows(), 3);
        EXPECT_EQ(s->top(3, PTSTR2), 0.0);
        EXPECT_EQ(s->eff(3, MAXNOD, MAXNQ), 0.0);
    }
    ENVMAX.top(2, 13) = 4.0;
    ENVMAX.eff(2, 50, 7) = 5.0;
    EXPECT_EQ(ENVMAX.top(1, 13), 0.0);
    EXPECT_EQ(ENVMAX.top(3, 13), 0.0);
    EXPECT_EQ(ENVMAX.eff(1, 50, 7), 0.0);
    EXPECT_EQ(ENVMAX.eff(3, 50, 7), 0.0);
    EXPECT_EQ(ENVMAX.eff(2, 51, 7), 0.0);
    EXPECT_EQ(ENVMAX.eff(2, 50, 8), 0.0);
    ENVMIN.capload(2) = -1.0;
    ENVMAX.zero();  // an envelope cleared for a new series keeps its rows
    EXPECT_EQ(ENVMAX.rows(), 3);
    EXPECT_EQ(ENVMAX.top(2, 13), 0.0);
    EXPECT_EQ(ENVMAX.eff(2, 50, 7), 0.0);
    EQKNODR(2, 4) = 9.0;
    reset_result_tables();
    for (const RESBLK* s : {&RESCUR, &ENVMIN, &ENVMAX}) EXPECT_EQ(s->rows(), 0);
    EXPECT_EQ(ENVMIN.capload(2), 0.0);
    EXPECT_EQ(EQKNODR(2, 4), 0.0);
}

}  // namespace
}  // namespace zolan
