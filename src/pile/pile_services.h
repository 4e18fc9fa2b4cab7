// Single-pile response entries that the analysis driver calls when it writes
// the curve file: the axial spring curves by station and the torque-rotation
// curve of a pile row. Each is reached through a replaceable hook (tests
// install scripted doubles); their own bodies write the records.
#pragma once

#include <functional>

namespace zolan {

// Axial spring curves of pile row p by station, on the curve file (unit 28).
void LSCRVP(int p, int& ISTAT);
// Torque-rotation curve of pile row p on the curve file (three-dimensional
// model); may set ISTAT to 34 or 35.
void TRCRVP(int p, int& ISTAT);

struct PileServices {
    std::function<void(int p, int& ISTAT)> lscrvp, trcrvp;
};
extern PileServices pile_services;  // an empty member means the module's own body

}  // namespace zolan
