#!/bin/sh
# A run whose status is 0 but in which an analysis did not complete exits 65
# and prints the analyses that did not complete, each with its number, name
# and status line; the run log and the summary name them too. Three kinds on
# the one-pile input, each beyond what the pile can carry whatever the
# solver: 100 kips across a pile cut to 4 ft (it carries a few kips), 900
# kips down on a pile that bears about 165, and a pinned head whose cap has
# no stiffness against rotation (a singular matrix). A point of a
# flexibility or stiffness estimation counts as an analysis: 100 kips down
# at levels 0.5, 1 and 20 (2,000 kips) end the third flexibility point and
# the second stiffness level short of their load, while the full load
# completes. The terminal's last line says that analyses did not complete,
# then the run status.
# The input as it stands completes and exits 0; with a header that names no
# section and a pile head off the cap its warnings, which stand in the input
# echo, are counted and shown on the terminal; the word WARNING in the title
# and a case name is no warning.
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
  tail -n 1 "$work/out.txt" | grep -q "^1 analysis did not complete (exit 65); run status 0$" ||
    fail "$name: last line $(tail -n 1 "$work/out.txt")"
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

# name | LCKIND record | point named | status line
point() {
  name=$1 kind=$2 label=$3 line=$4
  sed -e "s/^AXIAL LOAD\$/$name/" -e "12s/.*/$kind/" -e '19s/^0$/3\n0.5\n1.0\n20.0/' "$input" > "$work/est.in"
  [ "$kind" = "0 11 0 0 0 0 0 0" ] && sed -i '19,22s/^3$/2/;21d' "$work/est.in"
  "$zolan" run "$work/est.in" --dir "$work/est" > "$work/out.txt" 2> "$work/err.txt"
  rc=$?
  [ "$rc" -eq 65 ] || fail "$name: exit $rc, expected 65: $(cat "$work/out.txt" "$work/err.txt")"
  for f in "$work/out.txt" "$work/est/runtime.txt" "$work/est/summary.txt"; do
    grep -q "\*\* WARNING \*\*  1 ANALYSIS DID NOT COMPLETE:" "$f" || fail "$name: no warning in $f"
    grep -q "LOAD CASE      1  $name, $label\$" "$f" || fail "$name: the point is not named in $f: $(tail "$f")"
    grep -q "$line" "$f" || fail "$name: no status line in $f"
  done
  tail -n 1 "$work/out.txt" | grep -q "^1 analysis did not complete (exit 65); run status 0$" || fail "$name: last line"
}
point "FLEXIBILITY" "0 1 0 0 0 0 0 0" "DOF :     1 POINT :     3" "^ *2 SOLUTION AT .* % OF THE TOTAL LOAD"
point "STIFFNESS" "0 11 0 0 0 0 0 0" "STIFFNESS POINT :     2" "^ *2 SOLUTION AT .* % OF THE TOTAL LOAD"

sed -e '24s/.*/BANANA/' -e '28s/.*/0.0 2.0 6.0 0.0 90.0 0.0 0.0/' "$input" > "$work/warn.in"
"$zolan" run "$work/warn.in" --dir "$work/warn" > "$work/out.txt" 2>&1
rc=$?
[ "$rc" -eq 0 ] || fail "warnings: exit $rc"
grep -q "^2 warnings in the input echo input-echo.txt:$" "$work/out.txt" || fail "warnings not counted: $(cat "$work/out.txt")"
grep -q '^  THE HEADER ON LINE 24, "BANANA",$' "$work/out.txt" || fail "header warning not shown"
grep -q "^  THE HEAD OF PILE ROW    1 LIES OUTSIDE THE PLAN OF THE PILE CAP:$" "$work/out.txt" || fail "cap warning not shown"
tail -n 1 "$work/out.txt" | grep -q "^status 0$" || fail "warnings: last line"

# A warning under a heading of dashes ("----WARNING----": a sand without
# friction angle, which ends the run with status 30) is counted and shown.
sed -e '47,48s/ 35.0 / 0.0 /' "$input" > "$work/phi.in"
"$zolan" run "$work/phi.in" --dir "$work/phi" > "$work/out.txt" 2>&1
rc=$?
[ "$rc" -eq 30 ] || fail "zero friction angle: exit $rc, expected 30"
grep -q "^1 warning in the input echo input-echo.txt:$" "$work/out.txt" || fail "dashed warning: $(cat "$work/out.txt")"
grep -q "^  THE FRICTION ANGLE IS 0 FOR SAND" "$work/out.txt" || fail "dashed warning not shown"

# A clean input whose title and case name hold the word WARNING has no warning.
sed -e '1s/.*/PILE UNDER A STORM WARNING LOAD/' -e 's/^AXIAL LOAD$/WARNING LOAD/' "$input" > "$work/clean.in"
"$zolan" run "$work/clean.in" --dir "$work/clean" > "$work/out.txt" 2>&1
rc=$?
[ "$rc" -eq 0 ] || fail "clean run: exit $rc"
grep -q "DID NOT COMPLETE" "$work/out.txt" "$work/clean/runtime.txt" "$work/clean/summary.txt" && fail "clean run names an analysis"
grep -q "warning" "$work/out.txt" && fail "clean run shows a warning"
echo "incomplete analyses and estimation points exit 65 and are named; input warnings are shown; a clean run exits 0"
