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

# Keys held through the X server: a key press made inside Wine is dropped at
# the next pointer motion, a real X key press holds. The driver asks for one
# by dropping a request file here; only key presses and releases are done.
xreq="$shots/xreq"
mkdir -p "$xreq"
rm -f "$xreq"/*.req
(
  while sleep 0.05; do
    for f in "$xreq"/*.req; do
      [ -e "$f" ] || continue
      read -r action key < "$f"
      case "$action:$key" in
        keydown:[a-zA-Z_]*|keyup:[a-zA-Z_]*|key:[a-zA-Z_]*) xdotool "$action" "$key" ;;
      esac
      rm -f "$f"
    done
  done
) &
bridge=$!
trap 'kill $bridge 2>/dev/null; wine_env_stop' EXIT
export VEXAL_XREQ=$(wine_path "$xreq")
cd "$VEXAL_WIN_DIR"
echo "running the $VEXAL_WINE_BITS-bit build in $VEXAL_WIN_DIR"
timeout "${VEXAL_E2E_TIMEOUT:-1500}" bash -c 'source "$0/scripts/wine-env.sh"; vexal_wine vexal_e2e.exe "$@"' "$root" "$@"
status=$?
# The driver saves what the screen showed as bitmaps; keep PNGs.
for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit $status
