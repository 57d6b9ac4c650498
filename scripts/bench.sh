#!/usr/bin/env bash
# Measures the win64 quorvane.exe against a minimal Win32 program built the same way
# (bench/baseline.cpp), both under Wine in one run, sizes up both stripped executables of the
# program, and writes the figures into docs/performance.md.
# Arguments go to the driver, for a quick try that leaves the document alone:
#   scripts/bench.sh startup-runs=2 idle-runs=1 idle-seconds=5 tick-runs=1 tick-seconds=5
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
project_prefix=$WINEPREFIX
out=build/bench
prefix=$PWD/$out/prefix
doc=docs/performance.md
command="make bench"

for binary in build/win64/app/quorvane.exe build/win64/bench/bench_driver.exe \
              build/win64/bench/baseline.exe; do
  [ -f "$binary" ] || { echo "bench: $binary is missing (scripts/build.sh win64)" >&2; exit 1; }
done
# The 32-bit program is only sized, never run: Wine here has no 32-bit side.
[ -f build/win32/CMakeCache.txt ] || cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)" --target quorvane >/dev/null

mkdir -p "$out"
# One run at a time: a second one would share the prefix and halve the CPU of the first.
exec 9>"$out/.lock"
flock 9

# A private copy of the project's prefix, made again whenever that one changes, so that the
# runs neither disturb nor are disturbed by other runs in the project's prefix.
if ! compgen -G "$project_prefix/.quorvane-ready*" >/dev/null; then
  scripts/with-display.sh true  # makes the project's prefix
fi
if [ ! -f "$prefix/.bench-copy" ] ||
   [ -n "$(find "$project_prefix" -maxdepth 1 -name '.quorvane-ready*' -newer "$prefix/.bench-copy")" ]; then
  rm -rf "$prefix"
  cp -a "$project_prefix" "$prefix"
  touch "$prefix/.bench-copy"
fi

# Stripped sizes and imported DLLs. A DLL counts as Windows' own when Windows installs it in
# system32 (here: when the Wine prefix has it there); the mingw runtime DLLs never are.
system32=$prefix/drive_c/windows/system32
sizes=""
for arch in x64:win64:x86_64 x86:win32:i686; do
  IFS=: read -r name preset triple <<<"$arch"
  stripped=$out/quorvane-$name.exe
  "$triple-w64-mingw32-strip" -o "$stripped" "build/$preset/app/quorvane.exe"
  dlls=$("$triple-w64-mingw32-objdump" -p "$stripped" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')
  foreign=""
  for dll in $dlls; do
    [ -n "$(find "$system32" -maxdepth 1 -iname "$dll" -print -quit)" ] || foreign+="$dll "
  done
  sizes+="size $name $(stat -c %s "$stripped") ${foreign:--} $dlls"$'\n'
done
x86_64-w64-mingw32-strip -o "$out/baseline-x64.exe" build/win64/bench/baseline.exe
sizes+="size baseline-x64 $(stat -c %s "$out/baseline-x64.exe") -"$'\n'

windows_path() { echo "Z:${PWD//\//\\}\\${1//\//\\}"; }
started=$(date -u '+%Y-%m-%d %H:%M UTC')
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
start_seconds=$SECONDS
echo "bench: measuring; the full run takes about 10 minutes" >&2
WINEPREFIX=$prefix scripts/with-display.sh wine build/win64/bench/bench_driver.exe \
  "$(windows_path build/win64/app/quorvane.exe)" "$(windows_path build/win64/bench/baseline.exe)" \
  "$@" > "$out/figures.txt" || { echo "bench: the measurement failed" >&2; exit 1; }
minutes=$(( (SECONDS - start_seconds + 30) / 60 ))
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
{ cat "$out/figures.txt"; printf '%s' "$sizes"; } > "$out/all-figures.txt"
cat "$out/all-figures.txt"

if [ $# -gt 0 ]; then
  echo "bench: a trial run with settings of its own; $doc left as it was" >&2
  exit 0
fi

awk -v started="$started" -v command="$command" -v minutes="$minutes" \
    -v wine="$(wine --version 2>/dev/null)" -v cpu="$(nproc)" \
    -v load_before="$load_before" -v load_after="$load_after" \
    -f bench/performance_report.awk "$out/all-figures.txt" > "$doc"
echo "bench: wrote $doc" >&2
