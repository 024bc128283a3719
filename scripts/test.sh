#!/usr/bin/env bash
# Installs what is missing, builds both targets and runs every test under Wine (code page 936).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
status=0
for preset in ${VELMO_PRESETS:-win32 win64}; do
  echo "== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)" >/dev/null
  echo "== $preset: tests"
  (
    source scripts/wine-session.sh "build/$preset/wineprefix"
    trap wine_session_end EXIT
    VELMO_OWN_DISPLAY=1
    ctest --preset "$preset" -j1 "${@}"
  ) || status=1
done
exit $status
