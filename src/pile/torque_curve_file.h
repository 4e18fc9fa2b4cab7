// Torque-rotation curves of a pile on the curve file: at NCRVST + 1 equally
// spaced stations from the head to the tip, the torsional moment against the
// rotation about the pile axis that the shaft resistance mobilises from the
// ground line down to the segment below the station (each segment at one
// half of its torque, the pile rigid in torsion). The t-z curve of each
// segment is turned around the shaft: shear on the shaft area at the shaft
// radius, movement over the radius as the rotation.
#pragma once

namespace zolan {

// The block of pile row r (three-dimensional model), the last of the pile's
// blocks. A lookup beyond its input curve sets ISTAT and ends the block.
void write_torque_curves(int r, int& ISTAT);

}  // namespace zolan
