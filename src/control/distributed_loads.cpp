// Distributed loads on the piles: the lines of a case laid onto the node
// depths of the pile rows they name, turned into the pile's local axes, and
// the axial share of global-axis loads gathered into the pile heads.
#include "control/distributed_loads.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "control/control.h"
#include "model/analysis_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"

namespace zolan {

namespace {

// 1e-8 as a single-precision constant.
constexpr double END_TOL = static_cast<double>(1e-8f);

// Progress while the lines are laid: the load case and the pile row.
const fmt::Format F_PROG_LAY(R"(("- DISTRIBUTED LOADS OF LOAD CASE ",I3,": PILE ROW ",I5,"/",I5,/,/))");

int rows_in_use() { return std::clamp(NPILES, 0, MAXPIL); }

void clear_tables() {
    const int rows = rows_in_use();
    for (int p = 1; p <= rows; ++p) {
        AXHLOAD(p) = 0.0;
        DLNPT(p) = 0;
        for (int l = 1; l <= MAXINC + 1; ++l) DLTAB(p, l, 2) = DLTAB(p, l, 3) = 0.0;
    }
}

// Values of distributed-load set s at depths taken from the pile head down
// (dl_set_value below): the interval of the set is found by walking its
// points along with the depths, linear in nodes plus points, instead of
// searching it from the top for each node. A depth above the previous one
// restarts the walk.
class SetWalk {
public:
    explicit SetWalk(int s) : s_(s), n_(s <= 0 || s > NDLSET || s > MAXDLS ? 0 : std::min(NDLPT(s), MAXDLP)) {}

    double at(double x) {
        // 1. No set, or a set of fewer than two points.
        if (n_ < 2) return 0.0;
        // 2. The end points without interpolation.
        if (std::abs(x - DLDEP(s_, 1)) < END_TOL) return DLVAL(s_, 1);
        if (std::abs(x - DLDEP(s_, n_)) < END_TOL) return DLVAL(s_, n_);
        // 3. Outside the set.
        if (x < DLDEP(s_, 1) || x > DLDEP(s_, n_)) return 0.0;
        // 4. Between points k - 1 and k, k the first point deeper than x;
        // the k of a deeper node never lies above that of a shallower one, so
        // the walk goes on from where it stood.
        if (!(x >= last_)) k_ = 2;
        last_ = x;
        while (k_ <= n_ && !(DLDEP(s_, k_) > x)) ++k_;
        if (k_ > n_) return 0.0;
        const double x0 = DLDEP(s_, k_ - 1), x1 = DLDEP(s_, k_);
        return DLVAL(s_, k_ - 1) + (DLVAL(s_, k_) - DLVAL(s_, k_ - 1)) * (x - x0) / (x1 - x0);
    }

private:
    int s_, n_;
    int k_ = 2;
    double last_ = -std::numeric_limits<double>::infinity();
};

// The loads of a line at the nodes of the piles of one property set: the
// set values times the line's factors (no Z load in the plane model). The
// rows of one set, which usually follow one another, share them.
struct NodeLoads {
    int ip = 0;      // the property set they are for; 0 none
    int N = 0;       // node count; 0 when the set has no valid increments
    double h = 0.0;  // node spacing
    std::array<double, MAXINC + 2> qy{}, qz{};
};

// Node loads of line m of case i, times fy and fz, on property set ip; kept
// in q while ip stays the same. False when the set's piles take no load.
bool line_node_loads(int i, int m, int ip, double fy, double fz, NodeLoads& q) {
    if (q.ip == ip) return q.N > 0;
    q.ip = ip;
    q.N = 0;
    if (ip < 1 || ip > MAXPSA) return false;
    const int ninc = NINCR(ip);
    if (ninc < 1 || ninc > MAXINC) return false;
    // 1. Node spacing and count.
    q.h = PLENP(ip) / ninc;
    q.N = ninc + 1;
    // 2. The sets walked from the head down along the nodes.
    const bool plane = NANTYP == 2;
    SetWalk sety(DLLINE(i, m, 6)), setz(DLLINE(i, m, 7));
    for (int l = 1; l <= q.N; ++l) {
        const double x = (l - 1) * q.h;
        q.qy[l] = fy * sety.at(x);
        q.qz[l] = plane ? 0.0 : fz * setz.at(x);
    }
    return true;
}

// Lays line m of case i, its node loads q, onto pile row p.
void lay_line_on_row(int i, int m, int p, const NodeLoads& q) {
    const bool plane = NANTYP == 2;
    const bool global = DLLINE(i, m, 2) != 0;
    const bool gather = global && LCKIND(i, 7) == 1;
    const double h = q.h;
    DLNPT(p) = q.N;
    // The row's direction cosines, once for all its nodes.
    const double ca = std::cos(ALPHA(p)), sa = std::sin(ALPHA(p));
    const double cb = std::cos(BETA(p)), sb = std::sin(BETA(p));
    const double ct = std::cos(THETA(p)), st = std::sin(THETA(p));
    const double cphi = std::cos(BATANG(p)), sphi = std::sin(BATANG(p));
    double qy_prev = 0.0, qz_prev = 0.0;
    // Every node from the head down.
    for (int l = 1; l <= q.N; ++l) {
        DLTAB(p, l, 1) = (l - 1) * h;
        const double qy = q.qy[l], qz = q.qz[l];
        if (!global) {
            DLTAB(p, l, 2) += qy;
            if (!plane) DLTAB(p, l, 3) += qz;
        } else if (plane) {
            DLTAB(p, l, 2) += qy * cphi;
        } else {
            // Global Y and Z loads turned into the pile's local axes.
            const double a = sb * (qy * ca + qz * sa);
            const double b = qz * ca - qy * sa;
            DLTAB(p, l, 2) += a * ct + b * st;
            DLTAB(p, l, 3) += b * ct - a * st;
        }
        // Axial share of the segment from node l - 1 to l, trapezoidal rule.
        if (gather && l >= 2) {
            if (plane)
                AXHLOAD(p) += (qy_prev + qy) * sphi * h / 2.0;
            else
                AXHLOAD(p) += cb * (ca * (qy_prev + qy) + sa * (qz_prev + qz)) * h / 2.0;
            KAXHL = 1;
        }
        qy_prev = qy;
        qz_prev = qz;
    }
}

// The pile rows a distributed-load line names, rows anchor + k step within
// [first, last], and its loads.
struct LineRows {
    long long first = 1, last = 0, anchor = 1, step = 1;
    double fy = 0.0, fz = 0.0;
    bool has(long long p) const { return p >= first && p <= last && (step == 1 || (p - anchor) % step == 0); }
};

// Rows of line m of case i: from row a to row b (b = 0: row a alone) by the
// increment d (0: both ends only). The rows run lo, lo + d, ... up to hi and
// end at the first one below row 1 (a range starting below row 1 names no
// row); a negative increment walks down from lo, or from its first row
// within the pile rows. Rows beyond the pile rows carry nothing. The rows
// are worked out in 64 bits so that no increment can overflow them.
LineRows line_rows(int i, int m, int rows, double factor) {
    const long long a = DLLINE(i, m, 3);
    const long long b = DLLINE(i, m, 4) == 0 ? a : DLLINE(i, m, 4);
    long long d = DLLINE(i, m, 5);
    const long long lo = std::min(a, b), hi = std::max(a, b);
    if (d == 0) d = lo == hi ? 1 : hi - lo;
    LineRows r;
    r.fy = DLFY(i, m) * factor;
    r.fz = DLFZ(i, m) * factor;
    if (d > 0) {
        if (lo >= 1) r = {lo, std::min<long long>(hi, rows), lo, d, r.fy, r.fz};
    } else {
        long long start = lo;
        if (start > rows) start += (start - rows + (-d) - 1) / (-d) * d;  // first row within the rows
        if (start >= 1) r = {1, start, start, -d, r.fy, r.fz};
    }
    return r;
}

// Work area of DLADD: the node loads of each line.
std::array<NodeLoads, MAXDLL + 1> line_loads;

}  // namespace

double dl_set_value(int s, double x) { return SetWalk(s).at(x); }

void DLADD(int i, double factor) {
    if (i < 1 || i > MAXLC) return;
    const int lines = std::min(NDLINE(i), MAXDLL);
    if (lines < 1) return;
    const int rows = rows_in_use();
    // 1. The rows of every line and its loads times the factor; no node
    // loads yet.
    std::array<LineRows, MAXDLL + 1> named;
    for (int m = 1; m <= lines; ++m) {
        named[m] = line_rows(i, m, rows, factor);
        line_loads[m].ip = line_loads[m].N = 0;
    }
    // 2. Row by row, each row's lines in input order: every slot of a row
    // takes the same sums, in the same order, as a walk line by line would
    // give, while the row's slots stay in cache for all its lines.
    for (int p = 1; p <= rows; ++p) {
        if (STOPPOLL(F_PROG_LAY, {i, p, rows})) return;
        for (int m = 1; m <= lines; ++m)
            if (named[m].has(p) && line_node_loads(i, m, IPROP(p), named[m].fy, named[m].fz, line_loads[m]))
                lay_line_on_row(i, m, p, line_loads[m]);
    }
}

void DLCASE(int i) {
    KAXHL = 0;
    clear_tables();
    if (i < 1 || i > MAXLC) return;
    DLADD(i, LCSCAL(i));
}

void DLCOMB(int j) {
    KAXHL = 0;
    clear_tables();
    if (j < 1 || j > MAXCMB) return;
    const int entries = std::min(NLBCAS(j), MAXLBC);
    for (int m = 1; m <= entries; ++m) {
        const int c = LBCASE(j, m);
        if (c < 1 || c > MAXLC) continue;
        DLADD(c, LCSCAL(c) * LBFACT(j, m));
        if (STOPSEEN()) return;
    }
}

void DLZERO() { clear_tables(); }

void reset_distributed_loads() { line_loads.fill(NodeLoads{}); }

}  // namespace zolan
