// Speed of one load case of the three-dimensional cap solver with the axial
// load varying along the piles (LCAXV 1) on generated load-settlement curves:
// square groups of vertical 24 in pipes of 60 ft (60 increments) at 6 ft in
// soft over stiff clay, one generated curve serving every row, 60 kips down
// and 6 kips along Y per pile in load increments of 0.1. Each evaluation of a
// pile solves the axial distribution along it (the climbs from the tip) as
// well as its lateral response. The run's tables (soil, sections, the
// generated curve) are built once by a whole run of the group's input; the
// benchmark times CAP3D alone. Argument: the piles.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "control/control.h"
#include "group/cap_solver3d.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "report/run_files.h"
#include "solve_case.h"

namespace {

using namespace zolan;

// The group's input: n x n vertical pipes centred on the origin.
std::string group_input(int n) {
    std::string s =
        "SQUARE GROUP OF 24-IN PIPES, SOFT OVER STIFF CLAY, GENERATED AXIAL CURVES\nVERSION 1\nCONTROL PARAMETERS\n"
        "1 3 0 0 0 0 0 0 0 0 0 0 0 0 1 1 0 0 0 0\nPILE CAP\n6.0 6.0 3.0 0.0 0.0 0\nLOAD CASES\n1 0 0 0 0\n"
        "0 0 1 1 0 20 100\n1.0E-4 1.0E-5 0.1 0.01\nGROUP LOAD\n0 0 0 0 0 0 0 0\n0 5 1.0 0 0.0 0.0 1 0 0\n0\n"
        "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n1\n";
    char load[128];
    std::snprintf(load, sizeof load, "%.1f %.1f 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n", 6.0e4 * n * n, 6.0e3 * n * n);
    s += load;
    s += "0\n0\nLOAD COMBINATIONS\n0 0 0 0 0\nDISTRIBUTED LOAD SETS\n0\nPILE LAYOUT\n" + std::to_string(n * n) + "\n";
    for (int r = 0; r < n * n; ++r) {
        char rec[160];
        std::snprintf(rec, sizeof rec, "2 2 1 0 0 0 0 0 1 1\n0.0 0.0 1.0 1.0 1.0 1.0 1.0\n0.0 %.3f %.3f 0.0 90.0 0.0 0.0\n",
                      6.0 * (r % n - (n - 1) / 2.0), 6.0 * (r / n - (n - 1) / 2.0));
        s += rec;
    }
    s += "PILE PROPERTIES\n1\n1 1\n60 60.0 1\n0.0 60.0 1\nCROSS SECTIONS\n1\n1 1 1 0\n'STEEL PIPE 24 IN'\n"
         "24.0 23.0 0.0 0.0 0.0 0.0 0.0 0.0\n11.2E6 36.91 2549.0 2549.0 0.0 5.71E+10 7.6583E+06 4.1233E+05 29.0E6 0.0 0\n"
         "0 0 0.0 0 0\n'NONE'\nSOIL LAYERS\n2\n1 1\n0.0 20.0\n2 9\n"
         "50.0 400.0 0.0 0.0 0.0 0.02 0.0 200.0 3600.0\n50.0 400.0 0.0 0.0 0.0 0.02 0.0 400.0 3600.0\n"
         "2 3\n20.0 150.0\n2 9\n60.0 2000.0 0.0 0.0 0.0 0.005 0.0 1200.0 18000.0\n"
         "60.0 3000.0 0.0 0.0 0.0 0.005 0.0 2000.0 27000.0\n"
         "GENERATED AXIAL LOAD-SETTLEMENT CURVES\n1\n1\nGENERATED TORQUE-ROTATION CURVES\n1\n1\n"
         "MOMENT-CURVATURE OF CROSS SECTIONS\n0\n";
    return s;
}

// A whole run of the input in a scratch folder, its tables left in place;
// the run's status.
int build_tables(int n, const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    std::ofstream("group.in") << group_input(n);
    const char* names[] = {"BENCH",       "bench",         "input",        "",            "group.in",
                           "echo.txt",    "results.txt",   "summary.txt",  "plot.txt",    "runtime.txt",
                           "status.txt",  "plotdata.txt",  "progress.txt", "crvrpt.txt",  "flex.tmp",
                           "ldd.tmp",     "ptop.tmp",      "stop.txt",     "eqk.tmp",     "eqm.txt",
                           "axwarn.tmp",  "itertrc.txt",   "axld.txt",     "curves.dat",  "esttrc.txt",
                           "sumscr.tmp",  "mphi.txt"};
    std::ofstream nf("Names.dat");
    for (const char* r : names) nf << r << "\n";
    nf.close();
    const int status = IZOLAN(2);
    std::filesystem::current_path(old);
    return status;
}

void BM_Cap3dGeneratedAxial(benchmark::State& state) {
    const int piles = static_cast<int>(state.range(0));
    const int n = static_cast<int>(std::lround(std::sqrt(piles)));
    const char* tmp = std::getenv("TMPDIR");
    const std::filesystem::path dir = std::filesystem::path(tmp ? tmp : "/tmp") / "zolan-cap3d-generated-bench";
    const int built = build_tables(n, dir);
    // The case's controls as its analysis had them.
    KAXVAR = 1;
    KEXTRP = 1;
    MAXITC = 20, MAXITP = 100;
    TOLREL = 1e-4, TOLLLP = 1e-5;
    DTINIT = 0.1, DTCMIN = 0.01;
    NTHRREQ = 1;
    NTHRMX.fill(1);
    int nconv = 0, kerr = 0, status = built;
    bool ok = built == 0;
    group_services.result3d = [&](const SolveRequest& r, const Cap3dOutcome& o, int&) {
        nconv = o.nconv;
        kerr = o.KERR;
        ok = ok && o.converged;
        return unanswered(r);
    };
    SolveRequest req;
    req.load.fill(0.0);
    req.load(1) = 6.0e4 * piles;
    req.load(2) = 6.0e3 * piles;
    const std::string log = (dir / "bench.log").string();
    for (auto _ : state) {
        status = bench::solve_case(req, log);
        ok = ok && status == 0;
    }
    group_services.result3d = nullptr;
    std::filesystem::remove_all(dir);
    state.counters["converged_steps"] = nconv;
    state.counters["kerr"] = kerr;
    state.counters["status"] = status;
    if (!ok) state.SkipWithError(("the load case did not converge: status " + std::to_string(status)).c_str());
}
BENCHMARK(BM_Cap3dGeneratedAxial)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
