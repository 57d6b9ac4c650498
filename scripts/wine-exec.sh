#!/usr/bin/env bash
# Runs one Windows executable under Wine (CTest's emulator for the win64 configuration).
here=$(dirname "$0")
source "$here/wine-env.sh"
[ -n "${DISPLAY:-}" ] && [ -f "$WINEPREFIX/.quorvane-ready-2" ] && exec wine "$@"
exec "$here/with-display.sh" wine "$@"
