// Report of the generated p-y curves; until it exists nothing is printed.
#include "soil/py_report.h"

namespace zolan {

std::function<void(int& ISTAT)> pyreport_double;

void PYREPORT(int& ISTAT) {
    if (pyreport_double) pyreport_double(ISTAT);
}

}  // namespace zolan
