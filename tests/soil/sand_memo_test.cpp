// The breakpoints of the sand-type curves (sand, silt, sand by API criteria)
// that a pile row's p-y work keeps between evaluations: whatever input of
// them changes, the next evaluation with the work used before gives the
// same bits as a fresh work, node by node and for the cap pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/py_tables.h"
#include "soil/py_curves.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

constexpr double DEG = 3.141592653589793 / 180.0;

// The springs of one evaluation of pile row 1 and the cap-pass value.
struct Springs {
    std::vector<double> es, p;
    double cap = 0;
};

// Pile row 1 of 24 in, nodes every 12 in to 1200 in, two sections (0-36 in
// and below); two layers of the soil code under test, 0-120 in (phi 30 deg,
// k 60 pci) and 120-1200 in (phi 38 deg, k 90 pci), gamma' 0.0361 pci, no
// cohesion (so that sand and silt read the same values); the ground 24 in
// above the head and the embedded cap (144 in wide) on a cap pass. The
// equivalent depth of layer 2 is set to 12 in, so that the coefficient
// tables of its nodes from 120 to 168 in read the diameter at the ground
// line plus H = x - 120 + 12, within section 1, while the nodes themselves
// lie in section 2.
class KeptBreakpoints : public test::PyModelTest {
protected:
    void model(int code) {
        test::reset_py_model();
        test::one_pile(24.0, 12.0, 100);
        NSECP(1) = 2;
        SECTAB(1, 1, SEC_DBOT) = SECTAB(1, 2, SEC_DTOP) = 36.0;
        SECTAB(1, 2, SEC_DBOT) = 1200.0;
        for (int s = 1; s <= 2; ++s) SECTAB(1, s, SEC_TOP + SP_DIA) = SECTAB(1, s, SEC_BOT + SP_DIA) = 24.0;
        test::friction_layer(1, code, 0, 120, 0.0361, 30.0, 60.0, 1, 10);
        test::friction_layer(2, code, 120, 1200, 0.0361, 38.0, 90.0, 11, 101);
        KCAPOP = 1;
        CAPWID = 144.0;
        CAPTHK = 48.0;
        GROUND(1) = -24.0;
        test::form_layered_state();
        EQDEP(1, 2) = 12.0;
    }

    // One evaluation of row 1 with work w: node k deflected by 0.005 k (1 + k
    // mod 7), from the initial line to the plateau, and the head node, which
    // the cap pass reads with the cap's wide curve, by 2 in.
    static Springs evaluate(PyWork& w) {
        for (int k = 1; k <= 101; ++k) w.y(k) = -0.005 * k * (k % 7 + 1);
        w.y(1) = -2.0;
        int istat = 0;
        PYCURV(test::test_controls(), w, istat);
        EXPECT_EQ(istat, 0);
        Springs s;
        for (int k = 1; k <= 101; ++k) {
            s.es.push_back(w.es(k));
            s.p.push_back(w.p(k));
        }
        s.cap = PASPV(1);
        return s;
    }
};

bool same_bits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

TEST_F(KeptBreakpoints, ChangedInputsFormTheBreakpointsAgain) {
    struct Case {
        std::string input;
        std::vector<int> codes;  // the soil codes whose curves read it
        std::function<void()> change;
    };
    const Case cases[] = {
        {"cyclic loading", {4, 7, 8}, [] { LOADTYP = 0; }},
        {"friction angle", {4, 7, 8}, [] { test::layer_value(SCPHI, 2, 36.0 * DEG); }},
        {"unit weight", {4, 7, 8}, [] { test::layer_value(SCGAM, 2, 0.04); }},
        {"subgrade modulus", {4, 7, 8}, [] { test::layer_value(SCK, 2, 120.0); }},
        {"cohesion", {7}, [] { test::layer_value(SCCOH, 2, 1.0); }},
        {"diameter read by the coefficient tables", {4, 7},
         [] { SECTAB(1, 1, SEC_TOP + SP_DIA) = SECTAB(1, 1, SEC_BOT + SP_DIA) = 36.0; }},
        {"diameter of the nodes", {4, 7, 8},
         [] { SECTAB(1, 2, SEC_TOP + SP_DIA) = SECTAB(1, 2, SEC_BOT + SP_DIA) = 30.0; }},
        {"ground line", {4, 7, 8}, [] { GROUND(1) = -12.0; }},
        {"equivalent depth", {4, 7, 8}, [] { EQDEP(1, 2) = 36.0; }},
        {"cap width", {4, 7, 8}, [] { CAPWID = 120.0; }},
        {"soil code", {4, 7, 8}, [] { ISOIL(2) = ISOIL(2) == 4 ? 8 : ISOIL(2) == 8 ? 7 : 4; }},
    };
    for (const int code : {4, 7, 8}) {
        for (const Case& c : cases) {
            if (std::find(c.codes.begin(), c.codes.end(), code) == c.codes.end()) continue;
            SCOPED_TRACE("code " + std::to_string(code) + ", " + c.input);
            model(code);
            auto used = std::make_unique<PyWork>(1, 1, 1);
            const Springs before = evaluate(*used);
            // Twice unchanged: the kept breakpoints give the same springs.
            const Springs again = evaluate(*used);
            c.change();
            const Springs after = evaluate(*used);
            auto fresh = std::make_unique<PyWork>(1, 1, 1);
            const Springs want = evaluate(*fresh);
            // The change reaches layer 2's springs or the cap's value.
            bool moved = !same_bits(want.cap, before.cap);
            for (int k = 11; k <= 101; ++k) moved = moved || !same_bits(want.p[k - 1], before.p[k - 1]);
            EXPECT_TRUE(moved);
            EXPECT_TRUE(same_bits(after.cap, want.cap)) << after.cap << " " << want.cap;
            EXPECT_TRUE(same_bits(again.cap, before.cap));
            for (int k = 1; k <= 101; ++k) {
                EXPECT_TRUE(same_bits(after.es[k - 1], want.es[k - 1]) && same_bits(after.p[k - 1], want.p[k - 1]))
                    << "node " << k << ": " << after.p[k - 1] << " against " << want.p[k - 1];
                EXPECT_TRUE(same_bits(again.p[k - 1], before.p[k - 1])) << "node " << k;
            }
        }
    }
}

}  // namespace
}  // namespace zolan
