// Bounds that keep every analysis finite: the iteration limits of the piles
// and of the cap, and the number of load steps that the stepping of the
// rigid cap or of the slab may take. The input refuses values beyond them.
#pragma once

#include <cmath>
#include <limits>

namespace zolan {

constexpr int MAXITLIM = 1000;   // pile (inner) and cap (Newton) iteration limits
constexpr int MAXLSTEP = 10000;  // load steps of one analysis
// The magnitude of every real number of the input data file: coordinates,
// loads, lengths, moduli, soil and section values. Far beyond any real
// foundation in any unit system, and small enough that the products of the
// analysis (a load times its lever arm, a modulus times an inertia, squares
// of coordinates) stay finite.
constexpr double MAXREAL = 1.0e20;
// The least magnitude of a real number of the input other than zero: the
// reciprocal of MAXREAL, so that a quotient of input values (a load over a
// stiffness, a demand over a reduced capacity) stays as finite as their
// products do. Far below any real quantity in any unit
// system; a smaller value is a typing fault, or an exponent that lost its
// sign.
constexpr double MINREAL = 1.0 / MAXREAL;

// The smallest increment the stepping can reach: after a failed step the
// increment is halved, and the stepping gives up when the half falls below
// the minimum; it never grows again. Zero when the increments are not
// positive numbers (the stepping would not end).
inline double smallest_increment(double first, double minimum) {
    if (!(first > 0.0) || !(minimum > 0.0) || std::isinf(first)) return 0.0;
    double d = first;
    while (d / 2.0 >= minimum) d /= 2.0;
    return d;
}

// Load steps that increments of d take over a load span (1 for the load
// factor from 0 to 1): the worst case, every step converging at d. Infinite
// for a d that is not positive.
inline double load_steps(double d, double span = 1.0) {
    if (!(d > 0.0)) return std::numeric_limits<double>::infinity();
    return std::ceil(span / d);
}

// The largest minimum increment that would let a first increment be halved
// to an increment taking more than MAXLSTEP steps over the span: any minimum
// above it bounds the stepping.
inline double least_minimum(double first, double span = 1.0) {
    if (!(first > 0.0) || std::isinf(first)) return 0.0;
    double d = first;
    while (load_steps(d / 2.0, span) <= MAXLSTEP) d /= 2.0;
    return d / 2.0;
}

}  // namespace zolan
