// Target-deflection search of a stiffness level: the next trial load factor
// from the level's history of (deflection, factor) pairs, and the report of
// a level point once its last trial has been accepted.
#pragma once

#include "model/analysis_tables.h"
#include "model/limits.h"
#include "model/pile_tables.h"
#include "model/table.h"

namespace zolan {

// A pair joins a history of n pairs at its place by factor, after the pairs
// of the same factor, so that the history stays in ascending order of factor.
// A full history (MAXHIST pairs) takes no more.
void insert_history_pair(Table2<double, 2, MAXHIST>& h, int& n, double deflection, double factor);

// Load factor of the next trial from the NHIST pairs of FACHIST (FACHIST(1, k)
// the deflection, FACHIST(2, k) the factor) and the target DEFTGT:
//   - no pair: 0 (the first trial of a case is a solve without load);
//   - one pair: DEFTGT F1 / D1 (1.0 when |D1| <= 1e-4);
//   - else the pairs ordered by factor, the interval (a, b) = (1, 2) when
//     D1 >= DEFTGT, (n - 1, n) when DEFTGT >= Dn, else the first (k - 1, k)
//     with Dk >= DEFTGT; the factor interpolated (or extrapolated) linearly at
//     DEFTGT. Equal deflections at both ends of the interval give Fb.
// The history is at most MAXHIST pairs; a larger count is taken as MAXHIST.
double target_factor_from_history(const Table2<double, 2, MAXHIST>& FACHIST, int NHIST, double DEFTGT);

// Target line of a level on `unit` (nothing when the estimation is based on
// the total applied load): caption of the target degree of freedom, target
// and computed deflection, the length label after translations.
void TGTWR(int unit, int NPTLEV, int NANTYP, double DEFCMP, double DEFTGT, const Table1<double, MAXSTL>& PTFAC);

// Report of level point `point` of level value `factor`: its number and
// factor, the target lines, and the cap load and displacement at the origin
// (three values in the plane model, six otherwise) on SUMFILE, PLOTDATA and
// RESFILE.
void ORIGWR(int NPTLEV, int NANTYP, int point, double factor, double DEFCMP, double DEFTGT,
            const Table1<double, MAXSTL>& PTFAC, const CAPVEC& load, const CAPVEC& displacement);

}  // namespace zolan
