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
export VEXAL_SHOTS=$(wine_path "$shots")

x_key_bridge_start "$shots/xreq"
trap 'x_key_bridge_stop; wine_env_stop' EXIT
cd "$VEXAL_WIN_DIR"
echo "running $VEXAL_BUILD_WORDS, $VEXAL_WIN_DIR${VEXAL_WINDOWS_VERSION:+, with Wine set to $VEXAL_WINDOWS_VERSION}"
timeout "${VEXAL_E2E_TIMEOUT:-1500}" bash -c 'source "$0/scripts/wine-env.sh"; vexal_wine vexal_e2e.exe "$@"' "$root" "$@"
status=$?
# Where ImageMagick is missing (inside the 32-bit guest) the host converts.
command -v convert >/dev/null && shots_to_png "$shots"
exit $status
