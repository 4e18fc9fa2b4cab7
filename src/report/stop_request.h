// The stop request and the progress message: the two small files by which
// the front end follows and steers a running analysis. Every check but
// STOPROW runs on the caller's thread, never inside a parallel region; the
// run driver, the echo, the analysis driver, the cap solvers' Newton
// iterations and the slab's loops call them; STOPROW serves the parallel
// loops over pile rows.
#pragma once

#include <initializer_list>

#include "report/fortran_format.h"

namespace zolan {

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
// The throttled check without the progress message, for the writers that
// run after an analysis's end message (the envelopes, the summary's copy):
// the run's last message stays the one of its last fixed check, whatever
// the machine's speed.
bool STOPQUIET();
// The check between the rows of a parallel loop, from any of its threads: a
// clock test per call; once STOP_INTERVAL seconds have passed since the
// latest read, one thread reads the stop-request file while the others go
// on (no progress message: the loop's caller wrote it). True from the first
// read that found a stop in this run on; the loop then skips its remaining
// rows and ends with ISTAT := 4.
bool STOPROW();
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

}  // namespace zolan
