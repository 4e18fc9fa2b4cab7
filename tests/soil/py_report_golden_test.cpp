#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/fixed_run.h"

namespace zolan {
namespace {

struct RunOutput {
    std::string tablen;  // the echo from the heading of the printed p-y curves to its end
    std::string plot;    // the whole plot file of generated curves
};

// One whole run of the fixture in a fresh folder at a fixed time; the input
// is named without a folder, so nothing in the files depends on where it ran.
RunOutput run_of(const char* fixture) {
    test::TempDir dir;
    const int status = test::run_at_fixed_time(std::string(ZOLAN_FIXTURES_DIR) + "/" + fixture, fixture);
    EXPECT_EQ(status, 0) << test::read_file("runtime.txt");
    RunOutput out;
    const std::string echo = test::read_file("echo.txt");
    const std::size_t at = echo.find("     * TABLE N *   PRINTED P-Y CURVES");
    EXPECT_NE(at, std::string::npos) << "no printed p-y curves in the echo";
    if (at != std::string::npos) out.tablen = echo.substr(at);
    out.plot = test::read_file("plot.txt");
    return out;
}

// A whole run prints the generated p-y curves of every soil code (reasons,
// headings, unit labels, soil values, default and requested deflection lists,
// points on the echo and on the plot file) byte for byte as they were
// recomputed independently, from the layouts and the model formulas, when the
// golden files were frozen.
// One pile through thirteen layers, one of each soil code, with a request in
// the middle of every layer and requests above the ground line, above the pile
// head and below the tip. Every layer below the first whose model uses an
// equivalent depth (codes 2, 3, 4, 7, 8, 10, 13) is tabulated with the depth
// formed before the analyses from the running sums of all the layers above
// (static, the loading of the run's case); the other models' curves do not
// depend on it. Recomputed from the published criteria by a script of its
// own, through the running sums of the layers above: soft clay S1 = 42000 lb,
// layer 2 (code 2) at 208.65 in (As = 0.60 at 17 ft, p = 878.638 .. 281.317);
// stiff clay with free water S2 = 53361.30 lb, layer 3 (code 3) at 74.163 in
// (pu = 2156.766 at 27 ft, p = 689.02536 .. 2060.6665); stiff clay S3 =
// 207556.70 lb, layer 4 (sand) at 218.957 in (pst = 7097 lb/in at 37 ft,
// p = 557.91433 .. 6245.0950); sand S4 = 809085.4 lb, user curves S5 = 310400
// lb, vuggy limestone nothing, layer 7 (silt) at 358.76 in (pc = 450, pphi =
// 9046.3 lb/in at 67 ft, p = 2261.3122 .. 8410.7419); silt S7 = 1006091.2 lb,
// layer 8 (API sand) at 405.22 in (pus = 26199, deep 24122, pu = 46665.5 lb/in
// at 77 ft, p = 1395.1610 .. 41961.295). With S beyond 2.4e6 lb the layers of
// codes 10 and 13 lie deeper than their transition depths, where pu = 9 cu b:
// 4500 lb/in at 97 ft (p = 2250 (y / 0.3)^(1/4)) and 1275 lb/in at 127 ft.
TEST(PyReportGolden, EverySoilCode) {
    const char* fixture = "py_every_code.in";
    const RunOutput run = run_of(fixture);
    const std::string base = std::string(ZOLAN_FIXTURES_DIR) + "/golden/py_every_code";
    if (std::getenv("ZOLAN_WRITE_GOLDEN")) {
        test::write_file(base + ".tablen", run.tablen);
        test::write_file(base + ".plot", run.plot);
    }
    EXPECT_EQ(run.tablen, test::read_file(base + ".tablen"));
    EXPECT_EQ(run.plot, test::read_file(base + ".plot"));
}

}  // namespace
}  // namespace zolan
