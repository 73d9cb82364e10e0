#!/usr/bin/env bash
# Runs each fuzz target for the given seconds over a scratch copy of its kept
# corpus, then merges what it found back into the kept corpus. Every target
# reads small inputs, so a run of one past 2 s is a hang (a wildcard pattern
# that sends the matcher back and forth without end, for one).
set -euo pipefail
dir=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
for target in "$dir"/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  kept="$root/tests/fuzz/corpus/${name%_fuzz}"
  work="$dir/corpus-$name"
  mkdir -p "$kept" "$work"
  echo "fuzzing $name for ${seconds}s"
  "$target" "$work" "$kept" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=2 -print_final_stats=1
  "$target" -merge=1 "$kept" "$work" >/dev/null 2>&1
done
