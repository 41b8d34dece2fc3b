# Sourced by the run and test commands: installs the Debian packages they need when missing.
velomir_packages=(
  cmake make g++ pkg-config
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  googletest libcairo2-dev
  wine wine64 xvfb xdotool imagemagick x11-utils
  clang-format
)

velomir_install_deps() {
  local missing=()
  local package
  for package in "${velomir_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing Debian packages: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  # With recommends, as tested: Wine's fonts among them draw the menus and dialogs.
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}
