// One load case of the three-dimensional cap solver as the benchmarks time
// it: the run log written as in a run, to the scratch file `log`; the
// solve's status.
#pragma once

#include <string>

#include "group/cap_solver3d.h"
#include "report/run_files.h"

namespace bench {

inline int solve_case(const zolan::SolveRequest& req, const std::string& log) {
    using namespace zolan;
    io::open_unit(RUNFILE, log, {io::Access::Write});
    int istat = 0;
    CAP3D(req, istat);
    io::close_unit(RUNFILE);
    return istat;
}

}  // namespace bench
