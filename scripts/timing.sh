# Timing one run, for the measuring scripts (sourced, not run).
#
# The clock is bash's own ($EPOCHREALTIME), read without starting a process:
# a `$(date +%s%N)` on each side of a run, and a `$(...)` around the run to
# catch /usr/bin/time's line, each start a process whose few milliseconds
# (about 10 on the machine measured, against 4 for starting the program
# itself) were counted in the run they bracket.

# Microseconds since the epoch, into the variable named $1.
clock_us() {
  local -n into=$1
  into=${EPOCHREALTIME/[.,]/}
}

# timed_run FILE COMMAND...: runs COMMAND, its standard output discarded and
# its errors shown, under /usr/bin/time, which writes to FILE. Sets RUN_US
# (wall microseconds), RUN_CPU_S (user plus system seconds) and RUN_PEAK_KB
# (the maximum resident set). Fails, saying so, when the command fails.
timed_run() {
  local file=$1 start end user system status=0
  shift
  clock_us start
  /usr/bin/time -o "$file" -f '%U %S %M' "$@" >/dev/null || status=$?
  clock_us end
  if [ "$status" -ne 0 ]; then
    echo "timed_run: $* failed with exit status $status" >&2
    return "$status"
  fi
  RUN_US=$((end - start))
  read -r user system RUN_PEAK_KB <"$file"
  RUN_CPU_S=$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')
}
