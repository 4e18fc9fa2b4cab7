// Torque-rotation curve of a pile by the t-z method in torsion: the soil's
// unit side resistance, mobilised by the shaft's circumferential movement
// R theta, acts at the shaft radius and twists the pile increment by
// increment from the tip (no tip torque) to the head.
#include "pile/torsion_curves.h"

#include <algorithm>
#include <cmath>

#include "model/section_lookup.h"
#include "soil/soil_lookup.h"
#include "model/status_codes.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/single_precision.h"
#include "model/soil_tables.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "soil/soil_defaults.h"

namespace zolan {
namespace {

constexpr int NTZ = 10;          // points of a generated t-z curve
constexpr int NTIP = 9;          // assumed tip rotations
constexpr int MAXITER = 1000;    // passes of the mid-point iteration of an increment

constexpr double DZEN = f32(0.1f);        // sample offset from a layer boundary (in)
constexpr double DZSI = f32(0.00254f);    // the same in metres
constexpr double FMXMIN = f32(1.0e-10f);  // a maximum side resistance below this is estimated
constexpr double FMXTOP = f32(1.0e-6f);   // maximum side resistance of the sample at the ground line
constexpr double PI4 = f32(3.1416f);      // pi as the method writes it
constexpr double TOLTH = f32(1.0e-4f);    // convergence of the mid-point rotation (radians)
constexpr double AUPL = f32(1.0e-4f);     // tip area of the pull-out branch
constexpr double TOLE50 = f32(1.0e-14f);  // a strain e50 or tip capacity at or below this is zero
constexpr double IN_M = f32(0.0254f);     // metres per inch
constexpr double GJMIN = 1.0e-6;          // a torsional rigidity at or below this is none
constexpr double DIAMIN = f32(1.0e-5f);   // smallest diameter taken as given (as the section lookups)

constexpr double C01 = f32(0.1f);
constexpr double C055 = f32(0.55f);
constexpr double C08 = f32(0.8f);
constexpr double C0087 = f32(0.087f);
constexpr double C347 = f32(3.47f);
constexpr double C0135 = f32(0.135f);
constexpr double C12 = f32(1.2f);
constexpr double ZFTMIN = f32(1.0e-7f);
constexpr double FT_M = f32(0.3048f);

// Assumed tip movements at the shaft radius (in); the tip rotation is z / R.
constexpr float ZTIP[NTIP] = {0.0001f, 0.001f, 0.005f, 0.01f, 0.05f, 0.1f, 0.5f, 1.0f, 2.0f};

const fmt::Format F_TQ_HEAD(R"((/,/,5X,"T-q CURVES, PILE PROPERTY:",I3,/))");
const fmt::Format F_TQ_COLS(R"((10X,"CURVE",3X,"N. POINTS",5X,"DEPTH",11X,"T Value",9X,"q Value"))");
const fmt::Format F_TQ_UNITS(R"F((10X,5X,3X,9X,5X,"(",A3,")",10X,"(",A3,"/",A3,")",9X,"(","RAD",")"))F");
const fmt::Format F_TQ_SAMPLE("(8X,I5,I11,E16.4)");
const fmt::Format F_TQ_POINT("(40X,E17.4,E16.4)");
const fmt::Format F_TR_HEAD(
    R"((/,/,/,8X,"TOP  MOM.     TOP MOVEMENT     TIP MOVEMENT",5X,"TIP  MOM."))");
const fmt::Format F_TR_UNITS(R"((9X,A3,"-",A3,11X,"RAD",14X,"RAD",9X,A3,"-",A3))");
const fmt::Format F_TR_ROW("(E17.4,3E16.4)");
const fmt::Format F_GJ_ZERO(R"((/,/,"       ERROR!!!     GJ(TORSIONAL RIGIDITY) IS ZERO",/,/))");
const fmt::Format F_TIP_E50(
    R"((/,29X,"**** WARNING ****",/,5X,"THE VALUE OF E50 AT TIP OF PILE IS EQUAL TO ZERO, TR CURVE"))");
const fmt::Format F_TIP_COH(
    R"((/,29X,"**** WARNING ****",/,5X,"THE VALUE OF COHESION AT TIP OF PILE IS EQUAL TO ZERO, TR CURVE"))");
const fmt::Format F_NO_GJ(
    R"((8X,"** WARNING ** PILE ROW",I6,": A SECTION WITHOUT TORSIONAL RIGIDITY CARRIES NO TORQUE"))");
const fmt::Format F_NO_CONV(
    R"((8X,"** WARNING ** PILE ROW",I6,": THE TORSION MID-POINT ITERATION DID NOT CONVERGE"))");

bool is_clay(int code) { return code == 1 || code == 2 || code == 3 || code == 10 || code == 11 || code == 13; }
bool is_rock(int code) { return code == 6 || code == 9; }
bool is_sand(int code) { return code == 4 || code == 8; }

// Soil samples of a pile with their t-z curves (column g of T and Z).
struct Samples {
    int np = 0;
    Table1<double, MAXTZS> X;
    Table1<int, MAXTZS> code;
    TZVAL fmax, phi;
    TZTAB T, Z;
};

// Unit side resistance of one curve at movement w: linear between its points,
// its last value beyond them, its first value at or before its start.
double curve_t(const Samples& s, int g, double w) {
    for (int i = 1; i <= NTZ; ++i) {
        const double zi = s.Z(i, g);
        if (zi > w) {
            if (i == 1) return s.T(1, g);
            const double z0 = s.Z(i - 1, g), t0 = s.T(i - 1, g);
            return t0 + (s.T(i, g) - t0) * (w - z0) / (zi - z0);  // z0 < w < zi
        }
        if (zi == w) return s.T(i, g);
    }
    return s.T(NTZ, g);
}

// Unit side resistance at depth zc below the pile head and movement w: none
// above the first sample, linear in depth between the two samples around zc,
// the deepest sample's curve below it.
double side_t(const Samples& s, double zc, double w) {
    if (s.np < 1) return 0.0;
    int g = 1;
    while (g < s.np && s.X(g) < zc) ++g;
    if (s.X(g) > zc) {
        if (g == 1) return 0.0;
        const double ta = curve_t(s, g - 1, w), tb = curve_t(s, g, w);
        return ta + (tb - ta) * (zc - s.X(g - 1)) / (s.X(g) - s.X(g - 1));  // X(g-1) < zc < X(g)
    }
    return curve_t(s, g, w);
}

void both_reports(const fmt::Format& f, std::initializer_list<fmt::Item> items = {}) {
    io::write_fmt(RESFILE, f, items);
    io::write_fmt(RUNFILE, f, items);
}

// Tip checks of a driven pile ending in clay or rock: status 34 when the soil
// at the tip has no e50, 35 when it has no capacity. A lookup's status ends
// the checks. Returns the status (0: the curve may be built).
int tip_status(int p, int branch, int r) {
    int st = 0;
    // 1. Tip depth and soil code.
    const double L = PLENP(p);
    const double xt = XTOP(r) + (KBATAD == 1 ? L * std::cos(BATANG(r)) : L);
    const int nl = std::clamp(NLAYPY, 0, MAXSLY);
    int code = nl >= 1 ? ISOIL(nl) : 0;
    for (int l = 1; l <= nl; ++l) {
        if (LAYBOT(l) > xt) {
            code = ISOIL(l);
            break;
        }
    }
    // 2. e50 and cohesion, with the default e50 of the tip code.
    double e50 = E50CRV(xt);
    const double c = CCRV(xt, st);
    if (st != 0) return st;
    if (e50 <= 0.0) E50DEF(c, e50, code, NUNITS);
    // 3. Tip capacity with the branch's tip area.
    const int ns = std::clamp(NSECP(p), 1, MAXSEC);
    const double A = branch == 1 ? AUPL : SECTAB(p, ns, SEC_BOT + SP_ARE);
    double Q = 0.0;
    if (code == 1 || code == 2 || code == 3 || code == 10 || code == 13) {
        Q = 9.0 * c * A;
    } else {
        PHICRV(xt, st);
        if (st != 0) return st;
        GAMAVG(xt, st);
        if (st != 0) return st;
        if (is_rock(code)) {
            Q = TIPMXCRV(xt, st) * A;
            if (st != 0) return st;
            if (Q < FMXMIN) Q = 9.0 * c * A;
        }
    }
    // 4. The checks.
    const bool cohesive = code == 1 || code == 2 || code == 3 || code == 6 || code == 10 || code == 13;
    if (PTYPED(p) != 1 || !cohesive) return 0;
    if (e50 <= TOLE50) {
        both_reports(F_TIP_E50);
        return ISTRE50;
    }
    if (std::abs(Q) < TOLE50) {
        both_reports(F_TIP_COH);
        return ISTRCOH;
    }
    return 0;
}

}  // namespace

bool side_resistance_estimate(int ptype, int code, double x, double zg, double dft, double fread, double& fmax,
                              int& status) {
    fmax = fread;
    const bool clay = is_clay(code), rock = is_rock(code), sand = is_sand(code), silt = code == 7;
    if (ptype == 1) {
        // Driven pile: the alpha method in clay, the overburden in sand.
        const double gamma = GAMAVG(x, status);
        if (status != 0) return false;
        const double phi = PHICRV(x, status);
        if (status != 0) return false;
        const double c = CCRV(x, status);
        if (status != 0) return false;
        const double z = zg < FMXMIN ? 1.0 : zg;
        // Without overburden stress the ratio is unbounded (or nil without cohesion).
        const double ratio = gamma != 0.0 ? std::max(FMXMIN, c / z / gamma) : (c > 0.0 ? HUGE_VAL : FMXMIN);
        // The adhesion factor never exceeds 1: the shaft never takes more than the cohesion.
        double alpha = std::min(1.0, ratio > 1.0 ? 0.5 / std::pow(ratio, 0.25) : 0.5 / std::sqrt(ratio));
        if (alpha < 0.5 && ((NUNITS == 1 && c < C347) || (NUNITS == 2 && c < 24.0))) alpha = 1.0;
        const double friction = gamma * C08 * z * std::tan(phi - C0087);
        if (clay) fmax = alpha * c;
        if (rock) fmax = C01 * c;
        if (sand) fmax = friction;
        if (silt) fmax = friction + alpha * c;
    } else if (ptype == 2) {
        // Drilled shaft: 0.55 c in clay, beta times the overburden in sand.
        double gamma = 0.0, beta = 0.0;
        if (sand || silt) {
            gamma = GAMAVG(x, status);
            if (status != 0) return false;
            PHICRV(x, status);
            if (status != 0) return false;
            double zft = NUNITS == 1 ? dft / 12.0 : NUNITS == 2 ? dft / FT_M : ZFTMIN;
            zft = std::max(ZFTMIN, zft);
            beta = std::max(0.25, std::min(C12, 1.5 - C0135 * std::sqrt(zft)));
        }
        double c = 0.0;
        if (clay || rock || silt) c = CCRV(x, status);  // a failure stops the caller at its next test
        if (clay) fmax = C055 * c;
        if (rock) fmax = C01 * c;
        // A point above the ground line at the pile has no overburden (no negative friction).
        const double zo = std::max(zg, 0.0);
        if (sand) fmax = gamma * zo * beta;
        if (silt) fmax = C055 * c + gamma * zo * beta;
    }
    return true;
}

void tz_curve_of(int ptype, int code, int g, double D, TZTAB& T, TZTAB& Z, TZVAL& fmax, const TZVAL& phi) {
    const bool cohesive = is_clay(code) || is_rock(code);
    const bool cohesionless = is_sand(code) || code == 7;
    if (ptype == 1) {
        if (cohesionless) TZCRV3(g, T, Z, fmax, phi);
        if (cohesive) TZCRV4(g, T, Z, fmax);
        if (code == 5 || code == 12) TZCRV5(g, D, T, Z, fmax);
    } else if (ptype == 2) {
        if (cohesionless || (code == 5 && phi(g) > 1.0)) TZCRV1(g, D, T, Z, fmax);
        if (cohesive || code == 12 || (code == 5 && phi(g) <= 1.0)) TZCRV2(g, D, T, Z, fmax);
    }
}

void TRCRV(int p, int branch, int m, int r, int& ISTAT, int& n, AXPTS& T, AXPTS& theta) {
    if (p < 1 || p > MAXPSA || r < 1 || r > MAXPIL) return;
    io::flush_unit(RUNFILE);
    const int ptype = PTYPED(p);
    Samples s;

    // 1. Samples: three per layer, just below its top (the ground line for
    // the first layer), at its middle and just above its bottom.
    const double DZ = NUNITS == 2 ? DZSI : DZEN;
    const int nl = std::clamp(NLAYPY, 0, MAXTZS / 3);
    s.np = 3 * nl;
    for (int L = 1; L <= nl; ++L) {
        const double a = (L == 1 ? XTOP(r) + GROUND(r) : LAYTOP(L)) + DZ;
        s.X(3 * L - 2) = a;
        s.X(3 * L - 1) = (a + LAYBOT(L)) / 2.0;
        s.X(3 * L) = LAYBOT(L) - DZ;
        for (int g = 3 * L - 2; g <= 3 * L; ++g) s.code(g) = ISOIL(L);
    }

    // 2. Maximum side resistance, friction angle and t-z curve of each sample.
    const double D = SECTAB(p, 1, SEC_TOP + SP_DIA) >= DIAMIN ? SECTAB(p, 1, SEC_TOP + SP_DIA)
                                                              : SECDIA(r, p, XTOP(r));
    int st = 0;
    for (int g = 1; g <= s.np; ++g) {
        const double zg = s.X(g) - GROUND(r) - XTOP(r);
        const double fread = FMAXCRV(s.X(g), st);
        if (st != 0) {
            ISTAT = st;
            return;
        }
        s.fmax(g) = fread;
        if (fread < FMXMIN &&
            !side_resistance_estimate(ptype, s.code(g), s.X(g), zg, s.X(g) - s.X(1), fread, s.fmax(g), st)) {
            ISTAT = st;
            return;
        }
        if (g == 1) s.fmax(1) = FMXTOP;
        s.phi(g) = BPHICRV(s.X(g), st) * 180.0 / PI4;
        if (st != 0) {
            ISTAT = st;
            return;
        }
        tz_curve_of(ptype, s.code(g), g, D, s.T, s.Z, s.fmax, s.phi);
    }

    // 3. Branch 1: the sampled curves, as torque per unit length against rotation.
    const double R = D / 2.0;
    if (branch == 1) {
        io::write_fmt(CRVRPT, F_TQ_HEAD, {m});
        io::write_fmt(CRVRPT, F_TQ_COLS);
        io::write_fmt(CRVRPT, F_TQ_UNITS, {ULEN.view(), UFOR3.view(), ULEN.view()});
        for (int g = 1; g <= s.np; ++g) {
            io::write_fmt(CRVRPT, F_TQ_SAMPLE, {g, NTZ, s.X(g)});
            for (int i = 1; i <= NTZ; ++i) io::write_fmt(CRVRPT, F_TQ_POINT, {s.T(i, g) * R, s.Z(i, g) / R});
        }
    }

    // 4. Sample depths from the pile head.
    for (int g = 1; g <= s.np; ++g) s.X(g) -= XTOP(r);
    io::flush_unit(RUNFILE);

    // 5. Torsional rigidity at the section tops.
    const int ns = std::clamp(NSECP(p), 0, MAXSEC);
    for (int k = 1; k <= ns; ++k)
        if (SECTAB(p, k, SEC_TOP + SP_GJ) <= GJMIN) both_reports(F_GJ_ZERO);
    io::flush_unit(RUNFILE);

    // 6. Soil at the tip.
    st = tip_status(p, branch, r);
    if (st != 0) {
        ISTAT = st;
        return;
    }

    // 7. From the tip up, for each assumed tip rotation.
    const int N = std::clamp(NINCR(p), 1, MAXINC);
    const double h = PLENP(p) / N;
    bool nogj = false, noconv = false;
    AXPTS thtip;
    for (int k = 1; k <= NTIP; ++k) {
        const double zk = NUNITS == 2 ? f32(ZTIP[k - 1]) * IN_M : f32(ZTIP[k - 1]);
        // 7.1 No torque at the tip.
        thtip(k) = zk / R;
        double Tb = 0.0, thb = thtip(k);
        double zc = PLENP(p) - h / 2.0;
        for (int j = 1; j <= N; ++j, zc -= h) {
            // 7.2.1 Rigidity at the increment's mid-point, read on the pile.
            const double GJm = SECPR1(r, p, XTOP(r) + std::clamp(zc, 0.0, PLENP(p)));
            double Tt = 0.0, tht = thb;
            if (GJm <= GJMIN) {
                // No rigidity: the increment neither turns nor passes torque up.
                nogj = true;
            } else {
                // 7.2.2-3 Fixed point of the mid-point rotation.
                double thm = thb;
                for (int it = 1;; ++it) {
                    const double t = side_t(s, zc, R * thm);
                    const double dT = t * h * PI4 * D * R;
                    Tt = Tb + dT;
                    tht = thb + (Tb + dT / 2.0) * h / GJm;
                    const double thm1 = thb + (Tb + (Tb + Tt) / 2.0) * h / (4.0 * GJm);
                    if (std::abs(thm1 - thm) <= TOLTH) break;
                    if (it >= MAXITER) {
                        noconv = true;
                        break;
                    }
                    thm = thm1;
                }
            }
            // 7.2.4 The upper end is the next increment's lower end.
            Tb = Tt;
            thb = tht;
        }
        // 7.3 Head torque and rotation.
        T(k) = Tb;
        theta(k) = thb;
    }
    if (nogj) io::write_fmt(RESFILE, F_NO_GJ, {r});
    if (noconv) io::write_fmt(RESFILE, F_NO_CONV, {r});

    // 9. The table, negated in branch 1 (the tip torque is nil in both).
    const auto sg = [branch](double x) { return branch == 1 && x != 0.0 ? -x : x; };  // no negative zero
    io::write_fmt(CRVRPT, F_TR_HEAD);
    io::write_fmt(CRVRPT, F_TR_UNITS, {UFOR3.view(), ULEN.view(), ULEN.view(), UFOR3.view()});
    for (int k = 1; k <= NTIP; ++k)
        io::write_fmt(CRVRPT, F_TR_ROW, {sg(T(k)), sg(theta(k)), sg(thtip(k)), 0.0});
    n = NTIP;
}

}  // namespace zolan
