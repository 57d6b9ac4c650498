#!/usr/bin/env bash
# Runs a command with an X display (a private Xvfb when none is set), the project's Wine
# prefix ready, and one persistent wineserver for the whole command, then cleans up.
set -uo pipefail
here=$(dirname "$0")
source "$here/wine-env.sh"

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY="$display"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
fi
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT INT TERM

"$here/wine-prefix.sh"
wineserver -p
"$@"
