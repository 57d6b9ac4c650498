#!/usr/bin/env bash
# Redraws the program's icons: builds the generator natively and lets it rewrite
# resources/app.ico, main_window.ico, tray_icon.ico and icon_data.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra -Werror -o "$out/draw_icons" resources/generator/draw_icons.cpp
"$out/draw_icons" resources
