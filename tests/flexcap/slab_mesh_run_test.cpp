// The flexible-cap example meshed finer than it ships: the slab's
// iterations with the piles' condensed tangents (pile points inside the
// elements coupling their nodes) converge at every step; with the earlier
// tangent the 8 x 8 mesh ended with status 41 after its iterations cycled.
#include <gtest/gtest.h>

#include <string>

#include "support/fixed_run.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

const std::string EXAMPLE = std::string(ZOLAN_SOURCE_DIR) + "/examples/flexcap3d.in";

// A whole run of a flexible-cap input (the example unless named) with the
// start of its slab records (`shipped`: plan, mesh, modulus) replaced: the
// run status, and the number of analyses that completed by the status file.
int run_with_slab(const std::string& slab, std::size_t& complete, const std::string& source = EXAMPLE,
                  const std::string& shipped = "0.0 0.0 4 4 3.6E6", std::string* runtime = nullptr) {
    std::string input = test::read_file(source);
    EXPECT_NE(input.find(shipped), std::string::npos);
    if (input.find(shipped) == std::string::npos) return -1;
    input.replace(input.find(shipped), shipped.size(), slab);
    test::TempDir dir;
    test::write_file("source.in", input);
    const int status = test::run_at_fixed_time("source.in", "flexcap.in");
    if (runtime != nullptr) *runtime = test::read_file("runtime.txt");
    const std::string text = test::read_file("status.txt");
    complete = 0;
    for (std::size_t at = text.find("1 ANALYSIS COMPLETED"); at != std::string::npos;
         at = text.find("1 ANALYSIS COMPLETED", at + 1))
        ++complete;
    return status;
}

TEST(SlabMeshRun, FlexibleCapExampleMeshedEightByEight) {
    std::size_t complete = 0;
    EXPECT_EQ(run_with_slab("0.0 0.0 8 8 3.6E6", complete), 0);
    EXPECT_EQ(complete, 4u);
}

// A slab a tenth of the example's modulus, far softer in its plane than
// concrete: under the example's purely vertical dead and live loads, in soft
// clay with the group's reduction factors, the factors of one sense push the
// piles a few hundred-thousandths of an inch sideways, where the clay's
// curves are steepest; every analysis completes, with the slab closing
// where a cycling iteration once ended the run with status 41.
TEST(SlabMeshRun, SoftSlabUnderVerticalLoadsInSoftClay) {
    std::size_t complete = 0;
    EXPECT_EQ(run_with_slab("0.0 0.0 4 4 3.6E5", complete), 0);
    EXPECT_EQ(complete, 4u);  // three cases and the combination
}

// Meshes whose element sizes are not binary fractions, so that points on an
// element's centre line carry local coordinates of round-off size: every
// load and pile point is found and every analysis completes. The example's
// loads stand at the cap's centre, on a centre line of 3 x 5 and 5 x 4
// meshes; the nine-pile slab widened to 20 ft in 7 x 7 has loads at -6 ft
// on its centre line; the SI slab of 8 x 8 m on nine piles at 3 m has its
// centre pile and its load at the centre of the middle element of the 5 x 5
// and 11 x 11 meshes.
TEST(SlabMeshRun, PointsOnCentreLinesOfUnevenMeshes) {
    const std::string nine = std::string(ZOLAN_FIXTURES_DIR) + "/nine_piles_slab3d.in";
    const std::string si = std::string(ZOLAN_FIXTURES_DIR) + "/nine_piles_slab_si.in";
    const struct {
        const char* slab;
        std::string source, shipped;
        std::size_t complete;  // cases and combinations
    } cases[] = {
        {"0.0 0.0 3 5 3.6E6", EXAMPLE, "0.0 0.0 4 4 3.6E6", 4},
        {"0.0 0.0 5 4 3.6E6", EXAMPLE, "0.0 0.0 4 4 3.6E6", 4},
        {"20.0 20.0 3.0 0.0 0.0 0\n0.0 0.0 7 7", nine, "18.0 18.0 3.0 0.0 0.0 0\n0.0 0.0 6 6", 5},
        {"0.0 0.0 5 5 2.48E7", si, "0.0 0.0 5 5 2.48E7", 1},
        {"0.0 0.0 11 11 2.48E7", si, "0.0 0.0 5 5 2.48E7", 1},
    };
    for (const auto& k : cases) {
        std::size_t complete = 0;
        EXPECT_EQ(run_with_slab(k.slab, complete, k.source, k.shipped), 0) << k.slab;
        EXPECT_EQ(complete, k.complete) << k.slab;
    }
}

// A pile a millimetre (SI) or an eighth of an inch (English units) off the
// slab's edge stands in no element: the run ends with status 41, the pile
// point named, and no analysis completes.
TEST(SlabMeshRun, PileJustOffTheSlabIsRefused) {
    const struct {
        std::string source, shipped, moved;
    } cases[] = {
        {std::string(ZOLAN_FIXTURES_DIR) + "/nine_piles_slab_si.in", "0.0 3.0 3.0 0.0 90.0", "0.0 4.001 3.0 0.0 90.0"},
        {std::string(ZOLAN_FIXTURES_DIR) + "/nine_piles_slab3d.in", "0.0 6.0 6.0 0.0 90.0", "0.0 9.01 6.0 0.0 90.0"},
    };
    for (const auto& k : cases) {
        std::size_t complete = 0;
        std::string runtime;
        EXPECT_EQ(run_with_slab(k.moved, complete, k.source, k.shipped, &runtime), 41) << k.moved;
        EXPECT_EQ(complete, 0u) << k.moved;
        EXPECT_NE(runtime.find("SLAB ANALYSIS: PILE POINT 9 LIES IN NO ELEMENT OF THE SLAB MESH"), std::string::npos)
            << runtime;
    }
}

}  // namespace
}  // namespace zolan
