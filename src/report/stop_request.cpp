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

// State of the caller's thread only: the checks never run in a parallel region.
struct StopState {
    bool seen = false;        // a read of this run found the stop request
    Clock::time_point last;   // time of the latest read
    int reads = 0;            // reads since the start of the run
};
StopState state;

// One read of the stop-request file (created empty when missing): true when
// it holds the integer 1. A failed open or read leaves the flag at 0.
bool read_stop_file() {
    int flag = 0;
    if (io::open_unit(STOPFILE, FSTOP, {io::Access::ReadCreate})) {
        io::read_list(STOPFILE, {flag});
        io::close_unit(STOPFILE);
    }
    state.seen = state.seen || flag == 1;
    state.last = Clock::now();
    ++state.reads;
    if (STOPREAD_HOOK) STOPREAD_HOOK(state.reads);
    return flag == 1;
}

}  // namespace

bool STOPCHK() { return read_stop_file(); }

bool STOPPOLL(const fmt::Format& f, std::initializer_list<fmt::Item> items) {
    // 1. A stop already read holds; a parallel region never touches the files.
    if (state.seen || omp_in_parallel()) return state.seen;
    // 2. The clock: nothing more until the interval has passed.
    const std::chrono::duration<double> since = Clock::now() - state.last;
    if (since.count() < STOP_INTERVAL) return false;
    // 3. What is being done, then the stop request.
    PROGWR(f, items);
    return read_stop_file();
}

bool STOPSEEN() { return state.seen; }

void reset_stop_request() {
    state = StopState{};
    state.last = Clock::now();
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
