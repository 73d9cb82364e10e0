#!/usr/bin/env bash
# The shipped build/win32/vexal.exe and the 32-bit end-to-end driver beside
# it, in the emulated 32-bit guest under Wine set to Windows XP: for a
# kernel that runs no 32-bit programs. Arguments: the driver's case names.
# Prepares the guest first where needed, boots it once from a snapshot of
# its disk and prints what the driver printed, its count last; fails with
# the reason when the guest could not be prepared or did not finish.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
source scripts/wine-env.sh

if ! bash scripts/guest32/prepare.sh >build/guest32-prepare.log 2>&1; then
  echo "the 32-bit guest could not be prepared:"
  tail -n 30 build/guest32-prepare.log
  exit 1
fi

folder=$root/build/guest32-run
rm -rf "$folder"
mkdir -p "$folder/share"
echo "exec bash /vexal/scripts/guest32/run-inside.sh ${*@Q}" >"$folder/share/job"
bash scripts/guest32/boot.sh "$root/build/guest32" "$folder" "${VEXAL_GUEST_SECONDS:-480}" --snapshot >"$folder/boot.log" 2>&1
cat "$folder/share/job.log" 2>/dev/null
status=$(cat "$folder/share/status" 2>/dev/null)
if [ -z "$status" ]; then
  echo "the 32-bit guest did not finish its run. $(cat "$folder/boot.log") The end of its console:"
  tail -n 15 "$folder/console.log"
  exit 1
fi
shots=$root/build/shots-guest32
rm -rf "$shots"
mv "$folder/share/shots" "$shots" && shots_to_png "$shots"
exit "$status"
