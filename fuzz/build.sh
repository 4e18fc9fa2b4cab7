#!/bin/sh
# Builds the input-reader fuzz target: libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer, table bounds checks on, against the engine's
# sources. Not part of the CMake build or of CI.
#
#   fuzz/build.sh [OUTPUT-FOLDER]      (default: build-fuzz at the top of the tree)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
src="$here/../src"
out="${1:-$here/../build-fuzz}"
mkdir -p "$out"
cxx="${CXX:-clang++-14}"
common="-std=c++20 -g -O1 -fno-omit-frame-pointer -fno-sanitize-recover=undefined -fopenmp -DZOLAN_BOUNDS_CHECK=1 -I$src"
# The clearing of the input tables (tens of megabytes a run) has no branches
# worth guiding the fuzzer: it is built without coverage feedback, which
# would otherwise cost most of the time of a run.
# shellcheck disable=SC2086
"$cxx" $common -fsanitize=address,undefined -c "$src/model/input_tables.cpp" -o "$out/input_tables.o"
# shellcheck disable=SC2046,SC2086
"$cxx" $common -fsanitize=fuzzer,address,undefined \
    $(find "$src" -name '*.cpp' ! -name input_tables.cpp | sort) "$here/input_reader_fuzz.cpp" \
    "$out/input_tables.o" -o "$out/input_reader_fuzz"
echo "built $out/input_reader_fuzz"
