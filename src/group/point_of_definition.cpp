// Augmented systems and report carry-over of a point of definition.
#include "group/point_of_definition.h"

#include <cmath>

#include "report/unit_labels.h"

namespace zolan {

namespace {

// Row k of B is the derivative of the point's displacement component k with
// respect to the cap displacement, so the point's displacement is B U.
template <int N>
using BMAT = Table2<double, N, N>;

BMAT<3> plane_rows(const PNTXY& p) {
    const double x = p(1), y = p(2);
    BMAT<3> B;
    B(1, 1) = 1.0; B(1, 3) = -y;
    B(2, 2) = 1.0; B(2, 3) = x;
    B(3, 3) = 1.0;
    return B;
}

BMAT<6> space_rows(const VEC3& p) {
    const double x = p(1), y = p(2), z = p(3);
    BMAT<6> B;
    B(1, 1) = 1.0; B(1, 5) = z;  B(1, 6) = -y;
    B(2, 2) = 1.0; B(2, 4) = -z; B(2, 6) = x;
    B(3, 3) = 1.0; B(3, 4) = y;  B(3, 5) = -x;
    for (int k = 4; k <= 6; ++k) B(k, k) = 1.0;
    return B;
}

// Each coupling against its own two diagonals, which the limit never
// changes: a force per rotation and a moment per displacement are measured
// against sqrt(K(i, i) K(j, j)) in their own units, so the order of the pairs
// does not matter.
template <class M>
void limit_pairs(M& K, int n) {
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) {
            const double lim = 0.5 * std::sqrt(std::abs(K(i, i)) * std::abs(K(j, j)));
            if (std::abs(K(i, j)) > lim) K(i, j) = K(j, i) = std::copysign(lim, K(i, j));
        }
}

// Component k of B U.
template <int N, class V>
double point_component(const BMAT<N>& B, const V& U, int k) {
    double c = 0.0;
    for (int j = 1; j <= N; ++j) c += B(k, j) * U(j);
    return c;
}

// Column k of B^-1: B is the unit matrix plus a block N above the diagonal
// (the lever arms) with N N = 0, so B^-1 = I - N = 2 I - B.
template <int N>
double inverse_entry(const BMAT<N>& B, int i, int k) {
    return (i == k ? 2.0 : 0.0) - B(i, k);
}

// The diagonal of the tangent at the point, B^-T K B^-1, in magnitude.
template <int N, class M, class W>
W diagonal_at_point(const M& K, const BMAT<N>& B) {
    W w;
    for (int k = 1; k <= N; ++k) {
        double d = 0.0;
        for (int j = 1; j <= N; ++j)
            for (int i = 1; i <= N; ++i) d += inverse_entry(B, i, k) * K(i, j) * inverse_entry(B, j, k);
        w(k) = std::abs(d);
    }
    return w;
}

// 1. Per degree of freedom with a given load: the residual carried to the
//    point (component k of B^-T R) squared over w(k).
// 2. Per given displacement: the mismatch squared times w(k).
template <int N, class V, class Flags, class W>
double residual_size(const V& R, const V& U, const V& PODDSP, const BMAT<N>& B, const Flags& fl, const W& w) {
    double m = 0.0;
    for (int k = 1; k <= N; ++k) {
        if (fl(k) == 0) {
            const double d = PODDSP(k) - point_component(B, U, k);
            m += w(k) * d * d;
            continue;
        }
        double q = 0.0;
        for (int i = 1; i <= N; ++i) q += inverse_entry(B, i, k) * R(i);
        if (w(k) > 0.0) m += q * q / w(k);
    }
    return m;
}

// 1. A := 0 with the cap matrix in its upper left block.
// 2. Per degree of freedom: a given displacement adds its constraint row and
//    the transpose as a column; a given load a unit diagonal on the multiplier.
template <int N, class Aug, class Cap, class Flags>
Aug augmented(const Cap& K, const BMAT<N>& B, const Flags& fl) {
    Aug A;
    for (int j = 1; j <= N; ++j)
        for (int i = 1; i <= N; ++i) A(i, j) = K(i, j);
    for (int k = 1; k <= N; ++k) {
        if (fl(k) == 0) {
            for (int j = 1; j <= N; ++j) {
                A(N + k, j) = B(k, j);
                A(j, N + k) = B(k, j);
            }
        } else {
            A(N + k, N + k) = 1.0;
        }
    }
    return A;
}

// 1. The cap residual and the forces in the first N places.
// 2. Per degree of freedom with a given displacement: the remaining mismatch
//    of the point (b1) and the given value (b2); zero for a given load.
template <int N, class Rhs, class V, class Flags>
Rhs right_sides(const V& R, const V& F, const V& PODDSP, const V& U, const BMAT<N>& B, const Flags& fl) {
    Rhs r;
    for (int i = 1; i <= N; ++i) {
        r.b1(i) = R(i);
        r.b2(i) = F(i);
    }
    for (int k = 1; k <= N; ++k) {
        const bool disp = fl(k) == 0;
        r.b1(N + k) = disp ? PODDSP(k) - point_component(B, U, k) : 0.0;
        r.b2(N + k) = disp ? PODDSP(k) : 0.0;
    }
    return r;
}

// Per degree of freedom: the point's displacement into D; a given load (flag
// 1) into Q, and into L when it is a force; otherwise Q takes the origin
// force or the moment moved to the point (mpt, slots NF + 1 .. N).
template <int N, int NF, class V, class Flags>
void carry(const BMAT<N>& B, const V& U, V& L, const V& mpt, V& D, V& Q, const V& PODLD, const Flags& fl) {
    for (int k = 1; k <= N; ++k) D(k) = point_component(B, U, k);
    for (int k = 1; k <= N; ++k) {
        if (fl(k) == 1) {
            Q(k) = PODLD(k);
            if (k <= NF) L(k) = PODLD(k);
        } else {
            Q(k) = k <= NF ? L(k) : mpt(k);
        }
    }
}

template <class Marks, class Flags>
Marks markers(const Flags& fl) {
    Marks m;
    const int n = Flags::size();
    std::span<char> l = m.lmark.span(), d = m.dmark.span();
    for (int k = 1; k <= n; ++k) {
        const bool disp = fl(k) == 0;
        l[k - 1] = (disp ? MRKOFF : MRKON).view()[0];
        d[k - 1] = (disp ? MRKON : MRKOFF).view()[0];
    }
    return m;
}

}  // namespace

void limit_off_diagonals(MAT3& J) { limit_pairs(J, 3); }
void limit_off_diagonals(CAPMAT& K) { limit_pairs(K, 6); }

VEC3 point_diagonal(const MAT3& J, const PNTXY& PODPT) {
    return diagonal_at_point<3, MAT3, VEC3>(J, plane_rows(PODPT));
}

CAPVEC point_diagonal(const CAPMAT& K, const VEC3& PODPT) {
    return diagonal_at_point<6, CAPMAT, CAPVEC>(K, space_rows(PODPT));
}

double point_residual_size(const VEC3& R, const VEC3& U, const VEC3& PODDSP, const PNTXY& PODPT,
                           const PNTFLGS& PODFL, const VEC3& w) {
    return residual_size(R, U, PODDSP, plane_rows(PODPT), PODFL, w);
}

double point_residual_size(const CAPVEC& R, const CAPVEC& U, const CAPVEC& PODDSP, const VEC3& PODPT,
                           const CAPFLAGS& PODFL, const CAPVEC& w) {
    return residual_size(R, U, PODDSP, space_rows(PODPT), PODFL, w);
}

CAPMAT PNTSYS6(const MAT3& J, const PNTXY& PODPT, const PNTFLGS& PODFL) {
    return augmented<3, CAPMAT>(J, plane_rows(PODPT), PODFL);
}

PointRhs6 PNTRHS6(const VEC3& R, const VEC3& F, const VEC3& PODDSP, const VEC3& U, const PNTXY& PODPT,
                  const PNTFLGS& PODFL) {
    return right_sides<3, PointRhs6>(R, F, PODDSP, U, plane_rows(PODPT), PODFL);
}

MAT12 CAPK12(const CAPMAT& K, const VEC3& PODPT, const CAPFLAGS& PODFL) {
    return augmented<6, MAT12>(K, space_rows(PODPT), PODFL);
}

PointRhs12 CAPRES(const CAPVEC& R, const CAPVEC& F, const CAPVEC& PODDSP, const CAPVEC& U, const VEC3& PODPT,
                  const CAPFLAGS& PODFL) {
    return right_sides<6, PointRhs12>(R, F, PODDSP, U, space_rows(PODPT), PODFL);
}

int PNTLOAD(const VEC3& U, VEC3& L, const PNTXY& PODPT, VEC3& D, VEC3& Q, const VEC3& PODLD, const PNTFLGS& PODFL) {
    const double x = PODPT(1), y = PODPT(2);
    if (x == 0.0 && y == 0.0) return 0;
    VEC3 mpt;
    mpt(3) = L(3) - (x * L(2) - y * L(1));
    carry<3, 2>(plane_rows(PODPT), U, L, mpt, D, Q, PODLD, PODFL);
    return 1;
}

int LDXFER(const CAPVEC& U, CAPVEC& L, const VEC3& PODPT, CAPVEC& D, CAPVEC& Q, const CAPVEC& PODLD,
           const CAPFLAGS& PODFL) {
    const double x = PODPT(1), y = PODPT(2), z = PODPT(3);
    if (x == 0.0 && y == 0.0 && z == 0.0) return 0;
    CAPVEC mpt;
    mpt(4) = L(4) - (y * L(3) - z * L(2));
    mpt(5) = L(5) - (z * L(1) - x * L(3));
    mpt(6) = L(6) - (x * L(2) - y * L(1));
    carry<6, 3>(space_rows(PODPT), U, L, mpt, D, Q, PODLD, PODFL);
    return 1;
}

PointMarks3 PNTFLAG(const PNTFLGS& PODFL) { return markers<PointMarks3>(PODFL); }

PointMarks6 DOFLBL(const CAPFLAGS& PODFL) { return markers<PointMarks6>(PODFL); }

}  // namespace zolan
