#!/usr/bin/env bash
# Pictures of the main window, the about window and a message box with the control skin and
# without it, for docs/screenshots. Needs the win64 build (cmake --build --preset win64).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/docs/screenshots"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
cd "$root/build/win64/tests"
SKIN_SCREENSHOTS="Z:${work//\//\\}" "$root/scripts/wine-exec.sh" ./win32_tests.exe \
  --gtest_also_run_disabled_tests --gtest_filter='SkinTest.DISABLED_Screenshots'
for picture in "$work"/*.bmp; do
  convert "$picture" "$out/$(basename "${picture%.bmp}").png"
done
ls "$out"
