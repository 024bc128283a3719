#!/usr/bin/env bash
# Browser tests of the player host: starts nginx and the sample stream, drives Debian's chromium
# (headless, through playwright-core) against them, then stops the host again.
# VELMO_PLAYER_ADDRESS_FILE names the address the program composed for the sample channel.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/../scripts/install-deps.sh" chromium
bash "$here/start.sh"  # installs Node.js and the packages when missing, builds the plug-in
trap 'bash "$here/stop.sh"' EXIT
cd "$here"
# A host installed without its test packages gets them now.
[ -d node_modules/playwright-core ] || npm ci --no-audit --no-fund --loglevel=error
node --test tests/
