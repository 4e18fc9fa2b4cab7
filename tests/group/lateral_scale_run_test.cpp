// Whole runs of the shipped examples with their lateral load scaled from
// 0.02 to 4 times (in space along Y, along Z and at 45 degrees; in the
// plane): every analysis, the pure vertical ones and the combination
// included, solves to the full load. Below the group's capacity, a partial
// solution is a fault of the iteration, not of the group.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "support/fixed_run.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

const std::string kExamples = std::string(ZOLAN_SOURCE_DIR) + "/examples/";

std::string number(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%.6f", v);
    return b;
}

TEST(LateralScaleRun, EveryAnalysisSolvesToTheFullLoad) {
    const std::string group = test::read_file(kExamples + "group3d.in");
    const std::string plane = test::read_file(kExamples + "plane2d_si.in");
    const std::string wind = "0.0 48000.0 -3600000.0 0.0 0.0 0.0", quake = "0.0 450.0 0.0 0.0";
    ASSERT_NE(group.find(wind), std::string::npos);
    ASSERT_NE(plane.find(quake), std::string::npos);
    // The scales where the earlier tangent stopped short (0.25, 0.5, 1 at
    // 45 degrees, 2), and the ends of the range.
    for (double s : {0.02, 0.25, 0.5, 1.0, 2.0, 4.0}) {
        const double F = 48000.0 * s, M = 3600000.0 * s, c = std::sqrt(0.5);
        // Load records FX, FY, MZ, FZ, MY, MX: the wind along Y, along Z
        // (its moment about Y), and turned to 45 degrees.
        const std::string along_y = "0.0 " + number(F) + " " + number(-M) + " 0.0 0.0 0.0";
        const std::string along_z = "0.0 0.0 0.0 " + number(F) + " " + number(M) + " 0.0";
        const std::string turned =
            "0.0 " + number(c * F) + " " + number(-c * M) + " " + number(c * F) + " " + number(c * M) + " 0.0";
        for (const std::string* rec : {&along_y, &along_z, &turned}) {
            std::string input = group;
            input.replace(input.find(wind), wind.size(), *rec);
            int status = -1;
            EXPECT_EQ(test::incomplete_analyses(input, status), "") << "space, x" << s << ": " << *rec;
            EXPECT_EQ(status, 0);
        }
        std::string input = plane;
        input.replace(input.find(quake), quake.size(), "0.0 " + number(450.0 * s) + " 0.0 0.0");
        int status = -1;
        EXPECT_EQ(test::incomplete_analyses(input, status), "") << "plane, x" << s;
        EXPECT_EQ(status, 0);
    }
}

// One 45 m pipe in stiff clay without free water (its p-y curve rises as
// y^(1/4), so its secant modulus grows without bound towards a deflection
// of zero) under loads of 0.05 to 5 kN, down, up, across and with a torque:
// deep down the pile the deflections fall to 1e-298 m, where the tangent's
// coupling of the two bending planes once overflowed into NaN and ended
// the lateral analyses at their first iteration.
TEST(LateralScaleRun, ALongPileInDryStiffClayCarriesTinyLoads) {
    const std::string input = test::read_file(std::string(ZOLAN_FIXTURES_DIR) + "/long_pile_dry_stiff_clay_si.in");
    int status = -1, completed = 0;
    EXPECT_EQ(test::incomplete_analyses(input, status, &completed), "");
    EXPECT_EQ(completed, 5);
    EXPECT_EQ(status, 0);
}

// Four hundred of the example's piles in its soils, 20 x 20 at 6 ft (most
// heads beyond the example's cap plan, a warning of the echo only), under
// the example's wind alone (cap results only, for speed):
// the earlier tangent stopped this group at 42 % of the wind with the cap's
// iteration not converging.
TEST(LateralScaleRun, FourHundredPilesCarryTheWind) {
    const std::string group = test::read_file(kExamples + "group3d.in");
    const std::size_t cases = group.find("LOAD CASES"), wind = group.find("WIND ALONG Y"),
                      combinations = group.find("LOAD COMBINATIONS"), properties = group.find("PILE PROPERTIES");
    ASSERT_TRUE(cases != std::string::npos && wind != std::string::npos && combinations != std::string::npos &&
                properties != std::string::npos);
    const std::size_t controls = group.rfind("0 0 0 1 0 100 200", wind);
    std::string windcase = group.substr(controls, combinations - controls);
    const std::string print = "2 5 1.0 0 0.0 0.0 1 0 0";
    ASSERT_NE(windcase.find(print), std::string::npos);
    windcase.replace(windcase.find(print), 1, "0");
    std::string input = group.substr(0, cases) + "LOAD CASES\n1 0 0 0 0\n" + windcase +
                        "LOAD COMBINATIONS\n0 0 0 0 0\nDISTRIBUTED LOAD SETS\n0\nPILE LAYOUT\n400\n";
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 20; ++j)
            input += "2 2 1 0 0 0 0 0 1 1\n0.0 0.0 1.0 1.0 1.0 1.0 1.0\n0.0 " + number(-57.0 + 6 * i) + " " +
                     number(-57.0 + 6 * j) + " 0.0 90.0 0.0 0.0\n";
    input += group.substr(properties);
    int status = -1;
    EXPECT_EQ(test::incomplete_analyses(input, status), "");
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace zolan
