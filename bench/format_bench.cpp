// Speed of the report formatting: a results report of a large group prints
// hundreds of thousands of real fields.
#include <benchmark/benchmark.h>

#include <string>

#include "report/field_writers.h"
#include "report/fortran_format.h"

namespace {

// One real field by the real-number rule, over a spread of magnitudes.
void BM_RealField(benchmark::State& state) {
    std::string line;
    double x = 1.234567e-4;
    for (auto _ : state) {
        line.clear();
        for (int i = 0; i < 16; ++i) zolan::edit_real(line, 12, 5, x * (i % 2 ? -1.0 : 1.0) * (1 << i));
        benchmark::DoNotOptimize(line.data());
    }
    state.SetItemsProcessed(state.iterations() * 16);
}
BENCHMARK(BM_RealField);

// A table row written through a parsed edit list.
void BM_EditListRow(benchmark::State& state) {
    static const zolan::fmt::Format f("(I5,1P,6E14.5)");
    std::string out;
    for (auto _ : state) {
        out = zolan::fmt::format_to_string(f, {{7, 1.5, -2.25e3, 3.0e-7, 4.0, 5.5e10, -6.0}});
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * 7);
}
BENCHMARK(BM_EditListRow);

}  // namespace
