#!/bin/sh
# Hostile input names and names files: each case ends with its documented
# exit code and message, the input data file keeps its bytes, and no file
# outside the case's run folder is created, changed or removed.
set -u
zolan=$1
model=$2
top=$(mktemp -d "${TMPDIR:-/tmp}/zolan-hostile-XXXXXX")
trap 'rm -rf "$top"' EXIT
work=$top/tree
mkdir "$work"
cp "$model" "$work/model.in"
failed=0
fail() { echo "FAILED: $*"; failed=1; }

# Every file under the tree but the run folder, with its checksum; a folder
# or link by its name.
snapshot() {
  (cd "$work" && find . -path "./$1" -prune -o -type f -exec md5sum {} + -o -print | LC_ALL=C sort)
}

# A names file in folder $1 of the tree: records 5 to 27 with the input
# "../model.in" and the run files of the front end; "N=NAME" arguments
# replace record N.
names_in() {
  dir=$work/$1
  shift
  mkdir -p "$dir"
  {
    printf 'TEST\n\n\n\n'
    r=5
    for f in ../model.in echo res sum plot run stat pdat progress crv flex ldd ptop stop eqk eqm axw itr axl \
             curves est sumscr mphi; do
      value=$f
      [ $r -gt 5 ] && value=$f.txt
      for a in "$@"; do
        [ "${a%%=*}" = "$r" ] && value=${a#*=}
      done
      printf '%s\n' "$value"
      r=$((r + 1))
    done
  } > "$dir/Names.dat"
}

# expect WHAT CODE MESSAGE RUN-FOLDER CWD ARG...: runs zolan ARG... in the
# tree folder CWD.
expect() {
  what=$1 code=$2 message=$3 run=$4 cwd=$5
  shift 5
  before=$(snapshot "$run")
  (cd "$work/$cwd" && "$zolan" "$@") > "$top/out.txt" 2>&1
  rc=$?
  [ "$rc" -eq "$code" ] || fail "$what: exit $rc, expected $code: $(cat "$top/out.txt")"
  grep -qF -- "$message" "$top/out.txt" || fail "$what: no message '$message' in: $(cat "$top/out.txt")"
  cmp -s "$model" "$work/model.in" || fail "$what: the input data file changed"
  [ "$(snapshot "$run")" = "$before" ] || fail "$what: files outside the run folder changed"
}

ln "$work/model.in" "$work/hard.in"
ln -s model.in "$work/sym.in"
cp "$model" "$work/model.in "
cp "$model" "$work/victim
foo.in"
mkdir "$work/folder.in"
mkfifo "$work/pipe.in"
long=$(printf '%090d' 0)
mkdir -p "$work/$long/$long/$long" "$work/far/$long/$long"
cp "$model" "$work/$long/$long/$long/model.in"

names_in hard 6=../hard.in
names_in sym 7=../sym.in
names_in spelled 8=../hard/../model.in
names_in stop 18=../model.in
names_in progress 13=../model.in

expect "hard link as the echo" 38 "record 6 (input echo) names the same file as record 5 (input data file)" hard hard run --names
expect "symbolic link as the results" 38 "record 7 (results report) names the same file as record 5" sym sym run --names
expect "one file spelled two ways" 38 "record 8 (summary) names the same file as record 5" spelled spelled run --names
expect "the input as the stop request" 38 "record 18 (stop-request file) names the same file as record 5" stop stop run --names
expect "the input as the progress file" 38 "Names.dat records 5 and 13 name one file" progress progress run --names
expect "a newline in the name" 38 "holds a control character (<LF>); rename it" "victim
foo" . run "victim
foo.in"
expect "a trailing blank" 38 "begins or ends with a blank; rename it" "model" . run "model.in "
expect "a path of 300 characters, given relative" 0 "ANALYSIS COMPLETED" "$long/$long/$long/model" . \
  run "$work/$long/$long/$long/model.in"
[ "$(sed -n 5p "$work/$long/$long/$long/model/Names.dat")" = "../model.in" ] || fail "long path: record 5 not relative"
expect "a path of 300 characters, refused" 38 "characters long, and the names file holds at most 256" "far" . \
  run "$long/$long/$long/model.in" --dir "far/$long/$long"
[ -z "$(ls "$work/far/$long/$long")" ] || fail "refused long path: the run folder is not empty"
expect "a folder" 37 "folder.in is a folder, not an input data file" "folder" . run folder.in
expect "a pipe" 37 "pipe.in is a pipe, not an input data file" "pipe" . run pipe.in
expect "a missing input" 37 "no input data file" "missing" . run missing.in
expect "the front end's own names file" 38 "is the run file Names.dat of the run folder" "hard" . \
  run hard/Names.dat --dir hard

[ "$failed" -eq 0 ] || exit 1
echo "hostile names check passed"
