#!/usr/bin/env bash
# demo.sh <build-dir>: the viewer on the demo project against the simulated
# tag server (`make demo` builds first, then runs this).
#
#  1. mkdemo.exe writes the demo project into <build>/out/project/demo/ and
#     <build>/out/QelView.ini (it runs under Wine: it measures its texts with
#     the platform's fonts, so the build itself never needs Wine);
#  2. tagsim.exe serves the demo tags on 127.0.0.1:11084;
#  3. QelView.exe runs the demo.
# With a display of your own (DISPLAY set, CI unset) the viewer stays until
# you close it (Alt+F4, or the context menu's exit) and everything started
# here is stopped then. Otherwise it runs under Xvfb (tools/wine-env.sh): the
# demo waits until the picture is on screen (a viewer in a Wine prefix just
# created takes far longer to show it than later ones), lets the values run
# for a few seconds, and writes a screenshot to docs/demo.png only when it
# shows a picture, not a blank screen; then everything is stopped.
set -uo pipefail

build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out="$build/out"
tools="$build/tools"
port=11084
settle=${QEL_DEMO_SECONDS:-10}   # seconds of live values before the screenshot
wait_limit=${QEL_DEMO_WAIT:-180} # seconds the viewer may take to show the picture
# A blank or barely drawn screen has a handful of colours; the demo picture,
# with its texts, pipes and gauges, well over a hundred.
min_colours=32
shot="$root/docs/demo.png"

for f in "$out/QelView.exe" "$out/qel3api.dll" "$tools/mkdemo.exe" "$tools/tagsim.exe"; do
  [ -f "$f" ] || { echo "demo: $f is missing; run 'make build' first" >&2; exit 1; }
done
[ -f "$out/QelRun.dll" ] || [ -n "${QEL_DEMO_SESSION:-}" ] || echo "demo: warning: QelRun.dll is not built yet; the viewer will stay empty" >&2

if [ -z "${QEL_DEMO_SESSION:-}" ]; then
  if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
    # The user's display, with the build's own Wine prefix.
    . "$here/wineflavour.sh"
    wine_flavour "$build" || exit 1
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
    export QEL_DEMO_SESSION=display
    wine wineboot -i </dev/null >/dev/null 2>&1
  else
    # No display of our own: a private Xvfb session.
    exec env QEL_DEMO_SESSION=xvfb "$here/wine-env.sh" "$build" "$0" "$build"
  fi
fi

pids=()
trial=""
stop_all() {
  for pid in "${pids[@]}"; do kill "$pid" >/dev/null 2>&1; done
  for pid in "${pids[@]}"; do wait "$pid" >/dev/null 2>&1; done
  pids=()
  [ -n "$trial" ] && rm -f "$trial"
}
trap stop_all EXIT INT TERM

. "$here/demolib.sh"

write_demo_project demo "$out" || exit 1

echo "demo: starting tagsim on 127.0.0.1:$port"
(cd "$tools" && exec wine tagsim.exe --forever --listen "127.0.0.1:$port") </dev/null &
pids+=($!)
sleep 2
kill -0 "${pids[0]}" 2>/dev/null || { echo "demo: tagsim did not start (port $port busy?)" >&2; exit 1; }

# The detail picture holds the ActiveX control of the tests: registered in
# the prefix, it shows the top temperature (unregistered, the picture simply
# goes without it).
ocx="$build/tests/QelTestOcx.dll"
if [ -f "$ocx" ]; then
  wine regsvr32 /s "$(winepath -w "$ocx")" </dev/null >/dev/null 2>&1 ||
    echo "demo: warning: QelTestOcx.dll could not be registered" >&2
fi

echo "demo: starting QelView"
(cd "$out" && exec wine QelView.exe) </dev/null &
viewer=$!
pids+=($viewer)

if [ "$QEL_DEMO_SESSION" = display ]; then
  echo "demo: close the viewer (Alt+F4, or right click > 退出) to end the demo"
  wait "$viewer"
  exit 0
fi

trial=$(mktemp --suffix=.png)
echo "demo: waiting for the picture to show (at most ${wait_limit}s)"
wait_for_colours demo "$viewer" "$trial" "$min_colours" "$wait_limit" || { echo "demo: $shot is left as it was" >&2; exit 1; }
echo "demo: screenshot after ${settle}s of live values"
sleep "$settle"
keep_screenshot demo "$viewer" "$trial" "$min_colours" "$shot" || exit 1
