// Fixed dimensions of the model tables.
#pragma once

namespace zolan {

constexpr int MAXPIL = 2501;   // pile rows; the last slot holds the embedded cap as a short pile
constexpr int MAXINC = 100;    // increments along a pile: 101 nodes
constexpr int MAXNOD = 107;    // node slots per pile row: 101 nodes and three spares beyond each end
constexpr int MAXLC = 100;     // load cases
constexpr int MAXCMB = 100;    // load combinations
constexpr int NAMELEN = 256;   // file-name field of the names file
constexpr int MAXFCE = 100;    // elements along each side of the flexible cap's slab mesh

// Raw input tables of the input data file.
constexpr int MAXROW = MAXPIL - 1;  // pile rows of the input; the last per-pile slot is the cap's
constexpr int MAXCLD = 100;    // concentrated loads per load case
constexpr int MAXDLL = 100;    // distributed-load lines per load case
constexpr int MAXSTL = 100;    // foundation-stiffness values per load case (levels and estimation block)
constexpr int MAXLBC = 100;    // load cases combined in one combination
constexpr int MAXEFF = 25;     // along-pile quantities with a print-selection flag
constexpr int MAXDLS = 2500;   // distributed-load sets
constexpr int MAXDLP = 100;    // points per distributed-load set
constexpr int MAXPRS = 50;     // pile property sets
constexpr int MAXSEC = 20;     // sections per property set
constexpr int MAXXS = 100;     // cross sections
constexpr int MAXXSR = 100;    // rows of the bar, strand and third lists of a nonlinear cross section
constexpr int MAXLAY = 20;     // soil layers
constexpr int MAXLPR = 2;      // property records per layer: top and bottom of the layer
constexpr int MAXLPV = 10;     // values per layer property record
constexpr int MAXPYR = 50;     // p-y print requests
constexpr int MAXPYY = 25;     // deflections per p-y print request
constexpr int MAXUPS = 50;     // user p-y curve sets
constexpr int MAXUPC = 20;     // curves per user p-y set
constexpr int MAXUPP = 50;     // points per user p-y curve
constexpr int MAXUCV = 50;     // user axial load-displacement curves, and user torque-rotation curves
constexpr int MAXUCP = 50;     // points per user axial or torque curve
constexpr int MAXTRG = 50;     // generated torque-rotation curves
constexpr int MAXMPS = 150;    // moment-curvature sets, user and generated together
constexpr int MAXMPL = 25;     // axial-load levels per moment-curvature set
constexpr int MAXMPP = 200;    // points per moment-curvature curve
constexpr int MAXRFS = 100;    // sets of reduction factors along depth
constexpr int MAXRFP = 50;     // points per reduction-factor set
constexpr int MAXSMV = 25;     // soil-movement points
constexpr int MAXCRL = 25;     // deflections of the curve-file p-y curves
constexpr int MAXCST = 100;    // divisions of a pile at whose stations the curve file gives curves

}  // namespace zolan
