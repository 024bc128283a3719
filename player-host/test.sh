#!/usr/bin/env bash
# Browser tests of the player host: starts nginx and the sample stream, drives Debian's chromium
# (headless, through playwright-core) against them, then stops the host again.
# VELMO_PLAYER_ADDRESS_FILE names the address the program composed for the sample channel.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/../scripts/install-deps.sh" chromium
bash "$here/start.sh"
trap 'bash "$here/stop.sh"' EXIT
cd "$here"
npm ci --no-audit --no-fund --loglevel=error
npm run --silent build
node --test tests/
