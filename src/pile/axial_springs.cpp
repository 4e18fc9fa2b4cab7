// Axial spring curves by station: half-segment t-z curves times half the
// segment's shaft area, summed on the stations, and the q-w curve of the tip
// added at the last station in compression.
#include "pile/axial_springs.h"

#include <algorithm>

#include "model/section_lookup.h"
#include "soil/soil_lookup.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/single_precision.h"
#include "model/soil_tables.h"
#include "pile/tip_curve.h"
#include "pile/torsion_curves.h"
#include "report/run_files.h"

namespace zolan {
namespace {

constexpr int NPT = 10;     // points of a station curve
constexpr int NREC = 19;    // point records of a flagged station

constexpr double PISP = 3.1415927410125732;  // pi in single precision, as the shaft area takes it
constexpr double PI4 = f32(3.1416f);         // pi of the degree conversion
constexpr double ZGMIN = f32(1.0e-6f);       // a segment whose mid-point lies this far below the ground line
constexpr double FMXMIN = f32(1.0e-10f);     // a maximum side resistance below this is estimated
constexpr double DIAMIN = f32(1.0e-5f);      // smallest diameter taken as given

const fmt::Format F_PILE("(3I10)");
const fmt::Format F_STATION("(I10,F10.4)");
const fmt::Format F_FLAG("(3I10)");
const fmt::Format F_POINT("(1P,I10,2(1X,G15.8))");

// Ten points of movement z and force F.
struct Curve {
    Table1<double, NPT> z, F;
};

// Force of curve c at movement z: linear between the first point k >= 2
// reaching z and point k - 1 (the later point on a segment of no length),
// along the last segment beyond the curve.
double force_at(const Curve& c, double z) {
    int k = 2;
    while (k < NPT && c.z(k) < z) ++k;
    const double dz = c.z(k) - c.z(k - 1);
    if (!(dz > 0.0)) return c.F(k);
    return c.F(k - 1) + (c.F(k) - c.F(k - 1)) * (z - c.z(k - 1)) / dz;
}

// Station curve of two half-segment curves: on the points of the one that
// ends at the smaller movement (a when they end together), the sum of both.
Curve sum_curves(const Curve& a, const Curve& b) {
    const bool on_a = a.z(NPT) <= b.z(NPT);
    const Curve& base = on_a ? a : b;
    const Curve& other = on_a ? b : a;
    Curve s;
    for (int i = 1; i <= NPT; ++i) {
        s.z(i) = base.z(i);
        s.F(i) = base.F(i) + force_at(other, base.z(i));
    }
    return s;
}

// Soil code at depth x: the first layer whose bottom lies below x, else the first layer.
int code_at(double x) {
    const int nl = std::clamp(NLAYPY, 0, MAXSLY);
    for (int l = 1; l <= nl; ++l)
        if (LAYBOT(l) > x) return ISOIL(l);
    return nl >= 1 ? ISOIL(1) : 0;
}

// -x, without a negative zero on the file.
double neg(double x) { return x == 0.0 ? 0.0 : -x; }

class Writer {
public:
    explicit Writer(bool formatted) : formatted_(formatted) {}
    void ints(int a, int b, int c) {
        if (formatted_) io::write_fmt(CURVFILE, F_PILE, {a, b, c});
        else io::write_unf(CURVFILE, {a, b, c});
    }
    void station(int s, double B) {
        if (formatted_) io::write_fmt(CURVFILE, F_STATION, {s, B});
        else io::write_unf(CURVFILE, {s, B});
    }
    void flag(int f, int n) {
        if (formatted_) io::write_fmt(CURVFILE, F_FLAG, {f, n});
        else io::write_unf(CURVFILE, {f, n});
    }
    void point(int j, double z, double F) {
        if (formatted_) io::write_fmt(CURVFILE, F_POINT, {j, z, F});
        else io::write_unf(CURVFILE, {j, z, F});
    }

private:
    bool formatted_;
};

}  // namespace

void write_axial_springs(int r, int& ISTAT) {
    if (r < 1 || r > MAXPIL) return;
    const int p = IPROP(r);
    if (p < 1 || p > MAXPSA) return;
    Writer out(KCRVFM == 0);
    const int nst = std::clamp(NCRVST, 1, MAXCST);
    const int ns = std::clamp(NSECP(p), 1, MAXSEC);
    const int ptype = PTYPED(p);
    const double L = PLENP(p), ds = L / nst, top = XTOP(r);
    const double D1 = SECTAB(p, 1, SEC_TOP + SP_DIA) >= DIAMIN ? SECTAB(p, 1, SEC_TOP + SP_DIA) : SECDIA(r, p, top);
    int st = 0;

    // Friction angle (degrees) of the segment with mid-point A.
    auto segment_phi = [&](double A, double& phi) {
        phi = BPHICRV(A, st) * 180.0 / PI4;
        return st == 0;
    };
    // 3. Tip capacity and q-w curve, from the soil of the last segment.
    AXTIP qw;
    bool tip_built = false;
    auto build_tip = [&](int code, double phi) {
        const double xt = top + L;
        TIPQW(ptype, xt, xt - GROUND(r) - top, code, SECTAB(p, ns, SEC_BOT + SP_ARE),
              SECTAB(p, ns, SEC_BOT + SP_DIA), D1, phi, st, qw);
        tip_built = st == 0;
        return tip_built;
    };

    // 1. Pile record.
    out.ints(r, nst + 1, 2);
    bool carried_ok = false;
    Curve carried;
    TZTAB T, Z;
    TZVAL fmax, phi;
    for (int s = 1; s <= nst + 1; ++s) {
        // 2.1 Station depth.
        out.station(s, top + (s - 1) * ds);
        // 2.2-3 Flag: the segment below the station lies below the ground line.
        const double A = top + (s - 0.5) * ds;
        const bool flagged = A - GROUND(r) - top >= ZGMIN;
        out.flag(flagged ? 1 : 0, flagged ? NREC : 0);
        if (!flagged) {
            carried_ok = false;
            continue;
        }
        Curve station;
        if (s == nst + 1) {
            // 2.4 Tip station: the half curve of the last segment; when that
            // segment lies above the ground line, no side resistance, on the
            // movements of the tip curve, which is built here.
            if (!tip_built) {
                double phin = 0.0;
                if (!segment_phi(A - ds, phin) || !build_tip(code_at(A - ds), phin)) {
                    ISTAT = st;
                    return;
                }
            }
            if (carried_ok) {
                station = carried;
            } else {
                for (int i = 1; i <= NPT; ++i) {
                    station.z(i) = qw.W(i);
                    station.F(i) = 0.0;
                }
            }
        } else {
            // 2.5 Half-segment curve of segment s.
            const int code = code_at(A);
            double phis = 0.0;
            const double Dm = SECDIA(r, p, std::clamp(A, top, top + L));
            const double zg = A - GROUND(r) - top;
            const double fread = FMAXCRV(A, st);
            if (st != 0) {
                ISTAT = st;
                return;
            }
            fmax(1) = fread;
            if (fread < FMXMIN &&
                !side_resistance_estimate(ptype, code, A, zg, zg, fread, fmax(1), st)) {
                ISTAT = st;
                return;
            }
            if (!segment_phi(A, phis)) {
                ISTAT = st;
                return;
            }
            phi(1) = phis;
            for (int i = 1; i <= NPT; ++i) T(i, 1) = Z(i, 1) = 0.0;
            tz_curve_of(ptype, code, 1, D1, T, Z, fmax, phi);
            Curve cur;
            for (int i = 1; i <= NPT; ++i) {
                cur.z(i) = Z(i, 1);
                cur.F(i) = T(i, 1) * Dm * PISP * ds / 2.0;
            }
            if (s == nst && !build_tip(code, phis)) {
                ISTAT = st;
                return;
            }
            // 2.6-7 Station curve; the current half curve goes down to the next station.
            station = carried_ok ? sum_curves(cur, carried) : cur;
            carried = cur;
            carried_ok = true;
        }
        // 2.8 Points 10 down to 2 negated, then points 1 to 10; the tip adds
        // its load in compression only.
        for (int j = 1; j <= 9; ++j) out.point(j, neg(station.z(11 - j)), neg(station.F(11 - j)));
        for (int i = 1; i <= NPT; ++i) {
            const double F = station.F(i) + (s == nst + 1 ? QWREAD(qw, station.z(i)) : 0.0);
            out.point(9 + i, station.z(i), F);
        }
    }
}

}  // namespace zolan
