#!/usr/bin/env bash
# Runs every test suite and ends with the count of tests run:
# the native unit tests, the fuzz corpus replay and the end-to-end rig
# under Wine. Exits non-zero when anything failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
passed=0
failed=0
logs=build/test-logs
mkdir -p "$logs"

echo "== unit tests (native, sanitizers)"
build/native/unit_tests --gtest_brief=1 > "$logs/unit.log" 2>&1
status=$?
tail -n 30 "$logs/unit.log" | grep -E '^\[  (PASSED|FAILED) ' || true
grep -E '^\[  FAILED  \] [A-Za-z]' "$logs/unit.log" || true
p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$logs/unit.log" | tail -n 1)
f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$logs/unit.log" | tail -n 1)
passed=$((passed + ${p:-0}))
failed=$((failed + ${f:-0}))
if [ "$status" -ne 0 ] && [ "${f:-0}" -eq 0 ]; then
  echo "unit test binary failed (see $logs/unit.log)"; tail -n 20 "$logs/unit.log"; failed=$((failed + 1))
fi

echo "== fuzz corpus replay"
for replay in build/native/*_fuzz_replay; do
  [ -x "$replay" ] || continue
  name=$(basename "$replay" _fuzz_replay)
  if "$replay" "tests/fuzz/corpus/$name" > "$logs/replay-$name.log" 2>&1; then
    echo "ok   $name: $(tail -n 1 "$logs/replay-$name.log")"; passed=$((passed + 1))
  else
    echo "FAIL $name"; tail -n 20 "$logs/replay-$name.log"; failed=$((failed + 1))
  fi
done

echo "== end to end (Wine)"
bash scripts/e2e.sh > "$logs/e2e.log" 2>&1
status=$?
grep -E '^(ok|FAIL|SKIP|case)' "$logs/e2e.log" | grep -v '^ok ' || true
line=$(grep -E '^[0-9]+ passed, [0-9]+ failed' "$logs/e2e.log" | tail -n 1)
if [ -n "$line" ]; then
  echo "end to end: $line"
  passed=$((passed + $(echo "$line" | cut -d' ' -f1)))
  failed=$((failed + $(echo "$line" | cut -d' ' -f3)))
fi
if [ "$status" -ne 0 ] && [ -z "$line" ]; then
  echo "end-to-end run did not finish (see $logs/e2e.log)"; tail -n 20 "$logs/e2e.log"; failed=$((failed + 1))
fi

echo "total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
