# Sourced: a virtual display (when none is given), a Wine prefix and one persistent wineserver.
# Usage: source scripts/wine-session.sh PREFIX_DIR ; ... ; wine_session_end
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8 WINEDEBUG=${WINEDEBUG:--all}
export WINEPREFIX="$(realpath -m "$1")" WINEARCH=win64
wine_session_xvfb_pid=""
if [ -z "${DISPLAY:-}" ] || [ -n "${VELMO_OWN_DISPLAY:-}" ]; then
  for n in $(seq 91 140); do [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break; done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  wine_session_xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # No Mono or Gecko download prompts: neither can be fetched here and neither is needed.
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
wineserver -p >/dev/null 2>&1 || true
# Start Wine's background services now, detached from any caller's output pipes (a test runner
# waiting for a pipe to close would otherwise wait for them).
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
wine_session_end() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$wine_session_xvfb_pid" ] && kill "$wine_session_xvfb_pid" 2>/dev/null || true
}
