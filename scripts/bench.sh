#!/usr/bin/env bash
# Runs the benchmarks under Wine (code page 936) and prints their figures. Arguments: channel counts.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$(nproc)" --target velmo_bench >/dev/null
VELMO_OWN_DISPLAY=1 source scripts/wine-session.sh build/win32/wineprefix
trap wine_session_end EXIT
wine build/win32/bin/velmo_bench.exe "$@"
