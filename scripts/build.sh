# Sourced by the run and test commands: configures and builds the Windows tree (the program,
# its face module and the Windows tests) and, with "all", the host tree too.
velomir_build() {
  local root=$velomir_root
  cmake -S "$root" -B "$root/build/windows" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DVELOMIR_DIST_DIR="$root/build/dist" \
    >/dev/null
  cmake --build "$root/build/windows" -j"$(nproc)" -- --no-print-directory "$@"
}

velomir_build_host() {
  local root=$velomir_root
  cmake -S "$root" -B "$root/build/host" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$root/build/host" -j"$(nproc)" -- --no-print-directory
}
