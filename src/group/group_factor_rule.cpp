// The sense and direction of the group reduction factors of a rigid cap.
#include "group/group_factor_rule.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

#include "model/case_tables.h"
#include "model/input_tables.h"
#include "soil/group_factors.h"

namespace zolan {

double GRPSENSE(double u, double band, double l, double lmin) {
    const double pushed = std::abs(l) > lmin ? (l < 0.0 ? -1.0 : 1.0) : 0.0;
    if (u == 0.0) return pushed;
    if (!(std::abs(u) < band)) return u < 0.0 ? -1.0 : 1.0;
    const double t = u / band;
    return t + (1.0 - std::abs(t)) * pushed;
}

double CAPREACH() {
    double reach = 0.0;
    for (int p = 1; p <= NPILES; ++p)
        reach = std::max(reach, std::sqrt(CORX(p) * CORX(p) + CORY(p) * CORY(p) + CORZ(p) * CORZ(p)));
    return reach;
}

double GRPBAND(const CAPVEC& U, double reach) {
    const double move = std::sqrt(U(1) * U(1) + U(2) * U(2) + U(3) * U(3)) +
                        std::sqrt(U(4) * U(4) + U(5) * U(5) + U(6) * U(6)) * reach;
    return GRPBANDF * move;
}

LateralPush GRPPUSH(double fx, double fy, double fz) {
    const double lmin = TOLREL * std::sqrt(fx * fx + fy * fy + fz * fz);
    if (std::hypot(fy, fz) > lmin) return {fy, fz, lmin};
    LateralPush soil;
    double most = 0.0;
    for (int k = 1; k <= NSMOV; ++k) {
        soil.y += SMOVY0(k), soil.z += SMOVZ0(k);
        most = std::max(most, std::hypot(SMOVY0(k), SMOVZ0(k)));
    }
    soil.min = TOLREL * most;
    return soil;
}

namespace {

// The weights of the two lateral directions (KGRPRF other than 3): those of
// the movement beyond the band; within it the movement's own share
// |U| / band, the rest that of the push (else along Y), so that the weights
// pass from the push's direction to the movement's without a jump.
std::pair<double, double> direction_weights(const CAPVEC& U, double band, const LateralPush& push) {
    const double m = std::hypot(U(2), U(3));
    if (m > 0.0 && !(m < band)) return {std::abs(U(2)), std::abs(U(3))};
    double py = 1.0, pz = 0.0;
    const double pl = std::hypot(push.y, push.z);
    if (pl > push.min) py = std::abs(push.y) / pl, pz = std::abs(push.z) / pl;
    if (!(m > 0.0)) return {py, pz};
    const double rest = 1.0 - m / band;
    return {std::abs(U(2)) / band + rest * py, std::abs(U(3)) / band + rest * pz};
}

}  // namespace

void GRPFAC(const CAPVEC& U, const CAPVEC& load, double reach) {
    // 1. The band of lateral movement within which the factors pass from the
    //    push's sense and direction (the load's lateral force, else the
    //    soil's movement; without either, the mean of both senses along Y)
    //    to the movement's.
    const double band = GRPBAND(U, reach);
    const LateralPush push = GRPPUSH(load(1), load(2), load(3));
    // 2. The factors of each direction for the sense.
    if (KGRPRF == 1) {
        PFACT1(GRPSENSE(U(2), band, push.y, push.min));
        PFACT2(GRPSENSE(U(3), band, push.z, push.min));
        for (int p = 1; p <= NPILES; ++p) PFGRP1(p) = PFGRP(p), YFGRP1(p) = YFGRP(p);
    }
    // 3. The direction, as a unit vector: the given one, else by the weights.
    double cy = 0.0, cz = 0.0;
    if (KGRPRF == 3) {
        cy = std::abs(GRPMVY), cz = std::abs(GRPMVZ);
        if (cy == 0.0 && cz == 0.0) cy = cz = 1.0;
    } else {
        std::tie(cy, cz) = direction_weights(U, band, push);
    }
    const double len = std::sqrt(cy * cy + cz * cz);
    cy /= len, cz /= len;
    // 4. Each row's combined factors.
    for (int p = 1; p <= NPILES; ++p) {
        PFGRP(p) = std::sqrt(std::pow(PFGRP1(p) * cy, 2) + std::pow(PFGRP2(p) * cz, 2));
        YFGRP(p) = std::sqrt(std::pow(YFGRP1(p) * cy, 2) + std::pow(YFGRP2(p) * cz, 2));
    }
}

void group_factors_for_load(const CAPVEC& load) { GRPFAC(load, load, CAPREACH()); }

}  // namespace zolan
