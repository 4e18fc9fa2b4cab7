// What each report file of a whole run holds, analysis by analysis and
// envelope by envelope, held against the print switches: for the
// three-dimensional model, the plane model and the flexible cap, every print
// level (0 cap only, 1 also the pile heads, 2 also along the piles) of the
// load cases, the combination and the envelopes of both series.
//
// | kind                   | Table M heading | pile page | along-pile table |
// | load case, combination | level > 0       | level > 0 | level > 0        |
// | load-case envelope     | always          | level > 0 | level > 0        |
// | combination envelope   | always          | level > 0 | level > 1        |
//
// Every analysis and envelope, whatever its level, writes every pile's block
// to the plot-data file, its pile-top summary tables to the summary (and
// their extremes to the summary's closing copy of the summary scratch) and
// its line to the status file. A writer that a run does not call fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/fixed_run.h"

namespace zolan {
namespace {

// Print levels of one run: the three load cases, the combination, the
// load-case envelopes and the combination envelopes; node print increments
// of each kind differ, so that the tables show which one they took.
struct Levels {
    int cases[3];
    int comb, case_env, comb_env;
};
constexpr int INC_CASE = 5, INC_COMB = 10, INC_CASE_ENV = 20, INC_COMB_ENV = 30;

// A model: its example input (whose load sections are replaced), its pile
// rows, the increments of every pile, and what its load sections need.
struct Model {
    const char* name;
    const char* example;
    int npiles, nincr;
    const char* controls;  // first two records of a case or combination
    const char* flags;     // the 25 selection flags
    const char* loads[3];  // the load records of the three cases (count first)
};

const Model kSpace{"space",
                   "group3d.in",
                   4,
                   60,
                   "0 0 0 1 0 100 200\n1.0E-5 1.0E-5 0.25 0.01\n",
                   "1 1 1 1 0 0 0 0 1 1 1 1 1 1 1 1 1 1 1 0 0 0 0 1 1",
                   {"1\n400000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n", "1\n120000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n",
                    "1\n0.0 48000.0 -3600000.0 0.0 0.0 0.0 0.0 0.0 0.0\n"}};
const Model kFlexible{"flexible cap", "flexcap3d.in", kSpace.npiles, kSpace.nincr, kSpace.controls, kSpace.flags,
                      {kSpace.loads[0], kSpace.loads[1], kSpace.loads[2]}};
const Model kPlane{"plane",
                   "plane2d_si.in",
                   3,
                   60,
                   "0 0 0 1 0 100 200\n1.0E-5 1.0E-6 0.25 0.01\n",
                   "1 1 0 0 1 1 0 0 1 0 0 1 0 0 1 0 0 1 1 1 0 0 0 1 1",
                   {"1\n3600.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n",
                    "2\n3600.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n0.0 450.0 0.0 0.0 0.0 0.0 -2.0 0.0 0.0\n",
                    "1\n1800.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n"}};

// The load cases and the combination of the model at the given levels, both
// series with envelopes; the combination takes 1.0, 0.5 and 0.5 of the cases.
std::string load_sections(const Model& m, const Levels& lv) {
    std::ostringstream s;
    s << "LOAD CASES\n3 1 " << lv.case_env << " " << INC_CASE_ENV << " 0\n" << m.flags << "\n";
    for (int i = 0; i < 3; ++i)
        s << m.controls << "CASE " << i + 1 << "\n0 0 0 0 0 0 0 0\n"
          << lv.cases[i] << " " << INC_CASE << " 1.0 0 0.0 0.0 1 0 0\n0\n"
          << m.flags << "\n" << m.loads[i] << "0\n0\n";
    s << "LOAD COMBINATIONS\n1 1 " << lv.comb_env << " " << INC_COMB_ENV << " 0\n" << m.flags << "\n"
      << m.controls << "COMBINATION 1\n0.9 0.9 3\n" << lv.comb << " " << INC_COMB << " 0 0.0 0.0 1 0 0\n0\n"
      << m.flags << "\n3\n1 1.0\n2 0.5\n3 0.5\n";
    return s.str();
}

std::string input_of(const Model& m, const Levels& lv) {
    const std::string ex = test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/" + m.example);
    const std::size_t a = ex.find("LOAD CASES\n"), b = ex.find("DISTRIBUTED LOAD SETS\n");
    return ex.substr(0, a) + load_sections(m, lv) + ex.substr(b);
}

// What one section of a report holds (a section runs from an analysis's or
// an envelope's heading to the next heading).
struct Blocks {
    int table_m = 0, pages = 0, tables = 0, plot_piles = 0, pile_tops = 0, completed = 0, printed = 0;
    std::vector<int> rows;  // rows of each along-pile table
    bool operator==(const Blocks&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Blocks& b) {
    os << "{Table M " << b.table_m << ", pages " << b.pages << ", tables " << b.tables << ", plot piles "
       << b.plot_piles << ", pile-top summaries " << b.pile_tops << ", completed " << b.completed << ", printed "
       << b.printed << ", rows";
    for (int r : b.rows) os << " " << r;
    return os << "}";
}

// Sections of a report by key ("case 2", "case env 1", "comb 1", "comb env 2");
// `count` adds what one line holds to its section.
template <class Count>
void sections(const std::string& text, std::map<std::string, Blocks>& out, Count count) {
    static const std::regex head(R"(^ *LOAD (CASE|COMB\.) (ENV )?: +([0-9]+) *$)");
    std::istringstream in(text);
    std::string line, key;
    std::vector<std::string> lines;
    while (std::getline(in, line)) lines.push_back(line);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        std::smatch m;
        if (std::regex_match(lines[k], m, head)) {
            key = std::string(m[1] == "CASE" ? "case" : "comb") + (m[2].matched ? " env " : " ") + m[3].str();
            continue;
        }
        if (!key.empty()) count(out[key], lines, k);
    }
}

bool has(const std::string& line, const char* text) { return line.find(text) != std::string::npos; }

// Rows of the along-pile table whose heading ends at line k (its row of
// asterisks): the lines that follow it up to the first empty one.
int table_rows(const std::vector<std::string>& lines, std::size_t k) {
    int n = 0;
    while (++k < lines.size() && !lines[k].empty() && lines[k] != " ") ++n;
    return n;
}

// What the four files of a run hold, section by section.
std::map<std::string, Blocks> report_blocks(const std::map<std::string, std::string>& files) {
    std::map<std::string, Blocks> out;
    sections(files.at("results.txt"), out, [](Blocks& b, const std::vector<std::string>& l, std::size_t k) {
        b.table_m += has(l[k], "* TABLE M *   COMPUTATION ON INDIVIDUAL PILE");
        b.pages += l[k].rfind("       * PILE GROUP *", 0) == 0;
        b.tables += has(l[k], "* EFFECTS FOR LATERALLY LOADED PILE *");
        if (l[k].rfind("   **********", 0) == 0) b.rows.push_back(table_rows(l, k));
    });
    // The summary up to its closing copy of the summary scratch.
    const std::string& sum = files.at("summary.txt");
    sections(sum.substr(0, sum.find("SUMMARY FOR LOAD CASES AND COMBINATIONS")), out,
             [](Blocks& b, const std::vector<std::string>& l, std::size_t k) {
                 b.pile_tops += has(l[k], "* PILE TOP DISPLACEMENTS *");
             });
    sections(files.at("plotdata.txt"), out, [](Blocks& b, const std::vector<std::string>& l, std::size_t k) {
        b.plot_piles += l[k].rfind("* PILE GROUP *", 0) == 0;
    });
    sections(files.at("status.txt"), out, [](Blocks& b, const std::vector<std::string>& l, std::size_t k) {
        b.completed += l[k] == "    1 ANALYSIS COMPLETED";
        b.printed += l[k] == "    1 CALCULATED AND PRINTED";
    });
    return out;
}

// Rows of an along-pile table of N increments printed every s nodes: the
// head, then every s-th node, the tip only when N is a multiple of s.
int rows_of(int N, int s) { return N / s + 1; }

// What the switches ask of one section.
Blocks expected(const Model& m, bool envelope, int level, bool table_at_1, int inc) {
    Blocks b;
    const bool page = level > 0, table = table_at_1 ? level > 0 : level > 1;
    b.table_m = envelope || level > 0 ? 1 : 0;
    b.pages = page ? m.npiles : 0;
    b.tables = table ? m.npiles : 0;
    if (table) b.rows.assign(m.npiles, rows_of(m.nincr, inc));
    b.plot_piles = m.npiles;
    b.pile_tops = 2;  // the global and the local pile-top displacements
    b.completed = envelope ? 0 : 1;
    b.printed = envelope ? 1 : 0;
    return b;
}

std::map<std::string, Blocks> expected_blocks(const Model& m, const Levels& lv) {
    std::map<std::string, Blocks> out;
    for (int i = 1; i <= 3; ++i) out["case " + std::to_string(i)] = expected(m, false, lv.cases[i - 1], true, INC_CASE);
    out["comb 1"] = expected(m, false, lv.comb, true, INC_COMB);
    for (const char* side : {"1", "2"}) {
        out[std::string("case env ") + side] = expected(m, true, lv.case_env, true, INC_CASE_ENV);
        out[std::string("comb env ") + side] = expected(m, true, lv.comb_env, false, INC_COMB_ENV);
    }
    return out;
}

int count_of(const std::string& text, const char* what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(ReportContents, EveryReportHoldsWhatThePrintSwitchesAsk) {
    // Three runs per model; across them every kind takes every level.
    const Levels runs[] = {
        {{0, 1, 2}, 1, 2, 0},
        {{1, 2, 0}, 2, 0, 1},
        {{2, 0, 1}, 0, 1, 2},
    };
    for (const Model* m : {&kSpace, &kPlane, &kFlexible}) {
        for (const Levels& lv : runs) {
            SCOPED_TRACE(std::string(m->name) + ", load-case envelope level " + std::to_string(lv.case_env));
            int status = -1;
            const auto files = test::files_on_threads(input_of(*m, lv), "model.in", 2,
                                                      {"results.txt", "summary.txt", "plotdata.txt", "status.txt"},
                                                      status);
            ASSERT_EQ(status, 0) << files.at("status.txt");
            const auto got = report_blocks(files), want = expected_blocks(*m, lv);
            for (const auto& [key, blocks] : want) {
                ASSERT_TRUE(got.count(key)) << key;
                EXPECT_EQ(got.at(key), blocks) << key;
            }
            EXPECT_EQ(got.size(), want.size());
            // Every result set's extremes close the summary; no series lacks
            // its envelopes.
            const std::string& sum = files.at("summary.txt");
            EXPECT_EQ(count_of(sum.substr(sum.find("SUMMARY FOR LOAD CASES AND COMBINATIONS")),
                               "* PILE TOP DISPLACEMENTS, GLOBAL *"),
                      8);
            for (const char* f : {"results.txt", "summary.txt"})
                EXPECT_EQ(files.at(f).find("NO ANALYSIS WAS SOLVED"), std::string::npos) << f;
        }
    }
}

// An analysis that did not complete is named: a single pile that bears about
// 165 kips under 100 kips (completes) and under 900 kips (stops short of its
// load): both load-case envelopes note the partial solution they include,
// and the run log's final block and the end of the summary list it, with its
// number, name and status line, while the run status stays 0.
TEST(ReportContents, AnalysesThatDidNotCompleteAreNamed) {
    std::string input = test::read_file(std::string(ZOLAN_FIXTURES_DIR) + "/minimal3d.in");
    const std::string one = "0 0 0 1 0 100 200\n1.0E-5 1.0E-5 0.25 0.01\n", flags = "1 1 1 1 0 0 0 0 1 1 1 1 1 1 1 1 1 1 1 0 0 0 0 1 1\n";
    std::string cases = "LOAD CASES\n2 1 0 5 0\n" + flags;
    for (const char* c : {"WORKING LOAD\n0 0 0 0 0 0 0 0\n0 5 1.0 0 0.0 0.0 0 0 0\n0\n%1\n100000.0",
                          "OVERLOAD\n0 0 0 0 0 0 0 0\n0 5 1.0 0 0.0 0.0 0 0 0\n0\n%1\n900000.0"}) {
        std::string text = c;
        text.replace(text.find("%1\n"), 3, flags + "1\n");
        cases += one + text + " 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n0\n0\n";
    }
    input = input.substr(0, input.find("LOAD CASES\n")) + cases + input.substr(input.find("LOAD COMBINATIONS\n"));
    int status = -1;
    const auto files = test::files_on_threads(input, "piles.in", 1, {"results.txt", "summary.txt", "runtime.txt"}, status);
    ASSERT_EQ(status, 0);
    static const std::regex note(
        R"(\n     LOAD CASE ENV : [12]\n     CASE NAME     : M..IMUM ENVELOPE\n)"
        R"(     NOTE: INCLUDES A PARTIAL SOLUTION: LOAD CASE      2 OVERLOAD, AT +[0-9.]+ % OF ITS LOAD\n)");
    const std::string& res = files.at("results.txt");
    EXPECT_EQ(std::distance(std::sregex_iterator(res.begin(), res.end(), note), std::sregex_iterator()), 2) << res;
    EXPECT_EQ(count_of(res, "NOTE: INCLUDES"), 2);
    static const std::regex list(
        R"(\*\* WARNING \*\*  1 ANALYSIS DID NOT COMPLETE:\n +LOAD CASE      2  OVERLOAD\n +2 SOLUTION AT +[0-9.]+ % OF THE TOTAL LOAD\n)");
    for (const char* f : {"runtime.txt", "summary.txt"}) {
        SCOPED_TRACE(f);
        EXPECT_TRUE(std::regex_search(files.at(f), list)) << files.at(f);
        EXPECT_EQ(files.at(f).find("WORKING LOAD"), files.at(f).rfind("WORKING LOAD"));  // named once at most
    }
    // The run log's list is part of its final block, after the status text.
    const std::string& run = files.at("runtime.txt");
    EXPECT_LT(run.rfind("ANALYSIS COMPLETED"), run.find("DID NOT COMPLETE"));
    EXPECT_EQ(run.find("\n     \n", run.rfind("ANALYSIS COMPLETED")), std::string::npos);
}

// An analysis that ended without a solution is missing from the envelopes,
// and each envelope says so: one pile under 5,000, 7,000 and 6,000 lb across,
// the second case given a single iteration of its pile in a single load step
// (the pile solution cannot close). The maximum envelope holds 6,000 lb, the minimum 5,000
// lb, and both name the case left out with its status line.
TEST(ReportContents, EnvelopesNameTheAnalysesTheyExclude) {
    std::string input = test::read_file(std::string(ZOLAN_FIXTURES_DIR) + "/minimal3d.in");
    const std::string flags = "1 1 1 1 0 0 0 0 1 1 1 1 1 1 1 1 1 1 1 0 0 0 0 1 1\n";
    std::string cases = "LOAD CASES\n3 1 0 5 0\n" + flags;
    const struct {
        const char* name;
        const char* controls;
        const char* load;
    } lateral[] = {{"LATERAL 5000", "0 0 0 1 0 100 200\n1.0E-5 1.0E-5 0.25 0.01\n", "5000.0"},
                   {"LATERAL 7000", "0 0 0 1 0 100 1\n1.0E-5 1.0E-5 1.0 1.0\n", "7000.0"},
                   {"LATERAL 6000", "0 0 0 1 0 100 200\n1.0E-5 1.0E-5 0.25 0.01\n", "6000.0"}};
    for (const auto& c : lateral)
        cases += std::string(c.controls) + c.name + "\n0 0 0 0 0 0 0 0\n0 5 1.0 0 0.0 0.0 0 0 0\n0\n" + flags +
                 "1\n0.0 " + c.load + " 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n0\n0\n";
    input = input.substr(0, input.find("LOAD CASES\n")) + cases + input.substr(input.find("LOAD COMBINATIONS\n"));
    int status = -1;
    const auto files =
        test::files_on_threads(input, "piles.in", 1, {"results.txt", "summary.txt", "runtime.txt", "status.txt"}, status);
    ASSERT_EQ(status, 0);
    ASSERT_EQ(count_of(files.at("status.txt"), "    6 NO CONVERGENCE ON PILES"), 1) << files.at("status.txt");
    const std::string excluded = "     NOTE: EXCLUDES LOAD CASE      2 LATERAL 7000: 6 NO CONVERGENCE ON PILES\n";
    for (const char* f : {"results.txt", "summary.txt"}) {
        SCOPED_TRACE(f);
        const std::string& text = files.at(f);
        for (const char* side : {"     LOAD CASE ENV : 1\n     CASE NAME     : MINIMUM ENVELOPE\n",
                                 "     LOAD CASE ENV : 2\n     CASE NAME     : MAXIMUM ENVELOPE\n"})
            EXPECT_NE(text.find(std::string(side) + excluded), std::string::npos) << side << text;
        EXPECT_EQ(count_of(text, "NOTE: EXCLUDES"), 2);
    }
    // The envelopes' cap loads: HOR. LOAD Y is the second value of the first row.
    const std::string& res = files.at("results.txt");
    for (const auto& [side, load] : {std::pair{"ENV : 1", 5000.0}, std::pair{"ENV : 2", 6000.0}}) {
        std::istringstream in(res.substr(res.find(std::string("LOAD CASE ") + side)));
        std::string line;
        while (std::getline(in, line) && line.find("HOR. LOAD Y") == std::string::npos) {}
        std::getline(in, line);
        double fx = 0, fy = 0;
        std::istringstream(line) >> fx >> fy;
        EXPECT_NEAR(fy, load, 1e-6) << side << ": " << line;
    }
    EXPECT_NE(files.at("runtime.txt").find("LOAD CASE      2  LATERAL 7000\n"), std::string::npos);
}

// The pile-head reactions that a run reports (the plot-data rows, eight
// digits), carried to the cap origin, balance each analysis's load, under
// the rigid cap and under the flexible cap alike: the example's heads at
// (X, Y, Z) = (0, -36, -36), (0, -36, 36), (0, 36, -36), (0, 36, 36) in, each
// moment M + r x F. Loads in cap order (X, Y, Z, MX, MY, MZ): dead 400 kips
// down, live 120 kips down, wind 48 kips along Y with -3,600 kip-in about Z;
// the combination 1.2 dead + live + wind.
TEST(ReportContents, ReportedPileForcesBalanceTheCapLoad) {
    const double loads[4][6] = {{400000, 0, 0, 0, 0, 0},
                                {120000, 0, 0, 0, 0, 0},
                                {0, 48000, 0, 0, 0, -3600000},
                                {600000, 48000, 0, 0, 0, -3600000}};
    const char* keys[4] = {"case 1", "case 2", "case 3", "comb 1"};
    const double head[4][3] = {{0, -36, -36}, {0, -36, 36}, {0, 36, -36}, {0, 36, 36}};
    for (const char* example : {"group3d.in", "flexcap3d.in"}) {
        SCOPED_TRACE(example);
        int status = -1;
        const auto files = test::files_on_threads(
            test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/" + example), example, 2, {"plotdata.txt"},
            status);
        ASSERT_EQ(status, 0);
        // Per section the sum of the piles' reactions about the origin.
        std::map<std::string, std::vector<double>> sums;
        std::map<std::string, int> piles;
        int pile = 0;
        std::istringstream in(files.at("plotdata.txt"));
        std::string line, key;
        static const std::regex head_line(R"(^ *LOAD (CASE|COMB\.) (ENV )?: +([0-9]+) *$)"), pile_line(R"(^\* PILE GROUP \* +([0-9]+))");
        while (std::getline(in, line)) {
            std::smatch m;
            if (std::regex_match(line, m, head_line)) {
                key = m[2].matched ? "" : std::string(m[1] == "CASE" ? "case " : "comb ") + m[3].str();
                sums[key].assign(6, 0.0);
            } else if (std::regex_search(line, m, pile_line)) {
                pile = std::stoi(m[1]);
            } else if (line.find("* PILE TOP DISP. AND REACT. GLOBAL") != std::string::npos && !key.empty()) {
                std::getline(in, line);
                std::istringstream row(line);
                double v[13];
                for (double& x : v) row >> x;
                ASSERT_TRUE(pile >= 1 && pile <= 4 && row) << line;
                const double* F = v + 6;
                const double* r = head[pile - 1];
                std::vector<double>& s = sums[key];
                for (int k = 0; k < 6; ++k) s[k] += F[k];
                s[3] += r[1] * F[2] - r[2] * F[1];
                s[4] += r[2] * F[0] - r[0] * F[2];
                s[5] += r[0] * F[1] - r[1] * F[0];
                ++piles[key];
            }
        }
        for (int a = 0; a < 4; ++a) {
            SCOPED_TRACE(keys[a]);
            ASSERT_EQ(piles[keys[a]], 4);
            const double fmax = std::max({std::abs(loads[a][0]), std::abs(loads[a][1]), std::abs(loads[a][2])});
            const double mmax = std::max(std::abs(loads[a][5]), 36.0 * fmax);
            for (int k = 0; k < 6; ++k)
                EXPECT_NEAR(sums[keys[a]][k], loads[a][k], 1e-6 * (k < 3 ? fmax : mmax)) << "component " << k + 1;
        }
    }
}

}  // namespace
}  // namespace zolan
