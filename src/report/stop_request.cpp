// The stop request and the progress message: the two small files by which
// the front end follows and steers a running analysis. Neither is held open,
// and a failure to open, read or write either is absorbed.
//
// The fixed check points (start-up, beside each analysis's start and end
// messages) read the stop-request file every time. Long loops (the pile rows
// of the load laying, the echo and the curve file; Newton iterations) call
// the throttled check: a clock test per call, and at most every STOP_INTERVAL
// seconds a progress message and one read of the file, so that a stop takes
// effect within a fraction of a second at the cost of a few reads a second.
// The parallel loops over pile rows read it between rows the same way, from
// whichever thread finds the interval passed first.
#include <atomic>
#include <chrono>

#include <omp.h>

#include "report/stop_request.h"
#include "model/run_state.h"
#include "report/run_files.h"

namespace zolan {

double STOP_INTERVAL = 0.25;
void (*STOPREAD_HOOK)(int reads) = nullptr;

namespace {

using Clock = std::chrono::steady_clock;

// State of the checks. The checks of the caller's thread never run in a
// parallel region; inside one, STOPROW reads and writes `last_row` and
// `reads` only while it holds `reading`, and `seen` is atomic. The two
// clocks are apart, so that the reads inside the loops never hold back the
// progress message of the caller's checks.
struct StopState {
    std::atomic<bool> seen{false};  // a read of this run found the stop request
    Clock::time_point last;         // time of the latest read on the caller's thread
    Clock::time_point last_row;     // time of the latest read inside a row loop
    int reads = 0;                  // reads since the start of the run
    void reset() {
        seen = false;
        reads = 0;
        last = last_row = Clock::now();
    }
};
StopState state;
std::atomic_flag reading = ATOMIC_FLAG_INIT;  // a thread of a row loop is reading the file

// One read of the stop-request file (created empty when missing), its time
// kept in `clock`: true when it holds the integer 1. A failed open or read
// leaves the flag at 0.
bool read_stop_file(Clock::time_point& clock) {
    int flag = 0;
    if (io::open_unit(STOPFILE, FSTOP, {io::Access::ReadCreate})) {
        io::read_list(STOPFILE, {flag});
        io::close_unit(STOPFILE);
    }
    if (flag == 1) state.seen = true;
    clock = Clock::now();
    ++state.reads;
    if (STOPREAD_HOOK) STOPREAD_HOOK(state.reads);
    return flag == 1;
}

}  // namespace

bool STOPCHK() { return read_stop_file(state.last); }

namespace {

// Steps 1-2 of the throttled checks of the caller's thread: true when the
// stop request is to be read now.
bool poll_due() {
    // 1. A stop already read holds; a parallel region never touches the files.
    if (state.seen || omp_in_parallel()) return false;
    // 2. The clock: nothing more until the interval has passed.
    const std::chrono::duration<double> since = Clock::now() - state.last;
    return since.count() >= STOP_INTERVAL;
}

}  // namespace

bool STOPPOLL(const fmt::Format& f, std::initializer_list<fmt::Item> items) {
    if (!poll_due()) return state.seen;
    // 3. What is being done, then the stop request.
    PROGWR(f, items);
    return read_stop_file(state.last);
}

bool STOPQUIET() { return poll_due() ? read_stop_file(state.last) : state.seen.load(); }

bool STOPROW() {
    // 1. A stop already read holds; another thread may be reading.
    if (state.seen) return true;
    if (reading.test_and_set(std::memory_order_acquire)) return false;
    // 2. The clock, then the stop request.
    const std::chrono::duration<double> since = Clock::now() - state.last_row;
    if (!state.seen && since.count() >= STOP_INTERVAL) read_stop_file(state.last_row);
    reading.clear(std::memory_order_release);
    return state.seen;
}

bool STOPSEEN() { return state.seen; }

void reset_stop_request() {
    state.reset();
    reading.clear();
}

void PROGWR(const fmt::Format& f, std::initializer_list<fmt::Item> items) {
    if (!io::open_unit(PROGFILE, FPROGRS, {io::Access::Write, false, false, true})) return;
    io::write_fmt(PROGFILE, f, items);
    io::close_unit(PROGFILE);
}

void PROGWR_LIST(std::initializer_list<fmt::Item> items) {
    if (!io::open_unit(PROGFILE, FPROGRS, {io::Access::Write, false, false, true})) return;
    io::write_list(PROGFILE, items);
    io::write_list(PROGFILE);
    io::close_unit(PROGFILE);
}

}  // namespace zolan
