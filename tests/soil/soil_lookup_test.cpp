// Soil lookups along depth over profiles of two or three layers, touching and
// with gaps: interpolated values, boundary rules, depth averages, defaults of
// k, the warning blocks and status codes below the profile, and the same
// lookups from eight threads at once.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "model/section_lookup.h"
#include "soil/soil_lookup.h"
#include "model/status_codes.h"
#include "model/input_tables.h"
#include "model/pile_rows.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "report/run_files.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

using test::lines_of;
using test::read_file;

double f32(float v) { return static_cast<double>(v); }

// A layer with one value at its top and one at its bottom, put into every column.
struct Layer {
    double top, bot, vtop, vbot;
};

void set_profile(const std::vector<Layer>& layers) {
    reset_soil_tables();
    NLAYPY = static_cast<int>(layers.size());
    NSCPT = NUWPT = 2 * NLAYPY;
    for (int L = 1; L <= NLAYPY; ++L) {
        const Layer& l = layers[L - 1];
        ISOIL(L) = 1;
        LAYTOP(L) = l.top;
        LAYBOT(L) = l.bot;
        for (int k = 0; k < 2; ++k) {
            const int i = 2 * L - 1 + k;
            SCDEP(i) = UWDEP(i) = k == 0 ? l.top : l.bot;
            for (auto* t : {&SCGAM, &SCCOH, &SCPHI, &SCK, &SCROCK, &SCE50, &SCJ, &SCFMAX, &SCQMAX})
                (*t)(i) = k == 0 ? l.vtop : l.vbot;
        }
    }
}

const std::vector<Layer> TOUCH = {{0, 10, 50, 100}, {10, 20, 300, 500}};
const std::vector<Layer> TOUCH_LOWER0 = {{0, 10, 50, 100}, {10, 20, 0, 500}};
const std::vector<Layer> TOUCH_UPPER0 = {{0, 10, 50, 0}, {10, 20, 300, 500}};
const std::vector<Layer> GAP = {{0, 10, 50, 100}, {12, 20, 300, 500}};
const std::vector<Layer> THREE = {{0, 10, 50, 100}, {10, 20, 300, 500}, {25, 30, 600, 700}};

class SoilLookup : public ::testing::Test {
protected:
    void SetUp() override {
        saved_toldep_ = TOLDEP;
        saved_units_ = NUNITS;
        TOLDEP = 1.0e-6;
        NUNITS = 1;
        reset_soil_tables();
    }
    void TearDown() override {
        io::close_unit(RESFILE);
        io::close_unit(RUNFILE);
        reset_soil_tables();
        TOLDEP = saved_toldep_;
        NUNITS = saved_units_;
    }
    void open_reports() {
        ASSERT_TRUE(io::open_unit(RESFILE, "res.txt", {}));
        ASSERT_TRUE(io::open_unit(RUNFILE, "run.txt", {}));
    }
    // Closes the reports and returns their lines.
    std::pair<std::vector<std::string>, std::vector<std::string>> reports() {
        io::close_unit(RESFILE);
        io::close_unit(RUNFILE);
        return {lines_of(read_file("res.txt")), lines_of(read_file("run.txt"))};
    }
    test::TempDir dir_;
    double saved_toldep_ = 0;
    int saved_units_ = 1;
};

using Silent = double (*)(double);
using Warned = double (*)(double, int&);
const Silent MEAN_SILENT[] = {KCRV, STRCB, E50CRV, STRCJ};
const Warned SEGMENT[] = {FMAXCRV, TIPMXCRV, BPHICRV};

// Values inside the profile: the point rule (mean or lower layer at a
// boundary of touching layers), the segment rule (lower layer's top value),
// interpolation across a gap and extrapolation above the first point.
TEST_F(SoilLookup, ValuesInsideTheProfile) {
    struct Case {
        const std::vector<Layer>* p;
        double x, mean, lower, segment;
    };
    const Case cases[] = {
        {&TOUCH, 5, 75, 75, 75},          // mid first layer: 50 + 50 * 5/10
        {&TOUCH, 10, 200, 300, 300},      // boundary 100 | 300: mean 200, lower 300
        {&TOUCH, 15, 400, 400, 400},      // 300 + 200 * 5/10
        {&TOUCH, 20, 500, 500, 500},      // exactly at the deepest bottom
        {&TOUCH, -2, 40, 40, 40},         // above the first point: 50 + 50 * (-2)/10
        {&TOUCH_LOWER0, 10, 100, 100, 0}, // boundary 100 | 0: the non-zero upper value; segment takes the lower 0
        {&TOUCH_UPPER0, 10, 300, 300, 300},
        {&GAP, 11, 200, 200, 200},        // across the gap 10..12: 100 + 200 * 1/2
        {&GAP, 10, 100, 100, 100},        // bottom of a layer that touches nothing
        {&GAP, 12, 300, 300, 300},        // top of the next layer
        {&THREE, 22.5, 550, 550, 550},    // gap 20..25: 500 + 100 * 2.5/5
        {&THREE, 25, 600, 600, 600},
        {&THREE, 30, 700, 700, 700},      // deepest bottom of three layers
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("x = " + std::to_string(c.x));
        set_profile(*c.p);
        int istat = 0;
        for (Silent f : MEAN_SILENT) EXPECT_DOUBLE_EQ(f(c.x), c.mean);
        EXPECT_DOUBLE_EQ(PHICRV(c.x, istat), c.mean);
        EXPECT_DOUBLE_EQ(CCRV(c.x, istat), c.lower);
        for (Warned f : SEGMENT) EXPECT_DOUBLE_EQ(f(c.x, istat), c.segment);
        EXPECT_EQ(istat, 0);
    }
}

// Means from the ground surface: linear on each segment, a jump at a boundary
// kept, gaps interpolated; the first positive value at the ground surface.
TEST_F(SoilLookup, DepthAverages) {
    const std::vector<Layer> JUMP = {{0, 10, 100, 100}, {10, 30, 60, 60}};
    const std::vector<Layer> ZERO_TOP = {{0, 10, 0, 100}, {10, 20, 300, 500}};
    const std::vector<Layer> LOW_GROUND = {{2, 12, 40, 40}};
    struct Case {
        const std::vector<Layer>* p;
        double x, gam, cavg;
    };
    const Case cases[] = {
        {&JUMP, 20, 80, 80},             // (100 * 10 + 60 * 10) / 20
        {&JUMP, 30, 220.0 / 3, 220.0 / 3},  // (100 * 10 + 60 * 20) / 30
        {&TOUCH, 10, 75, 75},            // mean of 50..100
        {&TOUCH, 20, 237.5, 237.5},      // (75 * 10 + 400 * 10) / 20
        {&GAP, 20, 217.5, 217.5},        // (75 * 10 + 200 * 2 + 400 * 8) / 20
        {&TOUCH, 0, 50, 50},             // at the ground surface
        {&ZERO_TOP, 0, 100, 0},          // first positive unit weight; cohesion by the point rule
        {&ZERO_TOP, 5e-7, 100, 5e-6},     // within the tolerance of the ground surface
        {&LOW_GROUND, 1, 0, 0},          // above the ground surface
        {&LOW_GROUND, 7, 40, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("x = " + std::to_string(c.x));
        set_profile(*c.p);
        int istat = 0;
        EXPECT_NEAR(GAMAVG(c.x, istat), c.gam, 1e-12 * (1 + c.gam));
        EXPECT_NEAR(CAVG(c.x, istat), c.cavg, 1e-12 * (1 + c.cavg));
        EXPECT_EQ(istat, 0);
    }
}

const std::string STARS = std::string(29, ' ') + "**** WARNING ****";
const std::string M5 = "     ";

// The warning block of each routine at depth x (E9.1 and E9.2 fields by hand).
struct Block {
    std::vector<std::string> lines;
    bool record_first;  // a list-directed record of x, the point count and the deepest depth precedes it on the results report
};
std::map<std::string, Block> blocks(const std::string& e91, const std::string& e92) {
    // A "/" inside the quoted text is a character: the line goes on.
    auto b = [](std::string l3, std::string l4) {
        if (l3.back() == '/') return std::vector<std::string>{"", STARS, l3 + l4};
        return std::vector<std::string>{"", STARS, l3, l4};
    };
    return {
        {"GAMAVG", {b(M5 + "THE VALUE OF X =" + e92 + "IS BEYOND THE EXTENT OF/", M5 + "THE INPUT CURVE FOR UNIT WEIGHT"), false}},
        {"CCRV", {b(M5 + "THE VALUE OF X =" + e91 + " IS BEYOND THE EXTENT OF", M5 + "THE INPUT STRENGTH CURVE"), false}},
        {"CAVG", {b(M5 + "THE VALUE OF X =" + e92 + "IS BEYOND THE EXTENT OF THE/", M5 + "INPUT CURVE FOR STRENGTH"), false}},
        {"PHICRV", {b(M5 + "THE VALUE OF X =" + e91 + " IS BEYOND THE EXTENT OF", M5 + "THE INPUT PHI CURVE"), false}},
        {"FMAXCRV", {b(M5 + "THE VALUE OF X =" + e92 + " IS BEYOND THE EXTENT OF", M5 + "THE INPUT MAX. LOAD TRANSFER"), true}},
        {"TIPMXCRV", {b(M5 + "THE VALUE OF X =" + e92 + "IS BEYOND THE EXTENT OF/", M5 + "THE INPUT MAX. LOAD TRANSFER"), false}},
        {"BPHICRV", {b(M5 + "THE VALUE OF X =" + e92 + "IS BEYOND THE EXTENT OF/", M5 + "THE INPUT STRENGTH CURVE, BPHI"), false}},
    };
}

struct WarnRoutine {
    const char* name;
    Warned f;
    int code;
};
const WarnRoutine WARNED[] = {
    {"GAMAVG", GAMAVG, ISDGAM},    {"CCRV", CCRV, ISDCOH},         {"PHICRV", PHICRV, ISDPHI},
    {"FMAXCRV", FMAXCRV, ISDFSD},  {"TIPMXCRV", TIPMXCRV, ISDTIP}, {"BPHICRV", BPHICRV, ISDBPH},
};

// Tokens of the list-directed record: x, the point count, the deepest depth.
bool record_holds(const std::string& line, double x, int n, double dn) {
    std::istringstream in(line);
    double a = 0, d = 0;
    int m = 0;
    std::string rest;
    return static_cast<bool>(in >> a >> m >> d) && !(in >> rest) && a == x && m == n && d == dn;
}

// Below the deepest point (and with no layers at all): each warning routine
// returns 0, writes its block whole on the results report and the runtime
// file and sets its status; the silent ones return 0 and write nothing.
TEST_F(SoilLookup, BelowTheProfileAndWithoutLayers) {
    const auto expect = blocks("  0.2E+02", " 0.21E+02");
    for (bool no_layers : {false, true}) {
        SCOPED_TRACE(no_layers ? "no layers" : "below the deepest point");
        if (no_layers)
            reset_soil_tables();
        else
            set_profile(TOUCH);
        const int n = no_layers ? 0 : 4;
        const double dn = no_layers ? 0 : 20;
        for (const WarnRoutine& w : WARNED) {
            SCOPED_TRACE(w.name);
            open_reports();
            int istat = 0;
            EXPECT_EQ(w.f(21, istat), 0.0);
            EXPECT_EQ(istat, w.code);
            // A status already set is kept.
            int set = ISDGAM + ISDBPH;
            w.f(21, set);
            EXPECT_EQ(set, ISDGAM + ISDBPH);
            auto [res, run] = reports();
            const Block& b = expect.at(w.name);
            std::vector<std::string> one = b.lines;
            ASSERT_EQ(run.size(), 2 * one.size());
            EXPECT_EQ(std::vector<std::string>(run.begin(), run.begin() + one.size()), one);
            const std::size_t off = b.record_first ? 1 : 0;
            ASSERT_EQ(res.size(), 2 * (one.size() + off));
            if (b.record_first) {
                EXPECT_TRUE(record_holds(res[0], 21, n, dn)) << res[0];
            }
            EXPECT_EQ(std::vector<std::string>(res.begin() + off, res.begin() + off + one.size()), one);
        }
        // Silent routines.
        open_reports();
        for (Silent f : MEAN_SILENT) EXPECT_EQ(f(21), 0.0);
        // The mean cohesion: a warning on the results report only, no status;
        // the value is the profile's integral over the range, no cohesion below it.
        int istat = 0;
        const double c = CAVG(21, istat);
        EXPECT_EQ(istat, 0);
        EXPECT_NEAR(c, no_layers ? 0.0 : (750.0 + 4000.0) / 21, 1e-12);
        auto [res, run] = reports();
        EXPECT_EQ(res, expect.at("CAVG").lines);
        EXPECT_TRUE(run.empty());
    }
}

// k with a default by cohesion (50 to 2000 lb/in^3 by bands, x 271.5 in SI;
// cohesion in kPa divided by 6.895 first).
TEST_F(SoilLookup, KWithDefaultByCohesion) {
    struct Case {
        int units;
        double k, c, x, expected;
    };
    const double above = std::nextafter(f32(3.47f), 1e9);
    const Case cases[] = {
        {1, 0, 5, 10, 100},                           // 3.47 < 5 <= 6.94
        {1, 0, f32(3.47f), 10, 50},                   // a band limit belongs to the lower band
        {1, 0, above, 10, 100},
        {1, 0, f32(6.94f), 10, 100},
        {1, 0, f32(13.9f), 10, 500},
        {1, 0, f32(27.8f), 10, 1000},
        {1, 0, 28, 10, 2000},
        {1, 5e-5, 28, 10, 2000},                      // |k| <= 1e-4 counts as no k
        {1, 300, 28, 10, 300},                        // a given k is returned
        {1, 0, 28, 1, 0},                             // above the first point (profile from 2 down)
        {2, 0, 34.475, 10, 100 * 271.5},              // 5 psi in kPa: 27150
        {2, 0, 0, 10, 50 * 271.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("c = " + std::to_string(c.c));
        set_profile({{2, 20, c.c, c.c}});
        SCK.fill(c.k);
        NUNITS = c.units;
        EXPECT_DOUBLE_EQ(KDEF(c.x), c.expected);
    }
    // Below the deepest point: the strength-curve warning on both files, no cohesion.
    const auto expect = blocks("  0.2E+02", " 0.21E+02");
    for (int units : {1, 2}) {
        set_profile({{0, 20, 30, 30}});
        SCK.fill(0.0);
        NUNITS = units;
        open_reports();
        EXPECT_DOUBLE_EQ(KDEF(21), units == 1 ? 50.0 : 13575.0);
        auto [res, run] = reports();
        EXPECT_EQ(res, expect.at("CCRV").lines);
        EXPECT_EQ(run, expect.at("CCRV").lines);
    }
}

// Depths below the profile of thread t, none of them a rounding tie in E9.1 or E9.2.
double depth_of(int t) { return t < 4 ? 21 + t : 22 + t; }

// Eight pile rows below the profile on eight threads: every block reaches
// both files whole and in row order, each row's status word holds its first
// code, and the run status is the first code of the lowest row.
TEST_F(SoilLookup, ConcurrentWarningsStayWhole) {
    set_profile(TOUCH);
    open_reports();
    constexpr int THREADS = 8, ROUNDS = 40;
    int shared = 0, kerr = 0;
    std::array<int, THREADS> own{};
    for_pile_rows(1, THREADS, THREADS, shared, kerr, [&own](int row, RowReport& rep) {
        const int t = row - 1;
        const double x = depth_of(t);
        for (int r = 0; r < ROUNDS; ++r) {
            for (int k = 0; k < 6; ++k) {
                const WarnRoutine& w = WARNED[(t + k) % 6];
                w.f(x, rep.istat);
            }
            KDEF(x);
        }
        own[t] = rep.istat;
    });
    for (int t = 0; t < THREADS; ++t) EXPECT_EQ(own[t], WARNED[t % 6].code);
    EXPECT_EQ(shared, WARNED[0].code);
    EXPECT_EQ(kerr, 0);

    auto [res, run] = reports();
    // The blocks of thread t, keyed by routine and the line holding x (threads
    // 0-3 and 4-7 share their E9.1 fields, hence their CCRV and PHICRV blocks).
    auto blocks_of = [](int t) {
        const double x = depth_of(t);
        // E9.1 and E9.2 of 21..24 and 26..29: 0.2E+02 or 0.3E+02, and 0.21E+02 .. 0.29E+02.
        const std::string e91 = x < 25 ? "  0.2E+02" : "  0.3E+02";
        const std::string e92 = " 0." + std::to_string(static_cast<int>(x)) + "E+02";
        return blocks(e91, e92);
    };
    std::vector<std::map<std::string, Block>> by_thread;
    for (int t = 0; t < THREADS; ++t) by_thread.push_back(blocks_of(t));
    std::map<std::string, int> expected;
    for (int t = 0; t < THREADS; ++t)
        for (const auto& [name, b] : by_thread[t])
            if (name != "CAVG") expected[name + b.lines[2]] += (name == "CCRV" ? 2 : 1) * ROUNDS;  // KDEF writes CCRV's block

    // Walk each file block by block; anything else is a torn block.
    for (bool results : {true, false}) {
        const auto& lines = results ? res : run;
        std::map<std::string, int> count;
        std::size_t p = 0;
        int row = 0;  // blocks come row after row
        while (p < lines.size()) {
            bool matched = false;
            for (int t = row; t < THREADS && !matched; ++t) {
                for (const auto& [name, b] : by_thread[t]) {
                    std::size_t q = p;
                    if (b.record_first && results) {
                        if (!record_holds(lines[q], depth_of(t), 4, 20)) continue;
                        ++q;
                    }
                    if (q + b.lines.size() > lines.size()) continue;
                    if (!std::equal(b.lines.begin(), b.lines.end(), lines.begin() + q)) continue;
                    ++count[name + b.lines[2]];
                    p = q + b.lines.size();
                    matched = true;
                    row = t;
                    break;
                }
            }
            ASSERT_TRUE(matched) << (results ? "results" : "runtime") << " line " << p + 1 << ": " << lines[p];
        }
        EXPECT_EQ(count, expected);
    }
}

// Coefficients by z/b (pile diameter 2, ground line at 1) and the guarded hypotenuse.
TEST_F(SoilLookup, CoefficientsByDepthOverDiameter) {
    reset_section_tables();
    NSECP(1) = 1;
    SECTAB(1, 1, SEC_DTOP) = 0;
    SECTAB(1, 1, SEC_DBOT) = 100;
    SECTAB(1, 1, SEC_TOP + SP_DIA) = 2;
    SECTAB(1, 1, SEC_BOT + SP_DIA) = 2;
    XTOP(1) = 0;
    GRDDEP(1) = 1;
    const double a0 = f32(0.223f), a1 = f32(0.46f);
    EXPECT_NEAR(ACOEF1(1, 1, 2), a0 + (a1 - a0) * 0.5, 1e-15);  // z/b 0.5: about 0.3415
    EXPECT_NEAR(ACOEF1(1, 1, 2), 0.3415, 1e-7);
    EXPECT_NEAR(ACOEF1(1, 1, 0), a0 - (a1 - a0) * 0.5, 1e-15);  // z/b -0.5 on the first segment's line
    EXPECT_DOUBLE_EQ(ACOEF1(1, 1, 15), f32(0.6f));               // z/b 7
    EXPECT_NEAR(ACOEF2(1, 1, 2), (f32(0.2f) + f32(0.29f)) / 2, 1e-15);
    EXPECT_DOUBLE_EQ(ACOEF2(1, 1, 21), f32(0.3f));               // z/b 10
    // The caller's table: values zb^2 at zb = 0..9.
    std::array<double, 10> zb{}, v{};
    for (int i = 0; i < 10; ++i) zb[i] = i, v[i] = i * i;
    EXPECT_DOUBLE_EQ(ZBTAB(1, 1, 6, v, zb), 6.5);    // z/b 2.5: 4 + 5 * 0.5
    EXPECT_DOUBLE_EQ(ZBTAB(1, 1, 7, v, zb), 9.0);    // z/b 3 exactly
    EXPECT_DOUBLE_EQ(ZBTAB(1, 1, 25, v, zb), 132.0); // z/b 12: 64 + 17 * 4 on the last segment
    EXPECT_DOUBLE_EQ(ZBTAB(1, 1, -1, v, zb), -1.0);  // z/b -1 on the first segment
    reset_section_tables();
    XTOP(1) = 0;

    EXPECT_DOUBLE_EQ(HYPOT0(1e-30, 3), 3.0);
    EXPECT_DOUBLE_EQ(HYPOT0(-3, 4), 5.0);
    EXPECT_EQ(HYPOT0(1e-25, -1e-25), 0.0);
}

}  // namespace
}  // namespace zolan
