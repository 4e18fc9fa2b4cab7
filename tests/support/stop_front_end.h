// The front end's part of a stop request written while a loop runs, as the
// hook after each read of the stop-request file (STOPREAD_HOOK, the throttle
// passing every call): from the first read made outside the loops after the
// progress file shows `start`, it counts the reads of one kind, made inside
// the loops over pile rows (a parallel region, also of one thread) or on the
// calling thread, and writes 1 into the stop-request file (stop.txt) after
// `after` of them (0: after the starting read). It notes whether the read
// that follows, the one that stops, was made inside a loop.
#pragma once

#include <string>

#include <omp.h>

#include "support/temp_dir.h"

namespace zolan::test {

struct LoopStop {
    const char* start = "";
    bool in_loop = true;  // which reads to count
    int after = 0;
    bool counting = false;
    int counted = 0;
    int written_at = 0;   // the read after which 1 was written
    int reads = 0;        // reads so far
    bool stopped_in_loop = false;
};
inline LoopStop loop_stop;

inline void stop_in_loop(int reads) {
    LoopStop& s = loop_stop;
    s.reads = reads;
    const bool in_loop = omp_get_level() > 0;
    if (s.written_at != 0) {
        if (reads == s.written_at + 1) s.stopped_in_loop = in_loop;
        return;
    }
    if (!s.counting) {
        if (in_loop || read_file("progress.txt").find(s.start) == std::string::npos) return;
        s.counting = true;
    } else if (in_loop == s.in_loop) {
        ++s.counted;
    }
    if (s.counted == s.after) {
        write_file("stop.txt", "1\n");
        s.written_at = reads;
    }
}

}  // namespace zolan::test
