# Sourced after wine-env.sh: drives the clock in the Wine desktop with the real X mouse and
# keyboard (xdotool), and looks at it with the probe tool, as a user would.
velomir_probe_exe=${VELOMIR_PROBE:-$velomir_root/build/windows/tests/probe.exe}

velomir_probe() {
  wine "$velomir_probe_exe" "$@" | tr -d '\r'
}

# The X window that holds Wine's desktop; Windows coordinates start at its corner.
velomir_desktop_window() {
  xdotool search --name "Wine desktop" | head -n 1
}

velomir_desktop_origin() {
  xdotool getwindowgeometry --shell "$(velomir_desktop_window)" |
    awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}'
}

# Prints the clock's rectangle and topmost flag once its window is up.
velomir_wait_for_clock() {
  velomir_probe clock
}

# Moves the X pointer to a point given in Windows desktop coordinates.
velomir_pointer_to() {
  local origin
  read -r -a origin <<<"$(velomir_desktop_origin)"
  xdotool mousemove --sync $((origin[0] + $1)) $((origin[1] + $2))
}

velomir_clock_centre() {
  local rect
  read -r -a rect <<<"$(velomir_probe clock)"
  echo $(((rect[0] + rect[2]) / 2)) $(((rect[1] + rect[3]) / 2))
}

velomir_screenshot() {
  import -window root "$1"
}

# Right click on the clock, then the Exit item's mnemonic, as a user would end the clock.
velomir_open_menu() {
  local centre
  read -r -a centre <<<"$(velomir_clock_centre)"
  velomir_pointer_to "${centre[0]}" "${centre[1]}"
  xdotool click 3
  velomir_probe menu >/dev/null
}

velomir_exit_through_menu() {
  velomir_open_menu
  xdotool windowfocus --sync "$(velomir_desktop_window)"
  xdotool key x
}
