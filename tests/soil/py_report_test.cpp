// The report of generated p-y curves: the reasons why a request gives no
// curve, the tabulated curves of soft clay (given deflections, the default
// list, pile-cap level, the boundary of two layers) and the records of the
// plot file, compared as text with lines written by hand from the layouts.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "soil/py_report.h"
#include "support/py_fixture.h"

namespace zolan {
namespace {

using Lines = std::vector<std::string>;

struct Layer {
    double top, bot;
    int code;
    double cu, gamma;  // psi, pci; e50 = 0.01 and J = 0.5 in every layer
};

// English units (inch, pound). Pile row 1: head at depth xtop, ground line
// `ground` below the head, length 480 in (40 ft) in 20 increments of 24 in,
// diameter 12 in. Soil values constant within each layer.
void set_model(double xtop, double ground, const std::vector<Layer>& layers) {
    test::reset_py_model();
    PYMODE = 1;
    PLOTFLG = 0;
    test::one_pile(12.0, 24.0, 20);
    XTOP(1) = CORX(1) = xtop;
    GROUND(1) = ground;
    for (int L = 1; L <= static_cast<int>(layers.size()); ++L) {
        const Layer& l = layers[L - 1];
        test::soil_layer(L, l.code, l.top, l.bot);
        test::layer_value(SCCOH, L, l.cu);
        test::layer_value(SCGAM, L, l.gamma);
        test::layer_value(SCE50, L, 0.01);
        test::layer_value(SCJ, L, 0.5);
    }
    NLAYER = NLAYPY;
}

struct Request {
    int pile;
    double depth;
    std::vector<double> y;  // empty: the default list
};

void set_requests(const std::vector<Request>& reqs) {
    PYREQN = static_cast<int>(reqs.size());
    for (int r = 1; r <= PYREQN; ++r) {
        const Request& q = reqs[r - 1];
        PYRQIN.ROW(r) = q.pile;
        PYRQIN.DEP(r) = q.depth;
        PYRQIN.NY(r) = static_cast<int>(q.y.size());
        for (int i = 1; i <= PYRQIN.NY(r); ++i) PYRQIN.Y(r, i) = q.y[i - 1];
    }
}

// Runs the report; the echo and plot files' lines.
void run_report(Lines& echo, Lines& plot, int& istat) {
    const auto files = test::run_files({ECHOFILE, PLOTFILE}, [&] { PYREPORT(istat); });
    echo = files.echo;
    plot = files.plot;
}

std::string right(int w, const std::string& s) { return std::string(w - s.size(), ' ') + s; }
// A tabulated point on the echo.
const auto point = test::echo_point;

Lines headings(int n) {
    return {"", "", "     * GENERATED P-Y CURVES *", "", "     NUMBER OF CURVES  :" + right(5, std::to_string(n))};
}

void append(Lines& a, const Lines& b) { a.insert(a.end(), b.begin(), b.end()); }

void expect_lines(const Lines& got, const Lines& want) {
    EXPECT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < std::min(got.size(), want.size()); ++i)
        EXPECT_EQ(got[i], want[i]) << "line " << i + 1;
}

class PyReport : public test::PyModelTest {};

// Soil profile of the reasons: ground line 1 ft below the head at depth 0;
// soft clay 12 .. 240 in, then 240 .. 720 in.
const std::vector<Layer> TWO_CLAYS = {{12, 240, 1, 10, 0.04}, {240, 720, 1, 20, 0.04}};

// Requests that give no curve: one reason each, and the plot record r, P, 0.
TEST_F(PyReport, ReasonsForNoCurve) {
    const std::string head1 = "         CURVE NUMBER              =    1";
    const std::string pile1 = "         PILE GROUP NUMBER         =    1";
    // F10.2 of the depth in feet (UCD12: inches / 12), then " FT,".
    const std::string since = "         CURVE NOT GENERATED SINCE REQUIRED DEPTH,  ";
    const std::string since5 = "         CURVE NOT GENERATED SINCE REQUIRED DEPTH,     ";
    struct Case {
        const char* what;
        std::function<void()> tweak;
        Request req;
        Lines block;
    };
    const Case cases[] = {
        // 12 in below the origin = the ground line (12 - 12 - 0 = 0 <= 1e-6): 1.00 FT.
        {"at the ground line", [] {}, {1, 12.0, {}},
         {"", "", head1, "", pile1, "", since + "      1.00 FT,",
          "         IS ABOVE OR EQUAL TO THE SOIL GROUND FOR REQUIRED PILE,       1.00 FT"}},
        // 481 in > tip 0 + 480: 481 / 12 = 40.083 -> 40.08 FT; the tip 40.00 FT.
        {"below the tip", [] {}, {1, 481.0, {}},
         {"", "", head1, "", pile1, "", since + "     40.08 FT,",
          "         IS BELOW TIP OF REQUIRED PILE,      40.00 FT"}},
        // -12 in <= head 0 with no cap (also above the ground, the later rule wins).
        {"above the head", [] {}, {1, -12.0, {}},
         {"", "", head1, "", pile1, "", since + "     -1.00 FT,",
          "         IS ABOVE TOP OF REQUIRED PILE,       0.00 FT"}},
        // With a cap 24 in thick: -24 <= 0 - 24, above the top of the cap, -2.00 FT.
        {"above the cap",
         [] {
             KCAPOP = 1;
             CAPTHK = 24.0;
             CAPWID = 48.0;
         },
         {1, -24.0, {}},
         {"", "", head1, "", pile1, "", since + "     -2.00 FT,",
          "         IS ABOVE TOP OF PILE CAP,      -2.00 FT"}},
        // Pile row 2 does not exist (one row): 120 in = 10.00 FT.
        {"no such pile row", [] {}, {2, 120.0, {}},
         {"", "", head1, "", "         PILE GROUP NUMBER         =    2", "", since + "     10.00 FT,",
          "         IS NOT ON AN EXISTING PILE"}},
        // The soil starts 24 in down (ground line 12): 24 <= LAYTOP(1), 2.00 FT.
        {"at the soil top", [] { LAYTOP(1) = 24.0; }, {1, 24.0, {}},
         {"", "", head1, "", pile1, "", since + "      2.00 FT,",
          "         IS ABOVE OR EQUAL TO THE DEFINED SOIL TOP,       2.00 FT"}},
        // The soil ends at the tip, 480 in: 480 >= LAYBOT(2), 40.00 FT.
        {"at the soil bottom", [] { LAYBOT(2) = 480.0; }, {1, 480.0, {}},
         {"", "", head1, "", pile1, "", since5 + "     40.00 FT,",
          "         IS BELOW OR EQUAL TO THE DEFINED SOIL BOTTOM,      40.00 FT"}},
        // 360 in inside layer 2 of user curves.
        {"in a user-curve layer", [] { ISOIL(2) = 5; }, {1, 360.0, {}},
         {"", "", head1, "", pile1, "", since5 + "     30.00 FT,",
          "         IS WITHIN LAYER   2, WHICH IS SET AS USER DEFINED P-Y CURVES"}},
        // 240 in is the boundary of the layers: the user-curve test takes the
        // upper layer, here of user curves.
        {"on the boundary below a user-curve layer", [] { ISOIL(1) = 5; }, {1, 240.0, {}},
         {"", "", head1, "", pile1, "", since5 + "     20.00 FT,",
          "         IS WITHIN LAYER   1, WHICH IS SET AS USER DEFINED P-Y CURVES"}},
        // On the same boundary with the lower layer of user curves: that layer
        // would tabulate the curve, and user curves tabulate none, so the
        // request reports it instead of announcing points it never prints.
        {"on the boundary above a user-curve layer", [] { ISOIL(2) = 5; }, {1, 240.0, {}},
         {"", "", head1, "", pile1, "", since5 + "     20.00 FT,",
          "         IS WITHIN LAYER   2, WHICH IS SET AS USER DEFINED P-Y CURVES"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        set_model(0.0, 12.0, TWO_CLAYS);
        c.tweak();
        set_requests({c.req});
        Lines echo, plot;
        int istat = 0;
        run_report(echo, plot, istat);
        EXPECT_EQ(istat, 0);
        Lines want = headings(1);
        append(want, c.block);
        expect_lines(echo, want);
        expect_lines(plot, {"     * GENERATED P-Y CURVES *", "         1", "    1" + right(5, std::to_string(c.req.pile)) + "    0"});
        EXPECT_EQ(PYREQ, 0);
    }
}

// With no requests the report holds only the two headings with a count of 0.
TEST_F(PyReport, NoRequests) {
    set_model(0.0, 12.0, TWO_CLAYS);
    set_requests({});
    Lines echo, plot;
    int istat = 0;
    run_report(echo, plot, istat);
    expect_lines(echo, headings(0));
    expect_lines(plot, {"     * GENERATED P-Y CURVES *", "         0"});
}

// Curves of soft clay: at the tip with two given deflections, on the boundary
// of two layers (the lower layer's model, here soft clay with J, prints its
// J column), and in the upper layer with the default list of 17 points.
TEST_F(PyReport, GeneratedCurves) {
    // Layer 2 takes soil code 13; the analysis left its equivalent depth at 120 in.
    set_model(0.0, 12.0, {{12, 240, 1, 10, 0.04}, {240, 720, 13, 20, 0.04}});
    EQDEP(1, 2) = 120.0;
    set_requests({{1, 480.0, {0.3, 3.0}}, {1, 240.0, {0.3}}, {1, 120.0, {}}});
    Lines echo, plot;
    int istat = 0;
    run_report(echo, plot, istat);
    EXPECT_EQ(istat, 0);
    EXPECT_EQ(PYREQ, 0);

    const std::string caption = std::string(37, ' ') + "Y,IN" + std::string(13, ' ') + "P,LBS/IN";
    const Lines head13 = {"", "         DEPTH BELOW GS      DIAM         C         GAMMA         E50           J",
                          "               FT             IN       LBS/FT**2    LBS/FT**3"};
    const Lines head1 = {"", "         DEPTH BELOW GS      DIAM         C         GAMMA         E50",
                         "               FT             IN       LBS/FT**2    LBS/FT**3"};
    auto curve = [](int r, const std::string& depth, int n) {
        return Lines{"", "", "         CURVE NUMBER              =" + right(5, std::to_string(r)), "",
                     "         PILE GROUP NUMBER         =    1", "",
                     "         DEPTH BELOW ORIGIN        =" + depth + " FT", "",
                     "         NUMBER OF POINTS ON CURVE =" + right(5, std::to_string(n))};
    };
    Lines want = headings(3);
    // 1. The tip, 480 in = 40.00 FT, in layer 2: z = 480 - 12 = 468 in = 39.00 FT,
    //    zeq = 480 - 240 + 120 = 360; cu = 20 psi = 2880 psf, gamma' = 0.04 pci = 69.12 pcf.
    //    Np = 3 + 0.04 * 360 / 20 + 0.5 * 360 / 12 = 18.72 > 9: pu = 9 * 20 * 12 = 2160;
    //    y50 = 2.5 * 0.01 * 12 = 0.3: p(0.3) = 1080, p(3 > 8 y50) = 2160.
    append(want, curve(1, "     40.00", 2));
    append(want, head13);
    append(want, {"             39.00          12.000    0.2880E+04   0.6912E+02   0.1000E-01  0.5000E+00", "",
                  caption, point("0.30000", "1080.00"), point("3.00000", "2160.00")});
    // 2. The boundary, 240 in = 20.00 FT: the first layer whose bottom lies
    //    below it, layer 2 (code 13), cohesion of the lower layer 20 psi;
    //    z = 228 in = 19.00 FT, zeq = 0 + 120: Np = 3 + 0.24 + 5 = 8.24,
    //    pu = 8.24 * 240 = 1977.6; p(0.3) = 988.8.
    append(want, curve(2, "     20.00", 1));
    append(want, head13);
    append(want, {"             19.00          12.000    0.2880E+04   0.6912E+02   0.1000E-01  0.5000E+00", "",
                  caption, point("0.30000", "988.800")});
    // 3. 120 in = 10.00 FT in layer 1, z = zeq = 108 in = 9.00 FT, cu = 10 psi = 1440 psf:
    //    Np = 3 + 0.432 + 4.5 = 7.932, pu = 951.84, y50 = 0.3; the default list
    //    0, 0.008 y50, 0.25 y50 .. 3 y50 by 0.25 y50, 8, 15, 20 y50 and
    //    p = 0.5 pu (Y / y50)^(1/3) = 475.92 r^(1/3) up to 8 y50, pu beyond:
    //    r = 0.008: 475.92 * 0.2 = 95.184; 0.25: 475.92 * 0.629961 = 299.811;
    //    0.5: 377.738; 0.75: 432.402; 1: 475.920; 1.25: 512.669; 1.5: 544.792;
    //    1.75: 573.517; 2: 599.622; 2.25: 623.632; 2.5: 645.923; 2.75: 666.773;
    //    3: 686.395; 8: 951.840; 15, 20: 951.840.
    //    Fields of 5 digits: below 0.01 in exponent form, 0.01 .. 0.1 with 7 decimals.
    append(want, curve(3, "     10.00", 17));
    append(want, head1);
    append(want, {"              9.00          12.000    0.1440E+04   0.6912E+02   0.1000E-01", "", caption});
    const char* ys[] = {"0.00000", "2.40000E-03", "0.0750000", "0.15000", "0.22500", "0.30000",
                        "0.37500", "0.45000",     "0.52500",   "0.60000", "0.67500", "0.75000",
                        "0.82500", "0.90000",     "2.40000",   "4.50000", "6.00000"};
    const char* ps[] = {"0.00000", "95.1840", "299.811", "377.738", "432.402", "475.920",
                        "512.669", "544.792", "573.517", "599.622", "623.632", "645.923",
                        "666.773", "686.395", "951.840", "951.840", "951.840"};
    for (int i = 0; i < 17; ++i) want.push_back(point(ys[i], ps[i]));
    expect_lines(echo, want);

    // The plot file: the request record r, P, N, the depth in inches
    // (list-directed), the points in 1P,2(1X,G15.8).
    Lines wplot = {"     * GENERATED P-Y CURVES *", "         3",
                   "    1    1    2", "   480.00000000000000     ",
                   "  0.30000000       1080.0000    ", "   3.0000000       2160.0000    ",
                   "    2    1    1", "   240.00000000000000     ",
                   "  0.30000000       988.80000    ",
                   "    3    1   17", "   120.00000000000000     "};
    // The default list at 8 significant digits; the single-precision 0.008
    // and third (0.00800000038, 0.333333343) show in the digits:
    // 0.008 * 0.3 = 2.40000011E-03, 475.92 * 0.008000000380^0.333333343 = 95.183997,
    // 475.92 * 8^0.333333343 = 951.84002.
    append(wplot, {"   0.0000000       0.0000000    ", "  2.40000011E-03   95.183997    ",
                   "  7.50000000E-02   299.81081    ", "  0.15000000       377.73795    ",
                   "  0.22500000       432.40202    ", "  0.30000000       475.92000    ",
                   "  0.37500000       512.66928    ", "  0.45000000       544.79240    ",
                   "  0.52500000       573.51746    ", "  0.60000000       599.62163    ",
                   "  0.67500000       623.63163    ", "  0.75000000       645.92282    ",
                   "  0.82500000       666.77329    ", "  0.90000000       686.39542    ",
                   "   2.4000000       951.84002    ", "   4.5000000       951.84000    ",
                   "   6.0000000       951.84000    "});
    expect_lines(plot, wplot);
}

// Two requests inside the thickness of a cap (KCAPOP = 1): the first is
// tabulated at pile-cap level with the cap width, the second gives no curve.
TEST_F(PyReport, TwoRequestsAtCapLevel) {
    // Head at 120 in, ground line 24 in above it (96 in), cap 36 in thick (top at 84), 48 in wide.
    set_model(120.0, -24.0, {{96, 720, 1, 10, 0.04}});
    KCAPOP = 1;
    CAPTHK = 36.0;
    CAPWID = 48.0;
    set_requests({{1, 108.0, {1.2}}, {1, 114.0, {}}});
    Lines echo, plot;
    int istat = 0;
    run_report(echo, plot, istat);
    EXPECT_EQ(istat, 0);
    // 1. 108 in = 9.00 FT; z = 108 + 24 - 120 = 12 in = 1.00 FT, b = 48 (cap width):
    //    Np = 3 + 0.04 * 12 / 10 + 0.5 * 12 / 48 = 3.173, pu = 3.173 * 10 * 48 = 1523.04,
    //    y50 = 2.5 * 0.01 * 48 = 1.2: p(1.2) = 761.52, tabulated as (Y, p1).
    //    The pile pass leaves the node at cap level to the cap pass: one curve.
    // 2. 114 in = 9.50 FT: a further request at cap level.
    Lines want = headings(2);
    append(want, {"", "", "         CURVE NUMBER              =    1", "",
                  "         AT PILE CAP LEVEL, DEPTH  =      9.00 FT", "",
                  "         NUMBER OF POINTS ON CURVE =    1",
                  "", "         DEPTH BELOW GS      DIAM         C         GAMMA         E50",
                  "               FT             IN       LBS/FT**2    LBS/FT**3",
                  "              1.00          48.000    0.1440E+04   0.6912E+02   0.1000E-01", "",
                  std::string(37, ' ') + "Y,IN" + std::string(13, ' ') + "P,LBS/IN", point("1.20000", "761.520"),
                  "", "", "         CURVE NUMBER              =    2", "",
                  "         AT PILE CAP LEVEL, DEPTH  =      9.50 FT", "",
                  "         CURVE NOT GENERATED SINCE ONLY ONE CURVE ",
                  "         AT PILE CAP LEVEL CAN BE PRINTED "});
    expect_lines(echo, want);
    expect_lines(plot, {"     * GENERATED P-Y CURVES *", "         2", "    1    1    1",
                        "   108.00000000000000     ", "   1.2000000       761.52000    ", "    2    1    0"});
}

// A soil lookup beyond the soil curves sets the status (23, cohesion) and
// ends that curve; the later requests still print their texts, and their
// generators return at their first lookup.
TEST_F(PyReport, StatusOfALookupIsKeptForTheLaterRequests) {
    set_model(0.0, 12.0, TWO_CLAYS);
    NSCPT = NUWPT = 2;  // the soil curves end at 240 in, with layer 1
    set_requests({{1, 360.0, {0.3}}, {1, 120.0, {0.3}}});
    Lines echo, plot;
    int istat = 0;
    run_report(echo, plot, istat);
    EXPECT_EQ(istat, 23);
    auto block = [](int r, const std::string& depth) {
        return Lines{"", "", "         CURVE NUMBER              =" + right(5, std::to_string(r)), "",
                     "         PILE GROUP NUMBER         =    1", "",
                     "         DEPTH BELOW ORIGIN        =" + depth + " FT", "",
                     "         NUMBER OF POINTS ON CURVE =    1"};
    };
    Lines want = headings(2);
    append(want, block(1, "     30.00"));
    append(want, block(2, "     10.00"));
    expect_lines(echo, want);
    expect_lines(plot, {"     * GENERATED P-Y CURVES *", "         2", "    1    1    1", "    2    1    1"});
}

// A battered pile with depths adjusted for batter (KBATAD = 1) takes its
// diameter at the requested node's position along the axis.
TEST_F(PyReport, BatteredPileDiameterAlongItsAxis) {
    set_model(0.0, 12.0, TWO_CLAYS);
    KBATAD = 1;
    BATANG(1) = std::acos(0.5);  // 60 degrees from the vertical
    // Section 1 (0 .. 240 along the axis) tapers from 12 to 24 in; section 2 stays 24.
    NSECP(1) = 2;
    SECTAB(1, 1, SEC_DBOT) = 240.0;
    SECTAB(1, 1, SEC_BOT + SP_DIA) = 24.0;
    SECTAB(1, 2, SEC_DTOP) = 240.0;
    SECTAB(1, 2, SEC_DBOT) = 480.0;
    SECTAB(1, 2, SEC_TOP + SP_DIA) = SECTAB(1, 2, SEC_BOT + SP_DIA) = 24.0;
    set_requests({{1, 60.0, {0.3}}});
    Lines echo, plot;
    int istat = 0;
    run_report(echo, plot, istat);
    // Depth 60 in is 60 / cos 60 deg = 120 in along the axis: b = 12 + 12 * 120 / 240 = 18
    // (at 60 in along the axis it would be 15); z = 60 - 12 = 48 in = 4.00 FT.
    ASSERT_GE(echo.size(), 18u);
    EXPECT_EQ(echo[17], "              4.00          18.000    0.1440E+04   0.6912E+02   0.1000E-01");
}

// A request at cap level is tabulated exactly once, so that the plot file
// holds the N points its request record announces: with an embedded cap
// (KCAPOP = 2) by the cap pass alone, and for a model without a cap pass
// (elastic subgrade, code 12) by the pile pass.
TEST_F(PyReport, CapLevelCurveTabulatedOnce) {
    struct Case {
        const char* what;
        int kcapop, code;
        double y;
        const char* point;
    };
    const Case cases[] = {
        // Soft clay, z = 12, b = 12 (the pile's diameter with KCAPOP = 2):
        // Np = 3 + 0.048 + 0.5 = 3.548, pu = 425.76, y50 = 0.3: p(0.3) = 212.88.
        {"embedded cap, soft clay", 2, 1, 0.3, "  0.30000000       212.88000    "},
        // Elastic subgrade k = 100 pci, tmax = 10 psi, b = 12: 0.05 < tmax / k = 0.1,
        // p = k b y = 100 * 12 * 0.05 = 60; points in 1P,1X,2(G15.8,2X), whose last
        // 2X writes nothing at the end of the record.
        {"cap dimensions, elastic subgrade", 1, 12, 0.05, "  5.00000000E-02    60.000000    "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        set_model(120.0, -24.0, {{96, 720, c.code, 10, 0.04}});
        SCK(1) = SCK(2) = 100.0;
        KCAPOP = c.kcapop;
        CAPTHK = 36.0;
        CAPWID = 48.0;
        set_requests({{1, 108.0, {c.y}}});
        Lines echo, plot;
        int istat = 0;
        run_report(echo, plot, istat);
        EXPECT_EQ(istat, 0);
        expect_lines(plot, {"     * GENERATED P-Y CURVES *", "         1", "    1    1    1",
                            "   108.00000000000000     ", c.point});
    }
}

}  // namespace
}  // namespace zolan
