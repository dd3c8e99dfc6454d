#!/usr/bin/env bash
# Builds the libFuzzer targets of the stand-in host's readers (the preset
# `fuzz`) and runs each, one after the other, for about SECONDS (default 60)
# over a copy of its seeds in tests/fuzz/corpus/<reader>/, so that the
# committed seeds never grow. Fails when a target crashes, hangs or runs out
# of memory, and says where the input that did it was saved.
# VITREL_FUZZ_BUILD names another build folder than build/fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${VITREL_FUZZ_BUILD:-build/fuzz}

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j2

runs="$build/fuzz-runs"
crashes="$build/fuzz-crashes"
mkdir -p "$runs" "$crashes"
failed=()
for seeds in tests/fuzz/corpus/*/; do
  reader=$(basename "$seeds")
  corpus="$runs/$reader"
  log="$runs/$reader.log"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp "$seeds"* "$corpus"/
  echo "=== fuzz_$reader, ${seconds}s"
  if "$build/bin/fuzz_$reader" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$crashes/$reader-" "$corpus" >"$log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1
  else
    failed+=("$reader")
    grep -E '^(==[0-9]+==ERROR|SUMMARY|fuzz_)' "$log" | head -n 5 || true
    echo "fuzz_$reader failed; the input is $(sed -n 's/.*Test unit written to //p' "$log" | tail -n 1), the log $log"
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}" >&2
  exit 1
fi
