#include "control/load_assembly.h"

#include <cmath>

#include "model/input_tables.h"

namespace zolan {
namespace {

// Sums of the concentrated loads of case i at the origin, not yet scaled:
// forces, and moments plus the moments of the forces about the origin.
void load_sums(int i, CAPVEC& q) {
    q.fill(0.0);
    if (LCPOD(i) == 1) return;
    for (int m = 1; m <= NCLOAD(i); ++m) {
        // Input slot order: FX, FY, MZ, FZ, MY, MX, then X, Y, Z of the point.
        const double fx = CLOAD(i, m, 1), fy = CLOAD(i, m, 2), mz = CLOAD(i, m, 3);
        const double x = CLOAD(i, m, 7), y = CLOAD(i, m, 8);
        if (NANTYP == 2) {
            q(1) += fx;
            q(2) += fy;
            q(6) += mz + x * fy - y * fx;
            continue;
        }
        const double fz = CLOAD(i, m, 4), my = CLOAD(i, m, 5), mx = CLOAD(i, m, 6), z = CLOAD(i, m, 9);
        q(1) += fx;
        q(2) += fy;
        q(3) += fz;
        q(4) += mx + y * fz - z * fy;
        q(5) += my + z * fx - x * fz;
        q(6) += mz + x * fy - y * fx;
    }
}

}  // namespace

void EQLOAD(int i, CAPVEC& q) {
    load_sums(i, q);
    for (int k = 1; k <= 6; ++k) q(k) *= LCSCAL(i);
}

void EQLOADC(int j, CAPVEC& q) {
    q.fill(0.0);
    CAPVEC c;
    for (int m = 1; m <= NLBCAS(j); ++m) {
        const int i = LBCASE(j, m);
        EQLOAD(i, c);
        for (int k = 1; k <= 6; ++k) q(k) += LBFACT(j, m) * c(k);
    }
}

void CAPDOF(int i, CAPVEC& q, CAPVEC& PDFORC, CAPVEC& PDDISP, CAPVEC& PDXYZ, CAPFLAGS& PDFLAG) {
    // 1. Everything cleared; nothing more for a case given by loads.
    q.fill(0.0);
    PDFORC.fill(0.0);
    PDDISP.fill(0.0);
    PDXYZ.fill(0.0);
    PDFLAG.fill(0);
    if (LCPOD(i) == 0) return;
    if (NANTYP != 2) {
        CAPDOF3(i, q, PDFORC, PDDISP, PDXYZ, PDFLAG);
        return;
    }
    // 2-3. Plane model: input slots X, Y, rotation Z; a flag 0 keeps the
    // displacement of its slot, 1 the load, any other value both.
    double d[4], f[4];
    for (int k = 1; k <= 3; ++k) {
        d[k] = PODVAL(i, 2 * k - 1);
        f[k] = PODVAL(i, 2 * k);
        if (PODFLG(i, k) == 0) f[k] = 0.0;
        if (PODFLG(i, k) == 1) d[k] = 0.0;
    }
    const double x = PODXYZ(i, 1), y = PODXYZ(i, 2);
    q(1) = f[1];
    q(2) = f[2];
    q(6) = x * f[2] - y * f[1] + f[3];
    PDFORC(1) = f[1];
    PDFORC(2) = f[2];
    PDFORC(3) = f[3];
    PDDISP(1) = d[1];
    PDDISP(2) = d[2];
    PDDISP(6) = d[3];
    PDXYZ(1) = x;
    PDXYZ(2) = y;
    PDFLAG(1) = PODFLG(i, 1);
    PDFLAG(2) = PODFLG(i, 2);
    PDFLAG(6) = PODFLG(i, 3);
    // 5. The case's scale on loads and displacements, not on the point.
    for (int k = 1; k <= 6; ++k) {
        q(k) *= LCSCAL(i);
        PDFORC(k) *= LCSCAL(i);
        PDDISP(k) *= LCSCAL(i);
    }
}

void CAPDOF3(int i, CAPVEC& q, CAPVEC& PDFORC, CAPVEC& PDDISP, CAPVEC& PDXYZ, CAPFLAGS& PDFLAG) {
    // 4. Input slots put into cap order: 1 X, 2 Y, 4 Z, 6 rotation X, 5 rotation Y, 3 rotation Z.
    static constexpr int kSlot[7] = {0, 1, 2, 4, 6, 5, 3};
    for (int c = 1; c <= 6; ++c) {
        const int k = kSlot[c];
        double d = PODVAL(i, 2 * k - 1), f = PODVAL(i, 2 * k);
        if (PODFLG(i, k) == 0) f = 0.0;
        if (PODFLG(i, k) == 1) d = 0.0;
        PDFORC(c) = f;
        PDDISP(c) = d;
        PDFLAG(c) = PODFLG(i, k);
    }
    const double x = PODXYZ(i, 1), y = PODXYZ(i, 2), z = PODXYZ(i, 3);
    const double fx = PDFORC(1), fy = PDFORC(2), fz = PDFORC(3);
    q(1) = fx;
    q(2) = fy;
    q(3) = fz;
    q(4) = PDFORC(4) + y * fz - z * fy;
    q(5) = PDFORC(5) + z * fx - x * fz;
    q(6) = PDFORC(6) + x * fy - y * fx;
    PDXYZ.fill(0.0);
    PDXYZ(1) = x;
    PDXYZ(2) = y;
    PDXYZ(3) = z;
    // 5. The case's scale on loads and displacements, not on the point.
    for (int k = 1; k <= 6; ++k) {
        q(k) *= LCSCAL(i);
        PDFORC(k) *= LCSCAL(i);
        PDDISP(k) *= LCSCAL(i);
    }
}

void PHRESUL(CAPVEC& q) {
    if (KAXHL <= 0 || NPILES < 1) return;
    for (int p = 1; p <= NPILES; ++p) {
        const double P = AXHLOAD(p);
        const double x = CORX(p), y = CORY(p), z = CORZ(p);
        if (NANTYP == 2) {
            // Along the axis of a plane row of slope phi.
            const double f1 = P * std::cos(BATANG(p)), f2 = P * std::sin(BATANG(p));
            q(1) += f1;
            q(2) += f2;
            q(6) += x * f2 - y * f1;
            continue;
        }
        // Along the axis of a three-dimensional row of angles alpha, beta.
        const double a = ALPHA(p), b = BETA(p);
        const double f1 = P * std::sin(b), f2 = P * std::cos(a) * std::cos(b), f3 = P * std::sin(a) * std::cos(b);
        q(1) += f1;
        q(2) += f2;
        q(3) += f3;
        q(4) += y * f3 - z * f2;
        q(5) += z * f1 - x * f3;
        q(6) += x * f2 - y * f1;
    }
}

}  // namespace zolan
