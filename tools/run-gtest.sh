#!/usr/bin/env bash
# run-gtest.sh <records-dir> <test-name> <index>/<count> <command...>
# Runs one shard of a GoogleTest program as one ctest test: GoogleTest's own
# sharding (GTEST_SHARD_INDEX <index> of GTEST_TOTAL_SHARDS <count>) picks its
# cases; <command> is the emulator, the program and its arguments. The
# program's output goes through as it comes.
#
# Under heavy parallel load a Wine process now and then dies while it starts
# (it prints nothing at all) or while it ends (after GoogleTest reported the
# whole run without a failure). That failure, and only that one, is run again,
# at most twice; each such run is one line in <records-dir>/retried.txt. Any
# other failure fails the test at once, with a line naming each failed case,
# which <records-dir>/failed.txt keeps as well (tools/test-records.sh lists
# both).
set -uo pipefail

records=$1 name=$2 shard=$3
shift 3
shard_index=${shard%/*} shard_count=${shard#*/}
max_runs=3

mkdir -p "$records" || exit 1
out=$(mktemp) || exit 1
trap 'rm -f "$out"' EXIT

# The program's output (stderr too) into $out and through; its exit status.
run_once() {
  GTEST_SHARD_INDEX=$shard_index GTEST_TOTAL_SHARDS=$shard_count "$@" 2>&1 </dev/null | tee "$out"
  return "${PIPESTATUS[0]}"
}

# The output without the carriage returns of the program's text mode.
output_lines() {
  tr -d '\r' <"$out"
}

# Whether GoogleTest reported the end of the whole run, without a failure.
run_finished_clean() {
  output_lines | grep -qE '^\[==========\] [0-9]+ tests? from [0-9]+ test suites? ran\.' &&
    output_lines | grep -qE '^\[  PASSED  \] [0-9]+ tests?\.' &&
    ! output_lines | grep -q '^\[  FAILED  \]'
}

# What one run came to (its exit status is $1): passed, died-at-start,
# died-at-end (both the silent Wine death that is run again) or failed.
outcome() {
  local status=$1
  if [ ! -s "$out" ]; then
    echo died-at-start
  elif run_finished_clean; then
    if [ "$status" -eq 0 ]; then echo passed; else echo died-at-end; fi
  else
    echo failed
  fi
}

# The names of the cases GoogleTest reported failed, one a line.
failed_cases() {
  output_lines | awk '$1 == "[" && $2 == "FAILED" && $3 == "]" && $4 !~ /^[0-9]+$/ {
                        sub(/,$/, "", $4); print $4 }' | sort -u
}

# The case that started and never ended (the program died inside it), if any.
unfinished_case() {
  output_lines | awk '$1 == "[" && $2 == "RUN" && $3 == "]" { running = $4 }
                      $1 == "[" && ($2 == "OK" || $2 == "FAILED" || $2 == "SKIPPED") && $4 == running { running = "" }
                      END { if (running != "") print running }'
}

report_failure() {
  local status=$1 cases unfinished
  cases=$(failed_cases | tr '\n' ' ')
  unfinished=$(unfinished_case)
  [ -n "$unfinished" ] && cases="$cases$unfinished(ended inside it) "
  [ -n "$cases" ] || cases="(no failed case named: the run ended without GoogleTest's summary) "
  echo "run-gtest: $name failed (exit status $status): ${cases% }"
  printf '%s: %s\n' "$name" "${cases% }" >>"$records/failed.txt"
}

for run in $(seq "$max_runs"); do
  run_once "$@"
  status=$?
  result=$(outcome "$status")
  case "$result" in
    passed) exit 0 ;;
    failed) report_failure "$status"; exit 1 ;;
  esac
  # The silent death: recorded, and run again while runs are left.
  how=${result//-/ }
  echo "run-gtest: $name $how (exit status $status, run $run of $max_runs)"
  [ "$run" -lt "$max_runs" ] || break
  printf '%s: %s (exit status %s), run again\n' "$name" "$how" "$status" >>"$records/retried.txt"
done
echo "run-gtest: $name died silently in each of $max_runs runs"
printf '%s: died silently in each of %s runs\n' "$name" "$max_runs" >>"$records/failed.txt"
exit 1
