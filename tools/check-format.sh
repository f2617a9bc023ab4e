#!/usr/bin/env bash
# check-format.sh [base]
# Checks that C and C++ sources follow .clang-format: the files changed since
# `base` (a commit), or every tracked source when no base is given. Prints
# each file that differs and ends with status 1; `tools/check-format.sh --fix`
# formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=clang-format-14
command -v "$formatter" >/dev/null || { echo "check-format: $formatter not found (make deps installs it)" >&2; exit 2; }

fix=0
if [ "${1:-}" = --fix ]; then fix=1; shift; fi
if [ $# -gt 0 ]; then
  mapfile -t files < <(git diff --name-only --diff-filter=d "$1" -- '*.cpp' '*.h' '*.c')
else
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h' '*.c')
fi
[ ${#files[@]} -gt 0 ] || exit 0

if [ $fix -eq 1 ]; then
  printf '%s\0' "${files[@]}" | xargs -0 -n 64 "$formatter" -i
  exit 0
fi
# One formatter run for all files; it names each file that differs.
mapfile -t bad < <(printf '%s\0' "${files[@]}" | xargs -0 -n 64 "$formatter" --dry-run 2>&1 |
                   sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)
for f in "${bad[@]}"; do echo "not formatted: $f (tools/check-format.sh --fix formats it)"; done
[ ${#bad[@]} -eq 0 ]
