// Table D of the input echo: the pile rows. While the table prints, the raw
// pile table of the model in use becomes the per-pile arrays of the analysis,
// the embedded cap gets its pseudo-pile in row NPILES + 1, and the pile angles
// go from degrees to radians.
#include <algorithm>
#include <cmath>

#include "control/input_echo.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "report/unit_labels.h"

namespace zolan {
namespace {

constexpr double PI_FULL = 3.141592653589793;
constexpr double HALF_PI = 1.5707963267948966;

// Degrees to radians, the product taken before the quotient.
double radians(double deg) { return deg * PI_FULL / 180.0; }

// Name of a head connection code. The reader admits codes 1 to 3 only.
const char* connection_text(int code) {
    switch (code) {
        case KPIN: return "PIN";
        case KFIX: return "FIX";
        case KRES: return "RES";
        default: return "???";
    }
}

// A curve of a row: the user curve marked "U" when one is named, else the
// generated curve marked "G".
struct MarkedCurve {
    int number;
    const char* marker;
};
MarkedCurve marked(int user, int generated) { return user != 0 ? MarkedCurve{user, "U"} : MarkedCurve{generated, "G"}; }

constexpr const char* kRowProgress = "TABLE D, PILE ROW ";

static const fmt::Format kTitle(R"((/,/,/,5X,"* TABLE D *   ARRANGEMENT OF PILE GROUPS"))");

// The cap's underside at the highest pile head; the pseudo-pile starts one
// cap thickness above it and reaches down to the first soil layer's top.
void cap_pseudo_pile(double xmin, bool three) {
    CPPTOP = xmin - CAPTHK;
    CPPTHK = CAPTHK;
    const int c = NPILES + 1;
    CORX(c) = CPPTOP;
    XTOP(c) = CPPTOP;
    CORY(c) = 0.0;
    ALPHA(c) = 0.0;
    GROUND(c) = LAYIN.TOP(1) - CPPTOP;
    PMULT(c) = 1.0;
    if (three) {
        CORZ(c) = 0.0;
        BETA(c) = HALF_PI;
        THETA(c) = 0.0;
        ANG0(c) = 0.0;
    }
    PI = PI_FULL;
}

// Three-dimensional model: one pile per row. A stop request ends the table
// at the row it is read before.
void table_d_3d(int& ISTAT) {
    static const fmt::Format head(
        R"((/,3X,"  GROUP  CONNECTY   CONNECTZ   PILE PROP "," P-Y CURVE  L-S CURVE  T-R CURVE  R-F-L SET "))");
    static const fmt::Format head_ax(
        R"((/,3X,"  GROUP  CONNECTY   CONNECTZ   PILE PROP "," P-Y CURVE  L-S CURVE  T-R CURVE  R-F-L SET "," FACT.AX.LD"))");
    static const fmt::Format row("(3X,I5,3X,4X,A3,4X,4X,A3,4X,1X,I5,5X,1X,I5,6X,I5,1X,A1,4X,I5,1X,A1,3X,1X,I5)");
    static const fmt::Format row_ax(
        "(3X,I5,3X,4X,A3,4X,4X,A3,4X,1X,I5,5X,1X,I5,6X,I5,1X,A1,4X,I5,1X,A1,3X,1X,I5,5X,1X,F10.4)");
    static const fmt::Format geo_head(
        R"((/,5X,"GROUP",1X,2X,"CorX,",A2,4X,"CorY,",A2,4X,"CorZ,",A2,1X," ALPHA,",A3,1X,"  BETA,",A3,1X,)"
        R"(" THETA,",A3,2X,"GROUND,",A2,1X,"SPz,",A3,A1,A2,1X,"SPy,",A3,A1,A2))");

    // 1-2. Headings.
    io::write_fmt(ECHOFILE, kTitle);
    io::write_fmt(ECHOFILE, KAXFAC != 0 ? head_ax : head);

    // 3. Rows into the per-pile arrays.
    NPILES = NPILE3;
    double xmin = NPILES > 0 ? PGRB3(1, 1) : 0.0;
    for (int r = 1; r <= NPILES; ++r) {
        KCONN(r) = PGRI3(r, 1);
        KCONNZ(r) = PGRI3(r, 2);
        IPROP(r) = PGRI3(r, 3);
        IPYSET(r) = PGRI3(r, 4);
        ILSCRV(r) = PGRI3(r, 5);
        ITRCRV(r) = PGRI3(r, 6);
        IRFSET(r) = PGRI3(r, 7);
        ILSGEN(r) = PGRI3(r, 9);
        ITRGEN(r) = PGRI3(r, 10);
        SPRZ(r) = PGRA3(r, 1);
        SPRY(r) = PGRA3(r, 2);
        PFGRP(r) = PFGRP1(r) = PGRA3(r, 3);
        YFGRP(r) = YFGRP1(r) = PGRA3(r, 4);
        PFGRP2(r) = PGRA3(r, 5);
        YFGRP2(r) = PGRA3(r, 6);
        AXFAC(r) = PGRA3(r, 7);
        CORX(r) = PGRB3(r, 1);
        CORY(r) = PGRB3(r, 2);
        CORZ(r) = PGRB3(r, 3);
        ALPHA(r) = PGRB3(r, 4);
        BETA(r) = PGRB3(r, 5);
        THETA(r) = PGRB3(r, 6);
        GROUND(r) = PGRB3(r, 7);
        PMULT(r) = 1.0;
        XTOP(r) = CORX(r);
        if (CORX(r) < xmin) xmin = CORX(r);
    }

    // 4. The cap's pseudo-pile.
    cap_pseudo_pile(xmin, true);

    // 5. Connections, property sets and curves.
    for (int r = 1; r <= NPILES; ++r) {
        if (ECHOSTOP(kRowProgress, r, NPILES, ISTAT)) return;
        const MarkedCurve ls = marked(ILSCRV(r), ILSGEN(r));
        const MarkedCurve tr = marked(ITRCRV(r), ITRGEN(r));
        if (KAXFAC != 0)
            io::write_fmt(ECHOFILE, row_ax,
                          {r, connection_text(KCONN(r)), connection_text(KCONNZ(r)), IPROP(r), IPYSET(r), ls.number,
                           ls.marker, tr.number, tr.marker, IRFSET(r), AXFAC(r)});
        else
            io::write_fmt(ECHOFILE, row,
                          {r, connection_text(KCONN(r)), connection_text(KCONNZ(r)), IPROP(r), IPYSET(r), ls.number,
                           ls.marker, tr.number, tr.marker, IRFSET(r)});
    }

    // 6. Head coordinates, angles as input, ground line and head springs.
    io::write_fmt(ECHOFILE, geo_head,
                  {UBLEN2.view(), UBLEN2.view(), UBLEN2.view(), UDEG.view(), UDEG.view(), UDEG.view(), UBLEN2.view(),
                   UFOR3.view(), UDASH.view(), ULEN2.view(), UFOR3.view(), UDASH.view(), ULEN2.view()});
    for (int r = 1; r <= NPILES; ++r) {
        WRBLNK(ECHOFILE, 4);
        WRINT(ECHOFILE, 4, r);
        WRBLNK(ECHOFILE, 1);
        for (double v : {UCD12(CORX(r)), UCD12(CORY(r)), UCD12(CORZ(r)), ALPHA(r), BETA(r), THETA(r),
                         UCD12(GROUND(r)), SPRZ(r), SPRY(r)}) {
            WRBLNK(ECHOFILE, 1);
            WRREAL(ECHOFILE, 10, 3, v);
        }
        WREOL(ECHOFILE);
    }

    // 7. Angles to radians; the batter angle is measured from the vertical.
    for (int r = 1; r <= NPILES; ++r) {
        ALPHA(r) = radians(ALPHA(r));
        BETA(r) = radians(BETA(r));
        THETA(r) = radians(THETA(r));
        BATANG(r) = HALF_PI - BETA(r);
        ANG0(r) = 0.0;
    }
    PI = PI_FULL;
}

// Plane model: a row stands for PMULT equal piles side by side. A stop
// request ends the table at the row it is read before.
void table_d_plane(int& ISTAT) {
    static const fmt::Format head(
        R"((/,7X,"GROUP   CONNECT   NO OF PILE   PILE PROP ","   P-Y CURVE    L-S CURVE    R-F-L SET"))");
    static const fmt::Format head_ax(
        R"((/,7X,"GROUP   CONNECT   NO OF PILE   PILE PROP ","   P-Y CURVE    L-S CURVE    R-F-L SET   ","FACT. AXIAL LOAD"))");
    static const fmt::Format row("(5X,I5,7X,A3,5X,I5,8X,I5,7X,I5,7X,I5,1X,A1,7X,I5)");
    static const fmt::Format row_ax("(5X,I5,7X,A3,5X,I5,8X,I5,7X,I5,7X,I5,1X,A1,7X,I5,6X,F10.4)");
    static const fmt::Format geo_head(
        R"((/,7X,"GROUP",5X,"VERT,",A2,7X,"HOR,",A2,4X,"SLOPE,",A2,A1,A2,3X,"GROUND,",A2,2X,"SPRING,",A3,A1,A2,2X,)"
        R"("SPACING,",A2))");

    // 1. Headings.
    io::write_fmt(ECHOFILE, kTitle);
    io::write_fmt(ECHOFILE, KAXFAC != 0 ? head_ax : head);

    // 2. Rows into the per-pile arrays.
    NPILES = NPILE2;
    double xmin = NPILES > 0 ? PGRB2(1, 1) : 0.0;
    for (int r = 1; r <= NPILES; ++r) {
        KCONN(r) = PGRI2(r, 1);
        PMULT(r) = static_cast<double>(PGRI2(r, 2));
        IPROP(r) = PGRI2(r, 3);
        IPYSET(r) = PGRI2(r, 4);
        ILSCRV(r) = PGRI2(r, 5);
        IRFSET(r) = PGRI2(r, 6);
        ILSGEN(r) = PGRI2(r, 7);
        SPRZ(r) = PGRA2(r, 1);
        GRPSPC(r) = PGRA2(r, 2);
        PFGRP(r) = PGRA2(r, 3);
        YFGRP(r) = PGRA2(r, 4);
        AXFAC(r) = PGRA2(r, 5);
        CORX(r) = PGRB2(r, 1);
        CORY(r) = PGRB2(r, 2);
        ALPHA(r) = PGRB2(r, 3);
        GROUND(r) = PGRB2(r, 4);
        if (CORX(r) < xmin) xmin = CORX(r);
    }

    // 3. The cap's pseudo-pile.
    cap_pseudo_pile(xmin, false);

    // 4. Connections, pile counts, property sets and curves.
    for (int r = 1; r <= NPILES; ++r) {
        if (ECHOSTOP(kRowProgress, r, NPILES, ISTAT)) return;
        const MarkedCurve ls = marked(ILSCRV(r), ILSGEN(r));
        const int count = static_cast<int>(PMULT(r));
        if (KAXFAC != 0)
            io::write_fmt(ECHOFILE, row_ax,
                          {r, connection_text(KCONN(r)), count, IPROP(r), IPYSET(r), ls.number, ls.marker, IRFSET(r),
                           AXFAC(r)});
        else
            io::write_fmt(ECHOFILE, row,
                          {r, connection_text(KCONN(r)), count, IPROP(r), IPYSET(r), ls.number, ls.marker, IRFSET(r)});
    }

    // 5. Head position; the batter angle of a plane row is its slope.
    for (int r = 1; r <= NPILES; ++r) {
        XTOP(r) = CORX(r);
        YTOP(r) = CORY(r);
        BATANG(r) = ALPHA(r);
    }

    // 6. Head position, slope (as a ratio), ground line, head spring, spacing;
    // the slope goes to radians as its row prints.
    io::write_fmt(ECHOFILE, geo_head,
                  {UBLEN2.view(), UBLEN2.view(), ULEN2.view(), USLASH.view(), ULEN2.view(), UBLEN2.view(),
                   UFOR3.view(), UDASH.view(), ULEN2.view(), UBLEN2.view()});
    for (int r = 1; r <= NPILES; ++r) {
        PI = PI_FULL;
        ALPHA(r) = radians(ALPHA(r));
        BATANG(r) = ALPHA(r);
        WRBLNK(ECHOFILE, 5);
        WRINT(ECHOFILE, 5, r);
        WRBLNK(ECHOFILE, 3);
        for (double v : {UCD12(XTOP(r)), UCD12(YTOP(r)), std::tan(ALPHA(r)), UCD12(GROUND(r)), SPRZ(r),
                         UCD12(GRPSPC(r))})
            WRREAL(ECHOFILE, 13, 5, v);
        WREOL(ECHOFILE);
    }
}

// A pile head outside the plan of the cap, when the cap has one: the cap is
// centred on the origin, its length along Y and its width along Z (the
// plane model has Y only). A warning on the echo; the run goes on.
void cap_plan_warnings() {
    if (!(CAPLEN > 0.0 && (CAPWPL > 0.0 || NANTYP == 2)) || FCOPT > 0) return;
    static const fmt::Format warn3(
        R"((/,29X,"**** WARNING ****",/,5X,"THE HEAD OF PILE ROW",I5," LIES OUTSIDE THE PLAN OF THE PILE CAP:",/,)"
        R"(5X,"Y =",F12.3," ",A2,", Z =",F12.3," ",A2,"; THE CAP SPANS Y =",F12.3," TO",F12.3,)"
        R"(" AND Z =",F12.3," TO",F12.3," ",A2))");
    static const fmt::Format warn2(
        R"((/,29X,"**** WARNING ****",/,5X,"THE HEAD OF PILE ROW",I5," LIES OUTSIDE THE PLAN OF THE PILE CAP:",/,)"
        R"(5X,"Y =",F12.3," ",A2,"; THE CAP SPANS Y =",F12.3," TO",F12.3," ",A2))");
    const double a = CAPLEN / 2, b = CAPWPL / 2;
    const double tol = 1e-9 * std::max(CAPLEN, CAPWPL);
    const std::string_view u = UBLEN2.view();
    for (int r = 1; r <= NPILES; ++r) {
        const bool out_y = std::fabs(CORY(r)) > a + tol;
        if (NANTYP == 2) {
            if (out_y) io::write_fmt(ECHOFILE, warn2, {r, UCD12(CORY(r)), u, UCD12(-a), UCD12(a), u});
        } else if (out_y || std::fabs(CORZ(r)) > b + tol) {
            io::write_fmt(ECHOFILE, warn3,
                          {r, UCD12(CORY(r)), u, UCD12(CORZ(r)), u, UCD12(-a), UCD12(a), UCD12(-b), UCD12(b), u});
        }
    }
}

}  // namespace

void TABLED(int& ISTAT) {
    // Nothing here fails (the reader has checked every row); only a stop
    // request sets ISTAT.
    if (NANTYP == 2) table_d_plane(ISTAT);
    else table_d_3d(ISTAT);
    if (ISTAT == 0) cap_plan_warnings();
}

}  // namespace zolan
