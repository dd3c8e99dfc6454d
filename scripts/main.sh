#!/usr/bin/env bash
# Builds the project, then mirrors an example scene through the plug-in's
# dialog as a user would, and shows the scene before and after.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default

standin=build/default/bin/standin
scene=examples/arm.json
out=build/default/main
mkdir -p "$out"
mirrored=$out/arm.mirrored.json
journal=$out/arm.journal.jsonl
picture=$out/arm.before-after.png

echo
echo "Before:"
"$standin" info "$scene"
"$standin" mirror "$scene" --axis x --duplicate --rename all --out "$mirrored" --journal "$journal" \
  --picture "$picture"
echo
echo "After standin mirror $scene --axis x --duplicate --rename all"
echo "(a renamed duplicate, mirrored across X, on top; the original as it was):"
"$standin" info "$mirrored"
echo
echo "The mirrored scene is $mirrored; what the plug-in asked of the host is in $journal;"
echo "the scene before and after, in three views with the mirror plane, is drawn in $picture."
