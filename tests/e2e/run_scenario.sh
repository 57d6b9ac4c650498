#!/usr/bin/env bash
# Runs one scenario against a fresh quorvane.exe: run_scenario.sh SCENARIO OUTPUT-DIR
# Expects a display, its own Wine prefix (WINEPREFIX, with the power calls in RelayInclude) and
# a running wineserver for it: scripts/e2e.sh runs it under scripts/with-display.sh.
# Writes OUTPUT-DIR/trace.log (the program's relay trace), driver.log (one line per step) and
# result (pass, or what failed).
#
# Lines of the scenario for this runner:
#   @exit CODE      the program ends by itself with this exit code
#   @ends-prefix    the power call ends every process of the prefix (a forced ExitWindowsEx)
#   @calls ...      the traced calls in order: Name(arguments) exactly, or Name with any
#   @calls none     arguments; without @calls the trace is not checked
# Without @exit or @ends-prefix the program must still be running when the steps are done.
set -uo pipefail
scenario=$1 out=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
program=$root/build/win64/app/quorvane.exe
driver=$root/build/win64/tests/e2e/e2e_driver.exe
mkdir -p "$out"
rm -f "$out/trace.log" "$out/driver.log" "$out/result"

header() { sed -n "s/^@$1 *//p" "$scenario" | head -1; }
header_set() { grep -q "^@$1\b" "$scenario"; }
windows_path() { printf 'Z:%s' "$(realpath "$1" | tr / '\\')"; }
result() { echo "$1" > "$out/result"; }

# The program and the driver see a local clock in the afternoon at any time of day: clock mode
# cannot name the hour 00, and the afternoon takes the half-day box.
shift=$((14 - $(date -u +%-H)))
if [ $shift -ge 0 ]; then export TZ="QRV-$shift"; else export TZ="QRV+$((-shift))"; fi

# Only the power functions are traced (RelayInclude in the prefix).
WINEDEBUG=+timestamp,+relay wine "$program" >/dev/null 2>"$out/trace.log" &
program_pid=$!

WINEDEBUG=-all wine "$driver" "$(windows_path "$scenario")" "$(windows_path "$out/trace.log")" \
  > "$out/driver.log" 2>&1
driver_status=$?

# Waits up to $1 seconds for the program to end; its exit code in $program_status.
program_status=""
wait_program() {
  for _ in $(seq $(($1 * 10))); do
    if ! kill -0 "$program_pid" 2>/dev/null; then
      wait "$program_pid"
      program_status=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
}

failure=""
if header_set ends-prefix; then
  wait_program 20 || failure="the program still runs after the power call"
elif [ -n "$(header exit)" ]; then
  expected=$(header exit)
  if ! wait_program 20; then
    failure="the program did not end"
  elif [ "$program_status" != "$expected" ]; then
    failure="the program ended with $program_status, not $expected"
  fi
elif ! kill -0 "$program_pid" 2>/dev/null; then
  failure="the program ended"
fi

# Every step must have passed. The power call that ends the prefix may end the driver too,
# once it has seen the call.
steps=$(grep -cvE '^(#|@|\s*$)' "$scenario")
passed=$(grep -cE '^ *[0-9.]+ ok ' "$out/driver.log")
if [ "$passed" -ne "$steps" ]; then
  failure="$(grep -m1 FAIL "$out/driver.log" || echo "$passed of $steps steps passed")"
elif [ $driver_status -ne 0 ] && ! header_set ends-prefix; then
  failure="the driver ended with $driver_status"
fi

if [ -z "$failure" ] && header_set calls; then
  expected=$(header calls)
  [ "$expected" = none ] && expected=""
  traced=$(sed -nE 's/.*:Call [^.(]+\.([^ ]*\)).*/\1/p' "$out/trace.log" | tr '\n' ' ' | sed 's/ $//')
  read -ra want <<<"$expected"
  read -ra got <<<"$traced"
  match=$([ ${#want[@]} -eq ${#got[@]} ] && echo yes)
  for i in "${!want[@]}"; do
    [ -n "$match" ] || break
    case ${want[$i]} in
      *"("*) [ "${got[$i]}" = "${want[$i]}" ] || match="" ;;
      *) [ "${got[$i]%%(*}" = "${want[$i]}" ] || match="" ;;
    esac
  done
  [ -n "$match" ] || failure="traced calls: ${traced:-none}; expected: ${expected:-none}"
fi

result "${failure:-pass}"
[ -z "$failure" ]
