// Foundation-stiffness data of a load case: the levels at which a cap
// flexibility or stiffness estimation is solved and, for a stiffness
// estimation, the block that chooses the method and the target deflection.
// The input echo prints what this decoder reads and the estimation points
// run on it, so the two can never read the values of a case differently.
#pragma once

namespace zolan {

// Reading of NSTLEV(i) = N values STLEV(i, 1..N) of a case of kind KCASE:
//
//   - ordinary case (KCASE <= 0): no data;
//   - cap flexibility estimation (KCASE 1 to 10): every value is a load level
//     of the degree-of-freedom loads; a flexibility case has no method block,
//     whatever N;
//   - stiffness estimation (KCASE > 10) with N <= 12: every value is a load
//     level of the total applied load (no method block: 11 or 12 values
//     cannot hold a block of twelve after at least one level);
//   - stiffness estimation with N >= 13: n = N - 12 levels, then twelve values
//     at positions n+1 .. n+12:
//       n+1       method (truncated): 0 total applied load, any other value a
//                 target deflection;
//       n+2       target degree of freedom s (truncated), cap order 1 X, 2 Y,
//                 3 Z, 4 rotation X, 5 rotation Y, 6 rotation Z; in the plane
//                 model 3 and 6 both name the rotation about Z;
//       n+3..n+8  targets of displacement X, Y, Z and rotation X, Y, Z; the
//                 plane rotation about Z takes its target at n+8 like any
//                 rotation about Z;
//       n+9       tolerance of the target, in percent;
//       n+10      iteration limit of a level (truncated);
//       n+11      > 0: the axial loads in the piles count in the stiffness;
//       n+12      non-zero (truncated): the levels scale only the load of
//                 degree of freedom s.
struct StiffnessData {
    enum Kind { None, Flexibility, Stiffness };
    Kind kind = None;
    int nlev = 0;           // number of levels, STLEV(i, 1..nlev)
    bool block = false;     // the method block follows the levels
    int method = 0;         // 0 total applied load, other values a target deflection
    int sel = 0;            // target selector s as given (truncated)
    int dof = 0;            // slot of the model's cap vector compared with the target; 0 none
    int target_pos = 0;     // position of the target value of s in STLEV(i, .); 0 none
    double target = 0.0;    // the target value at the full level; 0 when there is none
    double tolerance = 0.0; // percent
    int iterations = 0;     // iteration limit of a level
    bool axial = false;     // axial loads in the piles considered
    bool dof_only = false;  // the levels scale only the load of the target's degree of freedom
};

// Decodes the stiffness data of load case i in the model NANTYP.
StiffnessData decode_stiffness_levels(int i);

// The ten default load levels of a case that gives none: 0.1 (single
// precision) and log10(s) for s = 2 .. 10 into STLEV(i, 1..10), NSTLEV(i) := 10.
void default_stiffness_levels(int i);

// A stored real read as an integer count or code, truncated toward zero;
// values beyond the integer range or not a number give the nearest bound or 0.
int truncate_to_int(double x);

}  // namespace zolan
