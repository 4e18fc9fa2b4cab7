// The rigid-plate limit on the engine's own piles: the flexible-cap example
// run once with its rigid cap and once with a slab a thousand times stiffer
// than concrete. Every analysis that the rigid cap solves in full must leave
// each pile head where the slab leaves it: the settlement to 0.1 % of the
// largest head movement, the rotations to 2 % of the largest rotation, the
// horizontal movements to 5 % of the largest movement only:
// the stiff slab still bends by some 1e-5 rad at the heads, which the fixed
// heads, stiff in rotation, turn into horizontal forces that the rigid cap
// never sees.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "control/control.h"
#include "flexcap/slab_analysis.h"
#include "group/cap_solver3d.h"
#include "group/group_services.h"
#include "group/pile_axes.h"
#include "group/pile_row_loops.h"
#include "model/pile_tables.h"
#include "results/results_services.h"
#include "support/names_file.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

using Heads = std::vector<double>;  // 6 per pile, cap axes

void run_input(const std::string& text) {
    test::write_file("case.in", text);
    auto names = test::default_names();
    names[5] = "case.in";
    test::write_names(names);
    EXPECT_EQ(IZOLAN(2), 0);
}

TEST(SlabRigidRun, StiffSlabGivesTheRigidCapHeads) {
    test::TempDir dir;
    test::Seams seams;
    const std::string flex = test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/flexcap3d.in");
    // The live load with a tenth of the wind, so that no analysis is purely
    // vertical (its rotations would be of round-off size).
    std::string base = flex;
    base.replace(base.find("100000.0 0.0 0.0"), 16, "100000.0 4800.0 -360000.0");
    std::string stiff = base, rigid = base;
    stiff.replace(stiff.find("3.6E6"), 5, "3.6E9");
    rigid.replace(rigid.find("1 3 0 1 0"), 9, "1 3 0 0 0");
    const std::size_t mesh = rigid.find("0.0 0.0 4 4 3.6E6");
    rigid.erase(mesh, rigid.find('\n', mesh) + 1 - mesh);
    // Rigid: the head displacements L U of every analysis solved to its full load.
    std::vector<Heads> rigid_heads;
    group_services.result3d = [&](const SolveRequest& rq, const Cap3dOutcome& out, int& ISTAT) {
        Heads h;
        if (out.converged && out.TCONV == 1.0)
            for (int i = 1; i <= NPILES; ++i) {
                const PileTransform t = PILETR(i);
                for (int r = 1; r <= 6; ++r) {
                    double a = 0;
                    for (int k = 1; k <= 6; ++k) a += t.L(r, k) * out.U(k);
                    h.push_back(a);
                }
            }
        rigid_heads.push_back(h);
        return RESPASS3(rq, out, ISTAT);
    };
    run_input(rigid);
    // Slab: the heads of the final pile responses of every analysis.
    std::vector<Heads> slab_heads;
    Heads last;
    flexcap_services.piles = [&last](int n, RTab& D, RTab& F, RTab& K) {
        PILEHEADS(pile_controls(0, NANAL, 0), n, D.data(), F.data(), K.data());
        last.assign(D.data(), D.data() + 6 * n);
    };
    group_services.flexcap = [&](const CAPVEC& P, int& ISTAT) {
        FLEXCAP(P, ISTAT);
        slab_heads.push_back(last);
    };
    run_input(stiff);
    ASSERT_EQ(rigid_heads.size(), 4u);
    ASSERT_EQ(slab_heads.size(), 4u);
    int compared = 0;
    for (std::size_t a = 0; a < 4; ++a) {
        if (rigid_heads[a].empty()) continue;
        ++compared;
        ASSERT_EQ(slab_heads[a].size(), rigid_heads[a].size());
        // Scales: the largest translation and the largest rotation of the analysis.
        double move = 0, turn = 0;
        for (std::size_t k = 0; k < rigid_heads[a].size(); ++k)
            (k % 6 < 3 ? move : turn) = std::max(k % 6 < 3 ? move : turn, std::fabs(rigid_heads[a][k]));
        for (std::size_t k = 0; k < rigid_heads[a].size(); ++k) {
            // A rotation within 2 %, or within what turns a head 36 in away
            // by 0.1 % of the largest movement (a vertical load alone).
            const double tol = k % 6 == 0 ? 1e-3 * move : (k % 6 < 3 ? 5e-2 * move : std::max(2e-2 * turn, 1e-3 * move / 36));
            EXPECT_NEAR(slab_heads[a][k], rigid_heads[a][k], tol)
                << "analysis " << a + 1 << " pile " << k / 6 + 1 << " component " << k % 6 + 1;
        }
    }
    EXPECT_GE(compared, 3);
}

}  // namespace
}  // namespace zolan
