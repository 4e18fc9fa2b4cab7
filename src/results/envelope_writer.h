// Results and envelope writers of the two models: after every solved
// analysis (kind 0, side 0) and for the minimum (side 1) and maximum (side 2)
// envelopes of the load cases (kind 1) and of the combinations (kind 2): the
// cap tables, the per-pile plot-data blocks, pile pages and work-file
// records, then the pile-top summary tables re-read from the work file.
#pragma once

namespace zolan {

void write_results_3d(int kind, int side);
void write_results_2d(int kind, int side);

// Envelopes of a new series zeroed: three-dimensional model everything; the
// plane model its three cap values of each vector, its pile-top slots 1-7
// and 14-20 and every along-pile quantity (the writers never read a value a
// first printed analysis did not copy, so clearing all 25 only keeps a
// series without a printed analysis free of stale values).
void zero_envelopes_3d();
void zero_envelopes_2d();

// Thread count of one pile's output region: the requested count (0 for the
// automatic rule) on `procs` processors, at most 2 and at most the pile rows.
int pile_output_threads(int request, int procs, int npiles);

}  // namespace zolan
