// Report header: the banner with the version text and the names of the run's
// files, and the block with the date and time of the analysis.
#pragma once

#include <ctime>
#include <optional>

namespace zolan {

// Writes the banner and file names on the summary, runtime, results,
// plot-data and echo files, the date block on every report, and one empty
// record on the plot-data file. The first step of reading the input.
void write_report_header();

// The date block on units 10, 14, 16, 18 and 32, in this order.
void DATETIM();

// The clock of the date block. Tests set a fixed time here; when empty the
// computer's local time is used.
extern std::optional<std::tm> FIXED_CLOCK;

}  // namespace zolan
