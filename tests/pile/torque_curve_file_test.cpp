// Torque-rotation blocks of the curve file: the worked segment of a drilled
// shaft in clay, two identical segments doubling the torques, the tip station
// repeating the last curve, an above-ground pile, and the same values in the
// formatted and the unformatted file.
#include <gtest/gtest.h>

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

using Records = std::vector<std::vector<double>>;

// English units; pile row 1 of property set 1 (drilled shaft), head at the
// depth origin, 120 in long, diameter 24 in, two divisions of 60 in. One clay
// layer 0..1000 in (code 1) with fmax = 10 psi.
void set_model(double ground) {
    reset_soil_tables();
    reset_section_tables();
    reset_pile_tables();
    NUNITS = 1;
    NCRVST = 2;
    NPILES = 1;
    IPROP(1) = 1;
    XTOP(1) = CORX(1) = 0.0;
    GROUND(1) = ground;
    test::soil_layer(1, 1, 0.0, 1000.0);
    test::layer_value(SCGAM, 1, 0.04);
    test::layer_value(SCCOH, 1, 5.0);
    test::layer_value(SCFMAX, 1, 10.0);
    PTYPED(1) = 2;
    PLENP(1) = 120.0;
    NINCR(1) = 10;
    NSECP(1) = 1;
    SECTAB(1, 1, SEC_DTOP) = 0.0;
    SECTAB(1, 1, SEC_DBOT) = 120.0;
    for (int c : {SEC_TOP, SEC_BOT}) SECTAB(1, 1, c + SP_DIA) = 24.0;
}

// Drilled shaft in clay: z = r D, t = f fmax with r = 0, 0.001, 0.002, 0.003,
// 0.005, 0.006, 0.008, 0.012, 0.016, 0.1 and f = 0, 0.51, 0.72, 0.90, 0.925,
// 0.945, 0.955, 0.925, 0.90, 0.835. Turned around the shaft: rotation z / R =
// 2 r; torque t x 1/2 x pi 60 x 24 x 12 = 27143.36 t (pi = 3.1415927410125732),
// so point 2 is (0.002, 5.1 x 27143.36 = 138431) and point 10 (0.2, 226647).
const double ROT[10] = {0, 0.002, 0.004, 0.006, 0.010, 0.012, 0.016, 0.024, 0.032, 0.2};
const double FRAC[10] = {0, 0.51, 0.72, 0.90, 0.925, 0.945, 0.955, 0.925, 0.90, 0.835};
const double SEGMENT = 0.5 * 3.1415927410125732 * 60.0 * 24.0 * 12.0;

// The block: pile header, then per station its record, curve header and,
// below ground, the 19 points of `segments` identical segments.
Records expected(const std::vector<int>& segments) {
    Records rec = {{1, 3, 3}};
    for (int k = 1; k <= 3; ++k) {
        const int n = segments[k - 1];
        rec.push_back({double(k), (k - 1) * 60.0});
        rec.push_back({n > 0 ? 1.0 : 0.0, n > 0 ? 19.0 : 0.0});
        if (n == 0) continue;
        for (int j = 1; j <= 9; ++j) rec.push_back({double(j), -ROT[10 - j], -n * 10.0 * FRAC[10 - j] * SEGMENT});
        for (int i = 1; i <= 10; ++i) rec.push_back({double(9 + i), ROT[i - 1], n * 10.0 * FRAC[i - 1] * SEGMENT});
    }
    return rec;
}

class TorqueCurveFile : public test::CurveFileTest {
protected:
    // The records of pile row 1 written formatted or unformatted; the status.
    int write(bool formatted) {
        return test::write_curve_file(formatted, [](int& st) { TRCRVP(1, st); });
    }
};

// Station 1 holds the worked segment; station 2 the same rotations and twice
// the torques; the tip station repeats station 2. Both file forms agree.
TEST_F(TorqueCurveFile, SegmentsAccumulate) {
    set_model(0.0);
    const Records want = expected({1, 2, 2});
    ASSERT_EQ(write(true), 0);
    const Records text = test::formatted_records(test::read_file("curve.txt"));
    test::expect_records(text, want, 1e-7, "formatted");
    ASSERT_GE(text.size(), 22u);
    EXPECT_NEAR(text[2 + 11][2], 138431.0, 0.5);  // point 11: the segment's point 2
    EXPECT_NEAR(text[2 + 19][2], 226647.0, 0.5);  // point 19: its point 10
    ASSERT_EQ(write(false), 0);
    const Records bin = test::unformatted_records(want);
    test::expect_records(bin, want, 1e-7, "unformatted");
    test::expect_records(text, bin, 1e-7, "formatted against unformatted");
}

// A pile above the ground line: station records and empty curve headers only;
// the ground line in the second segment: the first curve below ground is the
// segment's own, and the tip repeats it.
TEST_F(TorqueCurveFile, GroundLine) {
    set_model(500.0);
    ASSERT_EQ(write(true), 0);
    test::expect_records(test::formatted_records(test::read_file("curve.txt")), expected({0, 0, 0}), 1e-7, "above");
    set_model(80.0);
    ASSERT_EQ(write(true), 0);
    test::expect_records(test::formatted_records(test::read_file("curve.txt")), expected({0, 1, 1}), 1e-7, "inside");
}

}  // namespace
}  // namespace zolan
