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
#include "pile/curve_records.h"
#include "pile/tip_curve.h"
#include "pile/torsion_curves.h"
#include "report/run_files.h"

namespace zolan {
namespace {

using Curve = CurvePts;
using Writer = CurveWriter;

constexpr int NPT = CRVNPT;  // points of a station curve
constexpr int NREC = 19;    // point records of a flagged station

constexpr double PISP = 3.1415927410125732;  // pi in single precision, as the shaft area takes it
constexpr double PI4 = f32(3.1416f);         // pi of the degree conversion
constexpr double ZGMIN = f32(1.0e-6f);       // a segment whose mid-point lies this far below the ground line
constexpr double DIAMIN = f32(1.0e-5f);      // smallest diameter taken as given

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
            Curve cur;
            if (!segment_tz(ptype, A, A - GROUND(r) - top, D1, cur, phis, st)) {
                ISTAT = st;
                return;
            }
            for (int i = 1; i <= NPT; ++i) cur.F(i) *= Dm * PISP * ds / 2.0;
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
