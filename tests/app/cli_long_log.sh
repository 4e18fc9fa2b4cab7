#!/bin/sh
# The final status of a run whose log is longer than the end the front end
# reads of it (64 KiB): 200 load steps of one pile leave some 90 KB of log,
# and the status printed is still the log's own final block, whole.
set -u
zolan=$1
model=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/zolan-long-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

# The first record of load-increment factors: initial 0.005, minimum 0.001.
awk '!done && /^1\.0E-5 1\.0E-5 0\.25 0\.01$/ { print "1.0E-5 1.0E-5 0.005 0.001"; done = 1; next } { print }' \
  "$model" > "$work/long.in"
"$zolan" run "$work/long.in" > "$work/out.txt" 2> "$work/err.txt"
rc=$?
[ "$rc" -eq 0 ] || fail "exit status $rc: $(cat "$work/out.txt" "$work/err.txt")"
log=$work/long/runtime.txt
[ "$(wc -c < "$log")" -gt 65536 ] || fail "the log is not longer than 64 KiB: $(wc -c < "$log") bytes"
grep -q "STEP   200, TCUR     1.0000" "$log" || fail "not 200 load steps"
# The block after the log's last line of blanks, trimmed, is what is printed first.
awk '/^ +$/ { n = 0; next } { gsub(/^ +| +$/, ""); if ($0 != "") b[++n] = $0 } END { for (i = 1; i <= n; ++i) print b[i] }' \
  "$log" > "$work/block.txt"
[ "$(wc -l < "$work/block.txt")" -eq 3 ] || fail "unexpected final block: $(cat "$work/block.txt")"
head -n 3 "$work/out.txt" | cmp -s - "$work/block.txt" || fail "printed status differs: $(head -n 3 "$work/out.txt")"
echo "long log check passed"
