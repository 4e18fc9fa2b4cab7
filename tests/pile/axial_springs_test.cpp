// Axial spring records of the curve file: stations above the ground line,
// half-segment curves and their sums on the stations, the tip load added in
// compression only, the tip curve of a tip station whose segment lies above
// the ground line, the stop on a clay tip without e50, and the same values in
// the formatted and the unformatted file.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "pile/pile_services.h"
#include "report/run_files.h"
#include "support/curve_file.h"
#include "support/seams.h"
#include "support/soil_profile.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

using test::expect_records;
using test::lines_of;
using test::read_file;
using test::formatted_records;
using test::unformatted_records;

// English units; pile row 1 of property set 1, head at the depth origin,
// 200 in long, one section of diameter 12 in and tip area 100 in^2. One clay
// layer 0..400 in (code 1): c = 5 psi, no friction angle, fmax = 2 psi,
// maximum unit tip resistance 40 psi, e50 as given.
void set_model(int ptype, int code, double e50, double ground, int nst) {
    reset_soil_tables();
    reset_section_tables();
    reset_pile_tables();
    NUNITS = 1;
    TOLDEP = 1.0e-6;
    KBATAD = 0;
    NCRVST = nst;
    NPILES = 1;
    IPROP(1) = 1;
    XTOP(1) = CORX(1) = 0.0;
    GROUND(1) = ground;
    test::soil_layer(1, code, 0.0, 400.0);
    test::layer_value(SCGAM, 1, 0.04);
    test::layer_value(SCCOH, 1, 5.0);
    test::layer_value(SCE50, 1, e50);
    test::layer_value(SCFMAX, 1, 2.0);
    test::layer_value(SCQMAX, 1, 40.0);
    PTYPED(1) = ptype;
    PLENP(1) = 200.0;
    NINCR(1) = 10;
    NSECP(1) = 1;
    SECTAB(1, 1, SEC_DTOP) = 0.0;
    SECTAB(1, 1, SEC_DBOT) = 200.0;
    for (int c : {SEC_TOP, SEC_BOT}) {
        SECTAB(1, 1, c + SP_DIA) = 12.0;
        SECTAB(1, 1, c + SP_ARE) = 100.0;
    }
}

// Drilled shaft in clay: the t-z curve z = r D (D = 12 in), t = f fmax (2 psi)
// with r = 0, 0.001, 0.002, 0.003, 0.005, 0.006, 0.008, 0.012, 0.016, 0.1 and
// f = 0, 0.51, 0.72, 0.90, 0.925, 0.945, 0.955, 0.925, 0.90, 0.835.
const double ZTZ[10] = {0, 0.012, 0.024, 0.036, 0.06, 0.072, 0.096, 0.144, 0.192, 1.2};
const double TTZ[10] = {0, 1.02, 1.44, 1.8, 1.85, 1.89, 1.91, 1.85, 1.8, 1.67};
// Half the shaft area of a segment ds: 12 pi ds / 2 (pi = 3.1415927410125732):
// ds = 200 in: 3769.91128921509 in^2; ds = 100 in: 1884.955644607545 in^2.
const double HALF200 = 3769.91128921509, HALF100 = 1884.955644607545;
// The tip (c = 5 > 0.1 with no friction: stiff clay): Qtip = 40 100 = 4000 lb;
// drilled shaft, cohesive: W = r D with r = 0, 0.005, 0.01, 0.015, 0.025,
// 0.03, 0.04, 0.05, 0.07, 0.1 and Q = f Qtip with f = 0, 0.395, 0.56, 0.70,
// 0.865, 0.90, 0.95, 0.97, 0.98, 0.99.
const double WQW[10] = {0, 0.06, 0.12, 0.18, 0.3, 0.36, 0.48, 0.6, 0.84, 1.2};
const double QQW[10] = {0, 1580, 2240, 2800, 3460, 3600, 3800, 3880, 3920, 3960};
// q read at the t-z movements: 0.012 on (0, 0)-(0.06, 1580): 316; 0.024: 632;
// 0.036: 948; 0.06: 1580; 0.072 on (0.06, 1580)-(0.12, 2240): 1712; 0.096:
// 1976; 0.144 on (0.12, 2240)-(0.18, 2800): 2464; 0.192 on (0.18, 2800)-(0.3,
// 3460): 2866; 1.2: 3960.
const double QAT[10] = {0, 316, 632, 948, 1580, 1712, 1976, 2464, 2866, 3960};
const double NONE[10] = {};

// Expected station: its flag and, flagged, its curve (z, F) and the tip load added to records 10 to 19.
struct Station {
    int flag;
    const double* z = nullptr;
    double scale = 0.0;       // F = scale * TTZ (half-segment areas summed)
    const double* F = nullptr;  // or F given
    const double* add = NONE;
};

// The records of the pile as rows of numbers.
std::vector<std::vector<double>> expected(int nst, const std::vector<Station>& st) {
    std::vector<std::vector<double>> rec = {{1, double(nst + 1), 2}};
    for (int s = 1; s <= nst + 1; ++s) {
        const Station& x = st[s - 1];
        rec.push_back({double(s), (s - 1) * 200.0 / nst});
        rec.push_back({double(x.flag), x.flag ? 19.0 : 0.0});
        if (!x.flag) continue;
        double F[10];
        for (int i = 0; i < 10; ++i) F[i] = x.F ? x.F[i] : x.scale * TTZ[i];
        for (int j = 1; j <= 9; ++j) rec.push_back({double(j), -x.z[10 - j], -F[10 - j]});
        for (int i = 1; i <= 10; ++i) rec.push_back({double(9 + i), x.z[i - 1], F[i - 1] + x.add[i - 1]});
    }
    return rec;
}

class AxialSprings : public test::CurveFileTest {
protected:
    // The records of pile row 1 written formatted or unformatted; the status.
    int write(bool formatted) {
        return test::write_curve_file(formatted, [](int& st) { LSCRVP(1, st); });
    }
};

// Stations by the ground line: a segment whose mid-point is not below it
// gives a flag record 0 0 and no points; the first station below it carries
// its own half segment; two flagged stations in a row sum their half
// segments; the tip station carries the last half segment and, in records 10
// to 19 only, the tip load. Both file forms hold the same values.
TEST_F(AxialSprings, StationRecords) {
    // F of a station: scale * t, t of the drilled-shaft clay curve.
    const double W0[10] = {};
    struct Case {
        int nst;
        double ground;
        std::vector<Station> st;
    };
    const Case cases[] = {
        // One division: mid-points 100 and 300 (half a division below the
        // tip): the head and the tip each carry half of the pile's side.
        {1, 0.0, {{1, ZTZ, HALF200}, {1, ZTZ, HALF200, nullptr, QAT}}},
        // Two divisions, ground line at 50: mid-points 50 (on the line: flag
        // 0), 150 and 250.
        {2, 50.0, {{0}, {1, ZTZ, HALF100}, {1, ZTZ, HALF100, nullptr, QAT}}},
        // Two divisions, ground line at 0: station 2 sums the halves of
        // segments 1 and 2 (the same curve): 2 x 1884.96 t.
        {2, 0.0, {{1, ZTZ, HALF100}, {1, ZTZ, 2 * HALF100}, {1, ZTZ, HALF100, nullptr, QAT}}},
        // Ground line at 160: both segments above it (mid-points 50, 150);
        // the tip station (mid-point 250) has no side half and takes the tip
        // curve itself: records 10-19 are (W, Q), records 1-9 (-W, 0).
        {2, 160.0, {{0}, {0}, {1, WQW, 0.0, W0, QQW}}},
    };
    for (const Case& c : cases) {
        set_model(2, 1, 0.01, c.ground, c.nst);
        const std::vector<std::vector<double>> want = expected(c.nst, c.st);
        ASSERT_EQ(write(true), 0);
        const std::string text = read_file("curve.txt");
        const std::vector<std::vector<double>> fmt_rec = formatted_records(text);
        // The hand values carry the single-precision constants of the curves
        // (relative differences below 3e-7); G15.8 keeps eight digits.
        expect_records(fmt_rec, want, 3e-7, "formatted");
        ASSERT_EQ(write(false), 0);
        const std::vector<std::vector<double>> unf = unformatted_records(want);
        expect_records(unf, want, 3e-7, "unformatted");
        expect_records(unf, fmt_rec, 1e-7, "unformatted against formatted");
        // The fixed layouts of the pile, station and flag records.
        const std::vector<std::string> lines = lines_of(text);
        EXPECT_EQ(lines[0], "         1         " + std::to_string(c.nst + 1) + "         2");
        EXPECT_EQ(lines[1], "         1    0.0000");
        EXPECT_EQ(lines[2], c.st[0].flag ? "         1        19" : "         0         0");
    }
}

// A driven pile on a rock tip without e50 stops at the last segment, before
// its station's points (status 32); the records written so far stay.
TEST_F(AxialSprings, ClayTipWithoutE50Stops) {
    set_model(1, 6, 0.0, 0.0, 1);
    EXPECT_EQ(write(true), 32);
    EXPECT_EQ(lines_of(read_file("curve.txt")),
              (std::vector<std::string>{"         1         2         2", "         1    0.0000",
                                        "         1        19"}));
}

}  // namespace
}  // namespace zolan
