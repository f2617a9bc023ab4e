#!/usr/bin/env bash
# flavour.sh <32-bit build folder> [32|64]
# Prints the flavour that `make test`, `make demo` and `make bench` use here:
# the one asked for, or else 32 where this machine runs a 32-bit program
# under Wine, and 64 where it cannot. Says which, and why, in one line on
# stderr. The probe is a Wine session of the 32-bit build folder (configured
# already) that runs cmd.exe once; its prefix then serves the tests.
set -uo pipefail

build32=$1
asked=${2:-}
case "$asked" in
  32|64)
    echo "flavour: the ${asked}-bit flavour (FLAVOUR=$asked)" >&2
    echo "$asked"
    exit 0 ;;
  "") ;;
  *) echo "flavour: FLAVOUR must be 32 or 64, not '$asked'" >&2; exit 1 ;;
esac

here=$(cd "$(dirname "$0")" && pwd)
reason=$("$here/wine-env.sh" "$build32" wine cmd /c exit 0 2>&1 >/dev/null)
case $? in
  0)
    echo "flavour: the 32-bit flavour (this machine runs 32-bit programs under Wine)" >&2
    echo 32 ;;
  3)
    reason=$(printf '%s\n' "$reason" | head -n1 | sed 's/^wine-env: //')
    echo "flavour: the 64-bit flavour, as $reason; the 32-bit flavour is built for its layout and export checks" >&2
    echo 64 ;;
  *)
    printf '%s\n' "$reason" >&2
    echo "flavour: the Wine session did not start (see above); FLAVOUR=32 or FLAVOUR=64 names the flavour" >&2
    exit 1 ;;
esac
