#!/usr/bin/env bash
# Installs what is missing, builds velmo.exe (x86), lays out a run directory with the sample
# catalogue and starts the program under Wine with code page 936. With a display it opens there;
# without one it runs on a virtual display, saves a screenshot, prints its path and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$(nproc)" --target velmo >/dev/null
run=build/run
rm -rf "$run" && mkdir -p "$run"
cp build/win32/bin/velmo.exe "$run/"
cp samples/*.dll "$run/"
[ -x player-host/start.sh ] && bash player-host/start.sh || true
headless=""
[ -z "${DISPLAY:-}" ] && headless=1
source scripts/wine-session.sh build/win32/wineprefix
trap wine_session_end EXIT
cd "$run"
if [ -z "$headless" ]; then
  wine velmo.exe
  echo "velmo.exe ended with exit code $?"
else
  wine velmo.exe &
  sleep "${VELMO_SHOT_DELAY:-6}"
  shot="$(realpath ..)/velmo-screenshot.png"
  import -window root "$shot"
  echo "screenshot: $shot"
fi
