#!/bin/sh
# Builds the engine core and its threaded tests with ThreadSanitizer (clang 14
# with its OpenMP runtime, libomp, and that runtime's TSan tool, libarcher)
# and runs them: the tests of the pile-row loops and of every routine they
# call, chosen in tests/CMakeLists.txt.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DZOLAN_TSAN=ON -DZOLAN_BENCH=OFF -DZOLAN_TESTS=ON \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14
cmake --build build-tsan -j"$(nproc)" --target zolan_tsan_tests tsan_archer_check
ctest --test-dir build-tsan --output-on-failure -j"$(nproc)"
