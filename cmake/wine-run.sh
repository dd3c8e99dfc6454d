#!/bin/sh
# Runs a Windows program under wine64 in the wine prefix PREFIX:
#   wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The wine server is kept for 30 seconds after the last program ends, so a
# test suite's many short runs share one server instead of each starting
# one (and the system's services with it) anew.
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all
mkdir -p "$prefix"
/usr/lib/wine/wineserver -p30 </dev/null >/dev/null 2>&1 || true

# The services that wine starts beside a program outlive it and keep the
# program's standard streams open. The program therefore writes to files,
# passed on once it has ended, so whoever reads its output through a pipe
# (CMake, CTest) is not kept waiting until the server leaves.
out=$(mktemp) && err=$(mktemp) || exit 125
trap 'rm -f "$out" "$err"' EXIT
trap 'exit 130' INT TERM
/usr/lib/wine/wine64 "$@" >"$out" 2>"$err"
status=$?
cat "$out"
cat "$err" >&2
exit $status
