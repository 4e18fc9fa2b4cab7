// Whole runs of load cases given at a point of definition with a displacement
// pushed there (displacement control), in the three-dimensional and the plane
// model: several layouts, pushes along Y, Z and both, at the cap's level and
// above it, with and without a vertical load, and with a settlement given
// too. Each case that solves in one step solves in 2, 3, 4, 7, 10 and 50
// steps, and every stepping reaches the same cap displacement. A group whose
// piles cannot carry the vertical load ends as a partial solution at a state
// the structure reached: the point where the push left it, the cap turned
// and settled by no more than the push moves it.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "control/control.h"
#include "group/cap_solver2d.h"
#include "group/cap_solver3d.h"
#include "group/group_services.h"
#include "support/names_file.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// A real number for an input record, to eight significant digits.
std::string num(double v) {
    std::ostringstream o;
    o << std::setprecision(8) << v;
    return o.str();
}

// The first load-increment factors of 1, 2, 3, 4, 7, 10 and 50 steps.
const double kIncrements[] = {1.0, 0.5, 1.0 / 3.0, 0.25, 1.0 / 7.0, 0.1, 0.02};

// One case at a point: per slot (X, Y, rotation Z, Z, rotation Y,
// rotation X) the displacement when `given` holds it, else the load; the
// point's X, Y, Z (ft, X down).
struct Push {
    const char* name;
    std::vector<int> flags;        // 0 the displacement is given, 1 the load
    std::vector<double> disp, load;
    std::vector<double> point;
};

// The case records of one push in one stepping.
std::string point_case(const Push& p, double dt) {
    std::string c = "0 0 1 1 0 100 200\n1.0E-5 1.0E-5 " + num(dt) + " " + num(std::min(dt, 0.01)) + "\n";
    c += std::string(p.name) + "\n0 0 0 0 0 0 0 1\n0 5 1.0 0 0.0 0.0 1 0 0\n0\n";
    c += "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n0\n0\n0\n";
    for (int k = 0; k < 6; ++k) c += std::to_string(p.flags[k]) + (k < 5 ? " " : "\n");
    for (int k = 0; k < 6; ++k) c += num(p.disp[k]) + " " + num(p.load[k]) + (k == 2 || k == 5 ? "\n" : " ");
    c += num(p.point[0]) + " " + num(p.point[1]) + " " + num(p.point[2]) + "\n";
    return c;
}

// Soft clay over stiff clay; axial curves from the soil.
const char* kSoil =
    "SOIL LAYERS\n2\n1 1\n0.0 15.0\n2 9\n50 300 0 0 0 0 0 0 0\n50 600 0 0 0 0 0 0 0\n"
    "2 3\n15.0 100.0\n2 9\n60 2000 0 0 0 0 0 0 0\n60 3000 0 0 0 0 0 0 0\n";

// A three-dimensional group of fixed-head 24-in pipes, `length` ft long, with
// their heads at (Y, Z) ft, one case per push and stepping (`steps`).
std::string space_input(const std::vector<std::pair<double, double>>& heads, double length,
                        const std::vector<Push>& pushes, const std::vector<double>& steps) {
    std::string in = "PUSHED AT A POINT\nVERSION 1\nCONTROL PARAMETERS\n1 3 0 0 0 0 0 1 0 0 0 0 0 0 1 1 0 0 0 0\n"
                     "PILE CAP\n30.0 30.0 3.0 0.0 0.0 0\nLOAD CASES\n" +
                     std::to_string(pushes.size() * steps.size()) + " 1 0 0 0\n" +
                     "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n";
    for (const Push& p : pushes)
        for (double dt : steps) in += point_case(p, dt);
    in += "LOAD COMBINATIONS\n0 0 0 0 0\nDISTRIBUTED LOAD SETS\n0\nPILE LAYOUT\n" + std::to_string(heads.size()) + "\n";
    for (const auto& [y, z] : heads)
        in += "2 2 1 0 0 0 0 0 1 1\n0.0 0.0 1.0 1.0 1.0 1.0 1.0\n0.0 " + num(y) + " " + num(z) + " 0.0 90.0 0.0 0.0\n";
    in += "PILE PROPERTIES\n1\n1 1\n12 " + num(length) + " 1\n0.0 " + num(length) + " 1\n";
    in += "CROSS SECTIONS\n1\n1 1 1 0\n'PIPE 24'\n24.0 23.0 0 0 0 0 0 0\n"
          "11.2E6 36.914 2549.35 2549.35 0.0 5.7106E10 1.3808E7 5.537E5 29.0E6 0.0 0\n0 0 0.0 0 0\n'NONE'\n";
    in += kSoil;
    in += "GENERATED AXIAL LOAD-SETTLEMENT CURVES\n1\n1\nGENERATED TORQUE-ROTATION CURVES\n1\n1\n";
    in += "MOMENT-CURVATURE\n1\n1 0\n1 0\n";
    return in;
}

// A plane group: rows of `per_row` fixed-head 18-in pipes at 4.5 ft, 40 ft
// long, at Y ft; the pushes' slots 1 to 3 (X, Y, rotation Z) and point X, Y.
std::string plane_input(const std::vector<double>& rows, int per_row, const std::vector<Push>& pushes,
                        const std::vector<double>& steps) {
    std::string in = "PUSHED AT A POINT\nVERSION 1\nCONTROL PARAMETERS\n1 2 0 0 0 0 0 1 0 0 0 0 0 0 1 1 0 0 0 0\n"
                     "PILE CAP\n30.0 20.0 3.0 0.0 0.0 0\nLOAD CASES\n" +
                     std::to_string(pushes.size() * steps.size()) + " 0 0 0 0\n";
    for (const Push& p : pushes)
        for (double dt : steps) in += point_case(p, dt);
    in += "LOAD COMBINATIONS\n0 0 0 0 0\nDISTRIBUTED LOAD SETS\n0\nPILE LAYOUT\n" + std::to_string(rows.size()) + "\n";
    for (double y : rows) in += "2 " + std::to_string(per_row) + " 1 0 0 0 1\n0.0 4.5 1.0 1.0 1.0\n0.0 " + num(y) + " 0.0 0.0\n";
    in += "PILE PROPERTIES\n1\n1 1\n12 40.0 1\n0.0 40.0 1\n";
    in += "CROSS SECTIONS\n1\n1 1 1 0\n'PIPE 18'\n18.0 17.0 0 0 0 0 0 0\n"
          "11.2E6 27.49 1053.2 1053.2 0.0 2.36E10 7.5E6 4.1E5 29.0E6 0.0 0\n0 0 0.0 0 0\n'NONE'\n";
    in += kSoil;
    in += "GENERATED AXIAL LOAD-SETTLEMENT CURVES\n1\n1\nMOMENT-CURVATURE\n1\n1 0\n1 0\n";
    return in;
}

// What the stepping handed to the result pass, per analysis in run order.
struct Answer {
    bool converged = false;
    double tconv = 0.0;
    CAPVEC U;
};

// A whole run of `input` in a fresh folder, the result passes' own bodies
// called after each answer is kept; `status` the run's status; the report
// file `keep` (when given) copied to the caller's folder.
std::vector<Answer> run_answers(const std::string& input, int& status, const char* keep = nullptr) {
    const std::string here = std::filesystem::current_path();
    test::TempDir dir;
    test::write_file("pushed.in", input);
    auto names = test::default_names();
    names[5] = "pushed.in";
    test::write_names(names);
    test::Seams seams;
    std::vector<Answer> out;
    group_services.result3d = [&out](const SolveRequest& r, const Cap3dOutcome& o, int& istat) {
        out.push_back({o.converged, o.TCONV, o.U});
        return RESPASS3(r, o, istat);
    };
    group_services.result2d = [&out](const SolveRequest& r, const Cap2dOutcome& o, int& istat) {
        out.push_back({o.converged, o.TCONV, o.U});
        return RESPASS2(r, o, istat);
    };
    status = IZOLAN(2);
    if (keep) std::filesystem::copy_file(keep, here + "/" + keep);
    return out;
}

// The size of a cap displacement: translations (in) and rotations (rad)
// times 100 in, a lever as long as the groups' reach.
double size_of(const CAPVEC& U, int n) {
    double t = 0.0, r = 0.0;
    for (int k = 1; k <= n; ++k) (n == 3 ? k < 3 : k <= 3) ? t = std::max(t, std::abs(U(k))) : r = std::max(r, std::abs(U(k)));
    return t + 100.0 * r;
}

// Every push of one input solves in one step, and in every stepping it
// reaches the one-step cap displacement within 1E-4 of its size (the cap's
// tolerance 1E-5 on each step's movement, over up to 50 steps).
void expect_every_stepping(const std::string& input, const std::vector<Push>& pushes, int n) {
    int status = -1;
    const std::vector<Answer> a = run_answers(input, status);
    ASSERT_EQ(a.size(), pushes.size() * std::size(kIncrements));
    for (std::size_t p = 0; p < pushes.size(); ++p) {
        SCOPED_TRACE(pushes[p].name);
        const Answer& one = a[p * std::size(kIncrements)];
        ASSERT_TRUE(one.converged) << "one step";
        const double size = size_of(one.U, n);
        for (std::size_t s = 1; s < std::size(kIncrements); ++s) {
            const Answer& b = a[p * std::size(kIncrements) + s];
            EXPECT_TRUE(b.converged) << "first increment " << kIncrements[s] << ", reached " << b.tconv;
            for (int k = 1; k <= n; ++k)
                EXPECT_NEAR(b.U(k), one.U(k), 1e-4 * size * ((n == 3 ? k == 3 : k > 3) ? 0.01 : 1.0))
                    << "first increment " << kIncrements[s] << ", slot " << k;
        }
    }
    EXPECT_EQ(status, 0);
}

const std::vector<int> kLoads = {1, 1, 1, 1, 1, 1};
std::vector<int> given(std::initializer_list<int> slots) {
    std::vector<int> f = kLoads;
    for (int s : slots) f[s - 1] = 0;
    return f;
}

// X down; slots X, Y, rotation Z, Z, rotation Y, rotation X (the plane
// model reads X, Y, rotation Z and the point's X, Y).
const std::vector<Push> kSpacePushes = {
    {"Y 0.5 IN 3 FT ABOVE THE CAP, 300 KIPS DOWN", given({2}), {0, 0.5, 0, 0, 0, 0}, {300e3, 0, 0, 0, 0, 0},
     {-3, 0, 0}},
    {"Z 0.3 IN AT THE ORIGIN, NO VERTICAL LOAD", given({4}), {0, 0, 0, 0.3, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0}},
    {"Y AND Z 0.25 IN 6 FT ABOVE, OFF THE AXES, 200 KIPS", given({2, 4}), {0, 0.25, 0, 0.25, 0, 0},
     {200e3, 0, 0, 0, 0, 0}, {-6, 2, -1}},
    {"SETTLEMENT 0.2 IN WITH Y 0.4 IN AND NO TURN", given({1, 2, 3}), {0.2, 0.4, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0},
     {-3, 1, 0}},
};
const std::vector<Push> kPlanePushes = {
    {"Y 0.3 IN 3 FT ABOVE THE CAP, 300 KIPS DOWN", given({2}), {0, 0.3, 0, 0, 0, 0}, {300e3, 0, 0, 0, 0, 0},
     {-3, 0, 0}},
    {"Y 0.2 IN AT THE ORIGIN, NO VERTICAL LOAD", given({2}), {0, 0.2, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0}},
    {"SETTLEMENT 0.15 IN WITH Y 0.25 IN 6 FT ABOVE, OFF THE AXIS", given({1, 2}), {0.15, 0.25, 0, 0, 0, 0},
     {0, 0, 0, 0, 0, 0}, {-6, 1.5, 0}},
};

// The layouts, one test each (so that they run side by side): three
// piles in a row along Y and a ring of six in space; two and three rows of
// two piles in the plane.
struct Layout {
    const char* name;
    std::vector<std::pair<double, double>> heads;  // space: (Y, Z) ft
    std::vector<double> rows;                      // plane: Y ft
};
const Layout kLayouts[] = {
    {"three piles along Y", {{-5, 0}, {0, 0}, {5, 0}}, {}},
    {"a ring of six", {{5, 0}, {2.5, 4.33}, {-2.5, 4.33}, {-5, 0}, {-2.5, -4.33}, {2.5, -4.33}}, {}},
    {"two rows", {}, {-3, 3}},
    {"three rows", {}, {-4.5, 0, 4.5}},
};

class DisplacementControlRun : public ::testing::TestWithParam<int> {};

TEST_P(DisplacementControlRun, EverySteppingReachesTheOneStepAnswer) {
    const Layout& l = kLayouts[GetParam()];
    SCOPED_TRACE(l.name);
    const std::vector<double> steps(std::begin(kIncrements), std::end(kIncrements));
    if (!l.heads.empty())
        expect_every_stepping(space_input(l.heads, 40.0, kSpacePushes, steps), kSpacePushes, 6);
    else
        expect_every_stepping(plane_input(l.rows, 2, kPlanePushes, steps), kPlanePushes, 3);
}

INSTANTIATE_TEST_SUITE_P(Layouts, DisplacementControlRun, ::testing::Range(0, 4));

// The two groups of the fixtures, pushed at a point 3 ft above the cap
// under a heavy vertical load: a ring of eight 24-in pipes (900 kips, 0.5 in
// along Y) in three load steps and a plane group of five rows of four 18-in
// pipes (2,000 kips, 0.3 in) in four, as given and in one step. Each
// stepping reaches the full push: the point moves along Y by it (u + x
// theta, x = -36 in), and the two steppings agree.
TEST(DisplacementControlRunFixtures, PushedGroupsReachTheFullPush) {
    struct Case { const char* file; const char* steps; double push; int n; };
    const Case cases[] = {{"ring8_pushed3d.in", "0.33333", 0.5, 6}, {"plane_5x4_pushed.in", "0.25", 0.3, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string given = test::read_file(std::string(ZOLAN_FIXTURES_DIR) + "/" + c.file);
        std::string one = given;
        const std::string steps = std::string("1.0E-5 1.0E-5 ") + c.steps + " 0.01";
        ASSERT_NE(one.find(steps), std::string::npos);
        one.replace(one.find(steps), steps.size(), "1.0E-5 1.0E-5 1.0 0.01");
        int status = -1;
        std::vector<Answer> a = run_answers(given, status);
        ASSERT_EQ(status, 0);
        const std::vector<Answer> b = run_answers(one, status);
        ASSERT_EQ(status, 0);
        a.insert(a.end(), b.begin(), b.end());
        ASSERT_EQ(a.size(), 2u);
        const int rz = c.n == 3 ? 3 : 6;
        for (const Answer& x : a) {
            EXPECT_TRUE(x.converged);
            EXPECT_NEAR(x.U(2) - 36.0 * x.U(rz), c.push, 1e-6);
        }
        const double size = size_of(a[1].U, c.n);
        for (int k = 1; k <= c.n; ++k)
            EXPECT_NEAR(a[0].U(k), a[1].U(k), 1e-4 * size * (k == rz || (c.n == 6 && k > 3) ? 0.01 : 1.0)) << k;
    }
}

// The cap displacements at the origin on the envelope pages of the results
// report: per page the two rows of the block (X, Y, Z; rotations X, Y, Z).
std::vector<std::vector<double>> envelope_displacements(const std::string& text) {
    std::vector<std::vector<double>> out;
    for (std::size_t at = text.find("ENVELOPE"); at != std::string::npos; at = text.find("ENVELOPE", at + 1)) {
        const std::size_t block = text.find("DISPLACEMENT OF GROUPED PILE FOUNDATION AT ORIGIN", at);
        if (block == std::string::npos) break;
        std::istringstream in(text.substr(block));
        std::string line;
        std::vector<double> v;
        while (v.size() < 6 && std::getline(in, line)) {
            std::istringstream row(line);
            std::vector<double> r;
            for (double x; row >> x;) r.push_back(x);
            if (r.size() == 3 && row.eof()) v.insert(v.end(), r.begin(), r.end());
        }
        out.push_back(v);
        at = block;
    }
    return out;
}

// Two piles 40 ft long cannot carry 600 kips: pushed 0.5 in along Y 3 ft
// above the cap, every stepping stops short of the full push. A partial
// solution is a state the structure reached: the point stands where the
// push at the factor reached left it (Y of the point u + x theta =
// tconv x 0.5 in, x = -36 in), and the cap moves no more than the push
// (translations within 1 in, rotations within 0.01 rad; a cap thousands of
// inches away would be far out), on the envelope pages too.
TEST(DisplacementControlRunPastCapacity, PartialSolutionsAreStatesReached) {
    const std::vector<Push> push = {{"Y 0.5 IN 3 FT ABOVE THE CAP, 600 KIPS DOWN", given({2}), {0, 0.5, 0, 0, 0, 0},
                                     {600e3, 0, 0, 0, 0, 0}, {-3, 0, 0}}};
    const std::vector<double> steps = {1.0, 1.0 / 3.0, 0.25, 0.1};
    test::TempDir dir;
    int status = -1;
    const std::string input = space_input({{-4, 0}, {4, 0}}, 40.0, push, steps);
    const std::vector<Answer> a = run_answers(input, status, "results.txt");
    ASSERT_EQ(a.size(), steps.size());
    int partial = 0;
    for (std::size_t s = 0; s < a.size(); ++s) {
        SCOPED_TRACE(steps[s]);
        EXPECT_FALSE(a[s].converged);
        if (!(a[s].tconv > 0.0)) continue;
        ++partial;
        const CAPVEC& U = a[s].U;
        EXPECT_NEAR(U(2) - 36.0 * U(6), a[s].tconv * 0.5, 1e-6);
        for (int k = 1; k <= 6; ++k) EXPECT_LE(std::abs(U(k)), k <= 3 ? 1.0 : 0.01) << "slot " << k;
    }
    EXPECT_GE(partial, 3);
    const auto pages = envelope_displacements(test::read_file("results.txt"));
    EXPECT_EQ(pages.size(), 2u);  // minimum and maximum
    for (const auto& v : pages) {
        ASSERT_EQ(v.size(), 6u);
        for (int k = 0; k < 6; ++k) EXPECT_LE(std::abs(v[k]), k < 3 ? 1.0 : 0.01) << "slot " << k + 1;
    }
}

// The ring of eight of the fixture on piles 34 ft long in a weaker clay
// (1,000 to 2,000 psf below 20 ft) carries 75 % of its 900 kips: in 1, 2
// and 4 load steps the push stops there as a partial solution (a step
// halved down to the minimum increment), the same state in each stepping,
// the point where the push at that factor left it. An undamped iteration
// jumped to the piles' flat ends and ended on a singular matrix.
TEST(DisplacementControlRunPastCapacity, ARingStopsAtTheSameStateInEveryStepping) {
    std::string ring = test::read_file(std::string(ZOLAN_FIXTURES_DIR) + "/ring8_pushed3d.in");
    const auto swap = [&ring](const std::string& from, const std::string& to) {
        ASSERT_NE(ring.find(from), std::string::npos) << from;
        ring.replace(ring.find(from), from.size(), to);
    };
    swap("30 60.0 1", "30 34.0 1");
    swap("0.0 60.0 1", "0.0 34.0 1");
    swap("60 2000 0 0 0 0 0 0 0\n60 3000", "60 1000 0 0 0 0 0 0 0\n60 2000");
    swap("0 0 1 1 0 100 200", "0 0 1 1 0 20 200");  // steps that fail give up sooner
    std::vector<Answer> a;
    for (const char* dt : {"1.0", "0.5", "0.25"}) {
        std::string in = ring;
        const std::string steps = "1.0E-5 1.0E-5 0.33333 0.01";
        in.replace(in.find(steps), steps.size(), std::string("1.0E-5 1.0E-5 ") + dt + " 0.01");
        int status = -1;
        const std::vector<Answer> b = run_answers(in, status);
        ASSERT_EQ(b.size(), 1u) << dt;
        a.push_back(b[0]);
    }
    for (const Answer& x : a) {
        EXPECT_FALSE(x.converged);
        EXPECT_GT(x.tconv, 0.5);
        EXPECT_NEAR(x.tconv, a[0].tconv, 1e-9);
        EXPECT_NEAR(x.U(2) - 36.0 * x.U(6), x.tconv * 0.5, 1e-6);
        for (int k = 1; k <= 6; ++k) {
            EXPECT_LE(std::abs(x.U(k)), k <= 3 ? 1.0 : 0.01) << "slot " << k;
            EXPECT_NEAR(x.U(k), a[0].U(k), 1e-4 * size_of(a[0].U, 6) * (k > 3 ? 0.01 : 1.0)) << "slot " << k;
        }
    }
}

}  // namespace
}  // namespace zolan
