#!/usr/bin/env bash
# Starts the player host on this machine: nginx serving the player page and its HLS plug-in, and a
# live sample stream (test picture and tone) made by ffmpeg under /live/sample.m3u8.
# Environment: VELMO_HOST_LISTEN (nginx listen address, default 127.0.0.1:80),
#              VELMO_HOST_RUNTIME (configuration, logs and stream segments, default /tmp/velmo-player-host).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
runtime=${VELMO_HOST_RUNTIME:-/tmp/velmo-player-host}
listen=${VELMO_HOST_LISTEN:-127.0.0.1:80}

extra=(nginx ffmpeg)
command -v node >/dev/null || extra+=(nodejs)
command -v npm >/dev/null || extra+=(npm)
bash "$here/../scripts/install-deps.sh" "${extra[@]}"
bash "$here/stop.sh"

(cd "$here" && { [ -d node_modules/hls.js ] || npm ci --no-audit --no-fund --loglevel=error; } && npm run --silent build)

mkdir -p "$runtime/live" "$runtime/logs" "$runtime/temp"
rm -f "$runtime"/live/*
sed -e "s|@LISTEN@|$listen|g" -e "s|@WWW@|$here/www|g" -e "s|@RUNTIME@|$runtime|g" \
  "$here/nginx.conf.in" > "$runtime/nginx.conf"
nginx -q -p "$runtime" -c "$runtime/nginx.conf" -g 'daemon on;'

# Two-second segments, six in the playlist, old ones deleted: a live stream that never ends.
setsid nohup ffmpeg -nostdin -loglevel error -re \
  -f lavfi -i "testsrc2=size=640x360:rate=25" -f lavfi -i "sine=frequency=440:sample_rate=44100" \
  -c:v libx264 -preset ultrafast -tune zerolatency -pix_fmt yuv420p -g 50 -keyint_min 50 -sc_threshold 0 \
  -c:a aac -b:a 96k -f hls -hls_time 2 -hls_list_size 6 -hls_flags delete_segments+omit_endlist \
  "$runtime/live/sample.m3u8" >"$runtime/logs/ffmpeg.log" 2>&1 &
echo $! >"$runtime/ffmpeg.pid"

for _ in $(seq 1 100); do
  [ -s "$runtime/live/sample.m3u8" ] && break
  sleep 0.2
done
[ -s "$runtime/live/sample.m3u8" ] || { echo "player host: the sample stream did not start" >&2; cat "$runtime/logs/ffmpeg.log" >&2; exit 1; }
echo "player host: http://$listen/ckplayer/ckplayer.swf  sample stream: http://$listen/live/sample.m3u8"
