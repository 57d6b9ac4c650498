#!/usr/bin/env bash
# Configures (once) and builds the given presets: host, win64, win32.
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in "$@"; do
  [ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
done
