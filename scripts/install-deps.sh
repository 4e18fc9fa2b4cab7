#!/bin/sh
# Installs the Debian packages the engine needs to build and test, when they
# are missing. Run as root to install; otherwise it lists what is missing.
set -eu
need="g++ cmake make libgtest-dev libgmock-dev libbenchmark-dev gfortran binutils"
# The ThreadSanitizer job (scripts/tsan.sh): clang with its sanitizer runtimes,
# its OpenMP runtime with the TSan tool libarcher, and llvm-symbolizer.
need="$need clang-14 libclang-rt-14-dev libomp-14-dev llvm-14"
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
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $missing
