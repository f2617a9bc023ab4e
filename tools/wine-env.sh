#!/usr/bin/env bash
# wine-env.sh <build-dir> <command...>
# Runs a command inside a private Wine session: its own win32 prefix under the
# build folder, its own Xvfb display and one persistent wineserver. Everything
# started here is stopped again on exit, also when the command fails.
set -uo pipefail

build=$(cd "$1" && pwd); shift

export WINEPREFIX="$build/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8   # ANSI code page 936
log="$build/wine-session.log"
: >"$log"

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
  wait >/dev/null 2>&1 || true
}
trap cleanup EXIT INT TERM

# A display of our own; Xvfb picks a free number and writes it to fd 3.
dispfile=$(mktemp)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$dispfile" >>"$log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$dispfile" ] && break; sleep 0.1; done
[ -s "$dispfile" ] || { echo "wine-env: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$dispfile")"
rm -f "$dispfile"

# One wineserver for the whole run.
wineserver -p >>"$log" 2>&1

# Warm up (or create) the prefix with all output redirected, so that Wine's
# services never hold on to the pipes of the command run below.
fresh=0
[ -f "$WINEPREFIX/system.reg" ] || fresh=1
wine wineboot -i </dev/null >>"$log" 2>&1
if [ $fresh -eq 1 ]; then
  # A virtual desktop makes visible windows cheap to create.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >>"$log" 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f </dev/null >>"$log" 2>&1
fi
# Some Wine packages leave their Marlett font (the glyphs of caption and
# close buttons) outside the folders Wine searches; without it those buttons
# show letters. The prefix's own font folder is always searched.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ ! -f "$fonts/marlett.ttf" ]; then
  for dir in /usr/share/wine/fonts /usr/lib/wine/fonts /opt/wine*/share/wine/fonts; do
    [ -f "$dir/marlett.ttf" ] && { cp "$dir/marlett.ttf" "$fonts/" 2>>"$log"; break; }
  done
fi

"$@"
