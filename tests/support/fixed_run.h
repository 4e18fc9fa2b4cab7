// A whole run in the current folder at a fixed clock time: the input data
// file copied in under its bare name (so no report depends on where the test
// ran), the default names file, IZOLAN(2) with the modules' own bodies.
// Returns the run status.
#pragma once

#include <ctime>
#include <string>

#include "control/control.h"
#include "control/report_header.h"
#include "support/names_file.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan::test {

inline int run_at_fixed_time(const std::string& source, const char* name) {
    write_file(name, read_file(source));
    auto names = default_names();
    names[5] = name;
    write_names(names);
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 5;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    Seams seams;
    FIXED_CLOCK = t;
    return IZOLAN(2);
}

}  // namespace zolan::test
