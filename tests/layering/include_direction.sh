#!/bin/sh
# Includes point down the layers only: the tables and the report layer know
# nothing of the subsystems above them, and the soil and pile routines, which
# the parallel loops call, never reach up into run control or the solvers:
# they take their stage from the controls their callers pass.
set -u
src=$1
status=0
check() {  # folder, then the folders it must not include
  dir=$1
  shift
  for up in "$@"; do
    found=$(grep -rn "#include \"$up/" "$src/$dir" 2>/dev/null)
    if [ -n "$found" ]; then
      echo "src/$dir includes src/$up:"
      echo "$found"
      status=1
    fi
  done
}
check model control soil pile group results capstiff flexcap
check report control soil pile group results capstiff flexcap
check soil control group results capstiff flexcap
check pile control group results capstiff flexcap
check group control
check results control
[ "$status" -eq 0 ] && echo "include direction check passed"
exit "$status"
