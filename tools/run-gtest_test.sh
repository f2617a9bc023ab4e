#!/usr/bin/env bash
# Tests of run-gtest.sh and test-records.sh, on the Linux host: the runner
# starts a stand-in for a GoogleTest program that behaves, run by run, as its
# list of steps says, and each case checks the runner's exit status, how often
# it started the program, what it recorded and what it said.
set -uo pipefail

tools=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT

# The stand-in program. FAKE_STEPS holds one step for each run (the last one
# repeats); FAKE_RUNS counts the runs. Its text ends its lines as a Windows
# program's does.
cat >"$work/fake-gtest" <<'EOF'
#!/usr/bin/env bash
runs=$(( $(cat "$FAKE_RUNS" 2>/dev/null || echo 0) + 1 ))
echo "$runs" >"$FAKE_RUNS"
read -ra steps <<<"$FAKE_STEPS"
step=${steps[$(( runs <= ${#steps[@]} ? runs - 1 : ${#steps[@]} - 1 ))]}
echo "shard $GTEST_SHARD_INDEX of $GTEST_TOTAL_SHARDS, arguments: $*" >"$FAKE_RUNS.seen"

header() {
  printf 'Running main() from gtest_main.cc\r\n[==========] Running 2 tests from 1 test suite.\r\n'
  printf '[----------] 2 tests from Fake\r\n[ RUN      ] Fake.A\r\n[       OK ] Fake.A (0 ms)\r\n[ RUN      ] Fake.B\r\n'
}
footer() {
  printf '[----------] 2 tests from Fake (1 ms total)\r\n\r\n'
  printf '[==========] 2 tests from 1 test suite ran. (1 ms total)\r\n[  PASSED  ] %s.\r\n' "$1"
}
case "$step" in
  pass) header; printf '[       OK ] Fake.B (0 ms)\r\n'; footer "2 tests"; exit 0 ;;
  silent) exit 3 ;;
  end-death) header; printf '[       OK ] Fake.B (0 ms)\r\n'; footer "2 tests"; exit 134 ;;
  fail) header; printf 'fake_test.cpp(9): error: Value of: shown\r\n[  FAILED  ] Fake.B (0 ms)\r\n'
        footer "1 test"
        printf '[  FAILED  ] 1 test, listed below:\r\n[  FAILED  ] Fake.B\r\n\r\n 1 FAILED TEST\r\n'; exit 1 ;;
  crash) header; printf 'inside Fake.B\r\n'; exit 5 ;;
  early-exit) header; printf '[       OK ] Fake.B (0 ms)\r\n'; exit 0 ;;
esac
EOF
chmod +x "$work/fake-gtest"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run_case <steps> <status> <runs> <retried lines> <failed lines> <said>
# The runner on a stand-in that takes <steps>: it ends with <status>, after
# <runs> runs, with as many lines in retried.txt and failed.txt as given,
# and what it printed holds <said> (a fixed string).
run_case() {
  local steps=$1 want_status=$2 want_runs=$3 want_retried=$4 want_failed=$5 said=$6
  local dir="$work/case$((++case_number))" status runs retried failed
  mkdir -p "$dir"
  FAKE_STEPS=$steps FAKE_RUNS="$dir/runs" \
    "$tools/run-gtest.sh" "$dir/records" "fake_test/2" 2/5 "$work/fake-gtest" --gtest_filter=Fake.* >"$dir/said" 2>&1
  status=$?
  runs=$(cat "$dir/runs")
  retried=$(cat "$dir/records/retried.txt" 2>/dev/null | wc -l)
  failed=$(cat "$dir/records/failed.txt" 2>/dev/null | wc -l)
  local got="status $status, $runs runs, $retried retried, $failed failed"
  local want="status $want_status, $want_runs runs, $want_retried retried, $want_failed failed"
  [ "$got" = "$want" ] || fail "steps '$steps': $got, not $want"
  grep -qF -- "$said" "$dir/said" || { fail "steps '$steps' did not say '$said':"; sed 's/^/    /' "$dir/said"; }
}
case_number=0

#         steps                    status runs retried failed said
run_case "pass"                    0      1    0       0      "[  PASSED  ] 2 tests."
run_case "silent pass"             0      2    1       0      "fake_test/2 died at start (exit status 3, run 1 of 3)"
run_case "end-death pass"          0      2    1       0      "fake_test/2 died at end (exit status 134, run 1 of 3)"
run_case "silent end-death pass"   0      3    2       0      "died at end (exit status 134, run 2 of 3)"
run_case "silent"                  1      3    2       1      "fake_test/2 died silently in each of 3 runs"
run_case "fail pass"               1      1    0       1      "run-gtest: fake_test/2 failed (exit status 1): Fake.B"
run_case "silent fail pass"        1      2    1       1      "run-gtest: fake_test/2 failed (exit status 1): Fake.B"
run_case "crash pass"              1      1    0       1      "failed (exit status 5): Fake.B(ended inside it)"
run_case "early-exit pass"         1      1    0       1      "the run ended without GoogleTest's summary"

# The shard and the program's own arguments reach the program.
seen=$(cat "$work/case1/runs.seen")
[ "$seen" = "shard 2 of 5, arguments: --gtest_filter=Fake.*" ] || fail "the program saw '$seen'"

# What a failed and a retried shard leave, as `make test` lists it.
expect_records() {
  local dir=$1 want=$2 got
  got=$("$tools/test-records.sh" "$dir")
  [ "$got" = "$want" ] || fail "test-records.sh $dir said '$got', not '$want'"
}
expect_records "$work/case1/records" "retried: none"
expect_records "$work/case2/records" $'retried:\n  fake_test/2: died at start (exit status 3), run again'
expect_records "$work/case7/records" $'failed:\n  fake_test/2: Fake.B\nretried:\n  fake_test/2: died at start (exit status 3), run again'
expect_records "$work/nothing-ran" "retried: none"

[ "$failures" -eq 0 ] && echo "run-gtest.sh: all cases passed"
[ "$failures" -eq 0 ]
