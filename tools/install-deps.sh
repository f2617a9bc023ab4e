#!/usr/bin/env bash
# Installs what the build and the tests need, and only what is missing.
set -euo pipefail

# lua5.4 is no part of the build: the script machine's benchmark compares
# its loops with the same loops in Lua 5.4 (tools/run-bench.sh).
packages=(wine wine32:i386 fonts-wine fonts-liberation g++-mingw-w64-i686-posix cmake make
          googletest xvfb xauth imagemagick x11-apps fonts-wqy-microhei locales lua5.4)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi

# Code page 936 needs the zh_CN.UTF-8 locale; without it Wine falls back to 1252.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "generating zh_CN.UTF-8"
  $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
