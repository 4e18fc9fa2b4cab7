#include "flexcap/slab_report.h"

#include <algorithm>

#include "flexcap/shell_element.h"
#include "flexcap/slab_analysis.h"
#include "flexcap/slab_program.h"
#include "group/pile_row_loops.h"
#include "group/result_pass3d.h"
#include "model/analysis_outcomes.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/result_tables.h"
#include "model/run_state.h"
#include "model/status_codes.h"
#include "pile/pile_response.h"
#include "report/run_files.h"
#include "report/stop_request.h"
#include "results/results_services.h"

namespace zolan {

SlabEnd SLBEND;

namespace {

// The slab's displacement at the cap origin, in cap axes (zero when the
// origin lies in no element).
CAPVEC origin_displacement() {
    const SlabControl& c = FCCTRL;
    CAPVEC d;
    d.fill(0.0);
    RTab at;
    ITab el;
    at.allocate(2, 1);
    el.allocate(1);
    ShellWork& w = FCTAB.ELW;
    FCLOCP(1, at, el, FCTAB.ICONN, FCTAB.XYNOD, c, w);
    const int e = el(1);
    if (e < 1 || e > c.NELEM) return d;
    FCSHAP(at(1, 1), at(2, 1), c.NNODE, w);
    double u[6] = {0, 0, 0, 0, 0, 0};
    for (int k = 1; k <= c.NNODE; ++k)
        for (int j = 0; j < 6; ++j) u[j] += w.SHFN(k) * FCTAB.ASDIS(j + 1, FCTAB.ICONN(k, e));
    return slab_to_cap(u);
}

// The print pass of the piles at their final head displacements, with the
// Table M heading first; then the pile pages and tables of the analysis. A
// stop read between its rows or pile pages ends it with ISTAT := 4.
void print_pass(int& ISTAT) {
    KFLAG = 1;
    if (KPRINT > 0) {
        for (int unit : {RESFILE, SUMFILE}) io::write_fmt(unit, captext::F_TABLE_M);
        io::write_fmt(SUMSCR, captext::F_TABLE_M_SCR);
    }
    RESCUR.zero();
    PILEPRINT(pile_controls(1, NANAL, 0), SLBEND.nheads, SLBEND.heads.data(), SLBEND.forces.data());
    if (!STOPSEEN()) {
        KPRCUR = KPRINT;
        NPRCUR = NPRINC;
        ENVEWR(0, 0);
    }
    if (STOPSEEN()) ISTAT = ISSTOP;
    else ++NANAL;
    KFLAG = 0;
}

}  // namespace

void SLABKEEP(bool reached, int kplerr) {
    const SlabControl& c = FCCTRL;
    SLBEND.stepped = true;
    SLBEND.reached = reached;
    SLBEND.kplerr = kplerr;
    SLBEND.nheads = 0;
    SLBEND.origin.fill(0.0);
    if (c.ISTEP <= 1) return;
    SLBEND.origin = origin_displacement();
    if (c.KPSPR <= 0) return;
    SLBEND.nheads = std::min({c.NCTSTI, NPILES, MAXPIL});
    for (int i = 1; i <= SLBEND.nheads; ++i)
        for (int j = 1; j <= 6; ++j) SLBEND.heads(j, i) = FCTAB.PLDIS(j, i);
}

void SLABREPORT(const CAPVEC& P, int& ISTAT) {
    if (!SLBEND.stepped) return;
    SLBEND.stepped = false;
    // A slab analysis that did not reach its load: its status line, and the
    // analysis named at the end of the run (the run ends on it).
    if (!SLBEND.reached) {
        const int code = SLBEND.kplerr != 0 ? 6 : 3;
        CAPSTAT(code);
        NOTEINC(code);
        return;
    }
    if (ISTAT != ISOK) return;
    CAPSTAT(1);
    CAPENV(P, SLBEND.origin);
    print_pass(ISTAT);
}

void SlabEnd::reset() {
    stepped = reached = false;
    kplerr = nheads = 0;
    heads.fill(0.0);
    forces.fill(0.0);
    origin.fill(0.0);
}

void reset_slab_report() { SLBEND.reset(); }

}  // namespace zolan
