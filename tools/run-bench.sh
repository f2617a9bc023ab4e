#!/usr/bin/env bash
# Runs every benchmark program of the build (inside the Wine session set up by wine-env.sh).
set -uo pipefail
build=$1
source_dir=$(cd "$(dirname "$0")/.." && pwd)
status=0

# The script machine's benchmark compares its loops with the same loops in
# Lua 5.4, a Linux program: they run just before it, in the same period of
# this machine's load, and their times are handed to it.
lua_reference() {
  if command -v lua5.4 >/dev/null 2>&1; then
    QEL_LUA_VM_BENCH=$(lua5.4 "$source_dir/script/machine/vm_bench.lua" | tr '\n' ';')
    export QEL_LUA_VM_BENCH
  else
    echo "lua5.4 not found (make deps installs it): the script machine's benchmark runs without Lua's times"
    unset QEL_LUA_VM_BENCH
  fi
}

flavour=$(cat "$build/flavour")
echo "benchmarks of the ${flavour}-bit flavour ($build), on $(nproc) cores of $(uname -m) Linux under $(wine --version)"
for exe in "$build"/bench/*.exe; do
  [ -e "$exe" ] || { echo "no benchmarks built in $build/bench" >&2; exit 1; }
  name=$(basename "$exe" .exe)
  echo "== $name"
  [ "$name" = script_vm_bench ] && lua_reference
  (cd "$build/bench" && wine "$(basename "$exe")") || status=1
done
exit $status
