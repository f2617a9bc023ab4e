# wineflavour.sh: sourced by the scripts that start Wine for a build folder.
# wine_flavour <build-dir> sets up the Wine of the folder's flavour (its
# `flavour` file, written by CMake): the prefix under the folder, win32 for
# the 32-bit flavour and win64 for the 64-bit one, and the variable `loader`,
# the Wine loader of that flavour. Returns 1 with a message for a folder that
# is not configured.

wine_flavour() {
  local build=$1 name shims
  flavour=$(cat "$build/flavour" 2>/dev/null) || { echo "wine: $build is no configured build folder" >&2; return 1; }
  export WINEPREFIX="$build/wineprefix"
  case "$flavour" in
    32)
      export WINEARCH=win32
      loader=/usr/lib/wine/wine ;;
    64)
      export WINEARCH=win64
      loader=/usr/lib/wine/wine64
      # Debian's launchers (`wine`, and `wine-stable` behind winepath and the
      # other tools) take the 32-bit loader whenever it is installed; for this
      # flavour they start the 64-bit one.
      shims="$build/wine-shims"
      mkdir -p "$shims" || return 1
      for name in wine wine-stable; do
        printf '#!/bin/sh\nexec %s "$@"\n' "$loader" >"$shims/$name"
        chmod +x "$shims/$name"
      done
      export PATH="$shims:$PATH"
      export WINELOADER="$loader" ;;
    *) echo "wine: unknown flavour '$flavour' in $build/flavour" >&2; return 1 ;;
  esac
}
