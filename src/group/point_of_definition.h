// Load cases given at a point of the rigid cap instead of at its origin: per
// cap degree of freedom either the displacement of the point or the load at
// it. The cap solvers solve an augmented system each iteration, the cap
// equations plus one constraint row per degree of freedom; a given
// displacement is imposed through a multiplier, a given load leaves its
// multiplier at zero. The point moves with the cap as a rigid body, u + theta
// x r, r being the point relative to the origin (X positive downward).
//
// Flags per degree of freedom: 0 the displacement is given, any other value
// the load (the input holds 0 or 1). The report carry-over treats only 1 as
// a given load.
#pragma once

#include "group/matrix_kernels.h"
#include "model/pile_tables.h"
#include "model/table.h"

namespace zolan {

// Plane model: three degrees of freedom (X, Y, rotation about Z), the point
// at (x, y).
using PNTXY = Table1<double, 2>;
using PNTFLGS = Table1<int, 3>;

// Right-hand sides of an augmented system: b1 is solved for, b2 (the pile
// forces and the given displacements) only feeds the iteration trace.
struct PointRhs6 {
    CAPVEC b1, b2;
};
struct PointRhs12 {
    VEC12 b1, b2;
};

// Markers printed after the unit labels of the point blocks: the star marks
// the member of each pair (load or displacement) that the input gave.
struct PointMarks3 {
    FixedText<3> lmark, dmark;
};
struct PointMarks6 {
    FixedText<6> lmark, dmark;
};

// Augmented 6 x 6 plane matrix from the cap Jacobian J: J in the upper left,
// for a given displacement the constraint row and its transpose, for a given
// load a unit diagonal on the multiplier.
CAPMAT PNTSYS6(const MAT3& J, const PNTXY& PODPT, const PNTFLGS& PODFL);
// Plane right-hand sides from the cap residual R, the pile force vector F,
// the given point displacements and the current cap displacement U.
PointRhs6 PNTRHS6(const VEC3& R, const VEC3& F, const VEC3& PODDSP, const VEC3& U, const PNTXY& PODPT,
                  const PNTFLGS& PODFL);
// The same for the three-dimensional model, point (x, y, z), from the cap
// tangent K.
MAT12 CAPK12(const CAPMAT& K, const VEC3& PODPT, const CAPFLAGS& PODFL);
PointRhs12 CAPRES(const CAPVEC& R, const CAPVEC& F, const CAPVEC& PODDSP, const CAPVEC& U, const VEC3& PODPT,
                  const CAPFLAGS& PODFL);

// On a load step's first iteration the symmetric cap matrix (J or K) has
// each off-diagonal pair held to half the geometric mean of its two
// diagonal magnitudes, |K(i, j)| <= 0.5 sqrt(|K(i, i) K(j, j)|), the sign
// kept and both sides set: a coupling of a force to a rotation is weighed
// against a force per displacement and a moment per rotation alike.
void limit_off_diagonals(MAT3& J);
void limit_off_diagonals(CAPMAT& K);

// The size of a point-of-definition system's residual, as the damped
// iteration weighs it (forces and moments, translations and rotations alike
// as work): at the point, each degree of freedom whose load is given counts
// the cap residual R carried there (B^-T R: the forces, and the moments
// about the point) squared over w(k), each whose displacement is given the
// mismatch between the given value and the point's displacement for U
// squared times w(k). w is the magnitude of the tangent's diagonal at the
// point, B^-T K B^-1, from point_diagonal; B U is the point's displacement.
VEC3 point_diagonal(const MAT3& J, const PNTXY& PODPT);
CAPVEC point_diagonal(const CAPMAT& K, const VEC3& PODPT);
double point_residual_size(const VEC3& R, const VEC3& U, const VEC3& PODDSP, const PNTXY& PODPT,
                           const PNTFLGS& PODFL, const VEC3& w);
double point_residual_size(const CAPVEC& R, const CAPVEC& U, const CAPVEC& PODDSP, const VEC3& PODPT,
                           const CAPFLAGS& PODFL, const CAPVEC& w);

// The converged state carried to the point for the report: D the point's
// displacement, Q its loads (a given load as given, else the origin force or
// the origin moment moved to the point); a given force also replaces the
// force of the origin load L. Returns 0 and touches nothing when the point is
// the origin, else 1.
int PNTLOAD(const VEC3& U, VEC3& L, const PNTXY& PODPT, VEC3& D, VEC3& Q, const VEC3& PODLD, const PNTFLGS& PODFL);
int LDXFER(const CAPVEC& U, CAPVEC& L, const VEC3& PODPT, CAPVEC& D, CAPVEC& Q, const CAPVEC& PODLD,
           const CAPFLAGS& PODFL);

PointMarks3 PNTFLAG(const PNTFLGS& PODFL);
PointMarks6 DOFLBL(const CAPFLAGS& PODFL);

}  // namespace zolan
