#!/usr/bin/env bash
# Builds every configuration, runs the host suites natively and the Windows suites under Wine,
# then the end-to-end scenarios, and closes with one line: N passed, N failed.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh host win64 win32 || { echo "0 passed, 1 failed"; exit 1; }

# Every CTest test is one GoogleTest executable that writes <name>.xml beside itself.
reports=()
for dir in build/host build/win64; do
  while read -r name; do
    report=$(find "$dir" -name "$name.exe" -o -name "$name" -type f -perm -u+x | head -n 1)
    reports+=("${report%.exe}.xml")
  done < <(cd "$dir" && ctest -N | sed -n 's/^ *Test *#[0-9]*: //p')
done
rm -f "${reports[@]}" build/e2e/e2e.xml

status=0
# A suite that hangs fails after ten minutes instead of holding up the whole run.
(cd build/host && ctest --output-on-failure --timeout 600) || status=1
scripts/with-display.sh bash -c 'cd build/win64 && ctest --output-on-failure --timeout 600' || status=1
scripts/e2e.sh || status=1
reports+=(build/e2e/e2e.xml)

# Sum the suites' own counts; a suite that wrote no report (it crashed) counts as one failure.
passed=0 failed=0
for report in "${reports[@]}"; do
  if [ ! -f "$report" ]; then
    echo "no report: $report"
    failed=$((failed + 1))
    continue
  fi
  header=$(grep -m1 '<testsuites' "$report")
  tests=$(sed -E 's/.* tests="([0-9]+)".*/\1/' <<<"$header")
  failures=$(sed -E 's/.* failures="([0-9]+)".*/\1/' <<<"$header")
  errors=$(sed -E 's/.* errors="([0-9]+)".*/\1/' <<<"$header")
  skipped=$(grep -c '<skipped' "$report" || true)
  passed=$((passed + tests - failures - errors - skipped))
  failed=$((failed + failures + errors))
done
[ "$failed" -gt 0 ] && status=1
echo "$passed passed, $failed failed"
exit $status
