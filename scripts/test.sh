#!/usr/bin/env bash
# Runs every test: the host tests natively and the Windows tests under Wine, in one ctest run.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/deps.sh"
velomir_install_deps
. "$here/wine-env.sh"
. "$here/build.sh"

velomir_build_host
velomir_build

# One summary for both trees.
printf 'subdirs(host)\nsubdirs(windows)\n' >"$velomir_root/build/CTestTestfile.cmake"

cleanup() {
  velomir_stop_wineserver
  velomir_stop_display
}
trap cleanup EXIT
velomir_start_display
velomir_prepare_prefix
velomir_install_face_module "$velomir_root/build/dist/zentoria.dll"
velomir_start_wineserver
ctest --test-dir "$velomir_root/build" --output-on-failure "$@"
