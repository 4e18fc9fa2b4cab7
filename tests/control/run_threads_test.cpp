// Whole runs of a nonlinear group of eight piles, one of them slender (it
// does not close within the lateral iteration limit of the first case; in
// the second every pile reaches its bearing capacity and the tangent turns
// singular):
// every report is the same for any thread count and for either order of
// the load cases, apart from the lines that tell the clock, the folder and
// the processors used.
#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/fixed_run.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

namespace fs = std::filesystem;

const std::string kFixture = std::string(ZOLAN_FIXTURES_DIR) + "/eight_piles3d.in";
// The first record of each load case; its third value is the thread request.
const std::string kCaseRecord = "0 0 0 1 0 100 ";

// A report without the lines that differ between runs of one input: the
// clock, the run folder, the processors used.
std::string steady_lines(const std::string& text) {
    static const std::regex varying(
        "(     Execution Time|     (Serial|Paral\\.|Print\\.) processing|               Date:  |"
        "     Number Processors|     Path to file locations|- ANALYSIS FOR )[^\n]*\n");
    return std::regex_replace(text, varying, "");
}

// Runs `input` in a fresh folder; every file the run writes, by name.
std::map<std::string, std::string> run_files_of(const std::string& input, int& status) {
    test::TempDir dir;
    test::write_file("source.in", input);
    status = test::run_at_fixed_time("source.in", "eight.in");
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator("."))
        if (const std::string name = e.path().filename().string(); name != "source.in" && name != "eight.in")
            files[name] = steady_lines(test::read_file(e.path()));
    return files;
}

using test::with_threads;

// The input with its two load cases swapped.
std::string cases_swapped(const std::string& input) {
    const std::size_t a = input.find(kCaseRecord), b = input.find(kCaseRecord, a + 1);
    const std::size_t end = input.find("LOAD COMBINATIONS");
    return input.substr(0, a) + input.substr(b, end - b) + input.substr(a, b - a) + input.substr(end);
}

// The blocks of a report that belong to one load case or one envelope,
// keyed by the case name; the case number line is left out.
std::map<std::string, std::string> case_blocks(const std::string& report) {
    static const std::regex start("\n     LOAD CASE (ENV )?:[^\n]*\n     CASE NAME *: ([^\n]*)\n");
    std::map<std::string, std::string> blocks;
    std::vector<std::pair<std::string, std::size_t>> starts;
    for (std::sregex_iterator m(report.begin(), report.end(), start), e; m != e; ++m)
        starts.emplace_back((*m)[2].str(), m->position() + m->length());
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const std::size_t to = k + 1 < starts.size() ? report.rfind("\n     LOAD CASE", starts[k + 1].second - 1)
                                                     : report.size();
        blocks[starts[k].first] = report.substr(starts[k].second, to - starts[k].second);
    }
    return blocks;
}

// 1, 2 and 8 threads write the same files, byte for byte.
TEST(RunThreads, EveryReportTheSameForAnyThreadCount) {
    const std::string input = test::read_file(kFixture);
    int status = -1;
    const auto one = run_files_of(with_threads(input, 1), status);
    ASSERT_EQ(status, 0);
    // The fixture's point: warnings from the rows and a pile that does not close.
    ASSERT_NE(one.at("results.txt").find("NO CLOSURE OF A LLP AFTER"), std::string::npos);
    ASSERT_NE(one.at("results.txt").find("REACHED MAXIMUM LOAD IN BEARING"), std::string::npos);
    ASSERT_NE(one.at("results.txt").find("DETERMINANT OF STIFFNESS MATRIX IS ZERO"), std::string::npos);
    for (int threads : {2, 8}) {
        const auto many = run_files_of(with_threads(input, threads), status);
        EXPECT_EQ(status, 0);
        ASSERT_EQ(many.size(), one.size()) << threads;
        for (const auto& [name, text] : one)
            EXPECT_EQ(test::first_difference(many.at(name), text), "") << name << " on " << threads;
    }
}

// Each load case reports the same whether it runs first or second: nothing
// of one analysis leaks into the next, and the envelopes are the same.
TEST(RunThreads, CasesReportTheSameInEitherOrder) {
    const std::string input = test::read_file(kFixture);
    int status = -1;
    const auto ab = run_files_of(input, status);
    ASSERT_EQ(status, 0);
    const auto ba = run_files_of(cases_swapped(input), status);
    ASSERT_EQ(status, 0);
    const auto first = case_blocks(ab.at("results.txt")), second = case_blocks(ba.at("results.txt"));
    ASSERT_EQ(first.size(), 4u);  // two cases and two envelopes
    ASSERT_EQ(second.size(), first.size());
    // An envelope's notes on a partial solution and on an analysis it lacks
    // name the cases by their numbers, in the order they ran, which the swap
    // changes.
    static const std::regex number("(PARTIAL SOLUTION: LOAD CASE|EXCLUDES LOAD CASE) +[0-9]+");
    const auto normal = [](const std::string& block) {
        std::vector<std::string> lines = test::lines_of(std::regex_replace(block, number, "$1"));
        auto notes_end = lines.begin();
        while (notes_end != lines.end() && notes_end->starts_with("     NOTE: ")) ++notes_end;
        std::sort(lines.begin(), notes_end);
        std::string out;
        for (const std::string& l : lines) out += l + "\n";
        return out;
    };
    for (const auto& [name, block] : first)
        EXPECT_EQ(test::first_difference(normal(second.at(name)), normal(block)), "") << name;
}

}  // namespace
}  // namespace zolan
