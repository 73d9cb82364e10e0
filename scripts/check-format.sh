#!/usr/bin/env bash
# Fails, naming them, on the C++ files that differ from what clang-format
# makes of them with the checked-in .clang-format.
set -uo pipefail
cd "$(dirname "$0")/.."
differ=()
while IFS= read -r file; do
  clang-format --style=file "$file" | cmp -s - "$file" || differ+=("$file")
done < <(git ls-files '*.cpp' '*.h')
if [ ${#differ[@]} -gt 0 ]; then
  echo "FAIL ${#differ[@]} files differ from .clang-format (clang-format -i FILE mends one):"
  printf '     %s\n' "${differ[@]}"
  exit 1
fi
echo "ok   every C++ file is as .clang-format has it"
