#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Safe to run again:
# it asks apt only for what is missing.
set -euo pipefail

packages=(
  cmake make g++ googletest libgtest-dev
  g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
  wine wine32:i386
  xvfb x11-utils xdotool imagemagick
  fonts-wqy-microhei
  clang libclang-rt-14-dev clang-format
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi

install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if [ -z "${updated:-}" ]; then
    "${sudo_cmd[@]}" apt-get update -qq
    updated=1
  fi
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"

# Where the tests run a 64-bit build of the same sources, its toolchain and
# Wine's 64-bit loader.
source "$(dirname "$0")/build-under-test.sh"
if [ "$VEXAL_WINE_BITS" = 64 ]; then
  install_missing wine64 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
fi
# What makes and boots the emulated 32-bit guest that runs the shipped exe
# there, or wherever VEXAL_GUEST32=1 asks for it (scripts/guest32).
if [ "$VEXAL_WINE_BITS" = 64 ] || [ "${VEXAL_GUEST32:-}" = 1 ]; then
  install_missing qemu-system-x86 mmdebstrap e2fsprogs kmod cpio
fi
