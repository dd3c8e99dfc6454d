#!/usr/bin/env bash
# Measures `standin render` and `standin mirror --picture` on scenes made to
# cost the drawing the most: many copies of one large triangle drawn at the
# largest size, and a mesh of a million small triangles. Prints a Markdown
# table of wall time and peak memory (the process's maximum resident set).
#
#   bash scripts/measure-render.sh [BUILD_DIR]     (default: build/default)
#
# Scenes are generated into BUILD_DIR/perf-render (about 60 MB of disk).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
standin=$build/bin/standin
work=$build/perf-render
mkdir -p "$work"
source scripts/timing.sh
[ -x /usr/bin/time ] || { echo "measure-render: /usr/bin/time is missing; run scripts/install-deps.sh" >&2; exit 1; }

# N: one polygon object whose N polygons are all the same triangle.
copies_scene() {
  local file=$work/copies-$1.json
  [ -s "$file" ] || awk -v n="$1" 'BEGIN {
    printf "{\"format\": \"vitrel-scene\", \"version\": 1, \"objects\": [{\"name\": \"Copies\", \"type\": 5100, "
    printf "\"selected\": true, \"points\": [[0, 0, 0], [100, 0, 30], [40, 80, 60]], \"polygons\": [\n"
    for (i = 1; i <= n; i++) printf "[0,1,2,2]%s", i < n ? "," : "\n"
    printf "]}]}\n"
  }' >"$file"
  echo "$file"
}

# N: a grid of about N triangles, two to a square cell, on a gently curved
# sheet so that every view shows some of it.
mesh_scene() {
  local file=$work/mesh-$1.json
  [ -s "$file" ] || awk -v n="$1" 'BEGIN {
    k = int(sqrt(n / 2)); if (k < 1) k = 1
    printf "{\"format\": \"vitrel-scene\", \"version\": 1, \"objects\": [{\"name\": \"Mesh\", \"type\": 5100, "
    printf "\"selected\": true, \"points\": [\n"
    for (j = 0; j <= k; j++) for (i = 0; i <= k; i++) {
      x = i / k * 100; y = j / k * 100
      printf "[%.4f, %.4f, %.4f]%s", x, y, 10 * sin(x / 9) * cos(y / 13), (i == k && j == k) ? "\n" : ","
    }
    printf "], \"polygons\": [\n"
    for (j = 0; j < k; j++) for (i = 0; i < k; i++) {
      a = j * (k + 1) + i; b = a + 1; c = a + k + 1; d = c + 1
      printf "[%d,%d,%d,%d],[%d,%d,%d,%d]%s", a, b, d, d, a, d, c, c, (i == k - 1 && j == k - 1) ? "\n" : ","
    }
    printf "]}]}\n"
  }' >"$file"
  echo "$file"
}

# LABEL ARGS...: one run; prints a table row with seconds and peak MB.
measure() {
  local label=$1
  shift
  timed_run "$work/usage.txt" "$standin" "$@"
  awk -v l="$label" -v t="$((RUN_US / 1000))" -v p="$RUN_PEAK_KB" \
    'BEGIN { printf "| %s | %.1f s | %.0f MB |\n", l, t / 1000, p / 1024 }'
}

copies=$(copies_scene 100000)
mesh=$(mesh_scene 1000000)
echo "| case | wall time | peak memory |"
echo "|---|---|---|"
measure "render: examples/arm.json, --size 8192,8192 (the picture alone)" render examples/arm.json --out "$work/arm.png" --size 8192,8192
measure "render: 100,000 copies of one triangle, --size 8192,8192" render "$copies" --out "$work/copies.png" --size 8192,8192
measure "render: 1,000,000 triangles, default size" render "$mesh" --out "$work/mesh.png"
measure "render: 1,000,000 triangles, --size 8192,8192" render "$mesh" --out "$work/mesh-large.png" --size 8192,8192
measure "mirror --picture: 1,000,000 triangles" mirror "$mesh" --axis x --picture "$work/mirror.png" --out "$work/mirrored.json" --quiet
