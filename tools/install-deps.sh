#!/usr/bin/env bash
# install-deps.sh [64]
# Installs what the build and the tests need, and only what is missing: the
# 32-bit flavour's compiler and Wine (also where they only build, or probe
# whether this machine runs 32-bit programs), and with "64" the 64-bit
# flavour's compiler and Wine as well.
set -euo pipefail

# lua5.4 and clang-format-14 are no part of the build: the script machine's
# benchmark compares its loops with the same loops in Lua 5.4
# (tools/run-bench.sh), and clang-format keeps the tree's one style
# (tools/check-format.sh, run by CI).
packages=(wine wine32:i386 fonts-wine fonts-liberation g++-mingw-w64-i686-posix cmake make
          googletest xvfb xauth imagemagick x11-apps fonts-wqy-microhei locales lua5.4 clang-format-14)
case "${1:-}" in
  64) packages+=(wine64 g++-mingw-w64-x86-64-posix) ;;
  ""|32) ;;
  *) echo "install-deps: unknown flavour '$1'" >&2; exit 1 ;;
esac

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
