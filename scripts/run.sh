#!/usr/bin/env bash
# Starts vexal.exe: directly on Windows, under Wine elsewhere. Without a
# display it runs on a private virtual one, saves a screenshot and stops.
set -uo pipefail
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

case "$(uname -s)" in
  MINGW*|MSYS*|CYGWIN*) exec "$exe" ;;
esac

source "$(dirname "$0")/wine-env.sh"
# The prefix has the width of the build chosen for this machine; an exe of
# the other width does not run in it.
pe_offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
pe_magic=$(od -An -tx2 -j$((pe_offset + 24)) -N2 "$exe" | tr -d ' ')
if [ "$pe_magic" = 010b ]; then exe_bits=32; else exe_bits=64; fi
if [ "$exe_bits" != "$VEXAL_WINE_BITS" ]; then
  echo "$exe is a $exe_bits-bit program; here Wine runs $VEXAL_BUILD_WORDS, $VEXAL_WIN_DIR/vexal.exe (what make run starts)" >&2
  exit 1
fi
echo "starting $exe, $VEXAL_BUILD_WORDS"
if [ -n "${DISPLAY:-}" ]; then
  wine_env_start
  vexal_wine "$exe"
  exit $?
fi

wine_env_start --virtual
trap wine_env_stop EXIT
vexal_wine "$exe" &
pid=$!
shot=$VEXAL_ROOT/build/vexal-run.png
for _ in $(seq 1 100); do
  xwininfo -root -tree 2>/dev/null | grep -q 'VEXAL' && break
  sleep 0.2
done
sleep 1
import -window root "$shot"
echo "no display here: vexal.exe ran on a virtual one; screenshot saved to $shot"
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit 0
