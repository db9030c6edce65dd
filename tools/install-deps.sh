#!/usr/bin/env bash
# Installs the Debian 12 packages that Quillet needs to build, run and test,
# skipping those already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libcli11-dev nlohmann-json3-dev
  qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
  libgtest-dev googletest libbenchmark-dev
  libboost-dev
  clang libclang-rt-14-dev clang-format clang-tidy
  fonts-liberation2
  xvfb xauth xdotool imagemagick x11-utils openbox
  strace acl attr
  python3 dpkg-dev file lintian groff-base desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
