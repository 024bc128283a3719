#!/usr/bin/env bash
# Installs what is missing, builds both targets and runs every test under Wine (code page 936).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# The program's tests record requests on 127.0.0.1:80, where the player host listens: stop it.
bash player-host/stop.sh
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
    result=0
    ctest --preset "$preset" -j1 "${@}" || result=1
    # The address the program composes for the sample channel, for the browser tests below.
    wine "build/$preset/bin/player_address.exe" 127.0.0.1/live/sample.m3u8 | tr -d '\r' >"build/$preset/player-address.txt"
    exit $result
  ) || status=1
done
if [ -z "${VELMO_SKIP_PLAYER_HOST:-}" ]; then
  echo "== player host: browser tests"
  first=${VELMO_PRESETS:-win32}
  VELMO_PLAYER_ADDRESS_FILE="$PWD/build/${first%% *}/player-address.txt" bash player-host/test.sh || status=1
fi
exit $status
