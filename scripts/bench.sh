#!/usr/bin/env bash
# The benchmarks under Wine on a private virtual display; prints one table.
# "quick" as the first argument runs every figure briefly, "hotkey" or
# "idle" only those figures.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
wine_env_start --virtual || exit 1
x_key_bridge_start "$root/build/bench-xreq"
trap 'x_key_bridge_stop; wine_env_stop' EXIT
cd "$VEXAL_WIN_DIR"
echo "$VEXAL_BUILD_WORDS, $VEXAL_WIN_DIR"
vexal_wine vexal_bench.exe "$@"
