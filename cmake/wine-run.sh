#!/bin/sh
# Runs a Windows program under wine64 in the wine prefix PREFIX:
#   wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The wine server is kept for 30 seconds after the last program ends, so a
# test suite's many short runs share one server instead of each starting
# one (and the system's services with it) anew.
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all
# A new server and the services that wine starts with it live on after the
# program; started here, away from the program's standard streams, they
# do not keep whoever reads the program's output waiting for them. The lock
# keeps programs started at the same time from starting them twice.
mkdir -p "$prefix"
(
  flock 9
  if /usr/lib/wine/wineserver -p30 </dev/null >/dev/null 2>&1; then
    /usr/lib/wine/wine64 wineboot.exe </dev/null >/dev/null 2>&1
  fi
) 9>"$prefix/.vitrel-start.lock"
exec /usr/lib/wine/wine64 "$@"
