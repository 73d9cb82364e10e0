#!/usr/bin/env bash
# Run once inside the 32-bit guest, on its own disk: what the package
# scripts that mmdebstrap's extract mode skips would have left behind and
# needs 32-bit code (the library and font caches), then the Wine prefix set
# to Windows XP, made as on the host. Succeeds when the prefix is ready.
set -uo pipefail
ldconfig || exit 1
fc-cache || exit 1
source /vexal/scripts/guest32/xp-prefix.sh
wine_env_start --virtual || exit 1
wine_env_stop
ls "$VEXAL_WINE_DIR"/prefix/.vexal-ready-*
