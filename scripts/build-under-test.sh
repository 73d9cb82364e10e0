#!/usr/bin/env bash
# The one place that decides which build Wine runs here. Run, it prints 32
# or 64; sourced, it exports:
#
#   VEXAL_WINE_BITS    32: the shipped build/win32/vexal.exe; 64: where this
#                      machine's kernel runs no 32-bit programs (and with them
#                      no 32-bit Wine), a 64-bit build of the same sources
#   VEXAL_WIN_DIR      the folder of that build
#   VEXAL_BUILD_WORDS  the same in words, for what the scripts print
#
# A value already in the environment (the Makefile exports its own) is kept.
_vexal_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [ -z "${VEXAL_WINE_BITS:-}" ]; then
  # The 32-bit dynamic loader starts only where the kernel runs 32-bit programs.
  if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then VEXAL_WINE_BITS=32; else VEXAL_WINE_BITS=64; fi
fi
if [ "$VEXAL_WINE_BITS" = 32 ]; then
  VEXAL_WIN_DIR=${VEXAL_WIN_DIR:-$_vexal_root/build/win32}
  VEXAL_BUILD_WORDS="the 32-bit build"
else
  VEXAL_WIN_DIR=${VEXAL_WIN_DIR:-$_vexal_root/build/win64}
  VEXAL_BUILD_WORDS="the 64-bit build (this kernel runs no 32-bit programs)"
fi
export VEXAL_WINE_BITS VEXAL_WIN_DIR VEXAL_BUILD_WORDS
unset _vexal_root
if [ "${BASH_SOURCE[0]}" = "$0" ]; then echo "$VEXAL_WINE_BITS"; fi
