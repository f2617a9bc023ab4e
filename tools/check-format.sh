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
  exit
fi
# One formatter run for all files; it names each file that differs. A run
# that fails without naming any (a file it cannot read, the formatter's own
# error) fails the check with what it printed.
status=0
report=$(printf '%s\0' "${files[@]}" | xargs -0 -n 64 "$formatter" --dry-run -Werror 2>&1) || status=$?
mapfile -t bad < <(sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$report" | sort -u)
for f in "${bad[@]}"; do echo "not formatted: $f (tools/check-format.sh --fix formats it)"; done
if [ $status -ne 0 ] && [ ${#bad[@]} -eq 0 ]; then
  echo "check-format: $formatter failed:" >&2
  echo "$report" >&2
  exit 2
fi
[ ${#bad[@]} -eq 0 ]
