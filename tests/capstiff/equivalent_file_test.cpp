// The equivalent-stiffness file read back: the file of the three-dimensional
// solver's writer and a plane file in its own layout give the pile-top
// values and the node springs (modulus times tributary length); a short or
// damaged file is a run-file failure, never silent zeros.
#include "capstiff/equivalent_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "capstiff/capstiff_services.h"
#include "group/estimation_records3d.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/result_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/status_codes.h"
#include "model/stiffness_tables.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

const fmt::Format F_CASE(R"(("LOAD CASE : ",I5))");
const fmt::Format F_MATRIX(R"((5X,"* EQV. STIFFNESS MATRIX AT ORIGIN *"))");
const fmt::Format F_PILE(R"(("* PILE GROUP *",I6))");
const fmt::Format F_TOP(R"((7X,"* PILE TOP EQUIVALENT STIFFNESSES"))");
const fmt::Format F_ALONG(R"((7X,"* EQUIVALENT STIFFNESSES ALONG PILE"))");

// Pile 1: set 1 of one increment of 12; pile 2: set 2 of three increments of 8.
struct PileData {
    int prop, N;
    double h, force, axial, torsion;
    std::vector<double> a, b;  // node moduli of the two bending planes
};
const PileData PILES[] = {
    {1, 1, 12.0, -1234.5678, 2.5e6, 7.25e9, {150.0, 1.5e120}, {150.0, 3.0}},
    {2, 3, 8.0, 0.0, 987654.32, 1.0e-3, {10.0, 20.0, 30.0, 0.0}, {40.0, 5.0, 30.0, 12.5}},
};

class EquivalentFile : public ::testing::Test {
protected:
    void SetUp() override {
        NPILES = 2;
        for (const PileData& d : PILES) {
            const int p = d.prop;
            IPROP(p) = d.prop;
            NINCR(d.prop) = d.N;
            EQKTOP(p, 1) = d.force, EQKTOP(p, 2) = d.axial, EQKTOP(p, 3) = d.torsion, EQKTOP(p, 4) = d.h;
            for (int n = 1; n <= d.N + 1; ++n) {
                EQKNODE(p, 3 + n, 1) = (n - 1) * d.h;
                EQKNODE(p, 3 + n, 2) = d.a[n - 1];
                EQKNODE(p, 3 + n, 3) = d.b[n - 1];
            }
            EQKTOPR(p, 2) = 42.0;
        }
    }
    void TearDown() override {
        io::close_all_units();
        reset_pile_tables();
        reset_section_tables();
        reset_stiffness_tables();
        reset_result_tables();
        reset_input_tables();
        reset_run_state();
    }
    // The case line, the matrix heading and n matrix rows.
    static void head(int n) {
        io::write_fmt(EQKFILE, F_CASE, {7});
        io::write_fmt(EQKFILE, F_MATRIX);
        for (int i = 1; i <= n; ++i) {
            WRBLNK(EQKFILE, 5);
            for (int j = 1; j <= n; ++j) WRREAL(EQKFILE, 19, 5, 1000.0 * i + j);
            WREOL(EQKFILE);
        }
    }
    // The plane blocks in their layout: two pile-top values, one modulus per node.
    static void plane_blocks() {
        for (const PileData& d : PILES) {
            io::write_fmt(EQKFILE, F_PILE, {d.prop});
            io::write_fmt(EQKFILE, F_TOP);
            WRREAL(EQKFILE, 17, 8, d.force);
            WRREAL(EQKFILE, 17, 8, d.axial);
            WREOL(EQKFILE);
            io::write_fmt(EQKFILE, F_ALONG);
            WRBLNK(EQKFILE, 6);
            WRREAL(EQKFILE, 16, 8, d.h);
            WREOL(EQKFILE);
            for (int n = 1; n <= d.N + 1; ++n) {
                WRBLNK(EQKFILE, 6);
                WRREAL(EQKFILE, 16, 8, (n - 1) * d.h);
                WRREAL(EQKFILE, 17, 8, d.a[n - 1]);
                WREOL(EQKFILE);
            }
        }
    }
    // Writes the file of the model, then reads it back.
    int round_trip(int nantyp, std::vector<std::string>* text = nullptr) {
        NANTYP = nantyp;
        io::open_unit(EQKFILE, "eqk.txt", {io::Access::Write});
        head(nantyp == 2 ? 3 : 6);
        if (nantyp == 2) plane_blocks();
        else EQSTWR();
        io::close_unit(EQKFILE);
        if (text) *text = test::lines_of(test::read_file("eqk.txt"));
        return read_back();
    }
    static int read_back() {
        int ISTAT = 0;
        io::open_unit(EQKFILE, "eqk.txt", {io::Access::Read});
        EQKREAD(ISTAT);
        io::close_unit(EQKFILE);
        return ISTAT;
    }
    test::TempDir dir;
    test::Seams seams;
};

void expect_rel(double got, double want, const std::string& what) {
    EXPECT_NEAR(got, want, 1e-7 * std::abs(want)) << what;
}

// Three-dimensional file as the solver writes it: 2 + 6 lines, then per pile
// 5 + N + 1; the pile-top values in place; the stiffer plane's modulus times
// h/2 at both ends and h inside (1.5e120 carried by its three-digit exponent).
TEST_F(EquivalentFile, ThreeDimensionalRoundTrip) {
    std::vector<std::string> text;
    ASSERT_EQ(round_trip(3, &text), 0);
    EXPECT_EQ(text.size(), 8u + 7 + 9);
    const double springs[2][4] = {{150.0 * 6, 1.5e120 * 6}, {40.0 * 4, 20.0 * 8, 30.0 * 8, 12.5 * 4}};
    for (const PileData& d : PILES) {
        const int p = d.prop;
        expect_rel(EQKTOPR(p, 1), d.axial, "axial");
        expect_rel(EQKTOPR(p, 2), d.torsion, "torsion");
        expect_rel(EQKTOPR(p, 3), d.force, "force");
        for (int n = 1; n <= d.N + 1; ++n) expect_rel(EQKNODR(p, n), springs[p - 1][n - 1], "node " + std::to_string(n));
    }
}

// Plane file: two pile-top values (the torsion slot is not touched) and the
// one modulus per node.
TEST_F(EquivalentFile, PlaneRoundTrip) {
    ASSERT_EQ(round_trip(2), 0);
    const double springs[2][4] = {{150.0 * 6, 1.5e120 * 6}, {10.0 * 4, 20.0 * 8, 30.0 * 8, 0.0}};
    for (const PileData& d : PILES) {
        const int p = d.prop;
        expect_rel(EQKTOPR(p, 1), d.axial, "axial");
        EXPECT_EQ(EQKTOPR(p, 2), 42.0);
        expect_rel(EQKTOPR(p, 3), d.force, "force");
        for (int n = 1; n <= d.N + 1; ++n) expect_rel(EQKNODR(p, n), springs[p - 1][n - 1], "node " + std::to_string(n));
    }
}

// A file cut short (the last node row missing) or with a field that is not a
// number ends the run as a run-file failure that names the place.
TEST_F(EquivalentFile, ShortOrDamagedFileFails) {
    struct Case {
        const char* name;
        int line;          // 1-based line changed
        bool drop;         // dropped, else columns 23-39 overwritten
        const char* told;  // in the failure text
    };
    const Case cases[] = {
        {"short", 24, true, "eqk.txt, line 24: the file ends early"},
        {"damaged", 14, false, "eqk.txt, line 14, columns 23-39: a number was expected"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> text;
        ASSERT_EQ(round_trip(3, &text), 0);
        if (c.drop) text.erase(text.begin() + (c.line - 1));
        else text[c.line - 1].replace(22, 17, "      1.0x5      ");
        std::string all;
        for (const std::string& l : text) all += l + "\n";
        test::write_file("eqk.txt", all);
        FAILTXT.clear();
        EXPECT_EQ(read_back(), ISFILE);
        ASSERT_FALSE(FAILTXT.empty());
        EXPECT_EQ(FAILTXT.back(), std::string("    ") + c.told);
    }
}

}  // namespace
}  // namespace zolan
