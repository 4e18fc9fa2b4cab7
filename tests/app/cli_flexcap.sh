#!/bin/sh
# The flexible-cap example runs end to end: every analysis hands its cap to
# the slab program, whose deck is written in the run folder under a name of
# its own, whose steps are appended to the results report; each slab
# analysis has its status line and its pile pages, the envelopes are written,
# the slab's trace goes to its trace file and the run log and never to the
# terminal, the front end lists the slab's files with the others, the input
# data file is left as it was and no scratch of the frontal solver stays
# behind.
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
[ "$(grep -c 'TABLE I \*   COMPUTATION ON INDIVIDUAL PILE' "$work/case/summary.txt")" -eq 4 ] || fail "summary headings"
grep -q "REQUIRED INCREMENT LESS THAN MINIMUM" "$work/case/runtime.txt" && fail "a slab analysis did not converge"
[ "$(grep -c '^    1 ANALYSIS COMPLETED$' "$work/case/status.txt")" -eq 4 ] || fail "not four status lines: $(cat "$work/case/status.txt")"
grep -q "NO ANALYSIS WAS SOLVED" "$work/case/results.txt" "$work/case/summary.txt" && fail "envelopes missing after solved analyses"
# Four piles of four analyses and of the two load-case envelopes, at print level 2.
[ "$(grep -c '^       \* PILE GROUP \*' "$work/case/results.txt")" -eq 24 ] || fail "pile pages"
[ "$(grep -c '^STEP ' "$work/case/runtime.txt")" -ge 16 ] || fail "the slab's steps are not on the run log"
grep -q "ITER =" "$work/out.txt" "$work/err.txt" && fail "the slab's trace reached the terminal"
for f in case_slab.dat gslab.dat slabtrace.txt results.txt; do
  grep -q "^  $f  " "$work/out.txt" || fail "$f is not listed: $(cat "$work/out.txt")"
done
[ -e "$work/case/fort2" ] && fail "the frontal solver's scratch file was left in the run folder"
echo "flexible-cap example: four slab analyses"
