#!/usr/bin/env bash
# The release: dist/quorvane-x64.exe and dist/quorvane-x86.exe, stripped, and dist/SHA256SUMS.
# Fails when an executable would need a DLL that Windows does not bring itself, or has lost
# its icon or its version block 3.0.3.0.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh win64 win32

# Windows' own DLLs, in lower case; the static build needs no other.
system_dlls=(advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
             oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll)

version=3.0.3.0

# The file version of the version block: the two words after the fixed block's signature.
file_version() {
  local at ms ls
  at=$(LC_ALL=C grep -obUaP '\xbd\x04\xef\xfe' "$1" | head -1 | cut -d: -f1)
  [ -n "$at" ] || return 0
  read -r ms ls < <(od -An -tu4 -j $((at + 8)) -N8 "$1")
  echo "$((ms >> 16)).$((ms & 65535)).$((ls >> 16)).$((ls & 65535))"
}

rm -rf dist
mkdir -p dist
for arch in x64:win64:x86_64 x86:win32:i686; do
  IFS=: read -r name preset triple <<<"$arch"
  exe=dist/quorvane-$name.exe
  "$triple-w64-mingw32-strip" -o "$exe" "build/$preset/app/quorvane.exe"

  for dll in $("$triple-w64-mingw32-objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p'); do
    lower=$(tr '[:upper:]' '[:lower:]' <<<"$dll")
    if [[ " ${system_dlls[*]} " != *" $lower "* ]]; then
      echo "dist: $exe imports $dll, which is not part of Windows" >&2
      exit 1
    fi
  done
  resources=$("$triple-w64-mingw32-objdump" -p "$exe" | sed -n '/The .rsrc Resource Directory/,$p')
  if ! grep -q 'DEFAULT_ICON' <<<"$resources"; then
    echo "dist: $exe has lost its icon DEFAULT_ICON" >&2
    exit 1
  fi
  if [ "$(file_version "$exe")" != "$version" ]; then
    echo "dist: $exe has version $(file_version "$exe"), not $version" >&2
    exit 1
  fi
  printf '%s  %s KiB\n' "$exe" "$(( $(stat -c %s "$exe") / 1024 ))"
done
(cd dist && sha256sum quorvane-x64.exe quorvane-x86.exe > SHA256SUMS)
cat dist/SHA256SUMS
