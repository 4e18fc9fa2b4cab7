// Whole runs of drilled shafts whose nonlinear cross section brings its own
// moment-curvature curves (section 12) and no user set: the curves bend the
// shaft in both bending planes of the space model and in the plane model,
// exactly as they do when the file also holds a user set that no section
// uses, and the echo prints the tables the analysis uses.
//
// The single shaft (E 3.0E7 kPa, I = pi 1.5^4 / 64 = 0.248505 m^4, gross EI
// 7.45515E6 kN-m2) has straight-line curves, M = EI/4 phi about axis 1 and
// M = EI/2 phi about axis 2: it must bend like the elastic shaft whose
// inertias are a quarter and a half of the gross one (an independent run of
// the elastic path), and print those rigidities at every node.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "control/control.h"
#include "support/names_file.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

namespace fs = std::filesystem;

constexpr double EI_GROSS = 3.0e7 * 0.248505;  // kN-m2

std::string fixture(const char* name) { return test::read_file(fs::path(ZOLAN_FIXTURES_DIR) / name); }

struct Outcome {
    int status;
    std::string plot, echo;
};

Outcome run(const std::string& input) {
    test::TempDir dir;
    test::write_names(test::default_names());
    test::write_file("input.dat", input);
    const int status = IZOLAN(2);
    return {status, test::read_file("plotdata.txt"), test::read_file("echo.txt")};
}

using test::numbers_of;

std::string line_after(const std::string& text, const std::string& key, std::size_t from = 0) {
    const std::size_t at = text.find(key, from);
    if (at == std::string::npos) return "";
    const std::size_t begin = text.find('\n', at) + 1;
    return text.substr(begin, text.find('\n', begin) - begin);
}

// The cap's six displacements at the origin (first analysis).
std::vector<double> cap(const std::string& plot) {
    return numbers_of(line_after(plot, "* DISPLACEMENT OF PILE CAP AT ORIGIN *"));
}

// The flexural rigidity of bending axis `axis` at every node of pile `pile`:
// the column of quantity 19 + axis of the print list that heads the rows
// ("25" and the 25 print flags; the rows hold the depth, then one column per
// flag set).
std::vector<double> rigidities(const std::string& plot, int pile, int axis) {
    std::size_t at = 0;
    for (int p = 0; p < pile; ++p) at = plot.find("* EFFECTS FOR LATERALLY LOADED PILE *", at + 1);
    const std::vector<double> flags = numbers_of(line_after(plot, "*", at));
    if (flags.size() != 26 || flags[19 + axis] != 1.0) return {};
    const long column = 1 + std::count(flags.begin() + 1, flags.begin() + 19 + axis, 1.0);
    const long width = 1 + std::count(flags.begin() + 1, flags.end(), 1.0);
    std::istringstream in(plot.substr(plot.find('\n', plot.find('\n', at) + 1) + 1));
    std::vector<double> ei;
    for (std::string l; std::getline(in, l);) {
        const std::vector<double> row = numbers_of(l);
        if (static_cast<long>(row.size()) != width) break;
        ei.push_back(row[static_cast<std::size_t>(column)]);
    }
    return ei;
}

// The same file with NMPSET 1 and one user set that no section names.
std::string with_unused_user_set(std::string text) {
    const std::size_t line = text.find("CONTROL");
    const std::size_t begin = text.find('\n', line) + 1;
    std::istringstream in(text.substr(begin, text.find('\n', begin) - begin));
    std::string controls, v;
    for (int k = 1; k <= 20 && in >> v; ++k) controls += (k > 1 ? " " : "") + (k == 9 ? std::string("1") : v);
    text.replace(begin, text.find('\n', begin) - begin, controls);
    const std::string curves = "MOMENT-CURVATURE OF CROSS SECTIONS";
    text.insert(text.find(curves), "USER MOMENT-CURVATURE SETS\n1\n1 1\n0.0\n0 2\n0.0 0.0\n100.0 1.0E-3\n");
    return text;
}

// The same file with the cross section elastic, of inertias iz and iy.
std::string elastic(std::string text, const std::string& iz, const std::string& iy) {
    const std::size_t from = text.find("1 1 2 1"), to = text.find("SOIL LAYERS");
    text.replace(from, to - from,
                 "1 1 0 0\n'RC SHAFT 1500 MM'\n1500.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n1.25E7 1.76715E6 " + iz + " " + iy +
                     " 0.0 2.4E6 7000.0 3000.0 3.0E7 0.0 0\n0 0 0.0 0 0\n'NONE'\n");
    return text;
}

TEST(SectionCurvesRun, GeneratedCurvesBendTheShaftInBothModels) {
    struct Model {
        const char* file;
        int axes;
        std::vector<int> cap_moves;  // the cap displacements of the lateral loads: Y, and Z in space
    };
    const Model models[] = {{"cracked_shaft3d.in", 2, {1, 2}}, {"cracked_shaft2d.in", 1, {1}}};
    for (const Model& m : models) {
        SCOPED_TRACE(m.file);
        const std::string text = fixture(m.file);
        const Outcome cracked = run(text), with_set = run(with_unused_user_set(text));
        const Outcome gross = run(elastic(text, "2.48505E11", "2.48505E11"));
        const Outcome reduced = run(elastic(text, "6.212625E10", "1.242525E11"));  // I/4, I/2
        for (const Outcome* r : {&cracked, &with_set, &gross, &reduced}) ASSERT_EQ(r->status, 0);
        const std::vector<double> c = cap(cracked.plot), s = cap(with_set.plot), g = cap(gross.plot),
                                  e = cap(reduced.plot);
        ASSERT_TRUE(c.size() == g.size() && s.size() == g.size() && e.size() == g.size() && g.size() >= 3);
        for (int k : m.cap_moves) {
            EXPECT_GT(c[k], 1.25 * g[k]) << "cap displacement " << k;
            EXPECT_NEAR(s[k] / c[k], 1.0, 1e-9) << "cap displacement " << k;
            // The elastic shaft keeps its gross EI at the ghost nodes beyond
            // the head and tip, where the curves do not reach: 0.1 % apart.
            EXPECT_NEAR(c[k] / e[k], 1.0, 2e-3) << "cap displacement " << k;
        }
        for (int axis = 1; axis <= m.axes; ++axis) {
            SCOPED_TRACE(axis);
            const std::vector<double> ei = rigidities(cracked.plot, 1, axis), eg = rigidities(gross.plot, 1, axis);
            ASSERT_EQ(ei.size(), 41u);
            ASSERT_EQ(eg.size(), 41u);
            for (std::size_t n = 0; n < ei.size(); ++n) {
                EXPECT_NEAR(ei[n], EI_GROSS / (axis == 1 ? 4.0 : 2.0), 1.0) << "node " << n + 1;
                EXPECT_NEAR(eg[n], EI_GROSS, 1.0) << "node " << n + 1;
            }
            const std::string table = "CURVE SET  " + std::to_string(axis) +
                                      "          NUM OF CURVES  1          CROSS SECTION  1, BENDING AXIS " +
                                      std::to_string(axis);
            EXPECT_NE(cracked.echo.find(table), std::string::npos);
        }
    }
}

// The pier on four 1.5 m shafts, 12,000 kN down, 4,000 kN along Y and
// -12,000 kN-m about Z at the cap: the shafts crack (curve: gross EI up to
// the cracking moment 1,093 kN-m, then 2.6E6 kN-m2 up to the yield moment
// 6,000 kN-m) whether or not the file holds a user set, and sway further
// than with their gross EI. Below the yield moment the secant rigidity lies
// between 6,000 / 2.034E-3 = 2.95E6 kN-m2 and the gross one.
TEST(SectionCurvesRun, PierOnFourCrackingShafts) {
    const std::string text = fixture("pier_four_shafts_si.in");
    const Outcome cracked = run(text), with_set = run(with_unused_user_set(text));
    const Outcome gross = run(elastic(text, "2.48505E11", "2.48505E11"));
    for (const Outcome* r : {&cracked, &with_set, &gross}) ASSERT_EQ(r->status, 0);
    const std::vector<double> c = cap(cracked.plot), s = cap(with_set.plot), g = cap(gross.plot);
    ASSERT_EQ(c.size(), 6u);
    ASSERT_EQ(s.size(), 6u);
    ASSERT_EQ(g.size(), 6u);
    EXPECT_NEAR(s[1] / c[1], 1.0, 0.01);
    EXPECT_GT(c[1], 1.05 * g[1]);
    for (int pile = 1; pile <= 4; ++pile) {
        SCOPED_TRACE(pile);
        const std::vector<double> ei = rigidities(cracked.plot, pile, 1);
        ASSERT_EQ(ei.size(), 61u);
        const double least = *std::min_element(ei.begin(), ei.end());
        EXPECT_LT(least, 0.9 * EI_GROSS);
        EXPECT_GT(least, 6000.0 / 2.034e-3);
        EXPECT_LE(*std::max_element(ei.begin(), ei.end()), 1093.0 / 1.466e-4 + 1.0);
    }
}

}  // namespace
}  // namespace zolan
