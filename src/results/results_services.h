// Results reports and envelopes: the envelope writers and resets, the
// envelope counter, and the per-pile writers of the curve file. The writers
// are built later; until then each is reached through a replaceable hook
// (tests install scripted doubles) and its own body writes nothing.
#pragma once

#include <functional>

namespace zolan {

// Envelope of kind 1 (load cases) or 2 (combinations), side 1 (minimum) or
// 2 (maximum), on the reports and the status file: three-dimensional model,
// and the plane model.
void ENVEWR(int kind, int side);
void ENVEWR2D(int kind, int side);
// Zero the minimum and maximum envelope accumulators.
void ENVRST();
void ENVRST2D();
// Geometry records, and p-y curves, of pile row p on the curve file (unit 28).
void PILEPLOT(int p, int& ISTAT);
void PYPLOT(int p, int& ISTAT);

// Envelope counter: the updates copy instead of comparing while it is 1.
extern int NANAL;

void reset_results_state();  // the envelope counter back to 0

struct ResultsServices {
    std::function<void(int kind, int side)> envewr, envewr2d;
    std::function<void()> envrst, envrst2d;
    std::function<void(int p, int& ISTAT)> pileplot, pyplot;
};
extern ResultsServices results_services;  // an empty member means the module's own body

}  // namespace zolan
