# Sourced by the scripts that run Windows programs: the build tree's own Wine prefix, a quiet
# Wine, an X display (Xvfb when none is set) and one wineserver kept alive for the whole run.
velomir_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${VELOMIR_WINEPREFIX:-$velomir_root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No Mono or Gecko installer prompts: the clock needs neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Starts Xvfb on the first free display number when no display is set.
velomir_start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n=${1:-90}
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  velomir_xvfb_pid=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

velomir_stop_display() {
  [ -n "${velomir_xvfb_pid:-}" ] && kill "$velomir_xvfb_pid" 2>/dev/null
  velomir_xvfb_pid=
}

# Creates the prefix once: no crash dialog, and a virtual desktop named "shell", the one name
# that brings Wine's taskbar and notification area, so the clock finds them as on Windows.
velomir_prepare_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/.velomir-ready" ] && exit 0
    wineboot -i >/dev/null 2>&1
    wine reg import "$velomir_root/scripts/wineprefix.reg" >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.velomir-ready"
  ) 9>"$WINEPREFIX.lock"
}

# Our face module stands in for the system's timedate.cpl, which Wine lacks.
velomir_install_face_module() {
  cp "$1" "$WINEPREFIX/drive_c/windows/system32/timedate.cpl"
}

# Wine's background services start with the first program and outlive it; started here with
# no output attached, they cannot hold a test's output pipe open and stall ctest.
velomir_start_wineserver() {
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

velomir_stop_wineserver() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
}

# A whole session of Windows programs: display, prefix with our face module, one wineserver; and
# its end, which the caller traps on exit.
velomir_begin_session() {
  velomir_start_display
  velomir_prepare_prefix
  velomir_install_face_module "$velomir_root/build/dist/zentoria.dll"
  velomir_start_wineserver
}

velomir_end_session() {
  velomir_stop_wineserver
  velomir_stop_display
}
