#!/usr/bin/env bash
# The end-to-end rig: the driver runs under Wine on a private virtual display
# and drives vexal.exe as a person would. Arguments go to the driver (a case
# name runs only the cases whose names contain it).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
wine_env_start --virtual || exit 1
trap wine_env_stop EXIT
shots="${VEXAL_SHOTS_DIR:-$root/build/shots}"
mkdir -p "$shots"
rm -f "$shots"/*.bmp
export VEXAL_SHOTS=$(winepath -w "$shots")
cd "${VEXAL_WIN32_DIR:-$root/build/win32}"
timeout 1500 wine vexal_e2e.exe "$@"
status=$?
# The driver saves what the screen showed as bitmaps; keep PNGs.
for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit $status
