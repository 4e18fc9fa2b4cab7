// Finite-difference node mesh of a pile row and its length check: the depth
// and axial position of every node from the head to the tip, and for each
// soil layer the first and last node that lie in it, so that each node takes
// the p-y curves of the layer that contains it.
//
// Threads: NODE and NODE2D run inside the parallel loops over pile rows and
// write only row p's slots of NDEPTH, NDAXIS, LAYNF and LAYNL (and the status
// word, set only from 0). The values common to every row, the increment length
// HINCR of each property set and the layer-table sentinel, are stored once per
// run by NODESETUP before the loops; the mesh routines only read them.
#pragma once

namespace zolan {

// Once per run, before any pile row is evaluated: HINCR(t) := PLENP(t) / NINCR(t)
// for every property set t that has increments, and the sentinel slot beyond
// the deepest soil layer, LAYTOP(NLAYPY + 1) := LAYBOT(NLAYPY). One thread.
void NODESETUP();

// Once per run, after NODESETUP and before the analyses and the printed p-y
// curves: the layered-soil state of the p-y curves (running sums PUSUM and
// equivalent depths EQDEP) of every pile row, formed as the row's first
// evaluation in an analysis forms it: the row's mesh, then PYFORM with the
// loading type of the first load case, else combination, to be analysed (the
// current one when none is). The analyses and the printed curves then only
// read it. A row whose mesh fails is left unformed, quietly: its evaluation
// reports the failure. One thread.
void PYSETUP();

// Node mesh of pile row p of the three-dimensional model, head at CORX(p).
// Node k (1 = head, NINCR + 1 = tip) lies at NDAXIS(p, k) along the axis and
// at depth NDEPTH(p, k), both by repeated addition of the increment (the depth
// increment times cos BATANG(p) when KBATAD = 1). A node belongs to the deepest
// layer whose top is at or above it; LAYNF(l, p) and LAYNL(l, p) are the first
// and last node of layer l, both 0 when the layer holds no node, and a layer
// holding nodes whose bottom is at or below the tip ends at the tip. A row
// with a user p-y set gets its depths and no layer ranges. A node below the
// bottom of the deepest layer (or any node below the head when there is no
// layer) writes the fatal block on the results report and the runtime file
// and sets ISTAT to 3 when it is 0.
void NODE(int p, int& ISTAT);

// The same for pile row p of the plane model, head at XTOP(p); status 13.
void NODE2D(int p, int& ISTAT);

// Whether a node depth lies below the bottom of the soil profile. A depth
// reached by adding increments may pass a bottom it should meet exactly by
// the rounding of the sums; within a millionth of a per cent of the bottom it
// lies on it.
bool below_profile(double depth, double bottom);

// The fatal block of a pile longer than the soil profile, for the length
// (internal units), on the results report and the runtime file.
void TOOLONG(double length);

}  // namespace zolan
