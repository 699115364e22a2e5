#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the game need.
# This list is the only place the project names its system packages.
#   scripts/install-deps.sh          the build, the tests and the game
#   scripts/install-deps.sh --fuzz   the same and the fuzzing tools (`make fuzz`)
set -euo pipefail

PACKAGES=(
  build-essential
  cmake
  pkg-config
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  libpng-dev
  qt6-base-dev
  libxcb1-dev
  libgl-dev
  fonts-dejavu-core
  fonts-urw-base35
  fonts-lato
  xvfb
  xauth
  xdotool
  x11-utils
  imagemagick
  poppler-utils
  openbox
  weston
  qt6-wayland
  xwayland
  dbus
  at-spi2-core
  python3-pyatspi
  wmctrl
  dpkg-dev
  file
  lintian
  desktop-file-utils
  appstream
  xdg-utils
  clang-format
)

# clang with libFuzzer and the sanitizer runtimes; llvm for readable crash stacks.
FUZZ_PACKAGES=(
  clang
  libclang-rt-dev
  llvm
)

if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES+=("${FUZZ_PACKAGES[@]}")
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
