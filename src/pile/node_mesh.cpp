// Node mesh of a pile row: node depths and axial positions by repeated
// addition of the increment from the head, the node range of each soil layer,
// and the check that no node lies below the bottom of the deepest layer.
#include "pile/node_mesh.h"

#include <algorithm>
#include <cmath>

#include "soil/soil_lookup.h"
#include "model/case_tables.h"
#include "model/status_codes.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "report/row_report.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "soil/py_curves.h"

namespace zolan {
namespace {

// Fatal block of a pile longer than the soil profile: three empty records,
// then three lines; the length in internal units with its unit label.
const fmt::Format& F_TOO_LONG() {
    static const fmt::Format f(
        R"~((/,/,/,5X,"**** FATAL ERROR ****",/,5X,"THE PILE LENGTH, ",E10.2,"(",A,")",", EXTENDS BELOW THE",/,5X,"BOTTOM OF THE DEEPEST LAYER."))~");
    return f;
}

void too_long(int t) { TOOLONG(PLENP(t)); }

// The soil layer that holds depth x: the deepest layer whose top is at or
// above x; 0 above the first layer (or for a depth that does not compare).
int layer_of(double x) {
    for (int l = NLAYPY; l >= 1; --l)
        if (LAYTOP(l) <= x) return l;
    return 0;
}

// Mesh of row p with its head at depth `head`; `code` is the status of a pile
// longer than the soil profile.
void lay_out(int p, double head, int code, int& ISTAT) {
    const int t = IPROP(p);
    const int n = NINCR(t);
    const int lmax = NLAYPY < MAXSLY ? NLAYPY + 1 : MAXSLY;

    // 1. No layer holds a node yet.
    for (int l = 1; l <= lmax; ++l) {
        LAYNF(l, p) = 0;
        LAYNL(l, p) = 0;
    }

    // 2. The increment along the axis (set once per run) and in depth.
    const double h = HINCR(t);
    const double hv = KBATAD == 1 ? h * std::cos(BATANG(p)) : h;

    // 3. The head.
    NDEPTH(p, 1) = head;
    NDAXIS(p, 1) = head;

    // 4. A row with user p-y curves finds them by depth: nodes only, no layer
    //    ranges and no length check.
    if (KUPY == 1 && IPYSET(p) > 0) {
        for (int k = 2; k <= n + 1; ++k) {
            NDEPTH(p, k) = NDEPTH(p, k - 1) + hv;
            NDAXIS(p, k) = NDAXIS(p, k - 1) + h;
        }
        return;
    }

    // 5. The bottom of the soil profile (none without layers: every node
    //    below the head then lies below it).
    const bool profile = NLAYPY >= 1;
    const double D = profile ? LAYBOT(NLAYPY) : 0.0;

    for (int k = 1; k <= n + 1; ++k) {
        // 6a. The next node, and the length check; the head takes no part in it.
        if (k >= 2) {
            NDAXIS(p, k) = NDAXIS(p, k - 1) + h;
            NDEPTH(p, k) = NDEPTH(p, k - 1) + hv;
            if (!(profile && !below_profile(NDEPTH(p, k), D))) {  // also a depth that does not compare
                too_long(t);
                set_status_once(ISTAT, code);
                return;  // the layer ranges are incomplete and are not used
            }
            // A tip on the bottom, past it by rounding alone, stands on it.
            NDEPTH(p, k) = std::min(NDEPTH(p, k), D);
        }
        // 6b. The node belongs to the layer that contains it; a node exactly on
        //     a layer top is the lower layer's. Nodes above layer 1 are in none.
        const int l = layer_of(NDEPTH(p, k));
        if (l == 0) continue;
        if (LAYNF(l, p) == 0) LAYNF(l, p) = k;
        LAYNL(l, p) = k;
    }

    // 7. A layer holding nodes whose bottom lies at or below the tip ends at
    //    the tip (the tip on a layer top then also closes the layer above).
    //    The deepest layer, when it holds nodes, holds the tip already.
    const double tip = NDEPTH(p, n + 1);
    for (int l = 1; l <= NLAYPY; ++l)
        if (LAYNF(l, p) != 0 && LAYBOT(l) >= tip) LAYNL(l, p) = n + 1;
}

// Loading type of the first load case, else combination, that is analysed;
// the current one when none is.
int first_loadtyp() {
    for (int i = 1; i <= NLCASE; ++i)
        if (LCSKIP(i) != 1) return LCOPT(i, 4);
    for (int j = 1; j <= NLCOMB; ++j)
        if (LBFLG(j, 2) != 1) return LBOPT(j, 4);
    return LOADTYP;
}

}  // namespace

void NODESETUP() {
    for (int t = 1; t <= MAXPSA; ++t)
        if (NINCR(t) >= 1) HINCR(t) = PLENP(t) / NINCR(t);
    if (NLAYPY >= 1 && NLAYPY < MAXSLY) LAYTOP(NLAYPY + 1) = LAYBOT(NLAYPY);
}

void PYSETUP() {
    const int loadtyp = LOADTYP;
    LOADTYP = first_loadtyp();
    for (int p = 1; p <= NPILES; ++p) {
        // The mesh as the row's evaluation lays it; a failure's block is dropped.
        RowReport quiet;
        const RowScope scope(quiet);
        int status = 0;
        if (NANTYP == 2) {
            NODE2D(p, status);
        } else {
            NODE(p, status);
        }
        if (status == 0) PYFORM(IPROP(p), p, 0);
    }
    LOADTYP = loadtyp;
}

bool below_profile(double depth, double bottom) {
    return !(depth <= bottom + 1e-8 * std::fabs(bottom));
}

void TOOLONG(double length) { row_block({RESFILE, RUNFILE}, F_TOO_LONG(), {length, ULEN.view()}); }

void NODE(int p, int& ISTAT) { lay_out(p, CORX(p), ISPLEN, ISTAT); }

void NODE2D(int p, int& ISTAT) { lay_out(p, XTOP(p), ISPLEN2D, ISTAT); }

}  // namespace zolan
