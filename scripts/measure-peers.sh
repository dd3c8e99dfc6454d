#!/usr/bin/env bash
# Sets `standin mirror` of the 1,000,000-point mesh beside other programs
# handling the same file in the same minutes: a JSON library reading and
# writing it (RapidJSON), one reading it (simdjson), Python's json module,
# a plain copy flushed to disk (cp and sync), and, where it is installed,
# Blender's data API mirroring a mesh of as many points. Prints a Markdown
# table of medians of three runs. Optional: not part of the tests.
#
#   bash scripts/measure-peers.sh [BUILD_DIR]     (default: build/default)
#
# It installs nothing: a peer whose tools are missing is left out with a
# line saying what to install.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
standin=$build/bin/standin
bench=$build/bin/vitrel-bench
work=$build/perf
points=1000000
mkdir -p "$work"
source scripts/timing.sh
for tool in "$standin" "$bench"; do
  [ -x "$tool" ] || { echo "measure-peers: $tool is missing; build the preset first" >&2; exit 1; }
done
scene=$work/mesh-$points.json
[ -s "$scene" ] || "$bench" --write-scene mesh "$points" "$scene"
out=$work/peer-out.json
peers=$(mktemp -d)
trap 'rm -rf "$peers"; rm -f "$out"' EXIT

# Runs the command three times, each writing a new file; prints the median
# wall time in seconds.
median() {
  local runs=()
  for _ in 1 2 3; do
    rm -f "$out"
    sync -f "$work"  # the removed file's freeing, outside the time
    local start end
    clock_us start
    "$@" >/dev/null
    clock_us end
    runs+=("$((end - start))")
  done
  printf '%s\n' "${runs[@]}" | sort -n | sed -n 2p | awk '{printf "%.3f", $1 / 1e6}'
}

bytes=$(stat -c %s "$scene")
row() {  # NAME WHAT SECONDS
  awk -v name="$1" -v what="$2" -v s="$3" -v b="$bytes" \
    'BEGIN { printf "| %s | %s | %.3f | %.0f |\n", name, what, s, b / 1e6 / s }'
}
skip() { echo "- $1 left out: $2"; }

# A C++ peer built from its library's Debian package; SOURCE on stdin.
build_peer() {  # NAME LIBS...
  local name=$1
  shift
  cat >"$peers/$name.cpp"
  g++ -std=c++20 -O2 -o "$peers/$name" "$peers/$name.cpp" "$@"
}

skipped=()
echo "| program | what it does with the file | time s | MB/s of input |"
echo "|---|---|---|---|"
row "standin mirror" "read, mirror in place, write and flush" \
  "$(median "$standin" mirror "$scene" --select Mesh --axis x --out "$out" --quiet)"

if [ -f /usr/include/rapidjson/document.h ]; then
  build_peer rapidjson <<'EOF'
// Reads the file into a document and writes the document to another file,
// flushed to disk, as standin does with a scene.
#include <rapidjson/document.h>
#include <rapidjson/filereadstream.h>
#include <rapidjson/filewritestream.h>
#include <rapidjson/writer.h>
#include <unistd.h>
#include <cstdio>
#include <vector>
int main(int, char** argv) {
  std::FILE* in = std::fopen(argv[1], "rb");
  std::vector<char> block(1 << 16);
  rapidjson::FileReadStream read(in, block.data(), block.size());
  rapidjson::Document document;
  document.ParseStream(read);
  std::fclose(in);
  if (document.HasParseError()) return 1;
  std::FILE* out = std::fopen(argv[2], "wb");
  rapidjson::FileWriteStream write(out, block.data(), block.size());
  rapidjson::Writer<rapidjson::FileWriteStream> writer(write);
  document.Accept(writer);
  write.Flush();
  std::fflush(out);
  fsync(fileno(out));
  return std::fclose(out) == 0 ? 0 : 1;
}
EOF
  row "RapidJSON" "read into a document, write and flush" "$(median "$peers/rapidjson" "$scene" "$out")"
else
  skipped+=("RapidJSON|apt-get install rapidjson-dev")
fi

if [ -f /usr/include/simdjson.h ]; then
  build_peer simdjson -lsimdjson <<'EOF'
// Reads and parses the file into a document (simdjson writes no JSON).
#include <simdjson.h>
int main(int, char** argv) {
  simdjson::dom::parser parser;
  simdjson::dom::element document;
  return parser.load(argv[1]).get(document) == simdjson::SUCCESS ? 0 : 1;
}
EOF
  row "simdjson" "read into a document" "$(median "$peers/simdjson" "$scene")"
else
  skipped+=("simdjson|apt-get install libsimdjson-dev")
fi

if command -v python3 >/dev/null; then
  row "Python json" "read into objects, write" "$(median python3 -c '
import json, sys
with open(sys.argv[1]) as f: scene = json.load(f)
with open(sys.argv[2], "w") as f: json.dump(scene, f)' "$scene" "$out")"
else
  skipped+=("Python's json|apt-get install python3")
fi

row "cp and sync" "copy, flushed to disk" "$(median sh -c 'cp "$1" "$2" && sync "$2"' sh "$scene" "$out")"

if command -v blender >/dev/null; then
  # Mirrors a grid of as many points through the data API, timed inside
  # Blender without its start, and without an undo copy: the peer of the
  # engine's in-process mesh mirror (vitrel-bench), not of the file.
  side=$(awk -v n="$points" 'BEGIN { printf "%d", sqrt(n) }')
  mirror_in_blender() {
    blender --background --factory-startup --python-expr "
import bpy, time
bpy.ops.mesh.primitive_grid_add(x_subdivisions=$side - 1, y_subdivisions=$side - 1)
mesh = bpy.context.object.data
start = time.perf_counter()
co = [0.0] * (3 * len(mesh.vertices))
mesh.vertices.foreach_get('co', co)
co[0::3] = [-x for x in co[0::3]]
mesh.vertices.foreach_set('co', co)
mesh.update()
print('mirror-seconds', time.perf_counter() - start)" 2>/dev/null | awk '$1 == "mirror-seconds" { print $2 }'
  }
  seconds=$(for _ in 1 2 3; do mirror_in_blender; done | sort -g | sed -n 2p)
  row "Blender data API" "mirror a $side x $side grid in memory (no file)" "$seconds"
else
  skipped+=("Blender's data API|Blender is not installed here (it runs where blender is on the PATH)")
fi

if [ ${#skipped[@]} -gt 0 ]; then
  echo
  for peer in "${skipped[@]}"; do skip "${peer%%|*}" "${peer#*|}"; done
fi
