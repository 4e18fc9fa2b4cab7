// Piles past the peak of their axial curves, named by the analysis. The
// battered triangle of tests/fixtures/battered_triangle_peak.in: three 24 in
// pipes of 60 ft battered 1H:6V outwards, soft over stiff clay, generated
// curves that peak (about 357 kips) and soften after. Case 1, 1,000 kips
// down and 100 kips along Y in one step, settles the cap past the peak of
// pile 1 (about 1.3 in, the peak near 0.25 in); case 2, half of it, leaves
// every pile before its peak (each carries well under 200 kips).
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>

#include "model/curve_tables.h"
#include "support/fixed_run.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

int count_of(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(PastPeakRun, PilesPastTheirPeaksNamedOnlyByTheAnalysisThatTakesThem) {
    test::TempDir dir;
    ASSERT_EQ(test::run_at_fixed_time(std::string(ZOLAN_FIXTURES_DIR) + "/battered_triangle_peak.in", "tri.in"), 0);
    // The compression branch's peak: the largest head load of points 11 to 19.
    int top = 11;
    for (int j = 12; j <= 19; ++j)
        if (LSTAB(1, j, 2) > LSTAB(1, top, 2)) top = j;
    const double peak = LSTAB(1, top, 1);
    ASSERT_LT(top, 19);  // the curve softens after its peak
    ASSERT_LT(LSTAB(1, 19, 2), LSTAB(1, top, 2));

    // Results report: the blocks, each with the head movement beyond the peak's.
    const std::string res = test::read_file("results.txt");
    static const std::regex block(
        R"(\*\* WARNING \*\*  PILE (\d) IS PAST THE PEAK OF ITS AXIAL CURVE\n +AX\. DISP\.= +(\S+) > +(\S+) )");
    int blocks = 0;
    bool pile1 = false;
    for (std::sregex_iterator m(res.begin(), res.end(), block), e; m != e; ++m, ++blocks) {
        pile1 = pile1 || (*m)[1] == "1";
        EXPECT_GT(std::stod((*m)[2]), std::stod((*m)[3]));
        EXPECT_NEAR(std::stod((*m)[3]), peak, 5e-4 * peak);  // four digits printed
    }
    EXPECT_TRUE(pile1);
    EXPECT_GE(blocks, 1);
    // Every block belongs to case 1: none after case 2's heading.
    const std::size_t case2 = res.find("500 KIPS DOWN");
    ASSERT_NE(case2, std::string::npos);
    EXPECT_EQ(res.find("PAST THE PEAK", case2), std::string::npos);

    // The run log's closing block (the terminal shows it) and the summary.
    const std::string tail = "LOAD CASE      1  1000 KIPS DOWN, 100 KIPS ALONG Y: PILE 1 IS PAST THE PEAK OF ITS AXIAL CURVE";
    for (const char* file : {"runtime.txt", "summary.txt"}) {
        SCOPED_TRACE(file);
        const std::string text = test::read_file(file);
        EXPECT_NE(text.find(tail), std::string::npos);
        EXPECT_EQ(count_of(text, ": PILE "), blocks);
        EXPECT_EQ(text.find("500 KIPS DOWN, 50 KIPS ALONG Y: PILE"), std::string::npos);
    }
    // Both analyses completed: the warning does not fail them.
    EXPECT_EQ(count_of(test::read_file("status.txt"), "1 ANALYSIS COMPLETED"), 2);
}

}  // namespace
}  // namespace zolan
