// A slab far stiffer than concrete on four linear piles (elastic subgrade,
// straight axial and torque curves) is a rigid cap on linear springs: each
// load step closes in the slab's least of two iterations, whether the pile
// points fall on nodes of the mesh or inside its elements, and whether the
// heads sit at the slab's plane or hang below it on rigid arms. A tangent
// that gave a point inside an element only to its nodes' own blocks took
// 11 to 14 iterations per step, and with the case's limit of 5 the run ended
// with status 41.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "support/fixed_run.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

struct Iterations {
    int steps = 0, most = 0;
};

// Steps of the slab and the most iterations of one step, from the run log.
Iterations slab_iterations(const std::string& log) {
    Iterations out;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);) {
        int iter = 0;
        if (line.rfind("STEP ", 0) == 0) ++out.steps;
        if (std::sscanf(line.c_str(), "ITER = %d", &iter) == 1 && iter > out.most) out.most = iter;
    }
    return out;
}

TEST(SlabStiffRun, LinearPilesCloseEveryStepInTwoIterations) {
    const std::string fixture = test::read_file(std::string(ZOLAN_FIXTURES_DIR) + "/stiff_slab_linear3d.in");
    const std::string mesh = "0.0 0.0 4 4 3.6E9";
    ASSERT_NE(fixture.find(mesh), std::string::npos);
    // Piles at Y, Z = +-2.5 ft under a 10 ft cap: nodes of the 4 x 4 mesh
    // (2.5 ft elements), inside the elements of the 3 x 3 mesh (3.33 ft).
    const struct { const char* mesh; const char* head; } cases[] = {
        {"0.0 0.0 4 4 3.6E9", "0.0"}, {"0.0 0.0 3 3 3.6E9", "0.0"},
        {"0.0 0.0 4 4 3.6E9", "2.0"}, {"0.0 0.0 3 3 3.6E9", "2.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mesh) + ", heads " + c.head + " ft below the slab");
        std::string input = fixture;
        input.replace(input.find(mesh), mesh.size(), c.mesh);
        for (const char* head : {"0.0 -2.5 -2.5 0.0 90.0", "0.0 2.5 -2.5 0.0 90.0", "0.0 -2.5 2.5 0.0 90.0",
                                 "0.0 2.5 2.5 0.0 90.0"})
            input.replace(input.find(head), 3, c.head);
        test::TempDir dir;
        test::write_file("source.in", input);
        ASSERT_EQ(test::run_at_fixed_time("source.in", "stiffslab.in"), 0);
        const Iterations it = slab_iterations(test::read_file("runtime.txt"));
        EXPECT_EQ(it.steps, 4);  // four quarter steps, none halved
        EXPECT_EQ(it.most, 2);
    }
}

}  // namespace
}  // namespace zolan
