// Run status codes (ISTAT): 0 goes on / completed; any other value ends the
// run's work and selects the text of the final report.
#pragma once

#include <span>

namespace zolan {

constexpr int ISOK = 0;
constexpr int ISBADARG = 1;
constexpr int ISMETH = 2;
constexpr int ISPLEN = 3;
constexpr int ISSTOP = 4;
constexpr int ISMETH2 = 12;
constexpr int ISPLEN2D = 13;
constexpr int ISDETK = 14;
constexpr int ISWROCK = 21;
constexpr int ISDGAM = 22;
constexpr int ISDCOH = 23;
constexpr int ISDPHI = 24;
constexpr int ISDFSD = 25;
constexpr int ISDTIP = 26;
constexpr int ISDBPH = 27;
constexpr int ISSILTPH = 28;
constexpr int ISSILTSL = 29;
constexpr int ISSANDPH = 30;
constexpr int ISSANDSL = 31;
constexpr int ISLSE50 = 32;
constexpr int ISLSCOH = 33;
constexpr int ISTRE50 = 34;
constexpr int ISTRCOH = 35;
constexpr int ISAXCONV = 36;
constexpr int ISINPUT = 37;    // the input data file is malformed or short
constexpr int ISFILE = 38;     // the names file or a run file could not be read, opened or written
constexpr int ISBUSY = 39;     // another run is in progress in this process or holds the run folder
constexpr int ISINTERN = 40;   // an internal fault of the engine was caught
constexpr int ISSLAB = 41;     // the flexible cap's slab analysis ended on a fatal diagnostic

// The text records of a code (each one list-directed record after the error
// record), or an empty span for a code without a text of its own.
std::span<const char* const> status_texts(int code);

// Every code of the table, in its order (0 first).
std::span<const int> status_codes();

}  // namespace zolan
