// The loads of an analysis as the flexible cap carries them: each where it
// stands on the slab. The rigid cap may take every load as one resultant at
// the origin; a slab may not, since a load over a pile and the same load at
// the origin bend it differently and load its piles differently.
#include <cmath>

#include "flexcap/slab_analysis.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"

namespace zolan {

SlabLoads origin_load(const CAPVEC& P) {
    SlabLoad l;
    for (int k = 0; k < 6; ++k) l.p[k] = P(k + 1);
    return {l};
}

CAPVEC load_at_origin(const SlabLoad& l) {
    // The plan point lies at (0, y, z) in the cap axes: M += r x F.
    CAPVEC q;
    const double* p = l.p;
    q(1) = p[0];
    q(2) = p[1];
    q(3) = p[2];
    q(4) = p[3] + l.y * p[2] - l.z * p[1];
    q(5) = p[4] + l.z * p[0];
    q(6) = p[5] - l.y * p[0];
    return q;
}

namespace {

// Adds the load p at the plan point of s to the list: onto the load that
// already stands at that point, else as a new load from the source of s. A
// point keeps the first source that brings a torque, for the torque's
// message.
void add_at(SlabLoads& out, const SlabLoad& s) {
    for (SlabLoad& l : out) {
        if (l.y != s.y || l.z != s.z) continue;
        if (l.p[3] == 0 && s.p[3] != 0) l.lcase = s.lcase, l.record = s.record, l.row = s.row;
        for (int k = 0; k < 6; ++k) l.p[k] += s.p[k];
        return;
    }
    out.push_back(s);
}

// The concentrated load records of case i at their plan points, times the
// case's scale and, in a combination, its factor f. Each point's loads are
// summed within the case before they are scaled, as the load at the origin
// sums them, so that loads at the origin give that load to the bit.
void case_records(int i, bool factored, double f, SlabLoads& out) {
    if (i < 1 || i > NLCASE || LCPOD(i) == 1) return;
    SlabLoads own;
    for (int m = 1; m <= NCLOAD(i); ++m) {
        // 1. Input slot order: FX, FY, MZ, FZ, MY, MX, then X, Y, Z of the point.
        const double fx = CLOAD(i, m, 1), fy = CLOAD(i, m, 2), mz = CLOAD(i, m, 3);
        const double fz = CLOAD(i, m, 4), my = CLOAD(i, m, 5), mx = CLOAD(i, m, 6), x = CLOAD(i, m, 7);
        // 2. The height X of the point above the slab's plane: the moments
        //    the forces make about the plan point (0, Y, Z).
        SlabLoad l{CLOAD(i, m, 8), CLOAD(i, m, 9), {fx, fy, fz, mx, my - x * fz, mz + x * fy}, i, m, 0};
        add_at(own, l);
    }
    // 3. Scaled, then added to the loads of the analysis.
    for (SlabLoad l : own) {
        for (double& v : l.p) v = factored ? f * (v * LCSCAL(i)) : v * LCSCAL(i);
        add_at(out, l);
    }
}

// The axial pile-head loads of the distributed loads, along each pile's axis
// at its head: at the pile point, the head's depth below the slab's plane
// giving the moments as a record's height does.
void head_loads(SlabLoads& out) {
    if (KAXHL <= 0) return;
    for (int r = 1; r <= NPILES; ++r) {
        const double P = AXHLOAD(r), a = ALPHA(r), b = BETA(r), x = CORX(r);
        if (P == 0) continue;
        const double f1 = P * std::sin(b), f2 = P * std::cos(a) * std::cos(b), f3 = P * std::sin(a) * std::cos(b);
        add_at(out, SlabLoad{CORY(r), CORZ(r), {f1, f2, f3, 0, -x * f3, x * f2}, 0, 0, r});
    }
}

}  // namespace

SlabLoads slab_loads(const SolveRequest& request) {
    // 1. An estimation point below the full load measures the cap at the
    //    origin: its load stays there.
    if (request.IPOINT != 0 && request.IPOINT != request.NPTS) return origin_load(request.load);
    SlabLoads out;
    // 2. The concentrated load records of the case, or of the combination's
    //    cases with their factors.
    const bool comb = request.kind == 1;
    if (comb && ICOMB >= 1 && ICOMB <= NLCOMB)
        for (int m = 1; m <= NLBCAS(ICOMB); ++m) case_records(LBCASE(ICOMB, m), true, LBFACT(ICOMB, m), out);
    if (!comb) case_records(ICASE, false, 1.0, out);
    // 3. A case given at a point of definition: its load at the origin (the
    //    request's load less the head loads that follow).
    const bool pod = !comb && ICASE >= 1 && ICASE <= NLCASE && LCPOD(ICASE) == 1;
    SlabLoads heads;
    head_loads(heads);
    if (pod) {
        SlabLoad o = origin_load(request.load).front();
        for (const SlabLoad& h : heads) {
            const CAPVEC q = load_at_origin(h);
            for (int k = 0; k < 6; ++k) o.p[k] -= q(k + 1);
        }
        add_at(out, o);
    }
    // 4. The axial head loads at their pile points.
    for (const SlabLoad& h : heads) add_at(out, h);
    // 5. No load at all: the request's (zero) load at the origin, as one record.
    if (out.empty()) return origin_load(request.load);
    return out;
}

}  // namespace zolan
