// Report of the generated p-y curves at the end of the run, and the switch
// that makes the p-y generators keep tabulated points for the curve file.
// The report is built later; until then it is reached through a replaceable
// hook (tests install a scripted double) and its own body prints nothing.
#pragma once

#include <functional>

#include "model/py_tables.h"

namespace zolan {

// Prints the generated p-y curves requested in the input on the echo file.
void PYREPORT(int& ISTAT);


extern std::function<void(int& ISTAT)> pyreport_double;  // empty: the module's own body

}  // namespace zolan
