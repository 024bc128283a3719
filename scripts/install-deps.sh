#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian 12 machine; quick when all is there.
set -euo pipefail
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
pkgs=(cmake make g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest
      wine wine64 wine32:i386 xvfb xauth x11-utils fonts-wqy-microhei imagemagick locales)
pkgs+=("$@")
for p in "${pkgs[@]}"; do have "$p" || need+=("$p"); done
if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then dpkg --add-architecture i386; fi
  apt-get update -qq
  # Services in the packages (nginx) must not start on their own: port 80 belongs to the tests
  # and to the player host started by player-host/start.sh.
  own_policy=""
  if [ ! -e /usr/sbin/policy-rc.d ]; then
    printf '#!/bin/sh\nexit 101\n' >/usr/sbin/policy-rc.d && chmod +x /usr/sbin/policy-rc.d && own_policy=1
  fi
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
  if [ -n "$own_policy" ]; then rm -f /usr/sbin/policy-rc.d; fi
fi
# Wine maps Chinese file names and arguments only when the glibc locale exists.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
