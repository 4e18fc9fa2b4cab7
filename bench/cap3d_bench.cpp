// Speed of one load case of the three-dimensional cap solver: square groups
// of vertical 24 in pipes at 3 diameters in soft clay over sand, ten load
// increments of 0.1 (eleven steps, the last at exactly 1.0), each step a full
// Newton iteration over the pile-row force vector and tangent. Argument 1:
// the piles; argument 2: the processor request (1 one thread, 0 the rule,
// 8 eight threads); argument 3: the pile-head tangent (0 condensed from the
// closed state with warm starts, 1 the earlier central differences of
// responses from rest), so that before and after run side by side.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "group/cap_solver3d.h"
#include "model/warm_tables.h"
#include "pile/node_mesh.h"
#include "pile/pile_response.h"
#include "pipe_model.h"
#include "report/run_files.h"
#include "solve_case.h"

namespace {

using namespace zolan;

// The pipe of the benchmarks in every row, 6 ft apart in a square centred on
// the cap's origin, where the load acts. Soft clay (c = 3.47 psi, e50 = 0.02) to 240 in, sand (phi = 35 deg, k = 90
// pci) below, gamma' = 50 pcf; fixed heads.
void model(int piles) {
    bench::pipe_model();
    NANTYP = 3;
    NLAYPY = 2;
    ISOIL(1) = 1, ISOIL(2) = 4;
    LAYTOP(1) = 0.0, LAYBOT(1) = LAYTOP(2) = 240.0, LAYBOT(2) = 1200.0;
    NSCPT = 4, NUWPT = 2;
    const double dep[] = {0.0, 239.9, 240.1, 1200.0};
    for (int i = 1; i <= 4; ++i) {
        const bool clay = i <= 2;
        SCDEP(i) = dep[i - 1];
        SCCOH(i) = clay ? 500.0 / 144 : 0.0;
        SCPHI(i) = clay ? 0.0 : 35.0 * PI / 180;
        SCE50(i) = 0.02;
        SCJ(i) = 0.5;
        SCK(i) = clay ? 30.0 : 90.0;
    }
    UWDEP(1) = 0.0, UWDEP(2) = 1200.0;
    SCGAM(1) = SCGAM(2) = 50.0 / 1728;
    const int n = static_cast<int>(std::lround(std::sqrt(piles)));
    NPILES = piles;
    for (int r = 1; r <= piles; ++r) {
        IPROP(r) = 1;
        PFGRP(r) = YFGRP(r) = PMULT(r) = AXFAC(r) = 1.0;
        ALPHA(r) = THETA(r) = 0.0;
        BETA(r) = PI / 2;
        KCONN(r) = KCONNZ(r) = 2;
        ILSCRV(r) = ITRCRV(r) = 1;
        CORX(r) = XTOP(r) = GROUND(r) = 0.0;
        CORY(r) = YTOP(r) = 72.0 * ((r - 1) % n - (n - 1) / 2.0);
        CORZ(r) = 72.0 * ((r - 1) / n - (n - 1) / 2.0);
    }
    NODESETUP();
    PYSETUP();
    MAXITC = 20, MAXITP = 100;
    TOLREL = 1e-4, TOLLLP = 1e-5;
    DTINIT = 0.1, DTCMIN = 0.01;
}

// The Newton iterations of the solve, counted in its run log.
int logged_iterations(const std::string& log) {
    std::ifstream in(log);
    int n = 0;
    for (std::string line; std::getline(in, line);) n += line.rfind("     ITERATION", 0) == 0;
    return n;
}

// Secant solves of one pile evaluation from rest at the final cap displacement U,
// averaged over the rows (each row's head displacement by its lever).
double secant_solves_per_evaluation(const CAPVEC& U) {
    auto w = std::make_unique<Llp3dWork>();
    RowReport rep;
    w->report = &rep;
    int istat = 0, solves = 0;
    for (int r = 1; r <= NPILES; ++r) {
        CAPVEC d = U;
        d(1) += U(5) * CORZ(r) - U(6) * CORY(r);
        d(2) -= U(4) * CORZ(r);
        d(3) += U(4) * CORY(r);
        PileControls c = pile_controls(0, 1, 0);
        c.lat.warm = c.lat.keep = false;
        PILE3D(c, r, d, *w, istat);
        solves += w->solves;
    }
    return static_cast<double>(solves) / NPILES;
}

void BM_Cap3dLoadCase(benchmark::State& state) {
    const int piles = static_cast<int>(state.range(0));
    model(piles);
    NTHRREQ = static_cast<int>(state.range(1));
    KTANG = static_cast<int>(state.range(2));
    NTHRMX.fill(1);
    int steps = 0, iters = 0, nconv = 0, kerr = 0, status = 0;
    bool ok = true;
    CAPVEC U;
    U.fill(0.0);
    group_services.result3d = [&](const SolveRequest& r, const Cap3dOutcome& o, int&) {
        U = o.U;
        steps = o.nstep;
        iters = o.niter;
        nconv = o.nconv;
        kerr = o.KERR;
        ok = o.converged;
        return unanswered(r);
    };
    SolveRequest req;
    req.load.fill(0.0);
    req.load(1) = 5.0e3 * piles;  // axial 5 kips a pile
    req.load(2) = 1.0e4 * piles;  // lateral 10 kips a pile
    // The run log is written as in a run, to a scratch file.
    const char* tmp = std::getenv("TMPDIR");
    const std::string log = std::string(tmp ? tmp : "/tmp") + "/zolan-cap3d-bench.log";
    long responses = 0, secants = 0;
    for (auto _ : state) {
        status = bench::solve_case(req, log);
        ok = ok && status == 0;
        // The rows' own counts of the solve (lateral solutions started, secant solves).
        responses = secants = 0;
        for (int r = 1; r <= piles; ++r) responses += NRESP(r), secants += NSECNT(r);
    }
    group_services.result3d = nullptr;
    const int newton = logged_iterations(log);
    std::remove(log.c_str());
    state.counters["newton_iters"] = newton;
    state.counters["pile_responses"] = static_cast<double>(responses);
    state.counters["responses_per_iter"] = newton > 0 ? static_cast<double>(responses) / newton : 0.0;
    state.counters["secant_per_response"] = responses > 0 ? static_cast<double>(secants) / responses : 0.0;
    state.counters["secant_per_cold_response"] = secant_solves_per_evaluation(U);
    KTANG = 0;
    state.counters["steps"] = steps;
    state.counters["iters_last_step"] = iters;
    state.counters["threads"] = NTHRMX(1);
    state.counters["converged_steps"] = nconv;
    state.counters["kerr"] = kerr;
    state.counters["status"] = status;
    if (!ok) state.SkipWithError(("the load case did not converge: status " + std::to_string(status) + ", " +
                                  std::to_string(nconv) + " steps converged, error word " + std::to_string(kerr))
                                     .c_str());
}
BENCHMARK(BM_Cap3dLoadCase)
    ->Args({16, 1, 1})->Args({16, 1, 0})->Args({256, 1, 1})->Args({256, 1, 0})->Args({256, 8, 1})->Args({256, 8, 0})
    ->Args({2500, 1, 1})->Args({2500, 1, 0})->Args({2500, 8, 1})->Args({2500, 8, 0})
    ->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
