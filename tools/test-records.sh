#!/usr/bin/env bash
# test-records.sh <records-dir>
# What tools/run-gtest.sh wrote during a test run: the cases that failed, by
# name, and every test program shard that died silently and was run again
# ("retried: none" when none was).
set -uo pipefail

records=$1

list() {
  local title=$1 file=$2 none=$3
  if [ -s "$file" ]; then
    echo "$title:"
    sed 's/^/  /' "$file"
  elif [ -n "$none" ]; then
    echo "$title: $none"
  fi
}

list failed "$records/failed.txt" ""
list retried "$records/retried.txt" none
