#!/usr/bin/env bash
# Checks that Windows XP SP3's loader accepts an exe: a 32-bit GUI or console
# program whose header asks for no Windows newer than 5.1, importing only
# from the six system DLLs it loads at start (the rest it loads on first
# use), by name, only functions that XP has. The last is read
# off the MinGW-w64 headers: an import they do not declare with
# _WIN32_WINNT=0x0501 is newer than XP (GetTickCount64, for one). msvcrt's
# names are left aside: the headers do not describe that DLL's versions.
# Prints one line, ok or FAIL, and under a FAIL each problem by name.
set -uo pipefail
exe=${1:?usage: check-xp.sh EXE}
cc=i686-w64-mingw32-gcc-win32
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

problems=()
dump=$(i686-w64-mingw32-objdump -p "$exe" 2>&1) || { echo "FAIL $exe: not a 32-bit Windows program"; exit 1; }
field() { awk -v k="$1" '$1 == k { print $2; exit }' <<<"$dump"; }

magic=$(field Magic)
[ "$magic" = 010b ] || problems+=("not a 32-bit program (optional header magic $magic)")
subsystem=$((16#$(field Subsystem)))
case $subsystem in
  2|3) ;;
  *) problems+=("subsystem $subsystem is neither GUI (2) nor console (3)") ;;
esac
versions=""
for kind in OSystem Subsystem; do
  major=$(field "Major${kind}Version")
  minor=$(field "Minor${kind}Version")
  label=${kind/OSystem/OS}
  versions+=" $label $major.$minor,"
  if [ $((major * 100 + minor)) -gt 501 ]; then
    problems+=("$label version $major.$minor is above XP's 5.1")
  fi
done

# "DLL: name" per import; an import by ordinal has no name.
awk '/^\tDLL Name: / { dll = $3; next }
     dll && /^\t[0-9a-f]+\t/ { print dll ": " ($3 == "" || $3 == "<none>" ? "<ordinal " $2 ">" : $3) }' \
  <<<"$dump" > "$work/imports"

declare -A system=([advapi32.dll]=1 [comctl32.dll]=1 [gdi32.dll]=1 [kernel32.dll]=1 [user32.dll]=1 [msvcrt.dll]=1)
for dll in $(cut -d: -f1 "$work/imports" | sort -u); do
  [ -n "${system[${dll,,}]:-}" ] ||
    problems+=("imports from $dll; only ${!system[*]} are loaded at start, the rest on first use")
done
while read -r line; do
  problems+=("$line: imported by ordinal, not by name")
done < <(grep -F ': <ordinal' "$work/imports")

# One line per name, so that a compiler error's line number names the import.
grep -viE '^msvcrt\.dll: |: <ordinal' "$work/imports" > "$work/checked"
{
  # Every header that declares a function of the six: windows.h leaves the
  # tool help functions of KERNEL32 (on XP since 2000) to their own.
  printf '#include <windows.h>\n#include <commctrl.h>\n#include <tlhelp32.h>\nvoid imported(void) {\n'
  awk '{ print "(void)&" $2 ";" }' "$work/checked"
  printf '}\n'
} > "$work/imports.c"
first=5
$cc -fsyntax-only -w -fmax-errors=0 -D_WIN32_WINNT=0x0501 -DWINVER=0x0501 -D_WIN32_IE=0x0600 \
  "$work/imports.c" 2> "$work/errors"
for n in $(sed -n 's/^[^:]*imports\.c:\([0-9]*\):[0-9]*: error: .*/\1/p' "$work/errors" | sort -un); do
  problems+=("$(sed -n "$((n - first + 1))p" "$work/checked") is not in Windows XP SP3 (not declared for _WIN32_WINNT 0x0501)")
done
if [ ! -s "$work/checked" ] || { [ -s "$work/errors" ] && ! grep -q 'imports\.c:[0-9]*:[0-9]*: error' "$work/errors"; }; then
  problems+=("the import table could not be checked: $(head -n 3 "$work/errors" "$work/imports" 2>/dev/null | tr '\n' ' ')")
fi

name=$(basename "$exe")
count=$(wc -l < "$work/imports")
dlls=$(cut -d: -f1 "$work/imports" | sort -u | wc -l)
if [ ${#problems[@]} -eq 0 ]; then
  echo "ok   $name loads on Windows XP:${versions} $count imports from $dlls system DLLs, all by name and in XP SP3"
  exit 0
fi
echo "FAIL $name does not load on Windows XP:"
printf '     %s\n' "${problems[@]}"
exit 1
