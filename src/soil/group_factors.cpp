// Group reduction factors: every pile of the group laid out in the horizontal
// plane, a pair factor for each ordered pair by its spacing in diameters
// (side by side, leading or trailing in line, or oblique), the product of a
// pile's pair factors, and the mean of the products over a row's piles.
#include "soil/group_factors.h"
#include "model/single_precision.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"
#include "report/field_writers.h"

namespace zolan {
namespace {


constexpr double C064 = f32(0.64f);  // side by side: 0.64 (s/b)^0.34
constexpr double C034 = f32(0.34f);
constexpr double C070 = f32(0.70f);  // leading: 0.70 (s/b)^0.26
constexpr double C026 = f32(0.26f);
constexpr double C048 = f32(0.48f);  // trailing: 0.48 (s/b)^0.38
constexpr double C038 = f32(0.38f);
constexpr double EPSU = f32(1.0e-5f);  // in-line offset taken as zero
constexpr double EPSV = f32(1.0e-6f);  // side offset taken as zero
constexpr double SIDLIM = 5.0;       // side by side: no reduction beyond 5 diameters
constexpr double LINLIM = 8.0;       // in line and oblique: none beyond 8 diameters
constexpr double PI_TURN = 3.14159265358979323846;

struct Pile {
    int row;
    double y, z;  // head coordinates in the horizontal plane
};

// Working storage, kept between calls so that a layout is sized once.
std::vector<Pile> piles;
std::vector<double> prod;
std::vector<std::size_t> twin;  // per pile: 1 + index of the first later pile at its position, 0 none
std::vector<int> ncoin;         // per pile: later piles at its position
std::vector<double> turned;     // per pile: the mean of its products over the turns
std::vector<double> turned_key; // the layout they are of: per pile Y, Z, diameter; then KAVGD
CoincidentPiles turned_coincident;
CoincidentPiles coincident;

// Piles a row stands for: the integer part of PMULT, none below 1.
long long row_piles(int r) {
    const double m = PMULT(r);
    return m >= 1.0 ? static_cast<long long>(m) : 0;
}

// Diameter of a property set: the top diameter of its first section.
double set_diameter(int p) { return SECTAB(p, 1, SEC_TOP + SP_DIA); }

// 1. Every pile of the group, in row order. A plane row's piles stand on a
// line through the row at its spacing, alternately on both sides of its
// centre: 0, +s, -s, +2s, ... (odd count) or +s/2, -s/2, +3s/2, ... (even).
void lay_out() {
    long long total = 0;
    for (int r = 1; r <= NPILES; ++r) total += row_piles(r);
    piles.resize(static_cast<std::size_t>(total));
    prod.resize(piles.size());
    twin.resize(piles.size());
    ncoin.resize(piles.size());
    turned.resize(piles.size());
    std::size_t i = 0;
    for (int r = 1; r <= NPILES; ++r) {
        const long long n = row_piles(r);
        if (n < 1) continue;
        const double s = GRPSPC(r);
        for (long long k = 0; k < n; ++k) {
            double z = CORZ(r);
            if (NANTYP == 2) {
                if (n % 2 == 1)
                    z = k == 0 ? 0.0 : static_cast<double>((k + 1) / 2) * s * (k % 2 == 1 ? 1.0 : -1.0);
                else
                    z = static_cast<double>(2 * (k / 2) + 1) * s / 2.0 * (k % 2 == 0 ? 1.0 : -1.0);
            }
            piles[i++] = {r, CORY(r), z};
        }
        YTOP(r) = CORY(r);
    }
}

// 3. Factor of a pile toward one neighbour; u and v its offsets from the
// neighbour in diameters, in line and across the movement.
double pair_factor(double u, double v, double direction) {
    const double au = std::fabs(u), av = std::fabs(v);
    if (au < EPSU) return av > SIDLIM ? 1.0 : std::min(1.0, C064 * std::pow(av, C034));
    const bool leading = u * direction > 0.0;
    if (av < EPSV) {
        if (au > LINLIM) return 1.0;
        return leading ? std::min(1.0, C070 * std::pow(au, C026)) : std::min(1.0, C048 * std::pow(au, C038));
    }
    const double r = std::sqrt(u * u + v * v);
    if (r > LINLIM) return 1.0;
    const double theta = std::atan(av / au);
    const double side = std::min(1.0, C064 * std::pow(r, C034)) * std::sin(theta);
    const double line =
        std::min(1.0, leading ? C070 * std::pow(r, C026) : C048 * std::pow(r, C038)) * std::cos(theta);
    return std::min(1.0, std::sqrt(side * side + line * line));
}

// 2-4. Each pile's product of pair factors for a movement along the unit
// vector (cy, cz) of the horizontal plane (Y, Z) in the given sense: the
// in-line offset u along the movement, the side offset v across it.
// False when the stop request read between the piles asks to stop.
bool products(double cy, double cz, double direction, GroupStop stop = nullptr) {
    const std::size_t n = piles.size();
    const double b0 = NPILES >= 1 ? set_diameter(IPROP(1)) : 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        if (stop != nullptr && stop(static_cast<int>(i + 1), static_cast<int>(n))) return false;
        const Pile& a = piles[i];
        const double da = KAVGD == 1 ? set_diameter(IPROP(a.row)) : b0;
        double p = 1.0, q = 1.0;  // products for the sense (between the senses: p toward +, q toward -)
        twin[i] = ncoin[i] = 0;
        for (std::size_t j = 0; j < n; ++j) {
            if (j == i) continue;
            const Pile& c = piles[j];
            const double b = KAVGD == 1 ? (da + set_diameter(IPROP(c.row))) / 2.0 : b0;
            const double dy = a.y - c.y, dz = a.z - c.z;
            const double u = (dy * cy + dz * cz) / b;
            const double v = (dz * cy - dy * cz) / b;
            if (j > i && std::fabs(u) < EPSU && std::fabs(v) < EPSV) {
                if (ncoin[i]++ == 0) twin[i] = j + 1;
            }
            if (std::fabs(direction) == 1.0) {
                p *= pair_factor(u, v, direction);
            } else {
                p *= pair_factor(u, v, 1.0);
                q *= pair_factor(u, v, -1.0);
            }
        }
        prod[i] = std::fabs(direction) == 1.0 ? p : 0.5 * (1.0 + direction) * p + 0.5 * (1.0 - direction) * q;
    }
    return true;
}

// 5-6. Mean of the products `of` per row; a row without piles keeps the
// factor 1. The y-multipliers are 1.
void row_means(const std::vector<double>& of, Table1<double, MAXPIL>& pf, Table1<double, MAXPIL>& yf) {
    std::size_t i = 0;
    for (int r = 1; r <= NPILES; ++r) {
        const long long m = row_piles(r);
        double sum = 0.0;
        for (long long k = 0; k < m; ++k) sum += of[i++];
        pf(r) = m >= 1 ? sum / static_cast<double>(m) : 1.0;
        yf(r) = 1.0;
    }
}

// Coincident piles, each pair once, the first in pile order named.
CoincidentPiles coincident_of() {
    CoincidentPiles c;
    for (std::size_t k = 0; k < piles.size(); ++k) {
        if (ncoin[k] == 0) continue;
        if (c.pairs == 0) c = {0, piles[k].row, piles[twin[k] - 1].row};
        c.pairs += ncoin[k];
    }
    return c;
}

// The routine of both directions: `along_y` takes Y in line and Z across.
void pfact(double direction, bool along_y, Table1<double, MAXPIL>& pf, Table1<double, MAXPIL>& yf, GroupStop stop) {
    lay_out();
    if (!products(along_y ? 1.0 : 0.0, along_y ? 0.0 : 1.0, direction, stop)) return;
    row_means(prod, pf, yf);
    coincident = coincident_of();
}

}  // namespace

void PFACT1(double direction, GroupStop stop) { pfact(direction, true, PFGRP, YFGRP, stop); }
void PFACT2(double direction, GroupStop stop) { pfact(direction, false, PFGRP2, YFGRP2, stop); }

void PFACTTURN(Table1<double, MAXPIL>& pf, Table1<double, MAXPIL>& yf) {
    // 1. The layout, and whether its turned factors are those of the last
    //    call (the same piles at the same places, of the same diameters).
    lay_out();
    const std::size_t n = piles.size();
    bool same = turned_key.size() == 3 * n + 1 && turned_key[3 * n] == KAVGD;
    for (std::size_t i = 0; same && i < n; ++i)
        same = turned_key[3 * i] == piles[i].y && turned_key[3 * i + 1] == piles[i].z &&
               turned_key[3 * i + 2] == set_diameter(IPROP(piles[i].row));
    // 2. Else each pile's mean product over the turns.
    if (!same) {
        std::fill(turned.begin(), turned.end(), 0.0);
        for (int k = 0; k < NTURNS; ++k) {
            const double a = 2.0 * PI_TURN * static_cast<double>(k) / static_cast<double>(NTURNS);
            products(std::cos(a), std::sin(a), 1.0);
            for (std::size_t i = 0; i < n; ++i) turned[i] += prod[i] / static_cast<double>(NTURNS);
        }
        turned_key.resize(3 * n + 1);
        for (std::size_t i = 0; i < n; ++i)
            turned_key[3 * i] = piles[i].y, turned_key[3 * i + 1] = piles[i].z,
            turned_key[3 * i + 2] = set_diameter(IPROP(piles[i].row));
        turned_key[3 * n] = KAVGD;
        turned_coincident = coincident_of();
    }
    // 3. The rows' means.
    row_means(turned, pf, yf);
    coincident = turned_coincident;
}

CoincidentPiles group_coincident_piles() { return coincident; }

void GRPROW(int unit, int p, double pf, double yf) {
    WRBLNK(unit, 12);
    WRINT(unit, 5, p);
    WRBLNK(unit, 5);
    WRREAL(unit, 12, 4, pf);
    WRBLNK(unit, 1);
    WRREAL(unit, 12, 4, yf);
    WREOL(unit);
}

void reset_group_factors() {
    piles.clear();
    prod.clear();
    twin.clear();
    ncoin.clear();
    turned.clear();
    turned_key.clear();
    turned_coincident = {};
    coincident = {};
}

}  // namespace zolan
