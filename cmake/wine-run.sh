#!/bin/sh
# Runs a Windows program under wine64 in the wine prefix PREFIX:
#   wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The wine server is kept for 30 seconds after the last program ends, so a
# test suite's many short runs share one server instead of each starting
# one (and the system services with it) anew.
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all
# Its standard streams are not the program's: whoever waits for the
# program's output must not wait for the server too.
/usr/lib/wine/wineserver -p30 </dev/null >/dev/null 2>&1 || true
exec /usr/lib/wine/wine64 "$@"
