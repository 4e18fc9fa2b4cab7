#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "control/control.h"
#include "control/report_header.h"
#include "support/names_file.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// The echo of an example run in a fresh folder at a fixed time; the input is
// named without a folder, so the header's path line is the same everywhere.
std::string echo_of(const char* example) {
    test::TempDir dir;
    test::write_file(example, test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/" + example));
    auto names = test::default_names();
    names[5] = example;
    test::write_names(names);
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 5;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    FIXED_CLOCK = t;
    const int status = IZOLAN(2);
    FIXED_CLOCK.reset();
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
