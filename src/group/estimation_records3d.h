// Records of the estimation points of the three-dimensional cap solver: the
// flexibility and load-displacement records of a flexibility point, the
// comparison of a target-deflection level with its target, and for an
// accepted level the tangent matrix at the origin and the equivalent
// stiffnesses of every pile row on the equivalent-stiffness file. The files
// are read back by the stiffness estimation.
#pragma once

#include <span>

#include "group/group_services.h"
#include "group/matrix_kernels.h"
#include "group/result_pass3d.h"
#include "model/pile_tables.h"

namespace zolan {

// One record of the flexibility and load-displacement files: the level
// number, then up to seven values, as 5X,I5,2X,1P,7(G18.8,3X). Every writer
// of those files uses it; their readers take the values free-form.
void ESTREC(int unit, int level, std::span<const double> values);

// Flexibility point with a solution: LDDFILE gets iloop, q and U; then
// LDDFILE and FLEXFILE each get iloop and U / q (U itself when |q| is below
// 1e-14). q is the load applied on the point's own degree of freedom.
void FLEXREC3D(int iloop, double q, const CAPVEC& U);
// Flexibility point without a solution: LDDFILE gets -iloop with seven and
// then with six zeros, FLEXFILE iloop and the unit vector of degree ipoint.
void FLEXFAIL3D(int iloop, int ipoint);

// Target-deflection level with a solution and rq.KTGRES > 0: compares
// U(IDOFTG) with the target by the state in rq, answers KTGRES and DEFCMP in
// ans, and for an accepted level writes Kc, runs the equivalent-stiffness
// pass (KFLAG 2) through fvec and writes EQSTWR; status line 10 for a trial
// outside its tolerance, else 1. KFLAG is 0 on return.
void TGTLVL3D(const SolveRequest& rq, const CAPVEC& U, const CAPMAT& Kc, const CapForces& fvec, SolveAnswer& ans,
              int& ISTAT);

// The same records of the plane model (slots 1 to 3): FLEXREC2D divides by
// the load q reached unless the full load p of the point's degree of freedom
// is below 1e-14; FLEXFAIL2D writes four and three zeros and the unit vector
// of three components.
void FLEXREC2D(int iloop, double q, double p, const CAPVEC& U);
void FLEXFAIL2D(int iloop, int ipoint);
// Target-deflection level of the plane model: the comparison of TGTLVL3D;
// an accepted level writes the 3 x 3 Jacobian Jc, runs the
// equivalent-stiffness pass through fvec, writes EQSTF2D and the pile
// tables (ENVEWR2D) and status line 1. KFLAG is 0 on return.
void TGTLVL2D(const SolveRequest& rq, const CAPVEC& U, const MAT3& Jc, const CapForces& fvec, SolveAnswer& ans,
              int& ISTAT);
// Equivalent stiffnesses of the plane pile rows 1..NPILES on EQKFILE: per
// row its heading, the axial force and axial stiffness of the head, the
// increment length, and per real node its distance from the head and its
// lateral spring.
void EQSTF2D();

// Equivalent stiffnesses of pile rows 1..NPILES on EQKFILE: per row its
// heading, the three pile-top values, the increment length and one row per
// real node (position and the two node stiffnesses).
void EQSTWR();

}  // namespace zolan
