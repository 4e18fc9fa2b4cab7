// OpenMP synchronisation as ThreadSanitizer sees it through the OpenMP
// runtime's tool (libarcher). Each hand-over below is ordered only by the
// runtime (the end and start of a region, a barrier, a critical section, a
// reduction); without the tool TSan takes every one of them for a race and
// this check fails, so a clean run shows that the TSan job sees OpenMP's
// synchronisation as the engine's pile-row loops will use it. Run with the
// argument "race", it adds one unsynchronised store from every thread, which
// the job must report: the suppressions leave the engine's races visible.
#include <link.h>
#include <omp.h>

#include <cstdio>
#include <cstring>

#if !defined(__has_feature) || !__has_feature(thread_sanitizer)
#error "build this check with -fsanitize=thread"
#endif

namespace {

constexpr int ROWS = 64;
constexpr int THREADS = 4;

int archer_loaded(dl_phdr_info* info, size_t, void*) {
    return std::strstr(info->dlpi_name, "libarcher") != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const bool race = argc > 1 && std::strcmp(argv[1], "race") == 0;
    static double slot[ROWS + 1];
    double sum = 0.0;
    int handed = 0, seen = 0, counted = 0, raced = 0;

    // 1. Rows in contiguous blocks, each thread writing its own rows' slots.
#pragma omp parallel for schedule(static) num_threads(THREADS)
    for (int i = 1; i <= ROWS; ++i) slot[i] = i;

    // 2. The next region reads them in the reverse order, so from other
    //    threads than those that wrote them, into a reduction.
#pragma omp parallel for schedule(static) num_threads(THREADS) reduction(+ : sum)
    for (int i = 1; i <= ROWS; ++i) sum += slot[ROWS + 1 - i];

    // 3. A value handed across a barrier, and a plain counter under a
    //    critical section; read on the calling thread after the region.
#pragma omp parallel num_threads(THREADS)
    {
        const int last = omp_get_num_threads() - 1;
        if (omp_get_thread_num() == 0) handed = 42;
#pragma omp barrier
        if (omp_get_thread_num() == last) seen = handed;
#pragma omp critical
        ++counted;
        if (race) raced = omp_get_thread_num();
    }

    if (!dl_iterate_phdr(archer_loaded, nullptr)) {
        std::puts("libarcher is not loaded: set OMP_TOOL_LIBRARIES to its path");
        return 1;
    }
    if (sum != ROWS * (ROWS + 1) / 2 || seen != 42 || counted < 1 || raced < 0) {
        std::printf("wrong results: sum %g, seen %d, counted %d\n", sum, seen, counted);
        return 1;
    }
    return 0;
}
