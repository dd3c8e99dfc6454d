#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing,
# and Zig (from the npm registry, into the build tree) for the macOS build.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config libgtest-dev libbenchmark-dev rapidjson-dev libcli11-dev libtiff-dev libstb-dev fonts-dejavu-core img2pdf
  groff perl g++-mingw-w64-x86-64-posix wine64 lld-14 llvm-14 clang-14 libclang-rt-14-dev libfuzzer-14-dev)
# The locale tests run standin in (see below), memcheck for the examples, and
# /usr/bin/time for scripts/measure-scene-path.sh.
packages+=(locales valgrind time)
# npm may come with a Node.js package of its own, which Debian's npm conflicts with.
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# standin runs in the user's locale, as a host does; a test runs it under a
# locale that writes numbers with a decimal comma.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE\.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi

bash scripts/install-zig.sh >/dev/null
