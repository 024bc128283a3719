#!/usr/bin/env bash
# Runs tests of a test program inside a Wine desktop window, which draws window frames that can be
# dragged (a bare X display without a window manager has none). explorer does not pass the exit
# code on, so the result is read from the test program's XML report.
# Usage: run-in-wine-desktop.sh TEST_EXE GTEST_FILTER
set -euo pipefail
exe=$1 filter=$2
report=$(mktemp --suffix=.xml)
trap 'rm -f "$report"' EXIT
"$(dirname "$0")/../cmake/wine-run.sh" explorer /desktop=VelmoTests,1280x1024 "$exe" \
  --gtest_filter="$filter" --gtest_output="xml:$(winepath -w "$report" 2>/dev/null)"
summary=$(grep -m1 '<testsuites ' "$report" || true)
if [[ -z $summary ]] || grep -q 'result="skipped"' "$report" ||
   ! [[ $summary =~ tests=\"[1-9] && $summary =~ failures=\"0\" && $summary =~ errors=\"0\" ]]; then
  echo "run-in-wine-desktop: tests failed, were skipped or did not run: ${summary:-no report}" >&2
  exit 1
fi
