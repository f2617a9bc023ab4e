#!/usr/bin/env bash
# editor-shot.sh <build-dir>: the README's screenshot of the editor with the
# demo's overview picture open (docs/editor.png), taken under Xvfb.
#
#  1. mkdemo.exe writes the demo project into <build>/out/project/demo/, as
#     `make demo` does;
#  2. editorshot.exe (the editor's own application, tools/editorshot/) starts
#     in the program folder on the demo project and opens its overview
#     picture from the project, as the engineer does from the project tree;
#  3. once the picture is on screen the whole display is written to
#     docs/editor.png (unless it is blank), and the editor is stopped.
set -uo pipefail

build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out="$build/out"
tools="$build/tools"
wait_limit=${QEL_DEMO_WAIT:-180}  # seconds the editor may take to show the picture
settle=${QEL_SHOT_SECONDS:-3}     # seconds for the last repaints before the screenshot
# The editor's frame, bars and tree alone show some dozens of colours; with
# the overview picture (its gradients, texts and gauges) some hundreds
# (about 120 and 300 on the 1280 x 1024 display).
min_colours=${QEL_SHOT_COLOURS:-200}
shot="$root/docs/editor.png"

for f in "$out/QelMake.exe" "$out/QelCtrl.dll" "$tools/mkdemo.exe" "$tools/editorshot.exe"; do
  [ -f "$f" ] || { echo "editor-shot: $f is missing; run 'make build' first" >&2; exit 1; }
done

if [ -z "${QEL_SHOT_SESSION:-}" ]; then
  exec env QEL_SHOT_SESSION=xvfb "$here/wine-env.sh" "$build" "$0" "$build"
fi

editor=""
trial=""
stop_all() {
  [ -n "$editor" ] && { kill "$editor" >/dev/null 2>&1; wait "$editor" >/dev/null 2>&1; }
  [ -n "$trial" ] && rm -f "$trial"
}
trap stop_all EXIT INT TERM

. "$here/demolib.sh"

write_demo_project editor-shot "$out" || exit 1

echo "editor-shot: starting the editor on the demo's overview picture"
project="$(winepath -w "$out")\\project\\demo\\demo.qel"
(cd "$out" && exec wine "$tools/editorshot.exe" "$project" overview.pic) </dev/null &
editor=$!

trial=$(mktemp --suffix=.png)
wait_for_colours editor-shot "$editor" "$trial" "$min_colours" "$wait_limit" || { echo "editor-shot: $shot is left as it was" >&2; exit 1; }
sleep "$settle"
keep_screenshot editor-shot "$editor" "$trial" "$min_colours" "$shot" || exit 1
