#!/bin/sh
# Every mutable table and word of the engine goes back to its start value at
# the start of each run, so that no run sees what the run before it left.
#
# The mutable objects are taken from the built core library itself (nm: data
# and bss objects in namespace zolan or in an anonymous namespace, with the
# file and line that define them), so a table added anywhere is seen. An
# object whose definition is const or constexpr is a constant. Every other one
# must be cleared (assigned, filled, cleared, stored, or handed by address to a
# clearing loop) in RESETRUN or in a reset_* routine that RESETRUN reaches, and
# every reset_* routine must be reached from RESETRUN.
#
# Usage: reset_check.sh CORE_LIBRARY SOURCE_DIR
# Exit 77 (skipped) when the library carries no line information (a build
# without debug information).
set -u
lib=$1
src=$2
work=$(mktemp -d /tmp/zolan-reset-XXXXXX)
trap 'rm -rf "$work"' EXIT

# Process-wide state that is not the state of a run, by the name nm prints.
cat > "$work/exempt" <<'EOF'
(anonymous namespace)::run_in_progress
zolan::(anonymous namespace)::run_lock
zolan::io::(anonymous namespace)::write_failure_lock
zolan::io::block_lock()::lock
zolan::io::(anonymous namespace)::units
zolan::RDINPUT(int&)::at
zolan::(anonymous namespace)::direct_lock
zolan::(anonymous namespace)::active
zolan::(anonymous namespace)::running
zolan::RUNDRV_PAUSE
zolan::STOP_INTERVAL
zolan::STOPREAD_HOOK
zolan::FIXED_CLOCK
zolan::group_services
zolan::results_services
zolan::capstiff_services
zolan::pile_services
zolan::curve_generators
zolan::pyreport_double
zolan::flexcap_services
EOF
# Why each is exempt, in the order above:
# - the run-in-progress flag: it guards the entry point across runs;
# - the run folder's lock: taken after RESETRUN, given up at the end of every
#   run (UNLOCKRUN), whatever ends it;
# - the locks of the run files and of the blocks written at once: they hold
#   no data;
# - the row report of the calling thread and the loop-in-progress flag of the
#   pile-row loop helper: set only for the length of a loop, which never
#   outlives the run's call;
# - the unit registry: RESETRUN closes every unit first (io::close_all_units),
#   which clears each unit's name, stream and open line;
# - the reader's places: written before they are read for every record;
# - the test seams (pause in the run driver, the fixed clock, the throttle of
#   the stop-request reads and their counter) and the service
#   hooks (an empty member means the module's own body): installed by tests
#   for the length of a test, never by a run.

# 1. Data objects of the engine with the place of their definition.
nm -C -l --defined-only "$lib" 2>/dev/null | awk -F'\t' '
    { split($1, a, " "); t = a[2]; n = substr($1, length(a[1]) + length(a[2]) + 3) }
    t ~ /^[bBdDuvV]$/ && (n ~ /^zolan::/ || n ~ /^\(anonymous namespace\)::/) &&
        n !~ /^(typeinfo|vtable|guard variable|VTT|construction vtable)/ { print n "\t" $2 }' |
    sort -u > "$work/symbols"
[ -s "$work/symbols" ] || { echo "FAILED: no data objects found in $lib"; exit 1; }
if ! grep -q "$(printf '\t')/" "$work/symbols"; then
    echo "SKIPPED: $lib carries no line information (build with debug information)"
    exit 77
fi

# 2. The mutable ones: the definition line does not make the object const.
# An object without a place (an inline variable of a header) is looked up in
# the headers by name.
awk -F'\t' -v src="$src" '
    function line_of(file, n,    l, k) {
        if (!(file in loaded)) {
            loaded[file] = 1
            k = 0
            while ((getline l < file) > 0) text[file, ++k] = l
            close(file)
        }
        return text[file, n]
    }
    function in_headers(name,    cmd, l, found) {
        cmd = "grep -rhE \"[^A-Za-z0-9_]" name "[[:space:]]*([[]|=|[{]|[(]|;)\" \"" src "\" --include=*.h"
        found = ""
        while ((cmd | getline l) > 0) if (found == "" && l !~ /^[[:space:]]*\/\//) found = l
        close(cmd)
        return found
    }
    FNR == NR { exempt[$0]; next }
    ($1 in exempt) { next }
    {
        simple = $1; sub(/.*::/, "", simple); sub(/\[.*/, "", simple)
        if ($2 != "") {
            file = $2; sub(/:[0-9]+$/, "", file)
            n = $2; sub(/.*:/, "", n)
            decl = line_of(file, n + 0)
        } else {
            decl = in_headers(simple)
        }
        before = substr(decl, 1, index(decl, simple) - 1)
        if (before ~ /(^|[^A-Za-z0-9_])(const|constexpr)([^A-Za-z0-9_]|$)/) next
        print $1 "\t" simple "\t" ($2 == "" ? "?" : $2)
    }' "$work/exempt" "$work/symbols" > "$work/mutable"

# 3. Bodies of RESETRUN and the reset_* routines (defined at column 0 of a
# source file, ended by a closing brace at column 0, or on their definition
# line), one line each without its comment: routine<TAB>text.
find "$src" -name '*.cpp' | sort | xargs awk '
    /^[A-Za-z].*[ *&:](reset_[A-Za-z0-9_]*|RESETRUN)\(.*\{.*\}[[:space:]]*$/ {
        s = $0; sub(/\(.*/, "", s); sub(/.*[ *&:]/, "", s); b = $0; sub(/^[^{]*\{/, "", b)
        print s "\t" b; next }
    /^[A-Za-z].*[ *&:](reset_[A-Za-z0-9_]*|RESETRUN)\(.*\{[[:space:]]*$/ {
        s = $0; sub(/\(.*/, "", s); sub(/.*[ *&:]/, "", s); fn = s; next }
    fn != "" && /^}/ { fn = ""; next }
    fn != "" { sub(/\/\/.*/, ""); print fn "\t" $0 }' > "$work/bodies"
cut -f1 "$work/bodies" | sort -u > "$work/defined"

# 4. The routines reached from RESETRUN, through calls of reset_* routines.
echo RESETRUN > "$work/reached"
while :; do
    awk -F'\t' 'NR==FNR { r[$1]; next } ($1 in r) { print $2 }' "$work/reached" "$work/bodies" |
        grep -oE 'reset_[A-Za-z0-9_]*\(' | tr -d '(' | cat - "$work/reached" | sort -u > "$work/next"
    cmp -s "$work/next" "$work/reached" && break
    mv "$work/next" "$work/reached"
done
awk -F'\t' 'NR==FNR { r[$1]; next } ($1 in r) { print $2 }' "$work/reached" "$work/bodies" > "$work/reset_text"

failed=0
for fn in $(grep -vxF -f "$work/reached" "$work/defined"); do
    echo "FAILED: $fn is a reset routine that RESETRUN never reaches"
    failed=1
done

# 5. Each mutable object cleared in a reached routine.
awk -F'\t' '
    FNR == NR { body[++nb] = $0; next }
    {
        n = $2
        re = "(^|[^A-Za-z0-9_])(&" n "([^A-Za-z0-9_]|$)|clear[(]" n "([^A-Za-z0-9_]|$)|" n "[[:space:]]*=([^=]|$)|" \
             n "[.](fill|clear|set|reset|assign|store|resize)[(]|" n "[(][^()]*[)][.](fill|clear|set|reset|assign|store)[(])"
        for (k = 1; k <= nb; ++k) if (body[k] ~ re) next
        print "FAILED: " $1 " (" $3 ") is not reset at the start of a run: clear it in a reset_* routine that RESETRUN reaches"
    }' "$work/reset_text" "$work/mutable" > "$work/unreset"
if [ -s "$work/unreset" ]; then
    cat "$work/unreset"
    failed=1
fi

[ "$failed" -eq 0 ] || exit 1
echo "OK: $(wc -l < "$work/mutable") mutable objects, each reset by one of $(wc -l < "$work/reached") routines"
