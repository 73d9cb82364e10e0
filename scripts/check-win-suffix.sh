#!/usr/bin/env bash
# Fails, naming them, on the program's files whose `_win` suffix says other
# than what they are. A file ends in `_win` exactly when it is built only
# into the Windows program: a source its folder's CMakeLists.txt lists for
# Windows alone; a header that includes a Windows header, one of
# framework/ (the Windows side through and through, exempt itself) or
# another `_win` header, or that only `_win` files include. Every other
# file builds anywhere, as the native build of the core and its tests proves.
set -uo pipefail
cd "$(dirname "$0")/.."
windows_headers='windows|commctrl|commdlg|endpointvolume|mmdeviceapi|mmsystem|objbase|psapi|ras|shellapi|shlobj|tlhelp32|wincrypt'
other_headers='cpuid|iconv|x86intrin'
files=$(git ls-files 'app/*' 'actions/*' 'base/*' 'settings/*' 'sysinfo/*' 'trigger/*' | grep -E '\.(cpp|h)$')
named_win() { case "$1" in *_win.cpp | *_win.h) return 0 ;; *) return 1 ;; esac; }
includes_of() { sed -n 's/^#include [<"]\([^>"]*\)[>"].*/\1/p' "$1"; }

# The sources each folder builds for Windows alone: inside if(WIN32) up to
# its else() or endif().
windows_sources=$(for list in */CMakeLists.txt; do
  awk -v dir="${list%/CMakeLists.txt}" '
    /^if\(WIN32\)/ { win = 1; next }
    /^(else|endif)\(/ { win = 0; next }
    win { for (i = 1; i <= NF; i++) if ($i ~ /\.cpp\)?$/) { f = $i; sub(/\)$/, "", f); print dir "/" f } }' "$list"
done)

wrong=()
for file in $files; do
  includes=$(includes_of "$file")
  unknown=$(grep -E '^[a-z0-9_]+\.h$' <<<"$includes" | grep -Evx "($windows_headers|$other_headers)\.h")
  [ -z "$unknown" ] || wrong+=("$file: a system header of neither list in this script: $(tr '\n' ' ' <<<"$unknown")")
  if [[ "$file" == *.cpp ]]; then
    if grep -qx "$file" <<<"$windows_sources"; then windows=1; else windows=0; fi
  elif grep -Eqx "(($windows_headers)\.h|framework/.*|.*_win\.h)" <<<"$includes"; then
    windows=1
  else
    # Included only by files built for Windows alone.
    users=$(grep -l "^#include \"$file\"" $files tests/e2e/*.cpp tests/e2e/*.h tests/unit/*.cpp tests/unit/*.h tests/fuzz/*.cpp 2>/dev/null | grep -v "^$file$")
    windows=0
    if [ -n "$users" ] && ! grep -Evq '(_win\.(cpp|h)|^tests/e2e/.*)$' <<<"$users"; then windows=1; fi
    named_win "$file" && [ "$windows" = 0 ] && wrong+=("$file: a file that builds anywhere includes it, so its name has no _win")
    continue
  fi
  if [ "$windows" = 1 ] && ! named_win "$file"; then wrong+=("$file: built only for Windows, so its name ends in _win"); fi
  if [ "$windows" = 0 ] && named_win "$file"; then wrong+=("$file: built anywhere, so its name has no _win"); fi
done
if [ ${#wrong[@]} -gt 0 ]; then
  echo "FAIL ${#wrong[@]} files are named against the _win rule (docs/CONVENTIONS.md):"
  printf '     %s\n' "${wrong[@]}"
  exit 1
fi
echo "ok   every _win file is built only for Windows, every other anywhere"
