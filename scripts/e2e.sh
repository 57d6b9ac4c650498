#!/usr/bin/env bash
# Runs every end-to-end scenario (tests/e2e/scenarios/*.txt) against a fresh quorvane.exe of
# the win64 build, each in its own copy of the project's Wine prefix and its own display, with
# the power calls traced. Prints one line per scenario and writes build/e2e/e2e.xml.
# Arguments, if any, pick scenarios by the start of their names: scripts/e2e.sh 03 05
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
out=build/e2e
base=$out/prefix-base
relay_include="user32.ExitWindowsEx;kernel32.SetSystemPowerState;advapi32.AdjustTokenPrivileges"

for binary in build/win64/app/quorvane.exe build/win64/tests/e2e/e2e_driver.exe; do
  [ -f "$binary" ] || { echo "e2e: $binary is missing (scripts/build.sh win64)"; exit 1; }
done
mkdir -p "$out"
# One run at a time in this tree: the runs share the prefixes and results under build/e2e.
exec 9>"$out/.lock"
flock 9

# The base prefix: a copy of the project's prefix, made again whenever that one changes, whose
# relay trace shows only the power calls.
if [ ! -f "$base/.e2e-ready" ] ||
   [ -n "$(find "$WINEPREFIX" -maxdepth 1 -name '.quorvane-ready*' -newer "$base/.e2e-ready")" ]; then
  scripts/with-display.sh true || exit 1  # the project's prefix, ready; its wineserver ended
  rm -rf "$base"
  cp -a "$WINEPREFIX" "$base"
  awk -v value="\"RelayInclude\"=\"$relay_include\"" '
    { print }
    /^\[Software\\\\Wine\\\\Debug\]/ { found = 1; getline; print; print value }
    END { if (!found) { print ""; print "[Software\\\\Wine\\\\Debug]"; print value } }
  ' "$WINEPREFIX/user.reg" > "$base/user.reg"
  touch "$base/.e2e-ready"
fi

xml_escape() { sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g' -e 's/"/\&quot;/g'; }

scenarios=()
for pick in "${@:-}"; do scenarios+=(tests/e2e/scenarios/"$pick"*.txt); done
# Each scenario gets a fresh copy of the base; the next copy is made while a scenario runs.
copy_prefix() { rm -rf "$out/prefix-$1" && cp -a "$base" "$out/prefix-$1"; }
name_of() { basename "$1" .txt; }
seconds_since() { awk -v from="$1" -v now="$EPOCHREALTIME" 'BEGIN { printf "%.1f", now - from }'; }

cases="" failures=0 suite_start=$EPOCHREALTIME
copy_prefix "$(name_of "${scenarios[0]}")"
for i in "${!scenarios[@]}"; do
  scenario=${scenarios[$i]} name=$(name_of "$scenario")
  copier=""
  if [ $((i + 1)) -lt ${#scenarios[@]} ]; then
    copy_prefix "$(name_of "${scenarios[$((i + 1))]}")" &
    copier=$!
  fi
  rm -rf "${out:?}/$name"
  start=$EPOCHREALTIME
  WINEPREFIX=$PWD/$out/prefix-$name timeout 180 \
    scripts/with-display.sh tests/e2e/run_scenario.sh "$scenario" "$out/$name" >/dev/null 2>&1
  seconds=$(seconds_since "$start")
  [ -n "$copier" ] && wait "$copier"
  rm -rf "$out/prefix-$name"

  result=$(cat "$out/$name/result" 2>/dev/null || echo "no result (the scenario was stopped)")
  cases+="    <testcase name=\"$name\" status=\"run\" result=\"completed\" time=\"$seconds\" classname=\"e2e\">"$'\n'
  if [ "$result" = pass ]; then
    printf 'PASS %-45s %5.1f s\n' "$name" "$seconds"
  else
    failures=$((failures + 1))
    printf 'FAIL %-45s %5.1f s  %s\n' "$name" "$seconds" "$result"
    cases+="      <failure message=\"$(xml_escape <<<"$result")\" type=\"\"><![CDATA[$(cat "$out/$name/driver.log" 2>/dev/null)]]></failure>"$'\n'
  fi
  cases+="    </testcase>"$'\n'
done

total=${#scenarios[@]}
elapsed=$(seconds_since "$suite_start")
{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo "<testsuites tests=\"$total\" failures=\"$failures\" disabled=\"0\" errors=\"0\" time=\"$elapsed\" name=\"AllTests\">"
  echo "  <testsuite name=\"e2e\" tests=\"$total\" failures=\"$failures\" disabled=\"0\" errors=\"0\" time=\"$elapsed\">"
  printf '%s' "$cases"
  echo "  </testsuite>"
  echo "</testsuites>"
} > "$out/e2e.xml"
echo "e2e: $((total - failures)) of $total scenarios passed in ${elapsed%.*} s"
[ "$failures" -eq 0 ]
