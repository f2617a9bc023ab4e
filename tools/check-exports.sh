#!/usr/bin/env bash
# check-exports.sh <objdump> <dll> <def>
# Run after each DLL links, in both flavours: the DLL exports exactly the
# names its .def file lists, every one undecorated (no "_name@8" of the
# standard calling convention, no C++ name), so that callers find them by the
# names the .def promises. In the 32-bit flavour each export must also be a
# standard-call function: its symbol in the DLL's own table carries the
# "@<argument bytes>" that only that convention gives (the 64-bit flavour
# has one convention).
set -euo pipefail
objdump=$1 dll=$2 def=$3
nm=${objdump%objdump}nm

# The names under EXPORTS, without ordinals, options or comments.
listed=$(sed -e 's/;.*//' "$def" | awk '
  $1 == "EXPORTS" { on = 1; next }
  $1 ~ /^(LIBRARY|NAME|SECTIONS|HEAPSIZE|STACKSIZE|VERSION|DESCRIPTION)$/ { on = 0 }
  on && NF { sub(/[@=].*/, "", $1); print $1 }' | sort)
exported=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
           sed -n 's/^[ \t]*\[ *[0-9]*\] //p' | sort)

status=0
if [ "$listed" != "$exported" ]; then
  echo "check-exports: $(basename "$dll") does not export what $(basename "$def") lists:" >&2
  diff <(echo "$listed") <(echo "$exported") | sed -n 's/^</  listed, not exported: /p; s/^>/  exported, not listed: /p' >&2
  status=1
fi
if decorated=$(echo "$exported" | grep -E '@|^_Z|^\?'); then
  echo "check-exports: $(basename "$dll") exports decorated names:" >&2
  echo "$decorated" | sed 's/^/  /' >&2
  status=1
fi
if "$objdump" -f "$dll" | grep -q 'file format pei-i386'; then
  symbols=$("$nm" "$dll")
  for name in $exported; do
    grep -qE " T _$name@[0-9]+\$" <<<"$symbols" ||
      { echo "check-exports: $(basename "$dll"): $name is not a standard-call function" >&2; status=1; }
  done
fi
exit $status
