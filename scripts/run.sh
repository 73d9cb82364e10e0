#!/usr/bin/env bash
# Starts vexal.exe: directly on Windows, under Wine elsewhere. Without a
# display it runs on a private virtual one, saves a screenshot and stops.
set -uo pipefail
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

case "$(uname -s)" in
  MINGW*|MSYS*|CYGWIN*) exec "$exe" ;;
esac

source "$(dirname "$0")/wine-env.sh"
if [ "$VEXAL_WINE_BITS" = 64 ]; then
  # This machine cannot run 32-bit programs: the 64-bit build of the same sources.
  exe=$VEXAL_WIN_DIR/vexal.exe
  echo "this machine cannot run 32-bit programs; starting the 64-bit build $exe"
fi
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
