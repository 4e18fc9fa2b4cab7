// Results reports and envelopes: the envelope writers and resets, the
// envelope counter, and the per-pile writers of the curve file. Each entry
// runs its replaceable hook when one is installed (tests install scripted
// doubles), else the module's own writer (results/envelope_writer.h,
// results/curve_records.h).
#pragma once

#include <functional>
#include <string>

namespace zolan {

// Envelope of kind 1 (load cases) or 2 (combinations), side 1 (minimum) or
// 2 (maximum), on the reports and the status file: three-dimensional model,
// and the plane model. A series whose counter NANAL is still 1 (no analysis
// solved) writes a note instead, at its minimum call.
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
// Print level and node increment of the analysis being reported, copied by
// the cap solver from KPRINT and NPRINC before it calls the results writer.
extern int KPRCUR, NPRCUR;
// First failure of the results writers (38 a work file that could not be
// written or read, 40 a fault caught in a pile's output region), with its
// line in FAILTXT; the run driver makes it the run status.
extern int RESSTAT;
void results_failure(int status, const std::string& line);

void reset_results_state();  // the counter, the print words and the status back to 0

struct ResultsServices {
    std::function<void(int kind, int side)> envewr, envewr2d;
    std::function<void()> envrst, envrst2d;
    std::function<void(int p, int& ISTAT)> pileplot, pyplot;
};
extern ResultsServices results_services;  // an empty member means the module's own body

}  // namespace zolan
