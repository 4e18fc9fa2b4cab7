// Distributed loads and soil movement at the nodes of a pile row.
#include "pile/node_loads.h"
#include "model/single_precision.h"

#include <algorithm>
#include <cmath>

#include "model/analysis_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"
#include "pile/pile_frame.h"

namespace zolan {
namespace {

constexpr double TOLSM = f32(1.0e-5f);       // depth tolerance of the soil-movement profile
constexpr double HALFPI_S = f32(1.5708f);    // the projection's right angle, single precision

// Real nodes of row r, 0 when the row or its property set is not one.
int node_count(int r) {
    if (r < 1 || r > MAXPIL) return 0;
    const int p = IPROP(r);
    if (p < 1 || p > MAXPSA) return 0;
    return std::clamp(NINCR(p) + 1, 0, MAXNOD);
}

// Value at node coordinate x of a table of n points with ascending depths
// d(l) and values v(l): 0 outside [d(1), d(n)] (give or take t), else linear on the first
// segment whose end reaches x, the mean of a segment shorter than t. l is the
// segment end found for the previous node; the search goes on from there
// (node coordinates increase along the pile) and starts again at 2 if x lies
// above it.
template <class Depth, class Value>
double table_reading(double x, int n, const Depth& d, const Value& v, double t, int& l) {
    // A node within the tolerance of an end of the table is on it: the node
    // coordinates and the table depths are the same lengths formed two ways,
    // and the tip node may land a rounding past the last depth.
    if (n < 1 || x < d(1) - t || x > d(n) + t) return 0.0;
    if (n == 1) return v(1);
    if (d(1) <= d(n)) x = std::clamp(x, d(1), d(n));
    if (l < 2 || l > n || x <= d(l - 1)) l = 2;
    while (l < n && d(l) < x) ++l;
    const double d0 = d(l - 1), d1 = d(l), v0 = v(l - 1), v1 = v(l);
    if (std::abs(d1 - d0) < t) return 0.5 * (v0 + v1);
    return v0 + (x - d0) * (v1 - v0) / (d1 - d0);
}

// The distributed loads of column c of DLTAB at the nodes of row r.
void distributed_load(int r, int c, NODVEC& q) {
    const int nn = node_count(r);
    if (nn == 0) return;
    const int n = std::clamp(DLNPT(r), 0, MAXINC + 1);
    const auto d = [r](int l) { return DLTAB(r, l, 1); };
    const auto v = [r, c](int l) { return DLTAB(r, l, c); };
    int l = 2;
    for (int j = 1; j <= nn; ++j) q(j) = table_reading(NDAXIS(r, j) - CORX(r), n, d, v, TOLDL, l);
}

// The soil movement of profile column c at the nodes of row r, before the projection.
int soil_movement(int r, int c, NODVEC& m) {
    const int nn = node_count(r);
    if (nn == 0) return 0;
    const int n = std::clamp(NSMOV, 0, MAXSMV);
    const auto d = [r](int k) { return SMPDEP(r, k); };
    const auto v = [r, c](int k) { return c == 2 ? SMPY(r, k) : SMPZ(r, k); };
    int l = 2;
    for (int j = 1; j <= nn; ++j) m(j) = table_reading(NDEPTH(r, j) - CORX(r), n, d, v, TOLSM, l);
    return nn;
}

}  // namespace

void DISTLD(int /*a*/, int r, NODVEC& q) { distributed_load(r, 2, q); }

void DISTLD2(int /*a*/, int r, NODVEC& q) { distributed_load(r, 3, q); }

void SOILMOV(int r) {
    if (r < 1 || r > MAXPIL || NSMOV <= 0) return;
    const int n = std::min(NSMOV, MAXSMV);
    constexpr double half_pi = 3.141592653589793 / 2;
    // The pile's lateral axes y and z (three-dimensional model), THETA included.
    const PileAxes axes = pile_axes(ALPHA(r), BETA(r), THETA(r));
    const auto& y = axes.axis[1];
    const auto& z = axes.axis[2];
    for (int k = 1; k <= n; ++k) {
        const double Y = SMVCUR(k, 1), Z = SMVCUR(k, 2);
        SMPDEP(r, k) = SMDEP(k) - CORX(r);
        if (NANTYP == 2) {
            SMPY(r, k) = std::sin(half_pi - BATANG(r)) * Y;
            SMPZ(r, k) = 0.0;
        } else {
            // The horizontal movement (0, Y, Z) along each lateral axis.
            SMPY(r, k) = y[1] * Y + y[2] * Z;
            SMPZ(r, k) = z[1] * Y + z[2] * Z;
        }
    }
}

void SMVNOD1(int r, NODVEC& m) {
    const int nn = soil_movement(r, 2, m);
    // Projection on the pile: the slope once more in the plane model; the
    // batter in the plane of the movement in the three-dimensional model.
    double f = 1.0;
    if (NANTYP == 2) {
        f = std::cos(ALPHA(r));
    } else if (NANTYP == 3 && BETA(r) > 0.0) {
        f = std::cos(std::abs(std::cos(ALPHA(r))) * std::abs(BETA(r) - HALFPI_S));
    }
    for (int j = 1; j <= nn; ++j) m(j) *= f;
}

void SMVNOD2(int r, NODVEC& m) {
    const int nn = soil_movement(r, 3, m);
    if (nn == 0) return;
    const double f = std::cos(std::abs(std::sin(ALPHA(r))) * std::abs(BETA(r) - HALFPI_S));
    for (int j = 1; j <= nn; ++j) m(j) *= f;
}

}  // namespace zolan
