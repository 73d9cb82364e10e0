#!/usr/bin/env bash
# Inside the 32-bit guest: the end-to-end cases named in the arguments on the
# shipped build, in the Windows XP prefix made at preparation, checked to
# report 5.1. The build is copied from the host's share first: Wine maps the
# images it loads, and pages mapped from the share read wrong. A crash ends
# the run instead of waiting in a debugger; the driver's deadlines are
# three times as long, as everything is several times slower emulated. The
# screenshots go back to the host in /out/shots as bitmaps.
source /vexal/scripts/guest32/xp-prefix.sh
export VEXAL_WIN_DIR=/tmp/win32
mkdir -p "$VEXAL_WIN_DIR"
cp /vexal/build/win32/*.exe /vexal/build/win32/*.dll "$VEXAL_WIN_DIR/" || exit 1
(cd "$VEXAL_WIN_DIR" && sha256sum vexal.exe)
export VEXAL_EXPECT_WINDOWS=5.1 VEXAL_SHOTS_DIR=/tmp/shots VEXAL_DLL_OVERRIDES=winedbg.exe=d \
  VEXAL_E2E_DEADLINE_FACTOR=3
bash /vexal/scripts/e2e.sh "$@"
status=$?
mkdir -p /out/shots
cp /tmp/shots/*.bmp /out/shots/ 2>/dev/null
exit "$status"
