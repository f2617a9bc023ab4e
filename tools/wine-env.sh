#!/usr/bin/env bash
# wine-env.sh <build-dir> <command...>
# Runs a command inside a private Wine session: its own prefix under the build
# folder (win32 for the 32-bit flavour, win64 for the 64-bit one, as the
# folder's `flavour` file says), its own Xvfb display and one persistent
# wineserver. Everything started here is stopped again on exit, also when the
# command fails. A session that cannot start stops with the reason.
set -uo pipefail

build=$(cd "$1" && pwd) || exit 1
shift

# Exit status 3: Wine cannot run programs of this flavour here (its loader or
# its first program fails); 1: anything else that keeps the session from
# starting.
die() {
  echo "wine-env: $*" >&2
  echo "wine-env: the session's log: $log" >&2
  exit "${status:-1}"
}

log="$build/wine-session.log"
. "$(dirname "$0")/wineflavour.sh"
wine_flavour "$build" || exit 1
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
: >"$log"

[ -x "$loader" ] || die "no Wine loader $loader (make deps installs it)"
# The loader must run at all: a kernel without 32-bit support (or a loader of
# the wrong machine) ends here rather than in every test.
if ! version=$(export LC_ALL=C; "$loader" --version 2>&1); then
  echo "$version" >>"$log"
  case "$version" in
    *"Exec format error"*)
      status=3 die "this machine runs no ${flavour}-bit programs ($loader: Exec format error)" ;;
    *) status=3 die "$loader does not start: $version" ;;
  esac
fi

export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8   # ANSI code page 936

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
  wait >/dev/null 2>&1 || true
}
trap cleanup EXIT INT TERM

# A display of our own; Xvfb picks a free number and writes it to fd 5.
command -v Xvfb >/dev/null || die "no Xvfb (make deps installs it)"
dispfile=$(mktemp)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$dispfile" >>"$log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$dispfile" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
[ -s "$dispfile" ] || die "Xvfb did not start"
export DISPLAY=":$(head -n1 "$dispfile")"
rm -f "$dispfile"

# One wineserver for the whole run (it starts in the prefix's folder), the
# prefix warmed up (or created) with all output redirected, so that Wine's
# services never hold on to the pipes of the command run below.
start_wine() {
  wineserver -p >>"$log" 2>&1 || die "the wineserver did not start"
  "$loader" wineboot -i </dev/null >>"$log" 2>&1 || status=3 die "Wine runs no ${flavour}-bit programs here: wineboot failed in $WINEPREFIX"
}

mkdir -p "$WINEPREFIX" || die "cannot make $WINEPREFIX"
fresh=0
[ -f "$WINEPREFIX/system.reg" ] || fresh=1
start_wine
if [ $fresh -eq 1 ]; then
  # A virtual desktop makes visible windows cheap to create: without one each
  # popup is a window of its own on an X server without a window manager,
  # and Wine waits two seconds for every one to be mapped.
  "$loader" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >>"$log" 2>&1 &&
    "$loader" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f </dev/null >>"$log" 2>&1 ||
    die "the prefix's desktop could not be set"
  # The desktop wineboot started in the new prefix was made before these
  # settings and stays for the whole session. Ending the wineserver writes
  # the registry to the prefix; the session started again gets the virtual
  # desktop, as every later session does.
  wineserver -k >>"$log" 2>&1
  wineserver -w >>"$log" 2>&1
  grep -q 'Software\\\\Wine\\\\Explorer\\\\Desktops' "$WINEPREFIX/user.reg" 2>/dev/null ||
    die "the new prefix's registry was not written to $WINEPREFIX/user.reg"
  start_wine
fi
# A crashing program ends at once: Wine's debugger writes its backtrace to
# the log without showing its crash dialog, which in a session nobody looks at
# stays open for good while the test that crashed (and every test waiting on
# the display) seems to hang. The test runner names the case a program died in.
"$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >>"$log" 2>&1 ||
  die "the prefix's crash dialog could not be turned off"
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
