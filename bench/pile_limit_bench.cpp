// The floor program of one lateral pile response (pile_limit_wrap.c): its
// response to a head shear of 10 kips, timed beside the engine's lateral
// solution of the same pile (BM_SecantSolve of pile3d_bench.cpp) for the time
// of one secant iteration. The floor solves one bending plane with a banded
// elimination; the engine solves two planes by its sweep at every solve.
#include <benchmark/benchmark.h>

#include <array>

extern "C" int pile_limit_respond(double H, double* y, int* iters);
extern "C" int pile_limit_nodes(void);

namespace {

void BM_PileLimitFloor(benchmark::State& state) {
    std::array<double, 1024> y{};
    if (pile_limit_nodes() > static_cast<int>(y.size())) {
        state.SkipWithError("the floor program has more nodes than this benchmark holds");
        return;
    }
    double iterations = 0;
    bool ok = true;
    for (auto _ : state) {
        int iters = 0;
        ok = ok && pile_limit_respond(1.0e4, y.data(), &iters) == 0;
        iterations += iters;
        benchmark::DoNotOptimize(y.data());
    }
    state.counters["solves"] = benchmark::Counter(iterations, benchmark::Counter::kAvgIterations);
    state.counters["per_solve"] =
        benchmark::Counter(iterations, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["head_deflection"] = y[0];
    if (!ok) state.SkipWithError("the floor program found its system singular");
}
BENCHMARK(BM_PileLimitFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
