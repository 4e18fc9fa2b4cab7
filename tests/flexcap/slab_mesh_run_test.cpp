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

TEST(SlabMeshRun, FlexibleCapExampleMeshedEightByEight) {
    std::string input = test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/flexcap3d.in");
    const std::string mesh = "0.0 0.0 4 4 3.6E6";
    ASSERT_NE(input.find(mesh), std::string::npos);
    input.replace(input.find(mesh), mesh.size(), "0.0 0.0 8 8 3.6E6");
    test::TempDir dir;
    test::write_file("source.in", input);
    EXPECT_EQ(test::run_at_fixed_time("source.in", "flexcap8.in"), 0);
}

}  // namespace
}  // namespace zolan
