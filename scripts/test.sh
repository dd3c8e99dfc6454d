#!/usr/bin/env bash
# Builds and runs the whole test suite: on Linux optimised (with the
# examples under valgrind's memcheck), then under AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer; the Windows build under
# wine; the macOS build's library checks; the readers' fuzz targets for a
# minute each; then one package per platform, each checked for its contents.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

for preset in default asan windows macos; do
  echo "=== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2
  ctest --preset "$preset" -j2
done
# The Windows tests keep a wine server for a while; it is not needed now.
WINEPREFIX="$PWD/build/windows/wine" /usr/lib/wine/wineserver -k 2>/dev/null || true

echo "=== fuzz"
bash scripts/fuzz.sh 60

version=$(sed -n 's/^project(Vitrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
for package in "default linux-x86_64 vitrel.so" "windows win64 vitrel.xdl64" "macos macos-x86_64 vitrel.xlib"; do
  read -r preset platform library <<<"$package"
  echo "=== package $preset"
  cpack --preset "$preset" >/dev/null
  cmake -DPACKAGE="build/$preset/packages/Vitrel-$version-$platform.zip" -DLIBRARY="$library" \
    -P tests/platform/check_package.cmake
done
echo "Packages: build/*/packages/Vitrel-$version-*.zip"
