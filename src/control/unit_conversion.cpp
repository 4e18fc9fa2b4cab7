// Conversion of the raw input tables to internal units, in place and once per
// run: in English units feet become inches and per-square-foot and
// per-cubic-foot quantities per square and cubic inch; in SI units the
// cross-section millimetre quantities become metres. Forces, moments, curve
// ordinates, angles, moduli, factors and counts keep the values read.
#include "control/control.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/status_codes.h"
#include "report/unit_labels.h"

namespace zolan {
namespace {

void scale(double& x, double (*f)(double)) { x = f(x); }

// The stop request between the distributed-load sets and the pile rows of a
// large input: true, with ISTAT := 4, when the run must stop (the tables are
// then left part converted; nothing reads them after a stop).
bool conversion_stop(int& ISTAT) {
    static const fmt::Format progress(R"(("- UNIT CONVERSION",/,/))");
    if (!STOPPOLL(progress, {})) return false;
    ISTAT = ISSTOP;
    return true;
}

}  // namespace

void UNITCONV(int& ISTAT) {
    const bool plane = NANTYP == 2;

    // 1. Pile cap dimensions.
    for (double* x : {&CAPLEN, &CAPWID, &CAPTHK, &CAPDEQ}) scale(*x, UCM12);

    // 2. Points of the concentrated loads and of the point of definition.
    for (int i = 1; i <= NLCASE; ++i) {
        for (int m = 1; m <= NCLOAD(i); ++m)
            for (int c = 7; c <= (plane ? 8 : 9); ++c) scale(CLOAD(i, m, c), UCM12);
        if (LCPOD(i) > 0)
            for (int c = 1; c <= (plane ? 2 : 3); ++c) scale(PODXYZ(i, c), UCM12);
    }

    // 3. Depths of the distributed-load sets.
    for (int s = 1; s <= NDLSET; ++s) {
        if (conversion_stop(ISTAT)) return;
        for (int k = 1; k <= NDLPT(s); ++k) scale(DLDEP(s, k), UCM12);
    }

    // 4. Pile rows: head coordinates, spacing and ground-line depth.
    NPILES = plane ? NPILE2 : NPILE3;
    for (int r = 1; r <= NPILES; ++r) {
        if (conversion_stop(ISTAT)) return;
        if (plane) {
            scale(PGRA2(r, 2), UCM12);
            for (int c : {1, 2, 4}) scale(PGRB2(r, c), UCM12);
        } else {
            for (int c : {1, 2, 3, 7}) scale(PGRB3(r, c), UCM12);
        }
    }

    // 5. Pile lengths and section depths.
    for (int p = 1; p <= NPRSET; ++p) {
        scale(PPIN.PLEN(p), UCM12);
        for (int s = 1; s <= PPIN.NSEC(p); ++s) {
            scale(PPIN.STOP(p, s), UCM12);
            scale(PPIN.SBOT(p, s), UCM12);
        }
    }

    // 6. Cross sections: dimensions, areas and moments of inertia (SI only).
    for (int k = 1; k <= NSECT; ++k) {
        for (int f = 1; f <= 8; ++f) {
            scale(XSTAB(k, f), UCD1E3);
            scale(XSTAB(k, f + 18), UCD1E3);
        }
        scale(XSTAB(k, 10), UCD1E6);
        scale(XSTAB(k, 28), UCD1E6);
        scale(XSTAB(k, 11), UCD1E12);
        scale(XSTAB(k, 29), UCD1E12);
        if (!plane) {
            scale(XSTAB(k, 12), UCD1E12);
            scale(XSTAB(k, 30), UCD1E12);
        }
        // Lengths (widths, diameters, thicknesses, covers) and areas of the
        // reinforcement: field 17 the bar area and 18 the bar diameter, 26 the
        // strand diameter and 27 the strand area, as the echo shows them.
        for (int f : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 18, 19, 23, 24, 26, 28}) scale(XSNLR(k, f), UCD1E3);
        for (int f : {17, 22, 27}) scale(XSNLR(k, f), UCD1E6);
        for (int row = 1; row <= MAXXSR; ++row)
            for (int c = 1; c <= 2; ++c) {
                scale(XSBAR(k, row, c), UCD1E3);
                scale(XSSTR(k, row, c), UCD1E3);
            }
    }

    // 7. Soil layers: depths, unit weight and strengths at the top and bottom.
    for (int L = 1; L <= NLAYER; ++L) {
        scale(LAYIN.TOP(L), UCM12);
        scale(LAYIN.BOT(L), UCM12);
        for (int k = 1; k <= 2; ++k) {
            scale(LAYPRP(L, k, 1), UCD1728);
            // Vuggy limestone and weak rock give their second value in the
            // units they are read in.
            if (LAYIN.ISOIL(L) != 6 && LAYIN.ISOIL(L) != 9) scale(LAYPRP(L, k, 2), UCD144);
            scale(LAYPRP(L, k, 8), UCD144);
            scale(LAYPRP(L, k, 9), UCD144);
        }
    }

    // 8-11. Depths of the p-y print requests, user p-y curves, reduction
    // factors along depth and soil movement.
    if (PYMODE == 1)
        for (int r = 1; r <= PYREQN; ++r) scale(PYRQIN.DEP(r), UCM12);
    if (KUPY == 1)
        for (int s = 1; s <= NUPYS; ++s)
            for (int j = 1; j <= UPYIN.NC(s); ++j) scale(UPYIN.DEP(s, j), UCM12);
    if (KJ1 == 1)
        for (int s = 1; s <= NRFSET; ++s)
            for (int k = 1; k <= RFLNPT(s); ++k) scale(RFLDEP(s, k), UCM12);
    if (KJ2 == 1)
        for (int k = 1; k <= NSMOV; ++k) scale(SMDEP(k), UCM12);
}

}  // namespace zolan
