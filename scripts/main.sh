#!/usr/bin/env bash
# Builds the project and shows an example scene as the stand-in host sees it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
build/default/bin/standin info examples/arm.json
