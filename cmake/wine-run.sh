#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine with code page 936 (CMake's emulator for ctest).
# scripts/wine-session.sh sets WINEPREFIX and DISPLAY and keeps one wineserver alive.
: "${WINEPREFIX:?WINEPREFIX is not set: run the tests through scripts/test.sh}"
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8 WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
