// Fixed dimensions of the model tables.
#pragma once

namespace zolan {

constexpr int MAXPIL = 2501;   // pile rows; the last slot holds the embedded cap as a short pile
constexpr int MAXINC = 100;    // increments along a pile: 101 nodes
constexpr int MAXNOD = 107;    // node slots per pile row: 101 nodes and three spares beyond each end
constexpr int MAXLC = 100;     // load cases
constexpr int MAXCMB = 100;    // load combinations
constexpr int NAMELEN = 256;   // file-name field of the names file

}  // namespace zolan
