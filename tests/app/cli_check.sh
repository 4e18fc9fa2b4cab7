#!/bin/sh
# The front end runs an input in a folder beside a copy of it, writes the
# names file there, prints the final status and exits with the run's status;
# --names reruns from that folder's names file.
set -u
zolan=$1
input=$2
work=$(mktemp -d /tmp/zolan-cli-XXXXXX)
trap 'rm -rf "$work"' EXIT
cp "$input" "$work/case.in"
fail() { echo "FAILED: $*"; exit 1; }

"$zolan" run "$work/case.in" > "$work/out.txt" 2> "$work/err.txt"
rc=$?
[ "$rc" -eq 0 ] || fail "exit status $rc: $(cat "$work/out.txt" "$work/err.txt")"
[ -f "$work/case/Names.dat" ] || fail "no Names.dat in the run folder"
[ "$(sed -n 5p "$work/case/Names.dat")" = "$work/case.in" ] || fail "record 5 is not the input"
[ "$(wc -l < "$work/case/Names.dat")" -eq 27 ] || fail "Names.dat does not have 27 records"
grep -q "ANALYSIS COMPLETED" "$work/out.txt" || fail "no final status printed"
grep -q "ANALYSIS COMPLETED" "$work/case/runtime.txt" || fail "runtime file without final status"

(cd "$work/case" && "$zolan" run --names > "$work/out2.txt" 2>&1) || fail "--names run failed"
grep -q "ANALYSIS COMPLETED" "$work/out2.txt" || fail "--names: no final status"

# A names file that the engine refuses: the status printed is this run's,
# never the runtime file left by the run before.
sleep 0.1
head -n 20 "$work/case/Names.dat" > "$work/case/Names.short" && mv "$work/case/Names.short" "$work/case/Names.dat"
(cd "$work/case" && "$zolan" run --names > "$work/out3.txt" 2>&1)
rc=$?
[ "$rc" -eq 38 ] || fail "short Names.dat: exit $rc, expected 38"
grep -q "COMPLETED" "$work/out3.txt" && fail "short Names.dat: the earlier run's status was printed"
grep -q "Names.dat has 20 records" "$work/out3.txt" || fail "short Names.dat: no reason given: $(cat "$work/out3.txt")"

# A progress file that is a folder: the run goes on without progress messages.
mkdir "$work/p"
printf 'TEST\n\n\n\n%s\n' "$work/case.in" > "$work/p/Names.dat"
for f in echo res sum plot run stat pdat progress crv flex ldd ptop stop eqk eqm axw itr axl curves est sumscr mphi; do
  echo "$f.txt" >> "$work/p/Names.dat"
done
mkdir "$work/p/progress.txt"
(cd "$work/p" && "$zolan" run --names > "$work/out4.txt" 2>&1)
rc=$?
[ "$rc" -eq 0 ] || fail "progress file a folder: exit $rc: $(cat "$work/out4.txt")"

mkdir "$work/empty"
(cd "$work/empty" && "$zolan" run --names > /dev/null 2>&1)
rc=$?
[ "$rc" -eq 38 ] || fail "--names without Names.dat: exit $rc, expected 38"

"$zolan" run "$work/no-such.in" > /dev/null 2>&1
rc=$?
[ "$rc" -eq 38 ] || fail "missing input: exit $rc, expected 38"
echo "front end check passed"
