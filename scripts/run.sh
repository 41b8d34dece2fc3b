#!/usr/bin/env bash
# Builds the clock and runs it under Wine. Without a display it runs on Xvfb, saves a
# screenshot to build/velomir-screenshot.png, then ends the clock through its Exit command.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/deps.sh"
velomir_install_deps
. "$here/wine-env.sh"
. "$here/build.sh"
velomir_build velomir zentoria probe

headless=0
[ -z "${DISPLAY:-}" ] && headless=1
trap velomir_end_session EXIT
velomir_begin_session

if [ "$headless" -eq 0 ]; then
  wine "$velomir_root/build/dist/velomir.exe"
  exit $?
fi

. "$here/desktop.sh"
wine "$velomir_root/build/dist/velomir.exe" &
clock=$!
velomir_wait_for_clock >/dev/null
shot="$velomir_root/build/velomir-screenshot.png"
velomir_screenshot "$shot"
echo "Screenshot of the running clock: $shot"
velomir_exit_through_menu
wait "$clock"
