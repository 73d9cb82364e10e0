# Sourced, not run: a private Wine prefix inside the build folder and a
# private X display for it. Everything started here is recorded by pid and
# stopped by pid; nothing else on the machine is touched.
#
#   wine_env_start [--virtual]   sets WINEPREFIX, DISPLAY, WINEDEBUG, VEXAL_WIN_DIR
#   vexal_wine PROGRAM ARGS...   runs a Windows program in that prefix
#   wine_path PATH               the Windows form of a Unix path
#   wine_env_stop                stops what wine_env_start started
#   x_key_bridge_start FOLDER    keys through the X server on the driver's request
#   x_key_bridge_stop
#   shots_to_png FOLDER          the driver's screenshots, bitmaps, as PNGs
#
# Which build runs (VEXAL_WINE_BITS, VEXAL_WIN_DIR) comes from
# build-under-test.sh; a 64-bit build runs in a 64-bit prefix.
# VEXAL_WINDOWS_VERSION, when set (winxp, winxp64, win7...), is the Windows
# version the prefix reports, as winecfg sets it. VEXAL_DLL_OVERRIDES, when
# set, adds to Wine's DLL overrides.

VEXAL_ROOT=${VEXAL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
_vexal_xvfb_pid=""

source "$VEXAL_ROOT/scripts/build-under-test.sh"
if [ "$VEXAL_WINE_BITS" = 32 ]; then
  VEXAL_WINE_DIR=${VEXAL_WINE_DIR:-$VEXAL_ROOT/build/wine}
else
  VEXAL_WINE_DIR=${VEXAL_WINE_DIR:-$VEXAL_ROOT/build/wine64}
fi

vexal_wine() {
  if [ "$VEXAL_WINE_BITS" = 32 ]; then
    wine "$@"
  else
    WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 "$@"
  fi
}

# Wine maps drive Z: to the Unix root.
wine_path() {
  local p
  p=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  echo "Z:${p//\//\\}"
}

_vexal_free_display() {
  local n
  for n in $(seq 91 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

_vexal_start_xvfb() {
  local n
  n=$(_vexal_free_display) || { echo "no free X display" >&2; return 1; }
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  _vexal_xvfb_pid=$!
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  export DISPLAY=":$n"
}

# Chinese dialog fonts, and the shell's default ones, all map to a CJK font
# so that the texts render instead of boxes.
_vexal_font_reg() {
  local font="WenQuanYi Micro Hei" name
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for name in "宋体" "新宋体" "SimSun" "NSimSun" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "Microsoft Sans Serif" "MS Sans Serif"; do
    printf '"%s"="%s"\r\n' "$name" "$font"
  done
  # No window manager runs on the virtual display: Wine draws the captions.
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n'
  # Nor does Wine wait 2 s for one each time a window of the hiding cases'
  # window program is hidden. (Not for the rest: the X focus, and with it
  # the X server's keys, follows only managed windows.)
  # The same program under the names the listed-programs case gives it.
  for name in twowindows.exe listedchat.exe listedmusic.exe; do
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s\\X11 Driver]\r\n"Managed"="N"\r\n' "$name"
  done
}

_vexal_prepare_prefix() {
  export WINEPREFIX="$VEXAL_WINE_DIR/prefix"
  export WINEARCH=win$VEXAL_WINE_BITS
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${VEXAL_DLL_OVERRIDES:+;$VEXAL_DLL_OVERRIDES}"
  local ready="$WINEPREFIX/.vexal-ready-5${VEXAL_WINDOWS_VERSION:+-$VEXAL_WINDOWS_VERSION}"
  [ -f "$ready" ] && return 0
  mkdir -p "$VEXAL_WINE_DIR"
  vexal_wine wineboot -i >/dev/null 2>&1
  _vexal_font_reg | iconv -f UTF-8 -t UTF-16 > "$VEXAL_WINE_DIR/fonts.reg"
  vexal_wine regedit /S "$(wine_path "$VEXAL_WINE_DIR/fonts.reg")" >/dev/null 2>&1
  if [ -n "${VEXAL_WINDOWS_VERSION:-}" ]; then
    vexal_wine winecfg /v "$VEXAL_WINDOWS_VERSION" >/dev/null 2>&1
  fi
  wineserver -w
  touch "$ready"
}

wine_env_start() {
  if [ "${1:-}" = "--virtual" ] || [ -z "${DISPLAY:-}" ]; then
    _vexal_start_xvfb || return 1
  fi
  _vexal_prepare_prefix
}

wine_env_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  if [ -n "$_vexal_xvfb_pid" ]; then
    kill "$_vexal_xvfb_pid" 2>/dev/null
    wait "$_vexal_xvfb_pid" 2>/dev/null
    _vexal_xvfb_pid=""
  fi
}

# Keys held through the X server: a key press made inside Wine is dropped at
# the next pointer motion, a real X key press holds. The driver asks for one
# by dropping a request file in FOLDER (VEXAL_XREQ); only key presses and
# releases are done, the X focus put on a window of Wine's (no window
# manager does it on the virtual display), the pointer moved along a path
# as a hand moves it, or right by a number of pixels.
_vexal_bridge_pid=""

# "STEP_MS X Y X Y ...": one xdotool run goes through the points, STEP_MS
# (under 1000) apart.
_vexal_pointer_path() {
  local pause args=()
  pause=$(printf '0.%03d' "$1")
  shift
  while [ $# -ge 2 ]; do
    args+=(mousemove "$1" "$2" sleep "$pause")
    shift 2
  done
  xdotool "${args[@]}"
}

x_key_bridge_start() {
  local folder=$1
  mkdir -p "$folder"
  rm -f "$folder"/*.req
  (
    while sleep 0.05; do
      for f in "$folder"/*.req; do
        [ -e "$f" ] || continue
        read -r action key < "$f"
        case "$action:$key" in
          keydown:[a-zA-Z_]*|keyup:[a-zA-Z_]*|key:[a-zA-Z_]*) xdotool "$action" "$key" ;;
          windowfocus:[0-9]*) xdotool windowfocus "$key" ;;
          mousepath:[0-9]*)
            # shellcheck disable=SC2086 # numbers only, split on purpose
            [[ $key =~ ^[0-9\ ]+$ ]] && _vexal_pointer_path $key ;;
          mousemove_relative:[0-9]*) xdotool mousemove_relative -- "$key" 0 ;;
        esac
        rm -f "$f"
      done
    done
  ) &
  _vexal_bridge_pid=$!
  export VEXAL_XREQ=$(wine_path "$folder")
}

x_key_bridge_stop() {
  [ -n "$_vexal_bridge_pid" ] && kill "$_vexal_bridge_pid" 2>/dev/null
  _vexal_bridge_pid=""
}

shots_to_png() {
  local bmp
  for bmp in "$1"/*.bmp; do
    [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
}
