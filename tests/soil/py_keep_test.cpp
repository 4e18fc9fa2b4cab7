// The per-node constants that a pile row's p-y work keeps between the
// evaluations of one lateral solution: for every soil code, evaluations at
// changing deflections with the constants kept give the same bits as a work
// that forms every node afresh, with the cap pass, the depth multipliers,
// soil movement, group multipliers and layered soil all in play; and a new
// solution forms its nodes again.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "model/py_tables.h"
#include "soil/py_curves.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

bool same_bits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// Pile row 1 of 24 in, nodes every 12 in to 1200 in, the head `ground` in
// below the ground line (above it when negative) under an embedded cap 144 in
// wide; two layers of the soil code under test, 0-120 in and 120-1200 in,
// with every soil quantity given (each code reads its own); user p-y set 1 of
// three curves for code 5; reduction factors along depth on row 1; group
// multipliers 0.8 and 1.25.
class KeptNodes : public test::PyModelTest {
protected:
    void model(int code, double ground = 24.0) {
        test::reset_py_model();
        test::one_pile(24.0, 12.0, 100);
        for (int L = 1; L <= 2; ++L) {
            test::soil_layer(L, code, L == 1 ? 0.0 : 120.0, L == 1 ? 120.0 : 1200.0);
            test::layer_value(SCGAM, L, 0.0361, 0.04);
            test::layer_value(SCCOH, L, 4.0 * L, 6.0 * L);
            test::layer_value(SCPHI, L, (28.0 + 4 * L) * (3.141592653589793 / 180.0));
            test::layer_value(SCK, L, 60.0 * L, 90.0 * L);
            test::layer_value(SCROCK, L, 5.0e4);
            test::layer_value(SCE50, L, 0.01);
            test::layer_value(SCJ, L, 0.5, 0.7);
        }
        test::nodes_by_depth();
        KCAPOP = 1;
        CAPWID = 144.0;
        CAPTHK = 48.0;
        GROUND(1) = -ground;
        PFGRP(1) = 0.8;
        YFGRP(1) = 1.25;
        KJ1 = 1;
        IRFSET(1) = 1;
        RFLNPT(1) = 3;
        const double dep[] = {0.0, 300.0, 1200.0}, pf[] = {0.9, 0.7, 1.0}, yf[] = {1.1, 1.3, 1.0};
        for (int i = 1; i <= 3; ++i) RFLDEP(1, i) = dep[i - 1], RFLPF(1, i) = pf[i - 1], RFLYF(1, i) = yf[i - 1];
        KUPY = 1;
        IPYSET(1) = 1;
        UPYNCV(1) = 3;
        for (int j = 1; j <= 3; ++j) {
            UPYDEP(1, j) = 500.0 * (j - 1);
            UPYNPT(1, j) = 3;
            for (int k = 1; k <= 3; ++k) {
                UPYY(1, j, k) = 0.5 * (k - 1) * (k - 1);
                UPYP(1, j, k) = 100.0 * j * (k - 1);
            }
        }
        NSMOV = 1;
        test::form_layered_state();
    }

    // Evaluation `i` of a work: soil movement on the upper nodes, deflections
    // that change from one evaluation to the next (at rest, with the soil,
    // small, large, of either sign).
    static void evaluate(PyWork& w, int i) {
        for (int k = 1; k <= 101; ++k) {
            w.smy(k) = k <= 30 ? 0.002 * (31 - k) : 0.0;
            w.smz(k) = k <= 30 ? -0.001 * (31 - k) : 0.0;
            const double sm = std::sqrt(w.smy(k) * w.smy(k) + w.smz(k) * w.smz(k));
            switch (i) {
                case 0:
                    w.y(k) = 0.0;
                    break;
                case 1:
                    w.y(k) = sm;
                    break;
                case 2:
                    w.y(k) = -0.003 * k * (k % 5 + 1);
                    break;
                default:
                    w.y(k) = (k % 2 ? 1.0 : -1.0) * (2.0 - 0.015 * k) + 1e-15 * (k % 3);
                    break;
            }
        }
        w.es.fill(-7.0);
        w.p.fill(-7.0);
        w.esm.fill(-7.0);
        PASPV(1) = -7.0;
        int istat = 0;
        PYCURV(test::test_controls(), w, istat);
        EXPECT_EQ(istat, 0);
    }
};

TEST_F(KeptNodes, EveryCodeGivesTheBitsOfAFreshForming) {
    // Every soil code with the head below the ground line and above it.
    for (int run = 0; run < 26; ++run) {
        const int code = run / 2 + 1;
        const double ground = run % 2 == 0 ? 24.0 : -30.0;
        SCOPED_TRACE("soil code " + std::to_string(code) + ", head " + std::to_string(ground) + " in below the ground");
        model(code, ground);
        RowReport rep;
        auto kept = std::make_unique<PyWork>(1, 1, 1);
        kept->report = &rep;
        kept->keep.start(1);
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE("evaluation " + std::to_string(i));
            evaluate(*kept, i);
            const double cap = PASPV(1);
            auto fresh = std::make_unique<PyWork>(1, 1, 1);
            evaluate(*fresh, i);
            EXPECT_TRUE(same_bits(cap, PASPV(1))) << cap << " against " << PASPV(1);
            for (int k = 1; k <= 101; ++k) {
                EXPECT_TRUE(same_bits(kept->es(k), fresh->es(k)) && same_bits(kept->p(k), fresh->p(k)) &&
                            same_bits(kept->esm(k), fresh->esm(k)))
                    << "node " << k << ": es " << kept->es(k) << " against " << fresh->es(k) << ", p " << kept->p(k)
                    << " against " << fresh->p(k);
            }
        }
        // Every node below the ground line is kept (a cap pass too, for the
        // codes that run one); the nodes above it (down to 30 in) are formed
        // at every evaluation.
        EXPECT_GE(kept->keep.kept(), ground > 0 ? 101 : 98);
        EXPECT_TRUE(rep.empty());
    }
}

// A new solution (start) forms its nodes again from the soil as it stands;
// a work never started keeps nothing, and a work started for one pile row
// keeps nothing for another.
TEST_F(KeptNodes, ANewSolutionFormsAgain) {
    model(1);
    RowReport rep;
    auto w = std::make_unique<PyWork>(1, 1, 1);
    w->report = &rep;
    evaluate(*w, 2);
    EXPECT_EQ(w->keep.kept(), 0);
    w->keep.start(1);
    evaluate(*w, 2);
    test::layer_value(SCCOH, 2, 9.0, 12.0);
    w->keep.start(1);
    evaluate(*w, 2);
    auto fresh = std::make_unique<PyWork>(1, 1, 1);
    evaluate(*fresh, 2);
    for (int k = 11; k <= 101; ++k)
        EXPECT_TRUE(same_bits(w->p(k), fresh->p(k))) << "node " << k << ": " << w->p(k) << " against " << fresh->p(k);
    // Row 2 as row 1 with the ground line 36 in lower, through the work of row 1.
    test::copy_pile_row(1, 2);
    GROUND(2) = 12.0;
    w->pile = w->gpile = 2;
    fresh = std::make_unique<PyWork>(1, 2, 2);
    evaluate(*w, 2);
    evaluate(*fresh, 2);
    for (int k = 1; k <= 101; ++k)
        EXPECT_TRUE(same_bits(w->p(k), fresh->p(k)) && same_bits(w->es(k), fresh->es(k)))
            << "row 2, node " << k << ": " << w->p(k) << " against " << fresh->p(k);
}

}  // namespace
}  // namespace zolan
