// Tip resistance of a pile and its q-w curve: the tip capacity from the soil
// input at the tip or estimated from strength by pile type, and ten points of
// tip load against tip movement.
#pragma once

#include "model/table.h"
#include "pile/axial_samples.h"

namespace zolan {

constexpr int NQWPT = 10;  // points of a q-w curve

struct AXTIP {
    double Qtip = 0.0;  // tip capacity (force)
    double wc = 0.0;    // critical tip movement 0.05 D
    Table1<double, NQWPT> W, Q;  // tip movement, tip load; W(1) = Q(1) = 0
};

// Tip capacity and q-w curve from the quantities at the tip:
//   ptype  pile type (1 driven, 2 drilled);
//   xt     tip depth below the depth origin; H its depth below the ground line;
//   code   soil code at the tip (before the stiff-clay rule);
//   A      tip area; Dtip diameter for the e50 curve of a driven pile in clay;
//   D      shaft diameter (wc = 0.05 D and the normalised curves);
//   phin   friction angle in degrees choosing the exponent of the driven-pile
//          curve in cohesionless soil.
// A lookup beyond its input curve sets ISTAT (22 to 26) and returns at once.
// A driven pile on a cohesive tip (other than code 5) with e50 at or below
// 1e-14 sets ISTAT = 32, with zero capacity 33, after a warning block on the
// results report and the runtime file; q-w is then not set.
void TIPQW(int ptype, double xt, double H, int code, double A, double Dtip, double D, double phin, int& ISTAT,
           AXTIP& qw);

// Tip stage of pile row r, property set p: uplift (E < 0) with a tip area of
// 1e-4, compression (E >= 0) with the bottom area of the deepest section. The
// sample table s supplies D and the friction angle of the deepest sample.
void AXQWC(int r, int p, double E, int& ISTAT, const AXSAMP& s, AXTIP& qw);

// Tip load at tip movement w: 0 for w <= W(1), linear between points, along
// the last segment beyond the last point; a segment of no length gives its
// later point.
double QWREAD(const AXTIP& qw, double w);

}  // namespace zolan
