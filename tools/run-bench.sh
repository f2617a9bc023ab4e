#!/usr/bin/env bash
# Runs every benchmark program of the build (inside the Wine session set up by wine-env.sh).
set -uo pipefail
build=$1
status=0
for exe in "$build"/bench/*.exe; do
  [ -e "$exe" ] || { echo "no benchmarks built"; exit 0; }
  echo "== $(basename "$exe" .exe)"
  (cd "$build/bench" && wine "$(basename "$exe")") || status=1
done
exit $status
