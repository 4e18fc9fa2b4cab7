#!/bin/sh
# A run whose status is 0 but in which an analysis did not complete exits 65
# and prints the analyses that did not complete, each with its number, name
# and status line; the run log and the summary name them too. Three kinds on
# the one-pile input, each beyond what the pile can carry whatever the
# solver: 100 kips across a pile cut to 4 ft (it carries a few kips), 900
# kips down on a pile that bears about 165, and a pinned head whose cap has
# no stiffness against rotation (a singular matrix). The input as it stands
# completes and exits 0.
set -u
zolan=$1
input=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/zolan-incomplete-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

load='^100000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0'
# name | sed script | status line
check() {
  name=$1 script=$2 line=$3
  sed -e "s/^AXIAL LOAD\$/$name/" -e "$script" "$input" > "$work/case.in"
  "$zolan" run "$work/case.in" --dir "$work/case" > "$work/out.txt" 2> "$work/err.txt"
  rc=$?
  [ "$rc" -eq 65 ] || fail "$name: exit $rc, expected 65: $(cat "$work/out.txt" "$work/err.txt")"
  grep -q "^status 0$" "$work/out.txt" || fail "$name: the run status is not 0"
  for f in "$work/out.txt" "$work/case/runtime.txt" "$work/case/summary.txt"; do
    grep -q "\*\* WARNING \*\*  1 ANALYSIS DID NOT COMPLETE:" "$f" || fail "$name: no warning in $f"
    grep -q "LOAD CASE      1  $name\$" "$f" || fail "$name: the analysis is not named in $f: $(tail "$f")"
    grep -q "$line" "$f" || fail "$name: no status line in $f"
  done
  grep -q "$line" "$work/case/status.txt" || fail "$name: status file"
}
short='s/^40 40.0 1/20 4.0 1/;s/^0.0 40.0 1/0.0 4.0 1/'
check "LATERAL 100 KIPS ON 4 FT" "$short;s/$load/0.0 100000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0/" \
  "^ *[2367] \(SOLUTION AT .* % OF THE TOTAL LOAD\|NO CONVERGENCE ON PILE\|SINGULAR STIFFNESS MATRIX\)"
check "AXIAL OVERLOAD 900 KIPS" "s/$load/900000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0/" \
  "^ *2 SOLUTION AT .* % OF THE TOTAL LOAD"
check "PINNED HEAD" "s/^2 2 1 0 0 0 0 0 1 1/1 1 1 0 0 0 0 0 1 1/;s/$load/100000.0 1000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0/" \
  "^ *7 SINGULAR STIFFNESS MATRIX"

cp "$input" "$work/clean.in"
"$zolan" run "$work/clean.in" --dir "$work/clean" > "$work/out.txt" 2>&1
rc=$?
[ "$rc" -eq 0 ] || fail "clean run: exit $rc"
grep -q "DID NOT COMPLETE" "$work/out.txt" "$work/clean/runtime.txt" "$work/clean/summary.txt" && fail "clean run names an analysis"
echo "three incomplete analyses exit 65 and are named; a clean run exits 0"
