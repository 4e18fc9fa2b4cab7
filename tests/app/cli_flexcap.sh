#!/bin/sh
# The flexible-cap example runs end to end: every analysis hands its cap to
# the slab program, whose deck is written in the run folder under a name of
# its own, whose steps are appended to the results report, the input data
# file is left as it was and no scratch of the frontal solver stays behind.
set -u
fail() { echo "FAILED: $*"; exit 1; }
run=$(mktemp -d "${TMPDIR:-/tmp}/zolan-flexcap-XXXXXX") || fail "no scratch folder"
trap 'rm -rf "$run"' EXIT
cp "$2" "$run/case.in"
"$1" run "$run/case.in" > "$run/out.txt" 2> "$run/err.txt" || fail "exit status $?: $(tail -5 "$run/out.txt" "$run/err.txt")"
input=$2
work=$run
cmp -s "$input" "$work/case.in" || fail "the input data file was changed"
[ -f "$work/case/case_slab.dat" ] || fail "no slab deck in the run folder: $(ls "$work/case")"
[ -f "$work/case/gslab.dat" ] || fail "no file list"
# Three load cases and one combination: four slab analyses, each ending its results.
[ "$(grep -c '^END_STEP_DATA$' "$work/case/results.txt")" -eq 4 ] || fail "not four slab analyses in the results report"
[ "$(grep -c 'COMPUTATION ON INDIVIDUAL PILE' "$work/case/summary.txt")" -eq 4 ] || fail "summary headings"
grep -q "REQUIRED INCREMENT LESS THAN MINIMUM" "$work/err.txt" && fail "a slab analysis did not converge"
[ -e "$work/case/fort2" ] && fail "the frontal solver's scratch file was left in the run folder"
echo "flexible-cap example: four slab analyses"
