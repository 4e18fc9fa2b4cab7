// The along-pile effects table of a pile page: which of the 25 along-pile
// quantities get a column (EFFSEL), the four heading lines of those columns
// (EFFHDR, also heading the summary's tables of along-pile extremes) and one
// row per printed node (EFFTAB).
#pragma once

#include "model/result_tables.h"
#include "model/table.h"

namespace zolan {

// Selection of the along-pile quantities, one flag per EFFREC quantity in
// quantity order; a flag above 0 gives the quantity a column.
using QSEL = Table1<int, MAXNQ>;

// Clears the flags of the quantities a pile does not provide: the second
// bending plane and the resultants in the plane model (nantyp 2); the axial
// quantities when the pile uses an input load-settlement curve (curve > 0) or
// the axial variation is left out (kaxvar 0); the demand/capacity ratios of a
// load case (icomb 0).
void drop_unprovided(QSEL& flags, int curve, int kaxvar, int icomb, int nantyp);

// Selection of the analysis just solved (envflag 0: the case ICASE, or the
// combination ICASE when ICOMB is not 0) or of an envelope (envflag not 0:
// the load-case or, when ICOMB is not 0, the combination envelope flags),
// less what the pile or the piles (curve: ILSCRV, or the all-piles curve
// flag) and the model do not provide.
QSEL EFFSEL(int envflag, int curve, int kaxvar, int nantyp);

// The four heading lines of the selected columns: selector 1 on the summary,
// 2 on the summary scratch, any other value on the results report. An open
// line of the file is ended first (a file with none gets a line of one blank).
void EFFHDR(int selector, const QSEL& qsel);

// One row on the results report per printed node of a pile whose last node
// row is `last` (N + 4): the depth below the head in printing units, then the
// selected quantities of the work record, each R12.4. Rows 4, 4 + s, ... up to
// `last`, s the node increment at most N; an increment of 0 or less prints
// every node.
void EFFTAB(const QSEL& qsel, int last, int ninc, double h, const EFFREC& rec);

}  // namespace zolan
