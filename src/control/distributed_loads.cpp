// Distributed loads on the piles: the lines of a case laid onto the node
// depths of the pile rows they name, turned into the pile's local axes, and
// the axial share of global-axis loads gathered into the pile heads.
#include "control/distributed_loads.h"

#include <algorithm>
#include <cmath>

#include "model/analysis_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"

namespace zolan {

namespace {

// 1e-8 as a single-precision constant.
constexpr double END_TOL = static_cast<double>(1e-8f);

int rows_in_use() { return std::clamp(NPILES, 0, MAXPIL); }

void clear_tables() {
    const int rows = rows_in_use();
    for (int p = 1; p <= rows; ++p) {
        AXHLOAD(p) = 0.0;
        DLNPT(p) = 0;
        for (int l = 1; l <= MAXINC + 1; ++l) DLTAB(p, l, 2) = DLTAB(p, l, 3) = 0.0;
    }
}

// Lays line m of case i, times fy and fz, onto pile row p.
void lay_line_on_row(int i, int m, int p, double fy, double fz) {
    const int ip = IPROP(p);
    if (ip < 1 || ip > MAXPSA) return;
    const int ninc = NINCR(ip);
    if (ninc < 1 || ninc > MAXINC) return;
    const bool plane = NANTYP == 2;
    const bool global = DLLINE(i, m, 2) != 0;
    const bool gather = global && LCKIND(i, 7) == 1;
    const int sety = DLLINE(i, m, 6), setz = DLLINE(i, m, 7);

    // 1. Node spacing and count.
    const double h = PLENP(ip) / ninc;
    const int N = ninc + 1;
    DLNPT(p) = N;

    const double al = ALPHA(p), be = BETA(p), th = THETA(p), phi = BATANG(p);
    double qy_prev = 0.0, qz_prev = 0.0;
    // 2. Every node from the head down.
    for (int l = 1; l <= N; ++l) {
        const double x = (l - 1) * h;
        DLTAB(p, l, 1) = x;
        const double qy = fy * dl_set_value(sety, x);
        const double qz = plane ? 0.0 : fz * dl_set_value(setz, x);
        if (!global) {
            DLTAB(p, l, 2) += qy;
            if (!plane) DLTAB(p, l, 3) += qz;
        } else if (plane) {
            DLTAB(p, l, 2) += qy * std::cos(phi);
        } else {
            // Global Y and Z loads turned into the pile's local axes.
            const double a = std::sin(be) * (qy * std::cos(al) + qz * std::sin(al));
            const double b = qz * std::cos(al) - qy * std::sin(al);
            DLTAB(p, l, 2) += a * std::cos(th) + b * std::sin(th);
            DLTAB(p, l, 3) += b * std::cos(th) - a * std::sin(th);
        }
        // Axial share of the segment from node l - 1 to l, trapezoidal rule.
        if (gather && l >= 2) {
            if (plane)
                AXHLOAD(p) += (qy_prev + qy) * std::sin(phi) * h / 2.0;
            else
                AXHLOAD(p) += std::cos(be) * (std::cos(al) * (qy_prev + qy) + std::sin(al) * (qz_prev + qz)) * h / 2.0;
            KAXHL = 1;
        }
        qy_prev = qy;
        qz_prev = qz;
    }
}

}  // namespace

double dl_set_value(int s, double x) {
    // 1. No set, or a set of fewer than two points.
    if (s <= 0 || s > NDLSET || s > MAXDLS) return 0.0;
    const int n = std::min(NDLPT(s), MAXDLP);
    if (n < 2) return 0.0;
    // 2. The end points without interpolation.
    if (std::abs(x - DLDEP(s, 1)) < END_TOL) return DLVAL(s, 1);
    if (std::abs(x - DLDEP(s, n)) < END_TOL) return DLVAL(s, n);
    // 3. Outside the set.
    if (x < DLDEP(s, 1) || x > DLDEP(s, n)) return 0.0;
    // 4. Between points k - 1 and k, k the first point deeper than x.
    for (int k = 2; k <= n; ++k) {
        if (DLDEP(s, k) > x) {
            const double x0 = DLDEP(s, k - 1), x1 = DLDEP(s, k);
            return DLVAL(s, k - 1) + (DLVAL(s, k) - DLVAL(s, k - 1)) * (x - x0) / (x1 - x0);
        }
    }
    return 0.0;
}

void DLADD(int i, double factor) {
    if (i < 1 || i > MAXLC) return;
    const int lines = std::min(NDLINE(i), MAXDLL);
    const int rows = rows_in_use();
    for (int m = 1; m <= lines; ++m) {
        // 1. Row range and increment; the walk runs in 64 bits so that no
        // increment can overflow it.
        const long long a = DLLINE(i, m, 3);
        const long long b = DLLINE(i, m, 4) == 0 ? a : DLLINE(i, m, 4);
        long long d = DLLINE(i, m, 5);
        const long long lo = std::min(a, b), hi = std::max(a, b);
        if (d == 0) d = lo == hi ? 1 : hi - lo;
        const double fy = DLFY(i, m) * factor, fz = DLFZ(i, m) * factor;
        // 2. Rows lo, lo + d, ... up to hi, ending at the first row below 1;
        // rows beyond the pile rows carry nothing.
        long long start = lo;
        if (d < 0 && start > rows) start += (start - rows + (-d) - 1) / (-d) * d;  // first row within the rows
        for (long long p = start; p <= hi; p += d) {
            if (p <= 0) break;
            if (p <= rows) lay_line_on_row(i, m, static_cast<int>(p), fy, fz);
            else if (d > 0) break;
        }
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
    }
}

void DLZERO() { clear_tables(); }

}  // namespace zolan
