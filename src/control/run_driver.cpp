#include <atomic>
#include <exception>

#include <omp.h>
#include <unistd.h>

#include "report/column_captions.h"
#include "control/control.h"
#include "control/distributed_loads.h"
#include "flexcap/slab_analysis.h"
#include "flexcap/slab_report.h"
#include "flexcap/slab_tables.h"
#include "group/group_factor_rule.h"
#include "group/group_services.h"
#include "model/status_codes.h"
#include "model/analysis_outcomes.h"
#include "model/analysis_tables.h"
#include "model/case_tables.h"
#include "model/curve_tables.h"
#include "model/input_tables.h"
#include "model/mphi_tables.h"
#include "model/node_tables.h"
#include "model/pile_rows.h"
#include "model/pile_tables.h"
#include "model/pile_warnings.h"
#include "model/py_tables.h"
#include "model/result_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "model/stiffness_tables.h"
#include "model/warm_tables.h"
#include "report/run_files.h"
#include "report/run_lock.h"
#include "report/unit_labels.h"
#include "results/results_services.h"
#include "soil/group_factors.h"

namespace {
// One run at a time per process: the model tables and run files are shared.
std::atomic<bool> run_in_progress{false};
}  // namespace

extern "C" int IZOLAN(int mode) {
    if (mode != 2) return 1;
    bool expected = false;
    if (!run_in_progress.compare_exchange_strong(expected, true)) return zolan::ISBUSY;
    int status = 0;
    try {
        zolan::RUNDRV(status);
    } catch (const std::exception& e) {
        zolan::internal_failure(status, e.what());
    } catch (...) {
        zolan::internal_failure(status, "unknown exception");
    }
    zolan::UNLOCKRUN();  // after a caught fault too
    run_in_progress.store(false);
    return status;
}

namespace zolan {

void (*RUNDRV_PAUSE)() = nullptr;

namespace {
double run_start = 0.0;  // wall-clock time at the start of the run
io::FolderLock run_lock;  // the run folder's lock while this process's run holds it
}  // namespace

// The lock of the run folder (the current folder, which holds the names
// file), taken before any file of the run is opened. A folder whose lock
// another run holds refuses this run at once with status 39: nothing is
// opened, written or emptied, and the other run goes on untouched. A folder
// without a names file is no run folder: it gets no lock file (the names
// file's absence is the run's fault, status 38). A folder that cannot hold a
// lock file (read only, on a file system without locks) runs unguarded, as
// every run could before.
void LOCKRUN(int& ISTAT) {
    if (::access("Names.dat", F_OK) != 0) return;
    run_lock = io::take_lock(io::LOCKFILE);
    if (run_lock.state == io::LockState::Busy) ISTAT = ISBUSY;
}

void UNLOCKRUN() noexcept { io::release_lock(run_lock); }

// Nothing may leave the engine into its caller's process: a fault that
// escaped a phase is reported on the run log when it can still be written,
// and every file is closed.
void internal_failure(int& status, const char* what) noexcept {
    status = ISINTERN;
    try {
        TELAPS = omp_get_wtime() - run_start;
        FAILTXT.push_back(std::string("    ") + what);
        ENDRUN(status);
    } catch (...) {
    }
    io::close_all_units();
}

void RESETRUN() {
    io::close_all_units();
    io::reset_write_failures();
    run_start = 0.0;
    reset_run_state();
    reset_pile_tables();
    reset_unit_labels();
    reset_column_captions();
    reset_input_tables();
    reset_section_tables();
    reset_mphi_tables();
    reset_case_tables();
    reset_soil_tables();
    reset_analysis_tables();
    reset_node_tables();
    reset_py_tables();
    reset_curve_tables();
    reset_result_tables();
    reset_stiffness_tables();
    reset_warm_tables();
    reset_group_factors();
    reset_group_factor_rule();
    reset_group_services_state();
    // The flexible cap of the three-dimensional solver is the slab program.
    if (!group_services.flexcap) group_services.flexcap = FLEXCAP;
    reset_results_state();
    reset_analysis_outcomes();
    reset_pile_rows();
    reset_pile_warnings();
    reset_distributed_loads();
    reset_flexcap_tables();
    reset_slab_report();
    reset_stop_request();
}

void RUNDRV(int& ISTAT) {
    // 1-2. Status, timers.
    ISTAT = 0;
    RESETRUN();
    TANAL = omp_get_wtime();
    TELAPS = omp_get_wtime();
    run_start = TELAPS;
    TMARK = TPARAL = TSERIAL = TPRINT = 0.0;
    // 3. The run folder's lock; names file, run files, stop request.
    LOCKRUN(ISTAT);
    if (ISTAT == 0) RDNAMES(ISTAT);
    if (RUNDRV_PAUSE) RUNDRV_PAUSE();
    // 4. Input data file.
    if (ISTAT == 0) RDINPUT(ISTAT);
    // 5. Processor count, whatever the status, for the timing lines.
    NPROC = omp_get_max_threads();
    NTHRMX(1) = 1;
    NTHRMX(2) = 1;
    // 6-8. Conversion, echo, analyses; the p-y print switch stays out of the
    // model while the analyses run.
    if (ISTAT == 0) UNITCONV(ISTAT);
    if (ISTAT == 0) ECHOINP(ISTAT);
    if (ISTAT == 0) {
        const int kept = PYMODE;
        PYMODE = 0;
        KFLAG = 0;
        ANALYS(kept, ISTAT);
    }
    // A results writer that could not write or re-read its files.
    if (ISTAT == 0 && RESSTAT != 0) ISTAT = RESSTAT;
    // 9-10. Elapsed time, final report (a report that could not be written
    // out is a failed run, never a success), every file closed.
    TELAPS = omp_get_wtime() - TELAPS;
    io::flush_all_units();
    ENDRUN(ISTAT);
    io::close_all_units();
    // The run log itself could not be written out.
    if (ISTAT == ISOK && !io::first_write_failure().empty()) ISTAT = ISFILE;
    // 11. The folder is free for the next run once every file is closed.
    UNLOCKRUN();
}

void file_failure(int& ISTAT, const std::string& detail) {
    ISTAT = ISFILE;
    FAILTXT.push_back(detail);
}

}  // namespace zolan
