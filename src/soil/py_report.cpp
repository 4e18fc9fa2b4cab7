// Report of the generated p-y curves: classifies every print request by its
// depth against the pile, the pile cap and the soil profile, writes why a
// request gives no curve, and otherwise lays the requested depth into the
// scratch row of the node tables and lets the p-y generator of the soil layer
// there tabulate the curve in curve mode.
#include "soil/py_report.h"

#include <cmath>

#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/single_precision.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "soil/py_curves.h"

namespace zolan {

std::function<void(int& ISTAT)> pyreport_double;

namespace {

// Classes of a request.
enum : int {
    PYC_CURVE = 0,   // generate
    PYC_CAP = 1,     // generate, at pile-cap level
    PYC_CAP2 = 2,    // a further request at pile-cap level
    PYC_GROUND = 3,  // at or above the ground line
    PYC_TIP = 4,     // below the tip
    PYC_ABCAP = 5,   // above the top of the cap
    PYC_HEAD = 6,    // above the pile head
    PYC_NOPILE = 7,  // names no pile row of the model
};

// Depth below the ground line up to which a request counts as at the ground
// line: 1e-6 in single precision.
constexpr double ZGS_REQ = f32(1.0e-6f);

const fmt::Format F_HEAD_ECHO(R"((/,/,5X,"* GENERATED P-Y CURVES *",/,/,5X,"NUMBER OF CURVES  :",I5))");
const fmt::Format F_HEAD_PLOT(R"((5X,"* GENERATED P-Y CURVES *",/,5X,I5))");
const fmt::Format F_REQ_PLOT("(I5,I5,I5)");

// A further request at pile-cap level.
const fmt::Format F_CAP2(
    R"((/,/,9X,"CURVE NUMBER              =",I5,/,/,9X,"AT PILE CAP LEVEL, DEPTH  =",F10.2,1X,A2,/,/,)"
    R"(9X,"CURVE NOT GENERATED SINCE ONLY ONE CURVE ",/,9X,"AT PILE CAP LEVEL CAN BE PRINTED "))");
// The reasons against the pile or the profile: curve number, pile row, the
// requested depth, then the reason line (r, P, d, [value]).
#define ZOLAN_PYR_REASON(blanks, last)                                                                    \
    R"((/,/,9X,"CURVE NUMBER              =",I5,/,/,9X,"PILE GROUP NUMBER         =",I5,/,/,)"             \
    R"(9X,"CURVE NOT GENERATED SINCE REQUIRED DEPTH,)" blanks R"(",F10.2,1X,A2,",",/,9X,)" last ")"
const fmt::Format F_NOPILE(ZOLAN_PYR_REASON("  ", R"("IS NOT ON AN EXISTING PILE")"));
const fmt::Format F_GROUND(
    ZOLAN_PYR_REASON("  ", R"("IS ABOVE OR EQUAL TO THE SOIL GROUND ","FOR REQUIRED PILE, ",F10.2,1X,A2)"));
const fmt::Format F_TIP(ZOLAN_PYR_REASON("  ", R"("IS BELOW TIP OF REQUIRED PILE, ",F10.2,1X,A2)"));
const fmt::Format F_ABCAP(ZOLAN_PYR_REASON("  ", R"("IS ABOVE TOP OF PILE CAP, ",F10.2,1X,A2)"));
const fmt::Format F_ABHEAD(ZOLAN_PYR_REASON("  ", R"("IS ABOVE TOP OF REQUIRED PILE, ",F10.2,1X,A2)"));
const fmt::Format F_SOILTOP(ZOLAN_PYR_REASON("  ", R"("IS ABOVE OR EQUAL TO THE DEFINED SOIL TOP, ",F10.2,1X,A2)"));
const fmt::Format F_SOILBOT(
    ZOLAN_PYR_REASON("     ", R"("IS BELOW OR EQUAL TO THE DEFINED SOIL BOTTOM, ",F10.2,1X,A2)"));
const fmt::Format F_USER(ZOLAN_PYR_REASON("     ", R"("IS WITHIN LAYER ",I3,", WHICH IS SET AS USER DEFINED P-Y CURVES")"));
#undef ZOLAN_PYR_REASON
// The headings of a tabulated curve.
const fmt::Format F_CAP1(
    R"((/,/,9X,"CURVE NUMBER              =",I5,/,/,9X,"AT PILE CAP LEVEL, DEPTH  =",F10.2,1X,A2,/,/,)"
    R"(9X,"NUMBER OF POINTS ON CURVE =",I5))");
const fmt::Format F_CURVE(
    R"((/,/,9X,"CURVE NUMBER              =",I5,/,/,9X,"PILE GROUP NUMBER         =",I5,/,/,)"
    R"(9X,"DEPTH BELOW ORIGIN        =",F10.2,1X,A2,/,/,9X,"NUMBER OF POINTS ON CURVE =",I5))");

// Lays the depth d of a request on pile row P into the scratch row of the
// node tables: the node at d and the next one a vertical increment below it,
// the node's position along the axis, and a one-node layer table with the
// node in the first layer whose bottom lies below d.
void lay_scratch(int P, double d) {
    const int s = IPROP(P);
    // 1. Vertical increment of the pile (the mesh's rule, from the set's length
    // when the mesh has not been laid).
    double h = HINCR(s);
    if (h == 0.0 && NINCR(s) > 0) h = PLENP(s) / NINCR(s);
    const double c = std::cos(BATANG(P));
    const bool batter = KBATAD == 1 && c > 0.0;
    NDEPTH(PYSCRATCH, 1) = d;
    NDEPTH(PYSCRATCH, 2) = d + (batter ? h * c : h);
    // 2. Position along the axis: the depth below the head stretched back
    // along a battered pile.
    NDAXIS(PYSCRATCH, 1) = batter ? XTOP(P) + (d - XTOP(P)) / c : d;
    // 3. The layer table (no layer when no layer's bottom lies below d).
    int L = 1;
    while (L <= NLAYPY && !(LAYBOT(L) > d)) ++L;
    for (int l = 1; l <= MAXSLY; ++l) LAYNF(l, PYSCRATCH) = l == L && L <= NLAYPY ? 1 : 0;
    for (int l = L; l <= NLAYPY; ++l) LAYNL(l, PYSCRATCH) = 1;
}

// A layer of user curves (soil code 5) at d, else 0: the first layer holding
// d (top and bottom included), or the layer whose model tabulates the curve
// (the first whose bottom lies below d). At a boundary the two differ; user
// curves tabulate nothing, so a lower user-curve layer is reported as well,
// rather than a curve announced and never printed.
int user_layer(double d) {
    for (int l = 1; l <= NLAYPY; ++l) {
        if (LAYTOP(l) <= d && d <= LAYBOT(l)) {
            if (ISOIL(l) == 5) return l;
            break;
        }
    }
    for (int l = 1; l <= NLAYPY; ++l) {
        if (LAYBOT(l) > d) return ISOIL(l) == 5 ? l : 0;
    }
    return 0;
}

}  // namespace

void PYREPORT(int& ISTAT) {
    if (pyreport_double) {
        pyreport_double(ISTAT);
        return;
    }
    // 1. Curve mode.
    NLAYPY = NLAYER;
    PyControls ctl;
    ctl.pymode = PYMODE;
    ctl.pyreq = 1;
    const int n = PYREQN < 0 ? 0 : PYREQN > MAXPYR ? MAXPYR : PYREQN;

    // 2. Classification, a later rule overwriting an earlier one.
    Table1<int, MAXPYR> PYRCLS;
    for (int r = 1; r <= n; ++r) {
        const int P = PYRQIN.ROW(r);
        const double d = PYRQIN.DEP(r);
        if (P < 1 || P > NPILES) {
            PYRCLS(r) = PYC_NOPILE;
            continue;
        }
        PYRCLS(r) = PYC_CURVE;
        if (d - GROUND(P) - XTOP(P) <= ZGS_REQ) PYRCLS(r) = PYC_GROUND;
        if (d > XTOP(P) + PLENP(IPROP(P))) PYRCLS(r) = PYC_TIP;
        if (KCAPOP > 0) {
            if (d <= XTOP(P) - CAPTHK) PYRCLS(r) = PYC_ABCAP;
        } else {
            if (d <= XTOP(P)) PYRCLS(r) = PYC_HEAD;
        }
    }
    if (KCAPOP > 0) {
        bool first = true;
        for (int r = 1; r <= n; ++r) {
            if (PYRCLS(r) != PYC_CURVE) continue;
            const int P = PYRQIN.ROW(r);
            const double d = PYRQIN.DEP(r);
            if (XTOP(P) - CAPTHK <= d && d <= XTOP(P)) {
                PYRCLS(r) = first ? PYC_CAP : PYC_CAP2;
                first = false;
            }
        }
    }

    // 3. Headings.
    io::write_fmt(ECHOFILE, F_HEAD_ECHO, {n});
    io::write_fmt(PLOTFILE, F_HEAD_PLOT, {n});

    // 4. The requests.
    const auto L = UBLEN2.view();
    for (int r = 1; r <= n; ++r) {
        const int P = PYRQIN.ROW(r);
        const double d = PYRQIN.DEP(r);
        const double du = UCD12(d);
        const int cls = PYRCLS(r);
        // 4.1. Deflections of the curve.
        PYRCUR = r;
        PYNPT = PYRQIN.NY(r);
        const int N = PYNPT > 0 ? PYNPT : 17;
        if (cls == PYC_NOPILE) {
            io::write_fmt(ECHOFILE, F_NOPILE, {r, P, du, L});
            io::write_fmt(PLOTFILE, F_REQ_PLOT, {r, P, 0});
            continue;
        }
        const int s = IPROP(P);
        // 4.2-4.3. The scratch node and its layer table.
        lay_scratch(P, d);
        // 4.4. A user-curve layer at d.
        const int lu = user_layer(d);
        // 4.5. The reason, or the heading of the curve.
        bool curve = false;
        if (cls == PYC_CAP2) {
            io::write_fmt(ECHOFILE, F_CAP2, {r, du, L});
        } else if (cls == PYC_GROUND) {
            io::write_fmt(ECHOFILE, F_GROUND, {r, P, du, L, UCD12(XTOP(P) + GROUND(P)), L});
        } else if (cls == PYC_TIP) {
            io::write_fmt(ECHOFILE, F_TIP, {r, P, du, L, UCD12(XTOP(P) + PLENP(s)), L});
        } else if (cls == PYC_ABCAP) {
            io::write_fmt(ECHOFILE, F_ABCAP, {r, P, du, L, UCD12(XTOP(P) - CAPTHK), L});
        } else if (cls == PYC_HEAD) {
            io::write_fmt(ECHOFILE, F_ABHEAD, {r, P, du, L, UCD12(XTOP(P)), L});
        } else if (NLAYPY < 1 || d <= LAYTOP(1)) {
            io::write_fmt(ECHOFILE, F_SOILTOP, {r, P, du, L, UCD12(LAYTOP(1)), L});
        } else if (d >= LAYBOT(NLAYPY)) {
            io::write_fmt(ECHOFILE, F_SOILBOT, {r, P, du, L, UCD12(LAYBOT(NLAYPY)), L});
        } else if (lu > 0) {
            io::write_fmt(ECHOFILE, F_USER, {r, P, du, L, lu});
        } else if (cls == PYC_CAP) {
            io::write_fmt(ECHOFILE, F_CAP1, {r, du, L, N});
            curve = true;
        } else {
            io::write_fmt(ECHOFILE, F_CURVE, {r, P, du, L, N});
            curve = true;
        }
        // 4.6. The request on the plot file.
        io::write_fmt(PLOTFILE, F_REQ_PLOT, {r, P, curve ? N : 0});
        // 4.7. The curve, from the node arrays of a pile at rest.
        if (curve) {
            PyWork w(s, P, P);
            PYCURV(ctl, w, ISTAT);
        }
    }
}

}  // namespace zolan
