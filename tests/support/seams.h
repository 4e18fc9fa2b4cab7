// The engine's test seams in one guard: the pause in the run driver, the
// fixed clock of the date block, the stop-request throttle and its read
// counter, and the service hooks (cap solvers, result
// writers, cap stiffness reports, pile curve writers, curve generators of the
// echo, the printed p-y report). A guard saves them and starts its scope with
// every seam empty (the modules' own bodies, the computer's clock, no pause);
// a test installs what it needs; whatever it installed is undone when the
// guard goes out of scope, also when an assertion ends the test early.
#pragma once

#include "capstiff/capstiff_services.h"
#include "control/control.h"
#include "control/input_echo.h"
#include "control/report_header.h"
#include "flexcap/slab_analysis.h"
#include "group/group_services.h"
#include "pile/pile_services.h"
#include "results/results_services.h"
#include "soil/py_report.h"

namespace zolan::test {

class Seams {
public:
    Seams() { clear(); }
    ~Seams() {
        RUNDRV_PAUSE = pause_;
        FIXED_CLOCK = clock_;
        group_services = group_;
        results_services = results_;
        capstiff_services = capstiff_;
        pile_services = pile_;
        curve_generators = curves_;
        pyreport_double = pyreport_;
        flexcap_services = flexcap_;
        STOP_INTERVAL = interval_;
        STOPREAD_HOOK = stopread_;
    }
    Seams(const Seams&) = delete;
    Seams& operator=(const Seams&) = delete;

    // Every seam empty again within the scope.
    static void clear() {
        RUNDRV_PAUSE = nullptr;
        FIXED_CLOCK.reset();
        group_services = {};
        results_services = {};
        capstiff_services = {};
        pile_services = {};
        curve_generators = {};
        pyreport_double = nullptr;
        flexcap_services = {};
        STOP_INTERVAL = 0.25;
        STOPREAD_HOOK = nullptr;
    }

private:
    decltype(RUNDRV_PAUSE) pause_ = RUNDRV_PAUSE;
    decltype(FIXED_CLOCK) clock_ = FIXED_CLOCK;
    decltype(group_services) group_ = group_services;
    decltype(results_services) results_ = results_services;
    decltype(capstiff_services) capstiff_ = capstiff_services;
    decltype(pile_services) pile_ = pile_services;
    decltype(curve_generators) curves_ = curve_generators;
    decltype(pyreport_double) pyreport_ = pyreport_double;
    decltype(flexcap_services) flexcap_ = flexcap_services;
    decltype(STOP_INTERVAL) interval_ = STOP_INTERVAL;
    decltype(STOPREAD_HOOK) stopread_ = STOPREAD_HOOK;
};

}  // namespace zolan::test
