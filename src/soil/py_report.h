// Report of the generated p-y curves at the end of the run: every print
// request of the input is either tabulated by the p-y generator of the soil
// layer at its depth, or reported with the reason why it gives no curve.
// Tests of the analysis driver may replace the report by a scripted double.
#pragma once

#include <functional>

#include "model/py_tables.h"

namespace zolan {

// Prints the generated p-y curves requested in the input on the echo file
// (and their points on the plot file). ISTAT is the run status word, which a
// soil lookup of a generator may set; the requests after it still print
// their texts. Runs after the analysis, on the caller's thread.
void PYREPORT(int& ISTAT);

extern std::function<void(int& ISTAT)> pyreport_double;  // empty: the module's own body

}  // namespace zolan
