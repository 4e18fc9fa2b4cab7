// Small dense algebra of the cap solvers: the in-place Gauss-Jordan inverse
// with full pivoting, and fixed-size kernels for 3-, 6- and 12-component
// vectors. Every sum runs in one fixed order (j = 1, 2, ... n), so results do
// not depend on the machine's vector width or the thread count. Matrices are
// stored with the first index fastest; nothing here allocates.
#pragma once

#include <span>

#include "model/pile_tables.h"
#include "model/table.h"

namespace zolan {

using VEC3 = Table1<double, 3>;      // plane cap vector: X, Y, rotation about Z
using MAT3 = Table2<double, 3, 3>;
using VEC12 = Table1<double, 12>;    // cap and point-of-definition unknowns together
using MAT12 = Table2<double, 12, 12>;

constexpr int MAXINV = 50;  // largest order MATINV inverts

// Inverse in place of the matrix of order n held in a with leading dimension
// lda (element (i, j) at a[(i - 1) + lda (j - 1)]), by Gauss-Jordan
// elimination with full pivoting (among equal magnitudes the last met in the
// row-by-row scan wins). Returns 0 when done and 1 when the matrix is
// singular: an exactly zero pivot, no usable pivot at all (every remaining
// entry not a number), an order above MAXINV, lda below n, or an array too
// short for the matrix. On 1 the contents of a are of no use; n <= 0 returns
// 0 and leaves a alone.
int MATINV(std::span<double> a, int n, int lda);

// out(:, j) := M in(:, j) for the first n six-vectors of in, laid one after
// another; out may be the same array as in. Only vectors that both arrays
// hold are touched; nothing for n <= 0.
void MXV6(std::span<double> out, const CAPMAT& M, std::span<const double> in, int n);
CAPVEC MXV6S(const CAPMAT& M, const CAPVEC& v);  // M v, 6 x 6
VEC12 MXV12S(const MAT12& M, const VEC12& v);    // M v, 12 x 12
VEC3 MATVEC3(const MAT3& M, const VEC3& v);      // M v, 3 x 3

// Measures of the translation part (d) and the rotation part (r) of a cap vector.
struct CapMeasure {
    double d = 0.0;
    double r = 0.0;
};
// Six-slot vector: Euclidean norms of slots 1-3 and 4-6.
CapMeasure V6NRM(const CAPVEC& v);
// Six-slot vector: largest absolute values of slots 1-3 and 4-6.
CapMeasure V6MAX(const CAPVEC& v);
// Plane vector: norm of slots 1-2 and |slot 3|.
CapMeasure V3NRM(const VEC3& v);
// Plane vector: larger of |slot 1|, |slot 2|, and |slot 3|.
CapMeasure V3MAX(const VEC3& v);

CAPVEC VNEG6(const CAPVEC& v);   // -v
VEC3 COPY3(const VEC3& src);     // a copy of src

}  // namespace zolan
