#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/fixed_run.h"

namespace zolan {
namespace {

// The echo of an example run in a fresh folder at a fixed time; the input is
// named without a folder, so the header's path line is the same everywhere.
std::string echo_of(const char* example) {
    test::TempDir dir;
    const int status = test::run_at_fixed_time(std::string(ZOLAN_SOURCE_DIR) + "/examples/" + example, example);
    EXPECT_EQ(status, 0) << test::read_file("runtime.txt");
    return test::read_file("echo.txt");
}

// The echo of the two examples (header, opening block, pile cap, loads, pile
// rows, properties and cross sections, soil, the generated axial and torque
// curves, the printed p-y curves), reviewed line by line against the layouts
// and recomputed independently when it was frozen, stays exactly as it is.
// While no solver evaluates the springs, the layered-soil equivalent depth is
// never computed, so the printed sand curve at 30 ft is that of a layer
// starting at the ground surface; it changes once the analyses run.
TEST(EchoGolden, Examples) {
    for (const char* example : {"group3d.in", "plane2d_si.in"}) {
        const std::string golden = std::string(ZOLAN_FIXTURES_DIR) + "/golden/" + example + ".echo";
        const std::string echo = echo_of(example);
        if (std::getenv("ZOLAN_WRITE_GOLDEN")) test::write_file(golden, echo);
        EXPECT_EQ(echo, test::read_file(golden)) << example;
    }
}

}  // namespace
}  // namespace zolan
