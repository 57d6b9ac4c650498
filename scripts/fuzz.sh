#!/usr/bin/env bash
# Builds every tests/fuzz/*_fuzz.cpp with clang's libFuzzer and the address and undefined
# behaviour sanitizers into build/fuzz/, then runs each for FUZZ_SECONDS (default 60) on its
# own corpus under build/fuzz/corpus/. A failing input is kept as build/fuzz/<target>-crash-*.
# clang writes literals only in UTF-8, so the targets build without -fexec-charset=GBK; the
# fuzzed code compares no non-ASCII literal.
set -euo pipefail
cd "$(dirname "$0")/.."

# The project sources each target links, one line per target.
declare -A sources=(
  [values_fuzz]="countdown/values.cpp countdown/date_time.cpp"
  [icon_file_fuzz]="ui/icon_file.cpp"
)
# Files that start a target's corpus.
declare -A seeds=(
  [icon_file_fuzz]="resources/*.ico"
)

seconds="${FUZZ_SECONDS:-60}"
mkdir -p build/fuzz
status=0
for source in tests/fuzz/*_fuzz.cpp; do
  target=$(basename "$source" .cpp)
  if [ -z "${sources[$target]+listed}" ]; then
    echo "$target: add the sources it links to the list at the top of $0"
    exit 1
  fi
  echo "== $target: building"
  # shellcheck disable=SC2086 # the list is split into file names on purpose
  clang++ -std=c++20 -g -O1 -Wall -Wextra -Werror -I. \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    "$source" ${sources[$target]} -o "build/fuzz/$target"
  mkdir -p "build/fuzz/corpus/$target"
  # shellcheck disable=SC2086 # the pattern is expanded on purpose
  [ -n "${seeds[$target]+listed}" ] && cp ${seeds[$target]} "build/fuzz/corpus/$target/"
  echo "== $target: fuzzing for $seconds s"
  "build/fuzz/$target" -max_total_time="$seconds" -artifact_prefix="build/fuzz/$target-" \
    "build/fuzz/corpus/$target" || status=1
done
exit $status
