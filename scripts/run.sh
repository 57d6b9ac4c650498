#!/usr/bin/env bash
# `make run`: starts the 64-bit program under Wine. With a display it opens there; without one
# it runs on a private Xvfb screen, writes a picture of that screen after start-up to
# build/screenshot.png, and keeps running until interrupted (Ctrl+C).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe="$root/build/win64/app/quorvane.exe"

if [ "${1:-}" = "--headless" ]; then
  wine "$exe" &
  program=$!
  for _ in $(seq 150); do
    xdotool search --name '^Quorvane v3.0$' >/dev/null 2>&1 && break
    sleep 0.2
  done
  sleep 1.5  # past the first clock tick
  import -window root "$root/build/screenshot.png"
  echo "Quorvane runs on the private display $DISPLAY; the screen after start-up is in" \
       "build/screenshot.png. Ctrl+C ends it."
  wait "$program"
  exit 0
fi

if [ -n "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display.sh" wine "$exe"
fi
exec "$root/scripts/with-display.sh" "$0" --headless
