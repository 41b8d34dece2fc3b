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
trap velomir_end_session EXIT
velomir_begin_session
ctest --test-dir "$velomir_root/build" --output-on-failure "$@"
