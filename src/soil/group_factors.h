// Group reduction factors for closely spaced piles: the p-multiplier of each
// pile row for a movement of the group along Y (PFACT1) or Z (PFACT2), the
// mean over the row's piles of the product of pairwise factors with every
// other pile of the group. The y-multipliers are 1.
#pragma once

#include "model/input_tables.h"

namespace zolan {

// direction: +1 movement toward increasing Y (PFACT1) or Z (PFACT2), -1 the
// other way; a value between weighs each pile's products for the two senses
// by (1 + direction) / 2 and (1 - direction) / 2, so that the factors pass
// from one sense to the other without a jump, and 0, their mean, keeps a
// group symmetric about the axis across the movement symmetric. Writes PFGRP, YFGRP
// (PFACT1) or PFGRP2, YFGRP2 (PFACT2) for rows 1..NPILES, and YTOP of every
// row with a pile. A row standing for fewer than one pile contributes no
// pile and gets the factor 1. The working storage
// grows to the piles of the group at the first call with that layout; later
// calls allocate nothing. Not reentrant: call from one thread at a time.
// `stop`, when given, is asked before each pile's products with the pile's
// number and the count of piles (the products grow with the square of a
// large group); true leaves the factors unfinished, for a run that stops.
using GroupStop = bool (*)(int pile, int piles);
void PFACT1(double direction, GroupStop stop = nullptr);
void PFACT2(double direction, GroupStop stop = nullptr);

// The factors of a group that no push moves one way rather than another:
// for each row the mean over NTURNS movements at equal angles round the
// horizontal plane (every 15 degrees, starting along +Y) of the factors of
// a movement that way, so that turning the layout by a multiple of the
// angle (a group of three-, four-, six- or eight-fold symmetry onto itself)
// turns the factors with it. Along +Y and +Z a movement takes the factors
// PFACT1(1) and PFACT2(1) give. Writes pf, yf of rows 1..NPILES (yf 1) and
// YTOP, as PFACT1 does.
constexpr int NTURNS = 24;
void PFACTTURN(Table1<double, MAXPIL>& pf, Table1<double, MAXPIL>& yf);

// Piles standing at the same position in the last call (their pair factor is
// 0, and so are their products): the number of such pairs and the rows of the
// first one (the same row twice when a row's piles coincide).
struct CoincidentPiles {
    int pairs = 0;
    int row1 = 0, row2 = 0;
};
CoincidentPiles group_coincident_piles();

// One row of a group-factor table on a report unit: the pile row, its
// p-factor and its y-factor, laid out as 12 blanks, I5, 5 blanks, then the two
// values in 12-column real fields (4 digits) one blank apart.
void GRPROW(int unit, int p, double pf, double yf);

// No coincident piles and an empty layout, at the start of a run (the working
// storage keeps its size).
void reset_group_factors();

}  // namespace zolan
