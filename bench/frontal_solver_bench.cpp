// Speed and memory of the slab program's frontal solver (FCSOLV) on square
// meshes of n x n eight-node elements (six variables per node, random
// symmetric positive definite element matrices, one node restrained) against
// a banded Cholesky solve of the same assembled system, whose band is the
// node-number spread of an element. Memory: the front matrix held in memory
// (the eliminated equations go to the scratch file, counted apart) against
// the band.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <vector>

#include "../tests/support/slab_mesh.h"
#include "flexcap/slab_program.h"

namespace {

using namespace zolan;

// The slab tables of an n x n mesh with random element matrices M M^T + 48 I
// and right-hand sides; node 1 restrained in its six variables at 0.
void mesh(int n) {
    test::slab_mesh(n, n, 1, 1, 1);
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> u(-1, 1);
    std::vector<double> M(48 * 48);
    for (int e = 1; e <= FCCTRL.NELEM; ++e) {
        for (double& m : M) m = u(gen);
        for (int a = 1; a <= 48; ++a) {
            for (int b = a; b <= 48; ++b) {
                double s = a == b ? 48 : 0;
                for (int k = 0; k < 48; ++k) s += M[(a - 1) * 48 + k] * M[(b - 1) * 48 + k];
                FCTAB.ELSTF(a, b, e) = FCTAB.ELSTF(b, a, e) = s;
            }
            FCTAB.ELLOD(a, e) = u(gen);
        }
    }
    FCTAB.IFXND(1) = 1;
    for (int i = 1; i <= 6; ++i) FCTAB.IFXCD(i, 1) = 1;
    int ISTAT = 0;
    CHECK2(FCTAB.XYNOD, FCTAB.IFXND, FCTAB.IFXCD, FCTAB.ICONN, FCTAB.IMATE, ISTAT);
    FCFRALLOC(ISTAT);
}

struct InTempDir {
    std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "zolan-frontal-bench";
    InTempDir() {
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
    }
    ~InTempDir() {
        std::filesystem::current_path(old);
        std::filesystem::remove_all(dir);
    }
};

void BM_FrontalSolve(benchmark::State& state) {
    const InTempDir here;
    mesh(static_cast<int>(state.range(0)));
    int ISTAT = 0;
    for (auto _ : state) {
        FCTAB.DSDIS.fill(0);
        FCSOLV(FCTAB.FXVAL, FCTAB.DSDIS, FCTAB.ELLOD, FCTAB.IFXND, FCTAB.REACT, FCTAB.ELSTF, FCTAB.IFXCD, FCTAB.ICONN, ISTAT);
        benchmark::DoNotOptimize(FCTAB.DSDIS.data());
    }
    const double m = FCCTRL.MFRON;
    state.counters["variables"] = 6.0 * FCCTRL.NPOIN;
    state.counters["front"] = m;
    state.counters["front_MB"] = (m * (m + 1) / 2 + 4 * m) * 8 / 1e6;
    state.counters["scratch_MB"] = 6.0 * FCCTRL.NPOIN * ((m + 1) * 8 + 8) / 1e6;
    state.counters["status"] = ISTAT;
    reset_flexcap_tables();
}

// Banded Cholesky of the same system: assembly into the band (row-major
// lower band, half-bandwidth w), factorisation, two triangular solves.
void BM_BandedCholesky(benchmark::State& state) {
    const InTempDir here;
    mesh(static_cast<int>(state.range(0)));
    const int N = 6 * FCCTRL.NPOIN;
    int w = 0;
    for (int e = 1; e <= FCCTRL.NELEM; ++e) {
        int lo = FCCTRL.NPOIN, hi = 1;
        for (int k = 1; k <= 8; ++k) {
            lo = std::min(lo, FCTAB.ICONN(k, e));
            hi = std::max(hi, FCTAB.ICONN(k, e));
        }
        w = std::max(w, 6 * (hi - lo) + 5);
    }
    const std::size_t W = static_cast<std::size_t>(w) + 1;
    std::vector<double> L(static_cast<std::size_t>(N) * W), x(N);
    // L(i, j), j <= i <= j + w, at i * W + (i - j).
    auto at = [&](int i, int j) -> double& { return L[static_cast<std::size_t>(i) * W + static_cast<std::size_t>(i - j)]; };
    for (auto _ : state) {
        std::fill(L.begin(), L.end(), 0.0);
        std::fill(x.begin(), x.end(), 0.0);
        for (int e = 1; e <= FCCTRL.NELEM; ++e)
            for (int a = 1; a <= 48; ++a) {
                const int va = (FCTAB.ICONN((a - 1) / 6 + 1, e) - 1) * 6 + (a - 1) % 6;
                x[va] += FCTAB.ELLOD(a, e);
                for (int b = 1; b <= 48; ++b) {
                    const int vb = (FCTAB.ICONN((b - 1) / 6 + 1, e) - 1) * 6 + (b - 1) % 6;
                    if (vb <= va) at(va, vb) += FCTAB.ELSTF(a, b, e);
                }
            }
        for (int v = 0; v < 6; ++v) {  // node 1 fixed at 0
            for (int j = std::max(0, v - w); j < v; ++j) at(v, j) = 0;
            for (int i = v + 1; i <= std::min(N - 1, v + w); ++i) at(i, v) = 0;
            at(v, v) = 1;
            x[v] = 0;
        }
        for (int j = 0; j < N; ++j) {
            double d = at(j, j);
            for (int k = std::max(0, j - w); k < j; ++k) d -= at(j, k) * at(j, k);
            d = std::sqrt(d);
            at(j, j) = d;
            for (int i = j + 1; i <= std::min(N - 1, j + w); ++i) {
                double s = at(i, j);
                for (int k = std::max(0, i - w); k < j; ++k) s -= at(i, k) * at(j, k);
                at(i, j) = s / d;
            }
        }
        for (int i = 0; i < N; ++i) {
            for (int k = std::max(0, i - w); k < i; ++k) x[i] -= at(i, k) * x[k];
            x[i] /= at(i, i);
        }
        for (int i = N - 1; i >= 0; --i) {
            for (int k = i + 1; k <= std::min(N - 1, i + w); ++k) x[i] -= at(k, i) * x[k];
            x[i] /= at(i, i);
        }
        benchmark::DoNotOptimize(x.data());
    }
    state.counters["variables"] = N;
    state.counters["halfband"] = w;
    state.counters["band_MB"] = static_cast<double>(L.size()) * 8 / 1e6;
    reset_flexcap_tables();
}

}  // namespace

BENCHMARK(BM_FrontalSolve)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_BandedCholesky)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond)->Iterations(2);
