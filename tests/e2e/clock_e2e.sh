#!/usr/bin/env bash
# The real velomir.exe in the Wine desktop, driven with the real mouse and keyboard as a user
# would: first run in the corner above the taskbar, a drag, the popup menu, Exit, the next start
# where it was left, Alt+? for the About box, and a session end that saves too. Screenshots of each step land in $1.
set -uo pipefail
shots=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/../../scripts/wine-env.sh"
. "$here/../../scripts/desktop.sh"
program=${VELOMIR_PROGRAM:-$velomir_root/build/dist/velomir.exe}
settings_key='HKCU\Software\Tavrix\Velomir'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
mkdir -p "$shots"

passed=0
failed=0
check() {  # check "what" actual expected
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
    echo "ok: $1"
  else
    failed=$((failed + 1))
    echo "FAILED: $1: got '$2', expected '$3'"
  fi
}

# The registry as a user had it goes back when the checks end.
backup=$(mktemp -d)
wine reg export "$settings_key" "$backup/settings.reg" /y >/dev/null 2>&1
run_value=$(wine reg query "$run_key" /v Velomir 2>/dev/null | tr -d '\r' | grep -c Velomir)
wine reg export "$run_key" "$backup/run.reg" /y >/dev/null 2>&1
restore() {
  wine reg delete "$settings_key" /f >/dev/null 2>&1
  [ -f "$backup/settings.reg" ] && wine reg import "$backup/settings.reg" >/dev/null 2>&1
  [ "$run_value" -eq 0 ] && wine reg delete "$run_key" /v Velomir /f >/dev/null 2>&1
  [ -f "$backup/run.reg" ] && [ "$run_value" -ne 0 ] && wine reg import "$backup/run.reg" >/dev/null 2>&1
  rm -rf "$backup"
}
trap restore EXIT

reg_value() {  # reg_value key name -> the data column
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n {print $NF}'
}

dword() {  # a REG_DWORD as printed, as a signed decimal
  local v=$(($1))
  [ $v -ge 2147483648 ] && v=$((v - 4294967296))
  echo $v
}

start_clock() {
  wine "$program" &
  clock_pid=$!
  read -r -a rect <<<"$(velomir_wait_for_clock)"
}

exit_code=
wait_for_exit() {
  wait "$clock_pid"
  exit_code=$?
}

# First run: no settings, no Run value.
wine reg delete "$settings_key" /f >/dev/null 2>&1
wine reg delete "$run_key" /v Velomir /f >/dev/null 2>&1
start_clock
read -r -a taskbar <<<"$(velomir_probe taskbar)"
velomir_screenshot "$shots/1-first-run.png"
check "first run: right edge at the screen's" "${rect[2]}" 1024
check "first run: bottom edge on the taskbar's top" "${rect[3]}" "${taskbar[1]}"
check "first run: side of the 65% face" "$((rect[2] - rect[0]))x$((rect[3] - rect[1]))" 166x166
check "first run: topmost" "${rect[4]}" 1

# A drag with the left button moves the clock by the mouse's movement.
read -r -a centre <<<"$(velomir_clock_centre)"
velomir_pointer_to "${centre[0]}" "${centre[1]}"
xdotool mousedown 1
for step in 1 2 3 4 5; do
  velomir_pointer_to $((centre[0] - 60 * step)) $((centre[1] - 40 * step))
  sleep 0.2
done
xdotool mouseup 1
read -r -a moved <<<"$(velomir_probe clock)"
velomir_screenshot "$shots/2-dragged.png"
check "drag: moved by the mouse's movement" "$((moved[0] - rect[0])),$((moved[1] - rect[1]))" "-300,-200"

# A right click opens the popup menu, with the nine rows of the program's own menu; Escape
# closes it.
read -r -a reference <<<"$(velomir_probe menu-reference "$program")"
velomir_open_menu
read -r -a menu <<<"$(velomir_probe menu)"
velomir_screenshot "$shots/3-menu.png"
check "right click: the menu opens at the pointer" "${menu[0]},${menu[1]}" \
  "$(((moved[0] + moved[2]) / 2)),$(((moved[1] + moved[3]) / 2))"
check "right click: the menu has the program's nine rows" \
  "$((menu[2] - menu[0]))x$((menu[3] - menu[1]))" "${reference[0]}x${reference[1]}"
xdotool windowfocus --sync "$(velomir_desktop_window)"
xdotool key Escape
velomir_probe no-menu
check "Escape: the menu closes" $? 0

# Exit from the menu ends the program with code 0 and saves where the clock stands.
velomir_exit_through_menu
wait_for_exit
check "Exit: exit code" "$exit_code" 0
check "Exit: x_win" "$(dword "$(reg_value "$settings_key" x_win)")" "${moved[0]}"
check "Exit: y_win" "$(dword "$(reg_value "$settings_key" y_win)")" "${moved[1]}"
for name in scale show.second_hand topmost; do
  check "Exit: $name" "$(reg_value "$settings_key" "$name")" 0x1
done
run_data=$(wine reg query "$run_key" /v Velomir 2>/dev/null | tr -d '\r' | grep Velomir)
check "Exit: the Run value is a string" "$(echo "$run_data" | awk '{print $2}')" REG_SZ
case "$run_data" in
  *'"'?:\\*velomir.exe'"'*) check "Exit: the Run value holds the quoted full path" yes yes ;;
  *) check "Exit: the Run value holds the quoted full path" "$run_data" '"X:\...\velomir.exe"' ;;
esac

# The next start puts the clock back where it was.
start_clock
velomir_screenshot "$shots/4-second-start.png"
check "second start: where it was left" "${rect[0]},${rect[1]}" "${moved[0]},${moved[1]}"

# Alt+? while the clock has the keyboard opens the About box; Escape closes it.
read -r -a centre <<<"$(velomir_clock_centre)"
velomir_pointer_to "${centre[0]}" "${centre[1]}"
xdotool click 1
xdotool windowfocus --sync "$(velomir_desktop_window)"
xdotool key alt+question
check "Alt+?: the About box names the program and version" "$(velomir_probe dialog About 1004)" \
  "Velomir version 1.0"
velomir_screenshot "$shots/5-about.png"
xdotool key Escape
velomir_probe no-dialog About
check "Escape: the About box closes" $? 0

# A session end saves too: move the clock, then log off.
read -r -a centre <<<"$(velomir_clock_centre)"
velomir_pointer_to "${centre[0]}" "${centre[1]}"
xdotool mousedown 1
velomir_pointer_to $((centre[0] + 50)) $((centre[1] + 30))
sleep 0.2
velomir_pointer_to $((centre[0] + 100)) $((centre[1] + 60))
sleep 0.2
xdotool mouseup 1
read -r -a moved <<<"$(velomir_probe clock)"
velomir_probe endsession
wait_for_exit
check "session end: exit code" "$exit_code" 0
check "session end: x_win" "$(dword "$(reg_value "$settings_key" x_win)")" "${moved[0]}"
check "session end: y_win" "$(dword "$(reg_value "$settings_key" y_win)")" "${moved[1]}"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
