#include "flexcap/slab_program.h"

#include <cmath>

#include "model/status_codes.h"
#include "report/run_files.h"
#include "report/stop_request.h"

namespace zolan {

namespace {

// The rest of the deck from where the reader stands, on the listing, and the
// end of the slab analysis.
void list_rest_of_deck(int& ISTAT) {
    io::write_fmt(FCLSFILE, R"((/,/," NOW FOLLOWING A LISTING OF POST-DISASTER DATA CARDS",/))");
    std::string line;
    while (io::read_line(FCDKFILE, line)) {
        line.resize(80, ' ');
        io::write_line(FCLSFILE, "     " + line);
    }
    slab_fatal(ISTAT);
}

// The stop request between the nodes of the mesh check, whose scans grow
// with the square of a large mesh: the progress message and the throttled
// read; on a stop, ISTAT := 4 (when 0) and true.
bool mesh_stop(int& ISTAT) {
    if (!slab_setup_stop("SLAB MESH CHECK")) return false;
    if (ISTAT == ISOK) ISTAT = ISSTOP;
    return true;
}

}  // namespace

bool slab_setup_stop(const char* what) {
    static const fmt::Format progress(R"((" FLEXIBLE CAP, ",A,/))");
    return STOPPOLL(progress, {what});
}

// Plausibility of the counts: every failing test by number on the log and
// the listing (never on the host's streams), then the rest of the deck and
// the fatal end.
void CHECK1(int& ISTAT) {
    const SlabControl& c = FCCTRL;
    Table1<int, 24>& d = FCTAB.DIAGN;
    // 1. Tests 1 to 12.
    d.fill(0);
    d(1) = c.NPOIN < 1;
    d(2) = static_cast<long long>(c.NPOIN) > static_cast<long long>(c.NELEM) * c.NNODE;
    d(3) = c.NVFIX < 0 || c.NVFIX > c.NPOIN;
    d(4) = c.NCASE < 1;
    d(5) = c.NTYPE < 0 || c.NTYPE > 2;
    d(6) = c.NNODE < 3 || c.NNODE > 9;
    d(7) = c.NDOFN < 2 || c.NDOFN > 6;
    d(8) = c.NMATS < 1 || c.NMATS > c.NELEM;
    d(9) = c.NPROP < 3 || c.NPROP > 5;
    d(10) = c.NGAUS < 1 || c.NGAUS > 3;
    d(11) = c.NDIME < 1 || c.NDIME > 3;
    d(12) = c.NSTRE < 2 || c.NSTRE > 8;
    // 2. The diagnoses in number order.
    bool failed = false;
    static const fmt::Format diag(R"((/,/," *** DIAGNOSIS BY CHECK1, ERROR",I3))");
    for (int i = 1; i <= 12; ++i) {
        if (d(i) == 0) continue;
        failed = true;
        io::write_fmt(FCLGFILE, diag, {i});
        io::write_fmt(FCLSFILE, diag, {i});
    }
    // 3. Fatal end after the listing of the deck.
    if (failed) list_rest_of_deck(ISTAT);
}

// Mesh check: coincident nodes, property numbers, connectivity, nodes in no
// element, restraints; the maximum front width in element order sets MFRON.
void CHECK2(RTab& XYNOD, ITab& IFXND, ITab& IFXCD, ITab& ICONN, ITab& IMATE, int& ISTAT) {
    SlabControl& c = FCCTRL;
    Table1<int, 24>& d = FCTAB.DIAGN;
    ITab& fc = FCTAB.FRCHG;
    // 1. Front size and front changes.
    c.MFRON = 60;
    fc.fill(0);
    // 2. Coincident nodes.
    for (int i = 2; i <= c.NPOIN; ++i) {
        if (mesh_stop(ISTAT)) return;
        for (int j = 1; j < i; ++j) {
            bool same = true;
            for (int k = 1; k <= c.NDIME; ++k) same = same && XYNOD(k, i) == XYNOD(k, j);
            d(13) += same;
        }
    }
    // 3-4. Property numbers and connectivity entries.
    for (int e = 1; e <= c.NELEM; ++e) {
        d(14) += IMATE(e) < 1 || IMATE(e) > c.NMATS;
        for (int k = 1; k <= c.NNODE; ++k) {
            d(15) += ICONN(k, e) == 0;
            d(16) += ICONN(k, e) < 0 || ICONN(k, e) > c.NPOIN;
        }
    }
    // 5. Node scan: repeats within an element, first and last elements, nodes in no element.
    for (int n = 1; n <= c.NPOIN; ++n) {
        if (mesh_stop(ISTAT)) return;
        int first = 0, last = 0;
        for (int e = 1; e <= c.NELEM; ++e) {
            int seen = 0;
            for (int k = 1; k <= c.NNODE; ++k) seen += ICONN(k, e) == n;
            if (seen == 0) continue;
            d(17) += seen - 1;
            if (first == 0) first = e;
            last = e;
        }
        if (first != 0) {
            fc(first) += c.NDOFN;
            if (last < c.NELEM) fc(last + 1) -= c.NDOFN;
            continue;
        }
        io::write_fmt(FCLSFILE, R"((/," CHECK WHY NODE",I4," NEVER APPEARS"))", {n});
        d(18) += 1;
        d(19) += std::fabs(XYNOD(1, n)) + std::fabs(XYNOD(2, n)) > 1.0E-30;
        for (int r = 1; r <= c.NVFIX; ++r) d(20) += IFXND(r) == n;
    }
    // 6. Maximum front width.
    int width = 0, maxw = 0;
    for (int e = 1; e <= c.NELEM; ++e) {
        width += fc(e);
        if (width > maxw) maxw = width;
    }
    io::write_fmt(FCLSFILE, R"((/,/," MAXIMUM FRONTWIDTH ENCOUNTERED =",I5))", {maxw});
    if (maxw > 60) c.MFRON = maxw + 1;
    // 7. Restraint records.
    for (int i = 1; i <= c.NVFIX; ++i) {
        d(22) += IFXND(i) < 1 || IFXND(i) > c.NPOIN;
        bool any = false;
        for (int k = 1; k <= c.NDOFN; ++k) any = any || IFXCD(k, i) > 0;
        d(23) += !any;
        for (int j = 1; j < i; ++j) d(24) += IFXND(j) == IFXND(i);
    }
    // 8-9. Diagnoses, then the fatal end.
    bool failed = false;
    for (int i = 13; i <= 24; ++i) {
        if (d(i) == 0) continue;
        failed = true;
        io::write_fmt(FCLSFILE, R"((/,/," *** DIAGNOSIS BY CHECK2, ERROR",I3,6X," ASSOCIATED NUMBER",I5))", {i, d(i)});
    }
    if (failed) list_rest_of_deck(ISTAT);
}

}  // namespace zolan
