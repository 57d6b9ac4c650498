#!/usr/bin/env bash
# `make screenshots`: builds the 64-bit program, starts it under Wine on a private X screen and
# saves pictures of the main window and of the about window into docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# Waits for the top-level window titled $1 and saves it into the file $2.
capture() {
  local id=""
  for _ in $(seq 150); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -1) && [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] || { echo "no window \"$1\" appeared" >&2; return 1; }
  sleep 1.5  # the clock field fills at the first tick, a second after start-up
  eval "$(xdotool getwindowgeometry --shell "$id")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
  echo "$2"
}

if [ "${1:-}" = "--inside-display" ]; then
  cd "$root"
  wine build/win64/app/quorvane.exe &
  program=$!
  capture "Quorvane v3.0" docs/main-window.png
  # The about button: its place in the client area (24, 288, 96 x 32) plus Wine's frame (3)
  # and caption (19 + 3) in the project's prefix.
  eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name '^Quorvane v3.0$' | head -1)")"
  xdotool mousemove $((X + 3 + 24 + 48)) $((Y + 22 + 288 + 16)) click 1
  capture "关于本软件和作者" docs/about-window.png
  kill "$program" 2>/dev/null || true
  exit 0
fi

cd "$root"
[ -f build/win64/CMakeCache.txt ] || cmake --preset win64 >/dev/null
cmake --build --preset win64 --target quorvane -j "$(nproc)"
mkdir -p docs
# Always a private screen, so nothing else shows in the pictures.
env -u DISPLAY scripts/with-display.sh "$0" --inside-display
