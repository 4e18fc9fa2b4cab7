// Speed of one load case of the three-dimensional cap solver: square groups
// of vertical 24 in pipes at 3 diameters in soft clay over sand, ten load
// increments of 0.1 (eleven steps, the last at exactly 1.0), each step a full
// Newton iteration over the pile-row force vector and tangent. Argument 1:
// the piles; argument 2: the processor request (1 one thread, 0 the rule).
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "group/cap_solver3d.h"
#include "pile/node_mesh.h"
#include "pipe_model.h"

namespace {

using namespace zolan;

// The pipe of the benchmarks in every row, 6 ft apart in a square. Soft clay (c = 3.47 psi, e50 = 0.02) to 240 in, sand (phi = 35 deg, k = 90
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
        CORY(r) = YTOP(r) = 72.0 * ((r - 1) % n);
        CORZ(r) = 72.0 * ((r - 1) / n);
    }
    NODESETUP();
    PYSETUP();
    MAXITC = 20, MAXITP = 100;
    TOLREL = 1e-4, TOLLLP = 1e-5;
    DTINIT = 0.1, DTCMIN = 0.01;
}

void BM_Cap3dLoadCase(benchmark::State& state) {
    const int piles = static_cast<int>(state.range(0));
    model(piles);
    NTHRREQ = static_cast<int>(state.range(1));
    NTHRMX.fill(1);
    int steps = 0, iters = 0, nconv = 0, kerr = 0, status = 0;
    bool ok = true;
    group_services.result3d = [&](const SolveRequest& r, const Cap3dOutcome& o, int&) {
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
    for (auto _ : state) {
        int istat = 0;
        CAP3D(req, istat);
        status = istat;
        ok = ok && istat == 0;
    }
    group_services.result3d = nullptr;
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
    ->Args({16, 1})->Args({16, 0})->Args({256, 1})->Args({256, 0})->Args({2500, 1})->Args({2500, 0})
    ->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
