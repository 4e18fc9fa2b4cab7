// Speed of one three-dimensional pile evaluation (PILE3D) and of its head
// stiffness (PSTIFF, twelve evaluations): a steel pipe of 100 increments in
// soft clay (nonlinear, the secant iteration runs to closure) and in elastic
// subgrade (soil code 12, linear: three solves). Every Newton iteration of
// the cap solver costs one PILE3D and one PSTIFF per pile row. And the
// lateral solution alone (LLP3D) of the pile of the floor program of one
// bending plane (pile_limit_bench.cpp), for the time of one secant solve.
#include <benchmark/benchmark.h>

#include <memory>

#include "model/case_tables.h"
#include "model/curve_tables.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/py_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "pile/lateral_pile3d.h"
#include "pile/node_mesh.h"
#include "pile/pile_response.h"
#include "pipe_model.h"

namespace {

using namespace zolan;

// Pile row 1: 24 in pipe, 600 in long in 100 increments, EI = 5.8e10 lb in^2,
// head at the ground line, fixed heads; one layer of soft clay (c = 3.47 psi,
// e50 = 0.02, gamma' = 50 pcf) or of elastic subgrade (k = 200 pci);
// straight axial and torque-rotation curves.
void pile(int code) {
    bench::pipe_model();
    NPILES = 1;
    IPROP(1) = 1;
    PFGRP(1) = YFGRP(1) = PMULT(1) = AXFAC(1) = 1.0;
    ALPHA(1) = THETA(1) = 0.0;
    BETA(1) = PI / 2;
    KCONN(1) = KCONNZ(1) = 2;
    NLAYPY = 1;
    NSCPT = NUWPT = 2;
    ISOIL(1) = code;
    LAYTOP(1) = 0.0;
    LAYBOT(1) = 1200.0;
    SCDEP(1) = UWDEP(1) = 0.0;
    SCDEP(2) = UWDEP(2) = 1200.0;
    for (int i : {1, 2}) {
        SCGAM(i) = 50.0 / 1728;
        SCCOH(i) = code == 12 ? 0.0 : 500.0 / 144;
        SCE50(i) = 0.02;
        SCJ(i) = 0.5;
        SCK(i) = 200.0;
    }
    ILSCRV(1) = ITRCRV(1) = 1;
    NODESETUP();
}

PileControls controls() {
    PileControls c;
    c.lat.maxitp = 100;
    c.lat.tollp = 1.0e-5;
    return c;
}

// Head displaced 0.5 in along Y with a small settlement.
CAPVEC head() {
    CAPVEC d;
    d.fill(0.0);
    d(1) = 0.01;
    d(2) = 0.5;
    return d;
}

// The pile of one soil code with its controls, work and report.
struct Row {
    explicit Row(int code) {
        pile(code);
        w->report = &rep;
    }
    bool failed() const { return istat != 0 || rep.kerr != 0; }
    const PileControls ctl = controls();
    std::unique_ptr<Llp3dWork> w = std::make_unique<Llp3dWork>();
    RowReport rep;
    int istat = 0;
};

void BM_Pile3D(benchmark::State& state) {
    Row r(static_cast<int>(state.range(0)));
    int solves = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PILE3D(r.ctl, 1, head(), *r.w, r.istat));
        solves += r.w->solves;
    }
    state.counters["solves"] = benchmark::Counter(solves, benchmark::Counter::kAvgIterations);
    if (r.failed()) state.SkipWithError("the pile did not solve");
}
BENCHMARK(BM_Pile3D)->Arg(1)->Arg(12)->Unit(benchmark::kMicrosecond);

void BM_PStiff(benchmark::State& state) {
    Row r(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(PSTIFF(r.ctl, 1, head(), *r.w, r.istat));
    if (r.failed()) state.SkipWithError("the pile did not solve");
}
BENCHMARK(BM_PStiff)->Arg(1)->Arg(12)->Unit(benchmark::kMicrosecond);

// The pile of the floor program: 24 in, 1200 in in 100 increments, EI =
// 2e10 lb in^2, head at the ground line, pinned; soft clay (c = 3.47 psi,
// gamma' = 0.0289 pci, e50 = 0.01, J = 0.5) under static loading.
void floor_pile(int& istat) {
    pile(1);
    PLENP(1) = 1200.0;
    SECTAB(1, 1, SEC_DBOT) = 1200.0;
    for (int q : {SP_EI1, SP_EI2}) SECTAB(1, 1, SEC_TOP + q) = SECTAB(1, 1, SEC_BOT + q) = 2.0e10;
    KCONN(1) = KCONNZ(1) = 1;
    LAYBOT(1) = SCDEP(2) = UWDEP(2) = 2400.0;
    for (int i : {1, 2}) {
        SCCOH(i) = 3.47;
        SCGAM(i) = 0.0289;
        SCE50(i) = 0.01;
    }
    NODESETUP();
    NODE(1, istat);
}

// One lateral solution of the floor's pile with its head deflected by the
// floor's head deflection under 10 kips (0.28153 in) along the pile's y
// axis; both bending planes are solved at every secant solve, as always.
void BM_SecantSolve(benchmark::State& state) {
    int istat = 0;
    floor_pile(istat);
    auto w = std::make_unique<Llp3dWork>();
    RowReport rep;
    w->report = &rep;
    w->pile = 1;
    w->yh = 0.28153;
    LateralControls ctl;
    ctl.maxitp = 200;
    ctl.tollp = 1.0e-5;
    double solves = 0;
    for (auto _ : state) {
        LLP3D(ctl, *w, istat);
        solves += w->solves;
        benchmark::DoNotOptimize(w->Fy);
    }
    state.counters["solves"] = benchmark::Counter(solves, benchmark::Counter::kAvgIterations);
    state.counters["per_solve"] = benchmark::Counter(solves, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["head_force"] = w->Fy;
    if (istat != 0 || rep.kerr != 0) state.SkipWithError("the pile did not solve");
}
BENCHMARK(BM_SecantSolve)->Unit(benchmark::kMicrosecond);

}  // namespace
