#!/usr/bin/env bash
# Stops the player host started by start.sh (nginx and the sample stream); quiet when it is not running.
runtime=${VELMO_HOST_RUNTIME:-/tmp/velmo-player-host}
if [ -s "$runtime/ffmpeg.pid" ]; then
  kill "$(cat "$runtime/ffmpeg.pid")" 2>/dev/null || true
  rm -f "$runtime/ffmpeg.pid"
fi
if [ -s "$runtime/nginx.pid" ]; then
  nginx -q -p "$runtime" -c "$runtime/nginx.conf" -s stop 2>/dev/null || kill "$(cat "$runtime/nginx.pid")" 2>/dev/null || true
  for _ in $(seq 1 50); do [ -e "$runtime/nginx.pid" ] || break; sleep 0.1; done
fi
exit 0
