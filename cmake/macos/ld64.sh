#!/bin/sh
# Runs the Mach-O linker named first with the other arguments. Options that
# the build files write for a compiler driver (-Wl,-undefined,error) are
# handed over as the driver would hand them (-undefined error).
set -f
linker=$1
shift
for argument do
  shift
  case $argument in
    -Wl,*)
      IFS=,
      set -- "$@" ${argument#-Wl,}
      unset IFS
      ;;
    *) set -- "$@" "$argument" ;;
  esac
done
exec "$linker" "$@"
