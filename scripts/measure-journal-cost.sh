#!/usr/bin/env bash
# What `--journal FILE` adds to `standin mirror` of the 100,000-deep chain,
# the case of scripts/measure-scene-path.sh, measured so that a loaded
# machine does not decide the answer: the runs with and without the journal
# alternate, round after round, and each build's cost is the ratio of the
# medians. Optional: not part of the tests.
#
#   bash scripts/measure-journal-cost.sh [ROUNDS] BUILD_DIR...    (default: 15 rounds)
#
# Several builds (a build before a change and one after) are measured in
# the same rounds. Each run writes new files (removed before it, outside its
# time), then each run again replaces the files of the run before. Prints,
# per build and way, the median time without and with the journal, what the
# journal adds to the time and to the processor time (user and system),
# and the peak memory with it.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=15
if [[ ${1:-} =~ ^[0-9]+$ ]]; then
  rounds=$1
  shift
fi
[ $# -gt 0 ] || { echo "usage: measure-journal-cost.sh [ROUNDS] BUILD_DIR..." >&2; exit 2; }
source scripts/timing.sh
[ -x /usr/bin/time ] || { echo "measure-journal-cost: /usr/bin/time is missing; run scripts/install-deps.sh" >&2; exit 1; }
for build in "$@"; do
  [ -x "$build/bin/standin" ] || { echo "measure-journal-cost: $build/bin/standin is missing" >&2; exit 1; }
done
work=$1/perf
mkdir -p "$work"
# The chain as measure-scene-path.sh writes it: names and types only.
scene=$work/chain-100000-compact.json
[ -s "$scene" ] || awk 'BEGIN {
  printf "{\"format\": \"vitrel-scene\", \"version\": 1, \"objects\": ["
  printf "{\"name\": \"Chain\", \"type\": 5140, \"children\": [\n"
  for (i = 2; i <= 100000; i++) printf "{\"name\": \"Link%d\", \"type\": 5140, \"children\": [\n", i
  for (i = 1; i <= 100000; i++) printf "]}"
  printf "]}\n"
}' >"$scene"
out=$work/journal-cost-out.json
journal=$work/journal-cost.jsonl
times=$(mktemp)
trap 'rm -f "$times" "$out" "$journal"' EXIT

# run BUILD WAY CASE [options...]: one run, a line "BUILD WAY CASE MICROSECONDS
# PROCESSOR_SECONDS PEAK_KB"
run() {
  local build=$1 way=$2 case=$3
  shift 3
  if [ "$way" = new ]; then rm -f "$out" "$journal"; fi
  # Earlier files' freeing is settled outside the run's time (see
  # measure-scene-path.sh).
  sync -f "$work"
  timed_run "$work/usage.txt" "$build/bin/standin" mirror "$scene" --select Chain --axis x --out "$out" "$@" --quiet
  echo "$build $way $case $RUN_US $RUN_CPU_S $RUN_PEAK_KB" >>"$times"
}

for ((round = 0; round < rounds; round++)); do
  for way in new replacing; do
    for build in "$@"; do
      run "$build" "$way" plain
      run "$build" "$way" journal --journal "$journal"
    done
  done
done

# median BUILD WAY CASE FIELD: the median of one column of one case's runs
median() {
  awk -v b="$1" -v w="$2" -v c="$3" -v f="$4" '$1 == b && $2 == w && $3 == c { print $f }' "$times" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

echo "| build | files | time s | with --journal s | journal adds | processor time adds | peak MB with it |"
echo "|---|---|---|---|---|---|---|"
for build in "$@"; do
  for way in new replacing; do
    plain=$(median "$build" "$way" plain 4)
    with=$(median "$build" "$way" journal 4)
    cpu_plain=$(median "$build" "$way" plain 5)
    cpu_with=$(median "$build" "$way" journal 5)
    peak=$(median "$build" "$way" journal 6)
    awk -v b="$build" -v w="$way" -v p="$plain" -v j="$with" -v cp="$cpu_plain" -v cj="$cpu_with" -v kb="$peak" \
      'BEGIN { printf "| %s | %s | %.3f | %.3f | %+.0f%% | %+.0f%% | %.0f |\n",
                      b, w, p / 1e6, j / 1e6, (j / p - 1) * 100, (cj / cp - 1) * 100, kb / 1024 }'
  done
done
echo
echo "$rounds rounds; load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
