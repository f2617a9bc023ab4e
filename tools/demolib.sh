# demolib.sh: the steps that the demo scripts share (sourced, not run): the
# demo project, and the screenshots, which read the X display of the Wine
# session ($DISPLAY).

# write_demo_project WHO OUT: mkdemo.exe (in $tools) writes the demo project
# into the program folder OUT; fails (saying so as WHO) otherwise.
write_demo_project() {
  echo "$1: writing the demo project"
  wine "$tools/mkdemo.exe" "$(winepath -w "$2")\\" </dev/null || { echo "$1: mkdemo failed" >&2; return 1; }
}

# The whole display into the PNG file $1. xwd reads what Wine drew into its
# windows (import of the root shows black).
screenshot() { xwd -display "$DISPLAY" -root -silent | convert xwd:- "$1" 2>/dev/null; }
# The number of distinct colours in the image $1 (0 when it cannot be read).
colours() { convert "$1" -format '%k' info: 2>/dev/null || echo 0; }
# A screenshot into $1 that shows at least $2 colours.
shows_colours() { screenshot "$1" && [ "$(colours "$1")" -ge "$2" ]; }

# wait_for_colours WHO PID TRIAL MIN LIMIT: waits (screenshots into TRIAL)
# until the display shows at least MIN colours, while the process PID runs,
# at most LIMIT seconds; fails (saying so as WHO) otherwise.
wait_for_colours() {
  local who=$1 pid=$2 trial=$3 min=$4 limit=$5 start=$SECONDS
  until shows_colours "$trial" "$min"; do
    kill -0 "$pid" 2>/dev/null || { echo "$who: the program ended early" >&2; return 1; }
    if (( SECONDS - start >= limit )); then
      echo "$who: no picture within ${limit}s (the screen has $(colours "$trial") colour(s))" >&2
      return 1
    fi
    sleep 1
  done
  echo "$who: the picture showed after $((SECONDS - start))s"
}

# keep_screenshot WHO PID TRIAL MIN SHOT: a screenshot (into TRIAL) of the
# display while PID still runs, copied to SHOT unless it shows fewer than
# MIN colours (a blank screen), in which case SHOT is left as it was.
keep_screenshot() {
  local who=$1 pid=$2 trial=$3 min=$4 shot=$5 n
  kill -0 "$pid" 2>/dev/null || { echo "$who: the program ended early" >&2; return 1; }
  screenshot "$trial" || { echo "$who: no screenshot could be taken" >&2; return 1; }
  n=$(colours "$trial")
  if (( n < min )); then
    echo "$who: the screenshot is blank ($n colour(s)); $shot is left as it was" >&2
    return 1
  fi
  mkdir -p "$(dirname "$shot")"
  cp "$trial" "$shot" && echo "$who: screenshot ($n colours) written to $shot"
}
