// Tables G, H and I of the input echo: the user p-y curve sets, the axial
// load-displacement curves and (three-dimensional model) the torque-rotation
// curves. While each table prints, its curves are copied or generated into
// the tables the solvers read, and every pile row is given the curve it
// uses: a user curve k as +k, generated curve g as -g.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "control/input_echo.h"
#include "model/section_lookup.h"
#include "model/status_codes.h"
#include "model/curve_tables.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/soil_tables.h"
#include "pile/load_settlement.h"
#include "pile/node_mesh.h"
#include "pile/torsion_curves.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "report/unit_labels.h"

namespace zolan {

CurveGenerators curve_generators;

namespace {

constexpr int CENTRE = 10;  // the zero point of a load-settlement table

const fmt::Format CURVE_HEAD(R"((/,8X,"CURVE",I3,10X,"NUM OF POINTS",I3,/))");
const fmt::Format COUNT_LINE(R"((/,7X,"NUM OF CURVES",I3))");

// Rows of a curve on the echo: 10 blanks, the two columns (WRREAL 12, 5) 9 blanks apart.
template <class A, class B>
void echo_rows(int j, int n, const A& first, const B& second) {
    for (int k = 1; k <= n; ++k) {
        WRBLNK(ECHOFILE, 10);
        WRREAL(ECHOFILE, 12, 5, first(j, k));
        WRBLNK(ECHOFILE, 9);
        WRREAL(ECHOFILE, 12, 5, second(j, k));
        WREOL(ECHOFILE);
    }
}

// One block of curves on the echo: title, count, then per curve its heading,
// the column heading and the rows.
template <class N, class A, class B>
void echo_block(const fmt::Format& title, int ncurves, const N& npt, const fmt::Format& columns,
                std::initializer_list<fmt::Item> labels, const A& first, const B& second) {
    io::write_fmt(ECHOFILE, title);
    io::write_fmt(ECHOFILE, COUNT_LINE, {ncurves});
    for (int j = 1; j <= ncurves; ++j) {
        io::write_fmt(ECHOFILE, CURVE_HEAD, {j, npt(j)});
        io::write_fmt(ECHOFILE, columns, labels);
        echo_rows(j, npt(j), first, second);
    }
}

// The generated curves on the plot file: title, count, per curve the running
// count, the curve number and the point count, then per point its number,
// the load (or torque) and the displacement (or rotation), WRREAL 15, 8.
template <class N, class A, class B>
void plot_block(const fmt::Format& title, int ncurves, const N& npt, const A& load, const B& disp) {
    static const fmt::Format count("(5X,I5)");
    static const fmt::Format head("(5X,3I5)");
    io::write_fmt(PLOTFILE, title);
    io::write_fmt(PLOTFILE, count, {ncurves});
    for (int j = 1; j <= ncurves; ++j) {
        io::write_fmt(PLOTFILE, head, {j, j, npt(j)});
        for (int k = 1; k <= npt(j); ++k) {
            WRBLNK(PLOTFILE, 10);
            WRINT(PLOTFILE, 5, k);
            WRBLNK(PLOTFILE, 11);
            WRREAL(PLOTFILE, 15, 8, load(j, k));
            WRBLNK(PLOTFILE, 9);
            WRREAL(PLOTFILE, 15, 8, disp(j, k));
            WREOL(PLOTFILE);
        }
    }
}

// An input that cannot be analysed: the fatal block on the runtime file and
// the echo, the same lines after the status text of the final report, and
// the input-error status.
void input_error(std::initializer_list<std::string> lines, int& ISTAT, int code = ISINPUT) {
    static const fmt::Format head(R"((/,/,/,29X,"**** FATAL ERROR ****"))");
    static const fmt::Format body("(5X,A)");
    for (int unit : {RUNFILE, ECHOFILE}) {
        io::write_fmt(unit, head);
        for (const std::string& l : lines) io::write_fmt(unit, body, {l});
        io::flush_unit(unit);
    }
    for (const std::string& l : lines) FAILTXT.push_back("    " + l);
    ISTAT = code;
}

// A pile row with neither a user curve nor a generated one would leave the
// analysis without a curve to read: the run stops with an input error naming
// the first such row. Returns true when it did.
bool refuse_row_without_curve(const Table1<int, MAXPIL>& icrv, const char* kind, int& ISTAT) {
    int row = 0;
    for (int r = 1; r <= NPILES && row == 0; ++r)
        if (icrv(r) == 0) row = r;
    if (row == 0) return false;
    input_error({"PILE ROW " + std::to_string(row) + " HAS NO " + kind + " CURVE:",
                 NLAYPY <= 0 ? std::string("NO USER CURVE IS GIVEN AND NO SOIL LAYER IS DEFINED TO GENERATE ONE")
                             : std::string("NEITHER A USER CURVE NOR A GENERATED CURVE IS GIVEN FOR THE ROW")},
                ISTAT);
    return true;
}

// Generated curve j from the two branches of its generator: n1 points of the
// uplift branch (1) negated in reverse order, the origin, then the n2 points
// of the compression branch (2) in order, 2n + 1 points when n1 = n2 = n.
template <class N, class T>
void store_odd_curve(int j, int n1, const AXPTS& f1, const AXPTS& s1, int n2, const AXPTS& f2, const AXPTS& s2, N& npt,
                     T& first, T& second) {
    for (int i = 1; i <= n1; ++i) {
        first(j, i) = -f1(n1 + 1 - i);
        second(j, i) = -s1(n1 + 1 - i);
    }
    first(j, n1 + 1) = 0.0;
    second(j, n1 + 1) = 0.0;
    for (int i = 1; i <= n2; ++i) {
        first(j, n1 + 1 + i) = f2(i);
        second(j, n1 + 1 + i) = s2(i);
    }
    npt(j) = n1 + n2 + 1;
}

// The point count a generator returned, kept within its work lists.
int points(int n) { return std::clamp(n, 0, AXPTS::size()); }

}  // namespace

// ---------------------------------------------------------------------------
// A soil layer of user p-y curves (soil code 5) takes its curves from the user
// p-y set that each pile row names: a row whose pile reaches into such a layer
// without a set that has curves with points would get no lateral resistance
// there. The run stops with an input error naming the row and the layer.

void USERLAYCHK(int& ISTAT) {
    for (int L = 1; L <= NLAYPY; ++L) {
        if (ISOIL(L) != 5) continue;
        for (int r = 1; r <= NPILES; ++r) {
            const int p = IPROP(r);
            const double head = XTOP(r);
            const double tip = head + PLENP(p) * (KBATAD == 1 ? std::cos(BATANG(r)) : 1.0);
            if (!(LAYTOP(L) < tip && LAYBOT(L) > head)) continue;
            const std::string where = "PILE ROW " + std::to_string(r) + " REACHES SOIL LAYER " + std::to_string(L) +
                                      ", WHICH TAKES USER P-Y CURVES (SOIL CODE 5),";
            const int set = std::abs(IPYSET(r));
            if (set == 0) {
                input_error({where, std::string("BUT THE ROW NAMES NO USER P-Y CURVE SET")}, ISTAT);
                return;
            }
            if (set > MAXUPS || UPYNCV(set) < 1) {
                input_error({where, "BUT ITS USER P-Y CURVE SET " + std::to_string(set) + " HOLDS NO CURVE"}, ISTAT);
                return;
            }
            for (int j = 1; j <= UPYNCV(set); ++j) {
                if (UPYNPT(set, j) >= 1) continue;
                input_error({where, "BUT CURVE " + std::to_string(j) + " OF ITS USER P-Y CURVE SET " +
                                        std::to_string(set) + " HAS NO POINT"},
                            ISTAT);
                return;
            }
        }
    }
}

namespace {

// A depth in the input's units, as the messages show it.
std::string depth_text(double x) {
    std::string s;
    fmt::edit_F(s, UCD12(x), 12, 3);
    const std::string_view unit = UBLEN.view();
    return s.substr(s.find_first_not_of(' ')) + " " + std::string(unit.substr(unit.find_first_not_of(' ')));
}

}  // namespace

// A pile whose tip lies below the deepest soil layer has no soil to stand on
// there: the run stops before any curve is built along it, naming the row,
// its tip and the bottom of the profile.
void PROFILECHK(int& ISTAT) {
    if (NLAYPY < 1) return;
    const double bottom = LAYBOT(NLAYPY);
    for (int r = 1; r <= NPILES; ++r) {
        // The rows whose nodes take their soil from the layers, and those
        // whose axial or torque curves are generated from them.
        bool needs = !(KUPY == 1 && IPYSET(r) > 0);
        for (int j = 1; j <= NLSGEN && !needs; ++j) needs = LSGROW(j) == r;
        for (int j = 1; j <= (NANTYP == 3 ? NTRGEN : 0) && !needs; ++j) needs = TRGROW(j) == r;
        if (!needs) continue;
        // The tip as the node mesh reaches it: the depth increment added
        // once per increment from the head.
        const int p = IPROP(r);
        const double h = PLENP(p) / NINCR(p);
        const double hv = KBATAD == 1 ? h * std::cos(BATANG(r)) : h;
        double tip = NANTYP == 2 ? XTOP(r) : CORX(r);
        for (int k = 1; k <= NINCR(p); ++k) tip += hv;
        if (!below_profile(tip, bottom)) continue;
        input_error({"PILE ROW " + std::to_string(r) + " REACHES BELOW THE SOIL PROFILE: ITS TIP LIES AT A DEPTH OF " +
                         depth_text(tip) + ",",
                     "AND THE DEEPEST SOIL LAYER (LAYER " + std::to_string(NLAYPY) + ") ENDS AT " + depth_text(bottom) +
                         "; EXTEND THE SOIL LAYERS DOWN TO THE PILE TIPS"},
                    ISTAT, NANTYP == 2 ? ISPLEN2D : ISPLEN);
        return;
    }
}

// ---------------------------------------------------------------------------
// Table G: the user p-y curve sets, copied value for value into the user p-y
// tables; printed only when there is at least one set.

void TABLEG() {
    // 1. Copy every set.
    for (int s = 1; s <= NUPYS; ++s) {
        UPYNCV(s) = UPYIN.NC(s);
        for (int j = 1; j <= UPYNCV(s); ++j) {
            UPYDEP(s, j) = UPYIN.DEP(s, j);
            UPYNPT(s, j) = UPYIN.NPT(s, j);
            for (int k = 1; k <= UPYNPT(s, j); ++k) {
                UPYY(s, j, k) = UPYIN.Y(s, j, k);
                UPYP(s, j, k) = UPYIN.P(s, j, k);
            }
        }
    }

    // 2. Echo: per curve its depth (depth units) and its points, p before y,
    // in internal units.
    if (NUPYS <= 0) return;
    static const fmt::Format title(R"((/,/,/,5X,"* TABLE G *   INPUT P-Y CURVES"))");
    static const fmt::Format nsets(R"((/,7X,"NUM OF SETS :",I3))");
    static const fmt::Format set_head(R"((/,/,7X,"SET",I3,10X,"NUM OF CURVES",I3,/))");
    static const fmt::Format curve_open(R"((/,8X,"CURVE",$))");
    static const fmt::Format distance(R"f(("DISTANCE FROM ORIGIN (X-COORD.)",$))f");
    static const fmt::Format unit("(A3)");
    static const fmt::Format blank_line(R"((" "))");
    static const fmt::Format columns(R"((12X,"POINT",13X,"P",A4,17X,"Y",A3))");
    io::write_fmt(ECHOFILE, title);
    io::write_fmt(ECHOFILE, nsets, {NUPYS});
    for (int s = 1; s <= NUPYS; ++s) {
        io::write_fmt(ECHOFILE, set_head, {s, UPYNCV(s)});
        for (int j = 1; j <= UPYNCV(s); ++j) {
            io::write_fmt(ECHOFILE, curve_open);
            WRINT(ECHOFILE, 8, j);
            WRBLNK(ECHOFILE, 6);
            io::write_fmt(ECHOFILE, distance);
            WRBLNK(ECHOFILE, 3);
            WRREAL(ECHOFILE, 10, 5, UCD12(UPYDEP(s, j)));
            io::write_fmt(ECHOFILE, unit, {UBLEN.view()});
            io::write_fmt(ECHOFILE, blank_line);
            io::write_fmt(ECHOFILE, columns, {UFOR.view(), ULEN.view()});
            for (int k = 1; k <= UPYNPT(s, j); ++k) {
                WRBLNK(ECHOFILE, 10);
                WRINT(ECHOFILE, 5, k);
                WRBLNK(ECHOFILE, 11);
                WRREAL(ECHOFILE, 12, 5, UPYP(s, j, k));
                WRBLNK(ECHOFILE, 9);
                WRREAL(ECHOFILE, 12, 5, UPYY(s, j, k));
                WREOL(ECHOFILE);
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Table H: the axial load-displacement curves. The user curves are copied;
// for the rows without one, the curves of the generated list are built from
// the soil profile (load-settlement generator, uplift and compression) and
// also written to the plot file. A status from the generator, or a stop
// request read before a curve, ends the table at once; the curves built so
// far stay.

void TABLEH(int& ISTAT) {
    static const fmt::Format title(R"((/,/,/,5X,"* TABLE H *   AXIAL LOAD VS DISPLACEMENT "))");
    static const fmt::Format user_title(R"((/,5X,"USER DEFINED"," AXIAL LOAD-DISPLACEMENT CURVES"))");
    static const fmt::Format gen_title(R"((/,5X,"AXIAL LOAD-DISPLACEMENT CURVES"," GENERATED INTERNALLY "))");
    static const fmt::Format columns(R"((7X,"DISPLACEMENT,",A3,7X,"AXIAL LOAD,",A3))");
    static const fmt::Format plot_title(R"((5X,"* AXIAL LOAD-DISPLACEMENT CURVES *"))");

    // 1. Heading.
    io::write_fmt(ECHOFILE, title);

    // 2. User curves: the load is the first input value, the displacement the second.
    if (KUAXL == 1 && NUAXC > 0) {
        for (int j = 1; j <= NUAXC; ++j) {
            LSUNPT(j) = UAXCIN.NPT(j);
            for (int k = 1; k <= LSUNPT(j); ++k) {
                LSULOD(j, k) = UAXCIN.V1(j, k);
                LSUDSP(j, k) = UAXCIN.V2(j, k);
            }
        }
        echo_block(user_title, NUAXC, LSUNPT, columns, {ULEN.view(), UFOR3.view()}, LSUDSP, LSULOD);
    }

    // 3.1 The rows without a user curve take their generated curve, when
    // there is a soil profile to generate it from.
    bool generate = false;
    for (int r = 1; r <= NPILES; ++r) generate = generate || ILSCRV(r) == 0;
    generate = generate && NLAYPY > 0;
    if (generate) {
        for (int r = 1; r <= NPILES; ++r)
            if (ILSCRV(r) == 0) ILSCRV(r) = -ILSGEN(r);
        NLSPT = 19;
    }
    if (refuse_row_without_curve(ILSCRV, "AXIAL LOAD-DISPLACEMENT", ISTAT)) return;
    if (!generate) return;

    // 3.2 Each curve of the list for its pile row and the row's property set;
    // the generator fills the set's load-settlement table around its zero point.
    for (int j = 1; j <= NLSGEN; ++j) {
        if (ECHOSTOP("TABLE H, GENERATED CURVE ", j, NLSGEN, ISTAT)) return;
        const int r = LSGROW(j);
        const int p = IPROP(r);
        for (int m = 1; m <= 4; ++m) LSTAB(p, CENTRE, m) = 0.0;
        AXPTS L1, D1, L2, D2;
        int n1 = 0, n2 = 0;
        for (int q = 1; q <= 2; ++q) {
            int& n = q == 1 ? n1 : n2;
            AXPTS& L = q == 1 ? L1 : L2;
            AXPTS& D = q == 1 ? D1 : D2;
            if (curve_generators.lscrv) curve_generators.lscrv(p, q, j, r, ISTAT, n, L, D);
            else LSCRV(p, q, j, r, ISTAT, n, L, D);
            if (ISTAT != 0) return;
        }
        store_odd_curve(j, points(n1), L1, D1, points(n2), L2, D2, LSGNPT, LSGLOD, LSGDSP);
    }

    // 3.3 Echo, displacement before load; 3.4 plot file, load before displacement.
    echo_block(gen_title, NLSGEN, LSGNPT, columns, {ULEN.view(), UFOR3.view()}, LSGDSP, LSGLOD);
    plot_block(plot_title, NLSGEN, LSGNPT, LSGLOD, LSGDSP);
}

// ---------------------------------------------------------------------------
// Table I (three-dimensional model): the torque-rotation curves, user and
// generated, as Table H; rotations in radians.

void TABLEI(int& ISTAT) {
    static const fmt::Format title(R"((/,/,/,5X,"* TABLE I *   TORS. MOM. VS ANGLE ROT. "))");
    static const fmt::Format user_title(R"((/,5X,"USER DEFINED TORQUE-ROTATION CURVE"))");
    static const fmt::Format gen_title(R"((/,5X,"TORQUE-ROTATION CURVES"," GENERATED INTERNALLY "))");
    static const fmt::Format columns(R"((9X,"ROT. ANGLE,","Rad.",5X,"TORS.MOMEN,",A3,A1,A2))");
    static const fmt::Format plot_title(R"((5X,"* TORQUE-ROTATION CURVES *"))");

    // 1. Heading.
    io::write_fmt(ECHOFILE, title);

    // 2. User curves: the torque is the first input value, the rotation the second.
    if (KUTOR == 1 && NUTRC > 0) {
        for (int j = 1; j <= NUTRC; ++j) {
            TRUNPT(j) = UTRCIN.NPT(j);
            for (int k = 1; k <= TRUNPT(j); ++k) {
                TRUTOR(j, k) = UTRCIN.V1(j, k);
                TRUROT(j, k) = UTRCIN.V2(j, k);
            }
        }
        echo_block(user_title, NUTRC, TRUNPT, columns, {UFOR3.view(), "-", ULEN2.view()}, TRUROT, TRUTOR);
    }

    // 3. Generated curves for the rows without a user curve.
    bool generate = false;
    for (int r = 1; r <= NPILES; ++r) generate = generate || ITRCRV(r) == 0;
    generate = generate && NLAYPY > 0;
    if (generate)
        for (int r = 1; r <= NPILES; ++r)
            if (ITRCRV(r) == 0) ITRCRV(r) = -ITRGEN(r);
    if (refuse_row_without_curve(ITRCRV, "TORQUE-ROTATION", ISTAT)) return;
    if (!generate) return;

    // The side resistance turns the shaft through its radius: a pile without
    // a diameter has no torque-rotation curve to generate (its rotations
    // would be movements divided by a zero radius).
    for (int j = 1; j <= NTRGEN; ++j) {
        const int r = TRGROW(j);
        if (SECDIA(r, IPROP(r), XTOP(r)) > 0.0) continue;
        input_error({"PILE ROW " + std::to_string(r) + ": THE SECTIONS OF PROPERTY SET " + std::to_string(IPROP(r)) +
                         " GIVE NO DIAMETER,",
                     std::string("SO NO TORQUE-ROTATION CURVE CAN BE GENERATED FROM THE SOIL")},
                    ISTAT);
        return;
    }

    for (int j = 1; j <= NTRGEN; ++j) {
        if (ECHOSTOP("TABLE I, GENERATED CURVE ", j, NTRGEN, ISTAT)) return;
        const int r = TRGROW(j);
        const int p = IPROP(r);
        AXPTS T1, R1, T2, R2;
        int n1 = 0, n2 = 0;
        for (int q = 1; q <= 2; ++q) {
            int& n = q == 1 ? n1 : n2;
            AXPTS& T = q == 1 ? T1 : T2;
            AXPTS& R = q == 1 ? R1 : R2;
            io::flush_unit(RUNFILE);
            if (curve_generators.trcrv) curve_generators.trcrv(p, q, j, r, ISTAT, n, T, R);
            else TRCRV(p, q, j, r, ISTAT, n, T, R);
            if (ISTAT != 0) return;
        }
        store_odd_curve(j, points(n1), T1, R1, points(n2), T2, R2, TRGNPT, TRGTOR, TRGROT);
    }

    echo_block(gen_title, NTRGEN, TRGNPT, columns, {UFOR3.view(), "-", ULEN2.view()}, TRGROT, TRGTOR);
    plot_block(plot_title, NTRGEN, TRGNPT, TRGTOR, TRGROT);
}

}  // namespace zolan
