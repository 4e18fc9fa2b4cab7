// Run control: the entry point, the run driver and its phases, the names
// file and the final report (the stop request and progress message are in
// report/stop_request.h, for the solvers' loops too).
#pragma once

#include <initializer_list>

#include "report/fortran_format.h"
#include "report/stop_request.h"

extern "C" {
// Runs the engine once when mode is 2 and returns the final run status
// (0 completed, 4 stopped, another code on failure); any other mode returns 1.
__attribute__((visibility("default"))) int IZOLAN(int mode);
}

namespace zolan {

void RUNDRV(int& ISTAT);
void RESETRUN();   // clears every process-wide table, counter and open file

// The run folder's lock, held from before the names file is read until every
// file of the run is closed (status 39 when another run holds it).
void LOCKRUN(int& ISTAT);
void UNLOCKRUN() noexcept;

// Phases of a run, in order.
void RDNAMES(int& ISTAT);
void RDINPUT(int& ISTAT);
void UNITCONV(int& ISTAT);
void ECHOINP(int& ISTAT);
void ANALYS(int kept_pymode, int& ISTAT);
// The final report; a report that could not be written out turns a
// completed run into status 38.
void ENDRUN(int& ISTAT);

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
