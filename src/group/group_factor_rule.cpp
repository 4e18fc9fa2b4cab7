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

namespace {

// Scratch rows: the factors of the layout turned round (KGRPRF 1 without a
// push) and those of a rule the iteration is compared with.
Table1<double, MAXPIL> turn_pf, turn_yf, other_pf, other_yf;

// The smallest lateral movement that tells a sense: the cap's tolerance of
// the pile heads' largest movement (below it, round-off).
double lateral_floor(const CAPVEC& U, double reach) {
    return std::max(TOLREL, 1.0e-12) * GRPBAND(U, reach) / GRPBANDF;
}

// 3-4 of GRPFAC: the direction (cy, cz) as a unit vector, and each row's
// factors of the two directions combined by it.
void combine(double cy, double cz) {
    const double len = std::sqrt(cy * cy + cz * cz);
    cy /= len, cz /= len;
    for (int p = 1; p <= NPILES; ++p) {
        PFGRP(p) = std::sqrt(std::pow(PFGRP1(p) * cy, 2) + std::pow(PFGRP2(p) * cz, 2));
        YFGRP(p) = std::sqrt(std::pow(YFGRP1(p) * cy, 2) + std::pow(YFGRP2(p) * cz, 2));
    }
}

// The factors by the rule as written: the sense of each lateral axis the
// sign of the cap's movement along it (+ when none), unless `held` gives it;
// the direction that of the movement, else of the load's lateral force, else
// along Y.
void specified(const CAPVEC& U, const CAPVEC& load, const GroupSense& held) {
    if (KGRPRF == 1) {
        PFACT1(held.held ? held.y : (U(2) < 0.0 ? -1.0 : 1.0));
        PFACT2(held.held ? held.z : (U(3) < 0.0 ? -1.0 : 1.0));
        for (int p = 1; p <= NPILES; ++p) PFGRP1(p) = PFGRP(p), YFGRP1(p) = YFGRP(p);
    }
    double cy = std::abs(U(2)), cz = std::abs(U(3));
    if (cy == 0.0 && cz == 0.0) cy = std::abs(load(2)), cz = std::abs(load(3));
    if (cy == 0.0 && cz == 0.0) cy = 1.0;
    combine(cy, cz);
}

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

// Factors from the layout (KGRPRF 1) with no push on the group: the
// movement's factors (as written) in the share m / band of its lateral
// movement m, the rest those of the layout turned round (PFACTTURN), which
// no turn of a symmetric layout changes.
void unpushed(const CAPVEC& U, const CAPVEC& load, double band) {
    const double m = std::hypot(U(2), U(3));
    const double t = m > 0.0 && band > 0.0 ? std::min(1.0, m / band) : (m > 0.0 ? 1.0 : 0.0);
    if (t > 0.0) specified(U, load, {});
    if (t == 1.0) return;
    PFACTTURN(turn_pf, turn_yf);
    for (int p = 1; p <= NPILES; ++p) {
        PFGRP(p) = t > 0.0 ? t * PFGRP(p) + (1.0 - t) * turn_pf(p) : turn_pf(p);
        YFGRP(p) = t > 0.0 ? t * YFGRP(p) + (1.0 - t) * turn_yf(p) : turn_yf(p);
    }
}

// The rule of a model: GRPFAC, or that of the plane model on the plane
// displacements and load laid out as the space model's (below).
using FactorRule = void (*)(const CAPVEC& U, const CAPVEC& load, double reach, const GroupSense& held);

// The plane model's rule on U and load laid out as the space model's: the
// factors of the one lateral direction (KGRPRF 1), for the sense GRPSENSE
// gives within the band, else the held one.
void plane_rule(const CAPVEC& U, const CAPVEC& load, double reach, const GroupSense& held) {
    if (KGRPRF != 1) return;
    const LateralPush push = GRPPUSH(load(1), load(2), 0.0);
    PFACT1(held.held ? held.y : GRPSENSE(U(2), GRPBAND(U, reach), push.y, push.min));
}

// A plane displacement (X, Y, rotation about Z) or load laid out as the
// space model's.
CAPVEC as_space(const CAPVEC& v) {
    CAPVEC w;
    w.fill(0.0);
    w(1) = v(1), w(2) = v(2), w(6) = v(3);
    return w;
}

// The largest difference between the factors of two rules at U: `a`, then
// `b`, which the factors in effect are left with.
double factor_gap(FactorRule rule, const CAPVEC& U, const CAPVEC& load, double reach, const GroupSense& a,
                  const GroupSense& b) {
    rule(U, load, reach, a);
    for (int p = 1; p <= NPILES; ++p) other_pf(p) = PFGRP(p), other_yf(p) = YFGRP(p);
    rule(U, load, reach, b);
    double gap = 0.0;
    for (int p = 1; p <= NPILES; ++p)
        gap = std::max({gap, std::abs(PFGRP(p) - other_pf(p)), std::abs(YFGRP(p) - other_yf(p))});
    return gap;
}

// The sense the rule as written gives U.
GroupSense sense_of(const CAPVEC& U) { return {true, U(2) < 0.0 ? -1.0 : 1.0, U(3) < 0.0 ? -1.0 : 1.0}; }

}  // namespace

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

void GRPFAC(const CAPVEC& U, const CAPVEC& load, double reach, const GroupSense& held) {
    // 1. The rule as written, for a sense held by the solver.
    if (held.held && KGRPRF != 3) return specified(U, load, held);
    // 2. The band of lateral movement within which the factors pass from the
    //    push's sense and direction (the load's lateral force, else the
    //    soil's movement) to the movement's; from the layout without a push,
    //    from the layout turned round.
    const double band = GRPBAND(U, reach);
    const LateralPush push = GRPPUSH(load(1), load(2), load(3));
    if (KGRPRF == 1 && !(std::hypot(push.y, push.z) > push.min)) return unpushed(U, load, band);
    // 3. The factors of each direction for the sense.
    if (KGRPRF == 1) {
        PFACT1(GRPSENSE(U(2), band, push.y, push.min));
        PFACT2(GRPSENSE(U(3), band, push.z, push.min));
        for (int p = 1; p <= NPILES; ++p) PFGRP1(p) = PFGRP(p), YFGRP1(p) = YFGRP(p);
    }
    // 4. The direction: the given one, else by the weights; each row's
    //    combined factors.
    double cy = 0.0, cz = 0.0;
    if (KGRPRF == 3) {
        cy = std::abs(GRPMVY), cz = std::abs(GRPMVZ);
        if (cy == 0.0 && cz == 0.0) cy = cz = 1.0;
    } else {
        std::tie(cy, cz) = direction_weights(U, band, push);
    }
    combine(cy, cz);
}

void GRPFAC2D(const CAPVEC& U, const CAPVEC& load, double reach, const GroupSense& held) {
    plane_rule(as_space(U), as_space(load), reach, held);
}

namespace {

GroupSense sense_to_try(FactorRule rule, const CAPVEC& U, const CAPVEC& load, double reach) {
    if (KGRPRF != 1 && KGRPRF != 2) return {};
    if (!(std::hypot(U(2), U(3)) > lateral_floor(U, reach))) return {};
    const GroupSense sense = sense_of(U);
    if (!(factor_gap(rule, U, load, reach, sense, {}) > TOLREL)) return {};
    return sense;
}

bool sense_holds(FactorRule rule, const CAPVEC& U, const CAPVEC& load, double reach, const GroupSense& sense) {
    if (!(std::hypot(U(2), U(3)) > lateral_floor(U, reach))) return false;
    return !(factor_gap(rule, U, load, reach, sense_of(U), sense) > TOLREL);
}

}  // namespace

GroupSense group_sense_to_try(const CAPVEC& U, const CAPVEC& load, double reach) {
    return sense_to_try(GRPFAC, U, load, reach);
}

bool group_sense_holds(const CAPVEC& U, const CAPVEC& load, double reach, const GroupSense& sense) {
    return sense_holds(GRPFAC, U, load, reach, sense);
}

GroupSense group_sense_to_try2d(const CAPVEC& U, const CAPVEC& load, double reach) {
    if (KGRPRF != 1) return {};
    return sense_to_try(plane_rule, as_space(U), as_space(load), reach);
}

bool group_sense_holds2d(const CAPVEC& U, const CAPVEC& load, double reach, const GroupSense& sense) {
    return sense_holds(plane_rule, as_space(U), as_space(load), reach, sense);
}

GroupFactorBasis group_factor_basis(const CAPVEC& U, const CAPVEC& load, double reach) {
    if (std::hypot(U(2), U(3)) > lateral_floor(U, reach)) return GroupFactorBasis::Movement;
    const double lmin = TOLREL * std::sqrt(load(1) * load(1) + load(2) * load(2) + load(3) * load(3));
    if (std::hypot(load(2), load(3)) > lmin) return GroupFactorBasis::Load;
    const LateralPush push = GRPPUSH(load(1), load(2), load(3));
    if (std::hypot(push.y, push.z) > push.min) return GroupFactorBasis::Soil;
    return KGRPRF == 1 ? GroupFactorBasis::Turns : GroupFactorBasis::AlongY;
}

void group_factors_for_load(const CAPVEC& load) {
    // The load's lateral force as a movement of the group: its sense and
    // direction, else those of the soil's movement, else the layout turned
    // round (or, for the pile table's factors, along Y).
    const LateralPush push = GRPPUSH(load(1), load(2), load(3));
    const double lateral = std::hypot(push.y, push.z) > push.min ? 1.0 : 0.0;
    CAPVEC u;
    u.fill(0.0);
    u(2) = lateral * push.y, u(3) = lateral * push.z;
    GRPFAC(u, load, CAPREACH());
}

void reset_group_factor_rule() {
    for (Table1<double, MAXPIL>* t : {&turn_pf, &turn_yf, &other_pf, &other_yf}) t->fill(0.0);
}

}  // namespace zolan
