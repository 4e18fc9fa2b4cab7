// Parallel loop over pile rows with per-row reports folded in row order.
#include "model/pile_rows.h"

#include <algorithm>
#include <atomic>

#include "model/status_codes.h"
#include "model/table.h"
#include "report/stop_request.h"

namespace zolan {
namespace {

// Room each row report takes on first use, enough for a few warning blocks.
constexpr std::size_t ROWCHARS = 2048;
constexpr std::size_t ROWBLOCKS = 16;

// The row reports, one slot per row; their room is taken by the run reset,
// before any loop, and kept from run to run.
Table1<RowReport, MAXPIL> reports;

Table1<RowReport, MAXPIL>& slots() { return reports; }

std::atomic<bool> running{false};

// 1. One row: the report cleared and made active, the body run; a fault
//    stays with the row.
void run_row(int r, RowReport& rep, const RowBody& body) {
    rep.clear();
    const RowScope scope(rep);
    try {
        body(r, rep);
    } catch (...) {
        rep.fault = true;
    }
}

// 3. The fold, in row order, on the calling thread.
void fold(int first, int last, int& ISTAT, int& kerr) {
    for (int r = first; r <= last; ++r) {
        const RowReport& rep = slots()(r);
        rep.replay();
        const int code = rep.fault ? ISINTERN : rep.istat;
        set_status_once(ISTAT, code);
        if (rep.kerr != 0 && kerr != 1) kerr = rep.kerr;  // a pile that did not close is never hidden
    }
}

}  // namespace

void reset_pile_rows() {
    for (int r = 1; r <= MAXPIL; ++r) {
        reports(r).clear();
        reports(r).reserve(ROWCHARS, ROWBLOCKS);
    }
}

void for_pile_rows(int first, int last, int nthreads, int& ISTAT, int& kerr, RowBody body, bool stoppable) {
    if (first < 1 || last > MAXPIL || running.exchange(true)) {
        set_status_once(ISTAT, ISINTERN);
        return;
    }
    if (first > last) {
        running = false;
        return;
    }
    Table1<RowReport, MAXPIL>& reports = slots();
    // 2. The rows on the threads, static schedule; a stop read between rows
    //    skips the rows not yet begun.
    const int nt = std::clamp(nthreads, 1, last - first + 1);
    std::atomic<bool> stopped{false};
#pragma omp parallel for num_threads(nt) schedule(static)
    for (int r = first; r <= last; ++r) {
        if (stoppable && (stopped.load(std::memory_order_relaxed) || STOPROW())) {
            stopped.store(true, std::memory_order_relaxed);
            continue;
        }
        run_row(r, reports(r), body);
    }
    // 3. A stopped loop leaves no trace but the stop: its rows' blocks,
    //    statuses and error words are dropped, as if the stop had been read
    //    before the loop, so the files do not depend on the rows that ran.
    if (stopped) set_status_once(ISTAT, ISSTOP);
    else fold(first, last, ISTAT, kerr);
    running = false;
}

}  // namespace zolan
