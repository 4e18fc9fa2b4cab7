#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control/control.h"
#include "control/input_echo.h"
#include "model/status_codes.h"
#include "model/curve_tables.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "support/names_file.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

using test::lines_of;
using Lines = std::vector<std::string>;

std::string sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

Lines join(std::initializer_list<Lines> parts) {
    Lines out;
    for (const Lines& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A fresh model in English units; the generators are the real ones unless a
// test scripts them, and always again after the test.
struct Fresh {
    explicit Fresh(int nantyp = 3) {
        reset_run_state();
        reset_input_tables();
        reset_pile_tables();
        reset_section_tables();
        reset_soil_tables();
        reset_node_tables();
        reset_curve_tables();
        NUNITS = 1;
        UNITLB(unit_label_sel(1));
        NANTYP = nantyp;
        TOLZ = 1.0e-14;
        TOLDEP = 1.0e-6;
        // Property set 1: one section with a 24-in head, as generated curves need.
        NSECP(1) = 1;
        SECTAB(1, 1, SEC_TOP + SP_DIA) = 24.0;
    }
    test::Seams seams;
};

struct Files {
    int status;
    Lines echo, plot, run;
};

// A block run with the echo, plot and (buffered) runtime files open.
template <class Block>
Files run_block(Block&& block) {
    test::TempDir dir;
    EXPECT_TRUE(io::open_unit(ECHOFILE, "echo.txt", {io::Access::Write}));
    EXPECT_TRUE(io::open_unit(PLOTFILE, "plot.txt", {io::Access::Write}));
    EXPECT_TRUE(io::open_unit(RUNFILE, "run.txt", {io::Access::Write, false, true}));
    int status = 0;
    block(status);
    for (int u : {ECHOFILE, PLOTFILE, RUNFILE}) io::close_unit(u);
    return {status, lines_of(test::read_file("echo.txt")), lines_of(test::read_file("plot.txt")),
            lines_of(test::read_file("run.txt"))};
}

struct Call {
    int p, q, m, r;
    bool operator==(const Call&) const = default;
};

// Scripted branches, n = 9, i = 1..9: uplift (q = 1) first list 100 i,
// second list 0.25 i; compression (q = 2) first list 200 i, second 0.5 i.
auto scripted(std::vector<Call>& calls) {
    return [&calls](int p, int q, int m, int r, int&, int& n, AXPTS& first, AXPTS& second) {
        calls.push_back({p, q, m, r});
        n = 9;
        for (int i = 1; i <= 9; ++i) {
            first(i) = (q == 1 ? 100.0 : 200.0) * i;
            second(i) = (q == 1 ? 0.25 : 0.5) * i;
        }
    };
}

const Lines kTitleH = {"", "", "", "     * TABLE H *   AXIAL LOAD VS DISPLACEMENT "};
const std::string kColumnsH = "       DISPLACEMENT, IN       AXIAL LOAD,LBS";

// ---------------------------------------------------------------------------

// Two user p-y sets are copied value for value and echoed with depths in
// feet and p before y (WRREAL 12,5: 12.5 has k = 1, so F12.4; 0.5, 1.25 and
// 2 have k = 0, F12.5; -300 and -450.5 have k = 2, F12.3).
TEST(TableG, TwoSetsCopiedAndEchoed) {
    Fresh f;
    KUPY = 1;
    NUPYS = 2;
    UPYIN.NC(1) = 1;
    UPYIN.DEP(1, 1) = 120.0;  // 10 ft
    UPYIN.NPT(1, 1) = 2;
    UPYIN.Y(1, 1, 2) = 0.5;
    UPYIN.P(1, 1, 2) = 12.5;
    UPYIN.NC(2) = 2;
    UPYIN.DEP(2, 1) = 60.0;   // 5 ft
    UPYIN.NPT(2, 1) = 1;
    UPYIN.Y(2, 1, 1) = 1.25;
    UPYIN.P(2, 1, 1) = -300.0;
    UPYIN.DEP(2, 2) = 0.0;
    UPYIN.NPT(2, 2) = 1;
    UPYIN.Y(2, 2, 1) = 2.0;
    UPYIN.P(2, 2, 1) = -450.5;

    const Files out = run_block([](int&) { TABLEG(); });

    // Curve line: 8X "CURVE", I8, 6 blanks, the text, 3 blanks, WRREAL(10,5) of
    // the depth in feet (10 -> F10.4, 5 and 0 -> F10.5), A3 " FT".
    auto curve = [](int j, const char* depth) {
        return Lines{"", sp(8) + "CURVE" + sp(7) + std::to_string(j) + sp(6) + "DISTANCE FROM ORIGIN (X-COORD.)" +
                             sp(3) + depth + " FT",
                     " ", sp(12) + "POINT" + sp(13) + "P LBS" + sp(17) + "Y IN"};
    };
    auto point = [](int k, const char* p, const char* y) {
        return sp(10) + "    " + std::to_string(k) + sp(11) + p + sp(9) + y + " ";  // WREOL's closing blank
    };
    const Lines want = join({
        {"", "", "", "     * TABLE G *   INPUT P-Y CURVES"},
        {"", "       NUM OF SETS :  2"},
        {"", "", "       SET  1          NUM OF CURVES  1", ""},
        curve(1, "   10.0000"),
        {point(1, "     0.00000", "     0.00000"), point(2, "     12.5000", "     0.50000")},
        {"", "", "       SET  2          NUM OF CURVES  2", ""},
        curve(1, "   5.00000"),
        {point(1, "    -300.000", "     1.25000")},
        curve(2, "   0.00000"),
        {point(1, "    -450.500", "     2.00000")},
    });
    EXPECT_EQ(out.echo, want);
    EXPECT_EQ(UPYNCV(1), 1);
    EXPECT_EQ(UPYNCV(2), 2);
    EXPECT_EQ(UPYNPT(1, 1), 2);
    EXPECT_EQ(UPYDEP(2, 1), 60.0);
    EXPECT_EQ(UPYY(1, 1, 2), 0.5);
    EXPECT_EQ(UPYP(1, 1, 2), 12.5);
    EXPECT_EQ(UPYP(2, 2, 1), -450.5);
    EXPECT_TRUE(out.plot.empty());
}

// With the switch on and no set, Table G writes nothing at all.
TEST(TableG, NoSetsPrintNothing) {
    Fresh f;
    KUPY = 1;
    NUPYS = 0;
    EXPECT_TRUE(run_block([](int&) { TABLEG(); }).echo.empty());
}

// Every row has a user curve: only the user block, no generator call and
// nothing on the plot file, even with soil and a generated-curve list.
// Load is the first input value, displacement the second; the echo shows the
// displacement first (-0.5, 0, 1, 0.25: F12.5; -1000 and 2000: k = 3, F12.2;
// 500: F12.3).
TEST(TableH, OnlyUserCurves) {
    Fresh f;
    std::vector<Call> calls;
    curve_generators.lscrv = scripted(calls);
    NLAYPY = 1;
    NPILES = 2;
    ILSCRV(1) = 1;
    ILSCRV(2) = 2;
    ILSGEN(1) = ILSGEN(2) = 1;
    IPROP(1) = IPROP(2) = 1;
    NLSGEN = 1;
    LSGROW(1) = 1;
    KUAXL = 1;
    NUAXC = 2;
    UAXCIN.NPT(1) = 3;
    UAXCIN.V1(1, 1) = -1000.0;
    UAXCIN.V2(1, 1) = -0.5;
    UAXCIN.V1(1, 3) = 2000.0;
    UAXCIN.V2(1, 3) = 1.0;
    UAXCIN.NPT(2) = 1;
    UAXCIN.V1(2, 1) = 500.0;
    UAXCIN.V2(2, 1) = 0.25;

    const Files out = run_block([](int& s) { TABLEH(s); });

    auto row = [](const char* d, const char* l) { return sp(10) + d + sp(9) + l + " "; };  // WREOL's closing blank
    const Lines want = join({
        kTitleH,
        {"", "     USER DEFINED AXIAL LOAD-DISPLACEMENT CURVES", "", "       NUM OF CURVES  2"},
        {"", "        CURVE  1          NUM OF POINTS  3", "", kColumnsH},
        {row("    -0.50000", "    -1000.00"), row("     0.00000", "     0.00000"), row("     1.00000", "     2000.00")},
        {"", "        CURVE  2          NUM OF POINTS  1", "", kColumnsH},
        {row("     0.25000", "     500.000")},
    });
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.echo, want);
    EXPECT_TRUE(out.plot.empty());
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(ILSCRV(1), 1);
    EXPECT_EQ(ILSCRV(2), 2);
    EXPECT_EQ(LSUNPT(1), 3);
    EXPECT_EQ(LSULOD(1, 3), 2000.0);
    EXPECT_EQ(LSUDSP(1, 1), -0.5);
    EXPECT_EQ(LSUDSP(2, 1), 0.25);
}

// Row 1 with user curve 1, row 2 generated curve 1 (property set 2). The
// scripted n = 9 gives 19 points: point k <= 9 is the uplift point i = 10 - k
// negated (-0.25 i, -100 i), point 10 the origin, point 10 + i the
// compression point (0.5 i, 200 i). Echo (WRREAL 12,5): displacements F12.5;
// loads 100-900 F12.3, 1000-1800 F12.2. Plot file (WRREAL 15,8), load first:
// 100-900 F15.6, 1000-1800 F15.5, displacements F15.8.
TEST(TableH, GeneratedCurveAssembledEchoedAndPlotted) {
    Fresh f;
    std::vector<Call> calls;
    curve_generators.lscrv = scripted(calls);
    NLAYPY = 1;
    NPILES = 2;
    ILSCRV(1) = 1;
    IPROP(1) = 1;
    ILSCRV(2) = 0;
    ILSGEN(2) = 1;
    IPROP(2) = 2;
    NLSGEN = 1;
    LSGROW(1) = 2;
    KUAXL = 1;
    NUAXC = 1;
    UAXCIN.NPT(1) = 1;
    UAXCIN.V1(1, 1) = 500.0;
    UAXCIN.V2(1, 1) = 0.25;
    for (int m = 1; m <= 4; ++m) LSTAB(2, 10, m) = 7.0;  // the zero point of set 2 is cleared

    const Files out = run_block([](int& s) { TABLEH(s); });

    struct Pt {
        const char *d12, *l12, *l15, *d15;
    };
    const Pt pts[19] = {
        {"    -2.25000", "    -900.000", "    -900.000000", "    -2.25000000"},  // i = 9
        {"    -2.00000", "    -800.000", "    -800.000000", "    -2.00000000"},
        {"    -1.75000", "    -700.000", "    -700.000000", "    -1.75000000"},
        {"    -1.50000", "    -600.000", "    -600.000000", "    -1.50000000"},
        {"    -1.25000", "    -500.000", "    -500.000000", "    -1.25000000"},
        {"    -1.00000", "    -400.000", "    -400.000000", "    -1.00000000"},
        {"    -0.75000", "    -300.000", "    -300.000000", "    -0.75000000"},
        {"    -0.50000", "    -200.000", "    -200.000000", "    -0.50000000"},
        {"    -0.25000", "    -100.000", "    -100.000000", "    -0.25000000"},  // i = 1
        {"     0.00000", "     0.00000", "     0.00000000", "     0.00000000"},  // origin
        {"     0.50000", "     200.000", "     200.000000", "     0.50000000"},  // i = 1
        {"     1.00000", "     400.000", "     400.000000", "     1.00000000"},
        {"     1.50000", "     600.000", "     600.000000", "     1.50000000"},
        {"     2.00000", "     800.000", "     800.000000", "     2.00000000"},
        {"     2.50000", "     1000.00", "     1000.00000", "     2.50000000"},
        {"     3.00000", "     1200.00", "     1200.00000", "     3.00000000"},
        {"     3.50000", "     1400.00", "     1400.00000", "     3.50000000"},
        {"     4.00000", "     1600.00", "     1600.00000", "     4.00000000"},
        {"     4.50000", "     1800.00", "     1800.00000", "     4.50000000"},  // i = 9
    };
    Lines echo_rows, plot_rows;
    for (int k = 1; k <= 19; ++k) {
        const Pt& p = pts[k - 1];
        echo_rows.push_back(sp(10) + p.d12 + sp(9) + p.l12 + " ");  // WREOL's closing blank
        plot_rows.push_back(sp(10) + (k < 10 ? "    " : "   ") + std::to_string(k) + sp(11) + p.l15 + sp(9) + p.d15 +
                            " ");
    }
    const Lines want_echo = join({
        kTitleH,
        {"", "     USER DEFINED AXIAL LOAD-DISPLACEMENT CURVES", "", "       NUM OF CURVES  1"},
        {"", "        CURVE  1          NUM OF POINTS  1", "", kColumnsH},
        {sp(10) + "     0.25000" + sp(9) + "     500.000 "},
        {"", "     AXIAL LOAD-DISPLACEMENT CURVES GENERATED INTERNALLY ", "", "       NUM OF CURVES  1"},
        {"", "        CURVE  1          NUM OF POINTS 19", "", kColumnsH},
        echo_rows,
    });
    const Lines want_plot = join({
        {"     * AXIAL LOAD-DISPLACEMENT CURVES *", "         1", "         1    1   19"},
        plot_rows,
    });
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.echo, want_echo);
    EXPECT_EQ(out.plot, want_plot);
    EXPECT_EQ(calls, (std::vector<Call>{{2, 1, 1, 2}, {2, 2, 1, 2}}));
    EXPECT_EQ(ILSCRV(1), 1);
    EXPECT_EQ(ILSCRV(2), -1);
    EXPECT_EQ(NLSPT, 19);
    EXPECT_EQ(LSGNPT(1), 19);
    EXPECT_EQ(LSGLOD(1, 1), -900.0);
    EXPECT_EQ(LSGDSP(1, 9), -0.25);
    EXPECT_EQ(LSGDSP(1, 10), 0.0);
    EXPECT_EQ(LSGLOD(1, 11), 200.0);
    EXPECT_EQ(LSGDSP(1, 19), 4.5);
    for (int m = 1; m <= 4; ++m) EXPECT_EQ(LSTAB(2, 10, m), 0.0) << m;
}

// Rows mixing user curves and generated ones: each row without a user curve
// takes minus its own generated curve number, and the generator is called
// for every curve of the list, uplift then compression, with the property
// set and the row of the list entry.
TEST(TableH, GeneratedRowsTakeMinusTheirNumber) {
    Fresh f;
    std::vector<Call> calls;
    curve_generators.lscrv = scripted(calls);
    NLAYPY = 2;
    NPILES = 4;
    const int user[] = {0, 3, 0, 0};
    const int gen[] = {2, 1, 1, 2};
    const int prop[] = {1, 1, 3, 2};
    for (int r = 1; r <= 4; ++r) {
        ILSCRV(r) = user[r - 1];
        ILSGEN(r) = gen[r - 1];
        IPROP(r) = prop[r - 1];
    }
    KUAXL = 1;
    NUAXC = 3;
    NLSGEN = 2;
    LSGROW(1) = 3;  // curve 1 for row 3, property set 3
    LSGROW(2) = 4;  // curve 2 for row 4, property set 2

    const Files out = run_block([](int& s) { TABLEH(s); });

    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(ILSCRV(1), -2);
    EXPECT_EQ(ILSCRV(2), 3);
    EXPECT_EQ(ILSCRV(3), -1);
    EXPECT_EQ(ILSCRV(4), -2);
    EXPECT_EQ(calls, (std::vector<Call>{{3, 1, 1, 3}, {3, 2, 1, 3}, {2, 1, 2, 4}, {2, 2, 2, 4}}));
    EXPECT_EQ(LSGNPT(1), 19);
    EXPECT_EQ(LSGNPT(2), 19);
    EXPECT_NE(std::find(out.echo.begin(), out.echo.end(), "     USER DEFINED AXIAL LOAD-DISPLACEMENT CURVES"),
              out.echo.end());
    EXPECT_NE(std::find(out.echo.begin(), out.echo.end(), "     AXIAL LOAD-DISPLACEMENT CURVES GENERATED INTERNALLY "),
              out.echo.end());
    EXPECT_EQ(out.plot.at(1), "         2");
}

// Table I: a user curve (torque first in the input, rotation first in the
// echo) and one generated curve with n = 1 (3 points). The heading reads
// "TORS.MOMEN," with the force label, "-" and the length label. The runtime
// file is flushed before each generator call, so a line written to it before
// the table is on disk when the generator runs.
TEST(TableI, UserAndGeneratedCurves) {
    Fresh f;
    std::vector<Call> calls;
    std::vector<bool> flushed;
    curve_generators.trcrv = [&](int p, int q, int m, int r, int&, int& n, AXPTS& T, AXPTS& theta) {
        calls.push_back({p, q, m, r});
        flushed.push_back(test::read_file("run.txt").find("BEFORE TABLE I") != std::string::npos);
        n = 1;
        T(1) = q == 1 ? 3000.0 : 4000.0;       // branch 1 point 1 -> point 1 negated
        theta(1) = q == 1 ? 0.002 : 0.003;     // branch 2 point 1 -> point 3
    };
    NLAYPY = 1;
    NPILES = 2;
    ITRCRV(1) = 1;
    ITRCRV(2) = 0;
    ITRGEN(2) = 1;
    IPROP(1) = 1;
    IPROP(2) = 1;
    KUTOR = 1;
    NUTRC = 1;
    UTRCIN.NPT(1) = 1;
    UTRCIN.V1(1, 1) = 2500.0;  // torque
    UTRCIN.V2(1, 1) = 0.5;     // rotation
    NTRGEN = 1;
    TRGROW(1) = 2;

    const Files out = run_block([](int& s) {
        io::write_fmt(RUNFILE, R"((" BEFORE TABLE I"))");
        TABLEI(s);
    });

    // Echo WRREAL(12,5): 0.5 F12.5; 2500, 3000, 4000 have k = 3, F12.2; 0.002
    // and 0.003 lie below 10^(3-5) = 0.01: exponent form 1P,E12.5.
    // Plot WRREAL(15,8): 3000, 4000 F15.5; 0.002: log10 = -2.7, k = -2 - 1 = -3,
    // d = 8 + 3 = 11 > 8 + 2: exponent form 1P,E15.8 (0.003 likewise).
    auto row = [](const char* a, const char* b) { return sp(10) + a + sp(9) + b + " "; };  // WREOL's closing blank
    const std::string columns = "         ROT. ANGLE,Rad.     TORS.MOMEN,LBS-IN";
    const Lines want_echo = join({
        {"", "", "", "     * TABLE I *   TORS. MOM. VS ANGLE ROT. "},
        {"", "     USER DEFINED TORQUE-ROTATION CURVE", "", "       NUM OF CURVES  1"},
        {"", "        CURVE  1          NUM OF POINTS  1", "", columns},
        {row("     0.50000", "     2500.00")},
        {"", "     TORQUE-ROTATION CURVES GENERATED INTERNALLY ", "", "       NUM OF CURVES  1"},
        {"", "        CURVE  1          NUM OF POINTS  3", "", columns},
        {row("-2.00000E-03", "    -3000.00"), row("     0.00000", "     0.00000"), row(" 3.00000E-03", "     4000.00")},
    });
    auto prow = [](int k, const char* t, const char* r) {
        return sp(10) + "    " + std::to_string(k) + sp(11) + t + sp(9) + r + " ";
    };
    const Lines want_plot = {
        "     * TORQUE-ROTATION CURVES *", "         1", "         1    1    3",
        prow(1, "    -3000.00000", "-2.00000000E-03"), prow(2, "     0.00000000", "     0.00000000"),
        prow(3, "     4000.00000", " 3.00000000E-03"),
    };
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.echo, want_echo);
    EXPECT_EQ(out.plot, want_plot);
    EXPECT_EQ(calls, (std::vector<Call>{{1, 1, 1, 2}, {1, 2, 1, 2}}));
    EXPECT_EQ(flushed, (std::vector<bool>{true, true}));
    EXPECT_EQ(ITRCRV(1), 1);
    EXPECT_EQ(ITRCRV(2), -1);
    EXPECT_EQ(TRUTOR(1, 1), 2500.0);
    EXPECT_EQ(TRUROT(1, 1), 0.5);
    EXPECT_EQ(TRGNPT(1), 3);
    EXPECT_EQ(TRGROT(1, 1), -0.002);
    EXPECT_EQ(TRGTOR(1, 3), 4000.0);
}

// A row left with no curve (no soil layer to generate one from, or neither a
// user nor a generated curve number) is an input error naming the row: the
// analysis would otherwise read a curve that does not exist. No generator is
// called and the row keeps 0.
TEST(TableHI, RowWithoutCurveIsAnInputError) {
    const Lines head = {"", "", "", sp(29) + "**** FATAL ERROR ****"};
    const std::string no_soil = "     NO USER CURVE IS GIVEN AND NO SOIL LAYER IS DEFINED TO GENERATE ONE";
    const std::string no_number = "     NEITHER A USER CURVE NOR A GENERATED CURVE IS GIVEN FOR THE ROW";
    struct Case {
        const char* what;
        bool torsion;
        int layers;
        int user2, gen2;  // row 2; row 1 has user curve 1
        int status;
        std::string reason;
    };
    const Case cases[] = {
        {"no soil, generated number given", false, 0, 0, 1, ISINPUT, no_soil},
        {"soil, no number at all", false, 1, 0, 0, ISINPUT, no_number},
        {"no soil, every row a user curve", false, 0, 2, 1, 0, ""},
        {"torsion, no soil", true, 0, 0, 1, ISINPUT, no_soil},
        {"torsion, soil, no number", true, 2, 0, 0, ISINPUT, no_number},
    };
    for (const Case& c : cases) {
        Fresh f;
        std::vector<Call> calls;
        curve_generators.lscrv = curve_generators.trcrv = scripted(calls);
        NLAYPY = c.layers;
        NPILES = 2;
        IPROP(1) = IPROP(2) = 1;
        (c.torsion ? ITRCRV : ILSCRV)(1) = 1;
        (c.torsion ? ITRCRV : ILSCRV)(2) = c.user2;
        (c.torsion ? ITRGEN : ILSGEN)(2) = c.gen2;
        (c.torsion ? NTRGEN : NLSGEN) = 1;
        (c.torsion ? TRGROW : LSGROW)(1) = 2;
        const Files out = run_block([&](int& s) { c.torsion ? TABLEI(s) : TABLEH(s); });
        EXPECT_EQ(out.status, c.status) << c.what;
        EXPECT_TRUE(calls.empty()) << c.what;
        EXPECT_TRUE(out.plot.empty()) << c.what;
        if (c.status == 0) {
            EXPECT_TRUE(FAILTXT.empty()) << c.what;
            continue;
        }
        const std::string kind = c.torsion ? "TORQUE-ROTATION" : "AXIAL LOAD-DISPLACEMENT";
        const Lines block = join({head, {"     PILE ROW 2 HAS NO " + kind + " CURVE:", c.reason}});
        EXPECT_EQ(out.run, block) << c.what;
        ASSERT_GE(out.echo.size(), block.size()) << c.what;
        EXPECT_EQ(Lines(out.echo.end() - static_cast<long>(block.size()), out.echo.end()), block) << c.what;
        EXPECT_EQ(FAILTXT, (Lines{"    PILE ROW 2 HAS NO " + kind + " CURVE:", "    " + c.reason.substr(5)})) << c.what;
        EXPECT_EQ((c.torsion ? ITRCRV : ILSCRV)(2), 0) << c.what;
    }
}

// A pile reaching into a soil layer of user p-y curves (code 5) must name a
// user p-y set with curves that have points; otherwise the layer would give
// that pile no lateral resistance without a word, so the run stops.
TEST(UserCurveLayers, EveryPileInTheLayerNamesASetWithCurves) {
    const Lines head = {"", "", "", sp(29) + "**** FATAL ERROR ****"};
    struct Case {
        const char* what;
        double layer2_top;  // layer 2 (code 5) from here to 1000 in; the piles end at 480 in
        int set2;           // IPYSET of row 2 (the sign does not matter); row 1 names set 1
        int curves, points; // of set 1
        int row;            // the row reported
        std::string reason;
    };
    const Case cases[] = {
        {"row with a set", 240.0, -1, 2, 3, 0, ""},
        {"layer below the tips", 480.0, 0, 0, 0, 0, ""},
        {"row without a set", 240.0, 0, 2, 3, 2, "     BUT THE ROW NAMES NO USER P-Y CURVE SET"},
        {"set without curves", 240.0, 1, 0, 0, 1, "     BUT ITS USER P-Y CURVE SET 1 HOLDS NO CURVE"},
        {"curve without points", 240.0, -1, 2, 0, 1, "     BUT CURVE 1 OF ITS USER P-Y CURVE SET 1 HAS NO POINT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh f;
        NLAYPY = 2;
        ISOIL(1) = 1;
        ISOIL(2) = 5;
        LAYTOP(1) = 0.0;
        LAYBOT(1) = LAYTOP(2) = c.layer2_top;
        LAYBOT(2) = 1000.0;
        NPILES = 2;
        IPROP(1) = IPROP(2) = 1;
        PLENP(1) = 480.0;
        IPYSET(1) = 1;
        IPYSET(2) = c.set2;
        UPYNCV(1) = c.curves;
        for (int j = 1; j <= c.curves; ++j) UPYNPT(1, j) = c.points;
        const Files out = run_block([](int& s) { USERLAYCHK(s); });
        if (c.reason.empty()) {
            EXPECT_EQ(out.status, 0);
            EXPECT_TRUE(out.echo.empty());
            continue;
        }
        EXPECT_EQ(out.status, ISINPUT);
        const std::string where = "     PILE ROW " + std::to_string(c.row) +
                                  " REACHES SOIL LAYER 2, WHICH TAKES USER P-Y CURVES (SOIL CODE 5),";
        const Lines block = join({head, {where, c.reason}});
        EXPECT_EQ(out.run, block);
        EXPECT_EQ(out.echo, block);
    }
}

// A pile whose sections give no diameter has no torque-rotation curve to
// generate: the run stops with an input error before any generator runs.
TEST(TableI, PileWithoutDiameterIsAnInputError) {
    Fresh f;
    std::vector<Call> calls;
    curve_generators.trcrv = scripted(calls);
    NLAYPY = 1;
    NPILES = 1;
    IPROP(1) = 1;
    SECTAB(1, 1, SEC_TOP + SP_DIA) = 0.0;
    NTRGEN = 1;
    TRGROW(1) = 1;
    ITRGEN(1) = 1;
    const Files out = run_block([](int& s) { TABLEI(s); });
    EXPECT_EQ(out.status, ISINPUT);
    EXPECT_TRUE(calls.empty());
    const Lines block = {"", "", "", sp(29) + "**** FATAL ERROR ****",
                         "     PILE ROW 1: THE SECTIONS OF PROPERTY SET 1 GIVE NO DIAMETER,",
                         "     SO NO TORQUE-ROTATION CURVE CAN BE GENERATED FROM THE SOIL"};
    EXPECT_EQ(out.run, block);
}

// A status from a generator ends the table at once: no further call, no
// generated block on the echo or the plot file; the curves built so far stay.
TEST(TableHI, GeneratorStatusEndsTheTable) {
    struct Case {
        const char* what;
        bool torsion;
        int fail_m, fail_q, code;
        std::vector<Call> calls;
    };
    const Case cases[] = {
        {"axial, curve 2 uplift", false, 2, 1, ISLSCOH, {{1, 1, 1, 1}, {1, 2, 1, 1}, {1, 1, 2, 2}}},
        {"torsion, curve 1 compression", true, 1, 2, ISTRE50, {{1, 1, 1, 1}, {1, 2, 1, 1}}},
    };
    for (const Case& c : cases) {
        Fresh f;
        std::vector<Call> calls;
        auto gen = [&, base = scripted(calls)](int p, int q, int m, int r, int& st, int& n, AXPTS& a, AXPTS& b) {
            base(p, q, m, r, st, n, a, b);
            if (m == c.fail_m && q == c.fail_q) st = c.code;
        };
        (c.torsion ? curve_generators.trcrv : curve_generators.lscrv) = gen;
        NLAYPY = 1;
        NPILES = 2;
        for (int r = 1; r <= 2; ++r) {
            IPROP(r) = 1;
            (c.torsion ? ITRGEN : ILSGEN)(r) = r;
            (c.torsion ? TRGROW : LSGROW)(r) = r;
        }
        (c.torsion ? NTRGEN : NLSGEN) = 2;
        const Files out = run_block([&](int& s) { c.torsion ? TABLEI(s) : TABLEH(s); });
        EXPECT_EQ(out.status, c.code) << c.what;
        EXPECT_EQ(calls, c.calls) << c.what;
        EXPECT_EQ(out.echo.size(), 4u) << c.what;  // the table's heading only
        EXPECT_TRUE(out.plot.empty()) << c.what;
        if (!c.torsion) {
            EXPECT_EQ(LSGNPT(1), 19) << c.what;
            EXPECT_EQ(LSGNPT(2), 0) << c.what;
        } else {
            EXPECT_EQ(TRGNPT(1), 0) << c.what;
        }
    }
}

// ---------------------------------------------------------------------------
// Whole runs of the examples.

std::string example(const char* name) { return test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/" + name); }

struct RunOut {
    int status;
    std::string echo, plot;
};

RunOut run_input(const std::string& text) {
    test::TempDir dir;
    test::write_names(test::default_names());
    test::write_file("input.dat", text);
    const int status = IZOLAN(2);
    return {status, test::read_file("echo.txt"), test::read_file("plot.txt")};
}

// A status from the load-settlement generator in a run ends the echo after
// Table H's heading: no Table I, J or K, and the run ends with that status.
TEST(EchoCurvesRun, GeneratorStatusEndsTheEcho) {
    Fresh f;
    curve_generators.lscrv = [](int, int, int, int, int& st, int&, AXPTS&, AXPTS&) { st = ISLSE50; };
    const RunOut out = run_input(example("group3d.in"));
    EXPECT_EQ(out.status, ISLSE50);
    const std::string tail = "     * TABLE H *   AXIAL LOAD VS DISPLACEMENT \n";
    ASSERT_GE(out.echo.size(), tail.size());
    EXPECT_EQ(out.echo.substr(out.echo.size() - tail.size()), tail);
    EXPECT_EQ(out.echo.find("* TABLE I *"), std::string::npos);
    EXPECT_EQ(out.echo.find("* TABLE K *"), std::string::npos);
}

// The plane model prints no Table I and copies no torque curve, even with
// user torque-rotation curves switched on (control integer 7) and given.
TEST(EchoCurvesRun, PlaneModelHasNoTableI) {
    Fresh f;
    std::string text = example("plane2d_si.in");
    const std::string control = "2 2 0 0 0 0 0 1";
    const std::string section10_end = "3                                                       ! FOR ROW 3\n";
    ASSERT_NE(text.find(control), std::string::npos);
    ASSERT_NE(text.find(section10_end), std::string::npos);
    text.replace(text.find(control), control.size(), "2 2 0 0 0 0 1 1");
    text.insert(text.find(section10_end) + section10_end.size(),
                "USER TORQUE-ROTATION CURVES\n1\n1 2\n0.0 0.0\n50.0 0.01\n");
    const RunOut out = run_input(text);
    EXPECT_EQ(out.status, 0);
    EXPECT_NE(out.echo.find("* TABLE H *"), std::string::npos);
    EXPECT_EQ(out.echo.find("* TABLE I *"), std::string::npos);
    EXPECT_EQ(out.echo.find("TORQUE-ROTATION"), std::string::npos);
    EXPECT_EQ(TRUNPT(1), 0);
}

// The real generators in a run of the three-dimensional example: each
// generated curve has 19 points, odd about its zero tenth point (the two
// branches of the torque generator compute the same points), rising
// displacements and rotations; the axial curve equals the head columns of
// the load-settlement table that the generator fills for property set 1 on
// its own.
TEST(EchoCurvesRun, RealGeneratorsOnTheExample) {
    Fresh f;
    const RunOut out = run_input(example("group3d.in"));
    ASSERT_EQ(out.status, 0);
    EXPECT_EQ(NLSPT, 19);
    ASSERT_EQ(LSGNPT(1), 19);
    ASSERT_EQ(TRGNPT(1), 19);
    EXPECT_EQ(LSGDSP(1, 10), 0.0);
    EXPECT_EQ(LSGLOD(1, 10), 0.0);
    EXPECT_EQ(TRGROT(1, 10), 0.0);
    EXPECT_EQ(TRGTOR(1, 10), 0.0);
    for (int k = 1; k <= 19; ++k) {
        EXPECT_EQ(LSGDSP(1, k), LSTAB(1, k, 1)) << k;
        EXPECT_EQ(LSGLOD(1, k), LSTAB(1, k, 2)) << k;
        if (k > 1) {
            EXPECT_GT(LSGDSP(1, k), LSGDSP(1, k - 1)) << k;
            EXPECT_GT(TRGROT(1, k), TRGROT(1, k - 1)) << k;
        }
    }
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(TRGROT(1, 10 - i), -TRGROT(1, 10 + i)) << i;
        EXPECT_EQ(TRGTOR(1, 10 - i), -TRGTOR(1, 10 + i)) << i;
    }
    EXPECT_NE(out.plot.find("     * AXIAL LOAD-DISPLACEMENT CURVES *\n         1\n         1    1   19\n"),
              std::string::npos);
    EXPECT_NE(out.plot.find("     * TORQUE-ROTATION CURVES *\n         1\n         1    1   19\n"), std::string::npos);
}

}  // namespace
}  // namespace zolan
