#!/usr/bin/env bash
# Draws the pictures in docs/images afresh with the Linux build (building it
# first), for the README and the manual. Commit what changes; the test
# docs.images_current fails while docs/images differs from what standin draws.
#   bash scripts/update-doc-images.sh [BUILD_DIR]   (default build/default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
if [ "$build" = build/default ] && [ ! -d "$build" ]; then
  cmake --preset default >/dev/null
fi
cmake --build "$build" --target standin vitrel_plugin_folder
cmake -DSTANDIN="$build/bin/standin" -DSOURCE="$PWD" -DOUT="$PWD/docs/images" -P docs/images/make_images.cmake
git status --short docs/images
