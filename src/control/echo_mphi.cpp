// Input echo, Tables J, J1 and J2: the moment-curvature tables of the lateral
// solution (user sets, then the curves of the nonlinear cross sections, with
// the copy of their listing), the p- and y-factors along depth and the soil
// movement profile. Only Table J fills tables; J1 and J2 print the input.
#include <string>

#include "control/input_echo.h"
#include "model/input_tables.h"
#include "model/mphi_tables.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "report/unit_labels.h"

namespace zolan {
namespace {

constexpr int U = ECHOFILE;

bool three_d() { return NANTYP != 2; }

// One table from a set of levels read from the input.
template <class Src>
void fill_table(int t, const Src& src, int k) {
    MPNLEV(t) = src.NC(k);
    for (int l = 1; l <= MPNLEV(t); ++l) {
        MPAXL(t, l) = src.AXL(k, l);
        MPNPT(t, l) = src.NPT(k, l);
        for (int p = 1; p <= MPNPT(t, l); ++p) {
            MPMOM(t, l, p) = src.MOM(k, l, p);
            MPCUR(t, l, p) = src.CUR(k, l, p);
        }
    }
}

// The levels of one bending axis of a cross section read as a table source
// (its level count is NL; the level's second real is not used).
struct AxisLevels {
    const SectionCurveInput& in;
    int NC(int k) const { return in.NL(k); }
    double AXL(int k, int l) const { return in.AXL(k, l); }
    int NPT(int k, int l) const { return in.NPT(k, l); }
    double MOM(int k, int l, int p) const { return in.MOM(k, l, p); }
    double CUR(int k, int l, int p) const { return in.CUR(k, l, p); }
};

// The curves of table t as stored, values in internal units.
void print_curves(int t) {
    static const fmt::Format curve_head(R"((/,8X,"CURVE",I3,6X,"        AXIAL LOAD ",3X,E10.3,A4,/))");
    static const fmt::Format cols(
        R"((12X,"POINT",14X,"MOMENT",13X,"CURVATURE",/,12X,"     ",13X,A4,"-",A2,13X,"RADIAN/",A2))");
    for (int l = 1; l <= MPNLEV(t); ++l) {
        io::write_fmt(U, curve_head, {l, MPAXL(t, l), UFOR.view()});
        io::write_fmt(U, cols, {UFOR.view(), ULEN2.view(), ULEN2.view()});
        for (int p = 1; p <= MPNPT(t, l); ++p) {
            WRBLNK(U, 10);
            WRINT(U, 5, p);
            WRBLNK(U, 11);
            WRREAL(U, 12, 5, MPMOM(t, l, p));
            WRBLNK(U, 9);
            WRREAL(U, 12, 5, MPCUR(t, l, p));
            WREOL(U);
        }
    }
}

// Table J: heading, the user sets into tables 1..NMPS and their print (the
// stop request read between the sets).
void table_j_user(int& ISTAT) {
    static const fmt::Format title(R"((/,/,/,5X,"* TABLE J *   MOMENT CURVATURE SETS    "))");
    static const fmt::Format user(R"((/,/,5X,"  USER DEFINED MOMENT CURVATURE"))");
    static const fmt::Format nsets(R"((/,7X,"NUM OF SETS :",I3))");
    static const fmt::Format set_head(R"((/,/,7X,"CURVE SET",I3,10X,"NUM OF CURVES",I3,/))");

    // 1-2. Heading; the user sets become the first tables.
    io::write_fmt(U, title);
    for (int s = 1; s <= NMPS; ++s) fill_table(s, MPUIN, s);
    if (NMPS <= 0) return;

    // 3-4. The sets as stored, values in internal units.
    io::write_fmt(U, user);
    io::write_fmt(U, nsets, {NMPS});
    for (int s = 1; s <= NMPS; ++s) {
        if (ECHOSTOP("TABLE J, MOMENT-CURVATURE SET ", s, NMPS, ISTAT)) return;
        io::write_fmt(U, set_head, {s, MPNLEV(s)});
        print_curves(s);
    }
}

// The generated tables follow the user sets, one per bending axis of every
// nonlinear cross section whose curves are generated (nonlinear flag 1, kind
// not 10), in the order Table E numbers them; then the listing is copied
// (the stop request read between the sections and the listing's lines).
// Without a listing (none named, or empty) the tables themselves are printed,
// each with the cross section and bending axis it stands for, so that the heading
// never stands alone.
void generated_tables(int& ISTAT) {
    static const fmt::Format head(R"((/,/,5X,"  INTERNALLY GENERATED MOMENT CURVATURE",/))");
    static const fmt::Format set_head(
        R"((/,/,7X,"CURVE SET",I3,10X,"NUM OF CURVES",I3,10X,"CROSS SECTION",I3,", BENDING AXIS",I2,/))");

    // 1-2. Tables.
    int t = NMPS;
    for (int k = 1; k <= NSCCRV; ++k) {
        if (ECHOSTOP("TABLE J, GENERATED CURVE ", k, NSCCRV, ISTAT)) return;
        if (XSNLF(k) != 1 || XSNLI(k, 0) == 10) continue;
        fill_table(++t, AxisLevels{MPXIN(1)}, k);
        if (three_d()) fill_table(++t, AxisLevels{MPXIN(2)}, k);
    }
    if (t == NMPS) return;

    // 3. The listing, from where it stands to its end, trailing blanks cut.
    io::write_fmt(U, head);
    std::string line;
    bool copied = false;
    while (io::read_line(MPHIFILE, line)) {
        if (ECHOSTOP("TABLE J, GENERATED CURVE ", NSCCRV, NSCCRV, ISTAT)) return;
        WRTEXT(U, line);
        WREOL(U);
        copied = true;
    }
    if (copied) return;

    // 4. No listing: the tables as the analysis uses them.
    t = NMPS;
    for (int k = 1; k <= NSCCRV; ++k) {
        if (XSNLF(k) != 1 || XSNLI(k, 0) == 10) continue;
        for (int axis = 1; axis <= (three_d() ? 2 : 1); ++axis) {
            ++t;
            io::write_fmt(U, set_head, {t, MPNLEV(t), k, axis});
            print_curves(t);
        }
    }
}

// Table J1: p- and y-factors along depth by set.
void table_j1() {
    static const fmt::Format title(R"((/,/,/,5X,"* TABLE J1 *  REDUCTION FACTORS ALONG DEPTH  "))");
    static const fmt::Format nsets(R"((/,7X,"NUM OF SETS :",I3))");
    static const fmt::Format set_head(R"((/,8X,"  SET",I3,10X,"NUM OF POINTS",I3,/))");
    static const fmt::Format cols(R"((12X,"     DEPTH,",A2,10X,"P-FACTOR   ",10X,"Y-FACTOR   "))");
    io::write_fmt(U, title);
    if (NRFSET <= 0) return;
    io::write_fmt(U, nsets, {NRFSET});
    for (int s = 1; s <= NRFSET; ++s) {
        io::write_fmt(U, set_head, {s, RFLNPT(s)});
        io::write_fmt(U, cols, {UBLEN2.view()});
        for (int k = 1; k <= RFLNPT(s); ++k) {
            WRBLNK(U, 11);
            WRREAL(U, 12, 5, UCD12(RFLDEP(s, k)));
            WRBLNK(U, 9);
            WRREAL(U, 12, 5, RFLPF(s, k));
            WRBLNK(U, 9);
            WRREAL(U, 12, 5, RFLYF(s, k));
            WREOL(U);
        }
    }
}

// Table J2: soil movement against depth (the Z column in the
// three-dimensional model only).
void table_j2() {
    static const fmt::Format title(R"((/,/,/,5X,"* TABLE J2 *  SOIL MOVEMENT DATA       "))");
    static const fmt::Format cols2(
        R"((12X,"POINT",9X,"DEPTH",13X,"MOVE Y-DIR",/,12X,"     ",9X,2X,A2,18X,A2))");
    static const fmt::Format cols3(
        R"((12X,"POINT",9X,"DEPTH",13X,"MOVE Y-DIR",13X,"MOVE Z-DIR",/,12X,"     ",9X,2X,A2,18X,A2,18X,A2))");
    io::write_fmt(U, title);
    if (three_d())
        io::write_fmt(U, cols3, {UBLEN2.view(), ULEN2.view(), ULEN2.view()});
    else
        io::write_fmt(U, cols2, {UBLEN2.view(), ULEN2.view()});
    for (int k = 1; k <= NSMOV; ++k) {
        WRBLNK(U, 10);
        WRINT(U, 5, k);
        WRBLNK(U, 11);
        WRREAL(U, 12, 5, UCD12(SMDEP(k)));
        WRBLNK(U, 9);
        WRREAL(U, 12, 5, SMVCUR(k, 1));
        if (three_d()) {
            WRBLNK(U, 9);
            WRREAL(U, 12, 5, SMVCUR(k, 2));
        }
        WREOL(U);
    }
}

}  // namespace

void TABLEJ(int& ISTAT) {
    if (NMPSET > 0) table_j_user(ISTAT);
    if (ISTAT == 0 && NSECT > 0 && NSCCRV > 0) generated_tables(ISTAT);
    if (ISTAT != 0) return;
    if (KJ1 == 1) table_j1();
    if (KJ2 == 1) table_j2();
}

}  // namespace zolan
