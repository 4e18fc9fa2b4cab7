// Run control: the entry point, the run driver and its phases, the names
// file, the stop request and progress message, and the final report.
#pragma once

#include <initializer_list>

#include "report/fortran_format.h"

extern "C" {
// Runs the engine once when mode is 2 and returns the final run status
// (0 completed, 4 stopped, another code on failure); any other mode returns 1.
__attribute__((visibility("default"))) int IZOLAN(int mode);
}

namespace zolan {

void RUNDRV(int& ISTAT);
void RESETRUN();   // clears every process-wide table, counter and open file

// Phases of a run, in order.
void RDNAMES(int& ISTAT);
void RDINPUT(int& ISTAT);
void UNITCONV(int& ISTAT);
void ECHOINP(int& ISTAT);
void ANALYS(int kept_pymode, int& ISTAT);
// The final report; a report that could not be written out turns a
// completed run into status 38.
void ENDRUN(int& ISTAT);

// The stop request and the progress message (stop_request.cpp). Every check
// runs on the caller's thread, never inside a parallel region.
// True when the front end asks the run to stop (the stop-request file holds
// 1); reads the file every call (start-up, beside each analysis's start and
// end messages).
bool STOPCHK();
// The check of long loops (pile rows, Newton iterations): a clock test per
// call; once STOP_INTERVAL seconds have passed since the latest read, the
// progress file takes the given message and the stop-request file is read.
// True from the first read that found a stop in this run on; the caller then
// ends its work with ISTAT := 4.
bool STOPPOLL(const fmt::Format& f, std::initializer_list<fmt::Item> items);
// True when a read of this run has found a stop, without reading the file.
bool STOPSEEN();
// Start of a run: no stop read yet, no read counted, the clock restarted.
void reset_stop_request();
// Test seams: seconds between two reads of the throttled check (0: every
// call), and a hook called after each read of the stop-request file with the
// number of reads since reset_stop_request.
extern double STOP_INTERVAL;
extern void (*STOPREAD_HOOK)(int reads);
// Replaces the progress file's content by one message of the given layout.
void PROGWR(const fmt::Format& f, std::initializer_list<fmt::Item> items);
// Replaces it by a list-directed message followed by an empty record.
void PROGWR_LIST(std::initializer_list<fmt::Item> items);

// Timing blocks on the run log: the whole run, and (kind 0) the latest analysis.
void EXETIME();
void EXETIM2(int kind);

// Test seam: when set, called by the run driver right after the names file
// is read and the run files are opened (a test holds a run there).
extern void (*RUNDRV_PAUSE)();

// Reports a fault that escaped a phase as status 40 and closes every file.
void internal_failure(int& status, const char* what) noexcept;

// Records a failure of the names file or a run file: status 38 with a detail
// line for the final report.
void file_failure(int& ISTAT, const std::string& detail);

}  // namespace zolan
