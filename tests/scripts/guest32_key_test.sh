#!/usr/bin/env bash
# The 32-bit guest's cache key (scripts/guest32/key.sh): the same sources in
# another folder keep the guest; a change to any file that making it reads
# (each file the making scripts name, and the files those name) makes it
# again; a change to what only runs it does not. Ends with the count.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
passed=0
failed=0

check() {
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else echo "FAIL $what"; failed=$((failed + 1)); fi
}
fresh_copy() {
  rm -rf "$1"
  mkdir -p "$1"
  cp -r "$root/scripts" "$1/"
}
key() { bash "$1/scripts/guest32/key.sh" "$1"; }

fresh_copy "$tmp/a"
base=$(key "$tmp/a")
fresh_copy "$tmp/b"
check "the same sources elsewhere give the same key" [ "$(key "$tmp/b")" = "$base" ]

# The files making the guest reads, followed from prepare.sh through the
# paths each names.
making=()
next=(scripts/guest32/prepare.sh)
while [ ${#next[@]} -gt 0 ]; do
  file=${next[0]}
  next=("${next[@]:1}")
  [[ " ${making[*]} " == *" $file "* ]] && continue
  making+=("$file")
  for named in $(grep -oE 'scripts/[a-z0-9/_.-]+' "$root/$file" | sort -u); do
    [ -f "$root/$named" ] && next+=("$named")
  done
done
for file in "${making[@]}"; do
  fresh_copy "$tmp/b"
  echo >>"$tmp/b/$file"
  check "a change to $file makes the guest again" [ "$(key "$tmp/b")" != "$base" ]
done
for file in scripts/guest32/run.sh scripts/guest32/run-inside.sh scripts/e2e.sh; do
  fresh_copy "$tmp/b"
  echo >>"$tmp/b/$file"
  check "a change to $file keeps the guest" [ "$(key "$tmp/b")" = "$base" ]
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
