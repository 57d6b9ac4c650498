#!/usr/bin/env bash
# Creates the project's Wine prefix once: Chinese fonts mapped for the design's font faces.
# Needs a display (see with-display.sh).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
[ -f "$WINEPREFIX/.quorvane-ready-5" ] && exit 0
mkdir -p "$(dirname "$WINEPREFIX")"
wineboot -i >/dev/null 2>&1 || true
# The designs ask for 宋体, 新宋体 and the default GUI font; Wine has none of them, so they are
# replaced by WenQuanYi Micro Hei, which has every glyph the program shows.
# Xvfb runs no window manager: unmanaged windows keep Wine from waiting two seconds for one
# each time a window is hidden or destroyed.
# The file is UTF-16: regedit reads a REGEDIT4 file in the ANSI code page, which would mangle
# the Chinese face names.
reg="$WINEPREFIX/settings.reg"
{ printf '\xff\xfe'; printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
  '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
  '"SimSun"="WenQuanYi Micro Hei"' '"NSimSun"="WenQuanYi Micro Hei"' \
  '"宋体"="WenQuanYi Micro Hei"' '"新宋体"="WenQuanYi Micro Hei"' \
  '"MS Shell Dlg"="WenQuanYi Micro Hei"' '"Tahoma"="WenQuanYi Micro Hei"' '' \
  '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' \
  '"Managed"="N"' | iconv -f UTF-8 -t UTF-16LE; } > "$reg"
wine regedit "$reg" >/dev/null 2>&1 || true
# Marlett, which draws the caption buttons, where this Wine finds it (only Marlett: Wine's
# Tahoma has no Chinese and would win over the replacement above).
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
wineserver -w
touch "$WINEPREFIX/.quorvane-ready-5"
