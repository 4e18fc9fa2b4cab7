#!/bin/sh
# Sets up a fresh machine, builds the engine in release mode and runs the
# three-dimensional example group. The reports land in examples/group3d/.
# Only what the release build and the run need is installed (a compiler and
# CMake); the test tools stay with scripts/test.sh.
set -eu
cd "$(dirname "$0")/.."
echo "== 1/3 packages: the compiler and CMake, when they are missing"
sh scripts/install-deps.sh release
echo "== 2/3 release build of the library and the front end into build/"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZOLAN_TESTS=OFF > /dev/null
cmake --build build -j"$(nproc)"
echo "== 3/3 run of examples/group3d.in: the progress, then the status and the reports"
./build/zolan run examples/group3d.in
