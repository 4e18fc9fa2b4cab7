#!/bin/sh
# Sets up a fresh machine, builds the engine in release mode and runs the
# three-dimensional example group. The reports land in examples/group3d/.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZOLAN_TESTS=OFF
cmake --build build -j"$(nproc)"
./build/zolan run examples/group3d.in
