#!/bin/sh
# Runs a Windows program with WINE64 (the wine64 loader; its wineserver
# lies beside it) in the wine prefix PREFIX:
#   wine-run.sh WINE64 PREFIX PROGRAM [ARGUMENTS...]
# The wine server is kept for 30 seconds after the last program ends, so a
# test suite's many short runs share one server instead of each starting
# one (and the system's services with it) anew.
wine=$1
prefix=$2
shift 2
export WINEPREFIX="$prefix" WINEDEBUG=-all
mkdir -p "$prefix"
"$(dirname "$wine")/wineserver" -p30 </dev/null >/dev/null 2>&1 || true

# The services that wine starts beside a program outlive it and keep the
# program's standard streams open. The program therefore writes to files,
# passed on once it has ended, so whoever reads its output through a pipe
# (CMake, CTest) is not kept waiting until the server leaves.
out=$(mktemp) && err=$(mktemp) || exit 125
trap 'rm -f "$out" "$err"' EXIT
trap 'exit 130' INT TERM
"$wine" "$@" >"$out" 2>"$err"
status=$?
cat "$out"
cat "$err" >&2
exit $status
