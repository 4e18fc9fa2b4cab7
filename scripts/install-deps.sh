#!/bin/sh
# Installs the Debian packages the engine needs, when they are missing. Run
# as root to install; otherwise it lists what is missing.
#   sh scripts/install-deps.sh           everything: build, tests and the
#                                        ThreadSanitizer job (test.sh, tsan.sh, CI)
#   sh scripts/install-deps.sh release   only what a release build and a run need
set -eu
# A release build of the library and the front end: the compiler (with its
# OpenMP runtime) and CMake.
need="g++ cmake make"
if [ "${1:-all}" != release ]; then
  # The test suite and the benchmarks: GoogleTest, Google Benchmark, the
  # Fortran formatting oracle and the symbol checks of the library.
  need="$need libgtest-dev libgmock-dev libbenchmark-dev gfortran binutils"
  # The ThreadSanitizer job (scripts/tsan.sh): clang with its sanitizer runtimes,
  # its OpenMP runtime with the TSan tool libarcher, and llvm-symbolizer.
  need="$need clang-14 libclang-rt-14-dev libomp-14-dev llvm-14"
fi
missing=""
for p in $need; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "missing Debian packages:$missing" >&2
  echo "install them as root: apt-get install$missing" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
echo "installing:$missing"
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $missing
