// Axial springs of a pile for the curve file: the pile's side resistance
// lumped at equally spaced stations from the head to the tip, each station
// carrying half of the segment above it and half of the segment below it,
// the tip station also the tip resistance in compression.
#pragma once

namespace zolan {

// Records of pile row r on the curve file (unit 28, formatted when KCRVFM is
// 0): the pile record, then per station its depth, its flag (1 when the
// segment below it lies below the ground line) and, flagged, 19 points of
// movement and force, odd about the origin. A lookup beyond its input curve
// (22 to 27) or a driven pile on a clay tip without e50 or capacity (32, 33)
// sets ISTAT and ends the records there. Nothing in the model is changed.
void write_axial_springs(int r, int& ISTAT);

}  // namespace zolan
