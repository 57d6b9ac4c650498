#!/usr/bin/env bash
# Builds every configuration, runs the host suites natively and the Windows suites under Wine,
# and closes with one line: N passed, N failed.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh host win64 win32 || { echo "0 passed, 1 failed"; exit 1; }

rm -f build/host/tests/*.xml build/win64/tests/*.xml
status=0
(cd build/host && ctest --output-on-failure) || status=1
scripts/with-display.sh bash -c 'cd build/win64 && ctest --output-on-failure' || status=1
if [ -x scripts/e2e.sh ]; then scripts/e2e.sh || status=1; fi

# Sum the suites' own counts; a suite that wrote no report (it crashed) counts as one failure.
passed=0 failed=0
for suite in build/host/tests/portable_tests build/win64/tests/portable_tests \
             build/win64/tests/win32_tests build/e2e/e2e; do
  report="$suite.xml"
  if [ -f "$report" ]; then
    header=$(grep -m1 '<testsuites' "$report")
    tests=$(sed -E 's/.* tests="([0-9]+)".*/\1/' <<<"$header")
    failures=$(sed -E 's/.* failures="([0-9]+)".*/\1/' <<<"$header")
    errors=$(sed -E 's/.* errors="([0-9]+)".*/\1/' <<<"$header")
    skipped=$(grep -c '<skipped' "$report" || true)
    passed=$((passed + tests - failures - errors - skipped))
    failed=$((failed + failures + errors))
  elif [ "$suite" != build/e2e/e2e ] || [ -x scripts/e2e.sh ]; then
    echo "no report from $suite"
    failed=$((failed + 1))
  fi
done
[ "$failed" -gt 0 ] && status=1
echo "$passed passed, $failed failed"
exit $status
