#!/bin/sh
# Builds the engine with its test suite (debug build: table bounds checked)
# and the benchmarks (compiled, so that they stay buildable; not run), and
# runs every test.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DZOLAN_TESTS=ON -DZOLAN_BENCH=ON
cmake --build build-test -j"$(nproc)"
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
