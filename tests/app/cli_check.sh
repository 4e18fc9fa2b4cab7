#!/bin/sh
# The front end runs an input in a folder beside a copy of it, writes the
# names file there, prints the final status and the reports written, removes
# its scratch files and exits with the run's status; --names reruns from that
# folder's names file. It runs from wherever its folder is moved.
set -u
zolan=$1
input=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/zolan-cli-XXXXXX")
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
grep -q "^  results.txt  *results report$" "$work/out.txt" || fail "the results report is not listed: $(cat "$work/out.txt")"
grep -q "^  input-echo.txt  *input echo$" "$work/out.txt" || fail "the input echo is not listed"
[ -z "$(find "$work/case" -name '*.tmp')" ] || fail "scratch files left: $(ls "$work/case")"
# The reports' header names the run folder on its path line and the input by
# its whole name; with --dir the run folder is that folder, not the input's.
for f in results.txt input-echo.txt plot-data.txt; do
  grep -q "^     Path to file locations      : $work/case/\$" "$work/case/$f" || fail "$f: path line $(grep 'Path to' "$work/case/$f")"
  grep -q "^     Name of input data file     : $work/case.in\$" "$work/case/$f" || fail "$f: input line"
done
mkdir -p "$work/elsewhere"
"$zolan" run "$work/case.in" --dir "$work/elsewhere/run 2" > /dev/null 2>&1 || fail "run with --dir"
grep -q "^     Path to file locations      : $work/elsewhere/run 2/\$" "$work/elsewhere/run 2/results.txt" ||
  fail "--dir: path line $(grep 'Path to' "$work/elsewhere/run 2/results.txt")"
# A progress line of the cap solution carries its load step with the case
# (how many the run shows depends on the machine's speed; none is cut short).
grep -q 'proc\.) *$' "$work/err.txt" && fail "a progress line without its step: $(cat "$work/err.txt")"

# The command line: the version, and usage errors with a code that no run
# status uses; --dir without a folder says so.
[ "$("$zolan" --version)" = "ZOLAN 0.1" ] || fail "--version: $("$zolan" --version 2>&1)"
usage_error() {
  "$zolan" "$@" > "$work/usage.txt" 2>&1
  rc=$?
  [ "$rc" -eq 64 ] || fail "zolan $*: exit $rc, expected 64"
}
usage_error
usage_error bogus
usage_error run
usage_error run "$work/case.in" extra
usage_error run "$work/case.in" --names
usage_error --version extra
for d in --dir --dir=; do
  usage_error run "$work/case.in" $d
  grep -q "^zolan: --dir needs the name of the folder for the reports" "$work/usage.txt" ||
    fail "zolan run INPUT $d: $(cat "$work/usage.txt")"
done
usage_error run "$work/case.in" --dir --names

# A stop request left by an earlier run is cleared, and the user is told.
echo 1 > "$work/case/stop-request.txt"
"$zolan" run "$work/case.in" > "$work/out1.txt" 2>&1
rc=$?
[ "$rc" -eq 0 ] || fail "leftover stop request: exit $rc"
grep -q "held a stop request left by an earlier run; it was cleared" "$work/out1.txt" || fail "leftover stop request not told"

(cd "$work/case" && "$zolan" run --names > "$work/out2.txt" 2>&1) || fail "--names run failed: $(tail -3 "$work/out2.txt")"
grep -q "ANALYSIS COMPLETED" "$work/out2.txt" || fail "--names: no final status"

# A run folder in use refuses a second run at once, whether its lock file
# is held (a program calling the engine there) or the folder itself (another
# front end): exit 39, a message naming the folder, and every file of the
# folder as it was, bytes and times. The runs below go on in the folder.
state() { find "$work/case" -type f -exec stat -c '%n %s %y' {} + -exec md5sum {} + | LC_ALL=C sort; }
before=$(state)
for held in "$work/case/zolan.lock" "$work/case"; do
  for how in input names; do
    if [ "$how" = input ]; then
      flock -n "$held" "$zolan" run "$work/case.in" > "$work/out6.txt" 2>&1
    else
      (cd "$work/case" && flock -n "$held" "$zolan" run --names > "$work/out6.txt" 2>&1)
    fi
    rc=$?
    [ "$rc" -eq 39 ] || fail "$held held, $how: exit $rc, expected 39: $(cat "$work/out6.txt")"
    grep -q "^zolan: the run folder $work/case is in use by another run" "$work/out6.txt" ||
      fail "$held held, $how: $(cat "$work/out6.txt")"
    [ "$(state)" = "$before" ] || fail "$held held, $how: the folder changed"
  done
done

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
[ "$rc" -eq 37 ] || fail "missing input: exit $rc, expected 37"

# Bytes of a bad input reach the terminal escaped, never as they are.
printf 'TITLE\nVERSION\nCONTROL \033[2J INTEGERS\n1\000 3\n' > "$work/bad.in"
"$zolan" run "$work/bad.in" > "$work/out5.txt" 2>&1
rc=$?
[ "$rc" -eq 37 ] || fail "bad input: exit $rc, expected 37"
grep -q "HEADER: CONTROL <ESC>\[2J INTEGERS" "$work/out5.txt" || fail "bad input: header not shown: $(cat "$work/out5.txt")"
[ "$(tr -d '\033\000' < "$work/out5.txt" | wc -c)" -eq "$(wc -c < "$work/out5.txt")" ] || fail "raw control bytes printed"

# Moved elsewhere with its library, the front end runs; without it, it does
# not find the one of the build folder.
mkdir "$work/moved"
cp "$zolan" "$work/moved/zolan"
env -u LD_LIBRARY_PATH "$work/moved/zolan" --help > /dev/null 2>&1 && fail "moved front end ran without its library"
cp "$(dirname "$zolan")/libzolan.so" "$work/moved/"
env -u LD_LIBRARY_PATH "$work/moved/zolan" run "$work/case.in" > /dev/null 2>&1 || fail "moved front end failed"
echo "front end check passed"
