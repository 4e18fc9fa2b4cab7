// Analyses at the edge of the finite range end with their failure and write
// no NaN or Infinity into any file of the run: a cap load of 1e20, the
// largest the input takes, in space and in the plane (the analysis ends as
// not converged, with its status line), a slab whose modulus is not positive
// or whose Poisson's ratio is not inside (-1, 1) (refused before its
// stepping) and a slab under a load of 1e20, whose stepping gives up
// (status 41, said so).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "control/control.h"
#include "support/names_file.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

namespace fs = std::filesystem;

std::string source(const char* path) { return test::read_file(fs::path(ZOLAN_SOURCE_DIR) / path); }

// The text with line n (from 1) replaced.
std::string with_line(const std::string& text, int n, const std::string& line) {
    std::string out;
    int k = 0;
    for (const std::string& l : test::lines_of(text)) out += (++k == n ? line : l) + "\n";
    return out;
}

TEST(FiniteResults, OverflowEndsTheAnalysisWithItsFailure) {
    const std::string space = source("tests/fixtures/minimal3d.in"), plane = source("examples/plane2d_si.in"),
                      flex = source("examples/flexcap3d.in");
    struct Case {
        const char* what;
        std::string input;
        int status;
        std::vector<std::string> says;  // on the files named
    };
    const Case cases[] = {
        {"space, a load of 1e20", with_line(space, 17, "1.0E20 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0"), 0,
         {"status.txt:    3 NO CONVERGENCE ON PILE CAP\n"}},
        {"plane, a load of 1e20", with_line(plane, 18, "1.0E20 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0"), 0,
         {"status.txt:LOAD CASE :     1\n      ANALYSIS DUE TO TOTAL LOAD\n    3 NO CONVERGENCE ON PILE CAP\n"}},
        {"slab modulus -3.6e6", with_line(flex, 7, "0.0 0.0 4 4 -3.6E6 0.2"), 41,
         {"runtime.txt:     SLAB ANALYSIS: THE YOUNG MODULUS OF MATERIAL 1 IS NOT POSITIVE AND FINITE\n",
          "echo.txt: THE YOUNG MODULUS OF MATERIAL 1 IS NOT POSITIVE AND FINITE\n"}},
        {"slab modulus 0", with_line(flex, 7, "0.0 0.0 4 4 0.0 0.2"), 41,
         {"runtime.txt:     SLAB ANALYSIS: THE YOUNG MODULUS OF MATERIAL 1 IS NOT POSITIVE AND FINITE\n"}},
        {"slab Poisson's ratio 1", with_line(flex, 7, "0.0 0.0 4 4 3.6E6 1.0"), 41,
         {"runtime.txt:     SLAB ANALYSIS: THE POISSON RATIO OF MATERIAL 1 IS NOT BETWEEN -1 AND 1\n"}},
        {"slab Poisson's ratio -1.5", with_line(flex, 7, "0.0 0.0 4 4 3.6E6 -1.5"), 41,
         {"runtime.txt:     SLAB ANALYSIS: THE POISSON RATIO OF MATERIAL 1 IS NOT BETWEEN -1 AND 1\n"}},
        // One element under the 2 x 2 group: the piles inside it couple its
        // nodes consistently and the slab converges, every number finite.
        {"a slab of one element", with_line(flex, 7, "0.0 0.0 1 1 3.6E6 0.2"), 0,
         {"status.txt:LOAD CASE :     1\n      ANALYSIS DUE TO TOTAL LOAD\n    1 ANALYSIS COMPLETED\n"}},
        {"a slab under a load of 1e20", with_line(flex, 19, "1.0E20 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0"), 41,
         {"runtime.txt:     SLAB ANALYSIS: REQUIRED INCREMENT LESS THAN MINIMUM SPECIFIED\n"}},
        // Beyond the bound the input is refused.
        {"space, a load of 1e300", with_line(space, 17, "1.0E300 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0"), 37,
         {"runtime.txt:     VALUE 1 OF THE RECORD (CLOAD 1) IS 0.1000000+301; EXPECTED AT MOST 1.0E+20 IN MAGNITUDE\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        test::write_names(test::default_names());
        test::write_file("input.dat", c.input);
        EXPECT_EQ(IZOLAN(2), c.status);
        for (const std::string& s : c.says) {
            const std::size_t colon = s.find(':');
            EXPECT_NE(test::read_file(s.substr(0, colon)).find(s.substr(colon + 1)), std::string::npos) << s;
        }
        for (const auto& f : fs::directory_iterator(dir.path())) {
            const std::string text = test::read_file(f.path());
            EXPECT_EQ(text.find("NaN"), std::string::npos) << f.path().filename();
            EXPECT_EQ(text.find("Infinity"), std::string::npos) << f.path().filename();
        }
    }
}

}  // namespace
}  // namespace zolan
