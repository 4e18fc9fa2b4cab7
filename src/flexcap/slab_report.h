// The results of a slab analysis as a solved analysis of the rigid cap has
// them: its status line, the cap envelope, the Table M heading, the print
// pass of the piles at their final head displacements under the slab (the
// pile routines store their records and envelopes) and the pile pages and
// along-pile tables at the analysis's print level. A slab analysis that did
// not converge gets its status line and is named at the end of the run.
#pragma once

#include "model/limits.h"
#include "model/pile_tables.h"
#include "model/table.h"

namespace zolan {

// The end of the last slab analysis, kept past the release of its tables.
struct SlabEnd {
    bool stepped = false;  // the stepping ran (no fatal diagnostic before it)
    bool reached = false;  // every step converged up to the end time
    int kplerr = 0;        // a pile that did not close in the last attempt
    int nheads = 0;        // pile points with their final head displacement
    Table2<double, 6, MAXPIL> heads;  // per pile point, its head displacement (cap axes)
    CAPVEC origin;         // the slab's displacement at the cap origin (cap axes)
    Table2<double, 6, MAXPIL> forces;  // the print pass: per pile point, its forces on the cap
    void reset();                      // every word and table back to its start value
};
extern SlabEnd SLBEND;

// Kept by the slab driver at the end of its stepping, while its tables are
// held: the outcome, and after a converged step the final head displacements
// of the pile points and the slab's displacement at the origin.
void SLABKEEP(bool reached, int kplerr);

// The reports of the slab analysis just ended under the cap load P (the
// analysis's load at the origin), by the outcome kept in SLBEND.
void SLABREPORT(const CAPVEC& P, int& ISTAT);

void reset_slab_report();

}  // namespace zolan
