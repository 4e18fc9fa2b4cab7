// Speed of laying distributed loads: every load case and combination lays
// its lines onto the nodes of every pile row they name, twice per analysis,
// so a large group with many lines spends most of its load assembly here.
#include <benchmark/benchmark.h>

#include "control/control.h"
#include "control/distributed_loads.h"
#include "model/analysis_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"

namespace {

using namespace zolan;

// A three-dimensional group of `rows` battered piles of 100 increments, and
// load case 1 with `lines` lines over every row (local and global axes in
// turn, the axial share gathered), on ten sets of four points; every other
// table at its start.
void group(int rows, int lines) {
    RESETRUN();
    NANTYP = 3;
    NPILES = rows;
    PLENP(1) = 40.0;
    NINCR(1) = 100;
    for (int p = 1; p <= rows; ++p) {
        IPROP(p) = 1;
        ALPHA(p) = 0.1 * (p % 7);
        BETA(p) = 1.4 + 0.01 * (p % 5);
        THETA(p) = 0.2 * (p % 3);
    }
    NDLSET = 10;
    for (int s = 1; s <= NDLSET; ++s) {
        NDLPT(s) = 4;
        const double dep[] = {0.0, 7.0 + s % 5, 20.0, 35.0}, val[] = {10.0 + s, 5.0, 2.0, 0.0};
        for (int k = 1; k <= 4; ++k) DLDEP(s, k) = dep[k - 1], DLVAL(s, k) = val[k - 1];
    }
    NLCASE = 1;
    LCSCAL(1) = 1.0;
    LCKIND(1, 7) = 1;
    NDLINE(1) = lines;
    for (int m = 1; m <= lines; ++m) {
        const int line[] = {m, m % 2, 1, rows, 1, 1 + m % 10, 1 + (m + 1) % 10};
        for (int k = 1; k <= 7; ++k) DLLINE(1, m, k) = line[k - 1];
        DLFY(1, m) = 0.5;
        DLFZ(1, m) = 0.25;
    }
}

// One load case's distributed loads on the group: items are line-row pairs.
void BM_LayDistributedLoads(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0)), lines = static_cast<int>(state.range(1));
    group(rows, lines);
    for (auto _ : state) {
        DLCASE(1);
        benchmark::DoNotOptimize(DLTAB(rows, 50, 2));
    }
    state.SetItemsProcessed(state.iterations() * rows * lines);
}
BENCHMARK(BM_LayDistributedLoads)->Args({2500, 100})->Args({100, 10})->Unit(benchmark::kMillisecond);

}  // namespace
