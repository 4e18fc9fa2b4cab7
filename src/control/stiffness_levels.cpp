// Foundation-stiffness data of a load case: one reading for the input echo
// and for the estimation points.
#include "control/stiffness_levels.h"

#include <climits>
#include <cmath>

#include "model/input_tables.h"

namespace zolan {

int truncate_to_int(double x) {
    if (std::isnan(x)) return 0;
    if (x >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (x <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(x);
}

StiffnessData decode_stiffness_levels(int i) {
    StiffnessData d;
    const int kind = LCKIND(i, 2);
    if (kind <= 0) return d;
    const int N = NSTLEV(i) > 0 ? NSTLEV(i) : 0;
    d.kind = kind <= 10 ? StiffnessData::Flexibility : StiffnessData::Stiffness;
    d.nlev = N;
    if (d.kind == StiffnessData::Flexibility || N <= 12) return d;

    // Stiffness estimation with its method block after the n levels.
    const int n = N - 12;
    d.nlev = n;
    d.block = true;
    d.method = truncate_to_int(STLEV(i, n + 1));
    d.sel = truncate_to_int(STLEV(i, n + 2));
    const bool plane = NANTYP == 2;
    if (plane) {
        // X, Y and the rotation about Z, which may be named 3 or 6.
        if (d.sel == 1 || d.sel == 2) d.dof = d.sel;
        if (d.sel == 3 || d.sel == 6) d.dof = 3;
        if (d.dof != 0) d.target_pos = n + 2 + (d.dof == 3 ? 6 : d.sel);
    } else if (d.sel >= 1 && d.sel <= 6) {
        d.dof = d.sel;
        d.target_pos = n + 2 + d.sel;
    }
    if (d.target_pos > 0) d.target = STLEV(i, d.target_pos);
    d.tolerance = STLEV(i, n + 9);
    d.iterations = truncate_to_int(STLEV(i, n + 10));
    d.axial = STLEV(i, n + 11) > 0.0;
    d.dof_only = truncate_to_int(STLEV(i, n + 12)) != 0;
    return d;
}

void default_stiffness_levels(int i) {
    NSTLEV(i) = 10;
    STLEV(i, 1) = static_cast<double>(0.1f);
    for (int s = 2; s <= 10; ++s) STLEV(i, s) = std::log10(static_cast<double>(s));
}

}  // namespace zolan
