// Torque-rotation blocks of the curve file.
#include "pile/torque_curve_file.h"

#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/section_lookup.h"
#include "model/section_tables.h"
#include "model/single_precision.h"
#include "pile/curve_records.h"

namespace zolan {

namespace {

constexpr double PISP = 3.1415927410125732;  // pi in single precision, as the segment factor takes it
constexpr double ZGMIN = f32(1.0e-6f);       // a station whose segment mid-point lies this far below the ground line
constexpr int NREC = 2 * CRVNPT - 1;         // point records of a station below ground

// The curve mirrored through the origin: points 1 to 9 the negated points
// 10 down to 2, points 10 to 19 the points 1 to 10.
void write_points(CurveWriter& out, const CurvePts& c) {
    for (int n = 1; n < CRVNPT; ++n) out.point(n, neg(c.z(CRVNPT + 1 - n)), neg(c.F(CRVNPT + 1 - n)));
    for (int n = CRVNPT; n <= NREC; ++n) out.point(n, c.z(n - CRVNPT + 1), c.F(n - CRVNPT + 1));
}

}  // namespace

void write_torque_curves(int r, int& ISTAT) {
    if (r < 1 || r > MAXPIL) return;
    const int p = IPROP(r);
    if (p < 1 || p > MAXPSA) return;
    CurveWriter out(KCRVFM == 0);
    // 1-2. Pile header; no station without a division.
    const int N = NCRVST;
    out.ints(r, N + 1, 3);
    if (N < 1) return;
    // 3. Spacing, head diameter, the accumulated curve at zero.
    const double dx = PLENP(p) / N, top = CORX(r);
    const double Dh = SECTAB(p, 1, SEC_TOP + SP_DIA);
    const int ptype = PTYPED(p);
    CurvePts acc;
    bool cur = false;
    for (int k = 1; k <= N + 1; ++k) {
        // 4.1-4.4 Station record; curve header by the segment mid-point.
        const bool prev = cur;
        cur = false;
        out.station(k, top + (k - 1) * dx);
        const double m = top + (k - 0.5) * dx;
        const double z = m - XTOP(r) - GROUND(r);
        const bool below = z >= ZGMIN;
        out.flag(below ? 1 : 0, below ? NREC : 0);
        if (!below) continue;
        // 4.5 The tip station repeats the curve of the last station.
        if (k == N + 1) {
            write_points(out, acc);
            continue;
        }
        // 4.6 The segment's t-z curve turned into torque against rotation.
        const double D = SECDIA(r, p, m), R = D / 2.0;
        CurvePts seg;
        double phi = 0.0;
        int st = 0;
        if (!segment_tz(ptype, m, z, Dh, seg, phi, st)) {
            ISTAT = st;
            return;
        }
        // A segment without radius or without a curve turns nothing: the
        // accumulated curve stands as it was.
        if (R > 0.0 && seg.z(CRVNPT) > 0.0) {
            for (int j = 1; j <= CRVNPT; ++j) {
                seg.z(j) /= R;
                seg.F(j) *= 0.5 * PISP * dx * D * R;
            }
            acc = prev ? sum_curves(seg, acc) : seg;
            cur = true;
        } else {
            cur = prev;
        }
        write_points(out, acc);
    }
}

}  // namespace zolan
